// The telemetry worker against a fake reader registered under the reader's class id: what ends
// up in the records, what runs after a load, and how a load ends when another recording opens,
// the controller goes or the reader misbehaves.
#include "components.h"
#include "componentfactory.h"
#include "fakehost.h"
#include "graph/telemetryreader.h"
#include "hresult.h"
#include "platformservices.h"
#include "recordingwriter.h"
#include "resourceids.h"
#include "skinbitmap.h"
#include "telemetrycontroller.h"
#include "testenvironment.h"
#include "videoplayer.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <map>
#include <mutex>
#include <thread>

namespace {

std::string AccelRecord(int32_t x) {
  std::string out(1, 'M');
  for (int32_t v : {x, 0, 0})
    for (int shift = 0; shift < 32; shift += 8) out.push_back(char((uint32_t(v) >> shift) & 0xFF));
  return out;
}

std::string Rmc(char status, int second) {
  char text[96];
  std::snprintf(text, sizeof text, "GPRMC,0000%02d,%c,3723.2475,N,12658.1234,E,010.0,090.0,111226", second % 60, status);
  return text;
}

// What one fake reader answers, chosen by the path it is asked to load.
struct ReaderScript {
  struct Step {
    int32_t result;
    std::string bytes;
    uint32_t ms;
  };
  std::vector<Step> steps;
  int32_t afterSteps = hr::False;  // the answer once the steps are used up
  int endlessMarker = 0;           // not 0: "M" records with x = 2 * marker for ever
  std::atomic<int> reads{0};
};

std::mutex scriptsMutex;
std::map<QString, std::shared_ptr<ReaderScript>> scripts;

void SetScript(const QString& path, std::shared_ptr<ReaderScript> script) {
  std::lock_guard lock(scriptsMutex);
  scripts[path] = std::move(script);
}

class FakeTelemetryReader : public TelemetryReader {
 public:
  int32_t Load(const QString& path) override {
    std::lock_guard lock(scriptsMutex);
    auto it = scripts.find(path);
    if (it == scripts.end()) return hr::InvalidFileFormat;
    script_ = it->second;
    return hr::Ok;
  }
  int32_t ReadSample(uint8_t* buffer, uint32_t* size, uint32_t* timestamp) override {
    const int n = script_->reads++;
    if (script_->endlessMarker) {
      // Slow enough that a test sees the load running, fast enough to fill the records.
      std::this_thread::sleep_for(std::chrono::microseconds(200));
      const std::string record = AccelRecord(2 * script_->endlessMarker);
      std::memcpy(buffer, record.data(), record.size());
      *size = static_cast<uint32_t>(record.size());
      *timestamp = static_cast<uint32_t>(n);
      return hr::Ok;
    }
    if (n >= static_cast<int>(script_->steps.size())) return script_->afterSteps;
    const ReaderScript::Step& step = script_->steps[static_cast<std::size_t>(n)];
    std::memcpy(buffer, step.bytes.data(), std::min<std::size_t>(step.bytes.size(), *size));
    *size = static_cast<uint32_t>(step.bytes.size());
    *timestamp = step.ms;
    return step.result;
  }

