#include "extendedviewbars.h"

#include "configlistctrl.h"
#include "controlfilelistdlg.h"
#include "controlpaneldlg.h"
#include "controltopdlg.h"
#include "listscrollbar.h"
#include "panelhost.h"
#include "resourceids.h"

#include <QWidget>

using namespace ids;

namespace {

// The window's controls that leave the face whenever the bands decide: the bars carry their
// twins. The extend button stays while the bars are wanted (it lies under the top bar's Reduce).
constexpr int kFaceControls[] = {
    IDC_RECORDING_LIST, IDC_MINIMIZE, IDC_CLOSE, IDC_INFORMATION,
    IDC_REWIND, IDC_FORWARD, IDC_PLAY, IDC_PREVIOUS, IDC_NEXT,
    IDC_FLIP_VERTICAL, IDC_CAPTURE, IDC_CALENDAR, IDC_SAVE, IDC_DELETE,
    IDC_TYPE_ALL, IDC_TYPE_NORMAL, IDC_TYPE_EVENT, IDC_TYPE_MOTION,
    IDC_MAP_LARGER, IDC_MAP_SHOW, IDC_MUTE,
    IDC_POSITION_SLIDER, IDC_SPEED_SLIDER, IDC_VOLUME_SLIDER, IDC_BRIGHTNESS_SLIDER,
    IDC_ELAPSED_LABEL, IDC_DURATION_LABEL,
};

}  // namespace

ExtendedViewBars::ExtendedViewBars(PanelHost& host, QWidget* window, AudioOutput* audio)
    : host_(host), window_(window) {
  controlPanel_ = new CControlPanelDlg(&host, audio, window);
  topBar_ = new CControlTopDlg(&host, window);
  fileListPanel_ = new CControlFileListDlg(&host, window);
  controlPanel_->SetFileListPanel(fileListPanel_);
  window->setMouseTracking(true);
}

CControlTopDlg* ExtendedViewBars::TopBar() const { return topBar_; }
CControlPanelDlg* ExtendedViewBars::ControlPanel() const { return controlPanel_; }
CControlFileListDlg* ExtendedViewBars::FileListPanel() const { return fileListPanel_; }

int ExtendedViewBars::BandDecision(QSize client, QPoint point) {
  if (point.x() < 0 || point.x() >= client.width()) return kHideBars;
  const bool top = point.y() >= 0 && point.y() < kTopBandHeight;
  const bool bottom = point.y() >= client.height() - kBottomBandHeight && point.y() < client.height();
  return top || bottom ? kShowBars : kHideBars;
}

QRect ExtendedViewBars::TopBarRect() const {
  return window_ ? QRect(0, 0, window_->width(), kTopBandHeight) : QRect();
}

QRect ExtendedViewBars::ControlPanelRect() const {
  if (!window_) return {};
  return QRect(0, window_->height() - kBottomBandHeight, window_->width(), kBottomBandHeight);
}

void ExtendedViewBars::OnMouseMove(QPoint clientPos) {
  if (!window_ || !host_.IsExtendedView()) return;
  const int decision = BandDecision(window_->size(), clientPos);
  if (decision == bandState_) return;
  bandState_ = decision;
  if (decision == kShowBars) ShowBars();
  else HideBars();
}

void ExtendedViewBars::ShowBars() {
  HideFaceControls(false);
  if (QWidget* extend = host_.Control(IDC_EXTEND)) extend->show();
  host_.RepaintVideo();
  // Laid out before they show, so no control is ever seen at its old place over the video.
  if (controlPanel_ && !controlPanel_->isVisible()) {
    controlPanel_->setGeometry(ControlPanelRect());
    controlPanel_->LayoutControls();
    controlPanel_->raise();
    controlPanel_->show();
  }
  if (topBar_ && !topBar_->isVisible()) {
    topBar_->setGeometry(TopBarRect());
    topBar_->LayoutControls();
    topBar_->raise();
    topBar_->show();
  }
}

void ExtendedViewBars::HideBars() {
  HideFaceControls(true);
  host_.RepaintVideo();
  if (controlPanel_) controlPanel_->hide();
  if (topBar_) topBar_->hide();
  HideFileList();
}

void ExtendedViewBars::HideFaceControls(bool alsoExtendButton) {
  for (int id : kFaceControls) {
    QWidget* control = host_.Control(id);
    if (!control) continue;
    control->hide();
    if (auto* list = qobject_cast<CConfigListCtrl*>(control))
      if (QWidget* scrollbar = list->Scrollbar()) scrollbar->hide();
  }
  if (alsoExtendButton)
    if (QWidget* extend = host_.Control(IDC_EXTEND)) extend->hide();
}

void ExtendedViewBars::HideFileList() {
  if (!fileListPanel_ || !fileListPanel_->isVisible()) return;
  fileListPanel_->hide();
  if (controlPanel_) controlPanel_->SetFileListChecked(false);
}

void ExtendedViewBars::OnResize() {
  if (!window_ || !host_.IsExtendedView()) return;
  if (controlPanel_) {
    controlPanel_->hide();
    controlPanel_->setGeometry(ControlPanelRect());
    controlPanel_->LayoutControls();
  }
  if (topBar_) {
    topBar_->hide();
    topBar_->setGeometry(TopBarRect());
    topBar_->LayoutControls();
  }
}

void ExtendedViewBars::OnEnterExtended() { HideAllPanels(); }

// The file list panel sits where the enlarged view's bar was; over the normal face it would cover
// the window's own list, so it goes with the bars.
void ExtendedViewBars::OnLeaveExtended() { HideAllPanels(); }

void ExtendedViewBars::HideAllPanels() {
  if (controlPanel_) {
    controlPanel_->hide();
    controlPanel_->SetFileListChecked(false);
  }
  if (topBar_) topBar_->hide();
  if (fileListPanel_) fileListPanel_->hide();
}
