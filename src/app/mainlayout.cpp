#include "mainlayout.h"

#include "audiooutput.h"
#include "configlistctrl.h"
#include "controlfilelistdlg.h"
#include "controlpaneldlg.h"
#include "controltopdlg.h"
#include "extendedviewbars.h"
#include "imageslider.h"
#include "listscrollbar.h"
#include "maincontrols.h"
#include "resourceids.h"
#include "skinbutton.h"
#include "staticview.h"
#include "statictrans.h"
#include "videoplayer.h"

#include <QDialog>

using namespace ids;

namespace {

// The video area of the normal view, and its halves side by side.
constexpr QRect kNormalVideo(3, 78, 688, 387);
constexpr QRect kNormalFrontHalf(3, 175, 344, 194);
constexpr QRect kNormalRearHalf(347, 175, 344, 194);
constexpr QRect kSmallMap(695, 466, 323, 196);
constexpr QRect kLargeMap(2, 48, 1017, 615);
// The map buttons sit on their strip, which moves up with a small map.
constexpr int kMapButtonsTopSmall = 441;
constexpr int kMapButtonsTopOtherwise = 639;

}  // namespace

MainLayout::MainLayout(QDialog& window, const MainControls& controls, CVideoPlayer& player, AudioOutput& audio)
    : window_(window), controls_(controls), player_(player), audio_(audio) {}

QRect MainLayout::Fit16x9(int width, int height) {
  const int fittedHeight = (width / 16) * 9;
  if (height >= fittedHeight) return QRect(0, (height - fittedHeight) / 2, width, fittedHeight);
  const int fittedWidth = (height / 9) * 16;
  return QRect((width - fittedWidth) / 2, 0, fittedWidth, height);
}

void MainLayout::Place(int id, const QRect& rect) const {
  if (QWidget* w = controls_.Control(id)) w->setGeometry(rect);
}

void MainLayout::SetVisible(std::initializer_list<int> ids, bool visible) const {
  for (int id : ids)
    if (QWidget* w = controls_.Control(id)) w->setVisible(visible);
}

void MainLayout::ShowList(bool visible) const {
  CConfigListCtrl* list = controls_.recordingList;
  list->setVisible(visible);
  if (!list->Scrollbar()) return;
  if (!visible) list->Scrollbar()->hide();
  else list->update();  // the scrollbar shows itself when there is something to scroll
}

int MainLayout::StreamCount() const { return player_.VideoStreamCount(); }

void MainLayout::LayoutForView(int mode) {
  switch (mode) {
    case ViewNormal: LayoutNormal(); break;
    case ViewExtended: LayoutExtended(); break;
    case ViewLargeMap: LayoutLargeMap(); break;
    default: break;
  }
}

void MainLayout::LayoutNormal() {
  viewMode_ = ViewNormal;
  windowRect_ = QRect(window_.pos(), kNormalWindowSize);
  window_.setMinimumSize(kNormalWindowSize);
  window_.setMaximumSize(kNormalWindowSize);
  window_.setGeometry(QRect(window_.geometry().topLeft(), kNormalWindowSize));
  if (channelCommand_) channelCommand_();
  if (player_.PlayGraph()) player_.Repaint();
  ShowList(true);
  const int mapButtonsTop = mapState_ == MapSmall ? kMapButtonsTopSmall : kMapButtonsTopOtherwise;
  for (const Placement& p : NormalLayout()) {
    QRect r = p.rect;
    if (p.id == IDC_MAP_LARGER || p.id == IDC_MAP_SHOW) r.moveTop(mapButtonsTop);
    Place(p.id, r);
  }
  controls_.Button(IDC_MAP_LARGER)
      ->SetBitmaps(IDB_MAP_LARGER, IDB_MAP_LARGER_PRESSED, IDB_MAP_LARGER_HOVER, IDB_MAP_LARGER, IDB_MAP_LARGER);
  for (const SliderSpec& s : MainSliders()) controls_.Slider(s.id)->SetBitmaps(s.channel, s.fill, s.thumb, s.drag, s.focus);
  for (const Placement& p : NormalLayout())
    if (QWidget* w = controls_.Control(p.id)) w->setVisible(true);
  controls_.mapView->setGeometry(mapState_ == MapSmall ? kSmallMap : QRect(0, 0, 0, 0));
  if (mapState_ != MapLarge && drawGraph_) drawGraph_();
}

