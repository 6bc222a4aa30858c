#include "pdb/Records.h"
#include "PdbWriter.h"
#include "TempDir.h"

#include <gtest/gtest.h>

namespace {

struct Fixture {
    TempDir dir;
    cPDB money, types, payment, currency;

    void open(cPDB& db, const PdbWriter& w, const std::string& name) {
        const std::string path = dir.file(name);
        w.save(path);
        ASSERT_EQ(db.Open(path), 0);
    }
};

TEST(RecordsTest, TransactionDayUnpacksTheDateBits) {
    EXPECT_EQ(TransactionDay(0xC4B1), (CalendarDay{2002, 5, 17}));
    EXPECT_EQ(TransactionDay(0x0021), (CalendarDay{1904, 1, 1}));
    EXPECT_EQ(TransactionDay(0xFFFF), (CalendarDay{2031, 15, 31}));
    EXPECT_FALSE(TransactionDay(0xFFFF).isValid());
    EXPECT_FALSE(TransactionDay(PackDate(2002, 2, 30)).isValid());
    EXPECT_TRUE(TransactionDay(PackDate(2004, 2, 29)).isValid());
    EXPECT_FALSE(TransactionDay(PackDate(2002, 1, 0)).isValid());
}

struct AmountCase {
    std::array<std::uint8_t, 8> bytes;
    double amount;
};

TEST(RecordsTest, AmountBytesDecodeBigEndian) {
    for (const AmountCase& c : {AmountCase{{0xC0, 0x29, 0, 0, 0, 0, 0, 0}, -12.5},
                                AmountCase{{0x40, 0x59, 0, 0, 0, 0, 0, 0}, 100.0},
                                AmountCase{{0, 0, 0, 0, 0, 0, 0, 0}, 0.0}}) {
        Bytes rec = TransactionBytes(0xC4B1, 1, 2, 0.0, 3, "");
        std::copy(c.bytes.begin(), c.bytes.end(), rec.begin() + 6);
        TransactionRecord t;
        DecodeTransactionFields(rec, t);
        EXPECT_EQ(t.Amount, c.amount);
        EXPECT_EQ(t.Date, 0xC4B1);
        EXPECT_EQ(t.TypeId, 1);
        EXPECT_EQ(t.PaymentId, 2);
        EXPECT_EQ(t.Currency, 3);
        EXPECT_EQ(rec.size(), 16u);
    }
}

TEST(RecordsTest, MemoIsCutAfterOneHundredCharacters) {
    TransactionRecord t;
    DecodeTransactionFields(TransactionBytes(1, 1, 1, 1.0, 1, std::string(150, 'm')), t);
    EXPECT_EQ(t.Memo, std::string(100, 'm'));
    DecodeTransactionFields(TransactionBytes(1, 1, 1, 1.0, 1, "Caf\xE9, \"Sonne\""), t);
    EXPECT_EQ(t.Memo, "Caf\xE9, \"Sonne\"");
}

TEST(RecordsTest, ShortRecordsReadMissingBytesAsZero) {
    TransactionRecord t;
    t.Memo = "old";
    const Bytes full = TransactionBytes(0xC4B1, 0x0102, 0x0304, 100.0, 7, "x");
    DecodeTransactionFields(std::span(full).first(5), t);
    EXPECT_EQ(t.Date, 0xC4B1);
    EXPECT_EQ(t.TypeId, 0x0102);
    EXPECT_EQ(t.PaymentId, 0x0300);
    EXPECT_EQ(t.Amount, 0.0);
    EXPECT_EQ(t.Currency, 0);
    EXPECT_EQ(t.Memo, "");
    // A memo without its zero byte ends at the record's end.
    DecodeTransactionFields(std::span(full).first(16), t);
    EXPECT_EQ(t.Memo, "x");
    DecodeTransactionFields({}, t);
    EXPECT_EQ(t.Date, 0);
}

TEST(RecordsTest, CurrencyTableAndHomeCurrency) {
    std::array<CurrencySlot, 11> slots{};
    slots[0] = {"Zero", "ZZZ", 5.0, true, true};
    slots[2] = {"Euro", "EUR", 1.0, true, true};
    slots[4] = {"Dollar", "USD", 1.0871, true, false};
    PdbWriter w;
    w.add(CurrencyTableRecord(slots));
    Fixture f;
    f.open(f.currency, w, "c.PDB");
    CurrencyTable table;
    EXPECT_EQ(LoadCurrencyTable(f.currency, table), 2); // lowest of several, never slot 0
    EXPECT_EQ(table.slot[2].code(), "EUR");
    EXPECT_EQ(table.slot[4].name(), "Dollar");
    EXPECT_DOUBLE_EQ(table.slot[4].Rate, 1.0871);
    EXPECT_EQ(table.slot[4].Favorite, 0);
    EXPECT_EQ(table.slot[1].code(), "");
    EXPECT_EQ(table.slot[1].Rate, 0.0);
    // A second load starts again from the file's bytes: nothing is turned twice.
    EXPECT_EQ(LoadCurrencyTable(f.currency, table), 2);
    EXPECT_DOUBLE_EQ(table.slot[4].Rate, 1.0871);
}

TEST(RecordsTest, NoHomeSlotGivesZero) {
    std::array<CurrencySlot, 11> slots{};
    slots[0] = {"Zero", "ZZZ", 5.0, true, true};
    slots[3] = {"Euro", "EUR", 1.0, false, true};
    PdbWriter w;
    w.add(CurrencyTableRecord(slots));
    Fixture f;
    f.open(f.currency, w, "c.PDB");
    CurrencyTable table;
    EXPECT_EQ(LoadCurrencyTable(f.currency, table), 0);
}

TEST(RecordsTest, CurrencyDatabaseWithoutAUsableRecordGivesAZeroTable) {
    Fixture f;
    CurrencyTable table;
    table.slot[3].Home = 1;
    f.open(f.currency, PdbWriter{}, "empty.PDB");
    EXPECT_EQ(LoadCurrencyTable(f.currency, table), 0);
    EXPECT_EQ(table.slot[3].Home, 0);

    // Record 0 of 50 bytes: slot 0 and part of slot 1; everything else zero.
    std::array<CurrencySlot, 11> slots{};
    slots[1] = {"Euro", "EUR", 2.0, true, true};
    PdbWriter w;
    Bytes rec = CurrencyTableRecord(slots);
    rec.resize(50);
    w.add(rec);
    cPDB shortDb;
    const std::string path = f.dir.file("short.PDB");
    w.save(path);
    ASSERT_EQ(shortDb.Open(path), 0);
    EXPECT_EQ(LoadCurrencyTable(shortDb, table), 0);
    EXPECT_EQ(table.slot[1].name(), "Euro");
    EXPECT_EQ(table.slot[1].Rate, 0.0);
}

TEST(RecordsTest, CurrencyTextWithoutZeroByteEndsAtItsField) {
    std::array<CurrencySlot, 11> slots{};
    PdbWriter w;
    Bytes rec = CurrencyTableRecord(slots);
    std::fill(rec.begin() + 40, rec.begin() + 68, 'A'); // slot 1 name and code, no zero byte
    w.add(rec);
    Fixture f;
    f.open(f.currency, w, "c.PDB");
    CurrencyTable table;
    LoadCurrencyTable(f.currency, table);
    EXPECT_EQ(table.slot[1].name(), std::string(24, 'A'));
    EXPECT_EQ(table.slot[1].code(), "AAAA");
}

TEST(RecordsTest, TypeLookupFirstMatchSignedIdUnsignedReference) {
    PdbWriter w;
    w.add(TypeRecordBytes(12, "Food"));
    w.add(TypeRecordBytes(-1, "Minus one"));   // bytes FF FF
    w.add(TypeRecordBytes(12, "Second food")); // duplicate Id
    w.add(TypeRecordBytes(-32768, "Top bit")); // bytes 80 00
    w.add(TypeRecordBytes(300, std::string(150, 'n')));
    Bytes noZero = TypeRecordBytes(7, "Unterminated");
    noZero.pop_back();
    w.add(noZero);
    Fixture f;
    f.open(f.types, w, "t.PDB");
    const TypeNameIndex index(f.types);
    struct Case {
        std::uint16_t ref;
        std::string name;
    };
    for (const Case& c : {Case{12, "Food"}, Case{0xFFFF, ""}, Case{0x8000, ""}, Case{13, ""},
                          Case{300, std::string(150, 'n')}, Case{7, "Unterminated"}}) {
        SCOPED_TRACE(c.ref);
        EXPECT_EQ(LookupTypeName(f.types, c.ref), c.name);
        EXPECT_EQ(index.lookup(c.ref), c.name);
    }
    EXPECT_EQ(ReadTypeRecord(f.types.RecordBytes(1)).Id, -1);
    EXPECT_EQ(ReadTypeRecord(f.types.RecordBytes(3)).Id, -32768);
    EXPECT_EQ(ReadTypeRecord(Bytes{0x00}).Id, 0); // shorter than an Id
    EXPECT_EQ(ReadTypeRecord(Bytes{0x00, 0x0C}).Name, "");
}

TEST(RecordsTest, EmptyTypeDatabaseResolvesNothing) {
    Fixture f;
    f.open(f.types, PdbWriter{}, "t.PDB");
    EXPECT_EQ(LookupTypeName(f.types, 0), "");
    EXPECT_EQ(TypeNameIndex(f.types).lookup(0), "");
}

TEST(RecordsTest, CategoryLabels) {
    PdbWriter w;
    std::array<std::string, 16> labels{"Unfiled", "", "Business"};
    w.appInfo = CategoryBlock(labels);
    w.appInfo[2 + 16 * 3 + 0] = 'L';
    std::fill(w.appInfo.begin() + 2 + 16 * 3, w.appInfo.begin() + 2 + 16 * 4, 'L'); // no zero
    w.add(TransactionBytes(0xC4B1, 1, 1, 1.0, 1, ""), 0x92);
    Fixture f;
    f.open(f.money, w, "m.PDB");
    const CategoryInfo cats = CategoryInfo::fromDatabase(f.money);
    EXPECT_EQ(cats.label(0), "Unfiled");
    EXPECT_EQ(cats.label(1), "");
    EXPECT_EQ(cats.label(2), "Business");
    EXPECT_EQ(cats.label(3), std::string(16, 'L'));
    EXPECT_EQ(cats.label(16), "");

    PdbWriter none; // no application-info block: no categories
    none.add(TransactionBytes(0xC4B1, 1, 1, 1.0, 1, ""), 0x02);
    cPDB m2;
    none.save(f.dir.file("m2.PDB"));
    ASSERT_EQ(m2.Open(f.dir.file("m2.PDB")), 0);
    const CategoryInfo empty = CategoryInfo::fromDatabase(m2);
    for (int k = 0; k < 16; ++k)
        EXPECT_EQ(empty.label(k), "");
}

TEST(RecordsTest, DecodeTransactionResolvesTheThreeNames) {
    Fixture f;
    PdbWriter types;
    types.add(TypeRecordBytes(5, "Food"));
    types.add(TypeRecordBytes(5, "Later food"));
    PdbWriter pay;
    pay.add(TypeRecordBytes(2, "Cash"));
    PdbWriter money;
    money.appInfo = CategoryBlock({"Unfiled", "", "", "Travel"});
    money.add(TransactionBytes(0xC4B1, 5, 2, -12.5, 1, "Lunch"), 0x93);
    money.add(TransactionBytes(0x0021, 9, 9, 100.0, 2, ""), 0x01);
    f.open(f.types, types, "t.PDB");
    f.open(f.payment, pay, "p.PDB");
    f.open(f.money, money, "m.PDB");
    const CategoryInfo cats = CategoryInfo::fromDatabase(f.money);
    const TypeNameIndex ti(f.types), pi(f.payment);

    for (bool fast : {false, true}) {
        SCOPED_TRACE(fast);
        TransactionRecord t;
        auto decode = [&](int i) {
            if (fast)
                DecodeTransaction(f.money, ti, pi, cats, i, t);
            else
                DecodeTransaction(f.money, f.types, f.payment, cats, i, t);
        };
        decode(0);
        EXPECT_EQ(t.TypeName, "Food");
        EXPECT_EQ(t.PaymentName, "Cash");
        EXPECT_EQ(t.Category, 3);
        EXPECT_EQ(t.CategoryName, "Travel");
        EXPECT_EQ(t.Memo, "Lunch");
        EXPECT_EQ(t.Amount, -12.5);
        decode(1); // every field is overwritten
        EXPECT_EQ(t.TypeName, "");
        EXPECT_EQ(t.PaymentName, "");
        EXPECT_EQ(t.Category, 1);
        EXPECT_EQ(t.CategoryName, "");
        EXPECT_EQ(t.Memo, "");
    }
}

TEST(RecordsTest, WholeMemoRunsPastTheWorkingCopysLimit) {
    const std::string long_(180, 'x');
    const Bytes a = TransactionBytes(0, 0, 0, 0.0, 0, long_);
    EXPECT_EQ(WholeMemo(a), long_);
    TransactionRecord t;
    DecodeTransactionFields(a, t);
    EXPECT_EQ(t.Memo.size(), 100u);
    // Without a terminating zero the memo ends with the record; a short record has none.
    Bytes b = TransactionBytes(0, 0, 0, 0.0, 0, "abc");
    b.pop_back();
    EXPECT_EQ(WholeMemo(b), "abc");
    EXPECT_EQ(WholeMemo(Bytes(15, 0)), "");
    EXPECT_EQ(WholeMemo(Bytes(3, 0)), "");
}

} // namespace
