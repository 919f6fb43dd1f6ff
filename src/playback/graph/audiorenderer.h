// "DirectSound Audio Renderer": plays decoded audio through Qt Multimedia at the process volume,
// and as the master clock corrects the playback clock to what is being heard. Without an output
// device, or at a rate other than 1.0 (where pitch-correct stretching is not offered), it stays
// silent: it takes each frame when the clock reaches it and drops it, so the graph keeps time.
#pragma once

#include "avptr.h"
#include "filter.h"
#include "graph.h"
#include "interfaces.h"

#include <QIODevice>
#include <QObject>
#include <QPointer>
#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>

class AudioOutput;
class QAudioSink;

class AudioRenderer : public QObject, public Filter, public IRenderer, public IBasicAudio {
  Q_OBJECT
 public:
  AudioRenderer();
  ~AudioRenderer() override;

  // The process's output and volume; none or no device means silent.
  void SetAudioOutput(AudioOutput* output);
  bool IsAudible() const;

  int32_t CheckInputType(const Pin& input, const MediaType& type) override;
  void StartStreaming(const StreamingContext& context) override;
  void Abort() override;
  void Join() override;
  void ClockChanged() override;
  void Receive(Pin& input, MediaSample&& sample) override;
  void Flush(Pin& input, int serial, MediaTime segmentStart) override;

  bool WaitUntilCued(std::chrono::steady_clock::time_point) override { return true; }

  int32_t put_Balance(long balance) override;
  int32_t get_Balance(long* balance) const override;

  // Called by the sink's device (UI thread): fills `data` from the buffered audio.
  qint64 ReadAudio(char* data, qint64 maxSize);

 private:
  struct Chunk {
    MediaTime start{0};
    QByteArray bytes;
    qsizetype offset = 0;
  };
  void UpdateSink();
  void Pace(const MediaSample& sample);
  void Play(MediaSample&& sample);
  MediaTime BufferedLocked() const;

  // UI thread only.
  QPointer<AudioOutput> output_;
  std::unique_ptr<QAudioSink> sink_;
  std::unique_ptr<QIODevice> device_;
  long balance_ = 0;

  // Set when streaming starts.
  PlaybackClock* clock_ = nullptr;
  bool unthrottled_ = false;

  // Decode thread only.
  SwrContextUPtr swr_;

  mutable std::mutex mutex_;  // guards the fields below (UI thread and the audio decode thread)
  std::condition_variable changed_;
  std::deque<Chunk> chunks_;
  qint64 bufferedBytes_ = 0;
  int serial_ = 0;
  bool aborted_ = false;
  bool audible_ = false;  // the sink plays: running at rate 1.0 with a device
};
