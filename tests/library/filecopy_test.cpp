#include "fakecard.h"
#include "filecopy.h"
#include "nativepath.h"
#include "resourceids.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProgressDialog>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#if defined(__linux__)
#include <csignal>
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/resource.h>
#include <unistd.h>
#endif

namespace {

QString Strings(int id) {
  switch (id) {
    case ids::IDS_COPY_FAILED: return "failed %1: %2";
    case ids::IDS_COPY_DISK_FULL: return "disk full";
    case ids::IDS_COPY_READ_ONLY: return "read-only";
    case ids::IDS_COPY_SOURCE_UNREADABLE: return "unreadable";
    case ids::IDS_COPY_SUMMARY: return "%1 of %2 copied";
    case ids::IDS_COPY_REPLACE: return "replace %1?";
    case ids::IDS_COPY_PROGRESS: return "copying %1";
    default: return QString();
  }
}

QByteArray Contents(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

void WriteText(const QString& path, const QByteArray& text) {
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
  f.write(text);
}

// Everything in the folder, temporary copies included.
QStringList Entries(const QString& folder) {
  return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
}

class CopyTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(card.IsValid() && target.isValid());
    a = card.AddRecording("a.AVI", 3 * 1024 * 1024 + 17, QDateTime(QDate(2023, 5, 6), QTime(7, 8, 9)));
    b = card.RecordingsPath() + "/b.MP4";
    WriteText(b, "new b");
    hooks.showProgress = false;
    hooks.askOverwrite = [this](const QString& destination) {
      asked.append(QFileInfo(destination).fileName());
      return answer;
    };
    hooks.showFailures = [this](const QString& message) { failures.append(message); };
  }

  std::vector<CopyJob> Jobs() const {
    return {{a, SaveDestination(target.path(), "a.AVI", a)},
            {b, SaveDestination(target.path(), "b.MP4", b)}};
  }
  QString Target(const QString& name) const { return target.filePath(name); }

  FakeCard card;
  QTemporaryDir target;
  QString a, b;
  CopyHooks hooks;
  OverwriteAnswer answer;
  QStringList asked, failures;
};

TEST_F(CopyTest, CopiesContentsAndTimes) {
  const CopyReport report = CopyRecordings(nullptr, Jobs(), Strings, hooks);
  EXPECT_EQ(report.copied, 2);
  EXPECT_EQ(report.failed, 0);
  EXPECT_FALSE(report.cancelled);
  EXPECT_EQ(Contents(Target("a.AVI")), Contents(a));
  EXPECT_EQ(Contents(Target("b.MP4")), "new b");
  EXPECT_EQ(QFileInfo(Target("a.AVI")).lastModified(), QFileInfo(a).lastModified());
  EXPECT_EQ(Entries(target.path()), (QStringList{"a.AVI", "b.MP4"}));  // no temporary left
  EXPECT_TRUE(asked.isEmpty());
  EXPECT_TRUE(failures.isEmpty());
}

TEST_F(CopyTest, AsksBeforeReplacing) {
  struct Case {
    const char* what;
    OverwriteAnswer answer;
    QStringList asked;
    QByteArray aAfter, bAfter;
    int copied, skipped;
    bool cancelled;
  };
  const QByteArray aSource = Contents(a);
  const Case cases[] = {
      {"skip each", {OverwriteChoice::Skip, false}, {"a.AVI", "b.MP4"}, "old a", "old b", 0, 2, false},
      {"replace each", {OverwriteChoice::Replace, false}, {"a.AVI", "b.MP4"}, aSource, "new b", 2, 0, false},
      {"replace all", {OverwriteChoice::Replace, true}, {"a.AVI"}, aSource, "new b", 2, 0, false},
      {"skip all", {OverwriteChoice::Skip, true}, {"a.AVI"}, "old a", "old b", 0, 2, false},
      {"cancel the rest", {OverwriteChoice::CancelRest, false}, {"a.AVI"}, "old a", "old b", 0, 0, true},
  };
  for (const Case& c : cases) {
    WriteText(Target("a.AVI"), "old a");
    WriteText(Target("b.MP4"), "old b");
    asked.clear();
    answer = c.answer;
    const CopyReport report = CopyRecordings(nullptr, Jobs(), Strings, hooks);
    EXPECT_EQ(asked, c.asked) << c.what;
    EXPECT_EQ(Contents(Target("a.AVI")), c.aAfter) << c.what;
    EXPECT_EQ(Contents(Target("b.MP4")), c.bAfter) << c.what;
    EXPECT_EQ(report.copied, c.copied) << c.what;
    EXPECT_EQ(report.skipped, c.skipped) << c.what;
    EXPECT_EQ(report.cancelled, c.cancelled) << c.what;
    EXPECT_EQ(Entries(target.path()), (QStringList{"a.AVI", "b.MP4"})) << c.what;
  }
}

