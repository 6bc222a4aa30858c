// LibreOffice Calc's text import, with its defaults on a UTF-8 desktop, reads our csv table
// with amounts as numbers, days as dates and accented letters and the euro sign right. Calc
// runs headless and converts the table into its flat XML form, whose cells name their types.

#include "HandheldData.h"
#include "PdbWriter.h"
#include "TempDir.h"
#include "finance/FinanceExport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <regex>

using namespace finance;

namespace {

struct Cell {
    std::string type; // office:value-type; empty for an empty cell
    std::string value;
    std::string text; // paragraphs joined by "\n"
};
using Row = std::vector<Cell>;

std::string attribute(const std::string& attrs, const std::string& name) {
    const std::regex re(name + "=\"([^\"]*)\"");
    std::smatch m;
    return std::regex_search(attrs, m, re) ? m[1].str() : std::string();
}

std::string unescapeXml(std::string s) {
    const std::pair<const char*, const char*> entities[] = {
        {"&quot;", "\""}, {"&apos;", "'"}, {"&lt;", "<"}, {"&gt;", ">"}, {"&amp;", "&"}};
    for (const auto& [from, to] : entities)
        for (std::size_t at = s.find(from); at != std::string::npos; at = s.find(from, at + 1))
            s.replace(at, std::strlen(from), to);
    return s;
}

// The rows of the first table of a flat XML spreadsheet.
std::vector<Row> rowsOf(const std::string& xml) {
    std::vector<Row> rows;
    const std::regex rowRe("<table:table-row[^>]*>([\\s\\S]*?)</table:table-row>");
    const std::regex cellRe("<table:table-cell([^>]*?)(/>|>([\\s\\S]*?)</table:table-cell>)");
    const std::regex paraRe("<text:p>([\\s\\S]*?)</text:p>");
    for (std::sregex_iterator r(xml.begin(), xml.end(), rowRe), end; r != end; ++r) {
        Row row;
        const std::string body = (*r)[1].str();
        for (std::sregex_iterator c(body.begin(), body.end(), cellRe); c != end; ++c) {
            const std::string attrs = (*c)[1].str();
            Cell cell;
            cell.type = attribute(attrs, "office:value-type");
            cell.value =
                attribute(attrs, cell.type == "date" ? "office:date-value" : "office:value");
            const std::string inner = (*c)[3].str();
            for (std::sregex_iterator p(inner.begin(), inner.end(), paraRe); p != end; ++p)
                cell.text += (cell.text.empty() ? "" : "\n") + unescapeXml((*p)[1].str());
            const std::string repeated = attribute(attrs, "table:number-columns-repeated");
            const int times = repeated.empty() ? 1 : std::min(std::stoi(repeated), 16);
            for (int k = 0; k < times; ++k)
                row.push_back(cell);
        }
        rows.push_back(std::move(row));
    }
    return rows;
}

TEST(CalcReadBack, CalcReadsNumbersDatesAndAccents) {
    if (std::system("command -v soffice >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "soffice not found (Debian libreoffice-calc-nogui): the csv table is "
                        "not read back by LibreOffice Calc";

    HandheldData d;
    d.types = {{1, "Caf\xE9"}, {2, "Salary"}};
    d.payments = {{1, "Cash"}, {2, "Card, Visa"}};
    d.labels = {"Unfiled", "B\xFCro"};
    d.add(PackDate(2002, 1, 3), 1, 2, -12.5, 1, "Caf\xE9 \x80 \"Sonne\", hot", 1);
    d.add(PackDate(2002, 12, 31), 2, 1, 1234567.89, 2, "Pay\r\nday");
    d.add(PackDate(1999, 2, 28), 1, 1, -0.05, 1, "\x80 5");
    TempDir dir;
    d.write(dir.path());
    cPDB money, types, payment, currency;
    ASSERT_EQ(money.Open(dir.file("Ledra_Money.PDB")), 0);
    ASSERT_EQ(types.Open(dir.file("Ledra_Types.PDB")), 0);
    ASSERT_EQ(payment.Open(dir.file("Ledra_Payment.PDB")), 0);
    ASSERT_EQ(currency.Open(dir.file("Ledra_Currency.PDB")), 0);
    const Result r = Build(Format::Csv, Select(money, types, payment, currency,
                                               CategoryInfo::fromDatabase(money), {}));
    WriteFileBytes(dir.file("money.csv"), Bytes(r.files[0].bytes.begin(), r.files[0].bytes.end()));

    // A UTF-8 desktop: the locale's character set is what the import's default takes.
    const std::string command =
        "cd '" + dir.path() + "' && env -u LANGUAGE LC_ALL=C.UTF-8 LANG=C.UTF-8 HOME='" +
        dir.path() + "' soffice --headless -env:UserInstallation=file://" + dir.path() +
        "/profile --infilter='Text - txt - csv (StarCalc):44,34,0,1' --convert-to fods "
        "--outdir '" +
        dir.path() + "/out' money.csv >calc.log 2>&1";
    ASSERT_EQ(std::system(command.c_str()), 0) << ReadFileBytes(dir.file("calc.log"));
    const std::vector<Row> rows = rowsOf(ReadFileBytes(dir.file("out/money.fods")));
    ASSERT_GE(rows.size(), 4u) << ReadFileBytes(dir.file("calc.log"));

    EXPECT_EQ(rows[0][0].text, "Date");
    EXPECT_EQ(rows[0][9].text, "Id");
    struct Expected {
        const char* date;
        const char* type;
        const char* payment;
        const char* memo;
        const char* amount;
        const char* label;
    };
    const Expected expected[] = {
        {"2002-01-03", "Caf\xC3\xA9", "Card, Visa", "Caf\xC3\xA9 \xE2\x82\xAC \"Sonne\", hot",
         "-12.5", "B\xC3\xBCro"},
        {"2002-12-31", "Salary", "Cash", "Pay\nday", "1234567.89", "Unfiled"},
        {"1999-02-28", "Caf\xC3\xA9", "Cash", "\xE2\x82\xAC 5", "-0.05", "Unfiled"},
    };
    for (std::size_t i = 0; i < std::size(expected); ++i) {
        SCOPED_TRACE(i);
        const Row& row = rows[i + 1];
        ASSERT_GE(row.size(), 10u);
        EXPECT_EQ(row[0].type, "date");
        EXPECT_EQ(row[0].value, expected[i].date);
        EXPECT_EQ(row[1].text, expected[i].type);
        EXPECT_EQ(row[2].text, expected[i].payment);
        EXPECT_EQ(row[3].text, expected[i].label);
        EXPECT_EQ(row[4].type, "string");
        EXPECT_EQ(row[4].text, expected[i].memo);
        EXPECT_EQ(row[5].type, "float");
        EXPECT_EQ(row[5].value, expected[i].amount);
        EXPECT_EQ(row[7].type, "float");
        EXPECT_EQ(row[9].text, "LD-00000" + std::to_string(i + 1));
    }
}

} // namespace
