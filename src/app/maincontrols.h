// The main window's controls: as data (each button's kind, skin images and tooltip, where each
// control sits in the normal view), and the widgets themselves, found by id.
#pragma once

#include <QMap>
#include <QRect>
#include <QSize>
#include <QString>
#include <span>

class CConfigListCtrl;
class CSovImageSlider;
class CSovSkinButton;
class CSovStaticTrans;
class CStaticView;
class QWidget;

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

// The widgets of the main window, owned by it (Qt children). Controllers get the ones they drive.
struct MainControls {
  QMap<int, CSovSkinButton*> buttons;
  QMap<int, CSovImageSlider*> sliders;
  QMap<int, CSovStaticTrans*> labels;
  CStaticView* frontVideo = nullptr;
  CStaticView* rearVideo = nullptr;
  CConfigListCtrl* recordingList = nullptr;
  QWidget* mapView = nullptr;

  CSovSkinButton* Button(int id) const { return buttons.value(id); }
  CSovImageSlider* Slider(int id) const { return sliders.value(id); }
  CSovStaticTrans* Label(int id) const { return labels.value(id); }
  // A button, slider or label, or the recording list, by id; null for any other id.
  QWidget* Control(int id) const;
};

// The skinned window's face, and so the size of the normal view.
inline constexpr QSize kNormalWindowSize(1022, 682);
