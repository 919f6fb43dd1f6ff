// The main window's recording library commands: the card search and removal, the scan into both
// lists, the type, date and folder filters, check-all, save, delete and the information command.
#include "tavroplayerdlg.h"

#include "cellcheckbox.h"
#include "configlistctrl.h"
#include "deleteplan.h"
#include "filecopy.h"
#include "imageslider.h"
#include "informationdlg.h"
#include "platformservices.h"
#include "playgraph.h"
#include "recordingentry.h"
#include "recordinglist.h"
#include "recordingmodel.h"
#include "recordingscan.h"
#include "removabledrives.h"
#include "resourceids.h"
#include "selectdrivedlg.h"
#include "selectmonthdlg.h"
#include "skinbutton.h"
#include "staticview.h"
#include "statictrans.h"
#include "stringtable.h"
#include "videoplayer.h"

#include <QApplication>
#include <QBasicTimer>
#include <QDir>
#include <QFile>
#include <QMessageBox>

using namespace ids;

namespace {

constexpr int kTypeButtons[] = {IDC_TYPE_ALL, IDC_TYPE_NORMAL, IDC_TYPE_EVENT, IDC_TYPE_MOTION};
const char* const kTypeCodes[] = {"", "NOR", "EVT", "MOT"};

}  // namespace

void CTavroPlayerDlg::InstallLibraryDialogs() {
  dialogs.selectDrive = [this]() -> std::optional<QString> {
    RemovableDrives* drives = services.Drives();
    if (!drives) return std::nullopt;
    CSelectDriveDlg dialog(this, *drives, [this](int id) { return LoadUiString(id); });
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.SelectedRoot();
  };
  dialogs.selectDate = [this]() -> std::optional<qint64> {
    CSelectMonthDlg dialog(this);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.chosenDate();
  };
}

bool CTavroPlayerDlg::HasRemovableDrive() const {
  RemovableDrives* drives = services.Drives();
  return drives && ::HasRemovableDrive(*drives);
}

void CTavroPlayerDlg::OnDetectCard() {
  if (!startFolder.isEmpty()) {
    ListFolderMode(startFolder);
    return;
  }
  if (HasRemovableDrive()) SelectDriveAndScan();
}

bool CTavroPlayerDlg::SelectDriveAndScan() {
  const std::optional<QString> root = dialogs.selectDrive();
  if (!root || root->isEmpty()) return false;
  if (*root == cardRoot) return false;
  cardRoot = *root;
  folderMode = false;
  listingFolderItself = false;
  ScanRecordings(TypeAll, false);
  UpdateControlStates(Listed);
  return true;
}

void CTavroPlayerDlg::ListFolderMode(const QString& folder) {
  QString root = QDir::cleanPath(folder);
  if (!root.endsWith('/')) root += '/';
  cardRoot = root;
  // A copy of a whole card (it has its "Recordings" folder) is listed as a card; any other
  // folder as the folder command lists one.
  const bool cardCopy = QDir(root + QStringLiteral("Recordings")).exists();
  folderMode = !cardCopy;
  listingFolderItself = !cardCopy;
  buttons.value(IDC_FOLDER)->SetCheck(folderMode);
  const int type = FirstCheckedType();
  ScanRecordings(type ? type : TypeAll, buttons.value(IDC_CALENDAR)->GetCheck());
  UpdateControlStates(Listed);
}

void CTavroPlayerDlg::OnDriveRemoved(const QString& root) {
  if (root.isEmpty() || root != cardRoot) return;
  positionTimer->stop();
  StopAndReset();
  cardRoot.clear();
  ClearRecordingLists();
  for (int id : kTypeButtons) buttons.value(id)->SetCheck(false);

  frontVideo->hide();
  fileNameLabel->SetWindowText(QString());
  fileNameLabel->RefreshBackground();
  for (int id : {IDC_ELAPSED_LABEL, IDC_DURATION_LABEL}) {
    labels.value(id)->SetWindowText(TimeText(0));
    labels.value(id)->RefreshBackground();
  }
  sliders.value(IDC_POSITION_SLIDER)->SetPos(0, true);
  sliders.value(IDC_SPEED_SLIDER)->SetPos(5, true);
  sliders.value(IDC_BRIGHTNESS_SLIDER)->SetPos(0, true);

  viewMode = ViewNormal;
  mapState = MapHidden;
  flipVertical = 0;
  flipHorizontal = 0;
  buttons.value(IDC_FLIP_VERTICAL)->SetCheck(false);
  buttons.value(IDC_FLIP_HORIZONTAL)->SetCheck(false);
  UpdateControlStates(NoRecordings);
  DrawGSensorGraph();
  if (informationDlg) informationDlg->ZeroFigures();
  update();
}

