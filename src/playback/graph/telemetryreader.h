// The telemetry reader component: opens a recording on its own (never part of a graph) and
// hands out the samples of its data stream in file order, each with its time in milliseconds
// from the start of the recording. In AVI the data stream is the one of no known media type.
// One reader is used by one thread at a time.
#pragma once

#include "avptr.h"
#include "filter.h"
#include "interfaces.h"

class TelemetryReader : public Filter, public IFileSourceFilter, public ITelemetrySource {
 public:
  TelemetryReader();
  ~TelemetryReader() override;

  // VFW_E_INVALID_FILE_FORMAT when the file has no container FFmpeg reads or no data stream.
  int32_t Load(const QString& path) override;
  QString CurFile() const override { return path_; }

  // 0 with a sample; 1 (S_FALSE) at the end; E_FAIL when nothing is loaded or a read failed.
  // A sample longer than *size is cut to *size bytes; *size reports the bytes written.
  int32_t ReadSample(uint8_t* buffer, uint32_t* size, uint32_t* timestamp) override;

 private:
  QString path_;
  AVFormatContextUPtr format_;
  AVPacketUPtr packet_;
  int stream_ = -1;
  bool ended_ = false;
};
