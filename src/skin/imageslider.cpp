#include "imageslider.h"

#include "memdc.h"
#include "registry.h"
#include "skinbitmap.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

CSovImageSlider::CSovImageSlider(int id, QWidget* parent) : QWidget(parent) {
  setObjectName(QString::number(id));
  setFocusPolicy(Qt::StrongFocus);
  WriteLibraryMarker(QStringLiteral("usingSovSlider"));
}

void CSovImageSlider::SetBitmaps(int channelId, int fillId, int thumbId, int thumbDragId,
                                 int thumbFocusId) {
  SetImages(skin::LoadSkinBitmap(channelId), skin::LoadSkinBitmap(fillId),
            skin::LoadSkinBitmap(thumbId), skin::LoadSkinBitmap(thumbDragId),
            skin::LoadSkinBitmap(thumbFocusId));
}

void CSovImageSlider::SetImages(const QImage& channel, const QImage& fill, const QImage& thumb,
                                const QImage& thumbDrag, const QImage& thumbFocus) {
  fillImage_ = fill;
  fillWidth_ = fill.width();
  fillHeight_ = fill.height();
  channelImage_ = channel;
  channelWidth_ = channel.width();
  channelHeight_ = channel.height();
  thumbImage_ = thumb;
  thumbDragImage_ = thumbDrag;
  thumbFocusImage_ = thumbFocus;
  auto keyed = [](const QImage& image) {
    return image.isNull() ? QImage() : skin::WithKeyColourTransparent(image, skin::kWhiteKey);
  };
  thumbKeyed_ = keyed(thumb);
  thumbDragKeyed_ = keyed(thumbDrag);
  thumbFocusKeyed_ = keyed(thumbFocus);
  thumbWidth_ = thumb.width();
  thumbHeight_ = thumb.height();
  thumbX_ = 0;
  thumbY_ = height() / 2 - thumbHeight_ / 2;
}

void CSovImageSlider::SetRange(int min, int max, bool redraw) {
  min_ = min;
  max_ = std::max(min, max);
  value_ = std::clamp(value_, min_, max_);
  if (redraw) update();
}

void CSovImageSlider::SetPos(int position, bool redraw) {
  value_ = std::clamp(position, min_, max_);
  if (redraw) update();
}

void CSovImageSlider::RedrawNow() {
  opaqueThumb_ = true;
  repaint();
  opaqueThumb_ = false;
}

void CSovImageSlider::resizeEvent(QResizeEvent* event) {
  // The thumb stays centred when the owner places the slider after giving it its images.
  thumbY_ = height() / 2 - thumbHeight_ / 2;
  QWidget::resizeEvent(event);
}

bool CSovImageSlider::SetValueFromPoint(int x) {
  const int trackWidth = width() - thumbWidth_;
  // A slider no wider than its thumb has no track to map a point onto.
  if (trackWidth <= 0) return false;
  // Counting max - min + 1 values gives each value an equal share of the track, so the maximum
  // is reached before the right end.
  const double span = double(max_) - double(min_) + 1.0;
  const int offset = x - thumbWidth_ / 2;
  const double value = double(min_) + std::trunc(span / trackWidth * offset);
  const int limited = int(std::clamp(value, double(min_), double(max_)));
  if (limited == value_) return false;
  SetPos(limited, true);
  return true;
}

void CSovImageSlider::Notify(int code) {
  if (!parentWidget()) return;
  const int position = value_;
  QMetaObject::invokeMethod(
      this, [this, code, position] { emit hScroll(code, position); }, Qt::QueuedConnection);
}

void CSovImageSlider::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || dragging_) {
    QWidget::mousePressEvent(event);
    return;
  }
  dragging_ = true;
  moved_ = false;
  setFocus(Qt::MouseFocusReason);
  if (SetValueFromPoint(int(event->position().x()))) {
    moved_ = true;
    Notify(TB_THUMBTRACK);
  }
  repaint();
}

void CSovImageSlider::mouseMoveEvent(QMouseEvent* event) {
  if (!dragging_) {
    QWidget::mouseMoveEvent(event);
    return;
  }
  if (SetValueFromPoint(int(event->position().x()))) {
    moved_ = true;
    Notify(TB_THUMBTRACK);
    repaint();
  }
}

