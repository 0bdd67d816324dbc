#pragma once
// The cursor readout of the graph: the time and the value under the
// pointer, as the two readout labels show them.

#include "core/Quantity.h"
#include "graph/GraphScale.h"

#include <string>

namespace ohmora {

struct Readout {
    bool visible = false;  // only over the plotting box
    std::string timeText;  // label 0, below the plotting area
    std::string valueText; // label 1, left of the vertical axis
};

// The readout at (x, y) on the graph of `frame`, showing the quantities of
// `group`, for a recording of `dureeEnreg` seconds.
Readout readout(const GraphFrame& frame, QuantityGroup group, float dureeEnreg, int x, int y);

} // namespace ohmora
