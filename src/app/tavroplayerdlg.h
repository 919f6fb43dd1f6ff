// The player's main window: owns the engine, the video windows, the recording lists, every skinned
// control and the dialogs, and carries out every command of the player.
#pragma once

#include "filecopy.h"

#include <QDialog>
#include <QHash>
#include <QImage>
#include <QPixmap>
#include <QMap>
#include <QPointer>
#include <QRect>
#include <QString>
#include <functional>
#include <memory>
#include <optional>

class CConfigListCtrl;
class CInformationDlg;
class CSelectMonthDlg;
class CSovImageSlider;
class CSovSkinButton;
class CSovStaticTrans;
class CStaticView;
class CVideoPlayer;
class PlatformServices;
class QBasicTimer;
class QMessageBox;
class RecordingModel;
class RemovableDrives;
class QTimerEvent;

class CTavroPlayerDlg : public QDialog {
  Q_OBJECT
 public:
  enum ControlState { NoRecordings = 0, Listed = 1, Opened = 2 };
  enum MapState { MapHidden = 0, MapSmall = 8, MapLarge = 16 };
  enum ViewMode { ViewNormal = 1, ViewExtended = 2, ViewLargeMap = 16 };
  enum TypeFilter { TypeAll = 1, TypeNormal = 2, TypeEvent = 3, TypeMotion = 4 };

  // The modal questions the window asks. Tests answer them without showing anything.
  struct Dialogs {
    // A message box with the application title; returns QMessageBox::StandardButton.
    std::function<int(const QString& text, bool okCancel)> message;
    // The folder browser: owner title, title line and the folder to start in; empty when cancelled.
    std::function<QString(const QString& windowTitle, const QString& titleLine, const QString& start)> chooseFolder;
    // The drive selection dialog: the chosen entry's text, or no value when not confirmed.
    std::function<std::optional<QString>()> selectDrive;
    // The date dialog: the chosen date (seconds since 1970), or no value when cancelled.
    std::function<std::optional<qint64>()> selectDate;
    // The capture save dialog: initial name and folder; the chosen full path or empty.
    std::function<QString(const QString& initialName, const QString& folder)> chooseCaptureFile;
    // Asked before an existing capture file is replaced.
    std::function<bool(const QString& path)> confirmReplace;
    // A message that must not stop what the window is doing (a non-modal box).
    std::function<void(const QString& text)> notice;
    // The questions and messages of a save (empty members: the message boxes).
    CopyHooks copy;
  };

  explicit CTavroPlayerDlg(PlatformServices& services, QWidget* parent = nullptr);
  ~CTavroPlayerDlg() override;

  // Start-up: everything the player needs before the user acts; false when a panel could not be made.
  bool OnInitDialog();
  QString LoadUiString(int id) const;
  void UpdateControlStates(ControlState state);
  void LayoutForView(int mode);

  // ---- Transport and position timer ----
  void PlayPause();
  void PlayPrevious();
  void PlayNext();
  void PlayRow(int row);
  void StopAndReset();
  void PositionTick();
  void OnRewind();
  void OnForward();
  void ToggleMute();
  void OnSliderScroll(int sliderId, int code, int position);
  static QString TimeText(qint64 ms);
  static double RateForSpeedPosition(int position);

  // ---- Playback control ----
  bool OpenRecording(const QString& path);
  void OnViewFront();
  void OnViewRear();
  void OnViewBoth();
  void OnFlipVertical();
  void OnFlipHorizontal();
  void OnCapture();
  static QRect Fit16x9(int width, int height);
  // "%s_IMG_C%s.jpg" of the name's first 15 characters and its character at position 21.
  static QString CaptureInitialName(const QString& recordingName);
  // The chosen path without a ".jpg" extension (compared upper-cased); any other extension stays.
  static QString CaptureBasePath(const QString& chosen);

