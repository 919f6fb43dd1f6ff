// Registry keys of the player, kept in two settings files: the user root and the machine root.
#pragma once

#include <QString>
#include <QVariant>
#include <memory>
#include <optional>

class QSettings;

enum class RegistryRoot { CurrentUser, LocalMachine };

// The two roots. Tests give it a temporary directory so that they never touch the real user's
// or machine's settings.
class RegistryStore {
 public:
  // Per-user settings in the user's configuration folder, machine settings under /etc/xdg.
  RegistryStore();
  // Both roots as files inside one directory.
  explicit RegistryStore(const QString& directory);
  ~RegistryStore();

  QString FilePath(RegistryRoot root) const;

 private:
  QString userFile_;
  QString machineFile_;
};

// One open key. Opening never creates; Create does, like the registry's create-or-open.
class RegistryKey {
 public:
  static std::optional<RegistryKey> Open(const RegistryStore& store, RegistryRoot root,
                                         const QString& path);
  static std::optional<RegistryKey> Create(const RegistryStore& store, RegistryRoot root,
                                           const QString& path);
  RegistryKey(RegistryKey&&) noexcept;
  RegistryKey& operator=(RegistryKey&&) noexcept;
  ~RegistryKey();

  std::optional<quint32> QueryDword(const QString& name) const;
  std::optional<QString> QueryString(const QString& name) const;
  // Both return false when the store cannot be written (a read-only machine root, for example).
  bool SetDword(const QString& name, quint32 value);
  bool SetString(const QString& name, const QString& value);

 private:
  RegistryKey(std::unique_ptr<QSettings> settings, QString group);
  QString ValuePath(const QString& name) const;
  bool Flush();

  std::unique_ptr<QSettings> settings_;
  QString group_;
};

// The marker values ("usingSovButton" and the like) that every skinned control and the engine
// leave under SOFTWARE\Sorvanta of the machine root. Nothing reads them; failures are ignored.
void WriteLibraryMarker(const QString& valueName);
