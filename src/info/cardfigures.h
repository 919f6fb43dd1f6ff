// The figures the information dialog reads from a card: the space taken by one recording type,
// the firmware version the recorder left in its configuration file, and their display texts.
#pragma once

#include <QString>
#include <QStringList>
#include <optional>
#include <stop_token>
#include <vector>

class RemovableDrives;

// The space, in KiB, of the recordings of one type code anywhere below folder. The type is read
// from the name alone (characters 16 to 18, any case, of an ".AVI" or ".MP4" file); each file's
// size is truncated to whole KiB before it is added. Only regular files count (links to them
// too); linked folders are not entered. A folder that cannot be read adds 0.
qint64 UsageWalk(const QString& folder, const QString& code);
// The same for several codes in one walk, in the order of codes; a walk asked to stop ends at the
// next file-system call and gives what it had.
std::vector<qint64> UsageWalk(const QString& folder, const QStringList& codes, std::stop_token stop);

// Everything the information dialog shows of a card.
struct CardFigures {
  quint64 totalMiB = 0;  // 0 when the volume's space cannot be read
  quint64 freeMiB = 0;
  qint64 normalKiB = 0;
  qint64 eventKiB = 0;
  qint64 motionKiB = 0;
  QString firmware;  // FirmwareVersionText
};
// Reads them for the card at root ("/.../"). Every part may wait on the card: call it off the
// user-interface thread.
CardFigures ReadCardFigures(const QString& root, const RemovableDrives& drives, std::stop_token stop = {});

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
