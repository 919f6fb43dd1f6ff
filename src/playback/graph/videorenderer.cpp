#include "videorenderer.h"

#include <QEvent>
#include <QPainter>
#include <QResizeEvent>
#include <QWidget>
#include <cstring>

namespace {
// Pictures waiting to be shown: enough to ride over one late UI tick, few enough that a seek or
// a parameter change shows up within a tenth of a second.
constexpr size_t kQueueCapacity = 3;
}  // namespace

VideoRenderer::VideoRenderer() : input_(AddPin(QStringLiteral("VMR Input0"), PinDirection::Input)) {
  timer_.setSingleShot(true);
  timer_.setTimerType(Qt::PreciseTimer);
  connect(&timer_, &QTimer::timeout, this, &VideoRenderer::Present);
}

VideoRenderer::~VideoRenderer() {
  Abort();
  if (window_) window_->removeEventFilter(this);
}

VideoRenderer::Statistics VideoRenderer::Stats() const {
  std::lock_guard lock(mutex_);
  return stats_;
}

int32_t VideoRenderer::CheckInputType(const Pin& input, const MediaType& type) {
  return &input == &input_ && type.major == mediatype::kVideo && type.subtype == mediatype::kRgb32
             ? hr::Ok
             : hr::TypeNotAccepted;
}

void VideoRenderer::BreakConnect(Pin&) {
  std::lock_guard lock(mutex_);
  queue_.clear();
}

void VideoRenderer::StartStreaming(const StreamingContext& context) {
  clock_ = context.clock;
  unthrottled_ = context.unthrottled;
  cued_ = context.cued;
  std::lock_guard lock(mutex_);
  aborted_ = false;
}

void VideoRenderer::Abort() {
  {
    std::lock_guard lock(mutex_);
    aborted_ = true;
  }
  changed_.notify_all();
}

void VideoRenderer::ClockChanged() { Present(); }

void VideoRenderer::PostPresent() {
  QMetaObject::invokeMethod(this, &VideoRenderer::Present, Qt::QueuedConnection);
}

void VideoRenderer::Receive(Pin&, MediaSample&& sample) {
  std::unique_lock lock(mutex_);
  changed_.wait(lock, [&] {
    return aborted_ || sample.serial != serial_ || queue_.size() < kQueueCapacity || sample.endOfStream;
  });
  if (aborted_ || sample.serial != serial_) return;
  queue_.push_back(std::move(sample));
  const bool post = !presentPosted_;
  presentPosted_ = true;
  lock.unlock();
  changed_.notify_all();  // a cueing UI thread may be waiting for the first picture
  if (post) PostPresent();
}

void VideoRenderer::Flush(Pin&, int serial, MediaTime) {
  {
    std::lock_guard lock(mutex_);
    queue_.clear();
    serial_ = serial;
    stats_.endOfStream = false;
  }
  changed_.notify_all();
  shownThisSerial_ = false;
  timer_.stop();
}

void VideoRenderer::Present() {
  std::optional<MediaSample> show;
  bool ended = false;
  {
    std::lock_guard lock(mutex_);
    presentPosted_ = false;
    const bool running = clock_ && clock_->IsRunning();
    const MediaTime now = clock_ ? clock_->Position() : MediaTime(0);
    bool first = !shownThisSerial_;
    while (!queue_.empty()) {
      MediaSample& f = queue_.front();
      if (f.endOfStream) {
        stats_.endOfStream = true;
        ended = true;
        queue_.pop_front();
        continue;
      }
      // The first picture after a seek or a cue is shown whatever the clock says: it is the
      // one the position asked for.
      const bool due = unthrottled_ || first || f.start <= now;
      if (!due) break;
      if (show && running && !unthrottled_) ++stats_.dropped;
      if (show && unthrottled_) ++stats_.presented;
      show = std::move(f);
      queue_.pop_front();
      first = false;
    }
    if (show) {
      ++stats_.presented;
      if (running && !unthrottled_ && show->start <= now) {
        const MediaTime late = now - show->start;
        stats_.maxLateness = std::max(stats_.maxLateness, late);
        stats_.totalLateness += late;
        ++stats_.timedPresentations;
      }
    }
  }
  changed_.notify_all();
  const bool firstOfSerial = !shownThisSerial_ && (show || ended);
  if (show) {
    shownThisSerial_ = true;
    current_ = std::move(*show);
    if (current_.frame) {
      nativeWidth_ = current_.frame->width;
      nativeHeight_ = current_.frame->height;
    }
    if (window_) window_->update();
  }
  if (ended) shownThisSerial_ = true;
  if (firstOfSerial && cued_) cued_();
  Schedule();
}

void VideoRenderer::Schedule() {
  MediaTime next{0};
  {
    std::lock_guard lock(mutex_);
    if (queue_.empty() || presentPosted_) return;
    if (queue_.front().endOfStream || unthrottled_) {
      presentPosted_ = true;
      next = MediaTime::min();
    } else {
      next = queue_.front().start;
    }
  }
  if (next == MediaTime::min()) {
    PostPresent();
    return;
  }
  const auto delay = clock_ ? clock_->WallDelayUntil(next) : std::nullopt;
  if (!delay) return;  // stopped: ClockChanged presents again when it runs
  timer_.start(static_cast<int>(std::chrono::ceil<std::chrono::milliseconds>(*delay).count()));
}

