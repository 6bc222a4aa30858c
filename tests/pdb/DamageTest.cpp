#include "pdb/Damage.h"
#include "PdbWriter.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

Bytes moneyFile(int transactions) {
    PdbWriter w;
    w.appInfo = CategoryBlock({"Unfiled", "Home"});
    for (int i = 0; i < transactions; ++i)
        w.add(TransactionBytes(PackDate(2002, 1 + i % 12, 1), 1, 1, -10.0 * (i + 1), 0, "memo"));
    return w.bytes();
}

Bytes typesFile() {
    PdbWriter w;
    w.add(TypeRecordBytes(1, "Food"));
    w.add(TypeRecordBytes(2, "Rent"));
    return w.bytes();
}

Bytes currencyFile(std::size_t recordSize) {
    PdbWriter w;
    Bytes table = CurrencyTableRecord({CurrencySlot{"Euro", "EUR", 1.0, true, true}});
    table.resize(recordSize);
    w.add(table);
    return w.bytes();
}

struct DamageCase {
    const char* name;
    DatabaseKind kind;
    std::function<Bytes()> file;
    int listed;                         // GetNumRecords() after the open
    std::vector<std::string> mentioned; // each a part of one problem, in order; none: sound
};

void PrintTo(const DamageCase& c, std::ostream* os) {
    *os << c.name;
}

class DamageTest : public ::testing::TestWithParam<DamageCase> {};

TEST_P(DamageTest, NamesEachFaultInWords) {
    const DamageCase& c = GetParam();
    TempDir dir;
    const std::string path = dir.file("db.PDB");
    WriteFileBytes(path, c.file());
    cPDB db;
    ASSERT_EQ(db.Open(path), 0);
    EXPECT_EQ(db.GetNumRecords(), c.listed);
    const std::vector<std::string> problems = StructureProblems(db, c.kind);
    ASSERT_EQ(problems.size(), c.mentioned.size()) << ::testing::PrintToString(problems);
    for (std::size_t i = 0; i < problems.size(); ++i)
        EXPECT_NE(problems[i].find(c.mentioned[i]), std::string::npos)
            << problems[i] << "\n  lacks: " << c.mentioned[i];
    // Every record the reader lists stays inside the image.
    for (int i = 0; i < db.GetNumRecords(); ++i) {
        const auto r = db.RecordBytes(i);
        EXPECT_LE(r.data() + r.size(), db.image().data() + db.image().size());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, DamageTest,
    ::testing::Values(
        DamageCase{"sound_money", DatabaseKind::Money, [] { return moneyFile(3); }, 3, {}},
        DamageCase{"sound_types", DatabaseKind::Types, typesFile, 2, {}},
        DamageCase{
            "sound_currency", DatabaseKind::Currency, [] { return currencyFile(440); }, 1, {}},
        DamageCase{"list_claims_65535",
                   DatabaseKind::Money,
                   [] {
                       Bytes b = moneyFile(10);
                       PutU16(b, 76, 65535);
                       return b;
                   },
                   10,
                   {"record list of 65535 entries runs past the end of the file or into the "
                    "records' data; "
                    "only the first 10 records"}},
        DamageCase{"money_cut_in_half",
                   DatabaseKind::Money,
                   [] {
                       Bytes b = moneyFile(20); // 916 bytes, records of 20 bytes from 516
                       b.resize(b.size() * 3 / 4);
                       return b;
                   },
                   20,
                   {"11 records start past the end of the file (687 bytes); the first is "
                    "record 9 at offset 696",
                    "record 8 with 11 bytes is shorter than the 15 bytes"}},
        DamageCase{"decreasing_offsets",
                   DatabaseKind::Types,
                   [] {
                       Bytes b = typesFile();
                       PutU32(b, 78 + 8, 78 + 16); // record 1 starts inside the record list
                       return b;
                   },
                   2,
                   {"record 1 at offset 94, before record 0 at offset 96 starts before"}},
        DamageCase{"app_info_past_end",
                   DatabaseKind::Types,
                   [] {
                       Bytes b = typesFile();
                       PutU32(b, 52, 70000);
                       return b;
                   },
                   2,
                   {"application-info block at offset 70000 lies outside the file"}},
        DamageCase{"category_block_cut",
                   DatabaseKind::Money,
                   [] {
                       PdbWriter w;
                       w.appInfo = Bytes(100, 0);
                       return w.bytes();
                   },
                   0,
                   {"category block at offset 80 runs past the end of the file (180 bytes): "
                    "100 of its 276 bytes"}},
        DamageCase{"currency_record_short",
                   DatabaseKind::Currency,
                   [] { return currencyFile(100); },
                   1,
                   {"record 0 holds 100 bytes of the 440 bytes of the currency table"}},
        DamageCase{"currency_without_records",
                   DatabaseKind::Currency,
                   [] { return PdbWriter{}.bytes(); },
                   0,
                   {"no record 0 with the currency table"}},
        DamageCase{"short_transaction",
                   DatabaseKind::Money,
                   [] {
                       PdbWriter w;
                       w.appInfo = CategoryBlock({});
                       w.add(TransactionBytes(PackDate(2002, 1, 1), 1, 1, 5.0, 0, "a"));
                       w.add(Bytes(7, 0));
                       w.add(TransactionBytes(PackDate(2002, 1, 2), 1, 1, 5.0, 0, "b"));
                       return w.bytes();
                   },
                   3,
                   {"record 1 with 7 bytes is shorter than the 15 bytes of a transaction's "
                    "fixed fields"}},
        DamageCase{"shorter_than_header",
                   DatabaseKind::Payment,
                   [] { return Bytes(40, 0); },
                   0,
                   {"shorter than the 78 bytes of a database header"}}),
    [](const auto& p) { return std::string(p.param.name); });

TEST(DamageReportTest, NamesOnlyTheDamagedFilesEachWithItsFaults) {
    EXPECT_EQ(DamageReport({{"/a/Ledra_Money.PDB", {}}}), "");
    EXPECT_EQ(DamageReport({{"/a/Ledra_Money.PDB", {"first fault", "second fault"}},
                            {"/a/Ledra_Types.PDB", {}},
                            {"/a/Ledra_Currency.PDB", {"third fault"}}}),
              "Damaged database files: Ledra shows what can be read of them.\n"
              "\n/a/Ledra_Money.PDB:\n- first fault.\n- second fault.\n"
              "\n/a/Ledra_Currency.PDB:\n- third fault.\n");
}

} // namespace
