#include "export/CsvWriter.h"
#include "platform/LedraError.h"

#include "TempDir.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace fs = std::filesystem;

namespace {

TEST(CsvLine, QuotingRule) {
    struct Case {
        std::vector<std::string> fields;
        std::string line;
    };
    const Case cases[] = {
        {{"Id", "Payment Type"}, "Id,\"Payment Type\""},
        {{"3", "Cash"}, "3,Cash"},
        {{"3", "Credit card"}, "3,\"Credit card\""},
        {{""}, "\"\""},
        {{}, ""},
        {{"", ""}, ","},
        {{"a", "", "b"}, "a,,b"},
        {{"*", " "}, "*,\" \""},
        {{"say \"hi\""}, "\"say \"\"hi\"\"\""},
        {{"\""}, "\"\"\"\""},
        {{"a,b"}, "\"a,b\""},
        {{"tab\there"}, "\"tab\there\""},
        {{"\x01"}, "\"\x01\""},
        {{"line\r\nbreak"}, "\"line\r\nbreak\""},
        {{"-12.50", "1.234567", "\x80\xE9\xFF\x85"}, "-12.50,1.234567,\x80\xE9\xFF\x85"},
        {{"a\x7F!#'"}, "a\x7F!#'"},
        {{std::string("a\0b", 3)}, std::string("a\0b", 3)},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CsvLine(c.fields), c.line) << c.line;
}

TEST(CsvLines, HeaderAndRowsWithTheirOwnCells) {
    TextTable t;
    t.columns = {"Id", "Payment Type"};
    t.rows = {{"1", "Cash"}, {"2"}, {"3", "Bank transfer", "extra"}};
    EXPECT_EQ(CsvLines(t, true), (std::vector<std::string>{"Id,\"Payment Type\"", "1,Cash", "2",
                                                           "3,\"Bank transfer\",extra"}));
    EXPECT_EQ(CsvLines(t, false).size(), 3u);
    EXPECT_EQ(CsvBytes(CsvLines(t, false)), "1,Cash\r\n2\r\n3,\"Bank transfer\",extra\r\n");
    EXPECT_TRUE(CsvLines(TextTable{{"Id"}, {}}, false).empty());
    EXPECT_EQ(CsvBytes(CsvLines(TextTable{{"Id"}, {}}, true)), "Id\r\n");
}

// The pieces written as they are formed, joined, are the bytes of the whole-file writer, also
// where lines cross a piece's end.
TEST(CsvPieces, SameBytesAsTheWholeFile) {
    TextTable small{{"Id", "Payment Type"}, {{"1", "Cash"}, {""}, {}, {"say \"hi\"", "a,b", "x"}}};
    TextTable big{{"Date", "Memo"}, {}};
    for (int i = 0; i < 5000; ++i)
        big.rows.push_back({std::to_string(i), std::string(static_cast<std::size_t>(i % 97), 'm') +
                                                   (i % 3 ? " \"q\"" : "")});
    for (const TextTable* t : {&small, &big}) {
        CellTable cells;
        for (const auto& row : t->rows)
            cells.addRow(row);
        for (bool header : {true, false}) {
            std::string joined;
            int pieces = 0;
            EXPECT_TRUE(CsvPieces(t->columns, cells, header, [&](std::string_view piece) {
                joined += piece;
                ++pieces;
                return true;
            }));
            EXPECT_EQ(joined, CsvBytes(CsvLines(*t, header)));
            if (t == &big) {
                EXPECT_GT(pieces, 2);
            }
        }
    }
    // A refused piece ends the writing.
    CellTable cells;
    for (const auto& row : big.rows)
        cells.addRow(row);
    int calls = 0;
    EXPECT_FALSE(
        CsvPieces(big.columns, cells, true, [&](std::string_view) { return ++calls < 2; }));
    EXPECT_EQ(calls, 2);

    TempDir dir;
    const std::string path = dir.file("Ledra_Money.CSV");
    WriteCsvFile(path, big.columns, cells, true);
    EXPECT_EQ(ReadFileBytes(path), CsvBytes(CsvLines(big, true)));
}

TEST(WriteCsvFile, WritesExactBytesAndReplacesTheOldFile) {
    TempDir dir;
    const std::string path = dir.file("Ledra_Payment.CSV");
    WriteCsvFile(path, {"Id,\"Payment Type\"", "3,Cash"});
    EXPECT_EQ(ReadFileBytes(path), "Id,\"Payment Type\"\r\n3,Cash\r\n");
    WriteCsvFile(path, {"\"\""});
    EXPECT_EQ(ReadFileBytes(path), "\"\"\r\n");
    WriteCsvFile(path, {});
    EXPECT_TRUE(fs::exists(path));
    EXPECT_EQ(fs::file_size(path), 0u);
    int files = 0;
    for ([[maybe_unused]] const auto& e : fs::directory_iterator(dir.path()))
        ++files;
    EXPECT_EQ(files, 1) << "no temporary file left beside it";
}

void expectCannotCreate(const std::string& path) {
    try {
        WriteCsvFile(path, {"a,b"});
        ADD_FAILURE() << "no error for " << path;
    } catch (const LedraError& e) {
        EXPECT_EQ(std::string(e.what()), "Cannot create file " + path);
    }
}

TEST(WriteCsvFile, FilesThatCannotBeCreated) {
    TempDir dir;
    expectCannotCreate("");
    expectCannotCreate(dir.file("missing/out.CSV"));
    fs::create_directory(dir.file("folder.CSV"));
    expectCannotCreate(dir.file("folder.CSV"));
    EXPECT_TRUE(fs::is_directory(dir.file("folder.CSV")));
    expectCannotCreate(dir.path() + "/");
}

TEST(WriteCsvFile, ReadOnlyFileOrFolderStaysAsItWas) {
    TempDir dir;
    const std::string path = dir.file("old.CSV");
    std::ofstream(path, std::ios::binary) << "old contents\r\n";
    ::chmod(path.c_str(), 0444);
    expectCannotCreate(path);
    EXPECT_EQ(ReadFileBytes(path), "old contents\r\n");

    fs::create_directory(dir.file("ro"));
    ::chmod(dir.file("ro").c_str(), 0555);
    expectCannotCreate(dir.file("ro/new.CSV"));
    EXPECT_FALSE(fs::exists(dir.file("ro/new.CSV")));
    ::chmod(dir.file("ro").c_str(), 0755);
}

TEST(WriteCsvFile, BareNameGoesToTheWorkingFolder) {
    TempDir dir;
    const fs::path old = fs::current_path();
    fs::current_path(dir.path());
    WriteCsvFile("Ledra_Types.CSV", {"1,Food"});
    fs::current_path(old);
    EXPECT_EQ(ReadFileBytes(dir.file("Ledra_Types.CSV")), "1,Food\r\n");
}

} // namespace
