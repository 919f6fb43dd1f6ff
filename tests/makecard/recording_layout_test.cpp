// The streams of a written recording, as a player finds them: front video, rear video, audio,
// telemetry, in that order; H.264 High 4:2:0 with keyframes on the interval; every stream
// starting at 0; sound that beeps in step with the pictures.
#include "mediaprobe.h"
#include "recordingwriter.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cmath>

namespace {

using mediaprobe::StreamInfo;

struct Layout {
  const char* name;
  Container container;
  int cameras;
  bool audio;
  bool telemetry;
  int gopFrames = 0;
  int bFrames = 0;
};

void PrintTo(const Layout& l, std::ostream* os) { *os << l.name; }

const Layout kLayouts[] = {
    {"AviTwoCameras", Container::Avi, 2, true, true},
    {"Mp4TwoCameras", Container::Mp4, 2, true, true},
    {"AviFrontOnly", Container::Avi, 1, true, true},
    {"Mp4FrontOnly", Container::Mp4, 1, true, true},
    {"AviSilentNoTelemetry", Container::Avi, 2, false, false},
    {"Mp4SilentNoTelemetry", Container::Mp4, 1, false, false},
    {"AviHalfSecondGopBFrames", Container::Avi, 2, true, true, 8, 2},
    {"Mp4HalfSecondGopBFrames", Container::Mp4, 2, true, true, 8, 2},
};

constexpr int kDurationMs = 3000;
constexpr int kFps = 16;  // a frame every 62.5 ms, so keyframe times come out exact

std::filesystem::path Write(const QTemporaryDir& dir, const Layout& l) {
  const std::filesystem::path path =
      std::filesystem::path(dir.path().toStdString()) / (l.container == Container::Avi ? "r.AVI" : "r.MP4");
  RecordingSettings s;
  s.container = l.container;
  s.cameras = l.cameras;
  s.durationMs = kDurationMs;
  s.video.width = 160;
  s.video.height = 90;
  s.video.fps = kFps;
  s.video.gopFrames = l.gopFrames;
  s.video.bFrames = l.bFrames;
  s.audio.enabled = l.audio;
  s.telemetry = l.telemetry;
  s.samples = {{0, "M123456789012"}, {1, "GPRMC,,V,,,,,,,,,,N"}};
  const WriteResult written = WriteRecording(path, s);
  EXPECT_TRUE(written) << written.error;
  EXPECT_EQ(written.videoFrames, kDurationMs * kFps / 1000);
  return path;
}

class RecordingLayout : public ::testing::TestWithParam<Layout> {};

TEST_P(RecordingLayout, StreamsComeInRecorderOrderAndStartAtZero) {
  const Layout& l = GetParam();
  QTemporaryDir dir;
  const std::vector<StreamInfo> streams = mediaprobe::ProbeStreams(Write(dir, l));
  ASSERT_EQ(streams.size(), static_cast<size_t>(l.cameras + l.audio + l.telemetry));

  const int frames = kDurationMs * kFps / 1000;
  const int gop = l.gopFrames ? l.gopFrames : kFps;
  std::vector<double> keyframes;
  for (int k = 0; k * gop < frames; ++k) keyframes.push_back(k * gop * 1000.0 / kFps);
  for (int v = 0; v < l.cameras; ++v) {
    SCOPED_TRACE("video " + std::to_string(v));
    const StreamInfo& video = streams[v];
    EXPECT_EQ(video.type, AVMEDIA_TYPE_VIDEO);
    EXPECT_EQ(video.codec, AV_CODEC_ID_H264);
    EXPECT_EQ(video.profile, FF_PROFILE_H264_HIGH);
    EXPECT_EQ(video.pixelFormat, AV_PIX_FMT_YUV420P);
    EXPECT_EQ(video.packets, frames);
    EXPECT_DOUBLE_EQ(video.startMs, 0.0);
    EXPECT_NEAR(video.endMs, kDurationMs, 0.5);
    EXPECT_EQ(video.keyframeMs, keyframes);
  }
  if (l.audio) {
    const StreamInfo& audio = streams[l.cameras];
    EXPECT_EQ(audio.type, AVMEDIA_TYPE_AUDIO);
    EXPECT_EQ(audio.codec, AV_CODEC_ID_AAC);
    EXPECT_DOUBLE_EQ(audio.startMs, 0.0);
    // MP4's edit list cuts the sound to the recording; AVI plays the encoder's priming too, so
    // its sound ends with the last whole AAC frame inside the recording.
    const double aacFrameMs = 1024 * 1000.0 / audio.sampleRate;
    EXPECT_LE(audio.endMs, kDurationMs + 1.0);
    EXPECT_GE(audio.endMs, kDurationMs - (l.container == Container::Avi ? aacFrameMs : 1.0));
  }
  if (l.telemetry) {
    const StreamInfo& telemetry = streams.back();
    EXPECT_NE(telemetry.type, AVMEDIA_TYPE_VIDEO);
    EXPECT_NE(telemetry.type, AVMEDIA_TYPE_AUDIO);
    if (l.container == Container::Mp4) {
      EXPECT_EQ(telemetry.type, AVMEDIA_TYPE_DATA);
      EXPECT_EQ(telemetry.codec, AV_CODEC_ID_BIN_DATA);
    }
    EXPECT_EQ(telemetry.packets, 2);
  }
}

INSTANTIATE_TEST_SUITE_P(Kinds, RecordingLayout, ::testing::ValuesIn(kLayouts),
                         [](const auto& info) { return std::string(info.param.name); });

// The tone beeps for the first quarter of every second; as decoded, each beep must begin on
// its second. Priming the AVI cannot declare would put it about 21 ms late.
TEST(RecordingSound, BeepsStartOnTheSecondInBothContainers) {
  for (Container c : {Container::Avi, Container::Mp4}) {
    for (int rate : {44100, 48000}) {
      SCOPED_TRACE(std::string(c == Container::Avi ? "AVI " : "MP4 ") + std::to_string(rate));
      QTemporaryDir dir;
      const std::filesystem::path path = std::filesystem::path(dir.path().toStdString()) / "s.AVI";
      RecordingSettings s;
      s.container = c;
      s.cameras = 1;
      s.durationMs = 3000;
      s.video.width = 64;
      s.video.height = 64;
      s.audio.sampleRate = rate;
      s.audio.toneHz = 1000;
      ASSERT_TRUE(WriteRecording(path, s));
      int decodedRate = 0;
      const std::vector<float> sound = mediaprobe::DecodeSound(path, &decodedRate);
      ASSERT_EQ(decodedRate, rate);
      for (int second : {1, 2}) {
        std::size_t onset = static_cast<std::size_t>(rate) * second - rate / 10;
        while (onset < sound.size() && std::fabs(sound[onset]) < 0.1f) ++onset;
        EXPECT_NEAR(onset * 1000.0 / rate, second * 1000.0, 2.0) << "beep " << second;
      }
    }
  }
}

}  // namespace
