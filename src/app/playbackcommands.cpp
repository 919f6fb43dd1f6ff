// Opening a recording, the channel views (front, rear, both), the rear image flips and the capture
// of the current images to JPEG files.
#include "tavroplayerdlg.h"

#include "configlistctrl.h"
#include "imageslider.h"
#include "playgraph.h"
#include "resourceids.h"
#include "skinbutton.h"
#include "staticview.h"
#include "statictrans.h"
#include "videoplayer.h"

#include <QApplication>
#include <QFileInfo>
#include <QImageWriter>

using namespace ids;

namespace {

// The rear decoder's parameters: always (1101, 1) first, then the flip itself.
constexpr int kFlipVerticalParameter = 1112;
constexpr int kFlipHorizontalParameter = 1113;

class WaitCursor {
 public:
  WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
  ~WaitCursor() { QApplication::restoreOverrideCursor(); }
  WaitCursor(const WaitCursor&) = delete;
  WaitCursor& operator=(const WaitCursor&) = delete;
};

}  // namespace

QRect CTavroPlayerDlg::Fit16x9(int width, int height) {
  const int fittedHeight = (width / 16) * 9;
  if (height >= fittedHeight) return QRect(0, (height - fittedHeight) / 2, width, fittedHeight);
  const int fittedWidth = (height / 9) * 16;
  return QRect((width - fittedWidth) / 2, 0, fittedWidth, height);
}

bool CTavroPlayerDlg::OpenRecording(const QString& path) {
  std::optional<WaitCursor> wait(std::in_place);
  if (!player->Open(path)) {
    wait.reset();
    // A recording that cannot be played is skipped and the next one is tried; the user is told
    // which one without stopping that move.
    dialogs.notice(LoadUiString(IDS_CANNOT_PLAY) + '\n' + QFileInfo(path).fileName());
    DispatchCommand(IDC_NEXT);
    return false;
  }
  frontVideo->hide();
  rearVideo->hide();

  const qint64 duration = player->GetDurationMs();
  sliders.value(IDC_POSITION_SLIDER)->SetRange(0, static_cast<int>(duration & 0x7FFFFFFF), false);
  CSovStaticTrans* durationLabel = labels.value(IDC_DURATION_LABEL);
  durationLabel->SetWindowText(TimeText(duration));
  durationLabel->RefreshBackground();

  const int slash = path.lastIndexOf('/');
  const QString name = slash >= 0 ? path.mid(slash + 1) : path;
  fileNameLabel->hide();
  fileNameLabel->SetWindowText(name);
  fileNameLabel->RefreshBackground();

  sliders.value(IDC_SPEED_SLIDER)->SetPos(5, true);
  sliders.value(IDC_BRIGHTNESS_SLIDER)->SetPos(0, true);
  if (viewMode == ViewNormal && mapState != MapLarge) fileNameLabel->show();

  if (StreamCount() == 1) {
    channelView = 1;
    flipVertical = 0;
    flipHorizontal = 0;
    buttons.value(IDC_FLIP_VERTICAL)->SetCheck(false);
    buttons.value(IDC_FLIP_HORIZONTAL)->SetCheck(false);
    OnViewFront();
  } else {
    if (channelView == 0) channelView = 1;
    RunChannelCommand();
    if (flipVertical) player->SetRearFlip(kFlipVerticalParameter, 1);
    if (flipHorizontal) player->SetRearFlip(kFlipHorizontalParameter, 1);
  }
  UpdateControlStates(Opened);
  RestartTelemetry();
  return true;
}

void CTavroPlayerDlg::RunChannelCommand() {
  switch (channelView) {
    case 1: OnViewFront(); break;
    case 2: OnViewRear(); break;
    case 4: OnViewBoth(); break;
    default: break;
  }
}

void CTavroPlayerDlg::SetChannelButtons(int checkedId) {
  for (int id : {IDC_VIEW_FRONT, IDC_VIEW_REAR, IDC_VIEW_BOTH}) {
    buttons.value(id)->SetCheck(id == checkedId);
    buttons.value(id)->repaint();
  }
}

void CTavroPlayerDlg::OnViewFront() {
  channelView = 1;
  if (viewMode == ViewNormal) {
    frontVideo->hide();
    frontVideo->setGeometry(3, 78, 688, 387);
    player->Repaint();
    rearVideo->hide();
    if (mapState != MapLarge) frontVideo->show();
  } else if (viewMode == ViewExtended) {
    frontVideo->setGeometry(Fit16x9(width(), height()));
    frontVideo->show();
    rearVideo->hide();
    player->Repaint();
  }
  SetChannelButtons(IDC_VIEW_FRONT);
}

