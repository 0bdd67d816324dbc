#pragma once
// Reading and writing of the French number texts the program shows and
// stores: decimal comma, blank-separated thousands, display masks and the
// general number format. Independent of the system locale on purpose: the
// program speaks French whatever the user's settings are.

#include <optional>
#include <string>
#include <string_view>

namespace ohmora::fr {

// Reads a parameter text: optional blanks around it, digits possibly
// grouped by three after single blanks ("1 000 000"), at most one decimal
// separator (a comma, or a point taken as one) followed by digits. Returns
// nothing for an empty or malformed text (a sign, a blank between two
// digits that does not group thousands, a letter, two separators) or one
// beyond the single-precision range.
std::optional<float> readNumber(std::string_view text);

// Formats a value with a display mask such as "### ##0.00", "#0.0",
// "# ##0.0##", "0.0E+00", "### ### ### ##0.0#" or "#.#######E+00".
// '0' is a mandatory digit, '#' an optional one, a blank between digit
// positions asks for blank-grouped thousands. Rounds half away from zero on
// the shortest decimal form of the value. A '#' position without a digit
// writes nothing, so no leading blanks are produced.
std::string formatMask(float value, std::string_view mask, char decimalSeparator = ',');
std::string formatMask(double value, std::string_view mask, char decimalSeparator = ',');

// General number format: the shortest decimal form with at most 7
// significant digits (single) or 15 (double), no trailing zeros, no
// grouping, decimal comma by default.
std::string general(float value, char decimalSeparator = ',');
std::string general(double value, char decimalSeparator = ',');

// The value rounded to two significant digits through the mask "0.0E+00"
// and read back, as the parameter validation does.
float roundTwoSignificant(float value);

// Trims ordinary blanks at both ends.
std::string_view trimBlanks(std::string_view text);

} // namespace ohmora::fr
