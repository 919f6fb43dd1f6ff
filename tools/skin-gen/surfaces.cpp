#include "surfaces.h"

#include "glyphs.h"
#include "paint.h"

#include <QFontMetricsF>
#include <QPainterPath>
#include <QRadialGradient>

#include <cmath>

namespace skingen {

namespace {

QFont CaptionFont() { return UiFont(9, true, 1.2); }

void Caption(QPainter& p, const QRectF& rect, const QString& text, Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter) {
  DrawText(p, rect, text, CaptionFont(), colour::kCaption, align, true);
}

// A one-pixel groove: dark line with a light line beside it, the face's way of dividing groups.
void VerticalGroove(QPainter& p, int x, int top, int bottom) {
  p.fillRect(QRect(x, top, 1, bottom - top), QColor(9, 9, 10));
  p.fillRect(QRect(x + 1, top, 1, bottom - top), QColor(50, 52, 56));
}

void HorizontalGroove(QPainter& p, int left, int right, int y) {
  p.fillRect(QRect(left, y, right - left, 1), QColor(9, 9, 10));
  p.fillRect(QRect(left, y + 1, right - left, 1), QColor(48, 50, 54));
}

QColor FaceRow(int y) {
  if (y >= face::kTitleStripTop && y < face::kTitleStripTop + 40) return TopStripRow(y - face::kTitleStripTop);
  if (y < face::kTitleStripTop) return TopStripRow(1);
  return colour::kBase;
}

void DrawTitle(QPainter& p) {
  DrawMark(p, QPointF(25, 26), 9);
  Caption(p, QRectF(42, 12, 100, 28), QStringLiteral("CARD PLAYER"));
  const QFont brand = UiFont(16, true, 2.0);
  const QFont model = UiFont(16, false, 0.6);
  const QString left = QStringLiteral("TAVRO");
  const QString right = QStringLiteral("Roadcask QX5");
  const qreal gap = 9;
  const qreal w1 = QFontMetricsF(brand).horizontalAdvance(left);
  const qreal w2 = QFontMetricsF(model).horizontalAdvance(right);
  const qreal x = std::round(face::kSize.width() / 2.0 - (w1 + gap + w2) / 2);
  DrawText(p, QRectF(x, 10, w1 + 4, 32), left, brand, colour::kInkBright, Qt::AlignLeft | Qt::AlignVCenter, true);
  DrawText(p, QRectF(x + w1 + gap, 10, w2 + 4, 32), right, model, colour::kInk, Qt::AlignLeft | Qt::AlignVCenter, true);
}

void DrawVideoFrame(QPainter& p) {
  const QRect v = face::kVideo;
  p.fillRect(v.adjusted(-1, -1, 1, 1), QColor(8, 8, 9));
  p.fillRect(v, colour::kVideo);
}

void DrawTransportBand(QPainter& p) {
  for (int y = 0; y < 44; ++y) p.fillRect(QRect(2, face::kBandTop + y, 690, 1), PanelStripRow(y));
  VerticalGroove(p, 528, 479, 500);
  VerticalGroove(p, 577, 479, 500);
  VerticalGroove(p, 435, 479, 500);
}

void DrawGraphArea(QPainter& p) {
  const QRect g = face::kGraph;
  Caption(p, QRectF(g.left() + 1, 514, 160, 14), QStringLiteral("G-SENSOR"));
  DrawText(p, QRectF(g.right() - 200, 514, 200, 14), QStringLiteral("X · Y · Z  ACCELERATION"), UiFont(8, false, 1.0),
           QColor(84, 86, 90), Qt::AlignRight | Qt::AlignVCenter, true);
  DrawRecess(p, QRectF(g.adjusted(-1, -1, 1, 1)), 5, QColor(16, 17, 18));
  p.setPen(Qt::NoPen);
  VerticalGroove(p, 430, 520, 656);
}

void DrawSliderRows(QPainter& p) {
  const int left = face::kSliderLeft, right = face::kSliderLeft + face::kSliderWidth;
  struct Row {
    int top;
    QString caption;
    QString hint;
  };
  const Row rows[] = {{face::kSpeedSliderTop, QStringLiteral("PLAYBACK SPEED"), QStringLiteral("×0.2 – ×2.0")},
                      {face::kVolumeSliderTop, QStringLiteral("VOLUME"), QString()},
                      {face::kBrightnessSliderTop, QStringLiteral("BRIGHTNESS"), QString()}};
  for (const Row& row : rows) {
    Caption(p, QRectF(left, row.top - 15, 150, 13), row.caption);
    if (!row.hint.isEmpty())
      DrawText(p, QRectF(right - 90, row.top - 15, 90, 13), row.hint, UiFont(9, false, 0.6), QColor(92, 94, 98),
               Qt::AlignRight | Qt::AlignVCenter, true);
  }
  // Ticks under the speed slider at the centres of its nine steps, the normal speed in the accent;
  // one tick under the brightness slider where it is neutral.
  const qreal travel = face::kSliderWidth - face::kSmallThumbWidth;
  for (int step = 0; step < 9; ++step) {
    const int x = left + int(std::lround(travel / 8 * step + face::kSmallThumbWidth / 2.0 - 0.5));
    const bool normal = step == 4;
    p.fillRect(QRect(x, face::kSpeedSliderTop + 16, 1, normal ? 4 : 3), normal ? colour::kAccent : QColor(70, 72, 76));
  }
  const int centre = left + int(std::lround(travel / 2 + face::kSmallThumbWidth / 2.0 - 0.5));
  p.fillRect(QRect(centre, face::kBrightnessSliderTop + 16, 1, 4), QColor(96, 98, 102));
}

void DrawListColumn(QPainter& p, const QImage& mapStrip) {
  const QRect column(693, 45, 327, 619);
  p.fillRect(column, colour::kColumn);
  p.fillRect(QRect(692, 45, 1, 619), QColor(9, 9, 10));
  // Header with the tool buttons.
  DrawText(p, QRectF(704, 53, 150, 22), QStringLiteral("RECORDINGS"), UiFont(10, true, 1.6), QColor(128, 130, 134),
           Qt::AlignLeft | Qt::AlignVCenter, true);
  p.fillRect(QRect(704, 70, 14, 2), colour::kAccent);
  // Tab row backing, then the column heads over the list.
  p.fillRect(QRect(695, 78, 325, 29), QColor(20, 21, 23));
  const QRect head(695, 107, 325, 19);
  p.fillRect(head, QColor(38, 39, 42));
  p.fillRect(QRect(695, 107, 325, 1), QColor(56, 58, 62));
  p.fillRect(QRect(695, 125, 325, 1), QColor(12, 12, 13));
  const QFont headFont = UiFont(9, true, 1.0);
  const QColor headInk(120, 122, 126);
  DrawText(p, QRectF(702, 107, 150, 18), QStringLiteral("NAME"), headFont, headInk, Qt::AlignLeft | Qt::AlignVCenter, true);
  DrawText(p, QRectF(858, 107, 51, 18), QStringLiteral("DATE"), headFont, headInk, Qt::AlignCenter, true);
  DrawText(p, QRectF(909, 107, 54, 18), QStringLiteral("SIZE KB"), headFont, headInk, Qt::AlignCenter, true);
  for (int x : {857, 908, 962}) p.fillRect(QRect(x, 110, 1, 13), QColor(24, 25, 27));
  p.fillRect(QRect(695, 126, 325, 509), colour::kList);
  p.drawImage(face::kMapStripHidden, mapStrip);
}

}  // namespace

QImage DrawMapStrip() {
  QImage strip = RowsImage({324, 28}, [](int y) {
    if (y == 0) return QColor(58, 60, 64);
    if (y == 27) return QColor(10, 10, 11);
    const qreal t = (y - 1) / 25.0;
    return QColor(int(41 - 14 * t), int(43 - 15 * t), int(46 - 16 * t));
  });
  QPainter p(&strip);
  Smooth(p);
  DrawGlyph(p, Glyph::MapShow, QRectF(8, 6, 16, 16), QColor(104, 106, 110));
  Caption(p, QRectF(29, 1, 80, 26), QStringLiteral("GPS MAP"));
  Caption(p, QRectF(96, 1, 68, 26), QStringLiteral("SPEED"), Qt::AlignRight | Qt::AlignVCenter);
  DrawRecess(p, QRectF(167, 3, 36, 21), 3, QColor(0, 0, 0));
  DrawText(p, QRectF(207, 1, 34, 26), QStringLiteral("km/h"), UiFont(9, false, 0.4), QColor(112, 114, 118),
           Qt::AlignLeft | Qt::AlignVCenter, true);
  return strip;
}

QImage DrawFace(const QImage& mapStrip) {
  QImage image = RowsImage(face::kSize, FaceRow);
  QPainter p(&image);
  Smooth(p);
  p.fillRect(QRect(0, face::kTitleStripTop + 39, face::kSize.width(), 1), QColor(8, 8, 9));
  DrawTitle(p);
  Caption(p, QRectF(16, 53, 100, 22), QStringLiteral("FILE"));
  DrawRecess(p, QRectF(face::kFileNameLabel), 3, QColor(14, 15, 16));
  VerticalGroove(p, 539, 56, 73);
  DrawVideoFrame(p);
  DrawTransportBand(p);
  DrawGraphArea(p);
  DrawSliderRows(p);
  DrawListColumn(p, mapStrip);
  // Window edge: a dark outline with a faint highlight inside it along the top.
  p.setRenderHint(QPainter::Antialiasing, false);
  p.setPen(QColor(4, 4, 5));
  p.setBrush(Qt::NoBrush);
  p.drawRect(QRect(0, 0, face::kSize.width() - 1, face::kSize.height() - 1));
  p.fillRect(QRect(1, 1, face::kSize.width() - 2, 1), QColor(70, 72, 76));
  return image;
}

QImage DrawInfoFace() {
  const QSize size(338, 412);
  QImage image = Opaque(size, colour::kList);
  QPainter p(&image);
  Smooth(p);
  for (int y = 0; y < 31; ++y) p.fillRect(QRect(0, y, size.width(), 1), TopStripRow(std::min(38, y + 4)));
  p.fillRect(QRect(0, 31, size.width(), 1), QColor(10, 10, 11));
  p.fillRect(QRect(0, 32, size.width(), 1), QColor(46, 48, 52));
  // Section marks beside the three headings and hairlines under them.
  for (int top : {42, 229, 328}) {
    p.fillRect(QRect(6, top + 2, 3, 11), colour::kAccent);
    HorizontalGroove(p, 14, size.width() - 14, top + 20);
  }
  // A memory card drawn faintly beside the storage figures.
  QPainterPath card;
  card.moveTo(246, 82);
  card.lineTo(296, 82);
  card.lineTo(308, 94);
  card.lineTo(308, 176);
  card.lineTo(246, 176);
  card.closeSubpath();
  p.setPen(QPen(QColor(58, 60, 64), 1.6));
  p.setBrush(QColor(38, 39, 42));
  p.drawPath(card);
  for (int i = 0; i < 5; ++i) p.fillRect(QRectF(254 + i * 9, 88, 5, 12), QColor(58, 60, 64));
  DrawText(p, QRectF(246, 120, 62, 30), QStringLiteral("QX5"), UiFont(15, true, 1.0), QColor(66, 68, 72));
  DrawText(p, QRect(14, size.height() - 24, size.width() - 28, 16), QStringLiteral("TAVRO  Roadcask QX5"),
           UiFont(10, true, 1.4), QColor(64, 66, 70), Qt::AlignRight | Qt::AlignVCenter);
  p.setRenderHint(QPainter::Antialiasing, false);
  p.setPen(QColor(4, 4, 5));
  p.setBrush(Qt::NoBrush);
  p.drawRect(QRect(0, 0, size.width() - 1, size.height() - 1));
  p.fillRect(QRect(1, 1, size.width() - 2, 1), QColor(74, 76, 80));
  return image;
}

QImage DrawEmptyVideo() {
  const QSize size = face::kVideo.size();
  QImage image = Opaque(size, colour::kVideo);
  QPainter p(&image);
  Smooth(p);
  QRadialGradient glow(QPointF(size.width() / 2.0, size.height() * 0.45), size.width() * 0.55);
  glow.setColorAt(0, QColor(30, 31, 34));
  glow.setColorAt(1, QColor(6, 6, 7));
  p.fillRect(image.rect(), glow);
  // Viewfinder corners, as a recorder's screen shows them.
  const QColor frame(64, 66, 70);
  const int m = 24, len = 26;
  p.setPen(QPen(frame, 2, Qt::SolidLine, Qt::SquareCap));
  for (int sx : {0, 1}) {
    for (int sy : {0, 1}) {
      const int x = sx ? size.width() - m : m;
      const int y = sy ? size.height() - m : m;
      const int dx = sx ? -len : len, dy = sy ? -len : len;
      p.drawLine(x, y, x + dx, y);
      p.drawLine(x, y, x, y + dy);
    }
  }
  const QPointF centre(size.width() / 2.0, size.height() / 2.0 - 22);
  DrawGlyph(p, Glyph::Capture, QRectF(centre.x() - 36, centre.y() - 36, 72, 72), QColor(62, 64, 68));
  DrawText(p, QRectF(0, centre.y() + 44, size.width(), 24), QStringLiteral("NO VIDEO"), UiFont(15, true, 4.0),
           QColor(122, 124, 128));
  // Words stay out of the picture: the player speaks four languages, a bitmap only one.
  DrawText(p, QRectF(0, centre.y() + 72, size.width(), 16), QStringLiteral("TAVRO  Roadcask QX5"), UiFont(10, true, 1.6),
           QColor(70, 72, 76));
  return image;
}

QImage DrawGSensorBackground(const QImage& backdrop) {
  return Keyed(backdrop, kGreen, [](QPainter& p) {
    const QRectF r(0, 0, 370, 114);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(15, 16, 17));
    p.drawPath(RoundedRect(r, 4));
    p.setRenderHint(QPainter::Antialiasing, false);
    // Ten time divisions; the horizontal scale follows the recording, so they carry no numbers.
    for (int i = 1; i < 10; ++i) p.fillRect(QRect(i * 37, 2, 1, 110), QColor(22, 23, 25));
    const int baselines[] = {19, 57, 95};
    const char* axes[] = {"X", "Y", "Z"};
    for (int band = 0; band < 3; ++band) {
      const int base = baselines[band];
      for (int x = 4; x < 366; x += 4) {
        p.fillRect(QRect(x, base - 9, 2, 1), QColor(28, 29, 32));
        p.fillRect(QRect(x, base + 9, 2, 1), QColor(28, 29, 32));
      }
      p.fillRect(QRect(2, base, 366, 1), QColor(56, 58, 62));
      if (band > 0) p.fillRect(QRect(2, base - 19, 366, 1), QColor(34, 35, 38));
      p.setRenderHint(QPainter::Antialiasing, true);
      DrawText(p, QRectF(5, base - 17, 14, 12), QString::fromLatin1(axes[band]), UiFont(9, true), QColor(92, 94, 98),
               Qt::AlignLeft | Qt::AlignVCenter);
      p.setRenderHint(QPainter::Antialiasing, false);
    }
  });
}

