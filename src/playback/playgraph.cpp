#include "playgraph.h"

#include "audiooutput.h"
#include "componentfactory.h"
#include "graph/audiorenderer.h"
#include "graph/videodecoder.h"
#include "graph/telemetryreader.h"
#include "graphutils.h"

#include <QPainter>
#include <QTimer>
#include <algorithm>
#include <cstring>

namespace {
constexpr float kMinRate = 0.5f;
constexpr float kMaxRate = 2.0f;
constexpr int kBrightnessParam = 1012;
}  // namespace

CPlayGraph::CPlayGraph(ComponentFactory& factory, AudioOutput* audio, int mode, QWidget* frontWindow,
                       QWidget* rearWindow)
    : factory_(factory),
      audio_(audio),
      mode_(mode),
      frontWindow_(frontWindow),
      rearWindow_(rearWindow),
      refreshContext_(std::make_unique<QObject>()) {}

CPlayGraph::~CPlayGraph() { Teardown(); }

int32_t CPlayGraph::Build(const QString& path) {
  if (graph_) Teardown();
  if (fileSource_) fileSource_.reset();
  filePath_ = path;

  graph_ = factory_.CreateAs<Graph>(clsid::FilterGraph);
  if (!graph_) return hr::ClassNotRegistered;
  graph_->SetUnthrottled(unthrottled_);
  int32_t r = AddFilterByClsid(graph_.get(), factory_, clsid::AsyncReader, QStringLiteral("File Source"), &fileSource_);
  if (hr::Failed(r)) return r;
  auto* source = Query<IFileSourceFilter>(fileSource_.get());
  if (!source) return hr::NoInterface;
  r = source->Load(path);
  if (hr::Failed(r) || r == hr::InvalidFileFormat) return hr::Failed(r) ? r : hr::Fail;
  r = AddFilterByClsid(graph_.get(), factory_, clsid::AviSplitter, QStringLiteral("Splitter"), &splitter_);
  if (hr::Failed(r)) return r;
  const int32_t connected = ConnectFilters(graph_.get(), fileSource_.get(), splitter_.get());
  if (hr::Failed(connected)) return connected;
  videoStreamCount_ = CountVideoStreams(splitter_.get());
  if (videoStreamCount_ == 1) return BuildOneVideo();
  if (videoStreamCount_ == 2) return BuildTwoVideos();
  return connected;
}

// A paused or stopped graph decodes nothing, so a new brightness or flip would only show with
// the next frame after Play; decoding the current position again shows it at once. Queued, so a
// slider's run of changes costs one refresh.
void CPlayGraph::RefreshPausedPicture() {
  if (refreshPending_) return;
  refreshPending_ = true;
  QTimer::singleShot(0, refreshContext_.get(), [this] {
    refreshPending_ = false;
    if (!graph_ || (state_ != PlayState::Paused && state_ != PlayState::Stopped)) return;
    MediaTime position{0};
    if (hr::Succeeded(Seeking()->GetCurrentPosition(&position))) Seeking()->SetPositions(position);
  });
}

void CPlayGraph::WatchDecoders() {
  for (const auto& decoder : {decoder1_, decoder2_})
    if (auto* d = dynamic_cast<VideoDecoder*>(decoder.get())) d->SetPictureChangedHandler([this] { RefreshPausedPicture(); });
}

int32_t CPlayGraph::AddAudioRenderer() {
  const int32_t r = AddFilterByClsid(graph_.get(), factory_, clsid::DSoundRenderer,
                                     QStringLiteral("DirectSound Audio Renderer"), &audioRenderer_);
  if (auto* audio = dynamic_cast<AudioRenderer*>(audioRenderer_.get())) audio->SetAudioOutput(audio_);
  return r;
}

