#include "statictrans.h"
#include "skinbitmap.h"
#include "skintestsupport.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QPaintEvent>
#include <QTest>
#include <gtest/gtest.h>
#include <optional>

using skintest::Solid;

namespace {

constexpr QRgb kParent = 0xFFFF00FF;
constexpr QRgb kGreen = skin::kGreenKey;
constexpr QRgb kBlue = 0xFF0000FF;
constexpr QRgb kGrey = 0xFF212121;
constexpr QPoint kLabelAt{10, 10};

class StaticTransTest : public ::testing::Test {
 protected:
  void SetUp() override {
    window.resize(100, 60);
    window.setAutoFillBackground(true);
    QPalette palette = window.palette();
    palette.setColor(QPalette::Window, QColor::fromRgb(kParent));
    window.setPalette(palette);
    label = new CSovStaticTrans(1025, &window);
    label->setGeometry(QRect(kLabelAt, QSize(60, 20)));
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  }

  // The window's pixel at a point of the label.
  QRgb Shown(QPoint inLabel) { return window.grab().toImage().pixel(kLabelAt + inLabel) | 0xFF000000; }

  QWidget window;
  CSovStaticTrans* label = nullptr;
};

// 30 x 10: pure green on the left half, blue on the right.
QImage HalfGreen() {
  QImage image = Solid(30, 10, kBlue);
  for (int y = 0; y < 10; ++y) {
    for (int x = 0; x < 15; ++x) image.setPixel(x, y, kGreen);
  }
  return image;
}

TEST_F(StaticTransTest, BackgroundIsTheKeyedImageOrTheColourOrTheParent) {
  struct Case {
    const char* name;
    bool image;
    std::optional<QColor> bk;
    QRgb onGreen, onBlue, beyondImage;  // at (5, 5), (20, 5) and (45, 15) of the label
  };
  for (const Case& c : {Case{"image", true, std::nullopt, kParent, kBlue, kParent},
                        Case{"colour", false, QColor::fromRgb(kGrey), kGrey, kGrey, kGrey},
                        Case{"none", false, std::nullopt, kParent, kParent, kParent}}) {
    if (c.image) {
      label->SetBackgroundImage(HalfGreen());
    } else {
      label->ReleaseBackgroundImage();
    }
    label->bkColour = c.bk;
    EXPECT_EQ(label->HasBackgroundImage(), c.image);
    EXPECT_EQ(Shown({5, 5}), c.onGreen) << c.name;
    EXPECT_EQ(Shown({20, 5}), c.onBlue) << c.name;
    EXPECT_EQ(Shown({45, 15}), c.beyondImage) << c.name;
  }
}

TEST_F(StaticTransTest, TextIsDrawnInTheTextColour) {
  // Large and bold, so the strokes have pixels of the pure colour, not only blended edges.
  label->setGeometry(10, 10, 80, 45);
  label->textColour = QColor(255, 255, 0);
  label->SetFontHeight(40);
  label->SetFontWeight(700);
  label->SetWindowText(QStringLiteral("HH"));
  EXPECT_EQ(label->GetWindowText(), QStringLiteral("HH"));
  const QImage shown = window.grab().toImage();
  int yellow = 0;
  for (int y = 0; y < shown.height(); ++y) {
    for (int x = 0; x < shown.width(); ++x) {
      yellow += (shown.pixel(x, y) | 0xFF000000) == 0xFFFFFF00;
    }
  }
  EXPECT_GT(yellow, 10);
}

TEST_F(StaticTransTest, RefreshBackgroundRepaintsTheParentUnderTheLabelTwoPixelsIn) {
  struct PaintRecorder : QObject {
    QRegion painted;
    bool eventFilter(QObject*, QEvent* event) override {
      if (event->type() == QEvent::Paint) painted += static_cast<QPaintEvent*>(event)->region();
      return false;
    }
  } recorder;
  QCoreApplication::processEvents();
  window.installEventFilter(&recorder);
  label->RefreshBackground();
  QCoreApplication::processEvents();
  window.removeEventFilter(&recorder);
  EXPECT_EQ(recorder.painted.boundingRect(), QRect(12, 12, 56, 16));
}

TEST_F(StaticTransTest, FontHeightAndWeightKeepTheFace) {
  // Heights are of a whole line: the largest face whose line fits.
  auto lineHeight = [](const QFont& font) { return QFontMetrics(font).height(); };
  const QFont before = label->font();
  EXPECT_LE(lineHeight(before), 16);
  EXPECT_GE(lineHeight(before), 14);
  EXPECT_EQ(before.weight(), QFont::Normal);
  label->SetFontHeight(17);
  label->SetFontWeight(700);
  const QFont after = label->font();
  EXPECT_LE(lineHeight(after), 17);
  EXPECT_GT(after.pixelSize(), before.pixelSize());
  EXPECT_EQ(after.weight(), QFont::Bold);
  EXPECT_EQ(after.families(), before.families());
  EXPECT_EQ(after.families().value(0), QStringLiteral("맑은 고딕"));
}

// Where the requested face is missing, a Korean face must be chosen, or Hangul shows as boxes.
TEST_F(StaticTransTest, HangulGetsAKoreanFace) {
  if (!QFontDatabase::families().contains(QStringLiteral("NanumGothic"))) {
    GTEST_SKIP() << "no NanumGothic on this machine (fonts-nanum)";
  }
  const QFontInfo info(label->font());
  EXPECT_TRUE(info.family() == QStringLiteral("맑은 고딕") ||
              info.family() == QStringLiteral("Malgun Gothic") ||
              info.family().startsWith(QStringLiteral("Nanum")))
      << info.family().toStdString();
}

}  // namespace
