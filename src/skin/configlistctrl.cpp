#include "configlistctrl.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPalette>
#include <QWheelEvent>
#include <algorithm>
#include <map>
#include <set>

#include "cellcheckbox.h"
#include "listscrollbar.h"
#include "memdc.h"
#include "resourceids.h"
#include "skinbitmap.h"

namespace listcolours {
QColor System(SysColour colour) {
  // System colours do not change with the widget's state, so always the active group.
  const QPalette palette = QGuiApplication::palette();
  switch (colour) {
    case SysColour::ButtonFace:
      return palette.color(QPalette::Active, QPalette::Button);
    case SysColour::WindowText:
      return palette.color(QPalette::Active, QPalette::WindowText);
    case SysColour::GrayText:
      return palette.color(QPalette::Disabled, QPalette::WindowText);
    case SysColour::HighlightText:
      return palette.color(QPalette::Active, QPalette::HighlightedText);
  }
  return {};
}
}  // namespace listcolours

namespace {

// Left inset of the default cell text: SM_CYDLGFRAME (3) + 2.
constexpr int kTextInset = 5;
// The check-box strip's key colour.
constexpr QRgb kMagentaKey = 0xFFFF00FF;

unsigned MouseFlags(const QMouseEvent* e) {
  // MK_LBUTTON 1, MK_RBUTTON 2, MK_SHIFT 4, MK_CONTROL 8, MK_MBUTTON 0x10
  unsigned flags = 0;
  if (e->buttons() & Qt::LeftButton) flags |= 0x1;
  if (e->buttons() & Qt::RightButton) flags |= 0x2;
  if (e->modifiers() & Qt::ShiftModifier) flags |= 0x4;
  if (e->modifiers() & Qt::ControlModifier) flags |= 0x8;
  if (e->buttons() & Qt::MiddleButton) flags |= 0x10;
  return flags;
}

QFont MakeFont(const QStringList& families, int pixelSize, int weight) {
  QFont font;
  font.setFamilies(families);
  font.setPixelSize(pixelSize);
  font.setWeight(QFont::Weight(weight));
  return font;
}

}  // namespace

CConfigListCtrl::CConfigListCtrl(int id, QWidget* parent) : QWidget(parent) {
  setObjectName(QString::number(id));
  setFocusPolicy(Qt::StrongFocus);
  setAttribute(Qt::WA_OpaquePaintEvent);
  // Recording names may be Korean: where the list face is missing, faces that carry Hangul.
  font_ = MakeFont({QStringLiteral("돋움체"), QStringLiteral("DotumChe"), QStringLiteral("NanumGothicCoding"),
                    QStringLiteral("NanumGothic")},
                   12, 400);
  cellNormalFont_ = MakeFont({QStringLiteral("MS Sans Serif"), QStringLiteral("Microsoft Sans Serif"),
                              QStringLiteral("NanumGothic")},
                             11, 400);
  cellBoldFont_ = cellNormalFont_;
  cellBoldFont_.setWeight(QFont::Bold);
  enabled_ = isEnabled();
}

CConfigListCtrl::~CConfigListCtrl() {
  for (auto& connection : modelConnections_) disconnect(connection);
  activeCell_ = nullptr;
  cells_.Clear();
  delete scrollbar_.data();
}

CSovFileListVerticleScrollbar* CConfigListCtrl::Scrollbar() const { return scrollbar_.data(); }

// ---- model ----------------------------------------------------------------------------------

void CConfigListCtrl::SetModel(QAbstractItemModel* model) {
  for (auto& connection : modelConnections_) disconnect(connection);
  modelConnections_.clear();
  model_ = model;
  OnModelReset();
  if (!model) return;
  modelConnections_ = {
      connect(model, &QAbstractItemModel::rowsInserted, this, &CConfigListCtrl::OnRowsInserted),
      connect(model, &QAbstractItemModel::rowsAboutToBeRemoved, this,
              &CConfigListCtrl::OnRowsAboutToBeRemoved),
      connect(model, &QAbstractItemModel::rowsRemoved, this, [this] { RowsChanged(); }),
      connect(model, &QAbstractItemModel::modelReset, this, &CConfigListCtrl::OnModelReset),
      connect(model, &QAbstractItemModel::layoutAboutToBeChanged, this,
              &CConfigListCtrl::OnLayoutAboutToBeChanged),
      connect(model, &QAbstractItemModel::layoutChanged, this, &CConfigListCtrl::OnLayoutChanged),
      // Moved rows are followed the way a reordering is: through the model's persistent indexes.
      connect(model, &QAbstractItemModel::rowsAboutToBeMoved, this,
              &CConfigListCtrl::OnLayoutAboutToBeChanged),
      connect(model, &QAbstractItemModel::rowsMoved, this, &CConfigListCtrl::OnLayoutChanged),
      connect(model, &QAbstractItemModel::dataChanged, this, [this] { update(); }),
  };
}

