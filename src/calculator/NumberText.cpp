#include "calculator/NumberText.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <system_error>

namespace ohmora {

namespace {

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
