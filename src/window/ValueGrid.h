#pragma once
// `MSFlexGrid1`: the value table as a grid with a fixed header row (the
// quantity pictures) and a fixed time column. Columns are 78 pixels wide
// with centred contents; the other rows and columns scroll by whole cells,
// so that five columns show at a time.

#include "graph/TableHeader.h"
#include "graph/ValueTable.h"

#include <QAbstractScrollArea>
#include <QColor>
#include <QImage>
#include <QString>

#include <vector>

namespace ohmora {

class ValueGrid : public QAbstractScrollArea {
public:
    static constexpr int kColumnWidth = 78; // 1170 twips
    static constexpr int kRowHeight = 16;
    static constexpr int kHeaderHeight = kHeaderCellHeight;
    static constexpr int kVisibleColumns = 5;
    // Five columns and room for the vertical scroll bar.
    static constexpr int kWidth = kColumnWidth * kVisibleColumns + 17;

    static inline const QColor kGridLine{192, 192, 192};

    explicit ValueGrid(QWidget* parent = nullptr);

    // Shows the table's texts; repaints only the rows that changed. The
    // row being written (the last one) is kept in sight as the table grows,
    // unless the user has scrolled the rows by hand since the table was
    // last emptied.
    void setContent(const ValueTable& table);
    // One picture per column for the header row.
    void setHeaderPictures(std::vector<QImage> pictures);
    // Colour of the area beyond the last cells.
    void setBeyondColour(const QColor& colour);
    QColor beyondColour() const { return beyond_; }

    int rowCount() const { return int(rows_.size()); }
    int columnCount() const { return columns_; }
    QString text(int row, int column) const;
    QImage headerPicture(int column) const;

    // First scrolled column and row shown right of and below the fixed ones.
    int firstColumn() const;
    int firstRow() const;
    // Columns and rows that fit entirely, the fixed ones included.
    int fittingColumns() const;
    int fittingRows() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void updateScrollBars();
    void followLastRow();
    QRect rowRect(int row) const; // in viewport pixels; empty when not shown

    std::vector<std::vector<QString>> rows_;
    int columns_ = 2;
    std::vector<QImage> header_;
    QColor beyond_{128, 128, 128};
    bool scrolledByHand_ = false;
    bool following_ = false; // the grid itself is moving the rows
};

} // namespace ohmora
