// What the telemetry needs from the main window: its face, its view and map state, its layout,
// the recording list and the map buttons. The main window implements it; the telemetry never
// includes the window's own headers.
#pragma once

#include <QString>
#include <array>

class QWidget;

// The two looks of the show/hide map button 1019: images (normal, pressed, hover, disabled,
// focus) and tooltip.
struct MapShowButtonLook {
  std::array<int, 5> bitmaps;
  const char* tooltip;
};
inline constexpr MapShowButtonLook kShowMapLook{{280, 282, 281, 280, 280}, "Show Map"};
inline constexpr MapShowButtonLook kHideMapLook{{158, 157, 159, 158, 158}, "Hide Map"};

class TelemetryHost {
 public:
  enum MapState { MapHidden = 0, MapSmall = 8, MapLarge = 16 };
  enum ViewMode { ViewNormal = 1, ViewExtended = 2, ViewLargeMap = 16 };

  virtual ~TelemetryHost() = default;

  // The main window: the map control's parent, where the wait cursor shows and whose face the
  // graph and the speed digits are painted on (the window calls TelemetryController::Paint).
  virtual QWidget* Face() = 0;
  virtual int ViewMode() const = 0;     // viewMode: 1 normal, 2 extended
  virtual int MapState() const = 0;     // mapState: 0, 8 or 16
  virtual void SetMapState(int state) = 0;
  virtual int UiLanguage() const = 0;   // 1033, 1041, 1042 or 1049
  virtual QString LoadUiString(int id) const = 0;
  // The full path in column 4 of the recording list's row currentIndex; empty without one.
  virtual QString CurrentRecordingPath() const = 0;

  virtual void LayoutForView(int mode) = 0;
  // The recording list to (695, 126), 326 wide and `height` high; UpdateLayout, focus, repaint.
  virtual void ResizeRecordingList(int height) = 0;
  // LVM_ENSUREVISIBLE of the current row, partial visibility not enough.
  virtual void EnsureCurrentRowVisible() = 0;
  // Button 1018 to (937, top), 36 x 22, with `largerTooltip`; button 1019 to (973, top), 37 x 22,
  // with the images and tooltip of `showLook`; both repainted.
  virtual void PlaceMapButtons(int top, const QString& largerTooltip, const MapShowButtonLook& showLook) = 0;
  virtual void SetMapLargerTooltip(const QString& tooltip) = 0;
  // The command of the current channel view again (1028, 1030 or 1031; none when channelView is
  // 0), then the video repainted: the videos take back the room the map leaves.
  virtual void RerunChannelView() = 0;
  // A modal message box with the application title and an OK button.
  virtual void ShowMessage(const QString& text) = 0;
};
