// Helpers of the skinned-control tests: solid test images and the pixels a widget shows.
#pragma once

#include <QImage>
#include <QTest>
#include <QWidget>

namespace skintest {

inline QImage Solid(int width, int height, QRgb colour) {
  QImage image(width, height, QImage::Format_RGB32);
  image.fill(colour);
  return image;
}

// The colour the widget paints at point, rendered afresh.
inline QRgb PixelOf(QWidget& widget, QPoint point) {
  return widget.grab().toImage().pixel(point) | 0xFF000000;
}

// A shown, active top-level window, so focus and hover behave as on a desktop.
inline bool ShowActive(QWidget& window) {
  window.show();
  window.activateWindow();
  return QTest::qWaitForWindowActive(&window);
}

}  // namespace skintest
