#include "lists/ListRows.h"
#include "PdbWriter.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <clocale>
#include <string>

namespace {

using Row = std::vector<std::string>;

// Opens a database written from `w` in a fresh folder.
struct OpenDb {
    TempDir dir;
    cPDB db;
    explicit OpenDb(const PdbWriter& w) {
        w.save(dir.file("db.PDB"));
        EXPECT_EQ(db.Open(dir.file("db.PDB")), 0);
    }
};

TextTable tableOf(const std::array<CurrencySlot, 11>& slots) {
    PdbWriter w;
    w.add(CurrencyTableRecord(slots));
    OpenDb f(w);
    CurrencyTable t;
    LoadCurrencyTable(f.db, t);
    return CurrencyListRows(t);
}

TEST(CurrencyListRows, TenRowsForSlotsOneToTenAndNeverSlotZero) {
    std::array<CurrencySlot, 11> slots{};
    slots[0] = {"Hidden", "XXX", 9.0, true, true};
    slots[1] = {"Euro", "EUR", 1.0, true, true};
    slots[2] = {"US Dollar", "USD", 1234.5, false, true};
    slots[10] = {"Yen", "JPY", 121.53, false, false};
    const TextTable t = tableOf(slots);

    EXPECT_EQ(t.columns, (Row{"Code", "Name", "Rate", "Favorite", "Home"}));
    ASSERT_EQ(t.rows.size(), 10u);
    EXPECT_EQ(t.rows[0], (Row{"EUR", "Euro", "1.000000", "*", "*"}));
    EXPECT_EQ(t.rows[1], (Row{"USD", "US Dollar", "1234.500000", "*", " "}));
    // A slot of zero bytes is still a row: empty texts, a zero rate, single-space marks.
    for (std::size_t i = 2; i < 9; ++i)
        EXPECT_EQ(t.rows[i], (Row{"", "", "0.000000", " ", " "})) << "slot " << i + 1;
    EXPECT_EQ(t.rows[9], (Row{"JPY", "Yen", "121.530000", " ", " "}));
    for (const Row& r : t.rows)
        EXPECT_NE(r[0], "XXX");
}

TEST(CurrencyListRows, EveryHomeSlotIsMarked) {
    std::array<CurrencySlot, 11> slots{};
    slots[3] = {"Pound", "GBP", 0.6292, true, false};
    slots[7] = {"Franc", "CHF", 1.4671, true, false};
    const TextTable t = tableOf(slots);
    EXPECT_EQ(t.rows[2], (Row{"GBP", "Pound", "0.629200", " ", "*"}));
    EXPECT_EQ(t.rows[6], (Row{"CHF", "Franc", "1.467100", " ", "*"}));
}

TEST(CurrencyListRows, FullWidthTextsEndAtTheirFields) {
    std::array<CurrencySlot, 11> slots{};
    slots[1] = {"", "", 2.0, false, false};
    Bytes rec = CurrencyTableRecord(slots);
    std::fill_n(rec.begin() + 40, 24, std::uint8_t{'N'}); // no zero byte in either text field
    std::copy_n("ABCD", 4, rec.begin() + 64);
    PdbWriter w;
    w.add(rec);
    OpenDb f(w);
    CurrencyTable t;
    LoadCurrencyTable(f.db, t);
    EXPECT_EQ(CurrencyListRows(t).rows[0],
              (Row{"ABCD", std::string(24, 'N'), "2.000000", " ", " "}));
}

TEST(FormatRate, FixedSixDecimals) {
    const std::pair<double, const char*> cases[] = {
        {0.0, "0.000000"},       {1.0, "1.000000"},
        {1234.5, "1234.500000"}, {-0.5, "-0.500000"},
        {0.0000004, "0.000000"}, {0.0000005, "0.000000"},
        {0.0000015, "0.000002"}, {1e15, "1000000000000000.000000"},
    };
    for (const auto& [rate, text] : cases) {
        char expected[400];
        std::snprintf(expected, sizeof expected, "%.6lf", rate); // the C locale at this point
        EXPECT_EQ(FormatRate(rate), expected) << rate;
        EXPECT_EQ(FormatRate(rate), text) << rate;
    }
}

TEST(FormatRate, PointEvenUnderACommaLocale) {
    const char* previous = std::setlocale(LC_NUMERIC, nullptr);
    const std::string restore = previous ? previous : "C";
    if (!std::setlocale(LC_NUMERIC, "de_DE.UTF-8") && !std::setlocale(LC_NUMERIC, "de_DE"))
        GTEST_SKIP() << "no German locale installed";
    const std::string text = FormatRate(1234.5);
    std::setlocale(LC_NUMERIC, restore.c_str());
    EXPECT_EQ(text, "1234.500000");
}

Bytes raw(std::initializer_list<std::uint8_t> b) {
    return Bytes(b);
}

TEST(TypeListRows, EmptyDatabaseGivesCaptionsAndNoRows) {
    PdbWriter w;
    OpenDb f(w);
    const TextTable pay = TypeListRows(f.db, TypeList::Payment);
    EXPECT_EQ(pay.columns, (Row{"Id", "Payment Type"}));
    EXPECT_TRUE(pay.rows.empty());
    const TextTable types = TypeListRows(f.db, TypeList::Types);
    EXPECT_EQ(types.columns, (Row{"Id", "Transaction Type"}));
    EXPECT_TRUE(types.rows.empty());
    EXPECT_TRUE(TypeListRows(cPDB{}, TypeList::Types).rows.empty()); // a closed database
}

TEST(TypeListRows, EveryRecordInRecordOrderWithSignedIds) {
    PdbWriter w;
    w.add(raw({0x00, 0x0C, 'F', 'o', 'o', 'd', 0}));
    w.add(raw({0xFF, 0xFF, 'N', 'e', 'g', 0}));
    w.add(raw({0x80, 0x00, 'M', 'i', 'n', 0}));
    w.add(raw({0x7F, 0xFF, 'M', 'a', 'x', 0}));
    w.add(TypeRecordBytes(3, "Cash"));
    w.add(TypeRecordBytes(3, "Cash again"), 0x80); // a deleted-flagged duplicate still shows
    w.add(TypeRecordBytes(1, ""));
    w.add(raw({0x00, 0x05, 'A', 0, 'B', 'C', 0})); // the name ends at its first zero byte
    OpenDb f(w);
    const TextTable t = TypeListRows(f.db, TypeList::Payment);
    const std::vector<Row> expected = {{"12", "Food"},   {"-1", "Neg"}, {"-32768", "Min"},
                                       {"32767", "Max"}, {"3", "Cash"}, {"3", "Cash again"},
                                       {"1", ""},        {"5", "A"}};
    EXPECT_EQ(t.rows, expected);
}

TEST(TypeListRows, ShortRecordsStillGiveARow) {
    PdbWriter w;
    w.add(raw({}));                     // no bytes
    w.add(raw({0x01}));                 // not even a whole Id
    w.add(raw({0x00, 0x09}));           // an Id and no name
    w.add(raw({0x00, 0x02, 'X', 'Y'})); // a name without its zero byte, cut at the record's end
    w.add(TypeRecordBytes(4, "Last"));
    OpenDb f(w);
    const TextTable t = TypeListRows(f.db, TypeList::Types);
    const std::vector<Row> expected = {{"0", ""}, {"0", ""}, {"9", ""}, {"2", "XY"}, {"4", "Last"}};
    EXPECT_EQ(t.rows, expected);
}

} // namespace
