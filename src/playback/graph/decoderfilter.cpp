#include "decoderfilter.h"

DecoderFilter::DecoderFilter(const QString& threadName)
    : input_(AddPin(QStringLiteral("In"), PinDirection::Input)),
      output_(AddPin(QStringLiteral("Out"), PinDirection::Output)),
      decoder_(threadName, [this](StreamDecoder::Frame&& f) { OnFrame(std::move(f)); },
               [this](int serial, MediaTime start) { OnEnd(serial, start); }) {}

void DecoderFilter::StopDecoding() {
  decoder_.Abort();
  decoder_.Join();
}

void DecoderFilter::BreakConnect(Pin& pin) {
  if (&pin == &input_) {
    decoder_.Close();
    output_.SetMediaTypes({});
  }
}

void DecoderFilter::Abort() { decoder_.Abort(); }
void DecoderFilter::Join() { decoder_.Join(); }
void DecoderFilter::Receive(Pin&, MediaSample&& sample) { decoder_.Queue().Push(std::move(sample)); }

void DecoderFilter::Flush(Pin&, int serial, MediaTime segmentStart) {
  decoder_.Queue().Flush(serial);
  DeliverFlush(output_, serial, segmentStart);
}

Filter::Backlog DecoderFilter::InputBacklog(const Pin&) const { return decoder_.Queue().Backlog(); }

void DecoderFilter::OnEnd(int serial, MediaTime segmentStart) { DeliverEndOfStream(serial, segmentStart); }

void DecoderFilter::DeliverEndOfStream(int serial, MediaTime segmentStart) {
  MediaSample eos;
  eos.serial = serial;
  eos.segmentStart = segmentStart;
  eos.endOfStream = true;
  Deliver(output_, std::move(eos));
}
