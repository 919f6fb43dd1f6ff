// Transport on a built graph: states and their refusals, rate, seeking and stepping, what the
// windows show after a seek, the rear flips, brightness, capture, and playing to the end.
#include "playertestfixture.h"

#include <QDir>
#include <QPainter>
#include <QTest>
#include <thread>

namespace {

using playbacktest::kFps;
using playbacktest::Path;

constexpr int32_t kWrongState = static_cast<int32_t>(0x80040227);
constexpr int32_t kFail = static_cast<int32_t>(0x80004005);

int FrameAt(int ms) { return ms * kFps / 1000; }

TEST_F(PlayerFixture, WithoutAPlayGraphTheOperationsAnswerTheirDefaults) {
  player_->Close();
  EXPECT_TRUE(player_->Play());
  EXPECT_EQ(player_->Pause(), kFail);
  EXPECT_EQ(player_->Stop(), kWrongState);
  EXPECT_TRUE(player_->SeekTo(1000));
  EXPECT_FALSE(player_->StepBack(1));
  EXPECT_FALSE(player_->StepForward(1));
  EXPECT_EQ(player_->GetPositionMs(), 0u);
  EXPECT_EQ(player_->GetDurationMs(), 0u);
  QImage image;
  EXPECT_FALSE(player_->GrabFrame(0, &image));
}

// One step of a transport sequence: the call, what it must answer, and the state after it.
struct Step {
  const char* call;
  int32_t result;  // for Play: 0 true, 1 false
  PlayState after;
};

TEST_F(PlayerFixture, MovesBetweenStatesAndRefusesWhatTheStateDoesNotAllow) {
  ASSERT_TRUE(player_->Open(Path("two.avi")));
  const Step steps[] = {
      {"Stop", kWrongState, PlayState::Stopped}, {"Play", 0, PlayState::Running},
      {"Play", 1, PlayState::Running},           {"Pause", 0, PlayState::Paused},
      {"Pause", 0, PlayState::Paused},           {"Play", 0, PlayState::Running},
      {"Stop", 0, PlayState::Stopped},           {"Stop", kWrongState, PlayState::Stopped},
      {"Pause", 0, PlayState::Paused},           {"Stop", 0, PlayState::Stopped},
      {"Play", 0, PlayState::Running},
  };
  for (const Step& s : steps) {
    const std::string call = s.call;
    int32_t result = 0;
    if (call == "Play") result = player_->Play() ? 0 : 1;
    if (call == "Pause") result = player_->Pause();
    if (call == "Stop") result = player_->Stop();
    EXPECT_EQ(result, s.result) << s.call;
    EXPECT_EQ(player_->State(), s.after) << s.call;
  }
}

struct RateCase {
  bool running;
  float rate;
  float stored;
  double applied;  // the graph's rate afterwards
  PlayState after;
};

class RateTest : public PlayerFixture, public ::testing::WithParamInterface<RateCase> {};

TEST_P(RateTest, ClampsWhenPlaybackRunsAndOnlyStoresOtherwise) {
  const RateCase& c = GetParam();
  ASSERT_TRUE(player_->Open(Path("one.avi")));
  if (c.running) {
    ASSERT_TRUE(player_->Play());
  }
  player_->SetRate(c.rate);
  EXPECT_EQ(player_->State(), c.after);
  EXPECT_FLOAT_EQ(player_->PlayGraph()->Rate(), c.stored);
  double applied = 0;
  player_->PlayGraph()->FilterGraph()->GetRate(&applied);
  EXPECT_DOUBLE_EQ(applied, c.applied);
}

INSTANTIATE_TEST_SUITE_P(Rates, RateTest,
                         ::testing::Values(RateCase{true, 0.2f, 0.5f, 0.5, PlayState::Running},
                                           RateCase{true, 3.0f, 2.0f, 2.0, PlayState::Running},
                                           RateCase{true, 1.0f, 1.0f, 1.0, PlayState::Running},
                                           RateCase{true, 0.75f, 0.75f, 0.75, PlayState::Running},
                                           RateCase{false, 0.2f, 0.2f, 1.0, PlayState::Paused}));

TEST_F(PlayerFixture, SeeksInMediaTimeAndStepsStayWithinTheRecording) {
  ASSERT_TRUE(player_->Open(Path("two.avi")));
  EXPECT_FALSE(player_->StepForward(1)) << "stepping needs Running or Paused";
  player_->Pause();
  ASSERT_TRUE(player_->SeekTo(1500));
  EXPECT_EQ(GraphPosition(), MediaTime(15'000'000));
  EXPECT_EQ(player_->GetPositionMs(), 1500u);
  ASSERT_TRUE(player_->SeekTo(400));
  ASSERT_TRUE(player_->StepBack(1));
  EXPECT_EQ(GraphPosition(), MediaTime(0));
  const uint64_t duration = player_->GetDurationMs();
  ASSERT_GT(duration, 1000u);
  ASSERT_TRUE(player_->SeekTo(duration - 500));
  ASSERT_TRUE(player_->StepForward(1));
  EXPECT_EQ(player_->GetPositionMs(), duration);
  EXPECT_TRUE(ShowsFrame(front_.get(), playbacktest::kDurationMs * kFps / 1000 - 1))
      << "at the very end the last picture stays";
}

class SeekTest : public PlayerFixture, public ::testing::WithParamInterface<const char*> {};

TEST_P(SeekTest, ShowsExactlyTheTargetFrameInBothWindows) {
  ASSERT_TRUE(player_->Open(Path(GetParam())));
  player_->Pause();
  // Mid-GOP, on a frame boundary, the first frame again, and backwards.
  for (int ms : {1500, 2000, 2933, 60, 3800, 700}) {
    ASSERT_TRUE(player_->SeekTo(ms));
    EXPECT_TRUE(ShowsFrame(front_.get(), FrameAt(ms))) << ms;
    EXPECT_TRUE(ShowsFrame(rear_.get(), FrameAt(ms))) << ms;
    EXPECT_EQ(Shown(rear_.get())->camera, 1);
  }
  EXPECT_EQ(player_->State(), PlayState::Paused) << "seeking keeps the pause";
}

INSTANTIATE_TEST_SUITE_P(Containers, SeekTest, ::testing::Values("two.avi", "two.mp4"),
                         [](const auto& info) { return QString(info.param).replace('.', '_').toStdString(); });

TEST_F(PlayerFixture, SeekWhilePlayingHoldsTheClockUntilThePicturesAreThereThenGoesOn) {
  ASSERT_TRUE(player_->Open(Path("two.mp4")));
  ASSERT_TRUE(player_->Play());
  ASSERT_TRUE(QTest::qWaitFor([&] { return player_->GetPositionMs() > 300; }, 10000));
  ASSERT_TRUE(player_->SeekTo(2000));
  // The pictures are shown by the event loop, which does not run while this thread sleeps: the
  // clock waits for them.
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  EXPECT_EQ(player_->GetPositionMs(), 2000u);
  EXPECT_TRUE(QTest::qWaitFor([&] { return player_->GetPositionMs() > 2300; }, 10000)) << "playback goes on";
  const auto front = Shown(front_.get());
  ASSERT_TRUE(front);
  EXPECT_GE(front->frameNumber, FrameAt(2000));
  EXPECT_EQ(player_->State(), PlayState::Running);
}

struct FlipCase {
  int parameter;
  bool vertical, horizontal;
};

class RearFlipTest : public PlayerFixture, public ::testing::WithParamInterface<FlipCase> {};

TEST_P(RearFlipTest, FlipsTheRearPictureOnlyFromTheNextFrameOn) {
  const FlipCase& c = GetParam();
  ASSERT_TRUE(player_->Open(Path("two.avi")));
  ASSERT_TRUE(player_->Play());
  player_->SetRearFlip(c.parameter, 1);
  auto flippedAsAsked = [&] {
    const auto rear = Shown(rear_.get());
    return rear && rear->flippedVertically == c.vertical && rear->mirroredHorizontally == c.horizontal;
  };
  EXPECT_TRUE(QTest::qWaitFor(flippedAsAsked, 10000));
  const auto front = Shown(front_.get());
  ASSERT_TRUE(front);
  EXPECT_FALSE(front->flippedVertically || front->mirroredHorizontally) << "the front decoder is never touched";
  // The capture takes the picture as shown.
  player_->Pause();
  QImage rear;
  ASSERT_TRUE(player_->GrabFrame(1, &rear));
  const auto grabbed = ReadFrameMark(rear);
  ASSERT_TRUE(grabbed);
  EXPECT_EQ(grabbed->flippedVertically, c.vertical);
  EXPECT_EQ(grabbed->mirroredHorizontally, c.horizontal);
  // Switched off while paused: the same picture comes back upright without playing on.
  player_->SetRearFlip(c.parameter, 0);
  EXPECT_TRUE(QTest::qWaitFor(
      [&] {
        const auto m = Shown(rear_.get());
        return m && m->frameNumber == grabbed->frameNumber && !m->flippedVertically && !m->mirroredHorizontally;
      },
      10000));
  EXPECT_EQ(player_->State(), PlayState::Paused);
}

INSTANTIATE_TEST_SUITE_P(Flips, RearFlipTest,
                         ::testing::Values(FlipCase{1112, true, false}, FlipCase{1113, false, true}));

double MeanLuma(const QImage& image) {
  double sum = 0;
  for (int y = 0; y < image.height(); y += 4)
    for (int x = 0; x < image.width(); x += 4) sum += qGray(image.pixel(x, y));
  return sum / ((image.height() / 4) * (image.width() / 4));
}

TEST_F(PlayerFixture, DecoderBrightnessPairChangesThePicture) {
  ASSERT_TRUE(player_->Open(Path("one.avi")));
  player_->Pause();
  player_->SeekTo(1000);
  ASSERT_TRUE(ShowsFrame(front_.get(), FrameAt(1000)));
  const double before = MeanLuma(front_->grab().toImage());
  IDecoderParameters* decoder = player_->Decoder(1);
  ASSERT_NE(decoder, nullptr);
  // Paused: the current picture is decoded again with the new brightness.
  decoder->PutParam(205, 1);
  decoder->PutParam(202, 100);
  EXPECT_TRUE(QTest::qWaitFor([&] { return MeanLuma(front_->grab().toImage()) > before + 40; }, 10000));
  player_->SetBrightness(-150);  // reaches brightness filters only, and the graph holds none
  decoder->PutParam(202, -150);
  EXPECT_TRUE(QTest::qWaitFor([&] { return MeanLuma(front_->grab().toImage()) < before - 40; }, 10000));
  const auto mark = Shown(front_.get());
  ASSERT_TRUE(mark);
  EXPECT_EQ(mark->frameNumber, FrameAt(1000)) << "the refresh keeps the position";
}

TEST_F(PlayerFixture, GrabFrameGivesTheNativePictureTopDown) {
  ASSERT_TRUE(player_->Open(Path("two.mp4")));
  player_->Pause();
  player_->SeekTo(2000);
  ASSERT_TRUE(ShowsFrame(rear_.get(), FrameAt(2000)));
  ASSERT_TRUE(ShowsFrame(front_.get(), FrameAt(2000)));
  for (int channel : {0, 1}) {
    QImage image;
    ASSERT_TRUE(player_->GrabFrame(channel, &image));
    EXPECT_EQ(image.size(), QSize(playbacktest::kWidth, playbacktest::kHeight));
    const auto mark = ReadFrameMark(image);
    ASSERT_TRUE(mark) << channel;
    EXPECT_EQ(mark->camera, channel);
    EXPECT_EQ(mark->frameNumber, FrameAt(2000));
    EXPECT_FALSE(mark->flippedVertically) << "rows come bottom-up and must be turned";
  }
  ASSERT_TRUE(player_->Open(Path("one.mp4")));
  QImage image;
  EXPECT_TRUE(player_->GrabFrame(0, &image));
  EXPECT_FALSE(player_->GrabFrame(1, &image)) << "a one-camera recording has no rear renderer";
}

TEST_F(PlayerFixture, PlaysToTheEndAndPlayThenStartsOver) {
  ASSERT_TRUE(player_->Open(Path("two.avi")));
  player_->Pause();
  ASSERT_TRUE(player_->SeekTo(3000));
  ASSERT_TRUE(player_->Play());
  const uint64_t duration = player_->GetDurationMs();
  EXPECT_TRUE(QTest::qWaitFor([&] { return player_->GetPositionMs() >= duration; }, 15000));
  EXPECT_EQ(player_->GetPositionMs(), duration) << "the position stops at the duration";
  EXPECT_TRUE(QTest::qWaitFor([&] { return Renderer(1)->Stats().endOfStream && Renderer(2)->Stats().endOfStream; },
                              10000));
  const int last = playbacktest::kDurationMs * kFps / 1000 - 1;
  EXPECT_TRUE(ShowsFrame(front_.get(), last));
  EXPECT_TRUE(ShowsFrame(rear_.get(), last));
  // Still Running at the end, as the graph never stops itself; pause and play again.
  EXPECT_EQ(player_->State(), PlayState::Running);
  player_->Pause();
  ASSERT_TRUE(player_->Play());
  EXPECT_LT(player_->GetPositionMs(), duration);
  EXPECT_TRUE(QTest::qWaitFor(
      [&] {
        const auto m = Shown(front_.get());
        return m && m->frameNumber < FrameAt(1000);
      },
      10000));
}

// The main window's own paint hands its painter to PaintFront.
class PaintingParent : public QWidget {
 public:
  explicit PaintingParent(CVideoPlayer& player) : player_(player) {}

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
    player_.PaintFront(&painter);
  }

