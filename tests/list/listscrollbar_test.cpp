#include <QElapsedTimer>
#include <QWheelEvent>

#include "listtestfixture.h"

namespace {

TEST(ListScrollbarThumb, Formula) {
  const struct {
    const char* what;
    int barHeight, pos, limit, count, perPage;
    bool visible;
    int thumbHeight, thumbTop;
  } cases[] = {
      {"top of 100 rows, 20 a page", 300, 0, 80, 100, 20, true, 53, 16},
      {"middle", 300, 40, 80, 100, 20, true, 53, 123},
      {"bottom touches the down arrow", 300, 80, 80, 100, 20, true, 53, 231},
      {"all rows visible", 300, 0, 0, 10, 20, false, 50, 16},
      {"empty list", 300, 0, 0, 0, 20, false, 50, 16},
      {"very long list keeps a grabbable thumb", 300, 0, 99980, 100000, 20, true, 20, 16},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const auto thumb =
        CSovFileListVerticleScrollbar::ComputeThumb(c.barHeight, c.pos, c.limit, c.count, c.perPage);
    EXPECT_EQ(thumb.visible, c.visible);
    if (!c.visible) continue;
    EXPECT_EQ(thumb.height, c.thumbHeight);
    EXPECT_EQ(thumb.top, c.thumbTop);
  }
}

class ListScrolling : public ListFixture {
 protected:
  // 20 rows a page; the scrollbar stands 20 pixels taller than the list.
  void MakeScrollingList(int rows) {
    MakeList(20 * CConfigListCtrl::kRowHeight);
    Fill(rows);
    Show();
    bar_ = list_->Scrollbar();
    ASSERT_NE(bar_, nullptr);
  }
  void ClickBar(int y) { QTest::mouseClick(bar_, Qt::LeftButton, {}, QPoint(8, y)); }
  int Height() const { return bar_->height(); }

