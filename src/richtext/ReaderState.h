#pragma once
// What the reader keeps for each group of an RTF file, and the formatting
// words that change it: character formatting (\b, \fs, \cf, ...) and
// paragraph formatting (\qc, \li, \sl, ...). An inner group starts as a copy
// of the outer one and is dropped at its closing brace.

#include "richtext/CodePages.h"
#include "richtext/RtfKeywords.h"
#include "richtext/RtfModel.h"
#include "richtext/RtfTokenizer.h"

#include <cstdint>

namespace ohmora::rtf {

class ColourTable;

// Where the text of a group goes.
enum class Destination : std::uint8_t {
    Body,
    FontTable,
    ColourTable,
    Picture,
    Shape, // a drawing object: its picture is read, its other text is not
    ShapePropertyName,
    Skip,
};

struct GroupState {
    Destination destination = Destination::Body;
    CharFormat format;
    int fontNumber = -1; // as the file numbers it
    bool fontResolved = false;
    CodePage codePage = CodePage::Windows1252;
    bool hidden = false;
    ParagraphFormat paragraph;
    bool inTable = false;
    int unicodeSkip = 1;
};

// A measure in twips, bounded to the largest page.
int twips(const Token& token);

// Applies a character formatting word to the group; `defaultFont` is what
// \plain comes back to.
void applyCharacterWord(GroupState& group, Keyword keyword, const Token& token,
                        const ColourTable& colours, int defaultFont);

// Applies a paragraph formatting word other than the paragraph's end.
void applyParagraphWord(GroupState& group, Keyword keyword, const Token& token);

} // namespace ohmora::rtf
