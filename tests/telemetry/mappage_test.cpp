// The map page in a real browser with no network: it loads with its offline basemap, follows
// DrawCurrent and DrawRoute, answers a click on the route with a seek, takes no script from
// arguments, and asks the tile server with the player's own identity.
#include "cmapview.h"
#include "telemetrycontroller.h"
#include "textdata.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// Tiles come from a server on this machine that answers every request with 404 and keeps the
// request headers: the page works as offline, and the identity it sends can be read.
class TileServer : public QTcpServer {
 public:
  TileServer() {
    connect(this, &QTcpServer::newConnection, this, [this] {
      while (QTcpSocket* socket = nextPendingConnection()) {
        connect(socket, &QTcpSocket::readyRead, socket, [this, socket] {
          buffer_[socket] += socket->readAll();
          if (!buffer_[socket].contains("\r\n\r\n")) return;
          requests.append(buffer_.take(socket));
          socket->write("HTTP/1.1 404 Not Found\r\nContent-Length: 0\r\nConnection: close\r\n\r\n");
          socket->disconnectFromHost();
        });
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
      }
    });
    listen(QHostAddress::LocalHost);
  }
  QString Header(const QByteArray& request, const QByteArray& name) const {
    for (const QByteArray& line : request.split('\n'))
      if (line.toLower().startsWith(name.toLower() + ':')) return QString::fromUtf8(line.mid(name.size() + 1).trimmed());
    return {};
  }
  QList<QByteArray> requests;

 private:
  QHash<QTcpSocket*, QByteArray> buffer_;
};

class MapPageTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SetMapBrowserFolder(QStringLiteral(TAVRO_MAP_PAGE_DIR));
    MapSettings settings = ReadMapSettings(nullptr);
    settings.tileUrl = QStringLiteral("http://127.0.0.1:%1/{z}/{x}/{y}.png").arg(server.serverPort());
    // The browser sends no https referrer to a plain-http server such as this one.
    settings.referer = QStringLiteral("http://tavro-roadcask-player.invalid/");
    map = std::make_unique<CMapView>(nullptr, settings);
    map->resize(640, 420);
    map->show();
  }
  void Load(int language) {
    QSignalSpy loaded(map.get(), &CExplorerMapViewWnd::pageLoaded);
    map->Navigate(MapPageUrl(QStringLiteral(TAVRO_MAP_PAGE_DIR), language));
    ASSERT_TRUE(loaded.wait(60000)) << "the page never finished loading";
    ASSERT_TRUE(loaded.first().first().toBool()) << "the page failed to load";
  }
  QVariant Eval(const QString& script) {
    bool done = false;
    QVariant result;
    map->Evaluate(script, [&](const QVariant& v) {
      result = v;
      done = true;
    });
    if (!QTest::qWaitFor([&] { return done; }, 30000)) ADD_FAILURE() << "no answer to " << script.toStdString();
    return result;
  }
  QVariantMap State() { return Eval(QStringLiteral("MapPageState()")).toMap(); }

  TileServer server;
  std::unique_ptr<CMapView> map;
};

