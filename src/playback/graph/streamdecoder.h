// The decode loop one decoder filter runs on its own thread: pops compressed samples, flushes the
// codec when a seek changed the serial, decodes, and hands every frame to its filter.
#pragma once

#include "avptr.h"
#include "filter.h"
#include "packetqueue.h"

#include <functional>
#include <thread>

class StreamDecoder {
 public:
  struct Frame {
    AVFrameUPtr frame;
    int serial = 0;
    MediaTime segmentStart{0};
    MediaTime start{0};
    MediaTime duration{0};
  };
  // Called on the decode thread.
  using FrameHandler = std::function<void(Frame&&)>;
  using EndHandler = std::function<void(int serial, MediaTime segmentStart)>;

  StreamDecoder(QString threadName, FrameHandler onFrame, EndHandler onEnd);
  ~StreamDecoder();

  // Opens the codec for the stream type (UI thread, while connecting).
  int32_t Open(const MediaType& type, int threads);
  bool IsOpen() const { return codec_ != nullptr; }
  const AVCodecContext* Context() const { return codec_.get(); }
  void Close();

  void Start();
  void Abort();
  void Join();

  PacketQueue& Queue() { return queue_; }
  const PacketQueue& Queue() const { return queue_; }

 private:
  void Loop();
  void DecodeAll(int serial, MediaTime segmentStart);

  // Set before Start, read-only on the decode thread.
  const QString threadName_;
  const FrameHandler onFrame_;
  const EndHandler onEnd_;
  AVCodecContextUPtr codec_;
  AVRational timeBase_{1, 1};
  MediaTime nominalDuration_{0};

  // Decode thread only.
  int serial_ = -1;
  AVFrameUPtr frame_;

  PacketQueue queue_;  // its own mutex
  std::thread thread_;
};
