#pragma once
// The usage texts of both programs, written from their tables of options:
// each option's name, the value it takes and its help, in French, the help
// wrapped to the width of a terminal.

#include <string>
#include <string_view>

namespace ohmora::app {

inline constexpr std::size_t kHelpColumn = 26; // where each help text starts
inline constexpr std::size_t kUsageWidth = 79;

// The characters of a UTF-8 text, as a terminal shows them.
inline std::size_t displayWidth(std::string_view text) {
    std::size_t n = 0;
    for (const char c : text) {
        n += (static_cast<unsigned char>(c) & 0xC0) != 0x80 ? 1 : 0;
    }
    return n;
}

// "  --name VALUE", then its help from kHelpColumn on (on the next line when
// the name is longer), wrapped at blanks to kUsageWidth.
inline std::string optionLines(std::string_view name, std::string_view value,
                               std::string_view help) {
    std::string out = "  ";
    out += name;
    if (!value.empty()) {
        out += ' ';
        out += value;
    }
    std::size_t column = displayWidth(out);
    if (column + 1 > kHelpColumn) {
        out += '\n';
        column = 0;
    }
    out.append(kHelpColumn - column, ' ');
    column = kHelpColumn;
    while (!help.empty()) {
        const std::size_t blank = help.find(' ');
        const std::string_view word = help.substr(0, blank);
        help = blank == std::string_view::npos ? std::string_view() : help.substr(blank + 1);
        if (column > kHelpColumn && column + 1 + displayWidth(word) > kUsageWidth) {
            out += '\n';
            out.append(kHelpColumn, ' ');
            column = kHelpColumn;
        } else if (column > kHelpColumn) {
            out += ' ';
            ++column;
        }
        out += word;
        column += displayWidth(word);
    }
    out += '\n';
    return out;
}

} // namespace ohmora::app
