#include "listscrollbar.h"

#include <QCoreApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QTimerEvent>
#include <QWheelEvent>
#include <algorithm>

#include "configlistctrl.h"
#include "memdc.h"
#include "resourceids.h"
#include "skinbitmap.h"

namespace {
const QColor kBarBackground(13, 14, 15);
}

CSovFileListVerticleScrollbar::Thumb CSovFileListVerticleScrollbar::ComputeThumb(int barHeight, int pos,
                                                                                 int limit, int count,
                                                                                 int perPage) {
  Thumb thumb;
  if (limit <= 0 || count <= 0) return thumb;  // nothing to scroll: hidden
  const int track = barHeight - 2 * kArrowHeight;
  thumb.visible = true;
  thumb.height = std::max(kMinThumbHeight, int(double(perPage) / double(count) * double(track)));
  thumb.ratio = double(track - thumb.height) / double(limit);
  thumb.top = int(thumb.ratio * pos) + kArrowHeight;
  if (thumb.top + thumb.height > barHeight - kArrowHeight)
    thumb.top = barHeight - kArrowHeight - thumb.height;
  if (thumb.top < kArrowHeight) thumb.top = kArrowHeight;
  return thumb;
}

CSovFileListVerticleScrollbar::CSovFileListVerticleScrollbar(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  upArrow_ = skin::LoadSkinBitmap(ids::IDB_SCROLL_UP);
  track_ = skin::LoadSkinBitmap(ids::IDB_SCROLL_TRACK);
  downArrow_ = skin::LoadSkinBitmap(ids::IDB_SCROLL_DOWN);
  thumb_ = skin::LoadSkinBitmap(ids::IDB_SCROLL_THUMB);
}

CSovFileListVerticleScrollbar::~CSovFileListVerticleScrollbar() = default;

void CSovFileListVerticleScrollbar::SetList(CConfigListCtrl* list) {
  list_ = list;
  UpdateThumb();
}

void CSovFileListVerticleScrollbar::UpdateThumb() {
  if (!list_) return;
  const Thumb thumb = ComputeThumb(height(), list_->GetScrollPos(), list_->GetScrollLimit(),
                                   list_->GetItemCount(), list_->GetCountPerPage());
  thumbHeight_ = thumb.height;
  if (thumb.visible) {
    ratio_ = thumb.ratio;
    thumbTop_ = thumb.top;
  }
  // Beside a list that is hidden the scrollbar stays hidden too.
  const bool show = thumb.visible && !list_->isHidden();
  if (isHidden() == show) setVisible(show);
  update();
}

QRect CSovFileListVerticleScrollbar::ThumbRect() const { return QRect(0, thumbTop_, 17, thumbHeight_); }
QRect CSovFileListVerticleScrollbar::UpArrowRect() const { return QRect(0, 0, 19, kArrowHeight); }
QRect CSovFileListVerticleScrollbar::DownArrowRect() const {
  return QRect(0, height() - kArrowHeight, 19, kArrowHeight);
}

void CSovFileListVerticleScrollbar::paintEvent(QPaintEvent*) {
  QPainter target(this);
  CSkinMemDC offscreen(target, rect());
  QPainter& painter = offscreen.painter();
  const int h = height();
  painter.fillRect(rect(), kBarBackground);
  if (!upArrow_.isNull()) painter.drawImage(QPoint(1, 0), upArrow_, QRect(0, 0, 17, kArrowHeight));
  if (!track_.isNull()) {
    for (int y = kArrowHeight; y <= h - kArrowHeight - 1; ++y)
      painter.drawImage(QPoint(0, y), track_, QRect(0, 0, 18, 1));
  }
  if (!downArrow_.isNull())
    painter.drawImage(QPoint(1, h - kArrowHeight), downArrow_, QRect(0, 0, 17, kArrowHeight));
  if (!thumb_.isNull()) painter.drawImage(QRect(1, thumbTop_, 16, thumbHeight_), thumb_, QRect(0, 0, 16, 26));
}

