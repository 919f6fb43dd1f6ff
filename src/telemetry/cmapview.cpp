#include "cmapview.h"

#include <QDir>
#include <QJsonDocument>
#include <QJsonObject>
#include <cmath>

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

MapBrowserOptions CMapView::BrowserOptions() {
  MapBrowserOptions options = CExplorerMapViewWnd::BrowserOptions();
  options.userAgent = settings_.userAgent;
  options.referer = settings_.referer;
  options.channelObject = bridge_;
  options.channelObjectName = QStringLiteral("player");
  const QJsonObject config{{QStringLiteral("tileUrl"), settings_.tileUrl},
                           {QStringLiteral("attribution"), settings_.attribution},
                           {QStringLiteral("maxZoom"), settings_.maxZoom}};
  options.startScript = QStringLiteral("window.tavroMapConfig = %1;")
                            .arg(QString::fromUtf8(QJsonDocument(config).toJson(QJsonDocument::Compact)));
  return options;
}
