// The drive selection dialog: offers the removable volumes and returns the one holding the card.
#pragma once

#include <QDialog>
#include <QString>
#include <functional>

class QComboBox;
class QLabel;
class QPushButton;
class RemovableDrives;

// Whether at least one removable volume is mounted.
bool HasRemovableDrive(const RemovableDrives& drives);

class CSelectDriveDlg : public QDialog {
  Q_OBJECT
 public:
  CSelectDriveDlg(QWidget* parent, const RemovableDrives& drives,
                  std::function<QString(int)> loadUiString);

  // Ends with Rejected at once, without showing, when no removable volume is offered.
  int exec() override;
  void accept() override;

  // The chosen entry's text, "root[label]"; set when the dialog ends with OK.
  QString selectedText() const { return selectedText_; }
  // The drive root of the chosen entry (the mount point with its trailing "/").
  QString SelectedRoot() const { return selectedRoot_; }

  // The entry text of one volume: root and label, or root and string 429 when it has no label.
  static QString EntryText(const QString& root, const QString& label, const QString& noLabelText);

 private:
  void CreateControls();
  void FillDrives();

  const RemovableDrives& drives_;
  std::function<QString(int)> loadUiString_;
  QComboBox* driveCombo_ = nullptr;
  QLabel* driveLabel_ = nullptr;
  QLabel* hintLabel_ = nullptr;
  QPushButton* okButton_ = nullptr;
  QString selectedText_;
  QString selectedRoot_;
};
