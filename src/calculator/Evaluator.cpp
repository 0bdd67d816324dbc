#include "calculator/Evaluator.h"

#include "calculator/NumberText.h"

#include <array>
#include <cmath>
#include <string_view>

namespace ohmora {
namespace evaluator {

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

bool isUpperLetter(char c) {
    return c >= 'A' && c <= 'Z';
}

// Only ASCII letters change case: every name the evaluator knows is ASCII,
// and other bytes (UTF-8 sequences among them) must pass through intact.
void toUpperAscii(std::string& text) {
    for (char& c : text) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
}

void removeBlanks(std::string& text) {
    std::erase(text, ' ');
}

constexpr std::array<std::string_view, 10> kFunctionNames = {"SQR", "SIN", "COS", "LOG", "TAN",
                                                             "ISI", "EXP", "ITA", "ICO", "LON"};

bool isFunctionNameAt(std::string_view text, std::size_t position) {
    if (position + 3 > text.size()) {
        return false;
    }
    const std::string_view candidate = text.substr(position, 3);
    for (std::string_view name : kFunctionNames) {
        if (candidate == name) {
            return true;
        }
    }
    return false;
}

// One left-to-right sweep merging pairs of signs. Each test at a position
// sees the result of the previous one, so "---" becomes "-" in one sweep
// ("--" gives "+", then "+-" gives "-").
std::string mergeSigns(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        char c = text[i];
        std::size_t next = i + 1;
        auto pairIs = [&](char first, char second) {
            return c == first && next < text.size() && text[next] == second;
        };
        if (pairIs('-', '-')) {
            c = '+';
            ++next;
        }
        if (pairIs('+', '-')) {
            c = '-';
            ++next;
        }
        if (pairIs('-', '+')) {
            c = '-';
            ++next;
        }
        if (pairIs('+', '+')) {
            c = '+';
            ++next;
        }
        out.push_back(c);
        i = next;
    }
    return out;
}

// Takes plain numbers out of their parentheses: (-2.5) gives -2.5 and (3)
// gives 3, while (), (1E5) and (2+3) stay.
std::string unwrapPlainNumbers(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        if (text[i] == '(') {
            std::size_t j = i + 1;
            bool closed = false;
            for (; j < text.size(); ++j) {
                const char c = text[j];
                const bool first = j == i + 1;
                if (c == ')' && !first) {
                    closed = true;
                    break;
                }
                if (!(isDigit(c) || c == '.' || (first && (c == '-' || c == '+')))) {
                    break;
                }
            }
            if (closed) {
                out.append(text, i + 1, j - i - 1);
                i = j + 1;
                continue;
            }
        }
        out.push_back(text[i]);
        ++i;
    }
    return out;
}

// The text still to be walked by espace(), kept reversed so that the
// rewrites at the walking position, all at its front, cost nothing.
class Remainder {
public:
    explicit Remainder(const std::string& text) : reversed_(text.rbegin(), text.rend()) {}
    bool empty() const { return reversed_.empty(); }
    std::size_t size() const { return reversed_.size(); }
    char at(std::size_t i) const { return reversed_[reversed_.size() - 1 - i]; }
    bool startsWith(std::string_view prefix) const {
        if (prefix.size() > size()) {
            return false;
        }
        for (std::size_t i = 0; i < prefix.size(); ++i) {
            if (at(i) != prefix[i]) {
                return false;
            }
        }
        return true;
    }
    // Replaces the first `count` characters by `text`.
    void replaceFront(std::size_t count, std::string_view text) {
        reversed_.resize(reversed_.size() - count);
        reversed_.append(text.rbegin(), text.rend());
    }
    void insertAt(std::size_t position, char c) {
        reversed_.insert(reversed_.end() - static_cast<std::ptrdiff_t>(position), c);
    }
    char takeFront() {
        const char c = reversed_.back();
        reversed_.pop_back();
        return c;
    }
    void appendTo(std::string& out) const { out.append(reversed_.rbegin(), reversed_.rend()); }

private:
    std::string reversed_;
};

// Applies the spacing rules at the walking position. Returns true when an
// operator was spaced out: the walk then skips the operator itself.
bool spaceAt(std::string& done, Remainder& rest) {
    if (rest.startsWith("\xC3\xB9")) { // "ù", the square root of old keyboards
        rest.replaceFront(2, "SQR");
    }
    if (rest.startsWith("LN")) {
        rest.replaceFront(2, "LON ");
    }
    if (rest.size() >= 3) {
        const std::string name{rest.at(0), rest.at(1), rest.at(2)};
        if (isFunctionNameAt(name, 0) && (rest.size() == 3 || rest.at(3) != ' ')) {
            rest.insertAt(3, ' ');
        }
    }
    if (rest.startsWith("INV") && rest.size() >= 6 && isUpperLetter(rest.at(3)) &&
        isUpperLetter(rest.at(4)) && isUpperLetter(rest.at(5))) {
        const std::string internal{'I', rest.at(3), rest.at(4), ' '};
        rest.replaceFront(6, internal);
    }
    const char c = rest.at(0);
    const char before = done.empty() ? '\0' : done.back();
    const bool spaced =
        c == '^' || c == '*' || c == '/' || (c == '+' && before != 'D' && before != 'E') ||
        (c == '-' && before != 'D' && before != 'E' && before != '(' && before != ' ');
    if (spaced) {
        rest.takeFront();
        done.push_back(' ');
        done.push_back(c);
        rest.replaceFront(0, " ");
    }
    return spaced;
}

