#include "recordinglist.h"

#include "cellcheckbox.h"
#include "configlistctrl.h"
#include "recordingmodel.h"

#include <memory>

namespace {

struct ColumnSpec {
  Qt::Alignment align;
  int width;
};

const ColumnSpec kColumns[recording_column::kCount] = {
    {Qt::AlignLeft, 163}, {Qt::AlignHCenter, 51}, {Qt::AlignHCenter, 54},
    {Qt::AlignHCenter, 40}, {Qt::AlignHCenter, 0}, {Qt::AlignHCenter, 0},
};

// Column 0 goes in one pixel narrower and is then widened, as the list's first column always was.
constexpr int kFirstColumnInsertWidth = 162;

}  // namespace

void SetUpRecordingList(CConfigListCtrl& list, RecordingModel* model) {
  list.SetModel(model);
  for (int column = 0; column < recording_column::kCount; ++column) {
    list.ShiftCellColumns(column);
    list.InsertColumn(column, RecordingModel::ColumnTitle(column), kColumns[column].align,
                      column == 0 ? kFirstColumnInsertWidth : kColumns[column].width);
  }
  for (int column = 0; column < recording_column::kCount; ++column)
    list.SetColumnWidth(column, kColumns[column].width);
}

void AttachCheckCells(CConfigListCtrl& list) {
  list.SetRedraw(false);
  const int rows = list.GetItemCount();
  for (int row = 0; row < rows; ++row) list.SetCheckCell(row, new CCellCheckBox());
  list.SetRedraw(true);
}
