#include "graph.h"

#include "componentfactory.h"

#include <QTimer>
#include <algorithm>

namespace {
// How long cueing may hold the UI thread for the first pictures: decoding a keyframe takes a few
// tens of milliseconds; beyond this the stream is broken and the open goes on without it.
constexpr auto kCueTimeout = std::chrono::seconds(2);
// A running seek waits at most this long for its first pictures before the clock goes on: a
// stream that cannot be decoded there must not stop the others.
constexpr int kSeekResumeTimeoutMs = 500;

// Filters intelligent connect may insert, by the major type of the output pin they take.
struct Intermediate {
  QByteArray major;
  QUuid classId;
  const char* name;
};
const Intermediate kIntermediates[] = {
    {mediatype::kAudio, clsid::AacDecoder, "AAC Audio Decoder"},
};
}  // namespace

Graph::Graph(ComponentFactory& factory) : factory_(factory), timerContext_(std::make_unique<QObject>()) {}

Graph::~Graph() {
  StopStreaming();
  // Links point into other filters' pins; cut them before any filter goes.
  for (const Entry& e : filters_)
    for (Pin* p : e.filter->Pins()) Disconnect(p);
}

int32_t Graph::AddFilter(std::shared_ptr<Filter> filter, const QString& name) {
  if (!filter) return hr::Pointer;
  if (std::any_of(filters_.begin(), filters_.end(),
                  [&](const Entry& e) { return e.filter == filter; }))
    return hr::InvalidArg;
  QString unique = name;
  for (int n = 1; FindFilterByName(unique); ++n)
    unique = name + QStringLiteral(" %1").arg(n, 4, 10, QLatin1Char('0'));
  filter->name_ = unique;
  filters_.push_back({std::move(filter)});
  return unique == name ? hr::Ok : hr::False;
}

int32_t Graph::RemoveFilter(Filter* filter) {
  const auto it = std::find_if(filters_.begin(), filters_.end(),
                               [&](const Entry& e) { return e.filter.get() == filter; });
  if (it == filters_.end()) return hr::NotFound;
  // A filter cannot leave while samples may still flow through it.
  StopStreaming();
  // Outputs first: a splitter closes its file when its input goes, and must not strand a peer.
  const std::vector<Pin*> pins = filter->Pins();
  for (auto p = pins.rbegin(); p != pins.rend(); ++p) Disconnect(*p);
  filter->name_.clear();
  filters_.erase(it);
  return hr::Ok;
}

std::vector<Filter*> Graph::EnumFilters() const {
  std::vector<Filter*> out;
  for (const Entry& e : filters_) out.push_back(e.filter.get());
  return out;
}

Filter* Graph::FindFilterByName(const QString& name) const {
  for (const Entry& e : filters_)
    if (e.filter->Name() == name) return e.filter.get();
  return nullptr;
}

int32_t Graph::Disconnect(Pin* pin) {
  if (!pin) return hr::Pointer;
  Pin* peer = pin->peer_;
  if (!peer) return hr::False;
  if (streaming_) StopStreaming();
  Pin* out = pin->Direction() == PinDirection::Output ? pin : peer;
  Pin* in = out == pin ? peer : pin;
  in->Owner().BreakConnect(*in);
  out->Owner().BreakConnect(*out);
  pin->peer_ = nullptr;
  peer->peer_ = nullptr;
  pin->connectionType_ = {};
  peer->connectionType_ = {};
  return hr::Ok;
}

int32_t Graph::ConnectDirect(Pin* output, Pin* input) {
  if (!output || !input) return hr::Pointer;
  if (output->Direction() != PinDirection::Output || input->Direction() != PinDirection::Input)
    return hr::InvalidArg;
  if (output->peer_ || input->peer_) return hr::AlreadyConnected;
  if (streaming_) return hr::WrongState;
  for (const MediaType& type : output->MediaTypes()) {
    if (hr::Failed(input->Owner().CheckInputType(*input, type))) continue;
    output->peer_ = input;
    input->peer_ = output;
    output->connectionType_ = type;
    input->connectionType_ = type;
    // The upstream end completes first: a splitter or decoder may only now know what it offers.
    int32_t r = output->Owner().CompleteConnect(*output);
    if (hr::Succeeded(r)) r = input->Owner().CompleteConnect(*input);
    if (hr::Succeeded(r)) return hr::Ok;
    Disconnect(output);
    return r;
  }
  return hr::TypeNotAccepted;
}

