// Fuzz target: one telemetry sample as the reader delivers it, in its zero-filled buffer, through
// the parsing of acceleration records and GPRMC sentences.
#include "textdata.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // The reader hands over at most a buffer's worth, zero-filled after the sample.
  std::vector<uint8_t> buffer(kSampleBufferSize, 0);
  std::memcpy(buffer.data(), data, std::min(size, buffer.size()));
  CTextData telemetry;
  telemetry.ParseSample(1000, buffer.data(), buffer.size());
  telemetry.ParseSample(2000, std::string_view(reinterpret_cast<const char*>(data), size));
  // Stored accelerations stay inside the graph's range; a stored fix is a valid one.
  for (std::size_t i = 0; i < telemetry.GSensorCount(); ++i) {
    const CGSensorData g = telemetry.GSensorAt(i);
    for (int v : {g.x, g.y, g.z})
      if (v < -120 || v > 120) __builtin_trap();
  }
  for (std::size_t i = 0; i < telemetry.GpsCount(); ++i)
    if (telemetry.GpsAt(i).valid != 1) __builtin_trap();
  CGPSData fix;
  fix.ParseRMC(0, std::string_view(reinterpret_cast<const char*>(data), size));
  ToDegrees(fix.latitude);
  return 0;
}
