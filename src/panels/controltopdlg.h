// CControlTopDlg: the top bar of the extended view: the open recording's name, the channel and
// flip buttons and Reduce, each forwarded to the main window's command.
#pragma once

#include "paneldialog.h"

#include <QPixmap>

class CSovSkinButton;
class CSovStaticTrans;

class CControlTopDlg : public CPanelDialog {
  Q_OBJECT
 public:
  static constexpr int kHeight = 40;

  CControlTopDlg(PanelHost* host, QWidget* parent);

  // Places the buttons along the right edge of the bar's current width.
  void LayoutControls();

  // ---- Twins the main window writes ----
  // The name after the last backslash of the open recording's path; empty after a reset.
  void SetFileName(const QString& name);
  // Checks the button of channel view 1 (front), 2 (rear) or 4 (both) and unchecks the other two;
  // any other view leaves all three unchecked.
  void SetChannelView(int view);
  void SetFlipVerticalCheck(bool on);
  void SetFlipHorizontalCheck(bool on);
  // Front alone, and rear, both and the two flips together (a one-camera recording has only front).
  void SetViewButtonsEnabled(bool front, bool rearBothAndFlips);

  CSovSkinButton* Button(int id) const;
  CSovStaticTrans* FileNameLabel() const { return fileNameLabel_; }

 protected:
  void DrawBackground(QPainter& painter) override;

 private:
  void CreateControls();
  void OnInitDialog();
  void OnCommand(int id);

  CSovStaticTrans* fileNameLabel_ = nullptr;
  CSovSkinButton* reduceButton_ = nullptr;
  CSovSkinButton* frontButton_ = nullptr;
  CSovSkinButton* rearButton_ = nullptr;
  CSovSkinButton* bothButton_ = nullptr;
  CSovSkinButton* flipVerticalButton_ = nullptr;
  CSovSkinButton* flipHorizontalButton_ = nullptr;
  QPixmap strip_;  // bitmap 270, one pixel wide
};
