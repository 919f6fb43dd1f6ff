#include "cardfigures.h"

#include "recordingentry.h"

#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QtEndian>
#include <cstring>

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

QString FirmwareVersionText(const QString& cardRoot) {
  QFile file(cardRoot + QStringLiteral("Configs/qx5_sysenv.cfg"));
  if (!file.open(QIODevice::ReadOnly)) return QString();
  unsigned char header[16];
  std::memset(header, 0, sizeof header);
  const qint64 got = file.read(reinterpret_cast<char*>(header), sizeof header);
  if (got <= 0) return QString();
  const qint32 major = qFromLittleEndian<qint32>(header + 8);
  const qint32 minor = qFromLittleEndian<qint32>(header + 12);
  return QString::asprintf("%d.%03d", major, minor);
}

QString GigabyteText(double mebibytes) {
  const float gigabytes = static_cast<float>(mebibytes / 1024.0);
  return QString::asprintf("%.1f GB", static_cast<double>(gigabytes));
}
