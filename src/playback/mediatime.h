// The engine's time units and the one place they are converted: media time (100 ns, the unit of
// the graph's control and seeking interfaces), milliseconds (everything outside the engine) and
// a stream's own ticks (its time base).
#pragma once

#include <chrono>
#include <cstdint>

extern "C" {
#include <libavutil/avutil.h>
#include <libavutil/mathematics.h>
}

using MediaTime = std::chrono::duration<int64_t, std::ratio<1, 10'000'000>>;
using Milliseconds = std::chrono::milliseconds;

namespace mediatime {

inline constexpr AVRational kTimeBase{1, 10'000'000};

// Truncating, as the callers expect: 9,999 media-time units are still 0 ms.
constexpr Milliseconds ToMs(MediaTime t) { return std::chrono::duration_cast<Milliseconds>(t); }
constexpr MediaTime FromMs(Milliseconds ms) { return MediaTime(ms); }
constexpr MediaTime FromMs(int64_t ms) { return MediaTime(Milliseconds(ms)); }

inline MediaTime FromStreamTicks(int64_t ticks, AVRational timeBase) {
  return MediaTime(av_rescale_q(ticks, timeBase, kTimeBase));
}
inline int64_t ToStreamTicks(MediaTime t, AVRational timeBase) {
  return av_rescale_q(t.count(), kTimeBase, timeBase);
}
// AV_TIME_BASE (microsecond) values such as the container's duration and start time.
inline MediaTime FromAvTime(int64_t avTime) { return FromStreamTicks(avTime, AV_TIME_BASE_Q); }
inline int64_t ToAvTime(MediaTime t) { return ToStreamTicks(t, AV_TIME_BASE_Q); }

}  // namespace mediatime
