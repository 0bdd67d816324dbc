#include "graph/RecordingCsv.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace ohmora {

void appendCsvNumber(std::string& out, float v, char decimal) {
    if (v == 0) {
        out += '0';
        return;
    }
    if (!std::isfinite(v)) {
        return; // an empty cell: no reader takes "inf" or "nan" as a number
    }
    // Plain decimals where they stay short, an exponent for the tiny and
    // huge values: the shortest digits that read back as v either way.
    const float magnitude = std::abs(v);
    const bool plain = magnitude >= 1e-4f && magnitude < 1e7f;
    char buffer[64];
    const auto result =
        plain ? std::to_chars(buffer, buffer + sizeof buffer, v, std::chars_format::fixed)
              : std::to_chars(buffer, buffer + sizeof buffer, v, std::chars_format::scientific);
    for (char* p = buffer; p != result.ptr; ++p) {
        out += *p == '.' ? decimal : (*p == 'e' ? 'E' : *p);
    }
}

std::optional<std::string> recordingCsv(const Recording& recording, CsvFormat format) {
    if (recording.empty()) {
        return std::nullopt;
    }
    const char separator = format == CsvFormat::French ? ';' : ',';
    const char decimal = format == CsvFormat::French ? ',' : '.';
    const int montage = recording.montage();
    const int columns = tableColumnCount(montage);
    std::string out = "t (s)";
    for (int c = 1; c < columns; ++c) {
        const int slot = tableColumnSlot(montage, c);
        out += separator;
        out += quantityIdentifier(montage, slot);
        out += " (";
        out += slotUnit(slot);
        out += ')';
    }
    out += "\r\n";
    out.reserve(out.size() + recording.samples().size() * size_t(columns) * 14);
    for (const RecordedSample& s : recording.samples()) {
        appendCsvNumber(out, s.tEnreg, decimal);
        for (int c = 1; c < columns; ++c) {
            out += separator;
            appendCsvNumber(out, s.valeurs[size_t(tableColumnSlot(montage, c))], decimal);
        }
        out += "\r\n";
    }
    return out;
}

} // namespace ohmora