void CConfigListCtrl::OnRowsInserted(const QModelIndex& parent, int first, int last) {
  if (parent.isValid()) return;
  InsertRows(first, last - first + 1);
  RowsChanged();
}

void CConfigListCtrl::OnRowsAboutToBeRemoved(const QModelIndex& parent, int first, int last) {
  if (parent.isValid()) return;
  RemoveRows(first, last - first + 1);
}

void CConfigListCtrl::InsertRows(int first, int count) {
  if (count <= 0) return;
  cells_.InsertRows(first, count);
  texts_.InsertRows(first, count);
  for (int* row : {&activeRow_, &selectedRow_, &focusedRow_, &hotRow_})
    if (*row >= first) *row += count;
}

void CConfigListCtrl::RemoveRows(int first, int count) {
  if (count <= 0) return;
  const int last = first + count - 1;
  if (activeCell_ && activeRow_ >= first && activeRow_ <= last) ClearActiveCell();
  cells_.EraseRows(first, count);
  texts_.EraseRows(first, count);
  for (int* row : {&activeRow_, &selectedRow_, &focusedRow_, &hotRow_}) {
    if (*row > last)
      *row -= count;
    else if (*row >= first)
      *row = -1;
  }
}

void CConfigListCtrl::OnModelReset() {
  ClearActiveCell();
  cells_.Clear();
  texts_.Clear();
  selectedRow_ = focusedRow_ = hotRow_ = -1;
  topRow_ = 0;
  pendingClickRow_ = -2;
  RowsChanged();
}

void CConfigListCtrl::OnLayoutAboutToBeChanged() {
  layoutRows_.clear();
  if (!model_) return;
  std::set<int> rows;
  for (int row = 0; row < std::max(cells_.RowSpan(), texts_.RowSpan()); ++row) {
    const auto* cellRow = cells_.RowAt(row);
    const auto* textRow = texts_.RowAt(row);
    if ((cellRow && !cellRow->empty()) || (textRow && !textRow->empty())) rows.insert(row);
  }
  for (int row : {selectedRow_, focusedRow_, hotRow_, activeRow_})
    if (row >= 0) rows.insert(row);
  layoutRows_.reserve(rows.size());
  for (int row : rows) layoutRows_.emplace_back(QPersistentModelIndex(model_->index(row, 0)), row);
}

void CConfigListCtrl::OnLayoutChanged() {
  std::map<int, int> newRow;
  for (const auto& [index, oldRow] : layoutRows_) newRow[oldRow] = index.isValid() ? index.row() : -1;
  layoutRows_.clear();
  auto moved = [&](int row) {
    const auto it = newRow.find(row);
    return it == newRow.end() ? row : it->second;
  };

  // Everything is taken out first, so that rows trading places never meet.
  std::vector<std::pair<int, decltype(cells_)::Row>> cellRows;
  std::vector<std::pair<int, decltype(texts_)::Row>> textRows;
  for (int row = 0; row < cells_.RowSpan(); ++row)
    if (!cells_.RowAt(row)->empty()) cellRows.emplace_back(moved(row), cells_.TakeRow(row));
  for (int row = 0; row < texts_.RowSpan(); ++row)
    if (!texts_.RowAt(row)->empty()) textRows.emplace_back(moved(row), texts_.TakeRow(row));
  cells_.Clear();
  texts_.Clear();
  const bool hadActive = activeCell_ != nullptr;
  CCellCtrl* active = activeCell_;
  activeCell_ = nullptr;
  for (auto& [row, entries] : cellRows) {
    for (auto& [column, cell] : entries) {
      if (row < 0) continue;  // its row is gone: the cell goes with it
      if (cell.get() == active) {
        activeCell_ = active;
        activeRow_ = row;
        activeColumn_ = column;
      }
      cells_.Set(row, column, std::move(cell));
    }
  }
  if (hadActive && !activeCell_) {
    activeRow_ = activeColumn_ = -1;
  }
  for (auto& [row, entries] : textRows)
    for (auto& [column, text] : entries)
      if (row >= 0) texts_.Set(row, column, std::move(text));
  selectedRow_ = moved(selectedRow_);
  focusedRow_ = moved(focusedRow_);
  hotRow_ = moved(hotRow_);
  RowsChanged();
}

