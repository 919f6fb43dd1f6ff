// Library commands whose question is open when a scan lands: the rows change under the question
// (a filter chosen on the panel, a rescan that was under way), and the command still acts on the
// files the user checked, not on the rows that are now at their places.
#include "appfixture.h"

#include "fakecard.h"
#include "recordinglists.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

TEST(LibraryRaces, ASaveOrADeleteActsOnTheCheckedFileWhenTheRowsChangeDuringItsQuestion) {
  for (const bool save : {true, false}) {
    FakeCard card;
    QStringList paths;
    const QDateTime start(QDate(2026, 12, 9), QTime(8, 0));
    for (int i = 0; i < 6; ++i)
      paths << card.AddRecording(FakeCard::RecorderName(start.addSecs(60 * i), i % 2 ? "EVT" : "NOR"), 4096);
    MainWindowFixture f;
    const QString root = f.AddCard(card.Root(), "QX5");
    f.AnswerDriveWith(root);
    ASSERT_TRUE(f.window->OnInitDialog());
    ASSERT_TRUE(f.Listed([&] { EXPECT_TRUE(f.window->SelectDriveAndScan()); }));
    f.window->Lists().SetChecked(1, true);
    const QString checked = f.window->Lists().PathOf(1);
    ASSERT_EQ(checked, paths[1]);
    // Only the normal recordings are listed once the question is answered: row 1 is another file.
    const auto rowsChange = [&] {
      EXPECT_TRUE(f.Listed([&] { f.window->OnTypeFilter(CTavroPlayerDlg::TypeNormal); }));
      EXPECT_NE(f.window->Lists().PathOf(1), checked);
    };

    if (save) {
      QTemporaryDir backup;
      f.window->DialogHooks().chooseFolder = [&](const QString&, const QString&, const QString&) {
        rowsChange();
        return backup.path();
      };
      f.window->OnSave();
      EXPECT_EQ(QDir(backup.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QFileInfo(checked).fileName()});
    } else {
      f.window->DialogHooks().message = [&](const QString&, bool) {
        rowsChange();
        return int(QMessageBox::Ok);
      };
      f.window->OnDelete();
      ASSERT_TRUE(QTest::qWaitFor([&] { return !QFile::exists(checked); }, 60000));
      for (const QString& path : paths) {
        if (path == checked) continue;
        EXPECT_TRUE(QFile::exists(path)) << path.toStdString();
      }
    }
  }
}
