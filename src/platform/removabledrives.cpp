#include "removabledrives.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QSocketNotifier>
#include <QStorageInfo>
#include <algorithm>

namespace {

bool IsOctal(char c) { return c >= '0' && c <= '7'; }

// mountinfo writes space, tab, newline and backslash of paths as \ooo octal escapes.
QString UnescapeMountField(const QByteArray& field) {
  QByteArray out;
  out.reserve(field.size());
  for (qsizetype i = 0; i < field.size(); ++i) {
    if (field[i] == '\\' && i + 3 <= field.size() - 1 &&
        IsOctal(field[i + 1]) && IsOctal(field[i + 2]) && IsOctal(field[i + 3])) {
      out += static_cast<char>(((field[i + 1] - '0') << 6) | ((field[i + 2] - '0') << 3) |
                               (field[i + 3] - '0'));
      i += 3;
      continue;
    }
    out += field[i];
  }
  return QString::fromUtf8(out);
}

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// udev and the by-label links write unsafe characters of a label as \xNN.
QString UnescapeHex(const QByteArray& text) {
  QByteArray out;
  out.reserve(text.size());
  for (qsizetype i = 0; i < text.size(); ++i) {
    if (text[i] == '\\' && i + 3 <= text.size() - 1 && text[i + 1] == 'x' &&
        HexValue(text[i + 2]) >= 0 && HexValue(text[i + 3]) >= 0) {
      out += static_cast<char>((HexValue(text[i + 2]) << 4) | HexValue(text[i + 3]));
      i += 3;
      continue;
    }
    out += text[i];
  }
  return QString::fromUtf8(out);
}

QString WithTrailingSlash(const QString& path) {
  return path.endsWith(QLatin1Char('/')) ? path : path + QLatin1Char('/');
}

QByteArray ReadSmallFile(const QString& path) {
  QFile f(path);
  if (!f.open(QIODevice::ReadOnly)) return {};
  return f.readAll();
}

}  // namespace

RemovableDrives::RemovableDrives(QObject* parent) : RemovableDrives(MountSources{}, parent) {}

RemovableDrives::RemovableDrives(const MountSources& sources, QObject* parent)
    : QObject(parent), sources_(sources) {
  knownRoots_ = MountRoots(ReadMountTable());
}

RemovableDrives::~RemovableDrives() = default;

QList<MountEntry> RemovableDrives::ParseMountInfo(const QByteArray& text) {
  QList<MountEntry> entries;
  for (const QByteArray& line : text.split('\n')) {
    const QList<QByteArray> fields = line.simplified().split(' ');
    // id parent major:minor root mount-point options [optional fields...] - type source options
    if (fields.size() < 10) continue;
    const qsizetype separator = fields.indexOf("-", 6);
    if (separator < 0 || separator + 2 >= fields.size()) continue;
    const QList<QByteArray> device = fields[2].split(':');
    if (device.size() != 2) continue;
    MountEntry e;
    bool okMajor = false;
    bool okMinor = false;
    e.major = device[0].toInt(&okMajor);
    e.minor = device[1].toInt(&okMinor);
    if (!okMajor || !okMinor) continue;
    e.root = UnescapeMountField(fields[3]);
    e.mountPoint = UnescapeMountField(fields[4]);
    e.fsType = UnescapeMountField(fields[separator + 1]);
    e.source = UnescapeMountField(fields[separator + 2]);
    entries.append(e);
  }
  return entries;
}

QByteArray RemovableDrives::ReadMountTable() const { return ReadSmallFile(sources_.mountInfo); }

QSet<QString> RemovableDrives::MountRoots(const QByteArray& table) {
  QSet<QString> roots;
  for (const MountEntry& e : ParseMountInfo(table)) roots.insert(WithTrailingSlash(e.mountPoint));
  return roots;
}

QString RemovableDrives::DeviceName(const MountEntry& entry) const {
  // Block devices have a non-zero major number; file systems without a device (proc, tmpfs,
  // network shares) use major 0, and so do FUSE mounts of a device (exFAT through fuseblk),
  // which name their device as the source.
  if (entry.major == 0) {
    if (!entry.source.startsWith(QLatin1String("/dev/"))) return {};
    const QFileInfo node(entry.source);
    const QString resolved = node.isSymLink() ? node.canonicalFilePath() : QString();
    return QFileInfo(resolved.isEmpty() ? entry.source : resolved).fileName();
  }
  const QFileInfo link(QStringLiteral("%1/dev/block/%2:%3")
                           .arg(sources_.sysRoot)
                           .arg(entry.major)
                           .arg(entry.minor));
  if (link.isSymLink()) {
    const QString target = link.canonicalFilePath();
    return QFileInfo(target.isEmpty() ? link.symLinkTarget() : target).fileName();
  }
  if (entry.source.startsWith(QLatin1String("/dev/"))) {
    const QFileInfo node(entry.source);
    const QString resolved = node.isSymLink() ? node.canonicalFilePath() : QString();
    return QFileInfo(resolved.isEmpty() ? entry.source : resolved).fileName();
  }
  return {};
}

