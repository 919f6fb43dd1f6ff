#include "deleteplan.h"

#include "resourceids.h"

#include <QFile>
#include <QFileInfo>

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
  return loadUiString(ids::IDS_DELETE_FAILED).arg(paths.join(QLatin1Char('\n')));
}

QStringList DeleteRecordingFiles(const QStringList& paths) {
  QStringList failed;
  for (const QString& path : paths) {
    if (!QFile::remove(path) && QFileInfo::exists(path)) failed.append(path);
  }
  return failed;
}
