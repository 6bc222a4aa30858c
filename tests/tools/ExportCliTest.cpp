// ledra-export: the command line maps to the listing's choices, and the bytes are those of the
// listing code and the CSV writer for those choices.

#include "ExportCli.h"
#include "CliRun.h"
#include "ExportFixture.h"
#include "PdbWriter.h"
#include "TempDir.h"
#include "export/CsvWriter.h"
#include "lists/ListRows.h"
#include "platform/Regional.h"
#include "platform/UserDirectory.h"
#include "version/Version.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

namespace fs = std::filesystem;
using ledraexport::RunExport;

namespace {

const std::string kOpenFailed =
    "Unable to open one or more files.\n\nCheck does Ledra database(s)\nfiles exists in your "
    "BACKUP directory:\n\nIf files not exists than, mark files for backup\nin palm program "
    "proprties and do synchronisation ones.\n";

// The databases of a user opened for the engine's own answers.
struct Engine {
    cPDB money, types, payment, currency;
    CategoryInfo cats;

    explicit Engine(const std::string& dir) {
        EXPECT_EQ(money.Open(dir + "/Ledra_Money.PDB"), 0);
        EXPECT_EQ(types.Open(dir + "/Ledra_Types.PDB"), 0);
        EXPECT_EQ(payment.Open(dir + "/Ledra_Payment.PDB"), 0);
        EXPECT_EQ(currency.Open(dir + "/Ledra_Currency.PDB"), 0);
        cats = CategoryInfo::fromDatabase(money);
    }
    MoneyListing fill(const ListingChoices& c, CurrencyTable& table) {
        return FillList(money, types, payment, currency, table, cats, c);
    }
};

class ExportCliTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetRegionalFormats(CFormats());
        richData().write(root.path(), "alice");
    }
    void TearDown() override { userdir::SetRootOverride(""); }

    std::vector<std::string> base(const std::string& view) const {
        return {"--root", root.path(), "--user", "alice", "--view", view};
    }
    std::string userDir() const { return root.path() + "/alice/BACKUP"; }

    TempDir root;
};

// --- The money view: each option reaches the listing as the right choice -------------------

struct MoneyCase {
    const char* name;
    std::vector<std::string> args;
    ListingChoices expected;
    bool header = true;
};

ListingChoices choices(DisplayMode mode, FlowChoice flow, int category = kAllCategories) {
    ListingChoices c;
    c.mode = mode;
    c.flow = flow;
    c.category = category;
    return c;
}

ListingChoices filtered(FilterSettings f) {
    ListingChoices c;
    c.filterOn = true;
    f.On = true;
    c.filter = f;
    return c;
}

FilterSettings filterOf(std::string trans, std::string pay, std::string curr) {
    FilterSettings f;
    f.Trans = std::move(trans);
    f.Pay = std::move(pay);
    f.Curr = std::move(curr);
    return f;
}

FilterSettings range(bool fromOn, CalendarDay from, bool toOn, CalendarDay to) {
    FilterSettings f;
    f.FromOn = fromOn;
    f.From = from;
    f.ToOn = toOn;
    f.To = to;
    return f;
}

using DM = DisplayMode;
using FC = FlowChoice;

