// "Color Space Convertor": turns decoded frames into display-ready RGB pictures at the size the
// downstream renderer asks for (its window's), on the decoder's thread, and passes the decoded
// frame along so the renderer can still give the picture at its native size.
#pragma once

#include "avptr.h"
#include "filter.h"
#include "interfaces.h"

#include <QSize>

// What a video renderer tells the converter upstream; thread-safe.
class IVideoSink {
 public:
  virtual ~IVideoSink() = default;
  // Empty when the renderer has nowhere to draw.
  virtual QSize DesiredSize() const = 0;
};

class ColorConverter : public Filter {
 public:
  ColorConverter();
  ~ColorConverter() override;

  int32_t CheckInputType(const Pin& input, const MediaType& type) override;
  int32_t CompleteConnect(Pin& pin) override;
  void BreakConnect(Pin& pin) override;
  void Receive(Pin& input, MediaSample&& sample) override;
  void Flush(Pin& input, int serial, MediaTime segmentStart) override;

  // The display conversion, also used by the renderer for the native-size picture.
  static QImage ToImage(const AVFrame& frame, QSize size, SwsContextUPtr& cache);

 private:
  Pin& input_;
  Pin& output_;
  // Decode thread of the upstream decoder only.
  SwsContextUPtr sws_;
};
