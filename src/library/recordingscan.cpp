#include "recordingscan.h"

#include "nativepath.h"

#include <algorithm>
#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
// Files below one KiB would show a size of 0; the recorder never leaves such a file complete.
constexpr qint64 kMinimumRecordingBytes = 1024;
}  // namespace

bool NameLess(const QString& a, const QString& b) {
  // Qt's case-sensitive comparison works on UTF-16 code units as unsigned numbers (not code
  // points), with a vectorised search for the first difference.
  return QStringView(a).compare(QStringView(b), Qt::CaseSensitive) < 0;
}

qint64 RecordingTime(std::optional<qint64> birth, std::optional<qint64> modified) {
  // A recording copied to a PC is born again at the copy while its modification time stays that
  // of the recorder: the earlier of the two is when the recorder made it.
  if (birth && modified) return std::min(*birth, *modified);
  return birth.value_or(modified.value_or(0));
}

QString TypeCodeForFilter(int typeFilter) {
  switch (typeFilter) {
    case 2: return QStringLiteral("NOR");
    case 3: return QStringLiteral("EVT");
    case 4: return QStringLiteral("MOT");
    default: return QString();
  }
}

QString RecordingsFolder(const QString& cardRoot, bool folderMode) {
  return folderMode ? cardRoot : cardRoot + QStringLiteral("Recordings");
}

bool HoldsRecordingsFolder(const QString& root) {
  struct stat st {};
  return ::stat(NativePath(RecordingsFolder(root, false)).constData(), &st) == 0 && S_ISDIR(st.st_mode);
}

// The name tests cost nothing, while the size needs the file's metadata: they come first.
bool NamePasses(const QString& name, const ScanFilter& filter) {
  if (!HasRecordingExtension(name)) return false;
  if (!filter.typeCode.isEmpty() && !HasTypeCode(name, filter.typeCode)) return false;
  if (filter.dateFilter && QStringView(name).left(8) != filter.dateKey) return false;
  return true;
}

namespace {

// What the directory pass keeps of a file; the texts are made after sorting, in name order.
struct FoundFile {
  QString name;
  qint64 bytes;
  qint64 created;
};

struct Metadata {
  bool regular = false;
  qint64 bytes = 0;
  qint64 created = 0;
};

// One call per candidate: size, type, birth and modification time arrive together, and no
// QDateTime is made per file (each local-time conversion re-reads the zone). Links are followed,
// as for any file the card's file finder returns. False when the file cannot be read.
bool ReadMetadata(int dirFd, const char* name, bool& useStatx, Metadata& m) {
#if defined(STATX_BTIME)
  if (useStatx) {
    struct statx st {};
    if (::statx(dirFd, name, AT_NO_AUTOMOUNT, STATX_TYPE | STATX_SIZE | STATX_BTIME | STATX_MTIME, &st) == 0) {
      m.regular = S_ISREG(st.stx_mode);
      m.bytes = static_cast<qint64>(st.stx_size);
      m.created = RecordingTime(
          (st.stx_mask & STATX_BTIME) ? std::optional<qint64>(st.stx_btime.tv_sec) : std::nullopt,
          (st.stx_mask & STATX_MTIME) ? std::optional<qint64>(st.stx_mtime.tv_sec) : std::nullopt);
      return true;
    }
    // Kernels before 4.11 (or sandboxes that filter the call) lack statx; stat has no birth time.
    if (errno != ENOSYS && errno != EPERM) return false;
    useStatx = false;
  }
#else
  useStatx = false;
#endif
  struct stat st {};
  if (::fstatat(dirFd, name, &st, 0) != 0) return false;
  m.regular = S_ISREG(st.st_mode);
  m.bytes = static_cast<qint64>(st.st_size);
  m.created = RecordingTime(std::nullopt, static_cast<qint64>(st.st_mtime));
  return true;
}

// Entry types that can never be a recording, known from the directory alone.
bool NeverARecording(unsigned char type) {
  return type == DT_DIR || type == DT_FIFO || type == DT_CHR || type == DT_BLK || type == DT_SOCK;
}

// One readdir pass over the folder's own bytes: every name is kept exactly as the file system
// spells it (PathFromNative), so the row's path finds this file and no other.
void ListFolder(const QString& folder, const ScanFilter& filter, const std::stop_token& stop,
                std::vector<FoundFile>& found) {
  const int dirFd = ::open(NativePath(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dirFd < 0) return;  // an unreadable folder lists nothing
  DIR* dir = ::fdopendir(dirFd);
  if (!dir) {
    ::close(dirFd);
    return;
  }
  bool useStatx = true;
  while (!stop.stop_requested()) {
    const dirent* entry = ::readdir(dir);
    if (!entry) break;
    if (NeverARecording(entry->d_type)) continue;
    const char* raw = entry->d_name;
    if (raw[0] == '.' && (raw[1] == '\0' || (raw[1] == '.' && raw[2] == '\0'))) continue;
    QString name = PathFromNative(QByteArrayView(raw));
    if (!NamePasses(name, filter)) continue;
    Metadata m;
    // A FIFO or device named like a recording is not one, and is never opened.
    if (!ReadMetadata(dirFd, raw, useStatx, m) || !m.regular) continue;
    if (m.bytes < kMinimumRecordingBytes) continue;
    found.push_back({std::move(name), m.bytes, m.created});
  }
  ::closedir(dir);
}

}  // namespace

std::vector<RecordingEntry> ListFolderEntries(const QString& folder, const ScanFilter& filter,
                                              std::stop_token stop) {
  std::vector<RecordingEntry> rows;
  if (folder.isEmpty()) return rows;
  std::vector<FoundFile> found;
  ListFolder(folder, filter, stop, found);
  if (stop.stop_requested()) return rows;
  std::sort(found.begin(), found.end(),
            [](const FoundFile& a, const FoundFile& b) { return NameLess(a.name, b.name); });

  const QString prefix = folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
  RecordingDateTexts dates;
  rows.reserve(found.size());
  for (FoundFile& f : found) {
    RecordingEntry row;
    row.date = dates.Text(f.created);
    row.size = RecordingSizeText(f.bytes);
    row.path = prefix + f.name;
    row.time = RecordingTimeText(f.created);
    row.name = std::move(f.name);
    rows.push_back(std::move(row));
  }
  return rows;
}