 private:
  std::shared_ptr<ReaderScript> script_;
};

std::shared_ptr<ReaderScript> Samples(int count, int marker, char status = 'A', int fixEvery = 0) {
  auto script = std::make_shared<ReaderScript>();
  for (int i = 0; i < count; ++i) {
    script->steps.push_back({hr::Ok, AccelRecord(2 * marker), uint32_t(i * 10)});
    if (fixEvery && i % fixEvery == 0) script->steps.push_back({hr::Ok, Rmc(status, i / fixEvery), uint32_t(i * 10 + 1)});
  }
  return script;
}

class LoaderTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    folder = new QTemporaryDir;
    for (const char* name : {"a.avi", "b.avi"}) {
      RecordingSettings s;
      s.cameras = 1;
      s.durationMs = 1000;
      s.video.width = 160;
      s.video.height = 96;
      s.video.fps = 5;
      s.audio.enabled = false;
      s.telemetry = false;
      const WriteResult w = WriteRecording(folder->filePath(name).toStdString(), s);
      ASSERT_TRUE(w.ok) << w.error;
    }
  }
  static void TearDownTestSuite() {
    delete folder;
    folder = nullptr;
  }

  void SetUp() override {
    RegisterPlaybackComponents(factory);
    factory.Register(clsid::TelemetryReader, [] { return std::make_unique<FakeTelemetryReader>(); });
    player = std::make_unique<CVideoPlayer>(factory, &testenv::Services().Audio());
    front.resize(160, 96);
    rear.resize(160, 96);
    player->Attach(&front, &rear);
    controller = std::make_unique<TelemetryController>(host, *player);
    loaded = std::make_unique<QSignalSpy>(controller.get(), &TelemetryController::telemetryLoaded);
  }
  void TearDown() override {
    loaded.reset();
    controller.reset();
    player.reset();
  }

  static QString PathOf(const char* name) { return folder->filePath(name); }
  void Open(const char* name, std::shared_ptr<ReaderScript> script) {
    SetScript(PathOf(name), std::move(script));
    host.path = PathOf(name);
    ASSERT_TRUE(player->Open(host.path));
    controller->OnRecordingOpened();
  }
  std::vector<int32_t> Xs() const {
    return controller->Telemetry().WithArrays([](const std::vector<CGSensorData>& g, const auto&) {
      std::vector<int32_t> xs;
      for (const auto& s : g) xs.push_back(s.x);
      return xs;
    });
  }

  static inline QTemporaryDir* folder = nullptr;
  ComponentFactory factory;
  QWidget front, rear;
  FakeHost host;
  std::unique_ptr<CVideoPlayer> player;
  std::unique_ptr<TelemetryController> controller;
  std::unique_ptr<QSignalSpy> loaded;
};

TEST_F(LoaderTest, LoadsEverySampleInOrderKeepsTheMapAndDrawsTheGraph) {
  host.mapState = TelemetryHost::MapSmall;
  host.listHeight = 310;
  Open("a.avi", Samples(3000, 3, 'A', 10));
  EXPECT_EQ(host.face->cursor().shape(), Qt::WaitCursor);
  ASSERT_TRUE(QTest::qWaitFor([&] { return loaded->count() == 1; }, 20000));

  const CTextData& data = controller->Telemetry();
  ASSERT_EQ(data.GSensorCount(), 3000u);
  ASSERT_EQ(data.GpsCount(), 300u);
  EXPECT_EQ(data.GSensorAt(2999).timestamp, 29990u);
  EXPECT_EQ(data.GpsAt(299).timestamp, 29901u);
  EXPECT_EQ(data.GpsAt(299).second, 59);
  EXPECT_EQ(host.mapState, TelemetryHost::MapSmall);
  EXPECT_EQ(host.listHeight, 310);
  EXPECT_EQ(host.channelViewRuns, 0);
  EXPECT_NE(host.face->cursor().shape(), Qt::WaitCursor) << "the wait cursor goes with the load";
  EXPECT_NE(controller->GSensorImage(), skin::LoadSkinBitmap(ids::IDB_GSENSOR_BACKGROUND)) << "traces drawn";
  EXPECT_EQ(player->HeldTelemetryReader(), nullptr) << "the reader goes with the load";

  // The map gets the whole track: latitude and longitude in degrees, km/h, ms.
  const QJsonArray route = QJsonDocument::fromJson(controller->MapView()->Route().toUtf8()).array();
  ASSERT_EQ(route.size(), 300);
  const QJsonArray first = route.first().toArray();
  EXPECT_NEAR(first[0].toDouble(), 37.387458, 1e-6);
  EXPECT_NEAR(first[1].toDouble(), 126.968723, 1e-6);
  EXPECT_NEAR(first[2].toDouble(), 18.52, 0.01);
  EXPECT_EQ(first[3].toInt(), 1);
  EXPECT_EQ(route.last().toArray()[3].toInt(), 29901);
}

TEST_F(LoaderTest, ARecordingWithoutFixesHidesAVisibleMapAndRestoresTheList) {
  for (int state : {TelemetryHost::MapSmall, TelemetryHost::MapLarge}) {
    SCOPED_TRACE(state);
    host.layouts.clear();
    host.channelViewRuns = 0;
    host.mapState = state;
    host.listHeight = 310;
    host.buttonsTop = 441;
    const int before = loaded->count();
    Open("a.avi", Samples(100, 1, 'V', 10));
    ASSERT_TRUE(QTest::qWaitFor([&] { return loaded->count() == before + 1; }, 20000));
    EXPECT_EQ(controller->Telemetry().GpsCount(), 0u);
    EXPECT_EQ(host.mapState, TelemetryHost::MapHidden);
    EXPECT_EQ(host.listHeight, 508);
    EXPECT_EQ(host.buttonsTop, 639);
    EXPECT_EQ(host.showBitmap, 280);
    EXPECT_EQ(host.showTooltip, QStringLiteral("Show Map"));
    EXPECT_EQ(host.channelViewRuns, 1);
    EXPECT_EQ(controller->MapView()->size(), QSize(0, 0));
    EXPECT_EQ(host.layouts.contains(TelemetryHost::ViewNormal), state == TelemetryHost::MapLarge);
  }
}

