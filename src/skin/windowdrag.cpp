#include "windowdrag.h"

#include <QMouseEvent>
#include <QWidget>
#include <QWindow>

bool WindowDrag::Press(QWidget& window, QMouseEvent& event) {
  if (event.button() != Qt::LeftButton) return false;
  event.accept();
  if (QWindow* handle = window.windowHandle(); handle && handle->startSystemMove()) return true;
  offset_ = event.globalPosition().toPoint() - window.frameGeometry().topLeft();
  return true;
}

bool WindowDrag::Move(QWidget& window, QMouseEvent& event) {
  if (!offset_ || !(event.buttons() & Qt::LeftButton)) return false;
  window.move(event.globalPosition().toPoint() - *offset_);
  event.accept();
  return true;
}

bool WindowDrag::Release(QMouseEvent& event) {
  if (event.button() != Qt::LeftButton || !offset_) return false;
  offset_.reset();
  return true;
}
