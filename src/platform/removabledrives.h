// Removable volumes of this machine: the cards the player can list. A drive root is the volume's
// mount point ending in "/".
#pragma once

#include <QList>
#include <QObject>
#include <QString>
#include <optional>

struct RemovableVolume {
  QString root;   // mount point with a trailing "/"
  QString label;  // volume label, empty when it has none
};

struct VolumeSpace {
  quint64 totalBytes = 0;
  quint64 availableBytes = 0;  // free space the user may use
};

class RemovableDrives : public QObject {
  Q_OBJECT
 public:
  explicit RemovableDrives(QObject* parent = nullptr);
  ~RemovableDrives() override;

  // The mounted removable volumes, in a stable order (by mount point).
  virtual QList<RemovableVolume> Enumerate() const;
  // Whether root is the mount point of a removable volume.
  virtual bool IsRemovable(const QString& root) const;
  // Total and free space of the volume holding path; no value when it cannot be read.
  virtual std::optional<VolumeSpace> Space(const QString& path) const;

  // Starts watching the mount table; volumeRemoved fires for every mount point that disappears.
  void StartWatching();

 signals:
  void volumeRemoved(const QString& root);
  void volumeAdded(const QString& root);
};
