// The sample card that the sample_card fixture writes, as the player's scan, filters,
// information dialog and telemetry reader will see it.
#include "cardplan.h"
#include "mediaprobe.h"
#include "telemetryreadback.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <regex>
#include <set>

namespace {

// The environment names the card when the test runner passes it on; the build's own path is
// the fallback, so running the program by hand finds the fixture's card too.
std::filesystem::path CardRoot() {
  const char* root = std::getenv("TAVRO_SAMPLE_CARD");
  return root && *root ? root : TAVRO_SAMPLE_CARD_BUILT_IN;
}

std::vector<std::string> RecordingNames(const std::filesystem::path& root) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(root / "Recordings"))
    names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

TEST(SampleCard, HoldsTheDefaultPlanUnderRecorderNames) {
  ASSERT_TRUE(std::filesystem::is_directory(CardRoot() / "Recordings")) << CardRoot();
  const std::vector<CardRecording> plan = PlanCard(CardOptions{});
  std::vector<std::string> planned;
  for (const CardRecording& r : plan) planned.push_back(r.name);
  ASSERT_EQ(RecordingNames(CardRoot()), planned);

  const std::regex grammar(R"(\d{8}_\d{6}_(NOR|EVT|MOT)_[12][FR]\.(AVI|MP4))");
  std::set<std::string> kinds, days, shapes;
  for (const CardRecording& r : plan) {
    SCOPED_TRACE(r.name);
    EXPECT_TRUE(std::regex_match(r.name, grammar));
    EXPECT_EQ(r.name.substr(16, 3), KindCode(r.kind));
    kinds.insert(r.name.substr(16, 3));
    days.insert(r.name.substr(0, 8));
    shapes.insert(r.name.substr(20, 2) + r.name.substr(r.name.size() - 4));

    // Position 20 counts the cameras and 21 says whether the rear is there: both must match the
    // file, since the capture names and the channel views depend on them.
    const auto streams = mediaprobe::ProbeStreams(CardRoot() / "Recordings" / r.name);
    const auto videos = std::count_if(streams.begin(), streams.end(), [](const auto& s) { return s.type == AVMEDIA_TYPE_VIDEO; });
    EXPECT_EQ(videos, r.name[20] - '0');
    EXPECT_EQ(r.name[21], videos == 2 ? 'R' : 'F');
    // Pictures first, then sound, then telemetry, as the player's graph expects them.
    std::vector<AVMediaType> order(streams.size());
    std::transform(streams.begin(), streams.end(), order.begin(), [](const auto& s) { return s.type; });
    std::vector<AVMediaType> expected(videos, AVMEDIA_TYPE_VIDEO);
    expected.push_back(AVMEDIA_TYPE_AUDIO);
    expected.push_back(r.name.ends_with(".MP4") ? AVMEDIA_TYPE_DATA : AVMEDIA_TYPE_UNKNOWN);
    EXPECT_EQ(order, expected);
  }
  EXPECT_EQ(kinds, (std::set<std::string>{"EVT", "MOT", "NOR"}));
  EXPECT_EQ(days.size(), 3u);
  EXPECT_EQ(shapes, (std::set<std::string>{"1F.AVI", "1F.MP4", "2R.AVI", "2R.MP4"}));
}

TEST(SampleCard, TelemetryOfEveryRecordingReadsBackAsPlanned) {
  int withoutGps = 0, voidOnly = 0, withFixes = 0;
  for (const CardRecording& r : PlanCard(CardOptions{})) {
    SCOPED_TRACE(r.name);
    const auto samples = ReadTelemetrySamples(CardRoot() / "Recordings" / r.name);
    ASSERT_TRUE(samples);
    EXPECT_EQ(*samples, r.settings.samples);
    const auto fixes = std::count_if(samples->begin(), samples->end(), [](const TelemetrySample& s) { return s.bytes.rfind("GPRMC", 0) == 0; });
    const auto valid = std::count_if(samples->begin(), samples->end(), [](const TelemetrySample& s) { return s.bytes.rfind("GPRMC,", 0) == 0 && s.bytes.find(",A,") != std::string::npos; });
    withoutGps += fixes == 0;
    voidOnly += fixes > 0 && valid == 0;
    withFixes += valid > 0;
  }
  // The map has recordings to show and recordings to hide for.
  EXPECT_GT(withoutGps, 0);
  EXPECT_GT(voidOnly, 0);
  EXPECT_GT(withFixes, 0);
}

TEST(SampleCard, ConfigHoldsTheFirmwareVersion) {
  std::ifstream in(CardRoot() / "Configs" / "qx5_sysenv.cfg", std::ios::binary);
  std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  ASSERT_GE(bytes.size(), 16u);
  auto le32 = [&](int at) { return bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 | bytes[at + 3] << 24; };
  EXPECT_EQ(le32(8), 1);
  EXPECT_EQ(le32(12), 7);
}

TEST(CardWriting, ReplacesAnEarlierCardsRecordingsAndKeepsOtherFiles) {
  QTemporaryDir dir;
  const std::filesystem::path root = dir.path().toStdString();
  std::filesystem::create_directories(root / "Recordings" / "Saved");
  for (const char* name : {"20200101_000000_NOR_1F.AVI", "old.mp4", "notes.txt", "Saved/20200101_000000_EVT_1F.AVI"})
    std::ofstream(root / "Recordings" / name) << "stale";

  CardOptions options;
  options.count = 2;
  options.durationSeconds = 1;
  options.video.width = 64;
  options.video.height = 64;
  options.firmwareMajor = 2;
  options.firmwareMinor = 1234;
  const CardResult result = WriteCard(root, options);
  ASSERT_TRUE(result.ok) << result.error;

  std::vector<std::string> expected{"Saved", "notes.txt"};
  for (const CardRecording& r : PlanCard(options)) expected.push_back(r.name);
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(RecordingNames(root), expected);
  EXPECT_TRUE(std::filesystem::exists(root / "Recordings" / "Saved" / "20200101_000000_EVT_1F.AVI"));
  EXPECT_EQ(result.written.size(), 3u);

  std::ifstream in(root / "Configs" / "qx5_sysenv.cfg", std::ios::binary);
  char bytes[16] = {};
  in.read(bytes, 16);
  EXPECT_EQ(std::string(bytes + 8, 8), std::string("\x02\0\0\0\xd2\x04\0\0", 8));
}

}  // namespace
