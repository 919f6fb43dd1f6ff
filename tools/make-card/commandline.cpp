#include "commandline.h"

#include <cstdlib>
#include <sstream>

const char* const kMakeCardUsage =
    "usage: make-card [options] DIR           write a sample card into DIR\n"
    "       make-card [options] --single FILE write one recording\n"
    "options:\n"
    "  --count N                  recordings on the card (12)\n"
    "  --duration SECONDS         length of each recording (3 to 6 s on a card, 4 s single)\n"
    "  --size WxH                 picture size, even numbers (320x180)\n"
    "  --fps N                    frames per second (15)\n"
    "  --kinds NOR,EVT,MOT        recording types on the card\n"
    "  --cameras 1|2              front only or front and rear (a mix on a card, 2 single)\n"
    "  --container avi|mp4|both   (both on a card; single: by the file's extension)\n"
    "  --gop N                    keyframe interval in frames (one second)\n"
    "  --bframes N                B-frames between references (0)\n"
    "  --crf N                    x264 quality, lower is better (23)\n"
    "  --preset NAME              x264 preset (veryfast)\n"
    "  --gps none|valid|void      GPS fixes (valid when driving, none or void when parked)\n"
  "  --gps-rate 1|10            GPS fixes per second (1)\n"
    "  --firmware MAJOR.MINOR     version in Configs/qx5_sysenv.cfg (1.7)\n"
    "  --no-audio                 no audio stream\n"
    "  --no-telemetry             no telemetry stream\n";

namespace {

struct UsageError {
  std::string text;
};

int ToInt(const std::string& flag, const std::string& value, int low, int high) {
  char* end = nullptr;
  const long n = std::strtol(value.c_str(), &end, 10);
  if (value.empty() || *end || n < low || n > high)
    throw UsageError{flag + " wants a number from " + std::to_string(low) + " to " + std::to_string(high)};
  return static_cast<int>(n);
}

void ParseSize(const std::string& value, VideoSettings& video) {
  const auto x = value.find('x');
  if (x == std::string::npos) throw UsageError{"--size wants WxH"};
  video.width = ToInt("--size", value.substr(0, x), 32, 7680);
  video.height = ToInt("--size", value.substr(x + 1), 32, 4320);
  // yuv420p halves both directions for the colour planes.
  if (video.width % 2 || video.height % 2) throw UsageError{"--size wants even numbers"};
}

std::vector<RecordingKind> ParseKinds(const std::string& value) {
  std::vector<RecordingKind> kinds;
  std::stringstream list(value);
  for (std::string code; std::getline(list, code, ',');) {
    if (code == "NOR") kinds.push_back(RecordingKind::Normal);
    else if (code == "EVT") kinds.push_back(RecordingKind::Event);
    else if (code == "MOT") kinds.push_back(RecordingKind::Motion);
    else throw UsageError{"--kinds wants NOR, EVT and MOT separated by commas"};
  }
  if (kinds.empty()) throw UsageError{"--kinds is empty"};
  return kinds;
}

void ParseFlag(const std::string& flag, const std::string& value, CommandLine& line) {
  CardOptions& card = line.card;
  if (flag == "--count") card.count = ToInt(flag, value, 1, 1000);
  else if (flag == "--duration") {
    card.durationSeconds = ToInt(flag, value, 1, 3600);
    line.durationGiven = true;
  } else if (flag == "--fps") card.video.fps = ToInt(flag, value, 1, 120);
  else if (flag == "--gop") card.video.gopFrames = ToInt(flag, value, 1, 10000);
  else if (flag == "--bframes") card.video.bFrames = ToInt(flag, value, 0, 16);
  else if (flag == "--crf") card.video.crf = ToInt(flag, value, 0, 51);
  else if (flag == "--cameras") card.cameras = ToInt(flag, value, 1, 2);
  else if (flag == "--preset") card.video.preset = value;
  else if (flag == "--size") ParseSize(value, card.video);
  else if (flag == "--kinds") card.kinds = ParseKinds(value);
  else if (flag == "--single") {
    if (!line.target.empty()) throw UsageError{"--single and a folder: give one of them"};
    line.single = true;
    line.target = value;
  } else if (flag == "--container") {
    if (value == "avi") card.container = Container::Avi;
    else if (value == "mp4") card.container = Container::Mp4;
    else if (value == "both") card.container.reset();
    else throw UsageError{"--container wants avi, mp4 or both"};
  } else if (flag == "--gps") {
    if (value == "none") card.gps = GpsMode::None;
    else if (value == "valid") card.gps = GpsMode::Valid;
    else if (value == "void") card.gps = GpsMode::Void;
    else throw UsageError{"--gps wants none, valid or void"};
  } else if (flag == "--gps-rate") {
    card.fixesPerSecond = ToInt(flag, value, 1, 10);
    if (card.fixesPerSecond != 1 && card.fixesPerSecond != 10) throw UsageError{"--gps-rate wants 1 or 10"};
  } else if (flag == "--firmware") {
    const auto dot = value.find('.');
    if (dot == std::string::npos) throw UsageError{"--firmware wants MAJOR.MINOR"};
    card.firmwareMajor = ToInt(flag, value.substr(0, dot), 0, 1000000);
    card.firmwareMinor = ToInt(flag, value.substr(dot + 1), 0, 1000000);
  } else {
    throw UsageError{"unknown option " + flag};
  }
}

}  // namespace

ParsedCommandLine ParseCommandLine(const std::vector<std::string>& args) {
  ParsedCommandLine parsed;
  CommandLine& line = parsed.line;
  try {
    for (size_t i = 0; i < args.size(); ++i) {
      const std::string& arg = args[i];
      if (arg == "--help" || arg == "-h") {
        line.help = true;
      } else if (arg == "--no-audio") {
        line.card.audio = false;
      } else if (arg == "--no-telemetry") {
        line.card.telemetry = false;
      } else if (arg.rfind("--", 0) == 0) {
        if (i + 1 >= args.size()) throw UsageError{arg + " needs a value"};
        ParseFlag(arg, args[++i], line);
      } else {
        if (!line.target.empty()) throw UsageError{"more than one target: " + line.target + " and " + arg};
        line.target = arg;
      }
    }
    if (!line.help && line.target.empty()) throw UsageError{"no folder and no --single FILE given"};
  } catch (const UsageError& e) {
    parsed.error = e.text;
    return parsed;
  }
  parsed.ok = true;
  return parsed;
}

SingleRecording SingleRecordingSettings(const CommandLine& line) {
  SingleRecording single;
  RecordingSettings& s = single.settings;
  if (line.card.container) {
    s.container = *line.card.container;
  } else if (!ContainerFromExtension(line.target, &s.container)) {
    single.error = "cannot tell the container from " + line.target + "; give --container avi or mp4";
    return single;
  }
  s.cameras = line.card.cameras ? line.card.cameras : 2;
  s.durationMs = 1000 * (line.durationGiven ? line.card.durationSeconds : 4);
  s.video = line.card.video;
  s.audio.enabled = line.card.audio;
  s.telemetry = line.card.telemetry;
  const RecordingKind kind = line.card.kinds.size() == 1 ? line.card.kinds[0] : RecordingKind::Normal;
  if (s.telemetry)
    s.samples = CardTelemetry(s.durationMs, kind, line.card.gps.value_or(GpsMode::Valid), CivilTime{2026, 12, 11, 9, 30, 0}, 1,
                              line.card.fixesPerSecond);
  single.ok = true;
  return single;
}
