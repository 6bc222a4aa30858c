// ledra-export --format periods: the chart's sums per period as CSV, and what does not go
// with it.

#include "ExportCli.h"
#include "ExportFixture.h"
#include "TempDir.h"
#include "platform/Regional.h"
#include "platform/UserDirectory.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <sstream>

namespace {

struct Outcome {
    int status = -1;
    std::string out, err;
};

class ExportPeriodsTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetRegionalFormats(CFormats());
        richData().write(root.path(), "alice");
    }
    void TearDown() override { userdir::SetRootOverride(""); }

    Outcome run(std::vector<std::string> args) const {
        args.insert(args.begin(), {"--root", root.path(), "--user", "alice"});
        std::ostringstream out, err;
        Outcome r;
        r.status = ledraexport::RunExport(args, out, err);
        r.out = out.str();
        r.err = err.str();
        return r;
    }

    TempDir root;
};

std::string csv(const std::vector<std::string>& lines) {
    std::string s;
    for (const std::string& l : lines)
        s += l + "\r\n";
    return s;
}

TEST_F(ExportPeriodsTest, SumsPerPeriodInCalendarOrder) {
    // The fixture: EUR at home, USD at 0.9, GBP at 0.8; a January record stored after April.
    struct Case {
        const char* name;
        std::vector<std::string> args;
        std::vector<std::string> lines; // after the header
    };
    const std::vector<Case> cases = {
        {"months by default",
         {"--format", "periods"},
         {"2001-12,1500.00,0.00,1500.00,EUR", "2002-01,0.00,-51.39,-51.39,EUR",
          "2002-02,0.00,-450.00,-450.00,EUR", "2002-03,1600.00,0.00,1600.00,EUR",
          "2002-04,0.00,-10.00,-10.00,EUR"}},
        {"quarters, with --view money",
         {"--view", "money", "--format", "periods", "--mode", "quarter"},
         {"2001-Q4,1500.00,0.00,1500.00,EUR", "2002-Q1,1600.00,-501.39,1098.61,EUR",
          "2002-Q2,0.00,-10.00,-10.00,EUR"}},
        {"years",
         {"--format=periods", "--mode=year"},
         {"2001,1500.00,0.00,1500.00,EUR", "2002,1600.00,-511.39,1088.61,EUR"}},
        {"in the display currency as the total display converts",
         {"--format", "periods", "--mode", "year", "--display", "USD"},
         {"2001,1350.00,0.00,1350.00,USD", "2002,1440.00,-460.25,979.75,USD"}},
        {"one category, empty months present",
         {"--format", "periods", "--category", "Business"},
         {"2002-01,0.00,-12.50,-12.50,EUR", "2002-02,0.00,0.00,0.00,EUR",
          "2002-03,0.00,0.00,0.00,EUR", "2002-04,0.00,-10.00,-10.00,EUR"}},
        {"a filter that leaves one period",
         {"--format", "periods", "--from", "2002-02-01", "--to", "2002-02-28"},
         {"2002-02,0.00,-450.00,-450.00,EUR"}},
        {"a filter that leaves none", {"--format", "periods", "--pay", "Nothing"}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Outcome r = run(c.args);
        EXPECT_EQ(r.status, 0) << r.err;
        std::vector<std::string> lines{"Period,Income,Expense,Net,Currency"};
        lines.insert(lines.end(), c.lines.begin(), c.lines.end());
        EXPECT_EQ(r.out, csv(lines));
        EXPECT_EQ(r.err, "");
    }
}

TEST_F(ExportPeriodsTest, OutputFileHoldsTheSameBytes) {
    const std::string file = root.file("periods.csv");
    const Outcome shown = run({"--format", "periods", "--mode", "quarter"});
    const Outcome written = run({"--format", "periods", "--mode", "quarter", "-o", file});
    EXPECT_EQ(written.status, 0);
    EXPECT_EQ(written.out, "");
    std::ifstream in(file, std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), shown.out);
}

TEST_F(ExportPeriodsTest, NotesGoToStandardError) {
    const Outcome unknown = run({"--format", "periods", "--mode", "year", "--display", "XYZ"});
    EXPECT_EQ(unknown.status, 0);
    EXPECT_NE(unknown.out.find("1088.61,EUR\r\n"), std::string::npos) << unknown.out;
    EXPECT_NE(unknown.err.find("no currency has the code \"XYZ\""), std::string::npos);

    UserData damaged = richData();
    damaged.add(PackDate(2002, 2, 30), 1, 1, -99.0); // no calendar day
    damaged.write(root.path(), "alice");
    const Outcome left = run({"--format", "periods", "--mode", "year"});
    EXPECT_EQ(left.status, 0);
    EXPECT_NE(left.out.find("2002,1600.00,-511.39,"), std::string::npos) << left.out;
    EXPECT_NE(left.err.find("1 record(s) without a calendar day left out"), std::string::npos);
}

TEST_F(ExportPeriodsTest, OptionsThatDoNotGoWithPeriodsAreUsageErrors) {
    struct Case {
        std::vector<std::string> args;
        const char* message;
    };
    for (const Case& c : std::vector<Case>{
             {{"--format", "periods", "--mode", "chrono"}, "not chrono"},
             {{"--format", "periods", "--flow", "in"}, "--flow does not go"},
             {{"--format", "periods", "--total"}, "--total does not go"},
             {{"--format", "periods", "--no-header"}, "--no-header does not go"},
             {{"--format", "periods", "--view", "types"}, "money view only"},
             {{"--format", "table"}, "unknown format"},
             {{"--format", "periods", "--format", "view"}, "more than once"},
         }) {
        SCOPED_TRACE(c.message);
        const Outcome r = run(c.args);
        EXPECT_EQ(r.status, 2);
        EXPECT_EQ(r.out, "");
        EXPECT_NE(r.err.substr(0, r.err.find('\n')).find(c.message), std::string::npos) << r.err;
        EXPECT_NE(r.err.find(ledraexport::UsageText()), std::string::npos);
    }
    // The list format is the default and keeps needing its view.
    EXPECT_EQ(run({"--format", "view"}).status, 2);
    EXPECT_EQ(run({"--format", "view", "--view", "money"}).status, 0);
}

} // namespace
