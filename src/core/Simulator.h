#pragma once
// The simulation state of the main window and its handlers: the one front
// the window and ohmora-cli call. Widgets forward user events here and
// redraw from the state; every handler reports which pictures must be
// redrawn. Time advances only in tick().

#include "core/Circuit.h"
#include "core/Controls.h"
#include "core/SimState.h"
#include "core/Transients.h"
#include "graph/CurveTracer.h"
#include "graph/Measures.h"
#include "graph/Readout.h"
#include "window/HelpTexts.h"

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace ohmora {

// What a handler asks the window to redraw. Each drawing is a full rebuild
// from the current state, so the order within one handler does not matter;
// a GraphFrame redraw clears the curves and hides the readout labels.
enum Redraw : unsigned {
    RedrawNone = 0,
    RedrawSchematic = 1u << 0,   // deschema
    RedrawGraphFrame = 1u << 1,  // echGraph (the table was reset with it)
    RedrawTableHeader = 1u << 2, // tetetab
    RedrawPanels = 1u << 3,      // parameter, quantity and recording panels
    RedrawDuration = 1u << 4,    // the duration label
    RedrawPlot = 1u << 5,        // a plotting step: lastPlot()
    RedrawTable = 1u << 6,       // table rows or cells
    RedrawChecks = 1u << 7,      // check boxes or options changed state
    RedrawParameters = 1u << 8,  // a parameter text was rewritten
    RedrawMeasures = 1u << 9,    // the graph's measuring tools changed
};
inline constexpr Redraw operator|(Redraw a, Redraw b) {
    return Redraw(unsigned(a) | unsigned(b));
}
inline Redraw& operator|=(Redraw& a, Redraw b) {
    return a = a | b;
}
inline constexpr Redraw kRedrawEverything = RedrawSchematic | RedrawGraphFrame | RedrawTableHeader |
                                            RedrawPanels | RedrawDuration | RedrawTable |
                                            RedrawChecks | RedrawParameters;

// What the graph's measuring tools read from the state: the frame, the
// recording its curves show (if any), the boxes and the duration.
MeasureContext measureContext(const SimState& state);

// Receives each message of the parameter validation, in order.
using MessageSink = std::function<void(const std::string& text)>;

class Simulator {
public:
    // Runs the start-up sequence: duration "100 ms", default texts, montage 0
    // chosen twice, only u_C ticked, K open.
    Simulator();

    const SimState& state() const { return s_; }
    const Controls& controls() const { return s_.controls; }

    // Applies `c` field by field in the order a configuration file holds
    // them, through the handlers a user's actions would run: the colours,
    // the duration (its change handled when it differs), the montage (its
    // change handled when it differs, which ticks or clears some boxes; the
    // values that follow override those), the texts unvalidated, each
    // quantity box whose state changes as a click on it, the trigger option,
    // and the sustained option as a click when it changes; then the erase
    // action. Indexes outside their ranges are the caller's to refuse.
    Redraw replayControls(const Controls& c);

    // Parameter value of box i as the formulas use it: the text read as a
    // number (unreadable counts as 0), held within the limits of the
    // validation so that no evaluation divides by zero.
    float parameter(int i) const;
    std::array<float, kParameterCount> parameters() const;

    // The transient inputs for the current state.
    CircuitInputs circuitInputs() const;

    // Marks of the last plotting step (empty when nothing was plotted).
    const std::vector<PlotMark>& lastPlot() const { return lastPlot_; }

    // --- handlers -------------------------------------------------------
    Redraw chooseMontage(int index);

    Redraw mouseMoveSchematic(int x, int y);
    Redraw clickSchematic();

    Redraw setQuantity(int k, bool ticked); // a change runs the click handling
    Redraw clickQuantity(int k);            // toggles box k
    Redraw setSustained(bool ticked);       // a change runs the click handling
    Redraw clickSustained();
    Redraw setTrigger(bool ticked);
    Redraw erase();
    Redraw setColour(int k, Rgb colour); // a colour confirmed in the dialog

    void setParameterText(int i, std::string text); // typing, or a configuration
    Redraw enterParameter(int i);
    Redraw leaveParameter(int i, const MessageSink& showMessage);

    Redraw setUpDown(int value);
    Redraw tick();

    // --- help line and readout -------------------------------------------
    void hover(HelpRegion region);
    void showCopyMessage();               // after a copy: the confirmation stays on the help line
    Readout mouseMoveGraph(int x, int y); // also writes the help line
    Readout readout(int x, int y) const;

    // --- measuring tools on the graph ---------------------------------------
    // "Curseurs de mesure": the two cursors shown or hidden.
    Redraw showCursors(bool shown);
    // A click on the plotting box: the nearer cursor comes to x and is
    // selected. A drag moves cursor `which` (0 or 1). The arrow keys move
    // the selected one by dx pixels. Cursors stay on the plotting box.
    Redraw placeCursor(int x);
    Redraw moveCursor(int which, int x);
    Redraw selectCursor(int which);
    Redraw nudgeCursor(int dx);
    CursorReadout cursorReadout() const;

    // "Tangente à l'origine" and "Temps caractéristique (63 % / 37 %)": the
    // part of the construction of slot k's time constant, for the transient
    // at x when x is given (else the recording's first one of the first
    // order). The right-click at (x, y) means the nearest first-order curve.
    struct MeasureOutcome {
        Redraw redraw = RedrawNone;
        std::string_view problem;                    // a French message; empty when made
        std::optional<TauConstruction> construction; // the construction as it now stands
    };
    MeasureOutcome constructTau(TauPart part, int slot, std::optional<int> x = std::nullopt);
    MeasureOutcome constructTauAt(TauPart part, int x, int y);
    // "Effacer les constructions": the cursors and every construction.
    Redraw eraseConstructions();
    // A tool of the graph's menu, right-clicked at (x, y) on the graph or
    // chosen from the keyboard (no point: the first ticked first-order
    // curve, at the recording's first transient). "Curseurs de mesure"
    // shows or hides the cursors.
    MeasureOutcome useGraphTool(GraphTool tool, std::optional<std::pair<int, int>> at = {});
    // A key of the graph.
    Redraw graphKey(GraphKey key);

private:
    Redraw quantityClicked(int k);
    Redraw echGraph();
    Redraw openSwitch(); // recording off, K to 0, ucInit 0, schematic
    void writeCurrentRow(float t);
    void recordSample();

    SimState s_;
    CurveTracer tracer_;
    std::vector<PlotMark> lastPlot_;
    // The parameter values read from the texts, kept until a text changes:
    // every tick needs them.
    mutable std::optional<std::array<float, kParameterCount>> parameterCache_;
};

} // namespace ohmora
