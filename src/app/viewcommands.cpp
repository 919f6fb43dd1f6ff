// The main window's views: the normal window, the extended (maximised) view and the large map
// arrangement, and the extend toggle.
#include "tavroplayerdlg.h"

#include "configlistctrl.h"
#include "imageslider.h"
#include "listscrollbar.h"
#include "maincontrols.h"
#include "resourceids.h"
#include "skinbutton.h"
#include "staticview.h"
#include "statictrans.h"
#include "videoplayer.h"

using namespace ids;

namespace {
constexpr QSize kNormalSize(1022, 682);
}

void CTavroPlayerDlg::LayoutForView(int mode) {
  auto place = [this](int id, const QRect& r) {
    QWidget* w = buttons.value(id);
    if (!w) w = sliders.value(id);
    if (!w) w = labels.value(id);
    if (w) w->setGeometry(r);
  };
  auto setVisible = [this](std::initializer_list<int> idList, bool visible) {
    for (int id : idList) {
      QWidget* w = buttons.value(id);
      if (!w) w = sliders.value(id);
      if (!w) w = labels.value(id);
      if (w) w->setVisible(visible);
    }
  };
  auto showList = [this](bool visible) {
    recordingList->setVisible(visible);
    if (recordingList->Scrollbar()) {
      if (!visible) recordingList->Scrollbar()->hide();
      else recordingList->update();  // the scrollbar shows itself when there is something to scroll
    }
  };

  if (mode == ViewNormal) {
    viewMode = ViewNormal;
    windowRect = QRect(pos(), kNormalSize);
    setMinimumSize(kNormalSize);
    setMaximumSize(kNormalSize);
    setGeometry(QRect(geometry().topLeft(), kNormalSize));
    RunChannelCommand();
    if (player->PlayGraph()) player->Repaint();
    showList(true);
    const int mapY = mapState == MapSmall ? 441 : 639;
    for (const Placement& p : NormalLayout()) {
      QRect r = p.rect;
      if (p.id == IDC_MAP_LARGER || p.id == IDC_MAP_SHOW) r.moveTop(mapY);
      place(p.id, r);
    }
    buttons.value(IDC_MAP_LARGER)->SetBitmaps(IDB_MAP_LARGER, IDB_MAP_LARGER_PRESSED, IDB_MAP_LARGER_HOVER,
                                              IDB_MAP_LARGER, IDB_MAP_LARGER);
    for (const SliderSpec& s : MainSliders()) sliders.value(s.id)->SetBitmaps(s.channel, s.fill, s.thumb, s.drag, s.focus);
    for (const Placement& p : NormalLayout()) setVisible({p.id}, true);
    if (mapState == MapSmall) mapView->setGeometry(695, 466, 323, 196);
    else mapView->setGeometry(0, 0, 0, 0);
    if (mapState != MapLarge) DrawGSensorGraph();
  } else if (mode == ViewExtended) {
    viewMode = ViewExtended;
    RunChannelCommand();
    player->Repaint();
    showList(false);
    const int w = width();
    const int h = height();
    place(IDC_INFORMATION, QRect(w - 94, h - 36, 37, 28));
    setVisible({IDC_MINIMIZE, IDC_CLOSE, IDC_VIEW_FRONT, IDC_VIEW_REAR, IDC_VIEW_BOTH, IDC_FLIP_VERTICAL,
                IDC_FLIP_HORIZONTAL, IDC_CAPTURE},
               false);
    place(IDC_EXTEND, QRect(w - 56, 7, 36, 22));
    setVisible({IDC_FOLDER, IDC_CALENDAR, IDC_SAVE, IDC_DELETE, IDC_CHECK_ALL, IDC_TYPE_ALL, IDC_TYPE_NORMAL,
                IDC_TYPE_EVENT, IDC_TYPE_MOTION},
               false);
    place(IDC_REWIND, QRect(w - 550, h - 36, 36, 28));
    place(IDC_FORWARD, QRect(w - 514, h - 36, 37, 28));
    place(IDC_PLAY, QRect(w - 465, h - 36, 37, 28));
    place(IDC_PREVIOUS, QRect(w - 416, h - 36, 36, 28));
    place(IDC_NEXT, QRect(w - 380, h - 36, 37, 28));
    setVisible({IDC_MAP_LARGER, IDC_MAP_SHOW, IDC_SPEED_ICON, IDC_MUTE, IDC_BRIGHTNESS_ICON}, false);
    place(IDC_POSITION_SLIDER, QRect(20, h - 39, w - 599, 20));
    sliders.value(IDC_POSITION_SLIDER)->SetBitmaps(209, 210, 213, 213, 213);
    setVisible({IDC_SPEED_SLIDER}, false);
    place(IDC_VOLUME_SLIDER, QRect(w - 291, h - 31, 181, 15));
    sliders.value(IDC_VOLUME_SLIDER)->SetBitmaps(IDB_EXT_VOLUME_CHANNEL, IDB_EXT_VOLUME_FILL, 219, 219, 219);
    setVisible({IDC_BRIGHTNESS_SLIDER, IDC_ELAPSED_LABEL, IDC_DURATION_LABEL, IDC_FILE_NAME_LABEL}, false);
    mapView->setGeometry(0, 0, 0, 0);
  } else if (mode == ViewLargeMap) {
    frontVideo->hide();
    rearVideo->hide();
    showList(false);
    place(IDC_INFORMATION, QRect(150, 12, 37, 28));
    place(IDC_MINIMIZE, QRect(937, 12, 36, 28));
    place(IDC_CLOSE, QRect(973, 12, 37, 28));
    setVisible({IDC_VIEW_FRONT, IDC_VIEW_REAR, IDC_VIEW_BOTH, IDC_FLIP_VERTICAL, IDC_FLIP_HORIZONTAL, IDC_CAPTURE,
                IDC_EXTEND, IDC_FOLDER, IDC_CALENDAR, IDC_SAVE, IDC_DELETE, IDC_CHECK_ALL, IDC_TYPE_ALL,
                IDC_TYPE_NORMAL, IDC_TYPE_EVENT, IDC_TYPE_MOTION, IDC_REWIND, IDC_FORWARD, IDC_PLAY, IDC_PREVIOUS,
                IDC_NEXT},
               false);
    CSovSkinButton* back = buttons.value(IDC_MAP_LARGER);
    back->SetBitmaps(IDB_REDUCE, IDB_REDUCE + 2, IDB_REDUCE + 1, IDB_REDUCE, IDB_REDUCE);
    back->SetToolTipText(QString());
    back->setGeometry(897, 12, 37, 28);
    back->show();
    setVisible({IDC_MAP_SHOW, IDC_SPEED_ICON, IDC_MUTE, IDC_BRIGHTNESS_ICON, IDC_POSITION_SLIDER, IDC_SPEED_SLIDER,
                IDC_VOLUME_SLIDER, IDC_BRIGHTNESS_SLIDER, IDC_ELAPSED_LABEL, IDC_DURATION_LABEL,
                IDC_FILE_NAME_LABEL},
               false);
    mapView->setGeometry(2, 48, 1017, 615);
  }
}

void CTavroPlayerDlg::OnExtend() {
  if (viewMode == ViewNormal) {
    windowRect = geometry();
    viewMode = ViewExtended;
    setMinimumSize(0, 0);
    setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    showMaximized();
  } else {
    frontVideo->hide();
    viewMode = ViewNormal;
    showNormal();
    setGeometry(windowRect);
  }
  LayoutForView(viewMode);
  update();
}

void CTavroPlayerDlg::resizeEvent(QResizeEvent* event) {
  QDialog::resizeEvent(event);
  // The maximised window learns its final size only after showing; the video follows it.
  if (viewMode == ViewExtended) LayoutForView(ViewExtended);
}

// The map page, the speed digits and the G-sensor graph are filled in by the telemetry side of
// the player; until then these entry points have nothing to show.
void CTavroPlayerDlg::OnMapLarger() {}
void CTavroPlayerDlg::OnMapShow() {}
void CTavroPlayerDlg::UpdateMapPosition(qint64) {}
void CTavroPlayerDlg::UpdateSpeed(qint64) {}
void CTavroPlayerDlg::DrawGSensorGraph() {}
void CTavroPlayerDlg::RestartTelemetry() {}
