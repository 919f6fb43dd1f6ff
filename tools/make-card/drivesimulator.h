// Makes the telemetry of a plausible drive: a trip through a town with bends, turns at
// crossings and stops at lights, 0 to 90 km/h, acceleration records ten times a second that
// follow the speed and the turns, and GPRMC fixes once or ten times a second.
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
  bool eventSpikes = false;  // an event: hard braking with an impact's burst of accelerations
  bool parked = false;       // a motion recording: the car stands where the trip has brought it
  std::uint32_t seed = 1;    // the sensor noise of this recording
  CivilTime startUtc;        // the receiver's clock at the start of the recording
  double latitude = 37.5;    // degrees north where the trip starts
  double longitude = 127.0;  // degrees east where the trip starts
  // The trip: recordings with the same trip seed and start place are parts of one drive, this
  // one beginning tripOffsetMs after the drive began.
  std::uint32_t tripSeed = 1;
  std::int64_t tripOffsetMs = 0;
  int fixesPerSecond = 1;  // 1 or 10
};

// Acceleration records sit at whole multiples of 100 ms from 0; each fix follows the record of
// its moment 1 ms later. Times strictly increase.
std::vector<TelemetrySample> SimulateDrive(const DriveParams& params);

// "M" and three little-endian int32.
std::string AccelRecord(std::int32_t x, std::int32_t y, std::int32_t z);

struct RmcFix {
  CivilTime utc;
  int centiseconds = 0;
  bool valid = true;
  double latitude = 0;   // signed degrees, north positive
  double longitude = 0;  // signed degrees, east positive
  double speedKnots = 0;
  double courseDegrees = 0;
};

// The sentence without "$", with its checksum: "GPRMC,hhmmss.cc,A,ddmm.mmmm,N,...*hh". A void
// fix keeps time and date and leaves the position, speed and course fields empty.
std::string RmcSentence(const RmcFix& fix);

// Degrees as NMEA's ddmm.mmmm (or dddmm.mmmm), without sign.
std::string NmeaCoordinate(double degrees, int degreeDigits);
