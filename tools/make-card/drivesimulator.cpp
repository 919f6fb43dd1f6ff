#include "drivesimulator.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numbers>
#include <random>

namespace {

constexpr std::int64_t kStepMs = 100;  // the G-sensor's rate, and the trip's time step
constexpr double kStepSeconds = kStepMs / 1000.0;
constexpr std::int64_t kFixAfterAccelMs = 1;
constexpr double kKnotsPerKmh = 1.0 / 1.852;
constexpr double kMetresPerDegreeLatitude = 111320.0;
constexpr double kGravity = 9.81;
// The G-sensor's counts per g; the player halves and clamps at 120, so driving (well under 1 g)
// stays inside the range and only an impact reaches the clamp.
constexpr int kCountsPerG = 256;
// Comfortable town driving: what a driver asks of the car, not what it can do.
constexpr double kAcceleration = 1.8;   // m/s²
constexpr double kBraking = 2.4;        // m/s²
constexpr double kHardBraking = 7.8;    // m/s², an emergency stop (0.8 g)
constexpr double kHardBrakingSeconds = 1.5;
constexpr double kTurnSpeedKmh = 20.0;
constexpr double kTurnRate = 18.0;      // degrees per second through a crossing
// Beyond this distance from the start the trip turns towards home at the next crossing.
constexpr double kHomeRadiusMetres = 3500.0;

double Radians(double degrees) { return degrees * std::numbers::pi / 180.0; }

void PutLe32(std::string& out, std::int32_t value) {
  const auto u = static_cast<std::uint32_t>(value);
  for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<char>((u >> shift) & 0xFF));
}

// One drive, advanced 100 ms at a time: legs of cruising along gently bending roads, each ended
// by a turn at a crossing or a stop at a light. Everything follows from the trip seed, so every
// recording of a day sees the same drive.
class Trip {
 public:
  Trip(std::uint32_t seed, double latitude, double longitude)
      : random_(seed), homeLatitude_(latitude), homeLongitude_(longitude), latitude_(latitude), longitude_(longitude) {
    heading_ = Uniform(0, 360);
    StartCruise();
  }

  // Advances one step; longitudinal and lateral acceleration of that step in m/s².
  void Step(double* longitudinal, double* lateral) {
    const double before = speed_;
    double yawRate = 0;  // degrees per second
    switch (phase_) {
      case Phase::Cruise:
        Approach(target_, kAcceleration, kBraking);
        yawRate = bend_;
        if ((phaseLeft_ -= kStepSeconds) <= 0) {
          if (Uniform(0, 1) < 0.45) phase_ = Phase::ToStop;
          else phase_ = Phase::ToTurn;
        }
        if (Uniform(0, 1) < 0.02) bend_ = Uniform(-3, 3);
        break;
      case Phase::ToStop:
        Approach(0, kAcceleration, kBraking);
        if (speed_ <= 0) {
          phase_ = Phase::Stopped;
          phaseLeft_ = Uniform(8, 35);
        }
        break;
      case Phase::Stopped:
        if ((phaseLeft_ -= kStepSeconds) <= 0) StartCruise();
        break;
      case Phase::ToTurn:
        Approach(kTurnSpeedKmh / 3.6, kAcceleration, kBraking);
        if (speed_ <= kTurnSpeedKmh / 3.6 + 0.05) {
          phase_ = Phase::Turning;
          turnLeft_ = TurnAngle();
        }
        break;
      case Phase::Turning: {
        Approach(kTurnSpeedKmh / 3.6, kAcceleration, kBraking);
        const double step = std::copysign(std::min(std::fabs(turnLeft_), kTurnRate * kStepSeconds), turnLeft_);
        turnLeft_ -= step;
        yawRate = step / kStepSeconds;
        if (std::fabs(turnLeft_) < 1e-9) StartCruise();
        break;
      }
    }
    if (hardBrakingLeft_ > 0) {
      speed_ = std::max(0.0, before - kHardBraking * kStepSeconds);
      hardBrakingLeft_ -= kStepSeconds;
    }
    heading_ = std::fmod(heading_ + yawRate * kStepSeconds + 360.0, 360.0);
    Move((before + speed_) / 2 * kStepSeconds);
    *longitudinal = (speed_ - before) / kStepSeconds;
    *lateral = speed_ * Radians(yawRate);
  }

  void HardBrake() { hardBrakingLeft_ = kHardBrakingSeconds; }

  double Latitude() const { return latitude_; }
  double Longitude() const { return longitude_; }
  double SpeedKmh() const { return speed_ * 3.6; }
  double Heading() const { return heading_; }

 private:
  enum class Phase { Cruise, ToStop, Stopped, ToTurn, Turning };

  double Uniform(double low, double high) { return std::uniform_real_distribution<double>(low, high)(random_); }

