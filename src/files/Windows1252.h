#pragma once
// Windows-1252, the single-byte code page of the record files, converted to
// and from the UTF-8 the program works in. Only the record files' boundary
// converts; the five bytes the code page leaves undefined (0x81, 0x8D, 0x8F,
// 0x90, 0x9D) stand for the C1 controls of the same number, as Windows
// reads them, so every byte string survives a round trip.

#include <optional>
#include <string>
#include <string_view>

namespace ohmora::files {

// The character of one byte, and the byte of one character (nothing when the
// code page has no place for it): the one table of the code page, which the
// rich text's \'hh escapes share.
char32_t windows1252Character(unsigned char byte);
std::optional<unsigned char> windows1252Byte(char32_t c);

std::string utf8FromWindows1252(std::string_view bytes);

// The Windows-1252 bytes of a UTF-8 text; nothing when a character has no
// place in the code page (or the text is not valid UTF-8).
std::optional<std::string> windows1252FromUtf8(std::string_view text);

// The same, with '?' for each character the code page lacks.
std::string windows1252FromUtf8Lossy(std::string_view text);

} // namespace ohmora::files
