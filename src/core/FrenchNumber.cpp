#include "core/FrenchNumber.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

namespace ohmora::fr {

namespace {

// A decimal number: value = (negative ? -1 : 1) * 0.d1d2d3... * 10^point,
// that is `point` digits stand before the decimal point.
struct Decimal {
    bool negative = false;
    std::string digits; // no leading zeros; empty for zero
    int point = 0;
};

// The shortest decimal form that reads back to the same value, limited to
// `maxDigits` significant digits (7 for single precision, 15 for double).
template <typename T> Decimal toDecimal(T value, int maxDigits) {
    Decimal d;
    if (value == 0 || !std::isfinite(value)) {
        return d;
    }
    d.negative = value < 0;
    char buffer[64];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value),
                                std::chars_format::scientific);
    std::string text(buffer, result.ptr);
    auto e = text.find('e');
    std::string mantissa = text.substr(0, e);
    int exponent = std::stoi(text.substr(e + 1));
    mantissa.erase(std::remove(mantissa.begin(), mantissa.end(), '.'), mantissa.end());
    if (int(mantissa.size()) > maxDigits) {
        // Too many digits for the precision: round the exact value instead.
        // to_chars, unlike printf, ignores the C library's locale.
        result = std::to_chars(buffer, buffer + sizeof buffer, double(std::fabs(value)),
                               std::chars_format::scientific, maxDigits - 1);
        text.assign(buffer, result.ptr);
        e = text.find('e');
        mantissa = text.substr(0, e);
        exponent = std::stoi(text.substr(e + 1));
        mantissa.erase(std::remove(mantissa.begin(), mantissa.end(), '.'), mantissa.end());
    }
    while (!mantissa.empty() && mantissa.back() == '0') {
        mantissa.pop_back();
    }
    d.digits = mantissa;
    d.point = exponent + 1;
    return d;
}

// Rounds half away from zero so that at most `decimals` digits follow the
// point.
void roundToDecimals(Decimal& d, int decimals) {
    int keep = d.point + decimals; // digits kept
    if (keep >= int(d.digits.size())) {
        return;
    }
    if (keep < 0) {
        d.digits.clear();
        return;
    }
    bool up = d.digits[keep] >= '5';
    d.digits.resize(keep);
    if (up) {
        int i = keep - 1;
        while (i >= 0 && d.digits[i] == '9') {
            d.digits[i] = '0';
            --i;
        }
        if (i < 0) {
            d.digits.insert(d.digits.begin(), '1');
            ++d.point;
        } else {
            ++d.digits[i];
        }
    }
    while (!d.digits.empty() && d.digits.back() == '0') {
        d.digits.pop_back();
    }
    if (d.digits.empty()) {
        d.point = 0;
    }
}

// Rounds half away from zero to `significant` digits.
void roundToSignificant(Decimal& d, int significant) {
    if (d.digits.empty()) {
        return;
    }
    roundToDecimals(d, significant - d.point);
}

std::string integerDigits(const Decimal& d) {
    std::string s;
    for (int i = 0; i < d.point; ++i) {
        s += i < int(d.digits.size()) ? d.digits[i] : '0';
    }
    return s;
}

std::string fractionDigits(const Decimal& d) {
    std::string s;
    for (int i = std::min(d.point, 0); i < 0; ++i) {
        s += '0';
    }
    for (int i = std::max(d.point, 0); i < int(d.digits.size()); ++i) {
        s += d.digits[i];
    }
    return s;
}

std::string group(const std::string& digits) {
    std::string out;
    int n = int(digits.size());
    for (int i = 0; i < n; ++i) {
        if (i > 0 && (n - i) % 3 == 0) {
            out += ' ';
        }
        out += digits[i];
    }
    return out;
}

struct MaskParts {
    int minInteger = 0;
    bool grouping = false;
    int minFraction = 0;
    int maxFraction = 0;
    bool point = false;
    bool scientific = false;
    bool exponentSignAlways = false;
    int minExponentDigits = 0;
};

MaskParts parseMask(std::string_view mask) {
    MaskParts m;
    auto e = mask.find_first_of("Ee");
    std::string_view number = mask.substr(0, e);
    if (e != std::string_view::npos) {
        m.scientific = true;
        std::string_view exp = mask.substr(e + 1);
        if (!exp.empty() && exp[0] == '+') {
            m.exponentSignAlways = true;
        }
        m.minExponentDigits = int(std::count(exp.begin(), exp.end(), '0'));
    }
    auto dot = number.find('.');
    std::string_view integer = number.substr(0, dot);
    m.minInteger = int(std::count(integer.begin(), integer.end(), '0'));
    auto first = integer.find_first_of("#0");
    auto last = integer.find_last_of("#0");
    if (first != std::string_view::npos) {
        m.grouping = integer.substr(first, last - first).find(' ') != std::string_view::npos;
    }
    if (dot != std::string_view::npos) {
        m.point = true;
        std::string_view fraction = number.substr(dot + 1);
        m.minFraction = int(std::count(fraction.begin(), fraction.end(), '0'));
        m.maxFraction = m.minFraction + int(std::count(fraction.begin(), fraction.end(), '#'));
    }
    return m;
}

std::string assemble(const MaskParts& m, std::string integer, std::string fraction,
                     char separator) {
    while (int(integer.size()) < m.minInteger) {
        integer.insert(integer.begin(), '0');
    }
    while (int(fraction.size()) < m.minFraction) {
        fraction += '0';
    }
    while (int(fraction.size()) > m.minFraction && !fraction.empty() && fraction.back() == '0') {
        fraction.pop_back();
    }
    std::string out = m.grouping ? group(integer) : integer;
    if (!fraction.empty()) {
        out += separator;
        out += fraction;
    } else if (m.point && m.scientific) {
        // A scientific mask with only optional decimals still writes the point.
        out += separator;
    }
    return out;
}

