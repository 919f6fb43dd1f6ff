// The load of a recording's telemetry through the reader component, and the worker thread that
// runs one load per opened recording.
#pragma once

#include <QString>
#include <atomic>
#include <chrono>
#include <functional>
#include <stop_token>
#include <thread>

class CTextData;
class CVideoPlayer;
class QObject;

// A reader that answers neither a sample nor the end this many times in a row is taken to be
// stuck: a damaged chunk costs one failed read, and no real file has a thousand in a row.
inline constexpr int kMaxConsecutiveFailedReads = 1000;

enum class LoadOutcome {
  NotStarted,  // no play graph, no reader, or the reader could not open the file
  Finished,    // the reader reported the end, or the play graph stopped holding it
  Stopped,     // stop was requested, or the failed-read bound was reached
};

// Creates the reader by class id, lets the current play graph hold it, opens `path` and parses
// every sample into `telemetry`. Every read asks the player's current play graph for its reader,
// so a newly opened recording (whose graph holds none) ends this load at its next read.
LoadOutcome LoadTelemetry(CVideoPlayer& player, const QString& path, CTextData& telemetry, std::stop_token stop = {});

// When the parts of one load happened (steady clock), for the benchmark and diagnostics.
struct LoadTiming {
  using Clock = std::chrono::steady_clock;
  Clock::time_point requested;         // the load was asked for (UI thread)
  Clock::time_point workerStarted;     // the worker thread began
  Clock::time_point readDone;          // the reader reported the end
  Clock::time_point afterLoadStarted;  // the UI thread took the finished load
  Clock::time_point afterLoadDone;     // the steps after the load are done
};

// One load on its own thread. `afterLoad` runs on `context`'s thread through a queued call once
// the load is over, whatever its outcome; the worker never waits for that thread. The
// destructor stops the load at its next read and joins it.
class TelemetryWorker {
 public:
  using AfterLoad = std::function<void(LoadOutcome, LoadTiming)>;
  TelemetryWorker(CVideoPlayer& player, QString path, CTextData& telemetry, QObject* context, AfterLoad afterLoad);
  ~TelemetryWorker();
  TelemetryWorker(const TelemetryWorker&) = delete;
  TelemetryWorker& operator=(const TelemetryWorker&) = delete;

  // Asks the load to end at its next read, then waits for the thread.
  void StopAndJoin();
  bool Done() const { return done_.load(std::memory_order_acquire); }

 private:
  void Run(std::stop_token stop);

  // Set before the thread starts, read by it.
  CVideoPlayer& player_;
  const QString path_;
  CTextData& telemetry_;
  // Outlives the worker: its owner joins the worker before it goes.
  QObject* const context_;
  AfterLoad afterLoad_;

  LoadTiming timing_;  // worker thread until the after-load call is posted
  std::atomic<bool> done_{false};
  std::jthread thread_;  // last: started once everything above is in place
};
