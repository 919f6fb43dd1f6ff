// The browser inside the map control, as the control uses it. The web engine behind it lives in
// a module of its own that is loaded when the map is first shown, so a player that never shows
// the map never loads the web engine (loading it alone costs start-up a noticeable time).
#pragma once

#include <QString>
#include <QUrl>
#include <QVariant>
#include <functional>
#include <memory>

class QObject;
class QWidget;

class MapBrowser {
 public:
  virtual ~MapBrowser() = default;
  virtual QWidget* Widget() = 0;
  virtual void Load(const QUrl& url) = 0;
  // Runs script in the page as it is now; `result` gets its value later, on this thread.
  virtual void RunScript(const QString& script, std::function<void(const QVariant&)> result = {}) = 0;
};

struct MapBrowserOptions {
  QString userAgent;
  QString referer;           // added to the page's http(s) requests
  QString startScript;       // runs in every page before its own scripts
  QObject* channelObject = nullptr;  // reachable from the page through the web channel
  QString channelObjectName;
  std::function<void(bool ok)> loaded;  // after every page load
};

// The module's one entry point.
using CreateMapBrowserFunction = MapBrowser* (*)(QWidget* parent, const MapBrowserOptions* options);
inline constexpr const char* kMapBrowserModule = "tavro-mapbrowser";
inline constexpr const char* kCreateMapBrowserSymbol = "TavroCreateMapBrowser";

// The browser from the module next to the program (or in SetMapBrowserFolder's folder); null
// when the module cannot be loaded.
std::unique_ptr<MapBrowser> CreateMapBrowser(QWidget* parent, const MapBrowserOptions& options);
// Where else to look for the module (tests and tools that do not run from the player's folder).
void SetMapBrowserFolder(const QString& folder);
