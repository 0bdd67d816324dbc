#include "TableHeader.h"

#include "PictureArea.h"

namespace ohmora {

namespace {

constexpr int kSubscriptDrop = 4;

TableHeaderLabel label(const char* text) {
    const QString t = QString::fromUtf8(text);
    const qsizetype blank = t.indexOf(QLatin1Char(' '));
    if (blank < 0)
        return {t, t, QString()};
    return {t, t.left(blank), t.mid(blank)};
}

} // namespace

std::vector<TableHeaderLabel> tableHeaderLabels(int montage) {
    std::vector<TableHeaderLabel> labels{label("t"), label("i")};
    switch (montage) {
    case 2:
        for (const char* t : {"u b", "u R", "E b"})
            labels.push_back(label(t));
        break;
    case 0:
    case 1:
        for (const char* t : {"u 1", "u C", "u 2"})
            labels.push_back(label(t));
        if (montage == 1) {
            for (const char* t : {"u b", "E C", "E b"})
                labels.push_back(label(t));
        } else {
            labels.push_back(label("E C"));
        }
        break;
    default:
        break;
    }
    return labels;
}

std::vector<QImage> tableHeaderPictures(int montage, int cellWidth, int cellHeight) {
    // The scratch picture `Pictete`, one header cell in size.
    PictureArea pictete(cellWidth, cellHeight, kHeaderBackground);
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
    }
    return pictures;
}

} // namespace ohmora
