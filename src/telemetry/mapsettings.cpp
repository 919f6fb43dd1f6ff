#include "mapsettings.h"

#include "registry.h"


MapSettings ReadMapSettings(const RegistryStore* store) {
  MapSettings settings;
  settings.userAgent = QStringLiteral("TavroRoadcaskPlayer/" TAVRO_PLAYER_VERSION " (car recorder card player)");
  if (!store) return settings;
  const auto key = RegistryKey::Open(*store, RegistryRoot::CurrentUser, QString::fromLatin1(kMapSettingsKey));
  if (!key) return settings;
  if (auto v = key->QueryString(QStringLiteral("TileUrl")); v && !v->isEmpty()) settings.tileUrl = *v;
  if (auto v = key->QueryString(QStringLiteral("TileAttribution")); v) settings.attribution = *v;
  if (auto v = key->QueryString(QStringLiteral("Referer")); v && !v->isEmpty()) settings.referer = *v;
  if (auto v = key->QueryDword(QStringLiteral("MaxZoom")); v && *v >= 1 && *v <= 22) settings.maxZoom = int(*v);
  return settings;
}