void CSovImageSlider::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || !dragging_) {
    QWidget::mouseReleaseEvent(event);
    return;
  }
  dragging_ = false;
  if (SetValueFromPoint(int(event->position().x()))) {
    Notify(TB_THUMBTRACK);
    moved_ = true;
  }
  if (moved_) {
    Notify(TB_THUMBPOSITION);
    moved_ = false;
  }
  repaint();
}

void CSovImageSlider::focusOutEvent(QFocusEvent* event) {
  QWidget::focusOutEvent(event);
  // The drag ends here without a final TB_THUMBPOSITION; its later release is ignored.
  dragging_ = false;
  update();
}

void CSovImageSlider::Step(int value, int code) {
  SetPos(value, true);
  repaint();
  Notify(code);
}

void CSovImageSlider::keyPressEvent(QKeyEvent* event) {
  // Steps to the right may go one past the maximum; SetPos brings them back, as the trackbar does.
  switch (event->key()) {
    case Qt::Key_Left: Step(std::max(value_ - lineSize_, min_), TB_LINEUP); break;
    case Qt::Key_Right: Step(std::min(value_ + lineSize_, max_ + 1), TB_LINEDOWN); break;
    case Qt::Key_PageUp: Step(std::max(value_ - pageSize_, min_), TB_PAGEUP); break;
    case Qt::Key_PageDown: Step(std::min(value_ + pageSize_, max_ + 1), TB_PAGEDOWN); break;
    case Qt::Key_Home: Step(min_, TB_TOP); break;
    case Qt::Key_End: Step(max_ + 1, TB_BOTTOM); break;
    // The plain trackbar's own arrows: Up is a line towards the minimum, Down towards the maximum.
    case Qt::Key_Up: Step(value_ - lineSize_, TB_LINEUP); break;
    case Qt::Key_Down: Step(value_ + lineSize_, TB_LINEDOWN); break;
    default: QWidget::keyPressEvent(event); break;
  }
}

void CSovImageSlider::keyReleaseEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Home:
    case Qt::Key_End:
      // A held key repeats its step but ends its track once, when it really comes up.
      if (!event->isAutoRepeat()) Notify(TB_ENDTRACK);
      break;
    default: QWidget::keyReleaseEvent(event); break;
  }
}

void CSovImageSlider::wheelEvent(QWheelEvent* event) {
  update();
  const int delta = event->angleDelta().y();
  if (delta == 0) {  // a horizontal wheel is not the slider's
    event->ignore();
    return;
  }
  event->accept();
  if (!wheelEnabled_) return;
  // One notch (120 eighths of a degree) is one line; turning away from the user lowers the value
  // as on the platform's trackbar.
  wheelRemainder_ += delta;
  const int notches = wheelRemainder_ / 120;
  wheelRemainder_ -= notches * 120;
  if (notches == 0) return;
  Step(value_ - notches * lineSize_, notches > 0 ? TB_LINEUP : TB_LINEDOWN);
  Notify(TB_ENDTRACK);
}

void CSovImageSlider::paintEvent(QPaintEvent* event) {
  QPainter target(this);
  target.setClipRegion(event->region());
  CMyMemDC memory(target);
  Draw(memory.painter(), opaqueThumb_);
}

void CSovImageSlider::Draw(QPainter& painter, bool opaqueThumb) {
  const int w = width();
  const int h = height();
  thumbX_ = max_ == min_ ? 0
                         : int(std::trunc(double(w - thumbWidth_) / (double(max_) - min_) *
                                          (double(value_) - min_)));
  if (!channelImage_.isNull()) {
    painter.drawImage(QRect(0, (h - channelHeight_) / 2, w, h), channelImage_);
  }
  if (!fillImage_.isNull()) {
    const int fillTo = thumbX_ + 5;
    painter.drawImage(QRect(0, (h - fillHeight_) / 2, fillTo, h), fillImage_,
                      QRect(0, 0, std::min(fillTo, fillWidth_), fillHeight_));
  }
  const bool focused = isEnabled() && hasFocus();
  const QImage& thumb =
      dragging_ ? (opaqueThumb ? thumbDragImage_ : thumbDragKeyed_)
      : focused ? (opaqueThumb ? thumbFocusImage_ : thumbFocusKeyed_)
                : (opaqueThumb ? thumbImage_ : thumbKeyed_);
  if (!thumb.isNull()) painter.drawImage(QPoint(thumbX_, thumbY_), thumb);
}
