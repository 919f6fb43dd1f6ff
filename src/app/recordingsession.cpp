#include "recordingsession.h"

#include "controltopdlg.h"
#include "dialoghooks.h"
#include "graph/interfaces.h"
#include "mainlayout.h"
#include "playgraph.h"
#include "recordingentry.h"
#include "resourceids.h"
#include "skinbutton.h"
#include "statictrans.h"
#include "videoplayer.h"

#include <QApplication>
#include <QFileInfo>
#include <QImageWriter>
#include <optional>
#include <vector>

using namespace ids;

namespace {

class WaitCursor {
 public:
  WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
  ~WaitCursor() { QApplication::restoreOverrideCursor(); }
  WaitCursor(const WaitCursor&) = delete;
  WaitCursor& operator=(const WaitCursor&) = delete;
};

QString FileNameOf(const QString& path) {
  const int slash = path.lastIndexOf('/');
  return slash >= 0 ? path.mid(slash + 1) : path;
}

}  // namespace

RecordingSession::RecordingSession(CVideoPlayer& player, MainLayout& layout, Controls controls,
                                   PlayerDialogs& dialogs, std::function<QString(int)> loadUiString, QObject* parent)
    : QObject(parent),
      player_(player),
      layout_(layout),
      controls_(controls),
      dialogs_(dialogs),
      loadUiString_(std::move(loadUiString)) {}

RecordingSession::~RecordingSession() = default;

void RecordingSession::SetTopBar(CControlTopDlg* topBar) {
  topBar_ = topBar;
  ShowFlips();
}

void RecordingSession::ShowFileName(const QString& name) {
  controls_.fileName->SetWindowText(name);
  controls_.fileName->RefreshBackground();
  if (topBar_) topBar_->SetFileName(name);
}

void RecordingSession::ShowFlips() {
  controls_.flipVertical->SetCheck(flipVertical_ != 0);
  controls_.flipHorizontal->SetCheck(flipHorizontal_ != 0);
  if (!topBar_) return;
  topBar_->SetFlipVerticalCheck(flipVertical_ != 0);
  topBar_->SetFlipHorizontalCheck(flipHorizontal_ != 0);
}

bool RecordingSession::IsRunningOrPaused() const {
  const CPlayGraph* graph = player_.PlayGraph();
  return graph && (graph->State() == PlayState::Running || graph->State() == PlayState::Paused);
}

int RecordingSession::StreamCount() const { return player_.VideoStreamCount(); }

bool RecordingSession::OpenRecording(const QString& path) {
  {
    WaitCursor wait;
    if (!player_.Open(path)) {
      loadedPath_.clear();
      emit openFailed(path);
      return false;
    }
  }
  loadedPath_ = path;
  layout_.HideVideo();

  CSovStaticTrans* fileName = controls_.fileName;
  fileName->hide();
  ShowFileName(RecordingDisplayName(FileNameOf(path)));
  if (layout_.ViewMode() == ViewNormal && layout_.MapState() != MapLarge) fileName->show();

  if (StreamCount() == 1) {
    ResetFlips();
    OnViewFront();
  } else {
    if (layout_.ChannelView() == ChannelNone) layout_.ShowChannel(ChannelFront);
    else RunChannelCommand();
    if (flipVertical_) player_.SetRearFlip(decoderparam::kFlipVertical, 1);
    if (flipHorizontal_) player_.SetRearFlip(decoderparam::kFlipHorizontal, 1);
  }
  layout_.UpdateControlStates(Opened);
  emit recordingOpened(player_.GetDurationMs());
  return true;
}

void RecordingSession::Close() {
  layout_.ClearChannel();
  if (player_.PlayGraph()) player_.Stop();
  player_.SeekTo(0);
  player_.Close();
  loadedPath_.clear();
  ShowFileName(QString());
  emit recordingClosed();
}

