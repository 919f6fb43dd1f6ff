#include "audiodecoder.h"

AudioDecoder::AudioDecoder() : DecoderFilter(QStringLiteral("audio decode")) {}

AudioDecoder::~AudioDecoder() { StopDecoding(); }

int32_t AudioDecoder::CheckInputType(const Pin& input, const MediaType& type) {
  return &input == &input_ && type.major == mediatype::kAudio && type.codec &&
                 type.codec->codec_id == AV_CODEC_ID_AAC
             ? hr::Ok
             : hr::TypeNotAccepted;
}

int32_t AudioDecoder::CompleteConnect(Pin& pin) {
  if (&pin != &input_) return hr::Ok;
  const int32_t r = decoder_.Open(input_.ConnectionType(), 1);
  if (hr::Failed(r)) return r;
  MediaType out;
  out.major = mediatype::kAudio;
  out.subtype = mediatype::kPcm;
  out.timeBase = input_.ConnectionType().timeBase;
  output_.SetMediaTypes({out});
  return hr::Ok;
}

void AudioDecoder::StartStreaming(const StreamingContext&) { decoder_.Start(); }

void AudioDecoder::OnFrame(StreamDecoder::Frame&& f) {
  if (f.start + f.duration <= f.segmentStart) return;  // before the seek target
  MediaSample s;
  s.serial = f.serial;
  s.segmentStart = f.segmentStart;
  s.start = f.start;
  s.duration = f.duration;
  s.frame = std::move(f.frame);
  Deliver(output_, std::move(s));
}