QImage DrawDigit(int digit) {
  // Seven segments a, b, c, d, e, f, g, laid on whole pixels: at 10 x 15 any smoothing would
  // only blur them. Unlit segments stay faintly visible, as on a real display.
  static constexpr bool kLit[10][7] = {
      {1, 1, 1, 1, 1, 1, 0}, {0, 1, 1, 0, 0, 0, 0}, {1, 1, 0, 1, 1, 0, 1}, {1, 1, 1, 1, 0, 0, 1},
      {0, 1, 1, 0, 0, 1, 1}, {1, 0, 1, 1, 0, 1, 1}, {1, 0, 1, 1, 1, 1, 1}, {1, 1, 1, 0, 0, 0, 0},
      {1, 1, 1, 1, 1, 1, 1}, {1, 1, 1, 1, 0, 1, 1}};
  static constexpr QRect kSegments[7] = {
      QRect(3, 0, 4, 2), QRect(7, 2, 2, 4), QRect(7, 8, 2, 5), QRect(3, 13, 4, 2),
      QRect(1, 8, 2, 5), QRect(1, 2, 2, 4), QRect(3, 6, 4, 2)};
  QImage image = Opaque({10, 15}, QColor::fromRgb(kGreen));
  for (int s = 0; s < 7; ++s) {
    const bool lit = kLit[digit][s];
    const QRect r = kSegments[s];
    for (int y = r.top(); y <= r.bottom(); ++y) {
      for (int x = r.left(); x <= r.right(); ++x) {
        // The outer pixels of a lit segment are a shade deeper, which reads as a rounded bar.
        const bool edge = r.width() > r.height() ? (y == r.top() || y == r.bottom()) && r.height() > 2
                                                 : (x == r.left() || x == r.right()) && r.width() > 2;
        image.setPixel(x, y, lit ? (edge ? qRgb(226, 92, 24) : qRgb(255, 134, 52)) : qRgb(34, 17, 11));
      }
    }
  }
  return image;
}

