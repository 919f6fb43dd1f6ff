// LibraryController: the recordings the player lists. It finds the card and follows its removal,
// scans the card or a chosen folder into the lists, carries out the type, date and folder filters
// and check-all, saves and deletes the checked recordings and opens the information dialog.
// Scans and deletes run on worker threads (a slow card never stops the window); their results
// replace the rows in one step on this thread, and whatever follows a scan runs after that.
#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <array>
#include <functional>
#include <memory>
#include <vector>

class CControlFileListDlg;
class CInformationDlg;
class CSovSkinButton;
class JobRunner;
class MainLayout;
class PlatformServices;
class RecordingLists;
class RecordingSession;
class TransportController;
struct PlayerDialogs;
struct RecordingEntry;
struct ScanFilter;

class LibraryController : public QObject {
  Q_OBJECT
 public:
  struct Controls {
    std::array<CSovSkinButton*, 4> types;  // All, Normal, Event, Motion
    CSovSkinButton* calendar;
    CSovSkinButton* folder;
    CSovSkinButton* checkAll;
  };

  LibraryController(PlatformServices& services, RecordingLists& lists, TransportController& transport,
                    RecordingSession& session, MainLayout& layout, Controls controls, PlayerDialogs& dialogs,
                    std::function<QString(int)> loadUiString, QWidget* window);
  ~LibraryController() override;

  // The extended view's file list panel, whose filter and toggle buttons are twins of the window's.
  void SetFileListPanel(CControlFileListDlg* panel);
  // A folder to list at start instead of searching for a card.
  void SetStartFolder(const QString& folder) { startFolder_ = folder; }

  bool HasRemovableDrive() const;
  // True when a new card was chosen; its rows (and the Listed control states) arrive later.
  bool SelectDriveAndScan();
  void OnDetectCard();
  void OnDriveRemoved(const QString& root);
  void OnInformation();
  // Starts listing the card with the filter; a scan still running is superseded (its rows are
  // dropped). Always true: the rows arrive later.
  bool ScanRecordings(int typeFilter, bool dateFilter);
  // Drops a scan still running, then empties the lists.
  void ClearRecordingLists();
  void OnTypeFilter(int typeFilter);
  void OnCalendar();
  void OnFolder();
  void OnCheckAll();
  void OnSave();
  // Deletes off the user-interface thread; ignored while an earlier delete is still running, as
  // the rows it would act on are about to change.
  void OnDelete();
  void OnListClick(int row);
  // Lists folder as the folder command does; a copy of a whole card is listed as a card.
  void ListFolderMode(const QString& folder);

  QString CardRoot() const { return cardRoot_; }
  bool FolderMode() const { return folderMode_; }
  bool HasListing() const { return !cardRoot_.isEmpty(); }
  CInformationDlg* InformationDialog() const;
  // Whether a scan or a delete is still running (the busy cursor shows meanwhile).
  bool IsBusy() const;

 signals:
  // The listed card went away; everything of its recordings is gone from the window.
  void cardRemoved();

 private:
  int FirstCheckedType() const;
  // The one place each twin is written: the window's buttons and the file list panel's.
  void SetTypeButtons(int typeFilter);  // 0: none checked
  void SetCalendarChecked(bool on);
  void SetFolderChecked(bool on);
  void SetCheckAllChecked(bool on);
  void RescanWithCurrentFilters();
  void ListFolder(const QString& folder, bool asCard);
  ScanFilter FilterFor(int typeFilter, bool dateFilter) const;
  // Lists folder on a worker; the rows replace the lists' in one step, then then() runs. A later
  // scan or a removal of the card drops both.
  void StartScan(const QString& folder, const ScanFilter& filter, std::function<void()> then = {});
  void ApplyRows(std::vector<RecordingEntry> rows);
  void FinishDelete(const QStringList& failed, int firstChecked);
  void UpdateBusyCursor();

  PlatformServices& services_;
  RecordingLists& lists_;
  TransportController& transport_;
  RecordingSession& session_;
  MainLayout& layout_;
  Controls controls_;
  PlayerDialogs& dialogs_;
  std::function<QString(int)> loadUiString_;
  QWidget* window_;

  QString cardRoot_;
  bool folderMode_ = false;
  // True while cardRoot_ is a chosen folder whose files are listed directly (no "Recordings").
  bool listingFolderItself_ = false;
  // The card that was listed when a folder was chosen; switching folder mode off lists it again.
  QString cardRootBeforeFolder_;
  qint64 selectedDate_ = 0;
  QString lastSaveFolder_;
  QString startFolder_;
  QPointer<CInformationDlg> informationDlg_;
  QPointer<CControlFileListDlg> fileListPanel_;

  // One listing at a time: a newer scan supersedes an older one.
  std::unique_ptr<JobRunner> scans_;
  std::unique_ptr<JobRunner> deletes_;
  // A card or folder was chosen: the control states become Listed once its rows are in, whichever
  // scan brings them.
  bool listedPending_ = false;
  bool busyCursorShown_ = false;
};
