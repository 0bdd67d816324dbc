#include "window/AccessibleTexts.h"

#include "core/Circuit.h"
#include "core/FrenchNumber.h"
#include "window/HelpTexts.h"
#include "window/Validation.h"

#include <array>
#include <string_view>

namespace ohmora {

namespace {

// The boxes of the parameter panel as it writes them: component, symbol,
// unit, for boxes 0 to 13.
struct BoxText {
    std::string_view component, symbol, unit;
};
constexpr std::array<BoxText, kParameterCount> kBoxes = {{
    {"Générateur", "U", "V"},
    {"Conducteur ohmique 1", "R1", "Ω"},
    {"Condensateur", "C", "µF"},
    {"Conducteur ohmique 2", "R2", "Ω"},
    {"Générateur", "U", "V"},
    {"Conducteur ohmique 1", "R1", "Ω"},
    {"Condensateur", "C", "µF"},
    {"Conducteur ohmique 2", "R2", "Ω"},
    {"Bobine", "L", "mH"},
    {"Bobine", "r", "Ω"},
    {"Générateur", "U", "V"},
    {"Bobine", "L", "mH"},
    {"Bobine", "r", "Ω"},
    {"Conducteur ohmique", "R", "Ω"},
}};

// The boxes of each montage, in the panel's order.
std::vector<int> montageBoxes(int montage) {
    switch (montage) {
    case 0:
        return {0, 1, 2, 3};
    case 1:
        return {4, 5, 6, 7, 8, 9};
    case 2:
        return {10, 11, 12, 13};
    default:
        return {};
    }
}

std::string list(const std::vector<std::string>& items) {
    std::string out;
    for (size_t i = 0; i < items.size(); ++i) {
        out += i == 0 ? "" : (i + 1 == items.size() ? " et " : ", ");
        out += items[i];
    }
    return out;
}

std::string lowerFirst(std::string_view text) {
    std::string out(text);
    if (!out.empty() && out[0] >= 'A' && out[0] <= 'Z') {
        out[0] = char(out[0] - 'A' + 'a');
    }
    return out;
}

std::string tickedQuantities(const SimState& s, bool arrowsOnly) {
    std::vector<std::string> names;
    for (int k = 0; k < kQuantityCount; ++k) {
        const bool energy = k == SlotEC || k == SlotEb;
        if (s.controls.check4[size_t(k)] && slotUsed(s.controls.montage, k) &&
            !(arrowsOnly && energy)) {
            names.push_back(lowerFirst(quantityCaption(s.controls.montage, k)));
        }
    }
    return list(names);
}

std::string switchPosition(const SimState& s) {
    if (s.controls.montage == 2) {
        return s.run.position == 1 ? "Interrupteur K fermé." : "Interrupteur K ouvert.";
    }
    const int p = s.run.position;
    return "Interrupteur K en position " + std::to_string(p) +
           (p == 0 ? " (ouvert)." : (p == 1 ? " (charge)." : " (décharge)."));
}

std::string trimmed(const std::string& text) {
    return std::string(fr::trimBlanks(text));
}

} // namespace

std::string describeSchematic(const SimState& s) {
    const int montage = s.controls.montage;
    if (montage < 0 || montage >= kMontageCount) {
        return "Aucun montage.";
    }
    std::string out = "Montage : " + std::string(kMontageNames[size_t(montage)]) + ". ";
    out += switchPosition(s);
    std::vector<std::string> values;
    for (const int i : montageBoxes(montage)) {
        const BoxText& b = kBoxes[size_t(i)];
        values.push_back(std::string(b.symbol) + " = " + s.controls.textv[size_t(i)] + " " +
                         std::string(b.unit));
    }
    out += " " + list(values) + ".";
    if (montage == 1 && s.controls.checkRn) {
        out += " Entretien des oscillations.";
    }
    const std::string arrows = tickedQuantities(s, true);
    if (!arrows.empty()) {
        out += " Flèches : " + arrows + ".";
    }
    return out;
}

std::string describeGraph(const SimState& s) {
    const GraphFrame& f = s.graph.frame;
    const std::string quantities = tickedQuantities(s, false);
    std::string out = quantities.empty() ? std::string("Aucune grandeur représentée.")
                                         : "Grandeurs représentées : " + quantities + ".";
    if (!f.graduations.empty()) {
        const std::string top = f.graduations.back();
        const std::string unit = trimmed(f.verticalUnit);
        out += " Axe vertical " + trimmed(f.verticalSymbol) + " " + unit + " : de " +
               (f.scale.axeSymetrique ? "- " + top : std::string("0")) + " à " + top + ", " +
               std::to_string(f.graduations.size()) + " divisions.";
    }
    if (!f.timeNumbers.empty()) {
        out += " Axe du temps " + trimmed(f.timeUnit) + " : de 0 à " + f.timeNumbers.back() +
               ", 10 divisions.";
    }
    return out;
}

std::string lastValues(const SimState& s) {
    const ValueTable& t = s.table;
    const int row = t.currentRow();
    std::vector<std::string> cells;
    for (int c = 0; row >= 1 && c < t.columnCount(); ++c) {
        if (!t.cell(row, c).empty()) {
            cells.push_back(t.cell(row, c));
        }
    }
    return cells.empty() ? std::string() : "Dernières valeurs : " + list(cells) + ".";
}

std::string switchZoneName(const SimState& s, int target) {
    if (s.controls.montage == 2) {
        return std::string(oneWaySwitchTooltip(s.run.position));
    }
    return std::string(twoWaySwitchTooltip(target));
}

std::string parameterBoxName(int i) {
    if (i < 0 || i >= kParameterCount) {
        return {};
    }
    const BoxText& b = kBoxes[size_t(i)];
    return std::string(b.component) + " : " + std::string(b.symbol) + " en " + std::string(b.unit);
}

std::string parameterBoxDescription(int i) {
    if (i < 0 || i >= kParameterCount) {
        return {};
    }
    const ParameterLimits& l = parameterLimits(i);
    const std::string unit(kBoxes[size_t(i)].unit);
    std::string out = "De " + fr::formatMask(l.min, "### ### ##0.0##") + " à " +
                      fr::formatMask(l.max, "### ### ##0.0##") + " " + unit;
    if (l.partner >= 0) {
        out += " (le minimum vaut pour la branche entière)";
    }
    return out + " ; Entrée pour valider.";
}

} // namespace ohmora
