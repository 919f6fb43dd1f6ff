// Writes one recording as the recorder does: H.264 front video, optional H.264 rear video,
// optional AAC audio and one telemetry stream, in an AVI or an MP4 container.
#pragma once

#include "telemetrysample.h"

#include <filesystem>
#include <string>
#include <vector>

enum class Container { Avi, Mp4 };

struct VideoSettings {
  int width = 320;  // even
  int height = 180; // even
  int fps = 15;
  int gopFrames = 0;  // keyframe interval in frames; 0 means one second
  int bFrames = 0;
  int crf = 23;
  std::string preset = "veryfast";
};

struct AudioSettings {
  bool enabled = true;
  int sampleRate = 48000;  // 44100 or 48000
  int channels = 1;        // 1 or 2
  double toneHz = 440.0;
};

struct RecordingSettings {
  Container container = Container::Avi;
  int cameras = 2;  // 1: front only; 2: front then rear
  int durationMs = 4000;
  VideoSettings video;
  AudioSettings audio;
  bool telemetry = true;
  // Strictly increasing times in [0, durationMs), each sample 1..1024 bytes.
  std::vector<TelemetrySample> samples;
};

struct WriteResult {
  bool ok = false;
  std::string error;
  int videoFrames = 0;  // per camera
  explicit operator bool() const { return ok; }
};

// The container is chosen by settings.container, whatever the file's extension.
WriteResult WriteRecording(const std::filesystem::path& path, const RecordingSettings& settings);

// "AVI" or "MP4" by the file's extension, ignoring case; false when it is neither.
bool ContainerFromExtension(const std::filesystem::path& path, Container* container);
