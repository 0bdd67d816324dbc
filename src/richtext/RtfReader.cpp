#include "richtext/RtfReader.h"

#include "richtext/RtfParser.h"

namespace ohmora::rtf {

bool looksLikeRtf(std::string_view bytes) {
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF") {
        bytes.remove_prefix(3);
    }
    const std::size_t start = bytes.find_first_not_of(" \t\r\n");
    return start != std::string_view::npos && bytes.substr(start, 5) == "{\\rtf";
}

Document readRtfDocument(std::string_view bytes) {
    return Parser(bytes).run();
}

} // namespace ohmora::rtf
