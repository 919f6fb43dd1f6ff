#include "streamdecoder.h"

#include <pthread.h>

StreamDecoder::StreamDecoder(QString threadName, FrameHandler onFrame, EndHandler onEnd)
    : threadName_(std::move(threadName)), onFrame_(std::move(onFrame)), onEnd_(std::move(onEnd)) {}

StreamDecoder::~StreamDecoder() {
  Abort();
  Join();
}

int32_t StreamDecoder::Open(const MediaType& type, int threads) {
  if (!type.codec) return hr::TypeNotAccepted;
  const AVCodec* decoder = avcodec_find_decoder(type.codec->codec_id);
  if (!decoder) return hr::TypeNotAccepted;
  AVCodecContextUPtr ctx(avcodec_alloc_context3(decoder));
  if (!ctx || avcodec_parameters_to_context(ctx.get(), type.codec.get()) < 0) return hr::Fail;
  ctx->pkt_timebase = type.timeBase;
  ctx->thread_count = threads;
  // Frame threads cost one frame of delay per thread but scale across cores; slices do not
  // help the recorder's single-slice streams.
  ctx->thread_type = FF_THREAD_FRAME;
  if (avcodec_open2(ctx.get(), decoder, nullptr) < 0) return hr::TypeNotAccepted;
  codec_ = std::move(ctx);
  timeBase_ = type.timeBase;
  nominalDuration_ = type.frameRate.num > 0 ? mediatime::FromStreamTicks(1, av_inv_q(type.frameRate))
                                            : MediaTime(0);
  frame_ = MakeFrame();
  return hr::Ok;
}

void StreamDecoder::Close() {
  Abort();
  Join();
  codec_.reset();
}

void StreamDecoder::Start() {
  if (!codec_ || thread_.joinable()) return;
  queue_.Reset();
  thread_ = std::thread([this] {
    pthread_setname_np(pthread_self(), threadName_.left(15).toUtf8().constData());
    Loop();
  });
}

void StreamDecoder::Abort() { queue_.Abort(); }

void StreamDecoder::Join() {
  if (thread_.joinable()) thread_.join();
}

void StreamDecoder::Loop() {
  for (;;) {
    std::optional<MediaSample> s = queue_.Pop();
    if (!s) return;
    if (s->serial != serial_) {
      // A seek: what the codec holds belongs to the old position.
      avcodec_flush_buffers(codec_.get());
      serial_ = s->serial;
    }
    if (s->endOfStream) {
      avcodec_send_packet(codec_.get(), nullptr);
      DecodeAll(s->serial, s->segmentStart);
      onEnd_(s->serial, s->segmentStart);
      queue_.SetFinished(true);
      // Drained codecs take no more input until flushed; the next serial flushes.
      serial_ = -1;
      continue;
    }
    int r = avcodec_send_packet(codec_.get(), s->packet.get());
    while (r == AVERROR(EAGAIN)) {
      DecodeAll(s->serial, s->segmentStart);
      r = avcodec_send_packet(codec_.get(), s->packet.get());
    }
    DecodeAll(s->serial, s->segmentStart);
  }
}

void StreamDecoder::DecodeAll(int serial, MediaTime segmentStart) {
  while (avcodec_receive_frame(codec_.get(), frame_.get()) == 0) {
    Frame f;
    f.serial = serial;
    f.segmentStart = segmentStart;
    const int64_t ts = frame_->best_effort_timestamp;
    f.start = ts != AV_NOPTS_VALUE ? mediatime::FromStreamTicks(ts, timeBase_) : MediaTime(0);
    if (codec_->codec_type == AVMEDIA_TYPE_AUDIO && frame_->sample_rate > 0)
      f.duration = mediatime::FromStreamTicks(frame_->nb_samples, AVRational{1, frame_->sample_rate});
    else if (frame_->pkt_duration > 0)
      f.duration = mediatime::FromStreamTicks(frame_->pkt_duration, timeBase_);
    else
      f.duration = nominalDuration_;
    f.frame = MakeFrame();
    av_frame_move_ref(f.frame.get(), frame_.get());
    onFrame_(std::move(f));
  }
}
