// RecordingLists: the recording rows and the two lists that show them, the main window's list and
// its twin on the file list panel. The rows model is the one truth for the rows, their check marks
// and which recording is current; the lists only show it and report what the user did to them.
#pragma once

#include "recordingentry.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <vector>

class CConfigListCtrl;
class RecordingModel;

class RecordingLists : public QObject {
  Q_OBJECT
 public:
  explicit RecordingLists(QObject* parent = nullptr);
  ~RecordingLists() override;

  RecordingModel& Model() const { return *model_; }

  // Takes a list already set up as a recording list on Model() (SetUpRecordingList): it gets its
  // check cells and the played row, and its marks follow the model. The twin may come later and
  // may go away before this object.
  void SetMainList(CConfigListCtrl* list);
  void SetTwinList(CConfigListCtrl* list);
  CConfigListCtrl* MainList() const;
  CConfigListCtrl* TwinList() const;

  // ---- Rows ----
  // Replaces every row (check marks start cleared) and finds the current recording among them.
  void Replace(std::vector<RecordingEntry> entries);
  void Clear();
  int RowCount() const;
  // Empty for a row the lists do not have.
  QString PathOf(int row) const;
  QString NameOf(int row) const;

  // ---- Check marks ----
  bool IsChecked(int row) const;
  void SetChecked(int row, bool checked);
  void CheckAll(bool checked);
  std::vector<int> CheckedRows() const;

  // ---- Selection ----
  int FirstSelectedRow() const;  // of the main list; -1 when none
  // Clears the selection of both lists and selects row there (no row for -1).
  void SelectInBoth(int row);
  // Selects row in both lists and scrolls it fully into view, drawn at once.
  void SelectAndRevealInBoth(int row);
  void SelectInTwin(int row);
  void SetHotRow(int row);
  void UpdateLists();

  // ---- The current recording ----
  // The row the player loaded or was last asked to load. It is remembered by its path, so a
  // rescan that moves or hides its row keeps it: CurrentIndex() is -1 while a filter hides it.
  void SetCurrent(int row);
  void ClearCurrent();
  int CurrentIndex() const { return currentRow_; }
  QString CurrentPath() const { return currentPath_; }
  // The rows around the current recording; where a filter hides it, the rows around the place
  // its name would sort at. RowAfterCurrent() is 0 with no current recording; RowBeforeCurrent()
  // is -1 when nothing comes before it. The result may lie outside the rows.
  int RowAfterCurrent() const;
  int RowBeforeCurrent() const;

 signals:
  // Both lists were refilled (a scan) or emptied.
  void rowsReplaced();

 private:
  void AttachCells(CConfigListCtrl* list);
  void FollowCellsOf(CConfigListCtrl* list);
  void ShowCheck(CConfigListCtrl* list, int row, bool checked);
  void FindCurrent();

  RecordingModel* model_;  // child
  QPointer<CConfigListCtrl> main_;
  QPointer<CConfigListCtrl> twin_;
  QString currentPath_;
  QString currentName_;
  int currentRow_ = -1;
};
