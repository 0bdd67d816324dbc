#include "richtext/RtfKeywords.h"

#include <algorithm>
#include <array>

namespace ohmora::rtf {

namespace {

using C = Category;
using K = Keyword;

constexpr KeywordEntry skipped(std::string_view name) {
    return {name, C::Destination, K::SkippedDestination};
}
constexpr KeywordEntry symbol(std::string_view name, char16_t c) {
    return {name, C::Symbol, K::Character, c};
}

// Sorted by name for the binary search.
constexpr auto kKeywords = std::to_array<KeywordEntry>({
    skipped("aftncn"),
    skipped("aftnsep"),
    skipped("aftnsepc"),
    skipped("annotation"),
    {"ansi", C::Document, K::Ansi},
    {"ansicpg", C::Document, K::AnsiCodePage},
    skipped("author"),
    {"b", C::Character, K::Bold},
    {"blue", C::ColourTable, K::Blue},
    symbol("bullet", u'\u2022'),
    skipped("buptim"),
    {"caps", C::Character, K::Capitals},
    {"cb", C::Character, K::CharBackground},
    {"cell", C::Table, K::Cell},
    {"cellx", C::Table, K::CellBoundary},
    {"cf", C::Character, K::Foreground},
    {"chcbpat", C::Character, K::CharBackground},
    {"colortbl", C::Destination, K::ColourTable},
    skipped("comment"),
    skipped("creatim"),
    {"deff", C::Document, K::DefaultFont},
    {"dibitmap", C::Picture, K::OtherBlip},
    {"dn", C::Character, K::Down},
    skipped("doccomm"),
    symbol("emdash", u'\u2014'),
    {"emfblip", C::Picture, K::Metafile},
    symbol("emspace", u'\u2003'),
    symbol("endash", u'\u2013'),
    symbol("enspace", u'\u2002'),
    {"f", C::Character, K::Font},
    {"fcharset", C::FontTable, K::FontCharset},
    {"fi", C::Paragraph, K::FirstIndent},
    skipped("filetbl"),
    skipped("fldinst"),
    {"fldrslt", C::Destination, K::FieldResult},
    {"fonttbl", C::Destination, K::FontTable},
    skipped("footer"),
    skipped("footerf"),
    skipped("footerl"),
    skipped("footerr"),
    skipped("footnote"),
    {"fs", C::Character, K::FontSize},
    skipped("ftncn"),
    skipped("ftnsep"),
    skipped("ftnsepc"),
    {"green", C::ColourTable, K::Green},
    skipped("header"),
    skipped("headerf"),
    skipped("headerl"),
    skipped("headerr"),
    {"highlight", C::Character, K::CharBackground},
    {"i", C::Character, K::Italic},
    skipped("info"),
    {"intbl", C::Table, K::InTable},
    {"itap", C::Table, K::TableLevel},
    {"jpegblip", C::Picture, K::JpegBlip},
    skipped("keywords"),
    symbol("ldblquote", u'\u201C'),
    {"li", C::Paragraph, K::LeftIndent},
    {"lin", C::Paragraph, K::LeftIndent},
    symbol("line", u'\u2028'),
    skipped("listoverridetable"),
    skipped("listtable"),
    symbol("lquote", u'\u2018'),
    {"macpict", C::Picture, K::OtherBlip},
    {"nestcell", C::Table, K::NestCell},
    {"nestrow", C::Table, K::NestRow},
    {"nesttableprops", C::Destination, K::NestTableProperties},
    skipped("nonesttables"),
    skipped("nonshppict"),
    {"nosupersub", C::Character, K::NoSuperSub},
    skipped("operator"),
    {"page", C::Paragraph, K::Paragraph},
    {"par", C::Paragraph, K::Paragraph},
    {"pard", C::Paragraph, K::ParagraphDefault},
    {"pich", C::Picture, K::PictureHeight},
    {"pichgoal", C::Picture, K::PictureGoalHeight},
    {"picscalex", C::Picture, K::PictureScaleX},
    {"picscaley", C::Picture, K::PictureScaleY},
    {"pict", C::Destination, K::Picture},
    {"picw", C::Picture, K::PictureWidth},
    {"picwgoal", C::Picture, K::PictureGoalWidth},
    {"plain", C::Character, K::Plain},
    {"pmmetafile", C::Picture, K::Metafile},
    skipped("pn"),
    {"pngblip", C::Picture, K::PngBlip},
    skipped("pntxta"),
    skipped("pntxtb"),
    skipped("printim"),
    skipped("private"),
    {"qc", C::Paragraph, K::AlignCentre},
    {"qd", C::Paragraph, K::AlignJustify},
    {"qj", C::Paragraph, K::AlignJustify},
    {"ql", C::Paragraph, K::AlignLeft},
    {"qr", C::Paragraph, K::AlignRight},
    symbol("rdblquote", u'\u201D'),
    {"red", C::ColourTable, K::Red},
    skipped("revtbl"),
    skipped("revtim"),
    {"ri", C::Paragraph, K::RightIndent},
    {"rin", C::Paragraph, K::RightIndent},
    {"row", C::Table, K::Row},
    symbol("rquote", u'\u2019'),
    skipped("rxe"),
    {"sa", C::Paragraph, K::SpaceAfter},
    {"sb", C::Paragraph, K::SpaceBefore},
    {"scaps", C::Character, K::SmallCapitals},
    {"sect", C::Paragraph, K::Paragraph},
    {"shpbottom", C::Shape, K::ShapeBottom},
    {"shpinst", C::Destination, K::ShapeInstructions},
    {"shpleft", C::Shape, K::ShapeLeft},
    {"shppict", C::Destination, K::ShapePicture},
    {"shpright", C::Shape, K::ShapeRight},
    skipped("shprslt"),
    {"shptop", C::Shape, K::ShapeTop},
    {"sl", C::Paragraph, K::LineSpacing},
    {"slmult", C::Paragraph, K::LineMultiple},
    {"sn", C::Destination, K::ShapePropertyName},
    {"strike", C::Character, K::Strike},
    {"striked", C::Character, K::Strike},
    skipped("stylesheet"),
    {"sub", C::Character, K::Subscript},
    skipped("subject"),
    {"super", C::Character, K::Superscript},
    symbol("tab", u'\t'),
    skipped("tc"),
    skipped("template"),
    skipped("title"),
    {"trleft", C::Table, K::RowLeft},
    {"trowd", C::Table, K::RowDefaults},
    skipped("txe"),
    {"u", C::Document, K::Unicode},
    {"uc", C::Document, K::UnicodeSkip},
    {"ul", C::Character, K::Underline},
    {"uld", C::Character, K::Underline},
    {"uldash", C::Character, K::Underline},
    {"uldashd", C::Character, K::Underline},
    {"uldashdd", C::Character, K::Underline},
    {"uldb", C::Character, K::Underline},
    {"ulhwave", C::Character, K::Underline},
    {"ulldash", C::Character, K::Underline},
    {"ulnone", C::Character, K::UnderlineNone},
    {"ulth", C::Character, K::Underline},
    {"ulthd", C::Character, K::Underline},
    {"ulthdash", C::Character, K::Underline},
    {"ulw", C::Character, K::Underline},
    {"ulwave", C::Character, K::Underline},
    {"up", C::Character, K::Up},
    {"v", C::Character, K::Hidden},
    {"wbitmap", C::Picture, K::OtherBlip},
    {"wmetafile", C::Picture, K::Metafile},
    skipped("xe"),
});

static_assert(std::is_sorted(kKeywords.begin(), kKeywords.end(),
                             [](const KeywordEntry& a, const KeywordEntry& b) {
                                 return a.name < b.name;
                             }));

constexpr KeywordEntry kUnknown{};

} // namespace

const KeywordEntry& findKeyword(std::string_view name) {
    const auto* it = std::lower_bound(
        kKeywords.begin(), kKeywords.end(), name,
        [](const KeywordEntry& entry, std::string_view key) { return entry.name < key; });
    return it != kKeywords.end() && it->name == name ? *it : kUnknown;
}

} // namespace ohmora::rtf
