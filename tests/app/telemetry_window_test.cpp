// The telemetry in the real window: a recording's drive loads while it plays, the map shows and
// goes with the list making room for it, a click on the graph plays from there, and the map and
// the records go with the recording and with the card.
#include "appfixture.h"

#include "cmapview.h"
#include "configlistctrl.h"
#include "playgraph.h"
#include "recordinglists.h"
#include "resourceids.h"
#include "skinbutton.h"
#include "telemetrycontroller.h"
#include "videoplayer.h"

#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

using namespace ids;

namespace {

struct TelemetryWindow {
  TelemetryWindow() {
    root = f.AddCard(SampleCard(), "QX5");
    f.AnswerDriveWith(root);
    EXPECT_TRUE(f.window->OnInitDialog());
    EXPECT_TRUE(f.Listed([&] { EXPECT_TRUE(f.window->SelectDriveAndScan()); }));
    // Offline, so no test starts the web engine: the small map then waits at zero size.
    T().SetConnectionProbe([] { return false; });
  }
  CTavroPlayerDlg& W() { return *f.window; }
  TelemetryController& T() { return *f.window->Telemetry(); }
  // Plays row and waits until its telemetry is loaded.
  bool PlayAndLoad(int row) {
    QSignalSpy loaded(&T(), &TelemetryController::telemetryLoaded);
    W().PlayRow(row);
    return loaded.count() > 0 || loaded.wait(15000);
  }
  // The first row of the card whose recording has fixes.
  int RowWithFixes() {
    for (int row = 0; row < W().RecordingList()->GetItemCount(); ++row)
      if (PlayAndLoad(row) && T().Telemetry().GpsCount() > 0) return row;
    return -1;
  }
  QRect ListRect() { return W().RecordingList()->geometry(); }
  QRect MapRect() { return W().findChild<QWidget*>(ControlName(IDC_MAP_VIEW))->geometry(); }

  MainWindowFixture f;
  QString root;
};

}  // namespace

TEST(TelemetryWindow, TheDriveLoadsWithTheRecordingAndGoesWithIt) {
  ASSERT_FALSE(SampleCard().isEmpty()) << "the sample card fixture did not run";
  TelemetryWindow t;
  const int row = t.RowWithFixes();
  ASSERT_GE(row, 0);
  EXPECT_GT(t.T().Telemetry().GSensorCount(), 0u);
  EXPECT_FALSE(t.T().GSensorImage().isNull());
  EXPECT_EQ(t.W().findChild<QWidget*>(ControlName(IDC_MAP_VIEW)), t.T().MapView());

  // The map shows: the list gives it the room below.
  const QRect fullList = t.ListRect();
  t.W().OnMapShow();
  EXPECT_EQ(t.W().CurrentMapState(), CTavroPlayerDlg::MapSmall);
  EXPECT_EQ(t.ListRect(), QRect(fullList.topLeft(), QSize(fullList.width(), 310)));
  EXPECT_EQ(t.W().Button(IDC_MAP_SHOW)->geometry(), QRect(973, 441, 37, 22));
  EXPECT_EQ(t.MapRect(), QRect(676, 71, 0, 0));  // offline: the page waits

  // The end of the list takes the map, the records and the graph's traces away.
  t.W().StopAndReset();
  EXPECT_EQ(t.W().CurrentMapState(), CTavroPlayerDlg::MapHidden);
  EXPECT_EQ(t.ListRect(), fullList);
  EXPECT_EQ(t.W().Button(IDC_MAP_SHOW)->geometry(), QRect(973, 639, 37, 22));
  EXPECT_EQ(t.T().Telemetry().GpsCount(), 0u);
  EXPECT_EQ(t.T().Telemetry().GSensorCount(), 0u);
}

TEST(TelemetryWindow, TheLargeMapGoesBackToTheNormalWindowWithTheRecording) {
  ASSERT_FALSE(SampleCard().isEmpty()) << "the sample card fixture did not run";
  TelemetryWindow t;
  ASSERT_GE(t.RowWithFixes(), 0);
  t.W().OnMapLarger();
  ASSERT_EQ(t.W().CurrentMapState(), CTavroPlayerDlg::MapLarge);
  EXPECT_FALSE(t.W().RecordingList()->isVisibleTo(&t.W()));
  EXPECT_EQ(t.MapRect(), QRect(2, 48, 1017, 615));

  t.W().StopAndReset();
  EXPECT_EQ(t.W().CurrentMapState(), CTavroPlayerDlg::MapHidden);
  EXPECT_TRUE(t.W().RecordingList()->isVisibleTo(&t.W()));
  EXPECT_EQ(t.W().Button(IDC_PLAY)->geometry(), QRect(535, 475, 37, 28));
  EXPECT_EQ(t.W().Button(IDC_MAP_LARGER)->geometry(), QRect(937, 639, 36, 22));
  EXPECT_EQ(t.MapRect().size(), QSize(0, 0));
}

TEST(TelemetryWindow, AClickOnTheGraphPlaysFromThatMoment) {
  ASSERT_FALSE(SampleCard().isEmpty()) << "the sample card fixture did not run";
  TelemetryWindow t;
  ASSERT_GE(t.RowWithFixes(), 0);
  t.W().show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&t.W()));
  t.W().PlayPause();  // paused, so the position stays where the click put it
  t.W().PositionTick();
  const qint64 duration = t.W().Player().GetDurationMs();
  ASSERT_GT(duration, 1000);
  const QRect graph = TelemetryController::GraphRect();
  const QPoint half(graph.left() + graph.width() / 2, graph.center().y());
  QTest::mouseClick(&t.W(), Qt::LeftButton, {}, half);
  // Within a pixel's worth of time of the middle of the recording.
  const double msPerPixel = double(duration) / graph.width();
  EXPECT_NEAR(double(t.W().Player().GetPositionMs()), duration / 2.0, 2 * msPerPixel + 40);
  EXPECT_EQ(t.W().Player().PlayGraph()->State(), PlayState::Paused);
}

TEST(TelemetryWindow, RemovingTheCardTakesTheDriveAway) {
  ASSERT_FALSE(SampleCard().isEmpty()) << "the sample card fixture did not run";
  TelemetryWindow t;
  ASSERT_GE(t.RowWithFixes(), 0);
  t.W().OnMapShow();
  t.W().OnDriveRemoved(t.root);
  EXPECT_EQ(t.W().CurrentMapState(), CTavroPlayerDlg::MapHidden);
  EXPECT_EQ(t.T().Telemetry().GpsCount(), 0u);
  EXPECT_EQ(t.MapRect().size(), QSize(0, 0));
}
