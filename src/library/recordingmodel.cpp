#include "recordingmodel.h"

RecordingModel::RecordingModel(QObject* parent) : QAbstractTableModel(parent) {}

void RecordingModel::SetEntries(std::vector<RecordingEntry> entries) {
  beginResetModel();
  entries_ = std::move(entries);
  endResetModel();
}

void RecordingModel::Clear() {
  if (entries_.empty()) return;
  beginResetModel();
  entries_.clear();
  endResetModel();
}

const RecordingEntry& RecordingModel::Entry(int row) const {
  Q_ASSERT(row >= 0 && row < RowCount());
  return entries_[static_cast<size_t>(row)];
}

bool RecordingModel::IsChecked(int row) const {
  return row >= 0 && row < RowCount() && entries_[static_cast<size_t>(row)].checked == QLatin1String("1");
}

void RecordingModel::SetChecked(int row, bool checked) {
  if (row < 0 || row >= RowCount() || IsChecked(row) == checked) return;
  entries_[static_cast<size_t>(row)].checked = checked ? QStringLiteral("1") : QStringLiteral("0");
  const QModelIndex cell = index(row, recording_column::kCheck);
  emit dataChanged(cell, cell, {Qt::DisplayRole});
}

std::vector<int> RecordingModel::CheckedRows() const {
  std::vector<int> rows;
  for (int row = 0; row < RowCount(); ++row)
    if (IsChecked(row)) rows.push_back(row);
  return rows;
}

int RecordingModel::RowCount() const { return static_cast<int>(entries_.size()); }

QString RecordingModel::ColumnTitle(int column) {
  switch (column) {
    case recording_column::kName: return QStringLiteral("Name");
    case recording_column::kDate: return QStringLiteral("Data");
    case recording_column::kSize: return QStringLiteral("Size");
    case recording_column::kCheck: return QStringLiteral("Check");
    case recording_column::kPath: return QStringLiteral("Path");
    case recording_column::kTime: return QStringLiteral("Full Date");
    default: return QString();
  }
}

int RecordingModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : RowCount();
}

int RecordingModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : recording_column::kCount;
}

QVariant RecordingModel::data(const QModelIndex& index, int role) const {
  if (role != Qt::DisplayRole || !index.isValid() || index.row() >= RowCount()) return {};
  const RecordingEntry& e = entries_[static_cast<size_t>(index.row())];
  switch (index.column()) {
    case recording_column::kName: return RecordingDisplayName(e.name);
    case recording_column::kDate: return e.date;
    case recording_column::kSize: return e.size;
    case recording_column::kCheck: return e.checked;
    case recording_column::kPath: return e.path;
    case recording_column::kTime: return e.time;
    default: return {};
  }
}

QVariant RecordingModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
  return ColumnTitle(section);
}
