#include "informationdlg.h"

#include "jobrunner.h"
#include "removabledrives.h"
#include "resourceids.h"
#include "skinbitmap.h"
#include "skinbutton.h"
#include "statictrans.h"

#include <QMouseEvent>
#include <QPainter>

namespace {

constexpr int kWidth = 338;
constexpr int kHeight = 412;
constexpr int kFaceBitmap = 493;

enum class LabelStyle { Title, Heading, Plain, Value };

struct LabelSpec {
  int id;
  int stringId;         // 0: the literal below
  const char* literal;  // UTF-8
  QRect rect;
  LabelStyle style;
};

// In creation order, which is also the order the labels stack in.
const LabelSpec kLabels[] = {
    {10101, 0, "정보", {14, 6, 200, 15}, LabelStyle::Title},
    {10102, 407, nullptr, {14, 42, 200, 15}, LabelStyle::Heading},
    {10103, 408, nullptr, {16, 70, 140, 15}, LabelStyle::Plain},
    {10109, 0, "05.4 GB", {80, 70, 60, 15}, LabelStyle::Value},
    {10110, 409, nullptr, {16, 90, 131, 15}, LabelStyle::Plain},
    {10111, 0, "2.7 GB", {120, 90, 60, 15}, LabelStyle::Value},
    {10112, 410, nullptr, {16, 110, 150, 15}, LabelStyle::Plain},
    {10113, 411, nullptr, {27, 130, 110, 15}, LabelStyle::Plain},
    {10114, 0, "8.2 GB", {63, 130, 60, 15}, LabelStyle::Value},
    {10115, 412, nullptr, {27, 150, 61, 15}, LabelStyle::Plain},
    {10116, 0, "4.5 GB", {75, 150, 60, 15}, LabelStyle::Value},
    {10117, 413, nullptr, {27, 170, 150, 15}, LabelStyle::Plain},
    {10118, 0, "0.5 GB", {63, 170, 100, 15}, LabelStyle::Value},
    {10104, 418, nullptr, {14, 229, 270, 15}, LabelStyle::Heading},
    {10105, 415, nullptr, {16, 256, 200, 15}, LabelStyle::Plain},
    {10119, 0, "1.0.0", {122, 256, 60, 15}, LabelStyle::Value},
    {10122, 417, nullptr, {16, 275, 190, 15}, LabelStyle::Plain},
    {10123, 0, "", {122, 275, 60, 15}, LabelStyle::Value},
    {10106, 421, nullptr, {14, 328, 270, 15}, LabelStyle::Heading},
    {10107, 422, nullptr, {16, 356, 200, 15}, LabelStyle::Plain},
    {10108, 423, nullptr, {16, 375, 200, 15}, LabelStyle::Plain},
};

const int kSpaceLabels[] = {ids::IDC_INFO_TOTAL, ids::IDC_INFO_FREE, ids::IDC_INFO_NORMAL,
                            ids::IDC_INFO_EVENT, ids::IDC_INFO_MOTION};

constexpr double kKibToMib = 1.0 / 1024.0;

}  // namespace

CInformationDlg::CInformationDlg(QWidget* parent, QString cardRoot, const RemovableDrives& drives,
                                 std::function<QString(int)> loadUiString,
                                 std::function<QString(int)> loadSystemString)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint), figuresJob_(std::make_unique<JobRunner>()) {
  setObjectName(ids::ControlName(ids::kInformationTemplate));
  setFixedSize(kWidth, kHeight);
  setModal(false);
  CreateCloseButton();
  CreateLabels(loadUiString);
  if (!cardRoot.isEmpty()) StartReadingFigures(cardRoot, drives);
  SetLabel(ids::IDC_INFO_PLAYER_VERSION, loadSystemString(ids::IDS_PLAYER_VERSION));
}

CInformationDlg::~CInformationDlg() = default;

void CInformationDlg::CreateCloseButton() {
  closeButton_ = new CSovSkinButton(ids::IDC_INFO_CLOSE, ButtonKind::Push, this);
  closeButton_->setGeometry(307, 4, 28, 22);
  closeButton_->SetBitmaps(ids::IDB_INFO_CLOSE, 496, 495, ids::IDB_INFO_CLOSE, ids::IDB_INFO_CLOSE);
  closeButton_->SetToolTipText(QStringLiteral("Close"));
  connect(closeButton_, &CSovSkinButton::clicked, this, &QDialog::reject);
}

