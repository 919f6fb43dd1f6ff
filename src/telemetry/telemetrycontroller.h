// TelemetryController: the telemetry of the open recording and everything shown from it: the
// records, the worker that loads them, the map control and its two commands, the G-sensor graph
// and the speed digits. The main window owns it, calls its slots and paints through it.
#pragma once

#include "cmapview.h"
#include "telemetryhost.h"
#include "telemetryloader.h"
#include "textdata.h"

#include <QImage>
#include <QObject>
#include <QPointer>
#include <QRect>
#include <QUrl>
#include <functional>
#include <memory>

class CVideoPlayer;
class QDBusConnection;
class QPainter;

class TelemetryController : public QObject {
  Q_OBJECT
  Q_CLASSINFO("D-Bus Interface", "org.tavro.RoadcaskPlayer.Telemetry")
 public:
  // The map control is made at once as a child of host.Face() (control 1068, zero size); its
  // browser only when the map is first shown.
  TelemetryController(TelemetryHost& host, CVideoPlayer& player, QObject* parent = nullptr);
  // Ends the worker (see Shutdown).
  ~TelemetryController() override;

  CMapView* MapView() const { return mapView_; }
  CTextData& Telemetry() { return telemetry_; }
  const CTextData& Telemetry() const { return telemetry_; }

  // Paints the graph and, in the normal view without the large map, the play-position line and
  // the speed digits. The main window calls it at the end of its paint.
  void Paint(QPainter& painter) const;
  // A click on the main window's face; true when it was on the graph (then seekRequested).
  bool HandleFaceClick(const QPoint& facePosition);
  // Where the telemetry paints on the face: the graph and the speed digits (for partial updates).
  static QRect GraphRect();
  QRect SpeedRect() const;

  // Ends an unfinished load and waits for its thread. The window calls it before the player or
  // the window goes when the controller is not destroyed first.
  void Shutdown();

  // Registers ReloadTelemetry on the bus at /org/tavro/RoadcaskPlayer (and the service name
  // org.tavro.RoadcaskPlayer when it is free). False when the bus is not connected.
  bool RegisterReloadService(QDBusConnection bus);

  // ---- Parts of the above, public for the window's own steps and for tests ----
  void UpdateMapPosition(qint64 positionMs);
  void UpdateSpeed(qint64 positionMs);
  void DrawSpeed(int value);
  void ShowMapPage();
  void HideMapWhenNoGps();
  QUrl MapPageUrl() const;
  bool IsConnected() const;
  const QImage& GSensorImage() const { return gsensorImage_; }
  // The last speed work bitmap (30 x 15), null when none is shown.
  const QImage& SpeedImage() const { return speedImage_; }
  int SpeedDrawCount() const { return speedDraws_; }
  bool Loading() const { return loading_; }
  // When the parts of the last finished load happened.
  const LoadTiming& LastLoadTiming() const { return lastTiming_; }

  // The text UpdateMapPosition hands to the map for a fix at these decimal degrees.
  static QString DrawCurrentScript(double latitudeDegrees, double longitudeDegrees);

  // Tests and tools: whether the machine counts as online (default: the network information's
  // reachability; a machine that cannot tell counts as connected), and where the page lies
  // (default: the program's own folder).
  void SetConnectionProbe(std::function<bool()> probe) { connectionProbe_ = std::move(probe); }
  void SetPageFolder(const QString& folder) { pageFolder_ = folder; }

 public slots:
  // The session's open: the previous load is ended first, the telemetry emptied and a new load
  // of the current recording started.
  void OnRecordingOpened();
  // StopAndReset and card removal: the telemetry emptied, the graph drawn again (background).
  void OnRecordingClosed();
  void Clear();
  // The position tick: the map, the speed and the play-position line.
  void OnPositionChanged(qint64 positionMs, qint64 durationMs);
  void OnMapLarger();  // command 1018
  void OnMapShow();    // command 1019
  void DrawGSensorGraph();
  // WM_RELOAD_TELEMETRY (0x45A): the telemetry emptied and read again.
  Q_SCRIPTABLE void ReloadTelemetry();

 signals:
  // A click on the route or on the graph: play from there.
  void seekRequested(qint64 positionMs);
  // The steps after a load have run (map hidden when there is no fix, graph drawn).
  void telemetryLoaded();

 private:
  void StartLoad();
  void StopLoad();
  void AfterLoad(unsigned generation, LoadOutcome outcome, const LoadTiming& timing);
  void ShowSmallMap();
  void PlaceMapView(const QRect& geometry);
  void SetLargeMapPage();
  QString RouteJson() const;
  int PositionLineX() const;

  // UI thread only, except telemetry_, which the worker fills under the records' own lock.
  TelemetryHost& host_;
  CVideoPlayer& player_;
  QPointer<CMapView> mapView_;  // child of host_.Face()
  std::function<bool()> connectionProbe_;
  QString pageFolder_;

  CTextData telemetry_;  // filled by the worker, read here under its own lock
  std::unique_ptr<TelemetryWorker> worker_;
  unsigned loadGeneration_ = 0;  // the after-load call of an ended load finds a newer number
  bool loading_ = false;
  LoadTiming lastTiming_;

  QImage gsensorImage_;
  mutable QImage gsensorFace_;  // gsensorImage_ with its green transparent, made when painted
  QImage speedImage_;
  int speedDraws_ = 0;
  qint64 positionMs_ = 0;
  qint64 durationMs_ = 0;
};
