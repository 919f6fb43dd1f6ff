// Removable volumes of this machine: the cards the player can list. A drive root is the volume's
// mount point ending in "/".
#pragma once

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QSet>
#include <QString>
#include <memory>
#include <optional>

class QFile;
class QSocketNotifier;

struct RemovableVolume {
  QString root;   // mount point with a trailing "/"
  QString label;  // volume label, empty when it has none
};

// One line of a mount table (/proc/self/mountinfo), with its escapes (\040 and the like) undone.
struct MountEntry {
  int major = 0;
  int minor = 0;
  QString root;        // the mounted part of the file system; "/" for a whole volume
  QString mountPoint;  // without a trailing "/" (except "/" itself)
  QString fsType;
  QString source;      // "/dev/sdb1" for a block device
};

// Where the mount table and the device attributes are read; tests point these at fixtures.
struct MountSources {
  QString mountInfo = QStringLiteral("/proc/self/mountinfo");
  QString sysRoot = QStringLiteral("/sys");
  QString udevData = QStringLiteral("/run/udev/data");
  QString byLabel = QStringLiteral("/dev/disk/by-label");
};

struct VolumeSpace {
  quint64 totalBytes = 0;
  quint64 availableBytes = 0;  // free space the user may use
};

class RemovableDrives : public QObject {
  Q_OBJECT
 public:
  explicit RemovableDrives(QObject* parent = nullptr);
  explicit RemovableDrives(const MountSources& sources, QObject* parent = nullptr);
  ~RemovableDrives() override;

  static QList<MountEntry> ParseMountInfo(const QByteArray& text);

  // The mounted removable volumes, in a stable order (by mount point).
  virtual QList<RemovableVolume> Enumerate() const;
  // Whether root is the mount point of a removable volume.
  virtual bool IsRemovable(const QString& root) const;
  // The root of the removable volume that holds path (a folder on a card gives the card's root);
  // empty when path lies on no removable volume.
  QString VolumeRootOf(const QString& path) const;
  // Total and free space of the volume holding path; no value when it cannot be read. Called from
  // worker threads (a slow card may take long to answer): overrides must be safe for that.
  virtual std::optional<VolumeSpace> Space(const QString& path) const;

  // Starts watching the mount table; volumeRemoved fires for every mount point that disappears.
  // The table is watched through POLLPRI on the open mount table (the kernel raises it on every
  // mount change), so nothing runs while the mounts stay as they are.
  void StartWatching();
  bool IsWatching() const;

  // Compares the mount table with the one seen last and signals the differences; the watcher
  // calls it on every change, tests call it after rewriting a fixture table.
  void CheckMounts();

 signals:
  void volumeRemoved(const QString& root);
  void volumeAdded(const QString& root);

 private:
  QByteArray ReadMountTable() const;
  static QSet<QString> MountRoots(const QByteArray& table);
  // The block device's name in sysfs ("sdb1"), or empty when the entry is not a block device.
  QString DeviceName(const MountEntry& entry) const;
  bool DeviceIsRemovable(const MountEntry& entry, const QString& device) const;
  QString DeviceLabel(const MountEntry& entry, const QString& device) const;
  QString UdevProperty(const MountEntry& entry, const QString& device, const QByteArray& key) const;

  MountSources sources_;
  std::unique_ptr<QFile> watchedTable_;
  QSocketNotifier* notifier_ = nullptr;  // child
  QSet<QString> knownRoots_;             // mount points (with "/") at the last check
};