void CConfigListCtrl::RowsChanged() {
  const int count = GetItemCount();
  for (int* row : {&selectedRow_, &focusedRow_, &hotRow_})
    if (*row >= count) *row = -1;
  ClampTop();
  UpdateThumb();
  update();
}

// ---- columns and texts ------------------------------------------------------------------------

int CConfigListCtrl::InsertColumn(int index, const QString& title, Qt::Alignment align, int width) {
  index = std::clamp(index, 0, ColumnCount());
  columns_.insert(columns_.begin() + index, Column{title, align, std::max(0, width)});
  update();
  return index;
}

void CConfigListCtrl::SetColumnWidth(int column, int width) {
  if (column < 0 || column >= ColumnCount()) return;
  columns_[column].width = std::max(0, width);
  update();
}

int CConfigListCtrl::GetColumnWidth(int column) const {
  return (column >= 0 && column < ColumnCount()) ? columns_[column].width : 0;
}

int CConfigListCtrl::GetItemCount() const { return model_ ? model_->rowCount() : 0; }

QString CConfigListCtrl::GetItemText(int row, int column) const {
  if (row < 0 || column < 0) return {};
  if (const QString* own = texts_.Find(row, column)) return *own;
  if (!model_) return {};
  return model_->index(row, column).data(Qt::DisplayRole).toString();
}

void CConfigListCtrl::SetItemText(int row, int column, const QString& text) {
  if (row < 0 || row >= GetItemCount() || column < 0) return;
  WriteCellText(row, column, text);
}

void CConfigListCtrl::WriteCellText(int row, int column, const QString& text) {
  const QString* stored = texts_.Find(row, column);
  const bool changed = !stored || *stored != text;
  texts_.Set(row, column, text);
  update(SubItemRect(row, column));
  if (changed) emit cellTextChanged(row, column);
}

// ---- cells --------------------------------------------------------------------------------------

void CConfigListCtrl::ShiftCellColumns(int column) {
  cells_.ShiftColumns(std::max(column, 0));
  if (activeCell_ && activeColumn_ >= column) ++activeColumn_;
  update();
}

void CConfigListCtrl::ShiftCellRows(int row, bool inserting) {
  if (row < 0) row = 0;
  if (inserting) {
    cells_.InsertRows(row, 1);
    if (activeCell_ && activeRow_ >= row) ++activeRow_;
  } else {
    // Cells still on the removed row would land on the positions of the row above it: they go
    // with their row instead.
    if (activeCell_ && activeRow_ == row) ClearActiveCell();
    cells_.EraseRows(row, 1);
    if (activeCell_ && activeRow_ > row) --activeRow_;
  }
  update();
}

int CConfigListCtrl::SetCheckCell(int row, CCellCtrl* cell) {
  std::unique_ptr<CCellCtrl> owned(cell);
  if (!owned || row < 0 || row >= GetItemCount()) return -1;
  RemoveCell(row, kCheckColumn);
  owned->Initialize(this, &enabled_, QString());
  const QString text = owned->text;
  cells_.Set(row, kCheckColumn, std::move(owned));
  WriteCellText(row, kCheckColumn, text);
  return 0;
}

void CConfigListCtrl::RemoveCell(int row, int column) {
  std::unique_ptr<CCellCtrl> cell = cells_.Take(row, column);
  if (cell && cell.get() == activeCell_) {
    activeRow_ = activeColumn_ = -1;
    activeCell_ = nullptr;
    cell->Deactivate();
  }
}

void CConfigListCtrl::RemoveFirstRowCells() {
  for (int column = 0; column < ColumnCount(); ++column) RemoveCell(0, column);
  ShiftCellRows(0, false);
  update();
}

int CConfigListCtrl::UpdateCellText(CCellCtrl* cell, const QString& text) {
  if (!cell) return 0;
  for (int row = 0; row < cells_.RowSpan(); ++row)
    for (const auto& [column, stored] : *cells_.RowAt(row))
      if (stored.get() == cell) WriteCellText(row, column, text);
  return 0;
}

CCellCtrl* CConfigListCtrl::GetCell(int row, int column) const {
  const auto* cell = cells_.Find(row, column);
  return cell ? cell->get() : nullptr;
}