QImage DrawLightLabel(const QImage& backdrop) {
  return Keyed(backdrop, kGreen, [&backdrop](QPainter& p) {
    const QRectF r(0, 0, backdrop.width(), backdrop.height());
    const qreal radius = r.height() / 2;
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(10, 10, 11));
    p.drawPath(RoundedRect(r, radius));
    p.setBrush(Vertical(r, QColor(196, 197, 200), QColor(148, 149, 153)));
    p.drawPath(RoundedRect(r.adjusted(1, 1, -1, -1), radius - 1));
  });
}

QImage DrawDarkLabel(const QImage& backdrop) {
  return Keyed(backdrop, kGreen, [&backdrop](QPainter& p) {
    const QRectF r(0, 0, backdrop.width(), backdrop.height());
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(60, 62, 66, 110));
    p.drawPath(RoundedRect(r, 3));
    p.setBrush(colour::kEdgeDark);
    p.drawPath(RoundedRect(r.adjusted(0, 0, 0, -1), 3));
    p.setBrush(QColor(14, 15, 16));
    p.drawPath(RoundedRect(r.adjusted(1, 1, -1, -2), 2));
  });
}

QImage DrawCheckBoxStrip() {
  QImage image = Opaque({72, 16}, colour::kList);
  QPainter p(&image);
  Smooth(p);
  for (int i = 0; i < 4; ++i) {
    const bool checked = i % 2 == 1;
    const bool disabled = i >= 2;
    const QRectF box(18 * i + 3.5, 2.5, 11, 11);
    QColor border = disabled ? QColor(62, 62, 64) : QColor(118, 118, 121);
    QColor fill = disabled ? QColor(30, 30, 31) : QColor(20, 20, 21);
    if (checked) {
      border = disabled ? QColor(98, 52, 36) : QColor(200, 44, 4);
      fill = disabled ? QColor(96, 50, 34) : colour::kAccent;
    }
    p.setPen(QPen(border, 1));
    p.setBrush(fill);
    p.drawPath(RoundedRect(box, 2));
    if (checked) {
      QPainterPath tick;
      tick.moveTo(box.left() + 2.6, box.center().y() + 0.2);
      tick.lineTo(box.left() + 4.8, box.center().y() + 2.4);
      tick.lineTo(box.right() - 2.4, box.top() + 3.0);
      QPen pen(disabled ? QColor(150, 140, 136) : QColor(255, 255, 255), 1.7);
      pen.setCapStyle(Qt::RoundCap);
      pen.setJoinStyle(Qt::RoundJoin);
      p.setPen(pen);
      p.setBrush(Qt::NoBrush);
      p.drawPath(tick);
    }
  }
  return image;
}