int32_t CPlayGraph::SetUpRenderer(Filter* renderer, QWidget* window) {
  auto* config = Query<IVideoRendererConfig>(renderer);
  if (!config) return hr::NoInterface;
  config->SetRenderingMode(RenderingMode::Windowless);
  auto* control = Query<IWindowlessControl>(renderer);
  if (!control) return hr::NoInterface;
  control->SetVideoPosition(window ? window->rect() : QRect());
  control->SetVideoClippingWindow(window);
  control->SetAspectRatioMode(AspectRatioMode::None);
  return hr::Ok;
}

int32_t CPlayGraph::AddFilterSteps(std::initializer_list<FilterStep> steps) {
  // In the given order, stopping at the first failure with its code.
  for (const FilterStep& s : steps) {
    const int32_t r = AddFilterByClsid(graph_.get(), factory_, s.classId, QString::fromLatin1(s.name), s.member);
    if (hr::Failed(r)) return r;
  }
  return hr::Ok;
}

int32_t CPlayGraph::BuildOneVideo() {
  AddAudioRenderer();
  if (const int32_t r = AddFilterSteps({{clsid::VideoDecoder, "FFDShow Decoder1", &decoder1_},
                                        {clsid::ColourConverter, "Color Space Convertor 1", &converter1_},
                                        {clsid::VideoMixingRenderer, "Mixing Renderer9", &renderer1_}});
      hr::Failed(r))
    return r;
  WatchDecoders();
  if (const int32_t r = SetUpRenderer(renderer1_.get(), frontWindow_); hr::Failed(r)) return r;
  durationCache_ = MediaTime(0);
  Query<IVideoRendererConfig>(renderer1_.get())->SetRenderingPrefs(kRenderPrefsForceOffscreen);
  if (audioRenderer_) ConnectFilters(graph_.get(), splitter_.get(), audioRenderer_.get());
  ConnectFilters(graph_.get(), splitter_.get(), decoder1_.get());
  ConnectFilters(graph_.get(), decoder1_.get(), converter1_.get());
  ConnectFilters(graph_.get(), converter1_.get(), renderer1_.get());
  Control()->StopWhenReady();
  state_ = PlayState::Stopped;
  built_ = true;
  GetDurationMs();
  Query<IWindowlessControl>(renderer1_.get())->GetNativeVideoSize(&nativeWidth_, &nativeHeight_);
  return hr::Ok;
}

int32_t CPlayGraph::BuildTwoVideos() {
  AddAudioRenderer();
  if (const int32_t r = AddFilterSteps({{clsid::VideoDecoder, "FFDShow Decoder1", &decoder1_},
                                        {clsid::VideoDecoder, "FFDShow Decoder2", &decoder2_},
                                        {clsid::ColourConverter, "Color Space Convertor 1", &converter1_},
                                        {clsid::ColourConverter, "Color Space Convertor 2", &converter2_},
                                        {clsid::VideoMixingRenderer, "Mixing Renderer9-1", &renderer1_},
                                        {clsid::VideoMixingRenderer, "Mixing Renderer9-2", &renderer2_}});
      hr::Failed(r))
    return r;
  WatchDecoders();
  const std::pair<Filter*, QWidget*> renderers[] = {{renderer1_.get(), frontWindow_},
                                                    {renderer2_.get(), rearWindow_}};
  for (const auto& [renderer, window] : renderers) {
    if (const int32_t r = SetUpRenderer(renderer, window); hr::Failed(r)) return r;
    Query<IWindowlessControl>(renderer)->GetNativeVideoSize(&nativeWidth_, &nativeHeight_);
    Query<IVideoRendererConfig>(renderer)->SetRenderingPrefs(kRenderPrefsForceOffscreen);
  }
  durationCache_ = MediaTime(0);
  if (audioRenderer_) ConnectFilters(graph_.get(), splitter_.get(), audioRenderer_.get());
  if (hr::Failed(ConnectFilters(graph_.get(), splitter_.get(), decoder1_.get()))) return hr::False;
  ConnectFilters(graph_.get(), decoder1_.get(), converter1_.get());
  ConnectFilters(graph_.get(), converter1_.get(), renderer1_.get());
  ConnectFilters(graph_.get(), splitter_.get(), decoder2_.get());
  ConnectFilters(graph_.get(), decoder2_.get(), converter2_.get());
  ConnectFilters(graph_.get(), converter2_.get(), renderer2_.get());
  Control()->StopWhenReady();
  state_ = PlayState::Stopped;
  GetDurationMs();
  built_ = true;
  return hr::Ok;
}

