// Telemetry benchmark. For each recording: the time from the start of a load (worker started)
// to the end of its after-load steps on the UI thread, next to the floor: opening the file with
// libavformat and reading its data packets alone, other streams discarded. Then the UI-thread
// time of one position tick with the map page loaded, the speed digits and the graph's line.
// The last line is the worst load ratio.
#include "components.h"
#include "componentfactory.h"
#include "graph/avptr.h"
#include "mapbrowser.h"
#include "telemetrycontroller.h"
#include "telemetryhost.h"
#include "videoplayer.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QTimer>
#include <QWidget>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

extern "C" {
#include <libavformat/avformat.h>
}

namespace {

constexpr int kRuns = 31;
constexpr int kTicks = 300;

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

double Ms(const QElapsedTimer& t) { return double(t.nsecsElapsed()) / 1e6; }

// Open, pick the data stream, discard the rest, read every packet: what any loader must do.
double Floor(const QString& path, int* packets) {
  QElapsedTimer timer;
  timer.start();
  AVFormatContext* raw = nullptr;
  if (avformat_open_input(&raw, QFile::encodeName(path).constData(), nullptr, nullptr) < 0) return -1;
  AVFormatContextUPtr format(raw);
  int stream = -1;
  for (unsigned i = 0; i < format->nb_streams; ++i) {
    const AVMediaType kind = format->streams[i]->codecpar->codec_type;
    if (stream < 0 && (kind == AVMEDIA_TYPE_DATA || kind == AVMEDIA_TYPE_UNKNOWN)) stream = int(i);
    else format->streams[i]->discard = AVDISCARD_ALL;
  }
  AVPacketUPtr packet = MakePacket();
  int count = 0;
  while (av_read_frame(format.get(), packet.get()) >= 0) {
    count += packet->stream_index == stream && packet->size > 0;
    av_packet_unref(packet.get());
  }
  *packets = count;
  return Ms(timer);
}

struct BenchHost : TelemetryHost {
  QWidget face;
  QString path;
  int mapState = MapSmall;
  QWidget* Face() override { return &face; }
  int ViewMode() const override { return ViewNormal; }
  int MapState() const override { return mapState; }
  void SetMapState(int state) override { mapState = state; }
  int UiLanguage() const override { return 1033; }
  QString LoadUiString(int) const override { return {}; }
  QString CurrentRecordingPath() const override { return path; }
  void LayoutForView(int) override {}
  void ResizeRecordingList(int) override {}
  void EnsureCurrentRowVisible() override {}
  void PlaceMapButtons(int, const QString&, const MapShowButtonLook&) override {}
  void SetMapLargerTooltip(const QString&) override {}
  void RerunChannelView() override {}
  void ShowMessage(const QString&) override {}
};

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QStringList files = app.arguments().mid(1);
  if (files.isEmpty()) {
    std::fprintf(stderr, "usage: telemetry_bench RECORDING...\n");
    return 2;
  }
  ComponentFactory factory;
  RegisterPlaybackComponents(factory);
  CVideoPlayer player(factory, nullptr);
  QWidget front, rear;
  player.Attach(&front, &rear);  // a play graph to hold the reader; the video itself is not needed
  BenchHost host;
  host.face.resize(1022, 682);
  TelemetryController controller(host, player);

  double worstRatio = 0;
  // read: the load's reading and parsing alone, on this thread. load: from the worker's start to
  // the end of the after-load steps on the UI thread (start-up of the thread and the steps
  // themselves shown apart). ratio: load / floor.
  std::printf("%-32s %7s %9s %8s %8s %9s %10s %6s\n", "recording", "samples", "floor ms", "read ms", "load ms",
              "thread ms", "after ms", "ratio");
  for (const QString& file : files) {
    host.path = file;
    std::vector<double> floors, reads, loads, threadStarts, afterLoads;
    int packets = 0;
    for (int run = 0; run < kRuns; ++run) {
      // Alternate so both see the same cache and machine load.
      floors.push_back(Floor(file, &packets));
      {
        // The reading and parsing alone, on this thread: what the after-load steps add shows.
        CTextData data;
        QElapsedTimer timer;
        timer.start();
        LoadTelemetry(player, file, data);
        reads.push_back(Ms(timer));
      }
      QEventLoop loop;
      QObject::connect(&controller, &TelemetryController::telemetryLoaded, &loop, &QEventLoop::quit);
      controller.OnRecordingOpened();
      loop.exec();
      const LoadTiming& t = controller.LastLoadTiming();
      auto ms = [](auto from, auto to) { return std::chrono::duration<double, std::milli>(to - from).count(); };
      loads.push_back(ms(t.workerStarted, t.afterLoadDone));
      threadStarts.push_back(ms(t.requested, t.workerStarted));
      afterLoads.push_back(ms(t.afterLoadStarted, t.afterLoadDone));
    }
    const std::size_t samples = controller.Telemetry().GSensorCount() + controller.Telemetry().GpsCount();
    if (int(samples) != packets) std::fprintf(stderr, "%s: %zu samples loaded, %d packets read\n", qPrintable(file), samples, packets);
    const double ratio = Median(loads) / Median(floors);
    worstRatio = std::max(worstRatio, ratio);
    std::printf("%-32s %7zu %9.2f %8.2f %8.2f %9.2f %10.2f %6.2f\n", qPrintable(QFileInfo(file).fileName()), samples,
                Median(floors), Median(reads), Median(loads), Median(threadStarts), Median(afterLoads), ratio);
  }

  // One position tick: the map page is loaded and shown small, the digits change every second.
  controller.SetPageFolder(QStringLiteral(TAVRO_MAP_PAGE_DIR));
  SetMapBrowserFolder(QStringLiteral(TAVRO_MAP_PAGE_DIR));
  controller.SetConnectionProbe([] { return false; });
  host.face.show();
  controller.MapView()->setGeometry(695, 466, 324, 197);
  QEventLoop pageLoop;
  QObject::connect(controller.MapView(), &CExplorerMapViewWnd::pageLoaded, &pageLoop, &QEventLoop::quit);
  QTimer::singleShot(60000, &pageLoop, &QEventLoop::quit);
  controller.ShowMapPage();
  pageLoop.exec();
  controller.DrawGSensorGraph();
  const qint64 duration = qint64(player.GetDurationMs() ? player.GetDurationMs() : 180000);
  QImage face(1022, 682, QImage::Format_ARGB32_Premultiplied);
  std::vector<double> ticks;
  for (int i = 0; i < kTicks; ++i) {
    const qint64 position = (duration * i) / kTicks;
    QElapsedTimer timer;
    timer.start();
    controller.OnPositionChanged(position, 180000);
    QPainter painter(&face);
    controller.Paint(painter);  // what the window's paint adds for the telemetry
    painter.end();
    ticks.push_back(Ms(timer));
    app.processEvents();
  }
  std::printf("position tick (map, speed, graph line): median %.3f ms, max %.3f ms over %d ticks\n", Median(ticks),
              *std::max_element(ticks.begin(), ticks.end()), kTicks);
  std::printf("%.3f\n", worstRatio);
  return 0;
}