bool VideoRenderer::WaitUntilCued(std::chrono::steady_clock::time_point deadline) {
  {
    std::unique_lock lock(mutex_);
    changed_.wait_until(lock, deadline, [this] { return aborted_ || !queue_.empty(); });
    if (queue_.empty()) return false;
  }
  Present();
  std::lock_guard lock(mutex_);
  return current_.frame != nullptr || stats_.endOfStream;
}

int32_t VideoRenderer::SetRenderingMode(RenderingMode mode) {
  mode_ = mode;
  return hr::Ok;
}

int32_t VideoRenderer::SetRenderingPrefs(int) { return hr::Ok; }

int32_t VideoRenderer::SetVideoPosition(const QRect& destination) {
  destination_ = destination;
  destinationSet_ = true;
  std::lock_guard lock(mutex_);
  desiredSize_ = destination.size();
  return hr::Ok;
}

int32_t VideoRenderer::SetVideoClippingWindow(QWidget* window) {
  if (mode_ != RenderingMode::Windowless) return hr::WrongState;
  if (window_) window_->removeEventFilter(this);
  window_ = window;
  if (window_) {
    window_->installEventFilter(this);
    if (!destinationSet_) {
      std::lock_guard lock(mutex_);
      desiredSize_ = window_->size();
    }
  }
  return hr::Ok;
}

int32_t VideoRenderer::SetAspectRatioMode(AspectRatioMode mode) {
  aspect_ = mode;
  return hr::Ok;
}

QSize VideoRenderer::DesiredSize() const {
  std::lock_guard lock(mutex_);
  return desiredSize_;
}

bool VideoRenderer::eventFilter(QObject* watched, QEvent* event) {
  if (watched != window_) return false;
  if (event->type() == QEvent::Resize) {
    // The window is the clipping window and the picture fills its client area; follow it so the
    // next pictures come at the new size even before the owner asks.
    const QSize size = static_cast<QResizeEvent*>(event)->size();
    destination_ = QRect(QPoint(0, 0), size);
    std::lock_guard lock(mutex_);
    desiredSize_ = size;
  } else if (event->type() == QEvent::Paint) {
    if (current_.image.isNull() && !current_.frame) return false;
    QPainter painter(window_);
    Paint(painter, destinationSet_ || !destination_.isEmpty() ? destination_ : window_->rect());
    return true;  // the window itself must not paint over the picture
  }
  return false;
}

void VideoRenderer::Paint(QPainter& painter, const QRect& target) {
  if (target.isEmpty()) return;
  // Only when the picture came while the window had no size: converting here is the exception.
  if (current_.image.isNull() && current_.frame)
    current_.image = ColorConverter::ToImage(*current_.frame, target.size(), nativeSws_);
  if (current_.image.isNull()) return;
  QRect place = target;
  if (aspect_ == AspectRatioMode::LetterBox && nativeWidth_ > 0 && nativeHeight_ > 0) {
    QSize fitted(nativeWidth_, nativeHeight_);
    fitted.scale(target.size(), Qt::KeepAspectRatio);
    place = QRect(QPoint(0, 0), fitted);
    place.moveCenter(target.center());
    painter.fillRect(target, Qt::black);
  }
  painter.drawImage(place, current_.image);
}

int32_t VideoRenderer::RepaintVideo(QWidget* window, QPainter* painter) {
  if (!window) window = window_;
  if (!window) return hr::Pointer;
  QWidget* device = painter ? dynamic_cast<QWidget*>(painter->device()) : nullptr;
  if (!painter || !device || (device != window && !device->isAncestorOf(window))) {
    window->update();
    return hr::Ok;
  }
  const QRect target = destination_.isEmpty() ? window->rect() : destination_;
  Paint(*painter, target.translated(window->mapTo(device, QPoint(0, 0))));
  return hr::Ok;
}

int32_t VideoRenderer::GetNativeVideoSize(int* width, int* height) const {
  if (!width || !height) return hr::Pointer;
  *width = nativeWidth_;
  *height = nativeHeight_;
  return hr::Ok;
}

int32_t VideoRenderer::GetCurrentImage(std::vector<uint8_t>* dib) const {
  if (!dib) return hr::Pointer;
  if (!current_.frame) return hr::Fail;
  const QImage image = ColorConverter::ToImage(
      *current_.frame, QSize(current_.frame->width, current_.frame->height), nativeSws_);
  if (image.isNull()) return hr::Fail;
  BitmapInfoHeader header;
  header.biWidth = image.width();
  header.biHeight = image.height();
  const size_t row = static_cast<size_t>(image.width()) * 4;
  header.biSizeImage = static_cast<uint32_t>(row * image.height());
  dib->resize(sizeof header + header.biSizeImage);
  std::memcpy(dib->data(), &header, sizeof header);
  uint8_t* out = dib->data() + sizeof header;
  for (int y = 0; y < image.height(); ++y)
    std::memcpy(out + row * (image.height() - 1 - y), image.constScanLine(y), row);
  return hr::Ok;
}
