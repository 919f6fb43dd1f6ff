#include "deleteplan.h"

#include "nativepath.h"
#include "recordingentry.h"
#include "resourceids.h"

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

DeletePlan PlanDelete(const QStringList& checkTexts, int loadedRow) {
  DeletePlan plan;
  int checkedCount = 0;
  bool loadedChecked = false;
  for (int row = 0; row < checkTexts.size(); ++row) {
    if (checkTexts[row] != QLatin1String("1")) continue;
    ++checkedCount;
    if (plan.firstChecked < 0) plan.firstChecked = row;
    if (row == loadedRow)
      loadedChecked = true;
    else
      plan.rowsToDelete.push_back(row);
  }
  if (checkedCount == 0)
    plan.question = DeleteQuestion::None;
  else if (loadedChecked && checkedCount == 1)
    plan.question = DeleteQuestion::LoadedOnly;
  else if (loadedChecked)
    plan.question = DeleteQuestion::LoadedAmongSeveral;
  else
    plan.question = DeleteQuestion::Confirm;
  if (plan.question == DeleteQuestion::LoadedOnly) plan.rowsToDelete.clear();
  return plan;
}

QString DeleteMessage(DeleteQuestion question, const std::function<QString(int)>& loadUiString) {
  switch (question) {
    case DeleteQuestion::None: return QString();
    case DeleteQuestion::LoadedOnly: return loadUiString(ids::IDS_PLAYING_NOT_DELETABLE);
    case DeleteQuestion::LoadedAmongSeveral:
      return loadUiString(ids::IDS_PLAYING_NOT_DELETABLE) + QLatin1Char('\n') +
             loadUiString(ids::IDS_DELETE_CONFIRM);
    case DeleteQuestion::Confirm: return loadUiString(ids::IDS_DELETE_CONFIRM);
  }
  return QString();
}

bool DeleteAsksToConfirm(DeleteQuestion question) {
  return question == DeleteQuestion::LoadedAmongSeveral || question == DeleteQuestion::Confirm;
}

std::optional<int> RowToSelectAfterDelete(int firstChecked, int rowCount) {
  if (rowCount <= 0) return std::nullopt;
  int r = firstChecked - 1;
  if (r >= rowCount - 1) r = rowCount - 1;
  if (r < 0) return std::nullopt;
  return r;
}

QString DeleteFailureMessage(const QStringList& paths,
                             const std::function<QString(int)>& loadUiString) {
  if (paths.isEmpty()) return QString();
  QStringList shown;
  for (const QString& path : paths) shown.append(RecordingDisplayName(path));
  return loadUiString(ids::IDS_DELETE_FAILED).arg(shown.join(QLatin1Char('\n')));
}

QStringList DeleteRecordingFiles(const QStringList& paths, std::stop_token stop) {
  QStringList failed;
  for (const QString& path : paths) {
    if (stop.stop_requested()) {
      failed.append(path);
      continue;
    }
    // The path's own bytes: a name that is not UTF-8 must not turn into its neighbour's.
    const QByteArray native = NativePath(path);
    if (::unlink(native.constData()) == 0 || errno == ENOENT) continue;
    struct stat st {};
    if (::lstat(native.constData(), &st) == 0) failed.append(path);
  }
  return failed;
}
