#include "uilanguage.h"

#include "registry.h"
#include "resourceids.h"

using namespace ids;

namespace {

const QString kUserKey = QStringLiteral("Software\\TAVRO\\Roadcask QX5");
const QString kAppPathsKey =
    QStringLiteral("SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\TAVRORoadcask.exe");
const QString kValueName = QStringLiteral("language");

// A decimal language id stored as text (the installer writes at most 256 bytes); 0 when the key,
// the value or a known language is missing.
int StoredLanguage(const RegistryStore& registry, RegistryRoot root, const QString& path) {
  auto key = RegistryKey::Open(registry, root, path);
  if (!key) return 0;
  bool ok = false;
  const int value = key->QueryString(kValueName).value_or(QString()).left(256).trimmed().toInt(&ok);
  return ok && IsUiLanguage(value) ? value : 0;
}

}  // namespace

bool IsUiLanguage(int id) {
  return id == kLangEnglish || id == kLangJapanese || id == kLangKorean || id == kLangRussian;
}

int UiLanguageForLocale(const QLocale& locale) {
  switch (locale.language()) {
    case QLocale::English: return kLangEnglish;
    case QLocale::Japanese: return kLangJapanese;
    case QLocale::Korean: return kLangKorean;
    case QLocale::Russian: return kLangRussian;
    default: return 0;
  }
}

int ResolveUiLanguage(const RegistryStore& registry, const QLocale& system) {
  if (const int user = StoredLanguage(registry, RegistryRoot::CurrentUser, kUserKey)) return user;
  if (const int installer = StoredLanguage(registry, RegistryRoot::LocalMachine, kAppPathsKey)) return installer;
  if (const int followed = UiLanguageForLocale(system)) return followed;
  return kLangKorean;
}

bool StoreUiLanguage(const RegistryStore& registry, int language) {
  if (!IsUiLanguage(language)) return false;
  auto key = RegistryKey::Create(registry, RegistryRoot::CurrentUser, kUserKey);
  return key && key->SetString(kValueName, QString::number(language));
}
