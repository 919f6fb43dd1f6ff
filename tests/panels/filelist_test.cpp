// The file list panel: its list as a second view of the window's rows with its own scrollbar and
// check cells, its buttons reaching the window's commands (toggles copied into the window's twin
// first), clicks and double clicks handed to the window, and the states the window writes.
#include "configlistctrl.h"
#include "controlfilelistdlg.h"
#include "controlpaneldlg.h"
#include "listscrollbar.h"
#include "paneltestsupport.h"
#include "panelhost.h"
#include "resourceids.h"
#include "skinbutton.h"

#include <gtest/gtest.h>

using namespace ids;
using paneltest::MoveTo;

namespace {

class FileListTest : public ::testing::Test {
 protected:
  void SetUp() override {
    window.resize(1280, 720);
    ASSERT_TRUE(paneltest::ShowActive(window));
    paneltest::ParkMouse(window);
    window.EnterExtended();
    window.SetRows(40);
    MoveTo(window, {640, 700});
    QTest::mouseClick(window.ControlPanel()->Button(IDC_PANEL_FILE_LIST), Qt::LeftButton);
    ASSERT_TRUE(panel->isVisible());
    window.calls.clear();
  }

  CConfigListCtrl* List() const { return panel->List(); }
  QPoint RowPoint(int row, int x = 40) const { return {x, row * CConfigListCtrl::kRowHeight + 10}; }