const std::vector<MoneyCase>& moneyCases() {
    static const std::vector<MoneyCase> cases = {
        {"defaults", {}, choices(DM::Chronological, FC::InOut)},
        {"chrono", {"--mode", "chrono"}, choices(DM::Chronological, FC::InOut)},
        {"month", {"--mode", "month"}, choices(DM::ByMonth, FC::InOut)},
        {"quarter", {"--mode=quarter"}, choices(DM::ByQuarter, FC::InOut)},
        {"year", {"--mode", "year"}, choices(DM::ByYear, FC::InOut)},
        {"in", {"--flow", "in"}, choices(DM::Chronological, FC::In)},
        {"out", {"--flow", "out"}, choices(DM::Chronological, FC::Out)},
        {"inout", {"--flow", "inout"}, choices(DM::Chronological, FC::InOut)},
        {"monthOut", {"--mode", "month", "--flow", "out"}, choices(DM::ByMonth, FC::Out)},
        {"yearIn", {"--mode", "year", "--flow", "in"}, choices(DM::ByYear, FC::In)},
        {"categoryAll", {"--category", "All"}, choices(DM::Chronological, FC::InOut)},
        {"categoryBusiness", {"--category", "Business"}, choices(DM::Chronological, FC::InOut, 2)},
        {"categoryUnfiled", {"--category", "Unfiled"}, choices(DM::Chronological, FC::InOut, 0)},
        {"categoryByteText", {"--category", "Caf\xE9"}, choices(DM::Chronological, FC::InOut, 3)},
        {"categoryUtf8", {"--category", "Caf\xC3\xA9"}, choices(DM::Chronological, FC::InOut, 3)},
        {"categoryNoEntry",
         {"--category", "business"},
         choices(DM::Chronological, FC::InOut, kNoCategory)},
        {"categoryEmpty", {"--category", ""}, choices(DM::Chronological, FC::InOut, kNoCategory)},
        {"categoryMonth",
         {"--category", "Business", "--mode", "month"},
         choices(DM::ByMonth, FC::InOut, 2)},
        {"trans", {"--trans", "Food"}, filtered(filterOf("Food", "...", "..."))},
        {"transCase", {"--trans", "food"}, filtered(filterOf("food", "...", "..."))},
        {"transWithComma",
         {"--trans", "Rent, flat"},
         filtered(filterOf("Rent, flat", "...", "..."))},
        {"pay", {"--pay", "Credit card"}, filtered(filterOf("...", "Credit card", "..."))},
        {"curr", {"--curr", "USD"}, filtered(filterOf("...", "...", "USD"))},
        {"anyFilterIsOn", {"--trans", "..."}, filtered(filterOf("...", "...", "..."))},
        {"fromTo",
         {"--from", "2002-01-20", "--to", "2002-03-31"},
         filtered(range(true, {2002, 1, 20}, true, {2002, 3, 31}))},
        {"fromAlone", {"--from", "2002-01-20"}, filtered(range(true, {2002, 1, 20}, false, {}))},
        {"toAlone", {"--to", "2002-01-20"}, filtered(range(false, {}, true, {2002, 1, 20}))},
        {"oneDay",
         {"--from", "2002-03-01", "--to", "2002-03-01"},
         filtered(range(true, {2002, 3, 1}, true, {2002, 3, 1}))},
        {"noHeader", {"--no-header"}, choices(DM::Chronological, FC::InOut), false},
        {"noHeaderQuarter",
         {"--no-header", "--mode", "quarter"},
         choices(DM::ByQuarter, FC::InOut),
         false},
    };
    return cases;
}

class MoneyTable : public ExportCliTest, public ::testing::WithParamInterface<MoneyCase> {};

TEST_P(MoneyTable, WritesTheListingOfTheChoices) {
    const MoneyCase& c = GetParam();
    std::vector<std::string> args = base("money");
    args.insert(args.end(), c.args.begin(), c.args.end());
    const Outcome r = run(args);

    Engine engine(userDir());
    CurrencyTable table;
    const MoneyListing listing = engine.fill(c.expected, table);
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, CsvBytes(CsvLines(listing.table, c.header)));
    // One day of the range alone makes no date test, as in the viewer; a note says so.
    if (c.expected.filter.FromOn != c.expected.filter.ToOn)
        EXPECT_EQ(r.err,
                  std::string("ledra-export: note: ") +
                      (c.expected.filter.FromOn ? "--from without --to" : "--to without --from") +
                      ": no date test is made\n");
    else
        EXPECT_EQ(r.err, "");
}

INSTANTIATE_TEST_SUITE_P(Options, MoneyTable, ::testing::ValuesIn(moneyCases()),
                         [](const auto& tc) { return std::string(tc.param.name); });

