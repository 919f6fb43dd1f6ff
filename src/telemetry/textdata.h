// The telemetry of the open recording: acceleration samples and GPS fixes as the reader delivers
// them, the grammar of one sample, and NMEA coordinates in decimal degrees.
#pragma once

#include <cstddef>
#include <cstdint>
#include <mutex>
#include <string_view>
#include <vector>

// One acceleration sample: each axis halved toward zero and clamped to -120..120.
struct CGSensorData {
  int32_t x = 0;
  int32_t y = 0;
  int32_t z = 0;
  uint32_t timestamp = 0;  // ms from the start of the recording, as the reader gave it
  friend bool operator==(const CGSensorData&, const CGSensorData&) = default;
};

// One GPS fix from a GPRMC sentence. Coordinates stay in NMEA's ddmm.mmmm, signed by hemisphere.
struct CGPSData {
  int32_t year = 0;    // two digits, as read
  int32_t month = 0;
  int32_t day = 0;
  int32_t hour = 0;    // UTC hour + 9, not wrapped (9..32)
  int32_t minute = 0;
  int32_t second = 0;
  int32_t valid = 0;   // 1 when the status field is "A"
  double latitude = 0;
  double longitude = 0;
  double speed = 0;    // km/h, through single precision
  double course = 0;   // degrees, through single precision
  int64_t time = 0;    // calendar time of the fix, 0 when the sentence ended before its date
  uint32_t timestamp = 0;

  // Fills the fix from a sentence without "$"; true when all ten leading fields were there.
  bool ParseRMC(uint32_t timestamp, std::string_view text);
  friend bool operator==(const CGPSData&, const CGPSData&) = default;
};

// NMEA ddmm.mmmm (or dddmm.mmmm) to signed decimal degrees.
double ToDegrees(double value);

// The reader's sample buffer size: a sample is never read past it.
inline constexpr std::size_t kSampleBufferSize = 1024;

// Both arrays, written by one load at a time and read by the UI thread on every position tick.
// An append may move an array's storage, so every access goes through mutex_.
class CTextData {
 public:
  // Classifies one sample from the reader's buffer (`size` bytes, zero-filled past the sample)
  // and appends what it yields: an "M" record always, a GPRMC fix only when its status is "A".
  void ParseSample(uint32_t timestamp, const uint8_t* buffer, std::size_t size = kSampleBufferSize);
  void ParseSample(uint32_t timestamp, std::string_view text);
  // Empties both arrays and gives their storage back.
  void Clear();

  std::size_t GSensorCount() const;
  std::size_t GpsCount() const;
  // A copy of the element; a zeroed record past the end.
  CGSensorData GSensorAt(std::size_t index) const;
  CGPSData GpsAt(std::size_t index) const;

  // Runs read(gsensor, gps) under the lock, for readers that need a consistent view of many
  // elements (the graph, the fix look-ups). read must not call back into this object.
  template <typename Read>
  auto WithArrays(Read&& read) const {
    std::lock_guard lock(mutex_);
    return read(static_cast<const std::vector<CGSensorData>&>(gsensor_),
                static_cast<const std::vector<CGPSData>&>(gps_));
  }

 private:
  mutable std::mutex mutex_;  // guards gsensor_ and gps_
  std::vector<CGSensorData> gsensor_;
  std::vector<CGPSData> gps_;  // valid fixes only
};