 private:
  CVideoPlayer& player_;
};

TEST_F(PlayerFixture, RepaintAndPaintFrontDrawTheCurrentPictureWhereTheWindowIs) {
  ASSERT_TRUE(player_->Open(Path("two.avi")));
  front_->resize(200, 100);
  player_->Repaint();
  EXPECT_TRUE(Shown(front_.get())) << "stretched to the window's new size";
  PaintingParent parent(*player_);
  parent.resize(600, 300);
  front_->setParent(&parent);
  front_->setGeometry(100, 50, 200, 100);
  front_->hide();  // only the parent's paint draws now
  const QImage shot = parent.grab().toImage();
  EXPECT_TRUE(ReadFrameMark(shot.copy(100, 50, 200, 100)));
  EXPECT_FALSE(ReadFrameMark(shot.copy(300, 150, 200, 100)));
  front_->setParent(nullptr);
}

TEST(SampleCardPlayback, EveryRecordingOpensWithItsCameras) {
  const QString card = playbacktest::SampleCard();
  if (card.isEmpty()) GTEST_SKIP() << "no sample card (make-card writes it)";
  ComponentFactory factory;
  RegisterPlaybackComponents(factory);
  QWidget front, rear;
  front.resize(344, 194);
  rear.resize(344, 194);
  CVideoPlayer player(factory, nullptr);
  player.Attach(&front, &rear);
  const QStringList files = QDir(card + "/Recordings").entryList({"*.AVI", "*.MP4"}, QDir::Files);
  ASSERT_FALSE(files.isEmpty());
  for (const QString& f : files) {
    ASSERT_TRUE(player.Open(card + "/Recordings/" + f)) << qPrintable(f);
    // The recorder's names carry the camera count at position 20.
    EXPECT_EQ(player.VideoStreamCount(), f.at(20).digitValue()) << qPrintable(f);
    const auto mark = ReadFrameMark(front.grab().toImage());
    ASSERT_TRUE(mark) << qPrintable(f);
    EXPECT_EQ(mark->camera, 0);
  }
}

}  // namespace
