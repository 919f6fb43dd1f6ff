#include "fakecard.h"
#include "nativepath.h"
#include "recordingscan.h"

#include <QFile>
#include <QFileInfo>
#include <QTimeZone>
#include <ctime>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <set>
#include <sys/stat.h>
#include <unistd.h>

namespace {

ScanFilter Filter(const QString& code, const QString& dateKey = QString()) {
  return ScanFilter{code, !dateKey.isEmpty(), dateKey};
}

QStringList Names(const std::vector<RecordingEntry>& rows) {
  QStringList names;
  for (const RecordingEntry& r : rows) names.append(r.name);
  return names;
}

// One card holding every case the scan has to decide on.
class ScanTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(card.IsValid());
    card.AddRecording("20240105_093000_NOR_F1.AVI", 3'500'000, old);
    card.AddRecording("20240105_101500_EVT_F1.AVI", 2048, old);
    card.AddRecording("20240105_120000_MOT_F1.mp4", 1024, old);     // smallest listed size
    card.AddRecording("20240105_130000_NOR_F1.AVI", 1023, old);     // below one KiB: never
    card.AddRecording("20240106_080000_nor_F1.MP4", 1'234'567'890);  // lower-case type code
    card.AddRecording("x.avi", 2048);                                // no name grammar at all
    card.AddRecording("a.AVI", 4096);
    card.AddRecording("A.AVI", 4096);
    card.AddRecording("B.AVI", 4096);
    card.AddRecording("notes.txt", 5000);
    card.AddRecording("AVI", 5000);
    card.AddFile("Recordings/NOR/20240105_140000_NOR_F1.AVI", 5000);  // subfolders are not entered
    card.AddFolder("Recordings/20240105_150000_NOR_F1.AVI");           // a folder, not a file
  }

  FakeCard card;
  const QDateTime old{QDate(2023, 3, 4), QTime(10, 0)};
};

TEST_F(ScanTest, FiltersAndOrder) {
  struct Case {
    const char* what;
    ScanFilter filter;
    QStringList expected;
  };
  const Case cases[] = {
      {"all types, ordinal order (digits, upper case, lower case)",
       Filter(""),
       {"20240105_093000_NOR_F1.AVI", "20240105_101500_EVT_F1.AVI", "20240105_120000_MOT_F1.mp4",
        "20240106_080000_nor_F1.MP4", "A.AVI", "B.AVI", "a.AVI", "x.avi"}},
      {"normal", Filter("NOR"), {"20240105_093000_NOR_F1.AVI", "20240106_080000_nor_F1.MP4"}},
      {"event", Filter("EVT"), {"20240105_101500_EVT_F1.AVI"}},
      {"motion", Filter("MOT"), {"20240105_120000_MOT_F1.mp4"}},
      {"date on the name, whatever the file times",
       Filter("", "20240105"),
       {"20240105_093000_NOR_F1.AVI", "20240105_101500_EVT_F1.AVI", "20240105_120000_MOT_F1.mp4"}},
      {"type and date", Filter("NOR", "20240106"), {"20240106_080000_nor_F1.MP4"}},
      {"date without recordings", Filter("", "20991231"), {}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Names(ListFolderEntries(card.RecordingsPath(), c.filter)), c.expected) << c.what;
  }
}

TEST_F(ScanTest, RowTexts) {
  const auto rows = ListFolderEntries(card.RecordingsPath(), Filter("NOR"));
  ASSERT_EQ(rows.size(), 2u);
  const RecordingEntry& first = rows[0];
  EXPECT_EQ(first.size, "3,417");
  EXPECT_EQ(rows[1].size, "1205,632");
  EXPECT_EQ(first.path, card.RecordingsPath() + "/20240105_093000_NOR_F1.AVI");
  EXPECT_TRUE(first.checked.isEmpty());

  // The file was born today but modified in 2023, as a recording copied from a card is: the
  // earlier time is the recording's.
  EXPECT_EQ(first.date, RecordingDateText(old));
  EXPECT_EQ(first.time, QString::number(static_cast<qint32>(old.toSecsSinceEpoch())));
}