void CPlayGraph::Teardown() {
  state_ = PlayState::Empty;
  if (graph_) {
    // The graph never had a notification window to clear: the end of a recording is polled.
    state_ = PlayState::Stopped;
    std::shared_ptr<Filter>* const order[] = {&audioRenderer_, &renderer1_,  &renderer2_, &decoder1_,
                                              &decoder2_,      &brightness1_, &brightness2_, &converter1_,
                                              &converter2_,    &splitter_,   &fileSource_};
    for (std::shared_ptr<Filter>* member : order) {
      if (*member) graph_->RemoveFilter(member->get());
      member->reset();
    }
    RemoveAllFilters(graph_.get());
    graph_.reset();
  }
  built_ = false;
}

int32_t CPlayGraph::Play() {
  if (state_ != PlayState::Paused && state_ != PlayState::Stopped) return hr::WrongState;
  if (!graph_) return hr::Fail;
  MediaTime position{0}, duration{0};
  Seeking()->GetCurrentPosition(&position);
  Seeking()->GetDuration(&duration);
  if (position == duration) Seeking()->SetPositions(MediaTime(0));
  if (rate_ == 1.0f) {
    Seeking()->SetRate(1.0);
  } else {
    rate_ = std::max(std::min(rate_, kMaxRate), kMinRate);
    Seeking()->SetRate(rate_);
  }
  Control()->Run();
  state_ = PlayState::Running;
  if (auto* audio = Query<IBasicAudio>(audioRenderer_.get())) audio->put_Balance(0);
  return hr::Ok;
}

int32_t CPlayGraph::Pause() {
  if (!graph_) return hr::Fail;
  const int32_t r = Control()->Pause();
  state_ = PlayState::Paused;
  return r;
}

int32_t CPlayGraph::Stop() {
  if (state_ != PlayState::Running && state_ != PlayState::Paused) return hr::WrongState;
  if (!graph_) return hr::Fail;
  const int32_t r = Control()->Stop();
  state_ = PlayState::Stopped;
  return r;
}

void CPlayGraph::SetRate(float rate) {
  const bool wasRunning = state_ == PlayState::Running;
  Pause();
  rate_ = rate;
  if (wasRunning) Play();
}

bool CPlayGraph::SeekTo(uint64_t ms) {
  if (!graph_) return true;
  return hr::Succeeded(Seeking()->SetPositions(mediatime::FromMs(static_cast<int64_t>(ms))));
}

bool CPlayGraph::StepBack(int seconds) {
  if (state_ != PlayState::Running && state_ != PlayState::Paused) return false;
  if (!graph_) return false;
  MediaTime position{0};
  Seeking()->GetCurrentPosition(&position);
  position -= MediaTime(std::chrono::seconds(seconds));
  if (position < MediaTime(0)) position = MediaTime(0);
  return hr::Succeeded(Seeking()->SetPositions(position));
}

bool CPlayGraph::StepForward(int seconds) {
  if (state_ != PlayState::Running && state_ != PlayState::Paused) return false;
  if (!graph_) return false;
  MediaTime position{0}, duration{0};
  Seeking()->GetCurrentPosition(&position);
  Seeking()->GetDuration(&duration);
  position += MediaTime(std::chrono::seconds(seconds));
  if (position > duration) position = duration;
  return hr::Succeeded(Seeking()->SetPositions(position));
}

