// libofx, the OFX parser that GnuCash, KMyMoney and HomeBank import with, reads every
// transaction of our OFX files back with its date, amount, id and currency, and the texts
// as written.

#include "HandheldData.h"
#include "PdbWriter.h"
#include "TempDir.h"
#include "finance/FinanceExport.h"

#include <gtest/gtest.h>
#include <libofx/libofx.h>

#include <cmath>
#include <cstdlib>
#include <ctime>
#include <map>

using namespace finance;

namespace {

struct ReadBack {
    double amount = NAN;
    std::string day, currency, name, memo;
    int count = 0;
};

struct Reader {
    std::map<std::string, ReadBack> byId;
    std::string statementCurrency;
};

int onTransaction(const OfxTransactionData data, void* p) {
    auto* reader = static_cast<Reader*>(p);
    const std::string id = data.fi_id_valid ? data.fi_id : "(no id)";
    ReadBack& r = reader->byId[id];
    ++r.count;
    if (data.amount_valid)
        r.amount = data.amount;
    if (data.date_posted_valid) {
        std::tm tm{};
        gmtime_r(&data.date_posted, &tm);
        char buf[16];
        std::strftime(buf, sizeof buf, "%Y-%m-%d", &tm);
        r.day = buf;
    }
    if (data.account_ptr && data.account_ptr->currency_valid)
        r.currency = data.account_ptr->currency;
    if (data.name_valid)
        r.name = data.name;
    if (data.memo_valid)
        r.memo = data.memo;
    return 0;
}

int onStatement(const OfxStatementData data, void* p) {
    if (data.currency_valid)
        static_cast<Reader*>(p)->statementCurrency = data.currency;
    return 0;
}

TEST(OfxReadBack, LibofxReadsEveryTransactionWithDateAmountIdAndCurrency) {
    // Dates without a time of day are read at a fixed hour; in UTC they stay on their day.
    setenv("TZ", "UTC", 1);
    tzset();

    HandheldData d;
    d.types = {{1, "Food & Drink"}, {2, "Salary"}};
    d.payments = {{1, "Cash"}, {2, "Visa <Card>"}};
    d.labels = {"Unfiled", "Caf\xE9"};
    d.currencies[3] = {"None", "", 1.0, false, false};
    for (int i = 0; i < 300; ++i) {
        const double amount = (i % 2 ? 1.0 : -1.0) * (i * 13.37 + 0.01);
        const std::string memo =
            i % 3 ? "Caf\xE9 \x80 \"No. " + std::to_string(i) + "\"\nnext" : std::string();
        d.add(PackDate(1995 + i % 20, 1 + i % 12, 1 + i % 28),
              static_cast<std::uint16_t>(1 + i % 2), static_cast<std::uint16_t>(1 + i % 3), amount,
              static_cast<std::uint8_t>(1 + i % 3), memo, static_cast<std::uint8_t>(i % 2));
    }
    d.add(PackDate(2002, 2, 30), 1, 1, -1.0);                           // left out: no calendar day
    d.add(PackDate(2002, 1, 1), 1, 1, -1.0, 14, std::string(300, 'x')); // currency 14: XXX
    TempDir dir;
    d.write(dir.path());
    cPDB money, types, payment, currency;
    ASSERT_EQ(money.Open(dir.file("Ledra_Money.PDB")), 0);
    ASSERT_EQ(types.Open(dir.file("Ledra_Types.PDB")), 0);
    ASSERT_EQ(payment.Open(dir.file("Ledra_Payment.PDB")), 0);
    ASSERT_EQ(currency.Open(dir.file("Ledra_Currency.PDB")), 0);
    const Selection sel =
        Select(money, types, payment, currency, CategoryInfo::fromDatabase(money), {});
    const Result result = Build(Format::Ofx, sel);
    ASSERT_EQ(result.leftOut.size(), 1u);
    ASSERT_EQ(WriteFiles(dir.file("ofx"), result), "");

    Reader reader;
    for (const File& f : result.files) {
        SCOPED_TRACE(f.name);
        Reader file;
        LibofxContextPtr ctx = libofx_get_new_context();
        ofx_set_transaction_cb(ctx, onTransaction, &file);
        ofx_set_statement_cb(ctx, onStatement, &file);
        EXPECT_EQ(libofx_proc_file(ctx, dir.file("ofx/" + f.name).c_str(), OFX), 0);
        libofx_free_context(ctx);
        EXPECT_EQ(static_cast<int>(file.byId.size()), f.transactions);
        EXPECT_EQ(file.statementCurrency, f.name.substr(f.name.size() - 7, 3));
        reader.byId.insert(file.byId.begin(), file.byId.end());
    }

    int checked = 0;
    for (const Transaction& t : sel.transactions) {
        const CalendarDay day = TransactionDay(t.date);
        if (!day.isValid())
            continue;
        SCOPED_TRACE(t.id);
        const auto it = reader.byId.find(t.id);
        ASSERT_NE(it, reader.byId.end());
        const ReadBack& r = it->second;
        EXPECT_EQ(r.count, 1);
        EXPECT_EQ(AmountText(r.amount), AmountText(t.amount));
        char want[16];
        std::snprintf(want, sizeof want, "%04d-%02d-%02d", day.year, day.month, day.day);
        EXPECT_EQ(r.day, want);
        EXPECT_EQ(r.currency, t.currency);
        ++checked;
    }
    EXPECT_EQ(checked, 301);
    EXPECT_EQ(static_cast<int>(reader.byId.size()), 301);

    // Texts come back as UTF-8, entities resolved, within OFX's lengths.
    const ReadBack& accented = reader.byId.at("LD-000002");
    EXPECT_EQ(accented.name, "Caf\xC3\xA9 \xE2\x82\xAC \"No. 1\" next");
    EXPECT_EQ(accented.memo, "Salary | Caf\xC3\xA9 | Caf\xC3\xA9 \xE2\x82\xAC \"No. 1\" next");
    EXPECT_EQ(reader.byId.at("LD-000001").name, "Food & Drink");
    EXPECT_EQ(reader.byId.at("LD-00012E").currency, "XXX");
    EXPECT_EQ(reader.byId.at("LD-00012E").name, std::string(32, 'x'));
    EXPECT_LE(reader.byId.at("LD-00012E").memo.size(), 255u);
}

} // namespace
