#pragma once
// The rules of the parameter boxes: the key filter, the limits of each box
// with their messages, the validation run when a box is left, and the
// values the formulas read from the texts.

#include "core/Circuit.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace ohmora {

inline constexpr std::string_view kValidationTitle = "Valeur incorrecte";

// The key filter of the parameter boxes: returns the character to insert
// (a full stop becomes a comma), or 0 to discard it. Backspace (8), Enter
// (13), the comma and the digits pass.
char filterParameterKey(char c);

// Limits of a box in the units entered. A box with a partner (the other
// resistance of its branch) has its minimum on the sum of the two.
struct ParameterLimits {
    float min;
    float max;
    int partner; // -1 when the box has none
};
const ParameterLimits& parameterLimits(int i);

using ParameterTexts = std::array<std::string, kParameterCount>;

// What leaving box i does to its text: the text written back and the
// messages shown, in order.
struct Validation {
    std::string text;
    std::vector<std::string_view> messages;
};
Validation validateParameter(int i, const ParameterTexts& textv);

// The values the formulas use: each text read as a number (unreadable
// counts as 0) and held within the limits, so that no evaluation divides by
// zero even for texts a configuration file brought unvalidated.
std::array<float, kParameterCount> parameterValues(const ParameterTexts& textv);

// Whether box i holds a generator voltage (its validation redraws the
// graph frame, whose scale depends on it).
constexpr bool isVoltageBox(int i) {
    return i == 0 || i == 4 || i == 10;
}

} // namespace ohmora
