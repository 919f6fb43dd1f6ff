#include "telemetrycontroller.h"

#include "gsensorgraph.h"
#include "platformservices.h"
#include "resourceids.h"
#include "skinbitmap.h"
#include "videoplayer.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QNetworkInformation>
#include <QPainter>
#include <QTimer>
#include <QWidget>
#include <algorithm>
#include <cmath>
#include <charconv>
#include <string>
#include <optional>

namespace {

constexpr int kMapZoom = 9;
constexpr QRect kSmallMap{695, 466, 324, 197};
constexpr QRect kOfflineSmallMap{676, 71, 0, 0};
constexpr QRect kNoMap{0, 0, 0, 0};
constexpr int kListHeightWithMap = 310;
constexpr int kListHeightWithoutMap = 508;
constexpr int kButtonsTopWithMap = 441;
constexpr int kButtonsTopWithoutMap = 639;
constexpr QRgb kPositionLine = 0xC0FFFFFF;
const QString kDBusPath = QStringLiteral("/org/tavro/RoadcaskPlayer");
const QString kDBusService = QStringLiteral("org.tavro.RoadcaskPlayer");

// Index of the first fix at or after the position (times compared unsigned), or -1.
qsizetype FirstFixAtOrAfter(const std::vector<CGPSData>& gps, qint64 positionMs) {
  const auto position = static_cast<uint64_t>(positionMs);
  for (std::size_t i = 0; i < gps.size(); ++i)
    if (gps[i].timestamp >= position) return static_cast<qsizetype>(i);
  return -1;
}

}  // namespace

TelemetryController::TelemetryController(TelemetryHost& host, CVideoPlayer& player, QObject* parent)
    : QObject(parent), host_(host), player_(player) {
  const PlatformServices* services = PlatformServices::Of();
  auto* map = new CMapView(host_.Face(), ReadMapSettings(services ? &services->Registry() : nullptr));
  map->setObjectName(QString::number(ids::IDC_MAP_VIEW));
  map->setGeometry(kNoMap);
  mapView_ = map;
  connect(map, &CMapView::seekRequested, this, &TelemetryController::seekRequested);
  // After start-up: connecting to the bus is no work for the first paint.
  QTimer::singleShot(0, this, [this] { RegisterReloadService(QDBusConnection::sessionBus()); });
}

TelemetryController::~TelemetryController() { Shutdown(); }

void TelemetryController::Shutdown() { StopLoad(); }

// ---- Loading ----

void TelemetryController::OnRecordingOpened() {
  StopLoad();
  telemetry_.Clear();
  StartLoad();
}

void TelemetryController::ReloadTelemetry() {
  // Read again on a worker rather than on this thread: a long recording must not freeze the
  // window, and the load is the same one an open starts.
  StopLoad();
  telemetry_.Clear();
  StartLoad();
}

void TelemetryController::StartLoad() {
  const unsigned generation = ++loadGeneration_;
  loading_ = true;
  if (QWidget* face = host_.Face()) face->setCursor(Qt::WaitCursor);
  worker_ = std::make_unique<TelemetryWorker>(player_, host_.CurrentRecordingPath(), telemetry_, this,
                                              [this, generation](LoadOutcome outcome, LoadTiming timing) {
                                                AfterLoad(generation, outcome, timing);
                                              });
}

void TelemetryController::StopLoad() {
  if (worker_) {
    worker_->StopAndJoin();
    worker_.reset();
  }
  // The after-load call of the ended load may still be queued; it finds a newer generation.
  ++loadGeneration_;
  if (loading_) {
    loading_ = false;
    if (QWidget* face = host_.Face()) face->unsetCursor();
  }
  if (std::shared_ptr<TelemetryReader> held = player_.HeldTelemetryReader()) player_.ReleaseTelemetryReader(held);
}

