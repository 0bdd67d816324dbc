#include "graph/CurveTracer.h"

#include "graph/PlotBox.h"

#include <cmath>
#include <limits>
#include <optional>

namespace ohmora {

namespace {

// Rounds to the nearest integer, halves to even, as the plotting does;
// nothing when the result does not fit a 16-bit integer.
std::optional<std::int16_t> toInt16(double v) {
    if (!std::isfinite(v)) {
        return std::nullopt;
    }
    const double r = std::nearbyint(v);
    if (r < std::numeric_limits<std::int16_t>::min() ||
        r > std::numeric_limits<std::int16_t>::max()) {
        return std::nullopt;
    }
    return std::int16_t(r);
}

} // namespace

double exactPlotX(float tEnreg, float dureeEnreg) {
    return double(tEnreg) / double(dureeEnreg) * PlotBox::width + double(PlotBox::left);
}

double exactPlotY(const GraphScale& scale, double value) {
    const double H = scale.axeSymetrique ? PlotBox::height / 2 : PlotBox::height;
    return double(scale.yZero) - value / double(scale.echelleY) * H;
}

std::optional<std::int16_t> plotX(float tEnreg, float dureeEnreg) {
    return toInt16(exactPlotX(tEnreg, dureeEnreg));
}

std::optional<std::int16_t> plotY(const GraphScale& scale, double value) {
    return toInt16(exactPlotY(scale, value));
}

void CurveTracer::plot(const PlotInputs& in, GraphState& graph, std::vector<PlotMark>& marks) {
    const Controls& controls = in.controls;
    const GraphScale& scale = graph.frame.scale;
    if (in.tEnreg == 0) {
        joined_.fill(false); // a new recording
    }
    const auto x = plotX(in.tEnreg, in.dureeEnreg);
    if (!x) {
        return;
    }
    const auto yOf = [&](int k) { return plotY(scale, double(in.valeurs[size_t(k)])); };
    for (Slot k : kAllSlots) {
        const auto slot = size_t(k);
        if (!controls.check4[slot]) {
            continue;
        }
        const auto y = yOf(k);
        if (!y) {
            joined_[slot] = false; // beyond any picture: nothing drawn from or to it
            continue;
        }
        PlotMark mark;
        mark.slot = k;
        mark.colour = controls.colours[slot];
        mark.x1 = *x;
        mark.y1 = *y;
        mark.exactX1 = float(exactPlotX(in.tEnreg, in.dureeEnreg));
        mark.exactY1 = float(exactPlotY(scale, double(in.valeurs[slot])));
        if (in.tBascule != 0 && joined_[slot]) {
            mark.line = true;
            mark.x0 = lastX_[slot];
            mark.y0 = graph.yPrec[slot];
            mark.exactX0 = exactX_[slot];
            mark.exactY0 = exactY_[slot];
        }
        marks.push_back(mark);
        lastX_[slot] = *x;
        graph.yPrec[slot] = *y;
        exactX_[slot] = mark.exactX1;
        exactY_[slot] = mark.exactY1;
        joined_[slot] = true;
    }
    graph.xPrec = *x;
    // The previous points of the displayed group are remembered whether or
    // not their boxes are ticked.
    const QuantityGroup shown = shownGroup(controls.check4);
    for (Slot k : kAllSlots) {
        if (quantityGroup(k) != shown) {
            continue;
        }
        if (const auto y = yOf(k)) {
            graph.yPrec[size_t(k)] = *y;
            lastX_[size_t(k)] = *x;
            exactX_[size_t(k)] = float(exactPlotX(in.tEnreg, in.dureeEnreg));
            exactY_[size_t(k)] = float(exactPlotY(scale, double(in.valeurs[size_t(k)])));
        }
    }
}

} // namespace ohmora
