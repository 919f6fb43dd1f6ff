#include "skinbutton.h"

#include "registry.h"
#include "skinbitmap.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>
#include <cmath>

namespace skin {

QFont WithCellHeight(QFont font, int cellHeight) {
  // The requested face's line is 2703 units (ascent 2167 + descent 536) for an em of 2048. Sizing
  // the em from that ratio, not from the substitute's own metrics, keeps texts as wide as the
  // windows were laid out for: a substitute with a shorter line would otherwise grow wider.
  constexpr double kEmPerLine = 2048.0 / 2703.0;
  font.setPixelSize(std::max(1, int(std::lround(cellHeight * kEmPerLine))));
  return font;
}

QFont UiFont(int cellHeight, int weight) {
  QFont font;
  font.setFamilies({QStringLiteral("맑은 고딕"), QStringLiteral("Malgun Gothic"),
                    QStringLiteral("NanumGothic"), QStringLiteral("NanumBarunGothic"),
                    QStringLiteral("Noto Sans CJK KR"), QStringLiteral("UnDotum")});
  font.setWeight(static_cast<QFont::Weight>(weight));
  font.setItalic(false);
  font.setUnderline(false);
  font.setStrikeOut(false);
  return WithCellHeight(font, cellHeight);
}

}  // namespace skin

CSovSkinButton::CSovSkinButton(int id, ButtonKind kind, QWidget* parent)
    : QAbstractButton(parent), kind_(kind), loader_(&skin::LoadSkinBitmap) {
  setObjectName(QString::number(id));
  setText(QString());
  setCheckable(kind != ButtonKind::Push);
  setFont(skin::UiFont(17, QFont::Bold));
  // Hover is decided on moves without a button held, as the platform's leave tracking does.
  setMouseTracking(true);
  WriteLibraryMarker(QStringLiteral("usingSovButton"));
}

void CSovSkinButton::SetBitmaps(int normalId, int pressedId, int hoverId, int disabledId,
                                int focusId) {
  const QImage normal = loader_(normalId);
  SetImages(normal, loader_(pressedId), loader_(hoverId),
            disabledId != 0 ? loader_(disabledId) : normal,
            focusId != 0 ? loader_(focusId) : QImage());
}

void CSovSkinButton::SetImages(const QImage& normal, const QImage& pressed, const QImage& hover,
                               const QImage& disabled, const QImage& focus) {
  normalImage_ = normal;
  pressedImage_ = pressed;
  hoverImage_ = hover;
  disabledImage_ = disabled;
  focusImage_ = focus;
}

void CSovSkinButton::SetImageLoader(skin::ImageLoader loader) {
  loader_ = loader ? std::move(loader) : skin::ImageLoader(&skin::LoadSkinBitmap);
}

void CSovSkinButton::SetToolTipText(const QString& text) { setToolTip(text); }

void CSovSkinButton::SetCheck(bool checked) {
  setChecked(checked);  // ignored by a push-kind button, which is not checkable
  if (kind_ == ButtonKind::Radio && checked) {
    if (QWidget* parent = parentWidget()) {
      for (QObject* child : parent->children()) {
        auto* other = qobject_cast<CSovSkinButton*>(child);
        if (!other || other == this || other->kind_ != ButtonKind::Radio ||
            other->radioGroup_ != radioGroup_) {
          continue;
        }
        // Queued: the others repaint only after the event that checked this one is finished.
        QMetaObject::invokeMethod(other, [other] { other->UncheckFromGroup(); },
                                  Qt::QueuedConnection);
      }
    }
  }
  update();
}

void CSovSkinButton::UncheckFromGroup() {
  if (!isChecked()) return;
  setChecked(false);
  update();
}

void CSovSkinButton::nextCheckState() {
  switch (kind_) {
    case ButtonKind::Check: SetCheck(!isChecked()); break;
    case ButtonKind::Radio: SetCheck(true); break;
    case ButtonKind::Push: break;
  }
}

void CSovSkinButton::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) {
    event->ignore();
    return;
  }
  // Without this the hover image would replace the pressed one at release, before any move.
  hover_ = false;
  if (!tracking_) {
    tracking_ = true;
    setDown(true);
    emit pressed();
  }
  update();
}

// A double click is the second press of two clicks, so a check-kind button toggles twice.
void CSovSkinButton::mouseDoubleClickEvent(QMouseEvent* event) { mousePressEvent(event); }

