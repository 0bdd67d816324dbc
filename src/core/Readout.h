#pragma once
// The cursor readout of the graph: the time and the value under the
// pointer, as the two readout labels show them.

#include "SimState.h"

#include <string>

namespace ohmora {

struct Readout {
    bool visible = false;  // only over the plotting box
    std::string timeText;  // label 0, below the plotting area
    std::string valueText; // label 1, left of the vertical axis
};

Readout readout(const SimState& state, int x, int y);

} // namespace ohmora
