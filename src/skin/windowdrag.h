// WindowDrag: moving a frameless skinned window by pressing on its face, as by a caption. The
// window system moves it where it can (the only way under Wayland, where a program cannot place
// its own windows); elsewhere the window follows the mouse itself.
#pragma once

#include <QPoint>
#include <optional>

class QMouseEvent;
class QWidget;

class WindowDrag {
 public:
  // Each returns true when it took the event.
  bool Press(QWidget& window, QMouseEvent& event);
  bool Move(QWidget& window, QMouseEvent& event);
  bool Release(QMouseEvent& event);
  bool Dragging() const { return offset_.has_value(); }

 private:
  std::optional<QPoint> offset_;  // press position inside the window while it follows the mouse
};
