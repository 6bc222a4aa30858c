#pragma once
// The text grid that a list view shows and that the export writes: column captions and rows,
// each row its caption (first column) followed by as many further cells as it holds.

#include <string>
#include <vector>

// One column of a list as the view shows it: caption (single-byte text), width in pixels at
// the designed font, alignment.
struct ListColumn {
    const char* caption;
    int width;
    bool alignRight = false;
};

struct TextTable {
    std::vector<std::string> columns;
    std::vector<std::vector<std::string>> rows;
};
