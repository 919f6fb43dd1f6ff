#include "packetqueue.h"

namespace {
int64_t SizeOf(const MediaSample& s) { return s.packet ? s.packet->size : 0; }
}  // namespace

void PacketQueue::Push(MediaSample&& sample) {
  {
    std::lock_guard lock(mutex_);
    if (aborted_ || sample.serial != serial_) return;
    bytes_ += SizeOf(sample);
    duration_ += sample.duration;
    finished_ = false;
    samples_.push_back(std::move(sample));
  }
  changed_.notify_one();
}

std::optional<MediaSample> PacketQueue::Pop() {
  std::unique_lock lock(mutex_);
  changed_.wait(lock, [this] { return aborted_ || !samples_.empty(); });
  if (aborted_) return std::nullopt;
  MediaSample s = std::move(samples_.front());
  samples_.pop_front();
  bytes_ -= SizeOf(s);
  duration_ -= s.duration;
  return s;
}

void PacketQueue::Flush(int serial) {
  std::lock_guard lock(mutex_);
  samples_.clear();
  bytes_ = 0;
  duration_ = MediaTime(0);
  serial_ = serial;
  finished_ = false;
}

void PacketQueue::Abort() {
  {
    std::lock_guard lock(mutex_);
    aborted_ = true;
  }
  changed_.notify_all();
}

void PacketQueue::SetFinished(bool finished) {
  std::lock_guard lock(mutex_);
  finished_ = finished;
}

Filter::Backlog PacketQueue::Backlog() const {
  std::lock_guard lock(mutex_);
  return {static_cast<int>(samples_.size()), bytes_, duration_, finished_};
}

void PacketQueue::Reset() {
  std::lock_guard lock(mutex_);
  samples_.clear();
  bytes_ = 0;
  duration_ = MediaTime(0);
  aborted_ = false;
  finished_ = false;
}
