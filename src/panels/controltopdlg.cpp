#include "controltopdlg.h"

#include "panelhost.h"
#include "resourceids.h"
#include "skinbitmap.h"
#include "skinbutton.h"
#include "statictrans.h"

#include <QPainter>

using namespace ids;

namespace {

const PanelButtonSkin kButtons[] = {
    {IDC_TOP_FRONT, 473, 475, 474, 472, 473, "Front"},
    {IDC_TOP_REAR, 477, 479, 478, 476, 477, "Rear"},
    {IDC_TOP_BOTH, 481, 483, 482, 480, 481, "All"},
    {IDC_TOP_FLIP_VERTICAL, 485, 487, 486, 484, 485, "Flip Vertical"},
    {IDC_TOP_FLIP_HORIZONTAL, 489, 491, 490, 488, 489, "Flip Horizontal"},
    {IDC_TOP_REDUCE, 285, 287, 286, 285, 285, "Reduce"},
};

// Distance of each button's left edge from the bar's right edge, and its size.
struct RightAligned {
  int id;
  int fromRight, y, width, height;
};

const RightAligned kLayout[] = {
    {IDC_TOP_REDUCE, 56, 7, 37, 28},        {IDC_TOP_FLIP_HORIZONTAL, 99, 7, 37, 28},
    {IDC_TOP_FLIP_VERTICAL, 142, 7, 37, 28}, {IDC_TOP_BOTH, 188, 7, 40, 28},
    {IDC_TOP_REAR, 228, 7, 40, 28},          {IDC_TOP_FRONT, 268, 7, 40, 28},
};

}  // namespace

CControlTopDlg::CControlTopDlg(PanelHost* host, QWidget* parent)
    : CPanelDialog(kTopBarTemplate, host, parent) {
  CreateControls();
  OnInitDialog();
}

void CControlTopDlg::CreateControls() {
  fileNameLabel_ = new CSovStaticTrans(IDC_TOP_FILE_NAME_LABEL, this);
  reduceButton_ = new CSovSkinButton(IDC_TOP_REDUCE, ButtonKind::Push, this);
  frontButton_ = new CSovSkinButton(IDC_TOP_FRONT, ButtonKind::Check, this);
  rearButton_ = new CSovSkinButton(IDC_TOP_REAR, ButtonKind::Check, this);
  bothButton_ = new CSovSkinButton(IDC_TOP_BOTH, ButtonKind::Check, this);
  flipVerticalButton_ = new CSovSkinButton(IDC_TOP_FLIP_VERTICAL, ButtonKind::Check, this);
  flipHorizontalButton_ = new CSovSkinButton(IDC_TOP_FLIP_HORIZONTAL, ButtonKind::Check, this);
  for (CSovSkinButton* button : findChildren<CSovSkinButton*>(Qt::FindDirectChildrenOnly)) {
    const int id = button->objectName().toInt();
    connect(button, &CSovSkinButton::clicked, this, [this, id] { OnCommand(id); });
  }
}

void CControlTopDlg::OnInitDialog() {
  resize(width(), kHeight);
  strip_ = QPixmap::fromImage(skin::LoadSkinBitmap(IDB_TOP_STRIP));
  ApplyButtonSkins(kButtons);
  // The name lies directly on the bar's strip: no image and no colour of its own.
  fileNameLabel_->setGeometry(28, 11, 300, 15);
  fileNameLabel_->textColour = QColor(255, 255, 255);
  fileNameLabel_->RefreshBackground();
  fileNameLabel_->SetWindowText(QString());
}

void CControlTopDlg::LayoutControls() {
  const int w = width();
  for (const RightAligned& place : kLayout) {
    CSovSkinButton* button = Button(place.id);
    button->setGeometry(w - place.fromRight, place.y, place.width, place.height);
    button->update();
  }
}

void CControlTopDlg::OnCommand(int id) {
  PanelHost* host = Host();
  if (!host) return;
  switch (id) {
    case IDC_TOP_REDUCE: host->OnExtend(); break;
    case IDC_TOP_FRONT: host->OnViewFront(); break;
    case IDC_TOP_REAR: host->OnViewRear(); break;
    case IDC_TOP_BOTH: host->OnViewBoth(); break;
    case IDC_TOP_FLIP_VERTICAL: host->OnFlipVertical(); break;
    case IDC_TOP_FLIP_HORIZONTAL: host->OnFlipHorizontal(); break;
    default: break;
  }
}

void CControlTopDlg::SetFileName(const QString& name) {
  // Hidden while the text changes, so the old name is never seen under the new one.
  fileNameLabel_->hide();
  fileNameLabel_->SetWindowText(name);
  fileNameLabel_->RefreshBackground();
  fileNameLabel_->show();
}

void CControlTopDlg::SetChannelView(int view) {
  frontButton_->SetCheck(view == 1);
  rearButton_->SetCheck(view == 2);
  bothButton_->SetCheck(view == 4);
}

void CControlTopDlg::SetFlipVerticalCheck(bool on) { flipVerticalButton_->SetCheck(on); }
void CControlTopDlg::SetFlipHorizontalCheck(bool on) { flipHorizontalButton_->SetCheck(on); }

void CControlTopDlg::SetViewButtonsEnabled(bool front, bool rearBothAndFlips) {
  frontButton_->setEnabled(front);
  for (CSovSkinButton* button : {rearButton_, bothButton_, flipVerticalButton_, flipHorizontalButton_})
    button->setEnabled(rearBothAndFlips);
}

CSovSkinButton* CControlTopDlg::Button(int id) const {
  return findChild<CSovSkinButton*>(ControlName(id), Qt::FindDirectChildrenOnly);
}

void CControlTopDlg::DrawBackground(QPainter& painter) {
  painter.drawPixmap(QRect(0, 0, width(), strip_.height()), strip_);
}
