#include "Readout.h"

#include "FrenchNumber.h"
#include "Geometry.h"

namespace ohmora {

Readout readout(const SimState& state, int x, int y) {
    Readout out;
    if (!PlotBox::contains(x, y)) {
        return out;
    }
    out.visible = true;
    const float duree = state.run.dureeEnreg;
    const bool seconds = duree >= 1.0f;
    const double timeFactor = seconds ? 1.0 : 1000.0;
    const float time =
        float((x - PlotBox::left) / double(PlotBox::width) * double(duree) * timeFactor);
    out.timeText = " " + fr::general(time) + " " + (seconds ? "s " : "ms ");

    const GraphScale& scale = state.graph.frame.scale;
    std::string_view prefix;
    double factor = 1;
    if (scale.echelleY >= 0.001f && scale.echelleY < 0.5f) {
        prefix = "m";
        factor = 1000;
    } else if (scale.echelleY < 0.001f) {
        prefix = "µ";
        factor = 1000000;
    }
    const double value =
        scale.axeSymetrique
            ? double(scale.echelleY) * (PlotBox::middle - y) / (PlotBox::height / 2.0)
            : (PlotBox::bottom - y) / double(PlotBox::height) * double(scale.echelleY);
    const auto& ticked = state.controls.check4;
    const std::string_view unit =
        ticked[kCurrentSlot] ? "A " : ((ticked[5] || ticked[6]) ? "J " : "V ");
    const std::string number = fr::formatMask(float(value * factor), "### ### ### ##0.0#");
    out.valueText = " ";
    out.valueText += fr::trimBlanks(number);
    out.valueText += ' ';
    out.valueText += prefix;
    out.valueText += unit;
    return out;
}

} // namespace ohmora