double readOperand(std::string_view text, bool& overflow) {
    const NumberReading reading = readLeadingNumber(text);
    overflow = overflow || reading.overflow;
    return reading.value;
}

double applyFunction(std::string_view name, double x, int angleMode) {
    const double pi = 4 * std::atan(1.0);
    auto arcSine = [pi](double v) {
        if (v == 1) {
            return pi / 2;
        }
        if (v == -1) {
            return -pi / 2;
        }
        return std::atan(v / std::sqrt(1 - v * v)); // NaN beyond +-1, caught by the caller
    };
    const bool degrees = angleMode != kRadians;
    const double angle = degrees ? x * 4 * std::atan(1.0) / 180 : x;
    const double toDegrees = degrees ? 180 / pi : 1;
    if (name == "SQR") {
        return std::sqrt(x);
    }
    if (name == "EXP") {
        return std::exp(x);
    }
    if (name == "LON") {
        return std::log(x);
    }
    if (name == "LOG") {
        return std::log(x) / std::log(10.0);
    }
    if (name == "SIN") {
        return std::sin(angle);
    }
    if (name == "COS") {
        return std::cos(angle);
    }
    if (name == "TAN") {
        return std::tan(angle);
    }
    if (name == "ISI") {
        return arcSine(x) * toDegrees;
    }
    if (name == "ICO") {
        return (2 * std::atan(1.0) - arcSine(x)) * toDegrees;
    }
    return std::atan(x) * toDegrees; // "ITA"
}

double applyOperator(char op, double left, double right) {
    switch (op) {
    case '^':
        return std::pow(left, right);
    case '/':
        return left / right;
    case '*':
        return left * right;
    case '-':
        return left - right;
    default:
        return left + right;
    }
}

bool isGoodValue(double value) {
    return std::isfinite(value);
}

void trimBlanks(std::string& text) {
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos) {
        text.clear();
        return;
    }
    text.erase(text.find_last_not_of(' ') + 1);
    text.erase(0, first);
}

} // namespace

void espace(std::string& text) {
    toUpperAscii(text);
    removeBlanks(text);
    if (!text.empty() && text.front() == '+') {
        text.erase(0, 1);
    }
    text = ' ' + text + ' ';
    // The walk covers at most three times the starting length, as the
    // rewriting always did; that is enough for every operator to triple.
    const std::size_t walkLength = 3 * text.size();
    std::string done;
    done.reserve(walkLength);
    Remainder rest(text);
    while (!rest.empty() && done.size() < walkLength) {
        if (!spaceAt(done, rest)) {
            done.push_back(rest.takeFront());
        }
    }
    rest.appendTo(done);
    text = std::move(done);
}

void normalise(std::string& text) {
    toUpperAscii(text);
    removeBlanks(text);
    // Every change below shortens the text, so the loop ends.
    for (;;) {
        std::string next = mergeSigns(text);
        if (!next.empty() && next.front() == '+') {
            next.erase(0, 1);
        }
        next = unwrapPlainNumbers(next);
        if (next == text) {
            break;
        }
        text = std::move(next);
    }
    espace(text);
}

int verifie(const std::string& text) {
    int code = kCodeSuccess;
    std::ptrdiff_t opened = 0;
    std::ptrdiff_t closed = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        opened += c == '(' ? 1 : 0;
        closed += c == ')' ? 1 : 0;
        if ((c == '*' || c == '/' || c == '^') && i + 2 < text.size() && text[i + 2] == ' ') {
            code = kCodeOperators;
        }
    }
    if (opened != closed) {
        code = kCodeBrackets;
    }
    return code;
}

Counts compte(const std::string& text) {
    Counts counts;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '(') {
            ++counts.parentheses;
        }
        if (i + 3 <= text.size() && text[i] == ' ' && text[i + 2] == ' ') {
            const char c = text[i + 1];
            if (c == '+' || c == '-' || c == '*' || c == '/' || c == '^') {
                ++counts.operators;
            }
        }
        if (isFunctionNameAt(text, i)) {
            ++counts.functions;
        }
    }
    return counts;
}

