// What the reader makes of the constructs word processors write.

#include "richtext/RtfReader.h"
#include "RtfTestSupport.h"

#include <gtest/gtest.h>

#include <functional>

namespace ohmora::rtf {
namespace {

using test::findSpan;
using test::firstParagraph;
using test::readText;

const std::string kFonts =
    "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fswiss\\fcharset0 Arial;}{\\f1\\froman\\fcharset2 "
    "Symbol;}{\\f2\\fnil Times New Roman;}{\\f3\\fnil\\fcharset2 "
    "Wingdings;}{\\f4\\fnil\\fcharset161 "
    "Arial Greek;}{\\f5\\fnil "
    "Symbol;}{\\f6\\fcharset0 "
    "Symbol;}"
    // A font of each code page family, and the other symbol fonts.
    "{\\f7\\fcharset204 Arial Cyr;}{\\f8\\fcharset128 MS Mincho;}{\\f9\\fcharset134 SimSun;}"
    "{\\f10\\fcharset136 MingLiU;}{\\f11\\fcharset129 Batang;}{\\f12\\fcharset162 Arial Tur;}"
    "{\\f13\\fcharset177 David;}{\\f14\\fcharset178 Arial Arab;}{\\f15\\fcharset186 Arial Bal;}"
    "{\\f16\\fcharset222 Tahoma;}{\\f17\\fcharset238 Arial CE;}{\\f18\\fcharset163 Arial Viet;}"
    "{\\f19\\fcharset77 Times;}{\\f20\\fcharset255 Terminal;}{\\f21\\fcharset2 Zapf Dingbats;}"
    "{\\f22\\fcharset2 MT Extra;}{\\f23\\cpg1251 Courier;}{\\f24\\fcharset128 "
    "\\'82\\'6c\\'82\\'72 \\'96\\'be\\'92\\'a9;}}"
    "{\\colortbl;\\red255\\green0\\blue0;\\red0\\green0\\blue200;}";

struct TextCase {
    const char* name;
    std::string body; // after the font and colour tables
    const char* text;
};

std::ostream& operator<<(std::ostream& out, const TextCase& c) {
    return out << c.name;
}

class ReaderText : public ::testing::TestWithParam<TextCase> {};

TEST_P(ReaderText, GivesTheText) {
    EXPECT_EQ(readText(kFonts + GetParam().body + "}"), GetParam().text);
}

const TextCase kTextCases[] = {
    {"cp1252_escapes", "r\\'e9sistance \\'80 \\'9c", "résistance € œ"},
    {"code_page_1253", "\\ansicpg1253 {\\f2 \\'e1\\'e2\\'d9}", "αβΩ"},
    {"greek_charset_font", "{\\f4 \\'f0}", "π"},
    {"unicode_with_fallback", "\\u937?\\u233\\'e9", "Ωé"},
    {"unicode_negative", "\\u-1280?", "\uFB00"},
    {"unicode_skip_two", "{\\uc2\\u8776\\'81\\'d6}x", "≈x"},
    {"unicode_skip_none", "\\uc0\\u233 x", "éx"},
    {"unicode_skip_ends_with_group", "{\\u233}x", "éx"},
    {"unicode_skip_counts_a_control_word", "\\u233\\tab x", "éx"},
    {"surrogate_pair", "\\u-10179?\\u-8704?", "😀"},
    {"lone_surrogate", "\\u-10179?x", "\uFFFDx"},
    {"symbol_charset", "{\\f1 W m p \\'b7 \\'b1}", "Ω μ π • ±"},
    {"symbol_by_name", "{\\f5 W}", "Ω"},
    {"symbol_private_use", "{\\f1 \\u-4009\\'57}", "Ω"},
    {"symbol_field_result", "{\\field{\\*\\fldinst SYMBOL 112 \\\\f \"Symbol\"}{\\fldrslt\\f1 p}}",
     "π"},
    {"wingdings_bullet", "{\\f3 \\'a7}", "▪"},
    {"symbol_name_in_a_western_set", "{\\f6 W}", "W"},
    {"named_characters", "\\lquote\\rquote\\ldblquote\\rdblquote\\endash\\emdash\\bullet\\~\\-\\_",
     "‘’“”–—•\u00A0\u00AD\u2011"},
    {"escaped_syntax", "\\\\ \\{ \\}", "\\ { }"},
    {"tab_and_line", "a\\tab b\\line c", "a\tb\u2028c"},
    {"page_is_a_paragraph", "a\\page b", "a\nb"},
    {"section_is_a_paragraph", "a\\sect b", "a\nb"},
    {"backslash_line_end_is_a_paragraph", "a\\\nb", "a\nb"},
    {"line_ends_ignored", "ab\r\ncd", "abcd"},
    {"last_mark_adds_nothing", "a\\par ", "a"},
    {"empty_last_paragraph", "a\\par\\par ", "a\n"},
    {"field_result_shown", "{\\field{\\*\\fldinst HYPERLINK \"x\"}{\\fldrslt lien}}", "lien"},
    {"unknown_starred_skipped", "{\\*\\foo secret}visible", "visible"},
    {"known_destinations_skipped",
     "{\\stylesheet{\\s0 Normal;}}{\\info{\\title T}}{\\header h}{\\*\\htmltag84 <b>}"
     "{\\*\\pn{\\pntxtb x}}{\\nonshppict{\\pict\\wmetafile8 00}}ok",
     "ok"},
    {"list_text_kept", "{\\pntext\\f1\\'b7\\tab}item", "•\titem"},
    {"listtext_kept", "{\\listtext\\pard\\plain 1.\\tab}item", "1.\titem"},
    {"hidden_text_left_out", "a{\\v cach\\'e9}b", "ab"},
    {"rsid_noise", "{\\rtlch\\fcs1 \\af31507 \\ltrch\\fcs0 \\insrsid5310451 mot}", "mot"},
    {"control_characters_left_out", "a\\'0d\\'0ab\\u8233?c", "ab\u2028c"},
    {"table", "\\trowd\\cellx1000\\cellx2000\\intbl a\\cell b\\cell\\row\\pard apr\\'e8s",
     "[a|b]\naprès"},
    {"table_cell_paragraphs", "\\trowd\\cellx1000\\intbl a\\par b\\cell\\row", "[a/b]"},
    {"table_rows_of_word",
     "\\trowd\\cellx1000\\cellx2000\\pard\\intbl{a\\cell b\\cell}\\pard\\intbl{\\trowd\\cellx1000"
     "\\cellx2000\\row}\\pard\\intbl{c\\cell "
     "d\\cell}\\pard\\intbl{\\trowd\\cellx1000\\cellx2000\\row}",
     "[a|b]\n[c|d]"},
    {"table_without_row_end", "\\trowd\\cellx1000\\intbl a\\cell\\pard b", "[a]\nb"},
    {"nested_table_flattened",
     "\\trowd\\cellx4000\\intbl x\\par\\itap2 a\\nestcell b\\nestcell{\\*\\nesttableprops\\trowd"
     "\\cellx100\\cellx200\\nestrow}{\\nonesttables\\par}\\itap1 \\cell\\row",
     "[x/a\tb\t/]"},
    {"text_in_a_nested_row_definition_kept",
     "\\trowd\\cellx4000\\intbl\\itap2{\\*\\nesttableprops\\trowd\\cellx100 n\\nestcell\\nestrow}"
     "\\itap1 \\cell\\row",
     "[n\t/]"},
    {"known_destinations_without_star_skipped",
     "{\\themedata 504b}{\\datastore 0105}{\\bkmkstart nom}x{\\bkmkend nom}", "x"},
    {"shape_picture_only",
     "{\\shp{\\*\\shpinst{\\sp{\\sn pib}{\\sv {\\pict\\pngblip 0102}}}{\\sp{\\sn fillBlip}{\\sv "
     "{\\pict\\pngblip 0304}}}{\\sp{\\sn wzName}{\\sv Image1}}}{\\shprslt x}}",
     "[image]"},
    {"star_only_after_a_brace", "{\\i\\*\\cs7 quick} fox", "quick fox"},
    {"unicode_pair_read_once", "{\\upr{caf\\'e9}{\\*\\ud{caf\\u233?}}}!", "café!"},
    {"central_european_document", "{\\f99\\ansicpg1250 \\'e8\\'ed\\'f8}", "číř"},
    {"cyrillic", "{\\f7 \\'cf\\'f0\\'e8\\'e2\\'e5\\'f2}", "Привет"},
    {"shift_jis_pairs", "{\\f8 \\'82\\'a0\\'83e\\'95\\\\}", "あテ表"},
    {"shift_jis_raw_bytes", "{\\f8 \x82\xa0\x83\x65}", "あテ"},
    {"shift_jis_pair_cut", "{\\f8 \\'82}a", "a"},
    {"gb2312", "{\\f9 \\'d6\\'d0\\'ce\\'c4}", "中文"},
    {"big5", "{\\f10 \\'a4\\'a4\\'a4\\'e5}", "中文"},
    {"hangul", "{\\f11 \\'c7\\'d1\\'b1\\'db}", "한글"},
    {"turkish", "{\\f12 \\'fe\\'f0}", "şğ"},
    {"hebrew", "{\\f13 \\'f9\\'ec\\'e5\\'ed}", "שלום"},
    {"arabic", "{\\f14 \\'d3\\'e1\\'c7\\'e3}", "سلام"},
    {"baltic", "{\\f15 \\'e0\\'e8}", "ąč"},
    {"thai", "{\\f16 \\'ca\\'c7\\'d1\\'ca\\'b4\\'d5}", "สวัสดี"},
    {"central_european", "{\\f17 \\'9a\\'e8}", "šč"},
    {"vietnamese", "{\\f18 Vi\\'ea\\'f2t}", "Vi\u00EA\u0323t"},
    {"mac_roman", "{\\f19 caf\\'8e}", "café"},
    {"oem", "{\\f20 \\'82}", "é"},
    {"code_page_of_a_font", "{\\f23 \\'cf}", "П"},
    {"zapf_dingbats", "{\\f21 \\'33\\'a8}", "✓♣"},
    {"mt_extra", "{\\f22 \\'68\\'4c}", "ℏ⋯"},
    {"font_name_in_its_code_page", "{\\f24 x}", "x"},
    {"footnote", "texte{\\super\\chftn}{\\footnote\\pard{\\super\\chftn} note}.",
     "texte[^1].\n[^1] [^1] note"},
    {"footnote_without_its_mark", "a{\\footnote f}b", "ab\n[^1] f"},
    {"mark_without_footnote", "a\\chftn b", "ab"},
    {"equation_by_its_picture",
     "{\\mmath{\\*\\moMath{\\mr x}}{\\mmathPict{\\*\\shppict{\\pict\\pngblip 41}}"
     "{\\nonshppict{\\pict\\wmetafile8 42}}}}",
     "[equation]"},
    {"equation_without_picture", "{\\mmath{\\*\\moMath{\\mr x}{\\mr =1}}}", "[equation:x=1]"},
    {"equation_text_with_its_fallbacks",
     "{\\mmath{\\*\\moMath{\\mr x}{\\mr \\uc2 \\u8722\\'81\\'7c\\uc1 1}}}", "[equation:x\u22121]"},
    {"ole_object_by_its_result",
     "{\\object\\objemb{\\*\\objclass Equation.3}{\\*\\objdata 0105}{\\result{\\pict"
     "\\wmetafile8 4142}}}",
     "[object]"},
    {"numbered_list",
     "{\\*\\listtable{\\list{\\listlevel\\levelnfc0\\levelstartat1{\\leveltext\\'02\\'00.;}}"
     "{\\listlevel\\levelnfc4\\levelstartat1{\\leveltext\\'02\\'01);}}\\listid5}}"
     "{\\*\\listoverridetable{\\listoverride\\listid5\\ls1}}"
     "\\pard\\ls1 un\\par\\pard\\ls1\\ilvl1 a\\par\\pard\\ls1\\ilvl1 b\\par\\pard\\ls1 deux\\par"
     "\\pard\\ls1\\ilvl1 c\\par",
     "1.\tun\na)\ta\nb)\tb\n2.\tdeux\na)\tc"},
    {"roman_and_bullets",
     "{\\*\\listtable{\\list{\\listlevel\\levelnfc2\\levelstartat3\\levelfollow1{\\leveltext"
     "\\'02\\'00.;}}{\\listlevel\\levelnfc23{\\leveltext\\'01\\u-3913 ?;}}\\listid7}}"
     "{\\*\\listoverridetable{\\listoverride\\listid7\\ls2}}"
     "\\pard\\ls2 x\\par\\pard\\ls2\\ilvl1 y\\par\\pard\\ls2 z\\par",
     "iii. x\n•\ty\niv. z"},
    {"list_table_over_the_file_s_list_text",
     "{\\*\\listtable{\\list{\\listlevel\\levelnfc0{\\leveltext\\'02\\'00.;}}\\listid5}}"
     "{\\*\\listoverridetable{\\listoverride\\listid5\\ls1}}"
     "{\\listtext 1)\\tab}\\pard\\ls1 un\\par",
     "1.\tun"},
    {"bullet_in_the_level_s_font",
     "{\\*\\listtable{\\list{\\listlevel\\levelnfc23{\\leveltext\\'01o;}\\f3}\\listid5}}"
     "{\\*\\listoverridetable{\\listoverride\\listid5\\ls1}}\\pard\\ls1 un\\par",
     "□\tun"},
    {"list_text_of_an_unknown_list_dropped", "{\\listtext 10.\\tab}\\pard\\ls23 un\\par", "un"},
    {"bullet_whose_text_is_a_number",
     "{\\*\\listtable{\\list{\\listlevel\\levelnfc23{\\leveltext\\'02\\'05.;}}\\listid5}}"
     "{\\*\\listoverridetable{\\listoverride\\listid5\\ls1}}\\pard\\ls1 un\\par",
     "•\tun"},
    {"shppict_without_nonshppict",
     "{\\*\\shppict{\\pict\\pngblip 01}}{\\nonshppict{\\pict\\wmetafile8 02}}", "[image]"},
};

INSTANTIATE_TEST_SUITE_P(Rtf, ReaderText, ::testing::ValuesIn(kTextCases),
                         [](const auto& row) { return std::string(row.param.name); });

struct FormatCase {
    const char* name;
    const char* body;                          // the text marked 'x' is checked
    std::function<void(CharFormat&)> expected; // changes from Arial 12 points
};

std::ostream& operator<<(std::ostream& out, const FormatCase& c) {
    return out << c.name;
}

class ReaderFormat : public ::testing::TestWithParam<FormatCase> {};

TEST_P(ReaderFormat, GivesTheCharacterFormat) {
    const Document document = readRtfDocument(kFonts + GetParam().body + "}");
    CharFormat expected;
    expected.font = 0;
    GetParam().expected(expected);
    const Span* span = findSpan(document, u"x");
    ASSERT_NE(span, nullptr);
    EXPECT_EQ(span->format, expected);
}

const FormatCase kFormatCases[] = {
    {"plain_text", "x", [](CharFormat&) {}},
    {"bold", "\\b x", [](CharFormat& f) { f.bold = true; }},
    {"bold_off", "\\b\\b0 x", [](CharFormat&) {}},
    {"italic", "\\i x", [](CharFormat& f) { f.italic = true; }},
    {"underline", "\\ul x", [](CharFormat& f) { f.underline = true; }},
    {"double_underline", "\\uldb x", [](CharFormat& f) { f.underline = true; }},
    {"underline_none", "\\ul\\ulnone x", [](CharFormat&) {}},
    {"underline_zero", "\\ul\\ul0 x", [](CharFormat&) {}},
    {"strike", "\\strike x", [](CharFormat& f) { f.strike = true; }},
    {"size", "\\fs36 x", [](CharFormat& f) { f.halfPoints = 36; }},
    {"size_clamped", "\\fs999999999999 x", [](CharFormat& f) { f.halfPoints = 3276; }},
    {"font", "\\f2 x", [](CharFormat& f) { f.font = 1; }},
    {"unknown_font", "\\f99 x", [](CharFormat& f) { f.font = -1; }},
    {"colour", "\\cf2 x", [](CharFormat& f) { f.foreground = 0x0000C8; }},
    {"automatic_colour", "\\cf1\\cf0 x", [](CharFormat&) {}},
    {"colour_out_of_table", "\\cf77 x", [](CharFormat&) {}},
    {"highlight", "\\highlight1 x", [](CharFormat& f) { f.background = 0xFF0000; }},
    {"character_background", "\\cb1 x", [](CharFormat& f) { f.background = 0xFF0000; }},
    {"character_shading", "\\chcbpat2 x", [](CharFormat& f) { f.background = 0x0000C8; }},
    {"superscript", "\\super x", [](CharFormat& f) { f.vertical = VerticalPosition::Superscript; }},
    {"subscript", "\\sub x", [](CharFormat& f) { f.vertical = VerticalPosition::Subscript; }},
    {"no_super_sub", "\\sub\\nosupersub x", [](CharFormat&) {}},
    {"raised", "\\up6 x", [](CharFormat& f) { f.offsetHalfPoints = 6; }},
    {"raised_by_default", "\\up x", [](CharFormat& f) { f.offsetHalfPoints = 6; }},
    {"lowered", "\\dn8 x", [](CharFormat& f) { f.offsetHalfPoints = -8; }},
    {"capitals", "\\caps x", [](CharFormat& f) { f.capitals = Capitals::All; }},
    {"small_capitals", "\\scaps x", [](CharFormat& f) { f.capitals = Capitals::Small; }},
    {"plain_resets", "\\b\\i\\fs40\\cf1\\f2\\plain x", [](CharFormat&) {}},
    {"group_restores", "{\\b\\fs40 a}x", [](CharFormat&) {}},
    {"colour_table_of_an_object_ignored", "{\\object{\\colortbl;\\red9\\green9\\blue9;}}\\cf1 x",
     [](CharFormat& f) { f.foreground = 0xFF0000; }},
};

INSTANTIATE_TEST_SUITE_P(Rtf, ReaderFormat, ::testing::ValuesIn(kFormatCases),
                         [](const auto& row) { return std::string(row.param.name); });

// After \dbch, \ab and \afs are the format of the Chinese, Japanese and
// Korean characters and of the spaces among them (LibreOffice); after \rtlch
// they are of right-to-left text only (Word).
TEST(ReaderFormat, DoubleByteCharactersTakeTheirOwnFormat) {
    const Document libreOffice = readRtfDocument(
        kFonts + "{\\hich\\af0\\loch\\f0\\dbch\\afs40\\ab\\dbch \\u20013? \\u25991?x}}");
    ASSERT_NE(firstParagraph(libreOffice), nullptr);
    const std::vector<Span>& spans = firstParagraph(libreOffice)->spans;
    ASSERT_EQ(spans.size(), 2U);
    EXPECT_EQ(spans[0].text, u"中 文");
    EXPECT_TRUE(spans[0].format.bold);
    EXPECT_EQ(spans[0].format.halfPoints, 40);
    EXPECT_FALSE(spans[1].format.bold);
    EXPECT_EQ(spans[1].format.halfPoints, CharFormat{}.halfPoints);

    const Document word =
        readRtfDocument(kFonts + "\\dbch\\af0{\\rtlch\\ab\\afs40 \\ltrch\\dbch\\af0 \\u20013?}}");
    const Span* span = findSpan(word, u"中");
    ASSERT_NE(span, nullptr);
    EXPECT_FALSE(span->format.bold);
    EXPECT_EQ(span->format.halfPoints, CharFormat{}.halfPoints);
}

struct ParagraphCase {
    const char* name;
    const char* body;
    std::function<void(ParagraphFormat&)> expected;
};

std::ostream& operator<<(std::ostream& out, const ParagraphCase& c) {
    return out << c.name;
}

class ReaderParagraph : public ::testing::TestWithParam<ParagraphCase> {};

TEST_P(ReaderParagraph, GivesTheParagraphFormat) {
    const Document document = readRtfDocument(kFonts + GetParam().body + "x\\par}");
    ParagraphFormat expected;
    GetParam().expected(expected);
    const Paragraph* paragraph = firstParagraph(document);
    ASSERT_NE(paragraph, nullptr);
    EXPECT_EQ(paragraph->format, expected);
}

const ParagraphCase kParagraphCases[] = {
    {"left", "\\qc\\ql ", [](ParagraphFormat&) {}},
    {"centred", "\\qc ", [](ParagraphFormat& f) { f.alignment = Alignment::Centre; }},
    {"right", "\\qr ", [](ParagraphFormat& f) { f.alignment = Alignment::Right; }},
    {"justified", "\\qj ", [](ParagraphFormat& f) { f.alignment = Alignment::Justify; }},
    {"indents", "\\li720\\ri360\\fi-360 ",
     [](ParagraphFormat& f) {
         f.leftTwips = 720;
         f.rightTwips = 360;
         f.firstLineTwips = -360;
     }},
    {"indent_for_left_to_right", "\\lin20 ", [](ParagraphFormat& f) { f.leftTwips = 20; }},
    {"indent_clamped", "\\li99999999 ", [](ParagraphFormat& f) { f.leftTwips = 31680; }},
    {"spacing", "\\sb120\\sa240 ",
     [](ParagraphFormat& f) {
         f.spaceBeforeTwips = 120;
         f.spaceAfterTwips = 240;
     }},
    {"negative_spacing_is_none", "\\sb-120 ", [](ParagraphFormat&) {}},
    {"line_multiple", "\\sl276\\slmult1 ",
     [](ParagraphFormat& f) {
         f.lineSpacing = 276;
         f.lineMultiple = true;
     }},
    {"line_exactly", "\\sl-300\\slmult0 ", [](ParagraphFormat& f) { f.lineSpacing = -300; }},
    {"multiple_of_nothing", "\\slmult1 ", [](ParagraphFormat&) {}},
    {"pard_resets", "\\qc\\li400\\sb100\\pard ", [](ParagraphFormat&) {}},
    {"group_does_not_reset", "{\\qc}", [](ParagraphFormat&) {}},
};

INSTANTIATE_TEST_SUITE_P(Rtf, ReaderParagraph, ::testing::ValuesIn(kParagraphCases),
                         [](const auto& row) { return std::string(row.param.name); });

struct PictureCase {
    const char* name;
    const char* body;
    ImageKind kind;
    std::string data;
    int widthTwips, heightTwips;
};

std::ostream& operator<<(std::ostream& out, const PictureCase& c) {
    return out << c.name;
}

class ReaderPicture : public ::testing::TestWithParam<PictureCase> {};

TEST_P(ReaderPicture, GivesTheImage) {
    const Document document = readRtfDocument(kFonts + GetParam().body + "}");
    const Span* shown = nullptr;
    test::forEachParagraph(document, [&shown](const Paragraph& p) {
        for (const Span& span : p.spans) {
            shown = shown ? shown : span.image >= 0 ? &span : nullptr;
        }
    });
    ASSERT_NE(shown, nullptr);
    const Image& image = document.images.at(static_cast<std::size_t>(shown->image));
    EXPECT_EQ(image.kind, GetParam().kind);
    EXPECT_EQ(image.data, GetParam().data);
    EXPECT_EQ(image.widthTwips, GetParam().widthTwips);
    EXPECT_EQ(image.heightTwips, GetParam().heightTwips);
}

const PictureCase kPictureCases[] = {
    {"png_goal_size", "{\\pict\\pngblip\\picw24\\pich16\\picwgoal360\\pichgoal240 0aFf}",
     ImageKind::Png, "\x0a\xff", 360, 240},
    {"scaled", "{\\pict\\jpegblip\\picscalex50\\picscaley200\\picwgoal720\\pichgoal480 41}",
     ImageKind::Jpeg, "A", 360, 960},
    {"pixels_without_goal", "{\\pict\\pngblip\\picw24\\pich16 41}", ImageKind::Png, "A", 360, 240},
    {"metafile_hundredths_of_mm", "{\\pict\\wmetafile8\\picw2540\\pich1270 41}", ImageKind::Wmf,
     "A", 1440, 720},
    {"odd_hex_length", "{\\pict\\pngblip 414}", ImageKind::Png, "A", 0, 0},
    {"hex_with_line_ends", "{\\pict\\pngblip 41\r\n42\n43}", ImageKind::Png, "ABC", 0, 0},
    {"binary_data", "{\\pict\\pngblip\\bin3 {}\\}", ImageKind::Png, "{}\\", 0, 0},
    {"shppict_over_nonshppict",
     "{\\*\\shppict{\\pict{\\*\\picprop{\\sp{\\sn x}{\\sv 1}}}\\pngblip{\\*\\blipuid 99}41}}"
     "{\\nonshppict{\\pict\\wmetafile8 42}}",
     ImageKind::Png, "A", 0, 0},
    {"shape_gives_the_size",
     "{\\shp{\\*\\shpinst\\shpleft0\\shptop-481\\shpright719\\shpbottom-2{\\sp{\\sn pib}{\\sv "
     "{\\pict\\pngblip\\picw24\\pich16 41}}}}}",
     ImageKind::Png, "A", 719, 479},
};

INSTANTIATE_TEST_SUITE_P(Rtf, ReaderPicture, ::testing::ValuesIn(kPictureCases),
                         [](const auto& row) { return std::string(row.param.name); });

TEST(RtfReader, TableKeepsCellWidthsFromTheRowLeft) {
    const Document document = readRtfDocument(
        kFonts + "\\trowd\\trleft-108\\cellx2912\\cellx5932\\intbl a\\cell b\\cell\\row}");
    ASSERT_EQ(document.blocks.size(), 1u);
    const auto& rows = std::get<Table>(document.blocks.front()).rows;
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows.front().cellWidthsTwips, (std::vector<int>{3020, 3020}));
}

TEST(RtfReader, SymbolTextTakesTheDefaultFont) {
    const Document document = readRtfDocument(kFonts + "{\\f2 a{\\f1 W}}}");
    const Span* span = findSpan(document, u"\u03A9");
    ASSERT_NE(span, nullptr);
    EXPECT_EQ(span->format.font, 0);
    EXPECT_EQ(test::utf8(document.fonts.at(0)), "Arial");
}

TEST(RtfReader, FontNamesLeaveControlCharactersOut) {
    const Document document = readRtfDocument("{\\rtf1{\\fonttbl{\\f0 A\\'01ri\\'1fal;}}x}");
    ASSERT_EQ(document.fonts.size(), 1u);
    EXPECT_EQ(test::utf8(document.fonts.front()), "Arial");
}

TEST(RtfReader, PictureShownTwiceIsKeptOnce) {
    const Document document = readRtfDocument(
        "{\\rtf1 {\\pict\\pngblip 4142}{\\pict\\pngblip 4142}{\\pict\\pngblip 43}}");
    EXPECT_EQ(test::modelText(document), "[image][image][image]");
    EXPECT_EQ(document.images.size(), 2u);
}

TEST(RtfReader, ParagraphMarkKeepsItsFormat) {
    const Document document = readRtfDocument(kFonts + "\\fs20\\cf2 \\par}");
    const Paragraph* paragraph = firstParagraph(document);
    ASSERT_NE(paragraph, nullptr);
    EXPECT_TRUE(paragraph->spans.empty());
    EXPECT_EQ(paragraph->mark.halfPoints, 20);
    EXPECT_EQ(paragraph->mark.foreground, 0x0000C8u);
}

TEST(RtfReader, RecognisesRtf) {
    EXPECT_TRUE(looksLikeRtf("{\\rtf1}"));
    EXPECT_TRUE(looksLikeRtf("\xEF\xBB\xBF \r\n\t{\\rtf1}"));
    EXPECT_TRUE(looksLikeRtf("{\\pard Simple}")); // a writer that leaves the header out
    EXPECT_FALSE(looksLikeRtf(""));
    EXPECT_FALSE(looksLikeRtf("{ texte}"));
    EXPECT_FALSE(looksLikeRtf("{\\'e9}"));
    EXPECT_FALSE(looksLikeRtf("x{\\rtf1}"));
}

} // namespace
} // namespace ohmora::rtf