void CInformationDlg::CreateLabels(const std::function<QString(int)>& loadUiString) {
  for (const LabelSpec& spec : kLabels) {
    auto* label = new CSovStaticTrans(spec.id, this);
    label->SetWindowText(spec.stringId != 0 ? loadUiString(spec.stringId)
                                            : QString::fromUtf8(spec.literal));
    label->SetFontWeight(400);
    label->SetFontHeight(16);
    // Captions and values are painted pictures of text: a press on them drags the window as a
    // press on the background does.
    label->setAttribute(Qt::WA_TransparentForMouseEvents);
    switch (spec.style) {
      case LabelStyle::Title:
      case LabelStyle::Heading:
        label->textColour =
            spec.style == LabelStyle::Title ? QColor(248, 58, 10) : QColor(211, 211, 211);
        label->RefreshBackground();
        label->SetFontWeight(700);
        label->SetFontHeight(17);
        break;
      case LabelStyle::Value:
        label->textColour = QColor(248, 58, 10);
        label->RefreshBackground();
        label->ReleaseBackgroundImage();
        label->bkColour = QColor(33, 33, 33);
        label->RefreshBackground();
        break;
      case LabelStyle::Plain: break;
    }
    label->setGeometry(spec.rect);
    label->show();
  }
}

void CInformationDlg::StartReadingFigures(const QString& cardRoot, const RemovableDrives& drives) {
  const QString root = cardRoot.endsWith(QLatin1Char('/')) ? cardRoot : cardRoot + QLatin1Char('/');
  // The template's sample figures would pass for the card's while its own are read.
  for (int id : kSpaceLabels) SetLabel(id, QString());
  SetLabel(ids::IDC_INFO_FIRMWARE, QString());
  connect(figuresJob_.get(), &JobRunner::runningChanged, this, [this](bool running) {
    if (running)
      setCursor(Qt::BusyCursor);
    else
      unsetCursor();
  });
  const RemovableDrives* volumes = &drives;
  figuresJob_->Start([this, root, volumes](std::stop_token stop) -> JobRunner::Apply {
    const CardFigures figures = ReadCardFigures(root, *volumes, stop);
    return [this, figures] { ShowFigures(figures); };
  });
}

void CInformationDlg::ShowFigures(const CardFigures& figures) {
  SetLabel(ids::IDC_INFO_TOTAL, GigabyteText(double(figures.totalMiB)));
  SetLabel(ids::IDC_INFO_FREE, GigabyteText(double(figures.freeMiB)));
  SetLabel(ids::IDC_INFO_NORMAL, GigabyteText(double(figures.normalKiB) * kKibToMib));
  SetLabel(ids::IDC_INFO_EVENT, GigabyteText(double(figures.eventKiB) * kKibToMib));
  SetLabel(ids::IDC_INFO_MOTION, GigabyteText(double(figures.motionKiB) * kKibToMib));
  SetLabel(ids::IDC_INFO_FIRMWARE, figures.firmware);
  emit figuresShown();
}

bool CInformationDlg::FiguresPending() const { return figuresJob_->IsRunning(); }

void CInformationDlg::ZeroFigures() {
  figuresJob_->Drop();
  for (int id : kSpaceLabels) SetLabel(id, QStringLiteral("0.0 GB"));
  SetLabel(ids::IDC_INFO_FIRMWARE, QString());
}

CSovStaticTrans* CInformationDlg::Label(int id) const {
  return findChild<CSovStaticTrans*>(ids::ControlName(id), Qt::FindDirectChildrenOnly);
}

QString CInformationDlg::LabelText(int id) const {
  const CSovStaticTrans* label = Label(id);
  return label ? label->GetWindowText() : QString();
}

void CInformationDlg::SetLabel(int id, const QString& text) {
  if (CSovStaticTrans* label = Label(id)) {
    label->SetWindowText(text);
    label->update();
  }
}

void CInformationDlg::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const QImage face = skin::LoadSkinBitmap(kFaceBitmap);
  if (face.isNull())
    painter.fillRect(rect(), QColor(33, 33, 33));
  else
    painter.drawImage(0, 0, face);
}

void CInformationDlg::showEvent(QShowEvent* event) {
  // Centred over the owner the first time it shows, as the window is placed once when created.
  if (!centred_ && parentWidget()) {
    const QRect owner = parentWidget()->window()->frameGeometry();
    move(owner.center() - QPoint(kWidth / 2, kHeight / 2));
    centred_ = true;
  }
  QDialog::showEvent(event);
}

void CInformationDlg::mousePressEvent(QMouseEvent* event) {
  if (!drag_.Press(*this, *event)) QDialog::mousePressEvent(event);
}

void CInformationDlg::mouseMoveEvent(QMouseEvent* event) {
  if (!drag_.Move(*this, *event)) QDialog::mouseMoveEvent(event);
}

void CInformationDlg::mouseReleaseEvent(QMouseEvent* event) {
  if (!drag_.Release(*event)) QDialog::mouseReleaseEvent(event);
}
