#include "RtfReader.h"

#include "CodePages.h"
#include "RtfTokenizer.h"

#include <algorithm>
#include <array>
#include <functional>
#include <iterator>
#include <unordered_map>
#include <utility>

namespace ohmora::rtf {

namespace {

enum class Destination : std::uint8_t {
    Body,
    FontTable,
    ColourTable,
    Picture,
    Shape, // a drawing object: its picture is read, its other text is not
    ShapePropertyName,
    Skip,
};

enum class Keyword : std::uint8_t {
    Unknown,
    SkippedDestination,
    AnsiCodePage,
    Ansi,
    Bold,
    Bullet,
    Capitals,
    CharBackground,
    Cell,
    CellBoundary,
    ColourTable,
    Blue,
    DefaultFont,
    Down,
    EmDash,
    EmSpace,
    EnDash,
    EnSpace,
    Font,
    FontCharset,
    FontTable,
    FieldResult,
    FirstIndent,
    Foreground,
    FontSize,
    Green,
    Hidden,
    InTable,
    Italic,
    JpegBlip,
    LeftDoubleQuote,
    LeftIndent,
    LeftQuote,
    Line,
    Metafile,
    NestCell,
    NestRow,
    NestTableProperties,
    NoSuperSub,
    OtherBlip,
    PageBreak,
    Paragraph,
    ParagraphDefault,
    Picture,
    PictureGoalHeight,
    PictureGoalWidth,
    PictureHeight,
    PictureScaleX,
    PictureScaleY,
    PictureWidth,
    Plain,
    PngBlip,
    AlignCentre,
    AlignJustify,
    AlignLeft,
    AlignRight,
    Red,
    RightDoubleQuote,
    RightIndent,
    RightQuote,
    Row,
    RowDefaults,
    RowLeft,
    ShapeInstructions,
    ShapePicture,
    ShapePropertyName,
    ShapeLeft,
    ShapeRight,
    ShapeTop,
    ShapeBottom,
    SmallCapitals,
    SpaceAfter,
    SpaceBefore,
    LineSpacing,
    LineMultiple,
    Strike,
    Subscript,
    Superscript,
    Tab,
    TableLevel,
    Underline,
    UnderlineNone,
    Unicode,
    UnicodeSkip,
    Up,
    WindowsCodePage,
};

struct KeywordEntry {
    std::string_view name;
    Keyword keyword;
};

// Sorted by name for the binary search.
constexpr std::array kKeywords = std::to_array<KeywordEntry>({
    {"aftncn", Keyword::SkippedDestination},
    {"aftnsep", Keyword::SkippedDestination},
    {"aftnsepc", Keyword::SkippedDestination},
    {"annotation", Keyword::SkippedDestination},
    {"ansi", Keyword::Ansi},
    {"ansicpg", Keyword::AnsiCodePage},
    {"author", Keyword::SkippedDestination},
    {"b", Keyword::Bold},
    {"bin", Keyword::Unknown},
    {"blue", Keyword::Blue},
    {"bullet", Keyword::Bullet},
    {"buptim", Keyword::SkippedDestination},
    {"caps", Keyword::Capitals},
    {"cb", Keyword::CharBackground},
    {"cell", Keyword::Cell},
    {"cellx", Keyword::CellBoundary},
    {"cf", Keyword::Foreground},
    {"chcbpat", Keyword::CharBackground},
    {"colortbl", Keyword::ColourTable},
    {"comment", Keyword::SkippedDestination},
    {"creatim", Keyword::SkippedDestination},
    {"deff", Keyword::DefaultFont},
    {"dibitmap", Keyword::OtherBlip},
    {"dn", Keyword::Down},
    {"doccomm", Keyword::SkippedDestination},
    {"emdash", Keyword::EmDash},
    {"emfblip", Keyword::Metafile},
    {"emspace", Keyword::EmSpace},
    {"endash", Keyword::EnDash},
    {"enspace", Keyword::EnSpace},
    {"f", Keyword::Font},
    {"fcharset", Keyword::FontCharset},
    {"fi", Keyword::FirstIndent},
    {"filetbl", Keyword::SkippedDestination},
    {"fldinst", Keyword::SkippedDestination},
    {"fldrslt", Keyword::FieldResult},
    {"fonttbl", Keyword::FontTable},
    {"footer", Keyword::SkippedDestination},
    {"footerf", Keyword::SkippedDestination},
    {"footerl", Keyword::SkippedDestination},
    {"footerr", Keyword::SkippedDestination},
    {"footnote", Keyword::SkippedDestination},
    {"fs", Keyword::FontSize},
    {"ftncn", Keyword::SkippedDestination},
    {"ftnsep", Keyword::SkippedDestination},
    {"ftnsepc", Keyword::SkippedDestination},
    {"green", Keyword::Green},
    {"header", Keyword::SkippedDestination},
    {"headerf", Keyword::SkippedDestination},
    {"headerl", Keyword::SkippedDestination},
    {"headerr", Keyword::SkippedDestination},
    {"highlight", Keyword::CharBackground},
    {"i", Keyword::Italic},
    {"info", Keyword::SkippedDestination},
    {"intbl", Keyword::InTable},
    {"itap", Keyword::TableLevel},
    {"jpegblip", Keyword::JpegBlip},
    {"keywords", Keyword::SkippedDestination},
    {"ldblquote", Keyword::LeftDoubleQuote},
    {"li", Keyword::LeftIndent},
    {"lin", Keyword::LeftIndent},
    {"line", Keyword::Line},
    {"listoverridetable", Keyword::SkippedDestination},
    {"listtable", Keyword::SkippedDestination},
    {"lquote", Keyword::LeftQuote},
    {"macpict", Keyword::OtherBlip},
    {"nestcell", Keyword::NestCell},
    {"nestrow", Keyword::NestRow},
    {"nesttableprops", Keyword::NestTableProperties},
    {"nonesttables", Keyword::SkippedDestination},
    {"nonshppict", Keyword::SkippedDestination},
    {"nosupersub", Keyword::NoSuperSub},
    {"operator", Keyword::SkippedDestination},
    {"page", Keyword::PageBreak},
    {"par", Keyword::Paragraph},
    {"pard", Keyword::ParagraphDefault},
    {"pich", Keyword::PictureHeight},
    {"pichgoal", Keyword::PictureGoalHeight},
    {"picscalex", Keyword::PictureScaleX},
    {"picscaley", Keyword::PictureScaleY},
    {"pict", Keyword::Picture},
    {"picw", Keyword::PictureWidth},
    {"picwgoal", Keyword::PictureGoalWidth},
    {"plain", Keyword::Plain},
    {"pmmetafile", Keyword::Metafile},
    {"pn", Keyword::SkippedDestination},
    {"pngblip", Keyword::PngBlip},
    {"pntxta", Keyword::SkippedDestination},
    {"pntxtb", Keyword::SkippedDestination},
    {"printim", Keyword::SkippedDestination},
    {"private", Keyword::SkippedDestination},
    {"qc", Keyword::AlignCentre},
    {"qd", Keyword::AlignJustify},
    {"qj", Keyword::AlignJustify},
    {"ql", Keyword::AlignLeft},
    {"qr", Keyword::AlignRight},
    {"rdblquote", Keyword::RightDoubleQuote},
    {"red", Keyword::Red},
    {"revtbl", Keyword::SkippedDestination},
    {"revtim", Keyword::SkippedDestination},
    {"ri", Keyword::RightIndent},
    {"rin", Keyword::RightIndent},
    {"row", Keyword::Row},
    {"rquote", Keyword::RightQuote},
    {"rxe", Keyword::SkippedDestination},
    {"sa", Keyword::SpaceAfter},
    {"sb", Keyword::SpaceBefore},
    {"scaps", Keyword::SmallCapitals},
    {"sect", Keyword::Paragraph},
    {"shpbottom", Keyword::ShapeBottom},
    {"shpinst", Keyword::ShapeInstructions},
    {"shpleft", Keyword::ShapeLeft},
    {"shppict", Keyword::ShapePicture},
    {"shpright", Keyword::ShapeRight},
    {"shprslt", Keyword::SkippedDestination},
    {"shptop", Keyword::ShapeTop},
    {"sl", Keyword::LineSpacing},
    {"slmult", Keyword::LineMultiple},
    {"sn", Keyword::ShapePropertyName},
    {"strike", Keyword::Strike},
    {"striked", Keyword::Strike},
    {"stylesheet", Keyword::SkippedDestination},
    {"sub", Keyword::Subscript},
    {"subject", Keyword::SkippedDestination},
    {"super", Keyword::Superscript},
    {"tab", Keyword::Tab},
    {"tc", Keyword::SkippedDestination},
    {"template", Keyword::SkippedDestination},
    {"title", Keyword::SkippedDestination},
    {"trleft", Keyword::RowLeft},
    {"trowd", Keyword::RowDefaults},
    {"txe", Keyword::SkippedDestination},
    {"u", Keyword::Unicode},
    {"uc", Keyword::UnicodeSkip},
    {"ul", Keyword::Underline},
    {"uld", Keyword::Underline},
    {"uldash", Keyword::Underline},
    {"uldashd", Keyword::Underline},
    {"uldashdd", Keyword::Underline},
    {"uldb", Keyword::Underline},
    {"ulhwave", Keyword::Underline},
    {"ulldash", Keyword::Underline},
    {"ulnone", Keyword::UnderlineNone},
    {"ulth", Keyword::Underline},
    {"ulthd", Keyword::Underline},
    {"ulthdash", Keyword::Underline},
    {"ulw", Keyword::Underline},
    {"ulwave", Keyword::Underline},
    {"up", Keyword::Up},
    {"v", Keyword::Hidden},
    {"wbitmap", Keyword::OtherBlip},
    {"wmetafile", Keyword::Metafile},
    {"xe", Keyword::SkippedDestination},
});

static_assert(std::is_sorted(kKeywords.begin(), kKeywords.end(),
                             [](const KeywordEntry& a, const KeywordEntry& b) {
                                 return a.name < b.name;
                             }));

Keyword findKeyword(std::string_view name) {
    const auto* it = std::lower_bound(
        kKeywords.begin(), kKeywords.end(), name,
        [](const KeywordEntry& entry, std::string_view key) { return entry.name < key; });
    return it != kKeywords.end() && it->name == name ? it->keyword : Keyword::Unknown;
}

constexpr int kMaxTwips = 31680; // 22 inches, the largest page a word processor offers
constexpr int kMaxHalfPoints = 3276;
constexpr int kMaxOffsetHalfPoints = 1000;
constexpr std::size_t kMaxFonts = 4096;
constexpr std::size_t kMaxColours = 4096;

int clampTo(int value, int low, int high) {
    return std::clamp(value, low, high);
}
int twips(const Token& token) {
    return clampTo(token.parameter, -kMaxTwips, kMaxTwips);
}
bool switchedOn(const Token& token) {
    return !token.hasParameter || token.parameter != 0;
}

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

struct FontDefinition {
    std::u16string name;
    int charset = 1;
    int modelIndex = -2; // -2 until first used
};

struct PictureInProgress {
    Image image;
    std::size_t depth = 0; // stack size of the group that holds \pict
    int goalWidth = 0;
    int goalHeight = 0;
    int scaleX = 100;
    int scaleY = 100;
    int pendingNibble = -1;
    bool tooLarge = false;
};

int hexDigit(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

bool equalsIgnoringCase(std::u16string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        const char16_t x = a[i] >= u'A' && a[i] <= u'Z' ? a[i] + (u'a' - u'A') : a[i];
        if (x != static_cast<unsigned char>(b[i])) {
            return false;
        }
    }
    return true;
}

bool startsWithIgnoringCase(std::u16string_view a, std::string_view prefix) {
    return a.size() >= prefix.size() && equalsIgnoringCase(a.substr(0, prefix.size()), prefix);
}

class Parser {
public:
    explicit Parser(std::string_view bytes) : tokenizer_(bytes) {}
    Document run();

private:
    GroupState& state() { return stack_.back(); }
    void openGroup();
    void closeGroup();
    void controlWord(const Token& token);
    void destinationWord(Keyword keyword, const Token& token);
    void characterWord(Keyword keyword, const Token& token);
    void paragraphWord(Keyword keyword, const Token& token);
    void tableWord(Keyword keyword, const Token& token);
    void pictureWord(Keyword keyword, const Token& token);
    void controlSymbol(char symbol);
    void text(std::string_view bytes);
    void byte(unsigned char value);
    void unicode(int value);
    void character(char16_t c);
    void bodyCharacter(char16_t c);
    void bodyText(std::string_view bytes);
    Span& textSpan(const GroupState& group);
    bool consumeSkip();