  CSovFileListVerticleScrollbar* bar_ = nullptr;
};

TEST_F(ListScrolling, ScrollbarStandsBesideTheListAndHidesWhenNothingScrolls) {
  MakeScrollingList(100);
  EXPECT_EQ(bar_->geometry(), QRect(kListX + 308 - 1, kListY - 19, 18, 420 + 20));
  EXPECT_FALSE(bar_->isHidden());
  EXPECT_EQ(list_->GetScrollLimit(), 80);
  EXPECT_EQ(bar_->ThumbHeight(), int(20.0 / 100 * (440 - 32)));

  model_.removeRows(10, 90);
  EXPECT_TRUE(bar_->isHidden());
  model_.setRowCount(25);
  EXPECT_FALSE(bar_->isHidden());
  list_->hide();
  EXPECT_TRUE(bar_->isHidden());
  list_->show();
  EXPECT_FALSE(bar_->isHidden());
}

TEST_F(ListScrolling, ArrowsStepOneRowAndTheTrackPages) {
  MakeScrollingList(100);
  ClickBar(Height() - 8);  // down arrow
  EXPECT_EQ(list_->GetScrollPos(), 1);
  ClickBar(Height() - 8);
  ClickBar(8);  // up arrow
  EXPECT_EQ(list_->GetScrollPos(), 1);

  ClickBar(Height() - 40);  // track below the thumb
  EXPECT_EQ(list_->GetScrollPos(), 21);
  ClickBar(20);  // track above the thumb
  EXPECT_EQ(list_->GetScrollPos(), 1);

  // A press on an arrow released over the track pages instead of stepping.
  list_->Scroll(40 * CConfigListCtrl::kRowHeight);
  ASSERT_EQ(list_->GetScrollPos(), 41);
  QTest::mousePress(bar_, Qt::LeftButton, {}, QPoint(8, 8));
  QTest::mouseRelease(bar_, Qt::LeftButton, {}, QPoint(8, 30));
  EXPECT_EQ(list_->GetScrollPos(), 21);
  EXPECT_EQ(bar_->ThumbTop(), CSovFileListVerticleScrollbar::ComputeThumb(Height(), 21, 80, 100, 20).top);
}

TEST_F(ListScrolling, HoldingAnArrowRepeatsUntilRelease) {
  MakeScrollingList(100);
  QElapsedTimer held;
  held.start();
  QTest::mousePress(bar_, Qt::LeftButton, {}, QPoint(8, Height() - 8));
  QTest::qWait(120);
  // Still in the first delay, unless a loaded machine let the wait run past it.
  if (held.elapsed() < 200) {
    EXPECT_EQ(list_->GetScrollPos(), 0);
  }
  QTest::qWait(600);
  const int rows = list_->GetScrollPos();
  EXPECT_GE(rows, 2);
  QTest::mouseRelease(bar_, Qt::LeftButton, {}, QPoint(8, Height() - 8));
  EXPECT_EQ(list_->GetScrollPos(), rows + 1);
  QTest::qWait(150);
  EXPECT_EQ(list_->GetScrollPos(), rows + 1);
}

TEST_F(ListScrolling, DraggingTheThumbLandsOnTheRowUnderIt) {
  MakeScrollingList(100);
  const int thumbHeight = bar_->ThumbHeight();
  const double ratio = double(Height() - thumbHeight - 32) / 80;
  QTest::mousePress(bar_, Qt::LeftButton, {}, QPoint(8, 16 + thumbHeight / 2));
  const int y = int(16 + ratio * 50 + 1) + thumbHeight / 2;
  QTest::mouseMove(bar_, QPoint(8, y));
  EXPECT_EQ(list_->GetScrollPos(), 50);
  QTest::mouseRelease(bar_, Qt::LeftButton, {}, QPoint(8, y));
  EXPECT_EQ(list_->GetScrollPos(), 50);
  QTest::mousePress(bar_, Qt::LeftButton, {}, QPoint(8, bar_->ThumbTop() + 2));
  QTest::mouseMove(bar_, QPoint(8, Height() + 100));  // dragged past the end
  QTest::mouseRelease(bar_, Qt::LeftButton, {}, QPoint(8, Height() + 100));
  EXPECT_EQ(list_->GetScrollPos(), 80);
}

TEST_F(ListScrolling, ListScrollsByWholeRowsAndClampsToItsEnds) {
  MakeScrollingList(100);
  const struct {
    int dy;
    int pos;
  } steps[] = {{10, 0}, {11, 1}, {20, 2}, {-31, 1}, {-32, 0}, {-100, 0}, {21 * 500, 80}, {-21 * 3, 77}};
  for (const auto& step : steps) {
    list_->Scroll(step.dy);
    EXPECT_EQ(list_->GetScrollPos(), step.pos) << step.dy;
  }
}

TEST_F(ListScrolling, WheelScrollsTheListAndRevealingARowScrollsItIn) {
  MakeScrollingList(100);
  const QPoint at(40, 40);
  QWheelEvent down(at, list_->mapToGlobal(at), QPoint(), QPoint(0, -120), Qt::NoButton, Qt::NoModifier,
                   Qt::NoScrollPhase, false);
  QApplication::sendEvent(list_, &down);
  EXPECT_EQ(list_->GetScrollPos(), QApplication::wheelScrollLines());
  QWheelEvent overBar(QPoint(8, 100), bar_->mapToGlobal(QPoint(8, 100)), QPoint(), QPoint(0, -120),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(bar_, &overBar);
  EXPECT_EQ(list_->GetScrollPos(), 2 * QApplication::wheelScrollLines());

  list_->EnsureVisible(60, false);
  EXPECT_EQ(list_->GetTopIndex(), 41);
  list_->EnsureVisible(45, false);
  EXPECT_EQ(list_->GetTopIndex(), 41);
  list_->EnsureVisible(3, false);
  EXPECT_EQ(list_->GetTopIndex(), 3);
}

TEST_F(ListScrolling, ClicksLandOnTheScrolledRows) {
  MakeScrollingList(100);
  list_->Scroll(30 * CConfigListCtrl::kRowHeight);
  PaintNow();
  QTest::mouseClick(list_, Qt::LeftButton, {}, BoxCentre(32));
  EXPECT_EQ(list_->GetFirstSelectedItem(), 32);
  EXPECT_EQ(list_->GetItemText(32, 3), "1");
  EXPECT_EQ(list_->GetItemText(2, 3), "0");
}

}  // namespace
