#pragma once
// The character sets of RTF text: the code page of the document (\ansicpgN,
// or the Macintosh and PC sets of \mac, \pc and \pca), of a font (\fcharsetN
// or \cpgN), read through the C library's iconv; double-byte code pages
// (Japanese, Chinese, Korean) take a character as a lead byte and its trail;
// the symbol fonts read as the Unicode characters of their signs.

#include "richtext/SymbolFonts.h"

#include <string>
#include <utility>
#include <vector>

namespace ohmora::rtf {

constexpr int kWesternCodePage = 1252;
constexpr int kMacRomanCodePage = 10000;

// How the bytes of a run of text are read.
struct Charset {
    int codePage = kWesternCodePage;
    SymbolFont symbols = SymbolFont::None;

    bool operator==(const Charset&) const = default;
};

// The code page of \fcharsetN; 0 for the document's own set (1) and the
// symbol set (2), which the font's name tells.
int codePageOfCharset(int charset);

// True when the code page reads some characters as two bytes and `byte`
// starts one.
bool isLeadByte(int codePage, unsigned char byte);

// The character of a single byte; U+FFFD for a byte the set leaves
// unassigned. A symbol font's sign outside the Basic Multilingual Plane
// comes as its two UTF-16 halves.
void appendDecoded(const Charset& charset, unsigned char byte, std::u16string& out);

// The same for the code pages whose characters are all single bytes, as a
// table of the 256 bytes (the Western one for a code page iconv lacks).
const std::u16string& singleByteTable(int codePage);

// Reads the characters of double-byte code pages, through one iconv
// conversion per code page for as long as it lives.
class PairDecoder {
public:
    PairDecoder() = default;
    PairDecoder(const PairDecoder&) = delete;
    PairDecoder& operator=(const PairDecoder&) = delete;
    ~PairDecoder();

    // Appends the character of a lead byte and its trail (U+FFFD for a pair
    // the code page does not assign).
    void append(int codePage, unsigned char lead, unsigned char trail, std::u16string& out);

private:
    std::vector<std::pair<int, void*>> conversions_;
};

// The Windows-1252 byte of a character, or 0 when that set has none.
unsigned char encodeWindows1252(char16_t c);

} // namespace ohmora::rtf
