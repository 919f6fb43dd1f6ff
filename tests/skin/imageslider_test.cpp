#include "imageslider.h"
#include "skintestsupport.h"

#include <QApplication>
#include <QLineEdit>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>
#include <QWheelEvent>
#include <gtest/gtest.h>

using skintest::PixelOf;
using skintest::Solid;

namespace {

using Notifications = std::vector<std::pair<int, int>>;  // (code, position)

constexpr QRgb kChannel = 0xFF000080;
constexpr QRgb kFill = 0xFFFF8000;
constexpr QRgb kThumb = 0xFFC00000;
constexpr QRgb kThumbDrag = 0xFF0000FF;
constexpr QRgb kThumbFocus = 0xFF00C000;
constexpr QRgb kWhite = 0xFFFFFFFF;
constexpr int kThumbRow = 7;  // a row through the thumb (thumbY is 20 / 2 - 10 / 2 = 5)

// A 20 x 10 thumb whose columns 8 to 11 are the white key.
QImage Thumb(QRgb colour) {
  QImage image = Solid(20, 10, colour);
  for (int y = 0; y < 10; ++y) {
    for (int x = 8; x < 12; ++x) image.setPixel(x, y, kWhite);
  }
  return image;
}

class ImageSliderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    window.resize(300, 100);
    slider = new CSovImageSlider(1020, &window);
    slider->setGeometry(10, 10, 220, 20);
    slider->SetImages(Solid(220, 20, kChannel), Solid(220, 20, kFill), Thumb(kThumb),
                      Thumb(kThumbDrag), Thumb(kThumbFocus));
    slider->SetRange(0, 100);
    other = new QLineEdit(&window);
    other->setGeometry(10, 50, 80, 20);
    ASSERT_TRUE(skintest::ShowActive(window));
    other->setFocus();
    spy = std::make_unique<QSignalSpy>(slider, &CSovImageSlider::hScroll);
  }

  // What reached the owner once the queued notifications were delivered.
  Notifications Delivered() {
    QCoreApplication::processEvents();
    Notifications out;
    for (const QList<QVariant>& args : *spy) out.emplace_back(args[0].toInt(), args[1].toInt());
    spy->clear();
    return out;
  }

  QWidget window;
  CSovImageSlider* slider = nullptr;
  QLineEdit* other = nullptr;
  std::unique_ptr<QSignalSpy> spy;
};

TEST_F(ImageSliderTest, StartsWithLineOneAndPageTen) {
  EXPECT_EQ(slider->GetLineSize(), 1);
  EXPECT_EQ(slider->GetPageSize(), 10);
}

// Range 0-100 over 220 pixels with a 20-pixel thumb: 101 values share a 200-pixel track.
TEST_F(ImageSliderTest, APressJumpsToTheValueUnderTheMouse) {
  struct Case {
    int x;
    int value;
  };
  for (const Case& c : {Case{10, 0}, Case{0, 0}, Case{110, 50}, Case{209, 100}, Case{215, 100},
                        Case{219, 100}}) {
    slider->SetPos(37);
    QTest::mousePress(slider, Qt::LeftButton, {}, {c.x, 10});
    EXPECT_EQ(slider->GetPos(), c.value) << "x = " << c.x;
    QTest::mouseRelease(slider, Qt::LeftButton, {}, {c.x, 10});
  }
}

struct DragStep {
  enum Action { Press, Move, Release, LoseFocus } action;
  int x;
};

struct DragCase {
  const char* name;
  int start;
  std::vector<DragStep> steps;
  Notifications expected;
  int finalValue;
};

class ImageSliderDragTest : public ImageSliderTest,
                            public ::testing::WithParamInterface<DragCase> {};

TEST_P(ImageSliderDragTest, Notifies) {
  const DragCase& c = GetParam();
  slider->SetPos(c.start);
  for (const DragStep& step : c.steps) {
    const QPoint at(step.x, 10);
    switch (step.action) {
      case DragStep::Press: QTest::mousePress(slider, Qt::LeftButton, {}, at); break;
      case DragStep::Move: QTest::mouseMove(slider, at); break;
      case DragStep::Release: QTest::mouseRelease(slider, Qt::LeftButton, {}, at); break;
      case DragStep::LoseFocus: other->setFocus(); break;
    }
  }
  EXPECT_EQ(Delivered(), c.expected);
  EXPECT_EQ(slider->GetPos(), c.finalValue);
  EXPECT_FALSE(slider->dragging());
}

