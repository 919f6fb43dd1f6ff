// Where the main window's controls are in its three arrangements, and the keys it takes before
// its controls see them.
#include "appfixture.h"

#include "configlistctrl.h"
#include "imageslider.h"
#include "maincontrols.h"
#include "playgraph.h"
#include "recordinglists.h"
#include "resourceids.h"
#include "skinbutton.h"
#include "videoplayer.h"

#include <QScreen>
#include <QSet>
#include <QTest>
#include <functional>
#include <gtest/gtest.h>

using namespace ids;

namespace {

struct Expected {
  int id;
  QRect rect;
};

// Every button, slider and label of the window.
QList<int> AllControls(const CTavroPlayerDlg& w) {
  QList<int> ids;
  for (const ButtonSpec& b : MainButtons()) ids << b.id;
  for (const SliderSpec& s : MainSliders()) ids << s.id;
  ids << IDC_ELAPSED_LABEL << IDC_DURATION_LABEL << IDC_FILE_NAME_LABEL;
  for (int id : ids) EXPECT_TRUE(w.findChild<QWidget*>(ControlName(id))) << id;
  return ids;
}

// Checks the places of the expected controls and that exactly those of them are visible.
void ExpectArrangement(const CTavroPlayerDlg& w, const std::vector<Expected>& expected) {
  QSet<int> shown;
  for (const Expected& e : expected) {
    QWidget* c = w.findChild<QWidget*>(ControlName(e.id));
    ASSERT_TRUE(c) << e.id;
    EXPECT_EQ(c->geometry(), e.rect) << e.id;
    shown << e.id;
  }
  for (int id : AllControls(w))
    EXPECT_EQ(w.findChild<QWidget*>(ControlName(id))->isVisibleTo(&w), shown.contains(id)) << id;
}

}  // namespace

TEST(Layout, NormalViewPlacesEveryControl) {
  MainWindowFixture f;
  ASSERT_TRUE(f.window->OnInitDialog());
  ExpectArrangement(*f.window, {
      {IDC_INFORMATION, {150, 12, 37, 28}},     {IDC_MINIMIZE, {937, 12, 36, 28}},
      {IDC_CLOSE, {973, 12, 37, 28}},           {IDC_VIEW_FRONT, {431, 53, 36, 22}},
      {IDC_VIEW_REAR, {467, 53, 36, 22}},       {IDC_VIEW_BOTH, {501, 53, 36, 22}},
      {IDC_FLIP_VERTICAL, {543, 53, 36, 22}},   {IDC_FLIP_HORIZONTAL, {579, 53, 34, 22}},
      {IDC_CAPTURE, {613, 53, 34, 22}},         {IDC_EXTEND, {647, 53, 36, 22}},
      {IDC_FOLDER, {871, 53, 36, 22}},          {IDC_CALENDAR, {907, 53, 36, 22}},
      {IDC_SAVE, {940, 53, 34, 22}},            {IDC_DELETE, {974, 53, 36, 22}},
      {IDC_CHECK_ALL, {963, 107, 39, 19}},      {IDC_TYPE_ALL, {695, 78, 81, 29}},
      {IDC_TYPE_NORMAL, {776, 78, 81, 29}},     {IDC_TYPE_EVENT, {857, 78, 81, 29}},
      {IDC_TYPE_MOTION, {938, 78, 82, 29}},     {IDC_REWIND, {450, 475, 36, 28}},
      {IDC_FORWARD, {486, 475, 37, 28}},        {IDC_PLAY, {535, 475, 37, 28}},
      {IDC_PREVIOUS, {584, 475, 36, 28}},       {IDC_NEXT, {620, 475, 37, 28}},
      {IDC_MAP_LARGER, {937, 639, 36, 22}},     {IDC_MAP_SHOW, {973, 639, 37, 22}},
      {IDC_SPEED_ICON, {450, 544, 22, 16}},     {IDC_MUTE, {450, 581, 22, 16}},
      {IDC_BRIGHTNESS_ICON, {450, 617, 22, 21}}, {IDC_POSITION_SLIDER, {30, 474, 391, 20}},
      {IDC_SPEED_SLIDER, {477, 544, 179, 15}},  {IDC_VOLUME_SLIDER, {477, 582, 179, 15}},
      {IDC_BRIGHTNESS_SLIDER, {477, 620, 179, 15}}, {IDC_ELAPSED_LABEL, {40, 494, 50, 13}},
      {IDC_DURATION_LABEL, {364, 494, 50, 13}}, {IDC_FILE_NAME_LABEL, {121, 57, 290, 15}},
  });
  EXPECT_TRUE(f.window->RecordingList()->isVisibleTo(f.window.get()));
  EXPECT_EQ(f.window->findChild<QWidget*>(ControlName(IDC_MAP_VIEW))->geometry(), QRect(0, 0, 0, 0));
}

