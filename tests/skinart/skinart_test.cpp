// The generated skin as the controls load it: every id at its control's size, key colours where
// the controls expect them, button states that can be told apart, and nothing for unknown ids.
#include "skinbitmap.h"

#include <QImage>
#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

namespace {

struct Expected {
  int id;
  int width, height;
};

// Sizes come from where each image is shown: buttons and labels are their control's size,
// slider parts the slider's height, bars one pixel wide and stretched.
const std::vector<Expected> kSizes = {
    {128, 128, 128}, {129, 1022, 682},
    // Title row.
    {130, 37, 28}, {131, 37, 28}, {132, 37, 28}, {133, 37, 28}, {134, 37, 28}, {135, 37, 28},
    {136, 36, 28}, {137, 36, 28}, {138, 36, 28},
    // Tools above the video and the list.
    {139, 34, 22}, {140, 34, 22}, {141, 34, 22}, {497, 34, 22}, {142, 36, 22}, {143, 36, 22}, {144, 36, 22},
    {145, 36, 22}, {146, 36, 22}, {147, 36, 22}, {467, 36, 22}, {148, 36, 22}, {149, 36, 22}, {150, 36, 22},
    {151, 36, 22}, {152, 36, 22}, {153, 36, 22}, {154, 34, 22}, {155, 34, 22}, {156, 34, 22},
    {313, 36, 22}, {314, 36, 22}, {315, 36, 22},
    {455, 36, 22}, {456, 36, 22}, {457, 36, 22}, {458, 36, 22}, {459, 36, 22}, {460, 36, 22}, {461, 36, 22},
    {462, 36, 22}, {463, 36, 22}, {464, 36, 22}, {465, 36, 22}, {466, 36, 22},
    {468, 34, 22}, {469, 34, 22}, {470, 34, 22}, {471, 34, 22},
    {451, 39, 19}, {452, 39, 19}, {453, 39, 19},
    // Type tabs.
    {164, 81, 29}, {165, 81, 29}, {166, 81, 29}, {167, 81, 29}, {168, 81, 29}, {169, 81, 29},
    {170, 82, 29}, {171, 82, 29}, {172, 82, 29}, {173, 81, 29}, {174, 81, 29}, {175, 81, 29},
    // Map strip and its buttons.
    {157, 37, 22}, {158, 37, 22}, {159, 37, 22}, {160, 36, 22}, {161, 36, 22}, {163, 36, 22},
    {279, 324, 28}, {280, 37, 22}, {281, 37, 22}, {282, 37, 22},
    // Transport.
    {191, 37, 28}, {192, 37, 28}, {193, 37, 28}, {194, 37, 28}, {195, 37, 28}, {196, 37, 28},
    {197, 37, 28}, {198, 37, 28}, {199, 37, 28}, {200, 37, 28}, {201, 37, 28}, {202, 37, 28},
    {203, 36, 28}, {204, 36, 28}, {205, 36, 28}, {206, 36, 28}, {207, 36, 28}, {208, 36, 28},
    // Sliders.
    {209, 391, 20}, {210, 391, 20}, {213, 12, 20}, {214, 179, 15}, {215, 179, 15}, {216, 179, 15},
    {217, 11, 15}, {218, 11, 15}, {219, 11, 15}, {266, 179, 15}, {267, 179, 15}, {268, 179, 15},
    {296, 181, 15}, {297, 181, 15}, {306, 1321, 20}, {307, 1321, 20},
    // Sound and picture icons.
    {220, 22, 16}, {221, 22, 16}, {222, 22, 16}, {223, 22, 16}, {224, 22, 16}, {225, 22, 16},
    {500, 22, 21}, {501, 22, 16},
    // List parts.
    {236, 17, 16}, {238, 17, 26}, {239, 18, 1}, {240, 17, 16}, {241, 72, 16},
    // Extended view bars and their buttons.
    {269, 1, 44}, {270, 1, 40}, {278, 50, 15}, {285, 37, 28}, {286, 37, 28}, {287, 37, 28},
    {288, 37, 28}, {289, 37, 28}, {290, 37, 28}, {300, 22, 16}, {301, 22, 16}, {302, 22, 16},
    {303, 22, 16}, {304, 22, 16}, {305, 22, 16}, {308, 36, 28}, {309, 36, 28}, {310, 36, 28},
    {472, 40, 28}, {473, 40, 28}, {474, 40, 28}, {475, 40, 28}, {476, 40, 28}, {477, 40, 28},
    {478, 40, 28}, {479, 40, 28}, {480, 40, 28}, {481, 40, 28}, {482, 40, 28}, {483, 40, 28},
    {484, 37, 28}, {485, 37, 28}, {486, 37, 28}, {487, 37, 28}, {488, 37, 28}, {489, 37, 28},
    {490, 37, 28}, {491, 37, 28},
    // Graph, labels, digits, dialog, empty video.
    {292, 370, 114}, {293, 50, 13}, {294, 50, 13}, {312, 290, 15},
    {321, 10, 15}, {322, 10, 15}, {323, 10, 15}, {324, 10, 15}, {325, 10, 15},
    {326, 10, 15}, {327, 10, 15}, {328, 10, 15}, {329, 10, 15}, {330, 10, 15},
    {493, 338, 412}, {494, 28, 22}, {495, 28, 22}, {496, 28, 22}, {498, 688, 389},
};

TEST(SkinArt, EveryBitmapLoadsAtItsControlSize) {
  for (const Expected& e : kSizes) {
    const QImage image = skin::LoadSkinBitmap(e.id);
    ASSERT_FALSE(image.isNull()) << "bitmap " << e.id;
    EXPECT_EQ(image.size(), QSize(e.width, e.height)) << "bitmap " << e.id;
    // Transparency is by key colour only; an alpha channel in the resource would be ignored.
    EXPECT_FALSE(QImage(QStringLiteral(":/skin/%1.png").arg(e.id)).hasAlphaChannel()) << "bitmap " << e.id;
  }
}

TEST(SkinArt, UnknownIdsGiveNoImage) {
  // 162 is the hole in the larger-map run, 176 a gap between runs, the others outside the range.
  for (int id : {0, 127, 162, 176, 237, 502, 600}) EXPECT_TRUE(skin::LoadSkinBitmap(id).isNull()) << id;
}

int Distance(QRgb a, QRgb b) {
  return std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)), std::abs(qBlue(a) - qBlue(b))});
}