TEST_F(LoaderTest, OpeningAnotherRecordingMidLoadLeavesOnlyItsSamples) {
  auto endless = std::make_shared<ReaderScript>();
  endless->endlessMarker = 1;
  Open("a.avi", endless);
  ASSERT_TRUE(QTest::qWaitFor([&] { return controller->Telemetry().GSensorCount() > 20; }, 20000));
  Open("b.avi", Samples(50, 7));
  ASSERT_TRUE(QTest::qWaitFor([&] { return loaded->count() == 1; }, 20000));
  EXPECT_EQ(Xs(), std::vector<int32_t>(50, 7));
  const int readsOfA = endless->reads;
  QTest::qWait(50);
  EXPECT_EQ(endless->reads, readsOfA) << "A's load has ended";
  EXPECT_EQ(loaded->count(), 1) << "A's after-load steps never ran";
}

TEST_F(LoaderTest, ANewPlayGraphAloneEndsAnUnfinishedLoadAtItsNextRead) {
  auto endless = std::make_shared<ReaderScript>();
  endless->endlessMarker = 1;
  SetScript(PathOf("a.avi"), endless);
  ASSERT_TRUE(player->Open(PathOf("a.avi")));
  CTextData data;
  std::atomic<LoadOutcome> outcome{LoadOutcome::NotStarted};
  std::atomic<bool> ended{false};
  std::thread load([&] {
    outcome = LoadTelemetry(*player, PathOf("a.avi"), data);  // no stop request: only the graph can end it
    ended = true;
  });
  ASSERT_TRUE(QTest::qWaitFor([&] { return data.GSensorCount() > 20; }, 20000));
  SetScript(PathOf("b.avi"), Samples(1, 1));
  ASSERT_TRUE(player->Open(PathOf("b.avi")));
  ASSERT_TRUE(QTest::qWaitFor([&] { return ended.load(); }, 20000));
  load.join();
  EXPECT_EQ(outcome.load(), LoadOutcome::Finished);
  EXPECT_EQ(player->HeldTelemetryReader(), nullptr);
}

TEST_F(LoaderTest, ReadResultsDecideWhatIsLoadedAndWhetherTheAfterStepsRun) {
  const int32_t eof = 38;
  struct Case {
    const char* what;
    std::vector<ReaderScript::Step> steps;
    int32_t afterSteps;
    std::size_t samples;
    int reads;  // -1: not checked
  } const cases[] = {
      {"a failure is read past", {{hr::Fail, "", 0}, {hr::Ok, AccelRecord(4), 10}, {hr::Ok, AccelRecord(4), 20}}, eof, 2, 4},
      {"the end at the first read", {}, hr::False, 0, 1},
      {"other codes are no sample", {{5, AccelRecord(4), 0}, {-7, "", 0}, {hr::Ok, AccelRecord(4), 0}}, hr::False, 1, 4},
      {"a reader that only fails is given up", {}, hr::Fail, 0, kMaxConsecutiveFailedReads},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    host.mapState = TelemetryHost::MapSmall;
    auto script = std::make_shared<ReaderScript>();
    script->steps = c.steps;
    script->afterSteps = c.afterSteps;
    const int before = loaded->count();
    Open("a.avi", script);
    ASSERT_TRUE(QTest::qWaitFor([&] { return loaded->count() == before + 1; }, 20000));
    EXPECT_EQ(controller->Telemetry().GSensorCount(), c.samples);
    EXPECT_EQ(script->reads, c.reads);
    EXPECT_EQ(host.mapState, TelemetryHost::MapHidden) << "no fix: the after-load step hid the map";
  }
}