QImage DrawScrollArrow(bool up) {
  QImage image = Opaque({17, 16}, colour::kScrollBack);
  QPainter p(&image);
  Smooth(p);
  const QRectF key(1.5, 1.5, 14, 13);
  p.setPen(QPen(QColor(6, 6, 7), 1));
  p.setBrush(Vertical(key, QColor(50, 52, 56), QColor(34, 35, 38)));
  p.drawPath(RoundedRect(key, 2.5));
  const QPointF c = key.center();
  QPolygonF arrow;
  if (up)
    arrow << QPointF(c.x() - 3.6, c.y() + 1.8) << QPointF(c.x(), c.y() - 2.2) << QPointF(c.x() + 3.6, c.y() + 1.8);
  else
    arrow << QPointF(c.x() - 3.6, c.y() - 1.8) << QPointF(c.x(), c.y() + 2.2) << QPointF(c.x() + 3.6, c.y() - 1.8);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(156, 158, 162));
  p.drawPolygon(arrow);
  return image;
}

QImage DrawScrollTrack() {
  QImage image = Opaque({18, 1}, colour::kScrollBack);
  for (int x = 6; x <= 13; ++x) image.setPixel(x, 0, qRgb(21, 22, 24));
  image.setPixel(5, 0, qRgb(9, 9, 10));
  image.setPixel(14, 0, qRgb(30, 31, 34));
  return image;
}

