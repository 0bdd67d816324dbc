#pragma once
// Reading and writing of numbers as the calculator sees them: every
// intermediate value of the evaluator passes through this text form, so the
// two functions below fix the precision of every calculation.

#include "core/LeadingNumber.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace ohmora {

// True when the whole text is taken by the leading-number rule (an empty
// text included): the text stands for a number and for nothing else.
bool isNumberText(std::string_view text);

// Numbers below 1E-4 in magnitude are written with an exponent (this is the
// power of ten of the smallest plain one). Plain down to .0001 keeps milli
// readable as .001; micro already reads better as 4.7E-05 than as .000047.
inline constexpr int kSmallestPlainExponent = -4;

// The shortest text with at most 15 significant digits: 14, .5, -.25,
// 1.63312393531954E+16, 1E+20, 1.5E-05. The value must be finite.
std::string writeNumber(double value);

// The "#.#######E+00" mask: one digit, the point always written, up to seven
// decimals without trailing zeros, rounded half away from zero as the value
// is written with 15 digits: 1.4E+01, 5.E-01, 3.3333333E-01. Finite values only.
std::string formatScientific(double value);

} // namespace ohmora
