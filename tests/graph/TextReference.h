#pragma once
// An independent rendering of the texts a drawing should contain: each
// piece drawn straight with QPainter at its stated top-left corner, so a
// test can compare a region of a picture with what belongs there.

#include "PictureArea.h"

#include <QFontMetrics>
#include <QImage>
#include <QPainter>

namespace ohmora::test {

class TextReference {
public:
    TextReference(QSize size, QColor background, double points = 8)
        : image_(size, QImage::Format_RGB32), points_(points) {
        image_.fill(background);
    }

    // Draws `text` with its top-left at (x, y) and returns the x where the
    // next piece starts.
    double text(double x, double y, const QString& text, bool italic = false,
                QColor colour = Qt::black) {
        const QFont f = pictureFont("Arial", points_, false, italic);
        const QFontMetrics m(f);
        QPainter p(&image_);
        p.setFont(f);
        p.setPen(colour);
        p.drawText(toPixel(x), toPixel(y) + m.ascent(), text);
        return x + m.horizontalAdvance(text);
    }

    int width(const QString& text, bool italic = false) const {
        return QFontMetrics(pictureFont("Arial", points_, false, italic)).horizontalAdvance(text);
    }
    int height() const { return QFontMetrics(pictureFont("Arial", points_)).height(); }

    const QImage& image() const { return image_; }

private:
    QImage image_;
    double points_;
};

} // namespace ohmora::test
