#include "mediaprobe.h"

#include "avhandles.h"

#include <gtest/gtest.h>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavutil/log.h>
#include <libswscale/swscale.h>
}

namespace mediaprobe {

namespace {

// The encoders' statistics would bury the test output.
class QuietLibav : public ::testing::Environment {
 public:
  void SetUp() override { av_log_set_level(AV_LOG_ERROR); }
};
[[maybe_unused]] ::testing::Environment* const kQuietLibav = ::testing::AddGlobalTestEnvironment(new QuietLibav);

av::InputContextPtr Open(const std::filesystem::path& path) {
  AVFormatContext* raw = nullptr;
  if (avformat_open_input(&raw, path.c_str(), nullptr, nullptr) < 0) return nullptr;
  av::InputContextPtr context(raw);
  if (avformat_find_stream_info(context.get(), nullptr) < 0) return nullptr;
  return context;
}

double ToMs(std::int64_t t, AVRational base) { return t * av_q2d(base) * 1000.0; }

// Decodes every frame of one stream and hands each to sink.
template <typename Sink>
void DecodeStream(AVFormatContext* context, AVStream* stream, Sink&& sink) {
  const AVCodec* codec = avcodec_find_decoder(stream->codecpar->codec_id);
  if (!codec) return;
  av::CodecContextPtr decoder(avcodec_alloc_context3(codec));
  avcodec_parameters_to_context(decoder.get(), stream->codecpar);
  decoder->pkt_timebase = stream->time_base;
  if (avcodec_open2(decoder.get(), codec, nullptr) < 0) return;
  const av::PacketPtr packet(av_packet_alloc());
  const av::FramePtr frame(av_frame_alloc());
  auto receive = [&] {
    while (avcodec_receive_frame(decoder.get(), frame.get()) == 0) {
      sink(frame.get());
      av_frame_unref(frame.get());
    }
  };
  while (av_read_frame(context, packet.get()) >= 0) {
    if (packet->stream_index == stream->index && avcodec_send_packet(decoder.get(), packet.get()) >= 0) receive();
    av_packet_unref(packet.get());
  }
  avcodec_send_packet(decoder.get(), nullptr);
  receive();
}

AVStream* NthStream(AVFormatContext* context, AVMediaType type, int ordinal) {
  for (unsigned i = 0; i < context->nb_streams; ++i)
    if (context->streams[i]->codecpar->codec_type == type && ordinal-- == 0) return context->streams[i];
  return nullptr;
}

}  // namespace

std::vector<StreamInfo> ProbeStreams(const std::filesystem::path& path) {
  const av::InputContextPtr context = Open(path);
  std::vector<StreamInfo> streams;
  if (!context) return streams;
  for (unsigned i = 0; i < context->nb_streams; ++i) {
    const AVStream* st = context->streams[i];
    StreamInfo info;
    info.type = st->codecpar->codec_type;
    info.codec = st->codecpar->codec_id;
    info.profile = st->codecpar->profile;
    info.pixelFormat = st->codecpar->format;
    info.sampleRate = st->codecpar->sample_rate;
    info.startMs = st->start_time == AV_NOPTS_VALUE ? -1 : ToMs(st->start_time, st->time_base);
    streams.push_back(info);
  }
  const av::PacketPtr packet(av_packet_alloc());
  while (av_read_frame(context.get(), packet.get()) >= 0) {
    StreamInfo& info = streams[packet->stream_index];
    const AVRational base = context->streams[packet->stream_index]->time_base;
    if (packet->size > 0) {
      ++info.packets;
      if (info.type == AVMEDIA_TYPE_VIDEO && (packet->flags & AV_PKT_FLAG_KEY))
        info.keyframeMs.push_back(ToMs(packet->pts != AV_NOPTS_VALUE ? packet->pts : packet->dts, base));
      const std::int64_t time = packet->pts != AV_NOPTS_VALUE ? packet->pts : packet->dts;
      info.endMs = std::max(info.endMs, ToMs(time + packet->duration, base));
    }
    av_packet_unref(packet.get());
  }
  return streams;
}

QImage PictureFromFrame(const AVFrame* frame) {
  SwsContext* scaler = sws_getContext(frame->width, frame->height, static_cast<AVPixelFormat>(frame->format),
                                      frame->width, frame->height, AV_PIX_FMT_RGB32, SWS_BILINEAR, nullptr, nullptr, nullptr);
  QImage picture(frame->width, frame->height, QImage::Format_RGB32);
  uint8_t* data[4] = {picture.bits(), nullptr, nullptr, nullptr};
  int lines[4] = {static_cast<int>(picture.bytesPerLine()), 0, 0, 0};
  sws_scale(scaler, frame->data, frame->linesize, 0, frame->height, data, lines);
  sws_freeContext(scaler);
  return picture;
}

std::vector<QImage> DecodePictures(const std::filesystem::path& path, int videoOrdinal) {
  std::vector<QImage> pictures;
  const av::InputContextPtr context = Open(path);
  if (!context) return pictures;
  AVStream* stream = NthStream(context.get(), AVMEDIA_TYPE_VIDEO, videoOrdinal);
  if (!stream) return pictures;
  DecodeStream(context.get(), stream, [&](AVFrame* frame) { pictures.push_back(PictureFromFrame(frame)); });
  return pictures;
}

std::vector<float> DecodeSound(const std::filesystem::path& path, int* sampleRate) {
  std::vector<float> sound;
  const av::InputContextPtr context = Open(path);
  if (!context) return sound;
  AVStream* stream = NthStream(context.get(), AVMEDIA_TYPE_AUDIO, 0);
  if (!stream) return sound;
  *sampleRate = stream->codecpar->sample_rate;
  DecodeStream(context.get(), stream, [&](AVFrame* frame) {
    // The native AAC decoder gives planar float.
    if (frame->format != AV_SAMPLE_FMT_FLTP) return;
    const auto* first = reinterpret_cast<const float*>(frame->data[0]);
    sound.insert(sound.end(), first, first + frame->nb_samples);
  });
  return sound;
}

}  // namespace mediaprobe
