#pragma once
// What the reader keeps for each group of an RTF file, and the formatting
// words that change it: character formatting (\b, \fs, \cf, ...) and
// paragraph formatting (\qc, \li, \sl, ...). An inner group starts as a copy
// of the outer one and is dropped at its closing brace.

#include "richtext/CodePages.h"
#include "richtext/RtfKeywords.h"
#include "richtext/RtfModel.h"
#include "richtext/RtfTokenizer.h"

#include <cstddef>
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
    Object, // an equation's or object's group: kept as read, its text not shown
    ListTable,
    ListLevelText,
    Skip,
};

// What the closing brace of the group that started it finishes.
enum class GroupEnd : std::uint8_t {
    None,
    FontTable,
    Picture,
    ShapePicture,
    Footnote,
    Object,
    ObjectPicture,
    List,
    ListLevel,
    ListOverride,
    ListText,
};

// What \ab, \ai and \afs give the double-byte characters (Chinese,
// Japanese, Korean) when they follow \dbch, as LibreOffice writes them;
// after \rtlch, as Word writes them, they are for right-to-left text.
struct DoubleByteFormat {
    bool selected = false; // \dbch was the last of the characters' classes
    std::int8_t bold = -1; // -1: as the other characters
    std::int8_t italic = -1;
    int halfPoints = 0; // 0: as the other characters

    bool any() const { return bold >= 0 || italic >= 0 || halfPoints > 0; }
    // The format of a double-byte character among text of this format.
    CharFormat applied(CharFormat format) const;
};

// Whether a character takes the double-byte characters' format: the scripts
// of Chinese, Japanese and Korean, the full-width forms, and the spaces and
// signs among them.
bool takesDoubleByteFormat(char16_t c);

struct GroupState {
    Destination destination = Destination::Body;
    GroupEnd end = GroupEnd::None;
    std::size_t start = 0; // where the group's opening brace stands
    CharFormat format;
    DoubleByteFormat doubleByte;
    int fontNumber = -1; // as the file numbers it
    bool fontResolved = false;
    Charset charset;
    bool hidden = false;
    ParagraphFormat paragraph;
    bool inTable = false;
    bool nestedRow = false; // in the definition of a nested table's row
    int listOverride = 0;   // \lsN, 0 outside a list
    int listLevel = 0;      // \ilvlN
    int unicodeSkip = 1;
    bool fallback = false;      // its pictures are the twins of the picture before (\nonshppict)
    bool unicodePair = false;   // \upr: of its two groups, only the Unicode one is read
    bool unicodeBranch = false; // a group of \upr, skipped unless it is \ud
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
