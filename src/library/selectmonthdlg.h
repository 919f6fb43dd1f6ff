// The date dialog of the date filter: a month calendar with OK and Cancel.
#pragma once

#include <QDialog>

class QCalendarWidget;
class QDate;

class CSelectMonthDlg : public QDialog {
  Q_OBJECT
 public:
  explicit CSelectMonthDlg(QWidget* parent);

  // Each run starts on today's date, as a freshly created calendar does.
  int exec() override;
  void open() override;

  // The selected day at local midnight, in seconds since 1970; 0 before the first run.
  qint64 chosenDate() const { return chosenDate_; }
  QCalendarWidget* Calendar() const { return calendar_; }

  static qint64 LocalMidnight(const QDate& date);

 private:
  void Prepare();

  QCalendarWidget* calendar_ = nullptr;
  qint64 chosenDate_ = 0;
};
