#include "Transients.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace ohmora;

namespace {

std::array<float, 14> defaults() {
    return {6, 33, 220, 100, 6, 33, 220, 10, 400, 5, 6, 200, 5, 10};
}

std::array<float, 9> eval(int montage, int position, float t, float u0,
                          std::array<float, 14> params = defaults(), bool sustained = false) {
    CircuitInputs in;
    in.montage = montage;
    in.position = position;
    in.t = t;
    in.u0 = u0;
    in.params = params;
    in.sustained = sustained;
    std::array<float, 9> v{};
    evaluateCircuit(in, v);
    return v;
}

} // namespace

TEST(Transients, Montage0ChargeFromZero) {
    auto v = eval(0, 1, 0, 0);
    EXPECT_EQ(v[1], 0.0f);
    EXPECT_EQ(v[0], 6.0f);
    EXPECT_FLOAT_EQ(v[4], 6.0f / 33.0f);
    EXPECT_EQ(v[2], 0.0f);
    EXPECT_EQ(v[5], 0.0f);
    const double tau = 0.00726;
    v = eval(0, 1, 0.00726f, 0);
    EXPECT_NEAR(v[1], 6 * (1 - std::exp(-1.0)), 1e-5);
    EXPECT_NEAR(v[0] + v[1], 6.0, 1e-6);
    EXPECT_NEAR(v[5], 0.5 * 220e-6 * v[1] * v[1], 1e-9);
    v = eval(0, 1, float(20 * tau), 0);
    EXPECT_NEAR(v[1], 6.0, 1e-6);
}

TEST(Transients, Montage0DischargeFromSixVolts) {
    auto v = eval(0, 2, 0, 6);
    EXPECT_EQ(v[1], 6.0f);
    EXPECT_EQ(v[2], -6.0f);
    EXPECT_FLOAT_EQ(v[4], -0.06f);
    EXPECT_EQ(v[0], 0.0f);
    v = eval(0, 2, 0.022f, 6);
    EXPECT_NEAR(v[1], 6 * std::exp(-1.0), 1e-5);
}

TEST(Transients, PositionZeroHoldsTheCapacitorAndLeavesUnusedSlots) {
    std::array<float, 9> v{};
    v[3] = 42;
    v[6] = 43;
    CircuitInputs in;
    in.params = defaults();
    in.u0 = 2.5f;
    in.t = 3;
    evaluateCircuit(in, v);
    EXPECT_EQ(v[1], 2.5f);
    EXPECT_EQ(v[0], 0.0f);
    EXPECT_EQ(v[4], 0.0f);
    EXPECT_EQ(v[3], 42.0f); // montage 0 never writes u_b nor E_b
    EXPECT_EQ(v[6], 43.0f);
    EXPECT_EQ(v[7], 0.0f);
    EXPECT_EQ(v[8], 0.0f);
}

TEST(Transients, Montage1DefaultsArePseudoPeriodic) {
    EXPECT_EQ(dischargeRegime(15, 220, 400), Regime::Underdamped);
    auto v = eval(1, 2, 0, 6);
    EXPECT_FLOAT_EQ(v[1], 6.0f);
    EXPECT_NEAR(v[4], 0.0, 1e-7);
    EXPECT_NEAR(v[3], -6.0, 1e-6); // the coil takes the whole voltage at first
    // Pseudo-period 2 pi / 104.94: u_C is back near its maximum one period
    // later, reduced by exp(-18.75 T).
    const double omega = std::sqrt(1e9 / (220.0 * 400.0) - 18.75 * 18.75);
    const double period = 2 * M_PI / omega;
    EXPECT_NEAR(omega, 104.94, 0.01);
    v = eval(1, 2, float(period), 6);
    EXPECT_NEAR(v[1], 6 * std::exp(-18.75 * period), 1e-4);
    EXPECT_NEAR(v[4], 0.0, 1e-5);
    // Loop law: u_C + u_R2 + u_b = 0 at any time.
    for (float t : {0.001f, 0.013f, 0.05f, 0.2f}) {
        v = eval(1, 2, t, 6);
        EXPECT_NEAR(v[1] + v[2] + v[3], 0.0, 1e-5) << t;
        EXPECT_NEAR(v[2], 10 * v[4], 1e-6);
        EXPECT_NEAR(v[6], 0.5 * 0.4 * v[4] * v[4], 1e-9);
    }
}

