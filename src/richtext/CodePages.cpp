#include "richtext/CodePages.h"

#include "files/Windows1252.h"

#include <array>
#include <cstdint>
#include <iconv.h>
#include <map>
#include <memory>
#include <mutex>
#include <string_view>

namespace ohmora::rtf {

namespace {

constexpr char16_t kReplacement = u'\uFFFD';

struct CharsetCodePage {
    int charset;
    int codePage;
};

// \fcharsetN and the code page of each, as Windows and the Macintosh number
// them.
constexpr auto kCharsets = std::to_array<CharsetCodePage>({
    {0, 1252},   {77, 10000}, {78, 10001}, {79, 10003}, {80, 10008}, {81, 10002}, {82, 10001},
    {83, 10005}, {84, 10004}, {85, 10006}, {86, 10081}, {87, 10021}, {88, 10029}, {89, 10007},
    {128, 932},  {129, 949},  {130, 1361}, {134, 936},  {136, 950},  {161, 1253}, {162, 1254},
    {163, 1258}, {177, 1255}, {178, 1256}, {179, 1256}, {180, 1256}, {181, 1255}, {186, 1257},
    {204, 1251}, {222, 874},  {238, 1250}, {254, 437},  {255, 850},
});

// The names iconv gives the code pages it does not call "CP" followed by
// their number; the Macintosh sets of East Asia are read as their Windows
// or EUC relatives.
struct CodePageName {
    int codePage;
    const char* name;
};
constexpr auto kNames = std::to_array<CodePageName>({
    {1361, "JOHAB"},
    {10000, "MACINTOSH"},
    {10001, "CP932"},
    {10002, "BIG5"},
    {10003, "EUC-KR"},
    {10007, "MAC-CYRILLIC"},
    {10008, "EUC-CN"},
    {10029, "MAC-CENTRALEUROPE"},
    {10079, "MAC-IS"},
});

struct LeadRange {
    int codePage;
    unsigned char first;
    unsigned char last;
};
constexpr auto kLeadRanges = std::to_array<LeadRange>({
    {932, 0x81, 0x9F},
    {932, 0xE0, 0xFC},
    {10001, 0x81, 0x9F},
    {10001, 0xE0, 0xFC},
    {936, 0x81, 0xFE},
    {949, 0x81, 0xFE},
    {950, 0x81, 0xFE},
    {1361, 0x84, 0xD3},
    {1361, 0xD8, 0xDE},
    {1361, 0xE0, 0xF9},
    {10002, 0xA1, 0xF9},
    {10003, 0xA1, 0xFE},
    {10008, 0xA1, 0xF7},
});

std::string iconvName(int codePage) {
    for (const CodePageName& entry : kNames) {
        if (entry.codePage == codePage) {
            return entry.name;
        }
    }
    return "CP" + std::to_string(codePage);
}

// iconv_open's answer when it has no such conversion, (iconv_t)-1.
bool opened(const void* conversion) {
    return reinterpret_cast<std::intptr_t>(conversion) != -1;
}

iconv_t openConversion(int codePage) {
    return iconv_open("UTF-16LE", iconvName(codePage).c_str());
}

// Converts `bytes` as a whole; nothing when iconv refuses them.
std::u16string convert(iconv_t conversion, std::string_view bytes) {
    iconv(conversion, nullptr, nullptr, nullptr, nullptr); // a fresh start
    std::array<char, 16> output{};
    auto* in = const_cast<char*>(bytes.data()); // iconv's interface, which reads only
    std::size_t inLeft = bytes.size();
    char* out = output.data();
    std::size_t outLeft = output.size();
    if (iconv(conversion, &in, &inLeft, &out, &outLeft) == static_cast<std::size_t>(-1) ||
        inLeft != 0 ||
        iconv(conversion, nullptr, nullptr, &out, &outLeft) == static_cast<std::size_t>(-1)) {
        return {};
    }
    std::u16string text;
    for (const char* p = output.data(); p + 1 < out; p += 2) {
        text.push_back(static_cast<char16_t>(static_cast<unsigned char>(p[0]) |
                                             static_cast<unsigned char>(p[1]) << 8));
    }
    return text;
}

std::u16string westernTable() {
    std::u16string table(256, u'\0');
    for (int b = 0; b < 256; ++b) {
        table[static_cast<std::size_t>(b)] =
            static_cast<char16_t>(files::windows1252Character(static_cast<unsigned char>(b)));
    }
    return table;
}

std::u16string buildTable(int codePage) {
    if (codePage == kWesternCodePage) {
        return westernTable();
    }
    const iconv_t conversion = openConversion(codePage);
    if (!opened(conversion)) {
        return westernTable();
    }
    std::u16string table(256, kReplacement);
    for (int b = 0; b < 256; ++b) {
        const char byte = static_cast<char>(b);
        const std::u16string c = convert(conversion, std::string_view(&byte, 1));
        if (c.size() == 1) {
            table[static_cast<std::size_t>(b)] = c.front();
        }
    }
    iconv_close(conversion);
    return table;
}

} // namespace

int codePageOfCharset(int charset) {
    for (const CharsetCodePage& entry : kCharsets) {
        if (entry.charset == charset) {
            return entry.codePage;
        }
    }
    return 0;
}

bool isLeadByte(int codePage, unsigned char byte) {
    for (const LeadRange& range : kLeadRanges) {
        if (range.codePage == codePage && byte >= range.first && byte <= range.last) {
            return true;
        }
    }
    return false;
}

const std::u16string& singleByteTable(int codePage) {
    static std::mutex mutex;
    static std::map<int, std::unique_ptr<const std::u16string>> tables;
    const std::scoped_lock lock(mutex);
    auto& table = tables[codePage];
    if (!table) {
        table = std::make_unique<const std::u16string>(buildTable(codePage));
    }
    return *table;
}

void appendDecoded(const Charset& charset, unsigned char byte, std::u16string& out) {
    if (charset.symbols == SymbolFont::None) {
        out.push_back(singleByteTable(charset.codePage)[byte]);
        return;
    }
    const char32_t c = decodeSymbol(charset.symbols, byte);
    if (c > 0xFFFF) {
        out.push_back(static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10)));
        out.push_back(static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF)));
    } else {
        out.push_back(static_cast<char16_t>(c));
    }
}

PairDecoder::~PairDecoder() {
    for (const auto& [codePage, conversion] : conversions_) {
        if (opened(conversion)) {
            iconv_close(static_cast<iconv_t>(conversion));
        }
    }
}

void PairDecoder::append(int codePage, unsigned char lead, unsigned char trail,
                         std::u16string& out) {
    void* conversion = nullptr;
    for (const auto& [page, open] : conversions_) {
        if (page == codePage) {
            conversion = open;
        }
    }
    if (!conversion) {
        conversion = openConversion(codePage);
        conversions_.emplace_back(codePage, conversion);
    }
    const std::array<char, 2> pair = {static_cast<char>(lead), static_cast<char>(trail)};
    const std::u16string c = !opened(conversion) ? std::u16string()
                                                 : convert(static_cast<iconv_t>(conversion),
                                                           std::string_view(pair.data(), 2));
    out += c.empty() ? std::u16string(1, kReplacement) : c;
}

unsigned char encodeWindows1252(char16_t c) {
    // Control characters have no byte here, nor the five bytes the code
    // page leaves unassigned.
    if (c < 0x20 || (c >= 0x7F && c < 0xA0)) {
        return 0;
    }
    return files::windows1252Byte(c).value_or(0);
}

} // namespace ohmora::rtf
