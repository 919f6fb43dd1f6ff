#include "librarycontroller.h"

#include "controlfilelistdlg.h"
#include "deleteplan.h"
#include "dialoghooks.h"
#include "filecopy.h"
#include "informationdlg.h"
#include "jobrunner.h"
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
      window_(window),
      scans_(std::make_unique<JobRunner>()),
      deletes_(std::make_unique<JobRunner>()) {
  connect(scans_.get(), &JobRunner::runningChanged, this, &LibraryController::UpdateBusyCursor);
  connect(deletes_.get(), &JobRunner::runningChanged, this, &LibraryController::UpdateBusyCursor);
}

LibraryController::~LibraryController() {
  // Abort, join: nothing a worker found reaches the lists after this.
  scans_.reset();
  deletes_.reset();
  if (busyCursorShown_) QApplication::restoreOverrideCursor();
}

bool LibraryController::IsBusy() const { return scans_->IsRunning() || deletes_->IsRunning(); }

void LibraryController::UpdateBusyCursor() {
  const bool busy = scans_ && deletes_ && IsBusy();
  if (busy == busyCursorShown_) return;
  busyCursorShown_ = busy;
  // The busy arrow, not the hourglass: the window goes on answering meanwhile.
  if (busy)
    QApplication::setOverrideCursor(Qt::BusyCursor);
  else
    QApplication::restoreOverrideCursor();
}

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
  listedPending_ = true;
  ScanRecordings(TypeAll, false);
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
  // The folder is listed as a folder until the worker has looked inside: a copy of a whole card
  // (it has its "Recordings" folder) is then listed as a card.
  ListFolder(folder, false);
  SetFolderChecked(folderMode_);
  const int type = FirstCheckedType() ? FirstCheckedType() : int(TypeAll);
  SetTypeButtons(type);
  const ScanFilter filter = FilterFor(type, controls_.calendar->GetCheck());
  const QString root = cardRoot_;
  listedPending_ = true;
  scans_->Start([this, root, filter](std::stop_token stop) -> JobRunner::Apply {
    const bool cardCopy = HoldsRecordingsFolder(root);
    std::vector<RecordingEntry> rows = ListFolderEntries(RecordingsFolder(root, !cardCopy), filter, stop);
    return [this, root, cardCopy, rows = std::move(rows)]() mutable {
      if (cardCopy) {
        ListFolder(root, true);
        SetFolderChecked(folderMode_);
      }
      ApplyRows(std::move(rows));
    };
  });
}

void LibraryController::OnDriveRemoved(const QString& root) {
  if (root.isEmpty()) return;
  // A card listed before a folder was chosen is not listed again once it is gone.
  if (!cardRootBeforeFolder_.isEmpty() && cardRootBeforeFolder_.startsWith(root)) cardRootBeforeFolder_.clear();
  if (root != cardRoot_) return;
  // What a scan of the card still finds is dropped: the card is gone.
  listedPending_ = false;
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

void LibraryController::ClearRecordingLists() {
  scans_->Drop();
  lists_.Clear();
}

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

ScanFilter LibraryController::FilterFor(int typeFilter, bool dateFilter) const {
  ScanFilter filter;
  filter.typeCode = TypeCodeForFilter(typeFilter);
  filter.dateFilter = dateFilter;
  filter.dateKey = DateKey(selectedDate_);
  return filter;
}

bool LibraryController::ScanRecordings(int typeFilter, bool dateFilter) {
  if (typeFilter < TypeAll || typeFilter > TypeMotion) typeFilter = TypeAll;
  SetTypeButtons(typeFilter);
  StartScan(RecordingsFolder(cardRoot_, listingFolderItself_), FilterFor(typeFilter, dateFilter));
  return true;
}

void LibraryController::StartScan(const QString& folder, const ScanFilter& filter, std::function<void()> then) {
  // The worker touches nothing of this object: it lists, and hands over what the UI thread applies.
  scans_->Start([this, folder, filter, then = std::move(then)](std::stop_token stop) -> JobRunner::Apply {
    std::vector<RecordingEntry> rows = ListFolderEntries(folder, filter, stop);
    return [this, rows = std::move(rows), then]() mutable {
      ApplyRows(std::move(rows));
      if (then) then();
    };
  });
}

void LibraryController::ApplyRows(std::vector<RecordingEntry> rows) {
  lists_.Replace(std::move(rows));
  if (listedPending_) {
    listedPending_ = false;
    layout_.UpdateControlStates(Listed);
  }
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
  // The files are taken from the rows checked before the folder is asked for: a scan that lands
  // while the browser is open replaces the rows, and row numbers would then name other files.
  std::vector<std::pair<QString, QString>> files;  // path, name
  for (int row : lists_.CheckedRows()) files.emplace_back(lists_.PathOf(row), lists_.NameOf(row));
  if (files.empty()) return;

  const QString folder =
      dialogs_.chooseFolder(loadUiString_(IDS_SAVE_TITLE), loadUiString_(IDS_SELECT_FOLDER), lastSaveFolder_);
  if (folder.isEmpty()) return;
  lastSaveFolder_ = folder;

  std::vector<CopyJob> jobs;
  for (const auto& [path, name] : files) jobs.push_back({path, SaveDestination(folder, name, path)});
  CopyRecordings(window_, jobs, loadUiString_, dialogs_.copy);
}

void LibraryController::OnDelete() {
  if (deletes_->IsRunning()) return;
  const int count = lists_.RowCount();
  if (count == 0) return;
  QStringList checkTexts;
  for (int row = 0; row < count; ++row) checkTexts << (lists_.IsChecked(row) ? QStringLiteral("1") : QStringLiteral("0"));
  const DeletePlan plan = PlanDelete(checkTexts, lists_.CurrentIndex());
  if (plan.question == DeleteQuestion::None) return;
  // The files are taken from the rows the user checked before the question: a scan that lands
  // while it is asked replaces the rows, and row numbers would then name other files.
  QStringList paths;
  for (int row : plan.rowsToDelete) paths << lists_.PathOf(row);
  const bool confirm = DeleteAsksToConfirm(plan.question);
  const int answer = dialogs_.message(DeleteMessage(plan.question, loadUiString_), confirm);
  if (!confirm || answer != QMessageBox::Ok) return;
  // The question ran an event loop: a delete started meanwhile comes first.
  if (deletes_->IsRunning()) return;
  // The recording in the player is never deleted, whichever row shows it; the player may have
  // moved on to another recording while the question was open.
  paths.removeAll(session_.LoadedPath());

  const int firstChecked = plan.firstChecked;
  deletes_->Start([this, paths, firstChecked](std::stop_token stop) -> JobRunner::Apply {
    // A newer scan never stops a delete the user confirmed; only the player closing does.
    const QStringList failed = DeleteRecordingFiles(paths, stop);
    return [this, failed, firstChecked] { FinishDelete(failed, firstChecked); };
  });
}

void LibraryController::FinishDelete(const QStringList& failed, int firstChecked) {
  if (const int type = FirstCheckedType()) {
    SetTypeButtons(type);
    StartScan(RecordingsFolder(cardRoot_, listingFolderItself_), FilterFor(type, controls_.calendar->GetCheck()),
              [this, firstChecked] {
                if (const std::optional<int> select = RowToSelectAfterDelete(firstChecked, lists_.RowCount()))
                  lists_.SelectInBoth(*select);
              });
  }
  // A recording that is still on the card after the user confirmed its deletion must not look
  // deleted: say which ones stayed.
  if (!failed.isEmpty()) dialogs_.message(DeleteFailureMessage(failed, loadUiString_), false);
}
