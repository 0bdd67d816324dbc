#pragma once
// The rows of a table as the reader reads them: the cell boundaries of the
// row definition (\trowd, \trleft, \cellx), the paragraphs of each cell
// until \cell, the cells of a row until \row. Rows are bounded to
// kMaxTableColumns cells, and a table whose padded rows would cost much more
// than the cells read is cut in two, so that the document stays linear in
// the file.

#include "richtext/RtfModel.h"

#include <algorithm>
#include <cstddef>
#include <vector>

namespace ohmora::rtf {

constexpr std::size_t kMaxTableColumns = 64;

class TableBuilder {
public:
    // Finished tables go to `blocks`.
    explicit TableBuilder(std::vector<Block>& blocks) : blocks_(&blocks) {}

    void rowDefaults();
    void rowLeft(int twips);
    void cellBoundary(int twips);

    void addParagraph(Paragraph paragraph);
    void finishCell();
    void finishRow();
    // The table read so far, if any, is finished.
    void close();
    // Every paragraph of the table read so far, not yet among the blocks.
    template <typename Visit> void forEachOpenParagraph(Visit visit) {
        const auto cells = [&](Row& row) {
            for (Cell& cell : row.cells) {
                std::for_each(cell.paragraphs.begin(), cell.paragraphs.end(), visit);
            }
        };
        std::for_each(table_.rows.begin(), table_.rows.end(), cells);
        cells(row_);
        std::for_each(cell_.paragraphs.begin(), cell_.paragraphs.end(), visit);
    }

private:
    void pushRow(Row row);
    void closeTable();

    std::vector<Block>* blocks_;
    Table table_;
    std::size_t tableCells_ = 0;
    std::size_t tableColumns_ = 0;
    Row row_;
    Cell cell_;
    std::vector<int> boundaries_;
    int rowLeft_ = 0;
};

} // namespace ohmora::rtf
