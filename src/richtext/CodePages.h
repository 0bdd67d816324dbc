#pragma once
// The single-byte character sets that RTF files use for their \'hh escapes
// and 8-bit text: Windows-1252 (Western, the default), Windows-1253 (Greek)
// and the symbol fonts, whose letters stand for Greek letters and signs.

#include <cstdint>

namespace ohmora::rtf {

enum class CodePage : std::uint8_t { Windows1252, Windows1253, Symbol, Wingdings };

// The Unicode character for a byte of the given set.
char16_t decodeByte(CodePage page, unsigned char byte);

// The Windows-1252 byte of a character, or 0 when that set has none.
unsigned char encodeWindows1252(char16_t c);

// The set named by an \ansicpgN code page number.
CodePage codePageFromNumber(int number);

// The set of a font's \fcharsetN; `documentPage` for the default set.
CodePage codePageFromCharset(int charset, CodePage documentPage);

} // namespace ohmora::rtf
