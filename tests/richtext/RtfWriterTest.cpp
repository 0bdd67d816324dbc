// The writer's escapes, and the reader giving back exactly what was written.

#include "richtext/RtfWriter.h"
#include "RtfTestSupport.h"
#include "richtext/RtfReader.h"

#include <gtest/gtest.h>

#include <functional>

namespace ohmora::rtf {
namespace {

Document oneParagraph(std::u16string text, CharFormat format = {}) {
    Document document;
    document.fonts = {u"Arial", u"Times New Roman"};
    format.font = format.font < 0 ? 0 : format.font;
    Paragraph paragraph;
    paragraph.mark.font = 0;
    paragraph.spans.push_back(Span{format, std::move(text), -1});
    document.blocks.emplace_back(std::move(paragraph));
    return document;
}

struct EscapeCase {
    const char* name;
    std::u16string text;
    const char* written;
};

std::ostream& operator<<(std::ostream& out, const EscapeCase& c) {
    return out << c.name;
}

class WriterEscape : public ::testing::TestWithParam<EscapeCase> {};

TEST_P(WriterEscape, WritesAsciiOnly) {
    const std::string rtf = writeRtfDocument(oneParagraph(GetParam().text));
    EXPECT_NE(rtf.find(GetParam().written), std::string::npos) << rtf;
    EXPECT_TRUE(std::all_of(rtf.begin(), rtf.end(),
                            [](char c) { return c > 0 && (c >= 0x20 || c == '\r' || c == '\n'); }));
}

const EscapeCase kEscapeCases[] = {
    {"ascii", u"R = 33", "\\fs24 R = 33\\par"},
    {"western", u"é€œ", "\\'e9\\'80\\'9c"},
    {"greek", u"Ωμ", "\\u937?\\u956?"},
    {"above_32767", u"\uFB00", "\\u-1280?"},
    {"surrogate_pair", u"😀", "\\u-10179?\\u-8704?"},
    {"syntax", u"\\{}", "\\\\\\{\\}"},
    {"tab", u"a\tb", "a\\tab b"},
    {"line_break", u"a\u2028b", "a\\line b"},
    {"no_break_space", u"a\u00A0b", "a\\~b"},
    {"soft_hyphen", u"a\u00ADb", "a\\-b"},
    {"no_break_hyphen", u"a\u2011b", "a\\_b"},
    {"leading_blank_kept", u" a", "\\fs24  a\\par"},
};

INSTANTIATE_TEST_SUITE_P(Rtf, WriterEscape, ::testing::ValuesIn(kEscapeCases),
                         [](const auto& row) { return std::string(row.param.name); });

struct RoundTripCase {
    const char* name;
    std::function<Document()> make;
};

std::ostream& operator<<(std::ostream& out, const RoundTripCase& c) {
    return out << c.name;
}

class WriterRoundTrip : public ::testing::TestWithParam<RoundTripCase> {};

TEST_P(WriterRoundTrip, ReadsBackTheSameDocument) {
    const Document document = GetParam().make();
    const std::string rtf = writeRtfDocument(document);
    EXPECT_EQ(readRtfDocument(rtf), document) << rtf;
}

Document withFormat(const std::function<void(CharFormat&)>& change) {
    CharFormat format;
    format.font = 0;
    change(format);
    return oneParagraph(u"x", format);
}

Document withParagraph(const std::function<void(ParagraphFormat&)>& change) {
    Document document = oneParagraph(u"x");
    change(std::get<Paragraph>(document.blocks.front()).format);
    return document;
}

Document table() {
    Document document = oneParagraph(u"avant");
    CharFormat bold;
    bold.font = 1;
    bold.bold = true;
    Table table;
    for (int r = 0; r < 2; ++r) {
        Row row;
        row.cellWidthsTwips = {1500, 3000};
        for (int c = 0; c < 2; ++c) {
            Cell cell;
            Paragraph p;
            p.mark.font = 0;
            p.format.alignment = c ? Alignment::Right : Alignment::Left;
            p.spans.push_back(
                Span{bold, std::u16string(1, static_cast<char16_t>(u'a' + 2 * r + c)), -1});
            cell.paragraphs.push_back(p);
            if (r == 1 && c == 1) {
                p.spans.clear();
                cell.paragraphs.push_back(p);
            }
            row.cells.push_back(std::move(cell));
        }
        table.rows.push_back(std::move(row));
    }
    const Block first = document.blocks.front();
    document.blocks.emplace_back(std::move(table));
    document.blocks.push_back(first);
    return document;
}

Document picture() {
    Document document = oneParagraph(u"sch\u00E9ma ");
    document.images.push_back(
        test::image(ImageKind::Png, std::string("\x89PNG\0\x01\xff", 7), 24, 16, 360, 240));
    document.images.push_back(test::image(ImageKind::Jpeg, "\xff\xd8", 0, 0, 0, 0));
    auto& paragraph = std::get<Paragraph>(document.blocks.front());
    CharFormat format;
    format.font = 0;
    paragraph.spans.push_back(Span{format, {}, 0});
    paragraph.spans.push_back(Span{format, {}, 1});
    paragraph.spans.push_back(Span{format, {}, 0});
    return document;
}

Document emptyParagraphs() {
    Document document = oneParagraph(u"a");
    Paragraph empty;
    empty.mark.font = 1;
    empty.mark.halfPoints = 36;
    empty.mark.foreground = 0x0000C8;
    document.blocks.emplace_back(empty);
    document.blocks.emplace_back(empty);
    return document;
}

const RoundTripCase kRoundTripCases[] = {
    {"empty_document", [] { return Document{}; }},
    {"plain", [] { return oneParagraph(u"Ohmora"); }},
    {"all_characters", [] { return oneParagraph(u"é€Ωμπ😀\\{}\t\u2028\u00A0\u00AD\u2011“”—«» "); }},
    {"bold", [] { return withFormat([](CharFormat& f) { f.bold = true; }); }},
    {"italic_underline_strike",
     [] { return withFormat([](CharFormat& f) { f.italic = f.underline = f.strike = true; }); }},
    {"size_and_font",
     [] {
         return withFormat([](CharFormat& f) {
             f.halfPoints = 36;
             f.font = 1;
         });
     }},
    {"colours",
     [] {
         return withFormat([](CharFormat& f) {
             f.foreground = 0x0000C8;
             f.background = 0xFFFF00;
         });
     }},
    {"superscript",
     [] { return withFormat([](CharFormat& f) { f.vertical = VerticalPosition::Superscript; }); }},
    {"subscript",
     [] { return withFormat([](CharFormat& f) { f.vertical = VerticalPosition::Subscript; }); }},
    {"lowered", [] { return withFormat([](CharFormat& f) { f.offsetHalfPoints = -8; }); }},
    {"raised", [] { return withFormat([](CharFormat& f) { f.offsetHalfPoints = 4; }); }},
    {"capitals", [] { return withFormat([](CharFormat& f) { f.capitals = Capitals::All; }); }},
    {"small_capitals",
     [] { return withFormat([](CharFormat& f) { f.capitals = Capitals::Small; }); }},
    {"centred",
     [] { return withParagraph([](ParagraphFormat& f) { f.alignment = Alignment::Centre; }); }},
    {"justified_indented",
     [] {
         return withParagraph([](ParagraphFormat& f) {
             f.alignment = Alignment::Justify;
             f.leftTwips = 20;
             f.rightTwips = 300;
             f.firstLineTwips = -360;
         });
     }},
    {"spacing",
     [] {
         return withParagraph([](ParagraphFormat& f) {
             f.spaceBeforeTwips = 120;
             f.spaceAfterTwips = 200;
             f.lineSpacing = 276;
             f.lineMultiple = true;
         });
     }},
    {"exact_line", [] { return withParagraph([](ParagraphFormat& f) { f.lineSpacing = -300; }); }},
    {"empty_paragraphs", emptyParagraphs},
    {"table", table},
    {"pictures", picture},
    // An equation's picture group is the first that gives a picture, and
    // is written back where it stood among the equation's words.
    {"an_equation_s_empty_picture_group",
     [] { return readRtfDocument("{\\rtf1 {\\mmath{\\mmathPict}0{\\mmathPict}}}"); }},
    {"an_equation_s_words_after_its_picture",
     [] {
         return readRtfDocument("{\\rtf1 {\\mmath{\\mmathPict{\\pict\\pngblip 01}}\\xmlnstbl}}");
     }},
    // A paragraph end in an equation's picture group is no paragraph of the
    // text.
    {"a_paragraph_end_in_an_equation_s_picture_group",
     [] { return readRtfDocument("{\\rtf1 R\\par{\\mmath u{\\mmathPict \\par}}"); }},
    {"a_picture_with_one_goal_only",
     [] { return readRtfDocument("{\\rtf1 {\\pict\\pngblip\\pichgoal300 0102}}"); }},
    // A note belongs to the last mark before it; marks still waiting for a
    // note when another comes, in the text or in a table, are dropped.
    {"marks_waiting_for_a_note",
     [] { return readRtfDocument("{\\rtf1 a\\chftn b\\chftn{\\footnote f}c}"); }},
    {"a_table_mark_waiting_for_a_note",
     [] {
         return readRtfDocument(
             "{\\rtf1\\trowd\\cellx1000\\intbl a\\chftn\\cell\\row\\pard b\\chftn"
             "{\\footnote\\pard f}}");
     }},
};

INSTANTIATE_TEST_SUITE_P(Rtf, WriterRoundTrip, ::testing::ValuesIn(kRoundTripCases),
                         [](const auto& row) { return std::string(row.param.name); });

TEST(RtfWriter, WritesTheTablesAndThePictureAsPng) {
    const std::string rtf = writeRtfDocument(picture());
    EXPECT_NE(
        rtf.find(
            "{\\fonttbl{\\f0\\fnil\\fcharset0 Arial;}{\\f1\\fnil\\fcharset0 Times New Roman;}}"),
        std::string::npos);
    EXPECT_NE(
        rtf.find("{\\pict\\pngblip\\picw24\\pich16\\picwgoal360\\pichgoal240\r\n89504e470001ff}"),
        std::string::npos)
        << rtf;
}

} // namespace
} // namespace ohmora::rtf

