// The platform stand-ins of one running player, owned by the application object: registry
// store, string table, audio output, component factory and removable drives.
#pragma once

#include <QObject>
#include <QSet>
#include <QString>
#include <memory>

class QCoreApplication;
class RegistryStore;
class StringTable;
class AudioOutput;
class ComponentFactory;
class RemovableDrives;

class PlatformServices : public QObject {
  Q_OBJECT
 public:
  // Takes ownership of what it is given; any part left null gets its default.
  PlatformServices(std::unique_ptr<RegistryStore> registry, std::unique_ptr<StringTable> strings,
                   AudioOutput* audio, QObject* parent);
  ~PlatformServices() override;

  // The services attached to the application object, or null (then markers and the like are
  // skipped, as the platform's own failures would be).
  static PlatformServices* Of(const QCoreApplication* app = nullptr);
  void AttachTo(QCoreApplication* app);

  RegistryStore& Registry() const { return *registry_; }
  const StringTable& Strings() const { return *strings_; }
  AudioOutput& Audio() const { return *audio_; }
  ComponentFactory& Components() const { return *components_; }
  RemovableDrives* Drives() const { return drives_; }
  // The drive monitor is a QObject owned by these services once set.
  void SetDrives(RemovableDrives* drives);
  // True the first time a marker value is named in this process: the value never changes, so
  // later constructions need not flush the settings file again.
  bool FirstMarkerWrite(const QString& valueName) {
    if (writtenMarkers_.contains(valueName)) return false;
    writtenMarkers_.insert(valueName);
    return true;
  }

 private:
  std::unique_ptr<RegistryStore> registry_;
  std::unique_ptr<StringTable> strings_;
  AudioOutput* audio_;  // child QObject
  std::unique_ptr<ComponentFactory> components_;
  RemovableDrives* drives_ = nullptr;  // child QObject
  QSet<QString> writtenMarkers_;
};