// The table above would pass with a listing that ignores its choices if the fixture made every
// choice list the same rows; these show that the choices do differ on this data.
TEST_F(ExportCliTest, FixtureChoicesGiveDifferentLists) {
    std::set<std::string> seen;
    for (const MoneyCase& c : moneyCases()) {
        std::vector<std::string> args = base("money");
        args.insert(args.end(), c.args.begin(), c.args.end());
        seen.insert(run(args).out);
    }
    EXPECT_GE(seen.size(), 20u);
}

// --- The total -----------------------------------------------------------------------------

struct TotalCase {
    const char* name;
    std::vector<std::string> args;
    FlowChoice flow;
    std::string caption; // what pCurr would show
};

class TotalTable : public ExportCliTest, public ::testing::WithParamInterface<TotalCase> {};

TEST_P(TotalTable, WritesTheTotalAsThePanelShowsIt) {
    const TotalCase& c = GetParam();
    std::vector<std::string> args = base("money");
    args.push_back("--total");
    args.insert(args.end(), c.args.begin(), c.args.end());
    const Outcome r = run(args);

    Engine engine(userDir());
    CurrencyTable table;
    const MoneyListing l = engine.fill(choices(DM::Chronological, c.flow), table);
    const int display = MatchDisplayCurrency(table, c.caption, l.home);
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, TotalText(l.IncomeTotal, l.ExpenseTotal, c.flow, table, display, l.home) +
                         " " + c.caption + "\n");
    // A code that no slot has: the line names it, as the view's button does, but the amount is
    // in the home currency, which a note tells.
    EXPECT_EQ(r.err, c.caption == "XYZ" ? "ledra-export: note: no currency has the code \"XYZ\"; "
                                          "the total is in the home currency \"EUR\"\n"
                                        : "");
}

INSTANTIATE_TEST_SUITE_P(
    Options, TotalTable,
    ::testing::Values(TotalCase{"inout", {}, FC::InOut, "EUR"},
                      TotalCase{"in", {"--flow", "in"}, FC::In, "EUR"},
                      TotalCase{"out", {"--flow", "out"}, FC::Out, "EUR"},
                      TotalCase{"displayUsd", {"--display", "USD"}, FC::InOut, "USD"},
                      TotalCase{"displayNotFavorite", {"--display", "GBP"}, FC::InOut, "GBP"},
                      TotalCase{"displayUnknown", {"--display", "XYZ"}, FC::InOut, "XYZ"},
                      TotalCase{"displayHome", {"--display", "EUR"}, FC::InOut, "EUR"},
                      TotalCase{"noHeaderIgnored", {"--no-header"}, FC::InOut, "EUR"}),
    [](const auto& tc) { return std::string(tc.param.name); });

// The total follows the listing's own choices too (mode and filter change nothing in a grouped
// total's sums; a filter does).
TEST_F(ExportCliTest, TotalFollowsTheFilterAndCategory) {
    std::vector<std::string> args = base("money");
    for (const char* a : {"--total", "--curr", "USD", "--category", "Caf\xE9", "--mode", "month"})
        args.push_back(a);
    const Outcome r = run(args);
    Engine engine(userDir());
    CurrencyTable table;
    ListingChoices c = filtered(filterOf("...", "...", "USD"));
    c.mode = DM::ByMonth;
    c.category = 3;
    const MoneyListing l = engine.fill(c, table);
    EXPECT_EQ(r.out, TotalText(l.IncomeTotal, l.ExpenseTotal, FC::InOut, table, 1, 1) + " EUR\n");
    EXPECT_NE(r.out, "0.00 EUR\n");
}

// --- Hand-written bytes ----------------------------------------------------------------------