TEST_F(CopyTest, ShowsProgressTitledFileCopyWhileCopying) {
  hooks.showProgress = true;
  WriteText(Target("a.AVI"), "old a");
  QString titleSeen;
  hooks.askOverwrite = [&](const QString&) {
    for (QWidget* w : QApplication::topLevelWidgets())
      if (auto* p = qobject_cast<QProgressDialog*>(w); p && p->isVisible()) titleSeen = p->windowTitle();
    return OverwriteAnswer{OverwriteChoice::Replace, false};
  };
  EXPECT_EQ(CopyRecordings(nullptr, Jobs(), Strings, hooks).copied, 2);
  EXPECT_EQ(titleSeen, "File Copy");
}

TEST_F(CopyTest, ReportsFilesThatCannotBeCopied) {
  std::vector<CopyJob> jobs = Jobs();
  jobs.push_back({card.RecordingsPath() + "/gone.AVI", Target("gone.AVI")});
  QFile::remove(b);
  const CopyReport report = CopyRecordings(nullptr, jobs, Strings, hooks);
  EXPECT_EQ(report.copied, 1);
  EXPECT_EQ(report.failed, 2);
  EXPECT_EQ(report.errors, (QStringList{"failed b.MP4: unreadable", "failed gone.AVI: unreadable"}));
  ASSERT_EQ(failures.size(), 1);  // one message for the whole batch
  EXPECT_EQ(failures[0], "1 of 3 copied\n\nfailed b.MP4: unreadable\n\nfailed gone.AVI: unreadable");

  // A destination folder that is not there: nothing is created anywhere, the source is intact.
  failures.clear();
  const QString nowhere = target.filePath("missing/a.AVI");
  const CopyReport second = CopyRecordings(nullptr, {{a, nowhere}}, Strings, hooks);
  EXPECT_EQ(second.failed, 1);
  EXPECT_EQ(failures.size(), 1);
  EXPECT_FALSE(QFileInfo::exists(target.filePath("missing")));
  EXPECT_EQ(QFileInfo(a).size(), 3 * 1024 * 1024 + 17);
}

// A FIFO in place of a recording is refused at once as unreadable, whether it was there when the
// batch looked or appeared just before the copy; nothing waits for a writer.
TEST_F(CopyTest, AFifoInPlaceOfTheSourceIsRefusedWithoutWaiting) {
  QFile::remove(b);
  ASSERT_EQ(::mkfifo(QFile::encodeName(b).constData(), 0600), 0);
  const CopyReport report = CopyRecordings(nullptr, Jobs(), Strings, hooks);
  EXPECT_EQ(report.copied, 1);
  EXPECT_EQ(report.errors, QStringList{"failed b.MP4: unreadable"});
  std::atomic<bool> cancel{false};
  EXPECT_EQ(CopyFileSafely(b, Target("b.MP4"), cancel).outcome, CopyOutcome::SourceUnreadable);
  EXPECT_EQ(Entries(target.path()), QStringList{"a.AVI"});
}

// The copy of a name that is not UTF-8 has exactly its bytes; the file Qt's encoding would make
// of the name (with U+FFFD) is a different one and stays as it was.
TEST_F(CopyTest, ANameThatIsNotUtf8IsCopiedToTheSameBytes) {
  const QByteArray name = "20240105_093000_NOR_F1\xB7.AVI";
  const QByteArray neighbour = "20240105_093000_NOR_F1\xEF\xBF\xBD.AVI";
  const QByteArray from = QFile::encodeName(card.RecordingsPath()) + "/" + name;
  const QByteArray to = QFile::encodeName(target.path()) + "/" + name;
  // QFile would write the name Qt makes of the bytes, so the source is made with the bytes.
  const int fd = ::open(from.constData(), O_WRONLY | O_CREAT | O_CLOEXEC, 0644);
  ASSERT_GE(fd, 0);
  ASSERT_EQ(::write(fd, "recording", 9), 9);
  ::close(fd);
  WriteText(target.filePath(PathFromNative(neighbour)), "neighbour");
  const QString source = PathFromNative(from);
  const CopyReport report =
      CopyRecordings(nullptr, {{source, SaveDestination(target.path(), PathFromNative(name), source)}}, Strings, hooks);
  EXPECT_EQ(report.copied, 1);
  EXPECT_TRUE(asked.isEmpty());
  struct stat st {};
  ASSERT_EQ(::stat(to.constData(), &st), 0);
  EXPECT_EQ(st.st_size, 9);
  EXPECT_EQ(Contents(QFile::decodeName(QFile::encodeName(target.path()) + "/" + neighbour)), "neighbour");
  // Qt cannot remove what it cannot name.
  ::unlink(from.constData());
  ::unlink(to.constData());
}

