#include "cellcheckbox.h"

#include <QFontMetrics>
#include <QPainter>

#include "configlistctrl.h"

CCellCheckBox::CCellCheckBox() { style = kStyleCentred; }

void CCellCheckBox::Initialize(CConfigListCtrl* owner, const bool* enabled, const QString& value) {
  CCellCtrl::Initialize(owner, enabled, value);
  if (!text.startsWith(QLatin1Char('0')) && !text.startsWith(QLatin1Char('1')))
    text.prepend(QLatin1Char('0'));
  if (list) list->EnsureCheckBoxImages();
}

void CCellCheckBox::OnClick(unsigned, int, int) {
  text[0] = IsChecked() ? QLatin1Char('0') : QLatin1Char('1');
}

void CCellCheckBox::Draw(QPainter& painter, const QRect& rect, unsigned itemState) {
  painter.save();
  buttonRect = QRect();
  cellRect = rect;

  const bool disabledLook = !ListEnabled() || (style & kStyleReadOnly);
  QColor brush;
  QColor textColour;
  if (disabledLook) {
    brush = listcolours::System(listcolours::SysColour::ButtonFace);
    textColour = listcolours::System(listcolours::SysColour::GrayText);
  } else {
    // The box images carry the list background, so a selected row keeps it under the box too.
    brush = listcolours::kBackground;
    textColour =
        listcolours::System((itemState & (ODS_SELECTED | ODS_FOCUS)) ? listcolours::SysColour::HighlightText
                                                                     : listcolours::SysColour::WindowText);
  }
  painter.fillRect(rect, brush);
  if (const QFont* font = (active && (style & kStyleBoldWhenActive)) ? BoldFont() : NormalFont())
    painter.setFont(*font);

  const QString label = text.mid(1);
  const int labelWidth = label.isEmpty() ? 0 : painter.fontMetrics().horizontalAdvance(label);
  const int need = labelWidth + kBoxWidth;
  const int cellWidth = rect.width();
  int boxX = rect.left();
  QRect labelRect = rect.adjusted(kBoxWidth, 0, 0, 0);
  if (need <= cellWidth) {
    boxX = rect.left() + (cellWidth - need) / 2;
    labelRect = QRect(QPoint(boxX + kBoxWidth, rect.top()), QPoint(boxX + need, rect.bottom()));
  }

  if (cellWidth < kBoxWidth) {
    labelRect.setLeft(labelRect.left() - kBoxWidth);
  } else {
    if (list) {
      const int image = (IsChecked() ? 1 : 0) + (disabledLook ? 2 : 0);
      const QImage& box = list->CheckBoxImage(image);
      if (!box.isNull()) painter.drawImage(QPoint(boxX, rect.top() + 3), box);
    }
    buttonRect = QRect(boxX, rect.top() + 3, kBoxWidth, kBoxWidth);
  }
  if (!label.isEmpty() && labelRect.width() > 0) {
    painter.setPen(textColour);
    const QString shown = painter.fontMetrics().elidedText(label, Qt::ElideRight, labelRect.width());
    painter.drawText(labelRect, Qt::AlignHCenter | Qt::AlignTop, shown);
  }
  painter.restore();
}
