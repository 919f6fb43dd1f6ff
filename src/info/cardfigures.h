// The figures the information dialog reads from a card: the space taken by one recording type,
// the firmware version the recorder left in its configuration file, and their display texts.
#pragma once

#include <QString>

// The space, in KiB, of the recordings of one type code anywhere below folder. The type is read
// from the name alone (characters 16 to 18, any case, of an ".AVI" or ".MP4" file); each file's
// size is truncated to whole KiB before it is added. A folder that cannot be read adds 0.
qint64 UsageWalk(const QString& folder, const QString& code);

// "%d.%03d" of the major and minor numbers at bytes 8 and 12 of cardRoot's
// "Configs/qx5_sysenv.cfg" (bytes the file lacks count as 0); empty when the file cannot be read,
// is empty, is not a regular file, or holds no plausible version.
QString FirmwareVersionText(const QString& cardRoot);
// The same for the file's first bytes. A version is plausible when its major number is 0 to 99
// and its minor number 0 to 999 (what "%d.%03d" shows as the recorder writes it): a damaged or
// foreign file gives an empty text rather than a number like "1223696546.000".
QString FirmwareVersionFromHeader(const QByteArray& header);

// "%.1f GB" of a size in MiB, rounded through single precision.
QString GigabyteText(double mebibytes);
