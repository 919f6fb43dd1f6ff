#include "filter.h"

Pin::Pin(Filter& owner, QString name, PinDirection direction, std::vector<MediaType> types)
    : owner_(owner), name_(std::move(name)), direction_(direction), types_(std::move(types)) {}

Filter::Filter() = default;
Filter::~Filter() = default;

std::vector<Pin*> Filter::Pins() const {
  std::vector<Pin*> pins;
  pins.reserve(pins_.size());
  for (const auto& p : pins_) pins.push_back(p.get());
  return pins;
}

int32_t Filter::CheckInputType(const Pin&, const MediaType&) { return hr::TypeNotAccepted; }

Pin& Filter::AddPin(QString name, PinDirection direction, std::vector<MediaType> types) {
  pins_.push_back(std::make_unique<Pin>(*this, std::move(name), direction, std::move(types)));
  return *pins_.back();
}

void Filter::RemovePins(PinDirection direction) {
  std::erase_if(pins_, [direction](const std::unique_ptr<Pin>& p) {
    return p->Direction() == direction && !p->ConnectedTo();
  });
}

void Filter::Deliver(Pin& output, MediaSample&& sample) {
  if (Pin* peer = output.ConnectedTo()) peer->Owner().Receive(*peer, std::move(sample));
}

void Filter::DeliverFlush(Pin& output, int serial, MediaTime segmentStart) {
  if (Pin* peer = output.ConnectedTo()) peer->Owner().Flush(*peer, serial, segmentStart);
}