// A FIFO, a device or a link loop named like a recording is none. The scan never opens them: a
// FIFO opened for reading would hold it for ever, so a fault here hangs the test. A link to a
// recording lists as one.
TEST_F(ScanTest, OnlyRegularFilesAreListed) {
  const QByteArray dir = QFile::encodeName(card.RecordingsPath()) + "/";
  ASSERT_EQ(::mkfifo((dir + "20240105_160000_NOR_F1.AVI").constData(), 0600), 0);
  ASSERT_EQ(::symlink("/dev/zero", (dir + "20240105_170000_NOR_F1.AVI").constData()), 0);
  ASSERT_EQ(::symlink((dir + "20240105_180000_NOR_F1.AVI").constData(), (dir + "20240105_180000_NOR_F1.AVI").constData()), 0);
  ASSERT_EQ(::symlink((dir + "missing").constData(), (dir + "20240105_190000_NOR_F1.AVI").constData()), 0);
  ASSERT_EQ(::symlink((dir + "20240105_093000_NOR_F1.AVI").constData(), (dir + "20240105_200000_NOR_F1.AVI").constData()), 0);
  EXPECT_EQ(Names(ListFolderEntries(card.RecordingsPath(), Filter("NOR"))),
            (QStringList{"20240105_093000_NOR_F1.AVI", "20240105_200000_NOR_F1.AVI", "20240106_080000_nor_F1.MP4"}));
}

// The name Qt makes of a byte that is not UTF-8 is U+FFFD, which names another file: the row keeps
// the bytes, and only its shown name has the replacement character.
TEST(Scan, ANameThatIsNotUtf8KeepsItsBytes) {
  FakeCard card;
  const QByteArray dir = QFile::encodeName(card.RecordingsPath()) + "/";
  const QByteArray latin1 = "20240105_093000_NOR_F1\xB7.AVI";
  const QByteArray replaced = "20240105_093000_NOR_F1\xEF\xBF\xBD.AVI";
  for (const QByteArray& name : {latin1, replaced}) {
    const int fd = ::open((dir + name).constData(), O_WRONLY | O_CREAT | O_CLOEXEC, 0644);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::ftruncate(fd, 2048), 0);
    ::close(fd);
  }
  const std::vector<RecordingEntry> rows = ListFolderEntries(card.RecordingsPath(), Filter("NOR"));
  ASSERT_EQ(rows.size(), 2u);
  std::set<QByteArray> paths, names;
  for (const RecordingEntry& row : rows) {
    paths.insert(NativePath(row.path));
    names.insert(NativePath(row.name));
    EXPECT_EQ(RecordingDisplayName(row.name), QString::fromUtf8("20240105_093000_NOR_F1\uFFFD.AVI"));
  }
  EXPECT_EQ(paths, (std::set<QByteArray>{dir + latin1, dir + replaced}));
  EXPECT_EQ(names, (std::set<QByteArray>{latin1, replaced}));
  ::unlink((dir + latin1).constData());  // Qt cannot remove what it cannot name
}

TEST(Scan, RecordingTimeIsTheEarlierOfBirthAndModification) {
  EXPECT_EQ(RecordingTime(100, 200), 100);
  EXPECT_EQ(RecordingTime(300, 200), 200);
  EXPECT_EQ(RecordingTime(std::nullopt, 200), 200);
  EXPECT_EQ(RecordingTime(100, std::nullopt), 100);
  EXPECT_EQ(RecordingTime(std::nullopt, std::nullopt), 0);
}

TEST(Scan, MissingFolderGivesNoRows) {
  EXPECT_TRUE(ListFolderEntries("/nonexistent/Recordings", {}).empty());
  EXPECT_TRUE(ListFolderEntries(QString(), {}).empty());
}

TEST(Scan, FolderOfTheScan) {
  EXPECT_EQ(RecordingsFolder("/media/card/", false), "/media/card/Recordings");
  EXPECT_EQ(RecordingsFolder("/home/me/clips", true), "/home/me/clips");
  EXPECT_EQ(TypeCodeForFilter(1), "");
  EXPECT_EQ(TypeCodeForFilter(2), "NOR");
  EXPECT_EQ(TypeCodeForFilter(3), "EVT");
  EXPECT_EQ(TypeCodeForFilter(4), "MOT");
  EXPECT_EQ(TypeCodeForFilter(7), "");
}

