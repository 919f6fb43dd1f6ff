// The decisions of the delete command, apart from the dialogs and the file system: which message
// to ask with, which files to remove, and which row to select after the list is rebuilt.
#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>
#include <stop_token>
#include <vector>

enum class DeleteQuestion {
  None,                 // nothing checked: the command does nothing
  LoadedOnly,           // only the loaded recording is checked: string 446 with OK, nothing else
  LoadedAmongSeveral,   // string 446, a line break and string 420, with OK and Cancel
  Confirm,              // string 420 with OK and Cancel
};

struct DeletePlan {
  DeleteQuestion question = DeleteQuestion::None;
  int firstChecked = -1;          // f: the first checked row
  std::vector<int> rowsToDelete;  // checked rows other than the loaded one, in row order
};

// checkTexts holds column 3 of every row; a row is checked when its text is exactly "1".
// loadedRow is the recording in the player (-1 when none).
DeletePlan PlanDelete(const QStringList& checkTexts, int loadedRow);

// The message text of a question (empty for None), from strings 446 and 420.
QString DeleteMessage(DeleteQuestion question, const std::function<QString(int)>& loadUiString);
// Whether the question is asked with OK and Cancel (true) or only told with OK (false).
bool DeleteAsksToConfirm(DeleteQuestion question);

// The row to select once the list is rebuilt with rowCount rows: the row above the first deleted
// one, kept inside the list; none when that is above row 0 or the list is empty.
std::optional<int> RowToSelectAfterDelete(int firstChecked, int rowCount);

// The failure message for files that could not be deleted (string 606 with their names as shown,
// see RecordingDisplayName).
QString DeleteFailureMessage(const QStringList& paths,
                             const std::function<QString(int)>& loadUiString);

// Removes each file; returns the paths that still exist afterwards (a file already gone counts
// as deleted: the rescan drops its row either way). Stopped, it leaves the files not yet reached
// and reports them as not deleted. Blocks for as long as the file system takes: call it off the
// user-interface thread.
QStringList DeleteRecordingFiles(const QStringList& paths, std::stop_token stop = {});
