// Checks the transient solutions against ngspice, an independent circuit
// simulator, run in batch mode on a netlist written here, over the whole
// range of accepted values: every regime, the limits of each component, the
// most over-damped discharge and both sides of critical damping.

#include "core/Transients.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <limits>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

using namespace ohmora;
namespace fs = std::filesystem;

namespace {

constexpr std::array<float, 14> kDefaults = {6,  33,  220, 100, 6,   33, 220,
                                             10, 400, 5,   6,   200, 5,  10};

// The circuits, with the values in the units entered (V, Ω, µF, mH).
CircuitInputs circuit(int montage, int position, std::array<float, 14> params,
                      bool sustained = false) {
    CircuitInputs in;
    in.montage = montage;
    in.position = position;
    in.params = params;
    in.sustained = sustained;
    return in;
}

// Position 1 of montage 0 or 1: U charges C through R1.
CircuitInputs charge(int montage, float U, float R1, float C) {
    auto p = kDefaults;
    const int first = montage == 0 ? 0 : 4;
    p[first] = U, p[first + 1] = R1, p[first + 2] = C;
    return circuit(montage, 1, p);
}

// Position 2 of montage 0: C discharges through R2.
CircuitInputs discharge(float R2, float C) {
    auto p = kDefaults;
    p[2] = C, p[3] = R2;
    return circuit(0, 2, p);
}

// Position 2 of montage 1: C discharges through R2 and the coil (L, r).
CircuitInputs rlc(float R2, float r, float C, float L, bool sustained = false) {
    auto p = kDefaults;
    p[6] = C, p[7] = R2, p[8] = L, p[9] = r;
    return circuit(1, 2, p, sustained);
}

CircuitInputs sustainedLc(float R2, float r, float C, float L) {
    return rlc(R2, r, C, L, true);
}

// Montage 2 closed: U drives the current through R and the coil (L, r).
CircuitInputs rl(float U, float L, float r, float R) {
    auto p = kDefaults;
    p[10] = U, p[11] = L, p[12] = r, p[13] = R;
    return circuit(2, 1, p);
}

// How ngspice integrates the case, always with Gear's second-order method
// (the trapezoidal rule rings after a cut step): 20 000 steps over the run;
// fine, 50 000 steps for oscillations and fast starts, whose error would
// otherwise come near the tolerance; stiff, for the slow part of a
// discharge whose roots are decades apart, with a loose local error control
// that would otherwise take millions of steps over 10⁶ s.
enum class Integration { Gear, Fine, Stiff };

struct SpiceCase {
    const char* name;
    CircuitInputs circuit;
    float u0;
    double stop; // s
    Integration integration = Integration::Gear;
    // Instants before this are not compared: a run over the slow part of a
    // stiff discharge does not resolve the fast start, which a run of its own
    // over the first instants checks.
    double from = 0;
};
void PrintTo(const SpiceCase& row, std::ostream* os) {
    *os << row.name;
}

std::string number(double value) {
    std::ostringstream out;
    out.precision(17);
    out << value;
    return out.str();
}

// A resistor, or a 0 V source for a resistance of 0 (a plain wire).
std::string resistor(const std::string& name, const char* from, const char* to, float ohms) {
    if (ohms == 0) {
        return "V" + name + " " + from + " " + to + " DC 0\n";
    }
    return "R" + name + " " + from + " " + to + " " + number(double(ohms)) + "\n";
}

// The circuit of the case. v(a) is u_C (u_b for montage 2) and Vm carries
// i: in the direction of i for a charge or montage 2, the opposite way for
// a discharge, where it leaves the capacitor. Vm never meets the capacitor
// alone at a node: its current would then come from the capacitor's
// companion conductance C/h, huge for 1 F over nanoseconds, and carry its
// rounding.
std::string netlist(const SpiceCase& row, double& currentSign) {
    const CircuitInputs& in = row.circuit;
    const auto& p = in.params;
    const auto farads = [](float micro) { return number(double(micro) / 1000000.0); };
    const auto henries = [](float milli) { return number(double(milli) / 1000.0); };
    const auto capacitor = [&](float micro) {
        return "C1 a 0 " + farads(micro) + " IC=" + number(double(row.u0)) + "\n";
    };
    const auto generator = [](float U) { return "V1 g 0 DC " + number(double(U)) + "\n"; };
    currentSign = 1;
    if (in.montage == 2) {
        return generator(p[10]) + "Vm g b DC 0\n" + resistor("R", "b", "a", p[13]) +
               resistor("coil", "a", "d", p[12]) + "L1 d 0 " + henries(p[11]) + " IC=0\n";
    }
    const int first = in.montage == 0 ? 0 : 4;
    if (in.position == 1) {
        return generator(p[first]) + "Vm g b DC 0\n" + resistor("1", "b", "a", p[first + 1]) +
               capacitor(p[first + 2]);
    }
    currentSign = -1;
    if (in.montage == 0) {
        return resistor("2", "a", "b", p[3]) + "Vm b 0 DC 0\n" + capacitor(p[2]);
    }
    // The compensated loop has no resistance left.
    return resistor("s", "a", "b", in.sustained ? 0.0f : p[7] + p[9]) + "Vm b d DC 0\nL1 d 0 " +
           henries(p[8]) + " IC=0\n" + capacitor(p[6]);
}

struct SpiceRow {
    double t, va, i;
};

// Runs ngspice on the circuit lines for `stop` seconds and returns v(a)
// and the current through the 0 V source Vm, with 15 digits.
std::vector<SpiceRow> runSpice(const std::string& name, const std::string& elements, double stop,
                               Integration integration) {
    const fs::path dir =
        fs::temp_directory_path() / ("ohmora-spice-" + std::to_string(::getpid()) + "-" + name);
    fs::create_directories(dir);
    const fs::path netlistFile = dir / "circuit.cir";
    const fs::path data = dir / "out.txt";
    const char* method =
        integration == Integration::Stiff ? "gear maxord=2 trtol=1000" : "gear maxord=2";
    const int steps = integration == Integration::Fine ? 50000 : 20000;
    {
        std::ofstream f(netlistFile);
        f << name << "\n"
          << elements
          << ".options reltol=1e-9 abstol=1e-15 vntol=1e-12 chgtol=1e-20 method=" << method << "\n"
          << ".tran " << number(stop / steps) << " " << number(stop) << " 0 "
          << number(stop / steps) << " uic\n"
          << ".control\nset numdgt=15\nrun\nwrdata " << data.string()
          << " v(a) i(Vm)\n.endc\n.end\n";
    }
    const std::string command =
        "ngspice -b " + netlistFile.string() + " > " + (dir / "log.txt").string() + " 2>&1";
    // ngspice's exit status is 1 even after a good batch run: judge by the
    // data it wrote.
    (void)std::system(command.c_str());
    std::vector<SpiceRow> rows;
    {
        std::ifstream in(data);
        std::string line;
        while (std::getline(in, line)) {
            std::istringstream fields(line);
            double t = 0, v = 0, t2 = 0, i = 0;
            if (fields >> t >> v >> t2 >> i) {
                rows.push_back({t, v, i});
            }
        }
    }
    fs::remove_all(dir);
    return rows;
}

std::array<float, 9> evaluateAt(CircuitInputs in, float t) {
    in.t = t;
    std::array<float, 9> v{};
    evaluateCircuit(in, v);
    return v;
}

struct Deviation {
    double u = 0, i = 0;   // relative to the swing
    double tu = 0, ti = 0; // where they are largest, s
};

// Largest deviation of our solution from ngspice's, relative to the full
// swing of each quantity over the run. Our clock is single precision: the
// solution is evaluated at the two instants it can hold around each of
// ngspice's and interpolated, so that the comparison judges the formulas
// and not the rounding of the instant (which, over thousands of periods of
// a fast oscillation, would alone show as a phase difference).
Deviation compare(const std::vector<SpiceRow>& rows, const CircuitInputs& in, int voltageSlot,
                  double currentSign, double from) {
    double swingU = 0, swingI = 0;
    Deviation d;
    for (const auto& r : rows) {
        swingU = std::max(swingU, std::fabs(r.va));
        swingI = std::max(swingI, std::fabs(r.i));
    }
    const float infinity = std::numeric_limits<float>::infinity();
    for (const auto& r : rows) {
        if (r.t < from) {
            continue;
        }
        float below = float(r.t);
        if (double(below) > r.t) {
            below = std::nextafter(below, 0.0f);
        }
        const float above = std::nextafter(below, infinity);
        const double w = (r.t - double(below)) / (double(above) - double(below));
        const auto a = evaluateAt(in, below);
        const auto b = evaluateAt(in, above);
        const auto at = [&](int k) { return double(a[k]) + w * (double(b[k]) - double(a[k])); };
        const double du = std::fabs(at(voltageSlot) - r.va) / swingU;
        const double di = std::fabs(at(4) - currentSign * r.i) / swingI;
        if (du > d.u) {
            d.u = du, d.tu = r.t;
        }
        if (di > d.i) {
            d.i = di, d.ti = r.t;
        }
    }
    return d;
}

class SpiceCrossCheck : public testing::TestWithParam<SpiceCase> {};

TEST_P(SpiceCrossCheck, AgreesToOneHundredThousandthOfTheSwing) {
    const SpiceCase& row = GetParam();
    double currentSign = 1;
    const std::string net = netlist(row, currentSign);
    const auto rows = runSpice(row.name, net, row.stop, row.integration);
    ASSERT_GT(rows.size(), 1000u) << "ngspice produced no data for\n" << net;
    CircuitInputs in = row.circuit;
    in.u0 = row.u0;
    const Deviation d = compare(rows, in, in.montage == 2 ? 0 : 1, currentSign, row.from);
    std::printf("[ ngspice  ] %-40s largest deviation of the swing: u %.2g (t = %.3g s), "
                "i %.2g (t = %.3g s)\n",
                row.name, d.u, d.tu, d.i, d.ti);
    EXPECT_LT(d.u, 1e-5);
    EXPECT_LT(d.i, 1e-5);
    if (in.montage == 1 && in.position == 2) {
        // The coil's current is continuous at the switching.
        const auto start = evaluateAt(in, 0);
        EXPECT_EQ(start[4], 0.0f);
        EXPECT_EQ(start[1], row.u0);
    }
}

constexpr auto kFine = Integration::Fine;
constexpr auto kGear = Integration::Gear;
constexpr auto kStiff = Integration::Stiff;
const SpiceCase kCases[] = {
    // Charge through R1, montages 0 and 1: τ = R1 C from 5 ns to 10⁶ s.
    {"m0_charge_defaults", charge(0, 6, 33, 220), 1.5f, 0.05},
    {"m0_charge_taumin_U12", charge(0, 12, 5, 0.001f), 0, 5e-8},
    {"m0_charge_taumax_U0_5", charge(0, 0.5f, 1000000, 1000000), 0, 5e6},
    {"m1_charge_taumin_U12", charge(1, 12, 5, 0.001f), 0.5f, 5e-8},
    {"m1_charge_taumax_U0_5", charge(1, 0.5f, 1000000, 1000000), 0, 5e6},
    // Discharge through R2, montage 0.
    {"m0_discharge_defaults", discharge(100, 220), 6, 0.15},
    {"m0_discharge_taumin", discharge(5, 0.001f), 12, 5e-8},
    {"m0_discharge_taumax", discharge(1000000, 1000000), 0.5f, 5e6},
    // Free discharge through R2 and the coil, montage 1: rlc(R2, r, C, L).
    // Oscillations over a few pseudo-periods.
    {"m1_underdamped_defaults", rlc(10, 5, 220, 400), 5, 0.3, kFine},
    {"m1_underdamped_rmax", rlc(0, 100, 10, 100), 12, 0.02, kFine},
    {"m1_underdamped_R2min_Lmin_Cmin", rlc(0, 5, 0.001f, 0.1f), 12, 4e-6, kFine},
    {"m1_underdamped_R2min_Lmax_Cmin", rlc(0, 5, 0.001f, 1000), 12, 4e-4, kFine},
    {"m1_critical", rlc(195, 5, 10, 100), 5, 0.012},
    {"m1_critical_slowest", rlc(0, 5, 160000, 1000), 5, 8},
    {"m1_near_critical_overdamped", rlc(195, 5.0001f, 10, 100), 5, 0.012},
    {"m1_near_critical_underdamped", rlc(195, 4.9999f, 10, 100), 5, 0.012},
    {"m1_near_critical_fastest_overdamped", rlc(627.46f, 5, 0.001f, 0.1f), 5, 5e-6},
    {"m1_near_critical_fastest_underdamped", rlc(627.45f, 5, 0.001f, 0.1f), 5, 5e-6},
    {"m1_overdamped", rlc(990, 10, 10, 100), 5, 0.02, kFine},
    {"m1_overdamped_R2min_Lmax_Cmax", rlc(0, 5, 1000000, 1000), 12, 30, kFine},
    // Stiff discharges, roots decades apart: a run over the fast start,
    // another over the slow decay.
    {"m1_overdamped_R2min_Lmin_Cmax_start", rlc(0, 5, 1000000, 0.1f), 12, 2e-4},
    {"m1_overdamped_R2min_Lmin_Cmax", rlc(0, 5, 1000000, 0.1f), 12, 30, kGear, 1e-3},
    {"m1_overdamped_R2max_rmax_Lmax_Cmin_start", rlc(1000000, 100, 0.001f, 1000), 12, 2e-5},
    {"m1_overdamped_R2max_rmax_Lmax_Cmin", rlc(1000000, 100, 0.001f, 1000), 12, 5e-3, kGear, 2e-5},
    // The most over-damped discharge: the current settles on u_C / (R2 + r)
    // within a nanosecond, u_C decays over 10⁶ s.
    {"m1_overdamped_R2max_Lmin_Cmax_first_ns", rlc(1000000, 5, 1000000, 0.1f), 12, 1e-9},
    {"m1_overdamped_R2max_Lmin_Cmax", rlc(1000000, 5, 1000000, 0.1f), 12, 3e6, kStiff, 1e-6},
    // Sustained oscillations, the ideal LC loop, over two periods.
    {"m1_sustained_defaults", sustainedLc(10, 5, 220, 400), 5, 0.12, kFine},
    {"m1_sustained_Lmin_Cmin", sustainedLc(10, 5, 0.001f, 0.1f), 12, 4e-6, kFine},
    {"m1_sustained_Lmax_Cmax", sustainedLc(10, 5, 1000000, 1000), 0.5f, 12.6, kFine},
    // Montage 2, rl(U, L, r, R): τ = L / (R + r) from 0,1 ns to 0,2 s.
    {"m2_rl_defaults", rl(6, 200, 5, 10), 0, 0.1},
    {"m2_rl_taumin_U12", rl(12, 0.1f, 100, 1000000), 0, 1e-9},
    {"m2_rl_taumax_U0_5", rl(0.5f, 1000, 0, 5), 0, 2},
};
std::string caseName(const testing::TestParamInfo<SpiceCase>& info) {
    return info.param.name;
}

INSTANTIATE_TEST_SUITE_P(Transients, SpiceCrossCheck, testing::ValuesIn(kCases), caseName);

} // namespace
