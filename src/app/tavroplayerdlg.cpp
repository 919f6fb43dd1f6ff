// Composition of the main window: start-up, controls, painting, control states, keys and the
// window's own commands. Transport, playback, library and view commands live in their own files.
#include "tavroplayerdlg.h"

#include "audiooutput.h"
#include "configlistctrl.h"
#include "decodersettings.h"
#include "imageslider.h"
#include "informationdlg.h"
#include "maincontrols.h"
#include "platformservices.h"
#include "recordinglist.h"
#include "recordingmodel.h"
#include "registry.h"
#include "removabledrives.h"
#include "resourceids.h"
#include "skinbitmap.h"
#include "skinbutton.h"
#include "staticview.h"
#include "statictrans.h"
#include "stringtable.h"
#include "videoplayer.h"

#include <QApplication>
#include <QBasicTimer>
#include <QCloseEvent>
#include <QFileDialog>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPainter>
#include <QTimerEvent>
#include <QWindow>

using namespace ids;

namespace {

const char kWindowTitle[] = "TAVRO Roadcask QX5";
const QString kAppPathsKey =
    QStringLiteral("SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\TAVRORoadcask.exe");

QPixmap SkinPixmap(int id) { return QPixmap::fromImage(skin::LoadSkinBitmap(id)); }

}  // namespace