  // ---- Recording library ----
  bool HasRemovableDrive() const;
  bool SelectDriveAndScan();
  void OnDetectCard();
  void OnDriveRemoved(const QString& root);
  void OnInformation();
  bool ScanRecordings(int typeFilter, bool dateFilter);
  void ClearRecordingLists();
  void OnTypeFilter(int typeFilter);
  void OnCalendar();
  void OnFolder();
  void OnCheckAll();
  void OnSave();
  void OnDelete();
  void OnListClick(int row);
  // Lists the given folder as the folder command would (the command line's folder argument).
  void ListFolderMode(const QString& folder);
  // A folder to list at start instead of searching for a card.
  void SetStartFolder(const QString& folder) { startFolder = folder; }

  // ---- Telemetry (map, speed and G-sensor graph; filled by the telemetry side) ----
  void UpdateMapPosition(qint64 positionMs);
  void UpdateSpeed(qint64 positionMs);

  // ---- Window ----
  void OnExtend();
  void OnMapLarger();
  void OnMapShow();
  void OnMinimize();
  void OnClose();

  // ---- Access for panels and tests ----
  CSovSkinButton* Button(int id) const;
  CSovImageSlider* Slider(int id) const;
  CSovStaticTrans* Label(int id) const;
  CConfigListCtrl* RecordingList() const { return recordingList; }
  CConfigListCtrl* PanelList() const;
  CVideoPlayer& Player() const { return *player; }
  RecordingModel& Rows() const { return *rows; }
  Dialogs& DialogHooks() { return dialogs; }
  bool TimerRunning() const;
  int CurrentControlState() const { return controlState; }

  // ---- Members of the window's model ----
  int uiLanguage;
  int viewMode = ViewNormal;
  int channelView = 0;  // 0 none yet, 1 front, 2 rear, 4 both
  int mapState = MapHidden;
  int bandState = 0;
  QRect windowRect;
  int currentIndex = -1;
  QString cardRoot;
  bool folderMode = false;
  qint64 selectedDate = 0;
  quint8 flipVertical = 0;
  quint8 flipHorizontal = 0;
  QString lastSaveFolder;
  // True while cardRoot is a chosen folder whose files are listed directly (no "Recordings" below).
  bool listingFolderItself = false;
  // The card that was listed when a folder was chosen; switching folder mode off lists it again.
  QString cardRootBeforeFolder;
  QString captureFolder;
  QImage gsensorImage;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void timerEvent(QTimerEvent* event) override;
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
  void SetupRecordingLists();
  void ConnectCommands();
  bool CreatePanels();
  int ReadLanguageSetting() const;
  void InstallLibraryDialogs();
  const QPixmap& CachedSkin(int id);

  // Helpers of the commands.
  bool PreTranslateKey(int key);
  void DispatchCommand(int id);
  void SetPlayLook(bool pause);
  void SetMuteLook(bool muted);
  void SetWaveOutVolumeForStep(int step);
  void UpdateTimeLabels(qint64 positionMs, qint64 durationMs);
  void SetPositionSliders(qint64 positionMs, bool redrawNow);
  void SelectAndReveal(int row);
  void ApplyBrightnessToDecoders(int brightness);
  void SetChannelButtons(int checkedId);
  void ToggleRearFlip(int buttonId, quint8& flag, int parameter);
  void RunChannelCommand();
  int FirstCheckedType() const;
  void SetTypeButtons(int typeFilter);
  void RestartTelemetry();
  void DrawGSensorGraph();
  bool IsRunningOrPaused() const;
  int StreamCount() const;

  PlatformServices& services;
  Dialogs dialogs;
  std::unique_ptr<CVideoPlayer> player;
  RecordingModel* rows = nullptr;  // child
  CStaticView* frontVideo = nullptr;
  CStaticView* rearVideo = nullptr;
  CConfigListCtrl* recordingList = nullptr;
  CSovStaticTrans* fileNameLabel = nullptr;
  QWidget* mapView = nullptr;
  QMap<int, CSovSkinButton*> buttons;
  QMap<int, CSovImageSlider*> sliders;
  QMap<int, CSovStaticTrans*> labels;
  QHash<int, QPixmap> skinCache;
  QPointer<CInformationDlg> informationDlg;
  QPointer<QMessageBox> noticeBox;
  std::unique_ptr<QBasicTimer> positionTimer;
  int controlState = NoRecordings;
  QString startFolder;
  QPoint dragOffset;
  bool draggingWindow = false;
};
