// Files made to break a reader: each is read into a text document, quickly
// and within memory, and gives what can sensibly be read of it.

#include "RtfTestSupport.h"
#include "richtext/RichText.h"
#include "richtext/RtfReader.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextTable>

#include <gtest/gtest.h>

#include <functional>

namespace ohmora::rtf {
namespace {

std::string repeat(std::string_view piece, std::size_t count) {
    std::string out;
    out.reserve(piece.size() * count);
    for (std::size_t i = 0; i < count; ++i) {
        out += piece;
    }
    return out;
}

struct HostileCase {
    const char* name;
    std::function<std::string()> bytes;
    bool readable;
    const char* text; // the plain text of the document when readable
};

std::ostream& operator<<(std::ostream& out, const HostileCase& c) {
    return out << c.name;
}

class HostileRtf : public ::testing::TestWithParam<HostileCase> {};

TEST_P(HostileRtf, ReadsWhatItCanAndNeverMore) {
    const std::string bytes = GetParam().bytes();
    QTextDocument document;
    document.setPlainText(QStringLiteral("before"));
    QString error;
    const bool read = readRtf(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())),
                              document, &error);
    EXPECT_EQ(read, GetParam().readable) << error.toStdString();
    EXPECT_EQ(plainText(document).toStdString(), GetParam().readable ? GetParam().text : "before");
    EXPECT_EQ(error.isEmpty(), GetParam().readable);
}

const HostileCase kHostileCases[] = {
    {"empty_file", [] { return std::string(); }, false, ""},
    {"blanks_only", [] { return std::string(" \r\n\t"); }, false, ""},
    {"not_rtf", [] { return std::string("Charge d'un condensateur"); }, false, ""},
    {"cut_header", [] { return std::string("{\\rt"); }, true, ""},
    {"no_control_word", [] { return std::string("{ texte}"); }, false, ""},
    {"byte_order_mark", [] { return std::string("\xEF\xBB\xBF{\\rtf1 ok}"); }, true, "ok"},
    {"deep_nesting",
     [] { return "{\\rtf1 " + repeat("{", 100000) + "x" + repeat("}", 100000) + "}"; }, true, "x"},
    {"unbalanced_opening_braces", [] { return "{\\rtf1 a" + repeat("{", 100000) + "b"; }, true,
     "ab"},
    {"unbalanced_closing_braces", [] { return "{\\rtf1 a" + repeat("}", 100000) + "b"; }, true,
     "a"},
    {"huge_bin", [] { return std::string("{\\rtf1 a\\bin99999999999999 xyz}"); }, true, "a"},
    {"negative_bin", [] { return std::string("{\\rtf1 a\\bin-5 b}"); }, true, "ab"},
    {"huge_font_size", [] { return std::string("{\\rtf1 \\fs99999999999999999 x}"); }, true, "x"},
    {"huge_number", [] { return "{\\rtf1 \\li" + repeat("9", 1 << 20) + " x}"; }, true, "x"},
    {"cut_hex_escape", [] { return std::string("{\\rtf1 a\\'e"); }, true, "a"},
    {"lone_hex_escape_marks", [] { return "{\\rtf1 " + repeat("\\'", 500000) + "x}"; }, true, "x"},
    {"megabyte_control_word", [] { return "{\\rtf1 \\" + repeat("a", 1 << 20) + " x}"; }, true,
     "x"},
    {"picture_odd_hex_length", [] { return std::string("{\\rtf1 {\\pict\\pngblip 123}x}"); }, true,
     "x"},
    {"picture_over_the_bound",
     [] {
         const std::size_t size = kMaxPictureBytes + 1;
         return "{\\rtf1 {\\pict\\pngblip\\bin" + std::to_string(size) + " " +
                std::string(size, 'p') + "}x}";
     },
     true, "x"},
    {"nul_bytes", [] { return std::string("{\\rtf1 a\0b\0}", 12); }, true, "ab"},
    {"cut_in_a_group", [] { return std::string("{\\rtf1 {\\b gras"); }, true, "gras"},
    {"cut_in_the_font_table", [] { return std::string("{\\rtf1{\\fonttbl{\\f0 Ari"); }, true, ""},
    {"cut_in_a_picture", [] { return std::string("{\\rtf1 a{\\pict\\pngblip 89504e"); }, true, "a"},
    {"cut_after_a_backslash", [] { return std::string("{\\rtf1 a\\"); }, true, "a"},
    {"starred_at_the_end", [] { return std::string("{\\rtf1 a{\\*"); }, true, "a"},
    {"huge_unicode_skip", [] { return std::string("{\\rtf1 \\uc999999999\\u233 abc}"); }, true,
     "é"},
    {"thousands_of_fonts",
     [] {
         std::string rtf = "{\\rtf1{\\fonttbl";
         for (int i = 0; i < 20000; ++i) {
             rtf += "{\\f" + std::to_string(i) + " F" + std::to_string(i) + ";}";
         }
         return rtf + "}\\f19999 x}";
     },
     true, "x"},
    {"unbalanced_table_words",
     [] { return std::string("{\\rtf1 \\row\\cell\\nestrow\\nestcell\\trowd\\cellx-5 a}"); }, true,
     "\n\n\n\ta"},
};

