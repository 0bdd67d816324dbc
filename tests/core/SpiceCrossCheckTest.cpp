// Checks every regime of the transient solutions against ngspice, an
// independent circuit simulator, run in batch mode on a netlist written here.

#include "Transients.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

using namespace ohmora;
namespace fs = std::filesystem;

namespace {

struct SpiceRow {
    double t, uC, i;
};

// Runs ngspice on `elements` (the circuit lines) for `stop` seconds and
// returns the capacitor (or measured) voltage v(a) and the current through
// the 0 V source Vm.
std::vector<SpiceRow> runSpice(const std::string& name, const std::string& elements, double stop,
                               const char* method = "gear maxord=2", int steps = 20000) {
    std::string slug = name;
    for (char& c : slug) {
        if (!std::isalnum(static_cast<unsigned char>(c))) {
            c = '_';
        }
    }
    const fs::path dir =
        fs::temp_directory_path() / ("ohmora-spice-" + std::to_string(::getpid()) + "-" + slug);
    fs::create_directories(dir);
    const fs::path netlist = dir / "circuit.cir";
    const fs::path data = dir / "out.txt";
    {
        std::ofstream f(netlist);
        f << name << "\n"
          << elements
          << ".options reltol=1e-9 abstol=1e-15 vntol=1e-12 chgtol=1e-20 method=" << method << "\n"
          << ".tran " << stop / steps << " " << stop << " 0 " << stop / steps << " uic\n"
          << ".control\nrun\nwrdata " << data.string() << " v(a) i(Vm)\n.endc\n.end\n";
    }
    const std::string command =
        "ngspice -b " + netlist.string() + " > " + (dir / "log.txt").string() + " 2>&1";
    // ngspice's exit status is 1 even after a good batch run: judge by the
    // data it wrote.
    (void)std::system(command.c_str());
    std::vector<SpiceRow> rows;
    {
        std::ifstream in(data);
        std::string line;
        while (std::getline(in, line)) {
            std::istringstream fields(line);
            double t, v, t2, i;
            if (fields >> t >> v >> t2 >> i) {
                rows.push_back({t, v, i});
            }
        }
    }
    fs::remove_all(dir);
    return rows;
}

struct Deviation {
    double uC = 0, i = 0;
};

// Largest deviation of our solution from ngspice's, relative to the full
// swing of each quantity over the run.
Deviation compare(const std::vector<SpiceRow>& rows, CircuitInputs in, double currentSign) {
    double swingU = 0, swingI = 0, maxDu = 0, maxDi = 0;
    for (const auto& r : rows) {
        swingU = std::max(swingU, std::fabs(r.uC));
        swingI = std::max(swingI, std::fabs(r.i));
    }
    for (const auto& r : rows) {
        in.t = float(r.t);
        std::array<float, 9> v{};
        evaluateCircuit(in, v);
        // Our clock is single precision: compare at the instant it holds.
        maxDu = std::max(maxDu, std::fabs(double(v[1]) - r.uC));
        maxDi = std::max(maxDi, std::fabs(double(v[4]) - currentSign * r.i));
    }
    return {maxDu / swingU, maxDi / swingI};
}

std::array<float, 14> params() {
    return {6, 33, 220, 100, 6, 33, 220, 10, 400, 5, 6, 200, 5, 10};
}

void expectAgreement(const char* regime, const std::vector<SpiceRow>& rows, CircuitInputs in,
                     double currentSign) {
    ASSERT_GT(rows.size(), 1000u) << "ngspice produced no data for " << regime;
    const Deviation d = compare(rows, in, currentSign);
    std::printf("[ ngspice  ] %-28s largest deviation: u %.3g, i %.3g of full swing\n", regime,
                d.uC, d.i);
    EXPECT_LT(d.uC, 1e-5) << regime;
    EXPECT_LT(d.i, 1e-5) << regime;
}

} // namespace