void CTavroPlayerDlg::OnInformation() {
  if (!HasRemovableDrive()) {
    dialogs.message(LoadUiString(IDS_NO_CARD_DRIVE), false);
    return;
  }
  if (cardRoot.isEmpty()) {
    if (!SelectDriveAndScan() || cardRoot.isEmpty()) return;
  }
  bool uncheckFolder = false;
  if (!services.Drives()->IsRemovable(cardRoot)) {
    // A folder on a fixed disk has no card figures: ask for the card first.
    if (!SelectDriveAndScan()) return;
    uncheckFolder = true;
  }
  if (informationDlg) delete informationDlg.data();
  informationDlg = new CInformationDlg(
      this, cardRoot, *services.Drives(), [this](int id) { return LoadUiString(id); },
      [this](int id) { return services.Strings().Load(id, StringTable::SystemLanguage()); });
  informationDlg->show();
  if (uncheckFolder) buttons.value(IDC_FOLDER)->SetCheck(false);
}

void CTavroPlayerDlg::ClearRecordingLists() { rows->Clear(); }

void CTavroPlayerDlg::SetTypeButtons(int typeFilter) {
  for (int i = 0; i < 4; ++i) buttons.value(kTypeButtons[i])->SetCheck(i + 1 == typeFilter);
}

int CTavroPlayerDlg::FirstCheckedType() const {
  for (int i = 0; i < 4; ++i)
    if (buttons.value(kTypeButtons[i])->GetCheck()) return i + 1;
  return 0;
}

bool CTavroPlayerDlg::ScanRecordings(int typeFilter, bool dateFilter) {
  if (typeFilter < TypeAll || typeFilter > TypeMotion) typeFilter = TypeAll;
  // The loaded recording keeps playing through a rescan; its row is found again so that the
  // played-row mark and previous/next follow the recording, not a row number.
  const QString loadedPath =
      currentIndex >= 0 && currentIndex < rows->rowCount() ? rows->Entry(currentIndex).path : QString();
  ClearRecordingLists();
  SetTypeButtons(typeFilter);
  ScanFilter filter;
  filter.typeCode = QString::fromLatin1(kTypeCodes[typeFilter - 1]);
  filter.dateFilter = dateFilter;
  filter.dateKey = DateKey(selectedDate);
  std::vector<RecordingEntry> entries = ListFolderEntries(RecordingsFolder(cardRoot, listingFolderItself), filter);
  rows->SetEntries(std::move(entries));
  AttachCheckCells(*recordingList);
  if (CConfigListCtrl* panel = PanelList()) AttachCheckCells(*panel);
  if (!loadedPath.isEmpty()) {
    currentIndex = -1;
    for (int row = 0; row < rows->rowCount(); ++row)
      if (rows->Entry(row).path == loadedPath) currentIndex = row;
  }
  return true;
}

void CTavroPlayerDlg::OnListClick(int row) {
  CConfigListCtrl* panel = PanelList();
  if (!panel || row < 0) return;
  if (CCellCtrl* cell = panel->GetCell(row, 3)) {
    cell->text = recordingList->GetItemText(row, 3);
    panel->UpdateCellText(cell, cell->text);
  }
  panel->DeselectAll();
  panel->SelectItem(row);
}

void CTavroPlayerDlg::OnTypeFilter(int typeFilter) {
  buttons.value(IDC_CHECK_ALL)->SetCheck(false);
  SetTypeButtons(typeFilter);
  if (cardRoot.isEmpty()) {
    if (!SelectDriveAndScan()) return;
    if (cardRoot.isEmpty()) return;
  }
  ScanRecordings(typeFilter, buttons.value(IDC_CALENDAR)->GetCheck());
}

void CTavroPlayerDlg::OnCalendar() {
  CSovSkinButton* calendar = buttons.value(IDC_CALENDAR);
  if (calendar->GetCheck()) {
    if (const std::optional<qint64> date = dialogs.selectDate()) {
      selectedDate = *date;
      if (const int type = FirstCheckedType()) ScanRecordings(type, true);
    } else {
      calendar->SetCheck(false);
    }
  } else if (const int type = FirstCheckedType()) {
    ScanRecordings(type, false);
  }
}