uint64_t CPlayGraph::GetPositionMs() const {
  if (!graph_) return 0;
  MediaTime position{0};
  if (hr::Failed(Seeking()->GetCurrentPosition(&position))) return 0;
  return static_cast<uint64_t>(mediatime::ToMs(position).count());
}

uint64_t CPlayGraph::GetDurationMs() {
  if (durationCache_.count() == 0 && graph_) Seeking()->GetDuration(&durationCache_);
  return static_cast<uint64_t>(mediatime::ToMs(durationCache_).count());
}

int32_t CPlayGraph::Repaint() {
  if (renderer1_) {
    auto* control = Query<IWindowlessControl>(renderer1_.get());
    if (!control) return hr::NoInterface;
    if (frontWindow_) {
      control->SetVideoPosition(frontWindow_->rect());
      control->RepaintVideo(frontWindow_, nullptr);
    }
  }
  if (renderer2_ && mode_ == 2 && rearWindow_) {
    if (auto* control = Query<IWindowlessControl>(renderer2_.get())) {
      control->SetVideoPosition(rearWindow_->rect());
      control->RepaintVideo(rearWindow_, nullptr);
    }
  }
  return hr::Ok;
}

int32_t CPlayGraph::PaintFront(QPainter* painter) {
  auto* control = Query<IWindowlessControl>(renderer1_.get());
  if (!control) return hr::Fail;
  return control->RepaintVideo(frontWindow_, painter);
}

void CPlayGraph::SetBrightness(int value) {
  for (const auto& filter : {brightness1_, brightness2_})
    if (auto* control = Query<IBrightnessControl>(filter.get())) control->SetValue(kBrightnessParam, value);
}

int32_t CPlayGraph::SetRearFlip(int parameter, int on) {
  auto* params = Query<IDecoderParameters>(decoder2_.get());
  if (!params) return hr::Fail;
  params->PutParam(decoderparam::kTransform, 1);
  params->PutParam(parameter, on);
  return hr::Ok;
}

bool CPlayGraph::GrabFrame(int channel, QImage* image) {
  if (!image) return false;
  Filter* renderer = channel == 0 ? renderer1_.get() : (channel == 1 && mode_ == 2 ? renderer2_.get() : nullptr);
  auto* control = Query<IWindowlessControl>(renderer);
  if (!control) return false;
  std::vector<uint8_t> dib;
  if (hr::Failed(control->GetCurrentImage(&dib)) || dib.size() < sizeof(BitmapInfoHeader)) return false;
  BitmapInfoHeader header;
  std::memcpy(&header, dib.data(), sizeof header);
  const int width = header.biWidth;
  const int height = header.biHeight;
  const size_t row = static_cast<size_t>(width) * 4;
  if (width <= 0 || height <= 0 || header.biBitCount != 32 ||
      dib.size() < sizeof header + row * static_cast<size_t>(height))
    return false;
  QImage copy(width, height, QImage::Format_RGB32);
  if (copy.isNull()) return false;
  const uint8_t* rows = dib.data() + sizeof header;
  for (int y = 0; y < height; ++y)
    std::memcpy(copy.scanLine(y), rows + row * static_cast<size_t>(height - 1 - y), row);
  *image = std::move(copy);
  return true;
}

IDecoderParameters* CPlayGraph::Decoder(int number) const {
  if (number == 1) return Query<IDecoderParameters>(decoder1_.get());
  if (number == 2) return Query<IDecoderParameters>(decoder2_.get());
  return nullptr;
}

Filter* CPlayGraph::Renderer(int number) const {
  return number == 1 ? renderer1_.get() : number == 2 ? renderer2_.get() : nullptr;
}

std::vector<QString> CPlayGraph::FilterNames() const {
  std::vector<QString> names;
  if (graph_)
    for (Filter* f : graph_->EnumFilters()) names.push_back(f->Name());
  return names;
}

std::vector<Graph::Connection> CPlayGraph::Connections() const {
  return graph_ ? graph_->Connections() : std::vector<Graph::Connection>{};
}
