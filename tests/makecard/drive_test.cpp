// The simulated drive must look like a recorder's: sentences a GPRMC parser takes, positions
// that move along at 0 to 80 km/h, and acceleration that only an impact pushes past the range.
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
    EXPECT_LE(kmh, 80.1);
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

}  // namespace
