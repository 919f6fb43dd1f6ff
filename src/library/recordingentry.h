// One row of the recording list, and the fixed positions of a recorder's file name that the
// scan, the filters and the information dialog read.
#pragma once

#include <QDateTime>
#include <QString>

// Every field is the text shown in (or kept hidden by) the list's columns 0 to 5.
struct RecordingEntry {
  QString name;     // column 0: file name as the file system returns it (see nativepath.h);
                    // the lists show RecordingDisplayName(name)
  QString date;     // column 1: yy.mm.dd of the creation time, local time
  QString size;     // column 2: KiB with at most one thousands separator
  QString checked;  // column 3: the check cell's text; empty right after a scan
  QString path;     // column 4: folder, separator, name
  QString time;     // column 5: creation time in seconds since 1970, low 32 bits as signed
};

// Column indexes of the list.
namespace recording_column {
constexpr int kName = 0;
constexpr int kDate = 1;
constexpr int kSize = 2;
constexpr int kCheck = 3;
constexpr int kPath = 4;
constexpr int kTime = 5;
constexpr int kCount = 6;
}  // namespace recording_column

// "%d,%03d" of the KiB count when it reaches a thousand, "%d" below.
QString RecordingSizeText(qint64 bytes);
// "yy.mm.dd" of t in local time.
QString RecordingDateText(const QDateTime& t);
// The same for seconds since 1970.
QString RecordingDateText(qint64 secondsSinceEpoch);
// A name (or path) as the player shows it on one line: control characters (a line break in a
// name, say) become U+FFFD, so no part of the name is pushed out of sight, and so does each byte
// that was no UTF-8 (a lone surrogate, see nativepath.h). Only for showing: the file is found by
// the name itself.
QString RecordingDisplayName(const QString& name);
// Characters 16 to 18 of the name, upper-cased; shorter or empty for short names.
QString RecordingTypeCode(const QString& name);
// Whether RecordingTypeCode(name) equals code, without building the text.
bool HasTypeCode(const QString& name, const QString& code);
// Whether the last four characters, upper-cased, are ".AVI" or ".MP4".
bool HasRecordingExtension(const QString& name);
// "%04d%02d%02d" of the local date of selectedDate (seconds since 1970).
QString DateKey(qint64 selectedDate);
// The date texts of many times in a row: recordings sorted by name come day by day, so the text
// of the last local day is kept and given again while the times stay inside that day.
class RecordingDateTexts {
 public:
  const QString& Text(qint64 secondsSinceEpoch);

 private:
  qint64 dayStart_ = 1;  // [dayStart_, dayEnd_) is the local day of text_; empty at first
  qint64 dayEnd_ = 0;
  QString text_;
};

// "%ld" of the low 32 bits of the time, read as a signed number.
QString RecordingTimeText(qint64 secondsSinceEpoch);