void CTavroPlayerDlg::OnViewRear() {
  if (!player->PlayGraph() || StreamCount() < 2) {
    buttons.value(IDC_VIEW_REAR)->SetCheck(false);
    return;
  }
  channelView = 2;
  if (viewMode == ViewNormal) {
    frontVideo->hide();
    rearVideo->setGeometry(3, 78, 688, 387);
    if (mapState != MapLarge) rearVideo->show();
  } else if (viewMode == ViewExtended) {
    frontVideo->hide();
    rearVideo->setGeometry(Fit16x9(width(), height()));
    rearVideo->show();
  }
  player->Repaint();
  SetChannelButtons(IDC_VIEW_REAR);
}

void CTavroPlayerDlg::OnViewBoth() {
  if (!player->PlayGraph() || StreamCount() < 2) {
    buttons.value(IDC_VIEW_BOTH)->SetCheck(false);
    return;
  }
  channelView = 4;
  if (viewMode == ViewNormal) {
    frontVideo->hide();
    rearVideo->hide();
    frontVideo->setGeometry(3, 175, 344, 194);
    rearVideo->setGeometry(347, 175, 344, 194);
    if (mapState != MapLarge) {
      frontVideo->show();
      rearVideo->show();
    }
  } else if (viewMode == ViewExtended) {
    const int w = width();
    const int h = height();
    const int unit = h < (w / 16) * 9 ? h / 9 : w / 16;
    const int videoHeight = (unit * 9) / 2;
    const int top = (h - videoHeight) / 2;
    frontVideo->setGeometry(0, top, w / 2, videoHeight);
    rearVideo->setGeometry(w / 2, top, w / 2, videoHeight);
    frontVideo->show();
    rearVideo->show();
  }
  SetChannelButtons(IDC_VIEW_BOTH);
  player->Repaint();
}

void CTavroPlayerDlg::ToggleRearFlip(int buttonId, quint8& flag, int parameter) {
  if (cardRoot.isEmpty()) return;
  CSovSkinButton* button = buttons.value(buttonId);
  if (!IsRunningOrPaused()) {
    button->SetCheck(false);
    return;
  }
  flag = flag ? 0 : 1;
  player->SetRearFlip(parameter, flag);
  player->Repaint();
  button->SetCheck(flag != 0);
  player->Repaint();
}

void CTavroPlayerDlg::OnFlipVertical() { ToggleRearFlip(IDC_FLIP_VERTICAL, flipVertical, kFlipVerticalParameter); }

void CTavroPlayerDlg::OnFlipHorizontal() {
  ToggleRearFlip(IDC_FLIP_HORIZONTAL, flipHorizontal, kFlipHorizontalParameter);
}

QString CTavroPlayerDlg::CaptureInitialName(const QString& recordingName) {
  const QString position21 = recordingName.size() > 21 ? recordingName.mid(21, 1) : QString();
  return QStringLiteral("%1_IMG_C%2.jpg").arg(recordingName.left(15), position21);
}

QString CTavroPlayerDlg::CaptureBasePath(const QString& chosen) {
  // Only a ".jpg" the user typed is taken off; any other extension stays part of the name.
  if (QFileInfo(chosen).suffix().toUpper() == QStringLiteral("JPG")) return chosen.left(chosen.size() - 4);
  return chosen;
}

void CTavroPlayerDlg::OnCapture() {
  if (cardRoot.isEmpty()) return;
  if (!IsRunningOrPaused()) return;
  const bool wasRunning = player->PlayGraph()->State() == PlayState::Running;
  QImage front;
  if (!player->GrabFrame(0, &front)) return;
  player->Pause();

  const QString name = currentIndex >= 0 ? recordingList->GetItemText(currentIndex, 0) : QString();
  const QString chosen = dialogs.chooseCaptureFile(CaptureInitialName(name), captureFolder);
  if (!chosen.isEmpty()) {
    const QString base = CaptureBasePath(chosen);
    const int slash = base.lastIndexOf('/');
    if (slash > 0) captureFolder = base.left(slash);
    std::vector<std::pair<QString, QImage>> files;
    if (StreamCount() == 1) {
      files.emplace_back(base + QStringLiteral(".jpg"), front);
    } else {
      files.emplace_back(base + QStringLiteral("_front.jpg"), front);
      QImage rear;
      if (player->GrabFrame(1, &rear)) files.emplace_back(base + QStringLiteral("_rear.jpg"), rear);
    }
    for (const auto& [path, image] : files) {
      // The dialog confirmed only the name typed; the camera files beside it are asked about here
      // so an earlier capture is never replaced silently.
      if (path != chosen && QFileInfo::exists(path) && !dialogs.confirmReplace(path)) continue;
      QImageWriter writer(path, "jpeg");
      if (!writer.write(image)) dialogs.message(LoadUiString(IDS_CAPTURE_FAILED).arg(path), false);
    }
  }
  if (wasRunning) player->Play();
}
