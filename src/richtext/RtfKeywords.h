#pragma once
// The control words the reader knows, each with its category: the reader
// looks a word up once and hands it to the part that deals with its
// category. Words that are not in the table are ignored, and destinations
// that are not in it are skipped when the file marks them with \*.

#include <cstdint>
#include <string_view>

namespace ohmora::rtf {

enum class Category : std::uint8_t {
    Unknown,
    Destination, // starts a destination: the group's text goes elsewhere, or nowhere
    Document,    // code pages, default font, Unicode characters
    FontTable,   // an entry of the font table
    ColourTable, // an entry of the colour table
    Character,   // character formatting
    Symbol,      // a character of its own (\tab, \emdash, ...): `symbol`
    Paragraph,   // paragraph formatting and paragraph ends
    Table,       // rows and cells
    Picture,     // the kind, size and scaling of a picture
    Shape,       // the bounds of a drawing object
    List,        // list numbering: the list table's words, and a paragraph's list
};

enum class Keyword : std::uint8_t {
    Unknown,
    // Destinations
    SkippedDestination,
    FontTable,
    ColourTable,
    Picture,
    ShapeInstructions,
    ShapePropertyName,
    ShapePicture,
    FieldResult,
    NestTableProperties,
    FallbackPicture,
    Footnote,
    Equation,
    EquationPicture,
    EquationMarkup,
    Object,
    ObjectResult,
    ListText,
    ListTable,
    ListOverrideTable,
    List,
    ListLevel,
    ListLevelText,
    ListOverride,
    UnicodeBranch,
    // Document
    Ansi,
    AnsiCodePage,
    Mac,
    Pc,
    Pca,
    DefaultFont,
    Unicode,
    UnicodeSkip,
    UnicodePair,
    // Font table
    FontCharset,
    FontCodePage,
    // Colour table
    Red,
    Green,
    Blue,
    // Character formatting
    Font,
    Plain,
    FontSize,
    Bold,
    Italic,
    Underline,
    UnderlineNone,
    Strike,
    Capitals,
    SmallCapitals,
    Hidden,
    Foreground,
    CharBackground,
    Superscript,
    Subscript,
    NoSuperSub,
    Up,
    Down,
    // The characters' classes and the double-byte characters' own format
    DoubleByteClass, // \dbch
    OtherClass,      // \loch, \hich, \rtlch, \ltrch
    AssociatedBold,
    AssociatedItalic,
    AssociatedSize,
    // Characters
    Character,
    FootnoteMark,
    // Paragraphs
    Paragraph,
    ParagraphDefault,
    AlignLeft,
    AlignCentre,
    AlignRight,
    AlignJustify,
    LeftIndent,
    RightIndent,
    FirstIndent,
    SpaceBefore,
    SpaceAfter,
    LineSpacing,
    LineMultiple,
    // Tables
    InTable,
    TableLevel,
    RowDefaults,
    RowLeft,
    CellBoundary,
    Cell,
    Row,
    NestCell,
    NestRow,
    // Pictures
    PngBlip,
    JpegBlip,
    WmfBlip,
    EmfBlip,
    Metafile, // other metafiles (OS/2), kept but not shown
    OtherBlip,
    PictureWidth,
    PictureHeight,
    PictureGoalWidth,
    PictureGoalHeight,
    PictureScaleX,
    PictureScaleY,
    PictureOther, // cropping, bitmap geometry: kept as read
    // Shapes
    ShapeLeft,
    ShapeRight,
    ShapeTop,
    ShapeBottom,
    // Lists
    ListId,
    LevelFormat,
    LevelStart,
    LevelFollow,
    ListOverrideNumber,
    ListLevelNumber,
};

struct KeywordEntry {
    std::string_view name;
    Category category = Category::Unknown;
    Keyword keyword = Keyword::Unknown;
    char16_t symbol = 0; // the character of a Symbol word
};

// The entry of a control word; an entry of category Unknown when the word
// is not known.
const KeywordEntry& findKeyword(std::string_view name);

} // namespace ohmora::rtf
