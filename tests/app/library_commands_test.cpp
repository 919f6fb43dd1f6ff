// The main window's library commands on a fake card: the card search and removal, the filters,
// check-all, save and delete.
#include "appfixture.h"

#include "configlistctrl.h"
#include "fakecard.h"
#include "recordinglists.h"
#include "resourceids.h"
#include "skinbutton.h"
#include "stringtable.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

using namespace ids;

namespace {

// Six recordings over two days: NOR, EVT, MOT, NOR on the 9th; EVT, NOR on the 10th.
struct ListedCard {
  ListedCard() {
    const QDateTime day1(QDate(2026, 12, 9), QTime(8, 0));
    const QDateTime day2(QDate(2026, 12, 10), QTime(8, 0));
    const struct {
      QDateTime start;
      const char* type;
    } recordings[] = {{day1, "NOR"},
                      {day1.addSecs(60), "EVT"},
                      {day1.addSecs(120), "MOT"},
                      {day1.addSecs(180), "NOR"},
                      {day2, "EVT"},
                      {day2.addSecs(60), "NOR"}};
    for (const auto& r : recordings) paths << card.AddRecording(FakeCard::RecorderName(r.start, r.type), 4096);
    root = f.AddCard(card.Root(), "QX5");
    f.AnswerDriveWith(root);
    EXPECT_TRUE(f.window->OnInitDialog());
    EXPECT_TRUE(f.Listed([&] { EXPECT_TRUE(f.window->SelectDriveAndScan()); }));
  }
  CConfigListCtrl& List() { return *f.window->RecordingList(); }
  void Check(int row) {
    CCellCtrl* cell = List().GetCell(row, 3);
    cell->text = "1";
    List().UpdateCellText(cell, "1");
  }
  QStringList Names() {
    QStringList names;
    for (int row = 0; row < List().GetItemCount(); ++row) names << List().GetItemText(row, 0);
    return names;
  }

  FakeCard card;
  MainWindowFixture f;
  QString root;
  QStringList paths;
};


}  // namespace

TEST(LibraryCommands, DriveSelectionListsTheCardAndTheSameDriveAgainChangesNothing) {
  ListedCard c;
  EXPECT_EQ(c.f.window->CardRoot(), c.root);
  EXPECT_EQ(c.List().GetItemCount(), 6);
  EXPECT_TRUE(c.f.window->Button(IDC_TYPE_ALL)->GetCheck());
  EXPECT_EQ(c.f.window->CurrentControlState(), CTavroPlayerDlg::Listed);
  c.Check(1);
  EXPECT_FALSE(c.f.window->SelectDriveAndScan());
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);  // no scan started: no busy cursor
  EXPECT_EQ(c.List().GetItemText(1, 3), QString("1"));  // not rescanned
}

TEST(LibraryCommands, RemovingTheCardEmptiesTheListButAnotherDriveIsIgnored) {
  ListedCard c;
  c.f.window->OnDriveRemoved("/media/other/");
  EXPECT_EQ(c.List().GetItemCount(), 6);
  c.f.window->OnDriveRemoved(c.root);
  EXPECT_EQ(c.List().GetItemCount(), 0);
  EXPECT_TRUE(c.f.window->CardRoot().isEmpty());
  EXPECT_EQ(c.f.window->CurrentControlState(), CTavroPlayerDlg::NoRecordings);
  for (int id : {IDC_TYPE_ALL, IDC_TYPE_NORMAL, IDC_TYPE_EVENT, IDC_TYPE_MOTION})
    EXPECT_FALSE(c.f.window->Button(id)->GetCheck()) << id;
  EXPECT_FALSE(c.f.window->Button(IDC_SAVE)->isEnabled());
}

