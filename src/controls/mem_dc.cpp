#include "controls/mem_dc.h"

#include <QPaintDevice>

namespace corvane {

namespace {

bool isPrinting(const QPainter& painter) {
    const QPaintDevice* device = painter.device();
    return device && (device->devType() == QInternal::Printer);
}

QRect clipBox(const QPainter& painter) {
    if (painter.hasClipping()) return painter.clipBoundingRect().toAlignedRect();
    const QPaintDevice* device = painter.device();
    if (!device) return {};
    return painter.worldTransform().inverted().mapRect(QRect(0, 0, device->width(), device->height()));
}

}  // namespace

CMemDC::CMemDC(QPainter& target) : CMemDC(target, clipBox(target)) {}

CMemDC::CMemDC(QPainter& target, const QRect& rect)
    : target_(target), rect_(rect.normalized()), offScreen_(!isPrinting(target)) {
    begin();
}

void CMemDC::begin() {
    const QColor background = target_.background().color();
    if (!offScreen_) {
        target_.fillRect(rect_, background);
        return;
    }
    // An empty rectangle still gets a surface to draw on; nothing of it is copied.
    const qreal ratio = target_.device() ? target_.device()->devicePixelRatioF() : 1.0;
    image_ = QImage(rect_.isEmpty() ? QSize(1, 1) : rect_.size() * ratio, QImage::Format_RGB32);
    image_.setDevicePixelRatio(ratio);
    surface_.emplace(&image_);
    surface_->setPen(target_.pen());
    surface_->setBrush(target_.brush());
    surface_->setFont(target_.font());
    surface_->setBackground(target_.background());
    // Draw in the target's coordinates: the image's origin is the rectangle's top-left corner.
    surface_->translate(-rect_.topLeft());
    surface_->fillRect(rect_, background);
}

CMemDC::~CMemDC() {
    if (!offScreen_ || !surface_) return;
    surface_->end();
    if (rect_.isEmpty()) return;
    target_.drawImage(rect_.topLeft(), image_);
}

}  // namespace corvane
