// The player's command line: a folder to list and the options for reviews, parsed into one
// options struct before the window exists (so --help and --version work without a display).
#pragma once

#include <QString>
#include <QStringList>

struct PlayerOptions {
  QString folder;      // absolute; the folder to list instead of asking for the card
  bool play = false;   // start the first recording once the window shows
  QString view;        // with play: "front", "rear" or "both"; empty for the recording's own view
  bool extended = false;
  QString screenshot;  // save a picture of the window there, then end
  int language = 0;    // 1033, 1041, 1042 or 1049 to use and remember; 0 when not given
};

struct ParsedCommandLine {
  bool run = true;    // false: print and end with exitCode
  int exitCode = 0;   // 0 after --help and --version, 2 after a usage error
  QString output;     // for standard output (help, version)
  QString error;      // one line for standard error
  PlayerOptions options;
};

// arguments as the process got them, the program's name first.
ParsedCommandLine ParseCommandLine(const QStringList& arguments);

QString CommandLineHelp();
QString CommandLineVersion();
