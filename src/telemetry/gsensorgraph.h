// The drawings of the telemetry on the main window's face: the three acceleration traces over
// the recording on the graph bitmap, and the speed as three digit images.
#pragma once

#include <QImage>
#include <QPoint>
#include <QRect>
#include <cstdint>

class CTextData;

namespace gsensor {

inline constexpr QPoint kGraphPlace{41, 531};
inline constexpr int kGraphSpan = 372;  // pixels the whole recording spans (two past the bitmap)
inline constexpr int kBaselines[3] = {19, 57, 95};
inline constexpr double kPixelsPerUnit = 0.1484375;  // 19/128: ±120 spans ±17.8 pixels
inline constexpr uint32_t kLastDrawnMs = 300000;     // the graph shows the first five minutes
inline constexpr QRgb kTracePen = 0xFFBB2D09;        // RGB(187, 45, 9)

// Milliseconds per graph pixel as the traces use it: the duration cut to whole seconds over 372
// pixels. A recording shorter than a second spans the pixels with its exact length; without a
// duration there is no scale (0).
double PixelsPerMs(uint64_t durationMs);

// Bitmap 292 with the traces of `telemetry` drawn into it (the bitmap alone when there are no
// samples or no duration).
QImage DrawGraph(const CTextData& telemetry, uint64_t durationMs);

}  // namespace gsensor

namespace speeddigits {

inline constexpr QPoint kPlaceWithSmallMap{865, 443};
inline constexpr QPoint kPlaceOtherwise{865, 641};
inline constexpr QSize kSize{30, 15};

// The 30 x 15 work bitmap of a speed: digits (value / 100) % 10, (value / 10) % 10 and value % 10
// from bitmaps 321 to 330, green transparent, on black. A negative value leaves it black.
QImage DrawDigits(int value);

}  // namespace speeddigits
