#include "richtext/FontTable.h"

#include <algorithm>

namespace ohmora::rtf {

namespace {

constexpr std::size_t kMaxFontName = 256;

bool isSymbolFont(const Charset& charset) {
    return charset.symbols != SymbolFont::None;
}

} // namespace

void FontTable::beginEntry(int number) {
    finishEntry();
    entryNumber_ = number;
    entryOpen_ = true;
}

void FontTable::word(Keyword keyword, int parameter) {
    if (keyword == Keyword::FontCharset) {
        entry_.charset = parameter;
    } else if (keyword == Keyword::FontCodePage) {
        entry_.codePage = parameter;
    }
}

Charset FontTable::entryCharset(int documentCodePage) const {
    // A symbol font's name is written in letters.
    return {charsetOf(entry_, documentCodePage).codePage};
}

void FontTable::nameCharacter(char16_t c) {
    if (c == u';') {
        finishEntry();
    } else if (entryOpen_ && c >= 0x20 && entry_.name.size() < kMaxFontName) {
        entry_.name.push_back(c);
    }
}

void FontTable::finishEntry() {
    if (entryOpen_ && fonts_.size() < kMaxFonts) {
        std::u16string& name = entry_.name;
        const auto notBlank = [](char16_t c) { return c != u' '; };
        name.erase(name.begin(), std::find_if(name.begin(), name.end(), notBlank));
        name.erase(std::find_if(name.rbegin(), name.rend(), notBlank).base(), name.end());
        if (!name.empty()) {
            if (fonts_.find(entryNumber_) == fonts_.end()) {
                order_.push_back(entryNumber_);
            }
            fonts_.insert_or_assign(entryNumber_, std::move(entry_));
        }
    }
    entry_ = FontDefinition{};
    entryOpen_ = false;
}

void FontTable::finishTable(Document& document, int documentCodePage) {
    // Symbol fonts are not listed: their text is read as Unicode.
    for (; listed_ < order_.size(); ++listed_) {
        FontDefinition& font = fonts_[order_[listed_]];
        if (!isSymbolFont(charsetOf(font, documentCodePage))) {
            modelFont(font, document);
        }
    }
}

ResolvedFont FontTable::resolve(int number, int defaultFont, int documentCodePage,
                                Document& document) {
    const auto found = fonts_.find(number);
    if (found == fonts_.end()) {
        return {-1, Charset{documentCodePage}};
    }
    FontDefinition& font = found->second;
    const Charset charset = charsetOf(font, documentCodePage);
    if (!isSymbolFont(charset)) {
        return {modelFont(font, document), charset};
    }
    // Signs of a symbol font become Unicode characters, which the
    // document's default font shows.
    const auto fallback = fonts_.find(defaultFont);
    if (fallback != fonts_.end() && !isSymbolFont(charsetOf(fallback->second, documentCodePage))) {
        return {modelFont(fallback->second, document), charset};
    }
    return {-1, charset};
}

Charset FontTable::charsetOf(const FontDefinition& font, int documentCodePage) {
    // The name tells a symbol font only when the file gives no character
    // set, or gives the symbol set; a font named Symbol in an explicit
    // Western set holds Unicode text, as this writer writes it.
    if (font.charset == 1 || font.charset == 2) {
        const SymbolFont symbols = symbolFontNamed(font.name);
        if (symbols != SymbolFont::None || font.charset == 2) {
            return {documentCodePage, symbols == SymbolFont::None ? SymbolFont::Symbol : symbols};
        }
    }
    if (font.codePage > 0) {
        return {font.codePage};
    }
    const int codePage = codePageOfCharset(font.charset);
    return {codePage > 0 ? codePage : documentCodePage};
}

int FontTable::modelFont(FontDefinition& font, Document& document) {
    if (font.modelIndex == -2) {
        const auto found = std::find(document.fonts.begin(), document.fonts.end(), font.name);
        font.modelIndex = static_cast<int>(found - document.fonts.begin());
        if (found == document.fonts.end()) {
            document.fonts.push_back(font.name);
        }
    }
    return font.modelIndex;
}

void ColourTable::clear() {
    colours_.clear();
    set_ = false;
}

void ColourTable::red(int value) {
    red_ = std::clamp(value, 0, 255);
    set_ = true;
}

void ColourTable::green(int value) {
    green_ = std::clamp(value, 0, 255);
    set_ = true;
}

void ColourTable::blue(int value) {
    blue_ = std::clamp(value, 0, 255);
    set_ = true;
}

void ColourTable::finishEntry() {
    if (colours_.size() < kMaxColours) {
        colours_.push_back(set_ ? static_cast<std::uint32_t>(red_ << 16 | green_ << 8 | blue_)
                                : kNoColour);
    }
    red_ = green_ = blue_ = 0;
    set_ = false;
}

std::uint32_t ColourTable::colour(int index) const {
    if (index <= 0 || static_cast<std::size_t>(index) >= colours_.size()) {
        return kNoColour;
    }
    return colours_[static_cast<std::size_t>(index)];
}

} // namespace ohmora::rtf
