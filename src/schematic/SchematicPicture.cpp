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

bool ticked(const SchematicInput& s, int k) {
    return s.ticked[size_t(k)];
}

QColor currentColour(const SchematicInput& s) {
    return ticked(s, SlotI) ? qColor(s.colours[SlotI]) : QColor(Qt::black);
}

} // namespace

SchematicPicture::SchematicPicture() : area_(kSize, kSize, Qt::white) {}

void SchematicPicture::fondSchema() {
    PictureArea& a = area_;
    a.cls();
    a.removeBackground();
    const int h = toPixel(a.height());
    const int w = a.width();
    // One pixel per row whatever pen a previous drawing left, so that each
    // row has exactly its own shade.
    const int width = a.drawWidth();
    a.setDrawWidth(1);
    for (int y = 0; y <= h; ++y) {
        const int g = toPixel(200 + 55.0 * y / h);
        const int b = toPixel(155 + 100.0 * y / h);
        a.line(0, y, w, y, QColor(255, g, b));
    }
    a.setDrawWidth(width);
    a.freezeBackground();
    a.cls();
    backgroundPainted_ = true;
}

void SchematicPicture::removeBackground() {
    area_.removeBackground();
    backgroundPainted_ = false;
}

void SchematicPicture::dot(int x, int y) {
    area_.setFillStyle(FillStyle::Solid);
    area_.setFillColor(Qt::black);
    area_.circle(x, y, 2);
    area_.setFillStyle(FillStyle::Transparent);
}

void SchematicPicture::symbol(int x, int y, const QString& text, const QString& subscript) {
    PictureArea& a = area_;
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

static void upright(PictureArea& a, int x, int y, const QString& text) {
    a.setFontItalic(false);
    a.setCurrentPosition(x, y);
    a.print(text);
}

void SchematicPicture::deschema(const SchematicInput& s) {
    PictureArea& a = area_;
    a.cls();
    a.setDrawWidth(1);
    a.setFillStyle(FillStyle::Transparent);
    a.setFillColor(Qt::black);
    a.setForeColor(Qt::black);
    a.setFont(QStringLiteral("Arial"), 8, false, false);

    switch (s.montage) {
    case 0:
        drawMontage0(s);
        break;
    case 1:
        drawMontage1(s);
        break;
    case 2:
        drawMontage2(s);
        break;
    default:
        return;
    }
    drawArrows(s);
    drawBlade(s);
}

void SchematicPicture::drawMontage0(const SchematicInput& s) {
    PictureArea& a = area_;
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
    dot(100, 30), dot(140, 30), dot(120, 50), dot(120, 210);
    a.box(30, 60, 40, 110);
    a.box(200, 100, 210, 150);
    upright(a, 27, 139, "+");
    upright(a, 27, 177, "-");
    a.setForeColor(currentColour(s));
    symbol(127, 63, "i");
    a.setForeColor(Qt::black);
    upright(a, 98, 13, "1");
    upright(a, 138, 13, "2");
    upright(a, 118, 5, "0");
    symbol(7, 158, "U");
    symbol(12, 75, "R", "1");
    symbol(142, 119, "C");
    symbol(215, 118, "R", "2");
}

void SchematicPicture::drawCoil() {
    // Five bumps bulging right: each the right half of an ellipse 20 × 10.
    for (int cy : kCoilCentres) {
        area_.arc(205, cy, 10, 0, 1.57, 0.5);
        area_.arc(205, cy, 10, 4.71, 6.28, 0.5);
    }
}

void SchematicPicture::drawMontage1(const SchematicInput& s) {
    PictureArea& a = area_;
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
    dot(100, 30), dot(140, 30), dot(120, 50), dot(120, 210);
    a.box(30, 60, 40, 110);
    a.box(138, 205, 188, 215);
    a.box(200, 60, 210, 110);
    drawCoil();
    upright(a, 27, 139, "+");
    upright(a, 27, 177, "-");
    a.setForeColor(currentColour(s));
    symbol(127, 63, "i");
    a.setForeColor(Qt::black);
    upright(a, 98, 13, "1");
    upright(a, 138, 13, "2");
    upright(a, 118, 5, "0");
    symbol(7, 158, "U");
    symbol(220, 158, "L");
    symbol(12, 75, "R", "1");
    symbol(142, 119, "C");
    symbol(215, 75, "r");
    symbol(160, 185, "R", "2");
    if (s.sustained) {
        // The maintaining generator hides the top wire under its disc.
        a.setFillStyle(FillStyle::Solid);
        a.setFillColor(Qt::white);
        a.circle(171, 30, 12);
        a.setFillColor(Qt::black);
        a.setFillStyle(FillStyle::Transparent);
        symbol(166, 23, "G");
    }
}

void SchematicPicture::drawMontage2(const SchematicInput& s) {
    PictureArea& a = area_;
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
    dot(105, 30), dot(135, 30);
    a.box(200, 60, 210, 110);
    drawCoil();
    a.box(95, 205, 145, 215);
    upright(a, 27, 94, "+");
    upright(a, 27, 132, "-");
    a.setForeColor(currentColour(s));
    symbol(70, 13, "i");
    a.setForeColor(Qt::black);
    symbol(7, 113, "U");
    symbol(220, 158, "L");
    symbol(215, 75, "r");
    symbol(118, 190, "R");
}

void SchematicPicture::drawArrows(const SchematicInput& s) {
    PictureArea& a = area_;
    for (const Arrow& arrow : kArrows) {
        if (arrow.montage != s.montage || !ticked(s, arrow.slot))
            continue;
        const QColor c = qColor(s.colours[size_t(arrow.slot)]);
        a.line(arrow.shaft[0], arrow.shaft[1], arrow.shaft[2], arrow.shaft[3], c);
        a.line(arrow.head1[0], arrow.head1[1], arrow.head1[2], arrow.head1[3], c);
        a.line(arrow.head2[0], arrow.head2[1], arrow.head2[2], arrow.head2[3], c);
        a.setForeColor(c);
        symbol(arrow.textX, arrow.textY, "u", arrow.subscript);
        a.setForeColor(Qt::black);
    }
}

void SchematicPicture::drawBlade(const SchematicInput& s) {
    PictureArea& a = area_;
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

QImage SchematicPicture::imageWithoutBackground(const SchematicInput& input) {
    SchematicPicture scratch;
    scratch.deschema(input);
    return scratch.image();
}

} // namespace ohmora
