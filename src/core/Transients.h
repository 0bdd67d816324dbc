#pragma once
// Closed-form transient solutions of the three montages. Parameters are
// single precision; exponentials, roots and trigonometric functions are
// evaluated in double precision; every slot is stored in single precision.

#include "core/Circuit.h"

#include <array>

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

} // namespace ohmora
