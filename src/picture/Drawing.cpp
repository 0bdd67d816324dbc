#include "picture/Drawing.h"

#include "picture/PictureArea.h"

#include <QBuffer>
#include <QPainter>
#include <QSvgGenerator>

namespace ohmora {

QImage renderImage(const Drawing& drawing, double scale) {
    PictureArea area(drawing.size.width(), drawing.size.height(), drawing.backColor, scale);
    drawing.paint(area);
    return area.image();
}

QByteArray renderSvg(const Drawing& drawing, const QString& title) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    svg.setSize(drawing.size);
    svg.setViewBox(QRect(QPoint(0, 0), drawing.size));
    svg.setResolution(96);
    svg.setTitle(title);
    QPainter painter;
    if (!painter.begin(&svg)) {
        return {};
    }
    {
        PictureArea area(painter, drawing.size.width(), drawing.size.height(), drawing.backColor);
        drawing.paint(area);
    }
    painter.end();
    return bytes;
}

void paintDrawing(QPainter& painter, const QPointF& topLeft, double unitsPerPixel,
                  const Drawing& drawing) {
    painter.save();
    painter.translate(topLeft);
    painter.scale(unitsPerPixel, unitsPerPixel);
    painter.setClipRect(QRect(QPoint(0, 0), drawing.size), Qt::IntersectClip);
    {
        PictureArea area(painter, drawing.size.width(), drawing.size.height(), drawing.backColor);
        drawing.paint(area);
    }
    painter.restore();
}

QByteArray pngBytes(const QImage& image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG")) {
        return {};
    }
    return bytes;
}

} // namespace ohmora
