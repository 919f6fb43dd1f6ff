#include "paint.h"

#include <QPainterPath>
#include <QRadialGradient>

#include <algorithm>
#include <cmath>

namespace skingen {

namespace {

QColor Mix(QColor a, QColor b, qreal t) {
  return QColor::fromRgbF(a.redF() + (b.redF() - a.redF()) * t, a.greenF() + (b.greenF() - a.greenF()) * t,
                          a.blueF() + (b.blueF() - a.blueF()) * t);
}

}  // namespace

QFont UiFont(int pixelSize, bool bold, qreal letterSpacing) {
  QFont font(QStringLiteral("NanumBarunGothic"));
  font.setFamilies({QStringLiteral("NanumBarunGothic"), QStringLiteral("NanumGothic"), QStringLiteral("DejaVu Sans")});
  font.setPixelSize(pixelSize);
  font.setBold(bold);
  font.setHintingPreference(QFont::PreferVerticalHinting);
  if (letterSpacing != 0) font.setLetterSpacing(QFont::AbsoluteSpacing, letterSpacing);
  return font;
}

QColor TopStripRow(int y) {
  y = std::clamp(y, 0, 39);
  if (y == 39) return QColor(8, 8, 9);  // bottom edge against the video
  if (y == 0) return QColor(52, 54, 58);
  return Mix(QColor(42, 44, 48), QColor(27, 28, 31), (y - 1) / 37.0);
}

QColor PanelStripRow(int y) {
  y = std::clamp(y, 0, 43);
  if (y == 0) return QColor(60, 62, 66);  // top edge catching the light
  if (y == 43) return QColor(12, 12, 13);
  return Mix(QColor(42, 44, 47), QColor(23, 24, 26), (y - 1) / 41.0);
}

QImage RowsImage(QSize size, const std::function<QColor(int)>& row) {
  QImage image(size, QImage::Format_RGB32);
  for (int y = 0; y < size.height(); ++y) {
    const QRgb rgb = row(y).rgb();
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
    std::fill(line, line + size.width(), rgb);
  }
  return image;
}

QImage Crop(const QImage& source, const QRect& rect, QColor fill) {
  QImage out(rect.size(), QImage::Format_RGB32);
  out.fill(fill);
  QPainter painter(&out);
  painter.drawImage(QPoint(0, 0), source, rect);
  return out;
}

QImage Keyed(const QImage& backdrop, QRgb key, const std::function<void(QPainter&)>& art) {
  QImage layer(backdrop.size(), QImage::Format_ARGB32);
  layer.fill(Qt::transparent);
  {
    QPainter painter(&layer);
    Smooth(painter);
    art(painter);
  }
  const QImage back = backdrop.convertToFormat(QImage::Format_RGB32);
  QImage out(backdrop.size(), QImage::Format_RGB32);
  for (int y = 0; y < out.height(); ++y) {
    const auto* src = reinterpret_cast<const QRgb*>(layer.constScanLine(y));
    const auto* under = reinterpret_cast<const QRgb*>(back.constScanLine(y));
    auto* dst = reinterpret_cast<QRgb*>(out.scanLine(y));
    for (int x = 0; x < out.width(); ++x) {
      const int a = qAlpha(src[x]);
      if (a < 128) {
        dst[x] = key;
        continue;
      }
      auto blend = [a](int over, int base) { return (over * a + base * (255 - a) + 127) / 255; };
      QRgb rgb = qRgb(blend(qRed(src[x]), qRed(under[x])), blend(qGreen(src[x]), qGreen(under[x])),
                      blend(qBlue(src[x]), qBlue(under[x])));
      if ((rgb | 0xFF000000) == (key | 0xFF000000)) rgb = qRgb(qRed(rgb) ^ 1, qGreen(rgb) ^ 1, qBlue(rgb) ^ 1);
      dst[x] = rgb;
    }
  }
  return out;
}

QImage Opaque(QSize size, QColor fill) {
  QImage image(size, QImage::Format_RGB32);
  image.fill(fill);
  return image;
}

void Smooth(QPainter& painter) {
  painter.setRenderHint(QPainter::Antialiasing, true);
  painter.setRenderHint(QPainter::TextAntialiasing, true);
  painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
}

void DrawText(QPainter& painter, const QRectF& rect, const QString& text, const QFont& font, QColor ink,
              Qt::Alignment align, bool engraved) {
  painter.save();
  painter.setFont(font);
  if (engraved) {
    painter.setPen(QColor(4, 4, 5));
    painter.drawText(rect.translated(0, 1), align, text);
  }
  painter.setPen(ink);
  painter.drawText(rect, align, text);
  painter.restore();
}

QPainterPath RoundedRect(const QRectF& rect, qreal radius) {
  QPainterPath path;
  path.addRoundedRect(rect, radius, radius);
  return path;
}

QLinearGradient Vertical(const QRectF& rect, QColor top, QColor bottom) {
  QLinearGradient gradient(rect.topLeft(), rect.bottomLeft());
  gradient.setColorAt(0, top);
  gradient.setColorAt(1, bottom);
  return gradient;
}

void DrawRecess(QPainter& painter, const QRectF& rect, qreal radius, QColor fill) {
  painter.save();
  painter.setPen(Qt::NoPen);
  painter.setBrush(QColor(60, 62, 66, 110));
  painter.drawPath(RoundedRect(rect.adjusted(0, 1, 0, 1), radius));
  painter.setBrush(colour::kEdgeDark);
  painter.drawPath(RoundedRect(rect, radius));
  painter.setBrush(fill);
  painter.drawPath(RoundedRect(rect.adjusted(1, 1, -1, -1), std::max<qreal>(0, radius - 1)));
  painter.restore();
}

void DrawMark(QPainter& p, QPointF centre, qreal radius) {
  p.save();
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0, 0, 0, 90));
  p.drawEllipse(centre + QPointF(0, 1), radius + 1, radius + 1);
  p.setBrush(colour::kAccent);
  p.drawEllipse(centre, radius, radius);
  p.setBrush(QColor(16, 16, 18));
  p.drawEllipse(centre, radius * 0.72, radius * 0.72);
  QRadialGradient glass(centre - QPointF(radius * 0.2, radius * 0.25), radius * 0.6);
  glass.setColorAt(0, QColor(92, 96, 104));
  glass.setColorAt(1, QColor(30, 31, 35));
  p.setBrush(glass);
  p.drawEllipse(centre, radius * 0.46, radius * 0.46);
  p.setBrush(QColor(255, 255, 255, 150));
  p.drawEllipse(centre - QPointF(radius * 0.18, radius * 0.2), radius * 0.1, radius * 0.1);
  p.restore();
}

}  // namespace skingen
