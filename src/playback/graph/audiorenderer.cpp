#include "audiorenderer.h"

#include "audiooutput.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QMediaDevices>
#include <algorithm>
#include <cstring>

extern "C" {
#include <libavutil/channel_layout.h>
}

namespace {
constexpr int kSampleRate = 48000;
constexpr int kChannels = 2;
constexpr int kBytesPerSecond = kSampleRate * kChannels * 2;
// Decoded audio held ahead of the device: enough to cover a busy UI thread, short enough that
// a pause or a seek is heard at once.
constexpr MediaTime kMaxBuffered = std::chrono::milliseconds(300);
// A silent renderer waits for the clock in slices this long so it notices a pause or a seek.
constexpr auto kPaceSlice = std::chrono::milliseconds(50);

MediaTime BytesToTime(qint64 bytes) {
  return mediatime::FromStreamTicks(bytes / (kChannels * 2), AVRational{1, kSampleRate});
}

// Hands the sink's reads to the renderer.
class SinkDevice : public QIODevice {
 public:
  explicit SinkDevice(AudioRenderer& renderer) : renderer_(renderer) {}
  bool isSequential() const override { return true; }

 protected:
  qint64 readData(char* data, qint64 maxSize) override { return renderer_.ReadAudio(data, maxSize); }
  qint64 writeData(const char*, qint64) override { return -1; }

 private:
  AudioRenderer& renderer_;
};
}  // namespace

AudioRenderer::AudioRenderer() { AddPin(QStringLiteral("Audio Input pin (rendered)"), PinDirection::Input); }

AudioRenderer::~AudioRenderer() {
  Abort();
  if (sink_) sink_->stop();
}

void AudioRenderer::SetAudioOutput(AudioOutput* output) {
  if (output_) disconnect(output_, nullptr, this, nullptr);
  output_ = output;
  if (output_)
    connect(output_, &AudioOutput::volumeChanged, this, [this](double gain) {
      if (sink_) sink_->setVolume(gain);
    });
}

bool AudioRenderer::IsAudible() const {
  std::lock_guard lock(mutex_);
  return audible_;
}

int32_t AudioRenderer::CheckInputType(const Pin&, const MediaType& type) {
  return type.major == mediatype::kAudio && type.subtype == mediatype::kPcm ? hr::Ok : hr::TypeNotAccepted;
}

void AudioRenderer::StartStreaming(const StreamingContext& context) {
  clock_ = context.clock;
  unthrottled_ = context.unthrottled;
  {
    std::lock_guard lock(mutex_);
    aborted_ = false;
  }
  if (!sink_ && output_ && output_->HasDevice() && !unthrottled_) {
    const QAudioDevice device = QMediaDevices::defaultAudioOutput();
    QAudioFormat format;
    format.setSampleRate(kSampleRate);
    format.setChannelCount(kChannels);
    format.setSampleFormat(QAudioFormat::Int16);
    if (!device.isNull() && device.isFormatSupported(format)) {
      sink_ = std::make_unique<QAudioSink>(device, format);
      sink_->setVolume(output_->Gain());
      device_ = std::make_unique<SinkDevice>(*this);
      device_->open(QIODevice::ReadOnly);
    }
  }
  UpdateSink();
}

void AudioRenderer::Abort() {
  {
    std::lock_guard lock(mutex_);
    aborted_ = true;
  }
  changed_.notify_all();
}

void AudioRenderer::Join() {
  if (sink_) sink_->stop();
}

void AudioRenderer::ClockChanged() { UpdateSink(); }

void AudioRenderer::UpdateSink() {
  const bool play = sink_ && clock_ && clock_->IsRunning() && clock_->Rate() == 1.0;
  {
    std::lock_guard lock(mutex_);
    audible_ = play;
    // Muted for another rate: what is buffered would sound, and set the clock, behind the
    // pictures once the rate is 1.0 again. A pause keeps it, to go on where it stopped.
    if (clock_ && clock_->Rate() != 1.0) {
      chunks_.clear();
      bufferedBytes_ = 0;
    }
  }
  if (sink_) {
    if (play) {
      if (sink_->state() == QAudio::StoppedState)
        sink_->start(device_.get());
      else
        sink_->resume();
    } else if (sink_->state() == QAudio::ActiveState || sink_->state() == QAudio::IdleState) {
      sink_->suspend();
    }
  }
  changed_.notify_all();
}

