#pragma once
// The shipped texts read as a French publisher reads them: their words and
// spaces decoded from RTF, HTML or a manual page's roff, checked for the
// spaces that must not break and the signs French typography asks for, and
// searched for the figures a correction states.

#include <string>
#include <string_view>
#include <vector>

namespace ohmora::pack {

// The text of a document, in UTF-8, paragraphs ending with a line feed. A
// no-break space stays U+00A0 and a narrow one U+202F: RTF "\~" and
// "\u8239?", HTML "&nbsp;" and "&#8239;", roff "\~" and "\ ".
std::string rtfText(std::string_view rtf);
std::string htmlText(std::string_view html);
std::string roffText(std::string_view roff); // prose only: no examples, no comments

// The places where French typography is not kept: a breakable or missing
// space before ; ? ! » or after « (a narrow no-break space belongs there),
// before : (a no-break space), between a number and its unit, between
// groups of digits; a hyphen for a minus sign; an apostrophe for a prime.
// Each is given with the words around it. The program's own captions and
// messages keep their spacing where a text quotes them exactly. A terminal
// has no narrow space: a manual page's no-break space stands for both.
enum class Spacing { Print, Terminal };
std::vector<std::string> typographyFaults(std::string_view text, Spacing spacing = Spacing::Print);

// The figures a correction states as results: every number with a unit
// (or %) and every number written after = or ≈, except zero; a number
// followed at once by a letter (5τ, 2π) is a factor and one followed by a
// slash a numerator (1/2), not a figure. Each is given as written, its
// spaces as blanks.
struct StatedFigure {
    std::string text;    // "3,79 V", "0,632", "−6,00 mA"
    std::string context; // the words around it
};
std::vector<StatedFigure> statedFigures(std::string_view text);

} // namespace ohmora::pack
