#include "recordingwriter.h"

#include "avhandles.h"
#include "framepainter.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <numbers>
#include <stdexcept>

extern "C" {
#include <libavutil/channel_layout.h>
#include <libavutil/opt.h>
}

namespace {

// AVI keeps no time stamps for a stream of ours: a chunk's time is its index, one tick of the
// stream's time base per chunk. libavformat pads with empty chunks up to a packet's time but
// refuses to pad more than this many ticks at once.
constexpr std::int64_t kAviMaxPaddingTicks = 60000;
constexpr std::int64_t kAviBridgeStepMs = 30000;
constexpr AVRational kMillisecond{1, 1000};
constexpr std::size_t kMaxSampleBytes = 1024;  // the player's reader buffer

struct WriteError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

void Check(int result, const std::string& what) {
  if (result < 0) throw WriteError(what + ": " + av::ErrorText(result));
}

class RecordingWriter {
 public:
  RecordingWriter(const std::filesystem::path& path, const RecordingSettings& settings)
      : path_(path), settings_(settings) {}

  int Write();
  // After a failed Write: closes the file and removes it if this writer created it.
  void Abandon();

 private:
  struct VideoOut {
    AVStream* stream = nullptr;
    av::CodecContextPtr encoder;
    av::FramePtr frame;
    std::unique_ptr<FramePainter> painter;
    // AVI has no room for negative decoding times (B-frames start below 0); the video is
    // moved alone so audio and telemetry keep their times.
    bool shiftKnown = false;
    std::int64_t dtsShift = 0;
  };
  struct AudioOut {
    AVStream* stream = nullptr;
    av::CodecContextPtr encoder;
    av::FramePtr frame;
    std::int64_t nextSample = 0;
    std::int64_t totalSamples = 0;
    // The encoder's priming samples: MP4 declares them in its edit list, AVI cannot, so there
    // the first packet is put at 0 and the tone is generated this far ahead, which lines up
    // what a decoder plays with the pictures.
    std::int64_t primingInAvi = 0;
  };

  void Validate() const;
  void OpenContainer();
  void AddVideo(int camera);
  void AddAudio();
  void AddTelemetry();
  void EncodeVideoFrame(VideoOut& out, int frameNumber);
  void EncodeAudioUntil(std::int64_t ms);
  void WriteTelemetryUntil(std::int64_t ms);
  void WriteTelemetryPacket(std::int64_t ms, std::int64_t duration, const std::string& bytes);
  void Drain(AVCodecContext* encoder, AVStream* stream, VideoOut* video, std::int64_t audioShift);
  void Flush();

  bool IsAvi() const { return settings_.container == Container::Avi; }

