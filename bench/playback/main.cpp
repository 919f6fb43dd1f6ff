// Measures the engine on one two-camera recording: (a) decode-and-render throughput with
// presentation unthrottled against ffmpeg decoding the same two streams, (b) real-time playback
// into two 344x194 windows, (c) open-to-first-picture and seek-to-shown-target latency.
// The last line printed is the throughput CPU ratio (engine / ffmpeg).
#include "audiooutput.h"
#include "componentfactory.h"
#include "framestripe.h"
#include "components.h"
#include "graph/videorenderer.h"
#include "videoplayer.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <QProcess>
#include <QThread>
#include <QWidget>
#include <algorithm>
#include <cstdio>
#include <sys/resource.h>
#include <vector>

namespace {

double Seconds(const timeval& t) { return t.tv_sec + t.tv_usec / 1e6; }

double CpuSeconds(int who) {
  rusage u{};
  getrusage(who, &u);
  return Seconds(u.ru_utime) + Seconds(u.ru_stime);
}

// Runs the event loop until `done` or the timeout; returns whether done. The loop sleeps between
// checks, so the waiting itself costs no CPU worth counting.
template <typename Predicate>
bool Spin(Predicate done, int timeoutMs, int pollMs = 10) {
  QElapsedTimer t;
  t.start();
  QEventLoop loop;
  QTimer poll;
  poll.setTimerType(Qt::PreciseTimer);
  QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
    if (done() || t.elapsed() > timeoutMs) loop.quit();
  });
  if (done()) return true;
  poll.start(pollMs);
  loop.exec();
  return done();
}

VideoRenderer* Renderer(CVideoPlayer& p, int n) {
  return p.PlayGraph() ? dynamic_cast<VideoRenderer*>(p.PlayGraph()->Renderer(n)) : nullptr;
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v.empty() ? 0 : v[v.size() / 2];
}

struct Windows {
  QWidget front, rear;
  Windows() {
    front.setGeometry(3, 175, 344, 194);
    rear.setGeometry(347, 175, 344, 194);
    front.show();
    rear.show();
  }
};

double Throughput(ComponentFactory& factory, AudioOutput& audio, const QString& file) {
  Windows w;
  CVideoPlayer player(factory, &audio);
  player.Attach(&w.front, &w.rear);
  player.SetUnthrottled(true);
  const double cpu0 = CpuSeconds(RUSAGE_SELF);
  QElapsedTimer wall;
  wall.start();
  if (!player.Open(file)) {
    std::printf("cannot open %s\n", qPrintable(file));
    return 0;
  }
  player.Play();
  Spin([&] { return Renderer(player, 1)->Stats().endOfStream && Renderer(player, 2)->Stats().endOfStream; },
       600000);
  const double cpu = CpuSeconds(RUSAGE_SELF) - cpu0;
  const auto s1 = Renderer(player, 1)->Stats();
  const auto s2 = Renderer(player, 2)->Stats();
  std::printf("(a) engine, unthrottled: %lld + %lld frames decoded and converted to 344x194 in %.2f s wall, "
              "%.2f s CPU\n",
              static_cast<long long>(s1.presented), static_cast<long long>(s2.presented), wall.elapsed() / 1000.0,
              cpu);
  player.Close();
  return cpu;
}

double FfmpegCpu(const QString& file, int threads) {
  const double cpu0 = CpuSeconds(RUSAGE_CHILDREN);
  QElapsedTimer wall;
  wall.start();
  QProcess ffmpeg;
  const QStringList args{"-nostdin", "-v", "error", "-threads", QString::number(threads), "-i", file,
                         "-map", "0:v:0", "-map", "0:v:1", "-f", "null", "-"};
  ffmpeg.start("ffmpeg", args);
  ffmpeg.waitForFinished(-1);
  const double cpu = CpuSeconds(RUSAGE_CHILDREN) - cpu0;
  std::printf("(a) ffmpeg %s: %.2f s wall, %.2f s CPU\n", qPrintable(args.join(' ')), wall.elapsed() / 1000.0, cpu);
  return cpu;
}

void RealTime(ComponentFactory& factory, AudioOutput& audio, const QString& file) {
  constexpr int kSeconds = 20;
  Windows w;
  CVideoPlayer player(factory, &audio);
  player.Attach(&w.front, &w.rear);
  if (!player.Open(file)) return;
  const double cpu0 = CpuSeconds(RUSAGE_SELF);
  QElapsedTimer wall;
  wall.start();
  player.Play();
  Spin([&] { return player.GetPositionMs() >= kSeconds * 1000; }, (kSeconds + 30) * 1000);
  const double cpu = CpuSeconds(RUSAGE_SELF) - cpu0;
  const double played = player.GetPositionMs() / 1000.0;
  player.Pause();
  std::printf("(b) real time at 1x into two 344x194 windows: %.2f s played in %.2f s wall, %.3f CPU s per s of video\n",
              played, wall.elapsed() / 1000.0, cpu / played);
  for (int n = 1; n <= 2; ++n) {
    const auto s = Renderer(player, n)->Stats();
    const double mean = s.timedPresentations ? s.totalLateness.count() / 1e4 / s.timedPresentations : 0;
    std::printf("(b) renderer %d: %lld shown, %lld dropped; picture shown after its time by %.1f ms on average, "
                "%.1f ms at most\n",
                n, static_cast<long long>(s.presented), static_cast<long long>(s.dropped), mean,
                s.maxLateness.count() / 1e4);
  }
  if (audio.HasDevice())
    std::printf("(b) audio master offset at the end: %.1f ms\n",
                player.PlayGraph()->FilterGraph()->Clock().LastMasterOffset().count() / 1e4);
  else
    std::printf("(b) no sound device: the clock runs on the system clock; the audio-video offset is not "
                "measurable here, the clock-to-picture offset above stands in for it\n");
}

