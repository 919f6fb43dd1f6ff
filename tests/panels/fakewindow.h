// A stand-in main window for the panel tests: real skinned twin controls and face controls, the
// commands the panels call recorded in order, and the window's part of the extended view (moves,
// resizes and the extend toggle forwarded to ExtendedViewBars) as the player's window does it.
#pragma once

#include "panelhost.h"
#include "recordingmodel.h"

#include <QMap>
#include <QPointer>
#include <QStringList>
#include <QWidget>
#include <memory>

class AudioOutput;
class CConfigListCtrl;
class CControlFileListDlg;
class CControlPanelDlg;
class CControlTopDlg;
class ExtendedViewBars;

class FakeWindow : public QWidget, public PanelHost {
 public:
  explicit FakeWindow(AudioOutput* audio = nullptr);
  ~FakeWindow() override;

  CControlTopDlg* TopBar() const;
  CControlPanelDlg* ControlPanel() const;
  CControlFileListDlg* FileListPanel() const;
  ExtendedViewBars& Bars() const { return *bars; }

  // The extend toggle as the window carries it out: the flag, then the bars.
  void EnterExtended();
  void LeaveExtended();
  // Fills the rows both lists show, with a check cell per row in the panel's list.
  void SetRows(int count);

  QStringList calls;  // "PlayPause", "OnTypeFilter(2)", "SeekTo(1500)", "OnCalendar[1003=1]", ...
  QList<int> keysReachingWindow;
  bool extended = false;
  int currentIndex = -1;
  RecordingModel rows;
  QPointer<CConfigListCtrl> twinList;
  QString panelCheckAtClick;  // the panel list's check text of the clicked row when the click arrived

  // ---- PanelHost ----
  void PlayPause() override { calls << "PlayPause"; }
  void PlayPrevious() override { calls << "PlayPrevious"; }
  void PlayNext() override { calls << "PlayNext"; }
  void OnRewind() override { calls << "OnRewind"; }
  void OnForward() override { calls << "OnForward"; }
  void OnInformation() override { calls << "OnInformation"; }
  void SeekTo(qint64 positionMs) override { calls << QStringLiteral("SeekTo(%1)").arg(positionMs); }
  void PositionTick() override { calls << "PositionTick"; }
  void OnExtend() override;
  void OnViewFront() override { calls << "OnViewFront"; }
  void OnViewRear() override { calls << "OnViewRear"; }
  void OnViewBoth() override { calls << "OnViewBoth"; }
  void OnFlipVertical() override { calls << "OnFlipVertical"; }
  void OnFlipHorizontal() override { calls << "OnFlipHorizontal"; }
  void OnTypeFilter(int typeFilter) override { calls << QStringLiteral("OnTypeFilter(%1)").arg(typeFilter); }
  void OnCalendar() override { calls << WithTwin("OnCalendar", 1003); }
  void OnFolder() override { calls << WithTwin("OnFolder", 1092); }
  void OnCheckAll() override { calls << WithTwin("OnCheckAll", 1093); }
  void OnSave() override { calls << "OnSave"; }
  void OnDelete() override { calls << "OnDelete"; }
  void PlayRowFromPanel(int row) override { calls << QStringLiteral("PlayRowFromPanel(%1)").arg(row); }
  void OnPanelListClick(int row) override;
  RecordingModel* RecordingRows() override { return &rows; }
  int CurrentIndex() const override { return currentIndex; }
  void AttachTwinList(CConfigListCtrl* list) override;
  CSovSkinButton* Button(int id) const override;
  CSovImageSlider* Slider(int id) const override;
  void SetMuteLook(bool muted) override;
  bool IsExtendedView() const override { return extended; }
  QWidget* Control(int id) const override { return controls.value(id); }
  void RepaintVideo() override { calls << "RepaintVideo"; }

  // Every face control the bands may hide or show, by id.
  QMap<int, QWidget*> controls;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  QString WithTwin(const char* command, int twinId) const;

  std::unique_ptr<ExtendedViewBars> bars;
};
