// make-card: writes a sample memory card of the recorder (or one recording) for the tests,
// the benchmarks and the demo.
#include "cardplan.h"
#include "commandline.h"
#include "recordingwriter.h"

#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

extern "C" {
#include <libavutil/log.h>
}

namespace {

std::string Describe(const RecordingSettings& s) {
  int accel = 0, fixes = 0;
  for (const TelemetrySample& sample : s.samples) (sample.bytes[0] == 'M' ? accel : fixes)++;
  const std::string audio = s.audio.enabled
                                ? std::to_string(s.audio.sampleRate) + " Hz " + (s.audio.channels > 1 ? "stereo" : "mono")
                                : "no audio";
  const std::string telemetry = s.telemetry ? std::to_string(accel) + " M records, " + std::to_string(fixes) + " GPRMC"
                                            : "no telemetry";
  char text[256];
  std::snprintf(text, sizeof text, "%s, %d camera%s, %dx%d @ %d fps, %.1f s, %s, %s",
                s.container == Container::Avi ? "AVI" : "MP4", s.cameras, s.cameras > 1 ? "s" : "", s.video.width,
                s.video.height, s.video.fps, s.durationMs / 1000.0, audio.c_str(), telemetry.c_str());
  return text;
}

int WriteSingle(const CommandLine& line) {
  const SingleRecording single = SingleRecordingSettings(line);
  if (!single.ok) {
    std::fprintf(stderr, "make-card: %s\n", single.error.c_str());
    return 2;
  }
  const auto begin = std::chrono::steady_clock::now();
  const WriteResult result = WriteRecording(line.target, single.settings);
  if (!result) {
    std::fprintf(stderr, "make-card: %s: %s\n", line.target.c_str(), result.error.c_str());
    return 1;
  }
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count();
  std::printf("%s: %s (%d frames per camera, %.1f s to write)\n", line.target.c_str(), Describe(single.settings).c_str(),
              result.videoFrames, seconds);
  return 0;
}

int WriteCardFolder(const CommandLine& line) {
  const CardResult result = WriteCard(line.target, line.card, [](const CardRecording& r, const std::filesystem::path& path) {
    std::printf("%s: %s, %s\n", path.string().c_str(), KindCode(r.kind), Describe(r.settings).c_str());
    std::fflush(stdout);
  });
  if (!result.ok) {
    std::fprintf(stderr, "make-card: %s\n", result.error.c_str());
    return 1;
  }
  std::printf("%s: firmware %d.%03d\n", result.written.back().string().c_str(), line.card.firmwareMajor,
              line.card.firmwareMinor);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const ParsedCommandLine parsed = ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
  if (!parsed.ok) {
    std::fprintf(stderr, "make-card: %s\n%s", parsed.error.c_str(), kMakeCardUsage);
    return 2;
  }
  if (parsed.line.help) {
    std::fputs(kMakeCardUsage, stdout);
    return 0;
  }
  // The encoders' statistics would bury the list of what was written.
  av_log_set_level(AV_LOG_ERROR);
  return parsed.line.single ? WriteSingle(parsed.line) : WriteCardFolder(parsed.line);
}
