#include "drivesimulator.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numbers>
#include <random>

namespace {

constexpr std::int64_t kAccelPeriodMs = 100;
constexpr std::int64_t kFixPeriodMs = 1000;
constexpr std::int64_t kFixAfterAccelMs = 1;
constexpr double kKnotsPerKmh = 1.0 / 1.852;
constexpr double kMetresPerDegreeLatitude = 111320.0;
// The G-sensor's counts per g; the player halves and clamps at 120, so ordinary driving stays
// inside ±240 and only an impact reaches the clamp.
constexpr int kCountsPerG = 256;

void PutLe32(std::string& out, std::int32_t value) {
  const auto u = static_cast<std::uint32_t>(value);
  for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<char>((u >> shift) & 0xFF));
}

// The vehicle's state, one step per second: speed follows a smooth profile between stops,
// the heading drifts along gentle bends.
struct Vehicle {
  double latitude, longitude, speedKmh, heading;
};

double SpeedAt(double seconds, double phase, bool parked) {
  if (parked) return 0.0;
  // Starts from a standstill, cruises, slows down: 0..80 km/h over a minute-long cycle.
  const double cycle = 0.5 - 0.5 * std::cos(2 * std::numbers::pi * (seconds + phase) / 60.0);
  return std::clamp(80.0 * cycle, 0.0, 80.0);
}

}  // namespace

std::string AccelRecord(std::int32_t x, std::int32_t y, std::int32_t z) {
  std::string out(1, 'M');
  PutLe32(out, x);
  PutLe32(out, y);
  PutLe32(out, z);
  return out;
}

std::string NmeaCoordinate(double degrees, int degreeDigits) {
  const double value = std::fabs(degrees);
  int whole = static_cast<int>(value);
  double minutes = (value - whole) * 60.0;
  // Rounding to four decimals can give 60.0000 minutes; carry it into the degrees.
  if (std::lround(minutes * 10000) >= 600000) {
    ++whole;
    minutes = 0;
  }
  char text[32];
  std::snprintf(text, sizeof text, "%0*d%07.4f", degreeDigits, whole, minutes);
  return text;
}

std::string RmcSentence(const RmcFix& fix) {
  char time[16], date[16];
  std::snprintf(time, sizeof time, "%02d%02d%02d.00", fix.utc.hour, fix.utc.minute, fix.utc.second);
  std::snprintf(date, sizeof date, "%02d%02d%02d", fix.utc.day, fix.utc.month, fix.utc.year % 100);
  std::string text = std::string("GPRMC,") + time + ",";
  if (fix.valid) {
    char motion[32];
    std::snprintf(motion, sizeof motion, "%05.1f,%05.1f", fix.speedKnots, fix.courseDegrees);
    text += "A," + NmeaCoordinate(fix.latitude, 2) + (fix.latitude >= 0 ? ",N," : ",S,") +
            NmeaCoordinate(fix.longitude, 3) + (fix.longitude >= 0 ? ",E," : ",W,") + motion + "," +
            date + ",,,A";
  } else {
    text += std::string("V,,,,,,,") + date + ",,,N";
  }
  unsigned checksum = 0;
  for (char c : text) checksum ^= static_cast<unsigned char>(c);
  char tail[8];
  std::snprintf(tail, sizeof tail, "*%02X", checksum);
  return text + tail;
}

std::vector<TelemetrySample> SimulateDrive(const DriveParams& params) {
  std::mt19937 random(params.seed);
  std::normal_distribution<double> noise(0.0, 1.0);
  std::uniform_real_distribution<double> uniform(0.0, 1.0);

  const double phase = uniform(random) * 20.0;
  Vehicle car{params.latitude, params.longitude, SpeedAt(0, phase, params.parked), uniform(random) * 360.0};
  double bend = (uniform(random) - 0.5) * 4.0;  // degrees per second

  // An impact somewhere in the middle of an event recording.
  const std::int64_t impactMs = params.durationMs * 2 / 5 / kAccelPeriodMs * kAccelPeriodMs;

  std::vector<TelemetrySample> samples;
  double previousSpeed = car.speedKmh;
  for (std::int64_t ms = 0; ms < params.durationMs; ms += kAccelPeriodMs) {
    const double seconds = ms / 1000.0;
    const double speed = SpeedAt(seconds, phase, params.parked);
    const double accelG = (speed - previousSpeed) / 3.6 / (kAccelPeriodMs / 1000.0) / 9.81;
    previousSpeed = speed;
    const double lateralG = speed / 3.6 * bend * std::numbers::pi / 180.0 / 9.81;
    const double roughness = params.parked ? 4.0 : 10.0 + speed * 0.4;
    auto x = static_cast<std::int32_t>(std::lround(lateralG * kCountsPerG + noise(random) * roughness));
    auto y = static_cast<std::int32_t>(std::lround(accelG * kCountsPerG + noise(random) * roughness));
    auto z = static_cast<std::int32_t>(std::lround(kCountsPerG * 0.8 + noise(random) * roughness));
    if (params.eventSpikes && ms >= impactMs && ms < impactMs + 3 * kAccelPeriodMs) {
      const int sign = (ms / kAccelPeriodMs) % 2 ? -1 : 1;
      x += sign * static_cast<std::int32_t>(900 + uniform(random) * 600);
      y -= static_cast<std::int32_t>(1200 + uniform(random) * 800);
      z += sign * static_cast<std::int32_t>(400 + uniform(random) * 400);
    }
    samples.push_back({ms, AccelRecord(x, y, z)});

    if (params.gps == GpsMode::None || ms % kFixPeriodMs != 0) continue;
    RmcFix fix;
    fix.utc = params.startUtc.Plus(ms / 1000);
    fix.valid = params.gps == GpsMode::Valid;
    fix.latitude = car.latitude;
    fix.longitude = car.longitude;
    fix.speedKnots = speed * kKnotsPerKmh;
    fix.courseDegrees = car.heading;
    samples.push_back({ms + kFixAfterAccelMs, RmcSentence(fix)});

    // Advance one second along the road for the next fix.
    const double metres = speed / 3.6;
    const double heading = car.heading * std::numbers::pi / 180.0;
    car.latitude += metres * std::cos(heading) / kMetresPerDegreeLatitude;
    car.longitude += metres * std::sin(heading) /
                     (kMetresPerDegreeLatitude * std::cos(car.latitude * std::numbers::pi / 180.0));
    car.heading = std::fmod(car.heading + bend + 360.0, 360.0);
    if (uniform(random) < 0.15) bend = (uniform(random) - 0.5) * 8.0;
  }
  return samples;
}
