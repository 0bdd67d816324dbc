#include "schematic/SchematicPicture.h"

#include "PixelSupport.h"

#include <cmath>

using namespace ohmora;
using namespace ohmora::test;

namespace {

const QRgb kBlack = rgb(0, 0, 0);
const QRgb kWhite = rgb(255, 255, 255);
const QRect kAll(0, 0, 249, 249);

QRgb gradient(int y) {
    return rgb(255, int(std::lround(200 + 55.0 * y / 249)),
               int(std::lround(155 + 100.0 * y / 249)));
}

SimState state(int montage, int position = 0, std::initializer_list<int> ticked = {}) {
    SimState s;
    s.controls.montage = montage;
    s.run.position = position;
    for (int k : ticked)
        s.controls.check4[size_t(k)] = true;
    return s;
}

QImage draw(const SimState& s) {
    SchematicPicture p;
    p.fondSchema();
    p.deschema(schematicInput(s));
    return p.image().copy();
}

bool bare(const QImage& img, int x, int y) {
    return rgbAt(img, x, y) == gradient(y);
}

// Pixels that must be black and pixels that must show the background.
void expectPixels(const QImage& img, std::initializer_list<std::pair<int, int>> black,
                  std::initializer_list<std::pair<int, int>> empty) {
    for (auto [x, y] : black)
        EXPECT_EQ(rgbAt(img, x, y), kBlack) << x << "," << y;
    for (auto [x, y] : empty)
        EXPECT_TRUE(bare(img, x, y)) << x << "," << y;
}

} // namespace

TEST(Schematic, GradientBackgroundSurvivesRedrawsAndWidePens) {
    SchematicPicture p;
    p.fondSchema();
    EXPECT_EQ(rgbAt(p.image(), 0, 0), rgb(255, 200, 155));
    EXPECT_EQ(rgbAt(p.image(), 100, 124), rgb(255, 227, 205));
    EXPECT_EQ(rgbAt(p.image(), 10, 248), kWhite);
    p.deschema(schematicInput(state(1))); // leaves the blade's pen of 2 behind
    p.fondSchema();
    p.deschema(schematicInput(state(0)));
    for (int y = 0; y < 249; ++y)
        EXPECT_EQ(rgbAt(p.image(), 3, y), gradient(y)) << y;
    p.removeBackground();
    p.deschema(schematicInput(state(1)));
    EXPECT_EQ(rgbAt(p.image(), 5, 5), kWhite);
    EXPECT_EQ(rgbAt(p.image(), 35, 30), kBlack);
    p.deschema(schematicInput(state(3))); // no such montage: the cleared picture alone
    EXPECT_EQ(countColour(p.image(), kAll, kWhite), 249 * 249);
}

TEST(Schematic, MontageZeroWiresPartsAndDots) {
    const QImage img = draw(state(0));
    EXPECT_EQ(countColour(img, QRect(35, 30, 65, 1), kBlack), 65);
    expectPixels(img,
                 {{205, 210},
                  {120, 121},
                  {100, 122},
                  {139, 130},
                  {20, 165},
                  {50, 165},
                  {30, 60},
                  {40, 110},
                  {210, 150},
                  {101, 29},
                  {141, 29},
                  {121, 49},
                  {121, 209}},
                 {{205, 211}, {140, 130}, {120, 126}, {28, 160}, {37, 80}});
}

TEST(Schematic, BladeInEveryPosition) {
    expectPixels(draw(state(0, 0)), {{120, 22}, {119, 30}, {120, 30}},
                 {{110, 40}, {130, 40}, {122, 30}});
    expectPixels(draw(state(0, 1)), {{110, 40}}, {{120, 25}, {130, 40}});
    expectPixels(draw(state(1, 2)), {{130, 40}}, {{120, 25}, {110, 40}});
    expectPixels(draw(state(0, 5)), {}, {{120, 25}, {110, 40}, {130, 40}});
    expectPixels(draw(state(2, 0)), {{115, 20}, {126, 9}}, {{120, 30}});
    expectPixels(draw(state(2, 1)), {{106, 30}, {120, 30}, {134, 30}}, {{115, 20}});
    expectPixels(draw(state(2, 2)), {}, {{120, 30}, {115, 20}});
}

