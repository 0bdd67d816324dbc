#include "graph/CellTexts.h"

#include "core/Circuit.h"
#include "core/FrenchNumber.h"

#include <cmath>
#include <string_view>

namespace ohmora {

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

} // namespace ohmora
