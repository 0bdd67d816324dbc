#include "PictureArea.h"

#include "PixelSupport.h"

#include <QFontInfo>
#include <QFontMetrics>

using namespace ohmora;
using ohmora::test::rgb;
using ohmora::test::rgbAt;

namespace {

const QRgb kWhite = rgb(255, 255, 255);
const QRgb kBlack = rgb(0, 0, 0);

// The set pixels of a small picture as a text map, row by row.
std::string map(const PictureArea& a) {
    std::string s;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x)
            s += rgbAt(a.image(), x, y) == kWhite ? '.' : '#';
        s += '\n';
    }
    return s;
}

} // namespace

TEST(PictureArea, ImageIsAt96Dpi) {
    PictureArea a(10, 10);
    EXPECT_EQ(a.image().dotsPerMeterX(), 3780);
    EXPECT_EQ(a.image().dotsPerMeterY(), 3780);
}

TEST(PictureArea, FontSizesMapToPixelsAsOnA96DpiScreen) {
    EXPECT_EQ(fontPixelSize(8), 11);
    EXPECT_EQ(fontPixelSize(8.25), 11);
    EXPECT_EQ(fontPixelSize(10), 13);
    EXPECT_EQ(fontPixelSize(12), 16);
    EXPECT_EQ(fontPixelSize(18), 24);
    EXPECT_EQ(fontPixelSize(24), 32);
}

TEST(PictureArea, ArialResolvesToAMetricCompatibleFace) {
    const QFont f = pictureFont("Arial", 8);
    const QFontInfo info(f);
    EXPECT_TRUE(info.family() == "Arial" || info.family() == "Liberation Sans")
        << info.family().toStdString();
    EXPECT_EQ(info.pixelSize(), 11);
    // Arial's digits are all 0.556 em wide: 6 pixels at 11.
    EXPECT_EQ(QFontMetrics(f).horizontalAdvance("100"), 18);
}

TEST(PictureArea, ThinLineLeavesOutItsLastPixel) {
    PictureArea a(6, 4);
    a.line(1, 1, 5, 1);
    a.line(0, 3, 0, 0);
    EXPECT_EQ(map(a), "......\n#####.\n#.....\n#.....\n");
}

TEST(PictureArea, ThinDiagonalLeavesOutItsLastPixel) {
    PictureArea a(4, 4);
    a.line(0, 0, 3, 3);
    EXPECT_EQ(map(a), "#...\n.#..\n..#.\n....\n");
}

TEST(PictureArea, LineMovesTheCurrentPosition) {
    PictureArea a(10, 10);
    a.line(1, 2, 7, 8);
    EXPECT_EQ(a.currentX(), 7);
    EXPECT_EQ(a.currentY(), 8);
}

TEST(PictureArea, WideLineCoversBothEnds) {
    PictureArea a(8, 5);
    a.setDrawWidth(2);
    a.line(2, 2, 5, 2);
    EXPECT_EQ(map(a), "........\n.#####..\n.#####..\n........\n........\n");
}

TEST(PictureArea, WidePointIsATwoByTwoSquare) {
    PictureArea a(4, 4);
    a.setDrawWidth(2);
    a.pset(2, 2, Qt::red);
    EXPECT_EQ(map(a), "....\n.##.\n.##.\n....\n");
    EXPECT_EQ(rgbAt(a.image(), 1, 1), rgb(255, 0, 0));
}

TEST(PictureArea, OutlineBoxIncludesBothCorners) {
    PictureArea a(6, 5);
    a.box(4, 3, 1, 1);
    EXPECT_EQ(map(a), "......\n.####.\n.#..#.\n.####.\n......\n");
}

TEST(PictureArea, SolidFillStyleFillsABoxInside) {
    PictureArea a(6, 5);
    a.setFillStyle(FillStyle::Solid);
    a.setFillColor(Qt::blue);
    a.box(1, 1, 4, 3);
    EXPECT_EQ(rgbAt(a.image(), 2, 2), rgb(0, 0, 255));
    EXPECT_EQ(rgbAt(a.image(), 1, 1), kBlack);
}

TEST(PictureArea, FilledBoxCoversBothCorners) {
    PictureArea a(6, 5);
    a.filledBox(1, 1, 4, 3, Qt::black);
    EXPECT_EQ(map(a), "......\n.####.\n.####.\n.####.\n......\n");
}

TEST(PictureArea, HollowCircleOfRadiusTwo) {
    PictureArea a(7, 7);
    a.circle(3, 3, 2);
    EXPECT_EQ(map(a), ".......\n..###..\n.#...#.\n.#...#.\n.#...#.\n..###..\n.......\n");
}

TEST(PictureArea, SolidCircleIsADisc) {
    PictureArea a(7, 7);
    a.setFillStyle(FillStyle::Solid);
    a.setFillColor(Qt::black);
    a.circle(3, 3, 2);
    EXPECT_EQ(map(a), ".......\n..###..\n.#####.\n.#####.\n.#####.\n..###..\n.......\n");
}

TEST(PictureArea, SolidCircleFillsWithTheFillColourInsideTheOutline) {
    PictureArea a(40, 40, Qt::black);
    a.setFillStyle(FillStyle::Solid);
    a.setFillColor(Qt::white);
    a.circle(20, 20, 12);
    EXPECT_EQ(rgbAt(a.image(), 20, 20), kWhite);
    EXPECT_EQ(rgbAt(a.image(), 9, 20), kWhite);
    EXPECT_EQ(rgbAt(a.image(), 8, 20), kBlack); // the outline
    EXPECT_EQ(rgbAt(a.image(), 20, 32), kBlack);
    EXPECT_EQ(rgbAt(a.image(), 20, 33), kBlack); // outside, untouched
}

