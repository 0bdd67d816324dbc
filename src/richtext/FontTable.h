#pragma once
// The font table and the colour table of an RTF file, as the reader fills
// them from the \fonttbl and \colortbl groups, and what the body's \fN and
// \cfN find in them: a font of the document model with the code page its
// text is read in, or a colour.

#include "richtext/CodePages.h"
#include "richtext/RtfKeywords.h"
#include "richtext/RtfModel.h"

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

namespace ohmora::rtf {

struct FontDefinition {
    std::u16string name;
    int charset = 1;     // \fcharsetN; 1 is the document's default set
    int codePage = 0;    // \cpgN, 0 when the file gives none
    int modelIndex = -2; // the font in Document::fonts; -2 until first used
};

// What a run of text in a font is read as: its font in the document model
// (-1 for none) and the character set of its bytes.
struct ResolvedFont {
    int font = -1;
    Charset charset;
};

class FontTable {
public:
    static constexpr std::size_t kMaxFonts = 4096;

    // The entries, as the \fonttbl group gives them.
    void beginEntry(int number);
    void word(Keyword keyword, int parameter); // \fcharsetN, \cpgN
    // The set the entry's name is written in.
    Charset entryCharset(int documentCodePage) const;
    void nameCharacter(char16_t c); // ';' ends the entry
    void finishEntry();
    // The table is complete: its fonts are listed in the document in its
    // order, so that writing the document keeps them.
    void finishTable(Document& document, int documentCodePage);

    ResolvedFont resolve(int number, int defaultFont, int documentCodePage, Document& document);

private:
    static Charset charsetOf(const FontDefinition& font, int documentCodePage);
    int modelFont(FontDefinition& font, Document& document);

    std::unordered_map<int, FontDefinition> fonts_;
    std::vector<int> order_; // the font numbers in the order of the table
    std::size_t listed_ = 0;
    int entryNumber_ = -1;
    FontDefinition entry_;
    bool entryOpen_ = false;
};

class ColourTable {
public:
    static constexpr std::size_t kMaxColours = 4096;

    void clear();
    void red(int value);
    void green(int value);
    void blue(int value);
    void finishEntry(); // at each ';'

    // The colour of \cfN, or kNoColour for the automatic colour (0) and
    // numbers out of the table.
    std::uint32_t colour(int index) const;

private:
    std::vector<std::uint32_t> colours_;
    int red_ = 0, green_ = 0, blue_ = 0;
    bool set_ = false;
};

} // namespace ohmora::rtf
