#include "decodersettings.h"

#include "registry.h"

std::optional<QString> WhitelistWithPlayer(const QString& whitelist) {
  // A substring test on purpose: a longer name that contains ours counts as present.
  if (whitelist.contains(kPlayerExecutableName, Qt::CaseSensitive)) return std::nullopt;
  QString list = whitelist + ';' + kPlayerExecutableName + ';';
  // One left-to-right pass, as the decoder's own tools write the list.
  return list.replace(QStringLiteral(";;"), QStringLiteral(";"));
}

void ApplyDecoderSettings(RegistryStore& registry) {
  auto key = RegistryKey::Open(registry, RegistryRoot::CurrentUser, QStringLiteral("Software\\GNU\\ffdshow"));
  if (!key) return;
  key->SetDword(QStringLiteral("multipleInstances"), 0);
  key->SetDword(QStringLiteral("h264"), 1);
  // The whole list: cutting it to what the decoder reads would drop the tail of a long list when
  // the list is written back.
  const QString current = key->QueryString(QStringLiteral("whitelist")).value_or(QString());
  if (auto updated = WhitelistWithPlayer(current)) key->SetString(QStringLiteral("whitelist"), *updated);
}
