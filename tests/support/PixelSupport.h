#pragma once
// Pixel helpers of the drawing tests, and an independent rendering of the
// texts a picture should hold: each piece drawn straight with QPainter at
// its stated top-left corner.

#include "picture/PictureArea.h"

#include <QDir>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>

#include <algorithm>

#include <gtest/gtest.h>

namespace ohmora::test {

inline QRgb rgbAt(const QImage& img, int x, int y) {
    return img.pixel(x, y) & 0xFFFFFF;
}
inline QRgb rgb(int r, int g, int b) {
    return qRgb(r, g, b) & 0xFFFFFF;
}

inline int countColour(const QImage& img, const QRect& area, QRgb colour) {
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            n += rgbAt(img, x, y) == colour;
    return n;
}

inline int differingPixels(const QImage& a, const QImage& b, const QRect& area) {
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            n += rgbAt(a, x, y) != rgbAt(b, x, y);
    return n;
}

// Compares with an image of tests/data, allowing a few pixels of glyph
// rendering difference. OHMORA_UPDATE_GOLDEN=1 rewrites the file.
inline void expectMatchesGolden(const QImage& image, const QString& name, int tolerance) {
    QString dir = qEnvironmentVariable("OHMORA_TEST_DATA");
    const QString path =
        QDir(dir.isEmpty() ? QStringLiteral(OHMORA_TEST_DATA_DIR) : dir).filePath(name);
    if (qEnvironmentVariableIntValue("OHMORA_UPDATE_GOLDEN") == 1) {
        ASSERT_TRUE(image.save(path));
        return;
    }
    const QImage golden = QImage(path).convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(golden.size(), image.size()) << path.toStdString();
    EXPECT_LE(differingPixels(image, golden, image.rect()), tolerance);
}

class TextReference {
public:
    TextReference(QSize size, QColor background, double points = 8)
        : image_(size, QImage::Format_RGB32), points_(points) {
        image_.fill(background);
    }
    // Draws `text` with its top-left at (x, y); returns where the next
    // piece starts: after an italic piece, past its last glyph's lean.
    double text(double x, double y, const QString& text, bool italic = false) {
        const QFont f = pictureFont("Arial", points_, false, italic);
        QPainter p(&image_);
        p.setFont(f);
        const QFontMetrics m(f);
        p.drawText(toPixel(x), toPixel(y) + m.ascent(), text);
        const int lean = italic && !text.isEmpty() ? std::max(0, -m.rightBearing(text.back())) : 0;
        return x + width(text, italic) + lean;
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
