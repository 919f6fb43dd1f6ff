// The telemetry reader on recordings written with known samples, and on the sample card.
#include "graph/telemetryreader.h"
#include "playbacktestfiles.h"

#include <QDir>
#include <gtest/gtest.h>

namespace {

struct Sample {
  std::string bytes;
  uint32_t ms;
  friend bool operator==(const Sample&, const Sample&) = default;
};

std::vector<Sample> ReadAll(TelemetryReader& reader, int32_t* last) {
  std::vector<Sample> out;
  for (int guard = 0; guard < 100000; ++guard) {
    uint8_t buffer[1024] = {};
    uint32_t size = sizeof buffer;
    uint32_t ms = 0;
    *last = reader.ReadSample(buffer, &size, &ms);
    if (*last != 0) break;
    out.push_back({std::string(reinterpret_cast<char*>(buffer), size), ms});
  }
  return out;
}

class TelemetryReaderTest : public ::testing::TestWithParam<const char*> {};

TEST_P(TelemetryReaderTest, DeliversTheSamplesInOrderWithTheirTimesThenTheEnd) {
  TelemetryReader reader;
  ASSERT_EQ(reader.Load(playbacktest::Path(GetParam())), 0);
  int32_t last = 0;
  const std::vector<Sample> expected{{"M,0,0,1000", 0}, {"GPRMC,000000.00,A", 500}, {"M,1,2,3", 1700}};
  EXPECT_EQ(ReadAll(reader, &last), expected);
  EXPECT_EQ(last, 1);
  uint8_t buffer[16];
  uint32_t size = sizeof buffer, ms = 0;
  EXPECT_EQ(reader.ReadSample(buffer, &size, &ms), 1) << "the end stays the end";
}

INSTANTIATE_TEST_SUITE_P(Containers, TelemetryReaderTest, ::testing::Values("two.avi", "one.mp4", "mute.avi"),
                         [](const auto& info) { return QString(info.param).replace('.', '_').toStdString(); });

TEST(TelemetryReaderFailures, RefusesFilesWithoutADataStreamAndReadsNothingUnloaded) {
  TelemetryReader unloaded;
  uint8_t buffer[16];
  uint32_t size = sizeof buffer, ms = 0;
  EXPECT_LT(unloaded.ReadSample(buffer, &size, &ms), 0);
  TelemetryReader reader;
  EXPECT_EQ(reader.Load(playbacktest::WriteFile("readme.txt", "no media here\n")),
            static_cast<int32_t>(0x8004022F));
}

TEST(TelemetryReaderFailures, CutsASampleToTheCallersBuffer) {
  TelemetryReader reader;
  ASSERT_EQ(reader.Load(playbacktest::Path("two.avi")), 0);
  uint8_t buffer[8] = {};
  uint32_t size = 4, ms = 0;
  ASSERT_EQ(reader.ReadSample(buffer, &size, &ms), 0);
  EXPECT_EQ(size, 4u);
  EXPECT_EQ(std::string(reinterpret_cast<char*>(buffer), 4), "M,0,");
  EXPECT_EQ(buffer[4], 0) << "nothing written past the given size";
}

TEST(SampleCard, EveryRecordingHasTelemetry) {
  const QString card = playbacktest::SampleCard();
  if (card.isEmpty()) GTEST_SKIP() << "no sample card (make-card writes it)";
  const QStringList files = QDir(card + "/Recordings").entryList({"*.AVI", "*.MP4"}, QDir::Files);
  ASSERT_FALSE(files.isEmpty());
  for (const QString& f : files) {
    TelemetryReader reader;
    ASSERT_EQ(reader.Load(card + "/Recordings/" + f), 0) << qPrintable(f);
    int32_t last = 0;
    const auto samples = ReadAll(reader, &last);
    EXPECT_FALSE(samples.empty()) << qPrintable(f);
    EXPECT_EQ(last, 1) << qPrintable(f);
    EXPECT_TRUE(std::is_sorted(samples.begin(), samples.end(),
                               [](const Sample& a, const Sample& b) { return a.ms < b.ms; }))
        << qPrintable(f);
  }
}

}  // namespace
