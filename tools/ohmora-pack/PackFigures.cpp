#include "PackFigures.h"

#include <array>
#include <charconv>
#include <cmath>
#include <numbers>

namespace ohmora::pack {

namespace {

struct Unit {
    std::string_view text;
    std::string_view base;
    double factor;
};

// The units the texts use, each with its prefixes.
constexpr std::array kUnits = {
    Unit{"s", "s", 1},
    Unit{"ms", "s", 1e-3},
    Unit{"µs", "s", 1e-6},
    Unit{"min", "s", 60},
    Unit{"V", "V", 1},
    Unit{"mV", "V", 1e-3},
    Unit{"µV", "V", 1e-6},
    Unit{"A", "A", 1},
    Unit{"mA", "A", 1e-3},
    Unit{"µA", "A", 1e-6},
    Unit{"J", "J", 1},
    Unit{"mJ", "J", 1e-3},
    Unit{"µJ", "J", 1e-6},
    Unit{"C", "C", 1},
    Unit{"mC", "C", 1e-3},
    Unit{"µC", "C", 1e-6},
    Unit{"Ω", "Ω", 1},
    Unit{"kΩ", "Ω", 1e3},
    Unit{"F", "F", 1},
    Unit{"mF", "F", 1e-3},
    Unit{"µF", "F", 1e-6},
    Unit{"nF", "F", 1e-9},
    Unit{"H", "H", 1},
    Unit{"mH", "H", 1e-3},
    Unit{"W", "W", 1},
    Unit{"mW", "W", 1e-3},
    Unit{"%", "%", 1e-2},
    Unit{"rad/s", "rad/s", 1},
    Unit{"V/s", "V/s", 1},
    Unit{"s\u22121", "s\u22121", 1},
    Unit{"s\u22122", "s\u22122", 1},
    Unit{"s2/H", "s2/H", 1},
    Unit{"s2", "s2", 1},
    Unit{"Hz", "Hz", 1},
};

bool startsWith(std::string_view s, std::string_view prefix) {
    return s.substr(0, prefix.size()) == prefix;
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// Whatever the C library's locale: a point before the decimals.
double toDouble(const std::string& text) {
    double v = 0;
    std::from_chars(text.data(), text.data() + text.size(), v);
    return v;
}

// Reads a minus sign, either the typographic one or a hyphen.
bool takeMinus(std::string_view& s) {
    if (startsWith(s, kMinus)) {
        s.remove_prefix(kMinus.size());
        return true;
    }
    if (startsWith(s, "-")) {
        s.remove_prefix(1);
        return true;
    }
    return false;
}

std::string takeDigits(std::string_view& s) {
    std::string out;
    while (!s.empty() && isDigit(s.front())) {
        out += s.front();
        s.remove_prefix(1);
    }
    return out;
}

class Parser {
public:
    explicit Parser(std::string_view text) : s_(text) {}

    std::optional<double> parse() {
        auto v = sum();
        skipBlanks();
        return v && s_.empty() ? v : std::nullopt;
    }

private:
    void skipBlanks() {
        while (!s_.empty() && s_.front() == ' ') {
            s_.remove_prefix(1);
        }
    }
    bool take(char c) {
        skipBlanks();
        if (!s_.empty() && s_.front() == c) {
            s_.remove_prefix(1);
            return true;
        }
        return false;
    }
    bool takeWord(std::string_view w) {
        skipBlanks();
        if (startsWith(s_, w)) {
            s_.remove_prefix(w.size());
            return true;
        }
        return false;
    }
    std::optional<double> sum() {
        auto v = product();
        while (v) {
            if (take('+')) {
                const auto r = product();
                v = r ? std::optional(*v + *r) : std::nullopt;
            } else if (take('-')) {
                const auto r = product();
                v = r ? std::optional(*v - *r) : std::nullopt;
            } else {
                break;
            }
        }
        return v;
    }
    std::optional<double> product() {
        auto v = power();
        while (v) {
            if (take('*')) {
                const auto r = power();
                v = r ? std::optional(*v * *r) : std::nullopt;
            } else if (take('/')) {
                const auto r = power();
                v = r ? std::optional(*v / *r) : std::nullopt;
            } else {
                break;
            }
        }
        return v;
    }
    std::optional<double> power() {
        auto v = unary();
        if (v && take('^')) {
            const auto r = power();
            v = r ? std::optional(std::pow(*v, *r)) : std::nullopt;
        }
        return v;
    }
    std::optional<double> unary() {
        if (take('-')) {
            const auto v = unary();
            return v ? std::optional(-*v) : std::nullopt;
        }
        return primary();
    }
    std::optional<double> primary() {
        skipBlanks();
        if (take('(')) {
            const auto v = sum();
            return v && take(')') ? v : std::nullopt;
        }
        if (takeWord("pi")) {
            return std::numbers::pi;
        }
        for (const auto& [name, f] : {std::pair{"exp", +[](double x) { return std::exp(x); }},
                                      std::pair{"ln", +[](double x) { return std::log(x); }},
                                      std::pair{"sqrt", +[](double x) { return std::sqrt(x); }}}) {
            if (takeWord(name)) {
                const auto v = take('(') ? sum() : std::nullopt;
                return v && take(')') ? std::optional(f(*v)) : std::nullopt;
            }
        }
        std::string number = takeDigits(s_);
        if (!s_.empty() && (s_.front() == ',' || s_.front() == '.')) {
            s_.remove_prefix(1);
            number += '.' + takeDigits(s_);
        }
        if (number.empty() || number == ".") {
            return std::nullopt;
        }
        return toDouble(number);
    }

    std::string_view s_;
};

} // namespace

std::optional<Figure> parseFigure(std::string_view s) {
    const bool negative = takeMinus(s);
    std::string digits = takeDigits(s);
    if (digits.empty()) {
        return std::nullopt;
    }
    // Groups of three digits after a blank: "1 000", "22 000".
    while (s.size() >= 4 && s[0] == ' ' && isDigit(s[1]) && isDigit(s[2]) && isDigit(s[3]) &&
           (s.size() == 4 || !isDigit(s[4]))) {
        digits += s.substr(1, 3);
        s.remove_prefix(4);
    }
    int decimals = 0;
    if (startsWith(s, ",")) {
        s.remove_prefix(1);
        const std::string fraction = takeDigits(s);
        if (fraction.empty()) {
            return std::nullopt;
        }
        decimals = int(fraction.size());
        digits += '.' + fraction;
    }
    double exponent = 0;
    if (startsWith(s, "·10")) {
        s.remove_prefix(std::string_view("·10").size());
        const bool down = takeMinus(s);
        const std::string e = takeDigits(s);
        if (e.empty()) {
            return std::nullopt;
        }
        exponent = (down ? -1 : 1) * toDouble(e);
    }
    double factor = 1;
    Figure f;
    if (!s.empty()) {
        if (s.front() != ' ') {
            return std::nullopt;
        }
        s.remove_prefix(1);
        const Unit* unit = nullptr;
        for (const Unit& u : kUnits) {
            unit = u.text == s ? &u : unit;
        }
        if (!unit) {
            return std::nullopt;
        }
        factor = unit->factor;
        f.unit = unit->base;
    }
    const double scale = std::pow(10.0, exponent) * factor;
    f.value = (negative ? -1 : 1) * toDouble(digits) * scale;
    f.halfStep = 0.5 * std::pow(10.0, -decimals) * scale;
    if (!std::isfinite(f.value) || !std::isfinite(f.halfStep)) {
        return std::nullopt;
    }
    return f;
}

bool roundsTo(double exact, const Figure& figure) {
    // A little room for the single precision of the simulator's values.
    const double room = figure.halfStep * (1 + 1e-6) + std::fabs(exact) * 2e-7;
    return std::fabs(exact - figure.value) <= room;
}

std::optional<double> evaluate(std::string_view expression) {
    const auto v = Parser(expression).parse();
    return v && std::isfinite(*v) ? v : std::nullopt;
}

std::string screenForm(std::string_view text) {
    std::string out;
    while (!text.empty()) {
        if (startsWith(text, kMinus)) {
            out += '-';
            text.remove_prefix(kMinus.size());
        } else if (startsWith(text, kNoBreakSpace) || startsWith(text, kNarrowNoBreakSpace)) {
            out += ' ';
            text.remove_prefix(startsWith(text, kNoBreakSpace) ? kNoBreakSpace.size()
                                                               : kNarrowNoBreakSpace.size());
        } else {
            out += text.front();
            text.remove_prefix(1);
        }
    }
    return out;
}

} // namespace ohmora::pack
