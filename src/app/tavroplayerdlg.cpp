#include "tavroplayerdlg.h"

#include "audiooutput.h"
#include "configlistctrl.h"
#include "decodersettings.h"
#include "extendedviewbars.h"
#include "paneldialog.h"
#include "recordinglist.h"
#include "imageslider.h"
#include "librarycontroller.h"
#include "mainlayout.h"
#include "platformservices.h"
#include "recordinglists.h"
#include "recordingsession.h"
#include "removabledrives.h"
#include "resourceids.h"
#include "skinbitmap.h"
#include "skinbutton.h"
#include "staticview.h"
#include "statictrans.h"
#include "stringtable.h"
#include "telemetrycontroller.h"
#include "transportcontroller.h"
#include "uilanguage.h"
#include "videoplayer.h"
#include "windowtelemetryhost.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QPainter>

using namespace ids;

namespace {

const char kWindowTitle[] = "TAVRO Roadcask QX5";
// Where the face shows its pictures of an empty video area and of the map buttons' strip.
constexpr QPoint kEmptyVideoAt(3, 77);
constexpr QPoint kMapStripSmallAt(695, 437);
constexpr QPoint kMapStripHiddenAt(695, 635);

QPixmap SkinPixmap(int id) { return QPixmap::fromImage(skin::LoadSkinBitmap(id)); }

}  // namespace

CTavroPlayerDlg::CTavroPlayerDlg(PlatformServices& services, QWidget* parent)
    : QDialog(parent, Qt::Window | Qt::FramelessWindowHint),
      services_(services),
      uiLanguage_(kLangKorean),
      player_(std::make_unique<CVideoPlayer>(services.Components(), &services.Audio())),
      lists_(new RecordingLists(this)) {
  setObjectName(ControlName(kMainDialogTemplate));
  // The whole face is painted from the skin; nothing of the platform's background shows.
  setAttribute(Qt::WA_OpaquePaintEvent);
  InstallDefaultDialogs(dialogs_, this, services_, [this](int id) { return LoadUiString(id); });
}

CTavroPlayerDlg::~CTavroPlayerDlg() {
  qApp->removeEventFilter(this);
  StopEngine();
}

void CTavroPlayerDlg::StopEngine() {
  if (transport_) transport_->StopTimer();
  if (telemetry_) telemetry_->Shutdown();
  player_->Close();
}

QString CTavroPlayerDlg::LoadUiString(int id) const { return services_.Strings().Load(id, uiLanguage_); }

bool CTavroPlayerDlg::OnInitDialog() {
  setWindowIcon(QIcon(SkinPixmap(IDI_MAIN)));
  setWindowTitle(QString::fromUtf8(kWindowTitle));
  ApplyDecoderSettings(services_.Registry());

  resize(kNormalWindowSize);
  setFixedSize(kNormalWindowSize);

  uiLanguage_ = ResolveUiLanguage(services_.Registry(), QLocale());

  CreateControls();
  LayoutForView(ViewNormal);

  ApplyDecoderSettings(services_.Registry());
  // The start-up test of the outside components; a missing one shows up when a recording fails
  // to open, which moves on to the next recording and says which one could not be played.
  player_->CheckFilters();

  if (RemovableDrives* drives = services_.Drives()) {
    connect(drives, &RemovableDrives::volumeRemoved, this, &CTavroPlayerDlg::OnDriveRemoved, Qt::QueuedConnection);
    drives->StartWatching();
  }

  if (!CreatePanels()) return false;

  UpdateControlStates(NoRecordings);
  qApp->installEventFilter(this);
  QMetaObject::invokeMethod(this, &CTavroPlayerDlg::OnDetectCard, Qt::QueuedConnection);
  return true;
}

bool CTavroPlayerDlg::CreatePanels() {
  bars_ = std::make_unique<ExtendedViewBars>(*this, this, &services_.Audio());
  // The controllers write the panels' twins from now on.
  layout_->SetBars(bars_.get());
  session_->SetTopBar(bars_->TopBar());
  transport_->SetControlPanel(bars_->ControlPanel());
  library_->SetFileListPanel(bars_->FileListPanel());
  return bars_->TopBar() && bars_->ControlPanel() && bars_->FileListPanel();
}

