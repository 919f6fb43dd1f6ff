// The AAC audio decoder component, which intelligent connect inserts between the splitter's
// audio pin and the audio renderer; decodes on its own thread.
#pragma once

#include "filter.h"
#include "streamdecoder.h"

class AudioDecoder : public Filter {
 public:
  AudioDecoder();
  ~AudioDecoder() override;

  int32_t CheckInputType(const Pin& input, const MediaType& type) override;
  int32_t CompleteConnect(Pin& pin) override;
  void BreakConnect(Pin& pin) override;
  void StartStreaming(const StreamingContext& context) override;
  void Abort() override;
  void Join() override;
  void Receive(Pin& input, MediaSample&& sample) override;
  void Flush(Pin& input, int serial, MediaTime segmentStart) override;
  Backlog InputBacklog(const Pin& input) const override;

 private:
  void OnFrame(StreamDecoder::Frame&& f);
  void OnEnd(int serial, MediaTime segmentStart);

  Pin& input_;
  Pin& output_;
  StreamDecoder decoder_;
};
