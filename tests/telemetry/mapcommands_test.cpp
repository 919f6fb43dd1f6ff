// The map commands and the three map states, the position sent to the page, the script call's
// text and the page's address.
#include "componentfactory.h"
#include "fakehost.h"
#include "telemetrycontroller.h"
#include "testenvironment.h"
#include "videoplayer.h"
#include "platformservices.h"

#include <QFile>
#include <gtest/gtest.h>

namespace {

std::string Fix(double latitude, double longitude, double knots = 0) {
  char text[128];
  std::snprintf(text, sizeof text, "GPRMC,000000,A,%.4f,N,%.4f,E,%.8f,0,111226", latitude, longitude, knots);
  return text;
}

class MapCommandsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    player = std::make_unique<CVideoPlayer>(factory, &testenv::Services().Audio());
    controller = std::make_unique<TelemetryController>(host, *player);
    controller->SetConnectionProbe([this] { return connected; });
    controller->SetPageFolder(QStringLiteral("/nowhere"));
    SetMapBrowserFolder(QStringLiteral(TAVRO_MAP_PAGE_DIR));
  }
  void AddFix(uint32_t ms, double latitude = 3723.2475, double longitude = 12658.1234) {
    controller->Telemetry().ParseSample(ms, Fix(latitude, longitude));
  }

  ComponentFactory factory;
  FakeHost host;
  std::unique_ptr<CVideoPlayer> player;
  std::unique_ptr<TelemetryController> controller;
  bool connected = true;
};

TEST_F(MapCommandsTest, LargerMapCommandTogglesBetweenLargeAndSmall) {
  AddFix(0);
  struct Step {
    int state;
    int lastLayout;
    const char* tooltip;
  } const steps[] = {
      {TelemetryHost::MapLarge, TelemetryHost::ViewLargeMap, "Reduce Map"},
      {TelemetryHost::MapSmall, TelemetryHost::ViewNormal, "Show Larger Map"},
      {TelemetryHost::MapLarge, TelemetryHost::ViewLargeMap, "Reduce Map"},
  };
  for (const Step& step : steps) {
    SCOPED_TRACE(step.state);
    controller->OnMapLarger();
    EXPECT_EQ(host.mapState, step.state);
    ASSERT_FALSE(host.layouts.isEmpty());
    EXPECT_EQ(host.layouts.last(), step.lastLayout);
    EXPECT_EQ(host.largerTooltip, QString::fromLatin1(step.tooltip));
    EXPECT_EQ(controller->MapView()->Url(), controller->MapPageUrl()) << "a visible map loads its page";
    if (step.state == TelemetryHost::MapSmall) {
      EXPECT_EQ(host.listHeight, 310);
      EXPECT_EQ(host.buttonsTop, 441);
      EXPECT_EQ(host.showBitmap, 158);
      EXPECT_EQ(host.showTooltip, QStringLiteral("Hide Map"));
      EXPECT_EQ(controller->MapView()->geometry(), QRect(695, 466, 324, 197));
    }
  }
  EXPECT_EQ(host.ensureVisibleCalls, 1) << "only the way back to the small map reveals the row";
}

TEST_F(MapCommandsTest, ShowMapCommandShowsAndHidesTheSmallMap) {
  AddFix(0);
  struct Step {
    int from;
    bool online;
    int to;
    QRect map;
    int list, buttonsTop, showBitmap;
    const char* largerTooltip;
    const char* showTooltip;
  } const steps[] = {
      {TelemetryHost::MapHidden, true, TelemetryHost::MapSmall, {695, 466, 324, 197}, 310, 441, 158, "Show Larger Map", "Hide Map"},
      {TelemetryHost::MapSmall, true, TelemetryHost::MapHidden, {0, 0, 0, 0}, 508, 639, 280, "Show Large Map", "Show Map"},
      {TelemetryHost::MapHidden, false, TelemetryHost::MapSmall, {676, 71, 0, 0}, 310, 441, 158, "Show Larger Map", "Hide Map"},
      {TelemetryHost::MapLarge, true, TelemetryHost::MapSmall, {695, 466, 324, 197}, 310, 441, 158, "Show Larger Map", "Hide Map"},
  };
  for (const Step& step : steps) {
    SCOPED_TRACE(testing::Message() << step.from << (step.online ? " online" : " offline"));
    host.mapState = step.from;
    connected = step.online;
    const int reveals = host.ensureVisibleCalls;
    controller->OnMapShow();
    EXPECT_EQ(host.mapState, step.to);
    EXPECT_EQ(controller->MapView()->geometry(), step.map);
    EXPECT_EQ(host.listHeight, step.list);
    EXPECT_EQ(host.buttonsTop, step.buttonsTop);
    EXPECT_EQ(host.showBitmap, step.showBitmap);
    EXPECT_EQ(host.largerTooltip, QString::fromLatin1(step.largerTooltip));
    EXPECT_EQ(host.showTooltip, QString::fromLatin1(step.showTooltip));
    EXPECT_EQ(host.ensureVisibleCalls, reveals + 1);
  }
  EXPECT_EQ(host.layouts, QList<int>{TelemetryHost::ViewNormal}) << "only leaving the large map lays the window out";
  EXPECT_TRUE(host.messages.isEmpty());
}

