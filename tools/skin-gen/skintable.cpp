#include "skintable.h"

#include "paint.h"

#include <algorithm>

namespace skingen {

namespace {

constexpr QRgb kOpaque = 0;

const QColor kNormalDot(120, 176, 120);
const QColor kEventDot(247, 58, 8);
const QColor kMotionDot(232, 182, 48);

ButtonArt Cap(Glyph glyph) { return {Shape::Cap, glyph, {}, {}}; }
ButtonArt Danger(Glyph glyph) { return {Shape::Danger, glyph, {}, {}}; }
ButtonArt Flat(Glyph glyph) { return {Shape::Flat, glyph, {}, {}}; }
ButtonArt Tab(const char* text, QColor dot = {}) { return {Shape::Tab, Glyph::None, QString::fromLatin1(text), dot}; }

Place OnFace(int x, int y) { return {Backdrop::Face, {x, y}}; }
Place OnTopBar(int y) { return {Backdrop::TopBar, {0, y}}; }
Place OnPanel(int y) { return {Backdrop::ControlPanel, {0, y}}; }
Place OnMapStrip(int x, int y) { return {Backdrop::MapStrip, {x, y}}; }
Place OnInfo(int x, int y) { return {Backdrop::InfoFace, {x, y}}; }

// A button shared by the face and a bar takes the face's place: the face repeats the bars' rows
// where those buttons sit (title row and transport band), so both places give the same pixels.
const std::vector<ButtonRun> kRuns = {
    // Title row.
    {"close", 130, 131, 132, 0, {37, 28}, Danger(Glyph::Close), OnFace(973, 12)},
    {"information", 133, 134, 135, 0, {37, 28}, Cap(Glyph::Information), OnFace(150, 12)},
    {"minimise", 136, 137, 138, 0, {36, 28}, Cap(Glyph::Minimise), OnFace(937, 12)},
    // View and picture tools above the video.
    {"front view", 456, 457, 458, 455, {36, 22}, Cap(Glyph::Front), OnFace(431, 53)},
    {"rear view", 460, 461, 462, 459, {36, 22}, Cap(Glyph::Rear), OnFace(467, 53)},
    {"both views", 464, 465, 466, 463, {36, 22}, Cap(Glyph::Both), OnFace(501, 53)},
    {"flip vertical", 145, 146, 147, 467, {36, 22}, Cap(Glyph::FlipVertical), OnFace(543, 53)},
    {"flip horizontal", 469, 470, 471, 468, {34, 22}, Cap(Glyph::FlipHorizontal), OnFace(579, 53)},
    {"capture", 139, 140, 141, 497, {34, 22}, Cap(Glyph::Capture), OnFace(613, 53)},
    {"extend", 142, 143, 144, 0, {36, 22}, Cap(Glyph::Extend), OnFace(647, 53)},
    // List tools and filters.
    {"folder", 313, 314, 315, 0, {36, 22}, Cap(Glyph::Folder), OnFace(871, 53)},
    {"calendar", 148, 149, 150, 0, {36, 22}, Cap(Glyph::Calendar), OnFace(907, 53)},
    {"save", 154, 155, 156, 0, {34, 22}, Cap(Glyph::Save), OnFace(940, 53)},
    {"delete", 151, 152, 153, 0, {36, 22}, Cap(Glyph::Delete), OnFace(974, 53)},
    {"type all", 164, 165, 166, 0, {81, 29}, Tab("ALL"), OnFace(695, 78)},
    {"type normal", 173, 174, 175, 0, {81, 29}, Tab("NORMAL", kNormalDot), OnFace(776, 78)},
    {"type event", 167, 168, 169, 0, {81, 29}, Tab("EVENT", kEventDot), OnFace(857, 78)},
    {"type motion", 170, 171, 172, 0, {82, 29}, Tab("MOTION", kMotionDot), OnFace(938, 78)},
    {"check all", 451, 452, 453, 0, {39, 19}, {Shape::Cap, Glyph::CheckAll, QStringLiteral("ALL"), {}}, OnFace(963, 107)},
    // Transport, on the face's band and on the control panel.
    {"rewind", 206, 207, 208, 0, {36, 28}, Cap(Glyph::Rewind), OnFace(450, 475)},
    {"forward", 191, 192, 193, 0, {37, 28}, Cap(Glyph::Forward), OnFace(486, 475)},
    {"play", 200, 201, 202, 0, {37, 28}, Cap(Glyph::Play), OnFace(535, 475)},
    {"pause", 197, 198, 199, 0, {37, 28}, Cap(Glyph::Pause), OnFace(535, 475)},
    {"previous", 203, 204, 205, 0, {36, 28}, Cap(Glyph::Previous), OnFace(584, 475)},
    {"next", 194, 195, 196, 0, {37, 28}, Cap(Glyph::Next), OnFace(620, 475)},
    // Sound and picture icons beside the sliders.
    {"speed icon", 501, 0, 0, 0, {22, 16}, Flat(Glyph::Speed), OnFace(450, 544)},
    {"muted", 220, 221, 222, 0, {22, 16}, Flat(Glyph::SpeakerMuted), OnFace(450, 581)},
    {"unmuted", 223, 224, 225, 0, {22, 16}, Flat(Glyph::Speaker), OnFace(450, 581)},
    {"brightness icon", 500, 0, 0, 0, {22, 21}, Flat(Glyph::Brightness), OnFace(450, 617)},
    // Map strip.
    {"larger map", 160, 161, 163, 0, {36, 22}, Cap(Glyph::MapLarger), OnMapStrip(242, 4)},
    {"hide map", 158, 159, 157, 0, {37, 22}, Cap(Glyph::MapHide), OnMapStrip(278, 4)},
    {"show map", 280, 281, 282, 0, {37, 22}, Cap(Glyph::MapShow), OnMapStrip(278, 4)},
    // Top bar of the extended view; reduce also leads back from the large map on the title row.
    {"reduce", 285, 286, 287, 0, {37, 28}, Cap(Glyph::Reduce), OnFace(897, 12)},
    {"bar front view", 473, 474, 475, 472, {40, 28}, Cap(Glyph::Front), OnTopBar(7)},
    {"bar rear view", 477, 478, 479, 476, {40, 28}, Cap(Glyph::Rear), OnTopBar(7)},
    {"bar both views", 481, 482, 483, 480, {40, 28}, Cap(Glyph::Both), OnTopBar(7)},
    {"bar flip vertical", 485, 486, 487, 484, {37, 28}, Cap(Glyph::FlipVertical), OnTopBar(7)},
    {"bar flip horizontal", 489, 490, 491, 488, {37, 28}, Cap(Glyph::FlipHorizontal), OnTopBar(7)},
    // Control panel of the extended view.
    {"panel information", 308, 309, 310, 0, {36, 28}, Cap(Glyph::Information), OnPanel(8)},
    {"file list", 288, 289, 290, 0, {37, 28}, Cap(Glyph::FileList), OnPanel(8)},
    {"panel muted", 300, 301, 302, 0, {22, 16}, Flat(Glyph::SpeakerMuted), OnPanel(12)},
    {"panel unmuted", 303, 304, 305, 0, {22, 16}, Flat(Glyph::Speaker), OnPanel(12)},
    // Information dialog.
    {"dialog close", 494, 495, 496, 0, {28, 22}, Danger(Glyph::Close), OnInfo(307, 4)},
};

// The extended view's position slider is as wide as the screen allows; this width covers a
// full-HD screen without stretching, and its channel and fill are uniform along x anyway.
constexpr int kPanelPositionWidth = 1920 - 599;

SkinImage Channel(int id, QSize size, Place place, bool filled) {
  return {id, size, kOpaque, [size, place, filled](const Surfaces& s) {
            return DrawSliderChannel(BackdropFor(s, place, size), filled);
          }};
}

SkinImage Label(int id, QSize size, Place place, bool light) {
  return {id, size, kGreen, [size, place, light](const Surfaces& s) {
            const QImage under = BackdropFor(s, place, size);
            return light ? DrawLightLabel(under) : DrawDarkLabel(under);
          }};
}

SkinImage Thumb(int id, QSize size) {
  return {id, size, kWhite, [size](const Surfaces&) { return DrawSliderThumb(size); }};
}

void AddButtonImages(std::vector<SkinImage>& images) {
  for (const ButtonRun& run : kRuns) {
    auto add = [&](int id, Look look) {
      if (id == 0) return;
      images.push_back({id, run.size, kOpaque, [run, look](const Surfaces& s) {
                          return DrawButton(BackdropFor(s, run.place, run.size), run.art, look);
                        }});
    };
    add(run.normal, Look::Normal);
    add(run.hover, Look::Hover);
    add(run.pressed, Look::Pressed);
    add(run.disabled, Look::Disabled);
  }
}

}  // namespace

const std::vector<ButtonRun>& ButtonRuns() { return kRuns; }

QImage BackdropFor(const Surfaces& surfaces, const Place& place, QSize size) {
  const QRect rect(place.at, size);
  switch (place.on) {
    case Backdrop::Face: return surfaces.FaceAt(rect);
    case Backdrop::TopBar: return Surfaces::TopStripAt(rect);
    case Backdrop::ControlPanel: return Surfaces::PanelStripAt(rect);
    case Backdrop::MapStrip: return surfaces.MapStripAt(rect);
    case Backdrop::InfoFace: return surfaces.InfoFaceAt(rect);
  }
  return {};
}

std::vector<SkinImage> SkinImages() {
  const QSize small(face::kSliderWidth, face::kSliderHeight);
  std::vector<SkinImage> images = {
      {128, {128, 128}, kOpaque, [](const Surfaces&) { return DrawAppIcon(); }},
      {129, face::kSize, kOpaque, [](const Surfaces& s) { return s.Face(); }},
      // Sliders: channel, fill and thumb; channels and fills carry the pixels around the groove.
      Channel(209, {391, 20}, OnFace(30, 474), false),
      Channel(210, {391, 20}, OnFace(30, 474), true),
      Thumb(213, {12, 20}),
      Channel(266, small, OnFace(face::kSliderLeft, face::kBrightnessSliderTop), false),
      Channel(214, small, OnFace(face::kSliderLeft, face::kBrightnessSliderTop), true),
      Channel(267, small, OnFace(face::kSliderLeft, face::kSpeedSliderTop), false),
      Channel(215, small, OnFace(face::kSliderLeft, face::kSpeedSliderTop), true),
      Channel(268, small, OnFace(face::kSliderLeft, face::kVolumeSliderTop), false),
      Channel(216, small, OnFace(face::kSliderLeft, face::kVolumeSliderTop), true),
      Thumb(217, {face::kSmallThumbWidth, 15}),
      Thumb(218, {face::kSmallThumbWidth, 15}),
      Thumb(219, {face::kSmallThumbWidth, 15}),
      Channel(296, {181, 15}, OnPanel(13), false),
      Channel(297, {181, 15}, OnPanel(13), true),
      Channel(306, {kPanelPositionWidth, 20}, OnPanel(5), false),
      Channel(307, {kPanelPositionWidth, 20}, OnPanel(5), true),
      // List scrollbar and check boxes.
      {236, {17, 16}, kOpaque, [](const Surfaces&) { return DrawScrollArrow(true); }},
      {238, {17, 26}, kOpaque, [](const Surfaces&) { return DrawScrollThumb(); }},
      {239, {18, 1}, kOpaque, [](const Surfaces&) { return DrawScrollTrack(); }},
      {240, {17, 16}, kOpaque, [](const Surfaces&) { return DrawScrollArrow(false); }},
      {241, {72, 16}, kOpaque, [](const Surfaces&) { return DrawCheckBoxStrip(); }},
      // Bars of the extended view, stretched along their width.
      {269, {1, 44}, kOpaque, [](const Surfaces&) { return Surfaces::PanelStripAt(QRect(0, 0, 1, 44)); }},
      {270, {1, 40}, kOpaque, [](const Surfaces&) { return Surfaces::TopStripAt(QRect(0, 0, 1, 40)); }},
      // Label backgrounds.
      Label(278, {50, 15}, OnPanel(25), true),
      Label(293, {50, 13}, OnFace(40, 494), true),
      Label(294, {50, 13}, OnFace(364, 494), true),
      Label(312, face::kFileNameLabel.size(), OnFace(face::kFileNameLabel.x(), face::kFileNameLabel.y()), false),
      // Map strip, G-sensor graph, speed digits.
      {279, {324, 28}, kOpaque, [](const Surfaces& s) { return s.MapStrip(); }},
      {292, face::kGraph.size(), kGreen, [](const Surfaces& s) { return DrawGSensorBackground(s.FaceAt(face::kGraph)); }},
      // Information dialog and the empty video area.
      {493, {338, 412}, kOpaque, [](const Surfaces& s) { return s.InfoFace(); }},
      {498, face::kVideo.size(), kOpaque, [](const Surfaces&) { return DrawEmptyVideo(); }},
  };
  for (int digit = 0; digit < 10; ++digit)
    images.push_back({321 + digit, {10, 15}, kGreen, [digit](const Surfaces&) { return DrawDigit(digit); }});
  AddButtonImages(images);
  std::sort(images.begin(), images.end(), [](const SkinImage& a, const SkinImage& b) { return a.id < b.id; });
  return images;
}

}  // namespace skingen
