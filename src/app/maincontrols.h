// The main window's controls as data: each button's kind, skin images and tooltip, and where each
// control sits in the normal view.
#pragma once

#include <QRect>
#include <QString>
#include <span>

struct ButtonSpec {
  int id;
  bool check;  // auto check box: the button keeps a check state its handler reads
  int normal, pressed, hover, disabled, focus;
  const char* tooltip;
};

struct SliderSpec {
  int id;
  int channel, fill, thumb, drag, focus;
};

struct Placement {
  int id;
  QRect rect;
};

// In the order of the window's members.
std::span<const ButtonSpec> MainButtons();
std::span<const SliderSpec> MainSliders();
// The normal view, map buttons as for a hidden map.
std::span<const Placement> NormalLayout();
