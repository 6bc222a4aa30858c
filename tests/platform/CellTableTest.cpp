#include "platform/CellTable.h"

#include <gtest/gtest.h>

namespace {

using Rows = std::vector<std::vector<std::string>>;

// Rows of any length (none, empty cells, bytes 0 and 255) come back as they went in; a column
// past a row's last cell reads as empty.
TEST(CellTable, RowsComeBackAsGiven) {
    const Rows rows = {{"31.12.2002", "Type 1", "-12.50"}, {},      {""}, {"", "", ""},
                       {std::string("a\0b", 3), "\xFF"},   {"last"}};
    CellTable t;
    t.reserve(2, 7, 16); // less than needed: it still grows
    for (const auto& r : rows)
        t.addRow(r);
    EXPECT_EQ(t.toRows(), rows);
    ASSERT_EQ(t.rowCount(), rows.size());
    EXPECT_EQ(t.cellCount(1), 0u);
    EXPECT_EQ(t.cellCount(3), 3u);
    EXPECT_EQ(t.cell(0, 2), "-12.50");
    EXPECT_EQ(t.cell(4, 0), std::string_view("a\0b", 3));
    EXPECT_EQ(t.cell(1, 0), "");
    EXPECT_EQ(t.cell(5, 1), "");
    EXPECT_EQ(t.cell(5, 0), "last");

    std::vector<std::string_view> cells{"stale"};
    t.rowCells(1, cells);
    EXPECT_TRUE(cells.empty());
    const std::string_view views[] = {"x", "", "z"};
    t.addRow(views);
    t.rowCells(6, cells);
    EXPECT_EQ(cells, (std::vector<std::string_view>{"x", "", "z"}));

    t.clear();
    EXPECT_EQ(t.rowCount(), 0u);
    EXPECT_TRUE(t.toRows().empty());
}

} // namespace
