#include "SchematicPicture.h"

#include "PixelSupport.h"
#include "TextReference.h"

#include <cmath>

using namespace ohmora;
using namespace ohmora::test;

namespace {

const QRgb kBlack = rgb(0, 0, 0);
const QRgb kWhite = rgb(255, 255, 255);

// The gradient row colour of the background.
QRgb gradient(int y) {
    return rgb(255, int(std::lround(200 + 55.0 * y / 249)),
               int(std::lround(155 + 100.0 * y / 249)));
}

SimState state(int montage, int position = 0, std::initializer_list<int> ticked = {}) {
    SimState s;
    s.montage = montage;
    s.position = position;
    for (int k : ticked)
        s.check4[size_t(k)] = true;
    return s;
}

QImage draw(const SimState& s) {
    SchematicPicture p;
    p.fondSchema();
    p.deschema(s);
    return p.image().copy();
}

bool isBackground(const QImage& img, int x, int y) {
    return rgbAt(img, x, y) == gradient(y);
}

} // namespace

TEST(Schematic, BackgroundIsAVerticalGradientToWhite) {
    SchematicPicture p;
    p.fondSchema();
    const QImage& img = p.image();
    ASSERT_EQ(img.size(), QSize(249, 249));
    EXPECT_EQ(rgbAt(img, 0, 0), rgb(255, 200, 155));
    EXPECT_EQ(rgbAt(img, 248, 0), rgb(255, 200, 155));
    EXPECT_EQ(rgbAt(img, 100, 124), rgb(255, 227, 205));
    EXPECT_EQ(rgbAt(img, 10, 248), kWhite);
    for (int y = 0; y < 249; ++y) {
        EXPECT_EQ(rgbAt(img, 0, y), gradient(y)) << y;
        EXPECT_EQ(rgbAt(img, 248, y), gradient(y)) << y;
    }
}

TEST(Schematic, BackgroundIsTheSameAfterAWidePenWasUsed) {
    SchematicPicture p;
    p.fondSchema();
    p.deschema(state(0)); // leaves pen width 2 behind (the blade)
    p.fondSchema();
    for (int y = 0; y < 249; ++y)
        EXPECT_EQ(rgbAt(p.image(), 3, y), gradient(y)) << y;
}

TEST(Schematic, BackgroundSurvivesRedrawsAndCanBeRemoved) {
    SchematicPicture p;
    p.fondSchema();
    p.deschema(state(0));
    p.deschema(state(1));
    EXPECT_EQ(rgbAt(p.image(), 5, 5), gradient(5));
    EXPECT_EQ(rgbAt(p.image(), 240, 240), gradient(240));
    p.removeBackground();
    p.deschema(state(1));
    EXPECT_EQ(rgbAt(p.image(), 5, 5), kWhite);
    EXPECT_EQ(rgbAt(p.image(), 35, 30), kBlack);
}

TEST(Schematic, UnknownMontageLeavesTheBackgroundAlone) {
    SchematicPicture p;
    p.fondSchema();
    const QImage background = p.image().copy();
    p.deschema(state(3));
    EXPECT_EQ(differingPixels(p.image(), background, background.rect()), 0);
}

TEST(Schematic, MontageZeroWiresStopAsStated) {
    const QImage img = draw(state(0));
    for (int x = 35; x <= 99; ++x)
        EXPECT_EQ(rgbAt(img, x, 30), kBlack) << x;
    EXPECT_EQ(rgbAt(img, 205, 210), kBlack);
    EXPECT_TRUE(isBackground(img, 205, 211)); // the right wire ends one below the bottom wire
    EXPECT_EQ(rgbAt(img, 120, 121), kBlack);  // middle wire reaches the plate
    EXPECT_EQ(rgbAt(img, 100, 122), kBlack);  // plates
    EXPECT_EQ(rgbAt(img, 139, 130), kBlack);
    EXPECT_TRUE(isBackground(img, 140, 130));
    EXPECT_TRUE(isBackground(img, 120, 126)); // between the plates
    EXPECT_EQ(rgbAt(img, 20, 165), kBlack);   // generator outline
    EXPECT_EQ(rgbAt(img, 50, 165), kBlack);
    EXPECT_TRUE(isBackground(img, 28, 160)); // hollow
    // R1 and R2 boxes, both corners included, hollow.
    EXPECT_EQ(rgbAt(img, 30, 60), kBlack);
    EXPECT_EQ(rgbAt(img, 40, 110), kBlack);
    EXPECT_TRUE(isBackground(img, 37, 80));
    EXPECT_EQ(rgbAt(img, 210, 150), kBlack);
    // The contacts and junction are filled discs.
    for (auto [x, y] : {std::pair{100, 30}, {140, 30}, {120, 50}, {120, 210}}) {
        EXPECT_EQ(rgbAt(img, x, y), kBlack);
        EXPECT_EQ(rgbAt(img, x + 1, y - 1), kBlack);
    }
}

