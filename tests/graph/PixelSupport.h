#pragma once
// Pixel helpers shared by the drawing tests.

#include <QColor>
#include <QDir>
#include <QImage>
#include <QPainter>
#include <QRect>
#include <QString>

#include <gtest/gtest.h>

namespace ohmora::test {

inline QRgb rgbAt(const QImage& img, int x, int y) {
    return img.pixel(x, y) & 0xFFFFFF;
}
inline QRgb rgb(int r, int g, int b) {
    return qRgb(r, g, b) & 0xFFFFFF;
}
inline QRgb rgb(QColor c) {
    return c.rgb() & 0xFFFFFF;
}

// Bounding box of the pixels inside `area` that are not `background`.
inline QRect inkBox(const QImage& img, const QRect& area, QRgb background) {
    QRect box;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (rgbAt(img, x, y) != background)
                box |= QRect(x, y, 1, 1);
    return box;
}

inline int countColour(const QImage& img, const QRect& area, QRgb colour) {
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            n += rgbAt(img, x, y) == colour;
    return n;
}

// Pixels that differ between two images of the same size inside `area`.
inline int differingPixels(const QImage& a, const QImage& b, const QRect& area) {
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            n += rgbAt(a, x, y) != rgbAt(b, x, y);
    return n;
}

// Compares with a stored image of tests/data, allowing a few pixels of
// glyph rendering difference. OHMORA_UPDATE_GOLDEN=1 rewrites the file.
inline void expectMatchesGolden(const QImage& image, const QString& name, int tolerance) {
    QString dir = qEnvironmentVariable("OHMORA_TEST_DATA");
    if (dir.isEmpty())
        dir = QStringLiteral(OHMORA_TEST_DATA_DIR);
    const QString path = QDir(dir).filePath(name);
    if (qEnvironmentVariableIntValue("OHMORA_UPDATE_GOLDEN") == 1) {
        ASSERT_TRUE(image.save(path)) << path.toStdString();
        return;
    }
    const QImage golden = QImage(path).convertToFormat(QImage::Format_RGB32);
    ASSERT_FALSE(golden.isNull()) << "missing " << path.toStdString();
    ASSERT_EQ(golden.size(), image.size());
    EXPECT_LE(differingPixels(image, golden, image.rect()), tolerance) << name.toStdString();
}

} // namespace ohmora::test