TEST(ExportCliBytes, SmallMoneyListAndItsTotal) {
    SetRegionalFormats(CFormats());
    TempDir root;
    UserData d;
    d.txs = {{PackDate(2002, 3, 1), 2, 1, 100.0, 1, "Pay", 0},
             {PackDate(2002, 3, 2), 1, 2, -20.0, 2, "Lunch, \"Chez Ren\xE9\"", 2}};
    d.write(root.path(), "bob");
    const std::vector<std::string> base = {"--root", root.path(), "--view", "money"};

    Outcome r = run(base);
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "Date,\"Transaction Type\",Amount,Curr.,Memo,\"Payment Type\",Category\r\n"
                     "03/01/2002,Salary,100.00,EUR,Pay,Cash,Unfiled\r\n"
                     "03/02/2002,Food,-20.00,USD,\"Lunch, \"\"Chez Ren\xE9\"\"\",\"Credit card\","
                     "Business\r\n");

    auto with = [&](std::vector<std::string> extra) {
        std::vector<std::string> a = base;
        a.insert(a.end(), extra.begin(), extra.end());
        return run(a).out;
    };
    EXPECT_EQ(with({"--mode", "month", "--no-header"}),
              "\"March 2002\",\" \",77.78,EUR,\" \",\" \",\" \"\r\n");
    // -20 USD at 0.9 is -22.22 EUR; 77.78 EUR is 70.00 USD.
    EXPECT_EQ(with({"--total"}), "77.78 EUR\n");
    EXPECT_EQ(with({"--total", "--display", "USD"}), "70.00 USD\n");
    EXPECT_EQ(with({"--total", "--flow", "in"}), "100.00 EUR\n");
    EXPECT_EQ(with({"--total", "--flow", "out", "--display", "USD"}), "-20.00 USD\n");
    EXPECT_EQ(with({"--total", "--display", "CHF"}), "77.78 CHF\n");
}

TEST_F(ExportCliTest, HandWrittenLists) {
    EXPECT_EQ(run(base("payment")).out, "Id,\"Payment Type\"\r\n1,Cash\r\n2,\"Credit card\"\r\n");
    std::vector<std::string> args = base("types");
    args.push_back("--no-header");
    EXPECT_EQ(run(args).out, "1,Food\r\n2,Salary\r\n3,\"Rent, flat\"\r\n");
    const std::string currency = run(base("currency")).out;
    EXPECT_EQ(currency.substr(0, currency.find("\r\n", currency.find("\r\n") + 2) + 2),
              "Code,Name,Rate,Favorite,Home\r\nEUR,Euro,1.000000,*,*\r\n");
    EXPECT_NE(currency.find("\r\nUSD,\"US Dollar\",0.900000,*,\" \"\r\n"), std::string::npos);
}

// --- The lists go through the lists' own row builders -----------------------------------------

TEST_F(ExportCliTest, ListViewsWriteTheListRows) {
    Engine engine(userDir());
    CurrencyTable table;
    LoadCurrencyTable(engine.currency, table);
    for (bool header : {true, false}) {
        const std::vector<std::pair<std::string, TextTable>> views = {
            {"types", TypeListRows(engine.types, TypeList::Types)},
            {"payment", TypeListRows(engine.payment, TypeList::Payment)},
            {"currency", CurrencyListRows(table)}};
        for (const auto& [view, rows] : views) {
            std::vector<std::string> args = base(view);
            if (!header)
                args.push_back("--no-header");
            const Outcome r = run(args);
            EXPECT_EQ(r.status, 0) << view;
            EXPECT_EQ(r.out, CsvBytes(CsvLines(rows, header))) << view << header;
        }
    }
}

// --- Usage errors ----------------------------------------------------------------------------

struct UsageCase {
    const char* name;
    std::vector<std::string> args; // after --root and --user
    const char* message;           // part of the first line
};

class UsageTable : public ExportCliTest, public ::testing::WithParamInterface<UsageCase> {};

