#include "schematic/SchematicPicture.h"

#include <cmath>

namespace ohmora {

namespace {

QColor qColor(Rgb c) {
    return QColor(c.r, c.g, c.b);
}

// One voltage arrow: shaft, two head strokes ending on the tip, and the
// symbol "u" with its subscript.
struct Arrow {
    int montage, slot;
    int shaft[4];
    int head1[4];
    int head2[4];
    int textX, textY;
    const char* subscript;
};

constexpr Arrow kArrows[] = {
    {0, SlotU1, {50, 50, 50, 121}, {47, 114, 50, 120}, {53, 114, 50, 120}, 55, 75, "1"},
    {0, SlotUC, {93, 90, 93, 160}, {90, 96, 93, 90}, {96, 96, 93, 90}, 75, 115, "C"},
    {0, SlotU2, {190, 90, 190, 161}, {187, 154, 190, 160}, {193, 154, 190, 160}, 173, 115, "2"},
    {1, SlotU1, {50, 50, 50, 121}, {47, 114, 50, 120}, {53, 114, 50, 120}, 55, 75, "1"},
    {1, SlotUC, {93, 90, 93, 160}, {90, 96, 93, 90}, {96, 96, 93, 90}, 75, 115, "C"},
    {1, SlotU2, {128, 222, 198, 222}, {134, 219, 128, 222}, {134, 225, 128, 222}, 160, 222, "2"},
    {1, SlotUb, {190, 50, 190, 201}, {187, 194, 190, 200}, {193, 194, 190, 200}, 173, 115, "b"},
    {2, SlotCoilRL, {190, 50, 190, 201}, {187, 56, 190, 50}, {193, 56, 190, 50}, 173, 115, "b"},
    {2,
     SlotResistorRL,
     {85, 225, 156, 225},
     {149, 222, 155, 225},
     {149, 228, 155, 225},
     118,
     227,
     "R"},
};

constexpr int kCoilCentres[] = {145, 155, 165, 175, 185};

bool isTicked(const SchematicInput& s, int k) {
    return s.ticked[size_t(k)];
}

QColor currentColour(const SchematicInput& s) {
    return isTicked(s, SlotI) ? qColor(s.colours[SlotI]) : QColor(Qt::black);
}

void dot(PictureArea& a, int x, int y) {
    a.setFillStyle(FillStyle::Solid);
    a.setFillColor(Qt::black);
    a.circle(x, y, 2);
    a.setFillStyle(FillStyle::Transparent);
}

void symbol(PictureArea& a, int x, int y, const QString& text,
            const QString& subscript = QString()) {
    a.setCurrentPosition(x, y);
    a.setFontItalic(true);
    a.print(text);
    a.setFontItalic(false);
    if (!subscript.isEmpty()) {
        a.setCurrentY(a.currentY() + 4);
        a.print(subscript);
        a.setCurrentY(a.currentY() - 4);
    }
}

void upright(PictureArea& a, int x, int y, const QString& text) {
    a.setFontItalic(false);
    a.setCurrentPosition(x, y);
    a.print(text);
}

void drawMontage0(PictureArea& a, const SchematicInput& s) {
    a.line(35, 30, 100, 30);
    a.line(140, 30, 205, 30);
    a.line(35, 30, 35, 60);
    a.line(35, 110, 35, 210);
    a.line(35, 210, 205, 210);
    a.line(205, 30, 205, 100);
    a.line(205, 150, 205, 211);
    a.line(120, 50, 120, 122);
    a.line(120, 130, 120, 210);
    a.line(117, 67, 120, 73, currentColour(s));
    a.line(123, 67, 120, 73, currentColour(s));
    a.line(100, 122, 140, 122);
    a.line(100, 130, 140, 130);
    a.circle(35, 165, 15);
    dot(a, 100, 30), dot(a, 140, 30), dot(a, 120, 50), dot(a, 120, 210);
    a.box(30, 60, 40, 110);
    a.box(200, 100, 210, 150);
    upright(a, 27, 139, "+");
    upright(a, 27, 177, "-");
    a.setForeColor(currentColour(s));
    symbol(a, 127, 63, "i");
    a.setForeColor(Qt::black);
    upright(a, 98, 13, "1");
    upright(a, 138, 13, "2");
    upright(a, 118, 5, "0");
    symbol(a, 7, 158, "U");
    symbol(a, 12, 75, "R", "1");
    symbol(a, 142, 119, "C");
    symbol(a, 215, 118, "R", "2");
}

void drawCoil(PictureArea& a) {
    // Five bumps bulging right: each the right half of an ellipse 20 × 10.
    for (int cy : kCoilCentres) {
        a.arc(205, cy, 10, 0, 1.57, 0.5);
        a.arc(205, cy, 10, 4.71, 6.28, 0.5);
    }
}

void drawMontage1(PictureArea& a, const SchematicInput& s) {
    a.line(35, 30, 100, 30);
    a.line(140, 30, 205, 30);
    a.line(35, 30, 35, 60);
    a.line(35, 110, 35, 210);
    a.line(35, 210, 138, 210);
    a.line(188, 210, 205, 210);
    a.line(205, 30, 205, 60);
    a.line(205, 110, 205, 140);
    a.line(205, 190, 205, 211);
    a.line(120, 50, 120, 122);
    a.line(120, 130, 120, 210);
    a.line(117, 67, 120, 73, currentColour(s));
    a.line(123, 67, 120, 73, currentColour(s));
    a.line(100, 122, 140, 122);
    a.line(100, 130, 140, 130);
    a.circle(35, 165, 15);
    dot(a, 100, 30), dot(a, 140, 30), dot(a, 120, 50), dot(a, 120, 210);
    a.box(30, 60, 40, 110);
    a.box(138, 205, 188, 215);
    a.box(200, 60, 210, 110);
    drawCoil(a);
    upright(a, 27, 139, "+");
    upright(a, 27, 177, "-");
    a.setForeColor(currentColour(s));
    symbol(a, 127, 63, "i");
    a.setForeColor(Qt::black);
    upright(a, 98, 13, "1");
    upright(a, 138, 13, "2");
    upright(a, 118, 5, "0");
    symbol(a, 7, 158, "U");
    symbol(a, 220, 158, "L");
    symbol(a, 12, 75, "R", "1");
    symbol(a, 142, 119, "C");
    symbol(a, 215, 75, "r");
    symbol(a, 160, 185, "R", "2");
    if (s.sustained) {
        // The maintaining generator hides the top wire under its disc.
        a.setFillStyle(FillStyle::Solid);
        a.setFillColor(Qt::white);
        a.circle(171, 30, 12);
        a.setFillColor(Qt::black);
        a.setFillStyle(FillStyle::Transparent);
        symbol(a, 166, 23, "G");
    }
}

void drawMontage2(PictureArea& a, const SchematicInput& s) {
    a.line(35, 30, 105, 30);
    a.line(135, 30, 205, 30);
    a.line(35, 30, 35, 210);
    a.line(35, 210, 95, 210);
    a.line(145, 210, 205, 210);
    a.line(205, 30, 205, 60);
    a.line(205, 110, 205, 140);
    a.line(205, 190, 205, 211);
    a.line(69, 27, 75, 30, currentColour(s));
    a.line(69, 33, 75, 30, currentColour(s));
    a.circle(35, 120, 15);
    dot(a, 105, 30), dot(a, 135, 30);
    a.box(200, 60, 210, 110);
    drawCoil(a);
    a.box(95, 205, 145, 215);
    upright(a, 27, 94, "+");
    upright(a, 27, 132, "-");
    a.setForeColor(currentColour(s));
    symbol(a, 70, 13, "i");
    a.setForeColor(Qt::black);
    symbol(a, 7, 113, "U");
    symbol(a, 220, 158, "L");
    symbol(a, 215, 75, "r");
    symbol(a, 118, 190, "R");
}

void drawArrows(PictureArea& a, const SchematicInput& s) {
    for (const Arrow& arrow : kArrows) {
        if (arrow.montage != s.montage || !isTicked(s, arrow.slot))
            continue;
        const QColor c = qColor(s.colours[size_t(arrow.slot)]);
        a.line(arrow.shaft[0], arrow.shaft[1], arrow.shaft[2], arrow.shaft[3], c);
        a.line(arrow.head1[0], arrow.head1[1], arrow.head1[2], arrow.head1[3], c);
        a.line(arrow.head2[0], arrow.head2[1], arrow.head2[2], arrow.head2[3], c);
        a.setForeColor(c);
        symbol(a, arrow.textX, arrow.textY, "u", arrow.subscript);
        a.setForeColor(Qt::black);
    }
}

void drawBlade(PictureArea& a, const SchematicInput& s) {
    a.setDrawWidth(2);
    a.setForeColor(Qt::black);
    if (s.montage == 0 || s.montage == 1) {
        switch (s.position) {
        case 0:
            a.line(120, 22, 120, 50);
            break;
        case 1:
            a.line(100, 30, 120, 50);
            break;
        case 2:
            a.line(140, 30, 120, 50);
            break;
        default:
            break;
        }
    } else if (s.montage == 2) {
        switch (s.position) {
        case 0:
            a.line(105, 30, 126, 9);
            break;
        case 1:
            a.line(105, 30, 135, 30);
            break;
        default:
            break;
        }
    }
}

} // namespace

SchematicPicture::SchematicPicture(double scale) : area_(kSize, kSize, Qt::white, scale) {}

void SchematicPicture::paintBackground(PictureArea& a) {
    a.verticalGradient(QColor(255, 200, 155), Qt::white);
}

void SchematicPicture::paintCircuit(PictureArea& a, const SchematicInput& s) {
    a.setDrawWidth(1);
    a.setFillStyle(FillStyle::Transparent);
    a.setFillColor(Qt::black);
    a.setForeColor(Qt::black);
    a.setFont(QStringLiteral("Arial"), 8, false, false);

    switch (s.montage) {
    case 0:
        drawMontage0(a, s);
        break;
    case 1:
        drawMontage1(a, s);
        break;
    case 2:
        drawMontage2(a, s);
        break;
    default:
        return;
    }
    drawArrows(a, s);
    drawBlade(a, s);
}

Drawing SchematicPicture::drawing(const SchematicInput& input, bool withBackground) {
    return {QSize(kSize, kSize), Qt::white, [input, withBackground](PictureArea& a) {
                a.cls();
                if (withBackground) {
                    paintBackground(a);
                }
                paintCircuit(a, input);
            }};
}

void SchematicPicture::fondSchema() {
    PictureArea& a = area_;
    a.cls();
    a.removeBackground();
    paintBackground(a);
    a.freezeBackground();
    a.cls();
    backgroundPainted_ = true;
}

void SchematicPicture::removeBackground() {
    area_.removeBackground();
    backgroundPainted_ = false;
}

void SchematicPicture::deschema(const SchematicInput& s) {
    area_.cls();
    paintCircuit(area_, s);
}

QImage SchematicPicture::imageWithoutBackground(const SchematicInput& input) {
    return renderImage(drawing(input, false));
}

} // namespace ohmora
