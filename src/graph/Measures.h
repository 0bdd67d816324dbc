#pragma once
// The measuring tools of the graph, as a pupil determines a time constant
// and measures durations and values on a recorded curve: two vertical
// cursors with their readouts, and the constructions of a first-order
// transient (the tangent at its origin, its asymptote, the 63 % or 37 %
// level and their crossing, which gives τ). The constructions are fixed
// when they are made, in the graph's pixels: they stay until they are
// erased or the graph is erased or rescaled. The cursors' readouts follow
// the recording.

#include "core/Controls.h"
#include "core/Recording.h"
#include "graph/GraphScale.h"
#include "graph/PlotBox.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ohmora {

struct Cursors {
    bool shown = false;
    // x of cursors 1 and 2 in the graph's pixels, on the plotting box.
    std::array<int, 2> x{PlotBox::left + 100, PlotBox::left + 300};
    int selected = 0; // the one the arrow keys move
    friend bool operator==(const Cursors&, const Cursors&) = default;
};

// The construction of the time constant of one curve's transient, in the
// graph's pixels.
struct TauConstruction {
    int slot = 0;
    Rgb colour;
    bool tangent = false;         // the tangent at the origin, drawn to the asymptote
    bool level = false;           // the 63 % or 37 % level, drawn to the curve
    int originX = 0, originY = 0; // the transient's first plotted point
    int finalY = 0;               // the asymptote
    int levelY = 0;
    // Where the tangent meets the asymptote and the curve the level, at the
    // origin's time plus τ.
    int crossX = 0;
    bool rising = true;   // away from zero: the 63 % level, else the 37 % one
    bool readable = true; // the crossing lies on the plotting box
    std::string tauText;  // "τ ≈ 7,25 ms (± 0,25 ms)", in the curve's colour
    friend bool operator==(const TauConstruction&, const TauConstruction&) = default;
};

struct Measures {
    Cursors cursors;
    std::vector<TauConstruction> taus;
    bool empty() const { return !cursors.shown && taus.empty(); }
    friend bool operator==(const Measures&, const Measures&) = default;
};

enum class TauPart { Tangent, Level };

// The tools of the graph's right-click menu, in its order, with their
// captions.
enum class GraphTool { Cursors, Tangent, Level, EraseConstructions };
struct GraphToolEntry {
    GraphTool tool;
    std::string_view caption;
};
inline constexpr std::array<GraphToolEntry, 4> kGraphTools = {{
    {GraphTool::Cursors, "Curseurs de mesure"},
    {GraphTool::Tangent, "Tangente à l'origine"},
    {GraphTool::Level, "Temps caractéristique (63 % / 37 %)"},
    {GraphTool::EraseConstructions, "Effacer les constructions"},
}};

// The keys of the graph when it has the focus: the arrows move the selected
// cursor by a pixel (with Shift, by a division of the grid, 40 pixels),
// Home and End to the ends of the time axis, and the other cursor is
// selected in turn.
enum class GraphKey { Left, Right, DivisionLeft, DivisionRight, Home, End, OtherCursor };

// What the tools read: the graph's frame, the recording its curves show
// (null when they show none), the boxes and colours, the duration.
struct MeasureContext {
    const GraphFrame& frame;
    const Recording* recording;
    const Controls& controls;
    float dureeEnreg;
};

// The time at x as the readout writes it, without its blanks: "50 ms".
std::string cursorTimeText(float dureeEnreg, int x);

// The cursors' readouts: the two times and their difference, then for each
// ticked quantity its values at both times and their difference, written as
// the value table writes them ("3,78 V", "12,1 mA"); kNoValue where the
// recording does not reach.
inline constexpr std::string_view kNoValue = "—";
struct CursorQuantity {
    int slot = 0;
    std::string identifier; // "u_C"
    Rgb colour;             // its curve's
    std::string v1, v2, delta;
};
struct CursorReadout {
    std::string t1, t2, dt;
    std::vector<CursorQuantity> quantities;
};
CursorReadout cursorReadout(const MeasureContext& context, const Cursors& cursors);

// The readouts as ohmora-cli prints them: one "name<TAB>text" line for t1,
// t2 and dt, then one line per quantity, its identifier and its values at
// t1 and t2 and their difference, separated by TABs.
std::string cursorReadoutLines(const CursorReadout& readout);

// Why a construction cannot be made.
inline constexpr std::string_view kNoRecordingOnGraph = "Aucun enregistrement sur le graphe";
inline constexpr std::string_view kCurveNotDrawn = "Cette grandeur n'est pas tracée sur le graphe";
inline constexpr std::string_view kNotFirstOrder =
    "Cette courbe n'est pas un régime transitoire du premier ordre de l'enregistrement";

struct TauOutcome {
    std::optional<TauConstruction> construction;
    std::string_view problem; // empty when made
};

// The construction of the time constant of slot k's curve, for the
// transient that runs at x when x is given, else for the first transient
// of the recording that is of the first order for that quantity. The slope
// of the tangent comes from the model; the drawing from the graph's scale;
// τ is read from the drawing, to one pixel of the time axis.
TauOutcome constructTau(const MeasureContext& context, int slot, std::optional<int> x);

// The ticked first-order curve nearest to (x, y) on the graph, the one a
// right-click there means; nothing when there is none.
std::optional<int> nearestFirstOrderCurve(const MeasureContext& context, int x, int y);

// Adds `part` of `construction` to the measures: to the construction of the
// same curve and transient when there is one. Returns the construction's
// index.
size_t addTauPart(Measures& measures, TauConstruction construction, TauPart part);

} // namespace ohmora
