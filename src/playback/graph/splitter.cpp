#include "splitter.h"

#include "filesource.h"

#include <algorithm>
#include <pthread.h>

namespace {
// Read-ahead like ffplay's: stop when every stream holds enough for a second of play, or when
// the queues together hold this much whatever their length (a stream that stalls must not make
// the others read the whole file into memory).
constexpr int64_t kMaxBufferedBytes = 16 * 1024 * 1024;
constexpr int kEnoughPackets = 25;
constexpr MediaTime kEnoughDuration = std::chrono::seconds(1);
// How long the demux thread sleeps when the queues are full before it looks again; consumers
// free room at frame rate, so this costs no read-ahead.
constexpr auto kFullPollInterval = std::chrono::milliseconds(10);
constexpr int kIoBufferSize = 64 * 1024;

const QByteArray kAcceptedContainers[] = {"avi", "mov,mp4,m4a,3gp,3g2,mj2"};

// Probing the streams decodes their first frames, a third of the time an open takes on a 1080p
// recording. The recorder's headers already say what the decoders need: codec, picture size,
// sample rate and channels (the decoders find the pixel format themselves).
bool HeadersAreEnough(const AVFormatContext& format) {
  for (unsigned i = 0; i < format.nb_streams; ++i) {
    const AVCodecParameters& p = *format.streams[i]->codecpar;
    if (p.codec_type == AVMEDIA_TYPE_VIDEO && (p.codec_id == AV_CODEC_ID_NONE || p.width <= 0 || p.height <= 0))
      return false;
    if (p.codec_type == AVMEDIA_TYPE_AUDIO &&
        (p.codec_id == AV_CODEC_ID_NONE || p.sample_rate <= 0 || p.ch_layout.nb_channels <= 0))
      return false;
  }
  return true;
}
}  // namespace

int Splitter::ReadPacket(void* opaque, uint8_t* buffer, int size) {
  auto* io = static_cast<Splitter::IoState*>(opaque);
  const int64_t got = io->reader->SyncRead(io->position, buffer, size);
  if (got < 0) return AVERROR(EIO);
  if (got == 0) return AVERROR_EOF;
  io->position += got;
  return static_cast<int>(got);
}

int64_t Splitter::SeekStream(void* opaque, int64_t offset, int whence) {
  auto* io = static_cast<Splitter::IoState*>(opaque);
  const int64_t length = io->reader->Length();
  switch (whence & ~AVSEEK_FORCE) {
    case AVSEEK_SIZE: return length;
    case SEEK_SET: io->position = offset; break;
    case SEEK_CUR: io->position += offset; break;
    case SEEK_END: io->position = length + offset; break;
    default: return -1;
  }
  return io->position;
}

Splitter::Splitter() : input_(AddPin(QStringLiteral("Input"), PinDirection::Input)) {}

Splitter::~Splitter() {
  Abort();
  Join();
  CloseContainer();
}

int32_t Splitter::CheckInputType(const Pin& input, const MediaType& type) {
  if (&input != &input_ || type.major != mediatype::kStream) return hr::TypeNotAccepted;
  for (const QByteArray& c : kAcceptedContainers)
    if (type.subtype == c) return hr::Ok;
  return hr::TypeNotAccepted;
}

int32_t Splitter::CompleteConnect(Pin& pin) {
  if (&pin != &input_) return hr::Ok;
  auto* reader = Query<IAsyncReader>(&input_.ConnectedTo()->Owner());
  if (!reader) return hr::NoInterface;
  return OpenContainer(*reader);
}

void Splitter::BreakConnect(Pin& pin) {
  if (&pin == &input_) CloseContainer();
}

