// CConfigListCtrl: the owner-drawn recording list. A view on a row model (six text columns) that
// draws its rows on the dark skin with a grid, keeps its own selection, scroll position and
// per-list subitem texts, and owns the cells (check boxes) attached to single (row, column)
// positions, routing input to the active cell and Tab from cell to cell.
#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPersistentModelIndex>
#include <QPointer>
#include <QWidget>
#include <algorithm>
#include <array>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "cellctrl.h"

class QAbstractItemModel;
class CSovFileListVerticleScrollbar;

namespace listcolours {
inline const QColor kBackground(33, 33, 33);
inline const QColor kSelected(71, 71, 71);
inline const QColor kText(150, 150, 150);
inline const QColor kPlayed(247, 58, 8);
inline const QColor kGrid(44, 44, 44);

// The few system colours the list and its cells use, from the application palette.
enum class SysColour { ButtonFace, WindowText, GrayText, HighlightText };
QColor System(SysColour colour);
}  // namespace listcolours

// Parameters of a sort by one column's texts.
struct ListSortParams {
  const class CConfigListCtrl* list = nullptr;
  int column = 0;
  bool ascending = true;
};

class CConfigListCtrl : public QWidget {
  Q_OBJECT

 public:
  // Rows are 2 x SM_CYEDGE + SM_CYVTHUMB high with standard metrics; the grid uses the same step.
  static constexpr int kRowHeight = 21;
  // The check-box cells always sit in this column.
  static constexpr int kCheckColumn = 3;

  CConfigListCtrl(int id, QWidget* parent);
  ~CConfigListCtrl() override;

  // The rows; not owned. The list follows the model's row insertions, removals, moves, resets and
  // layout changes, keeping cells, its own texts and its selection with their rows.
  void SetModel(QAbstractItemModel* model);
  QAbstractItemModel* Model() const { return model_; }

  int InsertColumn(int index, const QString& title, Qt::Alignment align, int width);
  void SetColumnWidth(int column, int width);
  int GetColumnWidth(int column) const;
  int ColumnCount() const { return int(columns_.size()); }

  int GetItemCount() const;
  // The list's own subitem text where one was written, otherwise the model's display text.
  QString GetItemText(int row, int column) const;
  // Ignored for a row the list does not have.
  void SetItemText(int row, int column, const QString& text);

  // Moving cell positions for a column or row inserted or removed. The list already does this
  // for the model's own row changes: calling ShiftCellRows or RemoveFirstRowCells as well would
  // move the cells twice. Removing a row deletes the cells still on it.
  void ShiftCellColumns(int column);
  void ShiftCellRows(int row, bool inserting);

  // Attaches cell (now owned by the list) at (row, 3), replacing any cell there; returns 0, or -1
  // (the cell deleted) when the list has no such row.
  int SetCheckCell(int row, CCellCtrl* cell);
  void RemoveCell(int row, int column);
  void RemoveFirstRowCells();
  // Writes text as the subitem text of every position holding cell; returns 0.
  int UpdateCellText(CCellCtrl* cell, const QString& text);
  CCellCtrl* GetCell(int row, int column) const;
  int CellCount() const { return cells_.Count(); }
  CCellCtrl* ActiveCell() const { return activeCell_; }

  int GetFirstSelectedItem() const;
  void DeselectAll();
  void SelectItem(int row);
  bool IsItemSelected(int row) const;
  void SetHotItem(int row);
  int GetHotItem() const { return hotRow_; }
  void EnsureVisible(int row, bool partialOk);

  int GetTopIndex() const { return topRow_; }
  int GetCountPerPage() const { return height() / kRowHeight; }
  // In rows: the top row, and the largest top row (0 when nothing scrolls).
  int GetScrollPos() const { return topRow_; }
  int GetScrollLimit() const;
  // Scrolls by whole rows, dyPixels rounded to the nearest row.
  void Scroll(int dyPixels);

  // The main window's row of the recording being played (-1 none); that row is drawn orange.
  void SetPlayedRowSource(std::function<int()> source);
  void SetRedraw(bool on);

  // The skinned scrollbar: a sibling widget beside the list's right edge.
  void CreateScrollbar();
  void UpdateLayout();
  CSovFileListVerticleScrollbar* Scrollbar() const;

