// Skin bitmaps: the program's images addressed by numeric id, drawn at their natural size.
#pragma once

#include <QColor>
#include <QImage>

namespace skin {

// The image of id, or a null image when the program has no bitmap of that id.
QImage LoadSkinBitmap(int id);

// Key colours: thumbs of the sliders are transparent where pure white, label backgrounds and the
// G-sensor graph where pure green.
inline constexpr QRgb kWhiteKey = 0xFFFFFFFF;
inline constexpr QRgb kGreenKey = 0xFF00FF00;

// image with every pixel of the key colour made fully transparent (key colours, never alpha).
QImage WithKeyColourTransparent(const QImage& image, QRgb key);

}  // namespace skin