TEST(PictureArea, ArcsFromZeroToAQuarterAndFromThreeQuartersDrawTheRightHalf) {
    PictureArea a(30, 20);
    a.arc(12, 10, 10, 0, 1.57, 0.5);
    a.arc(12, 10, 10, 4.71, 6.28, 0.5);
    const QImage& img = a.image();
    EXPECT_EQ(rgbAt(img, 22, 10), kBlack); // rightmost point
    EXPECT_EQ(rgbAt(img, 12, 5), kBlack);  // top end, a hair short of pi/2
    EXPECT_EQ(rgbAt(img, 12, 15), kBlack); // bottom end
    EXPECT_EQ(rgbAt(img, 2, 10), kWhite);  // the left half stays empty
    EXPECT_EQ(rgbAt(img, 7, 6), kWhite);
    EXPECT_EQ(rgbAt(img, 12, 10), kWhite); // hollow
    // No gap along the outline: every column from the centre to the right
    // has ink above and below the centre line.
    for (int x = 12; x <= 22; ++x) {
        int above = 0, below = 0;
        for (int y = 0; y < 10; ++y)
            above += rgbAt(img, x, y) == kBlack;
        for (int y = 11; y < 20; ++y)
            below += rgbAt(img, x, y) == kBlack;
        EXPECT_GE(above, 1) << x;
        EXPECT_GE(below, 1) << x;
    }
}

TEST(PictureArea, DrawingOffThePictureIsClipped) {
    PictureArea a(10, 10);
    a.setDrawWidth(2);
    a.line(5, -32768, 5, 32767, Qt::red);
    a.line(-100, 5, 100, 5, Qt::red);
    a.pset(500, 500);
    a.circle(-50, -50, 3);
    EXPECT_EQ(rgbAt(a.image(), 5, 0), rgb(255, 0, 0));
    EXPECT_EQ(rgbAt(a.image(), 9, 5), rgb(255, 0, 0));
}

TEST(PictureArea, ClearRestoresTheFrozenBackground) {
    PictureArea a(5, 5, Qt::white);
    a.filledBox(0, 0, 4, 1, Qt::green);
    a.freezeBackground();
    EXPECT_TRUE(a.hasBackground());
    a.filledBox(0, 0, 4, 4, Qt::black);
    a.cls();
    EXPECT_EQ(rgbAt(a.image(), 2, 0), rgb(0, 255, 0));
    EXPECT_EQ(rgbAt(a.image(), 2, 3), kWhite);
    a.removeBackground();
    EXPECT_FALSE(a.hasBackground());
    a.cls();
    EXPECT_EQ(rgbAt(a.image(), 2, 0), kWhite);
}

TEST(PictureArea, ClearUsesTheBackColourAndHomesThePosition) {
    PictureArea a(5, 5, Qt::white);
    a.setBackColor(QColor(210, 205, 200));
    a.setCurrentPosition(3, 3);
    a.cls();
    EXPECT_EQ(rgbAt(a.image(), 4, 4), rgb(210, 205, 200));
    EXPECT_EQ(a.currentX(), 0);
    EXPECT_EQ(a.currentY(), 0);
}

TEST(PictureArea, PrintAdvancesByTheTextWidthAndKeepsTheLine) {
    PictureArea a(100, 30);
    a.setFontName("Arial");
    a.setFontSize(8);
    a.setCurrentPosition(10, 5);
    const int w = a.textWidth("u (V)");
    a.print("u (V)");
    EXPECT_EQ(a.currentX(), 10 + w);
    EXPECT_EQ(a.currentY(), 5);
    EXPECT_EQ(a.textHeight(), QFontMetrics(a.font()).height());
}

TEST(PictureArea, PrintPutsTheTextCellsTopLeftAtThePosition) {
    PictureArea a(60, 30);
    a.setFontSize(8);
    a.setForeColor(Qt::red);
    a.setCurrentPosition(20, 7);
    a.print("H");
    const QRect ink = ohmora::test::inkBox(a.image(), a.image().rect(), kWhite);
    // "H" fills the cap height: it starts at the left bearing and ends on
    // the baseline, one ascent below the top.
    const QFontMetrics m(a.font());
    EXPECT_EQ(ink.bottom(), 7 + m.ascent() - 1);
    EXPECT_GE(ink.left(), 20);
    EXPECT_LE(ink.left(), 22);
    EXPECT_GT(ink.top(), 7);
    EXPECT_EQ(rgbAt(a.image(), ink.left(), ink.bottom()), rgb(255, 0, 0));
}

TEST(PictureArea, TextPositionsRoundHalvesUp) {
    EXPECT_EQ(toPixel(35.5), 36);
    EXPECT_EQ(toPixel(35.49), 35);
    EXPECT_EQ(toPixel(-0.5), 0);
    EXPECT_EQ(toPixel(191.6667), 192);
}

TEST(PictureArea, ItalicAndBoldChangeTheFont) {
    PictureArea a(10, 10);
    a.setFontItalic(true);
    a.setFontBold(true);
    EXPECT_TRUE(a.font().italic());
    EXPECT_TRUE(a.font().bold());
    EXPECT_EQ(a.font().styleStrategy() & QFont::NoAntialias, QFont::NoAntialias);
    a.setFontItalic(false);
    EXPECT_FALSE(a.font().italic());
}

TEST(PictureArea, ACopyOfTheImageIsNotChangedByLaterDrawing) {
    PictureArea a(10, 10);
    a.print("x");
    const QImage before = a.image();
    a.filledBox(0, 0, 9, 9, Qt::black);
    a.print("y");
    EXPECT_EQ(rgbAt(before, 9, 9), kWhite);
    EXPECT_EQ(rgbAt(a.image(), 9, 9), kBlack);
}
