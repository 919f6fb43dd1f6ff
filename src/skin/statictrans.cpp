#include "statictrans.h"

#include "registry.h"
#include "skinbitmap.h"
#include "skinbutton.h"

#include <QPainter>
#include <algorithm>

CSovStaticTrans::CSovStaticTrans(int id, QWidget* parent) : QWidget(parent) {
  setObjectName(QString::number(id));
  setFont(skin::UiFont(16, QFont::Normal));
  setAttribute(Qt::WA_TransparentForMouseEvents);
  WriteLibraryMarker(QStringLiteral("usingSovStaticTrans"));
}

void CSovStaticTrans::SetBackgroundImage(int bitmapId) {
  SetBackgroundImage(skin::LoadSkinBitmap(bitmapId));
}

void CSovStaticTrans::SetBackgroundImage(const QImage& image) {
  backgroundImage_ =
      image.isNull() ? QImage() : skin::WithKeyColourTransparent(image, skin::kGreenKey);
}

void CSovStaticTrans::ReleaseBackgroundImage() { backgroundImage_ = QImage(); }

void CSovStaticTrans::RefreshBackground() {
  QWidget* parent = parentWidget();
  if (!parent) {
    update();
    return;
  }
  parent->update(geometry().adjusted(2, 2, -2, -2));
}

void CSovStaticTrans::SetFontHeight(int pixels) {
  setFont(skin::WithCellHeight(font(), pixels));
}

void CSovStaticTrans::SetFontWeight(int weight) {
  QFont f = font();
  f.setWeight(static_cast<QFont::Weight>(std::clamp(weight, 1, 1000)));
  setFont(f);
}

void CSovStaticTrans::SetWindowText(const QString& text) {
  if (text == text_) return;
  text_ = text;
  update();
}

void CSovStaticTrans::SetAlignment(Qt::Alignment alignment) {
  alignment_ = alignment;
  update();
}

void CSovStaticTrans::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  if (!backgroundImage_.isNull()) {
    painter.drawImage(QPoint(0, 0), backgroundImage_);
  } else if (bkColour) {
    painter.fillRect(rect(), *bkColour);
  }
  if (text_.isEmpty()) return;
  painter.setFont(font());
  painter.setPen(textColour);
  painter.drawText(rect(), int(alignment_) | Qt::TextWordWrap, text_);
}
