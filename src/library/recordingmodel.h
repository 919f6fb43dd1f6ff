// The rows of the recording list: one table model that the main list and the file list panel's
// list both show. Check marks are not kept here; each list keeps its own check cells.
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
