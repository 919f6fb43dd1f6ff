#include "fakecard.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QtEndian>

FakeCard::FakeCard() { QDir(dir_.path()).mkpath(QStringLiteral("Recordings")); }

QString FakeCard::Root() const { return dir_.path() + QLatin1Char('/'); }

QString FakeCard::AddFolder(const QString& relativePath) {
  const QString path = Root() + relativePath;
  QDir().mkpath(path);
  return path;
}

QString FakeCard::AddFile(const QString& relativePath, qint64 bytes,
                          std::optional<QDateTime> modified) {
  const QString path = Root() + relativePath;
  QDir().mkpath(QFileInfo(path).absolutePath());
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) return QString();
  // Growing an empty file leaves a hole: any length costs no disk space.
  file.resize(bytes);
  if (modified) file.setFileTime(*modified, QFileDevice::FileModificationTime);
  return path;
}

QString FakeCard::AddRecording(const QString& name, qint64 bytes,
                               std::optional<QDateTime> modified) {
  return AddFile(QStringLiteral("Recordings/") + name, bytes, modified);
}

QString FakeCard::WriteConfig(qint32 major, qint32 minor, int length) {
  QByteArray bytes(16, '\0');
  qToLittleEndian<qint32>(major, bytes.data() + 8);
  qToLittleEndian<qint32>(minor, bytes.data() + 12);
  bytes.resize(length, '\0');
  const QString path = Root() + QStringLiteral("Configs/qx5_sysenv.cfg");
  QDir().mkpath(QFileInfo(path).absolutePath());
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) return QString();
  file.write(bytes);
  return path;
}

QString FakeCard::RecorderName(const QDateTime& start, const QString& type,
                               const QString& extension) {
  return start.toString(QStringLiteral("yyyyMMdd_HHmmss_")) + type + QStringLiteral("_F1") +
         extension;
}
