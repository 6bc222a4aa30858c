// ledra-export --format: the finance files from the command line, their usage errors, the
// output to a file, a folder or standard output, and the lines on standard error.

#include "CliRun.h"
#include "ExportCli.h"
#include "ExportFixture.h"
#include "PdbWriter.h"
#include "TempDir.h"
#include "finance/FinanceExport.h"
#include "platform/UserDirectory.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

namespace fs = std::filesystem;
using ledraexport::RunExport;

namespace {

class FinanceCliTest : public ::testing::Test {
protected:
    void SetUp() override {
        UserData d = richData();
        d.add(PackDate(2002, 2, 30), 1, 1, -2.0, 1, "no day", 0); // record 9
        d.write(root.path(), "alice");
    }
    void TearDown() override { userdir::SetRootOverride(""); }

    std::vector<std::string> base(std::vector<std::string> more) const {
        std::vector<std::string> args = {"--root", root.path(), "--user", "alice"};
        args.insert(args.end(), more.begin(), more.end());
        return args;
    }

    // What the library builds for these choices, for comparison.
    finance::Result expected(finance::Format f, const ListingChoices& c = {}) {
        const std::string dir = root.path() + "/alice/BACKUP/";
        cPDB money, types, payment, currency;
        EXPECT_EQ(money.Open(dir + "Ledra_Money.PDB"), 0);
        EXPECT_EQ(types.Open(dir + "Ledra_Types.PDB"), 0);
        EXPECT_EQ(payment.Open(dir + "Ledra_Payment.PDB"), 0);
        EXPECT_EQ(currency.Open(dir + "Ledra_Currency.PDB"), 0);
        const CategoryInfo cats = CategoryInfo::fromDatabase(money);
        return finance::Build(f, finance::Select(money, types, payment, currency, cats, c));
    }

