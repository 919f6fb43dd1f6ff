#include "skinbutton.h"
#include "skintestsupport.h"

#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>
#include <array>
#include <map>

using skintest::PixelOf;
using skintest::Solid;

namespace {

constexpr QRgb kNormal = 0xFFC00000;
constexpr QRgb kHover = 0xFF00C000;
constexpr QRgb kPressed = 0xFF0000C0;
constexpr QRgb kDisabled = 0xFF808080;
constexpr QRgb kFocus = 0xFFC0C000;
constexpr QRgb kFace = skin::kButtonFace;
constexpr QPoint kInside{5, 5};
constexpr QPoint kOutside{120, 60};  // in the window, off the button (button coordinates)

class SkinButtonTest : public ::testing::Test {
 protected:
  void SetUp() override {
    window.resize(200, 100);
    ASSERT_TRUE(skintest::ShowActive(window));
  }

  // A button with one solid colour per state; the focus image only when asked for, so that the
  // focus a press gives does not hide the normal image.
  CSovSkinButton* Make(ButtonKind kind, bool withFocusImage = false) {
    auto* button = new CSovSkinButton(1009, kind, &window);
    button->setGeometry(10, 10, 40, 20);
    button->SetImages(Solid(40, 20, kNormal), Solid(40, 20, kPressed), Solid(40, 20, kHover),
                      Solid(40, 20, kDisabled),
                      withFocusImage ? Solid(40, 20, kFocus) : QImage());
    button->show();
    QObject::connect(button, &QAbstractButton::clicked,
                     [this, button] { statesSeenByClick.push_back(button->GetCheck()); });
    return button;
  }

