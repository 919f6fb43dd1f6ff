#include "telemetryreader.h"

#include <algorithm>
#include <cstring>

TelemetryReader::TelemetryReader() = default;
TelemetryReader::~TelemetryReader() = default;

int32_t TelemetryReader::Load(const QString& path) {
  if (format_) return hr::WrongState;
  AVFormatContext* ctx = nullptr;
  const QByteArray file = path.toUtf8();
  if (avformat_open_input(&ctx, file.constData(), nullptr, nullptr) < 0) return hr::InvalidFileFormat;
  AVFormatContextUPtr format(ctx);
  int stream = -1;
  for (unsigned i = 0; i < format->nb_streams; ++i) {
    const AVMediaType kind = format->streams[i]->codecpar->codec_type;
    const bool data = kind == AVMEDIA_TYPE_DATA || kind == AVMEDIA_TYPE_UNKNOWN;
    if (data && stream < 0) stream = static_cast<int>(i);
    // Nothing else is read, so the demuxer can skip it.
    if (!data || stream != static_cast<int>(i)) format->streams[i]->discard = AVDISCARD_ALL;
  }
  if (stream < 0) return hr::InvalidFileFormat;
  format_ = std::move(format);
  packet_ = MakePacket();
  stream_ = stream;
  path_ = path;
  ended_ = false;
  return hr::Ok;
}

int32_t TelemetryReader::ReadSample(uint8_t* buffer, uint32_t* size, uint32_t* timestamp) {
  if (!buffer || !size || !timestamp) return hr::Pointer;
  if (!format_) return hr::Fail;
  if (ended_) return hr::False;
  for (;;) {
    const int r = av_read_frame(format_.get(), packet_.get());
    if (r == AVERROR_EOF) {
      ended_ = true;
      return hr::False;
    }
    if (r < 0) {
      // A damaged chunk: the caller may read on.
      if (format_->pb && avio_feof(format_->pb)) {
        ended_ = true;
        return hr::False;
      }
      return hr::Fail;
    }
    // Empty chunks only keep AVI's chunk clock; they carry no sample.
    if (packet_->stream_index != stream_ || packet_->size <= 0) {
      av_packet_unref(packet_.get());
      continue;
    }
    const AVRational tb = format_->streams[stream_]->time_base;
    const int64_t ts = packet_->pts != AV_NOPTS_VALUE ? packet_->pts : packet_->dts;
    const int64_t ms = ts == AV_NOPTS_VALUE ? 0 : mediatime::ToMs(mediatime::FromStreamTicks(ts, tb)).count();
    const uint32_t n = std::min<uint32_t>(*size, static_cast<uint32_t>(packet_->size));
    std::memcpy(buffer, packet_->data, n);
    *size = n;
    *timestamp = static_cast<uint32_t>(std::max<int64_t>(ms, 0));
    av_packet_unref(packet_.get());
    return hr::Ok;
  }
}
