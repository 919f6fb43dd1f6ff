#include "components.h"

#include "componentfactory.h"
#include "graph/audiodecoder.h"
#include "graph/audiorenderer.h"
#include "graph/brightnessfilter.h"
#include "graph/colorconverter.h"
#include "graph/filesource.h"
#include "graph/graph.h"
#include "graph/splitter.h"
#include "graph/telemetryreader.h"
#include "graph/videodecoder.h"
#include "graph/videorenderer.h"

namespace {
template <typename T>
ComponentFactory::Creator Make() {
  return [] { return std::make_unique<T>(); };
}
}  // namespace

void RegisterPlaybackComponents(ComponentFactory& factory) {
  factory.Register(clsid::FilterGraph, [&factory] { return std::make_unique<Graph>(factory); });
  factory.Register(clsid::AsyncReader, Make<FileSource>());
  factory.Register(clsid::AviSplitter, Make<Splitter>());
  factory.Register(clsid::VideoDecoder, Make<VideoDecoder>());
  factory.Register(clsid::ColourConverter, Make<ColorConverter>());
  factory.Register(clsid::VideoMixingRenderer, Make<VideoRenderer>());
  factory.Register(clsid::DSoundRenderer, Make<AudioRenderer>());
  factory.Register(clsid::AacDecoder, Make<AudioDecoder>());
  factory.Register(clsid::BrightnessFilter, Make<BrightnessFilter>());
  factory.Register(clsid::TelemetryReader, Make<TelemetryReader>());
}
