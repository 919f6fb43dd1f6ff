// The sample grammar: acceleration records halved and clamped, GPRMC sentences field by field,
// which fixes are kept, and NMEA coordinates in degrees.
#include "textdata.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstring>
#include <ctime>
#include <string>

namespace {

std::string AccelRecord(int32_t x, int32_t y, int32_t z) {
  std::string out(1, 'M');
  for (int32_t v : {x, y, z})
    for (int shift = 0; shift < 32; shift += 8) out.push_back(char((uint32_t(v) >> shift) & 0xFF));
  return out;
}

// The calendar time mktime gives for a broken-down local time.
int64_t LocalTime(int year, int month, int day, int hour, int minute, int second) {
  std::tm tm{};
  tm.tm_year = year - 1900;
  tm.tm_mon = month - 1;
  tm.tm_mday = day;
  tm.tm_hour = hour;
  tm.tm_min = minute;
  tm.tm_sec = second;
  tm.tm_isdst = -1;
  return std::mktime(&tm);
}

struct AccelCase {
  const char* what;
  int32_t raw[3];
  int32_t stored[3];
};

TEST(ParseSample, AccelerationRecordsAreHalvedTowardZeroAndClamped) {
  const AccelCase cases[] = {
      {"clamped both ways, odd value halved", {241, -241, 7}, {120, -120, 3}},
      {"minus one truncates to zero", {-1, -5, 1}, {0, -2, 0}},
      {"exact limits", {240, -240, 239}, {120, -120, 119}},
      {"extremes do not overflow", {INT32_MIN, INT32_MAX, 0}, {-120, 120, 0}},
  };
  for (const AccelCase& c : cases) {
    SCOPED_TRACE(c.what);
    CTextData data;
    data.ParseSample(4200, AccelRecord(c.raw[0], c.raw[1], c.raw[2]));
    ASSERT_EQ(data.GSensorCount(), 1u);
    EXPECT_EQ(data.GSensorAt(0), (CGSensorData{c.stored[0], c.stored[1], c.stored[2], 4200}));
  }
}

TEST(ParseSample, RecordBytesAreReadFromTheBufferNotUpToAZero) {
  // Axis bytes of zero are part of the record; a text view would stop at them.
  uint8_t buffer[kSampleBufferSize] = {};
  const std::string record = AccelRecord(200, 100, 80);
  std::memcpy(buffer, record.data(), record.size());
  CTextData data;
  data.ParseSample(7, buffer);
  EXPECT_EQ(data.GSensorAt(0), (CGSensorData{100, 50, 40, 7}));
}

struct RmcCase {
  const char* sentence;
  bool parsedAll;  // ParseRMC's answer
  bool stored;
  CGPSData fix;    // time is checked separately
};

TEST(ParseRMC, FieldsAndWhatIsStored) {
  const CGPSData standard{94, 3, 23, 21, 35, 19, 1, 4807.038, 1131.0, double(float(22.4 * 1.852)), double(float(84.4)), 0, 9};
  CGPSData southWest = standard;
  southWest.latitude = -4807.038;
  southWest.longitude = -1131.0;
  const RmcCase cases[] = {
      {"GPRMC,123519,A,4807.038,N,01131.000,E,022.4,084.4,230394,003.1,W", true, true, standard},
      {"GPRMC,123519,A,4807.038,S,01131.000,W,022.4,084.4,230394,003.1,W", true, true, southWest},
      {"GPRMC,,V,,,,,,,,,,N", true, false, {0, 0, 0, 9, 0, 0, 0, 0, 0, 0, 0, 0, 9}},
      {"GPRMC,123519,A,4807.038,N", false, true, {0, 0, 0, 21, 35, 19, 1, 4807.038, 0, 0, 0, 0, 9}},
      {"GPRMC,123519,,4807.038", false, false, {0, 0, 0, 21, 35, 19, 0, 4807.038, 0, 0, 0, 0, 9}},
      // Short time and date fields: the missing digit pairs read as 0.
      {"GPRMC,1235,A,3723.2475,N,12658.1234,E,0,0,0101", true, true,
       {0, 1, 1, 21, 35, 0, 1, 3723.2475, 12658.1234, 0, 0, 0, 9}},
      // An empty hemisphere field negates; a field that is no number reads 0.
      {"GPRMC,000000,A,3723.2475,,12658.1234,x,abc,,010110", true, true,
       {10, 1, 1, 9, 0, 0, 1, -3723.2475, -12658.1234, 0, 0, 0, 9}},
  };
  for (const RmcCase& c : cases) {
    SCOPED_TRACE(c.sentence);
    CGPSData fix;
    EXPECT_EQ(fix.ParseRMC(9, c.sentence), c.parsedAll);
    CGPSData expected = c.fix;
    expected.time = fix.time;
    EXPECT_EQ(fix, expected);
    if (!c.parsedAll) {
      EXPECT_EQ(fix.time, 0);
    }
    CTextData data;
    data.ParseSample(9, std::string(c.sentence));
    EXPECT_EQ(data.GpsCount(), c.stored ? 1u : 0u);
  }
}

TEST(ParseRMC, CalendarTimeFollowsTheTwoDigitYearRuleAndRollsTheShiftedHour) {
  struct {
    const char* sentence;
    int64_t time;
  } const cases[] = {
      {"GPRMC,123519,A,1,N,1,E,0,0,230394", LocalTime(1994, 3, 23, 21, 35, 19)},
      {"GPRMC,123502,A,1,N,1,E,0,0,230394", LocalTime(1994, 3, 23, 21, 35, 2)},  // same minute again
      {"GPRMC,000000,A,1,N,1,E,0,0,010110", LocalTime(2010, 1, 1, 9, 0, 0)},
      {"GPRMC,000000,A,1,N,1,E,0,0,311299", LocalTime(1999, 12, 31, 9, 0, 0)},
      // 20 h UTC + 9 = hour 29: five in the morning of the next day.
      {"GPRMC,200000,A,1,N,1,E,0,0,311299", LocalTime(2000, 1, 1, 5, 0, 0)},
      {"GPRMC,000000,A,1,N,1,E,0,0,010169", LocalTime(2069, 1, 1, 9, 0, 0)},
      {"GPRMC,000000,A,1,N,1,E,0,0,010170", LocalTime(1970, 1, 1, 9, 0, 0)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.sentence);
    CGPSData fix;
    ASSERT_TRUE(fix.ParseRMC(0, c.sentence));
    EXPECT_EQ(fix.time, c.time);
  }
  CGPSData fix;
  fix.ParseRMC(0, "GPRMC,200000,A,1,N,1,E,0,0,311299");
  EXPECT_EQ(fix.hour, 29) << "the hour itself is not wrapped";
}

TEST(ParseSample, OtherSamplesAreIgnored) {
  CTextData data;
  for (const char* text : {"$GPRMC,123519,A,4807.038,N,01131.000,E,022.4,084.4,230394,003.1,W",
                           "GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,", "", "m lower case",
                           "GPRM"})
    data.ParseSample(1, std::string(text));
  EXPECT_EQ(data.GSensorCount(), 0u);
  EXPECT_EQ(data.GpsCount(), 0u);
}

TEST(ParseSample, ASentenceFillingTheWholeBufferIsReadNoFurther) {
  // 1024 bytes and no terminating zero: the sentence ends with the buffer, so the date that
  // follows it in memory is never read.
  std::string memory = "GPRMC,123519,A,4807.038,N,01131.000,E,022.4,";
  memory.resize(kSampleBufferSize, '0');
  memory += ",230394";
  CTextData data;
  data.ParseSample(3, reinterpret_cast<const uint8_t*>(memory.data()), memory.size());
  ASSERT_EQ(data.GpsCount(), 1u);
  EXPECT_EQ(data.GpsAt(0).day, 0);
  EXPECT_EQ(data.GpsAt(0).time, 0);
}

TEST(ParseRMC, NumbersReadTheSameUnderADecimalCommaLocale) {
  const char* previous = std::setlocale(LC_NUMERIC, nullptr);
  const std::string saved = previous ? previous : "C";
  bool switched = false;
  for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "ru_RU.UTF-8"})
    if (std::setlocale(LC_NUMERIC, name)) {
      switched = true;
      break;
    }
  CGPSData fix;
  fix.ParseRMC(0, "GPRMC,123519,A,4807.038,N,01131.000,E,022.4,084.4,230394,003.1,W");
  std::setlocale(LC_NUMERIC, saved.c_str());
  if (!switched) GTEST_SKIP() << "no decimal-comma locale installed";
  EXPECT_DOUBLE_EQ(fix.latitude, 4807.038);
}

TEST(ParseSample, ClearEmptiesBothArrays) {
  CTextData data;
  data.ParseSample(1, AccelRecord(1, 2, 3));
  data.ParseSample(2, std::string("GPRMC,123519,A,4807.038,N,01131.000,E,022.4,084.4,230394"));
  data.Clear();
  EXPECT_EQ(data.GSensorCount(), 0u);
  EXPECT_EQ(data.GpsCount(), 0u);
  EXPECT_EQ(data.GpsAt(0), CGPSData{}) << "past the end gives a zeroed record";
}

TEST(ToDegrees, ConvertsDegreesAndMinutesSymmetrically) {
  EXPECT_NEAR(ToDegrees(3723.2475), 37.387458333, 1e-9);
  EXPECT_NEAR(ToDegrees(-3723.2475), -37.387458333, 1e-9);
  EXPECT_NEAR(ToDegrees(-12218.5), -122.308333333, 1e-9);
  EXPECT_EQ(ToDegrees(0), 0);
}

}  // namespace
