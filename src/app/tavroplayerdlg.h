// The player's main window. It creates and skins its controls, paints its face, routes commands
// and keys, and owns the engine and the controllers that do the work: the layout, the recording in
// the player, the transport and the library, and the extended view's bars. Its handlers keep the
// names of the player's model and forward to those controllers, so panels and tests call "the
// main window's PlayPause"; it is the panels' host.
#pragma once

#include "dialoghooks.h"
#include "maincontrols.h"
#include "panelhost.h"
#include "playerstates.h"
#include "windowdrag.h"

#include <QDialog>
#include <QHash>
#include <QPixmap>
#include <QString>
#include <memory>

class CConfigListCtrl;
class CSovImageSlider;
class CSovSkinButton;
class CSovStaticTrans;
class CVideoPlayer;
class ExtendedViewBars;
class LibraryController;
class MainLayout;
class PlatformServices;
class RecordingLists;
class RecordingModel;
class RecordingSession;
class TelemetryController;
class TransportController;
class WindowTelemetryHost;

class CTavroPlayerDlg : public QDialog, public PanelHost {
  Q_OBJECT
 public:
  using enum ControlState;
  using enum ViewMode;
  using enum MapState;
  using enum TypeFilter;
  using Dialogs = PlayerDialogs;

  explicit CTavroPlayerDlg(PlatformServices& services, QWidget* parent = nullptr);
  ~CTavroPlayerDlg() override;

  // A folder to list at start instead of searching for a card (set before OnInitDialog).
  void SetStartFolder(const QString& folder) { startFolder_ = folder; }
  // Start-up: everything the player needs before the user acts; false when a panel could not be made.
  bool OnInitDialog();
  QString LoadUiString(int id) const;
  int UiLanguage() const { return uiLanguage_; }

  // ---- Layout and control states ----
  void UpdateControlStates(ControlState state);
  void LayoutForView(int mode);
  void OnExtend() override;

  // ---- Transport ----
  void PlayPause() override;
  void PlayPrevious() override;
  void PlayNext() override;
  void PlayRow(int row);
  void StopAndReset();
  void PositionTick() override;
  void OnRewind() override;
  void OnForward() override;
  void ToggleMute();
  void OnSliderScroll(int sliderId, int code, int position);

  // ---- The recording in the player ----
  bool OpenRecording(const QString& path);
  void OnViewFront() override;
  void OnViewRear() override;
  void OnViewBoth() override;
  void OnFlipVertical() override;
  void OnFlipHorizontal() override;
  void OnCapture();

  // ---- Recording library ----
  bool HasRemovableDrive() const;
  bool SelectDriveAndScan();
  void OnDetectCard();
  void OnDriveRemoved(const QString& root);
  void OnInformation() override;
  bool ScanRecordings(int typeFilter, bool dateFilter);
  void OnTypeFilter(int typeFilter) override;
  void OnCalendar() override;
  void OnFolder() override;
  void OnCheckAll() override;
  void OnSave() override;
  void OnDelete() override;
  void OnListClick(int row);
  // Lists the given folder as the folder command would (the command line's folder argument).
  void ListFolderMode(const QString& folder);

  // ---- Window ----
  void OnMapLarger();
  void OnMapShow();
  void OnMinimize();
  void OnClose();

  // ---- For the panels of the extended view ----
  void SeekTo(qint64 positionMs) override;
  void PlayRowFromPanel(int row) override;
  void OnPanelListClick(int row) override;
  RecordingModel* RecordingRows() override;
  void AttachTwinList(CConfigListCtrl* list) override;
  void SetMuteLook(bool muted) override;
  bool IsExtendedView() const override;
  QWidget* Control(int id) const override { return controls_.Control(id); }
  void RepaintVideo() override;
  ExtendedViewBars* Bars() const { return bars_.get(); }
  TelemetryController* Telemetry() const { return telemetry_.get(); }

  // ---- Access for panels and tests ----
  CSovSkinButton* Button(int id) const override { return controls_.Button(id); }
  CSovImageSlider* Slider(int id) const override { return controls_.Slider(id); }
  CSovStaticTrans* Label(int id) const { return controls_.Label(id); }
  CConfigListCtrl* RecordingList() const { return controls_.recordingList; }
  CConfigListCtrl* PanelList() const;
  CVideoPlayer& Player() const { return *player_; }
  RecordingLists& Lists() const { return *lists_; }
  RecordingModel& Rows() const;
  PlayerDialogs& DialogHooks() { return dialogs_; }
  bool TimerRunning() const;
  int CurrentControlState() const;
  int CurrentIndex() const override;
  QString CardRoot() const;
  bool FolderMode() const;
  int CurrentViewMode() const;
  int CurrentMapState() const;
  int CurrentChannelView() const;
  int FlipVertical() const;
  QString CaptureFolder() const;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // Start-up steps.
  void CreateControls();
  void CreateButtons();
  void CreateSlidersAndLabels();
  void CreateControllers();
  void ConnectCommands();
  bool CreatePanels();
  // Ends the telemetry's loading and the engine, in this order (the loading reads through the
  // engine's graph).
  void StopEngine();
  const QPixmap& CachedSkin(int id);

  // Keys the window takes before any control sees them; true when taken.
  bool PreTranslateKey(int key);
  void DispatchCommand(int id);

  PlatformServices& services_;
  PlayerDialogs dialogs_;
  int uiLanguage_;
  QString startFolder_;
  std::unique_ptr<CVideoPlayer> player_;
  RecordingLists* lists_;  // child
  MainControls controls_;
  // The controllers, made in one step by CreateControllers; each is wired to those it uses.
  std::unique_ptr<MainLayout> layout_;
  std::unique_ptr<RecordingSession> session_;
  std::unique_ptr<TransportController> transport_;
  std::unique_ptr<LibraryController> library_;
  std::unique_ptr<WindowTelemetryHost> telemetryHost_;
  std::unique_ptr<TelemetryController> telemetry_;
  std::unique_ptr<ExtendedViewBars> bars_;

  QHash<int, QPixmap> skinCache_;
  WindowDrag drag_;
};
