#include "TableHeader.h"

#include "PixelSupport.h"
#include "TextReference.h"

using namespace ohmora;
using namespace ohmora::test;

namespace {

QStringList texts(int montage) {
    QStringList out;
    for (const TableHeaderLabel& l : tableHeaderLabels(montage))
        out << l.text;
    return out;
}

// The header as it should look: symbol in italics, subscript upright 4
// pixels lower, the pair centred as the whole label measures in italics.
QImage expectedHeader(const TableHeaderLabel& l, int w = 78, int h = 16) {
    TextReference ref(QSize(w, h), QColor(210, 205, 200), 8.25);
    const double x = ref.text((w - ref.width(l.text, true)) / 2.0, 1, l.symbol, true);
    if (!l.subscript.isEmpty())
        ref.text(x, 5, l.subscript);
    return ref.image();
}

} // namespace

TEST(TableHeader, ColumnsPerMontage) {
    EXPECT_EQ(texts(0), (QStringList{"t", "i", "u 1", "u C", "u 2", "E C"}));
    EXPECT_EQ(texts(1), (QStringList{"t", "i", "u 1", "u C", "u 2", "u b", "E C", "E b"}));
    EXPECT_EQ(texts(2), (QStringList{"t", "i", "u b", "u R", "E b"}));
    EXPECT_EQ(texts(7), (QStringList{"t", "i"}));
}

TEST(TableHeader, LabelsSplitIntoSymbolAndSubscriptWithItsBlank) {
    const auto labels = tableHeaderLabels(0);
    EXPECT_EQ(labels[0].symbol, "t");
    EXPECT_TRUE(labels[0].subscript.isEmpty());
    EXPECT_EQ(labels[3].symbol, "u");
    EXPECT_EQ(labels[3].subscript, " C");
    EXPECT_EQ(labels[5].symbol, "E");
    EXPECT_EQ(labels[5].subscript, " C");
}

TEST(TableHeader, OnePictureOfOneCellPerColumn) {
    for (int montage : {0, 1, 2}) {
        const auto pictures = tableHeaderPictures(montage);
        ASSERT_EQ(pictures.size(), tableHeaderLabels(montage).size());
        for (const QImage& p : pictures) {
            EXPECT_EQ(p.size(), QSize(78, 16));
            EXPECT_EQ(rgbAt(p, 0, 0), rgb(210, 205, 200));
            EXPECT_EQ(rgbAt(p, 77, 15), rgb(210, 205, 200));
        }
    }
}

TEST(TableHeader, EveryPictureIsExactlyAsDescribed) {
    for (int montage : {0, 1, 2}) {
        const auto labels = tableHeaderLabels(montage);
        const auto pictures = tableHeaderPictures(montage);
        for (size_t c = 0; c < labels.size(); ++c)
            EXPECT_EQ(differingPixels(pictures[c], expectedHeader(labels[c]), pictures[c].rect()),
                      0)
                << montage << ":" << labels[c].text.toStdString();
    }
}

TEST(TableHeader, SubscriptSitsFourPixelsLowerAfterTheSymbol) {
    const QImage p = tableHeaderPictures(0)[3]; // "u C"
    const QRgb back = rgb(210, 205, 200);
    const QRect all = inkBox(p, p.rect(), back);
    ASSERT_FALSE(all.isNull());
    // Split the ink at the first empty column after the symbol.
    int split = all.left();
    while (inkBox(p, QRect(split, 0, 1, 16), back).isValid())
        ++split;
    const QRect symbol = inkBox(p, QRect(all.left(), 0, split - all.left(), 16), back);
    const QRect subscript = inkBox(p, QRect(split, 0, all.right() - split + 1, 16), back);
    ASSERT_TRUE(subscript.isValid());
    EXPECT_EQ(subscript.bottom() - symbol.bottom(), 4); // both sit on their baselines
    // Centred: the ink lies about the middle of the cell.
    EXPECT_NEAR((all.left() + all.right()) / 2.0, 39, 4);
}

TEST(TableHeader, OtherCellSizesAreHonoured) {
    const auto pictures = tableHeaderPictures(2, 100, 20);
    ASSERT_EQ(pictures.size(), 5u);
    EXPECT_EQ(pictures[2].size(), QSize(100, 20));
    const auto labels = tableHeaderLabels(2);
    EXPECT_EQ(differingPixels(pictures[2], expectedHeader(labels[2], 100, 20), pictures[2].rect()),
              0);
}