TEST(LibraryCommands, TypeAndDateFiltersRebuildTheList) {
  ListedCard c;
  c.f.window->Button(IDC_CHECK_ALL)->SetCheck(true);
  c.f.window->OnCheckAll();
  EXPECT_EQ(c.List().GetItemText(5, 3), QString("1"));

  EXPECT_TRUE(c.f.Listed([&] { c.f.window->OnTypeFilter(CTavroPlayerDlg::TypeEvent); }));
  EXPECT_EQ(c.List().GetItemCount(), 2);
  for (const QString& name : c.Names()) EXPECT_EQ(name.mid(16, 3), QString("EVT"));
  EXPECT_FALSE(c.f.window->Button(IDC_CHECK_ALL)->GetCheck());
  EXPECT_EQ(c.List().GetItemText(0, 3), QString("0"));  // check marks do not survive a rescan
  EXPECT_TRUE(c.f.window->Button(IDC_TYPE_EVENT)->GetCheck());
  EXPECT_FALSE(c.f.window->Button(IDC_TYPE_ALL)->GetCheck());

  // A cancelled date dialog leaves the button unchecked and the list as it was.
  c.f.window->Button(IDC_CALENDAR)->SetCheck(true);
  c.f.window->OnCalendar();
  EXPECT_FALSE(c.f.window->Button(IDC_CALENDAR)->GetCheck());
  EXPECT_EQ(c.List().GetItemCount(), 2);

  // The 10th (any time of that day) keeps only that day's events; turning the filter off lists them all.
  c.f.window->DialogHooks().selectDate = [] {
    return std::optional<qint64>(QDateTime(QDate(2026, 12, 10), QTime(15, 30)).toSecsSinceEpoch());
  };
  c.f.window->Button(IDC_CALENDAR)->SetCheck(true);
  EXPECT_TRUE(c.f.Listed([&] { c.f.window->OnCalendar(); }));
  EXPECT_EQ(c.List().GetItemCount(), 1);
  c.f.window->Button(IDC_CALENDAR)->SetCheck(false);
  EXPECT_TRUE(c.f.Listed([&] { c.f.window->OnCalendar(); }));
  EXPECT_EQ(c.List().GetItemCount(), 2);
}

TEST(LibraryCommands, FolderModeListsTheFolderAndSwitchingItOffReturnsToTheCard) {
  ListedCard c;
  QTemporaryDir pc;
  QFile recording(pc.filePath("20250101_120000_NOR_1F.MP4"));
  ASSERT_TRUE(recording.open(QIODevice::WriteOnly));
  recording.resize(2048);
  recording.close();

  // After a removal no type is checked: the folder is listed with All.
  c.f.window->OnDriveRemoved(c.root);
  c.f.folderAnswer = pc.path();
  c.f.window->Button(IDC_FOLDER)->SetCheck(true);
  EXPECT_TRUE(c.f.Listed([&] { c.f.window->OnFolder(); }));
  EXPECT_TRUE(c.f.window->FolderMode());
  EXPECT_TRUE(c.f.window->Button(IDC_TYPE_ALL)->GetCheck());
  EXPECT_EQ(c.Names(), QStringList{"20250101_120000_NOR_1F.MP4"});

  // Switching off with no card listed before keeps the folder's rows, and later filters keep
  // listing that folder rather than a "Recordings" folder inside it.
  c.f.window->Button(IDC_FOLDER)->SetCheck(false);
  c.f.window->OnFolder();
  EXPECT_FALSE(c.f.window->FolderMode());
  EXPECT_TRUE(c.f.Listed([&] { c.f.window->OnTypeFilter(CTavroPlayerDlg::TypeNormal); }));
  EXPECT_EQ(c.Names(), QStringList{"20250101_120000_NOR_1F.MP4"});

  // With a card listed first, switching folder mode off lists the card again.
  ASSERT_TRUE(c.f.Listed([&] { EXPECT_TRUE(c.f.window->SelectDriveAndScan()); }));
  c.f.window->Button(IDC_FOLDER)->SetCheck(true);
  EXPECT_TRUE(c.f.Listed([&] { c.f.window->OnFolder(); }));
  EXPECT_EQ(c.List().GetItemCount(), 1);
  c.f.window->Button(IDC_FOLDER)->SetCheck(false);
  EXPECT_TRUE(c.f.Listed([&] { c.f.window->OnFolder(); }));
  EXPECT_EQ(c.f.window->CardRoot(), c.root);
  EXPECT_EQ(c.List().GetItemCount(), 6);

  // A cancelled folder browser leaves folder mode off.
  c.f.folderAnswer.clear();
  c.f.window->Button(IDC_FOLDER)->SetCheck(true);
  c.f.window->OnFolder();
  EXPECT_FALSE(c.f.window->Button(IDC_FOLDER)->GetCheck());
  EXPECT_EQ(c.List().GetItemCount(), 6);
}

