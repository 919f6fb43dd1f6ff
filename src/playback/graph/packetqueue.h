// The queue of compressed samples between the splitter's thread and one decoder's thread.
#pragma once

#include "filter.h"

#include <condition_variable>
#include <deque>
#include <mutex>
#include <optional>

class PacketQueue {
 public:
  // Drops samples of an older serial (a seek happened since they were read).
  void Push(MediaSample&& sample);
  // Blocks until there is a sample or the queue is aborted (then none).
  std::optional<MediaSample> Pop();
  // Empties the queue and makes `serial` the current one (UI thread, on a seek).
  void Flush(int serial);
  void Abort();
  // Makes an aborted queue usable again, empty (before its consumer thread starts anew).
  void Reset();
  void SetFinished(bool finished);
  Filter::Backlog Backlog() const;

 private:
  mutable std::mutex mutex_;  // guards everything below
  std::condition_variable changed_;
  std::deque<MediaSample> samples_;
  int serial_ = 0;
  int64_t bytes_ = 0;
  MediaTime duration_{0};
  bool aborted_ = false;
  bool finished_ = false;
};
