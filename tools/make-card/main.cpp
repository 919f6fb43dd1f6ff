// make-card: writes a sample memory card of the recorder (or one recording) for the tests,
// the benchmarks and the demo.
#include "cardplan.h"
#include "recordingwriter.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <sstream>
#include <string>
#include <vector>

extern "C" {
#include <libavutil/log.h>
}

namespace {

constexpr const char* kUsage =
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
    "  --firmware MAJOR.MINOR     version in Configs/qx5_sysenv.cfg (1.7)\n"
    "  --no-audio                 no audio stream\n"
    "  --no-telemetry             no telemetry stream\n";

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

struct Arguments {
  CardOptions card;
  std::string target;
  bool single = false;
  bool durationGiven = false;
  std::string presetStorage = "veryfast";
};

Arguments Parse(int argc, char** argv) {
  Arguments a;
  const std::vector<std::string> args(argv + 1, argv + argc);
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& flag = args[i];
    if (flag == "--no-audio") { a.card.audio = false; continue; }
    if (flag == "--no-telemetry") { a.card.telemetry = false; continue; }
    if (flag == "--help" || flag == "-h") throw UsageError{};
    if (flag.rfind("--", 0) != 0) {
      if (!a.target.empty()) throw UsageError{"more than one target: " + a.target + " and " + flag};
      a.target = flag;
      continue;
    }
    if (i + 1 >= args.size()) throw UsageError{flag + " needs a value"};
    const std::string& value = args[++i];
    if (flag == "--count") a.card.count = ToInt(flag, value, 1, 1000);
    else if (flag == "--duration") { a.card.durationSeconds = ToInt(flag, value, 1, 3600); a.durationGiven = true; }
    else if (flag == "--fps") a.card.video.fps = ToInt(flag, value, 1, 120);
    else if (flag == "--gop") a.card.video.gopFrames = ToInt(flag, value, 1, 10000);
    else if (flag == "--bframes") a.card.video.bFrames = ToInt(flag, value, 0, 16);
    else if (flag == "--crf") a.card.video.crf = ToInt(flag, value, 0, 51);
    else if (flag == "--cameras") a.card.cameras = ToInt(flag, value, 1, 2);
    else if (flag == "--preset") a.presetStorage = value;
    else if (flag == "--single") { a.single = true; if (!a.target.empty()) throw UsageError{"--single and a DIR"}; a.target = value; }
    else if (flag == "--size") {
      const auto x = value.find('x');
      if (x == std::string::npos) throw UsageError{"--size wants WxH"};
      a.card.video.width = ToInt(flag, value.substr(0, x), 32, 7680);
      a.card.video.height = ToInt(flag, value.substr(x + 1), 32, 4320);
      if (a.card.video.width % 2 || a.card.video.height % 2) throw UsageError{"--size wants even numbers"};
    } else if (flag == "--container") {
      if (value == "avi") a.card.container = Container::Avi;
      else if (value == "mp4") a.card.container = Container::Mp4;
      else if (value == "both") a.card.container.reset();
      else throw UsageError{"--container wants avi, mp4 or both"};
    } else if (flag == "--gps") {
      if (value == "none") a.card.gps = GpsMode::None;
      else if (value == "valid") a.card.gps = GpsMode::Valid;
      else if (value == "void") a.card.gps = GpsMode::Void;
      else throw UsageError{"--gps wants none, valid or void"};
    } else if (flag == "--kinds") {
      a.card.kinds.clear();
      std::stringstream list(value);
      for (std::string code; std::getline(list, code, ',');) {
        if (code == "NOR") a.card.kinds.push_back(RecordingKind::Normal);
        else if (code == "EVT") a.card.kinds.push_back(RecordingKind::Event);
        else if (code == "MOT") a.card.kinds.push_back(RecordingKind::Motion);
        else throw UsageError{"--kinds wants NOR, EVT and MOT separated by commas"};
      }
      if (a.card.kinds.empty()) throw UsageError{"--kinds is empty"};
    } else if (flag == "--firmware") {
      const auto dot = value.find('.');
      if (dot == std::string::npos) throw UsageError{"--firmware wants MAJOR.MINOR"};
      a.card.firmwareMajor = ToInt(flag, value.substr(0, dot), 0, 1000000);
      a.card.firmwareMinor = ToInt(flag, value.substr(dot + 1), 0, 1000000);
    } else {
      throw UsageError{"unknown option " + flag};
    }
  }
  if (a.target.empty()) throw UsageError{"no DIR or --single FILE given"};
  return a;
}