void CTavroPlayerDlg::CreateControls() {
  controls_.frontVideo = new CStaticView(QStringLiteral("Video window1"), this);
  controls_.frontVideo->setGeometry(QRect(QPoint(2, 175), QPoint(322, 317)));
  controls_.frontVideo->show();
  controls_.rearVideo = new CStaticView(QStringLiteral("Video window2"), this);
  controls_.rearVideo->setGeometry(QRect(QPoint(348, 174), QPoint(668, 414)));
  controls_.rearVideo->hide();

  player_->Attach(controls_.frontVideo, controls_.rearVideo);

  CreateButtons();
  CreateSlidersAndLabels();
  controls_.recordingList = new CConfigListCtrl(IDC_RECORDING_LIST, this);
  controls_.recordingList->setGeometry(695, 126, 308, 508);
  controls_.recordingList->CreateScrollbar();
  controls_.recordingList->UpdateLayout();
  SetUpRecordingList(*controls_.recordingList, &lists_->Model());
  lists_->SetMainList(controls_.recordingList);

  CreateControllers();
  ConnectCommands();
  transport_->SetInitialValues();
}

void CTavroPlayerDlg::CreateButtons() {
  for (const ButtonSpec& spec : MainButtons()) {
    auto* button = new CSovSkinButton(spec.id, spec.check ? ButtonKind::Check : ButtonKind::Push, this);
    button->SetBitmaps(spec.normal, spec.pressed, spec.hover, spec.disabled, spec.focus);
    button->setText(QString());
    button->SetToolTipText(QString::fromUtf8(spec.tooltip));
    controls_.buttons.insert(spec.id, button);
  }
}

void CTavroPlayerDlg::CreateSlidersAndLabels() {
  for (const SliderSpec& spec : MainSliders()) {
    auto* slider = new CSovImageSlider(spec.id, this);
    slider->SetBitmaps(spec.channel, spec.fill, spec.thumb, spec.drag, spec.focus);
    slider->SetWheelEnabled(false);
    controls_.sliders.insert(spec.id, slider);
  }
  controls_.Slider(IDC_POSITION_SLIDER)->setGeometry(39, 477, 371, 20);

  struct LabelSpec {
    int id;
    int image;
    QColor colour;
    const char* text;
  };
  const LabelSpec specs[] = {
      {IDC_ELAPSED_LABEL, IDB_ELAPSED_LABEL, QColor(33, 34, 36), "00:00:00"},
      {IDC_DURATION_LABEL, IDB_DURATION_LABEL, QColor(33, 34, 36), "00:00:00"},
      {IDC_FILE_NAME_LABEL, IDB_FILE_NAME_LABEL, QColor(146, 146, 146), ""},
  };
  for (const LabelSpec& spec : specs) {
    auto* label = new CSovStaticTrans(spec.id, this);
    label->SetBackgroundImage(spec.image);
    label->bkColour.reset();
    label->textColour = spec.colour;
    label->SetWindowText(QString::fromUtf8(spec.text));
    if (spec.id != IDC_FILE_NAME_LABEL) {
      // The time fits inside the rounded ends of its 50 x 13 background only a size smaller.
      label->SetFontHeight(14);
      label->SetAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
    }
    label->RefreshBackground();
    controls_.labels.insert(spec.id, label);
  }
}

