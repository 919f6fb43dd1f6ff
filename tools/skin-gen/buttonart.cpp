#include "buttonart.h"

#include "paint.h"

#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace skingen {

namespace {

struct CapColours {
  QColor top, bottom, border, highlight, ink;
};

CapColours CapFor(Shape shape, Look look) {
  switch (look) {
    case Look::Normal:
      return {QColor(53, 55, 59), QColor(36, 37, 40), QColor(11, 11, 12), QColor(255, 255, 255, 30), colour::kInk};
    case Look::Hover:
      if (shape == Shape::Danger)
        return {QColor(214, 62, 26), QColor(160, 40, 12), QColor(40, 10, 4), QColor(255, 210, 190, 70),
                colour::kInkBright};
      return {QColor(70, 72, 77), QColor(47, 48, 52), QColor(11, 11, 12), QColor(255, 255, 255, 52),
              colour::kInkBright};
    case Look::Pressed:
      if (shape == Shape::Danger)
        return {QColor(120, 30, 10), QColor(150, 40, 14), QColor(30, 8, 3), QColor(0, 0, 0, 0), colour::kInkBright};
      return {QColor(18, 18, 20), QColor(29, 30, 32), QColor(6, 6, 7), QColor(0, 0, 0, 0), colour::kAccent};
    case Look::Disabled:
      return {QColor(34, 35, 37), QColor(31, 32, 34), QColor(19, 19, 20), QColor(0, 0, 0, 0), colour::kInkDim};
  }
  return {};
}

qreal GlyphSide(int height, Glyph glyph) {
  // Map icons carry a badge and need the extra pixels to stay readable.
  const bool busy = glyph == Glyph::MapHide || glyph == Glyph::MapLarger || glyph == Glyph::MapShow;
  if (height >= 26) return 16;
  if (height >= 20) return busy ? 16 : 15;
  return std::max(8, height - 6);
}

// Glyph and optional word, centred together in rect.
void DrawContent(QPainter& p, const ButtonArt& art, const QRectF& rect, QColor ink, qreal side) {
  if (art.text.isEmpty()) {
    const QRectF box(std::round(rect.center().x() - side / 2), std::round(rect.center().y() - side / 2), side, side);
    DrawGlyph(p, art.glyph, box, ink);
    return;
  }
  const QFont font = UiFont(9, true, 0.6);
  const qreal textWidth = QFontMetricsF(font).horizontalAdvance(art.text);
  const qreal gap = 3;
  const qreal total = side + gap + textWidth;
  const qreal left = std::round(rect.center().x() - total / 2);
  const QRectF box(left, std::round(rect.center().y() - side / 2), side, side);
  DrawGlyph(p, art.glyph, box, ink);
  DrawText(p, QRectF(left + side + gap, rect.top(), textWidth + 2, rect.height()), art.text, font, ink,
           Qt::AlignLeft | Qt::AlignVCenter);
}

void DrawCap(QPainter& p, const QSize size, const ButtonArt& art, Look look) {
  const CapColours c = CapFor(art.shape, look);
  const QRectF cap(1.5, 1.5, size.width() - 3, size.height() - 3);
  const qreal radius = size.height() >= 26 ? 4.5 : 3.5;
  p.setPen(Qt::NoPen);
  if (look != Look::Pressed) {
    p.setBrush(QColor(0, 0, 0, 70));
    p.drawPath(RoundedRect(cap.adjusted(-0.5, 0.5, 0.5, 1.2), radius + 0.5));
  } else {
    p.setBrush(QColor(255, 255, 255, 16));
    p.drawPath(RoundedRect(cap.adjusted(-0.5, 0, 0.5, 1.0), radius + 0.5));
  }
  p.setBrush(c.border);
  p.drawPath(RoundedRect(cap, radius));
  const QRectF inner = cap.adjusted(1, 1, -1, -1);
  p.setBrush(Vertical(inner, c.top, c.bottom));
  p.drawPath(RoundedRect(inner, radius - 1));
  if (c.highlight.alpha() > 0) {
    p.setPen(QPen(c.highlight, 1));
    p.drawLine(QPointF(inner.left() + radius - 1, inner.top() + 0.5), QPointF(inner.right() - radius + 1, inner.top() + 0.5));
  }
  if (look == Look::Pressed) {
    // Inset: a shadow under the top edge, and for toggles an accent rim that reads as "on".
    p.setPen(QPen(QColor(0, 0, 0, 130), 1));
    p.drawLine(QPointF(inner.left() + 1, inner.top() + 0.5), QPointF(inner.right() - 1, inner.top() + 0.5));
    if (art.shape != Shape::Danger) {
      p.setPen(QPen(QColor(247, 58, 8, 150), 1));
      p.drawLine(QPointF(inner.left() + radius, inner.bottom() - 0.5), QPointF(inner.right() - radius, inner.bottom() - 0.5));
    }
  }
  const QPointF shift = look == Look::Pressed ? QPointF(0, 0.5) : QPointF(0, 0);
  DrawContent(p, art, inner.translated(shift), c.ink, GlyphSide(size.height(), art.glyph));
}

void DrawTab(QPainter& p, const QSize size, const ButtonArt& art, Look look) {
  const QRectF r(0, 0, size.width(), size.height());
  QColor top, bottom, ink;
  switch (look) {
    case Look::Normal: top = QColor(36, 37, 40); bottom = QColor(27, 28, 30); ink = colour::kInk; break;
    case Look::Hover: top = QColor(50, 51, 55); bottom = QColor(36, 37, 40); ink = colour::kInkBright; break;
    case Look::Pressed: top = QColor(58, 59, 63); bottom = QColor(43, 44, 47); ink = colour::kInkBright; break;
    case Look::Disabled: top = QColor(31, 32, 34); bottom = QColor(28, 29, 31); ink = colour::kInkDim; break;
  }
  p.setPen(Qt::NoPen);
  p.setBrush(Vertical(r, top, bottom));
  p.drawRect(r);
  // Hairlines: light on the left, dark on the right and along the bottom, so tabs side by side
  // read as separate keys.
  p.fillRect(QRectF(0, 0, 1, r.height()), QColor(255, 255, 255, look == Look::Pressed ? 26 : 14));
  p.fillRect(QRectF(r.width() - 1, 0, 1, r.height()), QColor(8, 8, 9));
  p.fillRect(QRectF(0, 0, r.width(), 1), QColor(255, 255, 255, look == Look::Pressed ? 34 : 18));
  if (look == Look::Pressed) {
    p.fillRect(QRectF(1, r.height() - 3, r.width() - 2, 3), colour::kAccent);
    p.fillRect(QRectF(1, r.height() - 3, r.width() - 2, 1), colour::kAccentLight);
  } else {
    p.fillRect(QRectF(0, r.height() - 1, r.width(), 1), QColor(10, 10, 11));
  }
  const QFont font = UiFont(11, true, 1.0);
  const qreal textWidth = QFontMetricsF(font).horizontalAdvance(art.text);
  const qreal dotGap = art.dot.isValid() ? 10 : 0;
  const qreal left = std::round((r.width() - textWidth - dotGap) / 2);
  const qreal midY = look == Look::Pressed ? r.height() / 2 - 1.0 : r.height() / 2;
  if (art.dot.isValid()) {
    QColor dot = art.dot;
    if (look == Look::Normal) dot = dot.darker(125);
    if (look == Look::Disabled) dot = colour::kInkDim;
    p.setPen(Qt::NoPen);
    p.setBrush(dot);
    p.drawEllipse(QPointF(left + 2.5, midY), 2.6, 2.6);
  }
  DrawText(p, QRectF(left + dotGap, midY - 8, textWidth + 4, 16), art.text, font, ink, Qt::AlignLeft | Qt::AlignVCenter,
           true);
}

void DrawFlat(QPainter& p, const QSize size, const ButtonArt& art, Look look) {
  const QRectF r(0.5, 0.5, size.width() - 1, size.height() - 1);
  QColor ink = colour::kInk;
  if (look == Look::Hover) {
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 24));
    p.drawPath(RoundedRect(r, 3));
    ink = colour::kInkBright;
  } else if (look == Look::Pressed) {
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 70));
    p.drawPath(RoundedRect(r, 3));
    ink = colour::kAccent;
  } else if (look == Look::Disabled) {
    ink = colour::kInkDim;
  }
  const qreal side = std::min<qreal>(size.height() - 3, 16);
  const QRectF box(std::round((size.width() - side) / 2), std::round((size.height() - side) / 2), side, side);
  DrawGlyph(p, art.glyph, box, ink);
}

}  // namespace

QImage DrawButton(const QImage& backdrop, const ButtonArt& art, Look look) {
  QImage image = backdrop.convertToFormat(QImage::Format_RGB32);
  QPainter p(&image);
  Smooth(p);
  switch (art.shape) {
    case Shape::Cap:
    case Shape::Danger: DrawCap(p, image.size(), art, look); break;
    case Shape::Tab: DrawTab(p, image.size(), art, look); break;
    case Shape::Flat: DrawFlat(p, image.size(), art, look); break;
  }
  return image;
}

}  // namespace skingen
