#include "textdata.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <ctime>

namespace {

constexpr double kKmhPerKnot = 1.852;
constexpr int32_t kAxisLimit = 120;
constexpr std::size_t kAccelRecordSize = 13;

bool IsCBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }

std::string_view SkipBlanks(std::string_view text) {
  while (!text.empty() && IsCBlank(text.front())) text.remove_prefix(1);
  return text;
}

// The C library's atoi and atof as the grammar reads numbers (leading blanks, as many characters
// as form a number, 0 when none do), but independent of the process locale: Qt sets LC_NUMERIC
// from the environment, and a decimal comma would cut every coordinate at its point.
template <typename T>
T ReadNumber(std::string_view text) {
  text = SkipBlanks(text);
  bool negative = false;
  if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  T value{};
  if constexpr (std::is_floating_point_v<T>) {
    if (std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::general).ec != std::errc())
      return T{};
  } else {
    // atoi's overflow is undefined; a value that does not fit reads as 0 rather than anything.
    if (std::from_chars(text.data(), text.data() + text.size(), value).ec != std::errc()) return T{};
  }
  return negative ? -value : value;
}

// Characters [first, first + 2) of a field as an integer; a field too short gives 0.
int32_t DigitPair(std::string_view field, std::size_t first) {
  return first < field.size() ? ReadNumber<int32_t>(field.substr(first, 2)) : 0;
}

// mktime of the broken-down local time. The C library rereads the time zone on every call,
// which costs more than the rest of a load; fixes come many to a minute, and a zone changes its
// offset only on whole minutes, so the start of the last minute is kept and the seconds added.
int64_t LocalCalendarTime(std::tm local) {
  struct MinuteKey {
    int year, month, day, hour, minute;
    bool operator==(const MinuteKey&) const = default;
  };
  thread_local MinuteKey lastKey{-1, -1, -1, -1, -1};
  thread_local int64_t lastMinute = 0;
  const int second = local.tm_sec;
  if (second < 0 || second > 59) return static_cast<int64_t>(std::mktime(&local));
  const MinuteKey key{local.tm_year, local.tm_mon, local.tm_mday, local.tm_hour, local.tm_min};
  if (!(key == lastKey)) {
    local.tm_sec = 0;
    lastMinute = static_cast<int64_t>(std::mktime(&local));
    lastKey = key;
  }
  return lastMinute == -1 ? -1 : lastMinute + second;
}

int32_t HalveAndClamp(int32_t raw) { return std::clamp(raw / 2, -kAxisLimit, kAxisLimit); }

int32_t LittleEndian32(const unsigned char* bytes) {
  const uint32_t u = uint32_t(bytes[0]) | uint32_t(bytes[1]) << 8 | uint32_t(bytes[2]) << 16 | uint32_t(bytes[3]) << 24;
  return static_cast<int32_t>(u);
}

}  // namespace

bool CGPSData::ParseRMC(uint32_t sampleTimestamp, std::string_view text) {
  *this = CGPSData{};
  timestamp = sampleTimestamp;
  std::size_t position = 0;
  // Fields 0 to 9 in turn; empty fields between two commas count.
  for (int index = 0; index <= 9; ++index) {
    if (position > text.size()) return false;
    const std::size_t comma = text.find(',', position);
    const std::size_t end = comma == std::string_view::npos ? text.size() : comma;
    const std::string_view field = text.substr(position, end - position);
    position = comma == std::string_view::npos ? text.size() + 1 : comma + 1;
    switch (index) {
      case 1:
        hour = DigitPair(field, 0) + 9;
        minute = DigitPair(field, 2);
        second = DigitPair(field, 4);
        break;
      case 2: valid = !field.empty() && field.front() == 'A' ? 1 : 0; break;
      case 3: latitude = ReadNumber<double>(field); break;
      case 4:
        if (field.empty() || field.front() != 'N') latitude = -latitude;
        break;
      case 5: longitude = ReadNumber<double>(field); break;
      case 6:
        if (field.empty() || field.front() != 'E') longitude = -longitude;
        break;
      case 7: speed = static_cast<float>(ReadNumber<double>(field) * kKmhPerKnot); break;
      case 8: course = static_cast<float>(ReadNumber<double>(field)); break;
      case 9:
        day = DigitPair(field, 0);
        month = DigitPair(field, 2);
        year = DigitPair(field, 4);
        break;
      default: break;
    }
  }
  std::tm local{};
  local.tm_sec = second;
  local.tm_min = minute;
  local.tm_hour = hour;  // 24 and more roll into the next day
  local.tm_mday = day;
  local.tm_mon = month - 1;
  local.tm_year = (year + 30) % 100 + 70;
  // Whether the recorder's clock keeps daylight saving is unknown; the C library decides.
  local.tm_isdst = -1;
  time = LocalCalendarTime(local);
  return true;
}

double ToDegrees(double value) {
  const double scaled = value * 0.01;
  const double whole = std::trunc(scaled);
  return whole + (scaled - whole) * 100.0 / 60.0;
}

void CTextData::ParseSample(uint32_t timestamp, const uint8_t* buffer, std::size_t size) {
  if (!buffer) return;
  ParseSample(timestamp, std::string_view(reinterpret_cast<const char*>(buffer), std::min(size, kSampleBufferSize)));
}

void CTextData::ParseSample(uint32_t timestamp, std::string_view bytes) {
  bytes = bytes.substr(0, kSampleBufferSize);
  if (bytes.empty()) return;
  if (bytes.front() == 'M') {
    // Bytes the reader did not deliver read as the zeros of its cleared buffer.
    unsigned char record[kAccelRecordSize] = {};
    std::memcpy(record, bytes.data(), std::min(bytes.size(), kAccelRecordSize));
    CGSensorData sample;
    sample.x = HalveAndClamp(LittleEndian32(record + 1));
    sample.y = HalveAndClamp(LittleEndian32(record + 5));
    sample.z = HalveAndClamp(LittleEndian32(record + 9));
    sample.timestamp = timestamp;
    std::lock_guard lock(mutex_);
    gsensor_.push_back(sample);
    return;
  }
  if (bytes.substr(0, 5) != "GPRMC") return;
  // A sentence ends at the first zero byte, or at the end of the buffer when it fills it.
  const std::size_t end = bytes.find('\0');
  CGPSData fix;
  fix.ParseRMC(timestamp, bytes.substr(0, end));
  if (fix.valid != 1) return;
  std::lock_guard lock(mutex_);
  gps_.push_back(fix);
}

void CTextData::Clear() {
  std::vector<CGSensorData> gsensor;
  std::vector<CGPSData> gps;
  {
    std::lock_guard lock(mutex_);
    gsensor_.swap(gsensor);
    gps_.swap(gps);
  }
}

std::size_t CTextData::GSensorCount() const {
  std::lock_guard lock(mutex_);
  return gsensor_.size();
}

std::size_t CTextData::GpsCount() const {
  std::lock_guard lock(mutex_);
  return gps_.size();
}

CGSensorData CTextData::GSensorAt(std::size_t index) const {
  std::lock_guard lock(mutex_);
  return index < gsensor_.size() ? gsensor_[index] : CGSensorData{};
}

CGPSData CTextData::GpsAt(std::size_t index) const {
  std::lock_guard lock(mutex_);
  return index < gps_.size() ? gps_[index] : CGPSData{};
}
