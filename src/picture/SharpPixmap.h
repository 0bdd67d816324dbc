#pragma once
// A small picture a widget shows (an icon, a mark), painted in its logical
// pixels on a transparent pixmap of the screens' resolution: sharp on a
// high-density screen or under a projector's zoom, the same pixels at 1.

#include <QGuiApplication>
#include <QPixmap>
#include <QSize>

namespace ohmora {

inline QPixmap sharpPixmap(QSize logical) {
    const qreal ratio = qApp ? qApp->devicePixelRatio() : 1.0;
    QPixmap pixmap(logical * ratio);
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

} // namespace ohmora
