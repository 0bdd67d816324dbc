#include "graph/Readout.h"

#include "core/FrenchNumber.h"
#include "graph/PlotBox.h"

namespace ohmora {

Readout readout(const GraphFrame& frame, QuantityGroup group, float dureeEnreg, int x, int y) {
    Readout out;
    if (!PlotBox::contains(x, y)) {
        return out;
    }
    out.visible = true;
    const float duree = dureeEnreg;
    const bool seconds = duree >= 1.0f;
    const double timeFactor = seconds ? 1.0 : 1000.0;
    const float time =
        float((x - PlotBox::left) / double(PlotBox::width) * double(duree) * timeFactor);
    out.timeText = " " + fr::general(time) + " " + (seconds ? "s " : "ms ");

    const GraphScale& scale = frame.scale;
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
    const std::string number = fr::formatMask(float(value * factor), "### ### ### ##0.0#");
    out.valueText = " ";
    out.valueText += fr::trimBlanks(number);
    out.valueText += ' ';
    out.valueText += prefix;
    out.valueText += groupUnit(group);
    out.valueText += ' ';
    return out;
}

} // namespace ohmora
