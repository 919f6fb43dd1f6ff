#include <QPushButton>
#include <QSignalSpy>
#include <QStringListModel>
#include <functional>

#include "listtestfixture.h"

namespace {

using ListCells = ListFixture;

TEST_F(ListCells, EmptyingTheListDeletesEveryCellOnce) {
  struct Case {
    const char* how;
    std::function<void(CConfigListCtrl&, QStandardItemModel&)> empty;
  };
  const Case cases[] = {
      {"model rows removed one by one from the top",
       [](CConfigListCtrl&, QStandardItemModel& model) {
         while (model.rowCount() > 0) model.removeRow(0);
       }},
      {"model rows removed at once",
       [](CConfigListCtrl&, QStandardItemModel& model) { model.removeRows(0, model.rowCount()); }},
      {"model reset", [](CConfigListCtrl&, QStandardItemModel& model) { model.clear(); }},
      {"first-row cells removed n times",
       [](CConfigListCtrl& list, QStandardItemModel& model) {
         for (int i = 0; i < model.rowCount(); ++i) list.RemoveFirstRowCells();
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.how);
    MakeList();
    deletions_ = 0;
    model_.setRowCount(0);
    Fill(7);
    ASSERT_EQ(list_->CellCount(), 7);
    c.empty(*list_, model_);
    EXPECT_EQ(list_->CellCount(), 0);
    EXPECT_EQ(deletions_, 7);
    window_.reset();
    EXPECT_EQ(deletions_, 7);
  }
}

TEST_F(ListCells, CellsAndCheckTextsStayWithTheirRows) {
  MakeList();
  Fill(8);
  CCellCtrl* fifth = list_->GetCell(5, 3);
  CCellCtrl* fourth = list_->GetCell(4, 3);
  fifth->text = QStringLiteral("1");
  list_->UpdateCellText(fifth, fifth->text);

  model_.insertRow(2);
  EXPECT_EQ(list_->GetCell(6, 3), fifth);
  EXPECT_EQ(list_->GetCell(5, 3), fourth);
  EXPECT_EQ(list_->GetItemText(6, 3), "1");
  EXPECT_EQ(list_->GetItemText(6, 0), "row5");
  EXPECT_EQ(list_->GetCell(2, 3), nullptr);  // the new row has no cell until one is attached
  EXPECT_EQ(list_->GetItemText(2, 3), "");

  model_.removeRows(1, 2);  // the new row and row1
  EXPECT_EQ(deletions_, 1);
  EXPECT_EQ(list_->GetCell(4, 3), fifth);
  EXPECT_EQ(list_->GetItemText(4, 3), "1");
  EXPECT_EQ(list_->GetItemText(4, 0), "row5");
  EXPECT_EQ(list_->CellCount(), 7);

  // A sort of the model moves the rows; cells and texts go along.
  model_.item(4, 0)->setText(QStringLiteral("a first"));
  model_.sort(0);
  EXPECT_EQ(list_->GetItemText(0, 0), "a first");
  EXPECT_EQ(list_->GetCell(0, 3), fifth);
  EXPECT_EQ(list_->GetItemText(0, 3), "1");
  EXPECT_EQ(list_->CellCount(), 7);
}

TEST_F(ListCells, CellsFollowMovedRows) {
  MakeList();
  QStringListModel names({"a", "b", "c"});
  list_->SetModel(&names);
  for (int row = 0; row < 3; ++row) list_->SetCheckCell(row, new CountedCell(&deletions_));
  CCellCtrl* first = list_->GetCell(0, 3);
  first->text = QStringLiteral("1");
  list_->UpdateCellText(first, first->text);
  ASSERT_TRUE(names.moveRows(QModelIndex(), 0, 1, QModelIndex(), 3));
  EXPECT_EQ(list_->GetItemText(2, 0), "a");
  EXPECT_EQ(list_->GetCell(2, 3), first);
  EXPECT_EQ(list_->GetItemText(2, 3), "1");
  EXPECT_EQ(list_->GetItemText(0, 3), "0");
  list_->SetModel(nullptr);
  EXPECT_EQ(deletions_, 3);
}

TEST_F(ListCells, RemovingARowStillHoldingCellsDeletesThemInsteadOfOverlaying) {
  MakeList();
  Fill(3);
  CCellCtrl* last = list_->GetCell(2, 3);
  list_->ShiftCellRows(1, false);  // row 1's cell was not removed first
  EXPECT_EQ(deletions_, 1);
  EXPECT_EQ(list_->GetCell(1, 3), last);
  EXPECT_EQ(list_->CellCount(), 2);
}

TEST_F(ListCells, ClickingTheCheckBox) {
  struct Case {
    const char* what;
    int checkWidth;
    int listHeight;
    int row;
    int clicks;
    bool onBox;
    QString expected;
  };
  const Case cases[] = {
      {"once on the box toggles", 40, 508, 2, 1, true, "1"},
      {"twice on the box returns to unchecked", 40, 508, 2, 2, true, "0"},
      {"beside the box only selects", 40, 508, 2, 1, false, "0"},
      {"a column of exactly the box width still toggles", 20, 508, 2, 1, true, "1"},
      {"a column narrower than the box never toggles", 19, 508, 2, 1, true, "0"},
      {"a box cut off at the bottom does not toggle", 40, 500, 23, 1, true, "0"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    MakeList(c.listHeight);
    model_.setRowCount(0);
    Fill(30);
    list_->SetColumnWidth(3, c.checkWidth);
    Show();
    QSignalSpy clicks(list_, &CConfigListCtrl::itemClicked);
    QStringList seenByOwner;
    QObject::connect(list_, &CConfigListCtrl::itemClicked, list_,
                     [&](int row) { seenByOwner << list_->GetItemText(row, 3); });
    const QRect cell = list_->SubItemRect(c.row, 3);
    const QPoint at = c.onBox ? QPoint(cell.left() + std::max(0, cell.width() - 20) / 2 + 10, cell.top() + 13)
                              : QPoint(cell.left() + 2, cell.top() + 13);
    for (int i = 0; i < c.clicks; ++i) {
      QTest::mouseClick(list_, Qt::LeftButton, {}, at);
      PaintNow();
    }
    EXPECT_EQ(list_->GetItemText(c.row, 3), c.expected);
    EXPECT_EQ(list_->GetCell(c.row, 3)->text, c.expected);
    EXPECT_EQ(list_->GetFirstSelectedItem(), c.row);
    ASSERT_EQ(clicks.count(), c.clicks);
    EXPECT_EQ(clicks.last().at(0).toInt(), c.row);
    EXPECT_EQ(seenByOwner.last(), c.expected);  // the owner already reads the new state
  }
}

TEST_F(ListCells, ClickBesideAllRowsReportsNoItemAndClearsTheSelection) {
  MakeList();
  Fill(3);
  Show();
  list_->SelectItem(1);
  QSignalSpy clicks(list_, &CConfigListCtrl::itemClicked);
  QTest::mouseClick(list_, Qt::LeftButton, {}, QPoint(50, 10 * CConfigListCtrl::kRowHeight));
  ASSERT_EQ(clicks.count(), 1);
  EXPECT_EQ(clicks.at(0).at(0).toInt(), -1);
  EXPECT_EQ(list_->GetFirstSelectedItem(), -1);
}

TEST_F(ListCells, NewCellTextsAreNormalisedToACheckState) {
  const struct {
    QString given;
    QString stored;
  } cases[] = {{"", "0"}, {"1", "1"}, {"1 label", "1 label"}, {"0", "0"}, {"x", "0x"}};
  MakeList();
  model_.setRowCount(1);
  for (const auto& c : cases) {
    auto* cell = new CCellCheckBox;
    cell->Initialize(nullptr, nullptr, c.given);
    EXPECT_EQ(cell->text, c.stored) << c.given.toStdString();
    delete cell;
  }
  list_->SetCheckCell(0, new CCellCheckBox);
  EXPECT_EQ(list_->GetItemText(0, 3), "0");
  EXPECT_EQ(list_->SetCheckCell(1, new CountedCell(&deletions_)), -1);  // no such row
  EXPECT_EQ(deletions_, 1);
  EXPECT_EQ(list_->CellCount(), 1);
}

// ---- drawing ----------------------------------------------------------------------------------

int CountPixels(const QImage& image, const QRect& area, const std::function<bool(QColor)>& match) {
  int n = 0;
  for (int y = area.top(); y <= area.bottom(); ++y)
    for (int x = area.left(); x <= area.right(); ++x)
      if (match(image.pixelColor(x, y))) ++n;
  return n;
}

bool Orange(QColor c) { return c.red() > 200 && c.green() < 120 && c.blue() < 80; }

TEST_F(ListCells, PlayedRowIsDrawnOrangeAndTheSelectionGrey) {
  MakeList();
  Fill({"20240101_101010_NOR.AVI", "20240101_111010_EVT.AVI", "20240101_121010_MOT.AVI",
        "20240102_101010_NOR.AVI"});
  int played = 2;
  list_->SetPlayedRowSource([&] { return played; });
  list_->SelectItem(2);
  Show();
  auto rowText = [&](int row) { return list_->SubItemRect(row, 0).adjusted(5, 1, 0, -1); };

  QImage image = list_->grab().toImage();
  EXPECT_GT(CountPixels(image, rowText(2), Orange), 5);
  EXPECT_EQ(CountPixels(image, rowText(1), Orange), 0);
  EXPECT_EQ(CountPixels(image, rowText(3), Orange), 0);
  // Backgrounds below the text, away from the grid lines.
  EXPECT_EQ(image.pixelColor(150, 2 * 21 + 19), QColor(71, 71, 71));
  EXPECT_EQ(image.pixelColor(150, 1 * 21 + 19), QColor(33, 33, 33));
  EXPECT_EQ(image.pixelColor(150, 21), QColor(44, 44, 44));           // grid line
  EXPECT_EQ(image.pixelColor(162, 3 * 21 + 10), QColor(44, 44, 44));  // separator after column 0

  played = 1;  // drawn orange whether selected or not
  image = list_->grab().toImage();
  EXPECT_GT(CountPixels(image, rowText(1), Orange), 5);
  EXPECT_EQ(CountPixels(image, rowText(2), Orange), 0);

  played = -1;
  image = list_->grab().toImage();
  EXPECT_EQ(CountPixels(image, list_->rect(), Orange), 0);
}

TEST_F(ListCells, CheckBoxImagesFollowStateAndEnabledState) {
  MakeList();
  Fill(2);
  // A strip of four solid boxes in distinguishable colours, magenta where the box is transparent.
  QImage strip(72, 16, QImage::Format_RGB32);
  strip.fill(QColor(255, 0, 255));
  const QColor colours[] = {QColor(10, 200, 10), QColor(200, 10, 10), QColor(10, 10, 200),
                            QColor(200, 200, 10)};
  for (int i = 0; i < 4; ++i)
    for (int y = 2; y < 14; ++y)
      for (int x = 2; x < 16; ++x) strip.setPixelColor(i * 18 + x, y, colours[i]);
  list_->SetCheckBoxStrip(strip);
  CCellCtrl* cell = list_->GetCell(1, 3);
  cell->text = QStringLiteral("1");
  list_->UpdateCellText(cell, cell->text);
  Show();

  auto boxPixel = [&](const QImage& image, int row) {
    const QRect rect = list_->SubItemRect(row, 3);
    return image.pixelColor(rect.left() + 10 + 8, rect.top() + 3 + 8);
  };
  auto beside = [&](const QImage& image, int row) {  // magenta keyed out: the cell's fill shows
    const QRect rect = list_->SubItemRect(row, 3);
    return image.pixelColor(rect.left() + 10 + 1, rect.top() + 3 + 1);
  };
  QImage image = list_->grab().toImage();
  EXPECT_EQ(boxPixel(image, 0), colours[0]);
  EXPECT_EQ(boxPixel(image, 1), colours[1]);
  EXPECT_EQ(beside(image, 0), QColor(33, 33, 33));

  list_->setEnabled(false);
  image = list_->grab().toImage();
  EXPECT_EQ(boxPixel(image, 0), colours[2]);
  EXPECT_EQ(boxPixel(image, 1), colours[3]);
  const QColor buttonFace = listcolours::System(listcolours::SysColour::ButtonFace);
  EXPECT_EQ(beside(image, 0), buttonFace);
  EXPECT_EQ(image.pixelColor(150, 19), buttonFace);  // default cells too
}

// ---- keyboard ---------------------------------------------------------------------------------

class ListKeys : public ListFixture {
 protected:
  void ShowWithNextControl() {
    auto* next = new QPushButton(QStringLiteral("next"), window_.get());
    next->setGeometry(330, 0, 60, 20);
    next_ = next;
    window_->show();
    window_->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window_.get()));
    list_->setFocus(Qt::TabFocusReason);
    ASSERT_TRUE(list_->hasFocus());
    PaintNow();
  }
  QPushButton* next_ = nullptr;
};

TEST_F(ListKeys, TabWalksTheCheckCellsAndLeavesAfterTheLast) {
  const struct {
    const char* what;
    int rows;
    bool keyUpSeen;
    bool backwards;
    std::vector<int> rowsSelected;  // after each Tab that stays in the list
  } cases[] = {
      {"forward", 3, true, false, {0, 1, 2}},
      {"backward", 3, true, true, {2, 1, 0}},
      {"no cells: the first Tab leaves", 0, true, false, {}},
      {"no key-up seen and no active cell: the first Tab leaves", 3, false, false, {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    MakeList();
    model_.setRowCount(0);
    Fill(c.rows);
    ShowWithNextControl();
    if (c.keyUpSeen) QTest::keyRelease(list_, Qt::Key_Tab);  // the Tab that brought the focus in
    const Qt::Key key = c.backwards ? Qt::Key_Backtab : Qt::Key_Tab;
    const Qt::KeyboardModifiers mods = c.backwards ? Qt::ShiftModifier : Qt::NoModifier;
    for (int expected : c.rowsSelected) {
      QTest::keyClick(list_, key, mods);
      ASSERT_TRUE(list_->hasFocus());
      EXPECT_EQ(list_->GetFirstSelectedItem(), expected);
      EXPECT_EQ(list_->ActiveCell(), list_->GetCell(expected, 3));
      EXPECT_TRUE(list_->ActiveCell()->IsActive());
    }
    QTest::keyClick(list_, key, mods);
    EXPECT_FALSE(list_->hasFocus());
    EXPECT_EQ(list_->ActiveCell(), nullptr);
    for (int row = 0; row < c.rows; ++row) EXPECT_FALSE(list_->GetCell(row, 3)->IsActive());
  }
}

TEST_F(ListKeys, AfterAClickTheFirstTabStepsOnFromTheClickedCell) {
  MakeList();
  Fill(4);
  ShowWithNextControl();
  QTest::mouseClick(list_, Qt::LeftButton, {}, BoxCentre(1));
  ASSERT_EQ(list_->ActiveCell(), list_->GetCell(1, 3));
  QTest::keyClick(list_, Qt::Key_Tab);
  EXPECT_EQ(list_->GetFirstSelectedItem(), 2);
  EXPECT_EQ(list_->ActiveCell(), list_->GetCell(2, 3));
}

TEST_F(ListKeys, TypingWithoutAnActiveCellDoesNothing) {
  MakeList();
  Fill({"alpha", "bravo", "charlie"});
  ShowWithNextControl();
  list_->SelectItem(0);
  QTest::keyClicks(list_, "c1 b");
  EXPECT_EQ(list_->GetFirstSelectedItem(), 0);
  EXPECT_EQ(list_->ActiveCell(), nullptr);
  for (int row = 0; row < 3; ++row) EXPECT_EQ(list_->GetItemText(row, 3), "0");
  EXPECT_TRUE(list_->hasFocus());
}

TEST_F(ListKeys, ArrowKeysMoveTheSelectionAndKeepItInView) {
  MakeList(105);  // five rows per page
  Fill(12);
  ShowWithNextControl();
  QTest::mouseClick(list_, Qt::LeftButton, {}, QPoint(40, 10));
  ASSERT_EQ(list_->GetFirstSelectedItem(), 0);
  for (int i = 0; i < 6; ++i) QTest::keyClick(list_, Qt::Key_Down);
  EXPECT_EQ(list_->GetFirstSelectedItem(), 6);
  EXPECT_EQ(list_->GetTopIndex(), 2);
  QTest::keyClick(list_, Qt::Key_End);
  EXPECT_EQ(list_->GetFirstSelectedItem(), 11);
  EXPECT_EQ(list_->GetTopIndex(), 7);
  QTest::keyClick(list_, Qt::Key_Up);
  EXPECT_EQ(list_->GetFirstSelectedItem(), 10);
  EXPECT_EQ(list_->GetTopIndex(), 7);
}

// ---- comparison -------------------------------------------------------------------------------

TEST(ListCompare, OrdinalByCodeUnit) {
  const struct {
    QString a;
    QString b;
    int ascending;
  } cases[] = {
      {"B", "a", -1},       // upper case before lower case
      {"10_x", "9_x", -1},  // digit by digit
      {"20240101_101010_NOR.AVI", "20240101_101010_NOR.AVI", 0},
      {"abc", "abcd", -1},  // a prefix first
      {"", "a", -1},
      {QString::fromUtf16(u"\U0001F600"), QString::fromUtf16(u"\uFF21"), -1},  // code units, not code points
      {"가", "A", 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.a.toStdString() + " / " + c.b.toStdString());
    EXPECT_EQ(CConfigListCtrl::CompareItemTexts(c.a, c.b, true), c.ascending);
    EXPECT_EQ(CConfigListCtrl::CompareItemTexts(c.b, c.a, true), -c.ascending);
    EXPECT_EQ(CConfigListCtrl::CompareItemTexts(c.a, c.b, false), -c.ascending);
  }
}

}  // namespace
