// The language of the player's texts. A stored choice wins: the user's (given once with
// --language), then the installer's App Paths value; without one the system's language is
// followed when the string table has it, and Korean otherwise.
#pragma once

#include <QLocale>
#include <QString>

class RegistryStore;

// Whether id is one of the string table's languages (1033, 1041, 1042, 1049).
bool IsUiLanguage(int id);
// The string table's language for a locale, 0 when it has none.
int UiLanguageForLocale(const QLocale& locale);
int ResolveUiLanguage(const RegistryStore& registry, const QLocale& system = QLocale::system());
// Stores the user's choice; false when it is not one of the four or cannot be written.
bool StoreUiLanguage(const RegistryStore& registry, int language);
