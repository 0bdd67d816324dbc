#include "graph/ReadoutLabels.h"
#include "core/Simulator.h"
#include "graph/GraphPicture.h"

#include "PixelSupport.h"

using namespace ohmora;
using namespace ohmora::test;

TEST(ReadoutLabels, PlacedUnderTheAreaAndLeftOfTheAxis) {
    Simulator sim;
    const ReadoutLabels l = readoutLabels(sim.readout(260, 125), 260, 125);
    ASSERT_TRUE(l.visible);
    EXPECT_EQ(l.labels[0].text, " 50 ms ");
    EXPECT_EQ(l.labels[1].text, " 3,0 V ");
    const QRect& time = l.labels[0].rect;
    EXPECT_EQ(time.top(), 227);
    EXPECT_NEAR(time.left() + time.width() / 2.0, 260, 0.5);
    EXPECT_EQ(time.size(), readoutLabelSize(" 50 ms "));
    const QRect& value = l.labels[1].rect;
    EXPECT_EQ(value.left() + value.width(), 58);
    EXPECT_NEAR(value.top() + value.height() / 2.0, 125, 0.5);
    const QFontMetrics m(readoutFont());
    EXPECT_EQ(value.width(), m.horizontalAdvance(" 3,0 V ") + 2 * kReadoutMarginX);
    EXPECT_EQ(value.height(), m.height() + 2 * kReadoutMarginY);
}

TEST(ReadoutLabels, CurrentBelowTheZeroLine) {
    Simulator sim;
    sim.clickQuantity(4);
    const ReadoutLabels l = readoutLabels(sim.readout(300, 175), 300, 175);
    EXPECT_EQ(l.labels[1].text, " -100,0 mA ");
    EXPECT_NEAR(l.labels[1].rect.top() + l.labels[1].rect.height() / 2.0, 175, 0.5);
}

TEST(ReadoutLabels, ShownOnTheBorderHiddenOnePixelOutside) {
    Simulator sim;
    for (auto [x, y] : {std::pair{60, 25}, {460, 225}})
        EXPECT_TRUE(readoutLabels(sim.readout(x, y), x, y).visible) << x << "," << y;
    for (auto [x, y] : {std::pair{59, 100}, {461, 100}, {200, 24}, {200, 226}}) {
        const ReadoutLabels l = readoutLabels(sim.readout(x, y), x, y);
        EXPECT_FALSE(l.visible) << x << "," << y;
        EXPECT_TRUE(l.labels[1].rect.isNull());
    }
}

TEST(ReadoutLabels, PaintedInLightYellowOverACopy) {
    Simulator sim;
    GraphPicture g;
    g.drawFrame(sim.state().graph.frame);
    const ReadoutLabels l = readoutLabels(sim.readout(260, 125), 260, 125);
    const QImage shown = g.imageWithReadout(l);
    const QRgb yellow = rgb(255, 255, 192), black = rgb(0, 0, 0);
    int inside = 0;
    for (const ReadoutLabel& label : l.labels) {
        const QRect& r = label.rect;
        EXPECT_GT(countColour(shown, r, black), 10);
        EXPECT_EQ(countColour(shown, r, yellow) + countColour(shown, r, black),
                  r.width() * r.height());
        inside += differingPixels(shown, g.image(), r);
    }
    EXPECT_EQ(differingPixels(shown, g.image(), shown.rect()), inside); // nothing else changes
    EXPECT_EQ(countColour(g.image(), g.image().rect(), yellow), 0);
    const QImage hidden = g.imageWithReadout(readoutLabels(sim.readout(10, 10), 10, 10));
    EXPECT_EQ(differingPixels(hidden, g.image(), hidden.rect()), 0);
}
