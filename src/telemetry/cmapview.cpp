#include "cmapview.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QWebChannel>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>
#include <QWebEngineSettings>
#include <QWebEngineUrlRequestInterceptor>
#include <QWebEngineView>
#include <cmath>

namespace {

// Adds the Referer the tile servers ask for; a page from a file sends none of its own.
class RefererInterceptor : public QWebEngineUrlRequestInterceptor {
 public:
  RefererInterceptor(const QString& referer, QObject* parent)
      : QWebEngineUrlRequestInterceptor(parent),
        referer_(referer.toUtf8()),
        secure_(QUrl(referer).scheme() == QLatin1String("https")) {}
  void interceptRequest(QWebEngineUrlRequestInfo& info) override {
    const QString scheme = info.requestUrl().scheme();
    // The browser cancels a plain-http request that names an https page as its referrer.
    if (scheme == QLatin1String("https") || (scheme == QLatin1String("http") && !secure_))
      info.setHttpHeader(QByteArrayLiteral("Referer"), referer_);
  }

 private:
  const QByteArray referer_;
  const bool secure_;
};

QWebEngineScript PageScript(const QString& name, const QString& source) {
  QWebEngineScript script;
  script.setName(name);
  script.setSourceCode(source);
  script.setInjectionPoint(QWebEngineScript::DocumentCreation);
  script.setWorldId(QWebEngineScript::MainWorld);
  script.setRunsOnSubFrames(false);
  return script;
}

}  // namespace

QString MapLanguageCode(int uiLanguage) {
  switch (uiLanguage) {
    case 1041: return QStringLiteral("ja");
    case 1049: return QStringLiteral("ru");
    case 1042: return QStringLiteral("ko");
    default: return QStringLiteral("en");
  }
}

QUrl MapPageUrl(const QString& folder, int uiLanguage) {
  QUrl url = QUrl::fromLocalFile(QDir(folder).filePath(QStringLiteral("MapView.htm")));
  url.setQuery(QStringLiteral("language=") + MapLanguageCode(uiLanguage));
  return url;
}

void MapPageBridge::seekTo(double timestampMs) {
  if (!std::isfinite(timestampMs) || timestampMs < 0) return;
  emit seekRequested(static_cast<qint64>(timestampMs));
}

CMapView::CMapView(QWidget* parent, MapSettings settings)
    : CExplorerMapViewWnd(parent), settings_(std::move(settings)), bridge_(new MapPageBridge(this)) {
  connect(bridge_, &MapPageBridge::seekRequested, this, &CMapView::seekRequested);
  // The route lives in the player; a page that loads (again) gets it back.
  connect(this, &CExplorerMapViewWnd::pageLoaded, this, [this](bool ok) {
    if (ok && route_ != QLatin1String("[]")) CallFunction(QStringLiteral("DrawRoute"), {route_});
  });
}

void CMapView::ShowRoute(const QString& trackJson) {
  route_ = trackJson.isEmpty() ? QStringLiteral("[]") : trackJson;
  CallFunction(QStringLiteral("DrawRoute"), {route_});
}

void CMapView::PrepareBrowser(QWebEngineProfile& profile, QWebEngineView& view) {
  profile.setHttpUserAgent(settings_.userAgent);
  profile.setUrlRequestInterceptor(new RefererInterceptor(settings_.referer, &profile));

  QWebEnginePage* page = view.page();
  // The page is a local file and its tiles come from the network, which a local page may not
  // reach unless allowed.
  page->settings()->setAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls, true);
  auto* channel = new QWebChannel(page);
  channel->registerObject(QStringLiteral("player"), bridge_);
  page->setWebChannel(channel);

  QFile channelScript(QStringLiteral(":/qtwebchannel/qwebchannel.js"));
  if (channelScript.open(QIODevice::ReadOnly))
    page->scripts().insert(PageScript(QStringLiteral("qwebchannel"), QString::fromUtf8(channelScript.readAll())));
  const QJsonObject config{{QStringLiteral("tileUrl"), settings_.tileUrl},
                           {QStringLiteral("attribution"), settings_.attribution},
                           {QStringLiteral("maxZoom"), settings_.maxZoom}};
  page->scripts().insert(PageScript(
      QStringLiteral("tavro-config"),
      QStringLiteral("window.tavroMapConfig = %1;")
          .arg(QString::fromUtf8(QJsonDocument(config).toJson(QJsonDocument::Compact)))));
}