  // Ordinal comparison by UTF-16 code units: -1, 0 or 1 (reversed when descending).
  static int CompareItemTexts(const QString& a, const QString& b, bool ascending);
  // The comparison of two rows' texts in params.column, as a sort of the rows uses it.
  static int CompareItemTexts(int row1, int row2, const ListSortParams& params);

  // Forwarded to the active cell: a command (returns true when handled) and a cell message.
  bool OnCommand(quintptr wParam, qintptr lParam);
  int SendCellMessage(quintptr wParam, qintptr lParam);

  // Shared by the cells: their fonts and the check-box images (bitmap 241, loaded on first use).
  const QFont& CellFont(bool bold) const { return bold ? cellBoldFont_ : cellNormalFont_; }
  void EnsureCheckBoxImages();
  // A strip of four 18 x 16 boxes; magenta is transparent. Replaces the skin's images.
  void SetCheckBoxStrip(const QImage& strip);
  const QImage& CheckBoxImage(int index) const;

  QRect SubItemRect(int row, int column) const;
  // (row, column) under a point; row -1 when no item, column -1 when beside all columns.
  std::pair<int, int> SubItemHitTest(const QPoint& point) const;

 signals:
  void itemClicked(int row);        // after the cell handling; -1 when no item
  void itemDoubleClicked(int row);  // -1 when no item
  // A subitem text of the list's own changed: a cell's value after the user's input, or a write.
  void cellTextChanged(int row, int column);

 protected:
  bool event(QEvent* e) override;
  void paintEvent(QPaintEvent* e) override;
  void resizeEvent(QResizeEvent* e) override;
  void mousePressEvent(QMouseEvent* e) override;
  void mouseReleaseEvent(QMouseEvent* e) override;
  void mouseDoubleClickEvent(QMouseEvent* e) override;
  void wheelEvent(QWheelEvent* e) override;
  void keyPressEvent(QKeyEvent* e) override;
  void keyReleaseEvent(QKeyEvent* e) override;
  void focusInEvent(QFocusEvent* e) override;
  void focusOutEvent(QFocusEvent* e) override;
  void changeEvent(QEvent* e) override;

 private:
  struct Column {
    QString title;
    Qt::Alignment align;
    int width = 0;
  };
  using Position = std::pair<int, int>;  // row, column; ordered as Tab walks them

  // Values at (row, column) positions, kept row by row: inserting or removing rows costs the rows
  // between the change and the nearer end (lists fill at the end and empty from the top), not
  // every stored position.
  template <class T>
  class PositionStore {
   public:
    using Row = std::vector<std::pair<int, T>>;  // column and value, ascending columns

    T* Find(int row, int column) {
      if (row < 0 || row >= int(rows_.size())) return nullptr;
      for (auto& entry : rows_[row])
        if (entry.first == column) return &entry.second;
      return nullptr;
    }
    const T* Find(int row, int column) const { return const_cast<PositionStore*>(this)->Find(row, column); }
    void Set(int row, int column, T value) {
      if (row < 0) return;
      if (T* existing = Find(row, column)) {
        *existing = std::move(value);
        return;
      }
      if (row >= int(rows_.size())) rows_.resize(row + 1);
      Row& r = rows_[row];
      auto at = std::find_if(r.begin(), r.end(), [&](const auto& e) { return e.first > column; });
      r.emplace(at, column, std::move(value));
      ++count_;
    }
    // Removes the value at (row, column) and hands it over; a default T when there is none.
    T Take(int row, int column) {
      if (row < 0 || row >= int(rows_.size())) return T();
      Row& r = rows_[row];
      auto at = std::find_if(r.begin(), r.end(), [&](const auto& e) { return e.first == column; });
      if (at == r.end()) return T();
      T value = std::move(at->second);
      r.erase(at);
      --count_;
      return value;
    }
    Row TakeRow(int row) {
      if (row < 0 || row >= int(rows_.size())) return {};
      Row taken;
      taken.swap(rows_[row]);
      count_ -= int(taken.size());
      return taken;
    }
    void InsertRows(int row, int count) {
      if (count <= 0 || row >= int(rows_.size())) return;
      std::deque<Row> fresh(count);
      rows_.insert(rows_.begin() + std::max(row, 0), std::make_move_iterator(fresh.begin()),
                   std::make_move_iterator(fresh.end()));
    }
    void EraseRows(int row, int count) {
      row = std::max(row, 0);
      count = std::min(count, int(rows_.size()) - row);
      if (count <= 0) return;
      for (int r = row; r < row + count; ++r) count_ -= int(rows_[r].size());
      rows_.erase(rows_.begin() + row, rows_.begin() + row + count);
    }
    // Every value whose column is >= column moves one column right.
    void ShiftColumns(int column) {
      for (auto& r : rows_)
        for (auto& entry : r)
          if (entry.first >= column) ++entry.first;
    }
    void Clear() {
      rows_.clear();
      count_ = 0;
    }
    int Count() const { return count_; }
    int RowSpan() const { return int(rows_.size()); }
    const Row* RowAt(int row) const { return (row >= 0 && row < int(rows_.size())) ? &rows_[row] : nullptr; }

