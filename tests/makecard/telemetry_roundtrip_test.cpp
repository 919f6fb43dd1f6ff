// Telemetry written by make-card must read back with the same bytes at the same millisecond in
// both containers, whatever else the recording holds: AVI keeps no time stamps for it, so this
// is where a wrong anchor, a squeezed pair of samples or a shifted stream shows.
#include "cardplan.h"
#include "drivesimulator.h"
#include "recordingwriter.h"
#include "telemetryreadback.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <filesystem>

namespace {

std::string Binary(std::size_t size) {
  std::string bytes(size, '\0');
  for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>((i * 37 + 11) & 0xFF);
  return bytes;
}

const std::string kFix = "GPRMC,003000.00,A,3730.1234,N,12700.5678,E,021.6,084.4,111226,,,A*5C";

struct Case {
  const char* name;
  Container container;
  int durationMs;
  std::vector<TelemetrySample> samples;
  bool audio = true;
  int bFrames = 0;
};

void PrintTo(const Case& c, std::ostream* os) { *os << c.name; }

std::vector<TelemetrySample> Drive() {
  return CardTelemetry(4000, RecordingKind::Event, GpsMode::Valid, CivilTime{2026, 12, 11, 9, 30, 0}, 3);
}

// Starts late, has samples 1 ms apart and binary content, including zero bytes and the
// largest sample the player's reader takes.
std::vector<TelemetrySample> LateStart() {
  return {{250, AccelRecord(0, -1, 1)}, {251, kFix}, {999, std::string("M\0\0\0\0\xff\xff\xff\xff\0\0\0\x80", 13)},
          {1000, Binary(1024)}, {1001, Binary(1)}, {2500, AccelRecord(300, -300, 7)}};
}

// Gaps longer than the AVI muxer pads by itself: from 0, and before the first sample.
std::vector<TelemetrySample> LongGapFromZero() { return {{0, AccelRecord(1, 2, 3)}, {65000, kFix}, {65001, AccelRecord(4, 5, 6)}}; }
std::vector<TelemetrySample> FirstAfterMinute() { return {{61000, AccelRecord(1, 2, 3)}, {61001, kFix}}; }

std::vector<Case> Cases() {
  std::vector<Case> cases;
  for (Container c : {Container::Avi, Container::Mp4}) {
    const bool avi = c == Container::Avi;
    cases.push_back({avi ? "AviDrive" : "Mp4Drive", c, 4000, Drive()});
    cases.push_back({avi ? "AviDriveSilentWithBFrames" : "Mp4DriveSilentWithBFrames", c, 4000, Drive(), false, 2});
    cases.push_back({avi ? "AviLateStart" : "Mp4LateStart", c, 3000, LateStart()});
    cases.push_back({avi ? "AviLongGapFromZero" : "Mp4LongGapFromZero", c, 66000, LongGapFromZero(), false});
    cases.push_back({avi ? "AviFirstAfterAMinute" : "Mp4FirstAfterAMinute", c, 62000, FirstAfterMinute(), false});
  }
  return cases;
}

class TelemetryRoundTrip : public ::testing::TestWithParam<Case> {};

TEST_P(TelemetryRoundTrip, EverySampleReadsBackAtItsTime) {
  const Case& c = GetParam();
  QTemporaryDir dir;
  const std::filesystem::path path = std::filesystem::path(dir.path().toStdString()) /
                                     (c.container == Container::Avi ? "r.AVI" : "r.MP4");
  RecordingSettings s;
  s.container = c.container;
  s.cameras = 2;
  s.durationMs = c.durationMs;
  // Long recordings only test the telemetry clock; the pictures can be tiny.
  s.video.width = c.durationMs > 10000 ? 32 : 160;
  s.video.height = c.durationMs > 10000 ? 32 : 90;
  s.video.fps = c.durationMs > 10000 ? 5 : 15;
  s.video.bFrames = c.bFrames;
  s.audio.enabled = c.audio;
  s.samples = c.samples;
  const WriteResult written = WriteRecording(path, s);
  ASSERT_TRUE(written) << written.error;

  std::string error;
  const auto read = ReadTelemetrySamples(path, &error);
  ASSERT_TRUE(read) << error;
  ASSERT_EQ(read->size(), c.samples.size());
  for (std::size_t i = 0; i < c.samples.size(); ++i) {
    EXPECT_EQ((*read)[i].ms, c.samples[i].ms) << "sample " << i;
    EXPECT_EQ((*read)[i].bytes, c.samples[i].bytes) << "sample " << i;
  }
}

INSTANTIATE_TEST_SUITE_P(Containers, TelemetryRoundTrip, ::testing::ValuesIn(Cases()),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(TelemetryWriting, RefusesSamplesTheContainersWouldMoveAndLeavesNoFile) {
  struct Bad {
    const char* why;
    std::vector<TelemetrySample> samples;
  };
  const std::vector<Bad> bad = {
      {"same millisecond", {{100, AccelRecord(1, 1, 1)}, {100, kFix}}},
      {"going back", {{200, AccelRecord(1, 1, 1)}, {100, kFix}}},
      {"after the end", {{0, AccelRecord(1, 1, 1)}, {2000, kFix}}},
      {"negative time", {{-1, AccelRecord(1, 1, 1)}}},
      {"empty sample", {{0, ""}}},
      {"too large", {{0, Binary(1025)}}},
  };
  QTemporaryDir dir;
  for (Container c : {Container::Avi, Container::Mp4}) {
    for (const Bad& b : bad) {
      const std::filesystem::path path = std::filesystem::path(dir.path().toStdString()) / "bad.AVI";
      RecordingSettings s;
      s.container = c;
      s.durationMs = 2000;
      s.samples = b.samples;
      const WriteResult written = WriteRecording(path, s);
      EXPECT_FALSE(written) << b.why;
      EXPECT_FALSE(written.error.empty()) << b.why;
      EXPECT_FALSE(std::filesystem::exists(path)) << b.why;
    }
  }
}

TEST(TelemetryReadBack, RecordingWithoutTelemetryGivesNoSamplesAndAMissingFileAnError) {
  QTemporaryDir dir;
  const std::filesystem::path path = std::filesystem::path(dir.path().toStdString()) / "quiet.MP4";
  RecordingSettings s;
  s.container = Container::Mp4;
  s.durationMs = 1000;
  s.telemetry = false;
  ASSERT_TRUE(WriteRecording(path, s));
  const auto read = ReadTelemetrySamples(path);
  ASSERT_TRUE(read);
  EXPECT_TRUE(read->empty());

  std::string error;
  EXPECT_FALSE(ReadTelemetrySamples(path.parent_path() / "missing.AVI", &error));
  EXPECT_FALSE(error.empty());
}

}  // namespace
