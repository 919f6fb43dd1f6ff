#include "recordingentry.h"

#include <ctime>

namespace {

struct LocalDate {
  int year = 0;
  int month = 0;
  int day = 0;
};

// The C library's conversion is used rather than QDateTime's: it is several times cheaper per
// call, which matters when ten thousand rows are formatted in one scan.
LocalDate LocalDateOf(qint64 seconds) {
  const std::time_t t = static_cast<std::time_t>(seconds);
  std::tm fields{};
#if defined(_WIN32)
  if (localtime_s(&fields, &t) != 0) return {};
#else
  if (!localtime_r(&t, &fields)) return {};
#endif
  return {fields.tm_year + 1900, fields.tm_mon + 1, fields.tm_mday};
}

// Writes value as exactly width decimal digits (the value is within range at every call site).
void PutDigits(QChar* out, int value, int width) {
  for (int i = width - 1; i >= 0; --i) {
    out[i] = QLatin1Char(char('0' + value % 10));
    value /= 10;
  }
}

// Zero-padded decimal of a non-negative number into at least width characters.
void AppendPadded(QString& out, int value, int width) {
  const QString digits = QString::number(value);
  for (qsizetype i = digits.size(); i < width; ++i) out += QLatin1Char('0');
  out += digits;
}

bool EqualsUpper(QStringView text, const char* upper) {
  for (qsizetype i = 0; i < text.size(); ++i) {
    if (text[i].toUpper() != QLatin1Char(upper[i])) return false;
  }
  return true;
}

}  // namespace

QString RecordingSizeText(qint64 bytes) {
  const qint64 kib = bytes / 1024;
  const qint64 thousands = kib / 1000;
  const qint64 rest = kib % 1000;
  if (thousands > 0) {
    QString text = QString::number(thousands);
    const qsizetype head = text.size();
    text.resize(head + 4);
    text[head] = QLatin1Char(',');
    PutDigits(text.data() + head + 1, static_cast<int>(rest), 3);
    return text;
  }
  return QString::number(kib);
}

QString RecordingDateText(qint64 secondsSinceEpoch) {
  const LocalDate d = LocalDateOf(secondsSinceEpoch);
  QString text(8, QLatin1Char('.'));
  QChar* out = text.data();
  PutDigits(out, ((d.year % 100) + 100) % 100, 2);
  PutDigits(out + 3, d.month, 2);
  PutDigits(out + 6, d.day, 2);
  return text;
}

QString RecordingDateText(const QDateTime& t) {
  return RecordingDateText(t.isValid() ? t.toSecsSinceEpoch() : 0);
}

QString RecordingDisplayName(const QString& name) {
  QString shown = name;
  const qsizetype size = shown.size();
  for (qsizetype i = 0; i < size; ++i) {
    QChar& c = shown[i];
    if (c.isHighSurrogate() && i + 1 < size && shown[i + 1].isLowSurrogate()) {
      ++i;  // a character beyond the first 65536, kept
      continue;
    }
    if (c.isSurrogate() || c.category() == QChar::Other_Control) c = QChar::ReplacementCharacter;
  }
  return shown;
}

QString RecordingTypeCode(const QString& name) { return name.mid(16, 3).toUpper(); }

bool HasRecordingExtension(const QString& name) {
  if (name.size() < 4) return false;
  const QStringView extension = QStringView(name).right(4);
  return EqualsUpper(extension, ".AVI") || EqualsUpper(extension, ".MP4");
}

bool HasTypeCode(const QString& name, const QString& code) {
  const QStringView part = QStringView(name).mid(16, 3);
  if (part.size() != code.size()) return false;
  for (qsizetype i = 0; i < part.size(); ++i) {
    if (part[i].toUpper() != code[i]) return false;
  }
  return true;
}

QString DateKey(qint64 selectedDate) {
  const LocalDate d = LocalDateOf(selectedDate);
  QString key;
  key.reserve(8);
  AppendPadded(key, d.year, 4);
  AppendPadded(key, d.month, 2);
  AppendPadded(key, d.day, 2);
  return key;
}

QString RecordingTimeText(qint64 secondsSinceEpoch) {
  return QString::number(static_cast<qint32>(static_cast<quint32>(secondsSinceEpoch & 0xFFFFFFFF)));
}

const QString& RecordingDateTexts::Text(qint64 secondsSinceEpoch) {
  if (secondsSinceEpoch >= dayStart_ && secondsSinceEpoch < dayEnd_) return text_;
  text_ = RecordingDateText(secondsSinceEpoch);
  dayStart_ = 1;
  dayEnd_ = 0;
  const std::time_t t = static_cast<std::time_t>(secondsSinceEpoch);
  std::tm fields{};
#if defined(_WIN32)
  if (localtime_s(&fields, &t) != 0) return text_;
#else
  if (!localtime_r(&t, &fields)) return text_;
#endif
  // mktime finds the day's bounds through daylight-saving changes; where midnight itself is
  // skipped it gives the day's first existing instant, which bounds the day just as well.
  std::tm start = fields;
  start.tm_hour = start.tm_min = start.tm_sec = 0;
  start.tm_isdst = -1;
  std::tm end = start;
  end.tm_mday += 1;
  const std::time_t first = std::mktime(&start);
  const std::time_t next = std::mktime(&end);
  if (first != std::time_t(-1) && next != std::time_t(-1) && first <= t && t < next) {
    dayStart_ = first;
    dayEnd_ = next;
  }
  return text_;
}
