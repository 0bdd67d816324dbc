#include "core/LeadingNumber.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>
#include <system_error>

namespace ohmora {

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

bool isExponentLetter(char c) {
    return c == 'E' || c == 'D' || c == 'e' || c == 'd';
}

// Exponents beyond this are clamped while reading: they overflow or
// underflow anyway, and the clamp keeps the arithmetic below in range.
constexpr long kExponentClamp = 100000;

} // namespace

NumberReading readLeadingNumber(std::string_view text) {
    NumberReading result;
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ') {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    std::string digits;
    long integerDigits = 0;
    bool point = false;
    for (; i < text.size(); ++i) {
        if (isDigit(text[i])) {
            digits.push_back(text[i]);
            integerDigits += point ? 0 : 1;
        } else if (text[i] == '.' && !point) {
            point = true;
        } else {
            break;
        }
    }
    long exponent = 0;
    if (i < text.size() && isExponentLetter(text[i])) {
        ++i;
        bool negativeExponent = false;
        if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
            negativeExponent = text[i] == '-';
            ++i;
        }
        for (; i < text.size() && isDigit(text[i]); ++i) {
            exponent = std::min(kExponentClamp, exponent * 10 + (text[i] - '0'));
        }
        exponent = negativeExponent ? -exponent : exponent;
    }
    result.length = i;

    const std::size_t first = digits.find_first_not_of('0');
    if (first == std::string::npos) {
        return result; // no significant digit: 0, whatever the sign or exponent
    }
    // value = significant digits x 10^scale, parsed without any locale.
    const long fractionDigits = static_cast<long>(digits.size()) - integerDigits;
    const long scale = exponent - fractionDigits;
    std::string canonical = digits.substr(first);
    const long magnitudeExponent = scale + static_cast<long>(canonical.size()) - 1;
    canonical += 'e';
    canonical += std::to_string(scale);
    double value = 0;
    const auto parsed = std::from_chars(canonical.data(), canonical.data() + canonical.size(),
                                        value, std::chars_format::scientific);
    if (parsed.ec == std::errc::result_out_of_range) {
        if (magnitudeExponent > 0) {
            result.overflow = true;
        }
        return result; // too small for a double: 0
    }
    if (parsed.ec != std::errc() || !std::isfinite(value)) {
        result.overflow = true;
        return result;
    }
    result.value = negative ? -value : value;
    return result;
}

} // namespace ohmora
