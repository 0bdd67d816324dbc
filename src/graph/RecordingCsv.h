#pragma once
// The recording as a CSV file for a spreadsheet or a program: a header row
// of ASCII names with their units ("t (s)", "u_C (V)", "i (A)", "E_C (J)"),
// then one row per sample of the recording, the time and every quantity
// the montage's table shows, in SI units without prefixes. Each number is
// the shortest text that reads back as the very single-precision value.
// Rows end with CR LF.

#include "core/Recording.h"

#include <optional>
#include <string>
#include <string_view>

namespace ohmora {

// French: ";" between cells and the decimal comma, what a spreadsheet under
// French settings opens by a double click; international: "," and ".".
enum class CsvFormat { French, International };

inline constexpr std::string_view kNoRecordingToExport = "Aucun enregistrement à exporter";

// The file's text; nothing when there is no recording.
std::optional<std::string> recordingCsv(const Recording& recording, CsvFormat format);

// The shortest decimal text of v that reads back as v, with `decimal` as
// its separator: plain from 0,0001 to 10 000 000 ("0,0005", "-6"), with an
// upper-case exponent beyond ("1,5E-07"); 0 for both zeros.
void appendCsvNumber(std::string& out, float v, char decimal);

} // namespace ohmora