void CTavroPlayerDlg::CreateControllers() {
  const auto loadUiString = [this](int id) { return LoadUiString(id); };
  layout_ = std::make_unique<MainLayout>(*this, controls_, *player_, services_.Audio());
  session_ = std::make_unique<RecordingSession>(
      *player_, *layout_,
      RecordingSession::Controls{controls_.Label(IDC_FILE_NAME_LABEL), controls_.Button(IDC_FLIP_VERTICAL),
                                 controls_.Button(IDC_FLIP_HORIZONTAL), controls_.Button(IDC_VIEW_REAR),
                                 controls_.Button(IDC_VIEW_BOTH)},
      dialogs_, loadUiString);
  transport_ = std::make_unique<TransportController>(
      *player_, services_.Audio(), *lists_, *session_, *layout_,
      TransportController::Controls{controls_.Button(IDC_PLAY), controls_.Button(IDC_MUTE),
                                    controls_.Slider(IDC_POSITION_SLIDER), controls_.Slider(IDC_SPEED_SLIDER),
                                    controls_.Slider(IDC_VOLUME_SLIDER), controls_.Slider(IDC_BRIGHTNESS_SLIDER),
                                    controls_.Label(IDC_ELAPSED_LABEL), controls_.Label(IDC_DURATION_LABEL)},
      dialogs_, loadUiString, this);
  library_ = std::make_unique<LibraryController>(
      services_, *lists_, *transport_, *session_, *layout_,
      LibraryController::Controls{{controls_.Button(IDC_TYPE_ALL), controls_.Button(IDC_TYPE_NORMAL),
                                   controls_.Button(IDC_TYPE_EVENT), controls_.Button(IDC_TYPE_MOTION)},
                                  controls_.Button(IDC_CALENDAR),
                                  controls_.Button(IDC_FOLDER),
                                  controls_.Button(IDC_CHECK_ALL)},
      dialogs_, loadUiString, this);

  telemetryHost_ = std::make_unique<WindowTelemetryHost>(*this, controls_, *layout_, *lists_, *session_, dialogs_);
  telemetry_ = std::make_unique<TelemetryController>(*telemetryHost_, *player_);
  // The map control 1068 is the telemetry's; the layout places it.
  controls_.mapView = telemetry_->MapView();
  controls_.mapView->setGeometry(0, 0, 0, 0);

  layout_->SetChannelCommand([this] { session_->RunChannelCommand(); });
  layout_->SetGraphDrawing([this] { telemetry_->DrawGSensorGraph(); });
  connect(transport_.get(), &TransportController::positionChanged, telemetry_.get(),
          &TelemetryController::OnPositionChanged);
  connect(session_.get(), &RecordingSession::recordingOpened, telemetry_.get(),
          &TelemetryController::OnRecordingOpened);
  connect(session_.get(), &RecordingSession::recordingClosed, this, [this] {
    // The map goes with the recording; its telemetry is emptied and the graph drawn bare.
    if (layout_->MapState() == MapSmall) {
      telemetry_->OnMapShow();
    } else if (layout_->MapState() == MapLarge) {
      layout_->SetMapState(MapHidden);
      layout_->LayoutForView(layout_->ViewMode());
    }
    telemetry_->OnRecordingClosed();
  });
  connect(library_.get(), &LibraryController::cardRemoved, telemetry_.get(), &TelemetryController::OnRecordingClosed);
  connect(telemetry_.get(), &TelemetryController::seekRequested, this, [this](qint64 positionMs) {
    if (!player_->PlayGraph()) return;
    SeekTo(positionMs);
    PositionTick();
  });
  session_->SetListingActive([this] { return library_->HasListing(); });
  library_->SetStartFolder(startFolder_);
}

void CTavroPlayerDlg::ConnectCommands() {
  for (auto it = controls_.buttons.cbegin(); it != controls_.buttons.cend(); ++it) {
    const int id = it.key();
    connect(it.value(), &CSovSkinButton::clicked, this, [this, id] { DispatchCommand(id); });
  }
  for (auto it = controls_.sliders.cbegin(); it != controls_.sliders.cend(); ++it) {
    const int id = it.key();
    connect(it.value(), &CSovImageSlider::hScroll, this,
            [this, id](int code, int position) { OnSliderScroll(id, code, position); });
  }
  connect(controls_.recordingList, &CConfigListCtrl::itemDoubleClicked, this, &CTavroPlayerDlg::PlayRow);
  connect(controls_.recordingList, &CConfigListCtrl::itemClicked, this, &CTavroPlayerDlg::OnListClick);
}

