#include "deleteplan.h"
#include "nativepath.h"
#include "resourceids.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QString FakeStrings(int id) {
  switch (id) {
    case ids::IDS_PLAYING_NOT_DELETABLE: return "playing";
    case ids::IDS_DELETE_CONFIRM: return "delete?";
    case ids::IDS_DELETE_FAILED: return "failed:\n%1";
    default: return QString();
  }
}

TEST(DeletePlan, QuestionAndFiles) {
  struct Case {
    const char* what;
    QStringList checks;
    int loaded;
    DeleteQuestion question;
    std::vector<int> rows;
    int first;
    const char* message;
  };
  const Case cases[] = {
      {"nothing checked", {"0", "", "0"}, -1, DeleteQuestion::None, {}, -1, ""},
      {"only the loaded row", {"0", "1", "0"}, 1, DeleteQuestion::LoadedOnly, {}, 1, "playing"},
      {"loaded among several", {"0", "0", "1", "0", "0", "1"}, 5,
       DeleteQuestion::LoadedAmongSeveral, {2}, 2, "playing\ndelete?"},
      {"loaded row not checked", {"1", "0", "1"}, 1, DeleteQuestion::Confirm, {0, 2}, 0, "delete?"},
      {"nothing loaded", {"0", "1", "1"}, -1, DeleteQuestion::Confirm, {1, 2}, 1, "delete?"},
      {"only exactly \"1\" is checked", {"1 ", "11", "true", "1"}, -1, DeleteQuestion::Confirm,
       {3}, 3, "delete?"},
  };
  for (const Case& c : cases) {
    const DeletePlan plan = PlanDelete(c.checks, c.loaded);
    EXPECT_EQ(plan.question, c.question) << c.what;
    EXPECT_EQ(plan.rowsToDelete, c.rows) << c.what;
    EXPECT_EQ(plan.firstChecked, c.first) << c.what;
    EXPECT_EQ(DeleteMessage(plan.question, FakeStrings), c.message) << c.what;
  }
  EXPECT_FALSE(DeleteAsksToConfirm(DeleteQuestion::LoadedOnly));
  EXPECT_TRUE(DeleteAsksToConfirm(DeleteQuestion::LoadedAmongSeveral));
  EXPECT_TRUE(DeleteAsksToConfirm(DeleteQuestion::Confirm));
}

TEST(DeletePlan, RowToSelectAfterTheRescan) {
  struct Case {
    int first;
    int count;
    std::optional<int> row;
  };
  const Case cases[] = {
      {2, 5, 1},             // the row above the first deleted one
      {0, 5, std::nullopt},  // nothing above row 0
      {9, 4, 3},             // kept inside the shorter list
      {3, 0, std::nullopt},  // the list is empty now
      {1, 1, 0},
  };
  for (const Case& c : cases)
    EXPECT_EQ(RowToSelectAfterDelete(c.first, c.count), c.row) << c.first << " of " << c.count;
}

TEST(DeletePlan, FailedDeletesAreReported) {
  QTemporaryDir dir;
  const QString present = dir.filePath("a.AVI");
  QFile(present).open(QIODevice::WriteOnly);
  // A folder in the file's place cannot be removed as a file.
  const QString stuck = dir.filePath("b.AVI");
  QDir().mkpath(stuck + "/inner");
  const QString gone = dir.filePath("c.AVI");

  const QStringList failed = DeleteRecordingFiles({present, stuck, gone});
  EXPECT_EQ(failed, QStringList{stuck});
  EXPECT_FALSE(QFile::exists(present));
  EXPECT_EQ(DeleteFailureMessage(failed, FakeStrings), "failed:\n" + stuck);
  EXPECT_EQ(DeleteFailureMessage({}, FakeStrings), "");
}

// Deleting a name that is not UTF-8 removes that file, never its neighbour whose name is the one
// Qt's encoding would make of it; the failure message shows the name with U+FFFD.
TEST(DeletePlan, ANameThatIsNotUtf8DeletesItsOwnFile) {
  QTemporaryDir dir;
  const QByteArray root = QFile::encodeName(dir.path()) + "/";
  const QByteArray latin1 = root + "clip\xB7.AVI";
  const QByteArray neighbour = root + "clip\xEF\xBF\xBD.AVI";
  for (const QByteArray& path : {latin1, neighbour}) {
    const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_CLOEXEC, 0644);
    ASSERT_GE(fd, 0);
    ::close(fd);
  }
  EXPECT_TRUE(DeleteRecordingFiles({PathFromNative(latin1)}).isEmpty());
  struct stat st {};
  EXPECT_NE(::lstat(latin1.constData(), &st), 0);
  EXPECT_EQ(::lstat(neighbour.constData(), &st), 0);
  EXPECT_EQ(DeleteFailureMessage({PathFromNative(latin1)}, FakeStrings),
            "failed:\n" + dir.path() + QString::fromUtf8("/clip\uFFFD.AVI"));
}

}  // namespace
