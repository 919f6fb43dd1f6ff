// A main window stand-in for the telemetry controller: keeps the state the controller reads and
// records what it was asked to do.
#pragma once

#include "telemetryhost.h"

#include <QRect>
#include <QStringList>
#include <QWidget>
#include <memory>

struct FakeHost : TelemetryHost {
  FakeHost();
  ~FakeHost() override;

  QWidget* Face() override { return face.get(); }
  int ViewMode() const override { return viewMode; }
  int MapState() const override { return mapState; }
  void SetMapState(int state) override { mapState = state; }
  int UiLanguage() const override { return uiLanguage; }
  QString LoadUiString(int id) const override;
  QString CurrentRecordingPath() const override { return path; }
  void LayoutForView(int mode) override;
  void ResizeRecordingList(int height) override { listHeight = height; }
  void EnsureCurrentRowVisible() override { ++ensureVisibleCalls; }
  void PlaceMapButtons(int top, const QString& largerTooltip, const MapShowButtonLook& showLook) override;
  void SetMapLargerTooltip(const QString& tooltip) override { largerTooltip = tooltip; }
  void RerunChannelView() override { ++channelViewRuns; }
  void ShowMessage(const QString& text) override { messages.append(text); }

  std::unique_ptr<QWidget> face;
  int viewMode = ViewNormal;
  int mapState = MapHidden;
  int uiLanguage = 1042;
  QString path;
  QList<int> layouts;  // LayoutForView calls
  int listHeight = 508;
  int ensureVisibleCalls = 0;
  int buttonsTop = 639;
  QString largerTooltip = QStringLiteral("Show Larger Map");
  QString showTooltip = QStringLiteral("Show Map");
  int showBitmap = 280;
  int channelViewRuns = 0;
  QStringList messages;
};
