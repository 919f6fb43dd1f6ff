// Test programs start one QApplication on the offscreen platform with platform services whose
// registry lives in a temporary folder; there is no sound device, as on the build machines.
#include "testenvironment.h"

#include "audiooutput.h"
#include "platformservices.h"
#include "registry.h"
#include "stringtable.h"

#include <QApplication>
#include <QLocale>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {
QTemporaryDir* registryDir = nullptr;
}

QString testenv::RegistryDirectory() { return registryDir ? registryDir->path() : QString(); }

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  ::testing::InitGoogleTest(&argc, argv);
  QApplication app(argc, argv);
  // Texts that follow the system's language read the same on every machine the tests run on.
  QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
  QTemporaryDir dir;
  registryDir = &dir;
  auto* services = new PlatformServices(std::make_unique<RegistryStore>(dir.path()),
                                        std::make_unique<StringTable>(),
                                        new AudioOutput(AudioOutput::Presence::Detect), nullptr);
  services->AttachTo(&app);
  const int result = RUN_ALL_TESTS();
  delete services;
  registryDir = nullptr;
  return result;
}
