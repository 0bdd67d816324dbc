#pragma once
// Closed-form transient solutions of the three montages. Parameters are
// single precision; exponentials, roots and trigonometric functions are
// evaluated in double precision; every slot is stored in single precision.

#include "core/Circuit.h"

#include <array>
#include <optional>

namespace ohmora {

struct CircuitInputs {
    int montage = 0;
    int position = 0; // switch K
    float t = 0;      // tBascule, s
    float u0 = 0;     // ucInit, V
    // The fourteen parameter values in the units entered (V, ohm, µF, mH),
    // already held within the limits.
    std::array<float, kParameterCount> params{};
    bool sustained = false;
};

// Regime of montage 1, position 2, without sustained oscillations: the sign
// of Δ = α² - 4 ω0², as the evaluation below chooses it.
enum class Regime { Underdamped, Critical, Overdamped };
Regime dischargeRegime(float r2PlusR, float capacitanceMicro, float inductanceMilli);

// Writes the slots of `valeurs` the montage and position write; the others
// keep what they held.
void evaluateCircuit(const CircuitInputs& in, Valeurs& valeurs);

// A first-order transient of one quantity from the switching on:
// y(t) = final + (initial - final) e^(-t/tau). The slope is the exact
// derivative at the switching, (final - initial) / tau.
struct FirstOrder {
    double tau = 0;     // s
    double initial = 0; // the value at the switching
    double final = 0;   // the asymptote
    double slope = 0;   // per second, at t = 0
};

// The first-order transient that `slot` follows for the inputs' montage,
// position, initial condition and parameters (the time is not read):
// u_C, u_R1 and i during a charge of montages 0 and 1, u_C, u_R2 and i
// during the discharge of montage 0, i, u_R and u_b while the circuit of
// montage 2 is closed. Nothing for another quantity or position, or when
// the quantity does not change (initial equal to final).
std::optional<FirstOrder> firstOrderTransient(const CircuitInputs& in, int slot);

} // namespace ohmora
