#include "core/Simulator.h"
#include "graph/CellTexts.h"

#include <gtest/gtest.h>

#include <string>

using namespace ohmora;

namespace {

void startRecording(Simulator& sim) {
    sim.mouseMoveSchematic(105, 20);
    sim.clickSchematic();
}

int runToEnd(Simulator& sim) {
    int n = 0;
    while (sim.state().run.enregEnCours && n < 10000) {
        sim.tick();
        ++n;
    }
    return n;
}

} // namespace

TEST(TimeBase, DurationListCoversNineteenValues) {
    EXPECT_EQ(kDurations.size(), 19u);
    EXPECT_EQ(durationForUpDown(-8)->label, "1 ms");
    EXPECT_EQ(durationForUpDown(10)->seconds, 600.0f);
    EXPECT_EQ(durationForLabel("1 min")->upDown, 7);
    EXPECT_EQ(durationForUpDown(-9), nullptr);
    EXPECT_EQ(durationForLabel("3 s"), nullptr);
}

TEST(TimeBase, DefaultRecordingTakes201TicksAndSamplesEvery2ms) {
    Simulator sim;
    startRecording(sim);
    const int ticks = runToEnd(sim);
    EXPECT_EQ(ticks, 201); // 200 steps of 0,5 ms, then the tick past 100 ms
    const ValueTable& table = sim.state().table;
    // Rows 0, 2, ... 98 ms, the sample at 99,5 ms shown as 100 ms, then the
    // live row.
    EXPECT_EQ(table.cell(1, 0), "0 ms");
    EXPECT_EQ(table.cell(2, 0), "2 ms");
    EXPECT_EQ(table.cell(3, 0), "4 ms");
    EXPECT_EQ(table.cell(50, 0), "98 ms");
    EXPECT_EQ(table.rowCount(), 53);
    EXPECT_EQ(table.cell(51, 0), "100 ms");
    for (int row = 1; row <= 50; ++row) {
        EXPECT_EQ(table.cell(row, 0), std::to_string(2 * (row - 1)) + " ms") << row;
    }
    EXPECT_EQ(table.cell(1, 1), "182 mA");
    EXPECT_EQ(table.cell(1, 2), "6,00 V");
    EXPECT_EQ(table.cell(1, 3), "0,00 V");
    EXPECT_EQ(table.cell(1, 4), "0,00 V");
    EXPECT_EQ(table.cell(1, 5), "0,00 J");
    // Row 2 holds the sample at 2 ms: u_C = 6 (1 - exp(-2/7.26)).
    EXPECT_EQ(table.cell(2, 3), "1,44 V");
    // The graph received one mark per tick of the recording.
    EXPECT_FALSE(sim.state().run.enregEnCours);
}

TEST(TimeBase, IdleTicksShowTheLiveTimeSinceTheSwitching) {
    Simulator sim;
    sim.tick();
    EXPECT_EQ(sim.state().table.rowCount(), 2);
    EXPECT_EQ(sim.state().table.cell(1, 0), "0 ms");
    for (int k = 0; k < 11; ++k) {
        sim.tick();
    }
    EXPECT_EQ(sim.state().table.rowCount(), 2);
    EXPECT_EQ(sim.state().table.cell(1, 0), "1,1 s");
    EXPECT_EQ(sim.state().table.cell(1, 3), "0,00 V");
}

TEST(TimeBase, TimeMasksFollowTheDuration) {
    EXPECT_EQ(timeCellText(0.0002f, 0.01f, true), "0,2 ms");
    EXPECT_EQ(timeCellText(0.00004f, 0.001f, true), "0,04 ms");
    EXPECT_EQ(timeCellText(0.006f, 0.1f, true), "6 ms");
    EXPECT_EQ(timeCellText(0.05f, 0.05f, true), "50 ms");
    EXPECT_EQ(timeCellText(1.2f, 60, true), "1,2 s");
    EXPECT_EQ(timeCellText(1.04f, 2, true), "1,04 s");
    EXPECT_EQ(timeCellText(1.04f, 2, false), "1,0 s");
    EXPECT_EQ(timeCellText(1234.5f, 600, true), "1234,5 s");
}

TEST(TimeBase, ValueCellsUsePrefixesAndMasks) {
    EXPECT_EQ(valueCellText(5.5f, 1), "5,50 V");
    EXPECT_EQ(valueCellText(0.01212f, 4), "12,1 mA");
    EXPECT_EQ(valueCellText(0, 4), "0,00 A");
    EXPECT_EQ(valueCellText(0, 5), "0,00 J");
    EXPECT_EQ(valueCellText(-3, 2), "-3,00 V");
    EXPECT_EQ(valueCellText(30, 1), "30,0 V");
    EXPECT_EQ(valueCellText(0.0002f, 4), "200 µA");
    EXPECT_EQ(valueCellText(-0.06f, 4), "-60,00 mA");
    EXPECT_EQ(valueCellText(0.00396f, 5), "3,96 mJ");
    EXPECT_EQ(valueCellText(0.0000001f, 6), "0,10 µJ");
    EXPECT_EQ(valueCellText(0.5f, 0), "0,50 V");
    EXPECT_EQ(valueCellText(0.4999f, 0), "500 mV");
}

