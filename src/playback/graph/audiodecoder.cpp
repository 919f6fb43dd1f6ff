#include "audiodecoder.h"

AudioDecoder::AudioDecoder()
    : input_(AddPin(QStringLiteral("In"), PinDirection::Input)),
      output_(AddPin(QStringLiteral("Out"), PinDirection::Output)),
      decoder_(QStringLiteral("audio decode"),
               [this](StreamDecoder::Frame&& f) { OnFrame(std::move(f)); },
               [this](int serial, MediaTime start) { OnEnd(serial, start); }) {}

AudioDecoder::~AudioDecoder() = default;

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

void AudioDecoder::BreakConnect(Pin& pin) {
  if (&pin == &input_) {
    decoder_.Close();
    output_.SetMediaTypes({});
  }
}

void AudioDecoder::StartStreaming(const StreamingContext&) { decoder_.Start(); }
void AudioDecoder::Abort() { decoder_.Abort(); }
void AudioDecoder::Join() { decoder_.Join(); }
void AudioDecoder::Receive(Pin&, MediaSample&& sample) { decoder_.Queue().Push(std::move(sample)); }

void AudioDecoder::Flush(Pin&, int serial, MediaTime segmentStart) {
  decoder_.Queue().Flush(serial);
  DeliverFlush(output_, serial, segmentStart);
}

Filter::Backlog AudioDecoder::InputBacklog(const Pin&) const { return decoder_.Queue().Backlog(); }

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

void AudioDecoder::OnEnd(int serial, MediaTime segmentStart) {
  MediaSample eos;
  eos.serial = serial;
  eos.segmentStart = segmentStart;
  eos.endOfStream = true;
  Deliver(output_, std::move(eos));
}
