// Reading a file the player found on a card without ever blocking on it: a FIFO, a device or a
// folder named like a recording or a configuration file is refused, not opened for reading.
// Paths go to the file system through NativePath, so a name that is not UTF-8 is found too.
#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

class QFile;

// Whether path names a regular file now (links followed).
bool IsRegularFile(const QString& path);
// Up to maxBytes from the start of path; no value when it is not a regular file or cannot be
// read. The check is made on the opened file itself, so a FIFO put in the file's place between
// a check and the open is refused too.
std::optional<QByteArray> ReadRegularFileHead(const QString& path, qint64 maxBytes);
// A descriptor open for reading on path (close-on-exec), or -1 with errno set (EINVAL when path
// is no regular file). The open never waits, and the check is made on the opened file.
int OpenRegularFileForReading(const QString& path);
// The same into file (which owns the descriptor afterwards). The file's fileName() is empty then:
// Qt keeps no name for a file it did not open itself.
bool OpenRegularFile(QFile& file, const QString& path);
