#include "calculator/CalculatorSession.h"

#include "calculator/CalculatorDisplay.h"
#include "calculator/Evaluator.h"
#include "calculator/NumberText.h"

#include <cmath>

namespace ohmora {

namespace {

bool isBlankText(std::string_view text) {
    return text.find_first_not_of(' ') == std::string_view::npos;
}

std::string trimmed(std::string_view text) {
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) {
        return {};
    }
    return std::string(text.substr(first, text.find_last_not_of(' ') - first + 1));
}

bool isOneOf(char c, std::string_view set) {
    return set.find(c) != std::string_view::npos;
}

} // namespace

std::optional<CalculatorKey> keyForCharacter(char typed) {
    if (typed >= '0' && typed <= '9') {
        return static_cast<CalculatorKey>(static_cast<int>(CalculatorKey::Digit0) + (typed - '0'));
    }
    switch (typed) {
    case '.':
        return CalculatorKey::Point;
    case 'd':
    case 'e':
    case 'D':
    case 'E':
        return CalculatorKey::ToExp;
    case '(':
        return CalculatorKey::OpenBracket;
    case ')':
        return CalculatorKey::CloseBracket;
    case '*':
        return CalculatorKey::Multiply;
    case '/':
        return CalculatorKey::Divide;
    case '+':
        return CalculatorKey::Plus;
    case '-':
        return CalculatorKey::Minus;
    case '^':
        return CalculatorKey::Power;
    default:
        return std::nullopt;
    }
}

CalculatorSession::CalculatorSession(double& memoire) : memoire_(memoire) {}

namespace {

// The keys that write a text of their own: as it is, or as a factor, with
// the implicit multiplication before it.
struct TypedKey {
    const char* text;
    CalculatorKey key;
    bool factor;
};
using K = CalculatorKey;
constexpr TypedKey kTypedKeys[] = {
    {".", K::Point, false},       {"E", K::ToExp, false},        {"E+3", K::Kilo, false},
    {"E+6", K::Mega, false},      {"E+9", K::Giga, false},       {"E+12", K::Tera, false},
    {"E-3", K::Milli, false},     {"E-6", K::Micro, false},      {"E-9", K::Nano, false},
    {"E-12", K::Pico, false},     {")", K::CloseBracket, false}, {"(", K::OpenBracket, true},
    {"sin ", K::Sin, true},       {"cos ", K::Cos, true},        {"tan ", K::Tan, true},
    {"invSIN ", K::InvSin, true}, {"invCOS ", K::InvCos, true},  {"invTAN ", K::InvTan, true},
    {"ln ", K::Ln, true},         {"log ", K::Log, true},        {"exp ", K::Exp, true},
    {"10 ^ ", K::TenPower, true}, {"SQR ", K::Root, true},       {"1 / ", K::Inverse, true},
};

} // namespace

bool CalculatorSession::press(CalculatorKey key) {
    if (key >= K::Digit0 && key <= K::Digit9) {
        const int digit = static_cast<int>(key) - static_cast<int>(K::Digit0);
        append(std::string(1, static_cast<char>('0' + digit)));
        return false;
    }
    for (const TypedKey& typed : kTypedKeys) {
        if (typed.key == key) {
            if (typed.factor) {
                appendAfterProduct(typed.text);
            } else {
                append(typed.text);
            }
            return false;
        }
    }
    switch (key) {
    case K::Plus:
        // After "E" the plus is the exponent's sign.
        appendOperator(lastCharacter() == 'E' ? "+" : " + ", true);
        break;
    case K::Minus:
        appendMinus();
        break;
    case K::Multiply:
        appendOperator(" * ", true);
        break;
    case K::Divide:
        appendOperator(" / ", true);
        break;
    case K::Power:
        appendOperator(" ^ ", false);
        break;
    case K::Square:
        appendOperator(" ^ 2", false);
        break;
    case K::Pi:
        appendAfterProduct(writeNumber(4 * std::atan(1.0)));
        break;
    case K::Ans:
        appendAnswer();
        showSaisie();
        break;
    case K::Exe:
        return exe();
    case K::Efface:
        efface();
        break;
    case K::Raz:
        saisie_.clear();
        showSaisie();
        break;
    case K::MemoryPlus:
        return addToMemory(1);
    case K::MemoryMinus:
        return addToMemory(-1);
    case K::MemoryRecall:
        append(scientific_ ? formatScientific(memoire_) : writeNumber(memoire_));
        break;
    case K::MemoryClear:
        memoire_ = 0;
        break;
    default:
        break;
    }
    return false;
}

bool CalculatorSession::setScientific(bool scientific) {
    scientific_ = scientific;
    if (!saisie_.empty()) {
        return false;
    }
    const std::optional<std::string> shown = displayText(lastValue_, scientific_);
    entryLine_ = shown ? *shown : std::string(kMessageDepassement);
    return !shown;
}

void CalculatorSession::append(std::string_view text) {
    saisie_ += text;
    showSaisie();
}

// A function, "(", pi, "10 ^ " or "1 / " right after a number multiplies it.
void CalculatorSession::appendAfterProduct(std::string_view text) {
    if (!saisie_.empty() && !isOneOf(saisie_.back(), "(- ")) {
        saisie_ += " * ";
    }
    append(text);
}

void CalculatorSession::appendAnswer() {
    if (codeerreur_ == kCodeSuccess) {
        saisie_ += trimmed(reponse_);
    }
}

// Operators typed on a blank expression continue from the last answer.
void CalculatorSession::appendOperator(std::string_view text, bool needsEntry) {
    if (needsEntry && isBlankText(entryLine_)) {
        return;
    }
    if (isBlankText(saisie_)) {
        appendAnswer();
    }
    append(text);
}

void CalculatorSession::appendMinus() {
    if (saisie_.empty() || isOneOf(saisie_.back(), "( E")) {
        append("-"); // a sign
    } else if (saisie_.back() == '-') {
        append(" -");
    } else {
        append(" - ");
    }
}

void CalculatorSession::efface() {
    if (saisie_.empty()) {
        return;
    }
    const std::size_t size = saisie_.size();
    if (saisie_.back() != ' ') {
        saisie_.pop_back();
    } else if (size >= 2 && isOneOf(saisie_[size - 2], "*+/-^")) {
        saisie_.erase(size >= 3 ? size - 3 : 0); // an operator and its blanks
    } else {
        // A function word and its blank: back to what stood before the word.
        const std::size_t before =
            size >= 2 ? saisie_.find_last_of(" (", size - 2) : std::string::npos;
        saisie_.erase(before == std::string::npos ? 0 : before + 1);
    }
    showSaisie();
}

bool CalculatorSession::exe() {
    const std::string typed = saisie_;
    const ExeResult result = executeExpression(typed, radians_ ? kRadians : kDegrees, scientific_);
    codeerreur_ = result.codeerreur;
    entryLine_ = result.text;
    reponse_ = result.text;
    lastValue_ = result.value;
    // After a failure the typed expression stays for correction, while the
    // entry line shows the message until the next key.
    saisie_ = result.failed() ? typed : std::string();
    return result.failed();
}

bool CalculatorSession::addToMemory(double sign) {
    const NumberReading shown = readLeadingNumber(entryLine_);
    const double sum = memoire_ + sign * shown.value;
    if (shown.overflow || !std::isfinite(sum)) {
        // The memory keeps its value: a memory beyond the double range could
        // never be recalled as a number.
        entryLine_ = kMessageDepassement;
        return true;
    }
    memoire_ = sum;
    return false;
}

} // namespace ohmora
