// Makes the telemetry of a plausible drive: acceleration records ten times a second and one
// GPRMC fix a second, moving along a road at 0 to 80 km/h.
#pragma once

#include "civiltime.h"
#include "telemetrysample.h"

#include <cstdint>
#include <string>
#include <vector>

enum class GpsMode {
  None,   // no GPRMC sentences at all
  Valid,  // status "A" fixes along the drive
  Void,   // status "V" sentences without a position, as before the receiver has a fix
};

struct DriveParams {
  std::int64_t durationMs = 4000;
  GpsMode gps = GpsMode::Valid;
  bool eventSpikes = false;  // an impact: a burst of large accelerations
  bool parked = false;       // a motion recording: the car stands still
  std::uint32_t seed = 1;
  CivilTime startUtc;  // the receiver's clock at the start of the recording
  double latitude = 37.5;     // degrees north at the start
  double longitude = 127.0;   // degrees east at the start
};

// Acceleration records sit at whole multiples of 100 ms from 0; each fix follows the record of
// its second 1 ms later, so every recording has samples 1 ms apart. Times strictly increase.
std::vector<TelemetrySample> SimulateDrive(const DriveParams& params);

// "M" and three little-endian int32.
std::string AccelRecord(std::int32_t x, std::int32_t y, std::int32_t z);

struct RmcFix {
  CivilTime utc;
  bool valid = true;
  double latitude = 0;   // signed degrees, north positive
  double longitude = 0;  // signed degrees, east positive
  double speedKnots = 0;
  double courseDegrees = 0;
};

// The sentence without "$", with its checksum: "GPRMC,hhmmss.00,A,ddmm.mmmm,N,...*hh". A void
// fix keeps time and date and leaves the position, speed and course fields empty.
std::string RmcSentence(const RmcFix& fix);

// Degrees as NMEA's ddmm.mmmm (or dddmm.mmmm), without sign.
std::string NmeaCoordinate(double degrees, int degreeDigits);
