// A memory card for tests: a temporary folder with a "Recordings" folder, recordings of any size
// as sparse files (no disk space is used), other files and folders, and the recorder's
// configuration file.
#pragma once

#include <QDateTime>
#include <QString>
#include <QTemporaryDir>
#include <optional>

class FakeCard {
 public:
  FakeCard();

  bool IsValid() const { return dir_.isValid(); }
  // The card's root with a trailing "/", as a drive root is given.
  QString Root() const;
  QString RecordingsPath() const { return Root() + QStringLiteral("Recordings"); }

  // A file of exactly bytes at relativePath below the root (folders are made as needed), with
  // the given modification time when one is given. Returns its full path.
  QString AddFile(const QString& relativePath, qint64 bytes,
                  std::optional<QDateTime> modified = std::nullopt);
  // The same inside "Recordings".
  QString AddRecording(const QString& name, qint64 bytes,
                       std::optional<QDateTime> modified = std::nullopt);
  QString AddFolder(const QString& relativePath);
  // Configs/qx5_sysenv.cfg: eight zero bytes, major and minor as little-endian 32-bit numbers,
  // cut or zero-padded to length bytes.
  QString WriteConfig(qint32 major, qint32 minor, int length = 16);

  // A name as the recorder writes it: "YYYYMMDD_HHMMSS_" + type + "_F1" + extension.
  static QString RecorderName(const QDateTime& start, const QString& type,
                              const QString& extension = QStringLiteral(".AVI"));

 private:
  QTemporaryDir dir_;
};