TEST(Schematic, BladeInEveryPosition) {
    const QImage open = draw(state(0, 0));
    EXPECT_EQ(rgbAt(open, 120, 22), kBlack);
    EXPECT_EQ(rgbAt(open, 120, 30), kBlack);
    EXPECT_TRUE(isBackground(open, 110, 40));
    EXPECT_TRUE(isBackground(open, 130, 40));

    const QImage one = draw(state(0, 1));
    EXPECT_EQ(rgbAt(one, 110, 40), kBlack);
    EXPECT_TRUE(isBackground(one, 120, 25));
    EXPECT_TRUE(isBackground(one, 130, 40));

    const QImage two = draw(state(1, 2));
    EXPECT_EQ(rgbAt(two, 130, 40), kBlack);
    EXPECT_TRUE(isBackground(two, 110, 40));
    EXPECT_TRUE(isBackground(two, 120, 25));

    // Width 2: the neighbour of the blade's line is black too.
    EXPECT_EQ(rgbAt(open, 119, 30), kBlack);
    EXPECT_TRUE(isBackground(open, 122, 30));

    const QImage none = draw(state(0, 5));
    EXPECT_TRUE(isBackground(none, 120, 25));
    EXPECT_TRUE(isBackground(none, 110, 40));
    EXPECT_TRUE(isBackground(none, 130, 40));
}

TEST(Schematic, MontageTwoSwitchRaisedClosedOrAbsent) {
    const QImage open = draw(state(2, 0));
    EXPECT_EQ(rgbAt(open, 115, 20), kBlack);
    EXPECT_EQ(rgbAt(open, 126, 9), kBlack);
    EXPECT_TRUE(isBackground(open, 120, 30));

    const QImage closed = draw(state(2, 1));
    for (int x = 106; x <= 134; ++x)
        EXPECT_EQ(rgbAt(closed, x, 30), kBlack) << x;
    EXPECT_TRUE(isBackground(closed, 115, 20));

    const QImage two = draw(state(2, 2));
    EXPECT_TRUE(isBackground(two, 120, 30));
    EXPECT_TRUE(isBackground(two, 115, 20));
}

TEST(Schematic, CurrentArrowHeadIsBlackUntilTheCurrentIsTicked) {
    const QImage plain = draw(state(0));
    EXPECT_EQ(rgbAt(plain, 117, 67), kBlack);
    EXPECT_EQ(rgbAt(plain, 123, 67), kBlack);
    EXPECT_TRUE(isBackground(plain, 120, 73) || rgbAt(plain, 120, 73) == kBlack);

    const QImage ticked = draw(state(0, 0, {4}));
    const QRgb blue = rgb(0, 0, 255);
    EXPECT_EQ(rgbAt(ticked, 117, 67), blue);
    EXPECT_EQ(rgbAt(ticked, 123, 67), blue);
    // The symbol "i" is blue too, and nothing else changed colour.
    EXPECT_GT(countColour(ticked, QRect(125, 60, 12, 16), blue), 3);
    EXPECT_EQ(countColour(plain, QRect(125, 60, 12, 16), blue), 0);
    int changed = 0;
    for (int y = 0; y < 249; ++y)
        for (int x = 0; x < 249; ++x)
            if (rgbAt(plain, x, y) != rgbAt(ticked, x, y)) {
                ++changed;
                EXPECT_EQ(rgbAt(ticked, x, y), blue) << x << "," << y;
            }
    EXPECT_GT(changed, 0);

    const QImage topWire = draw(state(2, 0, {4}));
    EXPECT_EQ(rgbAt(topWire, 69, 27), blue);
    EXPECT_EQ(rgbAt(topWire, 69, 33), blue);
    EXPECT_EQ(rgbAt(draw(state(2)), 69, 27), kBlack);
}

