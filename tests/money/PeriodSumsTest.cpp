#include "money/PeriodSums.h"
#include "MoneyData.h"
#include "TempDir.h"
#include "platform/Regional.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

struct Summed {
    TempDir dir;
    OpenDatabases db;
    CurrencyTable shared;
    CategoryInfo cats;

    explicit Summed(const MoneyData& data) {
        SetRegionalFormats(CFormats());
        data.write(dir.path());
        db.open(dir.path());
        cats = CategoryInfo::fromDatabase(db.money);
    }
    PeriodSums sum(Period period, const ListingChoices& c = {}) {
        return SumPeriods(db.money, db.types, db.payment, db.currency, shared, c, period);
    }
    MoneyListing list(const ListingChoices& c) {
        return FillList(db.money, db.types, db.payment, db.currency, shared, cats, c);
    }
};

// "key income expense" per period, amounts as the list shows them.
std::vector<std::string> lines(const PeriodSums& s) {
    std::vector<std::string> out;
    for (const PeriodSum& p : s.periods)
        out.push_back(PeriodKey(s.period, p) + " " + FormatAmount(p.income) + " " +
                      FormatAmount(p.expense));
    return out;
}

struct Rec {
    int y, m, d;
    double amount;
};

TEST(PeriodSumsTest, PeriodsAreMergedAndInCalendarOrder) {
    struct Case {
        const char* name;
        Period period;
        std::vector<Rec> records;
        std::vector<std::string> expected;
    };
    const std::vector<Case> cases = {
        {"two records of one month, then the next",
         Period::Month,
         {{2002, 1, 3, 10.0}, {2002, 1, 20, -4.0}, {2002, 2, 5, 1.0}},
         {"2002-01 10.00 -4.00", "2002-02 1.00 0.00"}},
        {"January, February and January again give one January",
         Period::Month,
         {{2002, 1, 3, 10.0}, {2002, 2, 5, -1.0}, {2002, 1, 20, 5.0}},
         {"2002-01 15.00 0.00", "2002-02 0.00 -1.00"}},
        {"stored backwards, listed forwards",
         Period::Year,
         {{2002, 6, 1, 2.0}, {2001, 6, 1, 1.0}},
         {"2001 1.00 0.00", "2002 2.00 0.00"}},
        {"an empty month between two is present as zero",
         Period::Month,
         {{2002, 1, 31, 1.0}, {2002, 4, 1, -1.0}},
         {"2002-01 1.00 0.00", "2002-02 0.00 0.00", "2002-03 0.00 0.00", "2002-04 0.00 -1.00"}},
        {"31 March and 1 April are different quarters",
         Period::Quarter,
         {{2002, 3, 31, 1.0}, {2002, 4, 1, 2.0}},
         {"2002-Q1 1.00 0.00", "2002-Q2 2.00 0.00"}},
        {"31 December and 1 January differ by the year",
         Period::Quarter,
         {{2001, 12, 31, 1.0}, {2002, 1, 1, 2.0}},
         {"2001-Q4 1.00 0.00", "2002-Q1 2.00 0.00"}},
        {"whole quarters over the span",
         Period::Quarter,
         {{2001, 11, 5, 1.0}, {2002, 8, 5, 2.0}},
         {"2001-Q4 1.00 0.00", "2002-Q1 0.00 0.00", "2002-Q2 0.00 0.00", "2002-Q3 2.00 0.00"}},
        {"a zero counts with the expense and changes nothing",
         Period::Year,
         {{2002, 5, 5, 0.0}},
         {"2002 0.00 0.00"}},
        {"the first and the last year a packed date holds",
         Period::Year,
         {{2031, 12, 31, 1.0}, {1904, 1, 1, -1.0}},
         {}}, // filled below: 128 years
        {"a single record", Period::Month, {{2002, 5, 17, 3.0}}, {"2002-05 3.00 0.00"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MoneyData data;
        for (const Rec& r : c.records)
            data.add(PackDate(r.y, r.m, r.d), 1, 1, r.amount);
        Summed s(data);
        const PeriodSums sums = s.sum(c.period);
        if (c.expected.empty()) {
            ASSERT_EQ(sums.periods.size(), 128u);
            EXPECT_EQ(lines(sums).front(), "1904 0.00 -1.00");
            EXPECT_EQ(lines(sums).back(), "2031 1.00 0.00");
        } else {
            EXPECT_EQ(lines(sums), c.expected);
        }
        EXPECT_EQ(sums.selected, static_cast<int>(c.records.size()));
        EXPECT_EQ(sums.undated, 0);
    }
}

TEST(PeriodSumsTest, ConvertsAsTheAmountStepAndTheTotalDisplay) {
    // Home in slot 1, slot 2 at 0.9: -20 there is -22.22 at home; 77.78 home, 70.00 shown.
    MoneyData data;
    data.add(PackDate(2002, 3, 1), 2, 1, 100.0, 1);
    data.add(PackDate(2002, 3, 2), 1, 1, -20.0, 2);
    Summed s(data);
    const PeriodSums sums = s.sum(Period::Month);
    ASSERT_EQ(sums.periods.size(), 1u);
    EXPECT_EQ(sums.home, 1);
    EXPECT_EQ(FormatAmount(sums.periods[0].expense), "-22.22");
    EXPECT_EQ(FormatAmount(sums.periods[0].net()), "77.78");
    EXPECT_DOUBLE_EQ(DisplayRate(s.shared, 2, sums.home), 0.9);
    EXPECT_DOUBLE_EQ(DisplayRate(s.shared, 1, sums.home), 1.0);
    EXPECT_EQ(PeriodCsvLines(sums, DisplayRate(s.shared, 2, sums.home), "USD"),
              (std::vector<std::string>{"Period,Income,Expense,Net,Currency",
                                        "2002-03,90.00,-20.00,70.00,USD"}));
    EXPECT_EQ(PeriodCsvLines(sums, 1.0, "EUR").at(1), "2002-03,100.00,-22.22,77.78,EUR");
    // The total display's own text for the same choice.
    EXPECT_EQ(
        TotalText(sums.IncomeTotal, sums.ExpenseTotal, FlowChoice::InOut, s.shared, 2, sums.home),
        "70.00");
}

TEST(PeriodSumsTest, DisplayRateThatCannotConvertLeavesTheHomeAmounts) {
    CurrencyTable t{};
    t.slot[2].Rate = 0.0;
    t.slot[3].Rate = 2.5;
    EXPECT_DOUBLE_EQ(DisplayRate(t, 2, 1), 1.0);
    EXPECT_DOUBLE_EQ(DisplayRate(t, 3, 1), 2.5);
    EXPECT_DOUBLE_EQ(DisplayRate(t, 3, 3), 1.0);
    EXPECT_DOUBLE_EQ(DisplayRate(t, 11, 1), 1.0);
}

TEST(PeriodSumsTest, SelectionIsTheListsCategoryAndFilter) {
    MoneyData data;
    data.add(PackDate(2002, 1, 5), 1, 1, -1.0, 1, "", 0);
    data.add(PackDate(2002, 2, 5), 2, 2, 2.0, 2, "", 2);
    data.add(PackDate(2002, 3, 5), 1, 2, -4.0, 1, "", 2);
    data.add(PackDate(2002, 4, 5), 2, 1, 8.0, 1, "", 0); // the last record
    Summed s(data);
    struct Case {
        const char* name;
        ListingChoices c;
        std::vector<std::string> expected;
    };
    const auto with = [](auto change) {
        ListingChoices c;
        change(c);
        return c;
    };
    const std::vector<Case> cases = {
        {"everything", {}, {"2002-Q1 2.22 -5.00", "2002-Q2 8.00 0.00"}},
        {"the last record rejected by the filter",
         with([](ListingChoices& c) {
             c.filterOn = true;
             c.filter.Trans = "Food";
         }),
         {"2002-Q1 0.00 -5.00"}},
        {"one category", with([](ListingChoices& c) { c.category = 2; }), {"2002-Q1 2.22 -4.00"}},
        {"no category entry selected",
         with([](ListingChoices& c) { c.category = kNoCategory; }),
         {}},
        {"the flow removes none",
         with([](ListingChoices& c) { c.flow = FlowChoice::In; }),
         {"2002-Q1 2.22 -5.00", "2002-Q2 8.00 0.00"}},
        {"a filter that leaves nothing",
         with([](ListingChoices& c) {
             c.filterOn = true;
             c.filter.Pay = "Nothing";
         }),
         {}},
        {"a date range of one day",
         with([](ListingChoices& c) {
             c.filterOn = true;
             c.filter.FromOn = c.filter.ToOn = true;
             c.filter.From = c.filter.To = {2002, 2, 5};
         }),
         {"2002-Q1 2.22 0.00"}},
        {"currency and payment",
         with([](ListingChoices& c) {
             c.filterOn = true;
             c.filter.Curr = "EUR";
             c.filter.Pay = "Card";
         }),
         {"2002-Q1 0.00 -4.00"}},
        {"the filter's texts while it is off",
         with([](ListingChoices& c) { c.filter.Trans = "Nothing"; }),
         {"2002-Q1 2.22 -5.00", "2002-Q2 8.00 0.00"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const PeriodSums sums = s.sum(Period::Quarter, c.c);
        EXPECT_EQ(lines(sums), c.expected);
        if (c.expected.empty()) {
            EXPECT_EQ(sums.selected, 0);
            EXPECT_EQ(sums.IncomeTotal, 0.0);
            EXPECT_EQ(sums.ExpenseTotal, 0.0);
            EXPECT_EQ(PeriodCsvLines(sums, 1.0, "EUR").size(), 1u); // the header alone
        }
        // The same records as the list: its totals over the same choices.
        ListingChoices grouped = c.c;
        grouped.mode = DisplayMode::ByQuarter;
        const MoneyListing l = s.list(grouped);
        EXPECT_DOUBLE_EQ(sums.IncomeTotal, l.IncomeTotal);
        EXPECT_DOUBLE_EQ(sums.ExpenseTotal, l.ExpenseTotal);
    }
}

TEST(PeriodSumsTest, RecordWithoutCalendarDayIsLeftOutAndCounted) {
    MoneyData data;
    data.add(PackDate(2002, 1, 5), 1, 1, 1.0);
    data.add(PackDate(2002, 13, 5), 1, 1, 50.0); // month bits that are no month
    data.add(PackDate(2002, 2, 30), 1, 1, 60.0); // past the month's end
    data.add(PackDate(2002, 3, 0), 1, 1, 70.0);  // day 0
    Summed s(data);
    const PeriodSums sums = s.sum(Period::Year);
    EXPECT_EQ(lines(sums), (std::vector<std::string>{"2002 1.00 0.00"}));
    EXPECT_EQ(sums.selected, 4);
    EXPECT_EQ(sums.undated, 3);
    EXPECT_EQ(sums.IncomeTotal, 1.0);
}

TEST(PeriodSumsTest, DamagedAmountsAndCurrenciesCountAsInTheList) {
    MoneyData data;
    data.currencies[3] = {"Zero", "ZZ", 0.0, false, true};
    data.add(PackDate(2002, 1, 5), 1, 1, std::nan(""), 1); // reads as 0
    data.add(PackDate(2002, 1, 5), 1, 1, 3.0, 3);          // a rate of 0 converts nothing
    data.add(PackDate(2002, 1, 5), 1, 1, 4.0, 12);         // no slot: unconverted
    data.add(PackDate(2002, 1, 5), 1, 1, 1e308, 1);
    data.add(PackDate(2002, 1, 5), 1, 1, 1e308, 1); // the sum stays finite
    Summed s(data);
    const PeriodSums sums = s.sum(Period::Month);
    ASSERT_EQ(sums.periods.size(), 1u);
    EXPECT_TRUE(std::isfinite(sums.periods[0].income));
    EXPECT_TRUE(std::isfinite(sums.periods[0].net()));
    EXPECT_EQ(sums.periods[0].expense, 0.0);
    EXPECT_EQ(sums.periods[0].count, 5);
    const MoneyListing l = s.list({});
    EXPECT_EQ(sums.IncomeTotal, l.IncomeTotal);
}

TEST(PeriodSumsTest, NamesOfThePeriods) {
    SetRegionalFormats(CFormats());
    const PeriodSum p{2002, 3};
    EXPECT_EQ(PeriodKey(Period::Month, p), "2002-03");
    EXPECT_EQ(PeriodKey(Period::Quarter, p), "2002-Q3");
    EXPECT_EQ(PeriodKey(Period::Year, {2002, 0}), "2002");
    EXPECT_EQ(PeriodCaption(Period::Month, p), "March 2002");
    EXPECT_EQ(PeriodCaption(Period::Quarter, p), "3 quarter of 2002");
    EXPECT_EQ(PeriodCaption(Period::Year, {2002, 0}), "Year 2002");
    EXPECT_EQ(PeriodOfMode(DisplayMode::Chronological), Period::Month);
    EXPECT_EQ(PeriodOfMode(DisplayMode::ByMonth), Period::Month);
    EXPECT_EQ(PeriodOfMode(DisplayMode::ByQuarter), Period::Quarter);
    EXPECT_EQ(PeriodOfMode(DisplayMode::ByYear), Period::Year);
}

TEST(PeriodSumsTest, CurrencyCodeIsWrittenAsUtf8AndQuotedWhenItMustBe) {
    PeriodSums sums;
    sums.period = Period::Year;
    sums.periods.push_back({2002, 0, 1.0, -0.5, 2});
    EXPECT_EQ(PeriodCsvLines(sums, 1.0, "\x80").at(1), "2002,1.00,-0.50,0.50,\xE2\x82\xAC");
    EXPECT_EQ(PeriodCsvLines(sums, 1.0, "A,\"").at(1), "2002,1.00,-0.50,0.50,\"A,\"\"\"");
}

TEST(PeriodSumsTest, FullDatabaseOverManyYears) {
    // 65,535 records spread over 30 years of months in an order unrelated to time.
    MoneyData data;
    constexpr int kRecords = 65535;
    for (int i = 0; i < kRecords; ++i) {
        const int month = (i * 7919) % 360; // every month of 1990..2019
        data.add(PackDate(1990 + month / 12, month % 12 + 1, 1 + i % 28), 1, 1,
                 i % 3 == 0 ? 2.0 : -1.0);
    }
    Summed s(data);
    const PeriodSums sums = s.sum(Period::Month);
    ASSERT_EQ(sums.periods.size(), 360u);
    EXPECT_EQ(PeriodKey(Period::Month, sums.periods.front()), "1990-01");
    EXPECT_EQ(PeriodKey(Period::Month, sums.periods.back()), "2019-12");
    int count = 0;
    for (const PeriodSum& p : sums.periods)
        count += p.count;
    EXPECT_EQ(count, kRecords);
    EXPECT_EQ(sums.selected, kRecords);
    EXPECT_DOUBLE_EQ(sums.IncomeTotal, 2.0 * 21845);
    EXPECT_DOUBLE_EQ(sums.ExpenseTotal, -1.0 * (kRecords - 21845));
    EXPECT_EQ(s.sum(Period::Year).periods.size(), 30u);
    EXPECT_EQ(s.sum(Period::Quarter).periods.size(), 120u);
}

} // namespace
