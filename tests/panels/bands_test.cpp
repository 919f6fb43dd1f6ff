// The mouse bands of the extended view: which moves show and hide the bars, which of the window's
// own controls go with them, and the cases where the band state keeps the bars away.
#include "controlfilelistdlg.h"
#include "controlpaneldlg.h"
#include "controltopdlg.h"
#include "extendedviewbars.h"
#include "listscrollbar.h"
#include "configlistctrl.h"
#include "paneltestsupport.h"
#include "resourceids.h"
#include "skinbutton.h"

#include <gtest/gtest.h>

using namespace ids;
using paneltest::MoveTo;

namespace {

constexpr int kShow = ExtendedViewBars::kShowBars;
constexpr int kHide = ExtendedViewBars::kHideBars;

// The window's controls that no band decision leaves on the face.
const int kAlwaysHidden[] = {
    IDC_RECORDING_LIST, IDC_MINIMIZE, IDC_CLOSE, IDC_INFORMATION, IDC_REWIND, IDC_FORWARD, IDC_PLAY,
    IDC_PREVIOUS, IDC_NEXT, IDC_FLIP_VERTICAL, IDC_CAPTURE, IDC_CALENDAR, IDC_SAVE, IDC_DELETE,
    IDC_TYPE_ALL, IDC_TYPE_NORMAL, IDC_TYPE_EVENT, IDC_TYPE_MOTION, IDC_MAP_LARGER, IDC_MAP_SHOW,
    IDC_MUTE, IDC_POSITION_SLIDER, IDC_SPEED_SLIDER, IDC_VOLUME_SLIDER, IDC_BRIGHTNESS_SLIDER,
    IDC_ELAPSED_LABEL, IDC_DURATION_LABEL,
};

TEST(BandDecision, TopFortyRowsAndBottomFortyFourRowsShowTheBars) {
  const QSize client(1280, 720);
  struct Case {
    QPoint point;
    int decision;
  };
  for (const Case& c : {Case{{0, 0}, kShow}, Case{{1279, 39}, kShow}, Case{{640, 40}, kHide},
                        Case{{640, 360}, kHide}, Case{{640, 675}, kHide}, Case{{640, 676}, kShow},
                        Case{{0, 719}, kShow}, Case{{640, 720}, kHide}, Case{{-1, 10}, kHide},
                        Case{{1280, 10}, kHide}, Case{{10, -1}, kHide}}) {
    EXPECT_EQ(ExtendedViewBars::BandDecision(client, c.point), c.decision)
        << c.point.x() << "," << c.point.y();
  }
}

class BandsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    window.resize(1280, 720);
    ASSERT_TRUE(paneltest::ShowActive(window));
    paneltest::ParkMouse(window);
    window.EnterExtended();
    window.calls.clear();
  }

  bool BarsShown() const { return window.TopBar()->isVisible() && window.ControlPanel()->isVisible(); }
  bool BarsHidden() const { return !window.TopBar()->isVisible() && !window.ControlPanel()->isVisible(); }
  QWidget* Face(int id) const { return window.Control(id); }

  // The face after a decision: everything of kAlwaysHidden gone (the list with its scrollbar),
  // the extend button as given.
  void ExpectFace(bool extendVisible) const {
    for (int id : kAlwaysHidden) EXPECT_FALSE(Face(id)->isVisible()) << id;
    EXPECT_FALSE(static_cast<CConfigListCtrl*>(Face(IDC_RECORDING_LIST))->Scrollbar()->isVisible());
    EXPECT_EQ(Face(IDC_EXTEND)->isVisible(), extendVisible);
  }

  FakeWindow window;
};

TEST_F(BandsTest, ThePictureAloneUntilTheMouseReachesABandThenBothBarsAtOnce) {
  MoveTo(window, {640, 360});
  EXPECT_TRUE(BarsHidden());
  EXPECT_EQ(window.Bars().BandState(), kHide);
  ExpectFace(false);
  EXPECT_EQ(window.calls, QStringList{"RepaintVideo"});

  MoveTo(window, {640, 10});
  EXPECT_TRUE(BarsShown());
  EXPECT_EQ(window.Bars().BandState(), kShow);
  EXPECT_EQ(window.TopBar()->geometry(), QRect(0, 0, 1280, 40));
  EXPECT_EQ(window.ControlPanel()->geometry(), QRect(0, 676, 1280, 44));
  // Laid out for their width when they appear.
  EXPECT_EQ(window.TopBar()->Button(IDC_TOP_REDUCE)->geometry(), QRect(1224, 7, 37, 28));
  EXPECT_EQ(window.ControlPanel()->Button(IDC_PANEL_FILE_LIST)->geometry(), QRect(1223, 8, 37, 28));
  ExpectFace(true);

  MoveTo(window, {700, 400});
  EXPECT_TRUE(BarsHidden());
  ExpectFace(false);
  EXPECT_EQ(window.calls, (QStringList{"RepaintVideo", "RepaintVideo", "RepaintVideo"}));

  // From the bottom band just the same.
  MoveTo(window, {100, 719});
  EXPECT_TRUE(BarsShown());
}