TEST(TimeBase, SlowMotionAndRealTimeRecordings) {
    struct Case {
        int upDown;
        int ticks;
        const char* second;
    };
    const Case cases[] = {
        {-5, 200, "0,2 ms"}, // 10 ms
        {2, 200, "40 ms"},   // 2 s
        {7, 600, "1,2 s"},   // 1 min, real time
    };
    for (const auto& c : cases) {
        Simulator sim;
        sim.setUpDown(c.upDown);
        startRecording(sim);
        const int n = runToEnd(sim);
        EXPECT_GE(n, c.ticks) << c.upDown;
        EXPECT_LE(n, c.ticks + 2) << c.upDown;
        EXPECT_EQ(sim.state().table.cell(2, 0), c.second) << c.upDown;
        EXPECT_GE(sim.state().table.rowCount(), 52) << c.upDown;
    }
    Simulator sim;
    sim.setUpDown(2);
    startRecording(sim);
    runToEnd(sim);
    EXPECT_EQ(sim.state().table.cell(27, 0), "1,04 s");
}

TEST(TimeBase, TableTextHasTabsBetweenCellsAndLfBetweenRows) {
    Simulator sim;
    EXPECT_EQ(sim.state().table.text(), "\t\t\t\t\t\n\t\t\t\t\t");
    sim.chooseMontage(2);
    EXPECT_EQ(sim.state().table.text(), "\t\t\t\t\n\t\t\t\t");
    sim.chooseMontage(1);
    EXPECT_EQ(sim.state().table.text(), "\t\t\t\t\t\t\t\n\t\t\t\t\t\t\t");
    sim.chooseMontage(0);
    startRecording(sim);
    sim.tick();
    sim.tick();
    const std::string text = sim.state().table.text();
    EXPECT_EQ(text.find('\r'), std::string::npos);
    EXPECT_EQ(text.substr(0, 6), "\t\t\t\t\t\n");
    EXPECT_EQ(text.substr(6, 10), "0 ms\t182 m");
    EXPECT_NE(text.back(), '\n');
}

TEST(TimeBase, ChangingTheDurationStopsTheRecording) {
    Simulator sim;
    startRecording(sim);
    sim.tick();
    const Redraw r = sim.setUpDown(-1);
    EXPECT_FALSE(sim.state().run.enregEnCours);
    EXPECT_EQ(sim.state().run.position, 0);
    EXPECT_TRUE(r & RedrawGraphFrame);
    EXPECT_TRUE(r & RedrawDuration);
    EXPECT_EQ(sim.state().table.rowCount(), 2);
}

TEST(TimeBase, PlotMarksGrowFromLeftToRight) {
    Simulator sim;
    startRecording(sim);
    sim.tick();
    ASSERT_EQ(sim.lastPlot().size(), 1u);
    PlotMark first = sim.lastPlot()[0];
    EXPECT_FALSE(first.line);
    EXPECT_EQ(first.x1, 60);
    EXPECT_EQ(first.y1, 225);
    EXPECT_EQ(first.colour, (Rgb{255, 0, 0}));
    sim.tick();
    PlotMark second = sim.lastPlot()[0];
    EXPECT_TRUE(second.line);
    EXPECT_EQ(second.x0, 60);
    EXPECT_EQ(second.x1, 62);
    EXPECT_LT(second.y1, 225);
    int lastX = 0;
    while (sim.state().run.enregEnCours) {
        sim.tick();
        if (!sim.lastPlot().empty()) {
            lastX = sim.lastPlot()[0].x1;
        }
    }
    // Whether the point at exactly 100 ms is drawn depends on the rounding of
    // the accumulated single-precision time.
    EXPECT_GE(lastX, 458);
    EXPECT_LE(lastX, 460);
    sim.tick();
    EXPECT_TRUE(sim.lastPlot().empty()); // nothing drawn without a recording
}

TEST(TimeBase, SwitchingDuringARecordingLeavesAGap) {
    Simulator sim;
    sim.clickQuantity(4); // the current jumps at the switching
    startRecording(sim);
    for (int k = 0; k < 20; ++k) {
        sim.tick();
    }
    sim.mouseMoveSchematic(133, 20);
    sim.clickSchematic();
    sim.tick();
    ASSERT_EQ(sim.lastPlot().size(), 1u);
    EXPECT_FALSE(sim.lastPlot()[0].line);
    EXPECT_GT(sim.lastPlot()[0].y1, 125); // discharge current below the zero line
}

TEST(TimeBase, PointsBeyondSixteenBitsAreSkipped) {
    Simulator sim;
    sim.setUpDown(4); // 10 s
    sim.clickQuantity(5);
    // The frame is drawn for 1 nF; a capacitance changed afterwards does not
    // redraw it, so the energy soon lies millions of times beyond the scale.
    sim.setParameterText(2, "0,001");
    sim.erase();
    sim.setParameterText(2, "1000000");
    startRecording(sim);
    sim.tick();
    ASSERT_EQ(sim.lastPlot().size(), 1u);
    EXPECT_EQ(sim.lastPlot()[0].y1, 225);
    for (int k = 0; k < 10; ++k) {
        sim.tick();
        EXPECT_TRUE(sim.lastPlot().empty()) << k;
    }
    EXPECT_EQ(sim.state().graph.yPrec[5], 225); // the last point drawn
    EXPECT_TRUE(sim.state().run.enregEnCours);
}
