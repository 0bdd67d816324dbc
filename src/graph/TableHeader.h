#pragma once
// The header pictures of the value table, `tetetab`'s drawing: each header
// cell shows a quantity symbol in italics, with an upright subscript 4
// pixels lower, centred on the cell as the whole label measures in italics.

#include <QColor>
#include <QImage>
#include <QString>

#include <vector>

namespace ohmora {

inline constexpr int kHeaderCellWidth = 78; // 1170 twips
// The grid's header row: one pixel taller than the other rows, so that the
// line under it leaves the foot of the lowered subscripts whole.
inline constexpr int kHeaderCellHeight = 17;
inline const QColor kHeaderBackground{210, 205, 200};

struct TableHeaderLabel {
    QString text;      // measured for centring: "u 1"
    QString symbol;    // italic: "u"
    QString subscript; // upright, leading blank included: " 1"; may be empty
};

// Header labels of the montage's columns, column 0 first. A montage other
// than 0, 1 and 2 gives only "t" and "i".
std::vector<TableHeaderLabel> tableHeaderLabels(int montage);

// One picture per column (the scratch picture `Pictete` at the cell size),
// drawn at `scale` device pixels to one of its pixels (the screen's device
// pixel ratio, which the images then carry).
std::vector<QImage> tableHeaderPictures(int montage, int cellWidth = kHeaderCellWidth,
                                        int cellHeight = kHeaderCellHeight, double scale = 1);

} // namespace ohmora
