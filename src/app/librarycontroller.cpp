#include "librarycontroller.h"

#include "controlfilelistdlg.h"
#include "deleteplan.h"
#include "dialoghooks.h"
#include "filecopy.h"
#include "informationdlg.h"
#include "mainlayout.h"
#include "platformservices.h"
#include "recordinglists.h"
#include "recordingmodel.h"
#include "recordingscan.h"
#include "recordingsession.h"
#include "removabledrives.h"
#include "resourceids.h"
#include "selectdrivedlg.h"
#include "skinbutton.h"
#include "stringtable.h"
#include "transportcontroller.h"

#include <QApplication>
#include <QDir>
#include <QMessageBox>

using namespace ids;

LibraryController::LibraryController(PlatformServices& services, RecordingLists& lists,
                                     TransportController& transport, RecordingSession& session, MainLayout& layout,
                                     Controls controls, PlayerDialogs& dialogs,
                                     std::function<QString(int)> loadUiString, QWidget* window)
    : QObject(nullptr),
      services_(services),
      lists_(lists),
      transport_(transport),
      session_(session),
      layout_(layout),
      controls_(controls),
      dialogs_(dialogs),
      loadUiString_(std::move(loadUiString)),
      window_(window) {}

LibraryController::~LibraryController() = default;

void LibraryController::SetFileListPanel(CControlFileListDlg* panel) {
  fileListPanel_ = panel;
  SetTypeButtons(FirstCheckedType());
  SetCalendarChecked(controls_.calendar->GetCheck());
  SetFolderChecked(controls_.folder->GetCheck());
  SetCheckAllChecked(controls_.checkAll->GetCheck());
}

CInformationDlg* LibraryController::InformationDialog() const { return informationDlg_; }

bool LibraryController::HasRemovableDrive() const {
  RemovableDrives* drives = services_.Drives();
  return drives && ::HasRemovableDrive(*drives);
}

void LibraryController::OnDetectCard() {
  if (!startFolder_.isEmpty()) {
    ListFolderMode(startFolder_);
    return;
  }
  if (HasRemovableDrive()) SelectDriveAndScan();
}

bool LibraryController::SelectDriveAndScan() {
  const std::optional<QString> root = dialogs_.selectDrive();
  if (!root || root->isEmpty()) return false;
  if (*root == cardRoot_) return false;
  cardRoot_ = *root;
  folderMode_ = false;
  listingFolderItself_ = false;
  ScanRecordings(TypeAll, false);
  layout_.UpdateControlStates(Listed);
  return true;
}

void LibraryController::ListFolder(const QString& folder, bool asCard) {
  QString root = QDir::cleanPath(folder);
  if (!root.endsWith('/')) root += '/';
  cardRoot_ = root;
  folderMode_ = !asCard;
  listingFolderItself_ = !asCard;
}

void LibraryController::ListFolderMode(const QString& folder) {
  // A copy of a whole card (it has its "Recordings" folder) is listed as a card.
  const bool cardCopy = QDir(QDir::cleanPath(folder) + QStringLiteral("/Recordings")).exists();
  ListFolder(folder, cardCopy);
  SetFolderChecked(folderMode_);
  RescanWithCurrentFilters();
  layout_.UpdateControlStates(Listed);
}

void LibraryController::OnDriveRemoved(const QString& root) {
  if (root.isEmpty()) return;
  // A card listed before a folder was chosen is not listed again once it is gone.
  if (!cardRootBeforeFolder_.isEmpty() && cardRootBeforeFolder_.startsWith(root)) cardRootBeforeFolder_.clear();
  if (root != cardRoot_) return;
  transport_.StopTimer();
  transport_.StopAndReset();
  cardRoot_.clear();
  ClearRecordingLists();
  SetTypeButtons(0);

  layout_.HideVideo();
  transport_.ResetDisplay();
  transport_.ResetSpeedAndBrightness();

  // The window leaves the extended view as the extend command does: a maximised window with the
  // normal face in a corner and no way back would be all that is left otherwise.
  layout_.LeaveExtendedView();
  layout_.SetMapState(MapHidden);
  session_.ResetFlips();
  layout_.UpdateControlStates(NoRecordings);
  emit cardRemoved();
  if (informationDlg_) informationDlg_->ZeroFigures();
  window_->update();
}

