// Where the map page gets its tiles and how the player identifies itself to the tile server.
#pragma once

#include <QString>

class RegistryStore;

struct MapSettings {
  // Leaflet's URL template of the online tiles.
  QString tileUrl = QStringLiteral("https://tile.openstreetmap.org/{z}/{x}/{y}.png");
  // HTML shown in the corner of the map; the tile server's licence asks for it.
  QString attribution = QStringLiteral(
      "&copy; <a href=\"https://www.openstreetmap.org/copyright\">OpenStreetMap</a> contributors");
  // A page loaded from a file sends no Referer, and public tile servers turn away requests that
  // neither name their page nor identify their program.
  QString referer = QStringLiteral("https://tavro-roadcask-player.invalid/");
  QString userAgent;  // filled by ReadMapSettings: program name and version
  int maxZoom = 19;
};

// The settings under HKEY_CURRENT_USER "Software\TAVRO\Roadcask\Map" (values "TileUrl",
// "TileAttribution", "Referer", "MaxZoom"); defaults for each value that is missing. Without a
// store, all defaults.
MapSettings ReadMapSettings(const RegistryStore* store);

inline constexpr const char* kMapSettingsKey = "Software\\TAVRO\\Roadcask\\Map";
