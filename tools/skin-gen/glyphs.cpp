#include "glyphs.h"

#include "paint.h"

#include <QImage>
#include <QPainterPath>
#include <QPolygonF>

#include <cmath>

namespace skingen {

namespace {

constexpr qreal kStroke = 1.5;  // outline width on the 16-unit grid

QPolygonF Poly(std::initializer_list<QPointF> points) { return QPolygonF(QList<QPointF>(points)); }

void Fill(QPainter& p, const QPainterPath& path, QColor ink) {
  p.setPen(Qt::NoPen);
  p.setBrush(ink);
  p.drawPath(path);
}

void FillPoly(QPainter& p, const QPolygonF& poly, QColor ink) {
  QPainterPath path;
  path.addPolygon(poly);
  path.closeSubpath();
  Fill(p, path, ink);
}

QPen Outline(QColor ink, qreal width = kStroke) {
  QPen pen(ink, width);
  pen.setJoinStyle(Qt::RoundJoin);
  pen.setCapStyle(Qt::RoundCap);
  return pen;
}

void Stroke(QPainter& p, const QPainterPath& path, QColor ink, qreal width = kStroke) {
  p.setPen(Outline(ink, width));
  p.setBrush(Qt::NoBrush);
  p.drawPath(path);
}

void Line(QPainter& p, QPointF a, QPointF b, QColor ink, qreal width = kStroke) {
  p.setPen(Outline(ink, width));
  p.drawLine(a, b);
}

// Clears a disc in the glyph layer, so a badge drawn there stands apart from the glyph under it.
void KnockOut(QPainter& p, QPointF centre, qreal radius) {
  p.save();
  p.setCompositionMode(QPainter::CompositionMode_Clear);
  p.setPen(Qt::NoPen);
  p.setBrush(Qt::black);
  p.drawEllipse(centre, radius, radius);
  p.restore();
}

void Letter(QPainter& p, const QRectF& rect, const QString& text, QColor ink, qreal size) {
  QFont font = UiFont(10, true);
  font.setPixelSize(100);
  QPainterPath path;
  path.addText(0, 0, font, text);
  const QRectF bounds = path.boundingRect();
  const qreal scale = size / bounds.height();  // size is the cap height on the grid
  QTransform t;
  t.translate(rect.center().x(), rect.center().y());
  t.scale(scale, scale);
  t.translate(-bounds.center().x(), -bounds.center().y());
  Fill(p, t.map(path), ink);
}

void MapSheet(QPainter& p, QColor ink) {
  QPainterPath sheet;
  sheet.addPolygon(Poly({{1.5, 3.8}, {5.5, 2.2}, {10.5, 3.8}, {14.5, 2.2}, {14.5, 12.4}, {10.5, 14.0},
                         {5.5, 12.4}, {1.5, 14.0}}));
  sheet.closeSubpath();
  QColor faint = ink;
  faint.setAlphaF(ink.alphaF() * 0.28);
  Fill(p, sheet, faint);
  Stroke(p, sheet, ink, 1.3);
  Line(p, {5.5, 2.6}, {5.5, 12.2}, ink, 1.1);
  Line(p, {10.5, 4.0}, {10.5, 13.6}, ink, 1.1);
}

void Speaker(QPainter& p, QColor ink) {
  FillPoly(p, Poly({{1.2, 6.0}, {4.2, 6.0}, {8.2, 2.4}, {8.2, 13.6}, {4.2, 10.0}, {1.2, 10.0}}), ink);
}

void Screen(QPainter& p, const QRectF& r, QColor ink) {
  Stroke(p, RoundedRect(r, 1.4), ink, 1.3);
}

void Triangle(QPainter& p, QPointF tip, qreal baseX, qreal halfHeight, QColor ink) {
  FillPoly(p, Poly({{baseX, tip.y() - halfHeight}, tip, {baseX, tip.y() + halfHeight}}), ink);
}

void Corners(QPainter& p, QColor ink, bool outwards) {
  // Four brackets: at the corners pointing out, or pulled in pointing at the centre.
  const qreal a = outwards ? 1.8 : 6.2;
  const qreal len = 4.2;
  for (int sx : {-1, 1}) {
    for (int sy : {-1, 1}) {
      const QPointF corner(8 + sx * (8 - a), 8 + sy * (8 - a));
      const qreal dx = outwards ? -sx * len : sx * len;
      const qreal dy = outwards ? -sy * len : sy * len;
      QPainterPath bracket;
      bracket.moveTo(corner.x() + dx, corner.y());
      bracket.lineTo(corner);
      bracket.lineTo(corner.x(), corner.y() + dy);
      Stroke(p, bracket, ink, 1.7);
    }
  }
}

void Draw(QPainter& p, Glyph glyph, QColor ink) {
  switch (glyph) {
    case Glyph::None:
      return;
    case Glyph::Close:
      Line(p, {3.8, 3.8}, {12.2, 12.2}, ink, 1.9);
      Line(p, {12.2, 3.8}, {3.8, 12.2}, ink, 1.9);
      return;
    case Glyph::Minimise:
      Line(p, {3.5, 11.5}, {12.5, 11.5}, ink, 1.9);
      return;
    case Glyph::Information: {
      QPainterPath ring;
      ring.addEllipse(QPointF(8, 8), 6.6, 6.6);
      Stroke(p, ring, ink, 1.4);
      QPainterPath dot;
      dot.addEllipse(QPointF(8, 4.9), 1.05, 1.05);
      Fill(p, dot, ink);
      Line(p, {8, 7.3}, {8, 11.6}, ink, 1.7);
      return;
    }
    case Glyph::Capture: {
      QPainterPath body;
      body.moveTo(1.5, 5.8);
      body.lineTo(4.6, 5.8);
      body.lineTo(5.9, 3.6);
      body.lineTo(10.1, 3.6);
      body.lineTo(11.4, 5.8);
      body.lineTo(14.5, 5.8);
      body.lineTo(14.5, 13.2);
      body.lineTo(1.5, 13.2);
      body.closeSubpath();
      Stroke(p, body, ink, 1.35);
      QPainterPath lens;
      lens.addEllipse(QPointF(8, 9.3), 2.55, 2.55);
      Stroke(p, lens, ink, 1.35);
      QPainterPath flash;
      flash.addEllipse(QPointF(12.4, 7.7), 0.7, 0.7);
      Fill(p, flash, ink);
      return;
    }
    case Glyph::Extend:
      Corners(p, ink, true);
      return;
    case Glyph::Reduce:
      Corners(p, ink, false);
      return;
    case Glyph::FlipVertical: {
      // The picture (filled) above its mirror image (outline), the axis marked at both sides.
      FillPoly(p, Poly({{3.0, 6.6}, {13.0, 6.6}, {8, 1.6}}), ink);
      QPainterPath down;
      down.addPolygon(Poly({{3.6, 9.6}, {12.4, 9.6}, {8, 14.0}}));
      down.closeSubpath();
      Stroke(p, down, ink, 1.2);
      Line(p, {0.6, 8.1}, {2.2, 8.1}, ink, 1.1);
      Line(p, {13.8, 8.1}, {15.4, 8.1}, ink, 1.1);
      return;
    }
    case Glyph::FlipHorizontal: {
      FillPoly(p, Poly({{6.6, 3.0}, {6.6, 13.0}, {1.6, 8}}), ink);
      QPainterPath right;
      right.addPolygon(Poly({{9.6, 3.6}, {9.6, 12.4}, {14.0, 8}}));
      right.closeSubpath();
      Stroke(p, right, ink, 1.2);
      Line(p, {8.1, 0.6}, {8.1, 2.2}, ink, 1.1);
      Line(p, {8.1, 13.8}, {8.1, 15.4}, ink, 1.1);
      return;
    }
    case Glyph::Calendar: {
      Stroke(p, RoundedRect(QRectF(1.8, 3.2, 12.4, 11.2), 1.5), ink, 1.3);
      Fill(p, RoundedRect(QRectF(1.8, 3.2, 12.4, 3.2), 1.2), ink);
      Line(p, {5.0, 1.5}, {5.0, 4.2}, ink, 1.5);
      Line(p, {11.0, 1.5}, {11.0, 4.2}, ink, 1.5);
      for (int row = 0; row < 2; ++row) {
        for (int col = 0; col < 3; ++col) {
          QPainterPath cell;
          cell.addRect(QRectF(4.0 + col * 3.0, 8.2 + row * 2.9, 1.9, 1.7));
          Fill(p, cell, ink);
        }
      }
      return;
    }
    case Glyph::Delete: {
      Line(p, {2.2, 4.2}, {13.8, 4.2}, ink, 1.5);
      QPainterPath handle;
      handle.moveTo(6.0, 4.0);
      handle.lineTo(6.0, 2.3);
      handle.lineTo(10.0, 2.3);
      handle.lineTo(10.0, 4.0);
      Stroke(p, handle, ink, 1.3);
      QPainterPath can;
      can.moveTo(3.6, 5.4);
      can.lineTo(4.5, 14.2);
      can.lineTo(11.5, 14.2);
      can.lineTo(12.4, 5.4);
      Stroke(p, can, ink, 1.35);
      Line(p, {6.6, 7.2}, {6.9, 12.2}, ink, 1.1);
      Line(p, {9.4, 7.2}, {9.1, 12.2}, ink, 1.1);
      return;
    }
    case Glyph::Save: {
      Line(p, {8, 1.6}, {8, 9.8}, ink, 1.6);
      QPainterPath head;
      head.moveTo(4.4, 6.6);
      head.lineTo(8, 10.2);
      head.lineTo(11.6, 6.6);
      Stroke(p, head, ink, 1.6);
      QPainterPath tray;
      tray.moveTo(2.0, 10.2);
      tray.lineTo(2.0, 14.0);
      tray.lineTo(14.0, 14.0);
      tray.lineTo(14.0, 10.2);
      Stroke(p, tray, ink, 1.5);
      return;
    }
    case Glyph::Folder: {
      QPainterPath back;
      back.moveTo(1.6, 13.6);
      back.lineTo(1.6, 3.0);
      back.lineTo(6.0, 3.0);
      back.lineTo(7.6, 4.8);
      back.lineTo(14.4, 4.8);
      back.lineTo(14.4, 13.6);
      back.closeSubpath();
      Stroke(p, back, ink, 1.3);
      QPainterPath flap;
      flap.moveTo(1.6, 13.6);
      flap.lineTo(3.2, 7.2);
      flap.lineTo(15.2, 7.2);
      flap.lineTo(14.4, 13.6);
      flap.closeSubpath();
      Fill(p, flap, ink);
      return;
    }
    case Glyph::CheckAll: {
      Stroke(p, RoundedRect(QRectF(1.6, 1.6, 12.8, 12.8), 2.2), ink, 1.3);
      QPainterPath tick;
      tick.moveTo(4.4, 8.2);
      tick.lineTo(7.0, 10.8);
      tick.lineTo(11.8, 5.2);
      Stroke(p, tick, ink, 1.8);
      return;
    }
    case Glyph::MapShow: {
      MapSheet(p, ink);
      KnockOut(p, {8, 6.6}, 4.4);
      QPainterPath pin;
      pin.moveTo(8, 12.2);
      pin.cubicTo(5.2, 8.6, 4.6, 7.4, 4.6, 5.8);
      pin.arcTo(QRectF(4.6, 2.4, 6.8, 6.8), 180, -180);
      pin.cubicTo(11.4, 7.4, 10.8, 8.6, 8, 12.2);
      pin.closeSubpath();
      QPainterPath hole;
      hole.addEllipse(QPointF(8, 5.8), 1.3, 1.3);
      Fill(p, pin.subtracted(hole), ink);
      return;
    }
    case Glyph::MapHide:
    case Glyph::MapLarger: {
      MapSheet(p, ink);
      const QPointF badge(11.4, 11.2);
      KnockOut(p, badge, 5.4);
      QPainterPath disc;
      disc.addEllipse(badge, 4.4, 4.4);
      Fill(p, disc, ink);
      p.save();
      p.setCompositionMode(QPainter::CompositionMode_Clear);
      Line(p, {badge.x() - 2.3, badge.y()}, {badge.x() + 2.3, badge.y()}, Qt::black, 1.6);
      if (glyph == Glyph::MapLarger) Line(p, {badge.x(), badge.y() - 2.3}, {badge.x(), badge.y() + 2.3}, Qt::black, 1.6);
      p.restore();
      return;
    }
    case Glyph::Rewind:
      Triangle(p, {1.2, 8}, 8.0, 5.2, ink);
      Triangle(p, {8.0, 8}, 14.8, 5.2, ink);
      return;
    case Glyph::Forward:
      Triangle(p, {14.8, 8}, 8.0, 5.2, ink);
      Triangle(p, {8.0, 8}, 1.2, 5.2, ink);
      return;
    case Glyph::Previous: {
      QPainterPath bar;
      bar.addRoundedRect(QRectF(2.2, 2.8, 2.2, 10.4), 0.6, 0.6);
      Fill(p, bar, ink);
      Triangle(p, {4.6, 8}, 13.4, 5.2, ink);
      return;
    }
    case Glyph::Next: {
      QPainterPath bar;
      bar.addRoundedRect(QRectF(11.6, 2.8, 2.2, 10.4), 0.6, 0.6);
      Fill(p, bar, ink);
      Triangle(p, {11.4, 8}, 2.6, 5.2, ink);
      return;
    }
    case Glyph::Play:
      Triangle(p, {13.8, 8}, 3.6, 5.9, ink);
      return;
    case Glyph::Pause: {
      QPainterPath bars;
      bars.addRoundedRect(QRectF(3.6, 2.4, 3.2, 11.2), 0.7, 0.7);
      bars.addRoundedRect(QRectF(9.2, 2.4, 3.2, 11.2), 0.7, 0.7);
      Fill(p, bars, ink);
      return;
    }
    case Glyph::Speaker: {
      Speaker(p, ink);
      QPainterPath waves;
      waves.arcMoveTo(QRectF(6.4, 4.6, 6.8, 6.8), 50);
      waves.arcTo(QRectF(6.4, 4.6, 6.8, 6.8), 50, -100);
      waves.arcMoveTo(QRectF(4.4, 1.8, 12.4, 12.4), 50);
      waves.arcTo(QRectF(4.4, 1.8, 12.4, 12.4), 50, -100);
      Stroke(p, waves, ink, 1.35);
      return;
    }
    case Glyph::SpeakerMuted:
      Speaker(p, ink);
      Line(p, {10.6, 5.6}, {15.0, 10.4}, ink, 1.6);
      Line(p, {15.0, 5.6}, {10.6, 10.4}, ink, 1.6);
      return;
    case Glyph::Speed: {
      QPainterPath arc;
      const QRectF dial(1.4, 2.6, 13.2, 13.2);
      arc.arcMoveTo(dial, 200);
      arc.arcTo(dial, 200, -220);
      Stroke(p, arc, ink, 1.45);
      const QPointF centre = dial.center();
      for (int i = 0; i <= 4; ++i) {
        const qreal angle = (200 - i * 55) * M_PI / 180;
        const QPointF dir(std::cos(angle), -std::sin(angle));
        Line(p, centre + dir * 4.2, centre + dir * 5.0, ink, 1.0);
      }
      Line(p, centre, centre + QPointF(3.6, -3.0), ink, 1.6);
      QPainterPath hub;
      hub.addEllipse(centre, 1.4, 1.4);
      Fill(p, hub, ink);
      return;
    }
    case Glyph::Brightness: {
      QPainterPath core;
      core.addEllipse(QPointF(8, 8), 3.0, 3.0);
      Fill(p, core, ink);
      for (int i = 0; i < 8; ++i) {
        const qreal angle = i * M_PI / 4;
        const QPointF dir(std::cos(angle), std::sin(angle));
        Line(p, QPointF(8, 8) + dir * 5.0, QPointF(8, 8) + dir * 6.8, ink, 1.4);
      }
      return;
    }
    case Glyph::FileList:
      for (int i = 0; i < 3; ++i) {
        const qreal y = 3.6 + i * 4.4;
        QPainterPath bullet;
        bullet.addRoundedRect(QRectF(1.4, y - 1.1, 2.2, 2.2), 0.4, 0.4);
        Fill(p, bullet, ink);
        Line(p, {5.8, y}, {14.6, y}, ink, 1.5);
      }
      return;
    case Glyph::Front:
      Screen(p, QRectF(1.4, 2.6, 13.2, 10.8), ink);
      Letter(p, QRectF(1.4, 2.6, 13.2, 10.8), QStringLiteral("F"), ink, 6.4);
      return;
    case Glyph::Rear:
      Screen(p, QRectF(1.4, 2.6, 13.2, 10.8), ink);
      Letter(p, QRectF(1.4, 2.6, 13.2, 10.8), QStringLiteral("R"), ink, 6.4);
      return;
    case Glyph::Both: {
      Screen(p, QRectF(0.6, 3.4, 7.0, 9.2), ink);
      QColor faint = ink;
      faint.setAlphaF(ink.alphaF() * 0.45);
      Fill(p, RoundedRect(QRectF(1.9, 4.7, 4.4, 6.6), 0.6), faint);
      Screen(p, QRectF(8.4, 3.4, 7.0, 9.2), ink);
      Fill(p, RoundedRect(QRectF(9.7, 4.7, 4.4, 6.6), 0.6), faint);
      return;
    }
  }
}

}  // namespace

void DrawGlyph(QPainter& painter, Glyph glyph, const QRectF& box, QColor ink) {
  if (glyph == Glyph::None) return;
  const QSize deviceSize(painter.device()->width(), painter.device()->height());
  QImage layer(deviceSize, QImage::Format_ARGB32_Premultiplied);
  layer.fill(Qt::transparent);
  {
    QPainter p(&layer);
    Smooth(p);
    p.setTransform(painter.transform());
    p.translate(box.topLeft());
    p.scale(box.width() / 16.0, box.height() / 16.0);
    Draw(p, glyph, ink);
  }
  painter.save();
  painter.resetTransform();
  painter.drawImage(QPoint(0, 0), layer);
  painter.restore();
}

}  // namespace skingen