void CTavroPlayerDlg::DispatchCommand(int id) {
  switch (id) {
    case IDC_MINIMIZE: OnMinimize(); break;
    case IDC_CLOSE: OnClose(); break;
    case IDC_INFORMATION: OnInformation(); break;
    case IDC_CALENDAR: OnCalendar(); break;
    case IDC_SAVE: OnSave(); break;
    case IDC_DELETE: OnDelete(); break;
    case IDC_FLIP_VERTICAL: OnFlipVertical(); break;
    case IDC_FLIP_HORIZONTAL: OnFlipHorizontal(); break;
    case IDC_CAPTURE: OnCapture(); break;
    case IDC_EXTEND: OnExtend(); break;
    case IDC_TYPE_ALL: OnTypeFilter(TypeAll); break;
    case IDC_TYPE_NORMAL: OnTypeFilter(TypeNormal); break;
    case IDC_TYPE_EVENT: OnTypeFilter(TypeEvent); break;
    case IDC_TYPE_MOTION: OnTypeFilter(TypeMotion); break;
    case IDC_REWIND: OnRewind(); break;
    case IDC_FORWARD: OnForward(); break;
    case IDC_PLAY: PlayPause(); break;
    case IDC_PREVIOUS:
    case ID_PREVIOUS_RECORDING: PlayPrevious(); break;
    case IDC_NEXT:
    case ID_NEXT_RECORDING: PlayNext(); break;
    case IDC_MAP_LARGER: OnMapLarger(); break;
    case IDC_MAP_SHOW: OnMapShow(); break;
    case IDC_MUTE: ToggleMute(); break;
    case IDC_VIEW_FRONT: OnViewFront(); break;
    case IDC_VIEW_REAR: OnViewRear(); break;
    case IDC_VIEW_BOTH: OnViewBoth(); break;
    case IDC_FOLDER: OnFolder(); break;
    case IDC_CHECK_ALL: OnCheckAll(); break;
    default: break;  // the speed and brightness icons have no command
  }
}

const QPixmap& CTavroPlayerDlg::CachedSkin(int id) {
  // The face is large; decoding it on every paint would make dragging the window stutter.
  auto it = skinCache_.find(id);
  if (it == skinCache_.end()) it = skinCache_.insert(id, SkinPixmap(id));
  return *it;
}

void CTavroPlayerDlg::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  if (!layout_ || layout_->ViewMode() == ViewExtended) {
    painter.fillRect(rect(), Qt::black);
    return;
  }
  painter.drawPixmap(0, 0, CachedSkin(IDB_FACE));
  if (layout_->ChannelView() == ChannelNone) painter.drawPixmap(kEmptyVideoAt, CachedSkin(IDB_EMPTY_VIDEO));
  if (layout_->MapState() == MapSmall) painter.drawPixmap(kMapStripSmallAt, CachedSkin(IDB_MAP_STRIP));
  else if (layout_->MapState() == MapHidden) painter.drawPixmap(kMapStripHiddenAt, CachedSkin(IDB_MAP_STRIP));
  telemetry_->Paint(painter);
}

void CTavroPlayerDlg::resizeEvent(QResizeEvent* event) {
  QDialog::resizeEvent(event);
  if (layout_) layout_->OnResize();
}

bool CTavroPlayerDlg::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress) {
    auto* widget = qobject_cast<QWidget*>(watched);
    // A panel's keys are its own (a slider's arrows, a button's Space); Escape still reaches the
    // window from there.
    if (widget && widget->window() == this && !CPanelDialog::Contains(watched) &&
        PreTranslateKey(static_cast<QKeyEvent*>(event)->key()))
      return true;
  }
  return QDialog::eventFilter(watched, event);
}