using D = DragStep;
INSTANTIATE_TEST_SUITE_P(
    Cases, ImageSliderDragTest,
    ::testing::Values(
        // x 70 and 71 both give 30.
        DragCase{"SameValueTwiceTracksOnce", 0,
                 {{D::Press, 70}, {D::Move, 70}, {D::Move, 71}, {D::Release, 71}},
                 {{TB_THUMBTRACK, 30}, {TB_THUMBPOSITION, 30}}, 30},
        DragCase{"PressAndReleaseWithoutChangeSendNothing", 30,
                 {{D::Press, 70}, {D::Release, 70}}, {}, 30},
        DragCase{"ChangeAtReleaseTracksThenPositions", 30,
                 {{D::Press, 70}, {D::Release, 110}},
                 {{TB_THUMBTRACK, 50}, {TB_THUMBPOSITION, 50}}, 50},
        DragCase{"DragAcrossValues", 0,
                 {{D::Press, 10}, {D::Move, 70}, {D::Move, 110}, {D::Release, 110}},
                 {{TB_THUMBTRACK, 30}, {TB_THUMBTRACK, 50}, {TB_THUMBPOSITION, 50}}, 50},
        // Past the right end every point is the maximum: one value, one track.
        DragCase{"PastTheRightEndIsTheMaximumOnce", 0,
                 {{D::Press, 215}, {D::Move, 218}, {D::Move, 219}, {D::Release, 219}},
                 {{TB_THUMBTRACK, 100}, {TB_THUMBPOSITION, 100}}, 100},
        DragCase{"FocusLossEndsTheDragWithoutPosition", 0,
                 {{D::Press, 70}, {D::LoseFocus, 0}, {D::Move, 110}, {D::Release, 110}},
                 {{TB_THUMBTRACK, 30}}, 30}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ImageSliderTest, NotificationsArriveAfterTheEventWithTheValueOfTheirTime) {
  QTest::mousePress(slider, Qt::LeftButton, {}, {70, 10});
  EXPECT_EQ(spy->count(), 0) << "queued, not emitted during the press";
  EXPECT_TRUE(slider->dragging());
  QTest::mouseMove(slider, {110, 10});
  QTest::mouseRelease(slider, Qt::LeftButton, {}, {110, 10});
  EXPECT_EQ(Delivered(), (Notifications{{TB_THUMBTRACK, 30}, {TB_THUMBTRACK, 50},
                                        {TB_THUMBPOSITION, 50}}));
}

TEST_F(ImageSliderTest, KeysStepAndEndTheirTrackOnRelease) {
  struct Case {
    Qt::Key key;
    int start;
    int code;
    int value;
  };
  for (const Case& c : {Case{Qt::Key_Left, 50, TB_LINEUP, 49},
                        Case{Qt::Key_Left, 0, TB_LINEUP, 0},
                        Case{Qt::Key_Right, 50, TB_LINEDOWN, 51},
                        Case{Qt::Key_Right, 100, TB_LINEDOWN, 100},
                        Case{Qt::Key_PageUp, 50, TB_PAGEUP, 40},
                        Case{Qt::Key_PageUp, 3, TB_PAGEUP, 0},
                        Case{Qt::Key_PageDown, 50, TB_PAGEDOWN, 60},
                        Case{Qt::Key_PageDown, 95, TB_PAGEDOWN, 100},
                        Case{Qt::Key_Home, 50, TB_TOP, 0},
                        Case{Qt::Key_End, 50, TB_BOTTOM, 100}}) {
    slider->SetPos(c.start);
    QTest::keyPress(slider, c.key);
    EXPECT_EQ(Delivered(), (Notifications{{c.code, c.value}})) << c.key << " from " << c.start;
    QTest::keyRelease(slider, c.key);
    EXPECT_EQ(Delivered(), (Notifications{{TB_ENDTRACK, c.value}})) << c.key;
  }
  slider->SetPos(50);
  QTest::keyClick(slider, Qt::Key_A);
  EXPECT_EQ(Delivered(), Notifications{});
}

TEST_F(ImageSliderTest, TheWheelMovesOnlyWhenEnabled) {
  auto turn = [this] {
    QWheelEvent wheel(QPointF(50, 10), slider->mapToGlobal(QPointF(50, 10)), QPoint(),
                      QPoint(0, 120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(slider, &wheel);
    return wheel.isAccepted();
  };
  slider->SetPos(50);
  slider->SetWheelEnabled(false);
  EXPECT_TRUE(turn()) << "swallowed, not passed to the window";
  EXPECT_EQ(slider->GetPos(), 50);
  EXPECT_EQ(Delivered(), Notifications{});

  slider->SetWheelEnabled(true);
  turn();
  EXPECT_EQ(slider->GetPos(), 49);
  EXPECT_EQ(Delivered(), (Notifications{{TB_LINEUP, 49}, {TB_ENDTRACK, 49}}));
}

TEST_F(ImageSliderTest, RangeKeepsTheValueInside) {
  slider->SetPos(80);
  slider->SetRange(-150, 50);
  EXPECT_EQ(slider->GetPos(), 50);
  slider->SetPos(-200);
  EXPECT_EQ(slider->GetPos(), -150);
}

// ---- Painting ----

TEST_F(ImageSliderTest, ThumbSitsAtItsValueOverTheFillAndItsWhiteKeyShowsThrough) {
  struct Case {
    int min, max, value;
    int thumbX;  // trunc((220 - 20) / (max - min) * (value - min)); 0 for an empty range
  };
  for (const Case& c : {Case{0, 100, 50, 100}, Case{0, 100, 100, 200}, Case{0, 100, 0, 0},
                        Case{-150, 150, 0, 100}, Case{1, 9, 5, 100}, Case{5, 5, 5, 0}}) {
    slider->SetRange(c.min, c.max);
    slider->SetPos(c.value);
    const QImage shown = slider->grab().toImage();
    auto at = [&shown](int x, int y) { return shown.pixel(x, y) | 0xFF000000; };
    const int fillEnd = c.thumbX + 5;
    EXPECT_EQ(at(c.thumbX + 1, kThumbRow), kThumb) << c.value;
    EXPECT_EQ(at(c.thumbX + 19, kThumbRow), kThumb) << c.value;
    // The key columns show the fill (left of thumbX + 5) or the channel.
    EXPECT_EQ(at(c.thumbX + 9, kThumbRow), c.thumbX + 9 < fillEnd ? kFill : kChannel);
    EXPECT_EQ(at(fillEnd - 1, 1), kFill) << c.value;
    EXPECT_EQ(at(fillEnd, 1), kChannel) << c.value;
  }
}

TEST_F(ImageSliderTest, ThumbImageFollowsDragAndFocus) {
  slider->SetPos(0);
  EXPECT_EQ(PixelOf(*slider, {1, kThumbRow}), kThumb);
  slider->setFocus();
  EXPECT_EQ(PixelOf(*slider, {1, kThumbRow}), kThumbFocus);
  QTest::mousePress(slider, Qt::LeftButton, {}, {10, 10});
  EXPECT_EQ(PixelOf(*slider, {1, kThumbRow}), kThumbDrag);
  QTest::mouseRelease(slider, Qt::LeftButton, {}, {10, 10});
  EXPECT_EQ(PixelOf(*slider, {1, kThumbRow}), kThumbFocus);
  slider->setEnabled(false);
  EXPECT_EQ(PixelOf(*slider, {1, kThumbRow}), kThumb);
}

TEST_F(ImageSliderTest, RedrawNowDrawsAtOnceWithAnOpaqueThumb) {
  slider->SetPos(0);
  QCoreApplication::processEvents();
  auto onScreen = [this](QPoint p) {
    const QImage screen = window.screen()->grabWindow(window.winId()).toImage();
    return screen.pixel(slider->mapTo(&window, p)) | 0xFF000000;
  };
  // At value 50 the thumb starts at x 100; x 109 is one of its white key pixels.
  slider->SetPos(50, false);
  slider->RedrawNow();
  EXPECT_EQ(onScreen({101, kThumbRow}), kThumb);
  EXPECT_EQ(onScreen({109, kThumbRow}), kWhite);
  slider->update();
  QCoreApplication::processEvents();
  EXPECT_EQ(onScreen({109, kThumbRow}), kChannel);
}

// A paint of only part of the slider (here its lower right quarter) changes exactly that part, with
// the pixels a full paint has there.
TEST_F(ImageSliderTest, PartialPaintCopiesExactlyItsArea) {
  slider->SetPos(75);
  const QImage full = slider->grab().toImage();
  const QRect quarter(110, 10, 110, 10);
  QImage target(slider->size(), QImage::Format_ARGB32_Premultiplied);
  target.fill(0xFF123456);
  // render() puts the top-left corner of the region at the offset it is given.
  slider->render(&target, quarter.topLeft(), QRegion(quarter));
  for (int y = 0; y < target.height(); ++y) {
    for (int x = 0; x < target.width(); ++x) {
      const QRgb expected = quarter.contains(x, y) ? full.pixel(x, y) : 0xFF123456;
      ASSERT_EQ(target.pixel(x, y), expected) << x << "," << y;
    }
  }
}

}  // namespace
