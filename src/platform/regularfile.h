// Reading a file the player found on a card without ever blocking on it: a FIFO, a device or a
// folder named like a recording or a configuration file is refused, not opened for reading.
#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

// Whether path names a regular file now (links followed).
bool IsRegularFile(const QString& path);
// Up to maxBytes from the start of path; no value when it is not a regular file or cannot be
// read. The check is made on the opened file itself, so a FIFO put in the file's place between
// a check and the open is refused too.
std::optional<QByteArray> ReadRegularFileHead(const QString& path, qint64 maxBytes);