    void resolveFont(GroupState& group);
    int modelFont(FontDefinition& font);
    CodePage codePageOf(const FontDefinition& font) const;
    std::uint32_t colour(int index) const;
    void finishFontEntry();
    void finishFontTable();
    void finishColourEntry();
    void pictureBytes(std::string_view bytes);
    void pictureBinary(std::string_view bytes);
    void finishPicture();
    int storeImage(Image image);

    void finishParagraph(bool endsCell);
    void finishCell();
    void finishRow();
    void closeTable();
    void pushRow(Row row);
    void finish();

    RtfTokenizer tokenizer_;
    std::vector<GroupState> stack_;
    int overflowDepth_ = 0;
    bool ignorableNext_ = false;
    bool rootClosed_ = false;
    int pendingSkip_ = 0;

    CodePage documentPage_ = CodePage::Windows1252;
    int defaultFont_ = -1;
    std::unordered_map<int, FontDefinition> fonts_;
    std::vector<int> fontOrder_; // the font numbers in the order of the table
    std::size_t fontsListed_ = 0;
    int fontEntryNumber_ = -1;
    FontDefinition fontEntry_;
    bool fontEntryOpen_ = false;
    std::vector<std::uint32_t> colours_;
    int red_ = 0, green_ = 0, blue_ = 0;
    bool colourSet_ = false;
    PictureInProgress picture_;
    std::unordered_multimap<std::size_t, int> imagesByHash_;
    std::string shapeProperty_;        // the name of the shape property being read
    std::array<int, 4> shapeBounds_{}; // left, right, top, bottom