void Latency(ComponentFactory& factory, AudioOutput& audio, const QString& file) {
  Windows w;
  CVideoPlayer player(factory, &audio);
  player.Attach(&w.front, &w.rear);
  std::vector<double> opens, shown;
  for (int i = 0; i < 5; ++i) {
    QElapsedTimer t;
    t.start();
    if (!player.Open(file)) return;
    opens.push_back(t.nsecsElapsed() / 1e6);
    // Painted: the windows' paint events have drawn the first pictures.
    QCoreApplication::processEvents();
    shown.push_back(t.nsecsElapsed() / 1e6);
  }
  std::printf("(c) open to first picture (Open returns with both pictures presented): median %.1f ms, "
              "to painted: median %.1f ms (5 opens)\n",
              Median(opens), Median(shown));
  // Targets in the middle of one-second GOPs, so up to 29 frames decode before the target.
  std::printf("(c) duration %llu ms\n", static_cast<unsigned long long>(player.GetDurationMs()));
  std::vector<double> seeks;
  int wrong = 0;
  player.Pause();
  const int duration = static_cast<int>(player.GetDurationMs());
  for (double at : {0.09, 0.216, 0.388, 0.53, 0.744, 0.875, 0.13, 0.635}) {
    // Whole frames at 30 fps plus a part, so the target lies inside a frame.
    const int target = static_cast<int>(duration * at) / 100 * 100 + 15;
    const int frame = target * 30 / 1000;
    QElapsedTimer t;
    t.start();
    player.SeekTo(target);
    // The frame whose display interval holds the target; checked by its stripe once shown.
    const MediaTime expected = mediatime::FromStreamTicks(frame, AVRational{1, 30});
    const int serial0 = Renderer(player, 1)->CurrentSerial();
    bool ok = Spin(
        [&] {
          VideoRenderer* r1 = Renderer(player, 1);
          VideoRenderer* r2 = Renderer(player, 2);
          return r1->CurrentSerial() != serial0 && r2->CurrentSerial() != serial0 &&
                 r1->CurrentStart() == expected && r2->CurrentStart() == expected;
        },
        5000, 1);
    seeks.push_back(t.nsecsElapsed() / 1e6);
    const auto m1 = ReadFrameMark(Renderer(player, 1)->CurrentPicture());
    const auto m2 = ReadFrameMark(Renderer(player, 2)->CurrentPicture());
    ok = ok && m1 && m2 && m1->frameNumber == frame && m2->frameNumber == frame;
    if (!ok) {
      ++wrong;
      std::printf("(c) seek to %d ms (frame %d) not shown: pictures at %.1f / %.1f ms, marks %d / %d\n", target, frame,
                  Renderer(player, 1)->CurrentStart().count() / 1e4, Renderer(player, 2)->CurrentStart().count() / 1e4,
                  m1 ? m1->frameNumber : -1, m2 ? m2->frameNumber : -1);
    }
  }
  std::printf("(c) seek to a shown target frame (both windows, paused, 1 s keyframe interval): median %.1f ms, "
              "max %.1f ms, %d of %zu not shown\n",
              Median(seeks), *std::max_element(seeks.begin(), seeks.end()), wrong, seeks.size());
}

}  // namespace

int main(int argc, char** argv) {
  std::setvbuf(stdout, nullptr, _IOLBF, 0);
  QApplication app(argc, argv);
  if (argc < 2) {
    std::fprintf(stderr, "usage: playback_bench FILE\n");
    return 2;
  }
  const QString file = QString::fromLocal8Bit(argv[1]);
  ComponentFactory factory;
  RegisterPlaybackComponents(factory);
  AudioOutput audio(AudioOutput::Presence::Detect);
  std::printf("file: %s; %d cores; sound device: %s\n", qPrintable(file), QThread::idealThreadCount(),
              audio.HasDevice() ? "yes" : "no");
  // An optional second argument runs one part alone: latency, realtime or throughput.
  const QString only = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QString();
  if (only == "latency") return Latency(factory, audio, file), 0;
  if (only == "realtime") return RealTime(factory, audio, file), 0;
  if (only.isEmpty() || only == "throughput") {
    if (only.isEmpty()) {
      Latency(factory, audio, file);
      RealTime(factory, audio, file);
    }
  }
  // Two video decoders on two cores: one libavcodec thread each, so ffmpeg gets one too.
  const int threads = std::max(1, QThread::idealThreadCount() / 2);
  const double engine = Throughput(factory, audio, file);
  const double ffmpeg = FfmpegCpu(file, threads);
  std::printf("(a) throughput CPU ratio engine / ffmpeg (target <= 1.25):\n%.3f\n", ffmpeg > 0 ? engine / ffmpeg : 0);
  return 0;
}