void MainLayout::LayoutExtended() {
  viewMode_ = ViewExtended;
  if (channelCommand_) channelCommand_();
  player_.Repaint();
  ShowList(false);
  const int w = window_.width();
  const int h = window_.height();
  Place(IDC_INFORMATION, QRect(w - 94, h - 36, 37, 28));
  SetVisible({IDC_MINIMIZE, IDC_CLOSE, IDC_VIEW_FRONT, IDC_VIEW_REAR, IDC_VIEW_BOTH, IDC_FLIP_VERTICAL,
              IDC_FLIP_HORIZONTAL, IDC_CAPTURE},
             false);
  Place(IDC_EXTEND, QRect(w - 56, 7, 36, 22));
  SetVisible({IDC_FOLDER, IDC_CALENDAR, IDC_SAVE, IDC_DELETE, IDC_CHECK_ALL, IDC_TYPE_ALL, IDC_TYPE_NORMAL,
              IDC_TYPE_EVENT, IDC_TYPE_MOTION},
             false);
  Place(IDC_REWIND, QRect(w - 550, h - 36, 36, 28));
  Place(IDC_FORWARD, QRect(w - 514, h - 36, 37, 28));
  Place(IDC_PLAY, QRect(w - 465, h - 36, 37, 28));
  Place(IDC_PREVIOUS, QRect(w - 416, h - 36, 36, 28));
  Place(IDC_NEXT, QRect(w - 380, h - 36, 37, 28));
  SetVisible({IDC_MAP_LARGER, IDC_MAP_SHOW, IDC_SPEED_ICON, IDC_MUTE, IDC_BRIGHTNESS_ICON}, false);
  Place(IDC_POSITION_SLIDER, QRect(20, h - 39, w - 599, 20));
  controls_.Slider(IDC_POSITION_SLIDER)
      ->SetBitmaps(IDB_POSITION_CHANNEL, IDB_POSITION_FILL, IDB_POSITION_THUMB, IDB_POSITION_THUMB, IDB_POSITION_THUMB);
  SetVisible({IDC_SPEED_SLIDER}, false);
  Place(IDC_VOLUME_SLIDER, QRect(w - 291, h - 31, 181, 15));
  controls_.Slider(IDC_VOLUME_SLIDER)
      ->SetBitmaps(IDB_EXT_VOLUME_CHANNEL, IDB_EXT_VOLUME_FILL, IDB_VOLUME_THUMB, IDB_VOLUME_THUMB, IDB_VOLUME_THUMB);
  SetVisible({IDC_BRIGHTNESS_SLIDER, IDC_ELAPSED_LABEL, IDC_DURATION_LABEL, IDC_FILE_NAME_LABEL}, false);
  controls_.mapView->setGeometry(0, 0, 0, 0);
}

void MainLayout::LayoutLargeMap() {
  HideVideo();
  ShowList(false);
  Place(IDC_INFORMATION, QRect(150, 12, 37, 28));
  Place(IDC_MINIMIZE, QRect(937, 12, 36, 28));
  Place(IDC_CLOSE, QRect(973, 12, 37, 28));
  SetVisible({IDC_VIEW_FRONT, IDC_VIEW_REAR, IDC_VIEW_BOTH, IDC_FLIP_VERTICAL, IDC_FLIP_HORIZONTAL, IDC_CAPTURE,
              IDC_EXTEND, IDC_FOLDER, IDC_CALENDAR, IDC_SAVE, IDC_DELETE, IDC_CHECK_ALL, IDC_TYPE_ALL,
              IDC_TYPE_NORMAL, IDC_TYPE_EVENT, IDC_TYPE_MOTION, IDC_REWIND, IDC_FORWARD, IDC_PLAY, IDC_PREVIOUS,
              IDC_NEXT},
             false);
  // The larger-map button leads back from the large map.
  CSovSkinButton* back = controls_.Button(IDC_MAP_LARGER);
  back->SetBitmaps(IDB_REDUCE, IDB_REDUCE + 2, IDB_REDUCE + 1, IDB_REDUCE, IDB_REDUCE);
  back->SetToolTipText(QString());
  back->setGeometry(897, 12, 37, 28);
  back->show();
  SetVisible({IDC_MAP_SHOW, IDC_SPEED_ICON, IDC_MUTE, IDC_BRIGHTNESS_ICON, IDC_POSITION_SLIDER, IDC_SPEED_SLIDER,
              IDC_VOLUME_SLIDER, IDC_BRIGHTNESS_SLIDER, IDC_ELAPSED_LABEL, IDC_DURATION_LABEL, IDC_FILE_NAME_LABEL},
             false);
  controls_.mapView->setGeometry(kLargeMap);
}

void MainLayout::OnExtend() {
  if (viewMode_ == ViewNormal) {
    windowRect_ = window_.geometry();
    viewMode_ = ViewExtended;
    if (bars_) bars_->OnEnterExtended();
    window_.setMinimumSize(0, 0);
    window_.setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    window_.showMaximized();
  } else {
    controls_.frontVideo->hide();
    viewMode_ = ViewNormal;
    window_.showNormal();
    window_.setGeometry(windowRect_);
    if (bars_) bars_->OnLeaveExtended();
  }
  LayoutForView(viewMode_);
  window_.update();
}

