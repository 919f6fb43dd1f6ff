// The table of every skin bitmap: id, size, key colour and the drawing that makes it.
#pragma once

#include "appicon.h"
#include "buttonart.h"
#include "surfaces.h"

#include <QImage>
#include <QPoint>
#include <QRgb>
#include <QSize>

#include <functional>
#include <vector>

namespace skingen {

// What lies under a button where it is shown; its image is drawn over those pixels.
enum class Backdrop { Face, TopBar, ControlPanel, MapStrip, InfoFace };

struct Place {
  Backdrop on;
  QPoint at;  // top-left corner on that backdrop (bars: x is free, only y matters)
};

// A button's images: normal N, hover N+1, pressed N+2 by the usual rule, written out because
// two runs break it; disabled is 0 where the windows pass the normal image instead.
struct ButtonRun {
  const char* role;
  int normal, hover, pressed, disabled;
  QSize size;
  ButtonArt art;
  Place place;
};

const std::vector<ButtonRun>& ButtonRuns();

struct SkinImage {
  int id;
  QSize size;
  QRgb key;  // 0 when the image is opaque throughout
  std::function<QImage(const Surfaces&)> draw;
};

// Every image the player loads by id, the icon 128 included, in ascending id order.
std::vector<SkinImage> SkinImages();

// The pixels a button sits on.
QImage BackdropFor(const Surfaces& surfaces, const Place& place, QSize size);

}  // namespace skingen
