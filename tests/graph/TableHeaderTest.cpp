#include "graph/TableHeader.h"

#include "PixelSupport.h"

#include <QPainter>

#include <string>
#include <tuple>
#include <vector>

using namespace ohmora;
using namespace ohmora::test;

namespace {

QStringList texts(int montage) {
    QStringList out;
    for (const TableHeaderLabel& l : tableHeaderLabels(montage))
        out << l.text;
    return out;
}

} // namespace

TEST(TableHeader, ColumnsPerMontage) {
    EXPECT_EQ(texts(0), (QStringList{"t", "i", "u 1", "u C", "u 2", "E C"}));
    EXPECT_EQ(texts(1), (QStringList{"t", "i", "u 1", "u C", "u 2", "u b", "E C", "E b"}));
    EXPECT_EQ(texts(2), (QStringList{"t", "i", "u b", "u R", "E b"}));
    EXPECT_EQ(texts(7), (QStringList{"t", "i"}));
    EXPECT_EQ(tableHeaderLabels(0)[5].symbol, "E");
    EXPECT_EQ(tableHeaderLabels(0)[5].subscript, " C");
}

// The ink of a header picture, in runs of columns separated by columns
// without ink: the symbol first, then the subscript's.
std::vector<QRect> inkRuns(const QImage& picture) {
    std::vector<QRect> runs;
    bool inRun = false;
    for (int x = 0; x < picture.width(); ++x) {
        const QRect column = inkBox(picture, QRect(x, 0, 1, picture.height()));
        if (!column.isEmpty() && !inRun)
            runs.emplace_back();
        if (!column.isEmpty())
            runs.back() |= column;
        inRun = !column.isEmpty();
    }
    return runs;
}

// Symbol in italics, subscript upright 4 pixels lower right after it, the
// pair centred on the cell, its foot above the line drawn under the row:
// measured on every picture of every montage, and at another cell size.
TEST(TableHeader, SymbolsAndSubscriptsSitAsDescribed) {
    for (auto [montage, w, h] : {std::tuple{0, 78, kHeaderCellHeight},
                                 {1, 78, kHeaderCellHeight},
                                 {2, 78, kHeaderCellHeight},
                                 {2, 100, 20}}) {
        const auto labels = tableHeaderLabels(montage);
        const auto pictures = tableHeaderPictures(montage, w, h);
        ASSERT_EQ(pictures.size(), labels.size());
        for (size_t c = 0; c < labels.size(); ++c) {
            const TableHeaderLabel& l = labels[c];
            SCOPED_TRACE(std::to_string(montage) + ": " + l.text.toStdString());
            ASSERT_EQ(pictures[c].size(), QSize(w, h));
            const std::vector<QRect> runs = inkRuns(pictures[c]);
            ASSERT_EQ(runs.size(), l.subscript.isEmpty() ? 1u : 2u);
            const QRect& symbol = runs.front();
            EXPECT_GE(symbol.top(), 2); // written from y = 1
            EXPECT_LE(symbol.top(), 5);
            QRect whole = symbol;
            if (!l.subscript.isEmpty()) {
                EXPECT_EQ(runs[1].bottom() - symbol.bottom(), 4);
                EXPECT_GT(runs[1].left(), symbol.right() + 1); // after the blank
                whole |= runs[1];
            }
            EXPECT_LE(whole.bottom(), h - 2);
            EXPECT_NEAR((whole.left() + whole.right()) / 2.0, w / 2.0, 3);
        }
    }
}

// The glyphs themselves: montage 1's eight pictures side by side, as
// recorded (tests/data/pictures/README.md).
TEST(TableHeader, MontageOneLooksAsRecorded) {
    const auto pictures = tableHeaderPictures(1);
    QImage strip(kHeaderCellWidth * int(pictures.size()), kHeaderCellHeight, QImage::Format_RGB32);
    QPainter painter(&strip);
    for (size_t c = 0; c < pictures.size(); ++c)
        painter.drawImage(kHeaderCellWidth * int(c), 0, pictures[c]);
    painter.end();
    expectMatchesGolden(strip, "pictures/table_header_montage1.png", 10);
}