void TelemetryController::AfterLoad(unsigned generation, LoadOutcome outcome, const LoadTiming& timing) {
  if (generation != loadGeneration_) return;
  lastTiming_ = timing;
  lastTiming_.afterLoadStarted = LoadTiming::Clock::now();
  loading_ = false;
  if (worker_) {
    worker_->StopAndJoin();  // it has posted this call and is ending, so this is short
    worker_.reset();
  }
  if (QWidget* face = host_.Face()) face->unsetCursor();
  if (outcome == LoadOutcome::NotStarted) return;
  if (telemetry_.GpsCount() < 1) HideMapWhenNoGps();
  if (host_.ViewMode() == TelemetryHost::ViewNormal && host_.MapState() != TelemetryHost::MapLarge) DrawGSensorGraph();
  if (mapView_) mapView_->ShowRoute(RouteJson());
  lastTiming_.afterLoadDone = LoadTiming::Clock::now();
  emit telemetryLoaded();
}

void TelemetryController::OnRecordingClosed() { Clear(); }

void TelemetryController::Clear() {
  StopLoad();
  telemetry_.Clear();
  speedImage_ = QImage();
  positionMs_ = durationMs_ = 0;
  if (mapView_) mapView_->ShowRoute(QString());
  DrawGSensorGraph();
  if (QWidget* face = host_.Face()) face->update(SpeedRect());
}

namespace {
// A number as JSON wants it whatever the process locale (Qt sets LC_NUMERIC from the user's).
void AppendFixed(std::string& text, double value, int decimals) {
  char digits[48];
  const auto result = std::to_chars(digits, digits + sizeof digits, value, std::chars_format::fixed, decimals);
  text.append(digits, result.ec == std::errc() ? result.ptr : digits);
}
}  // namespace

QString TelemetryController::RouteJson() const {
  // Written by hand: a route is thousands of points and this runs at the end of every load.
  const std::string json = telemetry_.WithArrays([](const auto&, const std::vector<CGPSData>& gps) {
    std::string text;
    text.reserve(gps.size() * 48 + 2);
    text += '[';
    for (const CGPSData& fix : gps) {
      if (text.size() > 1) text += ',';
      text += '[';
      AppendFixed(text, ToDegrees(fix.latitude), 7);
      text += ',';
      AppendFixed(text, ToDegrees(fix.longitude), 7);
      text += ',';
      AppendFixed(text, fix.speed, 2);
      text += ',';
      text += std::to_string(fix.timestamp);
      text += ']';
    }
    text += ']';
    return text;
  });
  return QString::fromStdString(json);
}

// ---- Position tick ----

void TelemetryController::OnPositionChanged(qint64 positionMs, qint64 durationMs) {
  UpdateMapPosition(positionMs);
  UpdateSpeed(positionMs);
  const int oldX = PositionLineX();
  positionMs_ = positionMs;
  durationMs_ = durationMs;
  const int newX = PositionLineX();
  if (oldX != newX) {
    if (QWidget* face = host_.Face()) {
      const QRect graph = GraphRect();
      if (oldX >= 0) face->update(graph.left() + oldX, graph.top(), 1, graph.height());
      if (newX >= 0) face->update(graph.left() + newX, graph.top(), 1, graph.height());
    }
  }
}

QString TelemetryController::DrawCurrentScript(double latitudeDegrees, double longitudeDegrees) {
  return QString::asprintf("javascript:DrawCurrent('%lf', '%lf','%d')", longitudeDegrees, latitudeDegrees, kMapZoom);
}

void TelemetryController::UpdateMapPosition(qint64 positionMs) {
  const std::optional<CGPSData> fix = telemetry_.WithArrays([&](const auto&, const std::vector<CGPSData>& gps) {
    const qsizetype i = FirstFixAtOrAfter(gps, positionMs);
    return i < 0 ? std::optional<CGPSData>() : std::optional<CGPSData>(gps[static_cast<std::size_t>(i)]);
  });
  if (!fix || fix->valid == 0 || !mapView_) return;
  const double latitude = ToDegrees(fix->latitude);
  const double longitude = ToDegrees(fix->longitude);
  mapView_->CallScript(DrawCurrentScript(latitude, longitude));
  mapView_->latitude = latitude;
  mapView_->longitude = longitude;
}