TEST(Schematic, TickingTheCurrentRecoloursItsHeadAndSymbolOnly) {
    const QRgb blue = rgb(0, 0, 255);
    const QImage plain = draw(state(0));
    const QImage ticked = draw(state(0, 0, {4}));
    EXPECT_EQ(rgbAt(plain, 117, 67), kBlack);
    EXPECT_EQ(rgbAt(ticked, 117, 67), blue);
    EXPECT_EQ(rgbAt(ticked, 123, 67), blue);
    EXPECT_GT(countColour(ticked, QRect(125, 60, 12, 16), blue), 3); // "i"
    EXPECT_EQ(differingPixels(plain, ticked, kAll), countColour(ticked, kAll, blue));
    EXPECT_EQ(rgbAt(draw(state(2, 0, {4})), 69, 33), blue);
    EXPECT_EQ(rgbAt(draw(state(2)), 69, 27), kBlack);
}

TEST(Schematic, VoltageArrowsInTheirColours) {
    const QRgb green = rgb(0, 128, 0), red = rgb(255, 0, 0), magenta = rgb(255, 0, 255),
               navy = rgb(0, 0, 128);
    struct Probe {
        SimState s;
        int x, y;
        QRgb colour;
    };
    const Probe probes[] = {
        {state(0, 0, {0}), 50, 80, green},     {state(0, 0, {0}), 47, 114, green},
        {state(0, 0, {1}), 93, 90, red},       {state(0, 0, {1}), 90, 96, red},
        {state(0, 0, {2}), 190, 120, magenta}, {state(0, 0, {2}), 193, 154, magenta},
        {state(1, 0, {2}), 128, 222, magenta}, {state(1, 0, {2}), 134, 219, magenta},
        {state(1, 0, {3}), 190, 120, navy},    {state(1, 0, {3}), 187, 194, navy},
        {state(2, 0, {0}), 190, 50, green},    {state(2, 0, {0}), 187, 56, green},
        {state(2, 0, {1}), 100, 225, red},     {state(2, 0, {1}), 149, 222, red},
    };
    for (const Probe& p : probes)
        EXPECT_EQ(rgbAt(draw(p.s), p.x, p.y), p.colour)
            << p.s.controls.montage << ":" << p.x << "," << p.y;
    EXPECT_GT(countColour(draw(state(0, 0, {0})), QRect(55, 75, 16, 18), green), 5); // "u1"
    SimState teal = state(0, 0, {1});
    teal.controls.colours[1] = Rgb{0, 128, 128};
    const QImage img = draw(teal);
    EXPECT_EQ(rgbAt(img, 93, 120), rgb(0, 128, 128));
    EXPECT_GT(countColour(img, QRect(75, 115, 16, 18), rgb(0, 128, 128)), 5);
}

TEST(Schematic, ArrowsOnlyWhereTheMontageHasThem) {
    EXPECT_TRUE(bare(draw(state(0, 0, {3})), 190, 180));
    EXPECT_TRUE(bare(draw(state(2, 0, {2, 3})), 190, 120));
    for (int montage : {0, 1, 2}) // energies never appear
        EXPECT_EQ(differingPixels(draw(state(montage)), draw(state(montage, 0, {5, 6})), kAll), 0);
}

