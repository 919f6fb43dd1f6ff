#include "skinbitmap.h"

#include <QFile>

static void InitSkinResources() { Q_INIT_RESOURCE(skin); }

namespace skin {

QImage LoadSkinBitmap(int id) {
  static const bool initialised = (InitSkinResources(), true);
  Q_UNUSED(initialised);
  const QString path = QStringLiteral(":/skin/%1.png").arg(id);
  if (!QFile::exists(path)) return {};
  return QImage(path).convertToFormat(QImage::Format_RGB32);
}

QImage WithKeyColourTransparent(const QImage& image, QRgb key) {
  QImage out = image.convertToFormat(QImage::Format_ARGB32);
  const QRgb opaqueKey = key | 0xFF000000;
  for (int y = 0; y < out.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
    for (int x = 0; x < out.width(); ++x) {
      if ((line[x] | 0xFF000000) == opaqueKey) line[x] = 0;
    }
  }
  return out;
}

}  // namespace skin
