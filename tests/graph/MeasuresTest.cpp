// The measuring tools' rules: τ read from the constructions of every
// first-order transient of the three montages, the cursors' readouts
// against the core's values, and when the tools refuse or forget.

#include "Recordings.h"
#include "core/Transients.h"
#include "graph/CellTexts.h"
#include "graph/CurveTracer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

using namespace ohmora;
using namespace ohmora::test;

namespace {

class TauConstructions : public ::testing::TestWithParam<FirstOrderCase> {};

double pixelsPerSecond(const Simulator& sim) {
    return PlotBox::width / double(sim.state().run.dureeEnreg);
}

} // namespace

// τ read on the drawing (from the origin of the transient to the crossing)
// lies within one pixel of the exact time constant; the tangent leaves the
// curve's first point with the model's slope, the level crosses the
// recorded curve where the construction says.
TEST_P(TauConstructions, ReadWithinOnePixel) {
    const FirstOrderCase& c = GetParam();
    Simulator sim;
    recordFirstOrder(sim, c);
    const auto made = sim.constructTau(TauPart::Tangent, c.slot);
    ASSERT_TRUE(made.problem.empty()) << made.problem;
    EXPECT_EQ(made.redraw, RedrawMeasures);
    sim.constructTau(TauPart::Level, c.slot);
    ASSERT_EQ(sim.state().graph.measures.taus.size(), 1u);
    const TauConstruction& t = sim.state().graph.measures.taus.front();
    EXPECT_TRUE(t.tangent && t.level && t.readable);

    const Recording& r = sim.state().recording;
    const auto f = firstOrderTransient(r.transientInputs(0), c.slot);
    ASSERT_TRUE(f);
    const double read = (t.crossX - t.originX) / pixelsPerSecond(sim);
    EXPECT_LE(std::abs(read - f->tau), 1 / pixelsPerSecond(sim)) << read << " against " << f->tau;

    const GraphScale& scale = sim.state().graph.frame.scale;
    EXPECT_EQ(t.originX, PlotBox::left);
    EXPECT_EQ(t.originY, *plotY(scale, r.samples().front().valeurs[size_t(c.slot)]));
    EXPECT_EQ(t.finalY, *plotY(scale, f->final));
    // The slope of the drawn tangent in pixels, against the model's.
    const double modelSlope = -f->slope * (scale.axeSymetrique ? 100 : 200) /
                              double(scale.echelleY) / pixelsPerSecond(sim);
    const double drawn = double(t.finalY - t.originY) / (t.crossX - t.originX);
    EXPECT_NEAR(drawn, modelSlope, std::abs(modelSlope) * 0.05 + 0.05);
    // The first sample past the level, two pixels apart at most.
    const double level = f->initial + (f->final - f->initial) * (1 - std::exp(-1.0));
    const double sign = f->final > f->initial ? 1 : -1;
    for (const RecordedSample& s : r.samples()) {
        if (sign * (s.valeurs[size_t(c.slot)] - level) >= 0) {
            EXPECT_LE(std::abs(*plotX(s.tEnreg, r.dureeEnreg()) - t.crossX), 2);
            break;
        }
    }
    EXPECT_EQ(t.rising, std::abs(f->final) > std::abs(f->initial));
    EXPECT_EQ(t.colour, sim.controls().colours[size_t(c.slot)]);
}

INSTANTIATE_TEST_SUITE_P(FirstOrder, TauConstructions, ::testing::ValuesIn(kFirstOrderCases),
                         [](const auto& row) { return std::string(row.param.name); });

TEST(TauConstructions, TextGivesTheReadingAndItsResolution) {
    Simulator sim;
    recordFirstOrder(sim, kFirstOrderCases[0]); // u_C, τ = 7,26 ms on 100 ms
    sim.constructTau(TauPart::Tangent, SlotUC);
    EXPECT_EQ(sim.state().graph.measures.taus.front().tauText, "τ ≈ 7,25 ms (± 0,25 ms)");
    // On one millisecond the crossing is far beyond the graph.
    Simulator shortOne;
    recordFirstOrder(shortOne, kFirstOrderCases[0], -8);
    shortOne.constructTau(TauPart::Level, SlotUC);
    const TauConstruction& t = shortOne.state().graph.measures.taus.front();
    EXPECT_FALSE(t.readable);
    EXPECT_EQ(t.tauText, "τ > 1 ms");
    // On ten seconds it is within the first pixel, read in seconds.
    Simulator longOne;
    recordFirstOrder(longOne, kFirstOrderCases[0], 4);
    longOne.constructTau(TauPart::Level, SlotUC);
    EXPECT_EQ(longOne.state().graph.measures.taus.front().tauText, "τ ≈ 0 s (± 0,025 s)");
}

