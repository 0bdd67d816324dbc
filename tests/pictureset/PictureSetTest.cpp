#include "pictureset/PictureSet.h"

#include "PixelSupport.h"
#include "core/SwitchZones.h"
#include "graph/PlotBox.h"

#include <cmath>

using namespace ohmora;
using namespace ohmora::test;

namespace {

const QRgb kBlack = rgb(0, 0, 0);
const QRgb kWhite = rgb(255, 255, 255);

// Redraws what the handler's result asks for, as every user of the set does.
void redraw(PictureSet& p, Redraw r, const Simulator& sim) {
    p.apply(r, sim);
}

void startRecording(Simulator& sim, PictureSet& p) {
    p.redrawAll(sim.state());
    const Point k1 = pointOnSwitch(0, 1);
    sim.mouseMoveSchematic(k1.x, k1.y);
    redraw(p, sim.clickSchematic(), sim);
}

bool onGradient(const QImage& img, int x, int y) {
    return rgbAt(img, x, y) == rgb(255, int(std::lround(200 + 55.0 * y / 249)),
                                   int(std::lround(155 + 100.0 * y / 249)));
}

} // namespace

TEST(PictureSet, SchematicFollowsTheSimulator) {
    Simulator sim;
    PictureSet p;
    EXPECT_TRUE(onGradient(p.schematic(), 5, 5)); // the background is painted at once
    EXPECT_FALSE(p.apply(RedrawGraphFrame, sim).schematic);
    EXPECT_EQ(rgbAt(p.schematic(), 120, 30), rgbAt(p.schematic(), 121, 30)); // nothing drawn
    EXPECT_TRUE(p.apply(RedrawSchematic, sim).schematic);
    EXPECT_EQ(rgbAt(p.schematic(), 120, 30), kBlack);
    sim.mouseMoveSchematic(105, 30);
    redraw(p, sim.clickSchematic(), sim);
    EXPECT_EQ(rgbAt(p.schematic(), 110, 40), kBlack);
    EXPECT_TRUE(onGradient(p.schematic(), 120, 25));
    redraw(p, sim.chooseMontage(2), sim);
    EXPECT_EQ(rgbAt(p.schematic(), 126, 9), kBlack);
}

TEST(PictureSet, SchematicWithoutBackgroundIsDrawnApart) {
    Simulator sim;
    PictureSet p;
    p.redrawAll(sim.state());
    const QImage shown = p.schematic().copy();
    const QImage bare = PictureSet::schematicWithoutBackground(sim.state());
    ASSERT_EQ(bare.size(), QSize(249, 249));
    int drawing = 0;
    for (int y = 0; y < 249; ++y) {
        for (int x = 0; x < 249; ++x) {
            if (onGradient(shown, x, y)) {
                ASSERT_EQ(rgbAt(bare, x, y), kWhite) << x << "," << y;
            } else {
                ++drawing;
                ASSERT_EQ(rgbAt(bare, x, y), rgbAt(shown, x, y)) << x << "," << y;
            }
        }
    }
    EXPECT_GT(drawing, 500);
    EXPECT_EQ(differingPixels(p.schematic(), shown, shown.rect()), 0);
}

TEST(PictureSet, ARecordingGrowsTheCurveInItsSwatchColour) {
    Simulator sim;
    PictureSet p;
    startRecording(sim, p);
    std::vector<PlotMark> marks;
    for (int i = 0; i < 20; ++i) {
        const PictureSet::Damage d = p.apply(sim.tick(), sim);
        for (const PlotMark& m : sim.lastPlot()) {
            EXPECT_TRUE(d.graph.contains(m.x1, m.y1)) << i;
            EXPECT_TRUE(!m.line || d.graph.contains(m.x0, m.y0)) << i;
        }
        marks.insert(marks.end(), sim.lastPlot().begin(), sim.lastPlot().end());
    }
    ASSERT_EQ(marks.size(), 20u);     // u_C alone, one mark a tick
    EXPECT_FALSE(marks.front().line); // the first tick after a switching
    EXPECT_EQ(marks.front().x1, PlotBox::left);
    EXPECT_EQ(marks.front().y1, PlotBox::bottom);
    for (const PlotMark& m : marks)
        EXPECT_EQ(rgbAt(p.graph(), m.x1, m.y1), rgb(255, 0, 0)) << m.x1 << "," << m.y1;
    EXPECT_TRUE(marks.back().line);
    EXPECT_EQ(marks.back().x1, PlotBox::left + 19 * 2); // 2 pixels a tick at 200 ticks a record
    EXPECT_LT(marks.back().y1, 200);                    // u_C rises
}

TEST(PictureSet, EraseClearsTheCurvesAColourChangeKeepsThem) {
    Simulator sim;
    PictureSet p;
    p.redrawAll(sim.state());
    const QImage empty = p.graph().copy();
    startRecording(sim, p);
    for (int i = 0; i < 5; ++i)
        redraw(p, sim.tick(), sim);
    const QImage drawn = p.graph().copy();
    redraw(p, sim.setColour(1, Rgb{0, 128, 0}), sim);
    EXPECT_FALSE(sim.state().run.enregEnCours);
    EXPECT_EQ(differingPixels(p.graph(), drawn, drawn.rect()), 0);
    sim.mouseMoveSchematic(105, 30);
    redraw(p, sim.clickSchematic(), sim);
    redraw(p, sim.tick(), sim);
    ASSERT_FALSE(sim.lastPlot().empty());
    EXPECT_EQ(rgbAt(p.graph(), sim.lastPlot()[0].x1, sim.lastPlot()[0].y1), rgb(0, 128, 0));
    const PictureSet::Damage d = p.apply(sim.erase(), sim);
    EXPECT_TRUE(d.graphFrame);
    EXPECT_EQ(differingPixels(p.graph(), empty, empty.rect()), 0);
}
