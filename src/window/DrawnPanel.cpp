#include "window/DrawnPanel.h"

#include <QPaintEvent>
#include <QPainter>

namespace ohmora {

const QImage& DrawnPanel::drawing() const {
    static const QImage none;
    return area_ ? area_->image() : none;
}

PictureArea& DrawnPanel::area() {
    const double scale = devicePixelRatioF();
    if (!area_ || area_->width() != width() || area_->height() != height() ||
        area_->scale() != scale) {
        area_ = std::make_unique<PictureArea>(width(), height(), background_, scale);
    }
    return *area_;
}

void DrawnPanel::paintEvent(QPaintEvent* event) {
    if (area_ && area_->scale() != devicePixelRatioF()) {
        redraw();
    }
    QPainter painter(this);
    if (area_ && area_->scale() == 1) {
        painter.drawImage(event->rect(), area_->image(), event->rect());
    } else if (area_) {
        // Its device pixels fall on the screen's.
        QImage image = area_->image();
        image.setDevicePixelRatio(area_->scale());
        painter.drawImage(QPointF(0, 0), image);
    } else {
        painter.fillRect(event->rect(), background_);
    }
}

} // namespace ohmora