TEST_P(UsageTable, ExitsWithTwoAndTheUsage) {
    const UsageCase& c = GetParam();
    std::vector<std::string> args = {"--root", root.path(), "--user", "alice"};
    args.insert(args.end(), c.args.begin(), c.args.end());
    const Outcome r = run(args);
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err.rfind("ledra-export: ", 0), 0u) << r.err;
    EXPECT_NE(r.err.substr(0, r.err.find('\n')).find(c.message), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("\n\n" + ledraexport::UsageText()), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(
    Errors, UsageTable,
    ::testing::Values(
        UsageCase{
            "unknownOption", {"--view", "money", "--colour", "red"}, "unknown option --colour"},
        UsageCase{"unknownShort", {"--view", "money", "-x"}, "unknown option -x"},
        UsageCase{"positional", {"--view", "money", "extra"}, "unexpected argument"},
        UsageCase{"noView", {"--mode", "month"}, "--view is required"},
        UsageCase{"badView", {"--view", "ledger"}, "unknown view"},
        UsageCase{"viewCase", {"--view", "Money"}, "unknown view"},
        UsageCase{"badMode", {"--view", "money", "--mode", "week"}, "unknown mode"},
        UsageCase{"badFlow", {"--view", "money", "--flow", "both"}, "unknown flow"},
        UsageCase{"missingValue", {"--view"}, "--view needs a value"},
        UsageCase{"missingLast", {"--view", "money", "--category"}, "--category needs a value"},
        UsageCase{"missingOutput", {"--view", "money", "-o"}, "--output needs a value"},
        UsageCase{"dayShape", {"--view", "money", "--from", "2002-3-01"}, "YYYY-MM-DD"},
        UsageCase{"dayOtherOrder", {"--view", "money", "--to", "01.03.2002"}, "YYYY-MM-DD"},
        UsageCase{"dayNotACalendarDay",
                  {"--view", "money", "--from", "2002-02-29"},
                  "no day of the calendar"},
        UsageCase{
            "dayMonth13", {"--view", "money", "--to", "2002-13-01"}, "no day of the calendar"},
        UsageCase{"dayTrailing", {"--view", "money", "--to", "2002-01-01x"}, "YYYY-MM-DD"},
        UsageCase{
            "totalOnList", {"--view", "types", "--total"}, "--total applies to the money view"},
        UsageCase{"modeOnList", {"--view", "currency", "--mode", "month"}, "--mode applies"},
        UsageCase{"twice", {"--view", "money", "--view", "types"}, "more than once"},
        UsageCase{"flagWithValue", {"--view", "money", "--no-header=yes"}, "takes no value"},
        UsageCase{"emptyOutput", {"--view", "money", "--output="}, "needs a file name"}),
    [](const auto& tc) { return std::string(tc.param.name); });

TEST_F(ExportCliTest, EmptyRootIsAUsageError) {
    const Outcome r = run({"--root", "", "--user", "alice", "--view", "money"});
    EXPECT_EQ(r.status, 2);
}

// --help, -h and --version answer at once on standard output, even after a usage error later
// on the line would have stopped the run, and open no database.
TEST_F(ExportCliTest, HelpAndVersionGoToStandardOutput) {
    const std::string version = std::string("ledra-export ") + LedraVersion() + "\n";
    const struct {
        std::vector<std::string> args;
        std::string out;
    } cases[] = {
        {{"--help"}, ledraexport::UsageText()},
        {{"-h"}, ledraexport::UsageText()},
        {{"--view", "money", "-h", "--bogus"}, ledraexport::UsageText()},
        {{"--version"}, version},
        {{"--root", "/nonexistent", "--user", "x", "--version", "extra"}, version},
    };
    for (const auto& c : cases) {
        const Outcome r = run(c.args);
        EXPECT_EQ(r.status, 0) << c.args.front();
        EXPECT_EQ(r.out, c.out) << c.args.front();
        EXPECT_EQ(r.err, "");
    }
    EXPECT_EQ(run({"--version=1"}).status, 2);
    EXPECT_EQ(run({"-h=1"}).status, 2);
}

// --- Files and users ---------------------------------------------------------------------------

TEST_F(ExportCliTest, MissingDatabaseGivesTheViewersMessage) {
    for (const char* file : {"Ledra_Types.PDB", "Ledra_Money.PDB"}) {
        TempDir other;
        richData().write(other.path(), "alice");
        fs::remove(fs::path(other.path()) / "alice" / "BACKUP" / file);
        // The types file is needed for the currency view too: the viewer offers no view then.
        for (const char* view : {"money", "currency"}) {
            const Outcome r = run({"--root", other.path(), "--user", "alice", "--view", view});
            EXPECT_EQ(r.status, 1);
            EXPECT_EQ(r.err, kOpenFailed + "\n" + other.path() + "/alice/BACKUP/\n" + file +
                                 ": missing\n");
            EXPECT_EQ(r.out, "");
        }
    }
    const Outcome r = run({"--root", root.path(), "--user", "nobody", "--view", "money"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, kOpenFailed + "\n" + root.path() + "/nobody/BACKUP/\n" +
                         "Ledra_Money.PDB: missing\nLedra_Payment.PDB: missing\n"
                         "Ledra_Currency.PDB: missing\nLedra_Types.PDB: missing\n");
}

// A damaged file is exported as far as it can be read; the faults go to stderr and the exit
// status stays that of the export.
TEST_F(ExportCliTest, DamagedDatabaseIsNamedOnStandardErrorAndStillExported) {
    const std::string money = userDir() + "/Ledra_Money.PDB";
    fs::resize_file(money, fs::file_size(money) - 20); // the last record keeps 8 of its 28 bytes
    const Outcome r = run(base("money"));
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err.rfind("Damaged database files: Ledra shows what can be read of them.\n\n" +
                              money + ":\n- ",
                          0),
              0u)
        << r.err;
    EXPECT_NE(
        r.err.find(
            "record 7 with 8 bytes is shorter than the 15 bytes of a transaction's fixed fields"),
        std::string::npos)
        << r.err;
    EXPECT_NE(r.out.find("December pay"), std::string::npos);

    // After the open failure, for the files that did open.
    fs::remove(userDir() + "/Ledra_Types.PDB");
    const Outcome both = run(base("money"));
    EXPECT_EQ(both.status, 1);
    EXPECT_EQ(both.err.rfind(kOpenFailed + "\n" + userDir() + "/\nLedra_Types.PDB: missing\n" +
                                 "Damaged database files",
                             0),
              0u)
        << both.err;
}

TEST_F(ExportCliTest, RootWithOrWithoutSeparatorAndAnyLetterCase) {
    TempDir other;
    richData().write(other.path(), "carol", "Backup", ".pdb");
    const std::string expected = run(base("money")).out;
    ASSERT_FALSE(expected.empty());
    for (const std::string& dir : {other.path(), other.path() + "/"}) {
        for (const char* user : {"carol", "Carol"}) {
            const Outcome r = run({"--root", dir, "--user", user, "--view", "money"});
            EXPECT_EQ(r.status, 0) << dir << user << r.err;
            EXPECT_EQ(r.out, expected) << dir << user;
        }
    }
}

TEST_F(ExportCliTest, TheOnlyUserIsTheDefault) {
    const Outcome r = run({"--root", root.path(), "--view", "payment"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, run(base("payment")).out);

    // Without --root the user directory's root and users are used.
    userdir::SetRootOverride(root.path());
    const Outcome d = run({"--view", "payment", "--no-header"});
    EXPECT_EQ(d.status, 0) << d.err;
    EXPECT_EQ(d.out, "1,Cash\r\n2,\"Credit card\"\r\n");
}

TEST_F(ExportCliTest, SeveralUsersNeedAChoice) {
    richData().write(root.path(), "bob");
    const Outcome r = run({"--root", root.path(), "--view", "money"});
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("several handheld users"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("\n  alice\n  bob\n"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find(ledraexport::UsageText()), std::string::npos);

    const Outcome chosen = run({"--root", root.path(), "--user", "bob", "--view", "money"});
    EXPECT_EQ(chosen.status, 0);
}

TEST_F(ExportCliTest, NoUserAtAll) {
    TempDir empty;
    const Outcome r = run({"--root", empty.path(), "--view", "money"});
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.err.rfind("ledra-export: no handheld user under " + empty.path() +
                              "/ (the folder holds no user's folder with a BACKUP folder, and no "
                              "database files); name the folder with --root, or the user with "
                              "--user\n",
                          0),
              0u)
        << r.err;
    const Outcome missing = run({"--root", empty.file("gone"), "--view", "money"});
    EXPECT_EQ(missing.status, 2);
    EXPECT_NE(missing.err.find("under " + empty.file("gone") + "/ (the folder does not exist)"),
              std::string::npos)
        << missing.err;
}

// --root takes a user's folder or a folder of backup files as the viewer's chooser does.
TEST_F(ExportCliTest, RootMayBeOneUsersFolderOrTheBackupFolder) {
    const std::string expected = run(base("payment")).out;
    for (const std::string& folder : {root.path() + "/alice", userDir()}) {
        const Outcome r = run({"--root", folder, "--view", "payment"});
        EXPECT_EQ(r.status, 0) << folder << r.err;
        EXPECT_EQ(r.out, expected) << folder;
    }
}

// Without --root and $LEDRA_DATA_ROOT, the folder chosen in the viewer.
TEST_F(ExportCliTest, RememberedFolderIsTheDefaultRoot) {
    TempDir config;
    struct Env {
        std::string xdg = std::getenv("XDG_CONFIG_HOME") ? std::getenv("XDG_CONFIG_HOME") : "";
        std::string data = std::getenv("LEDRA_DATA_ROOT") ? std::getenv("LEDRA_DATA_ROOT") : "";
        ~Env() {
            for (auto [name, value] :
                 {std::pair{"XDG_CONFIG_HOME", &xdg}, std::pair{"LEDRA_DATA_ROOT", &data}})
                value->empty() ? ::unsetenv(name) : ::setenv(name, value->c_str(), 1);
        }
    } restore;
    ::setenv("XDG_CONFIG_HOME", config.path().c_str(), 1);
    ::unsetenv("LEDRA_DATA_ROOT");
    fs::create_directories(config.file("ledra"));
    std::ofstream(config.file("ledra/backup-folder")) << root.path() << "\n";
    const Outcome r = run({"--view", "payment", "--no-header"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "1,Cash\r\n2,\"Credit card\"\r\n");
}

TEST_F(ExportCliTest, LookingForUsersUnderRootLeavesTheDirectoryAsItWas) {
    TempDir other;
    userdir::SetRootOverride(other.path());
    auto directoryRoot = [] {
        char buffer[1024]{};
        std::int16_t size = 1000;
        userdir::RootDirectory(buffer, &size);
        return std::string(buffer);
    };
    const std::string before = directoryRoot();
    EXPECT_EQ(run({"--root", root.path(), "--view", "money"}).status, 0);
    EXPECT_EQ(directoryRoot(), before);
}

// --- Output file ------------------------------------------------------------------------------

TEST_F(ExportCliTest, OutputFileHoldsTheSameBytes) {
    const std::string expected = run(base("money")).out;
    TempDir out;
    for (const char* flag : {"-o", "--output"}) {
        const std::string file = out.file(std::string("x") + flag + ".CSV");
        std::vector<std::string> args = base("money");
        args.insert(args.end(), {flag, file});
        const Outcome r = run(args);
        EXPECT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(ReadFileBytes(file), expected);
    }
    std::vector<std::string> args = base("money");
    args.insert(args.end(), {"--total", "--output=" + out.file("total.txt")});
    EXPECT_EQ(run(args).status, 0);
    std::vector<std::string> plain = base("money");
    plain.push_back("--total");
    EXPECT_EQ(ReadFileBytes(out.file("total.txt")), run(plain).out);
}

TEST_F(ExportCliTest, OutputThatCannotBeWrittenFailsWithOne) {
    TempDir out;
    const std::string missing = out.file("no-such-folder/x.CSV");
    for (bool total : {false, true}) {
        std::vector<std::string> args = base("money");
        args.insert(args.end(), {"-o", missing});
        if (total)
            args.push_back("--total");
        const Outcome r = run(args);
        EXPECT_EQ(r.status, 1);
        EXPECT_EQ(r.err, "Cannot create file " + missing + ".\nNo such file or directory.\n");
        EXPECT_FALSE(fs::exists(missing));
    }
}

TEST_F(ExportCliTest, FailingStandardOutputIsNotReportedAsWritten) {
    std::ostringstream err;
    std::ostringstream out;
    out.setstate(std::ios::badbit);
    EXPECT_EQ(RunExport(base("types"), out, err), 1);
    EXPECT_NE(err.str(), "");
}

// --- Option texts ------------------------------------------------------------------------------

TEST(ExportCliText, Utf8IsConvertedOnlyWhenEveryCharacterHasAByte) {
    using ledraexport::SingleByteText;
    EXPECT_EQ(SingleByteText("Food"), "Food");
    EXPECT_EQ(SingleByteText("Caf\xC3\xA9"), "Caf\xE9");
    EXPECT_EQ(SingleByteText("\xE2\x82\xAC 5"), "\x80 5");     // euro sign
    EXPECT_EQ(SingleByteText("\xE2\x99\xA6"), "\x8D");         // the handheld's diamond
    EXPECT_EQ(SingleByteText("Caf\xE9"), "Caf\xE9");           // not UTF-8: bytes as given
    EXPECT_EQ(SingleByteText("\xE4\xB8\xAD"), "\xE4\xB8\xAD"); // no byte for it
    EXPECT_EQ(SingleByteText("\xC0\xAF"), "\xC0\xAF");         // overlong form
    EXPECT_EQ(SingleByteText("\xED\xA0\x80"), "\xED\xA0\x80"); // surrogate
    EXPECT_EQ(SingleByteText("\xC3"), "\xC3");                 // cut short
    EXPECT_EQ(SingleByteText(""), "");
}

TEST_F(ExportCliTest, Utf8FilterTextFindsTheStoredBytes) {
    UserData d;
    d.types = {{1, "Caf\xE9"}, {2, "Other"}};
    d.txs = {{PackDate(2002, 3, 1), 1, 1, -3.0, 1, "", 0},
             {PackDate(2002, 3, 1), 2, 1, -4.0, 1, "", 0}};
    TempDir other;
    d.write(other.path(), "eve");
    const Outcome r =
        run({"--root", other.path(), "--view", "money", "--no-header", "--trans", "Caf\xC3\xA9"});
    EXPECT_EQ(r.out, "03/01/2002,Caf\xE9,-3.00,EUR,,Cash,Unfiled\r\n");
}

// --- Regional formats ---------------------------------------------------------------------------

TEST_F(ExportCliTest, DatesFollowTheRegionalFormats) {
    RegionalFormats f = CFormats();
    f.shortDate = "%d.%m.%Y";
    f.monthNames[0] = "Januar";
    SetRegionalFormats(f);
    std::vector<std::string> args = base("money");
    args.insert(args.end(),
                {"--no-header", "--mode", "month", "--from", "2002-01-01", "--to", "2002-01-31"});
    EXPECT_EQ(run(args).out, "\"Januar 2002\",\" \",-51.39,EUR,\" \",\" \",\" \"\r\n");
    std::vector<std::string> chrono = base("money");
    chrono.insert(chrono.end(), {"--no-header", "--from", "2002-01-03", "--to", "2002-01-03"});
    EXPECT_EQ(run(chrono).out,
              "03.01.2002,Food,-12.50,EUR,\"Bakery \"\"Sonne\"\"\",Cash,Business\r\n");
}

} // namespace
