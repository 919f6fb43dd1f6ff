#include "gsensorgraph.h"

#include "resourceids.h"
#include "skinbitmap.h"
#include "textdata.h"

#include <QPainter>
#include <QPen>
#include <vector>

namespace gsensor {

double PixelsPerMs(uint64_t durationMs) {
  const uint64_t wholeSeconds = durationMs / 1000 * 1000;
  if (wholeSeconds > 0) return double(kGraphSpan) / double(wholeSeconds);
  return durationMs > 0 ? double(kGraphSpan) / double(durationMs) : 0.0;
}

QImage DrawGraph(const CTextData& telemetry, uint64_t durationMs) {
  // Every drawing starts from the plain background; it is decoded once (UI thread).
  static const QImage background =
      skin::LoadSkinBitmap(ids::IDB_GSENSOR_BACKGROUND).convertToFormat(QImage::Format_RGB32);
  QImage image = background.copy();
  const double scale = PixelsPerMs(durationMs);
  if (image.isNull() || scale <= 0) return image;

  // The points of each axis are taken under the lock; the drawing happens after it.
  std::vector<QPoint> traces[3];
  telemetry.WithArrays([&](const std::vector<CGSensorData>& samples, const auto&) {
    if (samples.empty()) return 0;
    for (auto& t : traces) t.reserve(samples.size() + 1);
    for (int axis = 0; axis < 3; ++axis) {
      auto point = [&](const CGSensorData& s) {
        const int32_t value = axis == 0 ? s.x : axis == 1 ? s.y : s.z;
        // Truncation toward zero, as an integer conversion does.
        return QPoint(static_cast<int>(s.timestamp * scale),
                      static_cast<int>(kBaselines[axis] - value * kPixelsPerUnit));
      };
      traces[axis].push_back(point(samples.front()));  // where the pen starts
      for (const CGSensorData& s : samples)
        if (s.timestamp <= kLastDrawnMs) traces[axis].push_back(point(s));
    }
    return 0;
  });

  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.setPen(QPen(QColor::fromRgb(kTracePen), 1));
  for (const auto& trace : traces)
    if (!trace.empty()) painter.drawPolyline(trace.data(), static_cast<int>(trace.size()));
  return image;
}

}  // namespace gsensor

namespace speeddigits {

namespace {
// The ten digit images with their green made transparent, decoded once (UI thread).
const QImage& Digit(int d) {
  static const std::vector<QImage> digits = [] {
    std::vector<QImage> images;
    for (int i = 0; i < 10; ++i)
      images.push_back(skin::WithKeyColourTransparent(skin::LoadSkinBitmap(ids::IDB_DIGIT_0 + i), skin::kGreenKey));
    return images;
  }();
  return digits[static_cast<std::size_t>(d)];
}
}  // namespace

QImage DrawDigits(int value) {
  QImage work(kSize, QImage::Format_RGB32);
  work.fill(Qt::black);
  if (value < 0) return work;
  QPainter painter(&work);
  const int digits[3] = {value / 100 % 10, value / 10 % 10, value % 10};
  for (int i = 0; i < 3; ++i)
    if (!Digit(digits[i]).isNull()) painter.drawImage(10 * i, 0, Digit(digits[i]));
  return work;
}

}  // namespace speeddigits
