#include "appicon.h"

#include "paint.h"

#include <QDir>
#include <QPainterPath>
#include <QSvgGenerator>

namespace skingen {

namespace {

constexpr int kArtSize = 128;

// Below this size the lettering would be a smudge of a few pixels, so the mark fills the icon.
constexpr int kSmallestLetteredSize = 48;

// The lettering as outlines rather than text, so that the SVG does not depend on the fonts of
// whoever renders it.
void DrawLettering(QPainter& p, const QRectF& box, const QString& text, const QFont& font, QColor ink) {
  QPainterPath path;
  path.addText(0, 0, font, text);
  const QRectF inkBox = path.boundingRect();
  path.translate(box.center() - inkBox.center());
  p.save();
  p.setPen(Qt::NoPen);
  p.setBrush(ink);
  p.drawPath(path);
  p.restore();
}

// Paints the icon in the art's 128 x 128 coordinates on a painter already scaled to the target.
void PaintIcon(QPainter& p, int targetSize) {
  const QRectF art(0, 0, kArtSize, kArtSize);
  p.setPen(Qt::NoPen);
  p.fillRect(art, Vertical(art, QColor(50, 52, 57), QColor(16, 17, 19)));
  if (targetSize < kSmallestLetteredSize) {
    DrawMark(p, QPointF(64, 64), 52);
    return;
  }
  DrawMark(p, QPointF(64, 58), 36);
  DrawLettering(p, QRectF(0, 98, 128, 24), QStringLiteral("QX5"), UiFont(18, true, 3.0), colour::kInkBright);
}

}  // namespace

QImage DrawAppIcon(int size) {
  QImage image = Opaque(QSize(size, size), QColor(18, 19, 21));
  QPainter p(&image);
  Smooth(p);
  p.scale(qreal(size) / kArtSize, qreal(size) / kArtSize);
  PaintIcon(p, size);
  return image;
}

bool WriteIconTheme(const QString& directory, const std::vector<int>& sizes, QString* error) {
  const QDir out(directory);
  if (!out.mkpath(QStringLiteral("."))) {
    *error = QStringLiteral("cannot create %1").arg(directory);
    return false;
  }
  for (int size : sizes) {
    const QString file = out.filePath(QStringLiteral("%1x%1.png").arg(size));
    if (!DrawAppIcon(size).save(file, "PNG")) {
      *error = QStringLiteral("cannot write %1").arg(file);
      return false;
    }
  }
  const QString svgFile = out.filePath(QStringLiteral("scalable.svg"));
  QSvgGenerator svg;
  svg.setFileName(svgFile);
  svg.setSize(QSize(kArtSize, kArtSize));
  svg.setViewBox(QRect(0, 0, kArtSize, kArtSize));
  svg.setTitle(QStringLiteral("TAVRO Roadcask Card Player"));
  QPainter p;
  if (!p.begin(&svg)) {
    *error = QStringLiteral("cannot write %1").arg(svgFile);
    return false;
  }
  Smooth(p);
  PaintIcon(p, kArtSize);
  if (!p.end()) {
    *error = QStringLiteral("cannot write %1").arg(svgFile);
    return false;
  }
  return true;
}

}  // namespace skingen
