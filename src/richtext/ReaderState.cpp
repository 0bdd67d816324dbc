#include "richtext/ReaderState.h"

#include "richtext/FontTable.h"
#include "richtext/PictureBuilder.h"

#include <algorithm>

namespace ohmora::rtf {

namespace {

constexpr int kMaxHalfPoints = 3276;
constexpr int kMaxOffsetHalfPoints = 1000;
constexpr int kDefaultHalfPoints = 24;
constexpr int kDefaultOffsetHalfPoints = 6;

bool switchedOn(const Token& token) {
    return !token.hasParameter || token.parameter != 0;
}

// The words that set a property of the format to a value of their own.
bool applyFormatSwitch(CharFormat& format, Keyword keyword, const Token& token) {
    switch (keyword) {
    case Keyword::Bold:
        format.bold = switchedOn(token);
        return true;
    case Keyword::Italic:
        format.italic = switchedOn(token);
        return true;
    case Keyword::Underline:
    case Keyword::UnderlineNone:
        format.underline = keyword == Keyword::Underline && switchedOn(token);
        return true;
    case Keyword::Strike:
        format.strike = switchedOn(token);
        return true;
    case Keyword::Capitals:
    case Keyword::SmallCapitals:
        format.capitals = !switchedOn(token)             ? Capitals::None
                          : keyword == Keyword::Capitals ? Capitals::All
                                                         : Capitals::Small;
        return true;
    case Keyword::Superscript:
    case Keyword::Subscript:
        format.vertical = keyword == Keyword::Superscript ? VerticalPosition::Superscript
                                                          : VerticalPosition::Subscript;
        return true;
    case Keyword::NoSuperSub:
        format.vertical = VerticalPosition::Normal;
        format.offsetHalfPoints = 0;
        return true;
    default:
        return false;
    }
}

// The words of the double-byte characters' own format.
bool applyDoubleByteWord(DoubleByteFormat& format, Keyword keyword, const Token& token) {
    switch (keyword) {
    case Keyword::DoubleByteClass:
    case Keyword::OtherClass:
        format.selected = keyword == Keyword::DoubleByteClass;
        return true;
    case Keyword::AssociatedBold:
    case Keyword::AssociatedItalic:
        if (format.selected) {
            (keyword == Keyword::AssociatedBold ? format.bold : format.italic) =
                switchedOn(token) ? 1 : 0;
        }
        return true;
    case Keyword::AssociatedSize:
        if (format.selected && token.hasParameter && token.parameter > 0) {
            format.halfPoints = std::clamp(token.parameter, 2, kMaxHalfPoints);
        }
        return true;
    default:
        return false;
    }
}

} // namespace

CharFormat DoubleByteFormat::applied(CharFormat format) const {
    if (bold >= 0) {
        format.bold = bold != 0;
    }
    if (italic >= 0) {
        format.italic = italic != 0;
    }
    if (halfPoints > 0) {
        format.halfPoints = halfPoints;
    }
    return format;
}

bool takesDoubleByteFormat(char16_t c) {
    const bool asciiSign = c < 0x80 && !(c >= u'0' && c <= u'9') && !(c >= u'A' && c <= u'Z') &&
                           !(c >= u'a' && c <= u'z');
    return asciiSign || (c >= 0x1100 && c <= 0x11FF) || (c >= 0x2E80 && c <= 0x9FFF) ||
           (c >= 0xA960 && c <= 0xA97F) || (c >= 0xAC00 && c <= 0xD7FF) ||
           (c >= 0xF900 && c <= 0xFAFF) || (c >= 0xFE30 && c <= 0xFE4F) ||
           (c >= 0xFF00 && c <= 0xFFEF);
}

int twips(const Token& token) {
    return std::clamp(token.parameter, -kMaxTwips, kMaxTwips);
}

void applyCharacterWord(GroupState& group, Keyword keyword, const Token& token,
                        const ColourTable& colours, int defaultFont) {
    CharFormat& format = group.format;
    if (applyFormatSwitch(format, keyword, token) ||
        applyDoubleByteWord(group.doubleByte, keyword, token)) {
        return;
    }
    switch (keyword) {
    case Keyword::Plain:
        format = CharFormat{};
        group.doubleByte = DoubleByteFormat{};
        group.hidden = false;
        group.fontNumber = defaultFont;
        group.fontResolved = false;
        break;
    case Keyword::Font:
        group.fontNumber = token.parameter;
        group.fontResolved = false;
        break;
    case Keyword::FontSize:
        format.halfPoints = token.hasParameter && token.parameter > 0
                                ? std::clamp(token.parameter, 2, kMaxHalfPoints)
                                : kDefaultHalfPoints;
        break;
    case Keyword::Hidden:
        group.hidden = switchedOn(token);
        break;
    case Keyword::Foreground:
        format.foreground = colours.colour(token.parameter);
        break;
    case Keyword::CharBackground:
        format.background = colours.colour(token.parameter);
        break;
    case Keyword::Up:
    case Keyword::Down: {
        const int amount = token.hasParameter ? std::clamp(token.parameter, -kMaxOffsetHalfPoints,
                                                           kMaxOffsetHalfPoints)
                                              : kDefaultOffsetHalfPoints;
        format.offsetHalfPoints = keyword == Keyword::Up ? amount : -amount;
        break;
    }
    default:
        break;
    }
}

void applyParagraphWord(GroupState& group, Keyword keyword, const Token& token) {
    ParagraphFormat& format = group.paragraph;
    switch (keyword) {
    case Keyword::ParagraphDefault:
        format = ParagraphFormat{};
        group.inTable = false;
        group.listOverride = 0;
        group.listLevel = 0;
        break;
    case Keyword::AlignLeft:
        format.alignment = Alignment::Left;
        break;
    case Keyword::AlignCentre:
        format.alignment = Alignment::Centre;
        break;
    case Keyword::AlignRight:
        format.alignment = Alignment::Right;
        break;
    case Keyword::AlignJustify:
        format.alignment = Alignment::Justify;
        break;
    case Keyword::LeftIndent:
        format.leftTwips = twips(token);
        break;
    case Keyword::RightIndent:
        format.rightTwips = twips(token);
        break;
    case Keyword::FirstIndent:
        format.firstLineTwips = twips(token);
        break;
    case Keyword::SpaceBefore:
        format.spaceBeforeTwips = std::max(0, twips(token));
        break;
    case Keyword::SpaceAfter:
        format.spaceAfterTwips = std::max(0, twips(token));
        break;
    case Keyword::LineSpacing:
        format.lineSpacing = twips(token);
        break;
    case Keyword::LineMultiple:
        format.lineMultiple = switchedOn(token);
        break;
    default:
        break;
    }
}

} // namespace ohmora::rtf
