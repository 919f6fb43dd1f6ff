// The G-sensor graph read back pixel by pixel, the speed digits and when they are redrawn, and
// the play-position line with its click.
#include "componentfactory.h"
#include "fakehost.h"
#include "gsensorgraph.h"
#include "resourceids.h"
#include "skinbitmap.h"
#include "telemetrycontroller.h"
#include "platformservices.h"
#include "testenvironment.h"
#include "videoplayer.h"

#include <QPainter>
#include <QSignalSpy>
#include <gtest/gtest.h>

namespace {

constexpr QRgb kPen = 0xFFBB2D09;

std::string AccelRecord(int32_t x, int32_t y, int32_t z) {
  std::string out(1, 'M');
  for (int32_t v : {x, y, z})
    for (int shift = 0; shift < 32; shift += 8) out.push_back(char((uint32_t(v) >> shift) & 0xFF));
  return out;
}

// Samples of (ms, stored x); the raw value is twice the stored one.
std::unique_ptr<CTextData> Samples(std::initializer_list<std::pair<uint32_t, int>> samples) {
  auto data = std::make_unique<CTextData>();
  for (auto [ms, x] : samples) data->ParseSample(ms, AccelRecord(2 * x, 0, 0));
  return data;
}

bool PenAt(const QImage& image, int x, int y) { return image.pixel(x, y) == kPen; }

bool PenInColumn(const QImage& image, int x, int top, int bottom) {
  for (int y = top; y <= bottom; ++y)
    if (PenAt(image, x, y)) return true;
  return false;
}

TEST(GSensorGraph, TracesLandWhereTheScaleAndTruncationPutThem) {
  // Whole seconds over 372 pixels: 2000 ms puts sample 1 at x 186 and sample 2 at 372 (clipped).
  const QImage graph = gsensor::DrawGraph(*Samples({{0, 120}, {1000, -120}, {2000, 0}}), 2000);
  ASSERT_EQ(graph.size(), QSize(370, 114));
  EXPECT_TRUE(PenAt(graph, 0, 1)) << "19 - 17.8 truncates to 1";
  EXPECT_TRUE(PenAt(graph, 186, 36)) << "19 + 17.8 truncates to 36";
  EXPECT_FALSE(PenAt(graph, 186, 37));
  EXPECT_TRUE(PenInColumn(graph, 369, 19, 20)) << "on its way back to the baseline";
  EXPECT_TRUE(PenAt(graph, 100, 57) && PenAt(graph, 100, 95)) << "the other axes at their baselines";

  // 59,999 ms counts as 59,000: a sample at 29,500 ms lands on x 186.
  const QImage cut = gsensor::DrawGraph(*Samples({{29000, 0}, {29500, 120}, {30000, 0}}), 59999);
  EXPECT_TRUE(PenAt(cut, 186, 1));
  EXPECT_FALSE(PenInColumn(cut, 185, 0, 1) || PenInColumn(cut, 187, 0, 1)) << "the peak is at 186 alone";
}

TEST(GSensorGraph, SamplesAfterFiveMinutesAreLeftOut) {
  const QImage graph = gsensor::DrawGraph(*Samples({{0, 0}, {300000, 120}, {300001, -120}}), 600000);
  EXPECT_TRUE(PenAt(graph, 186, 1)) << "300,000 ms is drawn";
  EXPECT_FALSE(PenInColumn(graph, 186, 20, 40)) << "300,001 ms is not";
}

TEST(GSensorGraph, WithoutSamplesOrDurationOnlyTheBackgroundShows) {
  const QImage background = skin::LoadSkinBitmap(ids::IDB_GSENSOR_BACKGROUND);
  ASSERT_FALSE(background.isNull());
  EXPECT_EQ(gsensor::DrawGraph(CTextData(), 60000), background);
  EXPECT_EQ(gsensor::DrawGraph(*Samples({{0, 120}}), 0), background);
  // Shorter than a second: the recording's own length spans the graph.
  EXPECT_TRUE(PenAt(gsensor::DrawGraph(*Samples({{0, 0}, {250, 120}}), 500), 186, 1));
}

class SpeedTest : public ::testing::Test {
 protected:
  void SetUp() override {
    player = std::make_unique<CVideoPlayer>(factory, &testenv::Services().Audio());
    controller = std::make_unique<TelemetryController>(host, *player);
  }
  void AddFix(uint32_t ms, double kmh) {
    char text[128];
    std::snprintf(text, sizeof text, "GPRMC,000000,A,3723.2475,N,12658.1234,E,%.10f,0,111226", kmh / 1.852);
    controller->Telemetry().ParseSample(ms, std::string(text));
  }
  ComponentFactory factory;
  FakeHost host;
  std::unique_ptr<CVideoPlayer> player;
  std::unique_ptr<TelemetryController> controller;
};

TEST_F(SpeedTest, DigitsAreRedrawnOnlyWhenTheSpeedChangesOrIsZero) {
  AddFix(0, 0);
  AddFix(1000, 50);
  AddFix(2000, 50);
  AddFix(3000, 60);
  struct Step {
    qint64 position;
    int draws;
    int shown;
  } const steps[] = {{500, 1, 0}, {1500, 2, 50}, {2500, 2, 50}, {3500, 3, 60}};
  for (const Step& s : steps) {
    SCOPED_TRACE(s.position);
    controller->UpdateSpeed(s.position);
    EXPECT_EQ(controller->SpeedDrawCount(), s.draws);
    EXPECT_EQ(controller->SpeedImage(), speeddigits::DrawDigits(s.shown));
  }
}

TEST_F(SpeedTest, DigitsShowTheLastThreePlacesOfTheTruncatedSpeed) {
  EXPECT_EQ(speeddigits::DrawDigits(1234), speeddigits::DrawDigits(234));
  EXPECT_NE(speeddigits::DrawDigits(41), speeddigits::DrawDigits(42));
  EXPECT_NE(speeddigits::DrawDigits(7), speeddigits::DrawDigits(70)) << "leading zeros are drawn";
  AddFix(0, 41.48);
  controller->UpdateSpeed(500);
  EXPECT_EQ(controller->SpeedImage(), speeddigits::DrawDigits(41));
  controller->Clear();
  controller->UpdateSpeed(500);
  EXPECT_EQ(controller->SpeedImage(), speeddigits::DrawDigits(0)) << "no telemetry shows 000";
}

TEST_F(SpeedTest, DigitsGoByMapStateAndNotIntoTheLargeMapOrTheExtendedView) {
  AddFix(0, 30);
  struct Case {
    int viewMode, mapState;
    bool drawn;
    QPoint place;
  } const cases[] = {
      {TelemetryHost::ViewNormal, TelemetryHost::MapSmall, true, {865, 443}},
      {TelemetryHost::ViewNormal, TelemetryHost::MapHidden, true, {865, 641}},
      {TelemetryHost::ViewNormal, TelemetryHost::MapLarge, false, {}},
      {TelemetryHost::ViewExtended, TelemetryHost::MapHidden, false, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.viewMode << "/" << c.mapState);
    host.viewMode = c.viewMode;
    host.mapState = c.mapState;
    const int before = controller->SpeedDrawCount();
    controller->UpdateSpeed(500);
    EXPECT_EQ(controller->SpeedDrawCount(), before + (c.drawn ? 1 : 0));
    QImage face(1022, 682, QImage::Format_ARGB32);
    face.fill(Qt::white);
    QPainter painter(&face);
    controller->Paint(painter);
    painter.end();
    if (c.drawn) {
      EXPECT_EQ(controller->SpeedRect(), QRect(c.place, QSize(30, 15)));
      EXPECT_EQ(face.copy(controller->SpeedRect()).convertToFormat(QImage::Format_RGB32), speeddigits::DrawDigits(30));
    } else {
      EXPECT_EQ(face.pixel(865, 443), 0xFFFFFFFFu);
      EXPECT_EQ(face.pixel(865, 641), 0xFFFFFFFFu);
    }
  }
}

TEST_F(SpeedTest, PositionLineFollowsPlaybackAndAClickOnTheGraphSeeks) {
  controller->DrawGSensorGraph();
  auto paint = [&] {
    QImage face(1022, 682, QImage::Format_ARGB32);
    face.fill(Qt::black);
    QPainter painter(&face);
    controller->Paint(painter);
    return face;
  };
  const QImage without = paint();
  controller->OnPositionChanged(1500, 3000);  // 1500 ms of 3 s: x 186
  const QImage with = paint();
  EXPECT_NE(with.pixel(41 + 186, 560), without.pixel(41 + 186, 560));
  EXPECT_EQ(with.pixel(41 + 185, 560), without.pixel(41 + 185, 560)) << "one pixel wide";
  EXPECT_EQ(with.copy(0, 0, 1022, 530), without.copy(0, 0, 1022, 530)) << "nothing outside the graph";

  QSignalSpy seeks(controller.get(), &TelemetryController::seekRequested);
  struct Click {
    QPoint at;
    bool taken;
    qint64 ms;
  } const clicks[] = {{{41 + 186, 560}, true, 1500}, {{41, 531}, true, 0}, {{40, 560}, false, 0}, {{300, 400}, false, 0}};
  for (const Click& c : clicks) {
    SCOPED_TRACE(testing::Message() << c.at.x() << "," << c.at.y());
    seeks.clear();
    EXPECT_EQ(controller->HandleFaceClick(c.at), c.taken);
    ASSERT_EQ(seeks.count(), c.taken ? 1 : 0);
    if (c.taken) {
      EXPECT_EQ(seeks.first().first().toLongLong(), c.ms);
    }
  }
  host.mapState = TelemetryHost::MapLarge;
  EXPECT_FALSE(controller->HandleFaceClick({41 + 186, 560})) << "the large map covers the graph";
}

}  // namespace
