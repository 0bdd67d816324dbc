#pragma once
// The usage text of ohmora-cli, printed by `ohmora-cli --help` and on a
// wrong command line: the one description of the commands and options.

#include <string>

namespace ohmora::cli {

std::string usageText();

} // namespace ohmora::cli
