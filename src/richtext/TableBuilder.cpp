#include "richtext/TableBuilder.h"

#include <algorithm>
#include <iterator>
#include <utility>

namespace ohmora::rtf {

void TableBuilder::rowDefaults() {
    boundaries_.clear();
    rowLeft_ = 0;
}

void TableBuilder::rowLeft(int twips) {
    rowLeft_ = twips;
}

void TableBuilder::cellBoundary(int twips) {
    if (boundaries_.size() < kMaxTableColumns) {
        boundaries_.push_back(twips);
    }
}

void TableBuilder::addParagraph(Paragraph paragraph) {
    cell_.paragraphs.push_back(std::move(paragraph));
}

void TableBuilder::finishCell() {
    if (row_.cells.size() >= kMaxTableColumns) {
        // Past the column bound the cells are read into the last one.
        auto& last = row_.cells.back().paragraphs;
        std::move(cell_.paragraphs.begin(), cell_.paragraphs.end(), std::back_inserter(last));
    } else {
        row_.cells.push_back(std::move(cell_));
    }
    cell_ = Cell{};
}

void TableBuilder::finishRow() {
    if (!cell_.paragraphs.empty()) {
        finishCell();
    }
    if (row_.cells.empty()) {
        return;
    }
    int left = rowLeft_;
    for (const int boundary : boundaries_) {
        row_.cellWidthsTwips.push_back(boundary - left);
        left = boundary;
    }
    pushRow(std::exchange(row_, Row{}));
}

void TableBuilder::pushRow(Row row) {
    // A table is as wide as its widest row; when filling the shorter rows
    // would cost much more than the cells read, a new table starts.
    const std::size_t columns = std::max(tableColumns_, row.cells.size());
    const std::size_t cells = tableCells_ + row.cells.size();
    if (!table_.rows.empty() && (table_.rows.size() + 1) * columns > 4 * cells + 256) {
        closeTable();
    }
    tableColumns_ = std::max(tableColumns_, row.cells.size());
    tableCells_ += row.cells.size();
    table_.rows.push_back(std::move(row));
}

void TableBuilder::close() {
    if (!cell_.paragraphs.empty()) {
        finishCell();
    }
    if (!row_.cells.empty()) {
        pushRow(std::exchange(row_, Row{}));
    }
    closeTable();
}

void TableBuilder::closeTable() {
    if (!table_.rows.empty()) {
        blocks_->emplace_back(std::exchange(table_, Table{}));
    }
    tableCells_ = 0;
    tableColumns_ = 0;
}

} // namespace ohmora::rtf