void RecordingSession::RunChannelCommand() {
  switch (layout_.ChannelView()) {
    case ChannelFront: OnViewFront(); break;
    case ChannelRear: OnViewRear(); break;
    case ChannelBoth: OnViewBoth(); break;
    default: break;
  }
}

void RecordingSession::OnViewFront() { layout_.ShowChannel(ChannelFront); }

void RecordingSession::OnViewRear() {
  if (!player_.PlayGraph() || StreamCount() < 2) {
    controls_.viewRear->SetCheck(false);
    return;
  }
  layout_.ShowChannel(ChannelRear);
}

void RecordingSession::OnViewBoth() {
  if (!player_.PlayGraph() || StreamCount() < 2) {
    controls_.viewBoth->SetCheck(false);
    return;
  }
  layout_.ShowChannel(ChannelBoth);
}

void RecordingSession::ToggleRearFlip(quint8& flag, int parameter) {
  if (listingActive_ && !listingActive_()) return;
  if (!IsRunningOrPaused()) {
    // The click toggled the button; nothing was flipped, so it shows the flip as it is.
    ShowFlips();
    return;
  }
  flag = flag ? 0 : 1;
  player_.SetRearFlip(parameter, flag);
  player_.Repaint();
  ShowFlips();
  player_.Repaint();
}

void RecordingSession::OnFlipVertical() {
  ToggleRearFlip(flipVertical_, decoderparam::kFlipVertical);
}

void RecordingSession::OnFlipHorizontal() {
  ToggleRearFlip(flipHorizontal_, decoderparam::kFlipHorizontal);
}

void RecordingSession::ResetFlips() {
  flipVertical_ = 0;
  flipHorizontal_ = 0;
  ShowFlips();
}

QString RecordingSession::CaptureInitialName(const QString& recordingName) {
  const QString position21 = recordingName.size() > 21 ? recordingName.mid(21, 1) : QString();
  return QStringLiteral("%1_IMG_C%2.jpg").arg(recordingName.left(15), position21);
}

QString RecordingSession::CaptureBasePath(const QString& chosen) {
  // Only a ".jpg" the user typed is taken off; any other extension stays part of the name.
  if (QFileInfo(chosen).suffix().toUpper() == QStringLiteral("JPG")) return chosen.left(chosen.size() - 4);
  return chosen;
}

void RecordingSession::OnCapture() {
  if (listingActive_ && !listingActive_()) return;
  if (!IsRunningOrPaused()) return;
  const bool wasRunning = player_.PlayGraph()->State() == PlayState::Running;
  QImage front;
  if (!player_.GrabFrame(0, &front)) return;
  player_.Pause();

  const QString chosen = dialogs_.chooseCaptureFile(CaptureInitialName(RecordingDisplayName(FileNameOf(loadedPath_))), captureFolder_);
  if (!chosen.isEmpty()) {
    const QString base = CaptureBasePath(chosen);
    const int slash = base.lastIndexOf('/');
    if (slash > 0) captureFolder_ = base.left(slash);
    std::vector<std::pair<QString, QImage>> files;
    if (StreamCount() == 1) {
      files.emplace_back(base + QStringLiteral(".jpg"), front);
    } else {
      files.emplace_back(base + QStringLiteral("_front.jpg"), front);
      QImage rear;
      if (player_.GrabFrame(1, &rear)) files.emplace_back(base + QStringLiteral("_rear.jpg"), rear);
    }
    for (const auto& [path, image] : files) {
      // The dialog confirmed only the name typed; the camera files beside it are asked about here
      // so an earlier capture is never replaced silently.
      if (path != chosen && QFileInfo::exists(path) && !dialogs_.confirmReplace(path)) continue;
      QImageWriter writer(path, "jpeg");
      if (!writer.write(image)) dialogs_.message(loadUiString_(IDS_CAPTURE_FAILED).arg(path), false);
    }
  }
  if (wasRunning) player_.Play();
}
