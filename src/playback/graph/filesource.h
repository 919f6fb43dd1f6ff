// "File Source": opens a file, tells by its first bytes whether it is a media file at all, and
// hands its bytes to the splitter through a random-access reader.
#pragma once

#include "filter.h"
#include "interfaces.h"

#include <QFile>
#include <mutex>

// Random access to the bytes of the loaded file (the splitter's thread reads through it).
class IAsyncReader {
 public:
  virtual ~IAsyncReader() = default;
  // Reads up to `size` bytes at `position`; the count read, 0 at the end, negative on error.
  virtual int64_t SyncRead(int64_t position, uint8_t* buffer, int64_t size) = 0;
  virtual int64_t Length() const = 0;
  virtual QString Path() const = 0;
};

class FileSource : public Filter, public IFileSourceFilter, public IAsyncReader {
 public:
  FileSource();

  // VFW_E_INVALID_FILE_FORMAT when the bytes are no container format FFmpeg knows.
  int32_t Load(const QString& path) override;
  QString CurFile() const override;

  int64_t SyncRead(int64_t position, uint8_t* buffer, int64_t size) override;
  int64_t Length() const override;
  QString Path() const override { return CurFile(); }

 private:
  Pin& output_;
  mutable std::mutex mutex_;  // guards file_ (UI thread loads, the splitter's thread reads)
  QFile file_;
};