TEST(SkinArt, KeyColourImagesAreKeyedOnlyWhereTransparent) {
  struct Keyed {
    int id;
    QRgb key;
  };
  std::vector<Keyed> keyed = {{213, skin::kWhiteKey}, {217, skin::kWhiteKey}, {218, skin::kWhiteKey},
                              {219, skin::kWhiteKey}, {278, skin::kGreenKey}, {292, skin::kGreenKey},
                              {293, skin::kGreenKey}, {294, skin::kGreenKey}, {312, skin::kGreenKey}};
  for (int id = 321; id <= 330; ++id) keyed.push_back({id, skin::kGreenKey});
  for (const Keyed& k : keyed) {
    const QImage image = skin::LoadSkinBitmap(k.id);
    ASSERT_FALSE(image.isNull()) << k.id;
    const int w = image.width(), h = image.height();
    for (QPoint corner : {QPoint(0, 0), QPoint(w - 1, 0), QPoint(0, h - 1), QPoint(w - 1, h - 1)})
      EXPECT_EQ(image.pixel(corner), k.key) << "bitmap " << k.id << " corner " << corner.x() << "," << corner.y();
    int art = 0, nearKey = 0;
    for (int y = 0; y < h; ++y) {
      for (int x = 0; x < w; ++x) {
        const QRgb rgb = image.pixel(x, y);
        if (rgb == k.key) continue;
        ++art;
        // A blend of the key with the art would show as a fringe once the key is cut out.
        if (Distance(rgb, k.key) < 24) ++nearKey;
      }
    }
    // Digits are thin strokes, so a fifth of the image is already plenty of art.
    EXPECT_GT(art, w * h / 5) << "bitmap " << k.id << " is mostly key";
    EXPECT_EQ(nearKey, 0) << "bitmap " << k.id << " has pixels close to its key colour";
  }
}

int DifferingPixels(const QImage& a, const QImage& b) {
  int count = 0;
  for (int y = 0; y < a.height(); ++y)
    for (int x = 0; x < a.width(); ++x)
      if (Distance(a.pixel(x, y), b.pixel(x, y)) > 12) ++count;
  return count;
}

