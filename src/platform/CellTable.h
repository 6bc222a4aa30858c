#pragma once
// A list's rows held compactly: every cell's bytes back to back in one buffer, with the end of
// each cell and of each row as offsets. A Money list of 65,535 rows is seven cells a row; as
// separate strings that is 458,745 allocations and about three times the memory of the text.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

class CellTable {
public:
    // Room for `rows` rows of `cellsPerRow` cells holding `bytes` bytes of text in all.
    void reserve(std::size_t rows, std::size_t cellsPerRow, std::size_t bytes);
    // Appends one row of these cells (a row may hold any number of cells, none included).
    void addRow(std::span<const std::string_view> cells);
    void addRow(const std::vector<std::string>& cells);
    void clear();
    // Gives back the room reserved beyond what the rows hold.
    void shrinkToFit();

    std::size_t rowCount() const { return rowEnds_.size(); }
    std::size_t cellCount(std::size_t row) const { return rowEnds_[row] - firstCell(row); }
    // Cell `column` of `row`; empty for a column past the row's last cell.
    std::string_view cell(std::size_t row, std::size_t column) const;
    // Every cell of `row`, in order, into `out` (cleared first).
    void rowCells(std::size_t row, std::vector<std::string_view>& out) const;

    // The rows as separate strings, for callers that compare or keep them.
    std::vector<std::vector<std::string>> toRows() const;

private:
    std::size_t firstCell(std::size_t row) const { return row == 0 ? 0 : rowEnds_[row - 1]; }

    // 32-bit offsets halve the index against size_t. A Money list's text stays far below
    // 4 GiB (65,535 rows of at most a few hundred bytes); addRow throws past that.
    std::string text_;
    std::vector<std::uint32_t> cellEnds_; // end of each cell in text_
    std::vector<std::uint32_t> rowEnds_;  // index into cellEnds_ past each row's last cell
};