TEST(Schematic, VoltageArrowsInTheirColours) {
    const QImage m0 = draw(state(0, 0, {0, 1, 2}));
    EXPECT_EQ(rgbAt(m0, 50, 80), rgb(0, 128, 0));  // u_R1 shaft
    EXPECT_EQ(rgbAt(m0, 47, 114), rgb(0, 128, 0)); // its head
    EXPECT_EQ(rgbAt(m0, 93, 120), rgb(255, 0, 0)); // u_C shaft
    EXPECT_EQ(rgbAt(m0, 93, 90), rgb(255, 0, 0));  // tip up
    EXPECT_EQ(rgbAt(m0, 90, 96), rgb(255, 0, 0));
    EXPECT_EQ(rgbAt(m0, 190, 120), rgb(255, 0, 255)); // u_R2 shaft
    EXPECT_EQ(rgbAt(m0, 193, 154), rgb(255, 0, 255));
    EXPECT_GT(countColour(m0, QRect(55, 75, 16, 18), rgb(0, 128, 0)), 5); // "u1"
    EXPECT_GT(countColour(m0, QRect(75, 115, 16, 18), rgb(255, 0, 0)), 5);

    const QImage m1 = draw(state(1, 0, {2, 3}));
    EXPECT_EQ(rgbAt(m1, 128, 222), rgb(255, 0, 255)); // u_R2 points left
    EXPECT_EQ(rgbAt(m1, 134, 219), rgb(255, 0, 255));
    EXPECT_EQ(rgbAt(m1, 190, 120), rgb(0, 0, 128)); // u_b down the right side
    EXPECT_EQ(rgbAt(m1, 187, 194), rgb(0, 0, 128));

    const QImage m2 = draw(state(2, 0, {0, 1}));
    EXPECT_EQ(rgbAt(m2, 190, 50), rgb(0, 128, 0)); // u_b points up
    EXPECT_EQ(rgbAt(m2, 187, 56), rgb(0, 128, 0));
    EXPECT_EQ(rgbAt(m2, 100, 225), rgb(255, 0, 0)); // u_R points right
    EXPECT_EQ(rgbAt(m2, 149, 222), rgb(255, 0, 0));
}

TEST(Schematic, ArrowsOnlyWhereTheMontageHasThem) {
    // Slot 3 belongs to montage 1 alone, slot 2 to montages 0 and 1.
    EXPECT_TRUE(isBackground(draw(state(0, 0, {3})), 190, 180));
    EXPECT_TRUE(isBackground(draw(state(2, 0, {2, 3})), 190, 120));
    // Energies never appear.
    for (int montage : {0, 1, 2})
        EXPECT_EQ(differingPixels(draw(state(montage)), draw(state(montage, 0, {5, 6})),
                                  QRect(0, 0, 249, 249)),
                  0)
            << montage;
}

TEST(Schematic, ANewColourRecoloursArrowAndSymbol) {
    SimState s = state(0, 0, {1});
    s.colours[1] = Rgb{0, 128, 128};
    const QImage img = draw(s);
    EXPECT_EQ(rgbAt(img, 93, 120), rgb(0, 128, 128));
    EXPECT_GT(countColour(img, QRect(75, 115, 16, 18), rgb(0, 128, 128)), 5);
    EXPECT_EQ(countColour(img, img.rect(), rgb(255, 0, 0)), 0);
}

TEST(Schematic, SustainedOscillationDiscOnlyInMontageOne) {
    SimState s = state(1);
    EXPECT_EQ(rgbAt(draw(s), 163, 30), kBlack); // the top wire
    s.checkRn = true;
    const QImage g = draw(s);
    EXPECT_EQ(rgbAt(g, 163, 30), kWhite); // hidden under the white disc
    EXPECT_EQ(rgbAt(g, 159, 30), kBlack); // its outline
    EXPECT_EQ(rgbAt(g, 171, 18), kBlack);
    EXPECT_EQ(rgbAt(g, 171, 42), kBlack);
    EXPECT_GT(countColour(g, QRect(166, 23, 12, 12), kBlack), 5); // "G"
    SimState zero = state(0);
    zero.checkRn = true;
    EXPECT_EQ(rgbAt(draw(zero), 163, 30), kBlack);
    SimState two = state(2);
    two.checkRn = true;
    EXPECT_EQ(differingPixels(draw(two), draw(state(2)), QRect(0, 0, 249, 249)), 0);
}

