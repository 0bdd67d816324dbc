#include "core/Simulator.h"

#include "core/SwitchZones.h"
#include "core/TimeBase.h"
#include "graph/CellTexts.h"
#include "window/Validation.h"

#include <algorithm>
#include <cstdlib>

namespace ohmora {

// --- start-up ---------------------------------------------------------------

Simulator::Simulator() {
    s_.controls.montage = -1;
    s_.controls.check4[SlotUC] = true; // u_C is ticked when the window is created
    setUpDown(kUpDownDefault);
    s_.controls.montage = 0;
    for (int i = 0; i < kParameterCount; ++i) {
        s_.controls.textv[size_t(i)] = std::string(kDefaultParameters[size_t(i)]);
    }
    parameterCache_.reset();
    s_.run.tBascule = 0;
    chooseMontage(0);
    chooseMontage(0);
}

Redraw Simulator::replayControls(const Controls& c) {
    Redraw r = RedrawChecks | RedrawSchematic;
    s_.controls.colours = c.colours;
    if (c.upDown != s_.controls.upDown) {
        r |= setUpDown(c.upDown);
    }
    if (c.montage != s_.controls.montage) {
        r |= chooseMontage(c.montage);
    }
    for (int i = 0; i < kParameterCount; ++i) {
        setParameterText(i, c.textv[size_t(i)]);
    }
    r |= RedrawParameters;
    for (int k = 0; k < kQuantityCount; ++k) {
        r |= setQuantity(k, c.check4[size_t(k)]);
    }
    r |= setTrigger(c.check3);
    r |= setSustained(c.checkRn);
    return r | erase();
}

// --- parameters -------------------------------------------------------------

float Simulator::parameter(int i) const {
    return parameters()[size_t(i)];
}

std::array<float, kParameterCount> Simulator::parameters() const {
    if (!parameterCache_) {
        parameterCache_ = parameterValues(s_.controls.textv);
    }
    return *parameterCache_;
}

CircuitInputs Simulator::circuitInputs() const {
    CircuitInputs in;
    in.montage = s_.controls.montage;
    in.position = s_.run.position;
    in.t = s_.run.tBascule;
    in.u0 = s_.run.ucInit;
    in.params = parameters();
    in.sustained = s_.controls.checkRn && s_.controls.montage == 1;
    return in;
}

void Simulator::setParameterText(int i, std::string text) {
    if (i >= 0 && i < kParameterCount) {
        s_.controls.textv[size_t(i)] = std::move(text);
        parameterCache_.reset();
    }
}

Redraw Simulator::enterParameter(int) {
    return openSwitch();
}

Redraw Simulator::leaveParameter(int i, const MessageSink& showMessage) {
    s_.run.tBascule = 0;
    Redraw r = openSwitch();
    if (i < 0 || i >= kParameterCount) {
        return r;
    }
    Validation v = validateParameter(i, s_.controls.textv);
    for (std::string_view message : v.messages) {
        if (showMessage) {
            showMessage(std::string(message));
        }
    }
    setParameterText(i, std::move(v.text));
    r |= RedrawParameters;
    if (isVoltageBox(i)) {
        r |= echGraph();
    }
    return r;
}

// --- run control ------------------------------------------------------------

Redraw Simulator::openSwitch() {
    s_.run.enregEnCours = false;
    s_.run.position = 0;
    s_.run.ucInit = 0;
    return RedrawSchematic;
}

Redraw Simulator::echGraph() {
    ScaleInputs in;
    in.montage = s_.controls.montage;
    in.params = parameters();
    in.ticked = s_.controls.check4;
    in.sustained = s_.controls.checkRn;
    in.dureeEnreg = s_.run.dureeEnreg;
    s_.graph.frame = computeGraphFrame(in);
    // A new frame clears the curves, and the constructions drawn on them.
    s_.graph.marks.clear();
    s_.graph.showsRecording = false;
    s_.graph.measures.taus.clear();
    s_.table.reset(tableColumnCount(s_.controls.montage));
    // The header pictures go with every reset of the table, so that a new
    // generator voltage does not leave the header empty.
    return RedrawGraphFrame | RedrawTableHeader | RedrawTable;
}

Redraw Simulator::chooseMontage(int index) {
    if (index < 0 || index >= kMontageCount) {
        return RedrawNone;
    }
    s_.run.enregEnCours = false;
    s_.run.ucInit = 0;
    s_.run.tBascule = 0;
    s_.controls.montage = index;
    Redraw r = RedrawPanels | RedrawChecks;
    s_.controls.check3 = index == 1;
    switch (index) {
    case 0:
        r |= setQuantity(SlotUb, false);
        r |= setQuantity(SlotEb, false);
        break;
    case 2:
        r |= setQuantity(SlotU2, false);
        r |= setQuantity(SlotUb, false);
        r |= setQuantity(SlotEC, false);
        break;
    default:
        break;
    }
    s_.run.position = 0;
    return r | RedrawSchematic | echGraph();
}

Redraw Simulator::setQuantity(int k, bool ticked) {
    if (k < 0 || k >= kQuantityCount || s_.controls.check4[size_t(k)] == ticked) {
        return RedrawNone;
    }
    s_.controls.check4[size_t(k)] = ticked;
    return quantityClicked(k) | RedrawChecks;
}

Redraw Simulator::clickQuantity(int k) {
    if (k < 0 || k >= kQuantityCount) {
        return RedrawNone;
    }
    return setQuantity(k, !s_.controls.check4[size_t(k)]);
}

// The groups never share the graph: ticking a quantity clears the boxes of
// the other groups.
Redraw Simulator::quantityClicked(int k) {
    Redraw r = erase();
    if (s_.controls.check4[size_t(k)]) {
        for (Slot j : kAllSlots) {
            if (quantityGroup(j) != quantityGroup(k)) {
                r |= setQuantity(j, false);
            }
        }
    }
    return r | RedrawSchematic | echGraph();
}

Redraw Simulator::setSustained(bool ticked) {
    if (s_.controls.checkRn == ticked) {
        return RedrawNone;
    }
    s_.controls.checkRn = ticked;
    s_.run.position = 0;
    s_.run.ucInit = 0;
    return RedrawSchematic | RedrawChecks;
}

Redraw Simulator::clickSustained() {
    return setSustained(!s_.controls.checkRn);
}

Redraw Simulator::setTrigger(bool ticked) {
    if (s_.controls.check3 == ticked) {
        return RedrawNone;
    }
    s_.controls.check3 = ticked;
    return RedrawChecks;
}

Redraw Simulator::erase() {
    s_.run.enregEnCours = false;
    s_.run.position = 0;
    s_.run.ucInit = 0;
    return RedrawSchematic | echGraph();
}

Redraw Simulator::setColour(int k, Rgb colour) {
    if (k < 0 || k >= kQuantityCount) {
        return RedrawNone;
    }
    s_.controls.colours[size_t(k)] = colour;
    s_.run.position = 0;
    s_.run.enregEnCours = false;
    return RedrawSchematic | RedrawChecks;
}

Redraw Simulator::setUpDown(int value) {
    s_.run.tEnreg = 0;
    Redraw r = openSwitch() | echGraph();
    if (const Duration* d = durationForUpDown(value)) {
        s_.controls.upDown = value;
        s_.run.durationLabel = d->label;
        s_.run.dureeEnreg = d->seconds;
        r |= RedrawDuration;
    }
    return r | echGraph();
}

// --- switch K ---------------------------------------------------------------

Redraw Simulator::mouseMoveSchematic(int x, int y) {
    SwitchPointer& h = s_.hover;
    h.pointer = Pointer::Arrow;
    h.tooltip.clear();
    const int montage = s_.controls.montage;
    if (montage == 0 || montage == 1) {
        if (kTwoWaySwitch.contains(x, y)) {
            h.pointer = Pointer::Hand;
            h.cibleK = twoWayTarget(x);
            h.tooltip = twoWaySwitchTooltip(h.cibleK);
        }
    } else if (montage == 2) {
        if (kOneWaySwitch.contains(x, y)) {
            h.pointer = Pointer::Hand;
            h.tooltip = oneWaySwitchTooltip(s_.run.position);
        }
    }
    s_.info = h.pointer == Pointer::Hand ? kInfoOverSwitch : kInfoOverSchematic;
    return RedrawNone;
}

Redraw Simulator::clickSchematic() {
    if (s_.hover.pointer == Pointer::Arrow) {
        return RedrawNone;
    }
    RunState& run = s_.run;
    if (s_.controls.montage == 2) {
        run.position += 1;
        run.tBascule = 0;
        if (run.position > 1) {
            run.position = 0;
            run.enregEnCours = false;
        }
    } else {
        if (s_.hover.cibleK == run.position) {
            return RedrawNone;
        }
        if (s_.controls.montage == 1 && run.position == 2) {
            run.position = 0;
            run.enregEnCours = false;
        } else {
            run.tBascule = 0;
            run.position = s_.hover.cibleK;
        }
    }
    if (run.position > 2 || run.position < 0) {
        run.position = 0;
    }
    run.ucInit = run.valeurs[SlotUC];
    run.tBascule = 0;
    if (!run.enregEnCours) {
        run.tEnreg = 0;
    }
    if (run.position == 1 && !s_.controls.check3) {
        run.enregEnCours = true;
    }
    if (run.position == 2 && s_.controls.check3) {
        run.enregEnCours = true;
    }
    return RedrawSchematic;
}

// --- tick -------------------------------------------------------------------

void Simulator::writeCurrentRow(float t) {
    ValueTable& table = s_.table;
    const int row = table.currentRow();
    const int montage = s_.controls.montage;
    table.setCell(row, 0, timeCellText(t, s_.run.dureeEnreg, s_.run.enregEnCours));
    for (int c = 1; c < table.columnCount(); ++c) {
        const int slot = tableColumnSlot(montage, c);
        if (slot >= 0) {
            table.setCell(row, c, valueCellText(s_.run.valeurs[size_t(slot)], slot));
        }
    }
}

// The sample of a plotting step, and its marks kept with the graph.
void Simulator::recordSample() {
    const RunState& run = s_.run;
    if (run.tEnreg == 0) {
        s_.recording.start(s_.controls.montage, run.dureeEnreg);
    }
    s_.recording.add(run.tEnreg, circuitInputs(), run.valeurs);
    s_.graph.marks.insert(s_.graph.marks.end(), lastPlot_.begin(), lastPlot_.end());
    s_.graph.showsRecording = true;
}

Redraw Simulator::tick() {
    lastPlot_.clear();
    RunState& run = s_.run;
    Redraw r = RedrawTable;
    evaluateCircuit(circuitInputs(), run.valeurs);
    if (run.enregEnCours && run.tEnreg > run.dureeEnreg) {
        run.enregEnCours = false;
        s_.recording.finish();
        s_.table.appendRow();
    }
    if (run.enregEnCours) {
        tracer_.plot(PlotInputs{s_.controls, run.valeurs, run.tEnreg, run.tBascule, run.dureeEnreg},
                     s_.graph, lastPlot_);
        recordSample();
        r |= RedrawPlot;
    }
    if (run.tEnreg == 0) {
        s_.table.reset(tableColumnCount(s_.controls.montage));
    }
    const bool recording = run.enregEnCours;
    const float t = recording ? run.tEnreg : run.tBascule;
    if (recording) {
        const float step = run.dureeEnreg / kTableRowsPerRecording;
        const int n = s_.table.currentRow();
        if (double(t) >= (n - 1) * double(step) + double(run.dureeEnreg) / kRowTolerance) {
            s_.table.appendRow();
        }
    }
    writeCurrentRow(t);
    if (recording) {
        const float dt = recordingStep(run.dureeEnreg);
        run.tBascule += dt;
        run.tEnreg += dt;
    } else {
        run.tBascule += kTickSeconds;
    }
    if (t == 0 && recording) {
        s_.table.appendRow();
    }
    return r;
}

// --- help line and readout ----------------------------------------------------

void Simulator::hover(HelpRegion region) {
    // The copy message stays until another region writes the help line.
    if (region == HelpRegion::CopyButton && s_.info == kMessageCopie) {
        return;
    }
    s_.info = helpText(region);
}

void Simulator::showCopyMessage() {
    s_.info = kMessageCopie;
}

Readout Simulator::mouseMoveGraph(int x, int y) {
    s_.info = kInfoOverGraph;
    return readout(x, y);
}

Readout Simulator::readout(int x, int y) const {
    return ohmora::readout(s_.graph.frame, shownGroup(s_.controls.check4), s_.run.dureeEnreg, x, y);
}

// --- measuring tools ----------------------------------------------------------

MeasureContext measureContext(const SimState& s) {
    return {s.graph.frame, s.graph.showsRecording ? &s.recording : nullptr, s.controls,
            s.run.dureeEnreg};
}

namespace {

int onPlotBox(int x) {
    return std::clamp(x, int(PlotBox::left), int(PlotBox::right));
}

} // namespace

Redraw Simulator::showCursors(bool shown) {
    Cursors& c = s_.graph.measures.cursors;
    if (c.shown == shown) {
        return RedrawNone;
    }
    c.shown = shown;
    return RedrawMeasures;
}

Redraw Simulator::placeCursor(int x) {
    const Cursors& c = s_.graph.measures.cursors;
    const int nearer = std::abs(x - c.x[1]) < std::abs(x - c.x[0]) ? 1 : 0;
    return selectCursor(nearer) | moveCursor(nearer, x);
}

Redraw Simulator::moveCursor(int which, int x) {
    Cursors& c = s_.graph.measures.cursors;
    if (which < 0 || which > 1) {
        return RedrawNone;
    }
    const Redraw r = showCursors(true);
    if (c.x[size_t(which)] == onPlotBox(x)) {
        return r;
    }
    c.x[size_t(which)] = onPlotBox(x);
    return r | RedrawMeasures;
}

Redraw Simulator::selectCursor(int which) {
    Cursors& c = s_.graph.measures.cursors;
    if (which < 0 || which > 1 || c.selected == which) {
        return RedrawNone;
    }
    c.selected = which;
    return c.shown ? RedrawMeasures : RedrawNone;
}

Redraw Simulator::nudgeCursor(int dx) {
    const Cursors& c = s_.graph.measures.cursors;
    return moveCursor(c.selected, c.x[size_t(c.selected)] + dx);
}

CursorReadout Simulator::cursorReadout() const {
    return ohmora::cursorReadout(measureContext(s_), s_.graph.measures.cursors);
}

Simulator::MeasureOutcome Simulator::constructTau(TauPart part, int slot, std::optional<int> x) {
    TauOutcome made = ohmora::constructTau(measureContext(s_), slot, x);
    if (!made.construction) {
        return {RedrawNone, made.problem, std::nullopt};
    }
    const size_t i = addTauPart(s_.graph.measures, std::move(*made.construction), part);
    return {RedrawMeasures, {}, s_.graph.measures.taus[i]};
}

Simulator::MeasureOutcome Simulator::constructTauAt(TauPart part, int x, int y) {
    const auto slot = nearestFirstOrderCurve(measureContext(s_), x, y);
    if (!slot) {
        // The reason the nearest ticked curve gives, or the graph's.
        for (Slot k : kAllSlots) {
            if (s_.controls.check4[size_t(k)]) {
                return constructTau(part, k, x);
            }
        }
        return {RedrawNone, s_.graph.showsRecording ? kCurveNotDrawn : kNoRecordingOnGraph,
                std::nullopt};
    }
    return constructTau(part, *slot, x);
}

Redraw Simulator::eraseConstructions() {
    Measures& m = s_.graph.measures;
    if (m.empty()) {
        return RedrawNone;
    }
    m.taus.clear();
    m.cursors.shown = false;
    return RedrawMeasures;
}

Simulator::MeasureOutcome Simulator::useGraphTool(GraphTool tool,
                                                  std::optional<std::pair<int, int>> at) {
    switch (tool) {
    case GraphTool::Cursors:
        return {showCursors(!s_.graph.measures.cursors.shown), {}, std::nullopt};
    case GraphTool::EraseConstructions:
        return {eraseConstructions(), {}, std::nullopt};
    default:
        break;
    }
    const TauPart part = tool == GraphTool::Tangent ? TauPart::Tangent : TauPart::Level;
    if (at) {
        return constructTauAt(part, at->first, at->second);
    }
    MeasureOutcome outcome{
        RedrawNone, s_.graph.showsRecording ? kCurveNotDrawn : kNoRecordingOnGraph, std::nullopt};
    for (Slot k : kAllSlots) {
        if (!s_.controls.check4[size_t(k)]) {
            continue;
        }
        outcome = constructTau(part, k);
        if (outcome.problem.empty()) {
            break;
        }
    }
    return outcome;
}

Redraw Simulator::graphKey(GraphKey key) {
    constexpr int kDivision = 40;
    const Cursors& c = s_.graph.measures.cursors;
    switch (key) {
    case GraphKey::Left:
        return nudgeCursor(-1);
    case GraphKey::Right:
        return nudgeCursor(1);
    case GraphKey::DivisionLeft:
        return nudgeCursor(-kDivision);
    case GraphKey::DivisionRight:
        return nudgeCursor(kDivision);
    case GraphKey::Home:
        return moveCursor(c.selected, PlotBox::left);
    case GraphKey::End:
        return moveCursor(c.selected, PlotBox::right);
    case GraphKey::OtherCursor:
        return showCursors(true) | selectCursor(1 - c.selected);
    }
    return RedrawNone;
}

} // namespace ohmora
