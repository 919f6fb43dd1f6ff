// CMapView: the map control with the player's own page: its address per language, the tile
// settings and identity it needs, the recording's route, and a click on the route as a seek.
#pragma once

#include "mapsettings.h"
#include "mapview.h"

#include <QObject>

// The language code of the page for a user-interface language: ja, ru, ko, else en.
QString MapLanguageCode(int uiLanguage);
// folder + "/MapView.htm?language=" + code, as a file URL.
QUrl MapPageUrl(const QString& folder, int uiLanguage);

// The object the page reaches through the web channel as "player".
class MapPageBridge : public QObject {
  Q_OBJECT
 public:
  using QObject::QObject;
  // A click on the route: the time of the nearest fix, in ms from the start of the recording.
  Q_INVOKABLE void seekTo(double timestampMs);
 signals:
  void seekRequested(qint64 timestampMs);
};

class CMapView : public CExplorerMapViewWnd {
  Q_OBJECT
 public:
  explicit CMapView(QWidget* parent = nullptr, MapSettings settings = ReadMapSettings(nullptr));

  // The track of the recording for the page's DrawRoute (a JSON array of [latitude, longitude,
  // km/h, ms]); sent now and again after every page load. "[]" clears it.
  void ShowRoute(const QString& trackJson);
  const QString& Route() const { return route_; }
  const MapSettings& Settings() const { return settings_; }

  // The last position sent to the page, in decimal degrees.
  double latitude = 0;
  double longitude = 0;

 signals:
  void seekRequested(qint64 timestampMs);

 protected:
  MapBrowserOptions BrowserOptions() override;

 private:
  MapSettings settings_;
  QString route_ = QStringLiteral("[]");
  MapPageBridge* bridge_;  // child
};
