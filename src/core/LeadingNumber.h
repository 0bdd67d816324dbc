#pragma once
// The leading-number rule by which the record files' numbers, the exercise
// files' difficulty and every number of the calculator are read: leading
// blanks skipped, an optional sign, digits with at most one ".", an optional
// exponent ("E" or "D", optional sign, digits); reading stops at the first
// other character and a text without a number reads as 0. The decimal
// separator is always ".", whatever the language.

#include <cstddef>
#include <string_view>

namespace ohmora {

struct NumberReading {
    double value = 0;       // 0 when nothing could be read
    std::size_t length = 0; // characters taken, leading blanks included
    bool overflow = false;  // the digits stand for a value beyond the double range
};

NumberReading readLeadingNumber(std::string_view text);

} // namespace ohmora
