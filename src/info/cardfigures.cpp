#include "cardfigures.h"

#include "recordingentry.h"
#include "regularfile.h"

#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QtEndian>
#include <algorithm>
#include <cstring>
#include <optional>

qint64 UsageWalk(const QString& folder, const QString& code) {
  qint64 totalKiB = 0;
  // Linked folders are not followed: a link back up the tree would otherwise count forever.
  QDirIterator it(folder, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
  while (it.hasNext()) {
    it.next();
    const QFileInfo info = it.fileInfo();
    const QString name = info.fileName();
    if (!HasRecordingExtension(name)) continue;
    if (!HasTypeCode(name, code)) continue;
    totalKiB += info.size() / 1024;
  }
  return totalKiB;
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
