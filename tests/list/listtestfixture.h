// A recording list shown offscreen over a small row model, the way the windows set it up.
#pragma once

#include <gtest/gtest.h>

#include <QList>
#include <QStandardItem>
#include <QStandardItemModel>
#include <QStringList>
#include <QTest>
#include <QWidget>
#include <memory>

#include "cellcheckbox.h"
#include "configlistctrl.h"
#include "listscrollbar.h"

// A check-box cell that counts its own destruction.
class CountedCell : public CCellCheckBox {
 public:
  explicit CountedCell(int* deletions) : deletions_(deletions) {}
  ~CountedCell() override { ++*deletions_; }

 private:
  int* deletions_;
};

class ListFixture : public ::testing::Test {
 protected:
  static constexpr int kListX = 10;
  static constexpr int kListY = 40;

  void MakeList(int height = 508) {
    window_ = std::make_unique<QWidget>();
    window_->resize(400, height + 80);
    list_ = new CConfigListCtrl(1029, window_.get());
    list_->setGeometry(kListX, kListY, 308, height);
    list_->CreateScrollbar();
    list_->UpdateLayout();
    const struct {
      const char* title;
      Qt::Alignment align;
      int width;
    } columns[] = {{"Name", Qt::AlignLeft, 162},   {"Data", Qt::AlignHCenter, 51},
                   {"Size", Qt::AlignHCenter, 54}, {"Check", Qt::AlignHCenter, 40},
                   {"Path", Qt::AlignHCenter, 0},  {"Full Date", Qt::AlignHCenter, 0}};
    for (int c = 0; c < 6; ++c) {
      list_->ShiftCellColumns(c);
      list_->InsertColumn(c, QString::fromLatin1(columns[c].title), columns[c].align, columns[c].width);
    }
    list_->SetColumnWidth(0, 163);
    list_->SetModel(&model_);
  }

  // Rows named by names, each with a counted check cell attached as the library does.
  void Fill(const QStringList& names) {
    for (const QString& name : names) {
      QList<QStandardItem*> row;
      for (int c = 0; c < 6; ++c) row.append(new QStandardItem(c == 0 ? name : QString()));
      model_.appendRow(row);
      list_->SetCheckCell(model_.rowCount() - 1, new CountedCell(&deletions_));
    }
  }
  void Fill(int n) {
    QStringList names;
    for (int i = 0; i < n; ++i) names << QStringLiteral("row%1").arg(i);
    Fill(names);
  }

  void Show() {
    window_->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window_.get()));
    PaintNow();
  }
  // Cells learn where their box is when they are drawn.
  void PaintNow() { list_->grab(); }

  // Centre of the check box of a visible row with the standard column widths.
  QPoint BoxCentre(int row) const {
    const QRect cell = list_->SubItemRect(row, 3);
    return QPoint(cell.left() + (cell.width() - 20) / 2 + 10, cell.top() + 13);
  }

  QStandardItemModel model_{0, 6};
  std::unique_ptr<QWidget> window_;
  CConfigListCtrl* list_ = nullptr;
  int deletions_ = 0;
};

// Readable failure messages for texts.
inline void PrintTo(const QString& text, std::ostream* os) { *os << '"' << text.toStdString() << '"'; }
