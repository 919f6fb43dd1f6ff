// What the make-card tests read back from a written recording with libavformat and
// libavcodec: the streams and their timing, the decoded pictures and the decoded sound.
#pragma once

#include <QImage>

#include <cstdint>
#include <filesystem>
#include <vector>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
}

namespace mediaprobe {

struct StreamInfo {
  AVMediaType type = AVMEDIA_TYPE_UNKNOWN;
  AVCodecID codec = AV_CODEC_ID_NONE;
  int profile = 0;
  int pixelFormat = -1;
  int sampleRate = 0;
  double startMs = 0;              // the stream's start time after find_stream_info
  int packets = 0;                 // non-empty packets
  std::vector<double> keyframeMs;  // presentation times of the keyframes (video)
  double endMs = 0;                // end of the last packet (pts + duration)
};

// Empty when the file cannot be opened.
std::vector<StreamInfo> ProbeStreams(const std::filesystem::path& path);

// A decoded frame as RGB32.
QImage PictureFromFrame(const AVFrame* frame);

// Every picture of the n-th video stream (0 front, 1 rear), in presentation order, as RGB32.
std::vector<QImage> DecodePictures(const std::filesystem::path& path, int videoOrdinal);

// The first channel of the audio as a decoder plays it, with the container's priming removed.
std::vector<float> DecodeSound(const std::filesystem::path& path, int* sampleRate);

}  // namespace mediaprobe