  void StartCruise() {
    static constexpr double kSpeeds[] = {40, 50, 60, 60, 70, 80, 90};
    target_ = (kSpeeds[std::uniform_int_distribution<int>(0, 6)(random_)] + Uniform(-4, 4)) / 3.6;
    target_ = std::min(target_, 90.0 / 3.6);
    phase_ = Phase::Cruise;
    phaseLeft_ = Uniform(20, 70);
    bend_ = Uniform(-2, 2);
  }

  // Speed towards target at the given rates, in m/s.
  void Approach(double target, double up, double down) {
    if (speed_ < target) speed_ = std::min(target, speed_ + up * kStepSeconds);
    else speed_ = std::max(target, speed_ - down * kStepSeconds);
  }

  // Left or right by a crossing's right angle; towards home once the trip has gone far.
  double TurnAngle() {
    const double north = (latitude_ - homeLatitude_) * kMetresPerDegreeLatitude;
    const double east = (longitude_ - homeLongitude_) * kMetresPerDegreeLatitude * std::cos(Radians(latitude_));
    if (std::hypot(north, east) > kHomeRadiusMetres) {
      const double home = std::fmod(std::atan2(-east, -north) * 180.0 / std::numbers::pi + 360.0, 360.0);
      const double off = std::remainder(home - heading_, 360.0);
      return off >= 0 ? 90.0 : -90.0;
    }
    return Uniform(0, 1) < 0.5 ? 90.0 : -90.0;
  }

  void Move(double metres) {
    const double heading = Radians(heading_);
    latitude_ += metres * std::cos(heading) / kMetresPerDegreeLatitude;
    longitude_ += metres * std::sin(heading) / (kMetresPerDegreeLatitude * std::cos(Radians(latitude_)));
  }

  std::mt19937 random_;
  double homeLatitude_, homeLongitude_;
  double latitude_, longitude_;
  double speed_ = 0;  // m/s; every trip starts from a standstill
  double heading_ = 0;
  Phase phase_ = Phase::Cruise;
  double phaseLeft_ = 0;
  double target_ = 0;
  double bend_ = 0;
  double turnLeft_ = 0;
  double hardBrakingLeft_ = 0;
};

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
  std::snprintf(time, sizeof time, "%02d%02d%02d.%02d", fix.utc.hour, fix.utc.minute, fix.utc.second, fix.centiseconds);
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

  Trip trip(params.tripSeed, params.latitude, params.longitude);
  double longitudinal = 0, lateral = 0;
  for (std::int64_t ms = 0; ms < params.tripOffsetMs; ms += kStepMs) trip.Step(&longitudinal, &lateral);

  // An impact somewhere in the middle of an event recording.
  const std::int64_t impactMs = params.durationMs * 2 / 5 / kStepMs * kStepMs;
  const std::int64_t fixPeriodMs = params.fixesPerSecond >= 10 ? 100 : 1000;
  // A parked car stays where the trip left it.
  const double parkedLatitude = trip.Latitude(), parkedLongitude = trip.Longitude(), parkedHeading = trip.Heading();

  std::vector<TelemetrySample> samples;
  for (std::int64_t ms = 0; ms < params.durationMs; ms += kStepMs) {
    if (params.eventSpikes && ms == impactMs) trip.HardBrake();
    if (ms > 0 && !params.parked) trip.Step(&longitudinal, &lateral);
    if (params.parked) longitudinal = lateral = 0;
    const double speedKmh = params.parked ? 0.0 : trip.SpeedKmh();
    const double roughness = params.parked ? 4.0 : 6.0 + speedKmh * 0.15;
    auto x = static_cast<std::int32_t>(std::lround(lateral / kGravity * kCountsPerG + noise(random) * roughness));
    auto y = static_cast<std::int32_t>(std::lround(longitudinal / kGravity * kCountsPerG + noise(random) * roughness));
    auto z = static_cast<std::int32_t>(std::lround(kCountsPerG * 0.8 + noise(random) * roughness));
    if (params.eventSpikes && ms >= impactMs && ms < impactMs + 3 * kStepMs) {
      const int sign = (ms / kStepMs) % 2 ? -1 : 1;
      x += sign * static_cast<std::int32_t>(900 + uniform(random) * 600);
      y -= static_cast<std::int32_t>(1200 + uniform(random) * 800);
      z += sign * static_cast<std::int32_t>(400 + uniform(random) * 400);
    }
    samples.push_back({ms, AccelRecord(x, y, z)});

    if (params.gps == GpsMode::None || ms % fixPeriodMs != 0) continue;
    RmcFix fix;
    fix.utc = params.startUtc.Plus(ms / 1000);
    fix.centiseconds = static_cast<int>(ms % 1000 / 10);
    fix.valid = params.gps == GpsMode::Valid;
    fix.latitude = params.parked ? parkedLatitude : trip.Latitude();
    fix.longitude = params.parked ? parkedLongitude : trip.Longitude();
    fix.speedKnots = speedKmh * kKnotsPerKmh;
    fix.courseDegrees = params.parked ? parkedHeading : trip.Heading();
    samples.push_back({ms + kFixAfterAccelMs, RmcSentence(fix)});
  }
  return samples;
}