TEST_F(BandsTest, MovesInsideTheSameBandOrOverTheBarsChangeNothing) {
  MoveTo(window, {640, 700});
  ASSERT_TRUE(BarsShown());
  window.calls.clear();
  // Once shown the bars cover the bands: these moves reach the bars, never the window.
  MoveTo(window, {300, 690});
  MoveTo(window, {5, 30});
  MoveTo(window, {1279, 719});
  EXPECT_TRUE(BarsShown());
  EXPECT_TRUE(window.calls.isEmpty());
}

TEST_F(BandsTest, TheFileListPanelStaysWhileTheMouseIsOverItAndGoesWithTheBars) {
  MoveTo(window, {640, 700});
  CSovSkinButton* fileList = window.ControlPanel()->Button(IDC_PANEL_FILE_LIST);
  QTest::mouseClick(fileList, Qt::LeftButton);
  CControlFileListDlg* panel = window.FileListPanel();
  ASSERT_TRUE(panel->isVisible());
  EXPECT_EQ(panel->geometry(), QRect(1280 - 326, 676 - 587, 326, 587));

  // The panel reaches far above the band; a move over it, over its list or its bare skin, is not
  // a move over the picture.
  for (QPoint at : {QPoint(163, 300), QPoint(100, 65), QPoint(0, 400)}) {
    MoveTo(window, panel->geometry().topLeft() + at);
    EXPECT_TRUE(panel->isVisible()) << at.x() << "," << at.y();
  }
  EXPECT_TRUE(BarsShown());

  MoveTo(window, {300, 300});
  EXPECT_FALSE(panel->isVisible());
  EXPECT_FALSE(fileList->GetCheck());
  EXPECT_TRUE(BarsHidden());

  // One click brings it back at its place once the bars are there again.
  MoveTo(window, {300, 710});
  QTest::mouseClick(fileList, Qt::LeftButton);
  EXPECT_TRUE(panel->isVisible());
  EXPECT_EQ(panel->geometry(), QRect(954, 89, 326, 587));
  QTest::mouseClick(fileList, Qt::LeftButton);
  EXPECT_FALSE(panel->isVisible());
}

TEST_F(BandsTest, AfterAResizeTheBarsComeBackOnlyOnceTheMouseHasLeftTheBands) {
  MoveTo(window, {640, 10});
  ASSERT_TRUE(BarsShown());
  window.resize(1024, 600);
  ASSERT_TRUE(QTest::qWaitFor([&] { return window.size() == QSize(1024, 600); }));
  EXPECT_TRUE(BarsHidden());
  EXPECT_EQ(window.Bars().BandState(), kShow);
  // Placed and laid out anew for the new size, though hidden.
  EXPECT_EQ(window.ControlPanel()->geometry(), QRect(0, 556, 1024, 44));
  EXPECT_EQ(window.ControlPanel()->Button(IDC_PANEL_FILE_LIST)->geometry(), QRect(967, 8, 37, 28));
  EXPECT_EQ(window.TopBar()->Button(IDC_TOP_REDUCE)->geometry(), QRect(968, 7, 37, 28));

  MoveTo(window, {500, 20});
  MoveTo(window, {500, 590});
  EXPECT_TRUE(BarsHidden());
  MoveTo(window, {500, 300});
  MoveTo(window, {500, 590});
  EXPECT_TRUE(BarsShown());
}

TEST_F(BandsTest, ReduceWhileTheBarsAreShownThenBackLeavesTheBarsAwayUntilTheMouseLeftTheBands) {
  MoveTo(window, {640, 10});
  ASSERT_TRUE(BarsShown());
  QTest::mouseClick(window.TopBar()->Button(IDC_TOP_REDUCE), Qt::LeftButton);
  EXPECT_EQ(window.calls.last(), "OnExtend");
  EXPECT_FALSE(window.extended);
  EXPECT_TRUE(BarsHidden());

  // Moves in the normal view are not the bands' business.
  MoveTo(window, {640, 360});
  EXPECT_EQ(window.Bars().BandState(), kShow);

  // Back in the extended view the layout has put the window's own transport on the face.
  window.EnterExtended();
  Face(IDC_PLAY)->show();
  MoveTo(window, {640, 700});
  MoveTo(window, {600, 20});
  EXPECT_TRUE(BarsHidden());
  EXPECT_TRUE(Face(IDC_PLAY)->isVisible());

  MoveTo(window, {600, 300});
  EXPECT_FALSE(Face(IDC_PLAY)->isVisible());
  MoveTo(window, {600, 20});
  EXPECT_TRUE(BarsShown());
}

TEST_F(BandsTest, LeavingTheExtendedViewTakesTheFileListPanelAlongAndUnchecksItsButton) {
  MoveTo(window, {640, 700});
  CSovSkinButton* fileList = window.ControlPanel()->Button(IDC_PANEL_FILE_LIST);
  QTest::mouseClick(fileList, Qt::LeftButton);
  ASSERT_TRUE(window.FileListPanel()->isVisible());
  window.LeaveExtended();  // Escape
  EXPECT_FALSE(window.FileListPanel()->isVisible());
  EXPECT_FALSE(fileList->GetCheck());
  EXPECT_TRUE(BarsHidden());
}

}  // namespace