// A construction of a later transient starts at its first plotted point.
TEST(TauConstructions, TransientUnderTheRightClick) {
    Simulator sim;
    clickK(sim, 1);
    runTicks(sim, 160); // 80 ms of charge
    clickK(sim, 2);
    runToEnd(sim);
    const auto made = sim.constructTauAt(TauPart::Tangent, 400, 200);
    ASSERT_TRUE(made.problem.empty());
    const TauConstruction& t = sim.state().graph.measures.taus.front();
    const RecordedSample& start = sim.state().recording.transientStart(1);
    EXPECT_EQ(t.originX, *plotX(start.tEnreg, 0.1f));
    EXPECT_FALSE(t.rising);
    // 22 ms: 88 pixels from the origin at 380, past the end of the graph.
    EXPECT_EQ(t.originX, 380);
    EXPECT_FALSE(t.readable);
    EXPECT_EQ(t.tauText, "τ > 20 ms");
}

TEST(TauConstructions, RefusedWithAReason) {
    Simulator sim;
    EXPECT_EQ(sim.constructTau(TauPart::Tangent, SlotUC).problem, kNoRecordingOnGraph);
    recordFirstOrder(sim, kFirstOrderCases[0]);
    EXPECT_EQ(sim.constructTau(TauPart::Tangent, SlotU1).problem, kCurveNotDrawn);
    EXPECT_EQ(sim.constructTau(TauPart::Tangent, SlotUC, 470).problem, kNotFirstOrder);
    sim.erase();
    EXPECT_EQ(sim.constructTau(TauPart::Tangent, SlotUC).problem, kNoRecordingOnGraph);

    Simulator energy;
    recordFirstOrder(energy, {"EC", 0, false, SlotEC});
    EXPECT_EQ(energy.constructTau(TauPart::Level, SlotEC).problem, kNotFirstOrder);
    Simulator oscillations; // montage 1 records its discharge by default
    oscillations.chooseMontage(1);
    clickK(oscillations, 1);
    runTicks(oscillations, 20);
    clickK(oscillations, 2);
    runToEnd(oscillations);
    EXPECT_EQ(oscillations.constructTauAt(TauPart::Tangent, 100, 100).problem, kNotFirstOrder);
    EXPECT_TRUE(oscillations.state().graph.measures.taus.empty());
}

// The right-click means the ticked first-order curve nearest to the
// pointer.
TEST(TauConstructions, RightClickChoosesTheNearestCurve) {
    Simulator sim;
    sim.setQuantity(SlotU1, true);
    clickK(sim, 1);
    runToEnd(sim);
    // At 20 ms u_C has risen to 5,6 V (y 39), u_R1 fallen to 0,4 V (y 211).
    sim.constructTauAt(TauPart::Level, 140, 60);
    sim.constructTauAt(TauPart::Level, 140, 200);
    sim.constructTauAt(TauPart::Tangent, 140, 190);
    const auto& taus = sim.state().graph.measures.taus;
    ASSERT_EQ(taus.size(), 2u);
    EXPECT_EQ(taus[0].slot, SlotUC);
    EXPECT_EQ(taus[1].slot, SlotU1);
    EXPECT_TRUE(taus[1].tangent && taus[1].level);
    EXPECT_FALSE(taus[0].tangent);
}

// The readouts at the cursors: the times of their pixels, and the values
// of each ticked quantity as the table writes them, equal to the core's
// samples where a cursor falls on one.
TEST(Cursors, ReadoutsAgainstTheCoresValues) {
    Simulator sim;
    sim.setQuantity(SlotU1, true);
    clickK(sim, 1);
    runTicks(sim, 60); // 30 ms recorded
    sim.moveCursor(0, 80);
    sim.moveCursor(1, 160);
    CursorReadout r = sim.cursorReadout();
    EXPECT_EQ(r.t1, "5 ms");
    EXPECT_EQ(r.t2, "25 ms");
    EXPECT_EQ(r.dt, "20 ms");
    ASSERT_EQ(r.quantities.size(), 2u);
    EXPECT_EQ(r.quantities[0].identifier, "u_R1");
    EXPECT_EQ(r.quantities[1].identifier, "u_C");
    const Recording& rec = sim.state().recording;
    const auto sample = [&](int k, int slot) { return rec.samples()[size_t(k)].valeurs[slot]; };
    EXPECT_EQ(r.quantities[1].v1, valueCellText(sample(10, SlotUC), SlotUC)); // 5 ms
    EXPECT_EQ(r.quantities[1].v2, valueCellText(sample(50, SlotUC), SlotUC)); // 25 ms
    EXPECT_EQ(r.quantities[0].delta,
              valueCellText(sample(50, SlotU1) - sample(10, SlotU1), SlotU1));
    sim.moveCursor(1, 200); // 35 ms: not recorded yet
    r = sim.cursorReadout();
    EXPECT_EQ(r.quantities[1].v2, kNoValue);
    EXPECT_EQ(r.quantities[1].delta, kNoValue);
    runToEnd(sim);
    r = sim.cursorReadout();
    const float at35 = float(6 * (1 - std::exp(-0.035 / (33 * 220e-6))));
    EXPECT_EQ(r.quantities[1].v2, valueCellText(at35, SlotUC));
    EXPECT_EQ(r.quantities[1].v2, "5,95 V");
}

