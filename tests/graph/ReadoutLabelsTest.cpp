#include "ReadoutLabels.h"
#include "GraphPicture.h"

#include "PixelSupport.h"

#include <QFontMetrics>

using namespace ohmora;
using namespace ohmora::test;

namespace {

// Horizontal centre of a rectangle, in pixels (may end in .5).
double centreX(const QRect& r) {
    return r.left() + r.width() / 2.0;
}
double centreY(const QRect& r) {
    return r.top() + r.height() / 2.0;
}

} // namespace

TEST(ReadoutLabels, DefaultsAtTheMiddleOfTheGraph) {
    Simulator sim;
    const Readout r = sim.readout(260, 125);
    const ReadoutLabels l = readoutLabels(r, 260, 125);
    ASSERT_TRUE(l.visible);
    EXPECT_EQ(l.labels[0].text, " 50 ms ");
    EXPECT_EQ(l.labels[1].text, " 3,0 V ");
    const QRect& time = l.labels[0].rect;
    EXPECT_EQ(time.top(), 227);
    EXPECT_NEAR(centreX(time), 260, 0.5);
    const QRect& value = l.labels[1].rect;
    EXPECT_EQ(value.left() + value.width(), 58);
    EXPECT_NEAR(centreY(value), 125, 0.5);
}

TEST(ReadoutLabels, CurrentBelowTheZeroLineReadsNegative) {
    Simulator sim;
    sim.clickQuantity(4);
    ASSERT_TRUE(sim.state().check4[4]);
    ASSERT_TRUE(sim.state().frame.scale.axeSymetrique);
    const ReadoutLabels l = readoutLabels(sim.readout(300, 175), 300, 175);
    ASSERT_TRUE(l.visible);
    EXPECT_EQ(l.labels[1].text, " -100,0 mA ");
    EXPECT_NEAR(centreY(l.labels[1].rect), 175, 0.5);
}

TEST(ReadoutLabels, ShownOnTheBorderHiddenOnePixelOutside) {
    Simulator sim;
    for (auto [x, y] : {std::pair{60, 25}, {460, 225}, {60, 225}, {460, 25}})
        EXPECT_TRUE(readoutLabels(sim.readout(x, y), x, y).visible) << x << "," << y;
    for (auto [x, y] : {std::pair{59, 100}, {461, 100}, {200, 24}, {200, 226}}) {
        const ReadoutLabels l = readoutLabels(sim.readout(x, y), x, y);
        EXPECT_FALSE(l.visible) << x << "," << y;
        EXPECT_TRUE(l.labels[0].text.isEmpty());
        EXPECT_TRUE(l.labels[1].rect.isNull());
    }
}

TEST(ReadoutLabels, SizeFollowsTheText) {
    const QFontMetrics m(readoutFont());
    EXPECT_EQ(readoutFont().pixelSize(), 11);
    const QSize s = readoutLabelSize(" 50 ms ");
    EXPECT_EQ(s.width(), m.horizontalAdvance(" 50 ms ") + 2 * kReadoutMarginX);
    EXPECT_EQ(s.height(), m.height() + 2 * kReadoutMarginY);
    EXPECT_GT(readoutLabelSize(" 100 ms ").width(), s.width());
}

TEST(ReadoutLabels, PaintedInLightYellowWithBlackText) {
    Simulator sim;
    GraphPicture g;
    g.apply(RedrawGraphFrame, sim);
    const ReadoutLabels l = readoutLabels(sim.readout(260, 125), 260, 125);
    const QImage shown = g.imageWithReadout(l);
    const QRgb yellow = rgb(255, 255, 192);
    for (const ReadoutLabel& label : l.labels) {
        const QRect& r = label.rect;
        EXPECT_EQ(rgbAt(shown, r.left(), r.top()), yellow);
        EXPECT_EQ(rgbAt(shown, r.right(), r.bottom()), yellow);
        EXPECT_GT(countColour(shown, r, rgb(0, 0, 0)), 10);
        EXPECT_EQ(countColour(shown, r, yellow) + countColour(shown, r, rgb(0, 0, 0)),
                  r.width() * r.height());
    }
    // Nothing else changes, and the graph itself keeps no label.
    const QRegion labels = QRegion(l.labels[0].rect) + QRegion(l.labels[1].rect);
    int outside = 0;
    for (int y = 0; y < shown.height(); ++y)
        for (int x = 0; x < shown.width(); ++x)
            if (!labels.contains(QPoint(x, y)))
                outside += rgbAt(shown, x, y) != rgbAt(g.image(), x, y);
    EXPECT_EQ(outside, 0);
    EXPECT_EQ(countColour(g.image(), g.image().rect(), yellow), 0);
}

TEST(ReadoutLabels, HiddenLabelsLeaveThePictureAlone) {
    Simulator sim;
    GraphPicture g;
    g.apply(RedrawGraphFrame, sim);
    const QImage shown = g.imageWithReadout(readoutLabels(sim.readout(10, 10), 10, 10));
    EXPECT_EQ(differingPixels(shown, g.image(), shown.rect()), 0);
}