void CConfigListCtrl::ClearActiveCell() {
  CCellCtrl* previous = activeCell_;
  activeRow_ = activeColumn_ = -1;
  activeCell_ = nullptr;
  if (previous) previous->Deactivate();
}

void CConfigListCtrl::RefreshActiveCell() {
  if (CCellCtrl* cell = GetCell(activeRow_, activeColumn_)) update(cell->GetRect());
  if (activeCell_) WriteCellText(activeRow_, activeColumn_, activeCell_->text);
}

void CConfigListCtrl::EnsureCheckBoxImages() {
  if (checkImagesLoaded_) return;
  checkImagesLoaded_ = true;
  SetCheckBoxStrip(skin::LoadSkinBitmap(ids::IDB_CHECKBOX_STRIP));
}

void CConfigListCtrl::SetCheckBoxStrip(const QImage& strip) {
  checkImagesLoaded_ = true;
  const QImage keyed = strip.isNull() ? QImage() : skin::WithKeyColourTransparent(strip, kMagentaKey);
  for (int i = 0; i < int(checkImages_.size()); ++i) {
    const QRect part(i * CCellCheckBox::kImageWidth, 0, CCellCheckBox::kImageWidth,
                     CCellCheckBox::kImageHeight);
    checkImages_[i] = (!keyed.isNull() && keyed.rect().contains(part)) ? keyed.copy(part) : QImage();
  }
  update();
}

const QImage& CConfigListCtrl::CheckBoxImage(int index) const {
  static const QImage none;
  return (index >= 0 && index < int(checkImages_.size())) ? checkImages_[index] : none;
}

// ---- selection and scrolling ------------------------------------------------------------------

int CConfigListCtrl::GetFirstSelectedItem() const {
  return (selectedRow_ >= 0 && selectedRow_ < GetItemCount()) ? selectedRow_ : -1;
}

void CConfigListCtrl::DeselectAll() {
  selectedRow_ = -1;
  focusedRow_ = -1;
  update();
}

void CConfigListCtrl::SelectItem(int row) {
  if (row < 0 || row >= GetItemCount()) return;
  selectedRow_ = row;
  update();
}

bool CConfigListCtrl::IsItemSelected(int row) const { return row >= 0 && row == GetFirstSelectedItem(); }

void CConfigListCtrl::SetHotItem(int row) { hotRow_ = (row >= 0 && row < GetItemCount()) ? row : -1; }

void CConfigListCtrl::EnsureVisible(int row, bool partialOk) {
  if (row < 0 || row >= GetItemCount()) return;
  const int perPage = GetCountPerPage();
  int top = topRow_;
  if (row < top) {
    top = row;
  } else if (row >= top + perPage) {
    const bool partlyShown = row == top + perPage && height() % kRowHeight != 0;
    if (!(partialOk && partlyShown)) top = row - std::max(perPage, 1) + 1;
  }
  if (top != topRow_) {
    topRow_ = top;
    ClampTop();
    UpdateThumb();
    update();
  }
}

int CConfigListCtrl::GetScrollLimit() const { return std::max(0, GetItemCount() - GetCountPerPage()); }

void CConfigListCtrl::Scroll(int dyPixels) {
  // Whole rows, rounded to the nearest one (the row height is odd, so there is no tie).
  const int half = kRowHeight / 2;
  const int rows = dyPixels >= 0 ? (dyPixels + half) / kRowHeight : -((-dyPixels + half) / kRowHeight);
  const int before = topRow_;
  topRow_ += rows;
  ClampTop();
  if (topRow_ != before) {
    UpdateThumb();
    update();
  }
}

void CConfigListCtrl::ClampTop() { topRow_ = std::clamp(topRow_, 0, GetScrollLimit()); }

void CConfigListCtrl::SetPlayedRowSource(std::function<int()> source) {
  playedRow_ = std::move(source);
  update();
}

int CConfigListCtrl::PlayedRow() const { return playedRow_ ? playedRow_() : -1; }

void CConfigListCtrl::SetRedraw(bool on) {
  setUpdatesEnabled(on);
  if (on) {
    UpdateThumb();
    update();
  }
}

void CConfigListCtrl::UpdateThumb() {
  if (scrollbar_) scrollbar_->UpdateThumb();
}

// ---- scrollbar placement ------------------------------------------------------------------------