    std::optional<Position> After(int row, int column) const {
      if (row >= 0 && row < int(rows_.size()))
        for (const auto& entry : rows_[row])
          if (entry.first > column) return Position{row, entry.first};
      for (int r = std::max(row + 1, 0); r < int(rows_.size()); ++r)
        if (!rows_[r].empty()) return Position{r, rows_[r].front().first};
      return std::nullopt;
    }
    std::optional<Position> Before(int row, int column) const {
      if (row >= 0 && row < int(rows_.size()))
        for (auto it = rows_[row].rbegin(); it != rows_[row].rend(); ++it)
          if (it->first < column) return Position{row, it->first};
      for (int r = std::min(row, int(rows_.size())) - 1; r >= 0; --r)
        if (!rows_[r].empty()) return Position{r, rows_[r].back().first};
      return std::nullopt;
    }
    std::optional<Position> First() const { return After(-1, 0); }
    std::optional<Position> Last() const { return Before(int(rows_.size()), 0); }

   private:
    std::deque<Row> rows_;
    int count_ = 0;
  };

  void DrawItem(QPainter& painter, int row);
  void DrawDefaultCell(QPainter& painter, int row, int column, const QRect& rect, unsigned itemState);
  unsigned ItemState(int row) const;
  int PlayedRow() const;

  // Tab navigation; true when the key press was consumed.
  bool HandleTab(bool backwards);
  void ActivateCellAt(Position position);
  bool IsReadOnly(Position position) const;
  Position SkipReadOnly(Position from, bool backwards) const;
  void RefreshActiveCell();
  void WriteCellText(int row, int column, const QString& text);
  void ClearActiveCell();
  void DefaultLeftClick(int row);
  void MoveFocusedRow(int row);
  void ClampTop();
  void RowsChanged();
  void UpdateThumb();

  // Model following.
  void OnRowsInserted(const QModelIndex& parent, int first, int last);
  void OnRowsAboutToBeRemoved(const QModelIndex& parent, int first, int last);
  void OnModelReset();
  void OnLayoutAboutToBeChanged();
  void OnLayoutChanged();
  void InsertRows(int first, int count);
  void RemoveRows(int first, int count);

  QColor backgroundColour_ = listcolours::kBackground;
  QColor gridColour_ = listcolours::kGrid;
  // Owned by the list (deleted with it) though parented to the list's parent, whose child it is.
  QPointer<CSovFileListVerticleScrollbar> scrollbar_;
  QFont font_;
  QFont cellNormalFont_;
  QFont cellBoldFont_;
  PositionStore<std::unique_ptr<CCellCtrl>> cells_;
  PositionStore<QString> texts_;  // the list's own subitem texts
  bool hasFocus_ = false;
  bool inCellCycle_ = false;
  bool tabReleased_ = false;
  bool enabled_ = true;
  int activeRow_ = -1;
  int activeColumn_ = -1;
  CCellCtrl* activeCell_ = nullptr;

  QPointer<QAbstractItemModel> model_;
  std::vector<QMetaObject::Connection> modelConnections_;
  std::vector<Column> columns_;
  int selectedRow_ = -1;
  int focusedRow_ = -1;
  int hotRow_ = -1;
  int topRow_ = 0;
  int pendingClickRow_ = -2;  // row of a press whose click notification is due on release
  int wheelRemainder_ = 0;
  std::function<int()> playedRow_;

  bool checkImagesLoaded_ = false;
  std::array<QImage, 4> checkImages_;

  // Rows with list state (cells, texts, selection) across a layout change of the model.
  std::vector<std::pair<QPersistentModelIndex, int>> layoutRows_;
};
