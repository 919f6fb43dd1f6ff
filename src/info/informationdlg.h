// The information dialog: the card's total and free space, the space of each recording type,
// the recorder's firmware version and the player's version, on a borderless skinned window.
#pragma once

#include "windowdrag.h"

#include "cardfigures.h"

#include <QDialog>
#include <QPoint>
#include <QString>
#include <functional>
#include <optional>

class CSovSkinButton;
class CSovStaticTrans;
class RemovableDrives;

class CInformationDlg : public QDialog {
  Q_OBJECT
 public:
  // Every figure is computed here, once; a new dialog is made for every Information command.
  // An empty cardRoot leaves the placeholder figures.
  CInformationDlg(QWidget* parent, QString cardRoot, const RemovableDrives& drives,
                  std::function<QString(int)> loadUiString,
                  std::function<QString(int)> loadSystemString);

  // The card was removed: the five space figures read "0.0 GB" and the firmware version is empty.
  void ZeroFigures();

  CSovStaticTrans* Label(int id) const;
  QString LabelText(int id) const;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  void CreateCloseButton();
  void CreateLabels(const std::function<QString(int)>& loadUiString);
  void ComputeFigures(const QString& cardRoot, const RemovableDrives& drives);
  void SetLabel(int id, const QString& text);

  CSovSkinButton* closeButton_ = nullptr;
  WindowDrag drag_;
  bool centred_ = false;
};
