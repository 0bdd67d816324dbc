#pragma once
// The rich text of an RTF file, as the reader understands it and the writer
// writes it, with no Qt in it: paragraphs of formatted spans, simple tables
// and pictures. Fonts and pictures are kept in lists of the document and
// referred to by index, so that a span stays a small value.

#include <cstddef>
#include <cstdint>
#include <string>
#include <unordered_map>
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

enum class ImageKind : std::uint8_t { Png, Jpeg, Metafile, Other };

struct Image {
    ImageKind kind = ImageKind::Other;
    std::string data;   // the picture's bytes as stored in the file (PNG, JPEG, ...)
    int pixelWidth = 0; // \picw and \pich: pixels for bitmaps, 0 when unknown
    int pixelHeight = 0;
    int widthTwips = 0; // the size to show, scaling applied; 0 when unknown
    int heightTwips = 0;

    bool operator==(const Image&) const = default;
};

// A run of text in one format, or one picture (then `text` is empty).
struct Span {
    CharFormat format;
    std::u16string text;
    int image = -1; // index into Document::images

    bool operator==(const Span&) const = default;
};

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

struct Document {
    std::vector<std::u16string> fonts; // family names
    std::vector<Image> images;
    std::vector<Block> blocks;

    // The index of `image` in `images`: a picture shown several times at one
    // size is kept once.
    int addImage(Image image);

    bool operator==(const Document& other) const {
        return fonts == other.fonts && images == other.images && blocks == other.blocks;
    }

private:
    std::unordered_multimap<std::size_t, int> imagesByHash_;
};

} // namespace ohmora::rtf