std::string formatDecimal(Decimal d, std::string_view mask, char separator) {
    MaskParts m = parseMask(mask);
    std::string sign;
    if (m.scientific) {
        int exponent = 0;
        if (!d.digits.empty()) {
            int integerPlaces = std::max(m.minInteger, 1);
            exponent = d.point - integerPlaces;
            d.point = integerPlaces;
            roundToDecimals(d, m.maxFraction);
            if (d.point > integerPlaces) { // 9.99 rounded up to 10.0
                ++exponent;
                d.point = integerPlaces;
            }
        }
        if (d.negative && !d.digits.empty()) {
            sign = "-";
        }
        std::string integer = integerDigits(d);
        if (integer.empty() && m.minInteger == 0) {
            integer = "0";
        }
        std::string out = sign + assemble(m, integer, fractionDigits(d), separator);
        std::string exp = std::to_string(std::abs(exponent));
        while (int(exp.size()) < m.minExponentDigits) {
            exp.insert(exp.begin(), '0');
        }
        out += 'E';
        if (exponent < 0) {
            out += '-';
        } else if (m.exponentSignAlways) {
            out += '+';
        }
        return out + exp;
    }
    roundToDecimals(d, m.maxFraction);
    if (d.negative && !d.digits.empty()) {
        sign = "-";
    }
    return sign + assemble(m, integerDigits(d), fractionDigits(d), separator);
}

std::string formatGeneral(const Decimal& d, char separator) {
    if (d.digits.empty()) {
        return "0";
    }
    std::string integer = integerDigits(d);
    std::string fraction = fractionDigits(d);
    std::string out = d.negative ? "-" : "";
    out += integer.empty() ? "0" : integer;
    if (!fraction.empty()) {
        out += separator;
        out += fraction;
    }
    return out;
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

} // namespace

std::string_view trimBlanks(std::string_view text) {
    while (!text.empty() && text.front() == ' ') {
        text.remove_prefix(1);
    }
    while (!text.empty() && text.back() == ' ') {
        text.remove_suffix(1);
    }
    return text;
}

std::optional<float> readNumber(std::string_view text) {
    // No-break spaces (U+00A0, U+202F) and tabs count as blanks: texts
    // pasted from other programs often group thousands with them.
    std::string cleaned;
    for (size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c == 0xC2 && i + 1 < text.size() && static_cast<unsigned char>(text[i + 1]) == 0xA0) {
            cleaned += ' ';
            ++i;
        } else if (c == 0xE2 && i + 2 < text.size() &&
                   static_cast<unsigned char>(text[i + 1]) == 0x80 &&
                   static_cast<unsigned char>(text[i + 2]) == 0xAF) {
            cleaned += ' ';
            i += 2;
        } else if (c == '\t') {
            cleaned += ' ';
        } else {
            cleaned += char(c);
        }
    }
    const std::string_view s = trimBlanks(cleaned);
    // Integer part: plain digits, or a group of one to three digits followed
    // by groups of exactly three, each after a single blank.
    std::string plain;
    size_t i = 0;
    size_t groupLength = 0;
    bool grouped = false;
    for (; i < s.size(); ++i) {
        const char c = s[i];
        if (isDigit(c)) {
            plain += c;
            ++groupLength;
        } else if (c == ' ') {
            if (groupLength == 0 || (grouped && groupLength != 3) ||
                (!grouped && groupLength > 3)) {
                return std::nullopt;
            }
            grouped = true;
            groupLength = 0;
        } else {
            break;
        }
    }
    if (grouped && groupLength != 3) {
        return std::nullopt;
    }
    // At most one decimal separator, then plain digits.
    if (i < s.size() && (s[i] == ',' || s[i] == '.')) {
        plain += '.';
        for (++i; i < s.size() && isDigit(s[i]); ++i) {
            plain += s[i];
        }
    }
    if (i != s.size() || plain.find_first_of("0123456789") == std::string::npos) {
        return std::nullopt;
    }
    if (plain.back() == '.') {
        plain.pop_back();
    }
    if (plain.front() == '.') {
        plain.insert(plain.begin(), '0');
    }
    double value = 0;
    auto [ptr, ec] = std::from_chars(plain.data(), plain.data() + plain.size(), value);
    if (ec != std::errc() || ptr != plain.data() + plain.size()) {
        return std::nullopt;
    }
    if (value > double(std::numeric_limits<float>::max())) {
        return std::nullopt;
    }
    return float(value);
}

std::string formatMask(float value, std::string_view mask, char decimalSeparator) {
    return formatDecimal(toDecimal(value, 7), mask, decimalSeparator);
}

std::string formatMask(double value, std::string_view mask, char decimalSeparator) {
    return formatDecimal(toDecimal(value, 15), mask, decimalSeparator);
}

std::string general(float value, char decimalSeparator) {
    return formatGeneral(toDecimal(value, 7), decimalSeparator);
}

std::string general(double value, char decimalSeparator) {
    return formatGeneral(toDecimal(value, 15), decimalSeparator);
}

float roundTwoSignificant(float value) {
    Decimal d = toDecimal(value, 7);
    roundToSignificant(d, 2);
    std::string text = formatGeneral(d, '.');
    double result = 0;
    std::from_chars(text.data(), text.data() + text.size(), result);
    return float(result);
}

} // namespace ohmora::fr