  QWidget window;
  std::vector<bool> statesSeenByClick;  // GetCheck() as each clicked() handler saw it
};

// ---- The press, drag and click state machine, driven by real mouse events ----

struct MouseStep {
  enum Action { Press, Move, Release, DoubleClick } action;
  QPoint at;
  QRgb shows;  // the image on screen after the step
};

struct MouseCase {
  const char* name;
  ButtonKind kind;
  std::vector<MouseStep> steps;
  std::vector<bool> statesSeenByClick;
};

class SkinButtonMouseTest : public SkinButtonTest,
                            public ::testing::WithParamInterface<MouseCase> {};

TEST_P(SkinButtonMouseTest, ShowsTheStateAndClicksOnlyOverTheButton) {
  const MouseCase& c = GetParam();
  CSovSkinButton* button = Make(c.kind);
  int index = 0;
  for (const MouseStep& step : c.steps) {
    switch (step.action) {
      case MouseStep::Press: QTest::mousePress(button, Qt::LeftButton, {}, step.at); break;
      case MouseStep::Move: QTest::mouseMove(button, step.at); break;
      case MouseStep::Release: QTest::mouseRelease(button, Qt::LeftButton, {}, step.at); break;
      case MouseStep::DoubleClick: QTest::mouseDClick(button, Qt::LeftButton, {}, step.at); break;
    }
    EXPECT_EQ(PixelOf(*button, {20, 10}), step.shows) << "after step " << index;
    ++index;
  }
  EXPECT_EQ(statesSeenByClick, c.statesSeenByClick);
  const bool expectChecked = !c.statesSeenByClick.empty() && c.statesSeenByClick.back();
  EXPECT_EQ(button->GetCheck(), expectChecked);
}

using S = MouseStep;
INSTANTIATE_TEST_SUITE_P(
    Cases, SkinButtonMouseTest,
    ::testing::Values(
        MouseCase{"PushPressAndRelease", ButtonKind::Push,
                  {{S::Press, kInside, kPressed}, {S::Release, kInside, kNormal}},
                  {false}},
        MouseCase{"DragOffAndBackReleasedOutside", ButtonKind::Check,
                  {{S::Press, kInside, kPressed},
                   {S::Move, kOutside, kNormal},
                   {S::Move, kInside, kPressed},
                   {S::Move, kOutside, kNormal},
                   {S::Release, kOutside, kNormal}},
                  {}},
        MouseCase{"DragOffAndBackReleasedOver", ButtonKind::Check,
                  {{S::Press, kInside, kPressed},
                   {S::Move, kOutside, kNormal},
                   {S::Move, kInside, kPressed},
                   {S::Release, kInside, kPressed}},
                  {true}},
        MouseCase{"CheckClickedTwice", ButtonKind::Check,
                  {{S::Press, kInside, kPressed},
                   {S::Release, kInside, kPressed},
                   {S::Press, kInside, kPressed},
                   {S::Release, kInside, kNormal}},
                  {true, false}},
        MouseCase{"DoubleClickTogglesTwice", ButtonKind::Check,
                  {{S::Press, kInside, kPressed},
                   {S::Release, kInside, kPressed},
                   {S::DoubleClick, kInside, kPressed},
                   {S::Release, kInside, kNormal}},
                  {true, false}},
        MouseCase{"RadioClickedTwiceStaysChecked", ButtonKind::Radio,
                  {{S::Press, kInside, kPressed},
                   {S::Release, kInside, kPressed},
                   {S::Press, kInside, kPressed},
                   {S::Release, kInside, kPressed}},
                  {true, true}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(SkinButtonTest, HoverLastsUntilLeaveAndAPressClearsItUntilTheNextMove) {
  CSovSkinButton* button = Make(ButtonKind::Push);
  QTest::mouseMove(button, kInside);
  EXPECT_EQ(PixelOf(*button, kInside), kHover);
  QTest::mouseMove(&window, {190, 90});
  EXPECT_EQ(PixelOf(*button, kInside), kNormal);

  QTest::mouseMove(button, kInside);
  QTest::mouseClick(button, Qt::LeftButton, {}, kInside);
  EXPECT_EQ(PixelOf(*button, kInside), kNormal) << "still over the button, but not hovering";
  QTest::mouseMove(button, {6, 6});
  EXPECT_EQ(PixelOf(*button, kInside), kHover);
}

TEST_F(SkinButtonTest, FocusLossWhilePressedEndsThePressWithoutAClick) {
  CSovSkinButton* button = Make(ButtonKind::Check);
  auto* other = new QLineEdit(&window);
  other->setGeometry(100, 10, 60, 20);
  other->show();
  QTest::mousePress(button, Qt::LeftButton, {}, kInside);
  ASSERT_TRUE(button->hasFocus());
  other->setFocus();
  EXPECT_EQ(PixelOf(*button, kInside), kNormal);
  QTest::mouseRelease(button, Qt::LeftButton, {}, kInside);
  EXPECT_TRUE(statesSeenByClick.empty());
  EXPECT_FALSE(button->GetCheck());
}

// Space, and click() from code, toggle as a mouse click does.
TEST_F(SkinButtonTest, SpaceAndClickToggleLikeAMouseClick) {
  struct Case {
    ButtonKind kind;
    std::vector<bool> statesSeenByClick;  // after two presses of the space bar and a click()
  };
  for (const Case& c : {Case{ButtonKind::Check, {true, false, true}},
                        Case{ButtonKind::Radio, {true, true, true}},
                        Case{ButtonKind::Push, {false, false, false}}}) {
    statesSeenByClick.clear();
    CSovSkinButton* button = Make(c.kind);
    button->setFocus();
    QTest::keyPress(button, Qt::Key_Space);
    EXPECT_EQ(PixelOf(*button, kInside), kPressed) << "held down";
    QTest::keyRelease(button, Qt::Key_Space);
    QTest::keyClick(button, Qt::Key_Space);
    button->click();
    EXPECT_EQ(statesSeenByClick, c.statesSeenByClick) << int(c.kind);
    EXPECT_EQ(button->isChecked(), button->GetCheck());
    delete button;
  }
}

TEST_F(SkinButtonTest, SetCheckLeavesAPushButtonUnchecked) {
  for (ButtonKind kind : {ButtonKind::Push, ButtonKind::Check, ButtonKind::Radio}) {
    CSovSkinButton* button = Make(kind);
    button->SetCheck(true);
    const bool checkable = kind != ButtonKind::Push;
    EXPECT_EQ(button->GetCheck(), checkable) << int(kind);
    EXPECT_EQ(PixelOf(*button, kInside), checkable ? kPressed : kNormal) << int(kind);
  }
}

TEST_F(SkinButtonTest, CheckingARadioUnchecksTheOthersOfItsGroupAfterTheEvent) {
  CSovSkinButton* clicked = Make(ButtonKind::Radio);
  CSovSkinButton* sameGroup = Make(ButtonKind::Radio);
  CSovSkinButton* otherGroup = Make(ButtonKind::Radio);
  otherGroup->SetRadioGroup(1);
  CSovSkinButton* checkKind = Make(ButtonKind::Check);
  sameGroup->SetCheck(true);
  otherGroup->SetCheck(true);
  checkKind->SetCheck(true);
  QCoreApplication::processEvents();
  ASSERT_TRUE(sameGroup->GetCheck());

  QTest::mouseClick(clicked, Qt::LeftButton, {}, kInside);
  EXPECT_TRUE(clicked->GetCheck());
  EXPECT_TRUE(sameGroup->GetCheck()) << "the uncheck is queued, not done at once";
  QCoreApplication::processEvents();
  EXPECT_FALSE(sameGroup->GetCheck());
  EXPECT_EQ(PixelOf(*sameGroup, kInside), kNormal);
  EXPECT_TRUE(clicked->GetCheck());
  EXPECT_TRUE(otherGroup->GetCheck());
  EXPECT_TRUE(checkKind->GetCheck());
}

TEST_F(SkinButtonTest, DisabledShowsTheDisabledImageEvenWhenChecked) {
  CSovSkinButton* button = Make(ButtonKind::Check);
  button->setText(QStringLiteral("II"));
  button->setEnabled(false);
  const QImage unchecked = button->grab().toImage();
  button->SetCheck(true);
  const QImage checked = button->grab().toImage();
  EXPECT_EQ(checked.pixel(1, 1) | 0xFF000000, kDisabled);

  // The embossed caption of the checked button is the unchecked one moved a pixel lower-right.
  bool captionDrawn = false;
  bool shifted = true;
  for (int y = 0; y + 1 < unchecked.height(); ++y) {
    for (int x = 0; x + 1 < unchecked.width(); ++x) {
      captionDrawn |= (unchecked.pixel(x, y) | 0xFF000000) != kDisabled;
      shifted &= checked.pixel(x + 1, y + 1) == unchecked.pixel(x, y);
    }
  }
  EXPECT_TRUE(captionDrawn);
  EXPECT_TRUE(shifted);
}

// ---- Missing images: which state falls back to the face colour, which to another image ----

struct FallbackCase {
  const char* name;
  std::array<int, 5> ids;  // normal, pressed, hover, disabled, focus as given to SetBitmaps
  enum State { Idle, Hovered, Pressed, Disabled, Focused, FocusedAndHovered } state;
  QRgb shows;
};

class SkinButtonFallbackTest : public SkinButtonTest,
                               public ::testing::WithParamInterface<FallbackCase> {};

TEST_P(SkinButtonFallbackTest, ShowsTheFallback) {
  const FallbackCase& c = GetParam();
  // Ids 1, 5 and 6 exist (normal, focus and hover colours), every other id names no bitmap.
  const std::map<int, QRgb> known{{1, kNormal}, {5, kFocus}, {6, kHover}};
  CSovSkinButton* button = Make(ButtonKind::Push);
  button->SetImageLoader([&known](int id) {
    auto it = known.find(id);
    return it == known.end() ? QImage() : Solid(40, 20, it->second);
  });
  button->SetBitmaps(c.ids[0], c.ids[1], c.ids[2], c.ids[3], c.ids[4]);
  switch (c.state) {
    case FallbackCase::Idle: break;
    case FallbackCase::Hovered: QTest::mouseMove(button, kInside); break;
    case FallbackCase::Pressed: QTest::mousePress(button, Qt::LeftButton, {}, kInside); break;
    case FallbackCase::Disabled: button->setEnabled(false); break;
    case FallbackCase::Focused: button->setFocus(); break;
    case FallbackCase::FocusedAndHovered:
      button->setFocus();
      QTest::mouseMove(button, kInside);
      break;
  }
  EXPECT_EQ(PixelOf(*button, kInside), c.shows);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SkinButtonFallbackTest,
    ::testing::Values(
        FallbackCase{"NoPressedImageShowsFace", {1, 2, 3, 1, 1}, FallbackCase::Pressed, kFace},
        FallbackCase{"NoHoverImageShowsNormal", {1, 2, 3, 1, 1}, FallbackCase::Hovered, kNormal},
        FallbackCase{"NoNormalImageShowsFace", {4, 2, 3, 1, 1}, FallbackCase::Idle, kFace},
        FallbackCase{"DisabledIdZeroShowsNormal", {1, 2, 3, 0, 0}, FallbackCase::Disabled,
                     kNormal},
        FallbackCase{"MissingDisabledImageShowsFace", {1, 2, 3, 4, 0}, FallbackCase::Disabled,
                     kFace},
        FallbackCase{"FocusIdZeroShowsNormal", {1, 2, 3, 0, 0}, FallbackCase::Focused, kNormal},
        FallbackCase{"FocusImageWhenFocused", {1, 2, 3, 0, 5}, FallbackCase::Focused, kFocus},
        FallbackCase{"HoverWinsOverFocus", {1, 2, 6, 0, 5}, FallbackCase::FocusedAndHovered,
                     kHover}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