std::string Describe(const RecordingSettings& s) {
  int accel = 0, fixes = 0;
  for (const TelemetrySample& sample : s.samples) (sample.bytes[0] == 'M' ? accel : fixes)++;
  char text[256];
  std::snprintf(text, sizeof text, "%s, %d camera%s, %dx%d @ %d fps, %.1f s, %s, %s",
                s.container == Container::Avi ? "AVI" : "MP4", s.cameras, s.cameras > 1 ? "s" : "", s.video.width,
                s.video.height, s.video.fps, s.durationMs / 1000.0,
                s.audio.enabled ? (std::to_string(s.audio.sampleRate) + " Hz " + (s.audio.channels > 1 ? "stereo" : "mono")).c_str()
                                : "no audio",
                s.telemetry ? (std::to_string(accel) + " M records, " + std::to_string(fixes) + " GPRMC").c_str()
                            : "no telemetry");
  return text;
}

int WriteSingle(Arguments& a) {
  RecordingSettings s;
  if (a.card.container) s.container = *a.card.container;
  else if (!ContainerFromExtension(a.target, &s.container))
    throw UsageError{"cannot tell the container from " + a.target + "; give --container avi|mp4"};
  s.cameras = a.card.cameras ? a.card.cameras : 2;
  s.durationMs = 1000 * (a.durationGiven ? a.card.durationSeconds : 4);
  s.video = a.card.video;
  s.audio.enabled = a.card.audio;
  s.telemetry = a.card.telemetry;
  const RecordingKind kind = a.card.kinds.size() == 1 ? a.card.kinds[0] : RecordingKind::Normal;
  if (s.telemetry)
    s.samples = CardTelemetry(s.durationMs, kind, a.card.gps.value_or(GpsMode::Valid), CivilTime{2026, 12, 11, 9, 30, 0}, 1);

  const auto begin = std::chrono::steady_clock::now();
  const WriteResult result = WriteRecording(a.target, s);
  if (!result) {
    std::fprintf(stderr, "make-card: %s: %s\n", a.target.c_str(), result.error.c_str());
    return 1;
  }
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count();
  std::printf("%s: %s (%d frames per camera, %.1f s to write)\n", a.target.c_str(), Describe(s).c_str(),
              result.videoFrames, seconds);
  return 0;
}

int WriteCardDir(Arguments& a) {
  const CardResult result = WriteCard(a.target, a.card, [](const CardRecording& r, const std::filesystem::path& path) {
    std::printf("%s: %s, %s\n", path.string().c_str(), KindCode(r.kind), Describe(r.settings).c_str());
    std::fflush(stdout);
  });
  if (!result.ok) {
    std::fprintf(stderr, "make-card: %s\n", result.error.c_str());
    return 1;
  }
  std::printf("%s: firmware %d.%03d\n", result.written.back().string().c_str(), a.card.firmwareMajor,
              a.card.firmwareMinor);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  // The encoders' statistics would bury the list of what was written.
  av_log_set_level(AV_LOG_ERROR);
  try {
    Arguments a = Parse(argc, argv);
    a.card.video.preset = a.presetStorage.c_str();
    return a.single ? WriteSingle(a) : WriteCardDir(a);
  } catch (const UsageError& e) {
    if (!e.text.empty()) std::fprintf(stderr, "make-card: %s\n", e.text.c_str());
    std::fputs(kUsage, e.text.empty() ? stdout : stderr);
    return e.text.empty() ? 0 : 2;
  }
}
