#pragma once
// The rich text of an RTF file, as the reader understands it and the writer
// writes it, with no Qt in it: paragraphs of formatted spans, simple tables,
// pictures, equations and embedded objects shown through their pictures,
// and footnotes. Fonts, pictures, objects and footnotes are kept in lists of
// the document and referred to by index, so that a span stays a small value.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <variant>
#include <vector>

namespace ohmora::rtf {

// Sizes in RTF are in twips, 1440 to the inch; a screen pixel is 15 of them.
constexpr int kTwipsPerPixel = 15;

// 0xRRGGBB, or kNoColour for the reader's own default (automatic colour).
constexpr std::uint32_t kNoColour = 0xFFFFFFFFu;

enum class VerticalPosition : std::uint8_t { Normal, Superscript, Subscript };
enum class Capitals : std::uint8_t { None, All, Small };
enum class Alignment : std::uint8_t { Left, Centre, Right, Justify };

struct CharFormat {
    int font = -1;       // index into Document::fonts; -1 when the file names none
    int halfPoints = 24; // font size in half points
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strike = false;
    VerticalPosition vertical = VerticalPosition::Normal;
    int offsetHalfPoints = 0; // raised (positive) or lowered (negative) baseline
    Capitals capitals = Capitals::None;
    std::uint32_t foreground = kNoColour;
    std::uint32_t background = kNoColour;

    bool operator==(const CharFormat&) const = default;
};

struct ParagraphFormat {
    Alignment alignment = Alignment::Left;
    int leftTwips = 0;
    int rightTwips = 0;
    int firstLineTwips = 0; // relative to the left indent, negative for a hanging line
    int spaceBeforeTwips = 0;
    int spaceAfterTwips = 0;
    // Line spacing as the file states it: 0 for single; with lineMultiple a
    // multiple of 240 (one line); else at least (positive) or exactly
    // (negative) that many twips.
    int lineSpacing = 0;
    bool lineMultiple = false;

    bool operator==(const ParagraphFormat&) const = default;
};

enum class ImageKind : std::uint8_t { Png, Jpeg, Wmf, Emf, Other };

// A picture as the file stores it: what is read is written back as it was,
// bytes, format, goal size and scaling; only the size to show is computed.
struct Image {
    ImageKind kind = ImageKind::Other;
    // The word that names the format in the file, parameter included
    // ("wmetafile1", "macpict"); empty for the kind's usual one.
    std::string format;
    std::string data;   // the picture's bytes as stored in the file
    int pixelWidth = 0; // \picw and \pich as the file gives them, 0 when it does not
    int pixelHeight = 0;
    int goalWidth = 0; // \picwgoal and \pichgoal in twips, 0 when the file gives none
    int goalHeight = 0;
    int scaleX = 100; // \picscalex and \picscaley in percent
    int scaleY = 100;
    // The picture's other words (cropping, bitmap geometry), written back as read.
    std::string otherWords;
    int widthTwips = 0; // the size to show, scaling applied; 0 when unknown
    int heightTwips = 0;

    bool operator==(const Image&) const = default;
};

// The word a writer names a picture's format with when its file gave none of its own.
constexpr std::string_view defaultFormatWord(ImageKind kind) {
    switch (kind) {
    case ImageKind::Png:
        return "pngblip";
    case ImageKind::Jpeg:
        return "jpegblip";
    case ImageKind::Wmf:
        return "wmetafile8";
    case ImageKind::Emf:
        return "emfblip";
    case ImageKind::Other:
        break;
    }
    return "dibitmap0";
}

enum class ObjectKind : std::uint8_t { Equation, Ole };

// An equation (Office Math markup, \mmath) or an embedded object (\object),
// shown through its picture. What the file held around the picture is kept
// as read, never interpreted, and written back around it.
struct EmbeddedObject {
    ObjectKind kind = ObjectKind::Equation;
    std::string rtf; // the group's content after its first word, the picture's group left out
    std::size_t pictureAt = 0; // where in `rtf` the picture's group stood; its end without one

    bool operator==(const EmbeddedObject&) const = default;
};

// A run of text in one format, one picture (then `text` is empty), or the
// mark of a footnote.
struct Span {
    CharFormat format;
    std::u16string text;
    int image = -1; // index into Document::images
    int fallbackImage =
        -1;            // the picture's twin for older readers (\nonshppict), kept to be written
    int object = -1;   // the equation or object the picture shows (or, without one, the text)
    int footnote = -1; // a footnote's mark: index into Document::footnotes

    bool operator==(const Span&) const = default;
};

inline Span textSpan(const CharFormat& format, std::u16string text = {}) {
    Span span;
    span.format = format;
    span.text = std::move(text);
    return span;
}

struct Paragraph {
    ParagraphFormat format;
    CharFormat mark; // the format of the paragraph mark: what an empty paragraph shows
    std::vector<Span> spans;

    bool operator==(const Paragraph&) const = default;
};

struct Cell {
    std::vector<Paragraph> paragraphs;

    bool operator==(const Cell&) const = default;
};

struct Row {
    std::vector<Cell> cells;
    std::vector<int> cellWidthsTwips; // from the row's cell boundaries, may be empty

    bool operator==(const Row&) const = default;
};

struct Table {
    std::vector<Row> rows;

    bool operator==(const Table&) const = default;
};

using Block = std::variant<Paragraph, Table>;

// Every paragraph of `blocks`, those of table cells included, in reading
// order; `blocks` may be const.
template <typename Blocks, typename Visit> void forEachParagraph(Blocks& blocks, Visit visit) {
    for (auto& block : blocks) {
        if (auto* p = std::get_if<Paragraph>(&block)) {
            visit(*p);
            continue;
        }
        for (auto& row : std::get<Table>(block).rows) {
            for (auto& cell : row.cells) {
                for (auto& p : cell.paragraphs) {
                    visit(p);
                }
            }
        }
    }
}

struct Footnote {
    std::vector<Block> blocks;

    bool operator==(const Footnote&) const = default;
};

struct Document {
    std::vector<std::u16string> fonts; // family names
    std::vector<Image> images;
    std::vector<EmbeddedObject> objects;
    std::vector<Footnote> footnotes;
    std::vector<Block> blocks;

    // The index of `image` in `images`: a picture shown several times at one
    // size is kept once.
    int addImage(Image image);
    // Pictures and objects numbered in the order a file holds them once
    // written: the text in reading order, each footnote at its first mark,
    // the notes without a mark after it; as a reader of that file numbers
    // them. Those no span shows come last.
    void numberAsWritten();

    bool operator==(const Document& other) const {
        return fonts == other.fonts && images == other.images && objects == other.objects &&
               footnotes == other.footnotes && blocks == other.blocks;
    }

private:
    std::unordered_multimap<std::size_t, int> imagesByHash_;
};

} // namespace ohmora::rtf