QImage DrawScrollThumb() {
  // The thumb is stretched to any height, so every row is the same.
  QImage image = Opaque({17, 26}, colour::kScrollBack);
  const QRgb columns[12] = {qRgb(8, 8, 9),    qRgb(104, 106, 111), qRgb(92, 94, 99),  qRgb(88, 90, 95),
                            qRgb(84, 86, 91), qRgb(80, 82, 87),    qRgb(76, 78, 83),  qRgb(72, 74, 79),
                            qRgb(68, 70, 75), qRgb(64, 66, 71),    qRgb(52, 54, 58),  qRgb(8, 8, 9)};
  for (int y = 0; y < 26; ++y)
    for (int i = 0; i < 12; ++i) image.setPixel(3 + i, y, columns[i]);
  return image;
}

QImage DrawSliderChannel(const QImage& backdrop, bool filled) {
  QImage image = backdrop.convertToFormat(QImage::Format_RGB32);
  QPainter p(&image);
  Smooth(p);
  const int h = image.height();
  const qreal groove = h >= 20 ? 6 : 5;
  const QRectF r(0.5, std::floor((h - groove) / 2.0), image.width() - 1, groove);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(70, 72, 76, 90));
  p.drawPath(RoundedRect(r.translated(0, 1), groove / 2));
  p.setBrush(QColor(6, 6, 7));
  p.drawPath(RoundedRect(r, groove / 2));
  const QRectF inner = r.adjusted(1, 1, -1, -1);
  if (filled)
    p.setBrush(Vertical(inner, QColor(255, 118, 58), QColor(206, 42, 4)));
  else
    p.setBrush(Vertical(inner, QColor(20, 20, 22), QColor(34, 35, 38)));
  p.drawPath(RoundedRect(inner, inner.height() / 2));
  return image;
}

