#pragma once
// The check lines of an exercise's manifest. Each names one figure of the
// correction and where it comes from: a formula of the course, the
// simulator's value at a date, a cell of the value table or a reading of the
// cursor after a scenario of clicks on K, or the arithmetic the correction
// writes. Verifying a line recomputes the figure.
//
//   check = [corr:] [SETTING; ...] KIND ARGUMENTS = FIGURE
//
// "corr:" starts from the correction's configuration instead of the
// statement's; a setting changes it first ("param.7=1 000", "duration=1 s",
// "quantities=5 6", "sustained=1", "trigger2=1"), as a pupil asked to type a
// value does. The kinds are listed in data/exercices/README.md.

#include "core/Controls.h"

#include <string>
#include <string_view>
#include <vector>

namespace ohmora::pack {

// The configurations a check line can start from.
struct CheckConfigurations {
    Controls statement;
    Controls correction;
};

struct CheckOutcome {
    std::string figure;                 // the figure as the correction writes it
    std::vector<std::string> arguments; // dates, rows and levels the line names
    std::string problem;                // empty when the figure is right
};

// The unit a parameter box is typed in: "V", "Ω", "µF" or "mH".
std::string_view boxUnit(int box);

CheckOutcome verifyCheck(const std::string& line, const CheckConfigurations& configurations);

} // namespace ohmora::pack
