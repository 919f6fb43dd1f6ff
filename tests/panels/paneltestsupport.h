// Helpers of the panel tests: a shown, active stand-in window in the extended view, and real
// mouse moves through the window system, so moves reach the widget under the mouse as a user's do.
#pragma once

#include "fakewindow.h"

#include <QCoreApplication>
#include <QTest>
#include <QWindow>

namespace paneltest {

inline bool ShowActive(QWidget& window) {
  window.show();
  window.activateWindow();
  return QTest::qWaitForWindowActive(&window);
}

// A move without a button held at point of the window's client area.
inline void MoveTo(FakeWindow& window, QPoint point) {
  QTest::mouseMove(window.windowHandle(), point);
  QCoreApplication::processEvents();
}

// A move far outside the window, made before the window is in the extended view (so the bands
// ignore it): the platform drops a move to the point the mouse already is at, and the previous
// test may have left it exactly where this one moves first.
inline void ParkMouse(FakeWindow& window) {
  QTest::mouseMove(window.windowHandle(), QPoint(-1000, -1000));
  QCoreApplication::processEvents();
}

// Delivers the sliders' queued notifications.
inline void Deliver() { QCoreApplication::processEvents(); }

}  // namespace paneltest