TEST(LibraryCommands, DeleteNeverRemovesTheLoadedRecording) {
  ListedCard c;
  const QStringList before = c.Names();
  c.f.window->Lists().SetCurrent(5);

  // Only the loaded row checked: told, nothing deleted.
  c.Check(5);
  c.f.window->OnDelete();
  EXPECT_EQ(c.f.messages, QStringList{c.f.window->LoadUiString(IDS_PLAYING_NOT_DELETABLE)});
  EXPECT_TRUE(QFile::exists(c.paths[5]));

  // Rows 2 and 5 checked, row 5 loaded: both texts asked; after OK only row 2 goes.
  c.f.messages.clear();
  c.Check(2);
  EXPECT_TRUE(c.f.Listed([&] { c.f.window->OnDelete(); }));
  EXPECT_EQ(c.f.messages, QStringList{c.f.window->LoadUiString(IDS_PLAYING_NOT_DELETABLE) + "\n" + c.f.window->LoadUiString(IDS_DELETE_CONFIRM)});
  EXPECT_FALSE(QFile::exists(c.paths[2]));
  EXPECT_TRUE(QFile::exists(c.paths[5]));
  EXPECT_EQ(c.List().GetItemCount(), 5);
  EXPECT_EQ(c.List().GetFirstSelectedItem(), 1);
  // The loaded recording moved up a row; the window follows it.
  EXPECT_EQ(c.f.window->CurrentIndex(), 4);
  EXPECT_EQ(c.List().GetItemText(4, 0), before[5]);

  // Cancel deletes nothing; the first row deleted selects no row.
  c.f.messageAnswer = QMessageBox::Cancel;
  c.Check(0);
  c.f.window->OnDelete();
  EXPECT_TRUE(QFile::exists(c.paths[0]));
  c.f.messageAnswer = QMessageBox::Ok;
  EXPECT_TRUE(c.f.Listed([&] { c.f.window->OnDelete(); }));
  EXPECT_FALSE(QFile::exists(c.paths[0]));
  EXPECT_EQ(c.List().GetFirstSelectedItem(), -1);
}

TEST(LibraryCommands, SaveCopiesTheCheckedRowsAndRemembersTheFolder) {
  ListedCard c;
  QTemporaryDir backup;
  c.Check(1);
  c.Check(4);
  QString startedIn = "unset";
  c.f.window->DialogHooks().chooseFolder = [&](const QString&, const QString&, const QString& start) {
    startedIn = start;
    return backup.path();
  };
  c.f.window->OnSave();
  EXPECT_TRUE(startedIn.isEmpty());
  for (int row : {1, 4}) {
    const QString name = c.List().GetItemText(row, 0);
    EXPECT_EQ(QFileInfo(backup.filePath(name)).size(), 4096) << name.toStdString();
  }
  EXPECT_EQ(QDir(backup.path()).entryList(QDir::Files).size(), 2);
  EXPECT_EQ(c.List().GetItemText(1, 3), QString("1"));  // a save keeps the check marks
  // The second save finds both files there: skipping them keeps the copies as they are.
  int asked = 0;
  c.f.window->DialogHooks().copy.askOverwrite = [&](const QString&) {
    ++asked;
    return OverwriteAnswer{OverwriteChoice::Skip, false};
  };
  c.f.window->OnSave();
  EXPECT_EQ(startedIn, backup.path());
  EXPECT_EQ(asked, 2);
}