TEST(SpiceCrossCheck, RcCharge) {
    // v(a) is u_C; the current of Vm flows from the generator into R1 and C.
    auto rows =
        runSpice("rc_charge", "V1 g 0 DC 6\nVm g b DC 0\nR1 b a 33\nC1 a 0 220u IC=1.5\n", 0.05);
    CircuitInputs in;
    in.montage = 0;
    in.position = 1;
    in.u0 = 1.5f;
    in.params = params();
    expectAgreement("RC charge", rows, in, 1);
}

TEST(SpiceCrossCheck, RcDischarge) {
    auto rows = runSpice("rc_discharge", "Vm a b DC 0\nR2 b 0 100\nC1 a 0 220u IC=6\n", 0.15);
    CircuitInputs in;
    in.montage = 0;
    in.position = 2;
    in.u0 = 6;
    in.params = params();
    // Vm's current leaves the capacitor: i = C du_C/dt is its opposite.
    expectAgreement("RC discharge", rows, in, -1);
}

namespace {

void rlcCase(const char* regime, float R2, float r, float C, float L, double stop,
             bool sustained = false) {
    std::ostringstream net;
    net << "Vm a b DC 0\n";
    if (!sustained) {
        net << "R b c " << (R2 + r) << "\n";
    } else {
        net << "Vs b c DC 0\n"; // the compensated loop: no resistance left
    }
    net << "L1 c 0 " << L << "m IC=0\nC1 a 0 " << C << "u IC=5\n";
    // The ideal LC loop needs the trapezoidal rule: Gear's method damps it.
    auto rows = sustained ? runSpice(regime, net.str(), stop, "trap", 200000)
                          : runSpice(regime, net.str(), stop);
    CircuitInputs in;
    in.montage = 1;
    in.position = 2;
    in.u0 = 5;
    in.params = params();
    in.params[6] = C;
    in.params[7] = R2;
    in.params[8] = L;
    in.params[9] = r;
    in.sustained = sustained;
    expectAgreement(regime, rows, in, -1);
}

} // namespace

TEST(SpiceCrossCheck, RlcUnderdamped) {
    EXPECT_EQ(dischargeRegime(15, 220, 400), Regime::Underdamped);
    rlcCase("RLC under-damped", 10, 5, 220, 400, 0.3);
}

TEST(SpiceCrossCheck, RlcCritical) {
    EXPECT_EQ(dischargeRegime(200, 10, 100), Regime::Critical);
    rlcCase("RLC critically damped", 195, 5, 10, 100, 0.012);
}

TEST(SpiceCrossCheck, RlcOverdamped) {
    EXPECT_EQ(dischargeRegime(1000, 10, 100), Regime::Overdamped);
    rlcCase("RLC over-damped", 990, 10, 10, 100, 0.02);
}

TEST(SpiceCrossCheck, SustainedOscillations) {
    rlcCase("sustained oscillations", 10, 5, 220, 400, 0.3, true);
}

TEST(SpiceCrossCheck, RlEstablishment) {
    // v(a) is the generator side; u_R is measured through the current.
    auto rows = runSpice("rl", "V1 a 0 DC 6\nVm a b DC 0\nR b c 15\nL1 c 0 200m IC=0\n", 0.1);
    ASSERT_GT(rows.size(), 1000u);
    CircuitInputs in;
    in.montage = 2;
    in.position = 1;
    in.params = params();
    double swing = 0, worst = 0;
    for (const auto& r : rows) {
        swing = std::max(swing, std::fabs(r.i));
    }
    for (const auto& r : rows) {
        in.t = float(r.t);
        std::array<float, 9> v{};
        evaluateCircuit(in, v);
        worst = std::max(worst, std::fabs(double(v[4]) - r.i));
    }
    std::printf("[ ngspice  ] %-28s largest deviation: i %.3g of full swing\n", "RL establishment",
                worst / swing);
    EXPECT_LT(worst / swing, 1e-5);
}
