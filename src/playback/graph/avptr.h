// Owning handles for every FFmpeg object of the engine, so no path leaks or double-frees one.
#pragma once

#include <memory>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libswresample/swresample.h>
#include <libswscale/swscale.h>
}

namespace avptr {
struct AvFreeDeleter {
  void operator()(void* p) const { av_free(p); }
};
struct FormatContextDeleter {
  void operator()(AVFormatContext* c) const { avformat_close_input(&c); }
};
// The buffer of a custom I/O context may have been replaced by libavformat; free the current one.
struct IoContextDeleter {
  void operator()(AVIOContext* c) const {
    if (c) av_freep(&c->buffer);
    avio_context_free(&c);
  }
};
struct CodecContextDeleter {
  void operator()(AVCodecContext* c) const { avcodec_free_context(&c); }
};
struct CodecParametersDeleter {
  void operator()(AVCodecParameters* p) const { avcodec_parameters_free(&p); }
};
struct FrameDeleter {
  void operator()(AVFrame* f) const { av_frame_free(&f); }
};
struct PacketDeleter {
  void operator()(AVPacket* p) const { av_packet_free(&p); }
};
struct SwsContextDeleter {
  void operator()(SwsContext* c) const { sws_freeContext(c); }
};
struct SwrContextDeleter {
  void operator()(SwrContext* c) const { swr_free(&c); }
};
}  // namespace avptr

// Memory from av_malloc until something takes it over.
using AVMallocUPtr = std::unique_ptr<uint8_t, avptr::AvFreeDeleter>;
using AVFormatContextUPtr = std::unique_ptr<AVFormatContext, avptr::FormatContextDeleter>;
using AVIOContextUPtr = std::unique_ptr<AVIOContext, avptr::IoContextDeleter>;
using AVCodecContextUPtr = std::unique_ptr<AVCodecContext, avptr::CodecContextDeleter>;
using AVCodecParametersUPtr = std::unique_ptr<AVCodecParameters, avptr::CodecParametersDeleter>;
using AVFrameUPtr = std::unique_ptr<AVFrame, avptr::FrameDeleter>;
using AVPacketUPtr = std::unique_ptr<AVPacket, avptr::PacketDeleter>;
using SwsContextUPtr = std::unique_ptr<SwsContext, avptr::SwsContextDeleter>;
using SwrContextUPtr = std::unique_ptr<SwrContext, avptr::SwrContextDeleter>;
// Codec parameters are shared read-only between the splitter's pins and the decoders.
using AVCodecParametersSPtr = std::shared_ptr<const AVCodecParameters>;

inline AVFrameUPtr MakeFrame() { return AVFrameUPtr(av_frame_alloc()); }
inline AVPacketUPtr MakePacket() { return AVPacketUPtr(av_packet_alloc()); }
// A new reference to the same buffers (null when src is null or the reference fails).
inline AVFrameUPtr RefFrame(const AVFrame* src) {
  if (!src) return nullptr;
  AVFrameUPtr f = MakeFrame();
  if (!f || av_frame_ref(f.get(), src) < 0) return nullptr;
  return f;
}
inline AVCodecParametersSPtr CopyParameters(const AVCodecParameters* src) {
  AVCodecParametersUPtr p(avcodec_parameters_alloc());
  if (!p || avcodec_parameters_copy(p.get(), src) < 0) return nullptr;
  return AVCodecParametersSPtr(p.release(), avptr::CodecParametersDeleter{});
}
