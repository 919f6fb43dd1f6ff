// The shape both decoder filters share: one input pin, one output pin and a StreamDecoder that
// decodes on its own thread; samples are queued in, flushes and the end of the stream passed on.
#pragma once

#include "filter.h"
#include "streamdecoder.h"

class DecoderFilter : public Filter {
 public:
  void BreakConnect(Pin& pin) override;
  void Abort() override;
  void Join() override;
  void Receive(Pin& input, MediaSample&& sample) override;
  void Flush(Pin& input, int serial, MediaTime segmentStart) override;
  Backlog InputBacklog(const Pin& input) const override;

 protected:
  explicit DecoderFilter(const QString& threadName);
  // Ends the decode thread; the derived filters call it first in their destructors, because the
  // thread calls their OnFrame and OnEnd until it has ended.
  void StopDecoding();

  // Decode thread.
  virtual void OnFrame(StreamDecoder::Frame&& f) = 0;
  virtual void OnEnd(int serial, MediaTime segmentStart);
  void DeliverEndOfStream(int serial, MediaTime segmentStart);

  Pin& input_;
  Pin& output_;
  StreamDecoder decoder_;
};