    TempDir root;
};

std::string lastLine(const std::string& text) {
    const std::size_t end = text.size() - 1;
    return text.substr(text.rfind('\n', end - 1) + 1);
}

// --- Usage errors ------------------------------------------------------------------------------

struct FormatUsageCase {
    const char* name;
    std::vector<std::string> args;
    const char* message;
};

class FormatUsage : public FinanceCliTest, public ::testing::WithParamInterface<FormatUsageCase> {};

TEST_P(FormatUsage, ExitsWithTwoAndTheUsage) {
    const Outcome r = run(base(GetParam().args));
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err.substr(0, r.err.find('\n')).find(GetParam().message), std::string::npos)
        << r.err;
    EXPECT_NE(r.err.find("\n\n" + ledraexport::UsageText()), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(
    Finance, FormatUsage,
    ::testing::Values(
        FormatUsageCase{"unknown", {"--format", "xls"}, "unknown format \"xls\""},
        FormatUsageCase{"upperCase", {"--format", "QIF", "-o", "x"}, "unknown format"},
        FormatUsageCase{"mode", {"--format", "csv", "--mode", "month"}, "--mode applies to"},
        FormatUsageCase{"flow", {"--format", "csv", "--flow", "in"}, "--flow applies to"},
        FormatUsageCase{"total", {"--format", "csv", "--total"}, "--total applies to"},
        FormatUsageCase{
            "display", {"--format", "ofx", "-o", "d", "--display", "USD"}, "--display applies to"},
        FormatUsageCase{"noHeader",
                        {"--format", "homebank", "-o", "d", "--no-header"},
                        "--no-header applies to"},
        FormatUsageCase{"qifNoFolder", {"--format", "qif"}, "-o DIR"},
        FormatUsageCase{"ofxNoFolder", {"--format", "ofx"}, "-o DIR"},
        FormatUsageCase{"homebankNoFolder", {"--format", "homebank"}, "-o DIR"},
        FormatUsageCase{"otherView", {"--format", "csv", "--view", "types"}, "must be money"},
        FormatUsageCase{"twice", {"--format", "csv", "--format", "qif"}, "more than once"}),
    [](const auto& tc) { return std::string(tc.param.name); });

// --- Output --------------------------------------------------------------------------------------

TEST_F(FinanceCliTest, ViewIsTheDefaultFormat) {
    const Outcome plain = run(base({"--view", "money"}));
    const Outcome view = run(base({"--view", "money", "--format", "view"}));
    EXPECT_EQ(view.status, 0);
    EXPECT_EQ(view.out, plain.out);
    EXPECT_EQ(view.err, plain.err);
}

TEST_F(FinanceCliTest, CsvGoesToStandardOutputOrAFile) {
    const finance::Result want = expected(finance::Format::Csv);
    for (const auto& view :
         {std::vector<std::string>{}, std::vector<std::string>{"--view", "money"}}) {
        std::vector<std::string> args = base({"--format", "csv"});
        args.insert(args.end(), view.begin(), view.end());
        const Outcome r = run(args);
        EXPECT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(r.out, want.files[0].bytes);
        EXPECT_EQ(r.err, "ledra-export: 1 file written, 9 transactions written, 0 records left "
                         "out\n");
    }
    TempDir out;
    const Outcome r = run(base({"--format", "csv", "-o", out.file("money.csv")}));
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(ReadFileBytes(out.file("money.csv")), want.files[0].bytes);

    const std::string missing = out.file("no-such-folder/x.csv");
    const Outcome bad = run(base({"--format", "csv", "-o", missing}));
    EXPECT_EQ(bad.status, 1);
    EXPECT_EQ(bad.err, "Cannot create file " + missing + ".\nNo such file or directory.\n");
}

TEST_F(FinanceCliTest, FolderFormatsWriteEveryFileAndListWhatIsLeftOut) {
    const std::pair<const char*, finance::Format> formats[] = {
        {"qif", finance::Format::Qif},
        {"ofx", finance::Format::Ofx},
        {"homebank", finance::Format::HomeBank}};
    for (const auto& [name, format] : formats) {
        SCOPED_TRACE(name);
        TempDir out;
        const std::string dir = out.file("new/finance");
        fs::create_directories(dir);
        WriteFileBytes(dir + "/keep.txt", Bytes{'k'});
        const finance::Result want = expected(format);
        const Outcome r = run(base({"--format", name, "-o", dir}));
        EXPECT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(r.out, "");
        for (const finance::File& f : want.files)
            EXPECT_EQ(ReadFileBytes(dir + "/" + f.name), f.bytes) << f.name;
        EXPECT_EQ(ReadFileBytes(dir + "/keep.txt"), "k");
        std::size_t files = 0;
        for (const auto& entry : fs::directory_iterator(dir))
            files += entry.path().filename() != "keep.txt";
        EXPECT_EQ(files, want.files.size());
        EXPECT_EQ(r.err, "ledra-export: left out record 9 (no calendar day): 2002-02-30, Food, "
                         "Cash, -2.00 EUR, Unfiled, no day\n"
                         "ledra-export: " +
                             finance::SummaryLine(want) + "\n");
        EXPECT_EQ(lastLine(r.err), "ledra-export: " + std::to_string(want.files.size()) +
                                       " files written, 8 transactions written, 1 record left "
                                       "out\n");
    }
}

TEST_F(FinanceCliTest, AMissingFolderIsCreatedAndAFileInItsPlaceFails) {
    TempDir out;
    const Outcome made = run(base({"--format", "qif", "-o", out.file("a/b/c")}));
    EXPECT_EQ(made.status, 0) << made.err;
    EXPECT_TRUE(fs::exists(out.file("a/b/c/EUR.qif")));

    WriteFileBytes(out.file("plain"), Bytes{'p'});
    const Outcome r = run(base({"--format", "qif", "-o", out.file("plain")}));
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "Cannot create folder " + out.file("plain") + ".\n");
    EXPECT_EQ(ReadFileBytes(out.file("plain")), "p");
}

TEST_F(FinanceCliTest, SelectionOptionsSelectAsTheMoneyViewDoes) {
    ListingChoices c;
    c.category = 2; // Business
    c.filterOn = true;
    c.filter.On = true;
    c.filter.Pay = "Cash";
    c.filter.FromOn = c.filter.ToOn = true;
    c.filter.From = {2002, 1, 1};
    c.filter.To = {2002, 3, 31};
    const finance::Result want = expected(finance::Format::Csv, c);
    const Outcome r = run(base({"--format", "csv", "--category", "Business", "--pay", "Cash",
                                "--from", "2002-01-01", "--to", "2002-03-31"}));
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, want.files[0].bytes);
    EXPECT_EQ(want.transactions, 2);
    EXPECT_NE(r.err.find("2 transactions written"), std::string::npos);
}

TEST_F(FinanceCliTest, ANoteComesBeforeTheSummary) {
    const Outcome r = run(base({"--format", "csv", "--from", "2002-01-01"}));
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err, "ledra-export: note: --from without --to: no date test is made\n"
                     "ledra-export: 1 file written, 9 transactions written, 0 records left "
                     "out\n");
}

} // namespace
