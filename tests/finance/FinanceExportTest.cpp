// Files for other finance programs: the bytes of each format over small fixtures, the id rule,
// left-out records, names and characters that need replacing, the selection's parity with the
// Money view's chronological list, and a full database of 65,535 transactions.

#include "finance/FinanceExport.h"
#include "HandheldData.h"
#include "PdbWriter.h"
#include "TempDir.h"
#include "platform/Regional.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <set>
#include <sstream>

namespace fs = std::filesystem;
using namespace finance;

namespace {

// One user's four databases written by PdbWriter and opened again.
struct Opened {
    TempDir dir;
    cPDB money, types, payment, currency;
    CategoryInfo cats;

    explicit Opened(const HandheldData& d) {
        d.write(dir.path());
        EXPECT_EQ(money.Open(dir.file("Ledra_Money.PDB")), 0);
        EXPECT_EQ(types.Open(dir.file("Ledra_Types.PDB")), 0);
        EXPECT_EQ(payment.Open(dir.file("Ledra_Payment.PDB")), 0);
        EXPECT_EQ(currency.Open(dir.file("Ledra_Currency.PDB")), 0);
        cats = CategoryInfo::fromDatabase(money);
    }
    Selection select(const ListingChoices& c = {}) {
        return Select(money, types, payment, currency, cats, c);
    }
    Result build(Format f, const ListingChoices& c = {}) { return Build(f, select(c)); }
    MoneyListing list(const ListingChoices& c) {
        CurrencyTable table;
        return FillList(money, types, payment, currency, table, cats, c);
    }
};

HandheldData baseData() {
    HandheldData d;
    d.types = {{1, "Food"}, {2, "Salary"}};
    d.payments = {{1, "Cash"}, {2, "Visa Card"}};
    d.labels = {"Unfiled", "", "Business", "Caf\xE9"};
    return d;
}

std::vector<std::string> linesOf(const std::string& bytes, const std::string& end = "\n") {
    std::vector<std::string> lines;
    std::size_t at = 0;
    while (at < bytes.size()) {
        const std::size_t next = bytes.find(end, at);
        lines.push_back(bytes.substr(at, next - at));
        if (next == std::string::npos)
            break;
        at = next + end.size();
    }
    return lines;
}

std::vector<std::string> split(const std::string& line, char sep) {
    std::vector<std::string> fields;
    std::stringstream s(line);
    std::string f;
    while (std::getline(s, f, sep))
        fields.push_back(f);
    if (!line.empty() && line.back() == sep)
        fields.emplace_back();
    return fields;
}

// --- Ids -----------------------------------------------------------------------------------------

struct IdCase {
    const char* name;
    std::vector<std::uint32_t> uids;
    std::vector<std::string> expected;
};

class IdRule : public ::testing::TestWithParam<IdCase> {};

TEST_P(IdRule, IdsAreUniqueAndNamedByTheRecordListEntry) {
    HandheldData d = baseData();
    for (const std::uint32_t uid : GetParam().uids) {
        d.uniqueIds[d.txs.size()] = uid;
        d.add(PackDate(2002, 1, 1), 1, 1, -1.0);
    }
    Opened db(d);
    EXPECT_EQ(TransactionIds(db.money), GetParam().expected);
    std::vector<std::string> selected;
    for (const Transaction& t : db.select().transactions)
        selected.push_back(t.id);
    EXPECT_EQ(selected, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Finance, IdRule,
    ::testing::Values(
        IdCase{"Distinct", {0xA1B2C3, 1, 0xFFFFFF}, {"LD-A1B2C3", "LD-000001", "LD-FFFFFF"}},
        IdCase{
            "Duplicates", {5, 5, 7, 5}, {"LD-000005", "LD-000005-R2", "LD-000007", "LD-000005-R4"}},
        IdCase{"Zero", {0, 3, 0}, {"LD-000000-R1", "LD-000003", "LD-000000-R3"}},
        IdCase{"AllZero", {0, 0}, {"LD-000000-R1", "LD-000000-R2"}}),
    [](const auto& param) { return std::string(param.param.name); });

TEST(FinanceTest, IdOfARecordDoesNotDependOnTheSelection) {
    HandheldData d = baseData();
    d.add(PackDate(2002, 1, 1), 1, 1, -1.0, 1, "a", 0);
    d.add(PackDate(2002, 1, 2), 1, 1, -2.0, 1, "b", 2);
    d.add(PackDate(2002, 1, 3), 1, 1, -3.0, 1, "c", 2);
    d.uniqueIds = {{0, 9}, {1, 9}, {2, 10}};
    Opened db(d);
    ListingChoices business;
    business.category = 2;
    const Selection s = db.select(business);
    ASSERT_EQ(s.transactions.size(), 2u);
    EXPECT_EQ(s.transactions[0].id, "LD-000009-R2");
    EXPECT_EQ(s.transactions[1].id, "LD-00000A");
}

// --- csv -----------------------------------------------------------------------------------------

TEST(FinanceTest, CsvHoldsEveryRecordAsUtf8WithHomeAmounts) {
    HandheldData d = baseData();
    d.currencies[3] = {"Nothing", "", 2.0, false, false};   // empty code: XXX
    d.currencies[4] = {"Broken", "BRK", 0.0, false, false}; // rate that does not convert
    d.add(PackDate(2002, 1, 3), 1, 2, -12.5, 1, "Caf\xE9 \x80 \"Sonne\", hot", 3);
    d.add(PackDate(2002, 1, 4), 2, 1, 100.0, 2, "line\r\nbreak", 0);
    d.add(PackDate(2002, 13, 5), 9, 9, -1.0, 12, "bad day", 2); // no calendar day, slot 12
    d.add(PackDate(2002, 2, 1), 1, 1, -0.001, 3, std::string(150, 'm'));
    d.add(PackDate(2002, 2, 2), 1, 1, -4.0, 4, "");
    Opened db(d);
    const Result r = db.build(Format::Csv);
    ASSERT_EQ(r.files.size(), 1u);
    EXPECT_EQ(r.files[0].name, "");
    EXPECT_EQ(r.transactions, 5);
    EXPECT_TRUE(r.leftOut.empty());
    const std::string expected =
        "Date,Type,Payment,Category,Memo,Amount,Currency,HomeAmount,HomeCurrency,Id\r\n"
        "2002-01-03,Food,Visa Card,Caf\xC3\xA9,\"Caf\xC3\xA9 \xE2\x82\xAC \"\"Sonne\"\", hot\","
        "-12.50,EUR,-12.50,EUR,LD-000001\r\n"
        "2002-01-04,Salary,Cash,Unfiled,\"line\r\nbreak\",100.00,USD,111.11,EUR,LD-000002\r\n"
        "2002-13-05,,,Business,bad day,-1.00,XXX,,,LD-000003\r\n"
        "2002-02-01,Food,Cash,Unfiled," +
        std::string(150, 'm') +
        ",0.00,XXX,0.00,EUR,LD-000004\r\n"
        "2002-02-02,Food,Cash,Unfiled,,-4.00,BRK,,,LD-000005\r\n";
    EXPECT_EQ(r.files[0].bytes, expected);
}

// --- qif -----------------------------------------------------------------------------------------

TEST(FinanceTest, QifOneFilePerCurrencyWithAccountsPerPaymentType) {
    HandheldData d = baseData();
    d.types.push_back({3, "Car/Fuel: [x]"});
    d.add(PackDate(2002, 1, 3), 1, 2, -12.5, 1, "Bakery", 2);
    d.add(PackDate(2002, 1, 4), 2, 1, 1500.0, 1, "Pay\nday", 0);
    d.add(PackDate(2002, 1, 5), 1, 1, -3.0, 1, "", 1); // empty label
    d.add(PackDate(2002, 1, 6), 3, 1, -40.0, 2, "fuel", 0);
    d.add(PackDate(2002, 2, 30), 1, 1, -1.0, 1, "no day", 0);
    d.add(PackDate(1925, 5, 1), 1, 1, -2.0, 1, "old", 0);
    d.add(PackDate(2002, 3, 1), 9, 9, -5.0, 1, "", 0); // unknown type and payment
    Opened db(d);
    const Result r = db.build(Format::Qif);
    ASSERT_EQ(r.files.size(), 2u);
    EXPECT_EQ(r.files[0].name, "EUR.qif");
    EXPECT_EQ(r.files[1].name, "USD.qif");
    EXPECT_EQ(r.transactions, 5);
    EXPECT_EQ(r.files[0].bytes,
              "!Type:Cat\nNFood\nE\n^\nNSalary\nI\n^\n"
              "!Account\nNVisa Card EUR\nTCCard\nD[EUR]\n^\n!Type:CCard\n"
              "D2002-01-03\nT-12.50\nLFood\nMBusiness | Bakery\nNLD-000001\n^\n"
              "!Account\nNCash EUR\nTCash\nD[EUR]\n^\n!Type:Cash\n"
              "D2002-01-04\nT1500.00\nLSalary\nMUnfiled | Pay day\nNLD-000002\n^\n"
              "D2002-01-05\nT-3.00\nLFood\nNLD-000003\n^\n"
              "!Account\nNPayment 9 EUR\nTBank\nD[EUR]\n^\n!Type:Bank\n"
              "D2002-03-01\nT-5.00\nMUnfiled\nNLD-000007\n^\n");
    EXPECT_EQ(r.files[1].bytes, "!Type:Cat\nNCar-Fuel- (x)\nE\n^\n"
                                "!Account\nNCash USD\nTCash\nD[USD]\n^\n!Type:Cash\n"
                                "D2002-01-06\nT-40.00\nLCar-Fuel- (x)\nMUnfiled | fuel\n"
                                "NLD-000004\n^\n");
    ASSERT_EQ(r.leftOut.size(), 2u);
    EXPECT_EQ(LeftOutLine(r.leftOut[0]),
              "record 5 (no calendar day): 2002-02-30, Food, Cash, -1.00 EUR, Unfiled, no day");
    EXPECT_EQ(LeftOutLine(r.leftOut[1]),
              "record 6 (year before 1930): 1925-05-01, Food, Cash, -2.00 EUR, Unfiled, old");
    EXPECT_EQ(SummaryLine(r), "2 files written, 5 transactions written, 2 records left out");
}

// --- ofx -----------------------------------------------------------------------------------------

TEST(FinanceTest, OfxOneStatementPerPaymentTypeAndCurrency) {
    HandheldData d = baseData();
    d.add(PackDate(2002, 1, 3), 1, 2, -12.5, 1, "Bakery & <Sons>", 2);
    d.add(PackDate(2002, 1, 9), 2, 2, 100.0, 1, "", 0);
    d.add(PackDate(2002, 1, 4), 2, 1, 7.0, 2, "", 0);
    d.add(PackDate(2002, 2, 30), 1, 1, -1.0, 2, "no day", 0);
    Opened db(d);
    const Result r = db.build(Format::Ofx);
    ASSERT_EQ(r.files.size(), 2u);
    EXPECT_EQ(r.files[0].name, "Visa Card EUR.ofx");
    EXPECT_EQ(r.files[1].name, "Cash USD.ofx");
    EXPECT_EQ(r.transactions, 3);
    ASSERT_EQ(r.leftOut.size(), 1u);
    EXPECT_EQ(r.leftOut[0].record, 4);

    const std::string& b = r.files[0].bytes;
    EXPECT_EQ(b.rfind("OFXHEADER:100\r\nDATA:OFXSGML\r\nVERSION:102\r\n", 0), 0u);
    EXPECT_NE(b.find("ENCODING:UTF-8\r\n"), std::string::npos);
    // The currency comes before the account, as OFX orders them.
    EXPECT_LT(b.find("<CURDEF>EUR\r\n"), b.find("<BANKACCTFROM>"));
    EXPECT_NE(b.find("<ACCTTYPE>CREDITLINE\r\n"), std::string::npos);
    EXPECT_NE(b.find("<STMTTRN>\r\n<TRNTYPE>DEBIT\r\n<DTPOSTED>20020103\r\n<TRNAMT>-12.50\r\n"
                     "<FITID>LD-000001\r\n<NAME>Bakery &amp; &lt;Sons&gt;\r\n"
                     "<MEMO>Food | Business | Bakery &amp; &lt;Sons&gt;\r\n</STMTTRN>"),
              std::string::npos);
    // Without a memo the type names the transaction.
    EXPECT_NE(b.find("<TRNTYPE>CREDIT\r\n<DTPOSTED>20020109\r\n<TRNAMT>100.00\r\n"
                     "<FITID>LD-000002\r\n<NAME>Salary\r\n<MEMO>Salary | Unfiled\r\n"),
              std::string::npos);
    EXPECT_NE(b.find("<DTSTART>20020103\r\n<DTEND>20020109\r\n"), std::string::npos);
    EXPECT_NE(b.find("<LEDGERBAL>\r\n<BALAMT>87.50\r\n<DTASOF>20020109\r\n</LEDGERBAL>"),
              std::string::npos);
    EXPECT_NE(r.files[1].bytes.find("<ACCTTYPE>CHECKING\r\n"), std::string::npos);
}

TEST(FinanceTest, OfxNameAndMemoAreCutAtCharacterBoundaries) {
    HandheldData d = baseData();
    // 31 ASCII letters and an e acute (two bytes in UTF-8) that would end at byte 33.
    const std::string memo = std::string(31, 'a') + "\xE9" + std::string(300, 'b');
    d.add(PackDate(2002, 1, 3), 1, 1, -1.0, 1, memo, 0);
    d.add(PackDate(2002, 1, 4), 1, 1, -1.0, 1, std::string(30, 'c') + "&x", 0);
    Opened db(d);
    const Result r = db.build(Format::Ofx);
    ASSERT_EQ(r.files.size(), 1u);
    const std::string& b = r.files[0].bytes;
    EXPECT_NE(b.find("<NAME>" + std::string(31, 'a') + "\r\n"), std::string::npos);
    // An entity is never cut either.
    EXPECT_NE(b.find("<NAME>" + std::string(30, 'c') + "\r\n"), std::string::npos);
    const std::size_t at = b.find("<MEMO>") + 6;
    const std::string memoText = b.substr(at, b.find("\r\n", at) - at);
    EXPECT_LE(memoText.size(), 255u);
    EXPECT_EQ(memoText.substr(0, 20), "Food | Unfiled | aaa");
    EXPECT_EQ(CutUtf8("a\xC3\xA9", 2), "a");
    EXPECT_EQ(CutUtf8("a\xE2\x82\xAC", 3), "a");
    EXPECT_EQ(CutUtf8("a\xE2\x82\xAC", 4), "a\xE2\x82\xAC");
}

// --- homebank ------------------------------------------------------------------------------------

TEST(FinanceTest, HomeBankLinesWithoutSemicolonsOrQuotes) {
    HandheldData d = baseData();
    d.types.push_back({3, "Rent; \"flat\""});
    d.labels[4] = "Home Office";
    d.add(PackDate(2002, 1, 3), 3, 2, -450.0, 1, "a;b \"c\"\nd", 4);
    d.add(PackDate(2002, 1, 4), 1, 1, 2.0, 1, "", 1);
    Opened db(d);
    const Result r = db.build(Format::HomeBank);
    ASSERT_EQ(r.files.size(), 2u);
    EXPECT_EQ(r.files[0].name, "Visa Card EUR.csv");
    EXPECT_EQ(r.files[0].bytes,
              "2002-01-03;1;LD-000001;;a,b 'c' d;-450.00;Rent, 'flat';Home_Office\n");
    EXPECT_EQ(r.files[1].name, "Cash EUR.csv");
    EXPECT_EQ(r.files[1].bytes, "2002-01-04;3;LD-000002;;;2.00;Food;\n");
}

struct NameRule {
    const char* name;
    int paymode;
    const char* qifType;
};

TEST(FinanceTest, AccountTypeAndPaymodeFromThePaymentName) {
    const NameRule rules[] = {
        {"Cash", 3, "Cash"},
        {"Visa Card", 1, "CCard"},
        {"MasterCard", 1, "CCard"},
        {"Credit", 1, "CCard"},
        {"EC Debit Card", 6, "CCard"},
        {"Maestro", 6, "Bank"},
        {"Cheque", 2, "Bank"},
        {"CHECK", 2, "Bank"},
        {"Bank transfer", 4, "Bank"},
        {"Standing order", 7, "Bank"},
        {"Direct debit", 11, "Bank"},
        {"Deposit", 9, "Bank"},
        {"PayPal", 8, "Bank"},
        {"Internal transfer", 4, "Bank"},
        {"", 0, "Bank"},
        {"Gift", 0, "Bank"},
    };
    for (const NameRule& rule : rules) {
        SCOPED_TRACE(rule.name);
        EXPECT_EQ(HomeBankPaymode(rule.name), rule.paymode);
        EXPECT_NE(HomeBankPaymode(rule.name), 5);
        EXPECT_EQ(QifAccountType(rule.name), rule.qifType);
    }
}

// --- File names ----------------------------------------------------------------------------------

TEST(FinanceTest, FileNamesReplaceWhatCannotStandInThem) {
    const std::pair<std::string, std::string> cases[] = {
        {"Cash EUR", "Cash EUR"},
        {"a/b\\c:d*e?f\"g<h>i|j", "a_b_c_d_e_f_g_h_i_j"},
        {"tab\there", "tab_here"},
        {"..", "__"},
        {".hidden", "_hidden"},
        {"ends. ", "ends__"},
        {"", "_"},
        {"Caf\xC3\xA9 \xE2\x82\xAC", "Caf\xC3\xA9 \xE2\x82\xAC"},
        {std::string(199, 'x') + "\xC3\xA9", std::string(199, 'x')},
    };
    for (const auto& [given, expected] : cases)
        EXPECT_EQ(FileNameOf(given), expected) << given;
}

TEST(FinanceTest, GroupsWhoseFileNamesCollideGetNumbers) {
    HandheldData d = baseData();
    d.payments = {{1, "A/B"}, {2, "A:B"}, {3, "a_b"}};
    d.currencies[2] = {"Slash", "U/D", 1.0, false, false};
    d.currencies[3] = {"Colon", "U:D", 1.0, false, false};
    d.add(PackDate(2002, 1, 3), 1, 1, -1.0, 1);
    d.add(PackDate(2002, 1, 3), 1, 2, -1.0, 1);
    d.add(PackDate(2002, 1, 3), 1, 3, -1.0, 1);
    d.add(PackDate(2002, 1, 3), 1, 3, -1.0, 2);
    d.add(PackDate(2002, 1, 3), 1, 3, -1.0, 3);
    Opened db(d);
    std::vector<std::string> ofx, qif;
    for (const File& f : db.build(Format::Ofx).files)
        ofx.push_back(f.name);
    for (const File& f : db.build(Format::Qif).files)
        qif.push_back(f.name);
    EXPECT_EQ(ofx, (std::vector<std::string>{"A_B EUR.ofx", "A_B EUR 2.ofx", "a_b EUR 3.ofx",
                                             "a_b U_D.ofx", "a_b U_D 2.ofx"}));
    EXPECT_EQ(qif, (std::vector<std::string>{"EUR.qif", "U_D.qif", "U_D 2.qif"}));
}

// --- The same transactions as the Money view ----------------------------------------------------

// Every format holds, by id, the amounts the chronological list shows for the same choices.
std::multiset<std::string> amountsIn(Format f, const Result& r) {
    std::multiset<std::string> out;
    for (const File& file : r.files) {
        if (f == Format::Csv) {
            const auto lines = linesOf(file.bytes, "\r\n");
            for (std::size_t i = 1; i < lines.size(); ++i) {
                const auto fields = split(lines[i], ',');
                out.insert(fields[5]);
            }
        } else if (f == Format::HomeBank) {
            for (const std::string& line : linesOf(file.bytes))
                out.insert(split(line, ';')[5]);
        } else {
            const std::string tag = f == Format::Qif ? "T" : "<TRNAMT>";
            for (const std::string& line : linesOf(file.bytes))
                if (line.rfind(tag, 0) == 0 && (f != Format::Qif || line.size() > 1) &&
                    line.find_first_not_of("-.0123456789\r", tag.size()) == std::string::npos)
                    out.insert(line.substr(tag.size(), line.find('\r') - tag.size()));
        }
    }
    return out;
}

TEST(FinanceTest, EveryFormatHoldsWhatTheChronologicalListShows) {
    SetRegionalFormats(CFormats());
    HandheldData d = baseData();
    d.add(PackDate(2001, 12, 31), 2, 2, 1500.0, 1, "pay", 0);
    d.add(PackDate(2002, 1, 3), 1, 1, -12.5, 1, "bread", 2);
    d.add(PackDate(2002, 1, 20), 1, 2, -30.0, 2, "market", 3);
    d.add(PackDate(2002, 3, 1), 1, 1, 0.0, 1, "free", 2);
    d.add(PackDate(2002, 4, 1), 1, 1, -8.0, 3, "tea", 2);
    d.add(PackDate(2002, 1, 25), 9, 9, -5.0, 2, "unknown", 3);
    Opened db(d);

    std::vector<ListingChoices> choices(5);
    choices[1].category = 2;
    choices[2].filterOn = true;
    choices[2].filter.Pay = "Cash";
    choices[3].filterOn = true;
    choices[3].filter.FromOn = choices[3].filter.ToOn = true;
    choices[3].filter.From = {2002, 1, 1};
    choices[3].filter.To = {2002, 1, 31};
    choices[4].category = kNoCategory;
    for (std::size_t k = 0; k < choices.size(); ++k) {
        std::multiset<std::string> shown;
        for (const auto& row : db.list(choices[k]).table.rows)
            shown.insert(row[2]);
        for (const FormatInfo& info : Formats()) {
            SCOPED_TRACE(std::to_string(k) + " " + info.name);
            EXPECT_EQ(amountsIn(info.format, db.build(info.format, choices[k])), shown);
        }
    }
}

// --- 65,535 transactions -------------------------------------------------------------------------

TEST(FinanceTest, AFullDatabaseIsWrittenWhole) {
    HandheldData d = baseData();
    d.currencies[3] = {"Pound", "GBP", 0.8, false, false};
    for (int i = 0; i < 65535; ++i)
        d.add(PackDate(1990 + i % 30, 1 + i % 12, 1 + i % 28),
              static_cast<std::uint16_t>(1 + i % 2), static_cast<std::uint16_t>(1 + i % 2),
              (i % 7) - 3.25, static_cast<std::uint8_t>(1 + i % 3), "memo " + std::to_string(i),
              static_cast<std::uint8_t>(i % 4));
    Opened db(d);
    for (const FormatInfo& info : Formats()) {
        SCOPED_TRACE(info.name);
        const Result r = db.build(info.format);
        EXPECT_EQ(r.transactions, 65535);
        EXPECT_TRUE(r.leftOut.empty());
        int perFile = 0;
        for (const File& f : r.files)
            perFile += f.transactions;
        EXPECT_EQ(perFile, 65535);
        EXPECT_EQ(r.files.size(), info.format == Format::Csv   ? 1u
                                  : info.format == Format::Qif ? 3u
                                                               : 6u);
    }
    std::set<std::string> ids;
    for (const Transaction& t : db.select().transactions)
        ids.insert(t.id);
    EXPECT_EQ(ids.size(), 65535u);
    EXPECT_EQ(*ids.rbegin(), "LD-00FFFF");
}

// --- Writing -------------------------------------------------------------------------------------

TEST(FinanceTest, WritingReplacesItsFilesAndLeavesOthersAlone) {
    TempDir dir;
    const std::string folder = dir.file("new/deeper");
    Result r;
    r.files = {{"a.qif", "one", 1}, {"b.qif", "two", 1}};
    EXPECT_EQ(WriteFiles(folder, r), "");
    WriteFileBytes(folder + "/other.txt", Bytes{'x'});
    r.files = {{"a.qif", "three", 1}};
    EXPECT_EQ(WriteFiles(folder, r), "");
    EXPECT_EQ(ReadFileBytes(folder + "/a.qif"), "three");
    EXPECT_EQ(ReadFileBytes(folder + "/b.qif"), "two");
    EXPECT_EQ(ReadFileBytes(folder + "/other.txt"), "x");

    WriteFileBytes(dir.file("plain"), Bytes{'p'});
    EXPECT_EQ(WriteFiles(dir.file("plain"), r), "Cannot create folder " + dir.file("plain"));
    fs::permissions(folder, fs::perms::owner_read | fs::perms::owner_exec);
    EXPECT_EQ(WriteFiles(folder, r), "Cannot create file " + folder + "/a.qif");
    EXPECT_EQ(ReadFileBytes(folder + "/a.qif"), "three");
    fs::permissions(folder, fs::perms::owner_all);
}

} // namespace
