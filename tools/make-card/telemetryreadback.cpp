#include "telemetryreadback.h"

#include "avhandles.h"

namespace {

AVStream* FindTelemetryStream(AVFormatContext* context) {
  for (unsigned i = 0; i < context->nb_streams; ++i) {
    const AVMediaType type = context->streams[i]->codecpar->codec_type;
    if (type != AVMEDIA_TYPE_VIDEO && type != AVMEDIA_TYPE_AUDIO) return context->streams[i];
  }
  return nullptr;
}

std::nullopt_t Fail(std::string* error, const std::string& what, int averror) {
  if (error) *error = what + ": " + av::ErrorText(averror);
  return std::nullopt;
}

}  // namespace

std::optional<std::vector<TelemetrySample>> ReadTelemetrySamples(const std::filesystem::path& path,
                                                                 std::string* error) {
  AVFormatContext* raw = nullptr;
  if (const int result = avformat_open_input(&raw, path.c_str(), nullptr, nullptr); result < 0)
    return Fail(error, "opening " + path.string(), result);
  const av::InputContextPtr context(raw);

  std::vector<TelemetrySample> samples;
  AVStream* telemetry = FindTelemetryStream(context.get());
  if (!telemetry) return samples;
  // Only the telemetry is wanted; the demuxer then skips the pictures and sound unread.
  for (unsigned i = 0; i < context->nb_streams; ++i)
    if (context->streams[i] != telemetry) context->streams[i]->discard = AVDISCARD_ALL;

  const av::PacketPtr packet(av_packet_alloc());
  for (;;) {
    const int result = av_read_frame(context.get(), packet.get());
    if (result == AVERROR_EOF) break;
    if (result < 0) return Fail(error, "reading " + path.string(), result);
    const std::int64_t time = packet->pts != AV_NOPTS_VALUE ? packet->pts : packet->dts;
    if (packet->stream_index == telemetry->index && packet->size > 0 && time != AV_NOPTS_VALUE) {
      samples.push_back({av_rescale_q(time, telemetry->time_base, AVRational{1, 1000}),
                         std::string(reinterpret_cast<const char*>(packet->data), packet->size)});
    }
    av_packet_unref(packet.get());
  }
  return samples;
}
