#include "selectdrivedlg.h"

#include "dialogunits.h"
#include "removabledrives.h"
#include "resourceids.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <algorithm>

bool HasRemovableDrive(const RemovableDrives& drives) { return !drives.Enumerate().isEmpty(); }

CSelectDriveDlg::CSelectDriveDlg(QWidget* parent, const RemovableDrives& drives,
                                 std::function<QString(int)> loadUiString)
    : QDialog(parent), drives_(drives), loadUiString_(std::move(loadUiString)) {
  setObjectName(ids::ControlName(ids::kSelectDriveTemplate));
  CreateControls();
  FillDrives();
}

QString CSelectDriveDlg::EntryText(const QString& root, const QString& label,
                                   const QString& noLabelText) {
  return QStringLiteral("%1[%2]").arg(root, label.isEmpty() ? noLabelText : label);
}

void CSelectDriveDlg::CreateControls() {
  using dialog_units::ToPixels;
  setFixedSize(ToPixels(0, 0, 191, 72).size());
  setWindowTitle(loadUiString_(ids::IDS_SELECT_DRIVE_TITLE));

  driveCombo_ = new QComboBox(this);
  driveCombo_->setObjectName(ids::ControlName(ids::IDC_DRIVE_COMBO));
  // The template's height includes the drop-down; the closed box is one line high.
  const QRect comboRect = ToPixels(52, 7, 124, 45);
  driveCombo_->setGeometry(comboRect.x(), comboRect.y(), comboRect.width(),
                           driveCombo_->sizeHint().height());

  driveLabel_ = new QLabel(loadUiString_(ids::IDS_SELECT_DRIVE_LABEL), this);
  driveLabel_->setObjectName(ids::ControlName(ids::IDC_DRIVE_LABEL));
  driveLabel_->setGeometry(ToPixels(13, 10, 30, 8));

  hintLabel_ = new QLabel(loadUiString_(ids::IDS_SELECT_DRIVE_HINT), this);
  hintLabel_->setObjectName(ids::ControlName(ids::IDC_DRIVE_HINT));
  hintLabel_->setAlignment(Qt::AlignCenter);
  hintLabel_->setGeometry(ToPixels(7, 32, 177, 8));

  okButton_ = new QPushButton(QStringLiteral("OK"), this);
  okButton_->setObjectName(ids::ControlName(ids::IDOK));
  okButton_->setDefault(true);
  okButton_->setGeometry(ToPixels(70, 51, 50, 14));
  connect(okButton_, &QPushButton::clicked, this, &QDialog::accept);
}

void CSelectDriveDlg::FillDrives() {
  struct Entry {
    QString text;
    QString root;
  };
  std::vector<Entry> entries;
  const QString noLabel = loadUiString_(ids::IDS_PORTABLE_DISK);
  for (const RemovableVolume& v : drives_.Enumerate())
    entries.push_back({EntryText(v.root, v.label, noLabel), v.root});
  // A sorted drop-down list orders its texts without regard to letter case.
  std::stable_sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) {
    const int c = QString::compare(a.text, b.text, Qt::CaseInsensitive);
    return c != 0 ? c < 0 : a.text < b.text;
  });
  for (const Entry& e : entries) driveCombo_->addItem(e.text, e.root);
  if (driveCombo_->count() > 0) driveCombo_->setCurrentIndex(0);
}

int CSelectDriveDlg::exec() {
  if (driveCombo_->count() == 0) {
    setResult(QDialog::Rejected);
    return QDialog::Rejected;
  }
  return QDialog::exec();
}

void CSelectDriveDlg::accept() {
  selectedText_ = driveCombo_->currentText();
  selectedRoot_ = driveCombo_->currentData().toString();
  QDialog::accept();
}