    Document document_;
    Paragraph paragraph_;
    Table table_;
    std::size_t tableCells_ = 0;
    std::size_t tableColumns_ = 0;
    Row row_;
    Cell cell_;
    std::vector<int> boundaries_;
    int rowLeft_ = 0;
};

Document Parser::run() {
    stack_.reserve(kMaxGroupDepth);
    while (!rootClosed_) {
        const Token token = tokenizer_.next();
        if (token.type == TokenType::End) {
            break;
        }
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
                pictureBinary(token.text);
            }
            break;
        case TokenType::End:
            break;
        }
    }
    finish();
    return std::move(document_);
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
    if (closing == Destination::Picture && stack_.size() == picture_.depth) {
        stack_.pop_back();
        finishPicture();
    } else {
        if (closing == Destination::FontTable) {
            finishFontEntry();
        }
        if (stack_.size() == 1 && !paragraph_.spans.empty()) {
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
    const Keyword keyword = findKeyword(token.text);
    if (overflowDepth_ > 0) {
        // Beyond the depth bound, text is still read but nothing changes the
        // state of the group that every deeper group shares.
        if (keyword == Keyword::Paragraph || keyword == Keyword::Tab || keyword == Keyword::Line ||
            keyword == Keyword::Unicode) {
            characterWord(keyword, token);
        }
        return;
    }
    if (ignorable && keyword != Keyword::ShapePicture && keyword != Keyword::ShapeInstructions &&
        keyword != Keyword::NestTableProperties) {
        state().destination = Destination::Skip;
        return;
    }
    destinationWord(keyword, token);
}

void Parser::destinationWord(Keyword keyword, const Token& token) {
    GroupState& group = state();
    switch (keyword) {
    case Keyword::SkippedDestination:
        group.destination = Destination::Skip;
        return;
    case Keyword::FontTable:
        group.destination = Destination::FontTable;
        return;
    case Keyword::ColourTable:
        group.destination = Destination::ColourTable;
        colours_.clear();
        colourSet_ = false;
        return;
    case Keyword::ShapeInstructions:
        if (group.destination == Destination::Body) {
            group.destination = Destination::Shape;
            shapeProperty_.clear();
            shapeBounds_ = {};
        }
        return;
    case Keyword::ShapePropertyName:
        if (group.destination == Destination::Shape) {
            group.destination = Destination::ShapePropertyName;
            shapeProperty_.clear();
        }
        return;
    case Keyword::ShapeLeft:
    case Keyword::ShapeRight:
    case Keyword::ShapeTop:
    case Keyword::ShapeBottom:
        if (group.destination == Destination::Shape) {
            shapeBounds_[static_cast<std::size_t>(keyword) -
                         static_cast<std::size_t>(Keyword::ShapeLeft)] = twips(token);
        }
        return;
    case Keyword::NestTableProperties:
        // The end of a row of a nested table, which is read as text.
        if (group.destination == Destination::Body) {
            finishParagraph(false);
        }
        group.destination = Destination::Skip;
        return;
    case Keyword::Picture:
        // A shape holds its picture in its "pib" property; others are fills.
        if (group.destination == Destination::Body ||
            (group.destination == Destination::Shape && shapeProperty_ == "pib")) {
            group.destination = Destination::Picture;
            picture_ = PictureInProgress{};
            picture_.depth = stack_.size();
        }
        return;
    case Keyword::FieldResult:
    case Keyword::ShapePicture:
        return;
    default:
        break;
    }
    switch (group.destination) {
    case Destination::Body:
        characterWord(keyword, token);
        break;
    case Destination::FontTable:
        if (keyword == Keyword::Font) {
            finishFontEntry();
            fontEntryNumber_ = token.parameter;
            fontEntryOpen_ = true;
        } else if (keyword == Keyword::FontCharset) {
            fontEntry_.charset = token.parameter;
        } else if (keyword == Keyword::Unicode) {
            unicode(token.parameter);
        }
        break;
    case Destination::ColourTable:
        if (keyword == Keyword::Red || keyword == Keyword::Green || keyword == Keyword::Blue) {
            const int value = clampTo(token.parameter, 0, 255);
            (keyword == Keyword::Red ? red_ : keyword == Keyword::Green ? green_ : blue_) = value;
            colourSet_ = true;
        }
        break;
    case Destination::Picture:
        pictureWord(keyword, token);
        break;
    case Destination::Shape:
    case Destination::ShapePropertyName:
    case Destination::Skip:
        break;
    }
}

void Parser::characterWord(Keyword keyword, const Token& token) {
    GroupState& group = state();
    CharFormat& format = group.format;
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
        group.unicodeSkip = clampTo(token.parameter, 0, 16);
        break;
    case Keyword::Unicode:
        unicode(token.parameter);
        break;
    case Keyword::Plain:
        format = CharFormat{};
        group.hidden = false;
        group.fontNumber = defaultFont_;
        group.fontResolved = false;
        break;
    case Keyword::Font:
        group.fontNumber = token.parameter;
        group.fontResolved = false;
        break;
    case Keyword::FontSize:
        format.halfPoints = token.hasParameter && token.parameter > 0
                                ? clampTo(token.parameter, 2, kMaxHalfPoints)
                                : 24;
        break;
    case Keyword::Bold:
        format.bold = switchedOn(token);
        break;
    case Keyword::Italic:
        format.italic = switchedOn(token);
        break;
    case Keyword::Underline:
        format.underline = switchedOn(token);
        break;
    case Keyword::UnderlineNone:
        format.underline = false;
        break;
    case Keyword::Strike:
        format.strike = switchedOn(token);
        break;
    case Keyword::Capitals:
        format.capitals = switchedOn(token) ? Capitals::All : Capitals::None;
        break;
    case Keyword::SmallCapitals:
        format.capitals = switchedOn(token) ? Capitals::Small : Capitals::None;
        break;
    case Keyword::Hidden:
        group.hidden = switchedOn(token);
        break;
    case Keyword::Foreground:
        format.foreground = colour(token.parameter);
        break;
    case Keyword::CharBackground:
        format.background = colour(token.parameter);
        break;
    case Keyword::Superscript:
        format.vertical = VerticalPosition::Superscript;
        break;
    case Keyword::Subscript:
        format.vertical = VerticalPosition::Subscript;
        break;
    case Keyword::NoSuperSub:
        format.vertical = VerticalPosition::Normal;
        format.offsetHalfPoints = 0;
        break;
    case Keyword::Up:
    case Keyword::Down: {
        const int amount = token.hasParameter ? clampTo(token.parameter, -kMaxOffsetHalfPoints,
                                                        kMaxOffsetHalfPoints)
                                              : 6;
        format.offsetHalfPoints = keyword == Keyword::Up ? amount : -amount;
        break;
    }
    case Keyword::Tab:
        bodyCharacter(u'\t');
        break;
    case Keyword::Line:
        bodyCharacter(u'\u2028');
        break;
    case Keyword::Bullet:
        bodyCharacter(u'\u2022');
        break;
    case Keyword::LeftQuote:
        bodyCharacter(u'\u2018');
        break;
    case Keyword::RightQuote:
        bodyCharacter(u'\u2019');
        break;
    case Keyword::LeftDoubleQuote:
        bodyCharacter(u'\u201C');
        break;
    case Keyword::RightDoubleQuote:
        bodyCharacter(u'\u201D');
        break;
    case Keyword::EnDash:
        bodyCharacter(u'\u2013');
        break;
    case Keyword::EmDash:
        bodyCharacter(u'\u2014');
        break;
    case Keyword::EnSpace:
        bodyCharacter(u'\u2002');
        break;
    case Keyword::EmSpace:
        bodyCharacter(u'\u2003');
        break;
    case Keyword::Paragraph:
    case Keyword::PageBreak:
        finishParagraph(false);
        break;
    default:
        paragraphWord(keyword, token);
        break;
    }
}

void Parser::paragraphWord(Keyword keyword, const Token& token) {
    GroupState& group = state();
    ParagraphFormat& format = group.paragraph;
    switch (keyword) {
    case Keyword::ParagraphDefault:
        format = ParagraphFormat{};
        group.inTable = false;
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
        tableWord(keyword, token);
        break;
    }
}

void Parser::tableWord(Keyword keyword, const Token& token) {
    GroupState& group = state();
    switch (keyword) {
    case Keyword::InTable:
        group.inTable = true;
        break;
    case Keyword::TableLevel:
        group.inTable = token.parameter > 0;
        break;
    case Keyword::RowDefaults:
        boundaries_.clear();
        rowLeft_ = 0;
        break;
    case Keyword::RowLeft:
        rowLeft_ = twips(token);
        break;
    case Keyword::CellBoundary:
        if (boundaries_.size() < kMaxTableColumns) {
            boundaries_.push_back(twips(token));
        }
        break;
    case Keyword::Cell:
        finishParagraph(true);
        finishCell();
        break;
    case Keyword::Row:
        finishRow();
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

void Parser::pictureWord(Keyword keyword, const Token& token) {
    const int value = clampTo(token.parameter, 0, 1'000'000);
    switch (keyword) {
    case Keyword::PngBlip:
        picture_.image.kind = ImageKind::Png;
        break;
    case Keyword::JpegBlip:
        picture_.image.kind = ImageKind::Jpeg;
        break;
    case Keyword::Metafile:
        picture_.image.kind = ImageKind::Metafile;
        break;
    case Keyword::OtherBlip:
        picture_.image.kind = ImageKind::Other;
        break;
    case Keyword::PictureWidth:
        picture_.image.pixelWidth = value;
        break;
    case Keyword::PictureHeight:
        picture_.image.pixelHeight = value;
        break;
    case Keyword::PictureGoalWidth:
        picture_.goalWidth = std::min(value, kMaxTwips);
        break;
    case Keyword::PictureGoalHeight:
        picture_.goalHeight = std::min(value, kMaxTwips);
        break;
    case Keyword::PictureScaleX:
        picture_.scaleX = clampTo(value, 1, 1000);
        break;
    case Keyword::PictureScaleY:
        picture_.scaleY = clampTo(value, 1, 1000);
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
        pictureBytes(bytes);
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
    if (group.destination == Destination::Picture) {
        // A hex escape inside picture data is the byte itself.
        if (!picture_.tooLarge && picture_.pendingNibble < 0) {
            picture_.image.data.push_back(static_cast<char>(value));
        }
        return;
    }
    if (group.destination == Destination::FontTable ||
        group.destination == Destination::ColourTable ||
        group.destination == Destination::ShapePropertyName) {
        character(decodeByte(CodePage::Windows1252, value));
        return;
    }
    if (group.destination != Destination::Body) {
        return;
    }
    resolveFont(group);
    character(decodeByte(group.codePage, value));
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
        if (c == u';') {
            finishFontEntry();
        } else if (fontEntryOpen_ && c >= 0x20 && fontEntry_.name.size() < 256) {
            fontEntry_.name.push_back(c);
        }
        break;
    case Destination::ColourTable:
        if (c == u';') {
            finishColourEntry();
        }
        break;
    case Destination::ShapePropertyName:
        if (c != u' ' && shapeProperty_.size() < 32) {
            shapeProperty_.push_back(static_cast<char>(c < 0x80 ? c : u'?'));
        }
        break;
    default:
        break;
    }
}

Span& Parser::textSpan(const GroupState& group) {
    if (paragraph_.spans.empty() || paragraph_.spans.back().image >= 0 ||
        !(paragraph_.spans.back().format == group.format)) {
        paragraph_.spans.push_back(Span{group.format, {}, -1});
    }
    return paragraph_.spans.back();
}

void Parser::bodyText(std::string_view bytes) {
    GroupState& group = state();
    if (group.hidden || bytes.empty()) {
        return;
    }
    resolveFont(group);
    std::u16string& text = textSpan(group).text;
    const bool symbols =
        group.codePage == CodePage::Symbol || group.codePage == CodePage::Wingdings;
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        if (b < 0x20) {
            if (b == '	') {
                text.push_back(u'\t');
            }
        } else {
            text.push_back(b < 0x80 && !symbols ? char16_t{b} : decodeByte(group.codePage, b));
        }
    }
    if (text.empty()) {
        paragraph_.spans.pop_back();
    }
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
    textSpan(group).text.push_back(c);
}

void Parser::resolveFont(GroupState& group) {
    if (group.fontResolved) {
        return;
    }
    group.fontResolved = true;
    group.codePage = documentPage_;
    group.format.font = -1;
    const auto found = fonts_.find(group.fontNumber);
    if (found == fonts_.end()) {
        return;
    }
    FontDefinition& font = found->second;
    group.codePage = codePageOf(font);
    if (group.codePage == CodePage::Symbol || group.codePage == CodePage::Wingdings) {
        // Signs of a symbol font become Unicode characters, which the
        // document's default font shows.
        const auto fallback = fonts_.find(defaultFont_);
        if (fallback != fonts_.end() && codePageOf(fallback->second) != CodePage::Symbol &&
            codePageOf(fallback->second) != CodePage::Wingdings) {
            group.format.font = modelFont(fallback->second);
        }
        return;
    }
    group.format.font = modelFont(font);
}

CodePage Parser::codePageOf(const FontDefinition& font) const {
    // The name tells a symbol font only when the file gives no character
    // set, or gives the symbol set; a font named Symbol in an explicit
    // Western set holds Unicode text, as this writer writes it.
    if (font.charset == 1 || font.charset == 2) {
        if (equalsIgnoringCase(font.name, "symbol")) {
            return CodePage::Symbol;
        }
        if (startsWithIgnoringCase(font.name, "wingdings")) {
            return CodePage::Wingdings;
        }
    }
    return codePageFromCharset(font.charset, documentPage_);
}

int Parser::modelFont(FontDefinition& font) {
    if (font.modelIndex == -2) {
        const auto found = std::find(document_.fonts.begin(), document_.fonts.end(), font.name);
        font.modelIndex = static_cast<int>(found - document_.fonts.begin());
        if (found == document_.fonts.end()) {
            document_.fonts.push_back(font.name);
        }
    }
    return font.modelIndex;
}

std::uint32_t Parser::colour(int index) const {
    if (index <= 0 || static_cast<std::size_t>(index) >= colours_.size()) {
        return kNoColour;
    }
    return colours_[static_cast<std::size_t>(index)];
}

void Parser::finishFontEntry() {
    if (fontEntryOpen_ && fonts_.size() < kMaxFonts) {
        std::u16string& name = fontEntry_.name;
        const auto notBlank = [](char16_t c) { return c != u' '; };
        name.erase(name.begin(), std::find_if(name.begin(), name.end(), notBlank));
        name.erase(std::find_if(name.rbegin(), name.rend(), notBlank).base(), name.end());
        if (!name.empty()) {
            if (fonts_.find(fontEntryNumber_) == fonts_.end()) {
                fontOrder_.push_back(fontEntryNumber_);
            }
            fonts_.insert_or_assign(fontEntryNumber_, std::move(fontEntry_));
        }
    }
    fontEntry_ = FontDefinition{};
    fontEntryOpen_ = false;
}

void Parser::finishFontTable() {
    // The document lists the fonts of the table in its order, so that
    // writing it keeps them; symbol fonts are not listed, their text being
    // read as Unicode.
    for (; fontsListed_ < fontOrder_.size(); ++fontsListed_) {
        FontDefinition& font = fonts_[fontOrder_[fontsListed_]];
        if (codePageOf(font) != CodePage::Symbol && codePageOf(font) != CodePage::Wingdings) {
            modelFont(font);
        }
    }
    // Fonts named before the table was complete are looked up again.
    for (GroupState& group : stack_) {
        group.fontResolved = false;
    }
}

void Parser::finishColourEntry() {
    if (colours_.size() < kMaxColours) {
        colours_.push_back(colourSet_ ? static_cast<std::uint32_t>(red_ << 16 | green_ << 8 | blue_)
                                      : kNoColour);
    }
    red_ = green_ = blue_ = 0;
    colourSet_ = false;
}

void Parser::pictureBytes(std::string_view bytes) {
    if (picture_.tooLarge) {
        return;
    }
    std::string& data = picture_.image.data;
    for (const char c : bytes) {
        const int digit = hexDigit(c);
        if (digit < 0) {
            continue;
        }
        if (picture_.pendingNibble < 0) {
            picture_.pendingNibble = digit;
        } else {
            data.push_back(static_cast<char>(picture_.pendingNibble << 4 | digit));
            picture_.pendingNibble = -1;
        }
    }
    if (data.size() > kMaxPictureBytes) {
        picture_.tooLarge = true;
        data = std::string();
    }
}

void Parser::pictureBinary(std::string_view bytes) {
    if (picture_.tooLarge) {
        return;
    }
    if (picture_.image.data.size() + bytes.size() > kMaxPictureBytes) {
        picture_.tooLarge = true;
        picture_.image.data = std::string();
        return;
    }
    picture_.image.data.append(bytes);
}

int Parser::storeImage(Image image) {
    // A picture shown several times is kept once.
    const std::size_t hash = std::hash<std::string_view>()(image.data);
    const auto [first, last] = imagesByHash_.equal_range(hash);
    for (auto it = first; it != last; ++it) {
        if (document_.images[static_cast<std::size_t>(it->second)] == image) {
            return it->second;
        }
    }
    const int index = static_cast<int>(document_.images.size());
    document_.images.push_back(std::move(image));
    imagesByHash_.emplace(hash, index);
    return index;
}

void Parser::finishPicture() {
    PictureInProgress picture = std::exchange(picture_, PictureInProgress{});
    if (picture.tooLarge || picture.image.data.empty() || stack_.empty()) {
        return;
    }
    Image& image = picture.image;
    GroupState& group = state();
    int width = picture.goalWidth;
    int height = picture.goalHeight;
    const int shapeWidth = shapeBounds_[1] - shapeBounds_[0];
    const int shapeHeight = shapeBounds_[3] - shapeBounds_[2];
    if ((width <= 0 || height <= 0) && group.destination == Destination::Shape && shapeWidth > 0 &&
        shapeHeight > 0) {
        // A shape's picture fills the shape.
        width = shapeWidth;
        height = shapeHeight;
    } else if (width <= 0 || height <= 0) {
        // Bitmaps give their size in pixels, metafiles in hundredths of a
        // millimetre.
        const bool metafile = image.kind == ImageKind::Metafile;
        width = metafile ? image.pixelWidth * 1440 / 2540 : image.pixelWidth * 15;
        height = metafile ? image.pixelHeight * 1440 / 2540 : image.pixelHeight * 15;
    }
    image.widthTwips = std::min(width * picture.scaleX / 100, kMaxTwips);
    image.heightTwips = std::min(height * picture.scaleY / 100, kMaxTwips);
    if (image.widthTwips <= 0 || image.heightTwips <= 0) {
        image.widthTwips = image.heightTwips = 0;
    }
    if (group.destination != Destination::Body && group.destination != Destination::Shape) {
        return;
    }
    resolveFont(group);
    paragraph_.spans.push_back(Span{group.format, {}, storeImage(std::move(image))});
}

void replaceLoneSurrogates(std::u16string& text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] <= 0xDFFF) {
            ++i;
        } else if (c >= 0xD800 && c <= 0xDFFF) {
            text[i] = 0xFFFD;
        }
    }
}

