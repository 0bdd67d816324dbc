#include "calculator/CalculatorDisplay.h"

#include "calculator/Evaluator.h"
#include "calculator/NumberText.h"

#include <cmath>

namespace ohmora {

std::string_view messageForCode(int code) {
    switch (code) {
    case kCodeBrackets:
        return kMessageParentheses;
    case kCodeOperators:
        return kMessageOperateurs;
    default:
        return kMessageCalculImpossible;
    }
}

std::optional<std::string> displayValue(double value, bool scientific) {
    if (!std::isfinite(value)) {
        return std::nullopt;
    }
    // Both writers use the point whatever the system's settings, so there is
    // no decimal comma to turn back into a point here.
    if (scientific) {
        return formatScientific(value);
    }
    std::string written = writeNumber(value);
    return value < 0 ? written : ' ' + written;
}

std::optional<std::string> displayText(std::string_view text, bool scientific) {
    const NumberReading reading = readLeadingNumber(text);
    if (reading.overflow) {
        return std::nullopt;
    }
    return displayValue(reading.value, scientific);
}

ExeResult executeExpression(std::string expression, int angleMode, bool scientific) {
    const int code = calcule(expression, angleMode);
    if (code != kCodeSuccess) {
        const std::string message(messageForCode(code));
        return {message, code, message};
    }
    if (std::optional<std::string> shown = displayText(expression, scientific)) {
        return {std::move(*shown), kCodeSuccess, std::move(expression)};
    }
    // A result typed beyond the double range (1E999): it cannot be shown, and
    // it must not become the last answer either.
    const std::string message(kMessageDepassement);
    return {message, kCodeImpossible, message};
}

} // namespace ohmora
