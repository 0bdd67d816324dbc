#pragma once
// The numbers behind the graph frame: the vertical scale chosen for the
// ticked group of quantities, its rounding and divisions, the graduation and
// time numbers and the two axis titles. The graph drawing reads them; the
// curve tracer and the cursor readout use the scale.

#include "core/Circuit.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace ohmora {

struct GraphScale {
    float valeurMax = 0;
    float echelleY = 1;
    float decade = 1;
    bool axeSymetrique = false;
    std::int16_t yZero = 225;
    int divisions = 1; // n
    int d = 10;        // rounded leading digits of the scale, after the snap
};

// Everything the frame drawing needs, fixed when the frame is drawn.
struct GraphFrame {
    GraphScale scale;
    std::string prefix; // "", "m" or "µ" for the vertical graduations
    double factor = 1;  // 1, 1000 or 1 000 000
    // Graduation numbers for k = 1..n (without the "- " of the lower half).
    std::vector<std::string> graduations;
    // Time numbers: first k (0 or 1) and the texts for k = first..10.
    int firstTimeIndex = 0;
    std::vector<std::string> timeNumbers;
    std::string timeUnit;       // "(s)" or "(ms)"
    std::string verticalSymbol; // "u  ", "i  " or "E  "
    std::string verticalUnit;   // "(V)", "(mA)", "(mJ)", ...
};

// Inputs of the scale choice: the montage, its parameter values (already
// read as numbers, in the units entered), the ticked boxes and the options.
struct ScaleInputs {
    int montage = 0;
    std::array<float, kParameterCount> params{};
    std::array<bool, kQuantityCount> ticked{};
    bool sustained = false;
    float dureeEnreg = 0.1f;
};

// valeurMax and axeSymetrique for the ticked group.
void chooseValeurMax(const ScaleInputs& in, float& valeurMax, bool& axeSymetrique);

// Rounds valeurMax to echelleY, decade and the number of divisions.
void roundScale(float valeurMax, GraphScale& scale);

// The whole frame description.
GraphFrame computeGraphFrame(const ScaleInputs& in);

} // namespace ohmora
