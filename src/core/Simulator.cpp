#include "Simulator.h"

#include "FrenchNumber.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>

namespace ohmora {

namespace {

// Limits of each parameter box, in the units entered.
struct Limits {
    float min;
    float max;
    int partner; // the other resistance of the branch, or -1
};

constexpr Limits kLimits[kParameterCount] = {
    {0.5f, 12, -1},   {5, 1000000, -1}, {0.001f, 1000000, -1}, {5, 1000000, -1},
    {0.5f, 12, -1},   {5, 1000000, -1}, {0.001f, 1000000, -1}, {5, 1000000, 9},
    {0.1f, 1000, -1}, {5, 100, 7},      {0.5f, 12, -1},        {0.1f, 1000, -1},
    {5, 100, 13},     {5, 1000000, 12},
};

// Sums of single-precision resistances that miss 5 ohms by less than this
// are rounding, not a short branch.
constexpr double kBranchTolerance = 1e-5;

constexpr std::string_view kMsgUMin = "U ne doit pas être inférieure à 0,5 V avec le simulateur.";
constexpr std::string_view kMsgUMax = "U ne doit pas dépasser 12 V avec le simulateur.";
constexpr std::string_view kMsgRMin = "La résistance de ce conducteur ohmique ne doit pas être "
                                      "inférieure à 5 ohms avec le simulateur.";
constexpr std::string_view kMsgRMax = "La résistance de ce conducteur ohmique ne doit pas "
                                      "dépasser 1 000 000 ohms avec le simulateur.";
constexpr std::string_view kMsgCMin = "La capacité de ce condensateur ne doit pas être inférieure "
                                      "à 1 nF (0,001 µF) avec le simulateur.";
constexpr std::string_view kMsgCMax = "La capacité de ce condensateur ne doit pas dépasser 1 F "
                                      "(1 000 000 µF) avec le simulateur.";
constexpr std::string_view kMsgLMin =
    "L'inductance de la bobine ne doit pas être inférieure à 0,1 mH avec le simulateur.";
constexpr std::string_view kMsgLMax =
    "L'inductance de la bobine ne doit pas dépasser 1 H (1 000 mH) avec le simulateur.";
constexpr std::string_view kMsgBranchMin =
    "La résistance de cette branche ne doit pas être inférieure à 5 ohms avec le simulateur.";
constexpr std::string_view kMsgCoilMax =
    "La résistance de cette bobine ne doit pas dépasser 100 ohms avec le simulateur.";

std::string_view minMessage(int i) {
    switch (i) {
    case 0:
    case 4:
    case 10:
        return kMsgUMin;
    case 1:
    case 3:
    case 5:
        return kMsgRMin;
    case 2:
    case 6:
        return kMsgCMin;
    case 8:
    case 11:
        return kMsgLMin;
    default:
        return kMsgBranchMin;
    }
}

std::string_view maxMessage(int i) {
    switch (i) {
    case 0:
    case 4:
    case 10:
        return kMsgUMax;
    case 2:
    case 6:
        return kMsgCMax;
    case 8:
    case 11:
        return kMsgLMax;
    case 9:
    case 12:
        return kMsgCoilMax;
    default:
        return kMsgRMax;
    }
}

float readOrZero(const std::string& text) {
    return fr::readNumber(text).value_or(0.0f);
}

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

char filterParameterKey(char c) {
    if (c == '.') {
        return ',';
    }
    if (c == 8 || c == 13 || c == ',' || (c >= '0' && c <= '9')) {
        return c;
    }
    return 0;
}

std::string valueCellText(float v, int slot) {
    std::string_view prefix;
    if (v != 0 && std::fabs(v) < 0.5f) {
        v = float(double(v) * 1000.0);
        prefix = "m";
        if (std::fabs(v) < 0.5f) {
            v = float(double(v) * 1000.0);
            prefix = "µ";
        }
    }
    std::string_view mask = v >= 100 ? "### ##0" : (v >= 10 ? "### ##0.0" : "### ##0.00");
    std::string text = fr::formatMask(v, mask);
    text += ' ';
    text += prefix;
    text += slotUnit(slot);
    return text;
}

std::string timeCellText(float t, float dureeEnreg, bool recording) {
    if (t >= 1) {
        std::string_view mask = (dureeEnreg >= 30 || !recording) ? "#0.0" : "#0.00#";
        return fr::formatMask(t, mask) + " s";
    }
    const float ms = float(double(t) * 1000.0);
    std::string_view mask = dureeEnreg < 0.05f ? "# ##0.0##" : "# ##0";
    return fr::formatMask(ms, mask) + " ms";
}

// --- start-up ---------------------------------------------------------------

Simulator::Simulator() {
    s_.montage = -1;
    s_.check4[1] = true; // u_C is ticked when the window is created
    setUpDown(kUpDownDefault);
    s_.montage = 0;
    for (int i = 0; i < kParameterCount; ++i) {
        s_.textv[i] = std::string(kDefaultParameters[i]);
    }
    parameterCache_.reset();
    s_.tBascule = 0;
    chooseMontage(0);
    chooseMontage(0);
}

// --- parameters -------------------------------------------------------------

float Simulator::parameter(int i) const {
    return parameters()[i];
}

std::array<float, kParameterCount> Simulator::parameters() const {
    if (parameterCache_) {
        return *parameterCache_;
    }
    std::array<float, kParameterCount> p{};
    for (int i = 0; i < kParameterCount; ++i) {
        const Limits& lim = kLimits[i];
        const float v = readOrZero(s_.textv[i]);
        // A text brought by a configuration file may lie outside the limits
        // the entry enforces: use it at the nearest limit. The branch
        // resistances have no minimum of their own, only on their sum.
        const float min = lim.partner >= 0 ? 0.0f : lim.min;
        p[i] = std::clamp(v, min, lim.max);
    }
    for (int i : {7, 13}) {
        const int partner = kLimits[i].partner;
        if (p[i] + p[partner] < 5.0f) {
            p[i] = 5.0f - p[partner];
        }
    }
    parameterCache_ = p;
    return p;
}

CircuitInputs Simulator::circuitInputs() const {
    CircuitInputs in;
    in.montage = s_.montage;
    in.position = s_.position;
    in.t = s_.tBascule;
    in.u0 = s_.ucInit;
    in.params = parameters();
    in.sustained = s_.checkRn && s_.montage == 1;
    return in;
}

void Simulator::setParameterText(int i, std::string text) {
    if (i >= 0 && i < kParameterCount) {
        s_.textv[i] = std::move(text);
        parameterCache_.reset();
    }
}

Redraw Simulator::enterParameter(int) {
    return openSwitch();
}

Redraw Simulator::leaveParameter(int i, const MessageSink& showMessage) {
    s_.tBascule = 0;
    Redraw r = openSwitch();
    if (i < 0 || i >= kParameterCount) {
        return r;
    }
    const auto show = [&](std::string_view text) {
        if (showMessage) {
            showMessage(std::string(text));
        }
    };
    float v = 0;
    if (auto read = fr::readNumber(s_.textv[i])) {
        v = fr::roundTwoSignificant(*read);
    } else {
        s_.textv[i] = "0";
    }
    parameterCache_.reset();
    const Limits& lim = kLimits[i];
    if (lim.partner >= 0) {
        const float partner = readOrZero(s_.textv[lim.partner]);
        // A branch completed by an earlier correction (0,3000002 + 4,7) reads
        // back as 0,3 + 4,7, a hair below 5 in single precision: that is the
        // same branch, not a new fault to report.
        if (double(v) + double(partner) < 5.0 - kBranchTolerance) {
            show(minMessage(i));
            // A negative resistance would make no sense: a partner above 5
            // already satisfies the branch with 0 here.
            v = std::max(5.0f - partner, 0.0f);
        }
    } else if (double(v) < double(lim.min)) {
        show(minMessage(i));
        v = lim.min;
    }
    if (double(v) > double(lim.max)) {
        show(maxMessage(i));
        v = lim.max;
    }
    if (v < 1000) {
        s_.textv[i] = fr::general(v);
    } else {
        s_.textv[i] = std::string(fr::trimBlanks(fr::formatMask(v, "### ### ### ### ### ##0")));
    }
    parameterCache_.reset();
    r |= RedrawParameters;
    if (i == 0 || i == 4 || i == 10) {
        r |= echGraph();
    }
    return r;
}

// --- run control ------------------------------------------------------------

Redraw Simulator::openSwitch() {
    s_.enregEnCours = false;
    s_.position = 0;
    s_.ucInit = 0;
    return RedrawSchematic;
}

Redraw Simulator::echGraph() {
    ScaleInputs in;
    in.montage = s_.montage;
    in.params = parameters();
    in.ticked = s_.check4;
    in.sustained = s_.checkRn;
    in.dureeEnreg = s_.dureeEnreg;
    s_.frame = computeGraphFrame(in);
    s_.table.reset(tableColumnCount(s_.montage));
    // The header pictures go with every reset of the table, so that a new
    // generator voltage does not leave the header empty.
    return RedrawGraphFrame | RedrawTableHeader | RedrawTable;
}

Redraw Simulator::chooseMontage(int index) {
    if (index < 0 || index >= kMontageCount) {
        return RedrawNone;
    }
    s_.enregEnCours = false;
    s_.ucInit = 0;
    s_.tBascule = 0;
    s_.montage = index;
    Redraw r = RedrawPanels | RedrawChecks;
    s_.check3 = index == 1;
    switch (index) {
    case 0:
        r |= setQuantity(3, false);
        r |= setQuantity(6, false);
        break;
    case 2:
        r |= setQuantity(2, false);
        r |= setQuantity(3, false);
        r |= setQuantity(5, false);
        break;
    default:
        break;
    }
    s_.position = 0;
    return r | RedrawSchematic | echGraph();
}

Redraw Simulator::setQuantity(int k, bool ticked) {
    if (k < 0 || k >= kQuantityCount || s_.check4[k] == ticked) {
        return RedrawNone;
    }
    s_.check4[k] = ticked;
    return quantityClicked(k) | RedrawChecks;
}

Redraw Simulator::clickQuantity(int k) {
    if (k < 0 || k >= kQuantityCount) {
        return RedrawNone;
    }
    return setQuantity(k, !s_.check4[k]);
}

Redraw Simulator::quantityClicked(int k) {
    Redraw r = erase();
    const bool ticked = s_.check4[k];
    if (ticked) {
        if (k == 4) {
            for (int j : {0, 1, 2, 3, 5, 6}) {
                r |= setQuantity(j, false);
            }
        } else {
            r |= setQuantity(4, false);
        }
        if (k == 5 || k == 6) {
            for (int j = 0; j <= 4; ++j) {
                r |= setQuantity(j, false);
            }
        }
        if (k < 4) {
            r |= setQuantity(5, false);
            r |= setQuantity(6, false);
        }
    }
    return r | RedrawSchematic | echGraph();
}

Redraw Simulator::setSustained(bool ticked) {
    if (s_.checkRn == ticked) {
        return RedrawNone;
    }
    s_.checkRn = ticked;
    s_.position = 0;
    s_.ucInit = 0;
    return RedrawSchematic | RedrawChecks;
}

Redraw Simulator::clickSustained() {
    return setSustained(!s_.checkRn);
}

Redraw Simulator::setTrigger(bool ticked) {
    if (s_.check3 == ticked) {
        return RedrawNone;
    }
    s_.check3 = ticked;
    return RedrawChecks;
}

Redraw Simulator::erase() {
    s_.enregEnCours = false;
    s_.position = 0;
    s_.ucInit = 0;
    return RedrawSchematic | echGraph();
}

Redraw Simulator::setColour(int k, Rgb colour) {
    if (k < 0 || k >= kQuantityCount) {
        return RedrawNone;
    }
    s_.colours[k] = colour;
    s_.position = 0;
    s_.enregEnCours = false;
    return RedrawSchematic | RedrawChecks;
}

Redraw Simulator::setUpDown(int value) {
    s_.tEnreg = 0;
    Redraw r = openSwitch() | echGraph();
    if (const Duration* d = durationForUpDown(value)) {
        s_.upDown = value;
        s_.durationLabel = d->label;
        s_.dureeEnreg = d->seconds;
        r |= RedrawDuration;
    }
    return r | echGraph();
}

// --- switch K ---------------------------------------------------------------

Redraw Simulator::mouseMoveSchematic(int x, int y) {
    s_.pointer = Pointer::Arrow;
    s_.tooltip.clear();
    if (s_.montage == 0 || s_.montage == 1) {
        if (x > 100 && x < 140 && y < 40) {
            s_.pointer = Pointer::Hand;
            if (x < 115) {
                s_.cibleK = 1;
                s_.tooltip = "Basculer K en position 1";
            } else if (x > 125) {
                s_.cibleK = 2;
                s_.tooltip = "Basculer K en position 2";
            } else {
                s_.cibleK = 0;
                s_.tooltip = "Basculer K en position 0";
            }
        }
    } else if (s_.montage == 2) {
        if (x > 105 && x < 135 && y > 2 && y < 32) {
            s_.pointer = Pointer::Hand;
            if (s_.position == 0) {
                s_.tooltip = "Fermer l'interrupteur";
            } else if (s_.position == 1) {
                s_.tooltip = "Ouvrir l'interrupteur";
            }
        }
    }
    s_.info = s_.pointer == Pointer::Hand ? "Utiliser la souris pour basculer l'interrupteur"
                                          : "Choisir un montage dans la liste de l'onglet Montage";
    return RedrawNone;
}

Redraw Simulator::clickSchematic() {
    if (s_.pointer == Pointer::Arrow) {
        return RedrawNone;
    }
    if (s_.montage == 2) {
        s_.position += 1;
        s_.tBascule = 0;
        if (s_.position > 1) {
            s_.position = 0;
            s_.enregEnCours = false;
        }
    } else {
        if (s_.cibleK == s_.position) {
            return RedrawNone;
        }
        if (s_.montage == 1 && s_.position == 2) {
            s_.position = 0;
            s_.enregEnCours = false;
        } else {
            s_.tBascule = 0;
            s_.position = s_.cibleK;
        }
    }
    if (s_.position > 2 || s_.position < 0) {
        s_.position = 0;
    }
    s_.ucInit = s_.valeurs[1];
    s_.tBascule = 0;
    if (!s_.enregEnCours) {
        s_.tEnreg = 0;
    }
    if (s_.position == 1 && !s_.check3) {
        s_.enregEnCours = true;
    }
    if (s_.position == 2 && s_.check3) {
        s_.enregEnCours = true;
    }
    return RedrawSchematic;
}

// --- tick -------------------------------------------------------------------

void Simulator::evaluate() {
    evaluateCircuit(circuitInputs(), s_.valeurs);
}

void Simulator::plotStep() {
    const GraphScale& scale = s_.frame.scale;
    const double H = scale.axeSymetrique ? 100 : 200;
    const auto x = toInt16(double(s_.tEnreg) / double(s_.dureeEnreg) * 400.0 + 60.0);
    if (!x) {
        return;
    }
    const auto yOf = [&](int k) {
        return toInt16(double(scale.yZero) - double(s_.valeurs[k]) / double(scale.echelleY) * H);
    };
    for (int k = 0; k < kQuantityCount; ++k) {
        if (!s_.check4[k]) {
            continue;
        }
        const auto y = yOf(k);
        if (!y) {
            continue; // beyond any picture: nothing drawn from or to it
        }
        PlotMark mark;
        mark.slot = k;
        mark.colour = s_.colours[k];
        mark.x1 = *x;
        mark.y1 = *y;
        if (s_.tBascule != 0) {
            mark.line = true;
            mark.x0 = lastDrawnX_[k];
            mark.y0 = s_.yPrec[k];
        }
        lastPlot_.push_back(mark);
        lastDrawnX_[k] = *x;
        s_.yPrec[k] = *y;
    }
    s_.xPrec = *x;
    // The previous points of the displayed group are remembered whether or
    // not their boxes are ticked.
    const auto remember = [&](int k) {
        if (const auto y = yOf(k)) {
            s_.yPrec[k] = *y;
            lastDrawnX_[k] = *x;
        }
    };
    if (s_.check4[4]) {
        remember(4);
    } else if (s_.check4[5] || s_.check4[6]) {
        remember(5);
        remember(6);
    } else {
        for (int k = 0; k <= 3; ++k) {
            remember(k);
        }
    }
}

void Simulator::writeCurrentRow(float t) {
    ValueTable& table = s_.table;
    const int row = table.currentRow();
    table.setCell(row, 0, timeCellText(t, s_.dureeEnreg, s_.enregEnCours));
    for (int c = 1; c < table.columnCount(); ++c) {
        const int slot = tableColumnSlot(s_.montage, c);
        if (slot >= 0) {
            table.setCell(row, c, valueCellText(s_.valeurs[slot], slot));
        }
    }
}

Redraw Simulator::tick() {
    lastPlot_.clear();
    Redraw r = RedrawTable;
    evaluate();
    if (s_.enregEnCours && s_.tEnreg > s_.dureeEnreg) {
        s_.enregEnCours = false;
        s_.table.appendRow();
    }
    if (s_.enregEnCours) {
        plotStep();
        r |= RedrawPlot;
    }
    if (s_.tEnreg == 0) {
        s_.table.reset(tableColumnCount(s_.montage));
    }
    const bool recording = s_.enregEnCours;
    const float t = recording ? s_.tEnreg : s_.tBascule;
    if (recording) {
        const float step = s_.dureeEnreg / 50;
        const int n = s_.table.currentRow();
        if (double(t) >= (n - 1) * double(step) + double(s_.dureeEnreg) / 100000.0) {
            s_.table.appendRow();
        }
    }
    writeCurrentRow(t);
    if (recording) {
        const float dt = s_.dureeEnreg < 30 ? s_.dureeEnreg / 200 : 0.1f;
        s_.tBascule += dt;
        s_.tEnreg += dt;
    } else {
        s_.tBascule += 0.1f;
    }
    if (t == 0 && recording) {
        s_.table.appendRow();
    }
    return r;
}

// --- help line and readout ----------------------------------------------------

void Simulator::hover(HelpRegion region) {
    switch (region) {
    case HelpRegion::Background:
        s_.info = kDefaultInfo;
        break;
    case HelpRegion::OpenButton:
        s_.info = "Pour retrouver une situation enregistrée";
        break;
    case HelpRegion::SaveButton:
        s_.info = "Pour conserver la configuration en cours";
        break;
    case HelpRegion::CopyButton:
        if (s_.info != kMessageCopie) {
            s_.info = "Copier pour placer l'image dans le presse- papiers puis coller depuis "
                      "Word, Paint...";
        }
        break;
    case HelpRegion::PrintButton:
        s_.info = "Pour configurer l'imprimante et imprimer l'image";
        break;
    case HelpRegion::CalculatorButton:
        s_.info = "Machine à calculer";
        break;
    case HelpRegion::HelpButton:
        s_.info = "Si vous rencontrez une difficulté avec cette application";
        break;
    case HelpRegion::CloseButton:
        s_.info = "Pour retrouver le module principal et quitter cette application";
        break;
    case HelpRegion::EraseButton:
        s_.info = "Effacer le graphe";
        break;
    case HelpRegion::ExerciseButton:
        s_.info = "Ouvrir un énoncé, enregistrer le texte, obtenir la correction, imprimer ou "
                  "fermer.";
        break;
    case HelpRegion::ParameterPanel:
        s_.info = "Choisir un montage dans la liste et modifier les caractéristiques des dipôles";
        break;
    case HelpRegion::QuantityPanel:
        s_.info = "Choisir les grandeurs à représenter sur le graphique et la durée de "
                  "l'enregistrement";
        break;
    case HelpRegion::RecordingPanel:
        s_.info = "Pour modifier le montage : onglet Montage";
        break;
    case HelpRegion::Swatch:
        s_.info = "Cliquer pour modifier la couleur de représentation";
        break;
    }
}

void Simulator::showCopyMessage() {
    s_.info = kMessageCopie;
}

Readout Simulator::mouseMoveGraph(int x, int y) {
    s_.info = "Paramétrer le graphe depuis l'onglet Graphe";
    return readout(x, y);
}

Readout Simulator::readout(int x, int y) const {
    Readout out;
    if (x < 60 || x > 460 || y < 25 || y > 225) {
        return out;
    }
    out.visible = true;
    const bool seconds = s_.dureeEnreg >= 1.0f;
    const double timeFactor = seconds ? 1.0 : 1000.0;
    const float time = float((x - 60) / 400.0 * double(s_.dureeEnreg) * timeFactor);
    out.timeText = " " + fr::general(time) + " " + (seconds ? "s " : "ms ");

    const GraphScale& scale = s_.frame.scale;
    std::string_view prefix;
    double factor = 1;
    if (scale.echelleY >= 0.001f && scale.echelleY < 0.5f) {
        prefix = "m";
        factor = 1000;
    } else if (scale.echelleY < 0.001f) {
        prefix = "µ";
        factor = 1000000;
    }
    const double value = scale.axeSymetrique ? double(scale.echelleY) * (125 - y) / 100.0
                                             : (225 - y) / 200.0 * double(scale.echelleY);
    const std::string_view unit =
        s_.check4[4] ? "A " : ((s_.check4[5] || s_.check4[6]) ? "J " : "V ");
    const std::string number = fr::formatMask(float(value * factor), "### ### ### ##0.0#");
    out.valueText = " ";
    out.valueText += fr::trimBlanks(number);
    out.valueText += ' ';
    out.valueText += prefix;
    out.valueText += unit;
    return out;
}

} // namespace ohmora
