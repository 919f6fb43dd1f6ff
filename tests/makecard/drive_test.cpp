// The simulated drive must look like a recorder's: sentences a GPRMC parser takes, positions
// that move along at 0 to 90 km/h, and acceleration that only an impact pushes past the range.
#include "cardplan.h"
#include "drivesimulator.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <sstream>

namespace {

std::vector<std::string> Fields(const std::string& sentence) {
  std::vector<std::string> fields;
  std::stringstream in(sentence.substr(0, sentence.find('*')));
  for (std::string field; std::getline(in, field, ',');) fields.push_back(field);
  return fields;
}

int Checksum(const std::string& sentence) {
  int sum = 0;
  for (char c : sentence.substr(0, sentence.find('*'))) sum ^= static_cast<unsigned char>(c);
  return sum;
}

std::int32_t Axis(const std::string& record, int axis) {
  std::int32_t value;
  std::memcpy(&value, record.data() + 1 + 4 * axis, 4);  // little-endian, as the build machines
  return value;
}

double Degrees(const std::string& nmea) {
  const double value = std::stod(nmea);
  const double whole = std::trunc(value / 100);
  return whole + (value - whole * 100) / 60;
}

TEST(Drive, ValidFixesMoveAlongTheRoadOncePerSecond) {
  DriveParams params;
  params.durationMs = 90000;
  params.startUtc = {2026, 12, 31, 23, 59, 30};
  const std::vector<TelemetrySample> samples = SimulateDrive(params);
  double maxKmh = 0, previousLat = 0, previousLon = 0;
  int fixes = 0, moved = 0;
  for (const TelemetrySample& s : samples) {
    if (s.bytes[0] == 'M') continue;
    SCOPED_TRACE(s.bytes);
    ASSERT_EQ(s.bytes.rfind("GPRMC,", 0), 0u);
    EXPECT_EQ(s.ms, fixes * 1000 + 1);
    const auto f = Fields(s.bytes);
    ASSERT_GE(f.size(), 10u);
    EXPECT_EQ(std::stoi(s.bytes.substr(s.bytes.find('*') + 1), nullptr, 16), Checksum(s.bytes));
    EXPECT_EQ(f[2], "A");
    EXPECT_EQ(f[4], "N");
    EXPECT_EQ(f[6], "E");
    const double lat = Degrees(f[3]), lon = Degrees(f[5]);
    EXPECT_NEAR(lat, 37.5, 0.1);
    EXPECT_NEAR(lon, 127.0, 0.1);
    const double kmh = std::stod(f[7]) * 1.852;
    EXPECT_GE(kmh, 0.0);
    EXPECT_LE(kmh, 90.1);
    maxKmh = std::max(maxKmh, kmh);
    if (fixes > 0 && (lat != previousLat || lon != previousLon)) ++moved;
    previousLat = lat;
    previousLon = lon;
    // The receiver's clock runs on across midnight and the new year.
    if (fixes == 0) {
      EXPECT_EQ(f[1] + f[9], "235930.00311226");
    } else if (fixes == 30) {
      EXPECT_EQ(f[1] + f[9], "000000.00010127");
    }
    ++fixes;
  }
  EXPECT_EQ(fixes, 90);
  EXPECT_GT(maxKmh, 60.0);
  EXPECT_GT(moved, 60);
}

TEST(Drive, AccelerationStaysInRangeUnlessThereIsAnImpact) {
  struct Case {
    bool eventSpikes;
    bool parked;
    GpsMode gps;
  };
  for (const Case c : {Case{false, false, GpsMode::Valid}, Case{true, false, GpsMode::Void}, Case{false, true, GpsMode::None}}) {
    SCOPED_TRACE(testing::Message() << "event " << c.eventSpikes << " parked " << c.parked);
    DriveParams params;
    params.durationMs = 6000;
    params.eventSpikes = c.eventSpikes;
    params.parked = c.parked;
    params.gps = c.gps;
    int records = 0, beyond = 0, sentences = 0;
    std::int64_t previous = -1;
    for (const TelemetrySample& s : SimulateDrive(params)) {
      EXPECT_GT(s.ms, previous);
      previous = s.ms;
      if (s.bytes[0] != 'M') {
        ++sentences;
        if (c.gps == GpsMode::Void) {
          EXPECT_EQ(Fields(s.bytes)[2], "V");
        }
        continue;
      }
      ASSERT_EQ(s.bytes.size(), 13u);
      EXPECT_EQ(s.ms % 100, 0);
      ++records;
      for (int axis = 0; axis < 3; ++axis) beyond += std::abs(Axis(s.bytes, axis)) > 300;
    }
    EXPECT_EQ(records, 60);
    EXPECT_EQ(sentences, c.gps == GpsMode::None ? 0 : 6);
    if (c.eventSpikes) {
      EXPECT_GE(beyond, 3);
    } else {
      EXPECT_EQ(beyond, 0);
    }
  }
}

struct Fix {
  std::int64_t ms;
  double latitude, longitude, kmh, course;
};

std::vector<Fix> FixesOf(const std::vector<TelemetrySample>& samples) {
  std::vector<Fix> fixes;
  for (const TelemetrySample& s : samples) {
    if (s.bytes[0] == 'M') continue;
    const auto f = Fields(s.bytes);
    fixes.push_back({s.ms, Degrees(f[3]), Degrees(f[5]), std::stod(f[7]) * 1.852, std::stod(f[8])});
  }
  return fixes;
}

TEST(Drive, ATripTurnsStopsAndReachesTownSpeeds) {
  DriveParams params;
  params.durationMs = 15 * 60 * 1000;
  const std::vector<Fix> fixes = FixesOf(SimulateDrive(params));
  ASSERT_EQ(fixes.size(), 900u);
  int stops = 0, standing = 0, turns = 0;
  double maxKmh = 0, farthest = 0;
  for (std::size_t i = 1; i < fixes.size(); ++i) {
    maxKmh = std::max(maxKmh, fixes[i].kmh);
    standing = fixes[i].kmh < 0.5 ? standing + 1 : 0;
    stops += standing == 5;
    const double turned = std::fabs(std::remainder(fixes[i].course - fixes[i > 8 ? i - 8 : 0].course, 360.0));
    turns += turned > 80 && i > 8 && std::fabs(std::remainder(fixes[i - 1].course - fixes[i - 9].course, 360.0)) <= 80;
    const double north = (fixes[i].latitude - 37.5) * 111320, east = (fixes[i].longitude - 127.0) * 88300;
    farthest = std::max(farthest, std::hypot(north, east));
  }
  EXPECT_GE(stops, 2);
  EXPECT_GE(turns, 3);
  EXPECT_GT(maxKmh, 75);
  EXPECT_LE(maxKmh, 90.1);
  EXPECT_LT(farthest, 8000) << "the trip stays around its town";
}

TEST(Drive, AccelerationRecordsFollowTheSpeed) {
  DriveParams params;
  params.durationMs = 10 * 60 * 1000;
  const std::vector<TelemetrySample> samples = SimulateDrive(params);
  const std::vector<Fix> fixes = FixesOf(samples);
  // Mean forward acceleration of each second from the records against the speed change of the
  // fixes around it.
  double sumError = 0;
  int seconds = 0;
  for (std::size_t i = 1; i + 1 < fixes.size(); ++i) {
    double y = 0;
    int n = 0;
    for (const TelemetrySample& s : samples)
      if (s.bytes[0] == 'M' && s.ms > fixes[i].ms && s.ms <= fixes[i + 1].ms) {
        y += Axis(s.bytes, 1);
        ++n;
      }
    ASSERT_EQ(n, 10);
    const double fromRecords = y / n / 256 * 9.81;
    const double fromFixes = (fixes[i + 1].kmh - fixes[i].kmh) / 3.6;
    sumError += std::fabs(fromRecords - fromFixes);
    ++seconds;
  }
  EXPECT_LT(sumError / seconds, 0.35) << "m/s² apart on average";
}

TEST(Drive, RecordingsOfADayContinueOneTrip) {
  const CivilTime start{2026, 12, 11, 9, 30, 0};
  const std::vector<Fix> whole = FixesOf(CardTelemetry(8000, RecordingKind::Normal, GpsMode::Valid, start, 1));
  const std::vector<Fix> later = FixesOf(CardTelemetry(4000, RecordingKind::Normal, GpsMode::Valid, start.Plus(4), 2));
  ASSERT_EQ(whole.size(), 8u);
  ASSERT_EQ(later.size(), 4u);
  for (std::size_t i = 0; i < later.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(later[i].latitude, whole[i + 4].latitude);
    EXPECT_EQ(later[i].longitude, whole[i + 4].longitude);
    EXPECT_EQ(later[i].kmh, whole[i + 4].kmh);
  }
  const std::vector<Fix> nextDay =
      FixesOf(CardTelemetry(4000, RecordingKind::Normal, GpsMode::Valid, start.Plus(86400), 1));
  EXPECT_NE(nextDay[0].latitude, whole[0].latitude) << "another day, another drive";
}

TEST(Drive, AnEventBrakesHardAndTheTenPerSecondVariantFixesEveryRecord) {
  DriveParams params;
  params.durationMs = 10000;
  params.tripOffsetMs = 60000;  // under way by then
  params.eventSpikes = true;
  params.fixesPerSecond = 10;
  const std::vector<Fix> fixes = FixesOf(SimulateDrive(params));
  ASSERT_EQ(fixes.size(), 100u);
  for (std::size_t i = 0; i < fixes.size(); ++i) EXPECT_EQ(fixes[i].ms, std::int64_t(i) * 100 + 1);
  // The impact at 4 s, with the car under way: it loses more than 20 km/h within a second.
  const double before = fixes[40].kmh, after = fixes[50].kmh;
  ASSERT_GT(before, 25.0);
  EXPECT_GT(before - after, 20.0) << before << " -> " << after;
}

}  // namespace
