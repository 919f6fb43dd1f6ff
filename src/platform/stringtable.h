// The string table: every text id in the four languages of the player (1033, 1041, 1042, 1049).
#pragma once

#include <QHash>
#include <QString>

class StringTable {
 public:
  // Loads the table built into the program's resources.
  StringTable();
  // Loads a table from a JSON file of {"language": {"id": "text"}}.
  explicit StringTable(const QString& jsonPath);

  // The text of id in exactly that language; empty when the language lacks the id.
  QString Load(int id, int language) const;
  bool HasLanguage(int language) const;

  // The language that the operating system's locale selects among the table's four (1033 when
  // the locale is none of them): the ordinary resource lookup that does not follow the UI language.
  static int SystemLanguage();

 private:
  void LoadFile(const QString& path);
  QHash<int, QHash<int, QString>> texts_;  // language -> id -> text
};