QImage DrawSliderThumb(QSize size) {
  const QImage under = Opaque(size, QColor(30, 31, 34));
  return Keyed(under, kWhite, [size](QPainter& p) {
    const QRectF r(0, 0, size.width(), size.height());
    // Small corners: the position bar copies its thumb without the key while it follows playback.
    const qreal radius = 3;
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(12, 12, 13));
    p.drawPath(RoundedRect(r, radius));
    const QRectF inner = r.adjusted(1, 1, -1, -1);
    p.setBrush(Vertical(inner, QColor(226, 227, 230), QColor(150, 151, 156)));
    p.drawPath(RoundedRect(inner, radius - 1));
    p.setRenderHint(QPainter::Antialiasing, false);
    const int cx = size.width() / 2;
    const int cy = size.height() / 2;
    p.fillRect(QRect(cx - 2, cy - 3, 4, 1), QColor(110, 111, 116));
    p.fillRect(QRect(cx - 2, cy, 4, 1), colour::kAccent);
    p.fillRect(QRect(cx - 2, cy + 3, 4, 1), QColor(110, 111, 116));
  });
}

Surfaces::Surfaces() : mapStrip_(DrawMapStrip()), face_(DrawFace(mapStrip_)), infoFace_(DrawInfoFace()) {}

QImage Surfaces::FaceAt(const QRect& rect) const { return Crop(face_, rect); }

QImage Surfaces::TopStripAt(const QRect& rect) {
  return RowsImage(rect.size(), [&rect](int y) { return TopStripRow(rect.top() + y); });
}

QImage Surfaces::PanelStripAt(const QRect& rect) {
  return RowsImage(rect.size(), [&rect](int y) { return PanelStripRow(rect.top() + y); });
}

QImage Surfaces::MapStripAt(const QRect& rect) const { return Crop(mapStrip_, rect); }

QImage Surfaces::InfoFaceAt(const QRect& rect) const { return Crop(infoFace_, rect); }

}  // namespace skingen
