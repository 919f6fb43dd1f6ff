#include "recordingscan.h"

#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <algorithm>

#if defined(__linux__)
#include <dirent.h>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#endif

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

qint64 RecordingCreationTime(const QFileInfo& info) {
  const QDateTime birth = info.fileTime(QFileDevice::FileBirthTime);
  const QDateTime modified = info.fileTime(QFileDevice::FileModificationTime);
  return RecordingTime(birth.isValid() ? std::optional<qint64>(birth.toSecsSinceEpoch()) : std::nullopt,
                       modified.isValid() ? std::optional<qint64>(modified.toSecsSinceEpoch()) : std::nullopt);
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

#if defined(__linux__)
// One readdir pass and one statx per candidate: size, birth and modification time arrive in a
// single call, and no QDateTime is made per file (each local-time conversion re-reads the zone).
enum class StatxScan { Done, Unsupported };

StatxScan ListWithStatx(const QString& folder, const ScanFilter& filter,
                        std::vector<FoundFile>& found) {
  const QByteArray encoded = QFile::encodeName(folder);
  const int dirFd = ::open(encoded.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dirFd < 0) return StatxScan::Done;  // an unreadable folder lists nothing
  DIR* dir = ::fdopendir(dirFd);
  if (!dir) {
    ::close(dirFd);
    return StatxScan::Done;
  }
  while (const dirent* entry = ::readdir(dir)) {
    if (entry->d_type == DT_DIR) continue;
    const char* raw = entry->d_name;
    if (raw[0] == '.' && (raw[1] == '\0' || (raw[1] == '.' && raw[2] == '\0'))) continue;
    const QString name = QFile::decodeName(raw);
    if (!NamePasses(name, filter)) continue;
    struct statx st {};
    // Links are followed, as for any file the file finder returns.
    if (::statx(dirFd, raw, AT_NO_AUTOMOUNT, STATX_TYPE | STATX_SIZE | STATX_BTIME | STATX_MTIME,
                &st) != 0) {
      // Kernels before 4.11 (or sandboxes that filter the call) lack statx: list with Qt.
      if (errno == ENOSYS || errno == EPERM) {
        ::closedir(dir);
        found.clear();
        return StatxScan::Unsupported;
      }
      continue;
    }
    if (!S_ISREG(st.stx_mode)) continue;
    const qint64 bytes = static_cast<qint64>(st.stx_size);
    if (bytes < kMinimumRecordingBytes) continue;
    const qint64 created =
        RecordingTime((st.stx_mask & STATX_BTIME) ? std::optional<qint64>(st.stx_btime.tv_sec) : std::nullopt,
                      (st.stx_mask & STATX_MTIME) ? std::optional<qint64>(st.stx_mtime.tv_sec) : std::nullopt);
    found.push_back({name, bytes, created});
  }
  ::closedir(dir);
  return StatxScan::Done;
}
#endif

void ListWithQt(const QString& folder, const ScanFilter& filter, std::vector<FoundFile>& found) {
  // Hidden and system files count like any other, as the card's own file finder returns them.
  QDirIterator it(folder, QDir::Files | QDir::Hidden | QDir::System);
  while (it.hasNext()) {
    it.next();
    const QFileInfo info = it.fileInfo();
    const QString name = info.fileName();
    if (!NamePasses(name, filter)) continue;
    const qint64 bytes = info.size();
    if (bytes < kMinimumRecordingBytes) continue;
    found.push_back({name, bytes, RecordingCreationTime(info)});
  }
}

}  // namespace

std::vector<RecordingEntry> ListFolderEntries(const QString& folder, const ScanFilter& filter) {
  std::vector<RecordingEntry> rows;
  if (folder.isEmpty()) return rows;
  std::vector<FoundFile> found;
#if defined(__linux__)
  if (ListWithStatx(folder, filter, found) == StatxScan::Unsupported) ListWithQt(folder, filter, found);
#else
  ListWithQt(folder, filter, found);
#endif
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