  FakeWindow window;
  CControlFileListDlg* panel = window.FileListPanel();
};

TEST_F(FileListTest, TheListShowsTheWindowsRowsInOrderWithItsOwnScrollbarAndChecks) {
  EXPECT_EQ(window.twinList, List());
  EXPECT_EQ(List()->geometry(), QRect(1, 78, 308, 508));
  const int widths[] = {163, 51, 54, 40, 0, 0};
  ASSERT_EQ(List()->ColumnCount(), 6);
  for (int column = 0; column < 6; ++column) EXPECT_EQ(List()->GetColumnWidth(column), widths[column]);
  ASSERT_EQ(List()->GetItemCount(), 40);
  for (int row = 0; row < 40; ++row) {
    EXPECT_EQ(List()->GetItemText(row, 0), window.rows.Entry(row).name);
    EXPECT_EQ(List()->GetItemText(row, 4), window.rows.Entry(row).path);
    EXPECT_EQ(List()->GetItemText(row, 3), "0");
  }
  // The skinned scrollbar stands at the list's right edge inside the panel.
  ASSERT_NE(List()->Scrollbar(), nullptr);
  EXPECT_EQ(List()->Scrollbar()->parentWidget(), panel);
  EXPECT_TRUE(List()->Scrollbar()->isVisible());
  EXPECT_EQ(List()->Scrollbar()->geometry().left(), 308);
  EXPECT_LE(List()->Scrollbar()->geometry().right(), CControlFileListDlg::kWidth - 1);
}

TEST_F(FileListTest, ButtonsSitAtTheirPlacesWithTheirTooltips) {
  struct Case {
    int id;
    QRect rect;
    const char* tooltip;
  };
  for (const Case& c : {Case{IDC_FILES_FOLDER, {177, 5, 36, 22}, "Folder"},
                        Case{IDC_FILES_CALENDAR, {213, 5, 36, 22}, "Calendar"},
                        Case{IDC_FILES_SAVE, {246, 5, 34, 22}, "Save"},
                        Case{IDC_FILES_DELETE, {280, 5, 36, 22}, "Delete"},
                        Case{IDC_FILES_CHECK, {269, 59, 39, 19}, ""},
                        Case{IDC_FILES_ALL, {1, 30, 81, 29}, "A"},
                        Case{IDC_FILES_NORMAL, {82, 30, 81, 29}, "N"},
                        Case{IDC_FILES_EVENT, {163, 30, 81, 29}, "E"},
                        Case{IDC_FILES_MOTION, {244, 30, 82, 29}, "M"}}) {
    EXPECT_EQ(panel->Button(c.id)->geometry(), c.rect) << c.id;
    EXPECT_EQ(panel->Button(c.id)->toolTip(), c.tooltip) << c.id;
  }
}

TEST_F(FileListTest, EveryButtonRunsTheWindowsCommandWithTheTwinSetFirst) {
  struct Case {
    int id;
    const char* call;
  };
  for (const Case& c : {Case{IDC_FILES_ALL, "OnTypeFilter(1)"}, Case{IDC_FILES_NORMAL, "OnTypeFilter(2)"},
                        Case{IDC_FILES_EVENT, "OnTypeFilter(3)"}, Case{IDC_FILES_MOTION, "OnTypeFilter(4)"},
                        Case{IDC_FILES_CALENDAR, "OnCalendar[1003=1]"}, Case{IDC_FILES_CALENDAR, "OnCalendar[1003=0]"},
                        Case{IDC_FILES_FOLDER, "OnFolder[1092=1]"}, Case{IDC_FILES_FOLDER, "OnFolder[1092=0]"},
                        Case{IDC_FILES_CHECK, "OnCheckAll[1093=1]"}, Case{IDC_FILES_CHECK, "OnCheckAll[1093=0]"},
                        Case{IDC_FILES_SAVE, "OnSave"}, Case{IDC_FILES_DELETE, "OnDelete"}}) {
    window.calls.clear();
    QTest::mouseClick(panel->Button(c.id), Qt::LeftButton);
    EXPECT_EQ(window.calls, QStringList{c.call}) << c.id;
  }
}

TEST_F(FileListTest, DoubleClickPlaysThatRowAndClickHandsOverTheCheckMark) {
  window.currentIndex = 5;
  QTest::mouseDClick(List(), Qt::LeftButton, {}, RowPoint(2));
  EXPECT_TRUE(window.calls.contains("PlayRowFromPanel(2)"));

  // A click on row 1's box: the panel's own check takes it before the window hears of the click.
  window.calls.clear();
  List()->repaint();  // the cells learn their places when drawn
  const QRect box = List()->SubItemRect(1, 3);
  QTest::mouseClick(List(), Qt::LeftButton, {}, QPoint(box.left() + (box.width() - 20) / 2 + 10, box.top() + 13));
  EXPECT_EQ(window.calls, QStringList{"OnPanelListClick(1)"});
  EXPECT_EQ(window.panelCheckAtClick, "1");

  // Beside the rows: the window is told there is no row.
  window.SetRows(3);
  window.calls.clear();
  QTest::mouseClick(List(), Qt::LeftButton, {}, RowPoint(10));
  QTest::mouseDClick(List(), Qt::LeftButton, {}, RowPoint(10));
  EXPECT_EQ(window.calls.first(), "OnPanelListClick(-1)");
  EXPECT_TRUE(window.calls.contains("PlayRowFromPanel(-1)"));
}

TEST_F(FileListTest, FilterAndToggleStatesAsTheWindowWritesThem) {
  const int tabs[] = {IDC_FILES_ALL, IDC_FILES_NORMAL, IDC_FILES_EVENT, IDC_FILES_MOTION};
  for (int filter : {typefilter::kAll, typefilter::kNormal, typefilter::kEvent, typefilter::kMotion, 0}) {
    panel->SetTypeFilter(filter);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(panel->Button(tabs[i])->GetCheck(), filter == i + 1) << filter << " " << tabs[i];
  }
  panel->SetCalendarCheck(true);
  panel->SetFolderCheck(true);
  panel->SetCheckAllCheck(true);
  EXPECT_TRUE(panel->Button(IDC_FILES_CALENDAR)->GetCheck());
  EXPECT_TRUE(panel->Button(IDC_FILES_FOLDER)->GetCheck());
  EXPECT_TRUE(panel->Button(IDC_FILES_CHECK)->GetCheck());
  panel->SetCheckAllCheck(false);
  EXPECT_FALSE(panel->Button(IDC_FILES_CHECK)->GetCheck());

  panel->SetLibraryEnabled(false);
  for (int id : {IDC_FILES_CALENDAR, IDC_FILES_SAVE, IDC_FILES_DELETE}) EXPECT_FALSE(panel->Button(id)->isEnabled()) << id;
  EXPECT_TRUE(panel->Button(IDC_FILES_FOLDER)->isEnabled());
  panel->SetLibraryEnabled(true);
  for (int id : {IDC_FILES_CALENDAR, IDC_FILES_SAVE, IDC_FILES_DELETE}) EXPECT_TRUE(panel->Button(id)->isEnabled()) << id;
}

}  // namespace