TEST(Layout, ExtendedViewPlacesTheBottomControlsByTheWindowsSize) {
  MainWindowFixture f;
  ASSERT_TRUE(f.window->OnInitDialog());
  CTavroPlayerDlg& w = *f.window;
  w.show();
  w.OnExtend();
  ASSERT_TRUE(QTest::qWaitFor([&] { return w.isMaximized() && w.size() == w.screen()->availableGeometry().size(); }, 5000));
  const int W = w.width();
  const int H = w.height();
  ASSERT_GT(W, 599);
  ExpectArrangement(w, {
      {IDC_INFORMATION, {W - 94, H - 36, 37, 28}}, {IDC_EXTEND, {W - 56, 7, 36, 22}},
      {IDC_REWIND, {W - 550, H - 36, 36, 28}},     {IDC_FORWARD, {W - 514, H - 36, 37, 28}},
      {IDC_PLAY, {W - 465, H - 36, 37, 28}},       {IDC_PREVIOUS, {W - 416, H - 36, 36, 28}},
      {IDC_NEXT, {W - 380, H - 36, 37, 28}},       {IDC_POSITION_SLIDER, {20, H - 39, W - 599, 20}},
      {IDC_VOLUME_SLIDER, {W - 291, H - 31, 181, 15}},
  });
  EXPECT_FALSE(w.RecordingList()->isVisibleTo(&w));

  // Escape leaves it as the extend button does.
  QTest::keyClick(w.RecordingList(), Qt::Key_Escape);
  EXPECT_EQ(w.CurrentViewMode(), CTavroPlayerDlg::ViewNormal);
  EXPECT_EQ(w.size(), kNormalWindowSize);
  EXPECT_EQ(w.Button(IDC_CLOSE)->geometry(), QRect(973, 12, 37, 28));
  EXPECT_TRUE(w.RecordingList()->isVisibleTo(&w));
}

TEST(Layout, LargeMapLeavesTheTitleButtonsTheWayBackAndTheMap) {
  MainWindowFixture f;
  ASSERT_TRUE(f.window->OnInitDialog());
  f.window->LayoutForView(CTavroPlayerDlg::ViewLargeMap);
  ExpectArrangement(*f.window, {
      {IDC_INFORMATION, {150, 12, 37, 28}}, {IDC_MINIMIZE, {937, 12, 36, 28}},
      {IDC_CLOSE, {973, 12, 37, 28}},       {IDC_MAP_LARGER, {897, 12, 37, 28}},
  });
  EXPECT_FALSE(f.window->RecordingList()->isVisibleTo(f.window.get()));
  EXPECT_EQ(f.window->findChild<QWidget*>(ControlName(IDC_MAP_VIEW))->geometry(), QRect(2, 48, 1017, 615));
  EXPECT_EQ(f.window->CurrentViewMode(), CTavroPlayerDlg::ViewNormal);
}

TEST(Keys, TheWindowTakesItsKeysBeforeAnyControl) {
  ASSERT_FALSE(SampleCard().isEmpty()) << "the sample card fixture did not run";
  MainWindowFixture f;
  const QString root = f.AddCard(SampleCard(), "QX5");
  f.AnswerDriveWith(root);
  ASSERT_TRUE(f.window->OnInitDialog());
  ASSERT_TRUE(f.Listed([&] { EXPECT_TRUE(f.window->SelectDriveAndScan()); }));
  CTavroPlayerDlg& w = *f.window;
  w.show();
  w.PlayRow(1);
  CVideoPlayer& player = w.Player();
  ASSERT_TRUE(player.PlayGraph());
  auto state = [&] { return player.PlayGraph() ? player.PlayGraph()->State() : PlayState::Empty; };

  const struct {
    Qt::Key key;
    std::function<void()> before;
    std::function<bool()> done;
    const char* what;
  } keys[] = {
      {Qt::Key_Space, [] {}, [&] { return state() == PlayState::Paused; }, "space pauses"},
      {Qt::Key_Space, [] {}, [&] { return state() == PlayState::Running; }, "space plays"},
      {Qt::Key_Right, [&] { w.PlayPause(); player.SeekTo(1000); }, [&] { return player.GetPositionMs() == 2000; },
       "right steps forward"},
      {Qt::Key_Left, [] {}, [&] { return player.GetPositionMs() == 1000; }, "left steps back"},
      {Qt::Key_PageDown, [] {}, [&] { return w.CurrentIndex() == 2 && state() == PlayState::Running; },
       "page down plays the next row"},
      {Qt::Key_PageUp, [] {}, [&] { return w.CurrentIndex() == 1 && state() == PlayState::Running; },
       "page up plays the previous row"},
      {Qt::Key_Return, [] {}, [&] { return w.isVisible() && w.result() == 0 && w.CurrentIndex() == 1; },
       "enter changes nothing"},
  };
  // The keys reach the window whichever control has the focus: the list, a slider, a button.
  QWidget* targets[] = {w.RecordingList(), w.Slider(IDC_SPEED_SLIDER), w.Button(IDC_SAVE)};
  int n = 0;
  for (const auto& k : keys) {
    k.before();
    QWidget* target = targets[n++ % 3];
    target->setFocus();
    QTest::keyClick(target, k.key);
    EXPECT_TRUE(QTest::qWaitFor(k.done, 5000)) << k.what;
  }
  // The slider never moved by the keys it would otherwise take.
  EXPECT_EQ(w.Slider(IDC_SPEED_SLIDER)->GetPos(), 5);
}
