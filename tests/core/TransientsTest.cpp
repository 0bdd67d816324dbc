#include "core/Transients.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

using namespace ohmora;

namespace {

constexpr std::array<float, 14> kDefaults = {6,  33,  220, 100, 6,   33, 220,
                                             10, 400, 5,   6,   200, 5,  10};

// The defaults with the boxes of montage 1's discharge replaced.
std::array<float, 14> montage1(float R2, float r, float C, float L) {
    auto p = kDefaults;
    p[6] = C;
    p[7] = R2;
    p[8] = L;
    p[9] = r;
    return p;
}

std::array<float, 14> montage2(float U, float L, float r, float R) {
    auto p = kDefaults;
    p[10] = U;
    p[11] = L;
    p[12] = r;
    p[13] = R;
    return p;
}

CircuitInputs at(int montage, int position, float u0, float t,
                 const std::array<float, 14>& params = kDefaults, bool sustained = false) {
    CircuitInputs in;
    in.montage = montage;
    in.position = position;
    in.u0 = u0;
    in.t = t;
    in.params = params;
    in.sustained = sustained;
    return in;
}

Valeurs values(const CircuitInputs& in) {
    Valeurs v{};
    evaluateCircuit(in, v);
    return v;
}

float stepUlps(float value, int units) {
    for (int k = 0; k < std::abs(units); ++k) {
        value = std::nextafter(value, units > 0 ? 2 * value : 0.0f);
    }
    return value;
}

template <class Row> std::string rowName(const testing::TestParamInfo<Row>& info) {
    return info.param.name;
}

// --- values at given instants -----------------------------------------------

struct Expect {
    int slot;
    double value;
    double tolerance; // 0: exactly the float nearest to value
};

struct PointRow {
    const char* name;
    CircuitInputs in;
    std::vector<Expect> expects;
};
void PrintTo(const PointRow& row, std::ostream* os) {
    *os << row.name;
}

class Values : public testing::TestWithParam<PointRow> {};

TEST_P(Values, AtTheInstant) {
    const PointRow& row = GetParam();
    const auto v = values(row.in);
    for (const Expect& e : row.expects) {
        SCOPED_TRACE("slot " + std::to_string(e.slot));
        if (e.tolerance == 0) {
            EXPECT_EQ(v[e.slot], float(e.value));
        } else {
            EXPECT_NEAR(v[e.slot], e.value, e.tolerance);
        }
    }
}

const double kE1 = std::exp(-1.0);
// Montage 1 defaults: λ = -18,75 s⁻¹ and ω = √(ω0² - λ²).
const double kOmega = std::sqrt(1e9 / (220.0 * 400.0) - 18.75 * 18.75);
const float kPeriod = float(2 * M_PI / kOmega);
// u_C = u0 (1 + 1000 t) e^(-1000 t) and i = -C u0 10⁶ t e^(-1000 t) for the
// critical set R2 + r = 200 Ω, C = 10 µF, L = 100 mH, at t = 1 ms.
const double kCriticalU = 4 * 2 * kE1;
const double kCriticalI = -10e-6 * 4 * 1e6 * 0.001 * kE1;
const auto kCritical = montage1(195, 5, 10, 100);
// The most over-damped discharge: s1 = -ω0²/α to one part in 10¹⁰, -1e-6 s⁻¹
// for R2 + r = 1 000 005 Ω, L = 0,1 mH, C = 1 F; the current settles within
// 1e-9 s on u_C / (R2 + r).
const auto kSlowest = montage1(1000000, 5, 1000000, 0.1f);
const double kSlowRoot = -1e4 / (1000005.0 * 1e4);

const PointRow kPoints[] = {
    {"m0_charge_start",
     at(0, 1, 0, 0),
     {{SlotUC, 0, 0}, {SlotU1, 6, 0}, {SlotI, 6.0f / 33.0f, 0}, {SlotU2, 0, 0}, {SlotEC, 0, 0}}},
    {"m0_charge_one_tau",
     at(0, 1, 0, 0.00726f),
     {{SlotUC, 6 * (1 - kE1), 1e-5},
      {SlotU1, 6 * kE1, 1e-5},
      {SlotEC, 0.5 * 220e-6 * 36 * (1 - kE1) * (1 - kE1), 1e-9}}},
    {"m0_charge_twenty_tau", at(0, 1, 0, 0.1452f), {{SlotUC, 6, 1e-6}, {SlotI, 0, 1e-7}}},
    {"m0_charge_from_1_5V",
     at(0, 1, 1.5f, 0),
     {{SlotUC, 1.5, 0}, {SlotU1, 4.5, 0}, {SlotI, 4.5f / 33.0f, 0}}},
    {"m0_discharge_start",
     at(0, 2, 6, 0),
     {{SlotUC, 6, 0}, {SlotU2, -6, 0}, {SlotI, -0.06f, 0}, {SlotU1, 0, 0}}},
    {"m0_discharge_one_tau",
     at(0, 2, 6, 0.022f),
     {{SlotUC, 6 * kE1, 1e-5}, {SlotI, -0.06 * kE1, 1e-7}}},
    {"m0_open_holds_u0",
     at(0, 0, 2.5f, 3),
     {{SlotUC, 2.5, 0},
      {SlotU1, 0, 0},
      {SlotU2, 0, 0},
      {SlotI, 0, 0},
      {SlotEC, 0.5 * 220e-6 * 6.25, 0}}},
    {"m1_charge_start",
     at(1, 1, 0, 0),
     {{SlotUC, 0, 0},
      {SlotU1, 6, 0},
      {SlotI, 6.0f / 33.0f, 0},
      {SlotUb, 0, 0},
      {SlotEb, 0, 0}}}, // the coil is out of the circuit during the charge
    {"m1_charge_one_tau", at(1, 1, 0, 0.00726f), {{SlotI, 6 / 33.0 * kE1, 1e-6}, {SlotEb, 0, 0}}},
    {"m1_open_holds_u0", at(1, 0, 2.5f, 0.003f), {{SlotUC, 2.5, 0}, {SlotI, 0, 0}, {SlotEb, 0, 0}}},
    {"m1_underdamped_start",
     at(1, 2, 6, 0),
     {{SlotUC, 6, 0},
      {SlotI, 0, 0},
      {SlotU2, 0, 0},
      {SlotUb, -6, 0},
      {SlotU1, 0, 0},
      {SlotEb, 0, 0}}},
    {"m1_underdamped_one_period",
     at(1, 2, 6, kPeriod),
     {{SlotUC, 6 * std::exp(-18.75 * kPeriod), 1e-5}, {SlotI, 0, 1e-6}}},
    {"m1_underdamped_quarter_period",
     at(1, 2, 6, kPeriod / 4),
     {{SlotI, -220e-6 * 6 * 1e9 / 88000 * std::exp(-18.75 * kPeriod / 4) / kOmega, 1e-6}}},
    {"m1_critical_start",
     at(1, 2, 4, 0, kCritical),
     {{SlotUC, 4, 0}, {SlotI, 0, 0}, {SlotUb, -4, 0}}},
    {"m1_critical_1ms",
     at(1, 2, 4, 0.001f, kCritical),
     {{SlotUC, kCriticalU, 1e-6}, {SlotI, kCriticalI, 1e-8}}},
    {"m1_critical_decays", at(1, 2, 4, 0.05f, kCritical), {{SlotUC, 0, 1e-15}, {SlotI, 0, 1e-15}}},
    {"m1_overdamped_R2max_Lmin_Cmax_start",
     at(1, 2, 12, 0, kSlowest),
     {{SlotUC, 12, 0}, {SlotI, 0, 0}, {SlotU2, 0, 0}, {SlotUb, -12, 0}}},
    {"m1_overdamped_R2max_Lmin_Cmax_settled_current",
     at(1, 2, 12, 1e-8f, kSlowest),
     {{SlotI, -12 / 1000005.0, 1e-11}, {SlotUC, 12, 1e-6}}},
    {"m1_overdamped_R2max_Lmin_Cmax_slow_root",
     at(1, 2, 12, 1e6f, kSlowest),
     {{SlotUC, 12 * std::exp(kSlowRoot * 1e6), 1e-6},
      {SlotI, kSlowRoot * 12 * std::exp(kSlowRoot * 1e6), 1e-12}}},
    {"m1_sustained_start",
     at(1, 2, 6, 0, kDefaults, true),
     {{SlotUC, 6, 0}, {SlotI, 0, 0}, {SlotUb, -6, 0}}},
    {"m1_sustained_quarter_period",
     at(1, 2, 6, float(M_PI / 2 * std::sqrt(0.4 * 220e-6)), kDefaults, true),
     {{SlotUC, 0, 1e-5}, {SlotI, -220e-6 * 6 / std::sqrt(0.4 * 220e-6), 1e-6}}},
    {"m2_closing",
     at(2, 1, 0, 0),
     {{SlotI, 0, 0}, {SlotCoilRL, 6, 0}, {SlotResistorRL, 0, 0}, {SlotEb, 0, 0}}},
    {"m2_one_tau",
     at(2, 1, 0, float(0.2 / 15)),
     {{SlotI, 0.4 * (1 - kE1), 1e-6},
      {SlotResistorRL, 4 * (1 - kE1), 1e-5},
      {SlotCoilRL, 6 - 4 * (1 - kE1), 1e-5},
      {SlotEb, 0.5 * 0.2 * 0.16 * (1 - kE1) * (1 - kE1), 1e-8}}},
    {"m2_settled", at(2, 1, 0, 1), {{SlotI, 0.4, 1e-7}, {SlotCoilRL, 2, 1e-6}}},
    {"m2_taumin_U12_one_tau",
     at(2, 1, 0, float(1e-4 / 1000100), montage2(12, 0.1f, 100, 1000000)),
     {{SlotI, 12 / 1000100.0 * (1 - kE1), 1e-11},
      {SlotCoilRL, 12 * kE1 + 100 * 12 / 1000100.0 * (1 - kE1), 1e-5}}},
    {"m2_taumax_U0_5_one_tau",
     at(2, 1, 0, 0.2f, montage2(0.5f, 1000, 5, 0)),
     {{SlotI, 0.1 * (1 - kE1), 1e-8},
      {SlotResistorRL, 0, 0},
      {SlotEb, 0.5 * 0.01 * (1 - kE1) * (1 - kE1), 1e-9}}},
    {"m2_open",
     at(2, 0, 0, 1),
     {{SlotI, 0, 0}, {SlotCoilRL, 0, 0}, {SlotResistorRL, 0, 0}, {SlotU2, 0, 0}, {SlotEb, 0, 0}}},
};
INSTANTIATE_TEST_SUITE_P(Transients, Values, testing::ValuesIn(kPoints), rowName<PointRow>);

TEST(Transients, SlotsAMontageDoesNotWriteKeepTheirValue) {
    std::array<float, 9> v{};
    v[3] = 42;
    v[6] = 43;
    CircuitInputs in;
    in.params = kDefaults;
    in.u0 = 2.5f;
    in.t = 3;
    evaluateCircuit(in, v);
    EXPECT_EQ(v[3], 42.0f); // montage 0 never writes u_b nor E_b
    EXPECT_EQ(v[6], 43.0f);
    EXPECT_EQ(v[7], 0.0f);
    EXPECT_EQ(v[8], 0.0f);
    in.montage = 2;
    in.position = 1;
    v[5] = 44;
    evaluateCircuit(in, v);
    EXPECT_EQ(v[5], 44.0f); // montage 2 never writes E_C
}

// --- the regime of montage 1's free discharge --------------------------------

struct RegimeRow {
    const char* name;
    float R2PlusR, C, L;
    Regime regime;
};
void PrintTo(const RegimeRow& row, std::ostream* os) {
    *os << row.name;
}

class DischargeRegime : public testing::TestWithParam<RegimeRow> {};

TEST_P(DischargeRegime, FollowsTheSignOfDelta) {
    const RegimeRow& row = GetParam();
    EXPECT_EQ(dischargeRegime(row.R2PlusR, row.C, row.L), row.regime);
}

// Δ = α² - 4 ω0² with α = (R2 + r) × 1000 / L and ω0² = 10⁹ / (C L).
const RegimeRow kRegimes[] = {
    {"defaults_underdamped", 15, 220, 400, Regime::Underdamped},
    {"delta_exactly_zero", 200, 10, 100, Regime::Critical},
    {"delta_exactly_zero_slowest", 5, 160000, 1000, Regime::Critical},
    {"just_above_critical", 200.0001f, 10, 100, Regime::Overdamped},
    {"just_below_critical", 199.9999f, 10, 100, Regime::Underdamped},
    {"C_one_unit_above_critical", 200, stepUlps(10, 1), 100, Regime::Overdamped},
    {"C_one_unit_below_critical", 200, stepUlps(10, -1), 100, Regime::Underdamped},
    {"overdamped", 1000, 10, 100, Regime::Overdamped},
    {"overdamped_R2max_Lmin_Cmax", 1000005, 1000000, 0.1f, Regime::Overdamped},
    {"underdamped_Rmin_Lmin_Cmin", 5, 0.001f, 0.1f, Regime::Underdamped},
    {"underdamped_Rmin_Lmax_Cmin", 5, 0.001f, 1000, Regime::Underdamped},
    {"overdamped_Rmin_Lmax_Cmax", 5, 1000000, 1000, Regime::Overdamped},
};
INSTANTIATE_TEST_SUITE_P(Transients, DischargeRegime, testing::ValuesIn(kRegimes),
                         rowName<RegimeRow>);

// Across Δ = 0 the solution changes with Δ, not with the branch: sets one
// unit in the last place of C apart, on both sides of the critical one,
// give the critical values to within what that unit changes.
struct NeighbourRow {
    const char* name;
    float C;
};
void PrintTo(const NeighbourRow& row, std::ostream* os) {
    *os << row.name;
}

class AcrossCritical : public testing::TestWithParam<NeighbourRow> {};

TEST_P(AcrossCritical, MeetsTheCriticalSolution) {
    const auto near = montage1(195, 5, GetParam().C, 100);
    for (float t : {0.0f, 0.0002f, 0.001f, 0.003f, 0.01f}) {
        SCOPED_TRACE(t);
        const auto a = values(at(1, 2, 4, t, kCritical));
        const auto b = values(at(1, 2, 4, t, near));
        EXPECT_NEAR(b[1], a[1], 4e-6);
        // One unit of C moves ω0² by 1e-7 of itself, and i with it.
        EXPECT_NEAR(b[4], a[4], 2e-8);
    }
}

const NeighbourRow kNeighbours[] = {
    {"C_one_unit_above", stepUlps(10, 1)},
    {"C_one_unit_below", stepUlps(10, -1)},
    {"C_four_units_above", stepUlps(10, 4)},
    {"C_four_units_below", stepUlps(10, -4)},
};
INSTANTIATE_TEST_SUITE_P(Transients, AcrossCritical, testing::ValuesIn(kNeighbours),
                         rowName<NeighbourRow>);

// --- laws that hold at every instant, over the parameter limits -------------

struct CircuitRow {
    const char* name;
    float R2, r, C, L;
    bool sustained;
    bool aperiodic; // critical or over-damped
};
void PrintTo(const CircuitRow& row, std::ostream* os) {
    *os << row.name;
}

class Laws : public testing::TestWithParam<CircuitRow> {};

// From u_C = 5 V and no current: u_C starts at u0 with i = 0, the loop law
// u_C + u_R2 + u_b = 0 (plus the compensating voltage when sustained)
// holds, the stored energy never exceeds what the capacitor held and is
// kept when the losses are compensated, an aperiodic discharge never swings
// back, and nothing overflows. From 0 V everything stays at 0.
TEST_P(Laws, HoldAtEveryInstant) {
    const CircuitRow& row = GetParam();
    const auto p = montage1(row.R2, row.r, row.C, row.L);
    const double energy = 0.5 * (double(row.C) / 1e6) * 25;
    const auto start = values(at(1, 2, 5, 0, p, row.sustained));
    EXPECT_EQ(start[1], 5.0f);
    EXPECT_EQ(start[4], 0.0f);
    float previous = 5;
    for (int n = -12; n <= 7; ++n) {
        for (double m : {1.0, 2.0, 5.0}) {
            const float t = float(m * std::pow(10.0, n));
            SCOPED_TRACE(t);
            const auto v = values(at(1, 2, 5, t, p, row.sustained));
            for (int k = 0; k <= 6; ++k) {
                ASSERT_TRUE(std::isfinite(v[k])) << "slot " << k;
            }
            const double extra = row.sustained ? double(row.R2 + row.r) * v[4] : 0.0;
            EXPECT_NEAR(v[1] + v[2] + v[3], extra, 1e-5 * (5 + std::fabs(extra)));
            EXPECT_EQ(v[2], row.R2 * v[4]);
            const double stored = double(v[5]) + double(v[6]);
            EXPECT_LE(stored, energy * (1 + 1e-6));
            if (row.sustained) {
                EXPECT_NEAR(stored, energy, energy * 1e-6);
            }
            if (row.aperiodic) {
                EXPECT_LE(v[1], previous);
                EXPECT_GE(v[1], 0.0f);
                EXPECT_LE(v[4], 0.0f);
            }
            previous = v[1];
            const auto rest = values(at(1, 2, 0, t, p, row.sustained));
            for (int k = 0; k <= 6; ++k) {
                EXPECT_EQ(rest[k], 0.0f) << "at rest, slot " << k;
            }
        }
    }
}

const CircuitRow kCircuits[] = {
    {"defaults", 10, 5, 220, 400, false, false},
    {"critical", 195, 5, 10, 100, false, true},
    {"overdamped", 995, 5, 10, 100, false, true},
    {"R2max_rmax_Lmin_Cmin", 1000000, 100, 0.001f, 0.1f, false, true},
    {"R2max_rmax_Lmin_Cmax", 1000000, 100, 1000000, 0.1f, false, true},
    {"R2max_rmax_Lmax_Cmin", 1000000, 100, 0.001f, 1000, false, true},
    {"R2max_rmax_Lmax_Cmax", 1000000, 100, 1000000, 1000, false, true},
    {"Rmin_Lmin_Cmin", 0, 5, 0.001f, 0.1f, false, false},
    {"Rmin_Lmin_Cmax", 0, 5, 1000000, 0.1f, false, true},
    {"Rmin_Lmax_Cmin", 0, 5, 0.001f, 1000, false, false},
    {"Rmin_Lmax_Cmax", 0, 5, 1000000, 1000, false, true},
    {"R2min_rmax", 5, 100, 10, 100, false, false},
    {"sustained_defaults", 10, 5, 220, 400, true, false},
    {"sustained_Lmin_Cmin", 1000000, 100, 0.001f, 0.1f, true, false},
    {"sustained_Lmax_Cmax", 5, 0, 1000000, 1000, true, false},
};
INSTANTIATE_TEST_SUITE_P(Transients, Laws, testing::ValuesIn(kCircuits), rowName<CircuitRow>);

} // namespace
