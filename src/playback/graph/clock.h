// The playback clock: media time advancing with the wall clock at the playback rate while
// running. "Now" is injectable so tests can drive it; the audio renderer, when it plays, corrects
// it to the position actually heard (audio is the master), otherwise the system clock rules.
#pragma once

#include "mediatime.h"

#include <chrono>
#include <functional>
#include <mutex>
#include <optional>

class PlaybackClock {
 public:
  using TimePoint = std::chrono::steady_clock::time_point;
  using NowFunction = std::function<TimePoint()>;

  explicit PlaybackClock(NowFunction now = [] { return std::chrono::steady_clock::now(); });

  void Start();
  void Stop();
  bool IsRunning() const;
  void SetPosition(MediaTime position);
  MediaTime Position() const;
  void SetRate(double rate);
  double Rate() const;
  // Wall time until the clock reaches `t`: zero when already there, none while stopped.
  std::optional<std::chrono::nanoseconds> WallDelayUntil(MediaTime t) const;
  // The audio master's position; small drifts are corrected, and the difference is kept for
  // those who measure synchronisation.
  void SyncToMaster(MediaTime masterPosition);
  MediaTime LastMasterOffset() const;

 private:
  MediaTime PositionLocked() const;

  const NowFunction now_;
  mutable std::mutex mutex_;  // guards everything below; taken from the UI and streaming threads
  bool running_ = false;
  MediaTime base_{0};   // position at baseWall_
  TimePoint baseWall_{};
  double rate_ = 1.0;
  MediaTime masterOffset_{0};
};