CTavroPlayerDlg::CTavroPlayerDlg(PlatformServices& services, QWidget* parent)
    : QDialog(parent, Qt::Window | Qt::FramelessWindowHint),
      uiLanguage(kLangKorean),
      services(services),
      positionTimer(std::make_unique<QBasicTimer>()) {
  setObjectName(ControlName(kMainDialogTemplate));
  // The whole face is painted from the skin; nothing of the platform's background shows.
  setAttribute(Qt::WA_OpaquePaintEvent);

  dialogs.message = [this](const QString& text, bool okCancel) {
    return QMessageBox::warning(this, LoadUiString(IDS_APP_TITLE), text,
                                okCancel ? QMessageBox::Ok | QMessageBox::Cancel : QMessageBox::Ok);
  };
  dialogs.chooseFolder = [this](const QString& windowTitle, const QString& titleLine, const QString& start) {
    QFileDialog dialog(this, windowTitle.isEmpty() ? titleLine : windowTitle, start);
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly);
    dialog.setLabelText(QFileDialog::LookIn, titleLine);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return QString();
    return dialog.selectedFiles().first();
  };
  dialogs.chooseCaptureFile = [this](const QString& initialName, const QString& folder) {
    QFileDialog dialog(this, QString(), folder, QStringLiteral("jpeg file (*.jpg)"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.selectFile(initialName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return QString();
    return dialog.selectedFiles().first();
  };
  dialogs.notice = [this](const QString& text) {
    // One box at a time: a run of unplayable recordings updates it instead of piling up boxes.
    if (!noticeBox) {
      noticeBox = new QMessageBox(QMessageBox::Warning, LoadUiString(IDS_APP_TITLE), QString(), QMessageBox::Ok, this);
      noticeBox->setAttribute(Qt::WA_DeleteOnClose);
      noticeBox->setModal(false);
    }
    noticeBox->setText(text);
    noticeBox->show();
  };
  dialogs.confirmReplace = [this](const QString& path) {
    return QMessageBox::question(this, LoadUiString(IDS_APP_TITLE),
                                 LoadUiString(IDS_CAPTURE_REPLACE).arg(path)) == QMessageBox::Yes;
  };
  InstallLibraryDialogs();

  player = std::make_unique<CVideoPlayer>(services.Components(), &services.Audio());
  rows = new RecordingModel(this);
}

CTavroPlayerDlg::~CTavroPlayerDlg() {
  qApp->removeEventFilter(this);
  positionTimer->stop();
  if (player) player->Close();
}

QString CTavroPlayerDlg::LoadUiString(int id) const { return services.Strings().Load(id, uiLanguage); }

int CTavroPlayerDlg::ReadLanguageSetting() const {
  auto key = RegistryKey::Open(services.Registry(), RegistryRoot::LocalMachine, kAppPathsKey);
  if (!key) return kLangKorean;
  bool ok = false;
  // The installer stores a decimal language id as text, at most 256 bytes.
  const int value = key->QueryString(QStringLiteral("language")).value_or(QString()).left(256).trimmed().toInt(&ok);
  switch (ok ? value : 0) {
    case kLangEnglish:
    case kLangJapanese:
    case kLangKorean:
    case kLangRussian: return value;
    default: return kLangKorean;
  }
}

bool CTavroPlayerDlg::OnInitDialog() {
  setWindowIcon(QIcon(SkinPixmap(IDI_MAIN)));
  setWindowTitle(QString::fromUtf8(kWindowTitle));
  ApplyDecoderSettings(services.Registry());

  resize(1022, 682);
  setFixedSize(1022, 682);
  windowRect = QRect(pos(), QSize(1022, 682));

  uiLanguage = ReadLanguageSetting();

  CreateControls();
  LayoutForView(ViewNormal);

  ApplyDecoderSettings(services.Registry());
  // The start-up test of the outside components; a missing one shows up when a recording fails
  // to open, which moves on to the next recording.
  player->CheckFilters();

  if (RemovableDrives* drives = services.Drives()) {
    connect(drives, &RemovableDrives::volumeRemoved, this, &CTavroPlayerDlg::OnDriveRemoved,
            Qt::QueuedConnection);
    drives->StartWatching();
  }

  if (!CreatePanels()) return false;

  UpdateControlStates(NoRecordings);
  qApp->installEventFilter(this);
  QMetaObject::invokeMethod(this, &CTavroPlayerDlg::OnDetectCard, Qt::QueuedConnection);
  return true;
}

bool CTavroPlayerDlg::CreatePanels() {
  // The floating bars of the extended view are not part of this window yet; every place that
  // talks to them asks whether they exist.
  return true;
}

void CTavroPlayerDlg::CreateControls() {
  frontVideo = new CStaticView(QStringLiteral("Video window1"), this);
  frontVideo->setGeometry(QRect(QPoint(2, 175), QPoint(322, 317)));
  frontVideo->show();
  rearVideo = new CStaticView(QStringLiteral("Video window2"), this);
  rearVideo->setGeometry(QRect(QPoint(348, 174), QPoint(668, 414)));
  rearVideo->hide();

  mapView = new QWidget(this);
  mapView->setObjectName(ControlName(IDC_MAP_VIEW));
  mapView->setGeometry(0, 0, 0, 0);

  player->Attach(frontVideo, rearVideo);

  CreateButtons();
  CreateSlidersAndLabels();
  SetupRecordingLists();
  ConnectCommands();

  // Volume at half on both channels; the state update then decides whether there is a device.
  CSovImageSlider* volume = sliders.value(IDC_VOLUME_SLIDER);
  volume->SetRange(0, 99);
  volume->SetPos(50);
  volume->setEnabled(true);
  services.Audio().SetVolume(0x7FFF7FFF);
  buttons.value(IDC_MUTE)->setEnabled(true);
  buttons.value(IDC_MUTE)->SetCheck(false);

  sliders.value(IDC_SPEED_SLIDER)->SetRange(1, 9);
  sliders.value(IDC_SPEED_SLIDER)->SetPos(5);
  sliders.value(IDC_BRIGHTNESS_SLIDER)->SetRange(-150, 150);
  sliders.value(IDC_BRIGHTNESS_SLIDER)->SetPos(0);
}

void CTavroPlayerDlg::CreateButtons() {
  for (const ButtonSpec& spec : MainButtons()) {
    auto* button = new CSovSkinButton(spec.id, spec.check ? ButtonKind::Check : ButtonKind::Push, this);
    button->SetBitmaps(spec.normal, spec.pressed, spec.hover, spec.disabled, spec.focus);
    button->setText(QString());
    button->SetToolTipText(QString::fromUtf8(spec.tooltip));
    buttons.insert(spec.id, button);
  }
}

void CTavroPlayerDlg::CreateSlidersAndLabels() {
  for (const SliderSpec& spec : MainSliders()) {
    auto* slider = new CSovImageSlider(spec.id, this);
    slider->SetBitmaps(spec.channel, spec.fill, spec.thumb, spec.drag, spec.focus);
    slider->SetWheelEnabled(false);
    sliders.insert(spec.id, slider);
  }
  sliders.value(IDC_POSITION_SLIDER)->setGeometry(39, 477, 371, 20);

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
    labels.insert(spec.id, label);
  }
  fileNameLabel = labels.value(IDC_FILE_NAME_LABEL);
  fileNameLabel->SetWindowText(QString());
}

void CTavroPlayerDlg::SetupRecordingLists() {
  recordingList = new CConfigListCtrl(IDC_RECORDING_LIST, this);
  recordingList->setGeometry(695, 126, 308, 508);
  recordingList->CreateScrollbar();
  recordingList->UpdateLayout();
  SetUpRecordingList(*recordingList, rows);
  recordingList->SetPlayedRowSource([this] { return currentIndex; });
}

void CTavroPlayerDlg::ConnectCommands() {
  for (auto it = buttons.cbegin(); it != buttons.cend(); ++it) {
    const int id = it.key();
    connect(it.value(), &CSovSkinButton::clicked, this, [this, id] { DispatchCommand(id); });
  }
  for (auto it = sliders.cbegin(); it != sliders.cend(); ++it) {
    const int id = it.key();
    connect(it.value(), &CSovImageSlider::hScroll, this,
            [this, id](int code, int position) { OnSliderScroll(id, code, position); });
  }
  connect(recordingList, &CConfigListCtrl::itemDoubleClicked, this, &CTavroPlayerDlg::PlayRow);
  connect(recordingList, &CConfigListCtrl::itemClicked, this, &CTavroPlayerDlg::OnListClick);
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
  auto it = skinCache.find(id);
  if (it == skinCache.end()) it = skinCache.insert(id, SkinPixmap(id));
  return *it;
}

CSovSkinButton* CTavroPlayerDlg::Button(int id) const { return buttons.value(id); }
CSovImageSlider* CTavroPlayerDlg::Slider(int id) const { return sliders.value(id); }
CSovStaticTrans* CTavroPlayerDlg::Label(int id) const { return labels.value(id); }
CConfigListCtrl* CTavroPlayerDlg::PanelList() const { return nullptr; }
bool CTavroPlayerDlg::TimerRunning() const { return positionTimer->isActive(); }

int CTavroPlayerDlg::StreamCount() const {
  CPlayGraph* graph = player->PlayGraph();
  return graph ? graph->VideoStreamCount() : 0;
}

void CTavroPlayerDlg::UpdateControlStates(ControlState state) {
  controlState = state;
  // The volume pair first: without an output device it shows muted and cannot be used.
  CSovImageSlider* volume = sliders.value(IDC_VOLUME_SLIDER);
  CSovSkinButton* mute = buttons.value(IDC_MUTE);
  if (!services.Audio().GetVolume()) {
    volume->SetPos(0, true);
    volume->setEnabled(false);
    mute->SetCheck(true);
    mute->setEnabled(false);
  } else {
    volume->setEnabled(true);
    mute->setEnabled(true);
  }

  const bool opened = state == Opened;
  const bool listed = state != NoRecordings;
  if (!opened) {
    frontVideo->hide();
    rearVideo->hide();
  }
  auto enable = [this](int id, bool on) {
    if (QWidget* w = buttons.value(id)) w->setEnabled(on);
    else if (QWidget* s = sliders.value(id)) s->setEnabled(on);
  };
  enable(IDC_POSITION_SLIDER, opened);
  enable(IDC_SPEED_SLIDER, true);
  enable(IDC_BRIGHTNESS_SLIDER, true);
  const bool twoStreams = StreamCount() != 1;
  enable(IDC_VIEW_FRONT, opened);
  for (int id : {IDC_VIEW_REAR, IDC_VIEW_BOTH, IDC_FLIP_VERTICAL, IDC_FLIP_HORIZONTAL}) enable(id, opened && twoStreams);
  enable(IDC_CAPTURE, opened);
  enable(IDC_EXTEND, true);
  for (int id = IDC_REWIND; id <= IDC_NEXT; ++id) enable(id, opened);
  enable(IDC_FOLDER, true);
  for (int id : {IDC_CALENDAR, IDC_SAVE, IDC_DELETE}) enable(id, listed);
  enable(IDC_MAP_LARGER, opened);
  enable(IDC_MAP_SHOW, opened);
}

void CTavroPlayerDlg::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  if (viewMode == ViewExtended) {
    painter.fillRect(rect(), Qt::black);
    return;
  }
  painter.drawPixmap(0, 0, CachedSkin(IDB_FACE));
  if (channelView == 0) painter.drawPixmap(3, 77, CachedSkin(IDB_EMPTY_VIDEO));
  if (mapState == MapSmall) painter.drawPixmap(695, 437, CachedSkin(IDB_MAP_STRIP));
  else if (mapState == MapHidden) painter.drawPixmap(695, 635, CachedSkin(IDB_MAP_STRIP));
  if (!gsensorImage.isNull())
    painter.drawImage(41, 531, skin::WithKeyColourTransparent(gsensorImage, skin::kGreenKey));
}

