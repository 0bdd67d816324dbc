#include "richtext/RtfParser.h"

#include <algorithm>
#include <utility>

namespace ohmora::rtf {

void Parser::text(std::string_view bytes) {
    if (stack_.empty()) {
        return;
    }
    const Destination destination = state().destination;
    if (destination == Destination::Skip || destination == Destination::Shape) {
        return;
    }
    const std::size_t skipped =
        std::min<std::size_t>(static_cast<std::size_t>(pendingSkip_), bytes.size());
    pendingSkip_ -= static_cast<int>(skipped);
    bytes.remove_prefix(skipped);
    if (destination == Destination::Picture) {
        picture_.hexText(bytes);
        return;
    }
    if (destination == Destination::Body) {
        bodyText(bytes);
        return;
    }
    for (const char c : bytes) {
        byte(static_cast<unsigned char>(c));
    }
}

void Parser::byte(unsigned char value) {
    if (stack_.empty() || consumeSkip()) {
        return;
    }
    GroupState& group = state();
    switch (group.destination) {
    case Destination::Picture:
        picture_.byte(value);
        break;
    case Destination::FontTable:
    case Destination::ColourTable:
    case Destination::ShapePropertyName:
        character(decodeByte(CodePage::Windows1252, value));
        break;
    case Destination::Body:
        resolveFont(group);
        character(decodeByte(group.codePage, value));
        break;
    default:
        break;
    }
}

void Parser::unicode(int value) {
    char16_t c = static_cast<char16_t>(value < 0 ? value + 65536 : value);
    if (stack_.empty()) {
        return;
    }
    GroupState& group = state();
    if (group.destination == Destination::Body) {
        resolveFont(group);
        const bool symbolFont =
            group.codePage == CodePage::Symbol || group.codePage == CodePage::Wingdings;
        // Symbol fonts put their signs either at their byte or in the private
        // area U+F020 to U+F0FF.
        if (symbolFont && (c < 0x100 || (c >= 0xF020 && c <= 0xF0FF))) {
            c = decodeByte(group.codePage, static_cast<unsigned char>(c & 0xFF));
        }
    }
    character(c);
    pendingSkip_ = state().unicodeSkip;
}

void Parser::character(char16_t c) {
    if (stack_.empty()) {
        return;
    }
    switch (state().destination) {
    case Destination::Body:
        bodyCharacter(c);
        break;
    case Destination::FontTable:
        fonts_.nameCharacter(c);
        break;
    case Destination::ColourTable:
        if (c == u';') {
            colours_.finishEntry();
        }
        break;
    case Destination::ShapePropertyName:
        picture_.propertyNameCharacter(c);
        break;
    default:
        break;
    }
}

void Parser::bodyText(std::string_view bytes) {
    GroupState& group = state();
    if (group.hidden || bytes.empty()) {
        return;
    }
    resolveFont(group);
    const CodePage page = group.codePage;
    const bool symbols = page == CodePage::Symbol || page == CodePage::Wingdings;
    builder_.text(group.format, bytes, [page, symbols](unsigned char b) -> char16_t {
        if (b < 0x20) {
            return b == '\t' ? u'\t' : 0;
        }
        return b < 0x80 && !symbols ? char16_t{b} : decodeByte(page, b);
    });
}

void Parser::bodyCharacter(char16_t c) {
    GroupState& group = state();
    if (group.destination != Destination::Body || group.hidden) {
        return;
    }
    // Characters a text document takes for structure are left out: control
    // characters, paragraph separators, and the object and frame marks.
    if ((c < 0x20 && c != u'\t') || c == 0xFFFC || c == 0xFDD0 || c == 0xFDD1) {
        return;
    }
    if (c == 0x2029) {
        c = 0x2028;
    }
    resolveFont(group);
    builder_.character(group.format, c);
}

void Parser::resolveFont(GroupState& group) {
    if (group.fontResolved) {
        return;
    }
    group.fontResolved = true;
    const ResolvedFont font =
        fonts_.resolve(group.fontNumber, defaultFont_, documentPage_, document_);
    group.format.font = font.font;
    group.codePage = font.codePage;
}

void Parser::finishFontTable() {
    fonts_.finishTable(document_, documentPage_);
    // Fonts named before the table was complete are looked up again.
    for (GroupState& group : stack_) {
        group.fontResolved = false;
    }
}

void Parser::finishPicture() {
    std::optional<Image> image =
        picture_.finish(!stack_.empty() && state().destination == Destination::Shape);
    if (!image || stack_.empty()) {
        return;
    }
    GroupState& group = state();
    if (group.destination != Destination::Body && group.destination != Destination::Shape) {
        return;
    }
    resolveFont(group);
    builder_.picture(group.format, std::move(*image));
}

void Parser::finishParagraph(bool endsCell) {
    if (stack_.empty()) {
        return;
    }
    GroupState& group = state();
    resolveFont(group);
    builder_.finishParagraph(group.paragraph, group.format, endsCell || group.inTable);
}

} // namespace ohmora::rtf
