// The map browser on Qt WebEngine, built as a module the player loads when the map is first
// shown: a private profile with the player's identity, the web channel to the player, and the
// page's start script.
#include "mapbrowser.h"

#include <QFile>
#include <QWebChannel>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>
#include <QWebEngineSettings>
#include <QWebEngineUrlRequestInterceptor>
#include <QWebEngineView>
#include <unistd.h>

namespace {

// Adds the Referer the tile servers ask for; a page from a file sends none of its own.
class RefererInterceptor : public QWebEngineUrlRequestInterceptor {
 public:
  RefererInterceptor(const QString& referer, QObject* parent)
      : QWebEngineUrlRequestInterceptor(parent),
        referer_(referer.toUtf8()),
        secure_(QUrl(referer).scheme() == QLatin1String("https")) {}
  void interceptRequest(QWebEngineUrlRequestInfo& info) override {
    if (referer_.isEmpty()) return;
    const QString scheme = info.requestUrl().scheme();
    // The browser cancels a plain-http request that names an https page as its referrer.
    if (scheme == QLatin1String("https") || (scheme == QLatin1String("http") && !secure_))
      info.setHttpHeader(QByteArrayLiteral("Referer"), referer_);
  }

 private:
  const QByteArray referer_;
  const bool secure_;
};

QWebEngineScript StartScript(const QString& name, const QString& source) {
  QWebEngineScript script;
  script.setName(name);
  script.setSourceCode(source);
  script.setInjectionPoint(QWebEngineScript::DocumentCreation);
  script.setWorldId(QWebEngineScript::MainWorld);
  script.setRunsOnSubFrames(false);
  return script;
}

class WebEngineMapBrowser : public MapBrowser {
 public:
  WebEngineMapBrowser(QWidget* parent, const MapBrowserOptions& options) {
    // The browser's sandbox refuses to start as root; the map page is the player's own file.
    if (::geteuid() == 0 && !qEnvironmentVariableIsSet("QTWEBENGINE_DISABLE_SANDBOX"))
      qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    profile_ = new QWebEngineProfile(parent);  // no storage name: nothing is written to disk
    profile_->setHttpUserAgent(options.userAgent);
    profile_->setUrlRequestInterceptor(new RefererInterceptor(options.referer, profile_));

    view_ = new QWebEngineView(parent);
    auto* page = new QWebEnginePage(profile_, view_);
    view_->setPage(page);
    // The page is a local file and its tiles come from the network, which a local page may not
    // reach unless allowed.
    page->settings()->setAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls, true);
    if (options.channelObject) {
      auto* channel = new QWebChannel(page);
      channel->registerObject(options.channelObjectName, options.channelObject);
      page->setWebChannel(channel);
      QFile channelScript(QStringLiteral(":/qtwebchannel/qwebchannel.js"));
      if (channelScript.open(QIODevice::ReadOnly))
        page->scripts().insert(StartScript(QStringLiteral("qwebchannel"), QString::fromUtf8(channelScript.readAll())));
    }
    if (!options.startScript.isEmpty()) page->scripts().insert(StartScript(QStringLiteral("player"), options.startScript));
    if (options.loaded) QObject::connect(view_, &QWebEngineView::loadFinished, view_, options.loaded);
  }

  ~WebEngineMapBrowser() override {
    // The page goes before its profile.
    delete view_;
    delete profile_;
  }

  QWidget* Widget() override { return view_; }
  void Load(const QUrl& url) override { view_->load(url); }
  void RunScript(const QString& script, std::function<void(const QVariant&)> result) override {
    if (result) view_->page()->runJavaScript(script, result);
    else view_->page()->runJavaScript(script);
  }

 private:
  QWebEngineProfile* profile_;
  QWebEngineView* view_;
};

}  // namespace

extern "C" Q_DECL_EXPORT MapBrowser* TavroCreateMapBrowser(QWidget* parent, const MapBrowserOptions* options) {
  return new WebEngineMapBrowser(parent, *options);
}