void CTavroPlayerDlg::OnFolder() {
  CSovSkinButton* folder = buttons.value(IDC_FOLDER);
  if (!folder->GetCheck()) {
    // The folder's rows stay listed; a card listed before the folder was chosen comes back.
    folderMode = false;
    folder->SetCheck(false);
    if (!cardRootBeforeFolder.isEmpty()) {
      cardRoot = cardRootBeforeFolder;
      cardRootBeforeFolder.clear();
      listingFolderItself = false;
      const int type = FirstCheckedType();
      ScanRecordings(type ? type : TypeAll, buttons.value(IDC_CALENDAR)->GetCheck());
    }
    return;
  }
  const QString chosen = dialogs.chooseFolder(QString(), LoadUiString(IDS_SELECT_FOLDER), QString());
  if (chosen.isEmpty()) {
    folderMode = false;
    folder->SetCheck(false);
    return;
  }
  if (!listingFolderItself && !cardRoot.isEmpty()) cardRootBeforeFolder = cardRoot;
  QString root = QDir::cleanPath(chosen);
  if (!root.endsWith('/')) root += '/';
  cardRoot = root;
  folderMode = true;
  listingFolderItself = true;
  const bool dateFilter = buttons.value(IDC_CALENDAR)->GetCheck();
  int type = FirstCheckedType();
  if (!type) {
    buttons.value(IDC_TYPE_ALL)->SetCheck(true);
    type = TypeAll;
  }
  ScanRecordings(type, dateFilter);
}

void CTavroPlayerDlg::OnCheckAll() {
  const bool check = buttons.value(IDC_CHECK_ALL)->GetCheck();
  const QString text = check ? QStringLiteral("1") : QStringLiteral("0");
  CConfigListCtrl* panel = PanelList();
  for (int row = 0; row < recordingList->GetItemCount(); ++row) {
    for (CConfigListCtrl* list : {recordingList, panel}) {
      if (!list) continue;
      if (CCellCtrl* cell = list->GetCell(row, 3)) {
        cell->text = text;
        list->UpdateCellText(cell, text);
      }
    }
  }
  buttons.value(IDC_CHECK_ALL)->SetCheck(check);
  recordingList->update();
}

void CTavroPlayerDlg::OnSave() {
  const int count = recordingList->GetItemCount();
  int first = -1;
  for (int row = 0; row < count && first < 0; ++row)
    if (recordingList->GetItemText(row, 3) == QStringLiteral("1")) first = row;
  if (first < 0 || recordingList->GetItemText(first, 4).isEmpty()) return;

  const QString folder =
      dialogs.chooseFolder(LoadUiString(IDS_SAVE_TITLE), LoadUiString(IDS_SELECT_FOLDER), lastSaveFolder);
  if (folder.isEmpty()) return;
  lastSaveFolder = folder;

  std::vector<CopyJob> jobs;
  for (int row = 0; row < recordingList->GetItemCount(); ++row) {
    if (recordingList->GetItemText(row, 3) != QStringLiteral("1")) continue;
    const QString path = recordingList->GetItemText(row, 4);
    const QString name = recordingList->GetItemText(row, 0);
    jobs.push_back({path, SaveDestination(folder, name, path)});
  }
  CopyRecordings(this, jobs, [this](int id) { return LoadUiString(id); }, dialogs.copy);
}

void CTavroPlayerDlg::OnDelete() {
  const int count = recordingList->GetItemCount();
  if (count == 0) return;
  QStringList checkTexts;
  for (int row = 0; row < count; ++row) checkTexts << recordingList->GetItemText(row, 3);
  const DeletePlan plan = PlanDelete(checkTexts, currentIndex);
  if (plan.question == DeleteQuestion::None) return;
  const auto loadUiString = [this](int id) { return LoadUiString(id); };
  const bool confirm = DeleteAsksToConfirm(plan.question);
  const int answer = dialogs.message(DeleteMessage(plan.question, loadUiString), confirm);
  if (!confirm || answer != QMessageBox::Ok) return;

  QApplication::setOverrideCursor(Qt::WaitCursor);
  QStringList paths;
  for (int row : plan.rowsToDelete) paths << recordingList->GetItemText(row, 4);
  const QStringList failed = DeleteRecordingFiles(paths);
  if (const int type = FirstCheckedType()) ScanRecordings(type, buttons.value(IDC_CALENDAR)->GetCheck());
  if (const std::optional<int> select = RowToSelectAfterDelete(plan.firstChecked, recordingList->GetItemCount())) {
    recordingList->DeselectAll();
    recordingList->SelectItem(*select);
    if (CConfigListCtrl* panel = PanelList()) {
      panel->DeselectAll();
      panel->SelectItem(*select);
    }
  }
  QApplication::restoreOverrideCursor();
  // A recording that is still on the card after the user confirmed its deletion must not look
  // deleted: say which ones stayed.
  if (!failed.isEmpty()) dialogs.message(DeleteFailureMessage(failed, loadUiString), false);
}
