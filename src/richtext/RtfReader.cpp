#include "richtext/RtfReader.h"

#include "richtext/RtfParser.h"

namespace ohmora::rtf {

bool looksLikeRtf(std::string_view bytes) {
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF") {
        bytes.remove_prefix(3);
    }
    const std::size_t start = bytes.find_first_not_of(" \t\r\n");
    if (start == std::string_view::npos || bytes[start] != '{') {
        return false;
    }
    const std::size_t word = bytes.find_first_not_of(" \t\r\n", start + 1);
    return word != std::string_view::npos && word + 1 < bytes.size() && bytes[word] == '\\' &&
           ((bytes[word + 1] >= 'a' && bytes[word + 1] <= 'z') ||
            (bytes[word + 1] >= 'A' && bytes[word + 1] <= 'Z'));
}

Document readRtfDocument(std::string_view bytes) {
    return Parser(bytes).run();
}

} // namespace ohmora::rtf