TEST(RecordingTexts, Size) {
  const std::pair<qint64, const char*> cases[] = {
      {0, "0"},           {1023, "0"},          {1024, "1"},
      {1024 * 999, "999"}, {1024 * 1000, "1,000"}, {1024 * 1005, "1,005"},
      {3'500'000, "3,417"}, {1'234'567'890, "1205,632"}, {qint64(1024) * 5'000'000, "5000,000"},
  };
  for (const auto& [bytes, text] : cases) EXPECT_EQ(RecordingSizeText(bytes), text) << bytes;
}

TEST(RecordingTexts, TimeIsLow32BitsSigned) {
  const std::pair<qint64, const char*> cases[] = {
      {0, "0"},
      {1'700'000'000, "1700000000"},
      {qint64(1) << 31, "-2147483648"},
      {(qint64(1) << 32) + 5, "5"},
  };
  for (const auto& [seconds, text] : cases) EXPECT_EQ(RecordingTimeText(seconds), text) << seconds;
}

TEST(RecordingTexts, DatesAreLocal) {
  const QDateTime lateEvening(QDate(2024, 1, 5), QTime(23, 59, 59), Qt::LocalTime);
  EXPECT_EQ(RecordingDateText(lateEvening), "24.01.05");
  EXPECT_EQ(RecordingDateText(QDateTime(QDate(2000, 12, 31), QTime(0, 0), Qt::LocalTime)),
            "00.12.31");
  EXPECT_EQ(DateKey(lateEvening.toSecsSinceEpoch()), "20240105");
  EXPECT_EQ(DateKey(QDateTime(QDate(2024, 11, 9), QTime(0, 0), Qt::LocalTime).toSecsSinceEpoch()),
            "20241109");
}

// The kept day must end exactly where the local date changes, also on the days that daylight
// saving makes 23 or 25 hours long and where midnight itself is skipped.
TEST(RecordingTexts, KeptDayTextFollowsEveryLocalDateChange) {
  const QByteArray savedZone = qgetenv("TZ");
  const bool hadZone = qEnvironmentVariableIsSet("TZ");
  struct Zone {
    const char* name;
    QDate from;
  };
  const Zone zones[] = {
      {"Europe/Berlin", QDate(2024, 3, 29)},   // 02:00 becomes 03:00
      {"Europe/Berlin", QDate(2024, 10, 25)},  // 03:00 becomes 02:00
      {"America/Havana", QDate(2024, 3, 8)},   // midnight does not exist on 10 March
  };
  for (const Zone& zone : zones) {
    qputenv("TZ", zone.name);
    tzset();
    RecordingDateTexts texts;
    const qint64 start = QDateTime(zone.from, QTime(0, 0), QTimeZone::utc()).toSecsSinceEpoch();
    for (qint64 t = start; t < start + 4 * 86400; t += 600)
      ASSERT_EQ(texts.Text(t), RecordingDateText(t)) << zone.name << " at " << t;
  }
  if (hadZone)
    qputenv("TZ", savedZone);
  else
    qunsetenv("TZ");
  tzset();
}

TEST(RecordingTexts, NamePositions) {
  EXPECT_EQ(RecordingTypeCode("20240105_093000_evt_F1.AVI"), "EVT");
  EXPECT_EQ(RecordingTypeCode("20240105_093000_N"), "N");
  EXPECT_EQ(RecordingTypeCode("x.avi"), "");
  const std::pair<const char*, bool> extensions[] = {
      {"x.avi", true}, {"x.Mp4", true}, {".AVI", true},      {"AVI", false},
      {"x.mov", false}, {"", false},    {"x.avi.txt", false}, {"xavi", false},
  };
  for (const auto& [name, expected] : extensions)
    EXPECT_EQ(HasRecordingExtension(name), expected) << name;
}

// Shown names stay on one line and show no half characters; characters beyond the first 65536
// are kept whole.
TEST(RecordingTexts, DisplayName) {
  const QChar replacement = QChar::ReplacementCharacter;
  const std::pair<QString, QString> cases[] = {
      {"20240105_093000_NOR_F1.AVI", "20240105_093000_NOR_F1.AVI"},
      {"\nname\t.AVI", QString(replacement) + "name" + replacement + ".AVI"},
      {PathFromNative("a\xB7\xFF.AVI"), QString("a") + replacement + replacement + ".AVI"},
      {QString("a") + QChar(0xD83D) + "b", QString("a") + replacement + "b"},
      {QString::fromUtf8("\xF0\x9F\x98\x80.AVI"), QString::fromUtf8("\xF0\x9F\x98\x80.AVI")},
      {PathFromNative("\xF0\x90\x82\x80\xB7"), QString::fromUtf8("\xF0\x90\x82\x80") + replacement},
  };
  for (const auto& [name, shown] : cases) EXPECT_EQ(RecordingDisplayName(name), shown) << name.toStdString();
}

TEST(RecordingTexts, OrdinalNameOrder) {
  EXPECT_TRUE(NameLess("A.AVI", "a.AVI"));
  EXPECT_TRUE(NameLess("10", "9"));
  EXPECT_TRUE(NameLess("ab", "abc"));
  EXPECT_FALSE(NameLess("abc", "abc"));
  // Code units, not code points: a character above the surrogates sorts after a surrogate pair.
  EXPECT_TRUE(NameLess(QString::fromUtf8("\xF0\x9F\x98\x80"), QString(QChar(0xFF21))));
}

}  // namespace
