// The AAC audio decoder component, which intelligent connect inserts between the splitter's
// audio pin and the audio renderer; decodes on its own thread.
#pragma once

#include "decoderfilter.h"

class AudioDecoder : public DecoderFilter {
 public:
  AudioDecoder();
  ~AudioDecoder() override;

  int32_t CheckInputType(const Pin& input, const MediaType& type) override;
  int32_t CompleteConnect(Pin& pin) override;
  void StartStreaming(const StreamingContext& context) override;

 private:
  void OnFrame(StreamDecoder::Frame&& f) override;
};
