#pragma once
// `ohmora-cli rtf FILE --text | --rewrite OUT.rtf`: what the exercise text
// area would make of an RTF file, as plain text or written back as RTF.

#include <iosfwd>
#include <string>
#include <vector>

namespace ohmora::cli {

// `args` are the words after "rtf". Returns 0 on success, 1 when FILE cannot
// be read or OUT cannot be written, 2 on wrong arguments.
int runRtfCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace ohmora::cli
