#include "videoplayer.h"

#include "audiooutput.h"
#include "componentfactory.h"
#include "graph/telemetryreader.h"
#include "registry.h"

CVideoPlayer::CVideoPlayer(ComponentFactory& factory, AudioOutput* audio) : factory_(factory), audio_(audio) {
  WriteLibraryMarker(QStringLiteral("usingDShow"));
}

CVideoPlayer::~CVideoPlayer() { Close(); }

void CVideoPlayer::ReplacePlayGraph(std::unique_ptr<CPlayGraph> next) {
  std::unique_ptr<CPlayGraph> old;
  {
    std::lock_guard lock(playGraphMutex_);
    old = std::move(playGraph_);
    playGraph_ = std::move(next);
  }
  // Torn down outside the lock: joining the graph's threads must not keep the worker waiting.
  old.reset();
}

void CVideoPlayer::Attach(QWidget* frontWindow, QWidget* rearWindow) {
  mode_ = 2;
  frontWindow_ = frontWindow;
  rearWindow_ = rearWindow;
  if (!playGraph_)
    ReplacePlayGraph(std::make_unique<CPlayGraph>(factory_, audio_, mode_, frontWindow_, rearWindow_));
}

int CVideoPlayer::CheckFilters() const {
  if (!playGraph_) return -1;
  const std::pair<const QUuid&, int> probes[] = {{clsid::TelemetryReader, -1},
                                                 {clsid::VideoDecoder, -2},
                                                 {clsid::AacDecoder, -3},
                                                 {clsid::BrightnessFilter, -4}};
  for (const auto& [classId, code] : probes)
    if (!factory_.CreateAs<Filter>(classId)) return code;
  return 1;
}

bool CVideoPlayer::Open(const QString& path) {
  if (!frontWindow_ || path.isEmpty()) return false;
  if (playGraph_) {
    playGraph_->Stop();
    playGraph_->SeekTo(0);
    Close();
  }
  ReplacePlayGraph(std::make_unique<CPlayGraph>(factory_, audio_, mode_, frontWindow_, rearWindow_));
  playGraph_->SetUnthrottled(unthrottled_);
  if (hr::Succeeded(playGraph_->Build(path))) return true;
  Close();
  return false;
}

void CVideoPlayer::Close() { ReplacePlayGraph(nullptr); }

bool CVideoPlayer::Play() { return playGraph_ ? hr::Succeeded(playGraph_->Play()) : true; }
int32_t CVideoPlayer::Pause() { return playGraph_ ? playGraph_->Pause() : hr::Fail; }
int32_t CVideoPlayer::Stop() { return playGraph_ ? playGraph_->Stop() : hr::WrongState; }

void CVideoPlayer::SetRate(float rate) {
  if (playGraph_) playGraph_->SetRate(rate);
}

bool CVideoPlayer::SeekTo(uint64_t ms) { return playGraph_ ? playGraph_->SeekTo(ms) : true; }
bool CVideoPlayer::StepBack(int seconds) { return playGraph_ && playGraph_->StepBack(seconds); }
bool CVideoPlayer::StepForward(int seconds) { return playGraph_ && playGraph_->StepForward(seconds); }
uint64_t CVideoPlayer::GetPositionMs() const { return playGraph_ ? playGraph_->GetPositionMs() : 0; }
uint64_t CVideoPlayer::GetDurationMs() { return playGraph_ ? playGraph_->GetDurationMs() : 0; }

void CVideoPlayer::Repaint() {
  if (playGraph_) playGraph_->Repaint();
}

void CVideoPlayer::PaintFront(QPainter* painter) {
  if (playGraph_) playGraph_->PaintFront(painter);
}

void CVideoPlayer::SetBrightness(int value) {
  if (playGraph_) playGraph_->SetBrightness(value);
}

void CVideoPlayer::SetRearFlip(int parameter, int on) {
  if (playGraph_) playGraph_->SetRearFlip(parameter, on);
}

bool CVideoPlayer::GrabFrame(int channel, QImage* image) {
  if (channel == 1 && mode_ != 2) return false;
  return playGraph_ && playGraph_->GrabFrame(channel, image);
}

IDecoderParameters* CVideoPlayer::Decoder(int number) const {
  return playGraph_ ? playGraph_->Decoder(number) : nullptr;
}

bool CVideoPlayer::HasPlayGraph() const {
  std::lock_guard lock(playGraphMutex_);
  return playGraph_ != nullptr;
}

bool CVideoPlayer::HoldTelemetryReader(std::shared_ptr<TelemetryReader> reader) {
  std::lock_guard lock(playGraphMutex_);
  if (!playGraph_) return false;
  playGraph_->telemetryReader = std::move(reader);
  return true;
}

std::shared_ptr<TelemetryReader> CVideoPlayer::HeldTelemetryReader() const {
  std::lock_guard lock(playGraphMutex_);
  return playGraph_ ? playGraph_->telemetryReader : nullptr;
}

void CVideoPlayer::ReleaseTelemetryReader(const std::shared_ptr<TelemetryReader>& reader) {
  std::lock_guard lock(playGraphMutex_);
  if (playGraph_ && playGraph_->telemetryReader == reader) playGraph_->telemetryReader.reset();
}
