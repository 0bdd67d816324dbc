#include "window/Appearance.h"

#include <QPainter>
#include <QPalette>

#include <array>
#include <cmath>

namespace ohmora {

QFont controlFont() {
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(11);
    // Whole-pixel advances: small text reads evenly.
    font.setHintingPreference(QFont::PreferFullHinting);
    return font;
}

QColor backgroundLineColour(int y) {
    // Halves go to the even neighbour: y = 300 gives RGB(228, 228, 218).
    const double f = double(y) / 600.0;
    const int g = int(std::nearbyint(255.0 - f * 55.0));
    const int b = int(std::nearbyint(255.0 - f * 75.0));
    return QColor(g, g, b);
}

QImage windowBackground(int width, int height, const QRect& shadow) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    for (int y = 0; y <= 600 && y < height; ++y) {
        const QRgb c = backgroundLineColour(y).rgb();
        QRgb* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        // The line runs from x = 0 to x = 800, its last pixel left out.
        for (int x = 0; x < 800 && x < width; ++x) {
            line[x] = c;
        }
    }
    QPainter painter(&image);
    painter.fillRect(shadow, kDarkGrey);
    return image;
}

void paintFocusFrame(QPainter& painter, const QRect& rect) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QPalette().color(QPalette::Highlight), 2, Qt::SolidLine, Qt::SquareCap,
                        Qt::MiterJoin));
    painter.drawRect(QRectF(rect).adjusted(1, 1, -1, -1));
    painter.restore();
}

namespace {

// '#' outline, '.' inside, ' ' transparent.
constexpr std::array<const char*, 19> kHand = {
    "     ##          ", "    #..#         ", "    #..#         ", "    #..#         ",
    "    #..#         ", "    #..###       ", "    #..#..###    ", "    #..#..#..##  ",
    " ## #..#..#..#.# ", "#..##........#..#", "#...#...........#", " #..............#",
    "  #.............#", "  #............# ", "   #...........# ", "   #..........#  ",
    "    #.........#  ", "    #.........#  ", "    ###########  ",
};

} // namespace

QCursor handCursor() {
    QImage image(32, 32, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    for (int y = 0; y < int(kHand.size()); ++y) {
        for (int x = 0; kHand[y][x] != '\0'; ++x) {
            if (kHand[y][x] == '#') {
                image.setPixel(x, y, qRgb(0, 0, 0));
            } else if (kHand[y][x] == '.') {
                image.setPixel(x, y, qRgb(255, 255, 255));
            }
        }
    }
    // The hot spot is the tip of the raised finger.
    return QCursor(QPixmap::fromImage(image), 5, 1);
}

QPixmap helpLinePicture() {
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0, 0, 128), 2));
    p.setBrush(QColor(255, 255, 192));
    p.drawEllipse(QRectF(2, 2, 28, 28));
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(20);
    font.setBold(true);
    font.setItalic(true);
    p.setFont(font);
    p.drawText(QRect(2, 2, 28, 28), Qt::AlignCenter, QStringLiteral("i"));
    return pixmap;
}

QPixmap exercisePicture() {
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setPen(Qt::black);
    p.setBrush(Qt::white);
    p.drawRect(3, 1, 10, 13);
    p.setPen(QColor(0, 0, 128));
    for (int y = 4; y <= 11; y += 2) {
        p.drawLine(5, y, 11, y);
    }
    return pixmap;
}

} // namespace ohmora
