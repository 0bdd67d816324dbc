#include "window/ValueGrid.h"

#include "window/Appearance.h"

#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>

#include <algorithm>

namespace ohmora {

ValueGrid::ValueGrid(QWidget* parent) : QAbstractScrollArea(parent) {
    setObjectName(QStringLiteral("MSFlexGrid1"));
    setFocusPolicy(Qt::StrongFocus);
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    horizontalScrollBar()->setSingleStep(1);
    verticalScrollBar()->setSingleStep(1);
    rows_.assign(2, std::vector<QString>(size_t(columns_)));
    connect(verticalScrollBar(), &QScrollBar::valueChanged, this, [this] {
        if (!following_) {
            scrolledByHand_ = true;
        }
    });
}

void ValueGrid::setContent(const ValueTable& table) {
    const int columns = std::max(table.columnCount(), 2);
    const bool reshaped = columns != columns_ || table.rowCount() != rowCount();
    if (table.rowCount() < rowCount() || columns != columns_) {
        scrolledByHand_ = false; // emptied: a new recording starts
    }
    if (columns != columns_) {
        columns_ = columns;
        rows_.clear();
    }
    rows_.resize(size_t(table.rowCount()));
    QRegion dirty;
    for (int r = 0; r < table.rowCount(); ++r) {
        std::vector<QString>& row = rows_[size_t(r)];
        row.resize(size_t(columns_));
        bool changed = false;
        for (int c = 0; c < table.columnCount(); ++c) {
            const std::string& cell = table.cell(r, c);
            QString text = QString::fromUtf8(cell.data(), qsizetype(cell.size()));
            if (text != row[size_t(c)]) {
                row[size_t(c)] = std::move(text);
                changed = true;
            }
        }
        if (changed) {
            dirty += rowRect(r);
        }
    }
    if (reshaped) {
        updateScrollBars();
        followLastRow();
        viewport()->update();
    } else if (!dirty.isEmpty()) {
        viewport()->update(dirty);
    }
}

void ValueGrid::setHeaderPictures(std::vector<QImage> pictures) {
    header_ = std::move(pictures);
    viewport()->update(rowRect(0));
}

void ValueGrid::setBeyondColour(const QColor& colour) {
    if (colour != beyond_) {
        beyond_ = colour;
        viewport()->update();
    }
}

QString ValueGrid::text(int row, int column) const {
    if (row < 0 || row >= rowCount() || column < 0 || column >= columns_) {
        return {};
    }
    return rows_[size_t(row)][size_t(column)];
}

QImage ValueGrid::headerPicture(int column) const {
    return column >= 0 && size_t(column) < header_.size() ? header_[size_t(column)] : QImage();
}

int ValueGrid::firstColumn() const {
    return 1 + horizontalScrollBar()->value();
}

int ValueGrid::firstRow() const {
    return 1 + verticalScrollBar()->value();
}

int ValueGrid::fittingColumns() const {
    return viewport()->width() / kColumnWidth;
}

int ValueGrid::fittingRows() const {
    return 1 + std::max(0, viewport()->height() - kHeaderHeight) / kRowHeight;
}

QRect ValueGrid::rowRect(int row) const {
    int y = 0;
    if (row > 0) {
        if (row < firstRow()) {
            return {};
        }
        y = kHeaderHeight + (row - firstRow()) * kRowHeight;
    }
    if (y >= viewport()->height()) {
        return {};
    }
    return QRect(0, y, viewport()->width(), row == 0 ? kHeaderHeight : kRowHeight);
}

void ValueGrid::updateScrollBars() {
    // Scrolling stops once the last column (row) shows entirely. A range
    // that shrinks moves the rows too, but not by the user's hand.
    following_ = true;
    const int columnsShown = std::max(1, fittingColumns() - 1);
    const int rowsShown = std::max(1, fittingRows() - 1);
    QScrollBar* h = horizontalScrollBar();
    h->setRange(0, std::max(0, columns_ - 1 - columnsShown));
    h->setPageStep(columnsShown);
    QScrollBar* v = verticalScrollBar();
    v->setRange(0, std::max(0, rowCount() - 1 - rowsShown));
    v->setPageStep(rowsShown);
    following_ = false;
}

void ValueGrid::followLastRow() {
    if (scrolledByHand_) {
        return;
    }
    // The last row at the bottom of the scrolled rows once it would leave
    // them.
    const int rowsShown = std::max(1, fittingRows() - 1);
    QScrollBar* v = verticalScrollBar();
    const int wanted = std::clamp(rowCount() - 1 - rowsShown, 0, v->maximum());
    if (wanted > v->value() || rowCount() - 1 < firstRow()) {
        following_ = true;
        v->setValue(wanted);
        following_ = false;
    }
}

void ValueGrid::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    updateScrollBars();
}

void ValueGrid::scrollContentsBy(int, int) {
    viewport()->update();
}

void ValueGrid::paintEvent(QPaintEvent* event) {
    QPainter p(viewport());
    p.fillRect(event->rect(), beyond_);
    p.setFont(font());
    const QRect area = viewport()->rect();

    std::vector<int> columns{0};
    for (int c = firstColumn(); c < columns_ && int(columns.size()) * kColumnWidth < area.width();
         ++c) {
        columns.push_back(c);
    }
    std::vector<int> rows{0};
    for (int r = firstRow();
         r < rowCount() && kHeaderHeight + int(rows.size() - 1) * kRowHeight < area.height(); ++r) {
        rows.push_back(r);
    }
    const QColor fixedText = palette().color(QPalette::ButtonText);
    for (size_t ri = 0; ri < rows.size(); ++ri) {
        const int r = rows[ri];
        const int y = ri == 0 ? 0 : kHeaderHeight + int(ri - 1) * kRowHeight;
        const int height = ri == 0 ? kHeaderHeight : kRowHeight;
        if (!event->rect().intersects(QRect(0, y, area.width(), height))) {
            continue;
        }
        for (size_t ci = 0; ci < columns.size(); ++ci) {
            const int c = columns[ci];
            const QRect cell(int(ci) * kColumnWidth, y, kColumnWidth, height);
            const bool fixed = r == 0 || c == 0;
            p.fillRect(cell, fixed ? kStripColour : QColor(Qt::white));
            if (r == 0) {
                if (size_t(c) < header_.size()) {
                    p.drawImage(cell.topLeft(), header_[size_t(c)]);
                }
            } else {
                p.setPen(fixed ? fixedText : QColor(Qt::black));
                p.drawText(cell.adjusted(0, 0, -1, -1), Qt::AlignCenter,
                           rows_[size_t(r)][size_t(c)]);
            }
            // Grid lines on the right and bottom edges of each cell.
            p.setPen(fixed ? QColor(Qt::black) : kGridLine);
            p.drawLine(cell.right(), cell.top(), cell.right(), cell.bottom());
            p.drawLine(cell.left(), cell.bottom(), cell.right(), cell.bottom());
        }
    }
    if (hasFocus()) {
        paintFocusFrame(p, area); // the arrows and Page keys scroll it
    }
}

void ValueGrid::focusInEvent(QFocusEvent* event) {
    QAbstractScrollArea::focusInEvent(event);
    viewport()->update();
}

void ValueGrid::focusOutEvent(QFocusEvent* event) {
    QAbstractScrollArea::focusOutEvent(event);
    viewport()->update();
}

} // namespace ohmora
