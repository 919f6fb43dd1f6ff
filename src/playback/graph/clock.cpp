#include "clock.h"

#include <cmath>

PlaybackClock::PlaybackClock(NowFunction now) : now_(std::move(now)) { baseWall_ = now_(); }

MediaTime PlaybackClock::PositionLocked() const {
  if (!running_) return base_;
  const auto elapsed = std::chrono::duration_cast<MediaTime>(now_() - baseWall_);
  return base_ + MediaTime(static_cast<int64_t>(std::llround(elapsed.count() * rate_)));
}

void PlaybackClock::Start() {
  std::lock_guard lock(mutex_);
  if (running_) return;
  baseWall_ = now_();
  running_ = true;
}

void PlaybackClock::Stop() {
  std::lock_guard lock(mutex_);
  if (!running_) return;
  base_ = PositionLocked();
  running_ = false;
}

bool PlaybackClock::IsRunning() const {
  std::lock_guard lock(mutex_);
  return running_;
}

void PlaybackClock::SetPosition(MediaTime position) {
  std::lock_guard lock(mutex_);
  base_ = position;
  baseWall_ = now_();
}

MediaTime PlaybackClock::Position() const {
  std::lock_guard lock(mutex_);
  return PositionLocked();
}

void PlaybackClock::SetRate(double rate) {
  std::lock_guard lock(mutex_);
  base_ = PositionLocked();
  baseWall_ = now_();
  rate_ = rate;
}

double PlaybackClock::Rate() const {
  std::lock_guard lock(mutex_);
  return rate_;
}

std::optional<std::chrono::nanoseconds> PlaybackClock::WallDelayUntil(MediaTime t) const {
  std::lock_guard lock(mutex_);
  if (!running_ || rate_ <= 0) return std::nullopt;
  const MediaTime ahead = t - PositionLocked();
  if (ahead.count() <= 0) return std::chrono::nanoseconds(0);
  return std::chrono::nanoseconds(static_cast<int64_t>(ahead.count() * 100 / rate_));
}

void PlaybackClock::SyncToMaster(MediaTime masterPosition) {
  std::lock_guard lock(mutex_);
  const MediaTime own = PositionLocked();
  masterOffset_ = own - masterPosition;
  // The device reports its position in periods of about 10 ms; correcting below that would only
  // add jitter to the frame timing.
  if (std::abs(masterOffset_.count()) < MediaTime(std::chrono::milliseconds(10)).count()) return;
  base_ = masterPosition;
  baseWall_ = now_();
}

MediaTime PlaybackClock::LastMasterOffset() const {
  std::lock_guard lock(mutex_);
  return masterOffset_;
}
