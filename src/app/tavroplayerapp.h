// The application object: prepares the platform services and runs the main window for the life
// of the process.
#pragma once

#include "commandline.h"

#include <QApplication>

class PlatformServices;

class CTavroPlayerApp : public QApplication {
  Q_OBJECT
 public:
  CTavroPlayerApp(int& argc, char** argv);
  ~CTavroPlayerApp() override;

  // Runs the main window until it is closed; returns the process exit code.
  int InitInstance(const PlayerOptions& options);

 private:
  PlatformServices* services = nullptr;  // child of this application object
};
