#include "richtext/MetafileSvg.h"
#include "richtext/SvgText.h"

#include <emf2svg.h>

#include <cstdlib>
#include <memory>

namespace ohmora::rtf {

namespace {

constexpr std::string_view kFamily = "font-family=\"";

struct FreeBuffer {
    void operator()(char* buffer) const { std::free(buffer); } // NOLINT: libemf2svg's malloc
};

// A text element's content in a symbol font, within its CDATA section.
std::string symbolContent(std::string_view content, std::string_view family) {
    constexpr std::string_view kOpen = "<![CDATA[";
    constexpr std::string_view kClose = "]]>";
    if (content.size() >= kOpen.size() + kClose.size() &&
        content.substr(0, kOpen.size()) == kOpen &&
        content.substr(content.size() - kClose.size()) == kClose) {
        const std::string_view inner =
            content.substr(kOpen.size(), content.size() - kOpen.size() - kClose.size());
        return std::string(kOpen) + decodeSymbolText(inner, family) + std::string(kClose);
    }
    return decodeSymbolText(content, family);
}

// The text elements' fonts made those the system has, and the signs of
// symbol fonts made Unicode.
std::string withInstalledFonts(std::string_view svg) {
    std::string out;
    out.reserve(svg.size());
    std::size_t at = 0;
    while (true) {
        const std::size_t tag = svg.find("<text", at);
        const std::size_t tagEnd = tag == std::string_view::npos ? tag : svg.find('>', tag);
        const std::size_t family = tag == std::string_view::npos ? tag : svg.find(kFamily, tag);
        if (tagEnd == std::string_view::npos || family == std::string_view::npos ||
            family > tagEnd) {
            out.append(svg.substr(at));
            return out;
        }
        const std::size_t nameStart = family + kFamily.size();
        const std::size_t nameEnd = svg.find('"', nameStart);
        const std::size_t close = svg.find("</text>", tagEnd);
        if (nameEnd == std::string_view::npos || nameEnd > tagEnd ||
            close == std::string_view::npos) {
            out.append(svg.substr(at));
            return out;
        }
        const std::string_view name = svg.substr(nameStart, nameEnd - nameStart);
        out.append(svg.substr(at, nameStart - at));
        out += installedFamily(name);
        out.append(svg.substr(nameEnd, tagEnd + 1 - nameEnd));
        const std::string_view content = svg.substr(tagEnd + 1, close - tagEnd - 1);
        out += isSymbolFamily(name, 0) ? symbolContent(content, name) : std::string(content);
        at = close;
    }
}

} // namespace

std::optional<std::string> emfToSvg(std::string_view bytes) {
    if (bytes.size() > kMaxMetafileBytes || bytes.size() < 88) {
        return std::nullopt;
    }
    std::string input(bytes); // libemf2svg takes a mutable buffer
    generatorOptions options{};
    std::string nameSpace;
    options.nameSpace = nameSpace.data();
    // GDI+ files give their EMF+ records EMF twins, which are drawn; the
    // library's reading of EMF+ records is not robust.
    options.emfplus = false;
    options.svgDelimiter = true;
    char* svg = nullptr;
    std::size_t length = 0;
    const int converted = emf2svg(input.data(), input.size(), &svg, &length, &options);
    const std::unique_ptr<char, FreeBuffer> owned(svg);
    if (converted == 0 || !svg || length == 0 || length > kMaxSvgBytes) {
        return std::nullopt;
    }
    return withInstalledFonts(std::string_view(svg, length));
}

} // namespace ohmora::rtf