TEST(Transients, CriticalDampingStartsAtU0WithoutCurrentAndDecays) {
    auto p = defaults();
    p[6] = 10;  // C µF
    p[7] = 195; // R2
    p[8] = 100; // L mH
    p[9] = 5;   // r
    EXPECT_EQ(dischargeRegime(200, 10, 100), Regime::Critical);
    auto v = eval(1, 2, 0, 4, p);
    EXPECT_EQ(v[1], 4.0f);
    EXPECT_EQ(v[4], 0.0f);
    // u_C = u0 (1 + 1000 t) e^(-1000 t), i = -C u0 1e6 t e^(-1000 t).
    for (double t : {0.0005, 0.001, 0.003, 0.01}) {
        v = eval(1, 2, float(t), 4, p);
        const double e = std::exp(-1000 * double(float(t)));
        EXPECT_NEAR(v[1], 4 * (1 + 1000 * double(float(t))) * e, 1e-6) << t;
        EXPECT_NEAR(v[4], -10e-6 * 4 * 1e6 * double(float(t)) * e, 1e-7) << t;
    }
    v = eval(1, 2, 0.05f, 4, p);
    EXPECT_NEAR(v[1], 0.0, 1e-15);
    EXPECT_NEAR(v[4], 0.0, 1e-15);
}

TEST(Transients, OverdampedDischargeHasNoCurrentAtFirstAndNeverOscillates) {
    auto p = defaults();
    p[6] = 10;
    p[7] = 995;
    p[8] = 100;
    EXPECT_EQ(dischargeRegime(1000, 10, 100), Regime::Overdamped);
    auto v = eval(1, 2, 0, 5, p);
    EXPECT_NEAR(v[1], 5.0, 1e-6);
    EXPECT_NEAR(v[4], 0.0, 1e-9);
    float previous = 5;
    for (int k = 1; k < 200; ++k) {
        v = eval(1, 2, k * 0.0005f, 5, p);
        EXPECT_LE(v[1], previous);
        EXPECT_GE(v[1], 0.0f);
        EXPECT_LE(v[4], 0.0f);
        previous = v[1];
    }
}

TEST(Transients, SustainedOscillationsKeepTheirAmplitudeAndEnergy) {
    const double C = 220e-6, u0 = 6;
    const double omega0 = 1 / std::sqrt(0.4 * C);
    double maxU = 0, maxI = 0;
    for (int k = 0; k < 4000; ++k) {
        const float t = k * 0.0001f;
        auto v = eval(1, 2, t, 6, defaults(), true);
        maxU = std::max(maxU, std::fabs(double(v[1])));
        maxI = std::max(maxI, std::fabs(double(v[4])));
        EXPECT_NEAR(v[5] + v[6], 0.5 * C * u0 * u0, 1e-7) << t;
        // The compensating device cancels the resistive losses.
        EXPECT_NEAR(v[3], -v[1] - v[2] + 15 * v[4], 1e-5);
    }
    EXPECT_NEAR(maxU, 6, 1e-3);
    EXPECT_NEAR(maxI, C * omega0 * u0, 1e-4);
}

TEST(Transients, Montage1WithoutChargeStaysAtRest) {
    for (bool sustained : {false, true}) {
        for (float t : {0.0f, 0.01f, 1.0f}) {
            auto v = eval(1, 2, t, 0, defaults(), sustained);
            for (int k = 0; k <= 6; ++k) {
                EXPECT_EQ(v[k], 0.0f) << k;
            }
        }
    }
}

TEST(Transients, Montage2EstablishesTheCurrent) {
    auto v = eval(2, 1, 0, 0);
    EXPECT_EQ(v[4], 0.0f);
    EXPECT_EQ(v[0], 6.0f); // u_b
    EXPECT_EQ(v[1], 0.0f); // u_R
    const double tau = 0.2 / 15;
    v = eval(2, 1, float(tau), 0);
    EXPECT_NEAR(v[4], 0.4 * (1 - std::exp(-1.0)), 1e-6);
    EXPECT_NEAR(v[1], 10 * v[4], 1e-6);
    EXPECT_NEAR(v[0], 6 - v[1], 1e-6);
    EXPECT_NEAR(v[6], 0.5 * 0.2 * v[4] * v[4], 1e-9);
    v = eval(2, 1, 1, 0);
    EXPECT_NEAR(v[4], 0.4, 1e-6);
    v = eval(2, 0, 1, 0);
    EXPECT_EQ(v[4], 0.0f);
    EXPECT_EQ(v[2], 0.0f);
    EXPECT_EQ(v[6], 0.0f);
}