int32_t Splitter::OpenContainer(IAsyncReader& reader) {
  CloseContainer();
  reader_ = &reader;
  AVMallocUPtr buffer(static_cast<uint8_t*>(av_malloc(kIoBufferSize)));
  if (!buffer) return hr::Fail;
  ioState_ = std::make_unique<IoState>(IoState{&reader, 0});
  io_.reset(avio_alloc_context(buffer.get(), kIoBufferSize, 0, ioState_.get(), &ReadPacket, nullptr, &SeekStream));
  if (!io_) return hr::Fail;
  buffer.release();  // the I/O context owns it now
  AVFormatContext* ctx = avformat_alloc_context();
  if (!ctx) return CloseContainer(), hr::Fail;
  ctx->pb = io_.get();
  ctx->flags |= AVFMT_FLAG_CUSTOM_IO;
  const QByteArray path = reader.Path().toUtf8();
  if (avformat_open_input(&ctx, path.constData(), nullptr, nullptr) < 0) {
    CloseContainer();  // avformat_open_input freed ctx on failure
    return hr::InvalidFileFormat;
  }
  format_.reset(ctx);
  const QByteArray name = format_->iformat->name;
  if (std::none_of(std::begin(kAcceptedContainers), std::end(kAcceptedContainers),
                   [&](const QByteArray& c) { return c == name; })) {
    CloseContainer();
    return hr::InvalidFileFormat;
  }
  // AVI keeps the telemetry in a stream of no media type; probing it for codec parameters would
  // read megabytes of the file at every open. It is data, and data needs no codec.
  for (unsigned i = 0; i < format_->nb_streams; ++i)
    if (format_->streams[i]->codecpar->codec_type == AVMEDIA_TYPE_UNKNOWN)
      format_->streams[i]->codecpar->codec_type = AVMEDIA_TYPE_DATA;
  if (!HeadersAreEnough(*format_) && avformat_find_stream_info(format_.get(), nullptr) < 0) {
    CloseContainer();
    return hr::InvalidFileFormat;
  }
  pinOfStream_.assign(format_->nb_streams, -1);
  int videoCount = 0;
  for (unsigned i = 0; i < format_->nb_streams; ++i) {
    AVStream* st = format_->streams[i];
    const AVMediaType kind = st->codecpar->codec_type;
    if (kind != AVMEDIA_TYPE_VIDEO && kind != AVMEDIA_TYPE_AUDIO) {
      st->discard = AVDISCARD_ALL;  // telemetry is read by its own reader
      continue;
    }
    MediaType type;
    type.major = kind == AVMEDIA_TYPE_VIDEO ? mediatype::kVideo : mediatype::kAudio;
    type.subtype = avcodec_get_name(st->codecpar->codec_id);
    type.codec = CopyParameters(st->codecpar);
    type.timeBase = st->time_base;
    type.streamIndex = static_cast<int>(i);
    if (kind == AVMEDIA_TYPE_VIDEO) type.frameRate = st->avg_frame_rate.num > 0 ? st->avg_frame_rate : st->r_frame_rate;
    const QString pinName = kind == AVMEDIA_TYPE_VIDEO ? QStringLiteral("Video %1").arg(++videoCount)
                                                       : QStringLiteral("Audio");
    Pin& out = AddPin(QStringLiteral("%1 (stream %2)").arg(pinName).arg(i), PinDirection::Output, {type});
    pinOfStream_[i] = static_cast<int>(outputs_.size());
    outputs_.push_back({&out, static_cast<int>(i)});
  }
  duration_ = MediaTime(0);
  if (format_->duration != AV_NOPTS_VALUE) {
    int64_t end = format_->duration;
    if (format_->start_time != AV_NOPTS_VALUE && format_->start_time > 0) end += format_->start_time;
    duration_ = mediatime::FromAvTime(end);
  } else {
    // Without probing, AVI tells the length of each stream in its header only.
    for (const Output& o : outputs_) {
      const AVStream* st = format_->streams[o.streamIndex];
      if (st->duration == AV_NOPTS_VALUE) continue;
      const int64_t start = st->start_time != AV_NOPTS_VALUE ? std::max<int64_t>(st->start_time, 0) : 0;
      duration_ = std::max(duration_, mediatime::FromStreamTicks(start + st->duration, st->time_base));
    }
  }
  duration_ = std::max(duration_, MediaTime(0));
  packet_ = MakePacket();
  return hr::Ok;
}

void Splitter::CloseContainer() {
  for (const Output& o : outputs_)
    if (o.pin->ConnectedTo()) return;  // the graph disconnects outputs first; never strand a peer
  format_.reset();
  io_.reset();
  ioState_.reset();
  RemovePins(PinDirection::Output);
  outputs_.clear();
  pinOfStream_.clear();
  reader_ = nullptr;
  duration_ = MediaTime(0);
}

