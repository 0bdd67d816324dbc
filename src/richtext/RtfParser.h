#pragma once
// The reader's parser: it takes the tokens of an RTF file one at a time,
// keeps the state of each group, and hands each control word, by its
// category, to the part that deals with it: the font, colour and list
// tables, the formatting of the group, the picture builder, the capture of
// equations and objects, or the document builder. RtfParser.cpp holds the
// groups and the control words, RtfParserDestinations.cpp the words that
// start a destination, RtfParserText.cpp what becomes of text.

#include "richtext/CodePages.h"
#include "richtext/DocumentBuilder.h"
#include "richtext/FontTable.h"
#include "richtext/ListTable.h"
#include "richtext/ObjectCapture.h"
#include "richtext/PictureBuilder.h"
#include "richtext/ReaderState.h"
#include "richtext/RtfKeywords.h"
#include "richtext/RtfTokenizer.h"

#include <string>
#include <string_view>
#include <vector>

namespace ohmora::rtf {

class Parser {
public:
    explicit Parser(std::string_view bytes)
        : input_(bytes), tokenizer_(bytes), builder_(document_) {}
    Document run();

private:
    GroupState& state() { return stack_.back(); }
    void token(const Token& token);
    void openGroup();
    void closeGroup();
    void endGroup(const GroupState& closed, std::size_t closeBrace);
    void controlWord(const Token& token);
    void dispatch(const KeywordEntry& entry, const Token& token);
    bool overflowWord(const KeywordEntry& entry, const Token& token, bool ignorable);
    void documentWord(Keyword keyword, const Token& token);
    void colourWord(Keyword keyword, const Token& token);
    void characterWord(Keyword keyword, const Token& token);
    void tableWord(Keyword keyword, const Token& token);
    void listWord(Keyword keyword, const Token& token);
    void symbolWord(const KeywordEntry& entry);
    void controlSymbol(char symbol);
    bool consumeSkip();
    bool skipping() const;

    // RtfParserDestinations.cpp
    void destinationWord(Keyword keyword);
    bool objectDestination(Keyword keyword);
    bool listDestination(Keyword keyword);

    // RtfParserText.cpp
    void text(std::string_view bytes);
    void byte(unsigned char value);
    void decodeByte(const Charset& charset, unsigned char value, std::u16string& out);
    void unicode(int value);
    void character(char16_t c);
    void bodyCharacter(char16_t c);
    void bodyText(std::string_view bytes);
    void resolveFont(GroupState& group);
    void finishFontTable();
    void finishPicture(const GroupState& closed);
    void finishObject(std::size_t closeBrace);
    void finishParagraph(bool endsCell);

    std::string_view input_;
    RtfTokenizer tokenizer_;
    std::vector<GroupState> stack_;
    int overflowDepth_ = 0;
    int overflowSkipFrom_ = 0; // beyond the bound, the depth from which text is skipped
    bool groupJustOpened_ = false;
    bool ignorableNext_ = false;
    bool rootClosed_ = false;
    int pendingSkip_ = 0;
    int pendingLead_ = -1; // the lead byte of a double-byte character
    int pendingLeadCodePage_ = 0;

    int documentCodePage_ = kWesternCodePage;
    int defaultFont_ = -1;
    FontTable fonts_;
    ColourTable colours_;
    ListTable lists_;
    PictureBuilder picture_;
    ObjectCapture object_;
    PairDecoder pairs_;
    bool listTextSeen_ = false;
    std::size_t listTextStart_ = 0; // where the paragraph's \listtext stands
    std::size_t listTextEnd_ = 0;
    // The paragraph's span count after a \shppict picture, whose
    // \nonshppict twin is kept with it.
    std::size_t shapePictureSpans_ = 0;
    bool shapePictureRead_ = false;

    Document document_;
    DocumentBuilder builder_;
};

} // namespace ohmora::rtf
