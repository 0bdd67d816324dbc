// The evaluator on arbitrary bytes: it must end (libFuzzer's timeout catches
// a hang), never crash, return one of its four codes, leave a number on
// success, and never let the text grow without bound.
#include "calculator/CalculatorDisplay.h"
#include "calculator/Evaluator.h"
#include "calculator/NumberText.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace {

// Spacing at most triples a character, plus the two end blanks. Every
// rewrite then replaces an operator, a bracket or a function name (with its
// operands) by one written number of at most 22 characters
// ("-1.23456789012345E-308"); a typed character pays for at most two
// rewrites, since a result's sign may become an operator once. Hence at
// most 3n + 2 + 2 * 22n characters for n typed ones.
std::size_t lengthBound(std::size_t typed) {
    return 48 * typed + 64;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    // The first byte picks the angle mode and the display format.
    const int angleMode = (data[0] & 1) != 0 ? ohmora::kRadians : ohmora::kDegrees;
    const bool scientific = (data[0] & 2) != 0;
    const std::string typed(reinterpret_cast<const char*>(data + 1), size - 1);

    std::string text = typed;
    const int code = ohmora::calcule(text, angleMode);
    if (code < 0 || code > 3) {
        __builtin_trap();
    }
    if (text.size() > lengthBound(typed.size())) {
        __builtin_trap();
    }
    if (code == ohmora::kCodeSuccess && !ohmora::isNumberText(text)) {
        __builtin_trap();
    }

    // What the entry line would show then: a finite value, or overflow.
    if (code == ohmora::kCodeSuccess) {
        const std::optional<std::string> shown = ohmora::displayText(text, scientific);
        if (shown && shown->size() > 24) {
            __builtin_trap();
        }
    }
    return 0;
}
