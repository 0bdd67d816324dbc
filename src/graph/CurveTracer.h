#pragma once
// `TRACER`'s drawing step: at each tick of a recording, the next mark of
// every ticked curve, a segment from the point drawn last for that quantity
// or a single point where the curve starts.

#include "core/Controls.h"
#include "graph/GraphScale.h"
#include "graph/Measures.h"

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

namespace ohmora {

// The pixel of a point of a curve: x for the time `tEnreg` of a recording
// of `dureeEnreg` seconds, y for `value` on the scale; rounded to the
// nearest integer, halves to even; nothing beyond a 16-bit integer.
std::optional<std::int16_t> plotX(float tEnreg, float dureeEnreg);
std::optional<std::int16_t> plotY(const GraphScale& scale, double value);
// The same before rounding.
double exactPlotX(float tEnreg, float dureeEnreg);
double exactPlotY(const GraphScale& scale, double value);

// One mark of a plotting step: a line from (x0, y0) to (x1, y1), or a single
// point at (x1, y1) when `line` is false. Pen width 2. The same points
// before their rounding to pixels draw the curve at finer resolutions.
struct PlotMark {
    int slot = 0;
    bool line = false;
    int x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    Rgb colour;
    float exactX0 = 0, exactY0 = 0, exactX1 = 0, exactY1 = 0;
    friend bool operator==(const PlotMark&, const PlotMark&) = default;
};

// The graph's scale and the points drawn last; what the graph shows over
// its frame: every mark plotted since the frame was drawn, in order, and
// the measuring tools.
struct GraphState {
    GraphFrame frame;
    std::int16_t xPrec = 0;
    std::array<std::int16_t, kQuantityCount> yPrec{};
    std::vector<PlotMark> marks;
    bool showsRecording = false; // the last recording's curves are on this frame
    Measures measures;
};

// What a plotting step reads: the boxes and colours, the values and the
// clocks of the recording.
struct PlotInputs {
    const Controls& controls;
    const Valeurs& valeurs;
    float tEnreg = 0;
    float tBascule = 0;
    float dureeEnreg = 0;
};

class CurveTracer {
public:
    // Appends to `marks` the marks of the step at the model time `in`
    // gives and remembers the points in `graph` (xPrec, yPrec). A point
    // beyond the picture's 16-bit range is skipped; the curve then starts
    // afresh at its next drawable point, which is never joined across the
    // gap nor to a point of an earlier recording.
    void plot(const PlotInputs& in, GraphState& graph, std::vector<PlotMark>& marks);

private:
    // x of the point drawn last for each slot, and whether that point
    // belongs to the curve being drawn (no skip since, same recording).
    std::array<std::int16_t, kQuantityCount> lastX_{};
    std::array<bool, kQuantityCount> joined_{};
    std::array<float, kQuantityCount> exactX_{}, exactY_{};
};

} // namespace ohmora
