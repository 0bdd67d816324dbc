#pragma once
// Recordings the tests and benchmarks of the graph's tools make: the
// first-order transients of the three montages, and switch K clicked as a
// user clicks it.

#include "core/Simulator.h"
#include "core/SwitchZones.h"

#include <ostream>

namespace ohmora::test {

inline Redraw clickK(Simulator& sim, int target) {
    const Point p = pointOnSwitch(sim.state().controls.montage, target);
    sim.mouseMoveSchematic(p.x, p.y);
    return sim.clickSchematic();
}

inline Redraw runTicks(Simulator& sim, int n) {
    Redraw r = RedrawNone;
    for (int k = 0; k < n; ++k) {
        r |= sim.tick();
    }
    return r;
}

// Ticks until the recording ends (a 10-minute one takes 6 001 ticks).
inline Redraw runToEnd(Simulator& sim) {
    Redraw r = RedrawNone;
    for (int n = 0; n < 7000 && sim.state().run.enregEnCours; ++n) {
        r |= sim.tick();
    }
    return r;
}

// A first-order transient of the recording: the charge (montages 0 and 1),
// the discharge through R2 (montage 0) or the establishment of the current
// (montage 2), with `slot` ticked.
struct FirstOrderCase {
    const char* name;
    int montage;
    bool discharge;
    int slot;
};

// A failing row names itself.
inline void PrintTo(const FirstOrderCase& c, std::ostream* os) {
    *os << c.name;
}

inline constexpr FirstOrderCase kFirstOrderCases[] = {
    {"Montage0Charge_uC", 0, false, SlotUC},
    {"Montage0Charge_uR1", 0, false, SlotU1},
    {"Montage0Charge_i", 0, false, SlotI},
    {"Montage0Discharge_uC", 0, true, SlotUC},
    {"Montage0Discharge_uR2", 0, true, SlotU2},
    {"Montage0Discharge_i", 0, true, SlotI},
    {"Montage1Charge_uC", 1, false, SlotUC},
    {"Montage1Charge_i", 1, false, SlotI},
    {"Montage2_i", 2, false, SlotI},
    {"Montage2_uR", 2, false, SlotResistorRL},
    {"Montage2_ub", 2, false, SlotCoilRL},
};

// Records the transient of `c` to the end with the duration's control at
// `upDown`; the discharge starts from the charged capacitor.
inline Redraw recordFirstOrder(Simulator& sim, const FirstOrderCase& c, int upDown = -2) {
    Redraw r = sim.chooseMontage(c.montage);
    r |= sim.setUpDown(upDown);
    r |= sim.setQuantity(c.slot, true);
    r |= sim.setTrigger(c.discharge);
    r |= clickK(sim, 1);
    if (c.discharge) {
        r |= runTicks(sim, 20); // two seconds: charged
        r |= clickK(sim, 2);
    }
    return r | runToEnd(sim);
}

} // namespace ohmora::test
