// Recordings whose names are not UTF-8, in the window: the row is that file for the player, a
// save and a delete, never the file whose name Qt would make of it (with U+FFFD) beside it.
#include "appfixture.h"

#include "configlistctrl.h"
#include "nativepath.h"
#include "playgraph.h"
#include "recordinglists.h"
#include "resourceids.h"
#include "statictrans.h"
#include "videoplayer.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <dirent.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <set>
#include <sys/stat.h>
#include <unistd.h>

using namespace ids;

namespace {

bool WriteNative(const QByteArray& path, const QByteArray& bytes) {
  const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) return false;
  const bool ok = ::write(fd, bytes.constData(), size_t(bytes.size())) == bytes.size();
  ::close(fd);
  return ok;
}

bool Exists(const QByteArray& path) {
  struct stat st {};
  return ::lstat(path.constData(), &st) == 0;
}

// Qt cannot remove what it cannot name: the names that are not UTF-8 go before their folders.
struct RemoveNatively {
  ~RemoveNatively() {
    for (const QByteArray& path : paths) ::unlink(path.constData());
  }
  QList<QByteArray> paths;
};

std::set<QByteArray> NamesIn(const QByteArray& folder) {
  std::set<QByteArray> names;
  if (DIR* dir = ::opendir(folder.constData())) {
    while (const dirent* entry = ::readdir(dir))
      if (entry->d_name[0] != '.') names.insert(entry->d_name);
    ::closedir(dir);
  }
  return names;
}

}  // namespace

TEST(FileNames, ANameThatIsNotUtf8PlaysCopiesAndDeletesItsOwnFile) {
  ASSERT_FALSE(SampleCard().isEmpty()) << "the sample card fixture did not run";
  QTemporaryDir card;
  ASSERT_TRUE(QDir().mkpath(card.filePath("Recordings")));
  const QByteArray recordings = QFile::encodeName(card.path()) + "/Recordings/";
  // The recording, and beside it a file that is none under the name Qt would make of its name:
  // a player that opened the neighbour could not play it.
  const QByteArray name = "20261209_095139_NOR_1F\xB7.AVI";
  const QByteArray neighbour = "20261209_095139_NOR_1F\xEF\xBF\xBD.AVI";
  const QStringList sample = QDir(SampleCard() + "/Recordings").entryList({"*.AVI"}, QDir::Files, QDir::Name);
  ASSERT_FALSE(sample.isEmpty());
  QFile real(SampleCard() + "/Recordings/" + sample.first());
  ASSERT_TRUE(real.open(QIODevice::ReadOnly));
  const QByteArray recording = real.readAll();
  RemoveNatively cleanUp;
  cleanUp.paths << recordings + name;
  ASSERT_TRUE(WriteNative(recordings + name, recording));
  ASSERT_TRUE(WriteNative(recordings + neighbour, QByteArray(4096, 'x')));

  MainWindowFixture f;
  const QString root = f.AddCard(card.path(), "QX5");
  f.AnswerDriveWith(root);
  ASSERT_TRUE(f.window->OnInitDialog());
  ASSERT_TRUE(f.Listed([&] { EXPECT_TRUE(f.window->SelectDriveAndScan()); }));
  RecordingLists& lists = f.window->Lists();
  ASSERT_EQ(lists.RowCount(), 2);
  const int row = NativePath(lists.PathOf(0)) == recordings + name ? 0 : 1;
  ASSERT_EQ(NativePath(lists.PathOf(row)), recordings + name);
  const QString shown = QString::fromUtf8("20261209_095139_NOR_1F\uFFFD.AVI");
  EXPECT_EQ(f.window->RecordingList()->GetItemText(row, 0), shown);

  // Plays: the engine opens the row's own bytes.
  f.window->PlayRow(row);
  ASSERT_TRUE(f.window->Player().PlayGraph());
  EXPECT_EQ(f.window->Player().PlayGraph()->State(), PlayState::Running);
  EXPECT_EQ(f.window->CurrentIndex(), row);
  EXPECT_EQ(f.window->Label(IDC_FILE_NAME_LABEL)->GetWindowText(), shown);
  EXPECT_TRUE(f.notices.isEmpty());
  f.window->StopAndReset();

  // Copies: the copy has the same name bytes and the recording's contents.
  QTemporaryDir backup;
  RemoveNatively cleanUpBackup;
  cleanUpBackup.paths << QFile::encodeName(backup.path()) + "/" + name;
  f.folderAnswer = backup.path();
  lists.SetChecked(row, true);
  f.window->OnSave();
  const QByteArray saved = QFile::encodeName(backup.path()) + "/";
  EXPECT_EQ(NamesIn(saved), std::set<QByteArray>{name});
  struct stat st {};
  ASSERT_EQ(::stat((saved + name).constData(), &st), 0);
  EXPECT_EQ(st.st_size, recording.size());

  // Deletes: that file goes, the neighbour stays, and so does its row.
  ASSERT_TRUE(lists.IsChecked(row));
  ASSERT_TRUE(f.Listed([&] { f.window->OnDelete(); }));
  EXPECT_FALSE(Exists(recordings + name));
  EXPECT_TRUE(Exists(recordings + neighbour));
  ASSERT_EQ(lists.RowCount(), 1);
  EXPECT_EQ(NativePath(lists.PathOf(0)), recordings + neighbour);
  EXPECT_TRUE(f.messages.size() == 1 && f.messages[0] == f.window->LoadUiString(IDS_DELETE_CONFIRM));
}
