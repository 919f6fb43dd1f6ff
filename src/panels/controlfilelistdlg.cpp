#include "controlfilelistdlg.h"

#include "configlistctrl.h"
#include "panelhost.h"
#include "recordinglist.h"
#include "resourceids.h"
#include "skinbitmap.h"
#include "skinbutton.h"

#include <QPainter>

using namespace ids;

namespace {

const PanelButtonSkin kButtons[] = {
    {IDC_FILES_FOLDER, 313, 315, 314, 313, 313, "Folder"},
    {IDC_FILES_CALENDAR, 148, 150, 149, 148, 148, "Calendar"},
    {IDC_FILES_SAVE, 154, 156, 155, 154, 154, "Save"},
    {IDC_FILES_DELETE, 151, 153, 152, 151, 151, "Delete"},
    {IDC_FILES_CHECK, 451, 453, 452, 451, 451, nullptr},
    {IDC_FILES_ALL, 164, 166, 165, 164, 164, "A"},
    {IDC_FILES_NORMAL, 173, 175, 174, 173, 173, "N"},
    {IDC_FILES_EVENT, 167, 169, 168, 167, 167, "E"},
    {IDC_FILES_MOTION, 170, 172, 171, 170, 170, "M"},
};

struct ButtonPlace {
  int id;
  QRect rect;
};

const ButtonPlace kPlaces[] = {
    {IDC_FILES_FOLDER, {177, 5, 36, 22}}, {IDC_FILES_CALENDAR, {213, 5, 36, 22}},
    {IDC_FILES_SAVE, {246, 5, 34, 22}},   {IDC_FILES_DELETE, {280, 5, 36, 22}},
    {IDC_FILES_CHECK, {269, 59, 39, 19}}, {IDC_FILES_ALL, {1, 30, 81, 29}},
    {IDC_FILES_NORMAL, {82, 30, 81, 29}}, {IDC_FILES_EVENT, {163, 30, 81, 29}},
    {IDC_FILES_MOTION, {244, 30, 82, 29}},
};

// The panel shows the part of the face that lies behind the main window's own list.
const QRect kFaceListArea(693, 47, CControlFileListDlg::kWidth, CControlFileListDlg::kHeight);

}  // namespace

CControlFileListDlg::CControlFileListDlg(PanelHost* host, QWidget* parent)
    : CPanelDialog(kFileListTemplate, host, parent) {
  CreateControls();
  OnInitDialog();
}

void CControlFileListDlg::CreateControls() {
  list_ = new CConfigListCtrl(IDC_FILES_LIST, this);
  folderButton_ = new CSovSkinButton(IDC_FILES_FOLDER, ButtonKind::Check, this);
  calendarButton_ = new CSovSkinButton(IDC_FILES_CALENDAR, ButtonKind::Check, this);
  saveButton_ = new CSovSkinButton(IDC_FILES_SAVE, ButtonKind::Push, this);
  deleteButton_ = new CSovSkinButton(IDC_FILES_DELETE, ButtonKind::Push, this);
  checkButton_ = new CSovSkinButton(IDC_FILES_CHECK, ButtonKind::Check, this);
  allButton_ = new CSovSkinButton(IDC_FILES_ALL, ButtonKind::Check, this);
  normalButton_ = new CSovSkinButton(IDC_FILES_NORMAL, ButtonKind::Check, this);
  eventButton_ = new CSovSkinButton(IDC_FILES_EVENT, ButtonKind::Check, this);
  motionButton_ = new CSovSkinButton(IDC_FILES_MOTION, ButtonKind::Check, this);
  for (CSovSkinButton* button : findChildren<CSovSkinButton*>(Qt::FindDirectChildrenOnly)) {
    const int id = button->objectName().toInt();
    connect(button, &CSovSkinButton::clicked, this, [this, id] { OnCommand(id); });
  }
  connect(list_, &CConfigListCtrl::itemDoubleClicked, this, [this](int row) {
    if (PanelHost* host = Host()) host->PlayRowFromPanel(row);
  });
  connect(list_, &CConfigListCtrl::itemClicked, this, [this](int row) {
    if (PanelHost* host = Host()) host->OnPanelListClick(row);
  });
}