int32_t Graph::Connect(Pin* output, Pin* input) {
  const int32_t direct = ConnectDirect(output, input);
  if (direct == hr::Ok || direct == hr::Pointer || direct == hr::AlreadyConnected ||
      direct == hr::WrongState || direct == hr::InvalidArg)
    return direct;
  for (const Intermediate& step : kIntermediates) {
    const bool offers = std::any_of(output->MediaTypes().begin(), output->MediaTypes().end(),
                                    [&](const MediaType& t) { return t.major == step.major; });
    if (!offers) continue;
    if (ConnectThrough(output, input, step.classId) == hr::Ok) return hr::Ok;
  }
  return hr::CannotConnect;
}

int32_t Graph::ConnectThrough(Pin* output, Pin* input, const QUuid& classId) {
  std::unique_ptr<Filter> created = factory_.CreateAs<Filter>(classId);
  if (!created) return hr::ClassNotRegistered;
  std::shared_ptr<Filter> middle(std::move(created));
  QString name;
  for (const Intermediate& step : kIntermediates)
    if (step.classId == classId) name = QString::fromLatin1(step.name);
  AddFilter(middle, name);
  for (Pin* midIn : middle->Pins()) {
    if (midIn->Direction() != PinDirection::Input || midIn->ConnectedTo()) continue;
    if (ConnectDirect(output, midIn) != hr::Ok) continue;
    for (Pin* midOut : middle->Pins()) {
      if (midOut->Direction() != PinDirection::Output || midOut->ConnectedTo()) continue;
      if (ConnectDirect(midOut, input) == hr::Ok) return hr::Ok;
    }
    break;
  }
  RemoveFilter(middle.get());
  return hr::CannotConnect;
}

std::vector<Graph::Connection> Graph::Connections() const {
  std::vector<Connection> out;
  for (const Entry& e : filters_)
    for (Pin* p : e.filter->Pins())
      if (p->Direction() == PinDirection::Output && p->ConnectedTo())
        out.push_back({e.filter->Name(), p->Name(), p->ConnectedTo()->Owner().Name(),
                       p->ConnectedTo()->Name()});
  return out;
}

void Graph::StartStreaming() {
  if (streaming_) return;
  StreamingContext context;
  context.clock = &clock_;
  context.unthrottled = unthrottled_;
  context.cued = [this] { OnRendererCued(); };
  for (const Entry& e : filters_)
    for (Pin* p : e.filter->Pins())
      if (p->Direction() == PinDirection::Input && p->ConnectedTo() &&
          p->ConnectionType().major == mediatype::kVideo && p->ConnectionType().codec)
        ++context.videoDecoders;
  streaming_ = true;
  // Downstream first, so nothing is delivered to a filter that is not ready for it; the source is
  // added first and therefore started last.
  for (auto it = filters_.rbegin(); it != filters_.rend(); ++it) it->filter->StartStreaming(context);
}

void Graph::StopStreaming() {
  if (!streaming_) return;
  clock_.Stop();
  // Abort all before joining any: a thread may be waiting on its neighbour's queue.
  for (const Entry& e : filters_) e.filter->Abort();
  for (const Entry& e : filters_) e.filter->Join();
  streaming_ = false;
  state_ = GraphState::Stopped;
}

void Graph::NotifyClockChanged() {
  for (const Entry& e : filters_) e.filter->ClockChanged();
}

