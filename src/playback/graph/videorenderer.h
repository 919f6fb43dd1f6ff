// "Mixing Renderer9": the windowless video renderer. Decoded pictures queue up on the decoder's
// thread; on the UI thread each is shown when the clock reaches it (late ones are dropped and
// counted) and painted into the clipping window, stretched to the destination rectangle. The
// current frame is kept at its native size for GetCurrentImage.
#pragma once

#include "avptr.h"
#include "colorconverter.h"
#include "filter.h"
#include "graph.h"
#include "interfaces.h"

#include <QObject>
#include <QPointer>
#include <QRect>
#include <QTimer>
#include <condition_variable>
#include <deque>
#include <mutex>

class QWidget;

class VideoRenderer : public QObject,
                      public Filter,
                      public IRenderer,
                      public IVideoRendererConfig,
                      public IWindowlessControl,
                      public IVideoSink {
  Q_OBJECT
 public:
  VideoRenderer();
  ~VideoRenderer() override;

  struct Statistics {
    int64_t presented = 0;
    int64_t dropped = 0;  // due and overtaken by the next picture before they could be shown
    bool endOfStream = false;
    // How far the clock was past a picture's time when it was shown (running only).
    MediaTime maxLateness{0};
    MediaTime totalLateness{0};
    int64_t timedPresentations = 0;
  };
  Statistics Stats() const;
  // The picture as painted now (display size), for diagnostics.
  QImage CurrentPicture() const { return current_.image; }
  // The media time of the picture shown now and the seek serial it belongs to.
  MediaTime CurrentStart() const { return current_.start; }
  int CurrentSerial() const { return current_.serial; }

  int32_t CheckInputType(const Pin& input, const MediaType& type) override;
  void BreakConnect(Pin& pin) override;
  void StartStreaming(const StreamingContext& context) override;
  void Abort() override;
  void ClockChanged() override;
  void Receive(Pin& input, MediaSample&& sample) override;
  void Flush(Pin& input, int serial, MediaTime segmentStart) override;

  bool WaitUntilCued(std::chrono::steady_clock::time_point deadline) override;

  int32_t SetRenderingMode(RenderingMode mode) override;
  int32_t SetRenderingPrefs(int prefs) override;

  int32_t SetVideoPosition(const QRect& destination) override;
  int32_t SetVideoClippingWindow(QWidget* window) override;
  int32_t SetAspectRatioMode(AspectRatioMode mode) override;
  int32_t RepaintVideo(QWidget* window, QPainter* painter) override;
  int32_t GetNativeVideoSize(int* width, int* height) const override;
  int32_t GetCurrentImage(std::vector<uint8_t>* dib) const override;

  QSize DesiredSize() const override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Present();
  void Schedule();
  void Paint(QPainter& painter, const QRect& target);
  void PostPresent();

  Pin& input_;

  // UI thread only.
  QPointer<QWidget> window_;
  QRect destination_;
  bool destinationSet_ = false;
  AspectRatioMode aspect_ = AspectRatioMode::None;
  RenderingMode mode_ = RenderingMode::Windowed;
  QTimer timer_;
  PlaybackClock* clock_ = nullptr;
  bool unthrottled_ = false;
  bool shownThisSerial_ = false;
  std::function<void()> cued_;
  MediaSample current_;  // image at display size, frame at native size
  mutable SwsContextUPtr nativeSws_;
  int nativeWidth_ = 0, nativeHeight_ = 0;

  mutable std::mutex mutex_;  // guards the fields below (UI thread and decoder thread)
  std::condition_variable changed_;
  std::deque<MediaSample> queue_;
  int serial_ = 0;
  bool aborted_ = false;
  bool presentPosted_ = false;
  QSize desiredSize_;
  Statistics stats_;
};
