#include "brightnessfilter.h"

BrightnessFilter::BrightnessFilter()
    : input_(AddPin(QStringLiteral("Input"), PinDirection::Input)),
      output_(AddPin(QStringLiteral("Output"), PinDirection::Output)) {}

int32_t BrightnessFilter::CheckInputType(const Pin& input, const MediaType& type) {
  return &input == &input_ && type.major == mediatype::kVideo && type.subtype == mediatype::kRawVideo
             ? hr::Ok
             : hr::TypeNotAccepted;
}

int32_t BrightnessFilter::CompleteConnect(Pin& pin) {
  if (&pin == &input_) output_.SetMediaTypes({input_.ConnectionType()});
  return hr::Ok;
}

void BrightnessFilter::Receive(Pin&, MediaSample&& sample) { Deliver(output_, std::move(sample)); }

void BrightnessFilter::Flush(Pin&, int serial, MediaTime segmentStart) {
  DeliverFlush(output_, serial, segmentStart);
}

int32_t BrightnessFilter::SetValue(int paramId, int value) {
  if (paramId != kBrightnessParam) return hr::InvalidArg;
  value_ = value;
  return hr::Ok;
}
