#include "mapbrowser.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibrary>

namespace {
// The web engine shares its OpenGL contexts with the application's, which must be asked for
// before the application object exists; the module, loaded later, cannot do it itself (the web
// engine fails without it). Asking costs start-up nothing.
void ShareOpenGLContexts() { QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts); }
Q_CONSTRUCTOR_FUNCTION(ShareOpenGLContexts)

QString& ExtraFolder() {
  static QString folder;
  return folder;
}

CreateMapBrowserFunction LoadModule() {
  // Loaded once and never unloaded: the web engine cannot be taken down within a process.
  static const CreateMapBrowserFunction create = []() -> CreateMapBrowserFunction {
    QStringList folders{QCoreApplication::applicationDirPath()};
    if (!ExtraFolder().isEmpty()) folders.append(ExtraFolder());
    for (const QString& folder : folders) {
      auto* library = new QLibrary(QDir(folder).filePath(QString::fromLatin1(kMapBrowserModule)));
      if (auto f = reinterpret_cast<CreateMapBrowserFunction>(library->resolve(kCreateMapBrowserSymbol))) return f;
      qWarning("map browser module not loaded from %s: %s", qPrintable(folder), qPrintable(library->errorString()));
      delete library;
    }
    return nullptr;
  }();
  return create;
}
}  // namespace

void SetMapBrowserFolder(const QString& folder) { ExtraFolder() = folder; }

std::unique_ptr<MapBrowser> CreateMapBrowser(QWidget* parent, const MapBrowserOptions& options) {
  const CreateMapBrowserFunction create = LoadModule();
  return std::unique_ptr<MapBrowser>(create ? create(parent, &options) : nullptr);
}