TEST(Cursors, PlacedDraggedAndNudgedOnThePlottingBox) {
    Simulator sim;
    EXPECT_FALSE(sim.state().graph.measures.cursors.shown);
    EXPECT_EQ(sim.showCursors(true), RedrawMeasures);
    EXPECT_EQ(sim.placeCursor(400), RedrawMeasures); // the nearer one: cursor 2 at 360
    const Cursors& c = sim.state().graph.measures.cursors;
    EXPECT_EQ(c.selected, 1);
    EXPECT_EQ(c.x[1], 400);
    sim.nudgeCursor(100);
    EXPECT_EQ(c.x[1], PlotBox::right);
    sim.moveCursor(0, 0);
    EXPECT_EQ(c.x[0], PlotBox::left);
    EXPECT_EQ(sim.nudgeCursor(1), RedrawNone); // already at the edge
    sim.selectCursor(0);
    sim.nudgeCursor(-1);
    EXPECT_EQ(c.x[0], PlotBox::left);
    sim.nudgeCursor(3);
    EXPECT_EQ(c.x[0], PlotBox::left + 3);
    EXPECT_EQ(sim.cursorReadout().dt, "99,25 ms");
}

// The erase of the constructions takes the cursors too; a new frame (the
// graph erased or rescaled) takes the constructions and keeps the cursors.
TEST(Cursors, ConstructionsLastUntilErasedOrRescaled) {
    Simulator sim;
    recordFirstOrder(sim, kFirstOrderCases[0]);
    sim.constructTau(TauPart::Tangent, SlotUC);
    sim.showCursors(true);
    sim.setParameterText(0, "12");
    sim.leaveParameter(0, nullptr); // a new scale
    EXPECT_TRUE(sim.state().graph.measures.taus.empty());
    EXPECT_TRUE(sim.state().graph.measures.cursors.shown);
    clickK(sim, 1);
    runToEnd(sim);
    sim.constructTau(TauPart::Level, SlotUC);
    EXPECT_EQ(sim.eraseConstructions(), RedrawMeasures);
    EXPECT_TRUE(sim.state().graph.measures.empty());
    EXPECT_EQ(sim.eraseConstructions(), RedrawNone);
}

// The graph's menu and keys: the tools in the menu's order, the keyboard's
// choice of curve (the first ticked one of the first order), the arrows on
// the selected cursor.
TEST(GraphTools, MenuAndKeys) {
    const char* const captions[] = {"Curseurs de mesure", "Tangente à l'origine",
                                    "Temps caractéristique (63 % / 37 %)",
                                    "Effacer les constructions"};
    for (size_t i = 0; i < kGraphTools.size(); ++i) {
        EXPECT_EQ(kGraphTools[i].caption, captions[i]);
    }
    Simulator sim;
    EXPECT_EQ(sim.useGraphTool(GraphTool::Tangent).problem, kNoRecordingOnGraph);
    sim.setQuantity(SlotU1, true); // u_R1 and u_C

    clickK(sim, 1);
    runToEnd(sim);
    EXPECT_TRUE(sim.useGraphTool(GraphTool::Level).problem.empty());
    EXPECT_EQ(sim.state().graph.measures.taus.at(0).slot, SlotU1);
    EXPECT_EQ(sim.useGraphTool(GraphTool::Tangent, std::pair{100, 60}).redraw, RedrawMeasures);
    EXPECT_EQ(sim.state().graph.measures.taus.at(1).slot, SlotUC);

    EXPECT_EQ(sim.graphKey(GraphKey::OtherCursor), RedrawMeasures); // shows them, cursor 2
    const Cursors& c = sim.state().graph.measures.cursors;
    EXPECT_TRUE(c.shown);
    EXPECT_EQ(c.selected, 1);
    sim.graphKey(GraphKey::DivisionLeft);
    sim.graphKey(GraphKey::Left);
    EXPECT_EQ(c.x[1], 360 - 41);
    sim.graphKey(GraphKey::Home);
    EXPECT_EQ(c.x[1], PlotBox::left);
    sim.graphKey(GraphKey::OtherCursor);
    sim.graphKey(GraphKey::End);
    EXPECT_EQ(c.x[0], PlotBox::right);
    EXPECT_EQ(cursorReadoutLines(sim.cursorReadout()),
              "t1\t100 ms\nt2\t0 ms\ndt\t-100 ms\nu_R1\t6,20 µV\t6,00 V\t6,00 V\n"
              "u_C\t6,00 V\t0,00 V\t-6,00 V\n");
    sim.useGraphTool(GraphTool::Cursors);
    EXPECT_FALSE(c.shown);
    sim.useGraphTool(GraphTool::EraseConstructions);
    EXPECT_TRUE(sim.state().graph.measures.empty());
}