bool CTavroPlayerDlg::PreTranslateKey(int key) {
  switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter: return true;
    case Qt::Key_Escape:
      if (CurrentViewMode() == ViewExtended) OnExtend();
      return true;
    case Qt::Key_Space: DispatchCommand(IDC_PLAY); return true;
    case Qt::Key_Left: DispatchCommand(IDC_REWIND); return true;
    case Qt::Key_Right: DispatchCommand(IDC_FORWARD); return true;
    case Qt::Key_PageUp: DispatchCommand(ID_PREVIOUS_RECORDING); return true;
    case Qt::Key_PageDown: DispatchCommand(ID_NEXT_RECORDING); return true;
    default: return false;
  }
}

void CTavroPlayerDlg::keyPressEvent(QKeyEvent* event) {
  if (!PreTranslateKey(event->key())) QDialog::keyPressEvent(event);
}

void CTavroPlayerDlg::mousePressEvent(QMouseEvent* event) {
  // A click on the G-sensor graph plays from there; anywhere else on the free face of the normal
  // window is its caption: pressing on it drags the window.
  if (telemetry_ && event->button() == Qt::LeftButton && telemetry_->HandleFaceClick(event->position().toPoint()))
    return;
  if (CurrentViewMode() != ViewExtended && drag_.Press(*this, *event)) return;
  QDialog::mousePressEvent(event);
}

void CTavroPlayerDlg::mouseMoveEvent(QMouseEvent* event) {
  if (drag_.Move(*this, *event)) return;
  // Moves over the picture or the bands of the extended view show and hide its bars.
  if (bars_) bars_->OnMouseMove(event->position().toPoint());
  QDialog::mouseMoveEvent(event);
}

void CTavroPlayerDlg::mouseReleaseEvent(QMouseEvent* event) {
  if (!drag_.Release(*event)) QDialog::mouseReleaseEvent(event);
}

void CTavroPlayerDlg::OnMinimize() { showMinimized(); }

void CTavroPlayerDlg::OnClose() {
  if (player_->PlayGraph()) player_->Stop();
  StopEngine();
  done(QDialog::Accepted);
}

void CTavroPlayerDlg::closeEvent(QCloseEvent* event) {
  StopEngine();
  QDialog::closeEvent(event);
}

// ---- Forwarders to the controllers ----

void CTavroPlayerDlg::UpdateControlStates(ControlState state) { layout_->UpdateControlStates(state); }
void CTavroPlayerDlg::LayoutForView(int mode) { layout_->LayoutForView(mode); }
void CTavroPlayerDlg::OnExtend() { layout_->OnExtend(); }

void CTavroPlayerDlg::PlayPause() { transport_->PlayPause(); }
void CTavroPlayerDlg::PlayPrevious() { transport_->PlayPrevious(); }
void CTavroPlayerDlg::PlayNext() { transport_->PlayNext(); }
void CTavroPlayerDlg::PlayRow(int row) { transport_->PlayRow(row); }
void CTavroPlayerDlg::StopAndReset() { transport_->StopAndReset(); }
void CTavroPlayerDlg::PositionTick() { transport_->PositionTick(); }
void CTavroPlayerDlg::OnRewind() { transport_->OnRewind(); }
void CTavroPlayerDlg::OnForward() { transport_->OnForward(); }
void CTavroPlayerDlg::ToggleMute() { transport_->ToggleMute(); }
void CTavroPlayerDlg::OnSliderScroll(int sliderId, int code, int position) {
  transport_->OnSliderScroll(sliderId, code, position);
}

bool CTavroPlayerDlg::OpenRecording(const QString& path) { return session_->OpenRecording(path); }
void CTavroPlayerDlg::OnViewFront() { session_->OnViewFront(); }
void CTavroPlayerDlg::OnViewRear() { session_->OnViewRear(); }
void CTavroPlayerDlg::OnViewBoth() { session_->OnViewBoth(); }
void CTavroPlayerDlg::OnFlipVertical() { session_->OnFlipVertical(); }
void CTavroPlayerDlg::OnFlipHorizontal() { session_->OnFlipHorizontal(); }
void CTavroPlayerDlg::OnCapture() { session_->OnCapture(); }

