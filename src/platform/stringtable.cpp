#include "stringtable.h"

#include "resourceids.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocale>

static void InitPlatformResources() { Q_INIT_RESOURCE(platform); }

StringTable::StringTable() {
  InitPlatformResources();
  LoadFile(QStringLiteral(":/strings/strings.json"));
}

StringTable::StringTable(const QString& jsonPath) { LoadFile(jsonPath); }

void StringTable::LoadFile(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return;
  const QJsonObject root = QJsonDocument::fromJson(file.readAll()).object();
  for (auto lang = root.begin(); lang != root.end(); ++lang) {
    QHash<int, QString>& table = texts_[lang.key().toInt()];
    const QJsonObject entries = lang.value().toObject();
    for (auto e = entries.begin(); e != entries.end(); ++e) table.insert(e.key().toInt(), e.value().toString());
  }
}

QString StringTable::Load(int id, int language) const {
  const auto lang = texts_.constFind(language);
  if (lang == texts_.constEnd()) return {};
  return lang->value(id);
}

bool StringTable::HasLanguage(int language) const { return texts_.contains(language); }

int StringTable::SystemLanguage() {
  // The default locale is the system's unless the program (or a test) chose another.
  switch (QLocale().language()) {
    case QLocale::Korean: return ids::kLangKorean;
    case QLocale::Japanese: return ids::kLangJapanese;
    case QLocale::Russian: return ids::kLangRussian;
    default: return ids::kLangEnglish;
  }
}
