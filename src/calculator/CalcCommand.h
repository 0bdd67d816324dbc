#pragma once
// "ohmora-cli calc EXPR [--radians] [--scientific]": what the calculator's
// entry line shows after EXE for the typed expression.

#include <ostream>
#include <string>
#include <vector>

namespace ohmora {

// args are the words after "calc". Prints the entry line and a newline on
// `out`; returns 0 on success, 1 when the entry line shows an error message
// (printed on `out` too: the entry line is the output), 2 on wrong
// arguments, explained on `err`.
int runCalcCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace ohmora
