// Dialog-unit geometry of the player's dialog templates, converted to pixels for the template
// font ("MS Shell Dlg" 8: 6 x 13 pixel base units, a dialog unit being a quarter of the base
// width and an eighth of the base height).
#pragma once

#include <QRect>

namespace dialog_units {
constexpr int ToPixelsX(int units) { return units * 6 / 4; }
constexpr int ToPixelsY(int units) { return units * 13 / 8; }
inline QRect ToPixels(int x, int y, int w, int h) {
  return QRect(ToPixelsX(x), ToPixelsY(y), ToPixelsX(w), ToPixelsY(h));
}
}  // namespace dialog_units
