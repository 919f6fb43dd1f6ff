// The filter graph manager: holds the filters by name, connects their pins (with intelligent
// connect, which inserts an audio decoder where a compressed audio pin meets a renderer), and
// runs, pauses, stops, seeks and times the whole graph in media time.
#pragma once

#include "clock.h"
#include "filter.h"
#include "interfaces.h"

#include <QObject>
#include <QString>
#include <chrono>
#include <memory>
#include <vector>

class ComponentFactory;

// A filter that produces the graph's samples from a file and can seek (the splitter).
class ISeekableSource {
 public:
  virtual ~ISeekableSource() = default;
  virtual MediaTime Duration() const = 0;
  // Makes every downstream sample before `serial` stale and reads on from `target` (UI thread).
  virtual void Seek(MediaTime target, int serial) = 0;
};

// A filter at the end of a chain; the graph waits for it when cueing.
class IRenderer {
 public:
  virtual ~IRenderer() = default;
  // Blocks until the renderer holds a sample of the current serial (or the end of its stream),
  // at most until `deadline`, and shows it. True when it did.
  virtual bool WaitUntilCued(std::chrono::steady_clock::time_point deadline) = 0;
};

class Graph : public Component, public IMediaControl, public IMediaSeeking {
 public:
  explicit Graph(ComponentFactory& factory);
  ~Graph() override;

  // IFilterGraph-like. A name already in use gets " 0001", " 0002"... appended.
  int32_t AddFilter(std::shared_ptr<Filter> filter, const QString& name);
  int32_t RemoveFilter(Filter* filter);
  std::vector<Filter*> EnumFilters() const;
  Filter* FindFilterByName(const QString& name) const;
  // Breaks the link of `pin` and its peer; S_FALSE when it was not connected.
  int32_t Disconnect(Pin* pin);
  // Direct connection of an output pin to an input pin, trying the output's types in order.
  int32_t ConnectDirect(Pin* output, Pin* input);
  // IGraphBuilder::Connect: direct, else through an intermediate filter from the factory.
  int32_t Connect(Pin* output, Pin* input);

  struct Connection {
    QString fromFilter, fromPin, toFilter, toPin;
    friend bool operator==(const Connection&, const Connection&) = default;
  };
  // Every link, in filter order then pin order, for tests and diagnostics.
  std::vector<Connection> Connections() const;

  // IMediaControl.
  int32_t Run() override;
  int32_t Pause() override;
  int32_t Stop() override;
  int32_t StopWhenReady() override;
  GraphState State() const override { return state_; }

  // IMediaSeeking.
  int32_t SetPositions(MediaTime current) override;
  int32_t GetCurrentPosition(MediaTime* position) const override;
  int32_t GetDuration(MediaTime* duration) const override;
  int32_t SetRate(double rate) override;
  int32_t GetRate(double* rate) const override;

  // For throughput measurements: renderers take every frame as it comes. Before streaming only.
  void SetUnthrottled(bool unthrottled) { unthrottled_ = unthrottled; }
  const PlaybackClock& Clock() const { return clock_; }
  PlaybackClock& Clock() { return clock_; }
  bool IsStreaming() const { return streaming_; }

 private:
  struct Entry {
    std::shared_ptr<Filter> filter;
  };
  void StartStreaming();
  void StopStreaming();
  void NotifyClockChanged();
  void OnRendererCued();
  void ResumeAfterSeek();
  ISeekableSource* Source() const;
  int32_t ConnectThrough(Pin* output, Pin* input, const QUuid& classId);

  // UI thread only.
  ComponentFactory& factory_;
  std::vector<Entry> filters_;
  PlaybackClock clock_;
  GraphState state_ = GraphState::Stopped;
  bool streaming_ = false;
  bool unthrottled_ = false;
  int serial_ = 0;
  // A seek while running holds the clock at the target until every video renderer shows its
  // first picture there, so playback goes on from it instead of dropping what decoding took.
  int pendingCues_ = 0;
  std::unique_ptr<QObject> timerContext_;  // for the fallback that resumes a stalled seek
};
