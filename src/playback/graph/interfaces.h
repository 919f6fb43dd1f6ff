// The interfaces callers ask filters and the graph for, the stand-in for QueryInterface:
// `Query<IFileSourceFilter>(filter)` is null when the object does not implement it.
#pragma once

#include "hresult.h"
#include "mediatime.h"

#include <QString>
#include <cstdint>
#include <vector>

class QPainter;
class QRect;
class QWidget;

template <typename Interface, typename T>
Interface* Query(T* object) {
  return dynamic_cast<Interface*>(object);
}

// Opens a file (file source, telemetry reader).
class IFileSourceFilter {
 public:
  virtual ~IFileSourceFilter() = default;
  virtual int32_t Load(const QString& path) = 0;
  virtual QString CurFile() const = 0;
};

enum class GraphState { Stopped, Paused, Running };

// Run, pause and stop of the whole graph (UI thread).
class IMediaControl {
 public:
  virtual ~IMediaControl() = default;
  virtual int32_t Run() = 0;
  virtual int32_t Pause() = 0;
  virtual int32_t Stop() = 0;
  // Pauses and waits until every connected renderer holds its first picture, then reports
  // Stopped: the graph is cued.
  virtual int32_t StopWhenReady() = 0;
  virtual GraphState State() const = 0;
};

// Position, duration and rate of the whole graph in media time (UI thread).
class IMediaSeeking {
 public:
  virtual ~IMediaSeeking() = default;
  virtual int32_t SetPositions(MediaTime current) = 0;
  virtual int32_t GetCurrentPosition(MediaTime* position) const = 0;
  virtual int32_t GetDuration(MediaTime* duration) const = 0;
  virtual int32_t SetRate(double rate) = 0;
  virtual int32_t GetRate(double* rate) const = 0;
};

// Balance and volume of the audio renderer.
class IBasicAudio {
 public:
  virtual ~IBasicAudio() = default;
  virtual int32_t put_Balance(long balance) = 0;
  virtual int32_t get_Balance(long* balance) const = 0;
};

// The video decoder's parameter interface: one call per (parameter id, value), taking effect on
// the next decoded frame. Ids: 205 picture properties on, 202 brightness (-150..150); 1101
// transforms on, 1112 flip vertically, 1113 mirror horizontally.
class IDecoderParameters {
 public:
  virtual ~IDecoderParameters() = default;
  virtual int32_t PutParam(int paramId, int value) = 0;
  virtual int GetParam(int paramId) const = 0;
};

namespace decoderparam {
inline constexpr int kPictureProperties = 205;
inline constexpr int kBrightness = 202;
inline constexpr int kTransform = 1101;
inline constexpr int kFlipVertical = 1112;
inline constexpr int kFlipHorizontal = 1113;
inline constexpr int kMinBrightness = -150;
inline constexpr int kMaxBrightness = 150;
}  // namespace decoderparam

// The control interface of the brightness filter: parameter 1012 is the brightness.
class IBrightnessControl {
 public:
  virtual ~IBrightnessControl() = default;
  virtual int32_t SetValue(int paramId, int value) = 0;
};

// The packed picture GetCurrentImage delivers: this header (the layout of a 40-byte
// BITMAPINFOHEADER) followed directly by the rows, bottom row first, 32 bits per pixel
// (blue, green, red, unused), no colour table.
struct BitmapInfoHeader {
  uint32_t biSize = 40;
  int32_t biWidth = 0;
  int32_t biHeight = 0;
  uint16_t biPlanes = 1;
  uint16_t biBitCount = 32;
  uint32_t biCompression = 0;  // BI_RGB
  uint32_t biSizeImage = 0;
  int32_t biXPelsPerMeter = 0;
  int32_t biYPelsPerMeter = 0;
  uint32_t biClrUsed = 0;
  uint32_t biClrImportant = 0;
};
static_assert(sizeof(BitmapInfoHeader) == 40);

enum class RenderingMode { Windowed = 1, Windowless = 2 };
inline constexpr int kRenderPrefsForceOffscreen = 1;
enum class AspectRatioMode { None = 0, LetterBox = 1 };

// Configuration and windowless control of the video renderer (UI thread).
class IVideoRendererConfig {
 public:
  virtual ~IVideoRendererConfig() = default;
  virtual int32_t SetRenderingMode(RenderingMode mode) = 0;
  virtual int32_t SetRenderingPrefs(int prefs) = 0;
};

class IWindowlessControl {
 public:
  virtual ~IWindowlessControl() = default;
  // The destination rectangle in the clipping window's client coordinates.
  virtual int32_t SetVideoPosition(const QRect& destination) = 0;
  virtual int32_t SetVideoClippingWindow(QWidget* window) = 0;
  virtual int32_t SetAspectRatioMode(AspectRatioMode mode) = 0;
  // Paints the current picture: into `painter` when given, else by asking the window to repaint.
  virtual int32_t RepaintVideo(QWidget* window, QPainter* painter) = 0;
  virtual int32_t GetNativeVideoSize(int* width, int* height) const = 0;
  // The current picture at its native size, as BitmapInfoHeader + bottom-up rows.
  virtual int32_t GetCurrentImage(std::vector<uint8_t>* dib) const = 0;
};

// The telemetry reader's sample interface. ReadSample fills at most *size bytes of `buffer`,
// sets *size to the sample's length and *timestamp to its time in ms from the recording's start.
// Returns 0 for a sample, 1 (S_FALSE) at the end, anything else when no sample could be read.
class ITelemetrySource {
 public:
  virtual ~ITelemetrySource() = default;
  virtual int32_t ReadSample(uint8_t* buffer, uint32_t* size, uint32_t* timestamp) = 0;
};
