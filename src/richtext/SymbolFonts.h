#pragma once
// The fonts whose bytes stand for signs rather than letters (\fcharset2):
// Symbol (Greek letters and mathematical signs), Wingdings, Zapf Dingbats
// and MT Extra, each read as the Unicode characters of its signs, which
// any font shows.

#include <cstdint>
#include <string_view>

namespace ohmora::rtf {

enum class SymbolFont : std::uint8_t { None, Symbol, Wingdings, ZapfDingbats, MtExtra };

// The symbol font of that name, or None.
SymbolFont symbolFontNamed(std::u16string_view name);

// The Unicode character of a byte in a symbol font; U+FFFD where the font's
// sign has none.
char32_t decodeSymbol(SymbolFont font, unsigned char byte);

} // namespace ohmora::rtf
