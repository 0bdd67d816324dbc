#pragma once
// The path the save dialog builds from the name the user typed.

#include <optional>
#include <string>
#include <string_view>

namespace ohmora::files {

// Trims the blanks at both ends; removes every extension from the file name
// (the part after the last separator, so that a directory such as
// "tp.2024" in a typed path keeps its name), trimming again after each cut;
// puts `directory` in front, with a separator, unless the typed name is an
// absolute path; appends ".P16". Nothing when no file name remains ("", ".P16", a path
// ending with a separator).
std::optional<std::string> buildSavePath(std::string_view typed, std::string_view directory);

// What the name box keeps when the directory changes: the bare name after
// the last separator.
std::string bareName(std::string_view typed);

// A directory with a final separator.
std::string withFinalSeparator(std::string_view directory);

} // namespace ohmora::files
