#include "regularfile.h"

#include "nativepath.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

bool IsRegularFile(const QString& path) {
  struct stat st {};
  return ::stat(NativePath(path).constData(), &st) == 0 && S_ISREG(st.st_mode);
}

int OpenRegularFileForReading(const QString& path) {
  // O_NONBLOCK: opening a FIFO for reading would otherwise wait for a writer that never comes.
  const int fd = ::open(NativePath(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
  if (fd < 0) return -1;
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    errno = EINVAL;
    return -1;
  }
  // Reads of a regular file ignore the flag; it is dropped so that nothing later depends on that.
  const int flags = ::fcntl(fd, F_GETFL);
  if (flags >= 0) ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
  return fd;
}

bool OpenRegularFile(QFile& file, const QString& path) {
  const int fd = OpenRegularFileForReading(path);
  if (fd < 0) return false;
  if (file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) return true;
  ::close(fd);
  return false;
}

std::optional<QByteArray> ReadRegularFileHead(const QString& path, qint64 maxBytes) {
  const int fd = OpenRegularFileForReading(path);
  if (fd < 0) return std::nullopt;
  QByteArray bytes;
  bytes.resize(static_cast<qsizetype>(std::max<qint64>(maxBytes, 0)));
  qsizetype got = 0;
  while (got < bytes.size()) {
    const ssize_t n = ::read(fd, bytes.data() + got, static_cast<size_t>(bytes.size() - got));
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      ::close(fd);
      return std::nullopt;
    }
    if (n == 0) break;
    got += n;
  }
  ::close(fd);
  bytes.truncate(got);
  return bytes;
}
