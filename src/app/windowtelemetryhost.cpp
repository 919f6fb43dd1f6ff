#include "windowtelemetryhost.h"

#include "configlistctrl.h"
#include "dialoghooks.h"
#include "maincontrols.h"
#include "mainlayout.h"
#include "recordinglists.h"
#include "recordingsession.h"
#include "resourceids.h"
#include "skinbutton.h"
#include "tavroplayerdlg.h"
#include "videoplayer.h"

using namespace ids;

namespace {
// The list keeps its place and width; only its height gives the small map room below it.
constexpr QPoint kListAt(695, 126);
constexpr int kMapButtonsLeft[] = {937, 973};
}  // namespace

WindowTelemetryHost::WindowTelemetryHost(CTavroPlayerDlg& window, const MainControls& controls, MainLayout& layout,
                                         RecordingLists& lists, RecordingSession& session, PlayerDialogs& dialogs)
    : window_(window), controls_(controls), layout_(layout), lists_(lists), session_(session), dialogs_(dialogs) {}

QWidget* WindowTelemetryHost::Face() { return &window_; }
int WindowTelemetryHost::ViewMode() const { return layout_.ViewMode(); }
int WindowTelemetryHost::MapState() const { return layout_.MapState(); }
void WindowTelemetryHost::SetMapState(int state) { layout_.SetMapState(state); }
int WindowTelemetryHost::UiLanguage() const { return window_.UiLanguage(); }
QString WindowTelemetryHost::LoadUiString(int id) const { return window_.LoadUiString(id); }
// The recording in the player, also while a filter hides its row.
QString WindowTelemetryHost::CurrentRecordingPath() const { return lists_.CurrentPath(); }
void WindowTelemetryHost::LayoutForView(int mode) { layout_.LayoutForView(mode); }

void WindowTelemetryHost::ResizeRecordingList(int height) {
  CConfigListCtrl* list = controls_.recordingList;
  list->setGeometry(QRect(kListAt, QSize(list->width(), height)));
  list->UpdateLayout();
  list->setFocus();
  list->repaint();
}

void WindowTelemetryHost::EnsureCurrentRowVisible() {
  const int row = lists_.CurrentIndex();
  if (row >= 0) controls_.recordingList->EnsureVisible(row, false);
}

void WindowTelemetryHost::PlaceMapButtons(int top, const QString& largerTooltip, const MapShowButtonLook& showLook) {
  CSovSkinButton* larger = controls_.Button(IDC_MAP_LARGER);
  larger->setGeometry(kMapButtonsLeft[0], top, 36, 22);
  larger->SetToolTipText(largerTooltip);
  CSovSkinButton* show = controls_.Button(IDC_MAP_SHOW);
  const auto& b = showLook.bitmaps;
  show->SetBitmaps(b[0], b[1], b[2], b[3], b[4]);
  show->setGeometry(kMapButtonsLeft[1], top, 37, 22);
  show->SetToolTipText(QString::fromUtf8(showLook.tooltip));
  show->repaint();
}

void WindowTelemetryHost::SetMapLargerTooltip(const QString& tooltip) {
  controls_.Button(IDC_MAP_LARGER)->SetToolTipText(tooltip);
}

void WindowTelemetryHost::RerunChannelView() {
  session_.RunChannelCommand();
  window_.Player().Repaint();
}

void WindowTelemetryHost::ShowMessage(const QString& text) { dialogs_.message(text, false); }
