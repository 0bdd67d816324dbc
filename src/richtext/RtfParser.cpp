#include "richtext/RtfParser.h"

#include "richtext/RtfReader.h"

#include <algorithm>
#include <utility>

namespace ohmora::rtf {

Document Parser::run() {
    stack_.reserve(kMaxGroupDepth);
    while (!rootClosed_) {
        const Token next = tokenizer_.next();
        if (next.type == TokenType::End) {
            break;
        }
        token(next);
    }
    if (!stack_.empty()) {
        // A cut file: the paragraph under way keeps the state reached.
        GroupState& group = state();
        resolveFont(group);
        builder_.finish(group.paragraph, group.format, group.inTable);
    } else {
        builder_.table().close();
    }
    return std::move(document_);
}

void Parser::token(const Token& token) {
    if (token.type != TokenType::ControlWord) {
        ignorableNext_ = false;
    }
    switch (token.type) {
    case TokenType::GroupOpen:
        openGroup();
        break;
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
}

void Parser::openGroup() {
    pendingSkip_ = 0;
    if (stack_.empty()) {
        stack_.emplace_back();
        return;
    }
    if (stack_.size() >= static_cast<std::size_t>(kMaxGroupDepth)) {
        ++overflowDepth_;
        return;
    }
    stack_.push_back(stack_.back());
}

void Parser::closeGroup() {
    pendingSkip_ = 0;
    if (overflowDepth_ > 0) {
        --overflowDepth_;
        return;
    }
    if (stack_.empty()) {
        return;
    }
    const Destination closing = state().destination;
    if (closing == Destination::Picture && stack_.size() == picture_.depth()) {
        stack_.pop_back();
        finishPicture();
    } else {
        if (closing == Destination::FontTable) {
            fonts_.finishEntry();
        }
        if (stack_.size() == 1 && builder_.paragraphHasContent()) {
            // The last paragraph needs no mark of its own.
            finishParagraph(false);
        }
        stack_.pop_back();
        if (closing == Destination::FontTable && !stack_.empty() &&
            state().destination != Destination::FontTable) {
            finishFontTable();
        }
    }
    if (stack_.empty()) {
        rootClosed_ = true;
    }
}

void Parser::controlWord(const Token& token) {
    if (stack_.empty() || state().destination == Destination::Skip) {
        return;
    }
    const bool ignorable = std::exchange(ignorableNext_, false);
    if (consumeSkip()) {
        return;
    }
    const KeywordEntry& entry = findKeyword(token.text);
    if (overflowDepth_ > 0) {
        // Beyond the depth bound, text is still read but nothing changes the
        // state of the group that every deeper group shares.
        if (entry.category == Category::Symbol) {
            bodyCharacter(entry.symbol);
        } else if (entry.keyword == Keyword::Paragraph) {
            finishParagraph(false);
        } else if (entry.keyword == Keyword::Unicode) {
            unicode(token.parameter);
        }
        return;
    }
    if (ignorable && entry.keyword != Keyword::ShapePicture &&
        entry.keyword != Keyword::ShapeInstructions &&
        entry.keyword != Keyword::NestTableProperties) {
        state().destination = Destination::Skip;
        return;
    }
    const Destination destination = state().destination;
    const bool body = destination == Destination::Body;
    switch (entry.category) {
    case Category::Destination:
        destinationWord(entry.keyword);
        break;
    case Category::Document:
        documentWord(entry.keyword, token);
        break;
    case Category::FontTable:
        if (destination == Destination::FontTable) {
            fonts_.setCharset(token.parameter);
        }
        break;
    case Category::ColourTable:
        colourWord(entry.keyword, token);
        break;
    case Category::Character:
        characterWord(entry.keyword, token);
        break;
    case Category::Symbol:
        if (body) {
            bodyCharacter(entry.symbol);
        }
        break;
    case Category::Paragraph:
        if (body && entry.keyword == Keyword::Paragraph) {
            finishParagraph(false);
        } else if (body) {
            applyParagraphWord(state(), entry.keyword, token);
        }
        break;
    case Category::Table:
        if (body) {
            tableWord(entry.keyword, token);
        }
        break;
    case Category::Picture:
        if (destination == Destination::Picture) {
            picture_.word(entry.keyword, token.parameter);
        }
        break;
    case Category::Shape:
        if (destination == Destination::Shape) {
            picture_.shapeBound(entry.keyword, twips(token));
        }
        break;
    case Category::Unknown:
        break;
    }
}

void Parser::destinationWord(Keyword keyword) {
    GroupState& group = state();
    switch (keyword) {
    case Keyword::SkippedDestination:
        group.destination = Destination::Skip;
        break;
    case Keyword::FontTable:
        group.destination = Destination::FontTable;
        break;
    case Keyword::ColourTable:
        group.destination = Destination::ColourTable;
        colours_.clear();
        break;
    case Keyword::ShapeInstructions:
        if (group.destination == Destination::Body) {
            group.destination = Destination::Shape;
            picture_.startShape();
        }
        break;
    case Keyword::ShapePropertyName:
        if (group.destination == Destination::Shape) {
            group.destination = Destination::ShapePropertyName;
            picture_.startPropertyName();
        }
        break;
    case Keyword::NestTableProperties:
        // The end of a row of a nested table, which is read as text.
        if (group.destination == Destination::Body) {
            finishParagraph(false);
        }
        group.destination = Destination::Skip;
        break;
    case Keyword::Picture:
        // A shape holds its picture in its "pib" property; others are fills.
        if (group.destination == Destination::Body ||
            (group.destination == Destination::Shape && picture_.inPictureProperty())) {
            group.destination = Destination::Picture;
            picture_.start(stack_.size());
        }
        break;
    default: // field results and shape pictures are read as the body is
        break;
    }
}

void Parser::documentWord(Keyword keyword, const Token& token) {
    GroupState& group = state();
    if (keyword == Keyword::Unicode &&
        (group.destination == Destination::Body || group.destination == Destination::FontTable)) {
        unicode(token.parameter);
    }
    if (group.destination != Destination::Body) {
        return;
    }
    switch (keyword) {
    case Keyword::Ansi:
        documentPage_ = CodePage::Windows1252;
        break;
    case Keyword::AnsiCodePage:
        documentPage_ = codePageFromNumber(token.parameter);
        group.fontResolved = false;
        break;
    case Keyword::DefaultFont:
        defaultFont_ = token.parameter;
        if (group.fontNumber < 0) {
            group.fontNumber = token.parameter;
            group.fontResolved = false;
        }
        break;
    case Keyword::UnicodeSkip:
        group.unicodeSkip = std::clamp(token.parameter, 0, 16);
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
    } else if (group.destination == Destination::Body) {
        applyCharacterWord(group, keyword, token, colours_, defaultFont_);
    }
}

void Parser::tableWord(Keyword keyword, const Token& token) {
    GroupState& group = state();
    TableBuilder& table = builder_.table();
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
        resolveFont(group);
        builder_.finishCell(group.paragraph, group.format);
        break;
    case Keyword::Row:
        resolveFont(group);
        builder_.finishRow(group.paragraph, group.format);
        break;
    case Keyword::NestCell:
        bodyCharacter(u'\t');
        break;
    case Keyword::NestRow:
        finishParagraph(false);
        break;
    default:
        break;
    }
}

void Parser::controlSymbol(char symbol) {
    if (stack_.empty() || state().destination == Destination::Skip) {
        return;
    }
    if (symbol == '*') {
        ignorableNext_ = true;
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
        character(static_cast<char16_t>(symbol));
        break;
    default:
        break;
    }
}

bool Parser::consumeSkip() {
    if (pendingSkip_ > 0) {
        --pendingSkip_;
        return true;
    }
    return false;
}

} // namespace ohmora::rtf
