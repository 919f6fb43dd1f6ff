// Paths as the file system spells them. A name on a card is a string of bytes with no promise of
// any encoding; these two functions carry such bytes through a QString and back without losing
// one, so a file found by a scan is the file later opened, copied or deleted.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// Valid UTF-8 decodes as usual; each byte of an invalid sequence becomes the lone surrogate
// U+DC80 + (byte - 0x80) (an invalid byte is never below 0x80), which no valid UTF-8 decodes to.
QString PathFromNative(QByteArrayView bytes);
// The bytes PathFromNative took: NativePath(PathFromNative(b)) == b for every b. Other text
// encodes as UTF-8; a lone surrogate that stands for no byte encodes as U+FFFD.
QByteArray NativePath(const QString& path);
