// LibraryController: the recordings the player lists. It finds the card and follows its removal,
// scans the card or a chosen folder into the lists, carries out the type, date and folder filters
// and check-all, saves and deletes the checked recordings and opens the information dialog.
#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <array>
#include <functional>

class CControlFileListDlg;
class CInformationDlg;
class CSovSkinButton;
class MainLayout;
class PlatformServices;
class RecordingLists;
class RecordingSession;
class TransportController;
struct PlayerDialogs;

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
  bool SelectDriveAndScan();
  void OnDetectCard();
  void OnDriveRemoved(const QString& root);
  void OnInformation();
  bool ScanRecordings(int typeFilter, bool dateFilter);
  void ClearRecordingLists();
  void OnTypeFilter(int typeFilter);
  void OnCalendar();
  void OnFolder();
  void OnCheckAll();
  void OnSave();
  void OnDelete();
  void OnListClick(int row);
  // Lists folder as the folder command does; a copy of a whole card is listed as a card.
  void ListFolderMode(const QString& folder);

  QString CardRoot() const { return cardRoot_; }
  bool FolderMode() const { return folderMode_; }
  bool HasListing() const { return !cardRoot_.isEmpty(); }
  CInformationDlg* InformationDialog() const;

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
};