void TelemetryController::UpdateSpeed(qint64 positionMs) {
  if (host_.ViewMode() != TelemetryHost::ViewNormal || host_.MapState() == TelemetryHost::MapLarge) return;
  // -1: draw 0; -2: leave the digits as they are.
  const int value = telemetry_.WithArrays([&](const auto&, const std::vector<CGPSData>& gps) {
    if (gps.empty()) return 0;
    qsizetype i = FirstFixAtOrAfter(gps, positionMs);
    i = i < 0 ? static_cast<qsizetype>(gps.size()) - 1 : i - 1;
    if (i < 0) i = 0;
    const CGPSData& fix = gps[static_cast<std::size_t>(i)];
    if (fix.valid == 0) return 0;
    const double current = fix.speed;
    const double previous = i >= 2 ? gps[static_cast<std::size_t>(i - 1)].speed : 0.0;
    if (current != previous || current == 0) return static_cast<int>(current);
    return -2;
  });
  if (value != -2) DrawSpeed(value);
}

void TelemetryController::DrawSpeed(int value) {
  speedImage_ = speeddigits::DrawDigits(value);
  ++speedDraws_;
  if (QWidget* face = host_.Face()) face->update(SpeedRect());
}

QRect TelemetryController::SpeedRect() const {
  const QPoint place =
      host_.MapState() == TelemetryHost::MapSmall ? speeddigits::kPlaceWithSmallMap : speeddigits::kPlaceOtherwise;
  return QRect(place, speeddigits::kSize);
}

// ---- Graph ----

QRect TelemetryController::GraphRect() { return QRect(gsensor::kGraphPlace, QSize(370, 114)); }

void TelemetryController::DrawGSensorGraph() {
  gsensorImage_ = gsensor::DrawGraph(telemetry_, player_.GetDurationMs());
  gsensorFace_ = QImage();  // made at the next paint
  if (QWidget* face = host_.Face()) face->update(GraphRect());
}

int TelemetryController::PositionLineX() const {
  const double scale = gsensor::PixelsPerMs(static_cast<uint64_t>(std::max<qint64>(durationMs_, 0)));
  if (scale <= 0 || positionMs_ < 0) return -1;
  const int x = static_cast<int>(positionMs_ * scale);
  return x < GraphRect().width() ? x : -1;
}

void TelemetryController::Paint(QPainter& painter) const {
  if (host_.ViewMode() != TelemetryHost::ViewNormal) return;
  if (gsensorFace_.isNull() && !gsensorImage_.isNull())
    gsensorFace_ = skin::WithKeyColourTransparent(gsensorImage_, skin::kGreenKey);
  if (!gsensorFace_.isNull()) painter.drawImage(gsensor::kGraphPlace, gsensorFace_);
  if (host_.MapState() == TelemetryHost::MapLarge) return;
  if (const int x = PositionLineX(); x >= 0 && !gsensorFace_.isNull()) {
    const QRect graph = GraphRect();
    painter.setPen(QColor::fromRgba(kPositionLine));
    painter.drawLine(graph.left() + x, graph.top(), graph.left() + x, graph.bottom());
  }
  if (!speedImage_.isNull()) painter.drawImage(SpeedRect().topLeft(), speedImage_);
}

bool TelemetryController::HandleFaceClick(const QPoint& facePosition) {
  if (host_.ViewMode() != TelemetryHost::ViewNormal || host_.MapState() == TelemetryHost::MapLarge) return false;
  const QRect graph = GraphRect();
  const double scale = gsensor::PixelsPerMs(static_cast<uint64_t>(std::max<qint64>(durationMs_, 0)));
  if (!graph.contains(facePosition) || scale <= 0) return false;
  const qint64 ms = std::llround((facePosition.x() - graph.left()) / scale);
  emit seekRequested(std::clamp<qint64>(ms, 0, durationMs_));
  return true;
}

// ---- Map ----

QUrl TelemetryController::MapPageUrl() const {
  const QString folder = pageFolder_.isEmpty() ? QCoreApplication::applicationDirPath() : pageFolder_;
  return ::MapPageUrl(folder, host_.UiLanguage());
}

void TelemetryController::ShowMapPage() {
  if (mapView_) mapView_->Navigate(MapPageUrl());
}

