#include "graph/TableHeader.h"

#include "PixelSupport.h"

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

// Symbol in italics, subscript upright 4 pixels lower right after it, the
// pair centred as the whole label measures in italics.
TEST(TableHeader, EveryPictureIsExactlyAsDescribed) {
    constexpr int kH = kHeaderCellHeight;
    for (auto [montage, w, h] : {std::tuple{0, 78, kH}, {1, 78, kH}, {2, 78, kH}, {2, 100, 20}}) {
        const auto labels = tableHeaderLabels(montage);
        const auto pictures = tableHeaderPictures(montage, w, h);
        ASSERT_EQ(pictures.size(), labels.size());
        for (size_t c = 0; c < labels.size(); ++c) {
            const TableHeaderLabel& l = labels[c];
            TextReference ref(QSize(w, h), QColor(210, 205, 200), 8.25);
            const double x = ref.text((w - ref.width(l.text, true)) / 2.0, 1, l.symbol, true);
            if (!l.subscript.isEmpty())
                ref.text(x, 5, l.subscript);
            ASSERT_EQ(pictures[c].size(), QSize(w, h));
            // The foot of every piece clears the line drawn under the row.
            int lowest = 0;
            for (int y = 0; y < h; ++y)
                if (countColour(pictures[c], QRect(0, y, w, 1), rgb(210, 205, 200)) < w)
                    lowest = y;
            EXPECT_LT(lowest, h - 1) << montage << ":" << l.text.toStdString();
            EXPECT_EQ(differingPixels(pictures[c], ref.image(), pictures[c].rect()), 0)
                << montage << ":" << l.text.toStdString();
        }
    }
}
