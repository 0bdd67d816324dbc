#include "richtext/RtfParser.h"

#include "richtext/RtfReader.h"

#include <algorithm>
#include <utility>

namespace ohmora::rtf {

Document Parser::run() {
    stack_.reserve(64);
    while (!rootClosed_) {
        const Token next = tokenizer_.next();
        if (next.type == TokenType::End) {
            break;
        }
        token(next);
    }
    if (!stack_.empty()) {
        // A cut file: what is under way keeps the state reached.
        GroupState& group = state();
        resolveFont(group);
        builder_.finish(group.paragraph, group.format, group.inTable);
    } else {
        builder_.finish({}, {}, false);
    }
    return std::move(document_);
}

void Parser::token(const Token& token) {
    if (token.type != TokenType::ControlWord) {
        ignorableNext_ = false;
    }
    const bool partOfText = token.type == TokenType::HexByte || token.type == TokenType::Text ||
                            token.type == TokenType::ControlSymbol;
    if (!partOfText) {
        pendingLead_ = -1; // a double-byte character cut by a word or a group
    }
    switch (token.type) {
    case TokenType::GroupOpen:
        openGroup();
        return; // the next token stands right after the brace
    case TokenType::GroupClose:
        closeGroup();
        break;
    case TokenType::ControlWord:
        controlWord(token);
        break;
    case TokenType::ControlSymbol:
        controlSymbol(token.symbol);
        break;
    case TokenType::HexByte:
        byte(token.byte);
        break;
    case TokenType::Text:
        text(token.text);
        break;
    case TokenType::Binary:
        if (!stack_.empty() && state().destination == Destination::Picture) {
            picture_.binary(token.text);
        }
        break;
    case TokenType::End:
        break;
    }
    groupJustOpened_ = false;
}

void Parser::openGroup() {
    pendingSkip_ = 0;
    groupJustOpened_ = true;
    if (stack_.empty()) {
        stack_.emplace_back();
        return;
    }
    if (stack_.size() >= static_cast<std::size_t>(kMaxGroupDepth)) {
        ++overflowDepth_;
        return;
    }
    GroupState child = stack_.back();
    child.end = GroupEnd::None;
    child.start = tokenizer_.position() - 1;
    child.unicodePair = false;
    child.unicodeBranch = stack_.back().unicodePair;
    if (child.unicodeBranch) {
        child.destination = Destination::Skip; // unless it is the Unicode branch, \ud
    }
    stack_.push_back(child);
}

void Parser::closeGroup() {
    pendingSkip_ = 0;
    if (overflowDepth_ > 0) {
        if (overflowDepth_-- <= overflowSkipFrom_) {
            overflowSkipFrom_ = 0;
        }
        return;
    }
    if (stack_.empty()) {
        return;
    }
    if (stack_.size() == 1 && builder_.paragraphHasContent()) {
        // The last paragraph needs no mark of its own.
        finishParagraph(false);
    }
    const GroupState closed = stack_.back();
    stack_.pop_back();
    endGroup(closed, tokenizer_.position() - 1);
    if (stack_.empty()) {
        rootClosed_ = true;
    }
}

void Parser::endGroup(const GroupState& closed, std::size_t closeBrace) {
    if (closed.destination == Destination::FontTable) {
        fonts_.finishEntry();
    }
    switch (closed.end) {
    case GroupEnd::FontTable:
        finishFontTable();
        break;
    case GroupEnd::Picture:
        finishPicture(closed);
        break;
    case GroupEnd::ShapePicture:
        shapePictureSpans_ = shapePictureRead_ ? builder_.spanCount() : 0;
        break;
    case GroupEnd::Footnote: {
        GroupState last = closed; // its last paragraph ends in the font it names
        resolveFont(last);
        builder_.finishFootnote(last.paragraph, last.format, last.inTable);
        break;
    }
    case GroupEnd::Object:
        finishObject(closeBrace);
        break;
    case GroupEnd::ObjectPicture:
        object_.endPicture(closeBrace, builder_.spanCount());
        break;
    case GroupEnd::List:
        lists_.finishList();
        break;
    case GroupEnd::ListLevel: {
        GroupState level = closed; // the level's font comes after its text
        resolveFont(level);
        lists_.finishLevel(level.charset.symbols);
        break;
    }
    case GroupEnd::ListOverride:
        lists_.finishOverride();
        break;
    case GroupEnd::ListText:
        listTextEnd_ = builder_.paragraphLength();
        break;
    case GroupEnd::None:
        break;
    }
}

bool Parser::skipping() const {
    return stack_.empty() || stack_.back().destination == Destination::Skip ||
           (overflowSkipFrom_ > 0 && overflowDepth_ >= overflowSkipFrom_);
}

void Parser::controlWord(const Token& token) {
    if (stack_.empty()) {
        return;
    }
    GroupState& group = state();
    if (group.destination == Destination::Skip && overflowDepth_ == 0) {
        // Of the groups of \upr, the one that starts with \ud is read.
        if (group.unicodeBranch && token.text == "ud" && stack_.size() >= 2) {
            group.destination = stack_[stack_.size() - 2].destination;
            group.unicodeBranch = false;
        }
        return;
    }
    const bool ignorable = std::exchange(ignorableNext_, false);
    if (skipping() || consumeSkip()) {
        return;
    }
    const KeywordEntry& entry = findKeyword(token.text);
    if (overflowDepth_ > 0) {
        overflowWord(entry, token, ignorable);
        return;
    }
    // \* marks a destination the reader may skip: those it does not read.
    if (ignorable &&
        (entry.category != Category::Destination || entry.keyword == Keyword::SkippedDestination)) {
        group.destination = Destination::Skip;
        return;
    }
    dispatch(entry, token);
}

// Beyond the depth bound, text is still read but nothing changes the state
// of the group that every deeper group shares; a destination that would be
// skipped is skipped to the end of its group.
bool Parser::overflowWord(const KeywordEntry& entry, const Token& token, bool ignorable) {
    if (ignorable || entry.category == Category::Destination) {
        overflowSkipFrom_ = overflowDepth_;
        return false;
    }
    if (entry.category == Category::Symbol) {
        bodyCharacter(entry.symbol);
    } else if (entry.keyword == Keyword::Paragraph) {
        finishParagraph(false);
    } else if (entry.keyword == Keyword::Unicode) {
        unicode(token.parameter);
    }
    return true;
}

void Parser::dispatch(const KeywordEntry& entry, const Token& token) {
    const Destination destination = state().destination;
    const bool body = destination == Destination::Body;
    const bool structure = body && !object_.inPicture();
    switch (entry.category) {
    case Category::Destination:
        destinationWord(entry.keyword);
        break;
    case Category::Document:
        documentWord(entry.keyword, token);
        break;
    case Category::FontTable:
        if (destination == Destination::FontTable) {
            fonts_.word(entry.keyword, token.parameter);
        }
        break;
    case Category::ColourTable:
        colourWord(entry.keyword, token);
        break;
    case Category::Character:
        characterWord(entry.keyword, token);
        break;
    case Category::Symbol:
        symbolWord(entry);
        break;
    case Category::Paragraph:
        // An object's picture group holds its picture, never the text's
        // paragraphs or tables.
        if (structure && entry.keyword == Keyword::Paragraph) {
            finishParagraph(false);
        } else if (structure) {
            applyParagraphWord(state(), entry.keyword, token);
        }
        break;
    case Category::Table:
        if (structure) {
            tableWord(entry.keyword, token);
        }
        break;
    case Category::Picture:
        if (destination == Destination::Picture) {
            picture_.word(entry.keyword, token);
        }
        break;
    case Category::Shape:
        if (destination == Destination::Shape) {
            picture_.shapeBound(entry.keyword, twips(token));
        }
        break;
    case Category::List:
        listWord(entry.keyword, token);
        break;
    case Category::Unknown:
        break;
    }
}

void Parser::documentWord(Keyword keyword, const Token& token) {
    GroupState& group = state();
    if (keyword == Keyword::Unicode) {
        unicode(token.parameter);
        return;
    }
    if (keyword == Keyword::UnicodePair) {
        group.unicodePair = true;
        return;
    }
    if (keyword == Keyword::UnicodeSkip) {
        group.unicodeSkip = std::clamp(token.parameter, 0, 16);
        return;
    }
    if (group.destination != Destination::Body) {
        return;
    }
    switch (keyword) {
    case Keyword::Ansi:
    case Keyword::AnsiCodePage:
    case Keyword::Mac:
    case Keyword::Pc:
    case Keyword::Pca:
        documentCodePage_ = keyword == Keyword::AnsiCodePage ? token.parameter
                            : keyword == Keyword::Mac        ? kMacRomanCodePage
                            : keyword == Keyword::Pc         ? 437
                            : keyword == Keyword::Pca        ? 850
                                                             : kWesternCodePage;
        if (documentCodePage_ <= 0) {
            documentCodePage_ = kWesternCodePage;
        }
        group.fontResolved = false;
        break;
    case Keyword::DefaultFont:
        defaultFont_ = token.parameter;
        if (group.fontNumber < 0) {
            group.fontNumber = token.parameter;
            group.fontResolved = false;
        }
        break;
    default:
        break;
    }
}

void Parser::colourWord(Keyword keyword, const Token& token) {
    if (state().destination != Destination::ColourTable) {
        return;
    }
    if (keyword == Keyword::Red) {
        colours_.red(token.parameter);
    } else if (keyword == Keyword::Green) {
        colours_.green(token.parameter);
    } else if (keyword == Keyword::Blue) {
        colours_.blue(token.parameter);
    }
}

void Parser::characterWord(Keyword keyword, const Token& token) {
    GroupState& group = state();
    if (group.destination == Destination::FontTable && keyword == Keyword::Font) {
        fonts_.beginEntry(token.parameter);
    } else if (group.destination == Destination::Body || group.destination == Destination::Object) {
        applyCharacterWord(group, keyword, token, colours_, defaultFont_);
    } else if (group.destination == Destination::ListTable && keyword == Keyword::Font) {
        group.fontNumber = token.parameter; // a level's font
        group.fontResolved = false;
    }
}

void Parser::symbolWord(const KeywordEntry& entry) {
    GroupState& group = state();
    if (group.destination != Destination::Body) {
        return;
    }
    if (entry.keyword != Keyword::FootnoteMark) {
        bodyCharacter(entry.symbol);
    } else if (!group.hidden) {
        resolveFont(group);
        builder_.footnoteMark(group.format);
    }
}

void Parser::tableWord(Keyword keyword, const Token& token) {
    GroupState& group = state();
    TableBuilder& table = builder_.table();
    if (group.nestedRow && keyword != Keyword::NestCell && keyword != Keyword::NestRow) {
        return;
    }
    switch (keyword) {
    case Keyword::InTable:
        group.inTable = true;
        break;
    case Keyword::TableLevel:
        group.inTable = token.parameter > 0;
        break;
    case Keyword::RowDefaults:
        table.rowDefaults();
        break;
    case Keyword::RowLeft:
        table.rowLeft(twips(token));
        break;
    case Keyword::CellBoundary:
        table.cellBoundary(twips(token));
        break;
    case Keyword::Cell:
        finishParagraph(true);
        table.finishCell();
        break;
    case Keyword::Row:
        if (builder_.paragraphHasContent()) {
            finishParagraph(true);
        }
        table.finishRow();
        break;
    case Keyword::NestCell:
        bodyCharacter(u'\t');
        break;
    case Keyword::NestRow:
        if (!group.nestedRow || builder_.paragraphHasContent()) {
            finishParagraph(false);
        }
        break;
    default:
        break;
    }
}

void Parser::listWord(Keyword keyword, const Token& token) {
    GroupState& group = state();
    if (group.destination == Destination::ListTable) {
        lists_.word(keyword, token.parameter);
    } else if (group.destination == Destination::Body && keyword == Keyword::ListOverrideNumber) {
        group.listOverride = std::max(0, token.parameter);
    } else if (group.destination == Destination::Body && keyword == Keyword::ListLevelNumber) {
        group.listLevel = std::clamp(token.parameter, 0, 8);
    }
}

void Parser::controlSymbol(char symbol) {
    if (skipping()) {
        return;
    }
    if (symbol == '*') {
        // Only right after a group's opening brace.
        ignorableNext_ = groupJustOpened_;
        return;
    }
    if (consumeSkip()) {
        return;
    }
    switch (symbol) {
    case '~':
        character(u'\u00A0');
        break;
    case '-':
        character(u'\u00AD');
        break;
    case '_':
        character(u'\u2011');
        break;
    case '\\':
    case '{':
    case '}':
        if (pendingLead_ >= 0) {
            byte(static_cast<unsigned char>(symbol)); // the trail of a double-byte character
        } else {
            character(static_cast<char16_t>(symbol));
        }
        break;
    default:
        break;
    }
    pendingLead_ = -1;
}

bool Parser::consumeSkip() {
    if (pendingSkip_ > 0) {
        --pendingSkip_;
        return true;
    }
    return false;
}

} // namespace ohmora::rtf