TEST_F(LoaderTest, AReaderThatCannotBeMadeOrCannotOpenLoadsNothingAndSkipsTheAfterSteps) {
  for (bool registered : {false, true}) {
    SCOPED_TRACE(registered);
    if (!registered) factory.Unregister(clsid::TelemetryReader);
    else factory.Register(clsid::TelemetryReader, [] { return std::make_unique<FakeTelemetryReader>(); });
    host.mapState = TelemetryHost::MapSmall;
    host.path = PathOf("b.avi");
    ASSERT_TRUE(player->Open(host.path));
    {
      std::lock_guard lock(scriptsMutex);
      scripts.erase(host.path);  // the fake refuses a path without a script
    }
    controller->OnRecordingOpened();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !controller->Loading(); }, 20000));
    EXPECT_EQ(loaded->count(), 0);
    EXPECT_EQ(host.mapState, TelemetryHost::MapSmall);
    EXPECT_NE(host.face->cursor().shape(), Qt::WaitCursor);
  }
}

TEST_F(LoaderTest, ReloadReadsTheRecordingAgain) {
  Open("b.avi", Samples(50, 7, 'A', 10));
  ASSERT_TRUE(QTest::qWaitFor([&] { return loaded->count() == 1; }, 20000));
  SetScript(PathOf("b.avi"), Samples(30, 9, 'A', 10));
  controller->ReloadTelemetry();
  ASSERT_TRUE(QTest::qWaitFor([&] { return loaded->count() == 2; }, 20000));
  EXPECT_EQ(Xs(), std::vector<int32_t>(30, 9));
  EXPECT_EQ(controller->Telemetry().GpsCount(), 3u);
}

TEST_F(LoaderTest, GoingAwayEndsAnEndlessLoadAndFreesTheReader) {
  auto endless = std::make_shared<ReaderScript>();
  endless->endlessMarker = 1;
  Open("a.avi", endless);
  ASSERT_TRUE(QTest::qWaitFor([&] { return endless->reads > 5; }, 20000));
  controller.reset();  // joins the worker; a load that ignored the request would hang here
  const int reads = endless->reads;
  QTest::qWait(20);
  EXPECT_EQ(endless->reads, reads);
  EXPECT_EQ(player->HeldTelemetryReader(), nullptr);
}

TEST_F(LoaderTest, ClearingDuringALoadEndsItAndEmptiesTheRecords) {
  auto endless = std::make_shared<ReaderScript>();
  endless->endlessMarker = 1;
  Open("a.avi", endless);
  ASSERT_TRUE(QTest::qWaitFor([&] { return controller->Telemetry().GSensorCount() > 5; }, 20000));
  controller->OnRecordingClosed();
  EXPECT_EQ(controller->Telemetry().GSensorCount(), 0u);
  EXPECT_FALSE(controller->Loading());
  QTest::qWait(20);
  EXPECT_EQ(controller->Telemetry().GSensorCount(), 0u) << "nothing appended after the clear";
  EXPECT_EQ(loaded->count(), 0);
}

TEST_F(LoaderTest, AnOutsideProgramAsksForAReloadOverTheSessionBus) {
  const QString daemon = QStandardPaths::findExecutable(QStringLiteral("dbus-daemon"));
  if (daemon.isEmpty()) GTEST_SKIP() << "no dbus-daemon";
  QProcess bus;
  bus.start(daemon, {QStringLiteral("--session"), QStringLiteral("--nofork"), QStringLiteral("--print-address=1")});
  ASSERT_TRUE(bus.waitForStarted());
  ASSERT_TRUE(QTest::qWaitFor([&] { return bus.canReadLine(); }, 20000));
  const QString address = QString::fromUtf8(bus.readLine()).trimmed();
  {
    QDBusConnection player = QDBusConnection::connectToBus(address, QStringLiteral("telemetry-player"));
    QDBusConnection sender = QDBusConnection::connectToBus(address, QStringLiteral("telemetry-sender"));
    ASSERT_TRUE(controller->RegisterReloadService(player));

    Open("b.avi", Samples(50, 7));
    ASSERT_TRUE(QTest::qWaitFor([&] { return loaded->count() == 1; }, 20000));
    // Sent without waiting: the player answers on this very thread.
    ASSERT_TRUE(sender.send(QDBusMessage::createMethodCall(
        QStringLiteral("org.tavro.RoadcaskPlayer"), QStringLiteral("/org/tavro/RoadcaskPlayer"),
        QStringLiteral("org.tavro.RoadcaskPlayer.Telemetry"), QStringLiteral("ReloadTelemetry"))));
    ASSERT_TRUE(QTest::qWaitFor([&] { return loaded->count() == 2; }, 20000));
  }
  QDBusConnection::disconnectFromBus(QStringLiteral("telemetry-player"));
  QDBusConnection::disconnectFromBus(QStringLiteral("telemetry-sender"));
  bus.terminate();
  bus.waitForFinished();
}

}  // namespace