TEST(Schematic, SustainedOscillationDiscOnlyInMontageOne) {
    SimState s = state(1);
    EXPECT_EQ(rgbAt(draw(s), 163, 30), kBlack);
    s.controls.checkRn = true;
    const QImage g = draw(s);
    EXPECT_EQ(rgbAt(g, 163, 30), kWhite); // the wire hidden under the disc
    expectPixels(g, {{159, 30}, {171, 18}, {171, 42}}, {});
    EXPECT_GT(countColour(g, QRect(166, 23, 12, 12), kBlack), 5); // "G"
    for (int montage : {0, 2}) {
        SimState other = state(montage);
        other.controls.checkRn = true;
        EXPECT_EQ(differingPixels(draw(other), draw(state(montage)), kAll), 0);
    }
}

TEST(Schematic, CoilOfFiveBumpsJoinsItsWires) {
    const QImage img = draw(state(1));
    for (int cy : {145, 155, 165, 175, 185})
        expectPixels(img, {{215, cy}}, {{195, cy}, {208, cy}});
    expectPixels(img, {{205, 140}, {205, 190}, {200, 60}, {188, 215}}, {{160, 210}});
}

// Texts are drawn with their top-left corner at their position: measured by
// their ink (in areas that hold nothing else), each starts at its x, every
// letter and digit stands on the same baseline below its y, the two
// polarity signs sit alike, and a subscript follows its symbol 4 pixels
// lower.
TEST(Schematic, SymbolsAndSubscriptsAtTheirPositions) {
    const QImage img = draw(state(0));
    struct Text {
        const char* name;
        QPoint at;
        QRect area;
    };
    auto box = [&](const Text& t) {
        SCOPED_TRACE(t.name);
        const QRect ink = inkBox(img, t.area);
        EXPECT_FALSE(ink.isEmpty());
        EXPECT_GE(ink.left(), t.at.x());
        EXPECT_LE(ink.left(), t.at.x() + 2);
        return ink;
    };
    const Text standing[] = {{"U", {7, 158}, {5, 156, 10, 14}},
                             {"switch 1", {98, 13}, {96, 11, 12, 14}},
                             {"switch 2", {138, 13}, {136, 11, 12, 14}},
                             {"switch 0", {118, 5}, {116, 3, 10, 13}}};
    const int baseline = box(standing[0]).bottom() - standing[0].at.y();
    for (const Text& t : standing)
        EXPECT_EQ(box(t).bottom() - t.at.y(), baseline) << t.name;

    const QRect plus = box({"+", {27, 139}, {25, 137, 10, 12}});
    const QRect minus = box({"-", {27, 177}, {25, 181, 8, 6}});
    EXPECT_NEAR(plus.center().y() - 139, minus.center().y() - 177, 1);

    // The symbol stands on the baseline; the ink below it is the foot of
    // the subscript, 4 pixels lower, right of the symbol's left half.
    for (auto [symbolAt, area] : {std::pair{QPoint(12, 75), QRect(10, 73, 20, 20)},
                                  std::pair{QPoint(215, 118), QRect(213, 116, 30, 22)}}) {
        const QRect both = box({"R and its subscript", symbolAt, area});
        const int symbolFoot = symbolAt.y() + baseline;
        const QRect onBaseline = inkBox(img, QRect(area.left(), symbolFoot, area.width(), 1));
        const QRect subscriptFoot =
            inkBox(img, QRect(QPoint(area.left(), symbolFoot + 1), area.bottomRight()));
        EXPECT_GE(onBaseline.left(), symbolAt.x());
        EXPECT_LE(onBaseline.left(), symbolAt.x() + 2);
        EXPECT_EQ(both.bottom(), symbolFoot + 4);
        EXPECT_EQ(subscriptFoot.bottom(), symbolFoot + 4);
        EXPECT_GE(subscriptFoot.left(), symbolAt.x() + 5);
    }
}

TEST(Schematic, MontageOneLooksAsRecorded) {
    SimState s = state(1, 1, {0, 1, 2, 3, 4});
    s.controls.checkRn = true;
    expectMatchesGolden(draw(s), "schematic_montage1.png", 30);
}
