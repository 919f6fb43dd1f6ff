// What a sample memory card holds: the recordings with their names as the recorder gives
// them, their settings and telemetry, and the recorder's configuration file.
#pragma once

#include "civiltime.h"
#include "drivesimulator.h"
#include "recordingwriter.h"

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

enum class RecordingKind { Normal, Event, Motion };

// "NOR", "EVT" or "MOT".
const char* KindCode(RecordingKind kind);

// The recorder's clock runs in local time, nine hours ahead of the GPS receiver's UTC.
inline constexpr int kRecorderUtcOffsetHours = 9;

// "YYYYMMDD_HHMMSS_KKK_CS.EXT": the start in the recorder's local time, the type code at
// positions 16-18, then the camera count at position 20 and at position 21 'F' for a
// front-only or 'R' for a recording that includes the rear camera; the extension is ".AVI" or
// ".MP4" in upper case. Example: 20261211_093000_NOR_2R.AVI.
std::string RecordingName(const CivilTime& start, RecordingKind kind, int cameras, Container container);

struct CardRecording {
  std::string name;
  CivilTime start;
  RecordingKind kind = RecordingKind::Normal;
  GpsMode gps = GpsMode::Valid;
  RecordingSettings settings;  // with the telemetry samples filled in
};

struct CardOptions {
  int count = 12;
  int durationSeconds = 0;  // 0: each recording 3 to 6 s
  VideoSettings video;
  std::vector<RecordingKind> kinds{RecordingKind::Normal, RecordingKind::Event, RecordingKind::Motion};
  int cameras = 0;                     // 0: a mix of one- and two-camera recordings
  std::optional<Container> container;  // none: both AVI and MP4
  bool audio = true;
  bool telemetry = true;
  std::optional<GpsMode> gps;  // none: fixes for driving recordings, none or void when parked
  int fixesPerSecond = 1;      // 1 or 10
  int firmwareMajor = 1;
  int firmwareMinor = 7;
};

// The recordings of a card, oldest first, spread over three days (two for fewer than four
// recordings) starting 2026-12-09. The same options always give the same card.
std::vector<CardRecording> PlanCard(const CardOptions& options);

// The telemetry of one recording that starts at the given local time: a moment of that day's
// drive, which starts at 07:00 local around Seoul.
std::vector<TelemetrySample> CardTelemetry(std::int64_t durationMs, RecordingKind kind, GpsMode gps,
                                           const CivilTime& start, std::uint32_t seed, int fixesPerSecond = 1);

// Configs/qx5_sysenv.cfg: 32 bytes, the firmware version as little-endian int32 at 8 (major) and
// 12 (minor).
bool WriteFirmwareConfig(const std::filesystem::path& cardRoot, int major, int minor, std::string* error);

struct CardResult {
  bool ok = false;
  std::string error;
  std::vector<std::filesystem::path> written;
};

// Writes the card into cardRoot: Recordings/ with the planned recordings and Configs/. The
// recordings of an earlier card (.AVI and .MP4 files directly in Recordings/) are removed first,
// so writing a card twice gives the same card. onWritten is told about each recording.
CardResult WriteCard(const std::filesystem::path& cardRoot, const CardOptions& options,
                     const std::function<void(const CardRecording&, const std::filesystem::path&)>& onWritten = {});