void LibraryController::OnInformation() {
  if (!HasRemovableDrive()) {
    dialogs_.message(loadUiString_(IDS_NO_CARD_DRIVE), false);
    return;
  }
  if (cardRoot_.isEmpty()) {
    if (!SelectDriveAndScan() || cardRoot_.isEmpty()) return;
  }
  RemovableDrives& drives = *services_.Drives();
  // A folder on the card belongs to the card: its figures are the card's.
  QString card = drives.VolumeRootOf(cardRoot_);
  bool uncheckFolder = false;
  if (card.isEmpty()) {
    // A folder on a fixed disk has no card figures: ask for the card first.
    if (!SelectDriveAndScan()) return;
    card = cardRoot_;
    uncheckFolder = true;
  }
  if (informationDlg_) delete informationDlg_.data();
  informationDlg_ = new CInformationDlg(
      window_, card, drives, loadUiString_,
      [this](int id) { return services_.Strings().Load(id, StringTable::SystemLanguage()); });
  informationDlg_->show();
  if (uncheckFolder) SetFolderChecked(false);
}

void LibraryController::ClearRecordingLists() { lists_.Clear(); }

void LibraryController::SetTypeButtons(int typeFilter) {
  for (int i = 0; i < 4; ++i) controls_.types[i]->SetCheck(i + 1 == typeFilter);
  if (fileListPanel_) fileListPanel_->SetTypeFilter(typeFilter);
}

void LibraryController::SetCalendarChecked(bool on) {
  controls_.calendar->SetCheck(on);
  if (fileListPanel_) fileListPanel_->SetCalendarCheck(on);
}

void LibraryController::SetFolderChecked(bool on) {
  controls_.folder->SetCheck(on);
  if (fileListPanel_) fileListPanel_->SetFolderCheck(on);
}

void LibraryController::SetCheckAllChecked(bool on) {
  controls_.checkAll->SetCheck(on);
  if (fileListPanel_) fileListPanel_->SetCheckAllCheck(on);
}

int LibraryController::FirstCheckedType() const {
  for (int i = 0; i < 4; ++i)
    if (controls_.types[i]->GetCheck()) return i + 1;
  return 0;
}

void LibraryController::RescanWithCurrentFilters() {
  const int type = FirstCheckedType();
  ScanRecordings(type ? type : TypeAll, controls_.calendar->GetCheck());
}

bool LibraryController::ScanRecordings(int typeFilter, bool dateFilter) {
  if (typeFilter < TypeAll || typeFilter > TypeMotion) typeFilter = TypeAll;
  SetTypeButtons(typeFilter);
  ScanFilter filter;
  filter.typeCode = TypeCodeForFilter(typeFilter);
  filter.dateFilter = dateFilter;
  filter.dateKey = DateKey(selectedDate_);
  lists_.Replace(ListFolderEntries(RecordingsFolder(cardRoot_, listingFolderItself_), filter));
  return true;
}

void LibraryController::OnListClick(int row) {
  // The check mark reaches the twin through the rows model; the selection is copied here.
  lists_.SelectInTwin(row);
}

void LibraryController::OnTypeFilter(int typeFilter) {
  SetCheckAllChecked(false);
  SetTypeButtons(typeFilter);
  if (cardRoot_.isEmpty()) {
    if (!SelectDriveAndScan()) return;
    if (cardRoot_.isEmpty()) return;
  }
  ScanRecordings(typeFilter, controls_.calendar->GetCheck());
}