int fonctions(std::string& text, Counts& counts, int angleMode) {
    std::size_t k = 1;
    while (k < text.size() && counts.functions > 0) {
        const std::size_t argument = k + 4;
        if (isFunctionNameAt(text, k) && argument < text.size() &&
            (isDigit(text[argument]) || text[argument] == '-' || text[argument] == '.')) {
            std::size_t end = text.find_first_of(") ", argument);
            if (end == std::string::npos) {
                end = text.size();
            }
            bool overflow = false;
            const double x =
                readOperand(std::string_view(text).substr(argument, end - argument), overflow);
            const double r = applyFunction(std::string_view(text).substr(k, 3), x, angleMode);
            if (overflow || !isGoodValue(r)) {
                return kCodeImpossible;
            }
            text.replace(k, end - k, writeNumber(r));
            --counts.functions;
            k = 1;
            continue;
        }
        ++k;
    }
    return kCodeSuccess;
}

int parentheses(std::string& text, Counts& counts) {
    while (counts.parentheses > 0) {
        const std::size_t open = text.rfind('(');
        if (open == std::string::npos) {
            // Normalising may have unwrapped more groups than were counted:
            // nothing is left to reduce, which is not a failure.
            return kCodeSuccess;
        }
        const std::size_t close = text.find(')', open);
        if (close == std::string::npos) {
            return kCodeImpossible;
        }
        std::string group = text.substr(open + 1, close - open - 1);
        for (char c : group) {
            if (c >= 'F' && c <= 'Y') {
                return kCodeSuccess; // a function inside must be applied first
            }
        }
        normalise(group);
        // The group's own operators, all of them: a count left over from
        // before the last rewrite could stop short and leave part of the
        // group to be mixed with what surrounds it.
        Counts groupCounts = compte(group);
        if (groupCounts.operators > 0 && operations(group, groupCounts) != kCodeSuccess) {
            return kCodeImpossible;
        }
        text.replace(open, close - open + 1, group);
        --counts.parentheses;
        normalise(text);
    }
    return kCodeSuccess;
}

int operations(std::string& text, Counts& counts) {
    normalise(text);
    constexpr std::array<char, 5> kOrder = {'^', '/', '*', '-', '+'};
    std::size_t level = 0;
    while (level < kOrder.size()) {
        const char op = kOrder[level];
        bool replaced = false;
        // From the third character: an operator right at the start has no
        // left operand and is never applied.
        std::size_t p = 2;
        while (p + 3 <= text.size()) {
            if (!(text[p] == ' ' && text[p + 1] == op && text[p + 2] == ' ')) {
                ++p;
                continue;
            }
            const std::size_t previousBlank = text.rfind(' ', p - 1);
            const std::size_t leftStart =
                previousBlank == std::string::npos ? 0 : previousBlank + 1;
            const std::size_t rightStart = p + 3;
            std::size_t rightEnd = text.find(' ', rightStart);
            if (rightEnd == std::string::npos) {
                rightEnd = text.size();
            }
            const std::string_view view(text);
            bool overflow = false;
            const double left = readOperand(view.substr(leftStart, p - leftStart), overflow);
            const double right =
                readOperand(view.substr(rightStart, rightEnd - rightStart), overflow);
            const double result = applyOperator(op, left, right);
            if (overflow || !isGoodValue(result)) {
                return kCodeImpossible;
            }
            const std::string written = writeNumber(result);
            text.replace(leftStart, rightEnd - leftStart, written);
            replaced = true;
            if (--counts.operators < 1) {
                return kCodeSuccess;
            }
            p = leftStart + written.size();
        }
        level = replaced ? 0 : level + 1;
    }
    return kCodeSuccess;
}

} // namespace evaluator

int calcule(std::string& expression, int angleMode) {
    using namespace evaluator;
    if (expression.size() > kMaxExpressionLength) {
        return kCodeImpossible;
    }
    std::string& text = expression;
    normalise(text);
    if (const int code = verifie(text); code != kCodeSuccess) {
        return code;
    }
    Counts counts = compte(text);
    std::string previous;
    Counts previousCounts;
    for (int pass = 1;; ++pass) {
        const bool unchanged = pass > 1 && text == previous;
        if (unchanged) {
            normalise(text);
        }
        // A pass starting exactly as the previous one did repeats it, and so
        // would every pass up to the limit: the outcome is already known.
        if (pass > kMaxPasses || (unchanged && text == previous && counts == previousCounts)) {
            return kCodeImpossible;
        }
        previous = text;
        previousCounts = counts;
        if (counts.functions > 0) {
            if (fonctions(text, counts, angleMode) != kCodeSuccess) {
                return kCodeImpossible;
            }
            normalise(text);
        }
        if (counts.parentheses > 0 && parentheses(text, counts) != kCodeSuccess) {
            return kCodeImpossible;
        }
        counts = compte(text);
        if (counts.functions > 0 || counts.parentheses > 0) {
            continue;
        }
        if (counts.operators > 0) {
            if (operations(text, counts) != kCodeSuccess) {
                return kCodeImpossible;
            }
            counts = compte(text);
            if (counts.operators > 0) {
                continue;
            }
        }
        trimBlanks(text);
        if (text.find(' ') != std::string::npos) {
            return kCodeImpossible;
        }
        // A word that is no number ("PI", "X") would otherwise pass as a
        // result and be shown as 0.
        return isNumberText(text) ? kCodeSuccess : kCodeImpossible;
    }
}

} // namespace ohmora
