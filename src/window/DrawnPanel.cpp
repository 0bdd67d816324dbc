#include "window/DrawnPanel.h"

#include <QPaintEvent>
#include <QPainter>

namespace ohmora {

const QImage& DrawnPanel::drawing() const {
    static const QImage none;
    return area_ ? area_->image() : none;
}

PictureArea& DrawnPanel::area() {
    if (!area_ || area_->width() != width() || area_->height() != height()) {
        area_ = std::make_unique<PictureArea>(width(), height(), background_);
    }
    return *area_;
}

void DrawnPanel::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    if (area_) {
        painter.drawImage(event->rect(), area_->image(), event->rect());
    } else {
        painter.fillRect(event->rect(), background_);
    }
}

} // namespace ohmora
