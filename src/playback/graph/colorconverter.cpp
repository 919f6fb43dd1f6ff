#include "colorconverter.h"

ColorConverter::ColorConverter()
    : input_(AddPin(QStringLiteral("Input"), PinDirection::Input)),
      output_(AddPin(QStringLiteral("Output"), PinDirection::Output)) {}

ColorConverter::~ColorConverter() = default;

int32_t ColorConverter::CheckInputType(const Pin& input, const MediaType& type) {
  return &input == &input_ && type.major == mediatype::kVideo && type.subtype == mediatype::kRawVideo
             ? hr::Ok
             : hr::TypeNotAccepted;
}

int32_t ColorConverter::CompleteConnect(Pin& pin) {
  if (&pin == &input_) {
    MediaType out = input_.ConnectionType();
    out.subtype = mediatype::kRgb32;
    output_.SetMediaTypes({out});
  }
  return hr::Ok;
}

void ColorConverter::BreakConnect(Pin& pin) {
  if (&pin == &input_) output_.SetMediaTypes({});
}

QImage ColorConverter::ToImage(const AVFrame& frame, QSize size, SwsContextUPtr& cache) {
  if (size.isEmpty() || frame.width <= 0 || frame.height <= 0) return {};
  // Fast bilinear: the pictures are shown at window size, where its softness does not show, and
  // it is the cheapest filter that does not alias on the 3:1 downscale of a 1080p stream.
  cache.reset(sws_getCachedContext(cache.release(), frame.width, frame.height,
                                   static_cast<AVPixelFormat>(frame.format), size.width(), size.height(),
                                   AV_PIX_FMT_BGRA, SWS_FAST_BILINEAR, nullptr, nullptr, nullptr));
  if (!cache) return {};
  // Format_RGB32 is 0xffRRGGBB words, which is BGRA bytes on the little-endian machines we run on.
  QImage image(size, QImage::Format_RGB32);
  if (image.isNull()) return {};
  uint8_t* dst[4] = {image.bits(), nullptr, nullptr, nullptr};
  int dstStride[4] = {static_cast<int>(image.bytesPerLine()), 0, 0, 0};
  sws_scale(cache.get(), frame.data, frame.linesize, 0, frame.height, dst, dstStride);
  return image;
}

void ColorConverter::Receive(Pin&, MediaSample&& sample) {
  Pin* peer = output_.ConnectedTo();
  if (!peer) return;
  if (sample.frame) {
    if (auto* sink = Query<IVideoSink>(&peer->Owner()))
      sample.image = ToImage(*sample.frame, sink->DesiredSize(), sws_);
  }
  Deliver(output_, std::move(sample));
}

void ColorConverter::Flush(Pin&, int serial, MediaTime segmentStart) {
  DeliverFlush(output_, serial, segmentStart);
}
