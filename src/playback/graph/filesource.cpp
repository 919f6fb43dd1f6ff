#include "filesource.h"

#include "regularfile.h"

#include <vector>

extern "C" {
#include <libavformat/avformat.h>
}

namespace {
// Enough of the file for the container probes to decide; AVI and MP4 tell in their first bytes.
constexpr int64_t kProbeBytes = 64 * 1024;
// Below this libavformat's answer is a guess (mp3 frame sync found in random data, for example).
constexpr int kMinProbeScore = AVPROBE_SCORE_MAX / 4 + 1;
}  // namespace

FileSource::FileSource() : output_(AddPin(QStringLiteral("Output"), PinDirection::Output)) {}

int32_t FileSource::Load(const QString& path) {
  std::lock_guard lock(mutex_);
  if (file_.isOpen()) return hr::WrongState;
  file_.setFileName(path);
  if (!OpenRegularFile(file_, path)) return hr::FileNotFound;
  std::vector<uint8_t> head(kProbeBytes + AVPROBE_PADDING_SIZE, 0);
  const int64_t got = file_.read(reinterpret_cast<char*>(head.data()), kProbeBytes);
  AVProbeData probe{};
  probe.filename = "";
  probe.buf = head.data();
  probe.buf_size = static_cast<int>(std::max<int64_t>(got, 0));
  int score = 0;
  const AVInputFormat* format = got > 0 ? av_probe_input_format3(&probe, 1, &score) : nullptr;
  if (!format || score < kMinProbeScore) {
    file_.close();
    return hr::InvalidFileFormat;
  }
  MediaType type;
  type.major = mediatype::kStream;
  type.subtype = format->name;
  output_.SetMediaTypes({type});
  return hr::Ok;
}

QString FileSource::CurFile() const {
  std::lock_guard lock(mutex_);
  return file_.isOpen() ? file_.fileName() : QString();
}

int64_t FileSource::SyncRead(int64_t position, uint8_t* buffer, int64_t size) {
  std::lock_guard lock(mutex_);
  if (!file_.isOpen() || !file_.seek(position)) return -1;
  return file_.read(reinterpret_cast<char*>(buffer), size);
}

int64_t FileSource::Length() const {
  std::lock_guard lock(mutex_);
  return file_.isOpen() ? file_.size() : -1;
}