void CSovSkinButton::mouseMoveEvent(QMouseEvent* event) {
  const bool over = hitButton(event->position().toPoint());
  if (tracking_) {
    // The pressed look follows the mouse: pushed only while over the button.
    if (over != isDown()) {
      setDown(over);
      update();
    }
    return;
  }
  if (!hover_ && over) {
    hover_ = true;
    update();
  }
}

void CSovSkinButton::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) {
    event->ignore();
    return;
  }
  // A press that focus loss already ended clicks nothing; otherwise the check state would change
  // without the owner hearing of it.
  const bool click = tracking_ && hitButton(event->position().toPoint());
  if (click) nextCheckState();
  tracking_ = false;
  EndPress();
  if (click) emit clicked(isChecked());
}

void CSovSkinButton::EndPress() {
  if (isDown()) {
    setDown(false);
    emit released();
  }
  update();
}

void CSovSkinButton::leaveEvent(QEvent* event) {
  hover_ = false;
  update();
  QAbstractButton::leaveEvent(event);
}

void CSovSkinButton::keyPressEvent(QKeyEvent* event) {
  if (event->key() != Qt::Key_Space) {
    QWidget::keyPressEvent(event);
    return;
  }
  if (!event->isAutoRepeat() && !spacePressed_) {
    spacePressed_ = true;
    setDown(true);
    emit pressed();
    update();
  }
}

void CSovSkinButton::keyReleaseEvent(QKeyEvent* event) {
  if (event->key() != Qt::Key_Space) {
    QWidget::keyReleaseEvent(event);
    return;
  }
  if (event->isAutoRepeat() || !spacePressed_) return;
  spacePressed_ = false;
  // Space toggles like a click and clicks on release, so the state and the notification go
  // together even when the key repeats.
  const bool click = isDown();
  if (click) nextCheckState();
  EndPress();
  if (click) emit clicked(isChecked());
}

void CSovSkinButton::focusOutEvent(QFocusEvent* event) {
  if (tracking_ || spacePressed_) {
    tracking_ = false;
    spacePressed_ = false;
    EndPress();
  }
  QWidget::focusOutEvent(event);
}

void CSovSkinButton::changeEvent(QEvent* event) {
  if (event->type() == QEvent::EnabledChange && !isEnabled()) {
    hover_ = false;
    tracking_ = false;
    spacePressed_ = false;
    setDown(false);
  }
  QAbstractButton::changeEvent(event);
}

void CSovSkinButton::DrawImageOrFace(QPainter& painter, const QImage& image) const {
  if (image.isNull()) {
    painter.fillRect(rect(), QColor::fromRgb(skin::kButtonFace));
  } else {
    // Natural size from the top-left corner, cut to the button.
    painter.drawImage(QPoint(0, 0), image, QRect(QPoint(0, 0), size()));
  }
}

void CSovSkinButton::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setFont(font());
  const QString caption = text();
  QRect textRect = rect().adjusted(2, 0, -2, 0);
  constexpr int kCaptionFlags = Qt::AlignCenter | Qt::TextSingleLine;
  auto drawCaption = [&](const QColor& colour) {
    if (caption.isEmpty()) return;
    painter.setPen(colour);
    painter.drawText(textRect, kCaptionFlags, caption);
  };

  if (!isEnabled()) {
    DrawImageOrFace(painter, disabledImage_);
    // Embossed caption: light copy, then the grey one a pixel up-left of it; a checked button
    // sits one pixel lower-right as a whole.
    if (isChecked()) textRect.translate(1, 1);
    drawCaption(QColor::fromRgb(skin::kButtonHighlight));
    textRect.translate(-1, -1);
    drawCaption(QColor::fromRgb(skin::kGrayText));
  } else if (isDown() || isChecked()) {
    DrawImageOrFace(painter, pressedImage_);
    textRect.translate(1, 1);
    drawCaption(textColour);
  } else {
    if (normalImage_.isNull()) {
      DrawImageOrFace(painter, normalImage_);
    } else if (hover_ && !hoverImage_.isNull()) {
      DrawImageOrFace(painter, hoverImage_);
    } else if (hasFocus() && !focusImage_.isNull()) {
      DrawImageOrFace(painter, focusImage_);
    } else {
      DrawImageOrFace(painter, normalImage_);
    }
    drawCaption(textColour);
  }
}
