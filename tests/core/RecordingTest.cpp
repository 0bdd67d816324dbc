// The recording's samples the core keeps, and the first-order transients
// the model describes for the measuring tools.

#include "Recordings.h"
#include "core/Transients.h"
#include "graph/CellTexts.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

using namespace ohmora;
using namespace ohmora::test;

namespace {

std::array<float, kParameterCount> defaults() {
    std::array<float, kParameterCount> p{};
    for (size_t i = 0; i < p.size(); ++i) {
        p[i] = std::stof(std::string(kDefaultParameters[i]));
    }
    return p;
}

float valueAt(CircuitInputs in, int slot, double t) {
    in.t = float(t);
    Valeurs v{};
    evaluateCircuit(in, v);
    return v[size_t(slot)];
}

struct TransientRow {
    const char* name;
    int montage, position, slot;
    float u0;
    bool firstOrder;
};

void PrintTo(const TransientRow& row, std::ostream* os) {
    *os << row.name;
}

class FirstOrderModel : public ::testing::TestWithParam<TransientRow> {};

const TransientRow kTransientRows[] = {
    {"Montage0Charge_uC", 0, 1, SlotUC, 0, true},
    {"Montage0ChargeFrom2V_uC", 0, 1, SlotUC, 2, true},
    {"Montage0Charge_uR1", 0, 1, SlotU1, 0, true},
    {"Montage0Charge_i", 0, 1, SlotI, 1, true},
    {"Montage0Discharge_uC", 0, 2, SlotUC, 6, true},
    {"Montage0Discharge_uR2", 0, 2, SlotU2, 6, true},
    {"Montage0Discharge_i", 0, 2, SlotI, 4, true},
    {"Montage1Charge_uC", 1, 1, SlotUC, 0, true},
    {"Montage1Charge_i", 1, 1, SlotI, 0, true},
    {"Montage2_i", 2, 1, SlotI, 0, true},
    {"Montage2_uR", 2, 1, SlotResistorRL, 0, true},
    {"Montage2_ub", 2, 1, SlotCoilRL, 0, true},
    {"EnergyIsNotFirstOrder", 0, 1, SlotEC, 0, false},
    {"Montage1DischargeOscillates", 1, 2, SlotUC, 6, false},
    {"OpenSwitchHolds", 0, 0, SlotUC, 3, false},
    {"ChargedCapacitorDoesNotMove", 0, 1, SlotUC, 6, false},
    {"Montage2Open", 2, 0, SlotI, 0, false},
    {"R2IsNotInTheCharge", 0, 1, SlotU2, 0, false},
};

} // namespace

// The description agrees with the evaluation: its initial value at the
// switching, its asymptote long after, its slope with the curve's first
// steps, and the curve passes 63 % of its change after one time constant.
TEST_P(FirstOrderModel, AgreesWithTheEvaluation) {
    const TransientRow& row = GetParam();
    CircuitInputs in;
    in.montage = row.montage;
    in.position = row.position;
    in.u0 = row.u0;
    in.params = defaults();
    const auto f = firstOrderTransient(in, row.slot);
    ASSERT_EQ(f.has_value(), row.firstOrder);
    if (!f) {
        return;
    }
    const double scale = std::max(std::abs(f->initial), std::abs(f->final));
    EXPECT_NEAR(valueAt(in, row.slot, 0), f->initial, 1e-6 * scale);
    EXPECT_NEAR(valueAt(in, row.slot, 40 * f->tau), f->final, 1e-5 * scale);
    const double h = f->tau / 1000;
    const double steps = (valueAt(in, row.slot, h) - valueAt(in, row.slot, 0)) / h;
    EXPECT_NEAR(steps, f->slope, 2e-3 * std::abs(f->slope));
    const double atTau = f->initial + (f->final - f->initial) * (1 - std::exp(-1.0));
    EXPECT_NEAR(valueAt(in, row.slot, f->tau), atTau, 1e-5 * scale);
}

INSTANTIATE_TEST_SUITE_P(Rows, FirstOrderModel, ::testing::ValuesIn(kTransientRows),
                         [](const auto& row) { return std::string(row.param.name); });

