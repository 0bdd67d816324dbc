#include "PixelSupport.h"

#include <QFontInfo>

using namespace ohmora;
using ohmora::test::rgb;
using ohmora::test::rgbAt;

namespace {

const QRgb kWhite = rgb(255, 255, 255);
const QRgb kBlack = rgb(0, 0, 0);

// The set pixels of a small picture, row by row.
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

TEST(PictureArea, FontsResolveAsOnA96DpiScreen) {
    EXPECT_EQ(PictureArea(4, 4).image().dotsPerMeterX(), 3780);
    for (auto [points, pixels] :
         {std::pair{8.0, 11}, {8.25, 11}, {10.0, 13}, {12.0, 16}, {18.0, 24}})
        EXPECT_EQ(fontPixelSize(points), pixels) << points;
    const QFont f = pictureFont("Arial", 8);
    EXPECT_TRUE(QFontInfo(f).family() == "Arial" || QFontInfo(f).family() == "Liberation Sans");
    EXPECT_EQ(QFontMetrics(f).horizontalAdvance("100"), 18); // Arial digits: 0.556 em
}

TEST(PictureArea, ThinLinesLeaveOutTheirLastPixel) {
    PictureArea a(6, 4);
    a.line(1, 1, 5, 1);
    a.line(0, 3, 0, 0);
    a.line(3, 2, 5, 4);
    EXPECT_EQ(map(a), "......\n#####.\n#..#..\n#...#.\n");
    EXPECT_EQ(a.currentX(), 5); // the position moves to the end point
}

TEST(PictureArea, WidePensCoverBothEndsWithATwoByTwoNib) {
    PictureArea a(8, 7);
    a.setDrawWidth(2);
    a.line(2, 2, 5, 2);
    a.pset(2, 5);
    EXPECT_EQ(map(a), "........\n.#####..\n.#####..\n........\n.##.....\n.##.....\n........\n");
}

TEST(PictureArea, BoxesIncludeBothCorners) {
    PictureArea a(6, 5);
    a.box(4, 3, 1, 1);
    EXPECT_EQ(map(a), "......\n.####.\n.#..#.\n.####.\n......\n");
    a.filledBox(1, 1, 4, 3, Qt::black);
    EXPECT_EQ(map(a), "......\n.####.\n.####.\n.####.\n......\n");
}

TEST(PictureArea, CirclesHollowOrFilledPerFillStyle) {
    PictureArea a(7, 7);
    a.circle(3, 3, 2);
    EXPECT_EQ(map(a), ".......\n..###..\n.#...#.\n.#...#.\n.#...#.\n..###..\n.......\n");
    a.setFillStyle(FillStyle::Solid);
    a.setFillColor(Qt::red);
    a.circle(3, 3, 2);
    EXPECT_EQ(rgbAt(a.image(), 3, 3), rgb(255, 0, 0));
    EXPECT_EQ(rgbAt(a.image(), 1, 3), kBlack); // the outline keeps the fore colour
}

TEST(PictureArea, RightHalfOfAnEllipseFromTwoArcs) {
    PictureArea a(30, 20);
    a.arc(12, 10, 10, 0, 1.57, 0.5);
    a.arc(12, 10, 10, 4.71, 6.28, 0.5);
    const QImage& img = a.image();
    EXPECT_EQ(rgbAt(img, 22, 10), kBlack);
    EXPECT_EQ(rgbAt(img, 12, 5), kBlack); // the ends, a hair short of the quarters
    EXPECT_EQ(rgbAt(img, 12, 15), kBlack);
    EXPECT_EQ(rgbAt(img, 2, 10), kWhite);
    EXPECT_EQ(rgbAt(img, 12, 10), kWhite);
    for (int x = 12; x <= 22; ++x) { // no gap along the outline
        EXPECT_GE(ohmora::test::countColour(img, QRect(x, 0, 1, 10), kBlack), 1) << x;
        EXPECT_GE(ohmora::test::countColour(img, QRect(x, 11, 1, 9), kBlack), 1) << x;
    }
}

TEST(PictureArea, ClearRestoresTheFrozenBackgroundOrTheBackColour) {
    PictureArea a(5, 5, Qt::white);
    a.filledBox(0, 0, 4, 1, Qt::green);
    a.freezeBackground();
    a.filledBox(0, 0, 4, 4, Qt::black);
    a.setCurrentPosition(3, 3);
    a.cls();
    EXPECT_EQ(rgbAt(a.image(), 2, 0), rgb(0, 255, 0));
    EXPECT_EQ(rgbAt(a.image(), 2, 3), kWhite);
    EXPECT_EQ(a.currentX(), 0);
    a.removeBackground();
    a.setBackColor(QColor(210, 205, 200));
    a.cls();
    EXPECT_FALSE(a.hasBackground());
    EXPECT_EQ(rgbAt(a.image(), 2, 0), rgb(210, 205, 200));
}

TEST(PictureArea, PrintDrawsFromTheTopLeftAndAdvances) {
    PictureArea a(60, 30);
    a.setFontSize(8);
    a.setForeColor(Qt::red);
    a.setCurrentPosition(20, 7);
    a.print("H");
    EXPECT_EQ(a.currentX(), 20 + a.textWidth("H"));
    EXPECT_EQ(a.currentY(), 7);
    // "H" stands on the baseline, one ascent below the top.
    const int base = 7 + QFontMetrics(a.font()).ascent() - 1;
    EXPECT_GT(ohmora::test::countColour(a.image(), QRect(20, base, 8, 1), rgb(255, 0, 0)), 0);
    EXPECT_EQ(ohmora::test::countColour(a.image(), QRect(0, base + 1, 60, 30 - base - 1), kWhite),
              60 * (30 - base - 1));
}

TEST(PictureArea, AnImageHandedOutIsNotChangedByLaterDrawing) {
    PictureArea a(10, 10);
    a.print("x");
    const QImage before = a.image();
    a.print("y");
    a.filledBox(0, 0, 9, 9, Qt::black);
    EXPECT_EQ(rgbAt(before, 9, 9), kWhite);
}
