#include "recordingmodel.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

namespace {

TEST(RecordingModel, RowsAndColumns) {
  RecordingModel model;
  QSignalSpy resets(&model, &QAbstractItemModel::modelReset);
  std::vector<RecordingEntry> rows = {
      {"a.AVI", "24.01.05", "3,417", "", "/card/Recordings/a.AVI", "1704440000"},
      {"b.MP4", "24.01.06", "1", "", "/card/Recordings/b.MP4", "1704526400"},
  };
  model.SetEntries(rows);
  EXPECT_EQ(resets.count(), 1);  // one rebuild of each view, not one per row
  ASSERT_EQ(model.rowCount(), 2);
  EXPECT_EQ(model.RowCount(), 2);
  EXPECT_EQ(model.columnCount(), 6);
  const char* expected[] = {"b.MP4", "24.01.06", "1", "", "/card/Recordings/b.MP4", "1704526400"};
  for (int column = 0; column < 6; ++column)
    EXPECT_EQ(model.index(1, column).data().toString(), expected[column]) << column;
  EXPECT_EQ(model.Entry(0).name, "a.AVI");
  EXPECT_FALSE(model.index(0, 0).data(Qt::EditRole).isValid());
  EXPECT_EQ(model.headerData(5, Qt::Horizontal).toString(), "Full Date");
  EXPECT_EQ(model.headerData(1, Qt::Horizontal).toString(), "Data");

  model.Clear();
  EXPECT_EQ(model.rowCount(), 0);
  EXPECT_EQ(resets.count(), 2);
}

}  // namespace
