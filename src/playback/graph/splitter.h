// "Splitter": the demuxer. Reads an AVI or MP4 file through the file source, offers one output
// pin per video and audio stream in stream order, and on its own thread reads packets ahead of
// the decoders, seeking when the graph asks.
#pragma once

#include "avptr.h"
#include "filter.h"
#include "graph.h"

#include <condition_variable>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

class IAsyncReader;

class Splitter : public Filter, public ISeekableSource {
 public:
  Splitter();
  ~Splitter() override;

  int32_t CheckInputType(const Pin& input, const MediaType& type) override;
  int32_t CompleteConnect(Pin& pin) override;
  void BreakConnect(Pin& pin) override;

  void StartStreaming(const StreamingContext& context) override;
  void Abort() override;
  void Join() override;

  MediaTime Duration() const override { return duration_; }
  void Seek(MediaTime target, int serial) override;

 private:
  struct Output {
    Pin* pin = nullptr;
    int streamIndex = -1;
  };
  // What the custom I/O callbacks of libavformat work on.
  struct IoState {
    IAsyncReader* reader = nullptr;
    int64_t position = 0;
  };
  struct SeekRequest {
    MediaTime target{0};
    int serial = 0;
  };
  static int ReadPacket(void* opaque, uint8_t* buffer, int size);
  static int64_t SeekStream(void* opaque, int64_t offset, int whence);
  int32_t OpenContainer(IAsyncReader& reader);
  void CloseContainer();
  void ReadLoop();
  bool EnoughBuffered() const;
  void DeliverEndOfStream(int serial, MediaTime segmentStart);

  // Set while connecting (UI thread), read-only while streaming.
  Pin& input_;
  IAsyncReader* reader_ = nullptr;
  std::unique_ptr<IoState> ioState_;  // outlives io_
  AVIOContextUPtr io_;
  AVFormatContextUPtr format_;
  std::vector<Output> outputs_;   // in stream order
  std::vector<int> pinOfStream_;  // stream index -> index in outputs_, -1 when none
  MediaTime duration_{0};

  // Demux thread only.
  AVPacketUPtr packet_;
  int serial_ = 0;
  MediaTime segmentStart_{0};

  std::thread thread_;
  mutable std::mutex mutex_;  // guards the fields below (UI thread and demux thread)
  std::condition_variable wake_;
  std::optional<SeekRequest> pendingSeek_;
  bool aborted_ = false;
};
