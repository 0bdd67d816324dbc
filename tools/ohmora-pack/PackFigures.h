#pragma once
// Figures as the exercise texts write them, and the arithmetic of their
// corrections: what the pack's review reads check lines with.

#include <optional>
#include <string>
#include <string_view>

namespace ohmora::pack {

// A figure as a correction writes it: a French number ("7,26", "1 000",
// "−3,68", "9,40·10−2", the exponent being a superscript in the text),
// then a blank and a unit with its prefix ("ms", "µF", "%", "rad/s"), or
// nothing for a pure number.
struct Figure {
    double value = 0;    // in the unit without prefix; a percentage as a fraction
    double halfStep = 0; // half a unit of the last digit written, in the same unit
    std::string unit;    // without its prefix: "s", "V", "%", "rad/s", ""
};
std::optional<Figure> parseFigure(std::string_view text);

// Whether `exact` gives the figure once rounded to the digits written.
bool roundsTo(double exact, const Figure& figure);

// The value of an arithmetic expression: numbers with a decimal comma or
// point, + - * / ^ and parentheses, pi, and the functions exp, ln and sqrt.
std::optional<double> evaluate(std::string_view expression);

// UTF-8 helpers shared by the review.
inline constexpr std::string_view kMinus = "\u2212";
inline constexpr std::string_view kNoBreakSpace = "\u00A0";
inline constexpr std::string_view kNarrowNoBreakSpace = "\u202F";

// The text with its minus signs written as the screen writes them ("-")
// and its no-break spaces as blanks.
std::string screenForm(std::string_view text);

} // namespace ohmora::pack