// One sample per plotted point from t = 0, the values the table shows at
// the same instants.
TEST(Recording, KeepsOneSamplePerPlottedPoint) {
    Simulator sim;
    clickK(sim, 1);
    size_t marks = 0;
    while (sim.state().run.enregEnCours) {
        sim.tick();
        marks += sim.lastPlot().size();
    }
    const Recording& r = sim.state().recording;
    ASSERT_EQ(r.samples().size(), 200u);
    EXPECT_EQ(marks, 200u);
    EXPECT_EQ(sim.state().graph.marks.size(), marks);
    EXPECT_EQ(r.montage(), 0);
    EXPECT_EQ(r.samples().front().tEnreg, 0.0f);
    EXPECT_EQ(r.transientCount(), 1);
    const ValueTable& table = sim.state().table;
    for (int row = 1; row <= 50; ++row) { // every 2 ms, every fourth sample
        const RecordedSample& s = r.samples()[size_t(4 * (row - 1))];
        EXPECT_EQ(table.cell(row, 3), valueCellText(s.valeurs[SlotUC], SlotUC)) << row;
        EXPECT_EQ(table.cell(row, 1), valueCellText(s.valeurs[SlotI], SlotI)) << row;
    }
}

// Between samples, and across a switching, the value comes from the model
// of the transient that runs then; the recording covers its duration once
// it has ended.
TEST(Recording, ValuesBetweenSamplesComeFromTheModel) {
    Simulator sim;
    clickK(sim, 1);
    runTicks(sim, 41); // 20 ms of charge
    clickK(sim, 2);
    runTicks(sim, 40);
    const Recording& r = sim.state().recording;
    ASSERT_EQ(r.transientCount(), 2);
    EXPECT_EQ(r.transientInputs(1).position, 2);
    EXPECT_EQ(r.transientInputs(1).u0, r.samples()[40].valeurs[SlotUC]);
    const double tau1 = 33 * 220e-6, tau2 = 100 * 220e-6;
    const double t = 0.01025; // between the samples at 10 and 10,5 ms
    EXPECT_NEAR(*r.valueAt(SlotUC, t), 6 * (1 - std::exp(-t / tau1)), 1e-5);
    for (const RecordedSample& s : r.samples()) {
        ASSERT_EQ(*r.valueAt(SlotI, s.tEnreg), s.valeurs[SlotI]) << s.tEnreg;
    }
    const RecordedSample& start = r.transientStart(1);
    const double later = double(start.tEnreg) + 0.0051;
    EXPECT_NEAR(*r.valueAt(SlotUC, later), start.valeurs[SlotUC] * std::exp(-0.0051 / tau2), 1e-5);
    EXPECT_EQ(r.transientAt(later), 1);
    EXPECT_FALSE(r.valueAt(SlotUC, double(r.samples().back().tEnreg) + 1e-4)); // not yet recorded
    runToEnd(sim);
    EXPECT_TRUE(r.valueAt(SlotUC, 0.1));
    EXPECT_FALSE(r.valueAt(SlotUC, 0.1001));
    EXPECT_FALSE(r.valueAt(SlotUC, -1e-6));
}

// The samples stay after the recording and the erase; the next recording
// replaces them. A ten-minute recording adds 0,1 s per tick in single
// precision, which passes 600 s after the sample at 599,9 s: 6 000 samples.
TEST(Recording, LastsUntilTheNextRecording) {
    Simulator sim;
    sim.setUpDown(10);
    clickK(sim, 1);
    runToEnd(sim);
    EXPECT_EQ(sim.state().recording.samples().size(), 6000u);
    EXPECT_NEAR(sim.state().recording.samples().back().tEnreg, 599.9, 1e-3);
    sim.erase();
    EXPECT_EQ(sim.state().recording.samples().size(), 6000u);
    EXPECT_FALSE(sim.state().graph.showsRecording);
    EXPECT_TRUE(sim.state().graph.marks.empty());
    sim.setUpDown(-2);
    clickK(sim, 1);
    runTicks(sim, 3);
    EXPECT_EQ(sim.state().recording.samples().size(), 3u);
    EXPECT_EQ(sim.state().recording.dureeEnreg(), 0.1f);
}
