// The information dialog: the card's total and free space, the space of each recording type,
// the recorder's firmware version and the player's version, on a borderless skinned window.
#pragma once

#include "windowdrag.h"

#include "cardfigures.h"

#include <QDialog>
#include <QPoint>
#include <QString>
#include <functional>
#include <memory>
#include <optional>

class CSovSkinButton;
class CSovStaticTrans;
class JobRunner;
class RemovableDrives;

class CInformationDlg : public QDialog {
  Q_OBJECT
 public:
  // Every figure is read once, on a worker thread, while the dialog shows with its figures empty
  // and a busy cursor; a new dialog is made for every Information command. An empty cardRoot
  // leaves the placeholder figures. drives is asked from the worker and must outlive the dialog.
  CInformationDlg(QWidget* parent, QString cardRoot, const RemovableDrives& drives,
                  std::function<QString(int)> loadUiString,
                  std::function<QString(int)> loadSystemString);
  ~CInformationDlg() override;

  // The card was removed: the five space figures read "0.0 GB" and the firmware version is empty;
  // figures still being read are dropped.
  void ZeroFigures();
  // Whether the card's figures are still being read.
  bool FiguresPending() const;

  CSovStaticTrans* Label(int id) const;
  QString LabelText(int id) const;

 signals:
  // The card's figures arrived and are shown.
  void figuresShown();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  void CreateCloseButton();
  void CreateLabels(const std::function<QString(int)>& loadUiString);
  void StartReadingFigures(const QString& cardRoot, const RemovableDrives& drives);
  void ShowFigures(const CardFigures& figures);
  void SetLabel(int id, const QString& text);

  CSovSkinButton* closeButton_ = nullptr;
  WindowDrag drag_;
  bool centred_ = false;
  // Last, so that its worker is joined before anything else of the dialog goes.
  std::unique_ptr<JobRunner> figuresJob_;
};
