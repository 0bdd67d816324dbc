#pragma once
// The scale at which pictures are shown: device pixels to one pixel of a
// picture. The pictures, their hit zones and the simulator's rules speak in
// the pictures' own pixels; a view that shows them at another scale maps
// its device positions back through here.

#include <QPoint>
#include <QPointF>
#include <QRect>
#include <QSize>

#include <cmath>

namespace ohmora {

struct PictureScale {
    double factor = 1;

    // The device size of a picture: every pixel of it covered.
    QSize deviceSize(QSize size) const {
        return {int(std::ceil(size.width() * factor)), int(std::ceil(size.height() * factor))};
    }
    // The picture's pixel under a device position.
    QPoint toPicture(QPointF device) const {
        return {int(std::floor(device.x() / factor)), int(std::floor(device.y() / factor))};
    }
    // The device pixels that cover a rectangle of the picture's pixels.
    QRect toDevice(const QRect& r) const {
        const int left = int(std::floor(r.left() * factor));
        const int top = int(std::floor(r.top() * factor));
        const int right = int(std::ceil((r.right() + 1) * factor));
        const int bottom = int(std::ceil((r.bottom() + 1) * factor));
        return QRect(left, top, right - left, bottom - top);
    }
};

// The scales an image export offers.
inline constexpr int kExportScales[] = {1, 2, 4};
inline bool isExportScale(int scale) {
    return scale == 1 || scale == 2 || scale == 4;
}

} // namespace ohmora