INSTANTIATE_TEST_SUITE_P(Rtf, HostileRtf, ::testing::ValuesIn(kHostileCases),
                         [](const auto& row) { return std::string(row.param.name); });

TEST(HostileRtfDepth, DeeperGroupsKeepTheLastFormatKept) {
    // The bold of the groups past the bound is ignored, their text is not.
    const std::string rtf = "{\\rtf1 " + repeat("{", kMaxGroupDepth - 2) + "\\i a" +
                            repeat("{", 10) + "\\b b" + repeat("}", 10) + "c" +
                            repeat("}", kMaxGroupDepth - 2) + "d}";
    const Document document = readRtfDocument(rtf);
    EXPECT_EQ(test::modelText(document), "abcd");
    EXPECT_TRUE(test::findSpan(document, u"abc")->format.italic);
    EXPECT_FALSE(test::findSpan(document, u"abc")->format.bold);
    EXPECT_FALSE(test::findSpan(document, u"d")->format.italic);
}

TEST(HostileRtfTable, CellsOfAWideRowAreBounded) {
    const std::string rtf = "{\\rtf1 \\intbl " + repeat("x\\cell ", 100000) + "\\row}";
    QTextDocument document;
    ASSERT_TRUE(readRtf(QByteArray::fromStdString(rtf), document));
    const QTextTable* table = QTextCursor(&document).currentTable();
    auto it = document.rootFrame()->begin();
    while (!it.atEnd() && !table) {
        table = qobject_cast<QTextTable*>(it.currentFrame());
        ++it;
    }
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(table->columns(), static_cast<int>(kMaxTableColumns));
    EXPECT_EQ(table->rows(), 1);
    EXPECT_EQ(plainText(document).count(QLatin1Char('x')), 100000);
}

TEST(HostileRtfTable, RaggedRowsDoNotMultiplyTheCells) {
    // Thousands of one-cell rows and one wide row would make a table of
    // rows times columns cells; the reader starts a new table instead.
    const std::string rtf = "{\\rtf1 " + repeat("\\intbl a\\cell\\row ", 20000) + "\\intbl " +
                            repeat("b\\cell ", 60) + "\\row}";
    const Document document = readRtfDocument(rtf);
    std::size_t cells = 0;
    std::size_t padded = 0;
    for (const Block& block : document.blocks) {
        const auto& rows = std::get<Table>(block).rows;
        std::size_t columns = 0;
        for (const Row& row : rows) {
            cells += row.cells.size();
            columns = std::max(columns, row.cells.size());
        }
        padded += rows.size() * columns;
    }
    EXPECT_EQ(cells, 20060u);
    EXPECT_LE(padded, 4 * cells + 256);
}

} // namespace
} // namespace ohmora::rtf