TEST(Schematic, CoilIsFiveBumpsToTheRight) {
    const QImage img = draw(state(1));
    for (int cy : {145, 155, 165, 175, 185}) {
        EXPECT_EQ(rgbAt(img, 215, cy), kBlack) << cy;
        EXPECT_TRUE(isBackground(img, 195, cy)) << cy;
        EXPECT_TRUE(isBackground(img, 208, cy)) << cy;
    }
    // The coil joins both wire ends.
    EXPECT_EQ(rgbAt(img, 205, 140), kBlack);
    EXPECT_EQ(rgbAt(img, 205, 190), kBlack);
    // r and R2 boxes.
    EXPECT_EQ(rgbAt(img, 200, 60), kBlack);
    EXPECT_EQ(rgbAt(img, 188, 215), kBlack);
    EXPECT_TRUE(isBackground(img, 160, 210)); // R2 interrupts the bottom wire
}

TEST(Schematic, SymbolsAndSubscriptsAtTheirPositions) {
    const QImage img = draw(state(0));
    TextReference ref(QSize(249, 249), Qt::white);
    ref.text(27, 139, "+");
    ref.text(27, 177, "-");
    ref.text(98, 13, "1");
    ref.text(138, 13, "2");
    ref.text(118, 5, "0");
    ref.text(127, 63, "i", true);
    ref.text(7, 158, "U", true);
    ref.text(ref.text(12, 75, "R", true), 79, "1");
    ref.text(142, 119, "C", true);
    ref.text(ref.text(215, 118, "R", true), 122, "2");
    // Compare text pixels: where the reference has ink the picture must be
    // black, around the texts clear of wires.
    for (QRect r : {QRect(5, 150, 12, 20), QRect(10, 70, 18, 20), QRect(212, 112, 30, 22),
                    QRect(95, 3, 50, 22)}) {
        for (int y = r.top(); y <= r.bottom(); ++y)
            for (int x = r.left(); x <= r.right(); ++x) {
                if (x >= 99 && x <= 141 && y >= 20)
                    continue; // the blade and contacts
                const bool ink = rgbAt(ref.image(), x, y) != kWhite;
                EXPECT_EQ(rgbAt(img, x, y) == kBlack, ink) << x << "," << y;
            }
    }
}

TEST(Schematic, MontageOneLooksAsRecorded) {
    SimState s = state(1, 1, {0, 1, 2, 3, 4});
    s.checkRn = true;
    expectMatchesGolden(draw(s), "schematic_montage1.png", 30);
}

TEST(Schematic, ApplyPaintsTheBackgroundOnceAndFollowsTheSwitch) {
    Simulator sim;
    SchematicPicture p;
    p.apply(RedrawGraphFrame, sim);
    EXPECT_EQ(rgbAt(p.image(), 5, 5), kWhite); // nothing asked of the schematic
    p.apply(RedrawSchematic, sim);
    EXPECT_EQ(rgbAt(p.image(), 5, 5), gradient(5));
    EXPECT_EQ(rgbAt(p.image(), 120, 30), kBlack); // K open
    sim.mouseMoveSchematic(105, 30);
    p.apply(sim.clickSchematic(), sim);
    ASSERT_EQ(sim.state().position, 1);
    EXPECT_EQ(rgbAt(p.image(), 110, 40), kBlack);
    EXPECT_TRUE(isBackground(p.image(), 120, 25));
    sim.mouseMoveSchematic(135, 30);
    p.apply(sim.clickSchematic(), sim);
    EXPECT_EQ(rgbAt(p.image(), 130, 40), kBlack);
    EXPECT_TRUE(isBackground(p.image(), 110, 40));
}

TEST(Schematic, MontageChangeThroughTheSimulator) {
    Simulator sim;
    SchematicPicture p;
    p.apply(sim.chooseMontage(2), sim);
    EXPECT_EQ(sim.state().montage, 2);
    EXPECT_EQ(rgbAt(p.image(), 126, 9), kBlack); // raised switch
    EXPECT_EQ(rgbAt(p.image(), 215, 145), kBlack);
}
