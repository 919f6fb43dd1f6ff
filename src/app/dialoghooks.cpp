#include "dialoghooks.h"

#include "platformservices.h"
#include "removabledrives.h"
#include "resourceids.h"
#include "selectdrivedlg.h"
#include "selectmonthdlg.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QPointer>

using namespace ids;

void InstallDefaultDialogs(PlayerDialogs& dialogs, QWidget* owner, PlatformServices& services,
                           std::function<QString(int)> loadUiString) {
  dialogs.message = [owner, loadUiString](const QString& text, bool okCancel) {
    return QMessageBox::warning(owner, loadUiString(IDS_APP_TITLE), text,
                                okCancel ? QMessageBox::Ok | QMessageBox::Cancel : QMessageBox::Ok);
  };
  dialogs.chooseFolder = [owner](const QString& windowTitle, const QString& titleLine, const QString& start) {
    QFileDialog dialog(owner, windowTitle.isEmpty() ? titleLine : windowTitle, start);
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly);
    dialog.setLabelText(QFileDialog::LookIn, titleLine);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return QString();
    return dialog.selectedFiles().first();
  };
  dialogs.selectDrive = [owner, &services, loadUiString]() -> std::optional<QString> {
    RemovableDrives* drives = services.Drives();
    if (!drives) return std::nullopt;
    CSelectDriveDlg dialog(owner, *drives, loadUiString);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.SelectedRoot();
  };
  dialogs.selectDate = [owner]() -> std::optional<qint64> {
    CSelectMonthDlg dialog(owner);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.chosenDate();
  };
  dialogs.chooseCaptureFile = [owner](const QString& initialName, const QString& folder) {
    QFileDialog dialog(owner, QString(), folder, QStringLiteral("jpeg file (*.jpg)"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.selectFile(initialName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return QString();
    return dialog.selectedFiles().first();
  };
  dialogs.confirmReplace = [owner, loadUiString](const QString& path) {
    return QMessageBox::question(owner, loadUiString(IDS_APP_TITLE), loadUiString(IDS_CAPTURE_REPLACE).arg(path)) ==
           QMessageBox::Yes;
  };
  // One box at a time: a second notice while the first is still shown replaces its text.
  auto box = std::make_shared<QPointer<QMessageBox>>();
  dialogs.notice = [owner, loadUiString, box](const QString& text) {
    if (!*box) {
      *box = new QMessageBox(QMessageBox::Warning, loadUiString(IDS_APP_TITLE), QString(), QMessageBox::Ok, owner);
      (*box)->setAttribute(Qt::WA_DeleteOnClose);
      (*box)->setModal(false);
    }
    (*box)->setText(text);
    (*box)->show();
  };
}
