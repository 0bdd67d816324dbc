#pragma once
// `ohmora-cli run`: drives the simulation core with the same handlers as the
// window, in the order of the arguments, then writes the requested outputs.

#include <iosfwd>
#include <string>
#include <vector>

namespace ohmora::cli {

// `args` are the words after "run". Returns the exit code: 0 on success, 1
// when an output cannot be written, 2 on wrong arguments (nothing is then
// run nor written).
int runCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace ohmora::cli
