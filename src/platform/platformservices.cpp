#include "platformservices.h"

#include "audiooutput.h"
#include "componentfactory.h"
#include "registry.h"
#include "removabledrives.h"
#include "stringtable.h"

#include <QCoreApplication>

namespace {
const char kObjectName[] = "PlatformServices";
}

PlatformServices::PlatformServices(std::unique_ptr<RegistryStore> registry,
                                   std::unique_ptr<StringTable> strings, AudioOutput* audio,
                                   QObject* parent)
    : QObject(parent),
      registry_(registry ? std::move(registry) : std::make_unique<RegistryStore>()),
      strings_(strings ? std::move(strings) : std::make_unique<StringTable>()),
      audio_(audio ? audio : new AudioOutput(AudioOutput::Presence::Detect)),
      components_(std::make_unique<ComponentFactory>()) {
  setObjectName(kObjectName);
  audio_->setParent(this);
}

PlatformServices::~PlatformServices() = default;

PlatformServices* PlatformServices::Of(const QCoreApplication* app) {
  if (!app) app = QCoreApplication::instance();
  if (!app) return nullptr;
  return app->findChild<PlatformServices*>(kObjectName, Qt::FindDirectChildrenOnly);
}

void PlatformServices::AttachTo(QCoreApplication* app) {
  setParent(app);
}

void PlatformServices::SetDrives(RemovableDrives* drives) {
  drives_ = drives;
  if (drives_) drives_->setParent(this);
}
