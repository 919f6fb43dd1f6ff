#include "cardplan.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <fstream>
#include <system_error>

namespace {

const CivilTime kFirstDay{2026, 12, 9, 8, 0, 0};
// Recordings follow each other at an odd spacing so their names show varied times.
constexpr int kSpacingSeconds = 37 * 60 + 13;

// Every day's drive starts around Seoul at this local hour.
constexpr double kBaseLatitude = 37.5;
constexpr double kBaseLongitude = 127.0;
constexpr int kTripStartHour = 7;

bool IsRecordingFile(const std::filesystem::path& path) {
  Container ignored;
  return ContainerFromExtension(path, &ignored);
}

// The recorder stamps its files with its own clock; the list shows that date, so the file's
// time is the name's local time on this machine.
void StampFileTime(const std::filesystem::path& path, const CivilTime& local) {
  std::tm tm{};
  tm.tm_year = local.year - 1900;
  tm.tm_mon = local.month - 1;
  tm.tm_mday = local.day;
  tm.tm_hour = local.hour;
  tm.tm_min = local.minute;
  tm.tm_sec = local.second;
  tm.tm_isdst = -1;
  const std::time_t seconds = std::mktime(&tm);
  if (seconds == -1) return;
  std::error_code ignored;
  std::filesystem::last_write_time(
      path, std::chrono::file_clock::from_sys(std::chrono::system_clock::from_time_t(seconds)), ignored);
}

void PutLe32(std::array<char, 32>& bytes, int offset, std::int32_t value) {
  const auto u = static_cast<std::uint32_t>(value);
  for (int i = 0; i < 4; ++i) bytes[offset + i] = static_cast<char>((u >> (8 * i)) & 0xFF);
}

}  // namespace

const char* KindCode(RecordingKind kind) {
  switch (kind) {
    case RecordingKind::Normal: return "NOR";
    case RecordingKind::Event: return "EVT";
    case RecordingKind::Motion: return "MOT";
  }
  return "NOR";
}

std::string RecordingName(const CivilTime& start, RecordingKind kind, int cameras, Container container) {
  char name[64];
  std::snprintf(name, sizeof name, "%04d%02d%02d_%02d%02d%02d_%s_%d%c.%s", start.year, start.month, start.day,
                start.hour, start.minute, start.second, KindCode(kind), cameras, cameras > 1 ? 'R' : 'F',
                container == Container::Avi ? "AVI" : "MP4");
  return name;
}

std::vector<TelemetrySample> CardTelemetry(std::int64_t durationMs, RecordingKind kind, GpsMode gps,
                                           const CivilTime& start, std::uint32_t seed, int fixesPerSecond) {
  DriveParams drive;
  drive.durationMs = durationMs;
  drive.gps = gps;
  drive.eventSpikes = kind == RecordingKind::Event;
  drive.parked = kind == RecordingKind::Motion;
  drive.seed = seed;
  drive.startUtc = start.Plus(-kRecorderUtcOffsetHours * 3600);
  drive.latitude = kBaseLatitude;
  drive.longitude = kBaseLongitude;
  drive.fixesPerSecond = fixesPerSecond;
  // One drive a day from early morning: the recordings of a day are moments of the same trip.
  const CivilTime tripStart{start.year, start.month, start.day, kTripStartHour, 0, 0};
  drive.tripSeed = static_cast<std::uint32_t>(CivilTime::DaysFromCivil(start.year, start.month, start.day));
  drive.tripOffsetMs = std::max<std::int64_t>(0, (start.ToSeconds() - tripStart.ToSeconds()) * 1000);
  return SimulateDrive(drive);
}

std::vector<CardRecording> PlanCard(const CardOptions& options) {
  const std::vector<Container> containers =
      options.container ? std::vector<Container>{*options.container} : std::vector<Container>{Container::Avi, Container::Mp4};
  const int days = options.count < 4 ? 2 : 3;
  const auto kindCount = static_cast<int>(options.kinds.size());

  std::vector<CardRecording> plan;
  for (int i = 0; i < options.count && kindCount > 0; ++i) {
    CardRecording r;
    const int day = i * days / options.count;
    r.start = kFirstDay.Plus(static_cast<std::int64_t>(day) * 86400 + static_cast<std::int64_t>(i) * kSpacingSeconds);
    r.kind = options.kinds[i % kindCount];
    RecordingSettings& s = r.settings;
    s.container = containers[i % containers.size()];
    // Pairs of two-camera and one-camera recordings, so both containers get both kinds.
    s.cameras = options.cameras ? options.cameras : ((i / 2) % 2 == 0 ? 2 : 1);
    s.durationMs = 1000 * (options.durationSeconds > 0 ? options.durationSeconds : 3 + i % 4);
    s.video = options.video;
    s.audio.enabled = options.audio;
    s.audio.sampleRate = i % 2 ? 44100 : 48000;
    s.audio.channels = i % 3 == 2 ? 2 : 1;
    s.audio.toneHz = 330.0 + 55.0 * i;
    s.telemetry = options.telemetry;
    if (options.gps) r.gps = *options.gps;
    else if (r.kind == RecordingKind::Motion) r.gps = (i / kindCount) % 2 ? GpsMode::Void : GpsMode::None;
    else r.gps = GpsMode::Valid;
    if (s.telemetry)
      s.samples = CardTelemetry(s.durationMs, r.kind, r.gps, r.start, static_cast<std::uint32_t>(i + 1), options.fixesPerSecond);
    r.name = RecordingName(r.start, r.kind, s.cameras, s.container);
    plan.push_back(std::move(r));
  }
  return plan;
}

bool WriteFirmwareConfig(const std::filesystem::path& cardRoot, int major, int minor, std::string* error) {
  std::error_code ec;
  const std::filesystem::path folder = cardRoot / "Configs";
  std::filesystem::create_directories(folder, ec);
  std::array<char, 32> bytes{};
  const char magic[8] = {'Q', 'X', '5', 'S', 'Y', 'S', 0, 1};
  std::copy(std::begin(magic), std::end(magic), bytes.begin());
  PutLe32(bytes, 8, major);
  PutLe32(bytes, 12, minor);
  std::ofstream out(folder / "qx5_sysenv.cfg", std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), bytes.size());
  if (!out) {
    if (error) *error = "cannot write " + (folder / "qx5_sysenv.cfg").string();
    return false;
  }
  return true;
}

CardResult WriteCard(const std::filesystem::path& cardRoot, const CardOptions& options,
                     const std::function<void(const CardRecording&, const std::filesystem::path&)>& onWritten) {
  CardResult result;
  const std::filesystem::path recordings = cardRoot / "Recordings";
  std::error_code ec;
  std::filesystem::create_directories(recordings, ec);
  if (ec) {
    result.error = "cannot create " + recordings.string() + ": " + ec.message();
    return result;
  }
  for (const auto& entry : std::filesystem::directory_iterator(recordings, ec))
    if (entry.is_regular_file() && IsRecordingFile(entry.path())) std::filesystem::remove(entry.path(), ec);

  for (const CardRecording& r : PlanCard(options)) {
    const std::filesystem::path path = recordings / r.name;
    const WriteResult written = WriteRecording(path, r.settings);
    if (!written) {
      result.error = r.name + ": " + written.error;
      return result;
    }
    StampFileTime(path, r.start);
    result.written.push_back(path);
    if (onWritten) onWritten(r, path);
  }
  if (!WriteFirmwareConfig(cardRoot, options.firmwareMajor, options.firmwareMinor, &result.error)) return result;
  result.written.push_back(cardRoot / "Configs" / "qx5_sysenv.cfg");
  result.ok = true;
  return result;
}
