// make-card's command line: plain "--name value" flags, a card folder or --single FILE.
#pragma once

#include "cardplan.h"
#include "recordingwriter.h"

#include <string>
#include <vector>

struct CommandLine {
  CardOptions card;
  std::string target;  // the card folder, or the file of --single
  bool single = false;
  bool durationGiven = false;
  bool help = false;
};

struct ParsedCommandLine {
  bool ok = false;
  std::string error;  // what was wrong, for the user
  CommandLine line;
};

// args without the program name.
ParsedCommandLine ParseCommandLine(const std::vector<std::string>& args);

extern const char* const kMakeCardUsage;

// The one recording of --single: two cameras and 4 s unless told otherwise, the container from
// --container or else from the file's extension. ok is false when neither names a container.
struct SingleRecording {
  bool ok = false;
  std::string error;
  RecordingSettings settings;
};
SingleRecording SingleRecordingSettings(const CommandLine& line);