void LibraryController::OnCalendar() {
  // A click has toggled the window's button (or the panel's, copied into it first).
  SetCalendarChecked(controls_.calendar->GetCheck());
  if (controls_.calendar->GetCheck()) {
    if (const std::optional<qint64> date = dialogs_.selectDate()) {
      selectedDate_ = *date;
      if (const int type = FirstCheckedType()) ScanRecordings(type, true);
    } else {
      SetCalendarChecked(false);
    }
  } else if (const int type = FirstCheckedType()) {
    ScanRecordings(type, false);
  }
}

void LibraryController::OnFolder() {
  if (!controls_.folder->GetCheck()) {
    // The folder's rows stay listed; a card listed before the folder was chosen comes back.
    folderMode_ = false;
    SetFolderChecked(false);
    if (!cardRootBeforeFolder_.isEmpty()) {
      cardRoot_ = cardRootBeforeFolder_;
      cardRootBeforeFolder_.clear();
      listingFolderItself_ = false;
      RescanWithCurrentFilters();
    }
    return;
  }
  const QString chosen = dialogs_.chooseFolder(QString(), loadUiString_(IDS_SELECT_FOLDER), QString());
  if (chosen.isEmpty()) {
    folderMode_ = false;
    SetFolderChecked(false);
    return;
  }
  SetFolderChecked(true);
  if (!listingFolderItself_ && !cardRoot_.isEmpty()) cardRootBeforeFolder_ = cardRoot_;
  ListFolder(chosen, false);
  if (!FirstCheckedType()) SetTypeButtons(TypeAll);
  RescanWithCurrentFilters();
}

void LibraryController::OnCheckAll() {
  const bool check = controls_.checkAll->GetCheck();
  lists_.CheckAll(check);
  SetCheckAllChecked(check);
  lists_.UpdateLists();
}

void LibraryController::OnSave() {
  const std::vector<int> checked = lists_.CheckedRows();
  if (checked.empty()) return;

  const QString folder =
      dialogs_.chooseFolder(loadUiString_(IDS_SAVE_TITLE), loadUiString_(IDS_SELECT_FOLDER), lastSaveFolder_);
  if (folder.isEmpty()) return;
  lastSaveFolder_ = folder;

  std::vector<CopyJob> jobs;
  for (int row : checked) {
    const QString path = lists_.PathOf(row);
    jobs.push_back({path, SaveDestination(folder, lists_.NameOf(row), path)});
  }
  CopyRecordings(window_, jobs, loadUiString_, dialogs_.copy);
}

void LibraryController::OnDelete() {
  const int count = lists_.RowCount();
  if (count == 0) return;
  QStringList checkTexts;
  for (int row = 0; row < count; ++row) checkTexts << (lists_.IsChecked(row) ? QStringLiteral("1") : QStringLiteral("0"));
  const DeletePlan plan = PlanDelete(checkTexts, lists_.CurrentIndex());
  if (plan.question == DeleteQuestion::None) return;
  const bool confirm = DeleteAsksToConfirm(plan.question);
  const int answer = dialogs_.message(DeleteMessage(plan.question, loadUiString_), confirm);
  if (!confirm || answer != QMessageBox::Ok) return;

  QApplication::setOverrideCursor(Qt::WaitCursor);
  QStringList paths;
  for (int row : plan.rowsToDelete) {
    // The recording in the player is never deleted, whichever row shows it.
    const QString path = lists_.PathOf(row);
    if (path != session_.LoadedPath()) paths << path;
  }
  const QStringList failed = DeleteRecordingFiles(paths);
  if (const int type = FirstCheckedType()) ScanRecordings(type, controls_.calendar->GetCheck());
  if (const std::optional<int> select = RowToSelectAfterDelete(plan.firstChecked, lists_.RowCount()))
    lists_.SelectInBoth(*select);
  QApplication::restoreOverrideCursor();
  // A recording that is still on the card after the user confirmed its deletion must not look
  // deleted: say which ones stayed.
  if (!failed.isEmpty()) dialogs_.message(DeleteFailureMessage(failed, loadUiString_), false);
}
