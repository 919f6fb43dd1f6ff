#include "configlistctrl.h"
#include "recordinglist.h"
#include "recordingmodel.h"

#include <gtest/gtest.h>

namespace {

std::vector<RecordingEntry> Rows(int count) {
  std::vector<RecordingEntry> rows;
  for (int i = 0; i < count; ++i) {
    const QString name = QStringLiteral("20240105_0930%1_NOR_F1.AVI").arg(i, 2, 10, QLatin1Char('0'));
    rows.push_back({name, "24.01.05", "1", "", "/card/Recordings/" + name, "1704440000"});
  }
  return rows;
}

// Both lists show the model's rows, each with its own unchecked check cell per row, and a new
// set of rows leaves no cell of the old rows behind.
TEST(RecordingList, ColumnsAndOneCheckCellPerRowInEachList) {
  RecordingModel model;
  CConfigListCtrl main(1029, nullptr);
  CConfigListCtrl panel(1083, nullptr);
  for (CConfigListCtrl* list : {&main, &panel}) SetUpRecordingList(*list, &model);
  ASSERT_EQ(main.ColumnCount(), 6);
  const int widths[] = {163, 51, 54, 40, 0, 0};
  for (int column = 0; column < 6; ++column) EXPECT_EQ(main.GetColumnWidth(column), widths[column]);

  model.SetEntries(Rows(5));
  AttachCheckCells(main);
  AttachCheckCells(panel);
  EXPECT_EQ(main.GetItemCount(), 5);
  EXPECT_EQ(main.CellCount(), 5);
  EXPECT_EQ(main.GetItemText(4, 3), "0");
  EXPECT_EQ(main.GetItemText(4, 4), "/card/Recordings/20240105_093004_NOR_F1.AVI");

  // A check in one list is that list's own.
  CCellCtrl* cell = main.GetCell(2, 3);
  ASSERT_NE(cell, nullptr);
  cell->text = "1";
  main.UpdateCellText(cell, cell->text);
  EXPECT_EQ(main.GetItemText(2, 3), "1");
  EXPECT_EQ(panel.GetItemText(2, 3), "0");

  model.SetEntries(Rows(3));
  AttachCheckCells(main);
  EXPECT_EQ(main.CellCount(), 3);
  EXPECT_EQ(main.GetItemText(2, 3), "0");  // every rescan starts unchecked
  EXPECT_EQ(panel.CellCount(), 0);         // until the panel attaches its own
  model.Clear();
  EXPECT_EQ(main.CellCount(), 0);
}

}  // namespace