bool CTavroPlayerDlg::HasRemovableDrive() const { return library_->HasRemovableDrive(); }
bool CTavroPlayerDlg::SelectDriveAndScan() { return library_->SelectDriveAndScan(); }
void CTavroPlayerDlg::OnDetectCard() { library_->OnDetectCard(); }
void CTavroPlayerDlg::OnDriveRemoved(const QString& root) { library_->OnDriveRemoved(root); }
void CTavroPlayerDlg::OnInformation() { library_->OnInformation(); }
bool CTavroPlayerDlg::ScanRecordings(int typeFilter, bool dateFilter) {
  return library_->ScanRecordings(typeFilter, dateFilter);
}
void CTavroPlayerDlg::OnTypeFilter(int typeFilter) { library_->OnTypeFilter(typeFilter); }
void CTavroPlayerDlg::OnCalendar() { library_->OnCalendar(); }
void CTavroPlayerDlg::OnFolder() { library_->OnFolder(); }
void CTavroPlayerDlg::OnCheckAll() { library_->OnCheckAll(); }
void CTavroPlayerDlg::OnSave() { library_->OnSave(); }
void CTavroPlayerDlg::OnDelete() { library_->OnDelete(); }
void CTavroPlayerDlg::OnListClick(int row) { library_->OnListClick(row); }
void CTavroPlayerDlg::ListFolderMode(const QString& folder) { library_->ListFolderMode(folder); }

void CTavroPlayerDlg::OnMapLarger() { telemetry_->OnMapLarger(); }
void CTavroPlayerDlg::OnMapShow() { telemetry_->OnMapShow(); }

// ---- For the panels ----

void CTavroPlayerDlg::SeekTo(qint64 positionMs) { player_->SeekTo(static_cast<uint64_t>(std::max<qint64>(positionMs, 0))); }
// The panel's double click: a row that cannot be played moves on to the next one, as from the
// window's own list; the row found playable stays the current one.
void CTavroPlayerDlg::PlayRowFromPanel(int row) { transport_->PlayRow(row); }
// The check mark came through the rows model already; the selection is the panel's.
void CTavroPlayerDlg::OnPanelListClick(int row) { lists_->SelectInBoth(row); }
RecordingModel* CTavroPlayerDlg::RecordingRows() { return &lists_->Model(); }
void CTavroPlayerDlg::AttachTwinList(CConfigListCtrl* list) { lists_->SetTwinList(list); }
void CTavroPlayerDlg::SetMuteLook(bool muted) { transport_->SetMuteLook(muted); }
bool CTavroPlayerDlg::IsExtendedView() const { return CurrentViewMode() == ViewExtended; }
void CTavroPlayerDlg::RepaintVideo() { player_->Repaint(); }

// ---- Access ----

CConfigListCtrl* CTavroPlayerDlg::PanelList() const { return lists_->TwinList(); }
RecordingModel& CTavroPlayerDlg::Rows() const { return lists_->Model(); }
bool CTavroPlayerDlg::TimerRunning() const { return transport_ && transport_->TimerRunning(); }
int CTavroPlayerDlg::CurrentControlState() const { return layout_ ? layout_->CurrentControlState() : NoRecordings; }
int CTavroPlayerDlg::CurrentIndex() const { return lists_->CurrentIndex(); }
QString CTavroPlayerDlg::CardRoot() const { return library_ ? library_->CardRoot() : QString(); }
bool CTavroPlayerDlg::FolderMode() const { return library_ && library_->FolderMode(); }
int CTavroPlayerDlg::CurrentViewMode() const { return layout_ ? layout_->ViewMode() : ViewNormal; }
int CTavroPlayerDlg::CurrentMapState() const { return layout_ ? layout_->MapState() : MapHidden; }
int CTavroPlayerDlg::CurrentChannelView() const { return layout_ ? layout_->ChannelView() : ChannelNone; }
int CTavroPlayerDlg::FlipVertical() const { return session_ ? session_->FlipVertical() : 0; }
QString CTavroPlayerDlg::CaptureFolder() const { return session_ ? session_->CaptureFolder() : QString(); }
