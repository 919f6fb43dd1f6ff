#include "recordinglists.h"

#include "cellcheckbox.h"
#include "configlistctrl.h"
#include "recordinglist.h"
#include "recordingmodel.h"
#include "recordingscan.h"

RecordingLists::RecordingLists(QObject* parent) : QObject(parent), model_(new RecordingModel(this)) {
  // Whoever changes a mark in the model, both lists show it.
  connect(model_, &RecordingModel::dataChanged, this,
          [this](const QModelIndex& first, const QModelIndex& last) {
            if (first.column() > recording_column::kCheck || last.column() < recording_column::kCheck) return;
            for (int row = first.row(); row <= last.row(); ++row) {
              ShowCheck(main_, row, model_->IsChecked(row));
              ShowCheck(twin_, row, model_->IsChecked(row));
            }
          });
}

RecordingLists::~RecordingLists() = default;

void RecordingLists::SetMainList(CConfigListCtrl* list) {
  main_ = list;
  list->SetPlayedRowSource([this] { return currentRow_; });
  AttachCells(list);
  FollowCellsOf(list);
}

void RecordingLists::SetTwinList(CConfigListCtrl* list) {
  twin_ = list;
  if (!list) return;
  list->SetPlayedRowSource([this] { return currentRow_; });
  AttachCells(list);
  FollowCellsOf(list);
}

CConfigListCtrl* RecordingLists::MainList() const { return main_; }
CConfigListCtrl* RecordingLists::TwinList() const { return twin_; }

void RecordingLists::FollowCellsOf(CConfigListCtrl* list) {
  // The user toggles a mark in one list; the model takes it and hands it to the other list.
  connect(list, &CConfigListCtrl::cellTextChanged, this, [this, list](int row, int column) {
    if (column != CConfigListCtrl::kCheckColumn) return;
    if (auto* box = dynamic_cast<CCellCheckBox*>(list->GetCell(row, column))) model_->SetChecked(row, box->IsChecked());
  });
}

void RecordingLists::AttachCells(CConfigListCtrl* list) {
  if (!list) return;
  AttachCheckCells(*list);
  for (int row : model_->CheckedRows()) ShowCheck(list, row, true);
}

void RecordingLists::ShowCheck(CConfigListCtrl* list, int row, bool checked) {
  if (!list) return;
  CCellCtrl* cell = list->GetCell(row, CConfigListCtrl::kCheckColumn);
  if (!cell) return;
  const QString text = checked ? QStringLiteral("1") : QStringLiteral("0");
  if (cell->text == text) return;
  cell->text = text;
  list->UpdateCellText(cell, text);
}

void RecordingLists::Replace(std::vector<RecordingEntry> entries) {
  for (RecordingEntry& entry : entries) entry.checked.clear();
  model_->SetEntries(std::move(entries));
  FindCurrent();
  AttachCells(main_);
  AttachCells(twin_);
  emit rowsReplaced();
}

void RecordingLists::Clear() {
  model_->Clear();
  FindCurrent();
  emit rowsReplaced();
}

int RecordingLists::RowCount() const { return model_->RowCount(); }

QString RecordingLists::PathOf(int row) const {
  return row >= 0 && row < RowCount() ? model_->Entry(row).path : QString();
}

QString RecordingLists::NameOf(int row) const {
  return row >= 0 && row < RowCount() ? model_->Entry(row).name : QString();
}

bool RecordingLists::IsChecked(int row) const { return model_->IsChecked(row); }

void RecordingLists::SetChecked(int row, bool checked) { model_->SetChecked(row, checked); }

void RecordingLists::CheckAll(bool checked) {
  for (CConfigListCtrl* list : {main_.data(), twin_.data()})
    if (list) list->SetRedraw(false);
  for (int row = 0; row < RowCount(); ++row) model_->SetChecked(row, checked);
  for (CConfigListCtrl* list : {main_.data(), twin_.data()})
    if (list) list->SetRedraw(true);
}

std::vector<int> RecordingLists::CheckedRows() const { return model_->CheckedRows(); }

int RecordingLists::FirstSelectedRow() const { return main_ ? main_->GetFirstSelectedItem() : -1; }

void RecordingLists::SelectInBoth(int row) {
  for (CConfigListCtrl* list : {main_.data(), twin_.data()}) {
    if (!list) continue;
    list->DeselectAll();
    if (row >= 0) list->SelectItem(row);
  }
}

void RecordingLists::SelectAndRevealInBoth(int row) {
  SelectInBoth(row);
  for (CConfigListCtrl* list : {main_.data(), twin_.data()}) {
    if (!list) continue;
    list->EnsureVisible(row, false);
    list->repaint();
  }
}

void RecordingLists::SelectInTwin(int row) {
  if (!twin_ || row < 0) return;
  twin_->DeselectAll();
  twin_->SelectItem(row);
}

void RecordingLists::SetHotRow(int row) {
  if (main_) main_->SetHotItem(row);
}

void RecordingLists::UpdateLists() {
  for (CConfigListCtrl* list : {main_.data(), twin_.data()})
    if (list) list->update();
}

void RecordingLists::SetCurrent(int row) {
  currentPath_ = PathOf(row);
  currentName_ = NameOf(row);
  currentRow_ = currentPath_.isEmpty() ? -1 : row;
  UpdateLists();
}

void RecordingLists::ClearCurrent() {
  currentPath_.clear();
  currentName_.clear();
  currentRow_ = -1;
  UpdateLists();
}

void RecordingLists::FindCurrent() {
  currentRow_ = -1;
  if (currentPath_.isEmpty()) return;
  for (int row = 0; row < RowCount(); ++row) {
    if (model_->Entry(row).path == currentPath_) {
      currentRow_ = row;
      return;
    }
  }
}

int RecordingLists::RowAfterCurrent() const {
  if (currentRow_ >= 0) return currentRow_ + 1;
  if (currentPath_.isEmpty()) return 0;
  // The rows are sorted by name (ordinal): the first row past the hidden recording's place.
  int row = 0;
  while (row < RowCount() && !NameLess(currentName_, model_->Entry(row).name)) ++row;
  return row;
}

int RecordingLists::RowBeforeCurrent() const {
  if (currentRow_ >= 0) return currentRow_ - 1;
  if (currentPath_.isEmpty()) return -1;
  int row = RowCount() - 1;
  while (row >= 0 && !NameLess(model_->Entry(row).name, currentName_)) --row;
  return row;
}
