#include "Transients.h"

#include <cmath>

namespace ohmora {

namespace {

// Capacitor charge (position 1) or hold (position 0) of montages 0 and 1,
// from the boxes U, R1, C starting at `first`.
void chargeOrHold(const CircuitInputs& in, int first, std::array<float, 9>& v) {
    const float U = in.params[first];
    const float R1 = in.params[first + 1];
    if (in.position == 1) {
        const float C = in.params[first + 2];
        const double tau = double(R1) * double(C) / 1000000.0;
        const double h = std::exp(-double(in.t) / tau);
        v[1] = float(double(in.u0) + (double(U) - double(in.u0)) * (1.0 - h));
        v[0] = U - v[1];
        v[2] = 0;
        v[4] = v[0] / R1;
    } else {
        v[1] = in.u0;
        v[0] = 0;
        v[2] = 0;
        v[4] = 0;
    }
}

void capacitorEnergy(float C, std::array<float, 9>& v) {
    v[5] = float(0.5 * (double(C) / 1000000.0) * double(v[1]) * double(v[1]));
}

void montage0(const CircuitInputs& in, std::array<float, 9>& v) {
    const float C = in.params[2];
    if (in.position == 2) {
        const float R2 = in.params[3];
        const double tau = double(R2) * double(C) / 1000000.0;
        const double h = std::exp(-double(in.t) / tau);
        v[1] = float(double(in.u0) * h);
        v[0] = 0;
        v[2] = -v[1];
        v[4] = v[2] / R2;
    } else {
        chargeOrHold(in, 0, v);
    }
    capacitorEnergy(C, v);
}

// Free discharge of C through R2 and the coil: writes u_C and i.
void freeDischarge(const CircuitInputs& in, float R2, float C, float L, float r,
                   std::array<float, 9>& v) {
    const float sum = R2 + r;
    const float scaled = sum * 1000.0f;
    const float alpha = scaled / L;
    const double omega0sq = 1000000000.0 / (double(C) * double(L));
    const double a = double(alpha);
    const double delta = a * a - 4.0 * omega0sq;
    const double t = double(in.t);
    const double u0 = double(in.u0);
    const double farads = double(C) / 1000000.0;
    if (delta >= 0) {
        const double root = std::sqrt(delta);
        const double s1 = (-a + root) / 2.0;
        const double s2 = (-a - root) / 2.0;
        if (s1 == s2) {
            // Critical damping: u_C = u0 (1 - s t) e^(s t) keeps u_C(0) = u0
            // and i(0) = 0, and decays to 0 since s < 0.
            const double e = std::exp(s1 * t);
            v[1] = float(u0 * (1.0 - s1 * t) * e);
            v[4] = float(-farads * u0 * s1 * s1 * t * e);
        } else {
            const double A = u0 * s2 / (s2 - s1);
            const double B = u0 - A;
            const double e1 = std::exp(s1 * t);
            const double e2 = std::exp(s2 * t);
            v[1] = float(A * e1 + B * e2);
            v[4] = float(farads * (A * s1 * e1 + B * s2 * e2));
        }
    } else {
        const double lambda = -a / 2.0;
        const double omega = std::sqrt(-delta) / 2.0;
        const double phi = std::atan(lambda / omega);
        const double A = u0 / std::cos(phi);
        const double e = std::exp(lambda * t);
        const double wt = omega * t + phi;
        v[1] = float(A * e * std::cos(wt));
        v[4] = float(farads * A * e * (lambda * std::cos(wt) - omega * std::sin(wt)));
    }
}

void montage1(const CircuitInputs& in, std::array<float, 9>& v) {
    const float C = in.params[6];
    const float R2 = in.params[7];
    const float L = in.params[8];
    const float r = in.params[9];
    if (in.position == 2) {
        if (in.sustained) {
            const double omega0 = 1.0 / std::sqrt(double(L) * double(C) / 1000000000.0);
            const double wt = omega0 * double(in.t);
            v[1] = float(double(in.u0) * std::cos(wt));
            v[4] = float(double(C) / 1000000.0 * omega0 * -double(in.u0) * std::sin(wt));
            v[2] = R2 * v[4];
            const float sum = R2 + r;
            v[3] = (-v[1] - v[2]) + sum * v[4];
        } else {
            freeDischarge(in, R2, C, L, r, v);
            v[2] = R2 * v[4];
            v[3] = -v[1] - v[2];
        }
        v[0] = 0;
    } else {
        chargeOrHold(in, 4, v);
        v[3] = 0;
    }
    capacitorEnergy(C, v);
    v[6] = float(0.5 * (double(L) / 1000.0) * double(v[4]) * double(v[4]));
}

void montage2(const CircuitInputs& in, std::array<float, 9>& v) {
    const float U = in.params[10];
    const float L = in.params[11];
    const float r = in.params[12];
    const float R = in.params[13];
    if (in.position == 0) {
        v[1] = 0;
        v[0] = 0;
        v[2] = 0;
        v[4] = 0;
    } else if (in.position == 1) {
        const float sum = R + r;
        const float tau = L / (sum * 1000.0f);
        const float iInf = U / sum;
        const double h = std::exp(-double(in.t) / double(tau));
        v[4] = float(double(iInf) * (1.0 - h));
        v[1] = R * v[4];
        v[0] = U - v[1];
    }
    v[6] = float(0.5 * (double(L) / 1000.0) * double(v[4]) * double(v[4]));
}

} // namespace

Regime dischargeRegime(float r2PlusR, float capacitanceMicro, float inductanceMilli) {
    const float scaled = r2PlusR * 1000.0f;
    const double a = double(scaled / inductanceMilli);
    const double delta =
        a * a - 4.0 * (1000000000.0 / (double(capacitanceMicro) * double(inductanceMilli)));
    if (delta < 0) {
        return Regime::Underdamped;
    }
    const double root = std::sqrt(delta);
    return (-a + root) / 2.0 == (-a - root) / 2.0 ? Regime::Critical : Regime::Overdamped;
}

void evaluateCircuit(const CircuitInputs& in, std::array<float, 9>& valeurs) {
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
