#include "core/Transients.h"

#include "core/Quantity.h"

#include <cmath>

namespace ohmora {

namespace {

// Capacitor charge (position 1) or hold (position 0) of montages 0 and 1,
// from the boxes U, R1, C starting at `first`.
void chargeOrHold(const CircuitInputs& in, int first, Valeurs& v) {
    const float U = in.params[first];
    const float R1 = in.params[first + 1];
    if (in.position == 1) {
        const float C = in.params[first + 2];
        const double tau = double(R1) * double(C) / 1000000.0;
        const double h = std::exp(-double(in.t) / tau);
        v[SlotUC] = float(double(in.u0) + (double(U) - double(in.u0)) * (1.0 - h));
        v[SlotU1] = U - v[SlotUC];
        v[SlotU2] = 0;
        v[SlotI] = v[SlotU1] / R1;
    } else {
        v[SlotUC] = in.u0;
        v[SlotU1] = 0;
        v[SlotU2] = 0;
        v[SlotI] = 0;
    }
}

void capacitorEnergy(float C, Valeurs& v) {
    v[SlotEC] = float(0.5 * (double(C) / 1000000.0) * double(v[SlotUC]) * double(v[SlotUC]));
}

void montage0(const CircuitInputs& in, Valeurs& v) {
    const float C = in.params[2];
    if (in.position == 2) {
        const float R2 = in.params[3];
        const double tau = double(R2) * double(C) / 1000000.0;
        const double h = std::exp(-double(in.t) / tau);
        v[SlotUC] = float(double(in.u0) * h);
        v[SlotU1] = 0;
        v[SlotU2] = -v[SlotUC];
        v[SlotI] = v[SlotU2] / R2;
    } else {
        chargeOrHold(in, 0, v);
    }
    capacitorEnergy(C, v);
}

// The free discharge u_C'' + α u_C' + ω0² u_C = 0 from u_C = u0 and i = 0.
struct Discharge {
    double alpha = 0;    // s⁻¹
    double omega0sq = 0; // s⁻²
    double delta = 0;    // α² - 4 ω0²
    Regime regime = Regime::Underdamped;
};

Discharge discharge(float r2PlusR, float capacitanceMicro, float inductanceMilli) {
    Discharge d;
    const float scaled = r2PlusR * 1000.0f;
    d.alpha = double(scaled / inductanceMilli);
    d.omega0sq = 1000000000.0 / (double(capacitanceMicro) * double(inductanceMilli));
    d.delta = d.alpha * d.alpha - 4.0 * d.omega0sq;
    // α² is exact in double and Δ is the only difference taken. Each branch
    // below stays accurate as Δ tends to 0, where all three meet: when a
    // rounding of Δ picks the branch, the result moves only as much as that
    // rounding moves the circuit.
    if (d.delta > 0) {
        d.regime = Regime::Overdamped;
    } else if (d.delta == 0) {
        d.regime = Regime::Critical;
    } else {
        d.regime = Regime::Underdamped;
    }
    return d;
}

struct Solution {
    double uC;
    double i;
};

// Critical and over-damped regimes, roots s1 >= s2 (both negative), written
// with g(t) = (1 - e^((s2 - s1) t)) / (s1 - s2), which tends to t as the
// roots meet:
//   u_C = u0 e^(s1 t) (1 - s1 g),   i = -C u0 ω0² e^(s1 t) g.
// This is A e^(s1 t) + B e^(s2 t) with A = u0 s2 / (s2 - s1) and B = u0 - A,
// without their differences. s1 = (-α + √Δ) / 2 cancels when α² >> ω0²
// (every digit is lost for R2 = 1 MΩ, L = 0,1 mH, C = 1 F), so it comes from
// the product of the roots, s1 = ω0² / s2. B = u0 - A and the current
// C (A s1 e^(s1 t) + B s2 e^(s2 t)) cancel too; written with g, i(0) is
// exactly 0.
Solution aperiodic(const Discharge& d, double u0, double farads, double t) {
    const double root = std::sqrt(d.delta);
    const double s2 = (-d.alpha - root) / 2.0;
    const double s1 = d.omega0sq / s2;
    const double g = root > 0 ? -std::expm1(-root * t) / root : t;
    const double e1 = std::exp(s1 * t);
    return {u0 * e1 * (1.0 - s1 * g), -farads * u0 * d.omega0sq * e1 * g};
}

// Under-damped regime, λ = -α/2 and ω = √(-Δ)/2:
//   u_C = u0 e^(λt) (cos ωt - λ sin(ωt) / ω),   i = -C u0 ω0² e^(λt) sin(ωt) / ω.
// This is u0 e^(λt) cos(ωt + φ) / cos φ with tan φ = λ / ω, without the
// phase: near critical damping φ tends to -π/2 and cos φ loses its digits,
// and i(0) is exactly 0.
Solution oscillating(const Discharge& d, double u0, double farads, double t) {
    const double lambda = -d.alpha / 2.0;
    const double omega = std::sqrt(-d.delta) / 2.0;
    const double e = std::exp(lambda * t);
    const double wt = omega * t;
    const double sinc = std::sin(wt) / omega;
    return {u0 * e * (std::cos(wt) - lambda * sinc), -farads * u0 * d.omega0sq * e * sinc};
}

// Free discharge of C through R2 and the coil: writes u_C and i.
void freeDischarge(const CircuitInputs& in, float R2, float C, float L, float r, Valeurs& v) {
    const Discharge d = discharge(R2 + r, C, L);
    const double u0 = double(in.u0);
    const double farads = double(C) / 1000000.0;
    const double t = double(in.t);
    const Solution s = d.regime == Regime::Underdamped ? oscillating(d, u0, farads, t)
                                                       : aperiodic(d, u0, farads, t);
    v[SlotUC] = float(s.uC);
    v[SlotI] = float(s.i);
}

void montage1(const CircuitInputs& in, Valeurs& v) {
    const float C = in.params[6];
    const float R2 = in.params[7];
    const float L = in.params[8];
    const float r = in.params[9];
    if (in.position == 2) {
        if (in.sustained) {
            const double omega0 = 1.0 / std::sqrt(double(L) * double(C) / 1000000000.0);
            const double wt = omega0 * double(in.t);
            v[SlotUC] = float(double(in.u0) * std::cos(wt));
            v[SlotI] = float(double(C) / 1000000.0 * omega0 * -double(in.u0) * std::sin(wt));
            v[SlotU2] = R2 * v[SlotI];
            const float sum = R2 + r;
            v[SlotUb] = (-v[SlotUC] - v[SlotU2]) + sum * v[SlotI];
        } else {
            freeDischarge(in, R2, C, L, r, v);
            v[SlotU2] = R2 * v[SlotI];
            v[SlotUb] = -v[SlotUC] - v[SlotU2];
        }
        v[SlotU1] = 0;
        v[SlotEb] = float(0.5 * (double(L) / 1000.0) * double(v[SlotI]) * double(v[SlotI]));
    } else {
        // The coil is out of the circuit while K is at 0 or 1: whatever
        // current charges the capacitor, none flows through the coil.
        chargeOrHold(in, 4, v);
        v[SlotUb] = 0;
        v[SlotEb] = 0;
    }
    capacitorEnergy(C, v);
}

void montage2(const CircuitInputs& in, Valeurs& v) {
    const float U = in.params[10];
    const float L = in.params[11];
    const float r = in.params[12];
    const float R = in.params[13];
    if (in.position == 0) {
        v[SlotResistorRL] = 0;
        v[SlotCoilRL] = 0;
        v[SlotU2] = 0;
        v[SlotI] = 0;
    } else if (in.position == 1) {
        const float sum = R + r;
        const float tau = L / (sum * 1000.0f);
        const float iInf = U / sum;
        const double h = std::exp(-double(in.t) / double(tau));
        v[SlotI] = float(double(iInf) * (1.0 - h));
        v[SlotResistorRL] = R * v[SlotI];
        v[SlotCoilRL] = U - v[SlotResistorRL];
    }
    v[SlotEb] = float(0.5 * (double(L) / 1000.0) * double(v[SlotI]) * double(v[SlotI]));
}

// The transient from `initial` to `final` with the time constant tau.
std::optional<FirstOrder> transient(double tau, double initial, double final) {
    if (initial == final || !(tau > 0)) {
        return std::nullopt;
    }
    return FirstOrder{tau, initial, final, (final - initial) / tau};
}

// The charge of C through R1 from u0 (montages 0 and 1, position 1).
std::optional<FirstOrder> charge(const CircuitInputs& in, int first, int slot) {
    const double U = in.params[first];
    const double R1 = in.params[first + 1];
    const double tau = R1 * double(in.params[first + 2]) / 1000000.0;
    const double u0 = in.u0;
    switch (slot) {
    case SlotUC:
        return transient(tau, u0, U);
    case SlotU1:
        return transient(tau, U - u0, 0);
    case SlotI:
        return transient(tau, (U - u0) / R1, 0);
    default:
        return std::nullopt;
    }
}

// The discharge of C through R2 from u0 (montage 0, position 2).
std::optional<FirstOrder> dischargeThroughR2(const CircuitInputs& in, int slot) {
    const double R2 = in.params[3];
    const double tau = R2 * double(in.params[2]) / 1000000.0;
    const double u0 = in.u0;
    switch (slot) {
    case SlotUC:
        return transient(tau, u0, 0);
    case SlotU2:
        return transient(tau, -u0, 0);
    case SlotI:
        return transient(tau, -u0 / R2, 0);
    default:
        return std::nullopt;
    }
}

// The establishment of the current in montage 2 (position 1), with the
// single-precision tau and final current the evaluation uses.
std::optional<FirstOrder> establishment(const CircuitInputs& in, int slot) {
    const float U = in.params[10];
    const float L = in.params[11];
    const float sum = in.params[13] + in.params[12];
    const float tau = L / (sum * 1000.0f);
    const double iInf = U / sum;
    const double R = in.params[13];
    switch (slot) {
    case SlotI:
        return transient(tau, 0, iInf);
    case SlotResistorRL:
        return transient(tau, 0, R * iInf);
    case SlotCoilRL:
        return transient(tau, U, U - R * iInf);
    default:
        return std::nullopt;
    }
}

} // namespace

std::optional<FirstOrder> firstOrderTransient(const CircuitInputs& in, int slot) {
    switch (in.montage) {
    case 0:
        if (in.position == 1) {
            return charge(in, 0, slot);
        }
        return in.position == 2 ? dischargeThroughR2(in, slot) : std::nullopt;
    case 1:
        return in.position == 1 ? charge(in, 4, slot) : std::nullopt;
    case 2:
        return in.position == 1 ? establishment(in, slot) : std::nullopt;
    default:
        return std::nullopt;
    }
}

Regime dischargeRegime(float r2PlusR, float capacitanceMicro, float inductanceMilli) {
    return discharge(r2PlusR, capacitanceMicro, inductanceMilli).regime;
}

void evaluateCircuit(const CircuitInputs& in, Valeurs& valeurs) {
    switch (in.montage) {
    case 0:
        montage0(in, valeurs);
        break;
    case 1:
        montage1(in, valeurs);
        break;
    case 2:
        montage2(in, valeurs);
        break;
    default:
        break;
    }
}

} // namespace ohmora
