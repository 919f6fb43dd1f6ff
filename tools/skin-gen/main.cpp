// Draws the player's skin bitmaps into a folder and writes the resource list that embeds them.
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QTextStream>

int main(int argc, char** argv) {
  QGuiApplication app(argc, argv);
  if (argc < 2) return 2;
  QDir out(QString::fromLocal8Bit(argv[1]));
  out.mkpath(".");
  QImage face(1022, 682, QImage::Format_RGB32);
  face.fill(QColor(24, 25, 27));
  face.save(out.filePath("129.png"));
  QFile qrc(out.filePath("skin.qrc"));
  if (!qrc.open(QIODevice::WriteOnly)) return 1;
  QTextStream(&qrc) << "<RCC><qresource prefix=\"/skin\"><file>129.png</file></qresource></RCC>\n";
  return 0;
}
