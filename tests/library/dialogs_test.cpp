#include "platformservices.h"
#include "removabledrives.h"
#include "resourceids.h"
#include "selectdrivedlg.h"
#include "selectmonthdlg.h"
#include "stringtable.h"
#include "testenvironment.h"

#include <QCalendarWidget>
#include <QComboBox>
#include <QDateTime>
#include <QElapsedTimer>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

class FakeDrives : public RemovableDrives {
 public:
  explicit FakeDrives(QList<RemovableVolume> volumes) : volumes_(std::move(volumes)) {}
  QList<RemovableVolume> Enumerate() const override { return volumes_; }

 private:
  QList<RemovableVolume> volumes_;
};

QString Korean(int id) { return testenv::Services().Strings().Load(id, 1042); }

template <typename T>
T* Child(QWidget& parent, int id) {
  return parent.findChild<T*>(ids::ControlName(id));
}

TEST(SelectDriveDlg, OffersEveryRemovableVolumeSortedWithTheFirstSelected) {
  FakeDrives drives({{"/media/me/sd/", ""}, {"/media/me/CARD/", "NO NAME"}});
  EXPECT_TRUE(HasRemovableDrive(drives));
  CSelectDriveDlg dialog(nullptr, drives, Korean);
  EXPECT_EQ(dialog.windowTitle(), Korean(ids::IDS_SELECT_DRIVE_TITLE));
  EXPECT_EQ(Child<QLabel>(dialog, ids::IDC_DRIVE_LABEL)->text(), "드라이브:");
  EXPECT_EQ(Child<QLabel>(dialog, ids::IDC_DRIVE_HINT)->text(), Korean(ids::IDS_SELECT_DRIVE_HINT));
  QComboBox* combo = Child<QComboBox>(dialog, ids::IDC_DRIVE_COMBO);
  ASSERT_NE(combo, nullptr);
  ASSERT_EQ(combo->count(), 2);
  EXPECT_EQ(combo->itemText(0), "/media/me/CARD/[NO NAME]");
  EXPECT_EQ(combo->itemText(1), "/media/me/sd/[이동식 디스크]");  // no label: string 429
  EXPECT_EQ(combo->currentIndex(), 0);

  combo->setCurrentIndex(1);
  QTimer::singleShot(0, &dialog, [&] { Child<QPushButton>(dialog, ids::IDOK)->click(); });
  EXPECT_EQ(dialog.exec(), QDialog::Accepted);
  EXPECT_EQ(dialog.selectedText(), "/media/me/sd/[이동식 디스크]");
  EXPECT_EQ(dialog.SelectedRoot(), "/media/me/sd/");
}

TEST(SelectDriveDlg, EndsAtOnceWithoutDrives) {
  FakeDrives drives({});
  EXPECT_FALSE(HasRemovableDrive(drives));
  CSelectDriveDlg dialog(nullptr, drives, Korean);
  // Should the dialog wait for the user after all, this ends it with OK so the test fails.
  QTimer::singleShot(3000, &dialog, &QDialog::accept);
  QElapsedTimer timer;
  timer.start();
  EXPECT_EQ(dialog.exec(), QDialog::Rejected);
  EXPECT_LT(timer.elapsed(), 2000);
  EXPECT_TRUE(dialog.SelectedRoot().isEmpty());
}

TEST(SelectMonthDlg, StartsOnTodayAndGivesTheChosenDayAtLocalMidnight) {
  CSelectMonthDlg dialog(nullptr);
  EXPECT_EQ(dialog.chosenDate(), 0);
  QCalendarWidget* calendar = Child<QCalendarWidget>(dialog, ids::IDC_MONTH_CALENDAR);
  ASSERT_NE(calendar, nullptr);

  QDate shownOnOpen;
  QString titleOnOpen;
  QTimer::singleShot(0, &dialog, [&] {
    shownOnOpen = calendar->selectedDate();
    titleOnOpen = dialog.windowTitle();
    calendar->setSelectedDate(QDate(2024, 1, 5));
    Child<QPushButton>(dialog, ids::IDOK)->click();
  });
  EXPECT_EQ(dialog.exec(), QDialog::Accepted);
  EXPECT_EQ(titleOnOpen, "날짜 선택");
  EXPECT_EQ(shownOnOpen, QDate::currentDate());
  EXPECT_EQ(dialog.chosenDate(),
            QDateTime(QDate(2024, 1, 5), QTime(0, 0), Qt::LocalTime).toSecsSinceEpoch());

  // The next run starts on today again; Cancel is the caller's to ignore.
  QTimer::singleShot(0, &dialog, [&] {
    shownOnOpen = calendar->selectedDate();
    Child<QPushButton>(dialog, ids::IDCANCEL)->click();
  });
  EXPECT_EQ(dialog.exec(), QDialog::Rejected);
  EXPECT_EQ(shownOnOpen, QDate::currentDate());
}

}  // namespace