void Parser::finishParagraph(bool endsCell) {
    if (stack_.empty()) {
        return;
    }
    GroupState& group = state();
    resolveFont(group);
    Paragraph paragraph = std::exchange(paragraph_, Paragraph{});
    for (Span& span : paragraph.spans) {
        replaceLoneSurrogates(span.text);
    }
    paragraph.format = group.paragraph;
    if (paragraph.format.lineSpacing == 0) {
        paragraph.format.lineMultiple = false; // a multiple of nothing is single spacing
    }
    paragraph.mark = group.format;
    if (endsCell || group.inTable) {
        cell_.paragraphs.push_back(std::move(paragraph));
        return;
    }
    closeTable();
    document_.blocks.emplace_back(std::move(paragraph));
}

void Parser::finishCell() {
    if (row_.cells.size() >= kMaxTableColumns) {
        // Past the column bound the cells are read into the last one.
        auto& last = row_.cells.back().paragraphs;
        std::move(cell_.paragraphs.begin(), cell_.paragraphs.end(), std::back_inserter(last));
    } else {
        row_.cells.push_back(std::move(cell_));
    }
    cell_ = Cell{};
}

void Parser::finishRow() {
    if (!paragraph_.spans.empty()) {
        finishParagraph(true);
    }
    if (!cell_.paragraphs.empty()) {
        finishCell();
    }
    if (row_.cells.empty()) {
        return;
    }
    int left = rowLeft_;
    for (const int boundary : boundaries_) {
        row_.cellWidthsTwips.push_back(boundary - left);
        left = boundary;
    }
    pushRow(std::exchange(row_, Row{}));
}

