#pragma once
// The simulation state of the main window and its handlers. Widgets forward
// user events here and redraw from the state; every handler reports which
// pictures must be redrawn. Time advances only in tick().

#include "Circuit.h"
#include "GraphScale.h"
#include "Transients.h"
#include "ValueTable.h"

#include <array>
#include <cstdint>
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
};
inline constexpr Redraw operator|(Redraw a, Redraw b) {
    return Redraw(unsigned(a) | unsigned(b));
}
inline Redraw& operator|=(Redraw& a, Redraw b) {
    return a = a | b;
}

enum class Pointer { Arrow, Hand };

// One mark of a plotting step: a line from (x0, y0) to (x1, y1), or a single
// point at (x1, y1) when `line` is false. Pen width 2.
struct PlotMark {
    int slot = 0;
    bool line = false;
    int x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    Rgb colour;
};

// Regions of the window that write the help line when the mouse moves over
// them. The schematic and the graph have handlers of their own.
enum class HelpRegion {
    Background,
    OpenButton,
    SaveButton,
    CopyButton,
    PrintButton,
    CalculatorButton,
    HelpButton,
    CloseButton,
    EraseButton,
    ExerciseButton,
    ParameterPanel,
    QuantityPanel,
    RecordingPanel,
    Swatch,
};

// The cursor readout of the graph for one pointer position.
struct Readout {
    bool visible = false;
    std::string timeText;  // label 0, below the plotting area
    std::string valueText; // label 1, left of the vertical axis
};

// Receives each message of the parameter validation, in order.
using MessageSink = std::function<void(const std::string& text)>;

inline constexpr std::string_view kValidationTitle = "Valeur incorrecte";
inline constexpr std::string_view kMessageCopie =
    "L'image est copiée : vous pouvez la retrouver depuis toute application Windows (coller)";
inline constexpr std::string_view kDefaultInfo =
    "Vous pouvez modifier les paramètres,\r\nouvrir une configuration ou un exercice";

struct SimState {
    int montage = 0; // Combo1's tag; -1 before the start-up chooses one
    std::array<std::string, kParameterCount> textv{};
    int position = 0; // switch K: 0, 1 or 2
    std::array<bool, kQuantityCount> check4{};
    std::array<Rgb, kQuantityCount> colours = kDefaultColours;
    bool checkRn = false; // sustained oscillations
    bool check3 = false;  // recording starts at position 2
    int upDown = 0;
    std::string_view durationLabel;
    float dureeEnreg = 0;

    std::array<float, kSlotCount> valeurs{};
    float ucInit = 0;
    float tBascule = 0;
    float tEnreg = 0;
    bool enregEnCours = false;

    // Hit test of K.
    int cibleK = 0;
    Pointer pointer = Pointer::Arrow;
    std::string tooltip;

    GraphFrame frame;
    std::int16_t xPrec = 0;
    std::array<std::int16_t, kQuantityCount> yPrec{};
    ValueTable table;

    std::string info{kDefaultInfo};
};

class Simulator {
public:
    // Runs the start-up sequence: duration "100 ms", default texts, montage 0
    // chosen twice, only u_C ticked, K open.
    Simulator();

    const SimState& state() const { return s_; }

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

private:
    Redraw quantityClicked(int k);
    Redraw echGraph();
    Redraw openSwitch(); // recording off, K to 0, ucInit 0, schematic
    void evaluate();
    void plotStep();
    void writeCurrentRow(float t);

    SimState s_;
    std::vector<PlotMark> lastPlot_;
    // x of the last point drawn for each slot: a point skipped for being
    // beyond the 16-bit range leaves the next segment starting there.
    std::array<std::int16_t, kQuantityCount> lastDrawnX_{};
    // The parameter values read from the texts, kept until a text changes:
    // every tick needs them.
    mutable std::optional<std::array<float, kParameterCount>> parameterCache_;
};

// The key filter of the parameter boxes: returns the character to insert
// (a full stop becomes a comma), or 0 to discard it. Backspace (8), Enter
// (13), the comma and the digits pass.
char filterParameterKey(char c);

// Value-cell text of the table for slot k holding v ("5,50 V", "12,1 mA").
std::string valueCellText(float v, int slot);
// Time text of column 0.
std::string timeCellText(float t, float dureeEnreg, bool recording);

} // namespace ohmora