TEST_F(CopyTest, CancelLeavesNoPartialCopyAndKeepsTheOldFile) {
  WriteText(Target("a.AVI"), "old a");
  std::atomic<bool> cancel{false};
  int chunks = 0;
  const FileCopyResult result =
      CopyFileSafely(a, Target("a.AVI"), cancel, [&](qint64 done, qint64) {
        if (done > 0 && ++chunks == 1) cancel.store(true);
      });
  EXPECT_EQ(result.outcome, CopyOutcome::Cancelled);
  EXPECT_EQ(Contents(Target("a.AVI")), "old a");
  EXPECT_EQ(Entries(target.path()), QStringList{"a.AVI"});
}

#if defined(__linux__)
// A write that fails half-way (here: the file-size limit, which fails like a full disk) must leave
// the file it was to replace as it was, and no temporary beside it.
TEST_F(CopyTest, FailedWriteKeepsTheFileItWasToReplace) {
  WriteText(Target("a.AVI"), "old a");
  rlimit saved{};
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
  const auto previous = std::signal(SIGXFSZ, SIG_IGN);
  rlimit small = saved;
  small.rlim_cur = 1024 * 1024;
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
  answer = {OverwriteChoice::Replace, true};
  const CopyReport report = CopyRecordings(nullptr, {Jobs()[0]}, Strings, hooks);
  setrlimit(RLIMIT_FSIZE, &saved);
  std::signal(SIGXFSZ, previous);

  EXPECT_EQ(report.failed, 1);
  EXPECT_EQ(report.copied, 0);
  EXPECT_EQ(failures.size(), 1);
  EXPECT_EQ(Contents(Target("a.AVI")), "old a");
  EXPECT_EQ(Entries(target.path()), QStringList{"a.AVI"});
}

// An immutable folder refuses new files even to root, like a write-protected card.
TEST_F(CopyTest, ReadOnlyTargetLosesNothingAndSaysSo) {
  WriteText(Target("b.MP4"), "old b");
  const QByteArray path = QFile::encodeName(target.path());
  const int fd = ::open(path.constData(), O_RDONLY | O_DIRECTORY);
  ASSERT_GE(fd, 0);
  int flags = 0;
  if (ioctl(fd, FS_IOC_GETFLAGS, &flags) != 0) {
    ::close(fd);
    GTEST_SKIP() << "file flags are not supported here";
  }
  const int immutable = flags | FS_IMMUTABLE_FL;
  if (ioctl(fd, FS_IOC_SETFLAGS, &immutable) != 0) {
    ::close(fd);
    GTEST_SKIP() << "cannot make a folder immutable here";
  }
  answer = {OverwriteChoice::Replace, true};
  const CopyReport report = CopyRecordings(nullptr, Jobs(), Strings, hooks);
  ioctl(fd, FS_IOC_SETFLAGS, &flags);
  ::close(fd);

  EXPECT_EQ(report.failed, 2);
  EXPECT_EQ(report.errors, (QStringList{"failed a.AVI: read-only", "failed b.MP4: read-only"}));
  EXPECT_EQ(Contents(Target("b.MP4")), "old b");
  EXPECT_EQ(Entries(target.path()), QStringList{"b.MP4"});
  EXPECT_EQ(Contents(b), "new b");
}
#endif

TEST(SaveDestination, KeepsTheNameAndTakesTheExtensionFromThePath) {
  EXPECT_EQ(SaveDestination("/backup", "a.AVI", "/card/Recordings/a.AVI"), "/backup/a.AVI");
  EXPECT_EQ(SaveDestination("/backup", "b.MP4", "/card/Recordings/b.MP4"), "/backup/b.MP4");
  EXPECT_EQ(SaveDestination("/", "a.AVI", "/card/Recordings/a.AVI"), "/a.AVI");
}

}  // namespace
