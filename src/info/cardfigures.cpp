#include "cardfigures.h"

#include "nativepath.h"
#include "recordingentry.h"
#include "regularfile.h"
#include "removabledrives.h"

#include <QtEndian>
#include <algorithm>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Deeper trees are not walked: each level holds a descriptor open, and no card is this deep.
constexpr int kMaxDepth = 64;

// Adds the recordings below the open folder dirFd (which it closes) to totals.
void WalkFolder(int dirFd, int depth, const QStringList& codes, const std::stop_token& stop,
                std::vector<qint64>& totals) {
  DIR* dir = ::fdopendir(dirFd);
  if (!dir) {
    ::close(dirFd);
    return;
  }
  while (!stop.stop_requested()) {
    const dirent* entry = ::readdir(dir);
    if (!entry) break;
    const char* raw = entry->d_name;
    if (raw[0] == '.' && (raw[1] == '\0' || (raw[1] == '.' && raw[2] == '\0'))) continue;
    unsigned char type = entry->d_type;
    if (type == DT_UNKNOWN) {
      struct stat st {};
      if (::fstatat(dirFd, raw, &st, AT_SYMLINK_NOFOLLOW) != 0) continue;
      type = S_ISDIR(st.st_mode) ? DT_DIR : S_ISLNK(st.st_mode) ? DT_LNK : S_ISREG(st.st_mode) ? DT_REG : DT_FIFO;
    }
    if (type == DT_DIR) {
      // The entry itself is a folder: a link to one is not entered, or a link back up the tree
      // would count forever.
      if (depth >= kMaxDepth) continue;
      const int child = ::openat(dirFd, raw, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
      if (child >= 0) WalkFolder(child, depth + 1, codes, stop, totals);
      continue;
    }
    if (type != DT_REG && type != DT_LNK) continue;  // FIFOs, devices and sockets hold no recording
    const QString name = PathFromNative(QByteArrayView(raw));
    if (!HasRecordingExtension(name)) continue;
    qsizetype which = -1;
    for (qsizetype i = 0; i < codes.size() && which < 0; ++i)
      if (HasTypeCode(name, codes[i])) which = i;
    if (which < 0) continue;
    struct stat st {};
    if (::fstatat(dirFd, raw, &st, 0) != 0 || !S_ISREG(st.st_mode)) continue;
    totals[size_t(which)] += static_cast<qint64>(st.st_size) / 1024;
  }
  ::closedir(dir);
}

}  // namespace

std::vector<qint64> UsageWalk(const QString& folder, const QStringList& codes, std::stop_token stop) {
  std::vector<qint64> totals(size_t(codes.size()), 0);
  const int fd = ::open(NativePath(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd >= 0) WalkFolder(fd, 0, codes, stop, totals);
  return totals;
}

qint64 UsageWalk(const QString& folder, const QString& code) {
  return UsageWalk(folder, QStringList{code}, std::stop_token()).front();
}

CardFigures ReadCardFigures(const QString& root, const RemovableDrives& drives, std::stop_token stop) {
  CardFigures figures;
  if (const std::optional<VolumeSpace> space = drives.Space(root)) {
    figures.totalMiB = space->totalBytes >> 20;
    figures.freeMiB = space->availableBytes >> 20;
  }
  if (stop.stop_requested()) return figures;
  const std::vector<qint64> kib =
      UsageWalk(root + QStringLiteral("Recordings"),
                {QStringLiteral("NOR"), QStringLiteral("EVT"), QStringLiteral("MOT")}, stop);
  figures.normalKiB = kib[0];
  figures.eventKiB = kib[1];
  figures.motionKiB = kib[2];
  if (stop.stop_requested()) return figures;
  figures.firmware = FirmwareVersionText(root);
  return figures;
}

QString FirmwareVersionFromHeader(const QByteArray& header) {
  if (header.isEmpty()) return QString();
  unsigned char bytes[16];
  std::memset(bytes, 0, sizeof bytes);
  std::memcpy(bytes, header.constData(), std::min<size_t>(sizeof bytes, size_t(header.size())));
  const qint32 major = qFromLittleEndian<qint32>(bytes + 8);
  const qint32 minor = qFromLittleEndian<qint32>(bytes + 12);
  if (major < 0 || major > 99 || minor < 0 || minor > 999) return QString();
  return QString::asprintf("%d.%03d", major, minor);
}

QString FirmwareVersionText(const QString& cardRoot) {
  const std::optional<QByteArray> header = ReadRegularFileHead(cardRoot + QStringLiteral("Configs/qx5_sysenv.cfg"), 16);
  return header ? FirmwareVersionFromHeader(*header) : QString();
}

QString GigabyteText(double mebibytes) {
  const float gigabytes = static_cast<float>(mebibytes / 1024.0);
  return QString::asprintf("%.1f GB", static_cast<double>(gigabytes));
}