  const std::filesystem::path& path_;
  const RecordingSettings& settings_;
  av::OutputContextPtr context_;
  std::vector<VideoOut> videos_;
  std::unique_ptr<AudioOut> audio_;
  AVStream* telemetry_ = nullptr;
  std::size_t nextSample_ = 0;
  std::int64_t lastTelemetryMs_ = -1;
  av::PacketPtr packet_{av_packet_alloc()};
  bool createdFile_ = false;
};

void RecordingWriter::Validate() const {
  const VideoSettings& v = settings_.video;
  if (settings_.cameras != 1 && settings_.cameras != 2) throw WriteError("cameras must be 1 or 2");
  if (v.width < 32 || v.height < 32 || v.width % 2 || v.height % 2) throw WriteError("size must be even and at least 32x32");
  if (v.fps < 1 || v.fps > 120) throw WriteError("fps must be 1..120");
  if (settings_.durationMs < 1000 / v.fps) throw WriteError("duration is shorter than one frame");
  if (v.bFrames < 0 || v.bFrames > 16) throw WriteError("bframes must be 0..16");
  if (v.gopFrames < 0) throw WriteError("gop must not be negative");
  const AudioSettings& a = settings_.audio;
  if (a.enabled && ((a.sampleRate != 44100 && a.sampleRate != 48000) || (a.channels != 1 && a.channels != 2)))
    throw WriteError("audio must be 44100 or 48000 Hz, mono or stereo");
  if (!settings_.telemetry) return;
  std::int64_t previous = -1;
  for (const TelemetrySample& s : settings_.samples) {
    // Two samples in one millisecond cannot be told apart in AVI (one chunk is one
    // millisecond) and break the muxers' increasing-time rule in MP4: refuse them here instead
    // of letting the container move one of them.
    if (s.ms < 0) throw WriteError("telemetry times start at 0");
    if (s.ms <= previous) throw WriteError("telemetry times must strictly increase");
    if (s.ms >= settings_.durationMs) throw WriteError("telemetry sample after the end of the recording");
    if (s.bytes.empty() || s.bytes.size() > kMaxSampleBytes) throw WriteError("telemetry sample must be 1..1024 bytes");
    previous = s.ms;
  }
}

void RecordingWriter::OpenContainer() {
  AVFormatContext* raw = nullptr;
  Check(avformat_alloc_output_context2(&raw, nullptr, IsAvi() ? "avi" : "mp4", path_.c_str()), "container");
  context_.reset(raw);
}

void RecordingWriter::AddVideo(int camera) {
  const VideoSettings& v = settings_.video;
  const AVCodec* codec = avcodec_find_encoder_by_name("libx264");
  if (!codec) throw WriteError("libx264 encoder is not available");
  VideoOut out;
  out.encoder.reset(avcodec_alloc_context3(codec));
  AVCodecContext* enc = out.encoder.get();
  enc->width = v.width;
  enc->height = v.height;
  enc->pix_fmt = AV_PIX_FMT_YUV420P;
  enc->time_base = {1, v.fps};
  enc->framerate = {v.fps, 1};
  enc->gop_size = v.gopFrames > 0 ? v.gopFrames : v.fps;
  enc->keyint_min = enc->gop_size;
  enc->max_b_frames = v.bFrames;
  enc->colorspace = AVCOL_SPC_SMPTE170M;
  enc->color_primaries = AVCOL_PRI_SMPTE170M;
  enc->color_trc = AVCOL_TRC_SMPTE170M;
  enc->color_range = AVCOL_RANGE_MPEG;
  if (context_->oformat->flags & AVFMT_GLOBALHEADER) enc->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
  av_opt_set(enc->priv_data, "preset", v.preset.c_str(), 0);
  av_opt_set(enc->priv_data, "profile", "high", 0);
  av_opt_set_double(enc->priv_data, "crf", v.crf, 0);
  // A fixed keyframe interval: the player's seeking tests count on it.
  av_opt_set(enc->priv_data, "x264-params", "scenecut=0", 0);
  Check(avcodec_open2(enc, codec, nullptr), "video encoder");

  out.stream = avformat_new_stream(context_.get(), nullptr);
  if (!out.stream) throw WriteError("video stream");
  Check(avcodec_parameters_from_context(out.stream->codecpar, enc), "video parameters");
  out.stream->time_base = enc->time_base;
  out.stream->avg_frame_rate = enc->framerate;
  av_dict_set(&out.stream->metadata, "title", camera == 0 ? "Front" : "Rear", 0);

  out.frame.reset(av_frame_alloc());
  out.frame->format = enc->pix_fmt;
  out.frame->width = enc->width;
  out.frame->height = enc->height;
  Check(av_frame_get_buffer(out.frame.get(), 0), "video frame");
  out.painter = std::make_unique<FramePainter>(camera, v.width, v.height);
  videos_.push_back(std::move(out));
}

void RecordingWriter::AddAudio() {
  const AudioSettings& a = settings_.audio;
  const AVCodec* codec = avcodec_find_encoder(AV_CODEC_ID_AAC);
  if (!codec) throw WriteError("AAC encoder is not available");
  audio_ = std::make_unique<AudioOut>();
  audio_->encoder.reset(avcodec_alloc_context3(codec));
  AVCodecContext* enc = audio_->encoder.get();
  enc->sample_fmt = AV_SAMPLE_FMT_FLTP;
  enc->sample_rate = a.sampleRate;
  av_channel_layout_default(&enc->ch_layout, a.channels);
  enc->bit_rate = a.channels == 1 ? 64000 : 96000;
  enc->time_base = {1, a.sampleRate};
  if (context_->oformat->flags & AVFMT_GLOBALHEADER) enc->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
  Check(avcodec_open2(enc, codec, nullptr), "audio encoder");

  audio_->stream = avformat_new_stream(context_.get(), nullptr);
  if (!audio_->stream) throw WriteError("audio stream");
  Check(avcodec_parameters_from_context(audio_->stream->codecpar, enc), "audio parameters");
  audio_->stream->time_base = enc->time_base;
  audio_->primingInAvi = IsAvi() ? enc->initial_padding : 0;
  audio_->totalSamples = static_cast<std::int64_t>(settings_.durationMs) * a.sampleRate / 1000;
  if (IsAvi()) {
    // AVI plays every coded frame, priming included: end the sound with the last whole frame
    // inside the recording, so the file is no longer than its pictures.
    const std::int64_t frames = audio_->totalSamples / enc->frame_size;
    audio_->totalSamples = std::max<std::int64_t>(0, frames * enc->frame_size - audio_->primingInAvi);
  }

  audio_->frame.reset(av_frame_alloc());
  audio_->frame->format = enc->sample_fmt;
  audio_->frame->sample_rate = enc->sample_rate;
  audio_->frame->nb_samples = enc->frame_size;
  Check(av_channel_layout_copy(&audio_->frame->ch_layout, &enc->ch_layout), "audio layout");
  Check(av_frame_get_buffer(audio_->frame.get(), 0), "audio frame");
}

void RecordingWriter::AddTelemetry() {
  telemetry_ = avformat_new_stream(context_.get(), nullptr);
  if (!telemetry_) throw WriteError("telemetry stream");
  telemetry_->codecpar->codec_type = AVMEDIA_TYPE_DATA;
  // MP4 needs a codec it knows to give the track a sample entry; AVI's 'dats' stream has no
  // format block and takes none.
  telemetry_->codecpar->codec_id = IsAvi() ? AV_CODEC_ID_NONE : AV_CODEC_ID_BIN_DATA;
  telemetry_->time_base = kMillisecond;
}

void RecordingWriter::Drain(AVCodecContext* encoder, AVStream* stream, VideoOut* video, std::int64_t audioShift) {
  for (;;) {
    const int result = avcodec_receive_packet(encoder, packet_.get());
    if (result == AVERROR(EAGAIN) || result == AVERROR_EOF) return;
    Check(result, "encoding");
    if (video && !video->shiftKnown) {
      video->shiftKnown = true;
      if (IsAvi() && packet_->dts < 0) video->dtsShift = -packet_->dts;
    }
    const std::int64_t shift = video ? video->dtsShift : audioShift;
    if (packet_->pts != AV_NOPTS_VALUE) packet_->pts += shift;
    if (packet_->dts != AV_NOPTS_VALUE) packet_->dts += shift;
    av_packet_rescale_ts(packet_.get(), encoder->time_base, stream->time_base);
    packet_->stream_index = stream->index;
    Check(av_interleaved_write_frame(context_.get(), packet_.get()), "writing");
  }
}

void RecordingWriter::EncodeVideoFrame(VideoOut& out, int frameNumber) {
  Check(av_frame_make_writable(out.frame.get()), "video frame");
  out.painter->Paint(out.frame.get(), frameNumber);
  out.frame->pts = frameNumber;
  Check(avcodec_send_frame(out.encoder.get(), out.frame.get()), "video encoding");
  Drain(out.encoder.get(), out.stream, &out, 0);
}

void RecordingWriter::EncodeAudioUntil(std::int64_t ms) {
  AudioOut& a = *audio_;
  const int rate = settings_.audio.sampleRate;
  const std::int64_t limit = std::min(a.totalSamples, ms * rate / 1000);
  while (a.nextSample < limit) {
    AVFrame* frame = a.frame.get();
    Check(av_frame_make_writable(frame), "audio frame");
    const int count = static_cast<int>(std::min<std::int64_t>(a.encoder->frame_size, a.totalSamples - a.nextSample));
    frame->nb_samples = count;
    for (int i = 0; i < count; ++i) {
      // A beep in the first quarter of every second, so a listener (or a test) can hear that
      // sound and pictures keep in step.
      const std::int64_t n = a.nextSample + i + a.primingInAvi;
      const double seconds = static_cast<double>(n) / rate;
      const bool on = n % rate < rate / 4;
      const float value = on ? static_cast<float>(0.25 * std::sin(2 * std::numbers::pi * settings_.audio.toneHz * seconds)) : 0.0f;
      for (int c = 0; c < settings_.audio.channels; ++c) reinterpret_cast<float*>(frame->data[c])[i] = value;
    }
    frame->pts = a.nextSample;
    a.nextSample += count;
    Check(avcodec_send_frame(a.encoder.get(), frame), "audio encoding");
    Drain(a.encoder.get(), a.stream, nullptr, a.primingInAvi);
  }
}

void RecordingWriter::WriteTelemetryPacket(std::int64_t ms, std::int64_t duration, const std::string& bytes) {
  if (bytes.empty()) {
    Check(av_new_packet(packet_.get(), 0), "telemetry packet");
  } else {
    Check(av_new_packet(packet_.get(), static_cast<int>(bytes.size())), "telemetry packet");
    std::copy(bytes.begin(), bytes.end(), packet_->data);
  }
  packet_->pts = packet_->dts = ms;
  packet_->duration = duration;
  packet_->flags |= AV_PKT_FLAG_KEY;
  packet_->stream_index = telemetry_->index;
  lastTelemetryMs_ = ms;
  Check(av_interleaved_write_frame(context_.get(), packet_.get()), "writing telemetry");
}

void RecordingWriter::WriteTelemetryUntil(std::int64_t ms) {
  const auto& samples = settings_.samples;
  for (; nextSample_ < samples.size() && samples[nextSample_].ms < ms; ++nextSample_) {
    const TelemetrySample& s = samples[nextSample_];
    if (IsAvi()) {
      // Chunk times only count from the first chunk, so an empty chunk at 0 anchors the clock
      // when the first sample comes later; further empty chunks bridge gaps the muxer would
      // refuse to pad.
      if (lastTelemetryMs_ < 0 && s.ms > 0) WriteTelemetryPacket(0, 0, {});
      while (s.ms - lastTelemetryMs_ > kAviMaxPaddingTicks) WriteTelemetryPacket(lastTelemetryMs_ + kAviBridgeStepMs, 0, {});
    }
    // MP4 ends a track at its last sample's end: a sample without a duration would fall outside
    // the track's edit and be lost when read, so each lasts until the next, the last until the
    // end of the recording.
    const std::int64_t end = nextSample_ + 1 < samples.size() ? samples[nextSample_ + 1].ms : settings_.durationMs;
    WriteTelemetryPacket(s.ms, end - s.ms, s.bytes);
  }
}

void RecordingWriter::Flush() {
  for (VideoOut& v : videos_) {
    Check(avcodec_send_frame(v.encoder.get(), nullptr), "video flush");
    Drain(v.encoder.get(), v.stream, &v, 0);
  }
  if (audio_) {
    Check(avcodec_send_frame(audio_->encoder.get(), nullptr), "audio flush");
    Drain(audio_->encoder.get(), audio_->stream, nullptr, audio_->primingInAvi);
  }
}

int RecordingWriter::Write() {
  Validate();
  OpenContainer();
  for (int camera = 0; camera < settings_.cameras; ++camera) AddVideo(camera);
  if (settings_.audio.enabled) AddAudio();
  if (settings_.telemetry) AddTelemetry();

  Check(avio_open(&context_->pb, path_.c_str(), AVIO_FLAG_WRITE), "opening " + path_.string());
  createdFile_ = true;
  Check(avformat_write_header(context_.get(), nullptr), "header");

  const int fps = settings_.video.fps;
  const int frames = static_cast<int>(static_cast<std::int64_t>(settings_.durationMs) * fps / 1000);
  for (int n = 0; n < frames; ++n) {
    // Everything that starts before the next frame goes in with this one.
    const std::int64_t untilMs = n + 1 == frames ? settings_.durationMs : (static_cast<std::int64_t>(n) + 1) * 1000 / fps;
    if (audio_) EncodeAudioUntil(untilMs);
    if (telemetry_) WriteTelemetryUntil(untilMs);
    for (VideoOut& v : videos_) EncodeVideoFrame(v, n);
  }
  if (audio_) EncodeAudioUntil(settings_.durationMs);
  if (telemetry_) WriteTelemetryUntil(settings_.durationMs);
  Flush();
  Check(av_write_trailer(context_.get()), "trailer");
  return frames;
}

void RecordingWriter::Abandon() {
  videos_.clear();
  audio_.reset();
  context_.reset();
  if (createdFile_) {
    std::error_code ignored;
    std::filesystem::remove(path_, ignored);
  }
}

}  // namespace

bool ContainerFromExtension(const std::filesystem::path& path, Container* container) {
  std::string ext = path.extension().string();
  std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  if (ext == ".AVI") *container = Container::Avi;
  else if (ext == ".MP4") *container = Container::Mp4;
  else return false;
  return true;
}

WriteResult WriteRecording(const std::filesystem::path& path, const RecordingSettings& settings) {
  WriteResult result;
  RecordingWriter writer(path, settings);
  try {
    result.videoFrames = writer.Write();
    result.ok = true;
  } catch (const WriteError& e) {
    result.error = e.what();
    writer.Abandon();
  }
  return result;
}
