#include "graph/GraphScale.h"
#include "core/Simulator.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <string>
#include <vector>

using namespace ohmora;

namespace {

constexpr std::array<float, 14> kDefaults = {6,  33,  220, 100, 6,   33, 220,
                                             10, 400, 5,   6,   200, 5,  10};

// The defaults with the boxes of one montage replaced.
std::array<float, 14> m0(float U, float R1, float C, float R2) {
    auto p = kDefaults;
    p[0] = U, p[1] = R1, p[2] = C, p[3] = R2;
    return p;
}

std::array<float, 14> m1(float U, float R1, float C, float R2, float L, float r) {
    auto p = kDefaults;
    p[4] = U, p[5] = R1, p[6] = C, p[7] = R2, p[8] = L, p[9] = r;
    return p;
}

std::array<float, 14> m2(float U, float L, float r, float R) {
    auto p = kDefaults;
    p[10] = U, p[11] = L, p[12] = r, p[13] = R;
    return p;
}

template <class Row> std::string rowName(const testing::TestParamInfo<Row>& info) {
    return info.param.name;
}

// A failing row is reported by its name rather than by its bytes.
template <class Row> void printRow(const Row& row, std::ostream* os) {
    *os << row.name;
}

// The float nearest to digits × 10^exponent, read from its decimal text.
float decimal(long digits, int exponent) {
    const std::string text = std::to_string(digits) + "e" + std::to_string(exponent);
    float value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

float ulpsAbove(float value, int ulps) {
    for (int k = 0; k < ulps; ++k) {
        value = std::nextafter(value, 2 * value);
    }
    return value;
}

// --- rounding of valeurMax --------------------------------------------------

struct RoundRow {
    const char* name;
    float valeurMax;
    float echelleY;
    float decade;
    int divisions;
};
void PrintTo(const RoundRow& row, std::ostream* os) {
    printRow(row, os);
}

class RoundScale : public testing::TestWithParam<RoundRow> {};

TEST_P(RoundScale, GivesTheRoundScaleAndItsDivisions) {
    const RoundRow& row = GetParam();
    GraphScale s;
    roundScale(row.valeurMax, s);
    EXPECT_EQ(s.echelleY, row.echelleY);
    EXPECT_EQ(s.decade, row.decade);
    EXPECT_EQ(s.divisions, row.divisions);
}

const RoundRow kRoundRows[] = {
    {"v2_94_written_2_9_to_30_tenths", 2.94f, 3, 0.1f, 6},
    {"v2_75_written_2_8", 2.75f, 2.8f, 0.1f, 7},
    {"v6", 6, 6, 1, 6},
    {"v12", 12, 12, 1, 6},
    {"v0_5", 0.5f, 0.5f, 0.1f, 5},
    {"v9_5_to_10", 9.5f, 10, 1, 5},
    {"v1_05_written_1_1_to_1_2", 1.05f, 1.2f, 0.1f, 6},
    {"v1_3_to_1_4", 1.3f, 1.4f, 0.1f, 7},
    {"v2_25_written_2_3_to_2_4", 2.25f, 2.4f, 0.1f, 6},
    {"v2_6_to_2_7", 2.6f, 2.7f, 0.1f, 3},
    {"v0_0396_to_0_04", 0.0396f, 0.04f, 0.01f, 4},
    {"v1", 1, 1, 0.1f, 5},
    {"v7_01_to_8", 7.01f, 8, 1, 4},
    {"v1_91_to_2", 1.91f, 2, 0.1f, 5},
    {"v2_1", 2.1f, 2.1f, 0.1f, 3},
    {"v2_5", 2.5f, 2.5f, 0.1f, 5},
    {"v2_9_snapped_to_3_units", 2.9f, 3, 1, 6},
    {"current_0_2_A", 0.2f, 0.2f, 0.01f, 5},
    {"current_0_05_A", 0.05f, 0.05f, 0.01f, 5},
    {"current_0_15_A", 0.15f, 0.15f, 0.01f, 5},
    {"energy_0_0021_J", 0.0021f, 0.0021f, 0.0001f, 3},
    {"energy_0_001_J", 0.001f, 0.001f, 0.0001f, 5},
    {"current_0_28_A", 0.28f, 0.28f, 0.01f, 7},
    // valeurMax is a product of single-precision parameters and may lie a
    // few units in the last place above the round value it stands for.
    {"current_0_2_A_8_ulps_above", ulpsAbove(0.2f, 8), 0.2f, 0.01f, 5},
    {"current_0_2_A_9_ulps_above", ulpsAbove(0.2f, 9), 0.21f, 0.01f, 3},
    {"current_0_2_A_one_millionth_above", 0.2f * 1.000001f, 0.21f, 0.01f, 3},
    {"zero", 0, 0, 0.1f, 5},
};
INSTANTIATE_TEST_SUITE_P(GraphScale, RoundScale, testing::ValuesIn(kRoundRows), rowName<RoundRow>);

// The round scales of one decade, in tenths of the decade, with their
// division counts: every maximum gets the first one not below it.
struct Step {
    long tenths;
    int divisions;
};
constexpr Step kLadder[] = {{10, 5}, {12, 6}, {14, 7}, {15, 5}, {16, 4}, {18, 6}, {20, 5},
                            {21, 3}, {24, 6}, {25, 5}, {27, 3}, {28, 7}, {30, 6}, {40, 4},
                            {50, 5}, {60, 6}, {70, 7}, {80, 4}, {90, 3}, {100, 5}};

const Step& firstStep(long tenths, bool strictlyAbove) {
    for (const Step& s : kLadder) {
        if (s.tenths > tenths || (!strictlyAbove && s.tenths == tenths)) {
            return s;
        }
    }
    return kLadder[std::size(kLadder) - 1];
}

struct DecadeRow {
    const char* name;
    int exponent;
};
void PrintTo(const DecadeRow& row, std::ostream* os) {
    printRow(row, os);
}

class RoundMaxima : public testing::TestWithParam<DecadeRow> {};

void expectStep(float valeurMax, const Step& step, int exponent) {
    GraphScale s;
    roundScale(valeurMax, s);
    EXPECT_EQ(s.echelleY, decimal(step.tenths, exponent - 1));
    EXPECT_EQ(s.divisions, step.divisions);
}

// Every maximum d × 10^e with d = 1,0 to 9,9 gets the first round scale not
// below it (itself when it is one), and the next one as soon as it lies
// beyond the rounding noise of its computation.
TEST_P(RoundMaxima, KeepTheirScaleAndStepUpJustAbove) {
    const int e = GetParam().exponent;
    for (long tenths = 10; tenths <= 99; ++tenths) {
        const float value = decimal(tenths, e - 1);
        SCOPED_TRACE(std::to_string(tenths) + "e" + std::to_string(e - 1));
        {
            SCOPED_TRACE("exact");
            expectStep(value, firstStep(tenths, false), e);
        }
        {
            SCOPED_TRACE("one unit below");
            expectStep(std::nextafter(value, 0.0f), firstStep(tenths, false), e);
        }
        {
            SCOPED_TRACE("eight units above");
            expectStep(ulpsAbove(value, 8), firstStep(tenths, false), e);
        }
        {
            SCOPED_TRACE("nine units above");
            expectStep(ulpsAbove(value, 9), firstStep(tenths, true), e);
        }
    }
}

const DecadeRow kDecades[] = {
    {"e_minus7", -7}, {"e_minus6", -6}, {"e_minus5", -5}, {"e_minus4", -4},
    {"e_minus3", -3}, {"e_minus2", -2}, {"e_minus1", -1}, {"e0", 0},
    {"e1", 1},        {"e2", 2},        {"e3", 3},
};
INSTANTIATE_TEST_SUITE_P(GraphScale, RoundMaxima, testing::ValuesIn(kDecades), rowName<DecadeRow>);

// --- valeurMax per montage --------------------------------------------------

struct MaxRow {
    const char* name;
    int montage;
    std::array<float, 14> params;
    int ticked; // the box ticked
    bool sustained;
    double valeurMax; // the exact value of the rule, in V, A or J
    bool axeSymetrique;
};
void PrintTo(const MaxRow& row, std::ostream* os) {
    printRow(row, os);
}

ScaleInputs inputsOf(const MaxRow& row) {
    ScaleInputs in;
    in.montage = row.montage;
    in.params = row.params;
    in.ticked[row.ticked] = true;
    in.sustained = row.sustained;
    return in;
}

class ValeurMax : public testing::TestWithParam<MaxRow> {};

TEST_P(ValeurMax, FollowsTheTickedGroup) {
    const MaxRow& row = GetParam();
    float vm = -1;
    bool sym = !row.axeSymetrique;
    chooseValeurMax(inputsOf(row), vm, sym);
    // A product of single-precision values: within four units in the last
    // place of the exact one.
    EXPECT_FLOAT_EQ(vm, float(row.valeurMax));
    EXPECT_EQ(sym, row.axeSymetrique);
}

const MaxRow kMaxRows[] = {
    {"m0_voltages", 0, kDefaults, 1, false, 6, false},
    {"m0_u_R2_is_symmetric", 0, kDefaults, 2, false, 6, true},
    {"m0_current_through_R1", 0, kDefaults, 4, false, 6.0 / 33, true},
    {"m0_current_through_R2", 0, m0(6, 330, 220, 100), 4, false, 0.06, true},
    {"m0_energy", 0, kDefaults, 5, false, 0.5 * 220e-6 * 36, false},
    {"m1_charging_current_beats_the_peak", 1, kDefaults, 4, false, 6.0 / 33, true},
    // The peak C U ω0 = U √(C / L) = 0,2 A beats U / R1 = 0,02 A.
    {"m1_peak_beats_the_charging_current", 1, m1(2, 100, 1000, 10, 100, 5), 4, false, 0.2, true},
    {"m1_sustained_voltage_stays_U", 1, kDefaults, 1, true, 6, true},
    // Î (r + R2) = 0,2 × 100 beats U.
    {"m1_sustained_compensation_voltage", 1, m1(2, 100, 1000, 90, 100, 10), 1, true, 20, true},
    {"m1_sustained_energy", 1, kDefaults, 6, true, 0.5 * 220e-6 * 36, false},
    {"m2_voltage", 2, kDefaults, 0, false, 6, false},
    {"m2_current", 2, kDefaults, 4, false, 0.4, false},
    {"m2_energy", 2, kDefaults, 6, false, 0.5 * 0.2 * 0.4 * 0.4, false},
};
INSTANTIATE_TEST_SUITE_P(GraphScale, ValeurMax, testing::ValuesIn(kMaxRows), rowName<MaxRow>);

// --- whole frames -----------------------------------------------------------

struct FrameRow {
    const char* name;
    int montage;
    std::array<float, 14> params;
    int ticked;
    float echelleY;
    int divisions;
    const char* graduations; // for k = 1 to n, separated by blanks
    const char* verticalUnit;
};
void PrintTo(const FrameRow& row, std::ostream* os) {
    printRow(row, os);
}

class Frame : public testing::TestWithParam<FrameRow> {};

TEST_P(Frame, HasItsRoundScaleAndGraduations) {
    const FrameRow& row = GetParam();
    ScaleInputs in;
    in.montage = row.montage;
    in.params = row.params;
    in.ticked[row.ticked] = true;
    const GraphFrame f = computeGraphFrame(in);
    EXPECT_EQ(f.scale.echelleY, row.echelleY);
    EXPECT_EQ(f.scale.divisions, row.divisions);
    std::string graduations;
    for (const auto& g : f.graduations) {
        graduations += (graduations.empty() ? "" : " ") + g;
    }
    EXPECT_EQ(graduations, row.graduations);
    EXPECT_EQ(f.verticalUnit, row.verticalUnit);
    EXPECT_EQ(f.scale.yZero, f.scale.axeSymetrique ? 125 : 225);
    EXPECT_EQ(f.firstTimeIndex, f.scale.axeSymetrique ? 1 : 0);
}

// Round maxima from parameter sets a user types get their own round scale,
// even where single-precision products leave them a unit or two above it.
const FrameRow kFrames[] = {
    {"m0_defaults_u_C", 0, kDefaults, 1, 6, 6, "1 2 3 4 5 6", "(V)"},
    {"m0_defaults_current", 0, kDefaults, 4, 0.2f, 5, "40 80 120 160 200", "(mA)"},
    {"m0_defaults_energy", 0, kDefaults, 5, 0.004f, 4, "1 2 3 4", "(mJ)"},
    {"m0_current_6V_30ohm", 0, m0(6, 30, 220, 100), 4, 0.2f, 5, "40 80 120 160 200", "(mA)"},
    {"m0_current_1_2V_6ohm", 0, m0(1.2f, 6, 220, 100), 4, 0.2f, 5, "40 80 120 160 200", "(mA)"},
    {"m0_energy_2V_1000uF", 0, m0(2, 33, 1000, 100), 5, 0.002f, 5, "0,4 0,8 1,2 1,6 2", "(mJ)"},
    {"m1_peak_current_2V_1000uF_100mH", 1, m1(2, 100, 1000, 10, 100, 5), 4, 0.2f, 5,
     "40 80 120 160 200", "(mA)"},
    {"m2_current_6V_25_5ohm", 2, m2(6, 200, 5, 25), 4, 0.2f, 5, "40 80 120 160 200", "(mA)"},
    {"m2_energy_12V_500mH_60ohm", 2, m2(12, 500, 10, 50), 6, 0.01f, 5, "2 4 6 8 10", "(mJ)"},
    {"m2_energy_6V_250mH_30ohm", 2, m2(6, 250, 5, 25), 6, 0.005f, 5, "1 2 3 4 5", "(mJ)"},
    {"m2_energy_3V_200mH_10ohm", 2, m2(3, 200, 5, 5), 6, 0.009f, 3, "3 6 9", "(mJ)"},
};
INSTANTIATE_TEST_SUITE_P(GraphScale, Frame, testing::ValuesIn(kFrames), rowName<FrameRow>);

// --- time numbers -----------------------------------------------------------

struct TimeRow {
    const char* name;
    float dureeEnreg;
    bool symmetric;
    const char* unit;
    std::vector<std::string> numbers;
};
void PrintTo(const TimeRow& row, std::ostream* os) {
    printRow(row, os);
}

class TimeNumbers : public testing::TestWithParam<TimeRow> {};

TEST_P(TimeNumbers, FollowTheDuration) {
    const TimeRow& row = GetParam();
    ScaleInputs in;
    in.params = kDefaults;
    in.ticked[row.symmetric ? 4 : 1] = true;
    in.dureeEnreg = row.dureeEnreg;
    const GraphFrame f = computeGraphFrame(in);
    EXPECT_EQ(f.timeUnit, row.unit);
    EXPECT_EQ(f.timeNumbers, row.numbers);
    EXPECT_EQ(f.firstTimeIndex, row.symmetric ? 1 : 0);
}

const TimeRow kTimeRows[] = {
    {"d100ms",
     0.1f,
     false,
     "(ms)",
     {"0", "10", "20", "30", "40", "50", "60", "70", "80", "90", "100"}},
    {"d100ms_symmetric",
     0.1f,
     true,
     "(ms)",
     {"10", "20", "30", "40", "50", "60", "70", "80", "90", "100"}},
    {"d1ms",
     0.001f,
     false,
     "(ms)",
     {"0", "0,1", "0,2", "0,3", "0,4", "0,5", "0,6", "0,7", "0,8", "0,9", "1"}},
    {"d2min",
     120,
     false,
     "(s)",
     {"0", "12", "24", "36", "48", "60", "72", "84", "96", "108", "120"}},
    {"d1s",
     1,
     false,
     "(s)",
     {"0", "0,1", "0,2", "0,3", "0,4", "0,5", "0,6", "0,7", "0,8", "0,9", "1"}},
};
INSTANTIATE_TEST_SUITE_P(GraphScale, TimeNumbers, testing::ValuesIn(kTimeRows), rowName<TimeRow>);

TEST(GraphScale, TimeNumbersOfEveryDurationAreShort) {
    for (const auto& d : kDurations) {
        ScaleInputs in;
        in.params = kDefaults;
        in.dureeEnreg = d.seconds;
        for (const auto& text : computeGraphFrame(in).timeNumbers) {
            EXPECT_LE(text.size(), 4u) << d.label << " " << text;
        }
    }
}

// --- cursor readout ---------------------------------------------------------

struct ReadoutRow {
    const char* name;
    int quantity; // box clicked first, -1 for none
    int upDown;   // duration set first, kUpDownDefault to keep it
    int x, y;
    bool visible;
    const char* timeText;
    const char* valueText;
};
void PrintTo(const ReadoutRow& row, std::ostream* os) {
    printRow(row, os);
}

class CursorReadout : public testing::TestWithParam<ReadoutRow> {};

TEST_P(CursorReadout, ReadsTheScaleUnderThePointer) {
    const ReadoutRow& row = GetParam();
    Simulator sim;
    if (row.quantity >= 0) {
        sim.clickQuantity(row.quantity);
    }
    sim.setUpDown(row.upDown);
    const Readout r = sim.mouseMoveGraph(row.x, row.y);
    EXPECT_EQ(sim.state().info, "Paramétrer le graphe depuis l'onglet Graphe");
    EXPECT_EQ(r.visible, row.visible);
    if (row.visible) {
        EXPECT_EQ(r.timeText, row.timeText);
        EXPECT_EQ(r.valueText, row.valueText);
    }
}

const ReadoutRow kReadouts[] = {
    {"middle_u_C", -1, kUpDownDefault, 260, 125, true, " 50 ms ", " 3,0 V "},
    {"top_left_corner", -1, kUpDownDefault, 60, 25, true, " 0 ms ", " 6,0 V "},
    {"bottom_right_corner", -1, kUpDownDefault, 460, 225, true, " 100 ms ", " 0,0 V "},
    {"left_of_the_area", -1, kUpDownDefault, 59, 100, false, "", ""},
    {"right_of_the_area", -1, kUpDownDefault, 461, 100, false, "", ""},
    {"above_the_area", -1, kUpDownDefault, 100, 24, false, "", ""},
    {"below_the_area", -1, kUpDownDefault, 100, 226, false, "", ""},
    {"current_below_zero", 4, kUpDownDefault, 260, 175, true, " 50 ms ", " -100,0 mA "},
    {"current_over_one_minute", 4, 7, 100, 100, true, " 6 s ", " 50,0 mA "},
};
INSTANTIATE_TEST_SUITE_P(GraphScale, CursorReadout, testing::ValuesIn(kReadouts),
                         rowName<ReadoutRow>);

} // namespace
