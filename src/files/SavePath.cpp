#include "files/SavePath.h"

#include "core/FrenchNumber.h"
#include "files/ConfigurationFile.h"

namespace ohmora::files {

namespace {

constexpr char kSeparator = '/';

} // namespace

std::optional<std::string> buildSavePath(std::string_view typed, std::string_view directory) {
    std::string text(fr::trimBlanks(typed));
    for (;;) {
        const size_t nameStart =
            text.rfind(kSeparator) == std::string::npos ? 0 : text.rfind(kSeparator) + 1;
        const size_t dot = text.rfind('.');
        if (dot == std::string::npos || dot < nameStart) {
            break;
        }
        text = std::string(fr::trimBlanks(std::string_view(text).substr(0, dot)));
    }
    const size_t separator = text.rfind(kSeparator);
    const std::string_view name = separator == std::string::npos
                                      ? std::string_view(text)
                                      : std::string_view(text).substr(separator + 1);
    if (fr::trimBlanks(name).empty()) {
        return std::nullopt;
    }
    // A name typed without a directory, or with a relative one, goes in
    // the directory of the list.
    if (text.front() != kSeparator) {
        text = withFinalSeparator(directory) + text;
    }
    return text + std::string(kConfigurationExtension);
}

std::string bareName(std::string_view typed) {
    const size_t separator = typed.rfind(kSeparator);
    return std::string(separator == std::string_view::npos ? typed : typed.substr(separator + 1));
}

std::string withFinalSeparator(std::string_view directory) {
    std::string out(directory);
    if (out.empty() || out.back() != kSeparator) {
        out += kSeparator;
    }
    return out;
}

} // namespace ohmora::files