void Splitter::StartStreaming(const StreamingContext&) {
  if (!format_ || thread_.joinable()) return;
  {
    std::lock_guard lock(mutex_);
    aborted_ = false;
  }
  thread_ = std::thread([this] {
    pthread_setname_np(pthread_self(), "demux");
    ReadLoop();
  });
}

void Splitter::Abort() {
  {
    std::lock_guard lock(mutex_);
    aborted_ = true;
  }
  wake_.notify_all();
}

void Splitter::Join() {
  if (thread_.joinable()) thread_.join();
}

void Splitter::Seek(MediaTime target, int serial) {
  // Downstream first: once the demux thread sees the request it delivers the new serial's
  // packets at once, and a queue still on the old serial would drop them, keyframe included.
  for (const Output& o : outputs_) DeliverFlush(*o.pin, serial, target);
  {
    std::lock_guard lock(mutex_);
    pendingSeek_ = SeekRequest{target, serial};
  }
  wake_.notify_all();
}

bool Splitter::EnoughBuffered() const {
  int64_t bytes = 0;
  bool allEnough = true;
  bool any = false;
  for (const Output& o : outputs_) {
    Pin* peer = o.pin->ConnectedTo();
    if (!peer) continue;
    any = true;
    const Backlog b = peer->Owner().InputBacklog(*peer);
    bytes += b.bytes;
    // AVI's audio chunks carry no duration; a count is all there is to go by then.
    const bool enough = b.packets > kEnoughPackets && (b.duration.count() == 0 || b.duration > kEnoughDuration);
    if (!enough) allEnough = false;
  }
  return any && (bytes > kMaxBufferedBytes || allEnough);
}

void Splitter::DeliverEndOfStream(int serial, MediaTime segmentStart) {
  for (const Output& o : outputs_) {
    MediaSample eos;
    eos.serial = serial;
    eos.segmentStart = segmentStart;
    eos.endOfStream = true;
    Deliver(*o.pin, std::move(eos));
  }
}

void Splitter::ReadLoop() {
  bool atEnd = false;
  for (;;) {
    {
      std::unique_lock lock(mutex_);
      if (aborted_) return;
      if (!pendingSeek_ && (atEnd || EnoughBuffered())) {
        if (atEnd)
          wake_.wait(lock, [this] { return aborted_ || pendingSeek_; });
        else
          wake_.wait_for(lock, kFullPollInterval);
        continue;
      }
      if (pendingSeek_) {
        const SeekRequest request = *pendingSeek_;
        pendingSeek_.reset();
        lock.unlock();
        // Backward to the keyframe at or before the target; the decoders drop what precedes it.
        const int64_t ts = mediatime::ToAvTime(request.target);
        avformat_seek_file(format_.get(), -1, INT64_MIN, ts, ts, 0);
        serial_ = request.serial;
        segmentStart_ = request.target;
        atEnd = false;
        continue;
      }
    }
    const int r = av_read_frame(format_.get(), packet_.get());
    if (r < 0) {
      if (r == AVERROR(EAGAIN)) continue;
      // End of file, or a damaged tail: either way nothing more can be read from here.
      DeliverEndOfStream(serial_, segmentStart_);
      atEnd = true;
      continue;
    }
    const int index = packet_->stream_index;
    const int out = index >= 0 && index < static_cast<int>(pinOfStream_.size()) ? pinOfStream_[index] : -1;
    if (out < 0 || !outputs_[out].pin->ConnectedTo()) {
      av_packet_unref(packet_.get());
      continue;
    }
    const AVRational tb = format_->streams[index]->time_base;
    MediaSample s;
    s.serial = serial_;
    s.segmentStart = segmentStart_;
    const int64_t ts = packet_->pts != AV_NOPTS_VALUE ? packet_->pts : packet_->dts;
    s.start = ts != AV_NOPTS_VALUE ? mediatime::FromStreamTicks(ts, tb) : MediaTime(0);
    s.duration = mediatime::FromStreamTicks(packet_->duration, tb);
    s.packet = MakePacket();
    av_packet_move_ref(s.packet.get(), packet_.get());
    Deliver(*outputs_[out].pin, std::move(s));
  }
}
