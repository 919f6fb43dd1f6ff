#include "recordingscan.h"

#include <QDirIterator>
#include <QFileInfo>
#include <algorithm>

namespace {
// Files below one KiB would show a size of 0; the recorder never leaves such a file complete.
constexpr qint64 kMinimumRecordingBytes = 1024;
}  // namespace

bool NameLess(const QString& a, const QString& b) {
  const ushort* pa = a.utf16();
  const ushort* pb = b.utf16();
  return std::lexicographical_compare(pa, pa + a.size(), pb, pb + b.size());
}

qint64 RecordingCreationTime(const QFileInfo& info) {
  QDateTime t = info.fileTime(QFileDevice::FileBirthTime);
  if (!t.isValid()) t = info.fileTime(QFileDevice::FileModificationTime);
  return t.isValid() ? t.toSecsSinceEpoch() : 0;
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

std::vector<RecordingEntry> ListFolderEntries(const QString& folder, const ScanFilter& filter) {
  std::vector<RecordingEntry> rows;
  if (folder.isEmpty()) return rows;
  const QString prefix = folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');

  // Hidden and system files count like any other, as the card's own file finder returns them.
  QDirIterator it(folder, QDir::Files | QDir::Hidden | QDir::System);
  while (it.hasNext()) {
    it.next();
    // The name tests come first: they cost nothing, while the size needs the file's metadata.
    const QFileInfo info = it.fileInfo();
    const QString name = info.fileName();
    if (!HasRecordingExtension(name)) continue;
    if (!filter.typeCode.isEmpty() && RecordingTypeCode(name) != filter.typeCode) continue;
    if (filter.dateFilter && QStringView(name).left(8) != filter.dateKey) continue;
    const qint64 bytes = info.size();
    if (bytes < kMinimumRecordingBytes) continue;
    const qint64 created = RecordingCreationTime(info);

    RecordingEntry row;
    row.name = name;
    row.date = RecordingDateText(created);
    row.size = RecordingSizeText(bytes);
    row.path = prefix + name;
    row.time = RecordingTimeText(created);
    rows.push_back(std::move(row));
  }
  std::sort(rows.begin(), rows.end(),
            [](const RecordingEntry& a, const RecordingEntry& b) { return NameLess(a.name, b.name); });
  return rows;
}
