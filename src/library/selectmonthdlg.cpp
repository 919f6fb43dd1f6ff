#include "selectmonthdlg.h"

#include "dialogunits.h"
#include "resourceids.h"

#include <QCalendarWidget>
#include <QDate>
#include <QDateTime>
#include <QPushButton>

CSelectMonthDlg::CSelectMonthDlg(QWidget* parent) : QDialog(parent) {
  using dialog_units::ToPixels;
  setObjectName(ids::ControlName(ids::kSelectMonthTemplate));
  setFixedSize(ToPixels(0, 0, 149, 117).size());

  calendar_ = new QCalendarWidget(this);
  calendar_->setObjectName(ids::ControlName(ids::IDC_MONTH_CALENDAR));
  calendar_->setGeometry(ToPixels(0, 0, 149, 100));
  calendar_->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
  connect(calendar_, &QCalendarWidget::selectionChanged, this,
          [this] { chosenDate_ = LocalMidnight(calendar_->selectedDate()); });

  auto* ok = new QPushButton(QStringLiteral("OK"), this);
  ok->setObjectName(ids::ControlName(ids::IDOK));
  ok->setDefault(true);
  ok->setGeometry(ToPixels(24, 101, 50, 14));
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);

  auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
  cancel->setObjectName(ids::ControlName(ids::IDCANCEL));
  cancel->setGeometry(ToPixels(75, 101, 50, 14));
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

qint64 CSelectMonthDlg::LocalMidnight(const QDate& date) {
  if (!date.isValid()) return 0;
  return date.startOfDay(Qt::LocalTime).toSecsSinceEpoch();
}

void CSelectMonthDlg::Prepare() {
  setWindowTitle(QStringLiteral("날짜 선택"));
  const QDate today = QDate::currentDate();
  calendar_->setSelectedDate(today);
  calendar_->setCurrentPage(today.year(), today.month());
  chosenDate_ = LocalMidnight(calendar_->selectedDate());
}

int CSelectMonthDlg::exec() {
  Prepare();
  return QDialog::exec();
}

void CSelectMonthDlg::open() {
  Prepare();
  QDialog::open();
}
