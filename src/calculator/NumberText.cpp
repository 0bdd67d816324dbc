#include "NumberText.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
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

// Numbers are written from the 15 significant digits of the value.
struct DecimalDigits {
    std::string digits; // exactly 15 digits, the first one non-zero
    int exponent = 0;   // value = d.dddddddddddddd x 10^exponent
};

DecimalDigits decimalDigits(double magnitude) {
    char buffer[48];
    const auto written =
        std::to_chars(buffer, buffer + sizeof buffer, magnitude, std::chars_format::scientific, 14);
    const std::string_view text(buffer, static_cast<std::size_t>(written.ptr - buffer));
    const std::size_t e = text.find('e');
    DecimalDigits result;
    result.digits.push_back(text[0]);
    result.digits.append(text.substr(2, e - 2));
    const bool negativeExponent = text[e + 1] == '-';
    int exponent = 0;
    for (std::size_t i = e + 2; i < text.size(); ++i) {
        exponent = exponent * 10 + (text[i] - '0');
    }
    result.exponent = negativeExponent ? -exponent : exponent;
    return result;
}

void stripTrailingZeros(std::string& digits) {
    while (digits.size() > 1 && digits.back() == '0') {
        digits.pop_back();
    }
}

void appendExponent(std::string& out, int exponent) {
    out.push_back('E');
    out.push_back(exponent < 0 ? '-' : '+');
    const std::string magnitude = std::to_string(std::abs(exponent));
    if (magnitude.size() < 2) {
        out.push_back('0');
    }
    out += magnitude;
}

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

bool isNumberText(std::string_view text) {
    return readLeadingNumber(text).length == text.size();
}

std::string writeNumber(double value) {
    if (value == 0 || !std::isfinite(value)) {
        return "0";
    }
    DecimalDigits decimal = decimalDigits(std::fabs(value));
    stripTrailingZeros(decimal.digits);
    const std::string& digits = decimal.digits;
    const int exponent = decimal.exponent;
    std::string out = value < 0 ? "-" : "";
    if (exponent >= 15 || exponent < kSmallestPlainExponent) {
        out.push_back(digits[0]);
        if (digits.size() > 1) {
            out.push_back('.');
            out.append(digits, 1);
        }
        appendExponent(out, exponent);
    } else if (exponent >= 0) {
        const std::size_t integerDigits = static_cast<std::size_t>(exponent) + 1;
        if (digits.size() <= integerDigits) {
            out += digits;
            out.append(integerDigits - digits.size(), '0');
        } else {
            out.append(digits, 0, integerDigits);
            out.push_back('.');
            out.append(digits, integerDigits);
        }
    } else {
        out.push_back('.');
        out.append(static_cast<std::size_t>(-exponent - 1), '0');
        out += digits;
    }
    return out;
}

std::string formatScientific(double value) {
    if (value == 0 || !std::isfinite(value)) {
        return "0.E+00";
    }
    DecimalDigits decimal = decimalDigits(std::fabs(value));
    constexpr std::size_t kShownDigits = 8;
    std::string digits = decimal.digits.substr(0, kShownDigits);
    if (decimal.digits[kShownDigits] >= '5') {
        std::size_t i = kShownDigits;
        while (i > 0 && digits[i - 1] == '9') {
            digits[--i] = '0';
        }
        if (i == 0) {
            digits.insert(digits.begin(), '1');
            digits.pop_back();
            ++decimal.exponent;
        } else {
            ++digits[i - 1];
        }
    }
    stripTrailingZeros(digits);
    std::string out = value < 0 ? "-" : "";
    out.push_back(digits[0]);
    out.push_back('.');
    out.append(digits, 1);
    appendExponent(out, decimal.exponent);
    return out;
}

} // namespace ohmora
