#pragma once
// The reader's parser: it takes the tokens of an RTF file one at a time,
// keeps the state of each group, and hands each control word, by its
// category, to the part that deals with it: the font and colour tables, the
// formatting of the group, the picture builder, or the document builder.
// RtfParser.cpp holds the groups and the control words, RtfParserText.cpp
// what becomes of text.

#include "richtext/CodePages.h"
#include "richtext/DocumentBuilder.h"
#include "richtext/FontTable.h"
#include "richtext/PictureBuilder.h"
#include "richtext/ReaderState.h"
#include "richtext/RtfKeywords.h"
#include "richtext/RtfTokenizer.h"

#include <string_view>
#include <vector>

namespace ohmora::rtf {

class Parser {
public:
    explicit Parser(std::string_view bytes) : tokenizer_(bytes), builder_(document_) {}
    Document run();

private:
    GroupState& state() { return stack_.back(); }
    void token(const Token& token);
    void openGroup();
    void closeGroup();
    void controlWord(const Token& token);
    void destinationWord(Keyword keyword);
    void documentWord(Keyword keyword, const Token& token);
    void colourWord(Keyword keyword, const Token& token);
    void characterWord(Keyword keyword, const Token& token);
    void tableWord(Keyword keyword, const Token& token);
    void controlSymbol(char symbol);
    bool consumeSkip();

    void text(std::string_view bytes);
    void byte(unsigned char value);
    void unicode(int value);
    void character(char16_t c);
    void bodyCharacter(char16_t c);
    void bodyText(std::string_view bytes);

    void resolveFont(GroupState& group);
    void finishFontTable();
    void finishPicture();
    void finishParagraph(bool endsCell);

    RtfTokenizer tokenizer_;
    std::vector<GroupState> stack_;
    int overflowDepth_ = 0;
    bool ignorableNext_ = false;
    bool rootClosed_ = false;
    int pendingSkip_ = 0;

    CodePage documentPage_ = CodePage::Windows1252;
    int defaultFont_ = -1;
    FontTable fonts_;
    ColourTable colours_;
    PictureBuilder picture_;

    Document document_;
    DocumentBuilder builder_;
};

} // namespace ohmora::rtf