void CConfigListCtrl::CreateScrollbar() {
  QWidget* parent = parentWidget();
  if (!parent) return;
  delete scrollbar_.data();
  auto* bar = new CSovFileListVerticleScrollbar(parent);
  bar->setObjectName(QString::number(0xFFFF));
  // Beside the right edge, overlapping the list's last pixel column; the top 19 pixels stand
  // beside the owner's strip above the list.
  const QRect list = geometry();
  bar->setGeometry(list.x() + list.width() - 1, list.y() - 19, CSovFileListVerticleScrollbar::kWidth,
                   list.height() + 19);
  scrollbar_ = bar;
  bar->SetList(this);
  bar->raise();
  bar->show();
  bar->UpdateThumb();
}

void CConfigListCtrl::UpdateLayout() {
  if (scrollbar_) {
    const QPoint topLeft = scrollbar_->pos();
    scrollbar_->setGeometry(topLeft.x(), topLeft.y(), scrollbar_->width(), height() + 20);
    scrollbar_->raise();
  }
  // The last two pixel columns never show, as beside a hidden system scroll bar.
  setMask(QRegion(0, 0, std::max(0, width() - 2), height()));
  ClampTop();
  UpdateThumb();
  update();
}

// ---- geometry ---------------------------------------------------------------------------------

QRect CConfigListCtrl::SubItemRect(int row, int column) const {
  if (column < 0 || column >= ColumnCount()) return {};
  int x = 0;
  for (int c = 0; c < column; ++c) x += columns_[c].width;
  return QRect(x, (row - topRow_) * kRowHeight, columns_[column].width, kRowHeight);
}

std::pair<int, int> CConfigListCtrl::SubItemHitTest(const QPoint& point) const {
  if (point.y() < 0 || point.x() < 0 || point.y() >= height()) return {-1, -1};
  const int row = topRow_ + point.y() / kRowHeight;
  if (row >= GetItemCount()) return {-1, -1};
  int x = 0;
  for (int c = 0; c < ColumnCount(); ++c) {
    const int w = columns_[c].width;
    if (point.x() >= x && point.x() < x + w) return {row, c};
    x += w;
  }
  return {row, -1};
}

// ---- painting ---------------------------------------------------------------------------------

void CConfigListCtrl::paintEvent(QPaintEvent* e) {
  QPainter target(this);
  const QRect clip = e->rect();
  {
    CSkinMemDC offscreen(target, clip);
    QPainter& painter = offscreen.painter();
    painter.fillRect(clip, backgroundColour_);

    const int count = GetItemCount();
    if (count > 0 && !columns_.empty()) {
      const int first = topRow_ + std::max(0, clip.top()) / kRowHeight;
      const int last = std::min(count - 1, topRow_ + std::max(0, clip.bottom()) / kRowHeight);
      painter.setFont(font_);
      for (int row = first; row <= last; ++row) DrawItem(painter, row);
    }

    // The grid covers the whole client area, so a partial repaint keeps its lines too.
    painter.setPen(QPen(gridColour_, 1));
    painter.setBrush(Qt::NoBrush);
    const int bottom = height() - 1;
    int x = GetColumnWidth(0) - 1;
    for (int c = 1; c <= 4; ++c) {
      painter.drawLine(x, 0, x, bottom);
      x += GetColumnWidth(c);
    }
    for (int y = 0; y < height(); y += kRowHeight) painter.drawLine(0, y, width() - 1, y);
  }
  target.end();
  UpdateThumb();
}

unsigned CConfigListCtrl::ItemState(int row) const {
  unsigned state = 0;
  if (IsItemSelected(row)) state |= ODS_SELECTED;
  if (row == focusedRow_ && hasFocus()) state |= ODS_FOCUS;
  if (!enabled_) state |= ODS_DISABLED;
  return state;
}

void CConfigListCtrl::DrawItem(QPainter& painter, int row) {
  const unsigned state = ItemState(row);
  for (int column = 0; column < ColumnCount(); ++column) {
    const QRect rect = SubItemRect(row, column);
    if (CCellCtrl* cell = GetCell(row, column)) {
      cell->Draw(painter, rect, state);
    } else if (rect.width() > 0) {
      DrawDefaultCell(painter, row, column, rect, state);
    }
  }
}