QString RemovableDrives::UdevProperty(const MountEntry& entry, const QString& device,
                                      const QByteArray& key) const {
  // udev keys its records by the device number, which a FUSE mount's table line does not carry.
  QByteArray number = ReadSmallFile(sources_.sysRoot + QStringLiteral("/class/block/") + device +
                                    QStringLiteral("/dev"))
                          .trimmed();
  if (number.isEmpty()) number = QByteArray::number(entry.major) + ':' + QByteArray::number(entry.minor);
  const QByteArray data =
      ReadSmallFile(sources_.udevData + QStringLiteral("/b") + QString::fromLatin1(number));
  const QByteArray prefix = "E:" + key + '=';
  for (const QByteArray& line : data.split('\n')) {
    if (line.startsWith(prefix)) return QString::fromUtf8(line.mid(prefix.size()));
  }
  return {};
}

bool RemovableDrives::DeviceIsRemovable(const MountEntry& entry, const QString& device) const {
  // A partition's attributes sit on its disk: /sys/block/sdb/removable for sdb1.
  const QString blockRoot = sources_.sysRoot + QStringLiteral("/block");
  QString disk;
  if (QFileInfo::exists(blockRoot + QLatin1Char('/') + device)) {
    disk = device;
  } else {
    const QStringList disks = QDir(blockRoot).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString& candidate : disks) {
      if (QFileInfo::exists(blockRoot + QLatin1Char('/') + candidate + QLatin1Char('/') + device)) {
        disk = candidate;
        break;
      }
    }
  }
  if (!disk.isEmpty()) {
    if (ReadSmallFile(blockRoot + QLatin1Char('/') + disk + QStringLiteral("/removable")).trimmed() ==
        "1")
      return true;
    // Built-in SD slots report removable 0, yet they hold exactly the cards the player is for.
    if (disk.startsWith(QLatin1String("mmcblk"))) return true;
  }
  return UdevProperty(entry, device, "ID_BUS") == QLatin1String("usb");
}

QString RemovableDrives::DeviceLabel(const MountEntry& entry, const QString& device) const {
  const QString encoded = UdevProperty(entry, device, "ID_FS_LABEL_ENC");
  if (!encoded.isEmpty()) return UnescapeHex(encoded.toUtf8());
  const QString plain = UdevProperty(entry, device, "ID_FS_LABEL");
  if (!plain.isEmpty()) return plain;
  const QDir byLabel(sources_.byLabel);
  const QFileInfoList links = byLabel.entryInfoList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot);
  for (const QFileInfo& link : links) {
    if (!link.isSymLink()) continue;
    const QString target = link.canonicalFilePath();
    if (QFileInfo(target.isEmpty() ? link.symLinkTarget() : target).fileName() == device)
      return UnescapeHex(link.fileName().toUtf8());
  }
  return {};
}

QList<RemovableVolume> RemovableDrives::Enumerate() const {
  // A mount point can be mounted over; the table lists the visible mount last.
  QMap<QString, RemovableVolume> byRoot;
  for (const MountEntry& e : ParseMountInfo(ReadMountTable())) {
    const QString root = WithTrailingSlash(e.mountPoint);
    byRoot.remove(root);
    // Bind mounts of a folder inside a volume are not a drive root.
    if (e.root != QLatin1String("/")) continue;
    const QString device = DeviceName(e);
    if (device.isEmpty() || !DeviceIsRemovable(e, device)) continue;
    byRoot.insert(root, RemovableVolume{root, DeviceLabel(e, device)});
  }
  return byRoot.values();
}

bool RemovableDrives::IsRemovable(const QString& root) const {
  const QList<RemovableVolume> volumes = Enumerate();
  return std::any_of(volumes.begin(), volumes.end(),
                     [&](const RemovableVolume& v) { return v.root == root; });
}

std::optional<VolumeSpace> RemovableDrives::Space(const QString& path) const {
  const QStorageInfo storage(path);
  if (!storage.isValid() || !storage.isReady()) return std::nullopt;
  return VolumeSpace{static_cast<quint64>(storage.bytesTotal()),
                     static_cast<quint64>(storage.bytesAvailable())};
}

void RemovableDrives::StartWatching() {
  if (notifier_) return;
  auto table = std::make_unique<QFile>(sources_.mountInfo);
  if (!table->open(QIODevice::ReadOnly)) return;
  knownRoots_ = MountRoots(ReadMountTable());
  notifier_ = new QSocketNotifier(table->handle(), QSocketNotifier::Exception, this);
  watchedTable_ = std::move(table);
  connect(notifier_, &QSocketNotifier::activated, this, &RemovableDrives::CheckMounts);
}

bool RemovableDrives::IsWatching() const { return notifier_ && notifier_->isEnabled(); }

void RemovableDrives::CheckMounts() {
  const QSet<QString> current = MountRoots(ReadMountTable());
  QStringList removed;
  QStringList added;
  for (const QString& root : knownRoots_)
    if (!current.contains(root)) removed.append(root);
  for (const QString& root : current)
    if (!knownRoots_.contains(root)) added.append(root);
  knownRoots_ = current;
  removed.sort();
  added.sort();
  for (const QString& root : removed) emit volumeRemoved(root);
  for (const QString& root : added) emit volumeAdded(root);
}

QString RemovableDrives::VolumeRootOf(const QString& path) const {
  QString folder = path;
  if (!folder.endsWith('/')) folder += '/';
  QString best;
  for (const RemovableVolume& volume : Enumerate())
    if (folder.startsWith(volume.root) && volume.root.size() > best.size()) best = volume.root;
  return best;
}
