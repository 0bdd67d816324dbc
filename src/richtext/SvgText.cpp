#include "richtext/SvgText.h"

#include "richtext/CodePages.h"
#include "richtext/SymbolFonts.h"

#include <algorithm>
#include <array>
#include <cctype>

namespace ohmora::rtf {

namespace {

constexpr int kSymbolCharset = 2;

std::u16string utf16(std::string_view latin) {
    return {latin.begin(), latin.end()};
}

std::string lower(std::string_view text) {
    std::string out(text);
    std::transform(out.begin(), out.end(), out.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return out;
}

SymbolFont symbolsOf(std::string_view family) {
    return symbolFontNamed(utf16(family));
}

// Decodes one UTF-8 character at `at`; U+FFFD for a malformed one.
char32_t nextUtf8(std::string_view text, std::size_t& at) {
    const auto lead = static_cast<unsigned char>(text[at++]);
    int length = lead < 0x80 ? 0 : lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : -1;
    if (length < 0) {
        return U'\uFFFD';
    }
    char32_t c = length == 0 ? lead : lead & (0x3F >> length);
    for (; length > 0; --length) {
        if (at >= text.size() || (static_cast<unsigned char>(text[at]) & 0xC0) != 0x80) {
            return U'\uFFFD';
        }
        c = c << 6 | (static_cast<unsigned char>(text[at++]) & 0x3F);
    }
    return c;
}

} // namespace

std::string installedFamily(std::string_view family) {
    const std::string name = lower(family);
    if (symbolsOf(family) != SymbolFont::None) {
        return "DejaVu Serif";
    }
    if (name == "cambria math" || name == "euclid math one" || name == "stix math") {
        return "DejaVu Math TeX Gyre";
    }
    if (name == "cambria" || name == "euclid" || name == "euclid extra" ||
        name == "euclid symbol") {
        return "DejaVu Serif";
    }
    return std::string(family);
}

bool isSymbolFamily(std::string_view family, int charset) {
    return symbolsOf(family) != SymbolFont::None || charset == kSymbolCharset;
}

std::string decodeMetafileText(std::string_view bytes, std::string_view family, int charset) {
    SymbolFont symbols = symbolsOf(family);
    if (symbols == SymbolFont::None && charset == kSymbolCharset) {
        symbols = SymbolFont::Symbol;
    }
    const int codePage = codePageOfCharset(charset);
    const Charset set{codePage > 0 ? codePage : kWesternCodePage, symbols};
    std::u16string text;
    PairDecoder pairs;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        if (symbols == SymbolFont::None && isLeadByte(set.codePage, b) && i + 1 < bytes.size()) {
            pairs.append(set.codePage, b, static_cast<unsigned char>(bytes[++i]), text);
        } else {
            appendDecoded(set, b, text);
        }
    }
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t c = text[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size()) {
            c = 0x10000 + ((c - 0xD800) << 10) + (text[++i] - 0xDC00);
        }
        appendUtf8(out, c);
    }
    return out;
}

std::string decodeSymbolText(std::string_view utf8, std::string_view family) {
    SymbolFont symbols = symbolsOf(family);
    if (symbols == SymbolFont::None) {
        symbols = SymbolFont::Symbol;
    }
    std::string out;
    for (std::size_t at = 0; at < utf8.size();) {
        char32_t c = nextUtf8(utf8, at);
        if (c >= 0x20 && (c < 0x100 || (c >= 0xF020 && c <= 0xF0FF))) {
            c = decodeSymbol(symbols, static_cast<unsigned char>(c & 0xFF));
        }
        appendUtf8(out, c);
    }
    return out;
}

void appendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | c >> 6);
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | c >> 12);
        out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | c >> 18);
        out += static_cast<char>(0x80 | (c >> 12 & 0x3F));
        out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

std::string xmlEscaped(std::string_view utf8) {
    std::string out;
    for (const char c : utf8) {
        switch (c) {
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '&':
            out += "&amp;";
            break;
        case '"':
            out += "&quot;";
            break;
        default:
            // Control characters have no place in XML.
            if (static_cast<unsigned char>(c) >= 0x20 || c == '\t') {
                out += c;
            }
        }
    }
    return out;
}

} // namespace ohmora::rtf