void CConfigListCtrl::DrawDefaultCell(QPainter& painter, int row, int column, const QRect& rect,
                                      unsigned itemState) {
  QColor brush;
  QColor textColour;
  if (!enabled_) {
    brush = listcolours::System(listcolours::SysColour::ButtonFace);
    textColour = listcolours::System(listcolours::SysColour::WindowText);
  } else {
    brush = (itemState & (ODS_SELECTED | ODS_FOCUS)) ? listcolours::kSelected : listcolours::kBackground;
    textColour = listcolours::kText;
  }
  if (row == PlayedRow()) textColour = listcolours::kPlayed;
  painter.fillRect(rect, brush);
  const QString text = GetItemText(row, column);
  if (text.isEmpty() || rect.width() <= kTextInset) return;
  painter.setPen(textColour);
  // The inset pads texts that have room for it; a text that fits the cell but not the padded
  // rectangle (a date in the narrow date column) is centred in the cell rather than cut short.
  QRect textRect = rect.adjusted(kTextInset, 0, 0, 0);
  const QFontMetrics metrics = painter.fontMetrics();
  const int textWidth = metrics.horizontalAdvance(text);
  if (textWidth > textRect.width() && textWidth <= rect.width()) textRect = rect;
  const QString shown = metrics.elidedText(text, Qt::ElideRight, textRect.width());
  painter.drawText(textRect, Qt::AlignHCenter | Qt::AlignTop | Qt::TextSingleLine, shown);
}

// ---- input ------------------------------------------------------------------------------------

void CConfigListCtrl::DefaultLeftClick(int row) {
  selectedRow_ = row;
  if (row >= 0) {
    focusedRow_ = row;
    EnsureVisible(row, false);
  }
  pendingClickRow_ = row;
  update();
}

void CConfigListCtrl::mousePressEvent(QMouseEvent* e) {
  const QPoint point = e->position().toPoint();
  const unsigned flags = MouseFlags(e);
  if (e->button() == Qt::RightButton) {
    if (activeCell_ && activeCell_->OnRButtonDown(flags, point.x(), point.y()) == 0) return;
    const int row = SubItemHitTest(point).first;
    selectedRow_ = row;
    if (row >= 0) focusedRow_ = row;
    update();
    return;
  }
  if (e->button() != Qt::LeftButton) {
    QWidget::mousePressEvent(e);
    return;
  }

  const bool hadFocus = hasFocus_;
  const auto [row, column] = SubItemHitTest(point);
  CCellCtrl* cell = GetCell(row, column);
  QPointer<QWidget> focusAfterCell;
  if (!cell || (cell->GetStyle() & CCellCtrl::kStyleReadOnly)) {
    ClearActiveCell();
    DefaultLeftClick(row);
  } else {
    CCellCtrl* previous = activeCell_;
    activeRow_ = row;
    activeColumn_ = column;
    if (previous && previous != cell) previous->Deactivate();
    activeCell_ = cell;
    cell->SetRect(SubItemRect(row, column));
    setFocus(Qt::MouseFocusReason);
    const int result = cell->OnLButtonDown(flags, point.x(), point.y());
    focusAfterCell = QApplication::focusWidget();
    WriteCellText(row, column, cell->text);
    update(cell->GetRect());
    if (hasFocus_) cell->BeginEdit(flags, point.x(), point.y());
    if (result != 0) DefaultLeftClick(row);
  }
  if (cell && !hadFocus) cell->BeginEdit(flags, point.x(), point.y());
  if (focusAfterCell && focusAfterCell != QApplication::focusWidget()) focusAfterCell->setFocus();
}

void CConfigListCtrl::mouseReleaseEvent(QMouseEvent* e) {
  if (e->button() != Qt::LeftButton) {
    QWidget::mouseReleaseEvent(e);
    return;
  }
  // The list view reports the click once the button is up, after it has handled the press.
  if (pendingClickRow_ != -2) {
    const int row = pendingClickRow_;
    pendingClickRow_ = -2;
    emit itemClicked(row);
    return;
  }
  const QPoint point = e->position().toPoint();
  if (activeCell_) activeCell_->OnLButtonUp(MouseFlags(e), point.x(), point.y());
}

void CConfigListCtrl::mouseDoubleClickEvent(QMouseEvent* e) {
  if (e->button() != Qt::LeftButton) {
    QWidget::mouseDoubleClickEvent(e);
    return;
  }
  const int row = SubItemHitTest(e->position().toPoint()).first;
  selectedRow_ = row;
  if (row >= 0) focusedRow_ = row;
  pendingClickRow_ = -2;
  update();
  emit itemDoubleClicked(row);
}