TEST(SkinArt, ButtonStatesAreVisiblyDifferent) {
  struct Run {
    int normal, hover, pressed, disabled;
  };
  const Run runs[] = {
      {130, 131, 132, 0},   {133, 134, 135, 0},   {136, 137, 138, 0},   {139, 140, 141, 497}, {142, 143, 144, 0},
      {145, 146, 147, 467}, {148, 149, 150, 0},   {151, 152, 153, 0},   {154, 155, 156, 0},   {158, 159, 157, 0},
      {160, 161, 163, 0},   {164, 165, 166, 0},   {167, 168, 169, 0},   {170, 171, 172, 0},   {173, 174, 175, 0},
      {191, 192, 193, 0},   {194, 195, 196, 0},   {197, 198, 199, 0},   {200, 201, 202, 0},   {203, 204, 205, 0},
      {206, 207, 208, 0},   {220, 221, 222, 0},   {223, 224, 225, 0},   {280, 281, 282, 0},   {285, 286, 287, 0},
      {288, 289, 290, 0},   {300, 301, 302, 0},   {303, 304, 305, 0},   {308, 309, 310, 0},   {313, 314, 315, 0},
      {451, 452, 453, 0},   {456, 457, 458, 455}, {460, 461, 462, 459}, {464, 465, 466, 463}, {469, 470, 471, 468},
      {473, 474, 475, 472}, {477, 478, 479, 476}, {481, 482, 483, 480}, {485, 486, 487, 484}, {489, 490, 491, 488},
      {494, 495, 496, 0},
  };
  for (const Run& run : runs) {
    const QImage normal = skin::LoadSkinBitmap(run.normal);
    const QImage hover = skin::LoadSkinBitmap(run.hover);
    const QImage pressed = skin::LoadSkinBitmap(run.pressed);
    ASSERT_FALSE(normal.isNull() || hover.isNull() || pressed.isNull()) << run.normal;
    // At least a tenth of the button changes between any two of its states.
    const int tenth = normal.width() * normal.height() / 10;
    EXPECT_GT(DifferingPixels(normal, hover), tenth) << run.normal << " normal vs hover";
    EXPECT_GT(DifferingPixels(normal, pressed), tenth) << run.normal << " normal vs pressed";
    EXPECT_GT(DifferingPixels(hover, pressed), tenth) << run.normal << " hover vs pressed";
    if (run.disabled) {
      const QImage disabled = skin::LoadSkinBitmap(run.disabled);
      ASSERT_FALSE(disabled.isNull()) << run.disabled;
      EXPECT_GT(DifferingPixels(normal, disabled), tenth / 2) << run.normal << " normal vs disabled";
    }
  }
  // Play and pause share a place; the look must say which one the button does.
  EXPECT_GT(DifferingPixels(skin::LoadSkinBitmap(200), skin::LoadSkinBitmap(197)), 30);
  EXPECT_GT(DifferingPixels(skin::LoadSkinBitmap(223), skin::LoadSkinBitmap(220)), 10);
}

TEST(SkinArt, ListAreasUseTheListBackground) {
  // The list control fills with RGB(33,33,33) and draws the check boxes as they are, so the face
  // under the list and the boxes' surroundings must be that colour to the pixel.
  const QRgb list = qRgb(33, 33, 33);
  const QImage face = skin::LoadSkinBitmap(129);
  ASSERT_FALSE(face.isNull());
  for (QPoint p : {QPoint(700, 130), QPoint(1000, 430), QPoint(860, 630)}) EXPECT_EQ(face.pixel(p), list) << p.x() << "," << p.y();
  const QImage boxes = skin::LoadSkinBitmap(241);
  ASSERT_FALSE(boxes.isNull());
  for (int box = 0; box < 4; ++box) EXPECT_EQ(boxes.pixel(box * 18, 0), list) << "box " << box;
  // Checked boxes carry the accent; unchecked ones do not.
  auto hasAccent = [&boxes](int box) {
    for (int y = 0; y < 16; ++y)
      for (int x = box * 18; x < box * 18 + 18; ++x)
        if (boxes.pixel(x, y) == qRgb(247, 58, 8)) return true;
    return false;
  };
  EXPECT_FALSE(hasAccent(0));
  EXPECT_TRUE(hasAccent(1));
}

}  // namespace
