#pragma once
// What the calculator's entry line shows after EXE. Shared by the window and
// by "ohmora-cli calc", so that both show the very same text.

#include <optional>
#include <string>
#include <string_view>

namespace ohmora {

inline constexpr std::string_view kPatienceText = "    Patience... Calculs en cours.     ";
inline constexpr std::string_view kMessageCalculImpossible = "Calcul impossible";
inline constexpr std::string_view kMessageParentheses = "Erreur saisie: revoir les parenthèses";
inline constexpr std::string_view kMessageOperateurs =
    "Erreur saisie: incompréhension sur opérateurs: ^ * / + -";
inline constexpr std::string_view kMessageDepassement = "Dépassement de capacité";

// The message for a failing result code of calcule() (1 to 3).
std::string_view messageForCode(int code);

// A value as the entry line shows it: in standard display written as a
// number after a blank when not negative (" 14", " .5", "-3"), in
// scientific display with the "#.#######E+00" mask. Nothing when the value
// cannot be written (not finite).
std::optional<std::string> displayValue(double value, bool scientific);

// The same for the value read from a text (leading-number rule); nothing
// when that value lies beyond the double range.
std::optional<std::string> displayText(std::string_view text, bool scientific);

struct ExeResult {
    std::string text;   // the result or the message, as the entry line shows it
    int codeerreur = 0; // 0 on success; a result that cannot be shown counts as 1
    std::string value;  // on success the result at full precision, else the message
    bool failed() const { return codeerreur != 0; }
};

// Evaluates the typed expression and gives what the entry line shows then.
ExeResult executeExpression(std::string expression, int angleMode, bool scientific);

} // namespace ohmora
