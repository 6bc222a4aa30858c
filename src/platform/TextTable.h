#pragma once
// The text grid that a list view shows and that the export writes: column captions and rows,
// each row its caption (first column) followed by as many further cells as it holds.

#include <string>
#include <vector>

struct TextTable {
    std::vector<std::string> columns;
    std::vector<std::vector<std::string>> rows;
};