void CConfigListCtrl::wheelEvent(QWheelEvent* e) {
  const QPoint point = e->position().toPoint();
  const int delta = e->angleDelta().y();
  unsigned flags = 0;
  if (e->modifiers() & Qt::ShiftModifier) flags |= 0x4;
  if (e->modifiers() & Qt::ControlModifier) flags |= 0x8;
  e->accept();
  if (activeCell_ && activeCell_->OnMouseWheel(flags, delta, point.x(), point.y()) == 0) return;
  // Touchpads deliver fractions of a notch; a notch (120) scrolls the system's wheel lines.
  wheelRemainder_ += delta;
  const int notches = wheelRemainder_ / 120;
  wheelRemainder_ %= 120;
  if (notches != 0) Scroll(-notches * QApplication::wheelScrollLines() * kRowHeight);
}

bool CConfigListCtrl::event(QEvent* e) {
  // The scrollbar goes away with a hidden list and comes back with it.
  if (e->type() == QEvent::Hide || e->type() == QEvent::Show) UpdateThumb();
  if (e->type() == QEvent::KeyRelease && !static_cast<QKeyEvent*>(e)->isAutoRepeat()) tabReleased_ = true;
  if (e->type() == QEvent::KeyPress) {
    auto* key = static_cast<QKeyEvent*>(e);
    const bool tab = key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab;
    if (tab && !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
      const bool backwards = key->key() == Qt::Key_Backtab || (key->modifiers() & Qt::ShiftModifier);
      if (HandleTab(backwards)) return true;
      return QWidget::event(e);  // the next or previous control takes the focus
    }
  }
  return QWidget::event(e);
}

bool CConfigListCtrl::IsReadOnly(Position position) const {
  const CCellCtrl* cell = GetCell(position.first, position.second);
  return cell && (cell->GetStyle() & CCellCtrl::kStyleReadOnly);
}

CConfigListCtrl::Position CConfigListCtrl::SkipReadOnly(Position from, bool backwards) const {
  while (IsReadOnly(from)) {
    const auto step =
        backwards ? cells_.Before(from.first, from.second) : cells_.After(from.first, from.second);
    if (!step) break;
    from = *step;
  }
  return from;
}

bool CConfigListCtrl::HandleTab(bool backwards) {
  // Without a key-up since the last Tab (auto-repeat, or focus that came by a click) the Tab
  // steps on from the active cell instead of starting the cycle.
  if (!tabReleased_) inCellCycle_ = true;
  tabReleased_ = false;

  if (!inCellCycle_) {
    const auto first = backwards ? cells_.Last() : cells_.First();
    if (!first) return false;
    inCellCycle_ = true;
    const Position target = SkipReadOnly(*first, backwards);
    CCellCtrl* targetCell = GetCell(target.first, target.second);
    if (activeCell_ && activeCell_ != targetCell) activeCell_->Deactivate();
    ActivateCellAt(target);
    return true;
  }
  if (activeCell_) {
    const auto next =
        backwards ? cells_.Before(activeRow_, activeColumn_) : cells_.After(activeRow_, activeColumn_);
    if (next) {
      const Position target = SkipReadOnly(*next, backwards);
      if (!IsReadOnly(target)) {
        activeCell_->Deactivate();
        ActivateCellAt(target);
        return true;
      }
    }
  }
  inCellCycle_ = false;
  return false;
}

void CConfigListCtrl::ActivateCellAt(Position position) {
  CCellCtrl* cell = GetCell(position.first, position.second);
  if (!cell) return;
  selectedRow_ = -1;
  focusedRow_ = -1;
  activeRow_ = position.first;
  activeColumn_ = position.second;
  activeCell_ = cell;
  cell->Activate();
  if (activeRow_ < GetItemCount()) selectedRow_ = activeRow_;
  cell->SetRect(SubItemRect(activeRow_, activeColumn_));
  cell->BeginEdit(0, 0, 0);
  update();
}

void CConfigListCtrl::MoveFocusedRow(int row) {
  const int count = GetItemCount();
  if (count == 0) return;
  row = std::clamp(row, 0, count - 1);
  selectedRow_ = row;
  focusedRow_ = row;
  EnsureVisible(row, false);
  update();
}

