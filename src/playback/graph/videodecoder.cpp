#include "videodecoder.h"

#include <QThread>
#include <algorithm>
#include <array>

extern "C" {
#include <libavutil/pixdesc.h>
}

namespace {
// The machine's cores shared between the decoders of one graph; libavcodec's frame threads
// beyond that only add delay.
int ThreadsFor(int videoDecoders) {
  const int cores = std::max(1, QThread::idealThreadCount());
  return std::clamp(cores / std::max(1, videoDecoders), 1, 2);
}

bool IsPlanar8Bit(AVPixelFormat format) {
  const AVPixFmtDescriptor* d = av_pix_fmt_desc_get(format);
  if (!d || !(d->flags & AV_PIX_FMT_FLAG_PLANAR) || (d->flags & AV_PIX_FMT_FLAG_RGB)) return false;
  for (int c = 0; c < d->nb_components; ++c)
    if (d->comp[c].depth != 8 || d->comp[c].step != 1) return false;
  return true;
}

// Writes the transformed picture into a new frame: the decoder's own buffer may still be a
// reference picture and must stay untouched.
AVFrameUPtr Transform(const AVFrame& src, int brightness, bool flipVertical, bool mirror) {
  const auto format = static_cast<AVPixelFormat>(src.format);
  if (!IsPlanar8Bit(format)) return nullptr;
  AVFrameUPtr dst = MakeFrame();
  dst->format = src.format;
  dst->width = src.width;
  dst->height = src.height;
  if (av_frame_get_buffer(dst.get(), 0) < 0 || av_frame_copy_props(dst.get(), &src) < 0) return nullptr;
  const AVPixFmtDescriptor* d = av_pix_fmt_desc_get(format);
  std::array<uint8_t, 256> lut;
  for (int v = 0; v < 256; ++v) lut[v] = static_cast<uint8_t>(std::clamp(v + brightness, 0, 255));
  const int planes = av_pix_fmt_count_planes(format);
  for (int p = 0; p < planes; ++p) {
    const bool chroma = p == 1 || p == 2;
    const int w = chroma ? AV_CEIL_RSHIFT(src.width, d->log2_chroma_w) : src.width;
    const int h = chroma ? AV_CEIL_RSHIFT(src.height, d->log2_chroma_h) : src.height;
    const bool adjust = p == 0 && brightness != 0;
    for (int y = 0; y < h; ++y) {
      const uint8_t* in = src.data[p] + static_cast<ptrdiff_t>(flipVertical ? h - 1 - y : y) * src.linesize[p];
      uint8_t* out = dst->data[p] + static_cast<ptrdiff_t>(y) * dst->linesize[p];
      if (mirror)
        std::reverse_copy(in, in + w, out);
      else
        std::copy(in, in + w, out);
      if (adjust)
        for (int x = 0; x < w; ++x) out[x] = lut[out[x]];
    }
  }
  return dst;
}
}  // namespace

VideoDecoder::VideoDecoder() : DecoderFilter(QStringLiteral("video decode")) {}

VideoDecoder::~VideoDecoder() { StopDecoding(); }

int32_t VideoDecoder::CheckInputType(const Pin& input, const MediaType& type) {
  if (&input != &input_ || type.major != mediatype::kVideo || !type.codec) return hr::TypeNotAccepted;
  return avcodec_find_decoder(type.codec->codec_id) ? hr::Ok : hr::TypeNotAccepted;
}

int32_t VideoDecoder::CompleteConnect(Pin& pin) {
  if (&pin != &input_) return hr::Ok;
  // Opened with one thread here; StartStreaming reopens when it may use more.
  const int32_t r = decoder_.Open(input_.ConnectionType(), threads_);
  if (hr::Failed(r)) return r;
  MediaType out;
  out.major = mediatype::kVideo;
  out.subtype = mediatype::kRawVideo;
  out.timeBase = input_.ConnectionType().timeBase;
  out.frameRate = input_.ConnectionType().frameRate;
  output_.SetMediaTypes({out});
  return hr::Ok;
}

void VideoDecoder::StartStreaming(const StreamingContext& context) {
  if (!decoder_.IsOpen()) return;
  const int threads = ThreadsFor(context.videoDecoders);
  if (threads != threads_) {
    threads_ = threads;
    decoder_.Open(input_.ConnectionType(), threads_);
  }
  decoder_.Start();
}

int32_t VideoDecoder::PutParam(int paramId, int value) {
  const Picture before = CurrentPicture();
  std::unique_lock lock(paramMutex_);
  switch (paramId) {
    case decoderparam::kPictureProperties: params_.pictureProperties = value != 0; break;
    case decoderparam::kBrightness:
      params_.brightness = std::clamp(value, decoderparam::kMinBrightness, decoderparam::kMaxBrightness);
      break;
    case decoderparam::kTransform: params_.transform = value != 0; break;
    case decoderparam::kFlipVertical: params_.flipVertical = value != 0; break;
    case decoderparam::kFlipHorizontal: params_.mirrorHorizontal = value != 0; break;
    default: return hr::InvalidArg;
  }
  lock.unlock();
  if (pictureChanged_ && !(CurrentPicture() == before)) pictureChanged_();
  return hr::Ok;
}

int VideoDecoder::GetParam(int paramId) const {
  std::lock_guard lock(paramMutex_);
  switch (paramId) {
    case decoderparam::kPictureProperties: return params_.pictureProperties;
    case decoderparam::kBrightness: return params_.brightness;
    case decoderparam::kTransform: return params_.transform;
    case decoderparam::kFlipVertical: return params_.flipVertical;
    case decoderparam::kFlipHorizontal: return params_.mirrorHorizontal;
    default: return 0;
  }
}

VideoDecoder::Picture VideoDecoder::CurrentPicture() const {
  std::lock_guard lock(paramMutex_);
  Picture p;
  if (params_.pictureProperties) p.brightness = params_.brightness;
  if (params_.transform) {
    p.flipVertical = params_.flipVertical;
    p.mirrorHorizontal = params_.mirrorHorizontal;
  }
  return p;
}

void VideoDecoder::OnFrame(StreamDecoder::Frame&& f) {
  if (f.serial != emittedSerial_ && f.start + std::max(f.duration, MediaTime(1)) <= f.segmentStart) {
    // Decoded from the keyframe before a seek target only to reach it.
    lastDiscarded_ = std::move(f);
    return;
  }
  Emit(std::move(f));
}

void VideoDecoder::OnEnd(int serial, MediaTime segmentStart) {
  if (emittedSerial_ != serial && lastDiscarded_.frame && lastDiscarded_.serial == serial) {
    // A seek to the very end: the last picture is the one to show.
    StreamDecoder::Frame last = std::move(lastDiscarded_);
    Emit(std::move(last));
  }
  lastDiscarded_ = {};
  DeliverEndOfStream(serial, segmentStart);
}

void VideoDecoder::Emit(StreamDecoder::Frame&& f) {
  emittedSerial_ = f.serial;
  lastDiscarded_ = {};
  const Picture picture = CurrentPicture();
  if (!picture.Identity()) {
    if (AVFrameUPtr t = Transform(*f.frame, picture.brightness, picture.flipVertical, picture.mirrorHorizontal))
      f.frame = std::move(t);
  }
  MediaSample s;
  s.serial = f.serial;
  s.segmentStart = f.segmentStart;
  s.start = f.start;
  s.duration = f.duration;
  s.frame = std::move(f.frame);
  Deliver(output_, std::move(s));
}
