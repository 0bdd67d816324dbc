// The measuring tools drawn over the graph: the constructions of τ in thin
// dashed lines (the tangent in its curve's colour, the asymptote, the level
// and the verticals down to the time axis in dark grey), the crossing
// marked on the time axis, the two cursors, and one box with the cursors'
// readouts and the τ readings, in the corner of the plotting box where the
// curves leave the most room. Everything stays within the plotting box.

#include "graph/GraphPicture.h"

#include "graph/PlotBox.h"
#include "qtbridge/QtStrings.h"

#include <algorithm>
#include <array>
#include <numeric>

namespace ohmora {

namespace {

const QColor kConstruction(64, 64, 64);
const QColor kBoxBackground(255, 255, 192);
const QColor kBoxBorder(128, 128, 128);
constexpr int kBoxMargin = 3;   // between the box and the plotting box's edge
constexpr int kCellPadding = 4; // left and right of each text of the box

QColor qColor(Rgb c) {
    return QColor(c.r, c.g, c.b);
}

void drawConstruction(PictureArea& a, const TauConstruction& t, int yZero) {
    a.setDrawWidth(1);
    a.setLineStyle(LineStyle::Dashed);
    a.line(t.originX, t.finalY, PlotBox::right + 1, t.finalY, kConstruction);
    if (t.tangent) {
        a.line(t.originX, t.originY, t.crossX, t.finalY, qColor(t.colour));
        a.line(t.crossX, t.finalY, t.crossX, yZero, kConstruction);
    }
    if (t.level) {
        a.line(t.originX, t.levelY, t.crossX, t.levelY, kConstruction);
        a.line(t.crossX, t.levelY, t.crossX, yZero, kConstruction);
    }
    a.setLineStyle(LineStyle::Solid);
    if (!t.readable) {
        return;
    }
    // The crossing's time on the axis, from the transient's origin.
    for (int x : {t.originX, t.crossX}) {
        a.line(x, yZero - 3, x, yZero + 4, kConstruction);
    }
    a.setForeColor(kConstruction);
    a.setFont(QStringLiteral("Arial"), 8, false, true);
    a.setCurrentPosition(t.crossX + 2, yZero - 14);
    a.print(QStringLiteral("τ"));
    if (t.level) {
        // Right of the crossing, on the side the curve leaves free: below
        // the level where the curve rises past it, above where it falls.
        const bool curveGoesUp = t.finalY < t.originY;
        a.setFontItalic(false);
        a.setCurrentPosition(t.crossX + 3, curveGoesUp ? t.levelY + 2 : t.levelY - 13);
        a.print(t.rising ? QStringLiteral("63 %") : QStringLiteral("37 %"));
    }
}

void drawCursors(PictureArea& a, const Cursors& c) {
    a.setDrawWidth(1);
    a.setFont(QStringLiteral("Arial"), 8, false, false);
    for (int i = 0; i < 2; ++i) {
        const int x = c.x[size_t(i)];
        a.line(x, PlotBox::top, x, PlotBox::bottom + 1, kConstruction);
        const QString name = i == 0 ? QStringLiteral("t1") : QStringLiteral("t2");
        const int left = std::min(x + 2, PlotBox::right - a.textWidth(name) - 1);
        if (i == c.selected) {
            a.filledBox(left - 1, PlotBox::top + 1, left + a.textWidth(name),
                        PlotBox::top + a.textHeight(), kBoxBackground);
        }
        a.setForeColor(kConstruction);
        a.setCurrentPosition(left, PlotBox::top + 1);
        a.print(name);
    }
}

// One text of the box: a quantity's symbol (italic) and subscript, or a
// plain text, in its colour.
struct Cell {
    QString text;
    QColor colour = Qt::black;
    bool quantity = false; // "u_C": u in italics, C upright
};

int cellWidth(PictureArea& a, const Cell& cell) {
    if (!cell.quantity) {
        return a.textWidth(cell.text);
    }
    const qsizetype bar = cell.text.indexOf('_');
    a.setFontItalic(true);
    const int symbol = a.textWidth(cell.text.left(bar));
    a.setFontItalic(false);
    return symbol + 1 + (bar < 0 ? 0 : a.textWidth(cell.text.mid(bar + 1)));
}

void printCell(PictureArea& a, const Cell& cell, int x, int y) {
    a.setForeColor(cell.colour);
    a.setCurrentPosition(x, y);
    if (!cell.quantity) {
        a.print(cell.text);
        return;
    }
    const qsizetype bar = cell.text.indexOf('_');
    a.setFontItalic(true);
    a.print(cell.text.left(bar));
    a.setFontItalic(false);
    if (bar >= 0) {
        a.setCurrentY(y + 2);
        a.print(cell.text.mid(bar + 1));
    }
}

// The box's rows: the cursors' grid (names, t, then each quantity), then
// one row per τ reading spanning the grid.
std::vector<std::vector<Cell>> boxRows(const GraphState& g, const CursorReadout& r) {
    std::vector<std::vector<Cell>> rows;
    if (g.measures.cursors.shown) {
        rows.push_back({{}, {QStringLiteral("t1")}, {QStringLiteral("t2")}, {QStringLiteral("Δ")}});
        rows.push_back({{QStringLiteral("t")}, {qs(r.t1)}, {qs(r.t2)}, {qs(r.dt)}});
        for (const CursorQuantity& q : r.quantities) {
            rows.push_back({{qs(q.identifier), qColor(q.colour), true},
                            {qs(q.v1)},
                            {qs(q.v2)},
                            {qs(q.delta)}});
        }
    }
    for (const TauConstruction& t : g.measures.taus) {
        rows.push_back({{qs(t.tauText), qColor(t.colour)}});
    }
    return rows;
}

// What hiding a cursor costs, in curve points: its label, or a part of its
// line.
constexpr long kCursorLabelCost = 60;
constexpr long kCursorLineCost = 20;

// The corner of the plotting box where the box hides the least: the fewest
// curve points, and the cursors' labels and lines as far as it can.
QPoint boxCorner(const GraphState& g, int width, int height) {
    const int left = PlotBox::left + kBoxMargin, right = PlotBox::right - kBoxMargin - width;
    const int top = PlotBox::top + kBoxMargin, bottom = PlotBox::bottom - kBoxMargin - height;
    const std::array<QPoint, 4> corners = {QPoint(left, top), QPoint(right, top),
                                           QPoint(right, bottom), QPoint(left, bottom)};
    const Cursors& cursors = g.measures.cursors;
    QPoint best = corners[0];
    long fewest = -1;
    for (const QPoint& c : corners) {
        const QRect box(c, QSize(width, height));
        long hidden = std::count_if(g.marks.begin(), g.marks.end(),
                                    [&](const PlotMark& m) { return box.contains(m.x1, m.y1); });
        for (int x : cursors.x) {
            if (cursors.shown && box.left() <= x + 20 && box.right() >= x) {
                hidden += box.top() <= PlotBox::top + 14 ? kCursorLabelCost : kCursorLineCost;
            }
        }
        if (fewest < 0 || hidden < fewest) {
            fewest = hidden;
            best = c;
        }
    }
    return best;
}

void drawBox(PictureArea& a, const GraphState& g, const CursorReadout& r) {
    const std::vector<std::vector<Cell>> rows = boxRows(g, r);
    if (rows.empty()) {
        return;
    }
    a.setFont(QStringLiteral("Arial"), 8, false, false);
    // Column widths from the grid's rows; a τ row spans them all.
    std::array<int, 4> columns{};
    int spanning = 0;
    for (const auto& row : rows) {
        if (row.size() == 1) {
            spanning = std::max(spanning, cellWidth(a, row[0]) + 2 * kCellPadding);
            continue;
        }
        for (size_t c = 0; c < row.size(); ++c) {
            columns[c] = std::max(columns[c], cellWidth(a, row[c]) + 2 * kCellPadding);
        }
    }
    const int gridWidth = std::accumulate(columns.begin(), columns.end(), 0);
    const int width = std::max(gridWidth, spanning) + 2;
    const int lineHeight = a.textHeight() + 1;
    const int height = int(rows.size()) * lineHeight + 4;
    const QPoint at = boxCorner(g, width, height);
    a.setDrawWidth(1);
    a.filledBox(at.x(), at.y(), at.x() + width - 1, at.y() + height - 1, kBoxBackground);
    a.box(at.x(), at.y(), at.x() + width - 1, at.y() + height - 1, kBoxBorder);
    int y = at.y() + 2;
    for (const auto& row : rows) {
        int x = at.x() + 1;
        for (size_t c = 0; c < row.size(); ++c) {
            const Cell& cell = row[c];
            // Names left, numbers right-aligned in their column.
            const int w = row.size() == 1 ? spanning : columns[c];
            const int textLeft =
                c == 0 ? x + kCellPadding : x + w - kCellPadding - cellWidth(a, cell);
            printCell(a, cell, textLeft, y);
            x += w;
        }
        y += lineHeight;
    }
}

} // namespace

void GraphPicture::paintMeasures(PictureArea& a, const GraphState& g,
                                 const CursorReadout& readout) {
    if (g.measures.empty()) {
        return;
    }
    a.setClip(QRect(QPoint(PlotBox::left, PlotBox::top), QPoint(PlotBox::right, PlotBox::bottom)));
    for (const TauConstruction& t : g.measures.taus) {
        drawConstruction(a, t, g.frame.scale.yZero);
    }
    if (g.measures.cursors.shown) {
        drawCursors(a, g.measures.cursors);
    }
    drawBox(a, g, readout);
    a.clearClip();
    a.setForeColor(Qt::black);
    a.setFontItalic(false);
}

} // namespace ohmora
