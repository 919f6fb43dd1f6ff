#include "fakewindow.h"

#include "configlistctrl.h"
#include "controlfilelistdlg.h"
#include "controlpaneldlg.h"
#include "controltopdlg.h"
#include "extendedviewbars.h"
#include "imageslider.h"
#include "recordinglist.h"
#include "resourceids.h"
#include "skinbutton.h"
#include "statictrans.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

using namespace ids;

FakeWindow::FakeWindow(AudioOutput* audio) {
  // The face controls sit in a column left of the middle, away from the bands.
  int y = 100;
  auto place = [this, &y](int id, QWidget* control) {
    control->setGeometry(4, y, 12, 12);
    y += 14;
    controls.insert(id, control);
  };
  for (int id : {IDC_MINIMIZE, IDC_CLOSE, IDC_INFORMATION, IDC_SAVE, IDC_DELETE, IDC_FLIP_VERTICAL,
                 IDC_CAPTURE, IDC_EXTEND, IDC_TYPE_ALL, IDC_TYPE_NORMAL, IDC_TYPE_EVENT, IDC_TYPE_MOTION,
                 IDC_REWIND, IDC_FORWARD, IDC_PLAY, IDC_PREVIOUS, IDC_NEXT, IDC_MAP_LARGER, IDC_MAP_SHOW})
    place(id, new CSovSkinButton(id, ButtonKind::Push, this));
  for (int id : {IDC_CALENDAR, IDC_FOLDER, IDC_CHECK_ALL, IDC_MUTE})
    place(id, new CSovSkinButton(id, ButtonKind::Check, this));
  for (int id : {IDC_POSITION_SLIDER, IDC_SPEED_SLIDER, IDC_VOLUME_SLIDER, IDC_BRIGHTNESS_SLIDER})
    place(id, new CSovImageSlider(id, this));
  for (int id : {IDC_ELAPSED_LABEL, IDC_DURATION_LABEL}) place(id, new CSovStaticTrans(id, this));
  auto* list = new CConfigListCtrl(IDC_RECORDING_LIST, this);
  place(IDC_RECORDING_LIST, list);
  list->CreateScrollbar();

  Slider(IDC_POSITION_SLIDER)->SetRange(0, 600000);
  Slider(IDC_VOLUME_SLIDER)->SetRange(0, 99);
  Slider(IDC_VOLUME_SLIDER)->SetPos(50);
  bars = std::make_unique<ExtendedViewBars>(*this, this, audio);
}

FakeWindow::~FakeWindow() = default;

CControlTopDlg* FakeWindow::TopBar() const { return bars->TopBar(); }
CControlPanelDlg* FakeWindow::ControlPanel() const { return bars->ControlPanel(); }
CControlFileListDlg* FakeWindow::FileListPanel() const { return bars->FileListPanel(); }

void FakeWindow::EnterExtended() {
  extended = true;
  bars->OnEnterExtended();
  // As the window's layout of the extended view: the list tools leave, the extend button goes to
  // the top right corner, under the top bar's Reduce.
  for (int id : {IDC_FOLDER, IDC_CHECK_ALL}) controls.value(id)->hide();
  controls.value(IDC_EXTEND)->setGeometry(width() - 56, 7, 36, 22);
}

void FakeWindow::LeaveExtended() {
  extended = false;
  bars->OnLeaveExtended();
}

void FakeWindow::OnExtend() {
  calls << "OnExtend";
  if (extended) LeaveExtended();
  else EnterExtended();
}

void FakeWindow::SetRows(int count) {
  std::vector<RecordingEntry> entries;
  for (int i = 0; i < count; ++i) {
    const QString name = QStringLiteral("20240105_0930%1_NOR_F1.AVI").arg(i, 2, 10, QLatin1Char('0'));
    entries.push_back({name, "24.01.05", "51,200", "", "/card/Recordings/" + name, "1704440000"});
  }
  rows.SetEntries(std::move(entries));
  if (twinList) AttachCheckCells(*twinList);
}

CSovSkinButton* FakeWindow::Button(int id) const { return qobject_cast<CSovSkinButton*>(controls.value(id)); }
CSovImageSlider* FakeWindow::Slider(int id) const { return qobject_cast<CSovImageSlider*>(controls.value(id)); }

void FakeWindow::AttachTwinList(CConfigListCtrl* list) { twinList = list; }

void FakeWindow::OnPanelListClick(int row) {
  calls << QStringLiteral("OnPanelListClick(%1)").arg(row);
  panelCheckAtClick = twinList && row >= 0 ? twinList->GetItemText(row, 3) : QString();
}

void FakeWindow::SetMuteLook(bool muted) {
  Button(IDC_MUTE)->SetCheck(muted);
  calls << QStringLiteral("SetMuteLook(%1)").arg(int(muted));
}

QString FakeWindow::WithTwin(const char* command, int twinId) const {
  return QStringLiteral("%1[%2=%3]").arg(QLatin1String(command)).arg(twinId).arg(int(Button(twinId)->GetCheck()));
}

void FakeWindow::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), Qt::black);
}

void FakeWindow::mouseMoveEvent(QMouseEvent* event) {
  bars->OnMouseMove(event->position().toPoint());
  QWidget::mouseMoveEvent(event);
}

void FakeWindow::keyPressEvent(QKeyEvent* event) { keysReachingWindow << event->key(); }

void FakeWindow::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  if (bars) bars->OnResize();
}
