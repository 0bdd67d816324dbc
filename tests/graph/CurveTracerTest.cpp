#include "core/Simulator.h"
#include "core/SwitchZones.h"
#include "graph/PlotBox.h"

#include <gtest/gtest.h>

using namespace ohmora;

namespace {

void click(Simulator& sim, int target) {
    const Point p = pointOnSwitch(sim.state().controls.montage, target);
    sim.mouseMoveSchematic(p.x, p.y);
    sim.clickSchematic();
}

// The marks of a whole recording, tick by tick.
std::vector<std::vector<PlotMark>> record(Simulator& sim) {
    std::vector<std::vector<PlotMark>> steps;
    click(sim, 1);
    while (sim.state().run.enregEnCours) {
        sim.tick();
        steps.push_back(sim.lastPlot());
    }
    return steps;
}

} // namespace

TEST(CurveTracer, EveryTickOfTheDefaultRecordingAddsOneMark) {
    Simulator sim;
    const auto steps = record(sim);
    // 200 steps of 0,5 ms from 0 to 99,5 ms; model time summed in single
    // precision passes 100 ms at the next tick, which ends the recording.
    ASSERT_EQ(steps.size(), 201u);
    ASSERT_EQ(steps.front().size(), 1u);
    EXPECT_FALSE(steps.front()[0].line);
    EXPECT_EQ(steps.front()[0].x1, PlotBox::left);
    const std::vector<PlotMark>& last = steps[199];
    ASSERT_EQ(last.size(), 1u);
    EXPECT_TRUE(last[0].line);
    EXPECT_EQ(last[0].x1, 458);
    EXPECT_EQ(last[0].x0, 456);
    EXPECT_TRUE(steps.back().empty()); // the tick that ends the recording draws nothing
}

// A current far beyond the scale (R1 lowered after the scale was chosen)
// leaves the picture's range at first; the curve starts at its first
// drawable point, never from a point of the previous recording or (0, 0).
TEST(CurveTracer, ACurveStartsAfreshAfterSkippedPoints) {
    Simulator sim;
    sim.clickQuantity(SlotI);
    for (int box : {1, 3}) {
        sim.setParameterText(box, "1000000");
    }
    sim.leaveParameter(0, nullptr); // the scale follows: some µA
    sim.setParameterText(1, "5");
    sim.leaveParameter(1, nullptr); // the scale stays
    for (int run = 0; run < 2; ++run) {
        sim.enterParameter(2); // the capacitor discharged, the scale kept
        sim.tick();
        const auto steps = record(sim);
        size_t first = 0;
        while (first < steps.size() && steps[first].empty()) {
            ++first;
        }
        ASSERT_GT(first, 0u) << "run " << run;
        ASSERT_LT(first + 1, steps.size()) << "run " << run;
        EXPECT_FALSE(steps[first][0].line) << "run " << run;
        ASSERT_TRUE(steps[first + 1][0].line) << "run " << run;
        EXPECT_EQ(steps[first + 1][0].x0, steps[first][0].x1) << "run " << run;
        EXPECT_EQ(steps[first + 1][0].y0, steps[first][0].y1) << "run " << run;
    }
}