TEST(LibraryCommands, InformationNeedsARemovableDrive) {
  MainWindowFixture f;
  ASSERT_TRUE(f.window->OnInitDialog());
  f.window->OnInformation();
  EXPECT_EQ(f.messages, QStringList{f.window->LoadUiString(IDS_NO_CARD_DRIVE)});
}

TEST(LibraryCommands, ACardRemovedWhileAFolderIsListedIsNotListedAgain) {
  ListedCard c;
  QTemporaryDir pc;
  QFile recording(pc.filePath("20250101_120000_NOR_1F.MP4"));
  ASSERT_TRUE(recording.open(QIODevice::WriteOnly));
  recording.resize(2048);
  recording.close();
  c.f.folderAnswer = pc.path();
  c.f.window->Button(IDC_FOLDER)->SetCheck(true);
  ASSERT_TRUE(c.f.Listed([&] { c.f.window->OnFolder(); }));
  ASSERT_EQ(c.Names(), QStringList{"20250101_120000_NOR_1F.MP4"});

  // The card goes while the folder is listed: the folder stays listed, and switching folder
  // mode off keeps it instead of listing a card that is not there.
  c.f.drives->volumes.clear();
  c.f.window->OnDriveRemoved(c.root);
  EXPECT_EQ(c.Names(), QStringList{"20250101_120000_NOR_1F.MP4"});
  c.f.window->Button(IDC_FOLDER)->SetCheck(false);
  c.f.window->OnFolder();
  EXPECT_NE(c.f.window->CardRoot(), c.root);
  EXPECT_EQ(c.Names(), QStringList{"20250101_120000_NOR_1F.MP4"});
}

TEST(LibraryCommands, InformationForAFolderOnTheCardKeepsTheListing) {
  ListedCard c;
  c.f.folderAnswer = c.card.RecordingsPath();
  c.f.window->Button(IDC_FOLDER)->SetCheck(true);
  ASSERT_TRUE(c.f.Listed([&] { c.f.window->OnFolder(); }));
  ASSERT_EQ(c.List().GetItemCount(), 6);
  c.Check(2);
  int driveQuestions = 0;
  c.f.window->DialogHooks().selectDrive = [&]() -> std::optional<QString> {
    ++driveQuestions;
    return c.root;
  };
  c.f.window->OnInformation();
  EXPECT_EQ(driveQuestions, 0);
  EXPECT_TRUE(c.f.window->FolderMode());
  EXPECT_TRUE(c.f.window->Lists().IsChecked(2));
  QWidget* information = c.f.window->findChild<QWidget*>(ControlName(kInformationTemplate));
  ASSERT_TRUE(information);
  EXPECT_TRUE(information->isVisible());
}

TEST(LibraryCommands, CheckMarksAreTheModelsAndReachTheListsBothWays) {
  ListedCard c;
  // A click on a box marks the row in the model.
  const QRect box = c.List().SubItemRect(3, 3);
  c.f.window->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(c.f.window.get()));
  QTest::mouseClick(&c.List(), Qt::LeftButton, {}, box.center());
  EXPECT_TRUE(c.f.window->Lists().IsChecked(3));
  EXPECT_EQ(c.f.window->Lists().CheckedRows(), std::vector<int>{3});
  // A mark set in the model shows in the list, and a save copies exactly the marked rows.
  c.f.window->Lists().SetChecked(3, false);
  c.f.window->Lists().SetChecked(4, true);
  EXPECT_EQ(c.List().GetItemText(3, 3), QString("0"));
  EXPECT_EQ(c.List().GetItemText(4, 3), QString("1"));
  QTemporaryDir backup;
  c.f.folderAnswer = backup.path();
  c.f.window->OnSave();
  EXPECT_EQ(QDir(backup.path()).entryList(QDir::Files), QStringList{c.Names()[4]});
}
