#pragma once
// Pixel helpers of the drawing tests: colours, counts, the box of a text's
// ink, and the comparison with the pictures of tests/data.

#include "picture/PictureArea.h"

#include <QDir>
#include <QFontMetrics>
#include <QImage>

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

// The smallest box holding the pixels of colour `ink` inside `area`; empty
// when there are none. What a text's placement is measured by.
inline QRect inkBox(const QImage& img, const QRect& area, QRgb ink = 0) {
    QRect box;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (rgbAt(img, x, y) == ink)
                box |= QRect(x, y, 1, 1);
    return box;
}

} // namespace ohmora::test
