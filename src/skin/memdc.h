// CSkinMemDC and CMyMemDC: off-screen images a control paints into, copied to the target in one
// step when the object goes away, so a repaint never shows half-drawn states.
#pragma once

#include <QImage>
#include <QPainter>
#include <QRect>

// Covers the rectangle area of the target. Callers draw through painter() in the target's
// coordinates. What they leave undrawn keeps the target's previous content.
class CSkinMemDC {
 public:
  CSkinMemDC(QPainter& target, const QRect& area);
  ~CSkinMemDC();
  CSkinMemDC(const CSkinMemDC&) = delete;
  CSkinMemDC& operator=(const CSkinMemDC&) = delete;

  QPainter& painter() { return painter_; }
  const QRect& area() const { return area_; }

 private:
  QPainter& target_;
  QRect area_;
  QImage image_;
  QPainter painter_;
};

// Covers what the target may paint: the bounding rectangle of its clip region, or its whole
// device when it has no clip. On a printer it draws straight into the target: an off-screen
// raster copy would print at screen resolution.
class CMyMemDC {
 public:
  explicit CMyMemDC(QPainter& target);
  ~CMyMemDC();
  CMyMemDC(const CMyMemDC&) = delete;
  CMyMemDC& operator=(const CMyMemDC&) = delete;

  QPainter& painter() { return memoryMode_ ? painter_ : target_; }
  const QRect& area() const { return area_; }
  bool memoryMode() const { return memoryMode_; }

 private:
  QPainter& target_;
  QRect area_;
  bool memoryMode_;
  QImage image_;
  QPainter painter_;
};
