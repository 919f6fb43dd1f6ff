#include "memdc.h"

#include <QPaintDevice>

namespace {

// An image for area of target at the target's pixel density, transparent so that whatever the
// caller leaves undrawn shows the target's own pixels once copied.
QImage OffscreenFor(const QPainter& target, const QRect& area) {
  const QPaintDevice* device = target.device();
  const qreal ratio = device ? device->devicePixelRatioF() : 1.0;
  // An empty area still gets a pixel so the caller always has something to paint on.
  const QSize size = area.isEmpty() ? QSize(1, 1) : area.size();
  QImage image(size * ratio, QImage::Format_ARGB32_Premultiplied);
  image.setDevicePixelRatio(ratio);
  image.fill(Qt::transparent);
  return image;
}

void Begin(QPainter& painter, QImage& image, const QRect& area) {
  painter.begin(&image);
  painter.translate(-area.topLeft());
}

void CopyBack(QPainter& target, const QImage& image, const QRect& area) {
  if (area.isEmpty() || !target.isActive()) return;
  target.save();
  target.setCompositionMode(QPainter::CompositionMode_SourceOver);
  target.drawImage(area.topLeft(), image);
  target.restore();
}

}  // namespace

CSkinMemDC::CSkinMemDC(QPainter& target, const QRect& area)
    : target_(target), area_(area.normalized()), image_(OffscreenFor(target, area_)) {
  Begin(painter_, image_, area_);
}

CSkinMemDC::~CSkinMemDC() {
  painter_.end();
  CopyBack(target_, image_, area_);
}

CMyMemDC::CMyMemDC(QPainter& target)
    : target_(target),
      memoryMode_(!target.device() || target.device()->devType() != QInternal::Printer) {
  if (!memoryMode_) return;
  if (target.hasClipping()) {
    area_ = target.clipBoundingRect().toAlignedRect();
  } else if (const QPaintDevice* device = target.device()) {
    area_ = target.transform().inverted().mapRect(
        QRect(0, 0, device->width(), device->height()));
  }
  image_ = OffscreenFor(target, area_);
  Begin(painter_, image_, area_);
}

CMyMemDC::~CMyMemDC() {
  if (!memoryMode_) return;
  painter_.end();
  CopyBack(target_, image_, area_);
}
