// The building blocks of the media graph: media types, samples, pins and the filter base class.
// A filter is a component (created by class id), owns its pins and is driven by the graph.
#pragma once

#include "avptr.h"
#include "componentfactory.h"
#include "hresult.h"
#include "mediatime.h"

#include <QByteArray>
#include <QImage>
#include <QString>
#include <functional>
#include <memory>
#include <vector>

class PlaybackClock;

namespace mediatype {
inline const QByteArray kVideo = "vids";
inline const QByteArray kAudio = "auds";
inline const QByteArray kData = "data";
inline const QByteArray kStream = "stream";  // bytes of a file, between source and splitter
// Subtypes of decoded and converted frames; compressed streams use the codec's name.
inline const QByteArray kRawVideo = "yuv";
inline const QByteArray kRgb32 = "rgb32";
inline const QByteArray kPcm = "pcm";
}  // namespace mediatype

struct MediaType {
  QByteArray major;    // mediatype::kVideo, kAudio, kData or kStream
  QByteArray subtype;  // codec name ("h264", "aac"), a container name for kStream, or a raw kind
  AVCodecParametersSPtr codec;  // compressed streams only
  AVRational timeBase{0, 1};    // of the stream's timestamps
  AVRational frameRate{0, 1};   // video: nominal, for frames that carry no duration
  int streamIndex = -1;         // index in the container, for splitter pins
};

// What travels from pin to pin. Every sample carries the serial of the seek it belongs to, so a
// receiver drops what a later seek made stale.
struct MediaSample {
  int serial = 0;
  MediaTime segmentStart{0};  // position the serial's seek asked for
  MediaTime start{0};
  MediaTime duration{0};
  bool endOfStream = false;
  AVPacketUPtr packet;  // compressed data
  AVFrameUPtr frame;    // decoded data, at native size
  QImage image;         // display-ready picture (converter output)
};

// What the graph tells its filters when streaming starts.
struct StreamingContext {
  PlaybackClock* clock = nullptr;
  int videoDecoders = 0;     // so each decoder takes its share of the machine's cores
  bool unthrottled = false;  // renderers take every frame at once, ignoring the clock
  // A video renderer calls this (UI thread) when it shows the first picture after a seek, or
  // reaches the end of its stream without one.
  std::function<void()> cued;
};

class Filter;

enum class PinDirection { Input, Output };

class Pin {
 public:
  Pin(Filter& owner, QString name, PinDirection direction, std::vector<MediaType> types = {});

  Filter& Owner() const { return owner_; }
  const QString& Name() const { return name_; }
  PinDirection Direction() const { return direction_; }
  // Null when not connected, like IPin::ConnectedTo failing.
  Pin* ConnectedTo() const { return peer_; }
  const MediaType& ConnectionType() const { return connectionType_; }
  // The types an output pin offers, best first (IPin::EnumMediaTypes).
  const std::vector<MediaType>& MediaTypes() const { return types_; }
  void SetMediaTypes(std::vector<MediaType> types) { types_ = std::move(types); }

 private:
  friend class Graph;
  Filter& owner_;
  QString name_;
  PinDirection direction_;
  std::vector<MediaType> types_;
  Pin* peer_ = nullptr;
  MediaType connectionType_;
};

// Filters are created and connected on the UI thread. Once the graph streams, Receive runs on the
// upstream filter's streaming thread, everything else on the UI thread.
class Filter : public Component {
 public:
  Filter();
  ~Filter() override;
  Filter(const Filter&) = delete;
  Filter& operator=(const Filter&) = delete;

  // The name the graph knows the filter by; empty until added.
  const QString& Name() const { return name_; }
  std::vector<Pin*> Pins() const;

  // Connection. Returns hr::Ok when the input pin takes the type.
  virtual int32_t CheckInputType(const Pin& input, const MediaType& type);
  // After both ends are linked; a failure undoes the connection.
  virtual int32_t CompleteConnect(Pin& pin) { (void)pin; return hr::Ok; }
  virtual void BreakConnect(Pin& pin) { (void)pin; }

  // Streaming, driven by the graph.
  virtual void StartStreaming(const StreamingContext& context) { (void)context; }
  // Wakes every wait of the filter's threads and makes them end; returns at once.
  virtual void Abort() {}
  // Waits for the filter's threads after Abort.
  virtual void Join() {}
  // The clock was started, stopped, moved or changed its rate (UI thread).
  virtual void ClockChanged() {}

  // Upstream delivers a sample (on its streaming thread; may block until there is room).
  virtual void Receive(Pin& input, MediaSample&& sample) { (void)input; (void)sample; }
  // A seek made every sample before `serial` stale (UI thread, before samples of `serial` come).
  virtual void Flush(Pin& input, int serial, MediaTime segmentStart) {
    (void)input; (void)serial; (void)segmentStart;
  }
  // How much the input holds but has not used yet, so the splitter knows when to read ahead.
  struct Backlog {
    int packets = 0;
    int64_t bytes = 0;
    MediaTime duration{0};
    bool finished = false;  // the input consumed its end of stream
  };
  virtual Backlog InputBacklog(const Pin& input) const { (void)input; return {}; }

 protected:
  Pin& AddPin(QString name, PinDirection direction, std::vector<MediaType> types = {});
  void RemovePins(PinDirection direction);
  // Hands a sample to whatever the output pin is connected to.
  static void Deliver(Pin& output, MediaSample&& sample);
  static void DeliverFlush(Pin& output, int serial, MediaTime segmentStart);

 private:
  friend class Graph;
  QString name_;
  std::vector<std::unique_ptr<Pin>> pins_;
};