void Parser::pushRow(Row row) {
    // A table is as wide as its widest row; when filling the shorter rows
    // would cost much more than the cells read, a new table starts, so that
    // the document stays linear in the file.
    const std::size_t columns = std::max(tableColumns_, row.cells.size());
    const std::size_t cells = tableCells_ + row.cells.size();
    if (!table_.rows.empty() && (table_.rows.size() + 1) * columns > 4 * cells + 256) {
        closeTable();
    }
    tableColumns_ = std::max(tableColumns_, row.cells.size());
    tableCells_ += row.cells.size();
    table_.rows.push_back(std::move(row));
}

void Parser::closeTable() {
    if (!cell_.paragraphs.empty()) {
        finishCell();
    }
    if (!row_.cells.empty()) {
        pushRow(std::exchange(row_, Row{}));
    }
    if (!table_.rows.empty()) {
        document_.blocks.emplace_back(std::exchange(table_, Table{}));
    }
    tableCells_ = 0;
    tableColumns_ = 0;
}

void Parser::finish() {
    // A cut file: the paragraph under way keeps the state reached.
    if (!stack_.empty() && !paragraph_.spans.empty()) {
        finishParagraph(false);
    }
    closeTable();
}

} // namespace

bool looksLikeRtf(std::string_view bytes) {
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF") {
        bytes.remove_prefix(3);
    }
    const std::size_t start = bytes.find_first_not_of(" \t\r\n");
    return start != std::string_view::npos && bytes.substr(start, 5) == "{\\rtf";
}

Document readRtfDocument(std::string_view bytes) {
    return Parser(bytes).run();
}

} // namespace ohmora::rtf