void CConfigListCtrl::keyPressEvent(QKeyEvent* e) {
  const int key = e->key();
  // The dialog keeps Enter and Escape, as it sees them before its controls do.
  if (key == Qt::Key_Escape || key == Qt::Key_Return || key == Qt::Key_Enter) {
    e->ignore();
    return;
  }
  const int repeat = e->isAutoRepeat() ? 1 : 0;
  const unsigned flags = e->nativeScanCode();
  if (activeCell_) {
    activeCell_->OnKeyDown(key, repeat, flags);
    RefreshActiveCell();
    for (const QChar ch : e->text()) {
      if (!activeCell_ || !ch.isPrint()) continue;
      activeCell_->OnChar(ch, repeat, flags);
      RefreshActiveCell();
      if (activeCell_) WriteCellText(activeRow_, activeColumn_, activeCell_->text);
    }
    e->accept();
    return;
  }
  const int current = focusedRow_ >= 0 ? focusedRow_ : GetFirstSelectedItem();
  const int perPage = std::max(1, GetCountPerPage());
  switch (key) {
    case Qt::Key_Up:
      MoveFocusedRow(current < 0 ? 0 : current - 1);
      break;
    case Qt::Key_Down:
      MoveFocusedRow(current < 0 ? 0 : current + 1);
      break;
    case Qt::Key_Home:
      MoveFocusedRow(0);
      break;
    case Qt::Key_End:
      MoveFocusedRow(GetItemCount() - 1);
      break;
    case Qt::Key_PageUp:
      MoveFocusedRow(current < 0 ? 0 : current - perPage + 1);
      break;
    case Qt::Key_PageDown:
      MoveFocusedRow(current < 0 ? 0 : current + perPage - 1);
      break;
    default:
      // Typing does not search the list: characters go nowhere.
      if (e->text().isEmpty()) {
        e->ignore();
        return;
      }
      break;
  }
  e->accept();
}

void CConfigListCtrl::keyReleaseEvent(QKeyEvent* e) {
  if (activeCell_ && activeCell_->OnKeyUp(e->key(), e->isAutoRepeat() ? 1 : 0, e->nativeScanCode()) == 0) {
    e->accept();
    return;
  }
  QWidget::keyReleaseEvent(e);
}

void CConfigListCtrl::focusInEvent(QFocusEvent* e) {
  QWidget::focusInEvent(e);
  hasFocus_ = true;
  if (activeCell_) activeCell_->OnSetFocus(nullptr);
  update();
}

void CConfigListCtrl::focusOutEvent(QFocusEvent* e) {
  QWidget::focusOutEvent(e);
  if (CCellCtrl* cell = activeCell_) {
    cell->Deactivate();
    cell->OnKillFocus(QApplication::focusWidget());
    RefreshActiveCell();
    activeRow_ = activeColumn_ = -1;
    activeCell_ = nullptr;
  }
  hasFocus_ = false;
  update();
}

void CConfigListCtrl::changeEvent(QEvent* e) {
  QWidget::changeEvent(e);
  if (e->type() == QEvent::EnabledChange) {
    enabled_ = isEnabled();
    update();
  } else if (e->type() == QEvent::ThemeChange) {
    for (int row = 0; row < cells_.RowSpan(); ++row)
      for (const auto& entry : *cells_.RowAt(row)) entry.second->OnThemeChanged();
  }
}

void CConfigListCtrl::resizeEvent(QResizeEvent* e) {
  QWidget::resizeEvent(e);
  ClampTop();
  UpdateThumb();
}

// ---- commands and sorting ---------------------------------------------------------------------

bool CConfigListCtrl::OnCommand(quintptr wParam, qintptr lParam) {
  if (activeCell_) return activeCell_->OnCommand(wParam, lParam) == 0;
  return lParam == 0;
}

int CConfigListCtrl::SendCellMessage(quintptr wParam, qintptr lParam) {
  if (activeCell_) {
    activeCell_->OnCellMessage(wParam, lParam);
    if (activeCell_) WriteCellText(activeRow_, activeColumn_, activeCell_->text);
  }
  return 1;
}

int CConfigListCtrl::CompareItemTexts(const QString& a, const QString& b, bool ascending) {
  const QString& first = ascending ? a : b;
  const QString& second = ascending ? b : a;
  const qsizetype n = std::min(first.size(), second.size());
  const QChar* p = first.constData();
  const QChar* q = second.constData();
  for (qsizetype i = 0; i < n; ++i) {
    if (p[i] != q[i]) return p[i].unicode() < q[i].unicode() ? -1 : 1;
  }
  if (first.size() == second.size()) return 0;
  return first.size() < second.size() ? -1 : 1;
}

int CConfigListCtrl::CompareItemTexts(int row1, int row2, const ListSortParams& params) {
  if (!params.list) return 0;
  return CompareItemTexts(params.list->GetItemText(row1, params.column),
                          params.list->GetItemText(row2, params.column), params.ascending);
}
