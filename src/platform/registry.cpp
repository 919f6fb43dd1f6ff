#include "registry.h"

#include "platformservices.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

namespace {

// Registry paths use "\" and are case-insensitive; settings groups use "/".
QString GroupOf(const QString& path) {
  QString group = path;
  group.replace('\\', '/');
  while (group.endsWith('/')) group.chop(1);
  return group.toLower();
}

// A key with no values still exists; this hidden value stands for it.
const QString kKeyMarker = QStringLiteral("@key");

bool GroupExists(QSettings& settings, const QString& group) {
  settings.beginGroup(group);
  const bool exists = !settings.childKeys().isEmpty() || !settings.childGroups().isEmpty();
  settings.endGroup();
  return exists;
}

}  // namespace

RegistryStore::RegistryStore() {
  const QString userDir =
      QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + "/TavroRoadcask";
  userFile_ = userDir + "/user-registry.ini";
  machineFile_ = QStringLiteral("/etc/xdg/TavroRoadcask/machine-registry.ini");
}

RegistryStore::RegistryStore(const QString& directory)
    : userFile_(QDir(directory).filePath("user-registry.ini")),
      machineFile_(QDir(directory).filePath("machine-registry.ini")) {}

RegistryStore::~RegistryStore() = default;

QString RegistryStore::FilePath(RegistryRoot root) const {
  return root == RegistryRoot::CurrentUser ? userFile_ : machineFile_;
}

RegistryKey::RegistryKey(std::unique_ptr<QSettings> settings, QString group)
    : settings_(std::move(settings)), group_(std::move(group)) {}
RegistryKey::RegistryKey(RegistryKey&&) noexcept = default;
RegistryKey& RegistryKey::operator=(RegistryKey&&) noexcept = default;
RegistryKey::~RegistryKey() = default;

std::optional<RegistryKey> RegistryKey::Open(const RegistryStore& store, RegistryRoot root,
                                             const QString& path) {
  const QString file = store.FilePath(root);
  if (!QFileInfo::exists(file)) return std::nullopt;
  auto settings = std::make_unique<QSettings>(file, QSettings::IniFormat);
  const QString group = GroupOf(path);
  if (!GroupExists(*settings, group)) return std::nullopt;
  return RegistryKey(std::move(settings), group);
}

std::optional<RegistryKey> RegistryKey::Create(const RegistryStore& store, RegistryRoot root,
                                               const QString& path) {
  const QString file = store.FilePath(root);
  if (!QDir().mkpath(QFileInfo(file).absolutePath())) return std::nullopt;
  auto settings = std::make_unique<QSettings>(file, QSettings::IniFormat);
  if (!settings->isWritable()) return std::nullopt;
  const QString group = GroupOf(path);
  RegistryKey key(std::move(settings), group);
  if (!GroupExists(*key.settings_, group)) {
    key.settings_->setValue(key.ValuePath(kKeyMarker), true);
    if (!key.Flush()) return std::nullopt;
  }
  return key;
}

QString RegistryKey::ValuePath(const QString& name) const { return group_ + '/' + name; }

bool RegistryKey::Flush() {
  settings_->sync();
  return settings_->status() == QSettings::NoError;
}

std::optional<quint32> RegistryKey::QueryDword(const QString& name) const {
  const QVariant v = settings_->value(ValuePath(name));
  bool ok = false;
  const quint32 value = v.toUInt(&ok);
  if (!v.isValid() || !ok) return std::nullopt;
  return value;
}

std::optional<QString> RegistryKey::QueryString(const QString& name) const {
  const QVariant v = settings_->value(ValuePath(name));
  if (!v.isValid()) return std::nullopt;
  return v.toString();
}

bool RegistryKey::SetDword(const QString& name, quint32 value) {
  if (!settings_->isWritable()) return false;
  settings_->setValue(ValuePath(name), value);
  return Flush();
}

bool RegistryKey::SetString(const QString& name, const QString& value) {
  if (!settings_->isWritable()) return false;
  settings_->setValue(ValuePath(name), value);
  return Flush();
}

void WriteLibraryMarker(const QString& valueName) {
  PlatformServices* services = PlatformServices::Of();
  if (!services || !services->FirstMarkerWrite(valueName)) return;
  if (auto key = RegistryKey::Create(services->Registry(), RegistryRoot::LocalMachine,
                                     QStringLiteral("SOFTWARE\\Sorvanta"))) {
    key->SetDword(valueName, 1);
  }
}
