#include "richtext/RtfParser.h"

#include <algorithm>
#include <utility>

namespace ohmora::rtf {

namespace {

bool isDoubleByte(int codePage) {
    return isLeadByte(codePage, 0x81) || isLeadByte(codePage, 0xA1);
}

} // namespace

void Parser::text(std::string_view bytes) {
    if (skipping()) {
        return;
    }
    const Destination destination = state().destination;
    if (destination == Destination::Shape) {
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

// Appends the characters of a byte in a set, taking the bytes of a
// double-byte character in pairs.
void Parser::decodeByte(const Charset& charset, unsigned char value, std::u16string& out) {
    if (pendingLead_ >= 0) {
        pairs_.append(pendingLeadCodePage_, static_cast<unsigned char>(pendingLead_), value, out);
        pendingLead_ = -1;
    } else if (charset.symbols == SymbolFont::None && isLeadByte(charset.codePage, value)) {
        pendingLead_ = value;
        pendingLeadCodePage_ = charset.codePage;
    } else {
        appendDecoded(charset, value, out);
    }
}

void Parser::byte(unsigned char value) {
    if (skipping() || consumeSkip()) {
        return;
    }
    GroupState& group = state();
    std::u16string characters;
    switch (group.destination) {
    case Destination::Picture:
        picture_.byte(value);
        return;
    case Destination::FontTable:
        decodeByte(fonts_.entryCharset(documentCodePage_), value, characters);
        break;
    case Destination::ColourTable:
    case Destination::ShapePropertyName:
        appendDecoded(Charset{}, value, characters);
        break;
    case Destination::ListLevelText:
        // The level text's bytes below 9 stand for level numbers.
        characters.push_back(value < ListTable::kMaxLevels
                                 ? char16_t{value}
                                 : singleByteTable(kWesternCodePage)[value]);
        break;
    case Destination::Body:
        resolveFont(group);
        decodeByte(group.charset, value, characters);
        break;
    case Destination::Object:
        // The text an equation without a picture shows: its bytes are read
        // alike whatever the fonts and code page of the file that holds it
        // (its markup writes other characters as \uN), so that it reads
        // the same from this writer's files.
        characters.push_back(value < 0x80 ? char16_t{value} : u'\uFFFD');
        break;
    default:
        return;
    }
    for (const char16_t c : characters) {
        character(c);
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
        // Symbol fonts put their signs either at their byte or in the private
        // area U+F020 to U+F0FF.
        if (group.charset.symbols != SymbolFont::None &&
            (c < 0x100 || (c >= 0xF020 && c <= 0xF0FF))) {
            std::u16string sign;
            appendDecoded(group.charset, static_cast<unsigned char>(c & 0xFF), sign);
            for (const char16_t half : sign) {
                character(half);
            }
            pendingSkip_ = group.unicodeSkip;
            return;
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
    case Destination::Object:
        object_.text(c, tokenizer_.position());
        break;
    case Destination::ListLevelText:
        lists_.levelTextCharacter(c);
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
    const Charset charset = group.charset;
    if (pendingLead_ >= 0 || group.doubleByte.any() ||
        (charset.symbols == SymbolFont::None && isDoubleByte(charset.codePage))) {
        for (const char c : bytes) {
            byte(static_cast<unsigned char>(c));
        }
        return;
    }
    const std::u16string& table = singleByteTable(charset.codePage);
    builder_.bytes(group.format, bytes, [&charset, &table](unsigned char b, std::u16string& out) {
        if (b < 0x20) {
            if (b == '\t') {
                out.push_back(u'\t');
            }
        } else if (charset.symbols == SymbolFont::None) {
            out.push_back(b < 0x80 ? char16_t{b} : table[b]);
        } else {
            appendDecoded(charset, b, out);
        }
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
    if (group.doubleByte.any() && takesDoubleByteFormat(c)) {
        builder_.character(group.doubleByte.applied(group.format), c);
        return;
    }
    builder_.character(group.format, c);
}

void Parser::resolveFont(GroupState& group) {
    if (group.fontResolved) {
        return;
    }
    group.fontResolved = true;
    const ResolvedFont font =
        fonts_.resolve(group.fontNumber, defaultFont_, documentCodePage_, document_);
    group.format.font = font.font;
    group.charset = font.charset;
}

void Parser::finishFontTable() {
    fonts_.finishTable(document_, documentCodePage_);
    // Fonts named before the table was complete are looked up again.
    for (GroupState& group : stack_) {
        group.fontResolved = false;
    }
}

void Parser::finishPicture(const GroupState& closed) {
    const bool inShape = !stack_.empty() && state().destination == Destination::Shape;
    std::optional<Image> image = picture_.finish(inShape);
    if (!image || stack_.empty()) {
        return;
    }
    GroupState& group = state();
    if (group.destination != Destination::Body && group.destination != Destination::Shape) {
        return;
    }
    if (closed.fallback || group.fallback) {
        builder_.fallbackPicture(std::move(*image));
        return;
    }
    resolveFont(group);
    builder_.picture(group.format, std::move(*image));
    shapePictureRead_ = true;
}

void Parser::finishObject(std::size_t closeBrace) {
    EmbeddedObject object = object_.finish(input_, closeBrace);
    const std::u16string text =
        object.kind == ObjectKind::Equation ? object_.equationText() : std::u16string();
    builder_.attachObject(object_.firstSpan(), std::move(object), text, object_.format());
}

void Parser::finishParagraph(bool endsCell) {
    if (stack_.empty()) {
        return;
    }
    GroupState& group = state();
    resolveFont(group);
    if (group.listOverride > 0) {
        // A paragraph of a list takes its number from the list table, as
        // word processors show it; the text the file gives for it is for
        // readers that know no lists.
        if (listTextSeen_) {
            builder_.removeFromParagraph(listTextStart_, listTextEnd_);
        }
        const std::u16string number = lists_.next(group.listOverride, group.listLevel);
        if (!number.empty()) {
            builder_.prependText(group.format, number);
        }
    }
    listTextSeen_ = false;
    builder_.finishParagraph(group.paragraph, group.format, endsCell || group.inTable);
}

} // namespace ohmora::rtf
