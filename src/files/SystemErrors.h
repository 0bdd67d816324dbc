#pragma once
// What a failed file operation tells the user: the system's reason, in
// French whatever the system's language.

#include <string>

namespace ohmora::files {

// The reason behind an errno value, as a short French phrase.
std::string systemErrorText(int code);

} // namespace ohmora::files
