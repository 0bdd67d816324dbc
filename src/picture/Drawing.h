#pragma once
// A picture kept as the code that draws it, so that it can be drawn anew
// anywhere and at any scale: pixel for pixel at scale 1, sharp at 1,5, 2 or
// 4 (a projector, a high-density screen, an image export), as an SVG file
// with its text kept as text, or on a printed page at the printer's
// resolution.

#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QPointF>
#include <QSize>
#include <QString>

#include <functional>

class QPainter;

namespace ohmora {

class PictureArea;

struct Drawing {
    QSize size; // in the picture's pixels
    QColor backColor = Qt::white;
    // Draws the whole picture on the area given, from its clear on.
    std::function<void(PictureArea&)> paint;
};

// The picture drawn at `scale` device pixels to one of its pixels (its
// resolution 96 DPI × scale, so that it keeps its size on paper).
QImage renderImage(const Drawing& drawing, double scale = 1);

// The picture as an SVG document of its size in pixels.
QByteArray renderSvg(const Drawing& drawing, const QString& title);

// The picture on `painter` with its top-left corner at `topLeft` and
// `unitsPerPixel` of the painter's units to one of its pixels, clipped to
// its bounds.
void paintDrawing(QPainter& painter, const QPointF& topLeft, double unitsPerPixel,
                  const Drawing& drawing);

// The image as a PNG file's bytes (empty if it could not be encoded).
QByteArray pngBytes(const QImage& image);

} // namespace ohmora
