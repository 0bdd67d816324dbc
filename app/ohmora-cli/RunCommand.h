#pragma once
// `ohmora-cli run`: drives the application layer with the same handlers and
// actions as the window, in the order of the arguments, then writes the
// requested outputs.

#include <iosfwd>
#include <string>
#include <vector>

namespace ohmora::cli {

// `args` are the words after "run". Returns the exit code: 0 on success, 1
// when an action failed or an output could not be written, 2 on wrong
// arguments (nothing is then run nor written).
int runCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace ohmora::cli