ISeekableSource* Graph::Source() const {
  for (const Entry& e : filters_)
    if (auto* s = Query<ISeekableSource>(e.filter.get())) return s;
  return nullptr;
}

void Graph::OnRendererCued() {
  if (pendingCues_ > 0 && --pendingCues_ == 0) ResumeAfterSeek();
}

void Graph::ResumeAfterSeek() {
  pendingCues_ = 0;
  if (state_ != GraphState::Running || clock_.IsRunning()) return;
  clock_.Start();
  NotifyClockChanged();
}

int32_t Graph::Run() {
  pendingCues_ = 0;
  StartStreaming();
  clock_.Start();
  state_ = GraphState::Running;
  NotifyClockChanged();
  return hr::Ok;
}

int32_t Graph::Pause() {
  pendingCues_ = 0;
  StartStreaming();
  clock_.Stop();
  state_ = GraphState::Paused;
  NotifyClockChanged();
  return hr::Ok;
}

int32_t Graph::Stop() {
  pendingCues_ = 0;
  clock_.Stop();
  state_ = GraphState::Stopped;
  NotifyClockChanged();
  return hr::Ok;
}

int32_t Graph::StopWhenReady() {
  Pause();
  const auto deadline = std::chrono::steady_clock::now() + kCueTimeout;
  bool all = true;
  for (const Entry& e : filters_) {
    auto* renderer = Query<IRenderer>(e.filter.get());
    if (!renderer) continue;
    const std::vector<Pin*> pins = e.filter->Pins();
    const bool connected =
        std::any_of(pins.begin(), pins.end(), [](Pin* p) { return p->ConnectedTo() != nullptr; });
    if (connected && !renderer->WaitUntilCued(deadline)) all = false;
  }
  state_ = GraphState::Stopped;
  return all ? hr::Ok : hr::False;
}

int32_t Graph::SetPositions(MediaTime current) {
  ISeekableSource* source = Source();
  if (!source) return hr::NotFound;
  const MediaTime duration = source->Duration();
  current = std::clamp(current, MediaTime(0), std::max(duration, MediaTime(0)));
  ++serial_;
  if (state_ == GraphState::Running && streaming_ && !unthrottled_) {
    clock_.Stop();
    pendingCues_ = 0;
    for (const Entry& e : filters_) {
      if (!Query<IRenderer>(e.filter.get())) continue;
      for (Pin* p : e.filter->Pins())
        if (p->Direction() == PinDirection::Input && p->ConnectedTo() &&
            p->ConnectionType().major == mediatype::kVideo)
          ++pendingCues_;
    }
    if (pendingCues_ > 0) {
      const int serial = serial_;
      QTimer::singleShot(kSeekResumeTimeoutMs, timerContext_.get(), [this, serial] {
        if (serial == serial_ && pendingCues_ > 0) ResumeAfterSeek();
      });
    }
  }
  clock_.SetPosition(current);
  source->Seek(current, serial_);
  NotifyClockChanged();
  if (state_ == GraphState::Running && pendingCues_ == 0) ResumeAfterSeek();
  return hr::Ok;
}

int32_t Graph::GetCurrentPosition(MediaTime* position) const {
  if (!position) return hr::Pointer;
  ISeekableSource* source = Source();
  if (!source) return hr::NotFound;
  *position = std::clamp(clock_.Position(), MediaTime(0), std::max(source->Duration(), MediaTime(0)));
  return hr::Ok;
}

int32_t Graph::GetDuration(MediaTime* duration) const {
  if (!duration) return hr::Pointer;
  ISeekableSource* source = Source();
  if (!source) return hr::NotFound;
  *duration = source->Duration();
  return hr::Ok;
}

int32_t Graph::SetRate(double rate) {
  if (!(rate > 0)) return hr::InvalidArg;
  clock_.SetRate(rate);
  NotifyClockChanged();
  return hr::Ok;
}

int32_t Graph::GetRate(double* rate) const {
  if (!rate) return hr::Pointer;
  *rate = clock_.Rate();
  return hr::Ok;
}