void CTavroPlayerDlg::timerEvent(QTimerEvent* event) {
  if (event->timerId() == positionTimer->timerId()) {
    PositionTick();
    return;
  }
  QDialog::timerEvent(event);
}

bool CTavroPlayerDlg::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress) {
    auto* widget = qobject_cast<QWidget*>(watched);
    if (widget && widget->window() == this) {
      if (PreTranslateKey(static_cast<QKeyEvent*>(event)->key())) return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}

bool CTavroPlayerDlg::PreTranslateKey(int key) {
  switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter: return true;
    case Qt::Key_Escape:
      if (viewMode == ViewExtended) OnExtend();
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
  if (PreTranslateKey(event->key())) return;
  QDialog::keyPressEvent(event);
}

void CTavroPlayerDlg::mousePressEvent(QMouseEvent* event) {
  // The free face of the normal window is its caption: pressing on it drags the window.
  if (viewMode != ViewExtended && event->button() == Qt::LeftButton) {
    if (windowHandle() && windowHandle()->startSystemMove()) return;
    draggingWindow = true;
    dragOffset = event->globalPosition().toPoint() - frameGeometry().topLeft();
    return;
  }
  QDialog::mousePressEvent(event);
}

void CTavroPlayerDlg::mouseMoveEvent(QMouseEvent* event) {
  if (draggingWindow) {
    move(event->globalPosition().toPoint() - dragOffset);
    return;
  }
  QDialog::mouseMoveEvent(event);
}

void CTavroPlayerDlg::mouseReleaseEvent(QMouseEvent* event) {
  if (draggingWindow && event->button() == Qt::LeftButton) {
    draggingWindow = false;
    return;
  }
  QDialog::mouseReleaseEvent(event);
}

void CTavroPlayerDlg::OnMinimize() { showMinimized(); }

void CTavroPlayerDlg::OnClose() {
  positionTimer->stop();
  if (player->PlayGraph()) player->Stop();
  player->Close();
  done(QDialog::Accepted);
}

void CTavroPlayerDlg::closeEvent(QCloseEvent* event) {
  positionTimer->stop();
  player->Close();
  QDialog::closeEvent(event);
}
