// One telemetry sample as a recording carries it: its bytes and its time in milliseconds from
// the start of the recording.
#pragma once

#include <cstdint>
#include <string>

struct TelemetrySample {
  std::int64_t ms = 0;
  std::string bytes;  // an "M" acceleration record or a GPRMC sentence without "$"; binary-safe
  friend bool operator==(const TelemetrySample&, const TelemetrySample&) = default;
};