void CControlFileListDlg::OnInitDialog() {
  resize(kWidth, kHeight);
  background_ = QPixmap::fromImage(skin::LoadSkinBitmap(IDB_FACE).copy(kFaceListArea));
  ApplyButtonSkins(kButtons);
  SetUpList();
  for (const ButtonPlace& place : kPlaces) Button(place.id)->setGeometry(place.rect);
}

void CControlFileListDlg::SetUpList() {
  list_->setGeometry(1, 78, 308, 508);
  // The skinned scrollbar beside the list, and the list's own cut off.
  list_->CreateScrollbar();
  list_->UpdateLayout();
  PanelHost* host = Host();
  // The same columns as the main list, on the same rows.
  SetUpRecordingList(*list_, host ? host->RecordingRows() : nullptr);
  list_->SetRedraw(true);
  if (!host) return;
  list_->SetPlayedRowSource([host] { return host->CurrentIndex(); });
  host->AttachTwinList(list_);
}

void CControlFileListDlg::OnCommand(int id) {
  PanelHost* host = Host();
  if (!host) return;
  // Where the window's command reads its own toggle, that toggle first takes this one's state.
  auto copyInto = [host](int windowButtonId, const CSovSkinButton* from) {
    if (CSovSkinButton* twin = host->Button(windowButtonId)) twin->SetCheck(from->GetCheck());
  };
  switch (id) {
    case IDC_FILES_ALL: host->OnTypeFilter(typefilter::kAll); break;
    case IDC_FILES_NORMAL: host->OnTypeFilter(typefilter::kNormal); break;
    case IDC_FILES_EVENT: host->OnTypeFilter(typefilter::kEvent); break;
    case IDC_FILES_MOTION: host->OnTypeFilter(typefilter::kMotion); break;
    case IDC_FILES_CALENDAR:
      copyInto(IDC_CALENDAR, calendarButton_);
      host->OnCalendar();
      break;
    case IDC_FILES_FOLDER:
      copyInto(IDC_FOLDER, folderButton_);
      host->OnFolder();
      break;
    case IDC_FILES_CHECK:
      copyInto(IDC_CHECK_ALL, checkButton_);
      host->OnCheckAll();
      break;
    case IDC_FILES_SAVE: host->OnSave(); break;
    case IDC_FILES_DELETE: host->OnDelete(); break;
    default: break;
  }
}

void CControlFileListDlg::SetTypeFilter(int typeFilter) {
  allButton_->SetCheck(typeFilter == typefilter::kAll);
  normalButton_->SetCheck(typeFilter == typefilter::kNormal);
  eventButton_->SetCheck(typeFilter == typefilter::kEvent);
  motionButton_->SetCheck(typeFilter == typefilter::kMotion);
}

void CControlFileListDlg::SetCalendarCheck(bool on) { calendarButton_->SetCheck(on); }
void CControlFileListDlg::SetFolderCheck(bool on) { folderButton_->SetCheck(on); }
void CControlFileListDlg::SetCheckAllCheck(bool on) { checkButton_->SetCheck(on); }

void CControlFileListDlg::SetLibraryEnabled(bool listed) {
  folderButton_->setEnabled(true);
  for (CSovSkinButton* button : {calendarButton_, saveButton_, deleteButton_}) button->setEnabled(listed);
}

CSovSkinButton* CControlFileListDlg::Button(int id) const {
  return findChild<CSovSkinButton*>(ControlName(id), Qt::FindDirectChildrenOnly);
}

void CControlFileListDlg::DrawBackground(QPainter& painter) { painter.drawPixmap(0, 0, background_); }