bool TelemetryController::IsConnected() const {
  if (connectionProbe_) return connectionProbe_();
  static const bool loaded = QNetworkInformation::loadBackendByFeatures(QNetworkInformation::Feature::Reachability);
  const QNetworkInformation* info = loaded ? QNetworkInformation::instance() : nullptr;
  if (!info) return true;
  switch (info->reachability()) {
    case QNetworkInformation::Reachability::Online:
    case QNetworkInformation::Reachability::Unknown: return true;
    default: return false;
  }
}

void TelemetryController::PlaceMapView(const QRect& geometry) {
  if (mapView_) mapView_->setGeometry(geometry);
}

void TelemetryController::ShowSmallMap() {
  host_.ResizeRecordingList(kListHeightWithMap);
  PlaceMapView(kSmallMap);
  host_.PlaceMapButtons(kButtonsTopWithMap, QStringLiteral("Show Larger Map"), kHideMapLook);
  if (IsConnected()) ShowMapPage();
  else PlaceMapView(kOfflineSmallMap);
}

void TelemetryController::SetLargeMapPage() {
  // The page draws its own coastlines and borders offline, so a large map that has never loaded
  // its page loads it even without a connection rather than staying blank.
  const bool neverLoaded = !mapView_ || !mapView_->HasBrowser();
  if (IsConnected() || neverLoaded) ShowMapPage();
}

void TelemetryController::OnMapLarger() {
  if (telemetry_.GpsCount() < 1) {
    host_.ShowMessage(host_.LoadUiString(ids::IDS_NO_GPS));
    return;
  }
  if (host_.MapState() == TelemetryHost::MapLarge) {
    host_.SetMapState(TelemetryHost::MapSmall);
    host_.LayoutForView(TelemetryHost::ViewNormal);
    ShowSmallMap();
    host_.EnsureCurrentRowVisible();
  } else {
    host_.SetMapState(TelemetryHost::MapLarge);
    SetLargeMapPage();
    host_.LayoutForView(TelemetryHost::ViewLargeMap);
    host_.SetMapLargerTooltip(QStringLiteral("Reduce Map"));
  }
  if (QWidget* face = host_.Face()) face->update();
}

void TelemetryController::OnMapShow() {
  if (telemetry_.GpsCount() < 1) {
    host_.ShowMessage(host_.LoadUiString(ids::IDS_NO_GPS));
    return;
  }
  const int state = host_.MapState();
  if (state == TelemetryHost::MapSmall) {
    host_.SetMapState(TelemetryHost::MapHidden);
    host_.ResizeRecordingList(kListHeightWithoutMap);
    PlaceMapView(kNoMap);
    host_.PlaceMapButtons(kButtonsTopWithoutMap, QStringLiteral("Show Large Map"), kShowMapLook);
  } else {
    host_.SetMapState(TelemetryHost::MapSmall);
    // From the large map the window's other controls come back first.
    if (state == TelemetryHost::MapLarge) host_.LayoutForView(TelemetryHost::ViewNormal);
    ShowSmallMap();
  }
  host_.EnsureCurrentRowVisible();
  if (QWidget* face = host_.Face()) face->update();
}

void TelemetryController::HideMapWhenNoGps() {
  if (host_.MapState() == TelemetryHost::MapLarge) host_.LayoutForView(TelemetryHost::ViewNormal);
  if (host_.MapState() == TelemetryHost::MapHidden) return;
  host_.SetMapState(TelemetryHost::MapHidden);
  host_.ResizeRecordingList(kListHeightWithoutMap);
  PlaceMapView(kNoMap);
  host_.PlaceMapButtons(kButtonsTopWithoutMap, QStringLiteral("Show Large Map"), kShowMapLook);
  host_.RerunChannelView();
}

// ---- Outside senders ----

bool TelemetryController::RegisterReloadService(QDBusConnection bus) {
  if (!bus.isConnected()) return false;
  if (!bus.registerObject(kDBusPath, this, QDBusConnection::ExportScriptableSlots)) return false;
  bus.registerService(kDBusService);  // a second player answers on its unique name only
  return true;
}