void CSovFileListVerticleScrollbar::ScrollOneRow(bool down) {
  if (!list_) return;
  list_->Scroll(down ? CConfigListCtrl::kRowHeight : -CConfigListCtrl::kRowHeight);
  UpdateThumb();
  update();
}

void CSovFileListVerticleScrollbar::ClampThumb() {
  const int h = height();
  if (thumbTop_ + thumbHeight_ > h - kArrowHeight) thumbTop_ = h - kArrowHeight - thumbHeight_;
  if (thumbTop_ < kArrowHeight) thumbTop_ = kArrowHeight;
}

void CSovFileListVerticleScrollbar::mousePressEvent(QMouseEvent* e) {
  if (e->button() != Qt::LeftButton) {
    QWidget::mousePressEvent(e);
    return;
  }
  // Qt keeps the mouse with this widget from the press to the release.
  const QPoint point = e->position().toPoint();
  if (ThumbRect().contains(point)) thumbDragging_ = true;
  if (DownArrowRect().contains(point)) {
    downPressed_ = true;
    firstDelay_.start(kFirstDelayMs, this);
  }
  if (UpArrowRect().contains(point)) {
    upPressed_ = true;
    firstDelay_.start(kFirstDelayMs, this);
  }
  e->accept();
}

void CSovFileListVerticleScrollbar::mouseMoveEvent(QMouseEvent* e) {
  if (!thumbDragging_ || !list_) {
    QWidget::mouseMoveEvent(e);
    return;
  }
  const int h = height();
  thumbTop_ = int(e->position().y()) - thumbHeight_ / 2;
  const int limit = list_->GetScrollLimit();
  const int pos = list_->GetScrollPos();
  if (limit > 0) {
    ratio_ = double(h - thumbHeight_ - 2 * kArrowHeight) / double(limit);
    if (ratio_ > 0) {
      const int target = int(double(thumbTop_ - kArrowHeight) / ratio_);
      // Whole rows, so the list lands exactly on the row under the thumb.
      list_->Scroll((target - pos) * CConfigListCtrl::kRowHeight);
    }
  }
  ClampThumb();
  update();
  e->accept();
}

void CSovFileListVerticleScrollbar::mouseReleaseEvent(QMouseEvent* e) {
  if (e->button() != Qt::LeftButton) {
    QWidget::mouseReleaseEvent(e);
    return;
  }
  const QPoint point = e->position().toPoint();
  UpdateThumb();
  firstDelay_.stop();
  repeat_.stop();
  if (UpArrowRect().contains(point) || DownArrowRect().contains(point)) {
    if (upPressed_)
      ScrollOneRow(false);
    else if (downPressed_)
      ScrollOneRow(true);
  } else if (!thumbDragging_ && list_) {
    // A release on the track pages towards the press, even when the press was on an arrow.
    const int page = list_->GetCountPerPage() * CConfigListCtrl::kRowHeight;
    list_->Scroll(point.y() > thumbTop_ ? page : -page);
    UpdateThumb();
    update();
  }
  thumbDragging_ = upPressed_ = downPressed_ = false;
  e->accept();
}

void CSovFileListVerticleScrollbar::wheelEvent(QWheelEvent* e) {
  // The wheel goes to the list, as it would to the list holding the focus beside it.
  if (list_)
    QCoreApplication::sendEvent(list_.data(), e);
  else
    QWidget::wheelEvent(e);
}

void CSovFileListVerticleScrollbar::timerEvent(QTimerEvent* e) {
  if (e->timerId() == firstDelay_.timerId()) {
    if (upPressed_ || downPressed_) {
      firstDelay_.stop();
      repeat_.start(kRepeatMs, this);
    }
    return;
  }
  if (e->timerId() == repeat_.timerId()) {
    if (downPressed_)
      ScrollOneRow(true);
    else if (upPressed_)
      ScrollOneRow(false);
    return;
  }
  QWidget::timerEvent(e);
}
