// CPlayGraph: the graph of one opened recording. Builds the filter graph for a file with one or
// two video streams (front camera to the front window, rear camera to the rear window, audio to
// the audio renderer), cues it so the first pictures show, drives it (run, pause, stop, seek,
// rate, the rear flips) and takes it down again. UI thread only, except the telemetry reader
// member, which CVideoPlayer guards.
#pragma once

#include "graph/graph.h"
#include "graph/interfaces.h"

#include <QImage>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <initializer_list>
#include <memory>
#include <vector>

class AudioOutput;
class ComponentFactory;
class Filter;
class TelemetryReader;
class QPainter;

enum class PlayState { Running = 0, Paused = 1, Stopped = 2, Empty = 3 };

class CPlayGraph {
 public:
  CPlayGraph(ComponentFactory& factory, AudioOutput* audio, int mode, QWidget* frontWindow,
             QWidget* rearWindow);
  ~CPlayGraph();
  CPlayGraph(const CPlayGraph&) = delete;
  CPlayGraph& operator=(const CPlayGraph&) = delete;

  // Negative on failure. 1 when a two-video file's front stream would not connect (the open
  // still counts as successful, nothing is shown).
  int32_t Build(const QString& path);
  void Teardown();

  // Engine operations; see CVideoPlayer for their contracts.
  int32_t Play();
  int32_t Pause();
  int32_t Stop();
  void SetRate(float rate);
  bool SeekTo(uint64_t ms);
  bool StepBack(int seconds);
  bool StepForward(int seconds);
  uint64_t GetPositionMs() const;
  uint64_t GetDurationMs();
  int32_t Repaint();
  int32_t PaintFront(QPainter* painter);
  void SetBrightness(int value);
  int32_t SetRearFlip(int parameter, int on);
  bool GrabFrame(int channel, QImage* image);

  PlayState State() const { return state_; }
  float Rate() const { return rate_; }
  int VideoStreamCount() const { return videoStreamCount_; }
  bool IsBuilt() const { return built_; }
  const QString& FilePath() const { return filePath_; }
  // The parameter interface of decoder 1 or 2, null when that decoder does not exist.
  IDecoderParameters* Decoder(int number) const;
  // The filter graph, null before a build and after a teardown (tests, diagnostics).
  Graph* FilterGraph() const { return graph_.get(); }
  // Renderer 1 (front) or 2 (rear), null when absent.
  Filter* Renderer(int number) const;
  // Names of the graph's filters in the order they were added, and its links.
  std::vector<QString> FilterNames() const;
  std::vector<Graph::Connection> Connections() const;

  // For throughput measurements: the next build's renderers take every frame at once.
  void SetUnthrottled(bool unthrottled) { unthrottled_ = unthrottled; }

  // The telemetry reader held during a load (see CVideoPlayer, which guards it).
  std::shared_ptr<TelemetryReader> telemetryReader;

 private:
  struct FilterStep {
    const QUuid& classId;
    const char* name;
    std::shared_ptr<Filter>* member;
  };
  int32_t AddFilterSteps(std::initializer_list<FilterStep> steps);
  int32_t BuildOneVideo();
  int32_t BuildTwoVideos();
  int32_t AddAudioRenderer();
  int32_t SetUpRenderer(Filter* renderer, QWidget* window);
  void WatchDecoders();
  void RefreshPausedPicture();
  IMediaControl* Control() const { return graph_.get(); }
  IMediaSeeking* Seeking() const { return graph_.get(); }

  ComponentFactory& factory_;
  QPointer<AudioOutput> audio_;
  int mode_;
  QPointer<QWidget> frontWindow_;
  QPointer<QWidget> rearWindow_;

  std::unique_ptr<Graph> graph_;
  // The play graph's own references, besides the graph's.
  std::shared_ptr<Filter> fileSource_;
  std::shared_ptr<Filter> splitter_;
  std::shared_ptr<Filter> decoder1_, decoder2_;
  std::shared_ptr<Filter> audioRenderer_;
  std::shared_ptr<Filter> converter1_, converter2_;
  std::shared_ptr<Filter> renderer1_, renderer2_;
  std::shared_ptr<Filter> brightness1_, brightness2_;

  PlayState state_ = PlayState::Empty;
  float rate_ = 1.0f;
  MediaTime durationCache_{0};  // 0: not fetched yet
  int videoStreamCount_ = 0;
  bool built_ = false;
  QString filePath_;
  int nativeWidth_ = 0, nativeHeight_ = 0;  // read at build; nothing uses them
  bool unthrottled_ = false;
  // Context of the queued picture refresh; goes with the play graph, and the refresh with it.
  std::unique_ptr<QObject> refreshContext_;
  bool refreshPending_ = false;
};