void AudioRenderer::Receive(Pin&, MediaSample&& sample) {
  if (unthrottled_ || sample.endOfStream || !sample.frame) return;
  bool audible;
  {
    std::lock_guard lock(mutex_);
    if (aborted_ || sample.serial != serial_) return;
    audible = audible_;
  }
  if (audible)
    Play(std::move(sample));
  else
    Pace(sample);
}

void AudioRenderer::Pace(const MediaSample& sample) {
  std::unique_lock lock(mutex_);
  while (!aborted_ && sample.serial == serial_ && !audible_) {
    const auto delay = clock_ ? clock_->WallDelayUntil(sample.start) : std::nullopt;
    if (delay && delay->count() == 0) return;
    const auto slice = delay ? std::min<std::chrono::nanoseconds>(*delay, kPaceSlice) : kPaceSlice;
    changed_.wait_for(lock, slice);
  }
}

void AudioRenderer::Play(MediaSample&& sample) {
  const AVFrame& f = *sample.frame;
  if (!swr_) {
    AVChannelLayout outLayout;
    av_channel_layout_default(&outLayout, kChannels);
    AVChannelLayout inLayout;
    if (av_channel_layout_copy(&inLayout, &f.ch_layout) < 0) return;
    SwrContext* raw = nullptr;
    const int made = swr_alloc_set_opts2(&raw, &outLayout, AV_SAMPLE_FMT_S16, kSampleRate, &inLayout,
                            static_cast<AVSampleFormat>(f.format), f.sample_rate, 0, nullptr);
    av_channel_layout_uninit(&inLayout);
    if (made < 0) return;
    swr_.reset(raw);
    if (swr_init(swr_.get()) < 0) {
      swr_.reset();
      return;
    }
  }
  const int outSamples = swr_get_out_samples(swr_.get(), f.nb_samples);
  QByteArray bytes(outSamples * kChannels * 2, Qt::Uninitialized);
  uint8_t* out[1] = {reinterpret_cast<uint8_t*>(bytes.data())};
  const int got = swr_convert(swr_.get(), out, outSamples, const_cast<const uint8_t**>(f.extended_data),
                              f.nb_samples);
  if (got <= 0) return;
  bytes.resize(got * kChannels * 2);
  std::unique_lock lock(mutex_);
  changed_.wait(lock, [&] {
    return aborted_ || sample.serial != serial_ || !audible_ || BufferedLocked() < kMaxBuffered;
  });
  if (aborted_ || sample.serial != serial_) return;
  bufferedBytes_ += bytes.size();
  chunks_.push_back({sample.start, std::move(bytes), 0});
}

MediaTime AudioRenderer::BufferedLocked() const { return BytesToTime(bufferedBytes_); }

qint64 AudioRenderer::ReadAudio(char* data, qint64 maxSize) {
  qint64 done = 0;
  MediaTime heard{-1};
  {
    std::lock_guard lock(mutex_);
    while (done < maxSize && !chunks_.empty()) {
      Chunk& c = chunks_.front();
      const qint64 n = std::min<qint64>(maxSize - done, c.bytes.size() - c.offset);
      std::memcpy(data + done, c.bytes.constData() + c.offset, n);
      c.offset += n;
      done += n;
      bufferedBytes_ -= n;
      heard = c.start + BytesToTime(c.offset);
      if (c.offset == c.bytes.size()) chunks_.pop_front();
    }
  }
  changed_.notify_all();
  if (done < maxSize) {
    std::memset(data + done, 0, maxSize - done);  // underrun: silence keeps the device running
  }
  if (heard.count() >= 0 && clock_ && sink_) {
    const qint64 queued = sink_->bufferSize() - sink_->bytesFree();
    clock_->SyncToMaster(heard - BytesToTime(std::max<qint64>(queued, 0)));
  }
  return maxSize;
}

void AudioRenderer::Flush(Pin&, int serial, MediaTime) {
  {
    std::lock_guard lock(mutex_);
    serial_ = serial;
    chunks_.clear();
    bufferedBytes_ = 0;
  }
  changed_.notify_all();
}

int32_t AudioRenderer::put_Balance(long balance) {
  if (balance < -10000 || balance > 10000) return hr::InvalidArg;
  balance_ = balance;
  return hr::Ok;
}

int32_t AudioRenderer::get_Balance(long* balance) const {
  if (!balance) return hr::Pointer;
  *balance = balance_;
  return hr::Ok;
}
