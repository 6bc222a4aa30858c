#include "platform/CellTable.h"

#include <limits>
#include <stdexcept>

namespace {

std::uint32_t offset32(std::size_t n) {
    if (n > std::numeric_limits<std::uint32_t>::max())
        throw std::length_error("list text too large");
    return static_cast<std::uint32_t>(n);
}

} // namespace

void CellTable::reserve(std::size_t rows, std::size_t cellsPerRow, std::size_t bytes) {
    rowEnds_.reserve(rows);
    cellEnds_.reserve(rows * cellsPerRow);
    text_.reserve(bytes);
}

void CellTable::addRow(std::span<const std::string_view> cells) {
    for (std::string_view c : cells) {
        text_.append(c);
        cellEnds_.push_back(offset32(text_.size()));
    }
    rowEnds_.push_back(offset32(cellEnds_.size()));
}

void CellTable::addRow(const std::vector<std::string>& cells) {
    for (const std::string& c : cells) {
        text_.append(c);
        cellEnds_.push_back(offset32(text_.size()));
    }
    rowEnds_.push_back(offset32(cellEnds_.size()));
}

void CellTable::clear() {
    text_.clear();
    cellEnds_.clear();
    rowEnds_.clear();
}

void CellTable::shrinkToFit() {
    text_.shrink_to_fit();
    cellEnds_.shrink_to_fit();
    rowEnds_.shrink_to_fit();
}

std::string_view CellTable::cell(std::size_t row, std::size_t column) const {
    const std::size_t first = firstCell(row);
    const std::size_t k = first + column;
    if (k >= rowEnds_[row])
        return {};
    const std::size_t begin = k == 0 ? 0 : cellEnds_[k - 1];
    return std::string_view(text_).substr(begin, cellEnds_[k] - begin);
}

void CellTable::rowCells(std::size_t row, std::vector<std::string_view>& out) const {
    out.clear();
    const std::size_t first = firstCell(row);
    std::size_t begin = first == 0 ? 0 : cellEnds_[first - 1];
    for (std::size_t k = first; k < rowEnds_[row]; ++k) {
        out.push_back(std::string_view(text_).substr(begin, cellEnds_[k] - begin));
        begin = cellEnds_[k];
    }
}

std::vector<std::vector<std::string>> CellTable::toRows() const {
    std::vector<std::vector<std::string>> rows(rowCount());
    std::vector<std::string_view> cells;
    for (std::size_t r = 0; r < rows.size(); ++r) {
        rowCells(r, cells);
        rows[r].assign(cells.begin(), cells.end());
    }
    return rows;
}
