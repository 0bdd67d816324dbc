#include "graph/TableHeader.h"

#include "core/Circuit.h"
#include "picture/PictureArea.h"

namespace ohmora {

namespace {

constexpr int kSubscriptDrop = 4;

TableHeaderLabel label(std::string_view text) {
    const QString t = QString::fromUtf8(text.data(), qsizetype(text.size()));
    const qsizetype blank = t.indexOf(QLatin1Char(' '));
    if (blank < 0)
        return {t, t, QString()};
    return {t, t.left(blank), t.mid(blank)};
}

} // namespace

std::vector<TableHeaderLabel> tableHeaderLabels(int montage) {
    std::vector<TableHeaderLabel> labels;
    labels.reserve(size_t(tableColumnCount(montage)));
    for (int c = 0; c < tableColumnCount(montage); ++c)
        labels.push_back(label(tableColumnLabel(montage, c)));
    return labels;
}

std::vector<QImage> tableHeaderPictures(int montage, int cellWidth, int cellHeight, double scale) {
    // The scratch picture `Pictete`, one header cell in size.
    PictureArea pictete(cellWidth, cellHeight, kHeaderBackground, scale);
    pictete.setFontName(QStringLiteral("Arial"));
    pictete.setFontSize(8.25);
    pictete.setForeColor(Qt::black);

    std::vector<QImage> pictures;
    for (const TableHeaderLabel& l : tableHeaderLabels(montage)) {
        pictete.cls();
        pictete.setFontItalic(true);
        // The pair is centred as the whole label measures in italics.
        const int measured = pictete.textWidth(l.text);
        pictete.setCurrentPosition((cellWidth - measured) / 2.0, 1);
        pictete.print(l.symbol);
        if (!l.subscript.isEmpty()) {
            pictete.setFontItalic(false);
            pictete.setCurrentY(pictete.currentY() + kSubscriptDrop);
            pictete.print(l.subscript);
            pictete.setCurrentY(pictete.currentY() - kSubscriptDrop);
        }
        pictures.push_back(pictete.image().copy());
        pictures.back().setDevicePixelRatio(scale);
    }
    return pictures;
}

} // namespace ohmora