TEST_F(MapCommandsTest, WithoutAFixBothCommandsOnlySaySo) {
  for (int state : {TelemetryHost::MapHidden, TelemetryHost::MapSmall, TelemetryHost::MapLarge}) {
    host.mapState = state;
    controller->OnMapLarger();
    controller->OnMapShow();
    EXPECT_EQ(host.mapState, state);
  }
  EXPECT_EQ(host.messages, QStringList(6, QStringLiteral("Detected no GPS files.")));
  EXPECT_TRUE(host.layouts.isEmpty());
  EXPECT_FALSE(controller->MapView()->HasBrowser()) << "the web engine is not started for nothing";
}

TEST_F(MapCommandsTest, ALargeMapOfflineStillLoadsItsPageOnce) {
  AddFix(0);
  connected = false;
  controller->OnMapLarger();
  EXPECT_EQ(controller->MapView()->Url(), controller->MapPageUrl()) << "the page draws its own offline basemap";
}

TEST_F(MapCommandsTest, PositionUpdateSendsTheFirstFixAtOrAfterThePosition) {
  AddFix(0, 3700.0, 12600.0);
  AddFix(1000, 3730.0, 12630.0);
  AddFix(2000, 3745.0, 12645.0);
  struct Case {
    qint64 position;
    double latitude;  // 0: nothing sent, the previous value stays
  } const cases[] = {{0, 37.0}, {1500, 37.75}, {2000, 37.75}, {1000, 37.5}, {2500, 0}, {-1, 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.position);
    controller->MapView()->latitude = 0;
    controller->UpdateMapPosition(c.position);
    EXPECT_DOUBLE_EQ(controller->MapView()->latitude, c.latitude);
  }
}

TEST(MapScript, TheFixBecomesTheDrawCurrentTextAndItsArguments) {
  const QString text = TelemetryController::DrawCurrentScript(ToDegrees(3723.2475), ToDegrees(12658.1234));
  EXPECT_EQ(text, QStringLiteral("javascript:DrawCurrent('126.968723', '37.387458','9')"));
  EXPECT_EQ(ParseScriptCall(text), (ScriptCall{QStringLiteral("DrawCurrent"), {"126.968723", "37.387458", "9"}}));
  EXPECT_EQ(ParseScriptCall(TelemetryController::DrawCurrentScript(ToDegrees(-3723.2475), ToDegrees(-12658.1234))),
            (ScriptCall{QStringLiteral("DrawCurrent"), {"-126.968723", "-37.387458", "9"}}))
      << "the sign is no delimiter";
}

TEST(MapScript, CallTextSplitsIntoNameAndArguments) {
  struct Case {
    const char* text;
    ScriptCall call;
  } const cases[] = {
      {"DrawCurrent(1,2)", {"DrawCurrent", {"1", "2"}}},
      {"javascript:  Draw  ( 'a' ;; \"b\"\t)", {"Draw", {"a", "b"}}},
      {"ignored javascript:F(x)javascript:y", {"F", {"x", "javascript:y"}}},
      {"NoParenthesis 1 2", {"", {"NoParenthesis", "1", "2"}}},
      {"F()", {"F", {}}},
      {"", {"", {}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(ParseScriptCall(QString::fromUtf8(c.text)), c.call);
  }
}

TEST(MapPage, AddressFollowsTheUserInterfaceLanguage) {
  struct Case {
    int language;
    const char* code;
  } const cases[] = {{1033, "en"}, {2052, "en"}, {1041, "ja"}, {1049, "ru"}, {1042, "ko"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.language);
    const QUrl url = MapPageUrl(QStringLiteral("/opt/player"), c.language);
    EXPECT_EQ(url.toString(), QStringLiteral("file:///opt/player/MapView.htm?language=") + QLatin1String(c.code));
  }
}

}  // namespace

namespace {

bool WebEngineLoaded() {
  QFile maps(QStringLiteral("/proc/self/maps"));
  return maps.open(QIODevice::ReadOnly) && maps.readAll().contains("libQt6WebEngineCore");
}

TEST_F(MapCommandsTest, TheWebEngineIsLoadedOnlyWhenTheMapIsFirstShown) {
  if (WebEngineLoaded()) GTEST_SKIP() << "an earlier test of this process showed a map";
  AddFix(0);
  connected = false;
  controller->UpdateMapPosition(0);
  controller->OnMapShow();  // small and offline: no page
  controller->OnMapShow();  // hidden again
  EXPECT_FALSE(WebEngineLoaded());
  connected = true;
  controller->OnMapShow();
  EXPECT_TRUE(WebEngineLoaded());
}

}  // namespace