namespace ohmora::rtf {
namespace {

struct KeptCase {
    const char* name;
    const char* rtf;                      // a file's body
    std::vector<std::string_view> writes; // what the rewrite holds, as read
};

std::ostream& operator<<(std::ostream& out, const KeptCase& c) {
    return out << c.name;
}

class WriterKeeps : public ::testing::TestWithParam<KeptCase> {};

// What the reader keeps of a file is written back as it was read, and reads
// back as the same document.
TEST_P(WriterKeeps, WritesWhatWasRead) {
    const Document read = readRtfDocument(std::string("{\\rtf1\\ansi ") + GetParam().rtf + "}");
    const std::string rewrite = writeRtfDocument(read);
    for (const std::string_view part : GetParam().writes) {
        EXPECT_NE(rewrite.find(part), std::string::npos) << part << " in\n" << rewrite;
    }
    EXPECT_EQ(readRtfDocument(rewrite), read);
}

const KeptCase kKeptCases[] = {
    {"metafile_scaled_and_cropped",
     "{\\pict\\wmetafile8\\picw2148\\pich567\\picwgoal1218\\pichgoal321\\picscalex93"
     "\\picscaley176\\piccropl0\\piccropr5 0100090000}",
     {"{\\pict\\wmetafile8\\picw2148\\pich567\\picwgoal1218\\pichgoal321\\picscalex93\\picscaley176"
      "\\piccropl0\\piccropr5\r\n0100090000}"}},
    {"emf", "{\\pict\\emfblip\\picwgoal720\\pichgoal480 01000000}", {"\\emfblip", "01000000}"}},
    {"other_format_word", "{\\pict\\wmetafile1\\picwgoal720\\pichgoal480 0a}", {"\\wmetafile1\\"}},
    {"picture_with_its_twin",
     "{\\*\\shppict{\\pict\\pngblip\\picwgoal720\\pichgoal480 41}}{\\nonshppict{\\pict"
     "\\wmetafile8\\picwgoal720\\pichgoal480 42}}",
     {"{\\*\\shppict{\\pict\\pngblip", "}{\\nonshppict{\\pict\\wmetafile8"}},
    {"equation",
     "x {\\mmath {\\*\\moMath{\\msSub{\\me{\\mr T}}{\\msub{\\mr 0}}}}{\\mmathPict{\\*\\shppict{"
     "\\pict\\pngblip\\picwgoal720\\pichgoal480 41}}{\\nonshppict{\\pict\\wmetafile8"
     "\\picwgoal720\\pichgoal480 42}}}} y",
     {"{\\mmath {\\*\\moMath{\\msSub{\\me{\\mr T}}{\\msub{\\mr 0}}}}{\\mmathPict "}},
    {"equation_without_picture",
     "{\\mmath{\\*\\moMath{\\mr x}}}",
     {"{\\mmath {\\*\\moMath{\\mr x}}}"}},
    {"ole_object",
     "{\\object\\objemb{\\*\\objclass Equation.3}\\objw1000\\objh500{\\*\\objdata\\bin5 }}{{\\"
     "}{\\result{\\pict\\wmetafile8\\picwgoal1000\\pichgoal500 0a}}}",
     {"{\\object \\objemb{\\*\\objclass Equation.3}\\objw1000\\objh500{\\*\\objdata\\bin5 }}{{\\}",
      "{\\result {\\pict\\wmetafile8"}},
    {"footnotes",
     "a{\\super\\chftn}{\\footnote\\pard{\\super\\chftn} une\\par "
     "deux}b{\\super\\chftn}{\\footnote "
     "trois}c",
     {"\\chftn}{\\footnote\\pard", "une\\par", "deux\r\n}b", "trois\r\n}c"}},
};

INSTANTIATE_TEST_SUITE_P(Rtf, WriterKeeps, ::testing::ValuesIn(kKeptCases),
                         [](const auto& row) { return std::string(row.param.name); });

} // namespace
} // namespace ohmora::rtf
