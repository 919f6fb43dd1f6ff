// Draws the player's skin bitmaps into a folder and writes the resource list that embeds them.
//   skin-gen OUTDIR [--preview FILE.png] [--sheet FILE.png]
//   skin-gen --icons DIR SIZE...
// The preview composes the normal view from the drawn images; the sheet shows every button run
// in all its states and the extended view's bars, for judging the artwork by eye. --icons draws
// only the application icon, at the sizes of the desktop's icon theme, for installing.
#include "appicon.h"
#include "preview.h"
#include "skintable.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QTextStream>

#include <cstdio>
#include <map>
#include <set>
#include <vector>

namespace {

bool WriteQrc(const QDir& out, const std::map<int, QImage>& images) {
  QFile qrc(out.filePath(QStringLiteral("skin.qrc")));
  if (!qrc.open(QIODevice::WriteOnly | QIODevice::Truncate)) return false;
  QTextStream text(&qrc);
  text << "<RCC>\n  <qresource prefix=\"/skin\">\n";
  for (const auto& [id, image] : images) text << "    <file>" << id << ".png</file>\n";
  text << "  </qresource>\n</RCC>\n";
  return text.status() == QTextStream::Ok;
}

int Fail(const QString& message) {
  std::fprintf(stderr, "skin-gen: %s\n", qPrintable(message));
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  QGuiApplication app(argc, argv);
  const QStringList args = app.arguments();
  if (args.size() < 2)
    return Fail(QStringLiteral("usage: skin-gen OUTDIR [--preview FILE.png] [--sheet FILE.png] | --icons DIR SIZE..."));
  if (args.at(1) == QLatin1String("--icons")) {
    if (args.size() < 4) return Fail(QStringLiteral("usage: skin-gen --icons DIR SIZE..."));
    std::vector<int> sizes;
    for (int i = 3; i < args.size(); ++i) {
      bool ok = false;
      const int size = args.at(i).toInt(&ok);
      if (!ok || size < 1 || size > 1024) return Fail(QStringLiteral("%1 is no icon size").arg(args.at(i)));
      sizes.push_back(size);
    }
    QString error;
    return skingen::WriteIconTheme(args.at(2), sizes, &error) ? 0 : Fail(error);
  }
  QDir out(args.at(1));
  if (!out.mkpath(QStringLiteral("."))) return Fail(QStringLiteral("cannot create %1").arg(args.at(1)));

  const skingen::Surfaces surfaces;
  std::map<int, QImage> images;
  for (const skingen::SkinImage& entry : skingen::SkinImages()) {
    if (images.count(entry.id)) return Fail(QStringLiteral("bitmap %1 is drawn twice").arg(entry.id));
    // Qt writes an RGB32 image as a PNG without an alpha channel: the skin is opaque by design.
    QImage image = entry.draw(surfaces).convertToFormat(QImage::Format_RGB32);
    if (image.size() != entry.size)
      return Fail(QStringLiteral("bitmap %1 is %2x%3, not %4x%5")
                      .arg(entry.id)
                      .arg(image.width())
                      .arg(image.height())
                      .arg(entry.size.width())
                      .arg(entry.size.height()));
    if (!image.save(out.filePath(QStringLiteral("%1.png").arg(entry.id)), "PNG"))
      return Fail(QStringLiteral("cannot write bitmap %1").arg(entry.id));
    images.emplace(entry.id, std::move(image));
  }
  if (!WriteQrc(out, images)) return Fail(QStringLiteral("cannot write skin.qrc"));

  for (int i = 2; i + 1 < args.size(); i += 2) {
    QImage composed;
    if (args.at(i) == QLatin1String("--preview"))
      composed = skingen::ComposeNormalView(images);
    else if (args.at(i) == QLatin1String("--sheet"))
      composed = skingen::ComposeSheet(images);
    else
      return Fail(QStringLiteral("unknown option %1").arg(args.at(i)));
    if (!composed.save(args.at(i + 1))) return Fail(QStringLiteral("cannot write %1").arg(args.at(i + 1)));
  }
  return 0;
}
