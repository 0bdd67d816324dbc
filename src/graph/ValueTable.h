#pragma once
// Content of the value table: a header row (row 0, its cells hold pictures
// only, so their texts are empty) and data rows, the last one being the
// current row written at every tick.

#include <string>
#include <vector>

namespace ohmora {

class ValueTable {
public:
    // Empties the table: the header row and one empty row, `columns` wide.
    void reset(int columns);
    void appendRow();

    int columnCount() const { return columns_; }
    int rowCount() const { return int(rows_.size()); }
    const std::string& cell(int row, int column) const { return rows_[row][column]; }
    void setCell(int row, int column, std::string text);
    int currentRow() const { return rowCount() - 1; }

    // Cells separated by TAB, rows by LF, header row included, nothing after
    // the last row.
    std::string text() const;

private:
    int columns_ = 2;
    std::vector<std::vector<std::string>> rows_{2, std::vector<std::string>(2)};
};

} // namespace ohmora
