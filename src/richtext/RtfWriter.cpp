#include "richtext/RtfWriter.h"

#include "richtext/CodePages.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace ohmora::rtf {

namespace {

constexpr int kDefaultTableWidthTwips = 9000;
constexpr int kMinimumCellTwips = 300;
constexpr std::size_t kHexLineLength = 128;

class Writer {
public:
    explicit Writer(const Document& document) : document_(document) {}
    std::string run();

private:
    void collectColours();
    void noteColour(std::uint32_t colour);
    int colourIndex(std::uint32_t colour) const;
    void header();
    void paragraph(const Paragraph& paragraph, bool inTable, std::string_view end);
    void table(const Table& table);
    void row(const Row& row);
    void charFormat(const CharFormat& format);
    void paragraphFormat(const ParagraphFormat& format);
    void span(const Span& span, const CharFormat& mark);
    void spanContent(const Span& span);
    void pictures(const Span& span);
    void image(int index);
    void object(const Span& span);
    void footnote(int index);
    void blocks(const std::vector<Block>& blocks, bool footnote);
    void text(std::u16string_view text);
    void number(std::string_view word, int value);

    const Document& document_;
    std::vector<std::uint32_t> colours_;
    std::vector<bool> footnotesWritten_;
    std::string out_;
};

std::string Writer::run() {
    collectColours();
    header();
    footnotesWritten_.assign(document_.footnotes.size(), false);
    blocks(document_.blocks, false);
    // Footnotes whose mark is gone are kept at the end.
    for (std::size_t i = 0; i < document_.footnotes.size(); ++i) {
        footnote(static_cast<int>(i));
    }
    out_ += "}\r\n";
    return std::move(out_);
}

void Writer::blocks(const std::vector<Block>& blocks, bool footnote) {
    for (std::size_t i = 0; i < blocks.size(); ++i) {
        if (const auto* p = std::get_if<Paragraph>(&blocks[i])) {
            // A footnote's last paragraph needs no mark of its own, but for
            // an empty one (after a table), which would be lost without it.
            const bool last = footnote && i + 1 == blocks.size() && !p->spans.empty();
            paragraph(*p, false, last ? "" : "\\par");
        } else {
            table(std::get<Table>(blocks[i]));
        }
    }
}

void Writer::noteColour(std::uint32_t colour) {
    if (colour != kNoColour &&
        std::find(colours_.begin(), colours_.end(), colour) == colours_.end()) {
        colours_.push_back(colour);
    }
}

void Writer::collectColours() {
    const auto noteParagraph = [this](const Paragraph& p) {
        noteColour(p.mark.foreground);
        noteColour(p.mark.background);
        for (const Span& s : p.spans) {
            noteColour(s.format.foreground);
            noteColour(s.format.background);
        }
    };
    forEachParagraph(document_.blocks, noteParagraph);
    for (const Footnote& note : document_.footnotes) {
        forEachParagraph(note.blocks, noteParagraph);
    }
}

int Writer::colourIndex(std::uint32_t colour) const {
    const auto found = std::find(colours_.begin(), colours_.end(), colour);
    return found == colours_.end() ? 0 : static_cast<int>(found - colours_.begin()) + 1;
}

void Writer::number(std::string_view word, int value) {
    out_ += '\\';
    out_ += word;
    out_ += std::to_string(value);
}

void Writer::header() {
    out_ += "{\\rtf1\\ansi\\ansicpg1252";
    if (!document_.fonts.empty()) {
        out_ += "\\deff0";
    }
    out_ += "\\uc1\r\n{\\fonttbl";
    for (std::size_t i = 0; i < document_.fonts.size(); ++i) {
        out_ += '{';
        number("f", static_cast<int>(i));
        out_ += "\\fnil\\fcharset0 ";
        // A semicolon would end the name.
        std::u16string name = document_.fonts[i];
        name.erase(std::remove(name.begin(), name.end(), u';'), name.end());
        text(name);
        out_ += ";}";
    }
    out_ += "}\r\n{\\colortbl;";
    for (const std::uint32_t colour : colours_) {
        number("red", static_cast<int>(colour >> 16 & 0xFF));
        number("green", static_cast<int>(colour >> 8 & 0xFF));
        number("blue", static_cast<int>(colour & 0xFF));
        out_ += ';';
    }
    out_ += "}\r\n";
}

void Writer::charFormat(const CharFormat& format) {
    out_ += "\\plain";
    if (format.font >= 0 && static_cast<std::size_t>(format.font) < document_.fonts.size()) {
        number("f", format.font);
    }
    number("fs", format.halfPoints);
    if (format.bold) {
        out_ += "\\b";
    }
    if (format.italic) {
        out_ += "\\i";
    }
    if (format.underline) {
        out_ += "\\ul";
    }
    if (format.strike) {
        out_ += "\\strike";
    }
    if (format.capitals == Capitals::All) {
        out_ += "\\caps";
    } else if (format.capitals == Capitals::Small) {
        out_ += "\\scaps";
    }
    if (format.vertical == VerticalPosition::Superscript) {
        out_ += "\\super";
    } else if (format.vertical == VerticalPosition::Subscript) {
        out_ += "\\sub";
    }
    if (format.offsetHalfPoints > 0) {
        number("up", format.offsetHalfPoints);
    } else if (format.offsetHalfPoints < 0) {
        number("dn", -format.offsetHalfPoints);
    }
    if (format.foreground != kNoColour) {
        number("cf", colourIndex(format.foreground));
    }
    if (format.background != kNoColour) {
        const int index = colourIndex(format.background);
        number("chcbpat", index);
        number("highlight", index);
    }
}

void Writer::paragraphFormat(const ParagraphFormat& format) {
    constexpr std::array<std::string_view, 4> kAlignments = {"\\ql", "\\qc", "\\qr", "\\qj"};
    out_ += kAlignments[static_cast<std::size_t>(format.alignment)];
    const std::array<std::pair<std::string_view, int>, 5> indents = {{
        {"li", format.leftTwips},
        {"ri", format.rightTwips},
        {"fi", format.firstLineTwips},
        {"sb", format.spaceBeforeTwips},
        {"sa", format.spaceAfterTwips},
    }};
    for (const auto& [word, value] : indents) {
        if (value != 0) {
            number(word, value);
        }
    }
    if (format.lineSpacing != 0) {
        number("sl", format.lineSpacing);
    }
    if (format.lineSpacing != 0 || format.lineMultiple) {
        number("slmult", format.lineMultiple ? 1 : 0);
    }
}

void Writer::paragraph(const Paragraph& p, bool inTable, std::string_view end) {
    out_ += "\\pard";
    if (inTable) {
        out_ += "\\intbl";
    }
    paragraphFormat(p.format);
    charFormat(p.mark);
    out_ += ' ';
    for (const Span& s : p.spans) {
        span(s, p.mark);
    }
    out_ += end;
    out_ += "\r\n";
}

void Writer::span(const Span& s, const CharFormat& mark) {
    if (s.image < 0 && s.object < 0 && s.footnote < 0 && s.format == mark) {
        // Text in the format of its paragraph mark needs no group.
        text(s.text);
        return;
    }
    out_ += '{';
    charFormat(s.format);
    out_ += ' ';
    spanContent(s);
    out_ += '}';
    if (s.footnote >= 0) {
        footnote(s.footnote);
    }
}

void Writer::spanContent(const Span& s) {
    if (s.object >= 0 && static_cast<std::size_t>(s.object) < document_.objects.size()) {
        object(s);
    } else if (s.image >= 0) {
        pictures(s);
    } else if (s.footnote >= 0) {
        out_ += "\\chftn";
    } else {
        text(s.text);
    }
}

// A picture, with its twin for older readers when it has one.
void Writer::pictures(const Span& s) {
    if (s.fallbackImage < 0) {
        image(s.image);
        return;
    }
    out_ += "{\\*\\shppict";
    image(s.image);
    out_ += "}{\\nonshppict";
    image(s.fallbackImage);
    out_ += '}';
}

void Writer::object(const Span& s) {
    const EmbeddedObject& o = document_.objects[static_cast<std::size_t>(s.object)];
    const bool equation = o.kind == ObjectKind::Equation;
    out_ += equation ? "{\\mmath " : "{\\object ";
    // The picture's group where it stood among the object's words.
    const std::size_t at = std::min(o.pictureAt, o.rtf.size());
    out_ += std::string_view(o.rtf).substr(0, at);
    if (s.image >= 0) {
        out_ += equation ? "{\\mmathPict " : "{\\result ";
        pictures(s);
        out_ += '}';
    }
    out_ += std::string_view(o.rtf).substr(at);
    out_ += '}';
}

void Writer::footnote(int index) {
    const auto at = static_cast<std::size_t>(index);
    if (at >= document_.footnotes.size() || footnotesWritten_[at]) {
        return;
    }
    footnotesWritten_[at] = true;
    out_ += "{\\footnote";
    blocks(document_.footnotes[at].blocks, true);
    out_ += "}";
}

void Writer::image(int index) {
    if (index < 0 || static_cast<std::size_t>(index) >= document_.images.size()) {
        return;
    }
    const Image& picture = document_.images[static_cast<std::size_t>(index)];
    out_ += "{\\pict\\";
    out_ +=
        picture.format.empty() ? defaultFormatWord(picture.kind) : std::string_view(picture.format);
    number("picw", picture.pixelWidth);
    number("pich", picture.pixelHeight);
    // Each goal as the file gave it, even alone.
    if (picture.goalWidth > 0) {
        number("picwgoal", picture.goalWidth);
    }
    if (picture.goalHeight > 0) {
        number("pichgoal", picture.goalHeight);
    }
    if (picture.scaleX != 100 || picture.scaleY != 100) {
        number("picscalex", picture.scaleX);
        number("picscaley", picture.scaleY);
    }
    out_ += picture.otherWords;
    out_ += "\r\n";
    static constexpr std::string_view kHex = "0123456789abcdef";
    std::size_t column = 0;
    for (const char c : picture.data) {
        const auto b = static_cast<unsigned char>(c);
        out_ += kHex[b >> 4];
        out_ += kHex[b & 0xF];
        column += 2;
        if (column == kHexLineLength) {
            out_ += "\r\n";
            column = 0;
        }
    }
    out_ += '}';
}

void Writer::table(const Table& t) {
    for (const Row& r : t.rows) {
        row(r);
    }
}

void Writer::row(const Row& r) {
    out_ += "\\trowd\\trgaph108\\trleft0";
    std::vector<int> widths = r.cellWidthsTwips;
    const bool usable = widths.size() == r.cells.size() &&
                        std::all_of(widths.begin(), widths.end(), [](int w) { return w > 0; });
    if (!usable) {
        const int each =
            std::max(kMinimumCellTwips,
                     kDefaultTableWidthTwips / std::max<int>(1, static_cast<int>(r.cells.size())));
        widths.assign(r.cells.size(), each);
    }
    int boundary = 0;
    for (const int width : widths) {
        boundary += width;
        out_ += "\\clbrdrt\\brdrs\\brdrw10\\clbrdrl\\brdrs\\brdrw10"
                "\\clbrdrb\\brdrs\\brdrw10\\clbrdrr\\brdrs\\brdrw10";
        number("cellx", boundary);
    }
    out_ += "\r\n";
    for (const Cell& c : r.cells) {
        if (c.paragraphs.empty()) {
            out_ += "\\pard\\intbl\\cell\r\n";
            continue;
        }
        for (std::size_t i = 0; i < c.paragraphs.size(); ++i) {
            paragraph(c.paragraphs[i], true, i + 1 == c.paragraphs.size() ? "\\cell" : "\\par");
        }
    }
    out_ += "\\row\r\n";
}

void Writer::text(std::u16string_view text) {
    static constexpr std::string_view kHex = "0123456789abcdef";
    for (const char16_t c : text) {
        switch (c) {
        case u'\\':
        case u'{':
        case u'}':
            out_ += '\\';
            out_ += static_cast<char>(c);
            continue;
        case u'\t':
            out_ += "\\tab ";
            continue;
        case u'\u2028':
            out_ += "\\line ";
            continue;
        case u'\u00A0':
            out_ += "\\~";
            continue;
        case u'\u00AD':
            out_ += "\\-";
            continue;
        case u'\u2011':
            out_ += "\\_";
            continue;
        default:
            break;
        }
        if (c < 0x20) {
            continue;
        }
        if (c < 0x7F) {
            out_ += static_cast<char>(c);
        } else if (const unsigned char b = encodeWindows1252(c); b != 0) {
            out_ += "\\'";
            out_ += kHex[b >> 4];
            out_ += kHex[b & 0xF];
        } else {
            // \u takes a signed 16-bit number; '?' is what older readers show.
            number("u", c > 0x7FFF ? static_cast<int>(c) - 0x10000 : static_cast<int>(c));
            out_ += '?';
        }
    }
}

} // namespace

std::string writeRtfDocument(const Document& document) {
    return Writer(document).run();
}

} // namespace ohmora::rtf
