#include "memdc.h"

#include <QPainter>
#include <gtest/gtest.h>
#include <optional>

namespace {

constexpr QRgb kTarget = 0xFF123456;

// Every pixel different, so a copy to the wrong place cannot pass.
QImage Pattern(int width, int height) {
  QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) image.setPixel(x, y, qRgb(x * 6, y * 6, 200));
  }
  return image;
}

struct MemDcCase {
  const char* name;
  enum Kind { Clipped, Area } kind;
  std::optional<QRect> rect;  // Clipped: the target's clip (none: no clip); Area: the area
  QPoint translate;           // the target painter's translation
  bool draw;                  // whether anything is drawn into the off-screen image
  QRect changed;              // device pixels that must show the drawing
};

class MemDcTest : public ::testing::TestWithParam<MemDcCase> {};

TEST_P(MemDcTest, CopiesExactlyItsAreaAndLeavesTheRest) {
  const MemDcCase& c = GetParam();
  const QImage pattern = Pattern(40, 40);
  QImage target(40, 40, QImage::Format_ARGB32_Premultiplied);
  target.fill(kTarget);
  {
    QPainter painter(&target);
    painter.translate(c.translate);
    auto draw = [&](QPainter& p) {
      if (c.draw) p.drawImage(QPoint(0, 0), pattern);
    };
    if (c.kind == MemDcCase::Clipped) {
      if (c.rect) painter.setClipRect(*c.rect);
      CMyMemDC memory(painter);
      EXPECT_TRUE(memory.memoryMode());
      draw(memory.painter());
    } else {
      CSkinMemDC memory(painter, *c.rect);
      draw(memory.painter());
    }
  }
  for (int y = 0; y < 40; ++y) {
    for (int x = 0; x < 40; ++x) {
      const QPoint source = QPoint(x, y) - c.translate;
      const QRgb expected = c.changed.contains(x, y) ? pattern.pixel(source) : kTarget;
      ASSERT_EQ(target.pixel(x, y), expected) << c.name << " at " << x << "," << y;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MemDcTest,
    ::testing::Values(
        MemDcCase{"LowerRightQuarter", MemDcCase::Clipped, QRect(20, 20, 20, 20), {}, true,
                  QRect(20, 20, 20, 20)},
        MemDcCase{"NoClipIsTheWholeDevice", MemDcCase::Clipped, std::nullopt, {}, true,
                  QRect(0, 0, 40, 40)},
        MemDcCase{"ClipInTranslatedCoordinates", MemDcCase::Clipped, QRect(0, 0, 10, 10),
                  QPoint(10, 5), true, QRect(10, 5, 10, 10)},
        MemDcCase{"NothingDrawnKeepsTheTarget", MemDcCase::Clipped, std::nullopt, {}, false,
                  QRect()},
        MemDcCase{"GivenArea", MemDcCase::Area, QRect(5, 10, 15, 20), {}, true,
                  QRect(5, 10, 15, 20)},
        MemDcCase{"GivenAreaTranslated", MemDcCase::Area, QRect(0, 0, 8, 8), QPoint(3, 4), true,
                  QRect(3, 4, 8, 8)},
        MemDcCase{"EmptyAreaDrawsNothing", MemDcCase::Area, QRect(5, 5, 0, 0), {}, true,
                  QRect()}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
