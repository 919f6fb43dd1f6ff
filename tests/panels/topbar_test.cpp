// The top bar: its layout at two widths, its buttons reaching the window's commands, and the
// name, check states and enabling the window writes into it.
#include "controltopdlg.h"
#include "paneltestsupport.h"
#include "resourceids.h"
#include "skinbutton.h"
#include "statictrans.h"

#include <gtest/gtest.h>

using namespace ids;
using paneltest::MoveTo;

namespace {

class TopBarTest : public ::testing::Test {
 protected:
  void SetUp() override {
    window.resize(1280, 720);
    ASSERT_TRUE(paneltest::ShowActive(window));
    paneltest::ParkMouse(window);
    window.EnterExtended();
    MoveTo(window, {640, 10});
    ASSERT_TRUE(bar->isVisible());
    window.calls.clear();
  }

  FakeWindow window;
  CControlTopDlg* bar = window.TopBar();
};

TEST_F(TopBarTest, ButtonsKeepTheirDistanceFromTheRightEdgeAndTheNameStaysLeft) {
  struct Case {
    int id;
    int fromRight, width;
  };
  const Case cases[] = {{IDC_TOP_REDUCE, 56, 37},       {IDC_TOP_FLIP_HORIZONTAL, 99, 37},
                        {IDC_TOP_FLIP_VERTICAL, 142, 37}, {IDC_TOP_BOTH, 188, 40},
                        {IDC_TOP_REAR, 228, 40},          {IDC_TOP_FRONT, 268, 40}};
  for (int width : {1920, 1280}) {
    bar->setGeometry(0, 0, width, CControlTopDlg::kHeight);
    bar->LayoutControls();
    for (const Case& c : cases)
      EXPECT_EQ(bar->Button(c.id)->geometry(), QRect(width - c.fromRight, 7, c.width, 28)) << c.id << " at " << width;
    EXPECT_EQ(bar->FileNameLabel()->geometry(), QRect(28, 11, 300, 15));
  }
}

TEST_F(TopBarTest, EveryButtonRunsTheWindowsCommand) {
  struct Case {
    int id;
    const char* call;
  };
  for (const Case& c : {Case{IDC_TOP_FRONT, "OnViewFront"}, Case{IDC_TOP_REAR, "OnViewRear"},
                        Case{IDC_TOP_BOTH, "OnViewBoth"}, Case{IDC_TOP_FLIP_VERTICAL, "OnFlipVertical"},
                        Case{IDC_TOP_FLIP_HORIZONTAL, "OnFlipHorizontal"}, Case{IDC_TOP_REDUCE, "OnExtend"}}) {
    window.calls.clear();
    QTest::mouseClick(bar->Button(c.id), Qt::LeftButton);
    EXPECT_EQ(window.calls, QStringList{c.call}) << c.id;
  }
  EXPECT_EQ(bar->Button(IDC_TOP_REDUCE)->toolTip(), "Reduce");
}

TEST_F(TopBarTest, OneChannelViewIsCheckedAtATime) {
  struct Case {
    int view;
    bool front, rear, both;
  };
  for (const Case& c : {Case{1, true, false, false}, Case{2, false, true, false}, Case{4, false, false, true},
                        Case{0, false, false, false}}) {
    bar->SetChannelView(c.view);
    EXPECT_EQ(bar->Button(IDC_TOP_FRONT)->GetCheck(), c.front) << c.view;
    EXPECT_EQ(bar->Button(IDC_TOP_REAR)->GetCheck(), c.rear) << c.view;
    EXPECT_EQ(bar->Button(IDC_TOP_BOTH)->GetCheck(), c.both) << c.view;
  }
  bar->SetFlipVerticalCheck(true);
  EXPECT_TRUE(bar->Button(IDC_TOP_FLIP_VERTICAL)->GetCheck());
  EXPECT_FALSE(bar->Button(IDC_TOP_FLIP_HORIZONTAL)->GetCheck());
  bar->SetFlipHorizontalCheck(true);
  bar->SetFlipVerticalCheck(false);
  EXPECT_FALSE(bar->Button(IDC_TOP_FLIP_VERTICAL)->GetCheck());
  EXPECT_TRUE(bar->Button(IDC_TOP_FLIP_HORIZONTAL)->GetCheck());
}

TEST_F(TopBarTest, TheNameIsEmptyUntilARecordingOpensAndAfterAReset) {
  CSovStaticTrans* label = bar->FileNameLabel();
  EXPECT_EQ(label->GetWindowText(), "");
  bar->SetFileName("20240105_093000_NOR_F1.AVI");
  EXPECT_EQ(label->GetWindowText(), "20240105_093000_NOR_F1.AVI");
  EXPECT_TRUE(label->isVisible());
  EXPECT_EQ(label->textColour, QColor(255, 255, 255));
  bar->SetFileName(QString());
  EXPECT_EQ(label->GetWindowText(), "");
}

// A one-camera recording leaves Front (and Reduce) usable; nothing opened leaves only Reduce.
TEST_F(TopBarTest, AOneCameraRecordingLeavesFrontAndReduce) {
  bar->SetViewButtonsEnabled(true, false);
  QTest::mouseClick(bar->Button(IDC_TOP_REAR), Qt::LeftButton);
  QTest::mouseClick(bar->Button(IDC_TOP_FLIP_VERTICAL), Qt::LeftButton);
  QTest::mouseClick(bar->Button(IDC_TOP_FRONT), Qt::LeftButton);
  QTest::mouseClick(bar->Button(IDC_TOP_REDUCE), Qt::LeftButton);
  EXPECT_EQ(window.calls, (QStringList{"OnViewFront", "OnExtend"}));
  for (int id : {IDC_TOP_REAR, IDC_TOP_BOTH, IDC_TOP_FLIP_VERTICAL, IDC_TOP_FLIP_HORIZONTAL})
    EXPECT_FALSE(bar->Button(id)->isEnabled()) << id;

  bar->SetViewButtonsEnabled(false, false);
  EXPECT_FALSE(bar->Button(IDC_TOP_FRONT)->isEnabled());
  EXPECT_TRUE(bar->Button(IDC_TOP_REDUCE)->isEnabled());
  bar->SetViewButtonsEnabled(true, true);
  for (int id = IDC_TOP_FRONT; id <= IDC_TOP_FLIP_HORIZONTAL; ++id) EXPECT_TRUE(bar->Button(id)->isEnabled()) << id;
}

}  // namespace
