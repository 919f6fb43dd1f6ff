// The large and the one-off skin images: window faces, bars, graph, labels, list parts, sliders.
#pragma once

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QSize>

namespace skingen {

// Where the main window's non-control artwork sits on its 1022 x 682 face.
namespace face {
inline constexpr QSize kSize(1022, 682);
inline constexpr QRect kVideo(3, 77, 688, 389);
inline constexpr int kBandTop = 467;  // the transport band repeats the control panel's rows from here
inline constexpr int kTitleStripTop = 5;  // the title row repeats the top bar's rows from here
inline constexpr QRect kGraph(41, 531, 370, 114);
inline constexpr QPoint kMapStripHidden(695, 635);
inline constexpr QRect kFileNameLabel(121, 57, 290, 15);
inline constexpr int kSliderLeft = 477, kSliderWidth = 179, kSliderHeight = 15;
inline constexpr int kSpeedSliderTop = 544, kVolumeSliderTop = 582, kBrightnessSliderTop = 620;
inline constexpr int kSmallThumbWidth = 11;
}  // namespace face

// The images other images are cut from: buttons take the pixels of the place they sit on, so
// they blend with the face, the bars, the map strip and the information dialog.
class Surfaces {
 public:
  Surfaces();

  const QImage& Face() const { return face_; }          // 129
  const QImage& MapStrip() const { return mapStrip_; }  // 279
  const QImage& InfoFace() const { return infoFace_; }  // 493

  QImage FaceAt(const QRect& rect) const;
  static QImage TopStripAt(const QRect& rect);    // rect in the top bar's rows (y 0..39)
  static QImage PanelStripAt(const QRect& rect);  // rect in the control panel's rows (y 0..43)
  QImage MapStripAt(const QRect& rect) const;
  QImage InfoFaceAt(const QRect& rect) const;

 private:
  QImage mapStrip_;
  QImage face_;
  QImage infoFace_;
};

QImage DrawMapStrip();
QImage DrawFace(const QImage& mapStrip);
QImage DrawInfoFace();
QImage DrawEmptyVideo();
QImage DrawGSensorBackground(const QImage& backdrop);
QImage DrawDigit(int digit);
QImage DrawLightLabel(const QImage& backdrop);  // time labels: dark text on a light pill
QImage DrawDarkLabel(const QImage& backdrop);   // file name: light text in a dark field
QImage DrawCheckBoxStrip();
QImage DrawScrollArrow(bool up);
QImage DrawScrollTrack();
QImage DrawScrollThumb();
QImage DrawSliderChannel(const QImage& backdrop, bool filled);
QImage DrawSliderThumb(QSize size);

}  // namespace skingen