void MainLayout::LeaveExtendedView() {
  if (viewMode_ == ViewExtended) OnExtend();
}

void MainLayout::OnResize() {
  // The maximised window learns its final size only after showing; the video follows it.
  if (viewMode_ != ViewExtended) return;
  LayoutForView(ViewExtended);
  if (bars_) bars_->OnResize();
}

void MainLayout::HideVideo() {
  controls_.frontVideo->hide();
  controls_.rearVideo->hide();
}

void MainLayout::ShowChannel(Channel view) {
  channelView_ = view;
  CStaticView* front = controls_.frontVideo;
  CStaticView* rear = controls_.rearVideo;
  if (viewMode_ == ViewNormal) {
    // Hidden while they move, so the old place is never drawn at the new size.
    HideVideo();
    const bool shown = mapState_ != MapLarge;
    switch (view) {
      case ChannelFront:
        front->setGeometry(kNormalVideo);
        player_.Repaint();
        front->setVisible(shown);
        break;
      case ChannelRear:
        rear->setGeometry(kNormalVideo);
        rear->setVisible(shown);
        break;
      case ChannelBoth:
        front->setGeometry(kNormalFrontHalf);
        rear->setGeometry(kNormalRearHalf);
        front->setVisible(shown);
        rear->setVisible(shown);
        break;
      default: break;
    }
  } else if (viewMode_ == ViewExtended) {
    const int w = window_.width();
    const int h = window_.height();
    switch (view) {
      case ChannelFront:
        front->setGeometry(Fit16x9(w, h));
        front->show();
        rear->hide();
        break;
      case ChannelRear:
        front->hide();
        rear->setGeometry(Fit16x9(w, h));
        rear->show();
        break;
      case ChannelBoth: {
        // Two 16:9 halves side by side, as high as the narrower of the two fits allows.
        const int unit = h < (w / 16) * 9 ? h / 9 : w / 16;
        const int videoHeight = (unit * 9) / 2;
        const int top = (h - videoHeight) / 2;
        front->setGeometry(0, top, w / 2, videoHeight);
        rear->setGeometry(w / 2, top, w / 2, videoHeight);
        front->show();
        rear->show();
        break;
      }
      default: break;
    }
  }
  const int checkedId = view == ChannelFront ? IDC_VIEW_FRONT : view == ChannelRear ? IDC_VIEW_REAR : IDC_VIEW_BOTH;
  for (int id : {IDC_VIEW_FRONT, IDC_VIEW_REAR, IDC_VIEW_BOTH}) {
    controls_.Button(id)->SetCheck(id == checkedId);
    controls_.Button(id)->repaint();
  }
  if (bars_) bars_->TopBar()->SetChannelView(view);
  player_.Repaint();
}

void MainLayout::SetEnabled(int id, bool on) const {
  if (QWidget* w = controls_.Control(id)) w->setEnabled(on);
}

void MainLayout::UpdateControlStates(ControlState state) {
  controlState_ = state;
  // The volume pair first: without an output device it shows muted and cannot be used.
  CSovImageSlider* volume = controls_.Slider(IDC_VOLUME_SLIDER);
  CSovSkinButton* mute = controls_.Button(IDC_MUTE);
  if (!audio_.GetVolume()) {
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
  if (!opened) HideVideo();
  SetEnabled(IDC_POSITION_SLIDER, opened);
  SetEnabled(IDC_SPEED_SLIDER, true);
  SetEnabled(IDC_BRIGHTNESS_SLIDER, true);
  const bool twoStreams = StreamCount() != 1;
  SetEnabled(IDC_VIEW_FRONT, opened);
  for (int id : {IDC_VIEW_REAR, IDC_VIEW_BOTH, IDC_FLIP_VERTICAL, IDC_FLIP_HORIZONTAL}) SetEnabled(id, opened && twoStreams);
  SetEnabled(IDC_CAPTURE, opened);
  SetEnabled(IDC_EXTEND, true);
  for (int id : {IDC_REWIND, IDC_FORWARD, IDC_PLAY, IDC_PREVIOUS, IDC_NEXT}) SetEnabled(id, opened);
  SetEnabled(IDC_FOLDER, true);
  for (int id : {IDC_CALENDAR, IDC_SAVE, IDC_DELETE}) SetEnabled(id, listed);
  SetEnabled(IDC_MAP_LARGER, opened);
  SetEnabled(IDC_MAP_SHOW, opened);
  if (bars_) {
    bars_->TopBar()->SetViewButtonsEnabled(opened, opened && twoStreams);
    bars_->ControlPanel()->SetTransportEnabled(opened);
    bars_->FileListPanel()->SetLibraryEnabled(listed);
  }
}
