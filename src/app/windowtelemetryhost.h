// WindowTelemetryHost: the main window as the telemetry sees it. It answers from the window's
// controllers (layout, lists, the recording in the player) and moves the window's controls the
// map commands move, so the telemetry never reaches into the window itself.
#pragma once

#include "telemetryhost.h"

#include <functional>

class CTavroPlayerDlg;
class MainLayout;
class RecordingLists;
class RecordingSession;
struct MainControls;
struct PlayerDialogs;

class WindowTelemetryHost : public TelemetryHost {
 public:
  WindowTelemetryHost(CTavroPlayerDlg& window, const MainControls& controls, MainLayout& layout,
                      RecordingLists& lists, RecordingSession& session, PlayerDialogs& dialogs);

  QWidget* Face() override;
  int ViewMode() const override;
  int MapState() const override;
  void SetMapState(int state) override;
  int UiLanguage() const override;
  QString LoadUiString(int id) const override;
  QString CurrentRecordingPath() const override;
  void LayoutForView(int mode) override;
  void ResizeRecordingList(int height) override;
  void EnsureCurrentRowVisible() override;
  void PlaceMapButtons(int top, const QString& largerTooltip, const MapShowButtonLook& showLook) override;
  void SetMapLargerTooltip(const QString& tooltip) override;
  void RerunChannelView() override;
  void ShowMessage(const QString& text) override;

 private:
  CTavroPlayerDlg& window_;
  const MainControls& controls_;
  MainLayout& layout_;
  RecordingLists& lists_;
  RecordingSession& session_;
  PlayerDialogs& dialogs_;
};
