// make-card's flags as the benchmarks, the demo and the fixture give them.
#include "commandline.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

struct Accepted {
  std::vector<std::string> args;
  std::function<void(const CommandLine&)> check;
};

TEST(CommandLine, TakesEveryFlag) {
  const std::vector<Accepted> cases = {
      {{"card"},
       [](const CommandLine& l) {
         EXPECT_EQ(l.target, "card");
         EXPECT_FALSE(l.single);
         EXPECT_EQ(l.card.count, 12);
         EXPECT_EQ(l.card.cameras, 0);
         EXPECT_FALSE(l.card.container.has_value());
         EXPECT_EQ(l.card.kinds.size(), 3u);
       }},
      {{"--single", "b.avi", "--size", "1920x1080", "--fps", "30", "--duration", "60", "--cameras", "2", "--container", "avi"},
       [](const CommandLine& l) {
         EXPECT_TRUE(l.single);
         EXPECT_EQ(l.target, "b.avi");
         EXPECT_EQ(l.card.video.width, 1920);
         EXPECT_EQ(l.card.video.height, 1080);
         EXPECT_EQ(l.card.video.fps, 30);
         EXPECT_EQ(l.card.durationSeconds, 60);
         EXPECT_TRUE(l.durationGiven);
         EXPECT_EQ(l.card.cameras, 2);
         EXPECT_EQ(l.card.container, Container::Avi);
       }},
      {{"--count", "5", "--kinds", "EVT,MOT", "--gop", "8", "--bframes", "2", "--crf", "30", "--preset", "faster", "d",
        "--gps", "void", "--no-audio", "--no-telemetry", "--firmware", "2.1234", "--container", "mp4"},
       [](const CommandLine& l) {
         EXPECT_EQ(l.target, "d");
         EXPECT_EQ(l.card.count, 5);
         EXPECT_EQ(l.card.kinds, (std::vector<RecordingKind>{RecordingKind::Event, RecordingKind::Motion}));
         EXPECT_EQ(l.card.video.gopFrames, 8);
         EXPECT_EQ(l.card.video.bFrames, 2);
         EXPECT_EQ(l.card.video.crf, 30);
         EXPECT_EQ(l.card.video.preset, "faster");
         EXPECT_EQ(l.card.gps, GpsMode::Void);
         EXPECT_FALSE(l.card.audio);
         EXPECT_FALSE(l.card.telemetry);
         EXPECT_EQ(l.card.firmwareMajor, 2);
         EXPECT_EQ(l.card.firmwareMinor, 1234);
         EXPECT_EQ(l.card.container, Container::Mp4);
       }},
      {{"--help"}, [](const CommandLine& l) { EXPECT_TRUE(l.help); }},
  };
  for (const Accepted& c : cases) {
    const ParsedCommandLine parsed = ParseCommandLine(c.args);
    SCOPED_TRACE(c.args.front());
    ASSERT_TRUE(parsed.ok) << parsed.error;
    c.check(parsed.line);
  }
}

TEST(CommandLine, RefusesWhatItCannotWrite) {
  const std::vector<std::vector<std::string>> cases = {
      {},
      {"--count", "0", "d"},
      {"--count", "x", "d"},
      {"--size", "321x180", "d"},
      {"--size", "320", "d"},
      {"--cameras", "3", "d"},
      {"--container", "mkv", "d"},
      {"--kinds", "NOR,XYZ", "d"},
      {"--gps", "maybe", "d"},
      {"--firmware", "1", "d"},
      {"--wobble", "1", "d"},
      {"d", "e"},
      {"d", "--single", "f.AVI"},
      {"d", "--fps"},
  };
  for (const auto& args : cases) {
    const ParsedCommandLine parsed = ParseCommandLine(args);
    EXPECT_FALSE(parsed.ok) << testing::PrintToString(args);
    EXPECT_FALSE(parsed.error.empty()) << testing::PrintToString(args);
  }
}

TEST(CommandLine, SingleRecordingTakesItsContainerFromTheFlagOrTheName) {
  struct Case {
    std::vector<std::string> args;
    bool ok;
    Container container;
    int cameras;
    int durationMs;
  };
  const std::vector<Case> cases = {
      {{"--single", "x.mp4"}, true, Container::Mp4, 2, 4000},
      {{"--single", "x.AVI", "--cameras", "1", "--duration", "9"}, true, Container::Avi, 1, 9000},
      {{"--single", "x.bin", "--container", "mp4"}, true, Container::Mp4, 2, 4000},
      {{"--single", "x.AVI", "--container", "mp4"}, true, Container::Mp4, 2, 4000},
      {{"--single", "x.bin"}, false, Container::Avi, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.args));
    const ParsedCommandLine parsed = ParseCommandLine(c.args);
    ASSERT_TRUE(parsed.ok) << parsed.error;
    const SingleRecording single = SingleRecordingSettings(parsed.line);
    ASSERT_EQ(single.ok, c.ok) << single.error;
    if (!c.ok) continue;
    EXPECT_EQ(single.settings.container, c.container);
    EXPECT_EQ(single.settings.cameras, c.cameras);
    EXPECT_EQ(single.settings.durationMs, c.durationMs);
    EXPECT_FALSE(single.settings.samples.empty());
    EXPECT_LT(single.settings.samples.back().ms, c.durationMs);
  }

  const ParsedCommandLine quiet = ParseCommandLine({"--single", "q.MP4", "--gps", "none", "--no-audio"});
  const SingleRecording single = SingleRecordingSettings(quiet.line);
  EXPECT_FALSE(single.settings.audio.enabled);
  for (const TelemetrySample& s : single.settings.samples) EXPECT_EQ(s.bytes[0], 'M');
}

}  // namespace
