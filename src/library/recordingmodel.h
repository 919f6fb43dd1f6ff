// The rows of the recording list: one table model that the main list and the file list panel's
// list both show. It is the one truth for the rows and their check marks; each list draws the
// marks with check cells of its own that follow the model (RecordingLists keeps them in step).
#pragma once

#include "recordingentry.h"

#include <QAbstractTableModel>
#include <vector>

class RecordingModel : public QAbstractTableModel {
  Q_OBJECT
 public:
  explicit RecordingModel(QObject* parent = nullptr);

  // Replaces every row (one model reset, so views rebuild once, not per row).
  void SetEntries(std::vector<RecordingEntry> entries);
  void Clear();
  const RecordingEntry& Entry(int row) const;
  int RowCount() const;
  const std::vector<RecordingEntry>& Entries() const { return entries_; }

  // A row's check mark ("1" in its check column); rows outside the model are never checked.
  bool IsChecked(int row) const;
  // Emits dataChanged for the row's check column when the mark changes.
  void SetChecked(int row, bool checked);
  // The checked rows in row order.
  std::vector<int> CheckedRows() const;

  // The column titles the lists are given; the lists show no header.
  static QString ColumnTitle(int column);

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation,
                      int role = Qt::DisplayRole) const override;

 private:
  std::vector<RecordingEntry> entries_;
};
