#include "graph/ValueTable.h"

namespace ohmora {

void ValueTable::reset(int columns) {
    columns_ = columns < 2 ? 2 : columns;
    rows_.assign(2, std::vector<std::string>(columns_));
}

void ValueTable::appendRow() {
    rows_.emplace_back(columns_);
}

void ValueTable::setCell(int row, int column, std::string text) {
    if (row >= 0 && row < rowCount() && column >= 0 && column < columns_) {
        rows_[row][column] = std::move(text);
    }
}

std::string ValueTable::text() const {
    std::string out;
    for (size_t r = 0; r < rows_.size(); ++r) {
        if (r > 0) {
            out += '\n';
        }
        for (int c = 0; c < columns_; ++c) {
            if (c > 0) {
                out += '\t';
            }
            out += rows_[r][c];
        }
    }
    return out;
}

} // namespace ohmora
