// CControlFileListDlg: the recording list of the extended view, shown above the transport bar's
// right end: a second view of the main window's rows with its own check cells and scrollbar, the
// type filters, calendar, folder, check, Save and Delete, forwarded to the main window.
#pragma once

#include "paneldialog.h"

#include <QPixmap>

class CConfigListCtrl;
class CSovSkinButton;

class CControlFileListDlg : public CPanelDialog {
  Q_OBJECT
 public:
  static constexpr int kWidth = 326;
  static constexpr int kHeight = 587;

  // Sets its list up on the host's rows and hands the list to the host.
  CControlFileListDlg(PanelHost* host, QWidget* parent);

  CConfigListCtrl* List() const { return list_; }
  CSovSkinButton* Button(int id) const;

  // ---- Twins the main window writes ----
  // Checks the tab of typefilter::kAll .. kMotion and unchecks the others; 0 unchecks all four.
  void SetTypeFilter(int typeFilter);
  void SetCalendarCheck(bool on);
  void SetFolderCheck(bool on);
  void SetCheckAllCheck(bool on);
  // Calendar, Save and Delete are usable once recordings are listed; Folder always is.
  void SetLibraryEnabled(bool listed);

 protected:
  void DrawBackground(QPainter& painter) override;

 private:
  void CreateControls();
  void OnInitDialog();
  void SetUpList();
  void OnCommand(int id);

  CConfigListCtrl* list_ = nullptr;
  CSovSkinButton* folderButton_ = nullptr;
  CSovSkinButton* calendarButton_ = nullptr;
  CSovSkinButton* saveButton_ = nullptr;
  CSovSkinButton* deleteButton_ = nullptr;
  CSovSkinButton* checkButton_ = nullptr;
  CSovSkinButton* allButton_ = nullptr;
  CSovSkinButton* normalButton_ = nullptr;
  CSovSkinButton* eventButton_ = nullptr;
  CSovSkinButton* motionButton_ = nullptr;
  QPixmap background_;  // the list area of the main window's face
};
