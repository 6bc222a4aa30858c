#include "pdb/Pdb.h"
#include "PdbWriter.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

namespace {

std::string writeFile(const TempDir& dir, const Bytes& bytes, const std::string& name = "db.PDB") {
    const std::string path = dir.file(name);
    WriteFileBytes(path, bytes);
    return path;
}

Bytes threeRecords() {
    PdbWriter w;
    w.add({1, 2, 3}, 0x93);
    w.add({4, 5}, 0x02);
    w.add({6, 7, 8, 9}, 0xFF);
    return w.bytes();
}

TEST(PdbTest, OpensAndHandsOutRecordsWithSizes) {
    TempDir dir;
    cPDB db;
    ASSERT_EQ(db.Open(writeFile(dir, threeRecords())), 0);
    EXPECT_TRUE(db.isOpen());
    ASSERT_EQ(db.GetNumRecords(), 3);
    const std::uint8_t* r0 = db.GetRecord(0);
    ASSERT_NE(r0, nullptr);
    EXPECT_EQ(db.GetRecordSize(), 3);
    EXPECT_EQ(r0[0], 1);
    // Entry now holds entry 1, yet the size answers for record 0 (checked above).
    const std::uint8_t* r2 = db.GetRecord(2);
    EXPECT_EQ(db.GetRecordSize(), 4); // last record runs to the end of the file
    EXPECT_EQ(r2[3], 9);
}

TEST(PdbTest, UniqueIdIsTheEntrysThreeBytesOfItsOwnRecord) {
    PdbWriter w;
    w.add({1}, 0, 0xA1B2C3);
    w.add({2}, 0, 0);
    w.add({3});
    Bytes bytes = w.bytes();
    TempDir dir;
    cPDB db;
    ASSERT_EQ(db.Open(writeFile(dir, bytes)), 0);
    EXPECT_EQ(db.UniqueId(0), 0xA1B2C3u);
    EXPECT_EQ(db.UniqueId(1), 0u);
    EXPECT_EQ(db.UniqueId(2), 3u);
    EXPECT_EQ(db.UniqueId(3), 0u);
    EXPECT_EQ(db.UniqueId(-1), 0u);

    // A record list cut short by the file's end: entries it does not hold read as 0.
    PdbWriter many;
    for (int i = 0; i < 4; ++i)
        many.add({}, 0, 0x10 + i);
    Bytes cut = many.bytes();
    cut.resize(78 + 8 * 2);
    ASSERT_EQ(db.Open(writeFile(dir, cut, "cut.PDB")), 0);
    EXPECT_EQ(db.UniqueId(1), 0x11u);
    EXPECT_EQ(db.UniqueId(2), 0u);
}

TEST(PdbTest, CategoryIsTheLowNibbleOnly) {
    TempDir dir;
    cPDB db;
    ASSERT_EQ(db.Open(writeFile(dir, threeRecords())), 0);
    EXPECT_EQ(db.GetCategory(0), 3); // 0x93: deleted and secret bits set, category 3
    EXPECT_EQ(db.GetCategory(1), 2);
    EXPECT_EQ(db.GetCategory(2), 15);
}

TEST(PdbTest, FillerBetweenRecordsCountsIntoTheEarlierRecord) {
    PdbWriter w;
    w.add({1, 2});
    w.add({3});
    Bytes b = w.bytes();
    // Move record 1 three bytes further and put filler in front of it.
    const std::uint32_t r1 = (std::uint32_t(b[86]) << 24) | (b[87] << 16) | (b[88] << 8) | b[89];
    b.insert(b.begin() + r1, {0xEE, 0xEE, 0xEE});
    PutU32(b, 86, r1 + 3);
    TempDir dir;
    cPDB db;
    ASSERT_EQ(db.Open(writeFile(dir, b)), 0);
    db.GetRecord(0);
    EXPECT_EQ(db.GetRecordSize(), 5);
    db.GetRecord(1);
    EXPECT_EQ(db.GetRecordSize(), 1);
}

TEST(PdbTest, EmptyDatabaseHasNoRecords) {
    TempDir dir;
    cPDB db;
    ASSERT_EQ(db.Open(writeFile(dir, PdbWriter{}.bytes())), 0);
    EXPECT_EQ(db.GetNumRecords(), 0);
    EXPECT_EQ(db.GetRecord(0), nullptr);
}

TEST(PdbTest, OneRecordRunsToTheEndOfTheFile) {
    PdbWriter w;
    w.add(Bytes(17, 0x41));
    const Bytes b = w.bytes();
    TempDir dir;
    cPDB db;
    ASSERT_EQ(db.Open(writeFile(dir, b)), 0);
    ASSERT_NE(db.GetRecord(0), nullptr);
    EXPECT_EQ(db.GetRecordSize(), 17);
    EXPECT_EQ(db.fileSize(), static_cast<int>(b.size()));
}

TEST(PdbTest, ShortFilesOpenWithMissingHeaderBytesZero) {
    TempDir dir;
    for (std::size_t size : {0u, 1u, 40u, 76u, 77u}) {
        SCOPED_TRACE(size);
        Bytes b(size, 0x7F);
        cPDB db;
        ASSERT_EQ(db.Open(writeFile(dir, b)), 0);
        // A file that ends before offset 76 has no records; 77 bytes holds one count byte, but
        // no entry of that list lies in the file.
        EXPECT_EQ(db.Header.numRecords, size == 77 ? 0x7F00 : 0);
        EXPECT_EQ(db.GetNumRecords(), 0);
        EXPECT_EQ(db.GetAppInfo(), nullptr); // appInfoID 0 or past the end
        for (int i = 0; i < std::min(db.GetNumRecords(), 5); ++i) {
            EXPECT_NE(db.GetRecord(i), nullptr);
            EXPECT_EQ(db.GetRecordSize(), 0); // entries beyond the file give empty records
        }
    }
}

TEST(PdbTest, MissingFileFailsAndLeavesTheObjectAsItWas) {
    TempDir dir;
    cPDB db;
    EXPECT_EQ(db.Open(dir.file("nothing.PDB")), -1);
    EXPECT_FALSE(db.isOpen());
    EXPECT_EQ(db.GetNumRecords(), 0);

    ASSERT_EQ(db.Open(writeFile(dir, threeRecords())), 0);
    EXPECT_EQ(db.Open(dir.file("nothing.PDB")), -1);
    EXPECT_TRUE(db.isOpen());
    EXPECT_EQ(db.GetNumRecords(), 3);
    EXPECT_EQ(db.Open(dir.path()), -1); // a directory is no database file
    EXPECT_EQ(db.GetNumRecords(), 3);
}

TEST(PdbTest, ForeignTypeAndCreatorOpenAllTheSame) {
    PdbWriter w;
    w.type = "TEXt";
    w.creator = "REAd";
    w.add({1});
    TempDir dir;
    cPDB db;
    ASSERT_EQ(db.Open(writeFile(dir, w.bytes())), 0);
    EXPECT_EQ(db.GetNumRecords(), 1);
    EXPECT_EQ(std::string(db.Header.type, 4), "TEXt");
}

TEST(PdbTest, CloseTwiceAndReadsOnAClosedObjectAreHarmless) {
    TempDir dir;
    cPDB db;
    ASSERT_EQ(db.Open(writeFile(dir, threeRecords())), 0);
    db.Close();
    db.Close();
    EXPECT_FALSE(db.isOpen());
    EXPECT_EQ(db.GetNumRecords(), 0);
    EXPECT_EQ(db.GetRecord(0), nullptr);
    EXPECT_EQ(db.GetCategory(0), 0);
    EXPECT_EQ(db.GetAppInfo(), nullptr);
    EXPECT_TRUE(db.RecordBytes(0).empty());
    // Reopening reads the file afresh.
    ASSERT_EQ(db.Open(writeFile(dir, threeRecords())), 0);
    EXPECT_EQ(db.GetNumRecords(), 3);
}

TEST(PdbTest, IndexOutsideTheRecordRangeGivesNothing) {
    TempDir dir;
    cPDB db;
    ASSERT_EQ(db.Open(writeFile(dir, threeRecords())), 0);
    db.GetRecord(1);
    for (int index : {-1, 3, 65535}) {
        EXPECT_EQ(db.GetRecord(index), nullptr);
        EXPECT_EQ(db.GetRecordSize(), 2); // the current record is left alone
        EXPECT_EQ(db.GetCategory(index), 0);
    }
}

// Malformed record lists: offsets past the end, decreasing offsets, a record list that is
// longer than the file. Every entry inside the file stays listed; what a record does not hold
// reads as nothing. A list that cannot all lie in the file ends at the first record's data.
struct MalformedCase {
    const char* name;
    std::vector<std::uint32_t> offsets; // record-list offsets to write
    std::uint16_t numRecords;
    std::vector<int> sizes; // expected size of each listed record
};

void PrintTo(const MalformedCase& c, std::ostream* os) {
    *os << c.name;
}

class PdbMalformedTest : public ::testing::TestWithParam<MalformedCase> {};

TEST_P(PdbMalformedTest, SizesStayInsideTheImage) {
    const MalformedCase& c = GetParam();
    Bytes b(78 + 8 * c.offsets.size() + 20, 0xAB);
    std::fill(b.begin(), b.begin() + 78, 0);
    PutU16(b, 76, c.numRecords);
    for (std::size_t i = 0; i < c.offsets.size(); ++i) {
        PutU32(b, 78 + 8 * i, c.offsets[i]);
        b[78 + 8 * i + 4] = 0;
    }
    TempDir dir;
    cPDB db;
    ASSERT_EQ(db.Open(writeFile(dir, b)), 0);
    ASSERT_EQ(db.GetNumRecords(), static_cast<int>(c.sizes.size()));
    EXPECT_EQ(db.Header.numRecords, c.numRecords); // the header keeps what the file claims
    for (int i = 0; i < static_cast<int>(c.sizes.size()); ++i) {
        SCOPED_TRACE(i);
        const std::uint8_t* p = db.GetRecord(i);
        ASSERT_NE(p, nullptr);
        EXPECT_EQ(db.GetRecordSize(), c.sizes[static_cast<std::size_t>(i)]);
        auto span = db.RecordBytes(i);
        EXPECT_EQ(static_cast<int>(span.size()), c.sizes[static_cast<std::size_t>(i)]);
    }
}

// File size for two offsets: 78 + 16 + 20 = 114; for one: 106.
INSTANTIATE_TEST_SUITE_P(
    Rules, PdbMalformedTest,
    ::testing::Values(MalformedCase{"offset_past_end", {100, 5000}, 2, {14, 0}},
                      MalformedCase{"both_past_end", {9000, 5000}, 2, {0, 0}},
                      MalformedCase{"decreasing", {110, 100}, 2, {0, 14}},
                      // 106 bytes hold three entries; the data at 100 leaves room for two.
                      MalformedCase{"list_longer_than_file", {100}, 40, {6, 0}},
                      // The first offset lies inside the header: the file's end alone decides.
                      MalformedCase{"list_longer_first_offset_in_header", {10}, 40, {96, 0, 0}},
                      MalformedCase{"huge_offset", {0xFFFFFFFFu}, 1, {0}}),
    [](const auto& p) { return std::string(p.param.name); });

TEST(PdbTest, AppInfoPointsIntoTheImageOrIsNull) {
    PdbWriter w;
    w.appInfo = {9, 8, 7};
    w.add({1});
    TempDir dir;
    cPDB db;
    ASSERT_EQ(db.Open(writeFile(dir, w.bytes())), 0);
    ASSERT_NE(db.GetAppInfo(), nullptr);
    EXPECT_EQ(db.GetAppInfo()[0], 9);
    EXPECT_EQ(db.AppInfoBytes().size(), 4u); // runs to the end of the file: block + record

    Bytes b = w.bytes();
    PutU32(b, 52, static_cast<std::uint32_t>(b.size() + 10)); // past the end
    cPDB far;
    ASSERT_EQ(far.Open(writeFile(dir, b, "far.PDB")), 0);
    EXPECT_EQ(far.GetAppInfo(), nullptr);
    EXPECT_TRUE(far.AppInfoBytes().empty());
}

TEST(PdbTest, ReverseBytesReversesInPlace) {
    std::uint8_t b2[] = {0xC4, 0xB1};
    ReverseBytes(b2, 2);
    EXPECT_EQ(b2[0], 0xB1);
    EXPECT_EQ(b2[1], 0xC4);
    std::uint8_t b8[] = {1, 2, 3, 4, 5, 6, 7, 8};
    ReverseBytes(b8, 8);
    EXPECT_EQ(b8[0], 8);
    EXPECT_EQ(b8[7], 1);
    std::uint8_t b4[] = {0, 0, 1, 2};
    ReverseBytes(b4, 4);
    std::uint32_t v = 0;
    std::memcpy(&v, b4, 4);
    EXPECT_EQ(v, 0x0102u);
}

} // namespace
