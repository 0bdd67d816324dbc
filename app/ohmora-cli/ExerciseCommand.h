#pragma once
// `ohmora-cli exercise FILE.E34`: what the exercise browser previews of an
// exercise file.

#include <iosfwd>
#include <string>
#include <vector>

namespace ohmora::cli {

// The preview's fields, "titre", "notions", "difficulte" (lit marks) and
// "correction", a TAB between key and value. Returns 0, 1 when the file
// cannot be read, 2 on wrong arguments.
int runExerciseCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace ohmora::cli
