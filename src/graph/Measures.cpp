#include "graph/Measures.h"

#include "core/FrenchNumber.h"
#include "graph/CellTexts.h"
#include "graph/CurveTracer.h"

#include <cmath>
#include <cstdlib>
#include <limits>

namespace ohmora {

namespace {

// 1 - 1/e: the share of its change a first-order transient has made after
// one time constant.
constexpr double kOneTau = 0.6321205588285577;

// The time axis' unit: seconds from one-second recordings on, else
// milliseconds.
struct TimeUnit {
    double factor;
    const char* text;
};
TimeUnit timeUnit(float dureeEnreg) {
    return dureeEnreg >= 1.0f ? TimeUnit{1, " s"} : TimeUnit{1000, " ms"};
}

// The duration of n pixels of the time axis, in the axis' unit.
std::string pixelsText(float dureeEnreg, int n) {
    const TimeUnit unit = timeUnit(dureeEnreg);
    const auto t = float(n / double(PlotBox::width) * double(dureeEnreg) * unit.factor);
    return fr::general(t) + unit.text;
}

float timeAt(float dureeEnreg, int x) {
    return float((x - PlotBox::left) / double(PlotBox::width) * double(dureeEnreg));
}

int pixel(std::optional<std::int16_t> p, int fallback) {
    return p ? int(*p) : fallback;
}

// A y beyond the 16-bit range of the picture stays on its side of it.
int yOfValue(const GraphScale& scale, double value) {
    const double farAbove = std::numeric_limits<std::int16_t>::min();
    const double farBelow = std::numeric_limits<std::int16_t>::max();
    return pixel(plotY(scale, value), value > 0 ? int(farAbove) : int(farBelow));
}

bool drawsRecording(const MeasureContext& c) {
    return c.recording != nullptr && !c.recording->empty() &&
           c.recording->montage() == c.controls.montage;
}

bool ticked(const MeasureContext& c, int slot) {
    return slot >= 0 && slot < kQuantityCount && c.controls.check4[size_t(slot)];
}

} // namespace

std::string cursorTimeText(float dureeEnreg, int x) {
    return pixelsText(dureeEnreg, x - PlotBox::left);
}

CursorReadout cursorReadout(const MeasureContext& context, const Cursors& cursors) {
    CursorReadout out;
    out.t1 = cursorTimeText(context.dureeEnreg, cursors.x[0]);
    out.t2 = cursorTimeText(context.dureeEnreg, cursors.x[1]);
    out.dt = pixelsText(context.dureeEnreg, cursors.x[1] - cursors.x[0]);
    const bool recorded = drawsRecording(context);
    for (Slot k : kAllSlots) {
        if (!ticked(context, k) || !slotUsed(context.controls.montage, k)) {
            continue;
        }
        CursorQuantity q;
        q.slot = k;
        q.identifier = std::string(quantityIdentifier(context.controls.montage, k));
        q.colour = context.controls.colours[size_t(k)];
        std::optional<float> v1, v2;
        if (recorded) {
            v1 = context.recording->valueAt(k, timeAt(context.dureeEnreg, cursors.x[0]));
            v2 = context.recording->valueAt(k, timeAt(context.dureeEnreg, cursors.x[1]));
        }
        q.v1 = v1 ? valueCellText(*v1, k) : std::string(kNoValue);
        q.v2 = v2 ? valueCellText(*v2, k) : std::string(kNoValue);
        q.delta = v1 && v2 ? valueCellText(*v2 - *v1, k) : std::string(kNoValue);
        out.quantities.push_back(std::move(q));
    }
    return out;
}

std::string cursorReadoutLines(const CursorReadout& readout) {
    std::string out = "t1\t" + readout.t1 + "\nt2\t" + readout.t2 + "\ndt\t" + readout.dt + '\n';
    for (const CursorQuantity& q : readout.quantities) {
        out += q.identifier + '\t' + q.v1 + '\t' + q.v2 + '\t' + q.delta + '\n';
    }
    return out;
}

namespace {

// The first transient of the recording that slot k follows to the first
// order, or the one at x when x is given.
std::optional<int> chooseTransient(const MeasureContext& c, int slot, std::optional<int> x) {
    const Recording& r = *c.recording;
    if (x) {
        const int i = r.transientAt(timeAt(c.dureeEnreg, *x));
        if (i >= 0 && firstOrderTransient(r.transientInputs(i), slot)) {
            return i;
        }
        return std::nullopt;
    }
    for (int i = 0; i < r.transientCount(); ++i) {
        if (firstOrderTransient(r.transientInputs(i), slot)) {
            return i;
        }
    }
    return std::nullopt;
}

TauConstruction construction(const MeasureContext& c, int slot, int transient) {
    const Recording& r = *c.recording;
    const FirstOrder f = *firstOrderTransient(r.transientInputs(transient), slot);
    const RecordedSample& start = r.transientStart(transient);
    const GraphScale& scale = c.frame.scale;
    TauConstruction t;
    t.slot = slot;
    t.colour = c.controls.colours[size_t(slot)];
    // The tangent starts from the transient's first plotted point and meets
    // the asymptote after (final - initial) / slope, the model's slope.
    t.originX = pixel(plotX(start.tEnreg, c.dureeEnreg), PlotBox::left);
    t.originY = yOfValue(scale, double(start.valeurs[size_t(slot)]));
    t.finalY = yOfValue(scale, f.final);
    t.levelY = yOfValue(scale, f.initial + kOneTau * (f.final - f.initial));
    const double crossing = double(start.tEnreg) + (f.final - f.initial) / f.slope;
    const double crossX = crossing / double(c.dureeEnreg) * PlotBox::width + double(PlotBox::left);
    t.readable = std::nearbyint(crossX) <= PlotBox::right;
    t.crossX = t.readable ? int(std::nearbyint(crossX)) : PlotBox::right + 1;
    t.rising = std::abs(f.final) > std::abs(f.initial);
    const int pixels = t.crossX - t.originX;
    if (t.readable) {
        const std::string resolution = pixelsText(c.dureeEnreg, 1);
        t.tauText = "τ ≈ " + pixelsText(c.dureeEnreg, pixels) + " (± " + resolution + ")";
    } else {
        t.tauText = "τ > " + pixelsText(c.dureeEnreg, PlotBox::right - t.originX);
    }
    return t;
}

} // namespace

TauOutcome constructTau(const MeasureContext& context, int slot, std::optional<int> x) {
    if (!drawsRecording(context)) {
        return {std::nullopt, kNoRecordingOnGraph};
    }
    if (!ticked(context, slot)) {
        return {std::nullopt, kCurveNotDrawn};
    }
    const auto transient = chooseTransient(context, slot, x);
    if (!transient) {
        return {std::nullopt, kNotFirstOrder};
    }
    return {construction(context, slot, *transient), {}};
}

std::optional<int> nearestFirstOrderCurve(const MeasureContext& context, int x, int y) {
    if (!drawsRecording(context)) {
        return std::nullopt;
    }
    const Recording& r = *context.recording;
    const float t = timeAt(context.dureeEnreg, x);
    const int transient = r.transientAt(t);
    if (transient < 0) {
        return std::nullopt;
    }
    std::optional<int> nearest;
    int distance = std::numeric_limits<int>::max();
    for (Slot k : kAllSlots) {
        const auto v = r.valueAt(k, t);
        if (!ticked(context, k) || !v || !firstOrderTransient(r.transientInputs(transient), k)) {
            continue;
        }
        const int d = std::abs(yOfValue(context.frame.scale, double(*v)) - y);
        if (d < distance) {
            distance = d;
            nearest = k;
        }
    }
    return nearest;
}

size_t addTauPart(Measures& measures, TauConstruction construction, TauPart part) {
    for (size_t i = 0; i < measures.taus.size(); ++i) {
        TauConstruction& t = measures.taus[i];
        if (t.slot == construction.slot && t.originX == construction.originX &&
            t.originY == construction.originY) {
            (part == TauPart::Tangent ? t.tangent : t.level) = true;
            return i;
        }
    }
    (part == TauPart::Tangent ? construction.tangent : construction.level) = true;
    measures.taus.push_back(std::move(construction));
    return measures.taus.size() - 1;
}

} // namespace ohmora