TEST_F(MapPageTest, ShowsTheOfflineBasemapAndFollowsThePlayer) {
  Load(1042);
  // Coastlines and borders of the offline basemap cover part of the view although no tile came.
  ASSERT_TRUE(QTest::qWaitFor([&] { return State().value("basemapInk").toDouble() > 0.05; }, 30000));
  EXPECT_GT(State().value("basemapFeatures").toInt(), 0);
  ASSERT_TRUE(QTest::qWaitFor([&] { return State().value("tileFailures").toInt() > 0; }, 30000));
  const QString attribution = State().value("attribution").toString();
  EXPECT_TRUE(attribution.contains("OpenStreetMap")) << attribution.toStdString();
  EXPECT_TRUE(attribution.contains("Natural Earth")) << attribution.toStdString();

  // The vehicle goes where DrawCurrent puts it and stays in view when it moves far.
  map->CallScript(TelemetryController::DrawCurrentScript(ToDegrees(3723.2475), ToDegrees(12658.1234)));
  QVariantList vehicle = State().value("vehicle").toList();
  ASSERT_EQ(vehicle.size(), 2);
  EXPECT_NEAR(vehicle[0].toDouble(), 37.387458, 1e-6);
  EXPECT_NEAR(vehicle[1].toDouble(), 126.968723, 1e-6);
  map->CallScript(TelemetryController::DrawCurrentScript(35.1, 129.04));
  vehicle = State().value("vehicle").toList();
  ASSERT_EQ(vehicle.size(), 2);
  EXPECT_NEAR(vehicle[0].toDouble(), 35.1, 1e-6);
  ASSERT_TRUE(QTest::qWaitFor([&] { return State().value("vehicleOnScreen").toBool(); }, 30000));

  // The route, its click back to the player, and the route again after a reload.
  QJsonArray track;
  for (int i = 0; i < 20; ++i) track.append(QJsonArray{37.5 + i * 0.0005, 127.0 + i * 0.0004, 10.0 * i, 1000.0 * i + 1});
  map->ShowRoute(QString::fromUtf8(QJsonDocument(track).toJson(QJsonDocument::Compact)));
  EXPECT_EQ(State().value("routePoints").toInt(), 20);
  EXPECT_EQ(State().value("routeSegments").toInt(), 19 + 2) << "segments plus start and end marks";

  QSignalSpy seeks(map.get(), &CMapView::seekRequested);
  ASSERT_TRUE(QTest::qWaitFor([&] { return State().value("channel").toBool(); }, 30000));
  EXPECT_TRUE(Eval(QStringLiteral("ClickRoutePoint(5)")).toBool());
  ASSERT_TRUE(QTest::qWaitFor([&] { return seeks.count() == 1; }, 30000));
  EXPECT_EQ(seeks.first().first().toLongLong(), 5001);

  Load(1042);
  ASSERT_TRUE(QTest::qWaitFor([&] { return State().value("routePoints").toInt() == 20; }, 30000));
}

TEST_F(MapPageTest, ArgumentsNeverBecomeScript) {
  Load(1033);
  map->CallScript(QStringLiteral("javascript:eval('window.injected=1')"));
  map->CallFunction(QStringLiteral("DrawCurrent"), {QStringLiteral("');window.injected=2;('"), "2", "9"});
  map->CallFunction(QStringLiteral("DrawRoute"), {QStringLiteral("[]\");window.injected=3;(\"")});
  map->CallFunction(QStringLiteral("setTimeout"), {QStringLiteral("window.injected=4")});
  EXPECT_EQ(Eval(QStringLiteral("typeof window.injected")).toString(), QStringLiteral("undefined"));
  EXPECT_EQ(State().value("vehicle").toList().size(), 0) << "a coordinate that is no number moves nothing";
}

TEST_F(MapPageTest, PageTextsFollowTheLanguageParameter) {
  struct Case {
    int language;
    const char* code;
    const char* legend;
  } const cases[] = {{1033, "en", "Speed"}, {1042, "ko", "속도"}, {1041, "ja", "速度"}, {1049, "ru", "Скорость"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.code);
    Load(c.language);
    const QVariantMap state = State();
    EXPECT_EQ(state.value("language").toString(), QLatin1String(c.code));
    EXPECT_TRUE(state.value("texts").toMap().value("legend").toString().startsWith(QString::fromUtf8(c.legend)));
  }
}

TEST_F(MapPageTest, TileRequestsCarryThePlayersIdentityAndAReferer) {
  Load(1033);
  ASSERT_TRUE(QTest::qWaitFor([&] { return !server.requests.isEmpty(); }, 30000));
  const QByteArray request = server.requests.first();
  EXPECT_TRUE(request.startsWith("GET /")) << request.toStdString();
  EXPECT_EQ(server.Header(request, "User-Agent"), map->Settings().userAgent);
  EXPECT_EQ(server.Header(request, "Referer"), map->Settings().referer);
  EXPECT_FALSE(map->Settings().userAgent.contains("QtWebEngine")) << "not the library's own identity";
}

}  // namespace
