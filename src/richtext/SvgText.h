#pragma once
// What the metafile converters share to write SVG text: the installed font
// that shows a metafile's font (the fonts of equation editors included), the
// Unicode text of its bytes, and XML escaping.

#include <string>
#include <string_view>

namespace ohmora::rtf {

// The family to draw a metafile font with: the symbol fonts, whose signs are
// read as Unicode, and the mathematical fonts are drawn with installed fonts
// that hold those signs; other families are left to the system's font
// matching (which shows Times New Roman and Arial with their
// metric-compatible Liberation fonts).
std::string installedFamily(std::string_view family);

// True when the family is a symbol font whose bytes stand for signs.
bool isSymbolFamily(std::string_view family, int charset);

// The UTF-8 text of a metafile's 8-bit text in a font of that family and
// character set (\fcharset numbers, which metafiles share).
std::string decodeMetafileText(std::string_view bytes, std::string_view family, int charset);

// The UTF-8 text of UTF-8 text in a symbol font, its signs (at their byte or
// at U+F020 to U+F0FF) made Unicode.
std::string decodeSymbolText(std::string_view utf8, std::string_view family);

void appendUtf8(std::string& out, char32_t c);
std::string xmlEscaped(std::string_view utf8);

} // namespace ohmora::rtf
