#include "money/MoneyListing.h"
#include "MoneyData.h"
#include "TempDir.h"
#include "platform/Regional.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstdio>
#include <limits>

namespace {

using Row = std::vector<std::string>;

// Writes the data, opens it and lists it; the regional formats are pinned to the C ones.
struct Listing {
    TempDir dir;
    OpenDatabases db;
    CurrencyTable shared;
    CategoryInfo cats;

    explicit Listing(const MoneyData& data) {
        SetRegionalFormats(CFormats());
        data.write(dir.path());
        db.open(dir.path());
        cats = CategoryInfo::fromDatabase(db.money);
    }
    MoneyListing fill(const ListingChoices& c) {
        return FillList(db.money, db.types, db.payment, db.currency, shared, cats, c);
    }
};

ListingChoices choices(DisplayMode mode, FlowChoice flow = FlowChoice::InOut) {
    ListingChoices c;
    c.mode = mode;
    c.flow = flow;
    return c;
}

std::vector<std::string> column(const MoneyListing& l, std::size_t k) {
    std::vector<std::string> out;
    for (const Row& r : l.table.rows)
        out.push_back(r.at(k));
    return out;
}

std::string total(const MoneyListing& l, FlowChoice flow, const CurrencyTable& t, int display) {
    return TotalText(l.IncomeTotal, l.ExpenseTotal, flow, t, display, l.home);
}

const std::uint16_t d0317 = PackDate(2002, 5, 17);

TEST(MoneyListingTest, ChronologicalRowHoldsTheRecordAsStored) {
    MoneyData data;
    data.add(d0317, 1, 2, -12.5, 2, "Bakery \x80", 2);
    data.add(d0317, 9, 9, 100.0, 1, "", 1); // unknown type and payment, empty label
    Listing l(data);
    const MoneyListing m = l.fill(choices(DisplayMode::Chronological));
    EXPECT_EQ(m.table.columns, (Row{"Date", "Transaction Type", "Amount", "Curr.", "Memo",
                                    "Payment Type", "Category"}));
    ASSERT_EQ(m.table.rows.size(), 2u);
    EXPECT_EQ(m.table.rows[0],
              (Row{"05/17/2002", "Food", "-12.50", "USD", "Bakery \x80", "Card", "Business"}));
    EXPECT_EQ(m.table.rows[1], (Row{"05/17/2002", "", "100.00", "EUR", "", "", ""}));
    EXPECT_EQ(m.home, 1);
    EXPECT_EQ(l.shared.slot[2].code(), "USD"); // the shared table was loaded afresh
}

TEST(MoneyListingTest, TypeNamesComeFromTheFirstRecordWithTheId) {
    MoneyData data;
    data.types = {{-1, "Negative"}, {5, "First"}, {5, "Second"}};
    data.payments = {{7, "Only"}};
    data.add(d0317, 5, 7, 1.0);
    data.add(d0317, 0xFFFF, 5, 1.0); // an Id with its top bit set is never found
    Listing l(data);
    const MoneyListing m = l.fill(choices(DisplayMode::Chronological));
    EXPECT_EQ(column(m, 1), (std::vector<std::string>{"First", ""}));
    EXPECT_EQ(column(m, 5), (std::vector<std::string>{"Only", ""}));
}

TEST(MoneyListingTest, FlowChoiceFiltersOnlyTheChronologicalMode) {
    MoneyData data;
    data.add(d0317, 1, 1, 0.0);
    data.add(d0317, 1, 1, 12.5);
    data.add(d0317, 1, 1, -3.0);
    Listing l(data);
    struct Case {
        DisplayMode mode;
        FlowChoice flow;
        std::vector<std::string> amounts;
        std::string total;
    };
    for (const Case& c : {
             Case{DisplayMode::Chronological, FlowChoice::In, {"0.00", "12.50"}, "12.50"},
             Case{DisplayMode::Chronological, FlowChoice::Out, {"0.00", "-3.00"}, "-3.00"},
             Case{
                 DisplayMode::Chronological, FlowChoice::InOut, {"0.00", "12.50", "-3.00"}, "9.50"},
             // Grouped: every record counts, the flow picks the sum shown.
             Case{DisplayMode::ByMonth, FlowChoice::In, {"12.50"}, "12.50"},
             Case{DisplayMode::ByMonth, FlowChoice::Out, {"-3.00"}, "-3.00"},
             Case{DisplayMode::ByMonth, FlowChoice::InOut, {"9.50"}, "9.50"},
         }) {
        SCOPED_TRACE(static_cast<int>(c.mode) * 10 + static_cast<int>(c.flow));
        const MoneyListing m = l.fill(choices(c.mode, c.flow));
        EXPECT_EQ(column(m, 2), c.amounts);
        EXPECT_EQ(total(m, c.flow, l.shared, 1), c.total);
    }
}

TEST(MoneyListingTest, GroupsFollowStorageOrderAndPeriodBoundaries) {
    struct Case {
        const char* name;
        DisplayMode mode;
        std::vector<std::pair<std::uint16_t, double>> records;
        std::vector<std::string> captions;
        std::vector<std::string> amounts;
    };
    const std::vector<Case> cases = {
        {"month",
         DisplayMode::ByMonth,
         {{PackDate(2002, 1, 3), 10}, {PackDate(2002, 1, 20), -4}, {PackDate(2002, 2, 5), 1}},
         {"January 2002", "February 2002"},
         {"6.00", "1.00"}},
        {"month boundary",
         DisplayMode::ByMonth,
         {{PackDate(2002, 1, 31), 1}, {PackDate(2002, 2, 1), 2}},
         {"January 2002", "February 2002"},
         {"1.00", "2.00"}},
        {"month recurs after another",
         DisplayMode::ByMonth,
         {{PackDate(2002, 1, 3), 1}, {PackDate(2002, 2, 3), 2}, {PackDate(2002, 1, 9), 4}},
         {"January 2002", "February 2002", "January 2002"},
         {"1.00", "2.00", "4.00"}},
        {"same month, other year",
         DisplayMode::ByMonth,
         {{PackDate(2001, 3, 3), 1}, {PackDate(2002, 3, 3), 2}},
         {"March 2001", "March 2002"},
         {"1.00", "2.00"}},
        {"quarter boundary",
         DisplayMode::ByQuarter,
         {{PackDate(2002, 1, 1), 1}, {PackDate(2002, 3, 31), 2}, {PackDate(2002, 4, 1), 4}},
         {"1 quarter of 2002", "2 quarter of 2002"},
         {"3.00", "4.00"}},
        {"quarter across the year",
         DisplayMode::ByQuarter,
         {{PackDate(2001, 12, 31), 1}, {PackDate(2002, 1, 1), 2}},
         {"4 quarter of 2001", "1 quarter of 2002"},
         {"1.00", "2.00"}},
        {"year",
         DisplayMode::ByYear,
         {{PackDate(2001, 12, 31), 1}, {PackDate(2002, 1, 1), 2}, {PackDate(2002, 12, 31), 4}},
         {"Year 2001", "Year 2002"},
         {"1.00", "6.00"}},
        {"single record",
         DisplayMode::ByYear,
         {{PackDate(1904, 1, 1), -1}},
         {"Year 1904"},
         {"-1.00"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MoneyData data;
        for (auto [date, amount] : c.records)
            data.add(date, 1, 1, amount);
        Listing l(data);
        const MoneyListing m = l.fill(choices(c.mode));
        EXPECT_EQ(column(m, 0), c.captions);
        EXPECT_EQ(column(m, 2), c.amounts);
        for (const Row& r : m.table.rows)
            EXPECT_EQ(r, (Row{r[0], " ", r[2], "EUR", " ", " ", " "}));
    }
}

TEST(MoneyListingTest, GroupSumsPerFlowChoice) {
    MoneyData data;
    data.add(PackDate(2002, 6, 1), 2, 1, 100.0);
    data.add(PackDate(2002, 6, 2), 1, 1, -30.0);
    data.add(PackDate(2002, 7, 2), 1, 1, -5.0);
    Listing l(data);
    EXPECT_EQ(column(l.fill(choices(DisplayMode::ByMonth, FlowChoice::InOut)), 2),
              (std::vector<std::string>{"70.00", "-5.00"}));
    EXPECT_EQ(column(l.fill(choices(DisplayMode::ByMonth, FlowChoice::Out)), 2),
              (std::vector<std::string>{"-30.00", "-5.00"}));
    EXPECT_EQ(column(l.fill(choices(DisplayMode::ByMonth, FlowChoice::In)), 2),
              (std::vector<std::string>{"100.00", "0.00"}));
}

TEST(MoneyListingTest, RejectedRecordsNeitherSplitGroupsNorLoseTheLastGroup) {
    MoneyData data;
    data.add(PackDate(2002, 1, 5), 1, 1, -1.0);
    data.add(PackDate(2002, 1, 6), 2, 1, 50.0); // rejected in the middle of January
    data.add(PackDate(2002, 1, 9), 1, 1, -2.0);
    data.add(PackDate(2002, 2, 1), 2, 1, 80.0); // the last record, rejected
    Listing l(data);
    for (DisplayMode mode : {DisplayMode::ByMonth, DisplayMode::ByQuarter, DisplayMode::ByYear}) {
        ListingChoices c = choices(mode);
        c.filterOn = true;
        c.filter.Trans = "Food";
        const MoneyListing m = l.fill(c);
        ASSERT_EQ(m.table.rows.size(), 1u);
        EXPECT_EQ(m.table.rows[0][2], "-3.00");
        EXPECT_EQ(m.ExpenseTotal, -3.0);
        EXPECT_EQ(m.IncomeTotal, 0.0);
    }
}

TEST(MoneyListingTest, NothingAcceptedGivesNoRowsAndZeroTotal) {
    MoneyData data;
    data.add(d0317, 1, 1, 5.0);
    Listing l(data);
    for (DisplayMode mode : {DisplayMode::Chronological, DisplayMode::ByMonth}) {
        ListingChoices c = choices(mode);
        c.category = kNoCategory;
        const MoneyListing m = l.fill(c);
        EXPECT_TRUE(m.table.rows.empty());
        EXPECT_EQ(total(m, FlowChoice::InOut, l.shared, 2), "0.00");
    }
    MoneyData empty;
    Listing e(empty);
    const MoneyListing m = e.fill(choices(DisplayMode::ByYear));
    EXPECT_TRUE(m.table.rows.empty());
    EXPECT_EQ(m.table.columns.size(), 7u);
    EXPECT_EQ(total(m, FlowChoice::InOut, e.shared, 1), "0.00");
}

TEST(MoneyListingTest, ConversionIntoHomeAndDisplayCurrency) {
    MoneyData data; // home EUR in slot 1, USD in slot 2 at 0.9
    data.add(d0317, 2, 1, 100.0, 1);
    data.add(d0317, 1, 1, -20.0, 2);
    Listing l(data);
    const MoneyListing m = l.fill(choices(DisplayMode::Chronological));
    EXPECT_EQ(column(m, 2), (std::vector<std::string>{"100.00", "-20.00"})); // unconverted
    EXPECT_EQ(column(m, 3), (std::vector<std::string>{"EUR", "USD"}));
    EXPECT_DOUBLE_EQ(m.ExpenseTotal, -20.0 * (1.0 / 0.9));
    EXPECT_EQ(total(m, FlowChoice::InOut, l.shared, 1), "77.78");
    EXPECT_EQ(total(m, FlowChoice::InOut, l.shared, 2), "70.00");
    EXPECT_EQ(total(m, FlowChoice::Out, l.shared, 1), "-22.22");
    EXPECT_EQ(total(m, FlowChoice::In, l.shared, 2), "90.00");
    // Group rows are in the home currency and name it.
    const MoneyListing y = l.fill(choices(DisplayMode::ByYear));
    EXPECT_EQ(y.table.rows.at(0)[2], "77.78");
    EXPECT_EQ(y.table.rows.at(0)[3], "EUR");
}

TEST(MoneyListingTest, WithoutHomeCurrencySlotZeroIsHome) {
    MoneyData data;
    data.currencies[0] = {"Zero", "ZZ", 4.0, false, false};
    data.currencies[1] = {"Euro", "EUR", 2.0, false, true};
    data.currencies[2] = {"US Dollar", "USD", 0.5, false, true};
    data.add(d0317, 1, 1, 10.0, 0);
    data.add(d0317, 1, 1, 10.0, 1);
    data.add(d0317, 1, 1, 10.0, 2);
    Listing l(data);
    const MoneyListing m = l.fill(choices(DisplayMode::ByYear));
    EXPECT_EQ(m.home, 0);
    EXPECT_DOUBLE_EQ(m.IncomeTotal, 10.0 + 5.0 + 20.0);
    EXPECT_EQ(m.table.rows.at(0)[3], "ZZ");
    EXPECT_EQ(total(m, FlowChoice::InOut, l.shared, 0), "35.00");
    EXPECT_EQ(total(m, FlowChoice::InOut, l.shared, 1), "70.00");
}

TEST(MoneyListingTest, FavouritesAndDisplayCurrencyMatching) {
    CurrencyTable t{};
    const auto set = [&](int k, const char* code, bool fav) {
        std::snprintf(t.slot[k].Code, sizeof t.slot[k].Code, "%s", code);
        t.slot[k].Favorite = fav ? 1 : 0;
    };
    set(0, "ZZ", true); // slot 0 is never offered nor matched
    set(3, "GBP", true);
    set(5, "GBP", false);
    set(7, "CHF", true);
    const auto items = FavoriteItems(t);
    for (int j = 0; j < 10; ++j) {
        SCOPED_TRACE(j);
        EXPECT_EQ(items[j].visible, j == 2 || j == 6);
    }
    EXPECT_EQ(items[2].caption, "GBP");
    EXPECT_EQ(items[6].caption, "CHF");

    EXPECT_EQ(MatchDisplayCurrency(t, "GBP", 1), 5); // the last equal code wins
    EXPECT_EQ(MatchDisplayCurrency(t, "CHF", 1), 7);
    EXPECT_EQ(MatchDisplayCurrency(t, "ZZ", 1), 1);
    EXPECT_EQ(MatchDisplayCurrency(t, "gbp", 4), 4);
    EXPECT_EQ(MatchDisplayCurrency(t, "$$$", 2), 2);

    EXPECT_EQ(StripHotkey("&EUR"), "EUR");
    EXPECT_EQ(StripHotkey("&&R"), "&R");
    EXPECT_EQ(StripHotkey("R&D"), "R&D");
    EXPECT_EQ(StripHotkey(""), "");
}

TEST(MoneyListingTest, FilterTests) {
    MoneyData data;
    data.types.push_back({3, "food"});
    data.add(PackDate(2002, 2, 28), 1, 1, -1.0, 1); // 0
    data.add(PackDate(2002, 3, 1), 1, 2, -2.0, 2);  // 1
    data.add(PackDate(2002, 3, 1), 2, 1, 3.0, 1);   // 2
    data.add(PackDate(2002, 3, 2), 3, 2, -4.0, 2);  // 3
    data.add(PackDate(2002, 3, 31), 7, 1, -5.0, 1); // 4, unknown type
    Listing l(data);
    const CalendarDay mar1{2002, 3, 1}, mar31{2002, 3, 31};
    struct Case {
        const char* name;
        FilterSettings f;
        bool on;
        std::vector<std::string> amounts;
    };
    const auto filter = [](std::string trans, std::string pay, std::string curr) {
        FilterSettings f;
        f.Trans = std::move(trans);
        f.Pay = std::move(pay);
        f.Curr = std::move(curr);
        return f;
    };
    const auto dates = [](FilterSettings f, bool fromOn, CalendarDay from, bool toOn,
                          CalendarDay to) {
        f.FromOn = fromOn;
        f.From = from;
        f.ToOn = toOn;
        f.To = to;
        return f;
    };
    const FilterSettings any = filter("...", "...", "...");
    const std::vector<Case> cases = {
        {"nothing chosen", any, true, {"-1.00", "-2.00", "3.00", "-4.00", "-5.00"}},
        {"type", filter("Food", "...", "..."), true, {"-1.00", "-2.00"}},
        {"lower-case type is another name", filter("food", "...", "..."), true, {"-4.00"}},
        {"no such type", filter("Foo", "...", "..."), true, {}},
        {"empty type matches the unknown one", filter("", "...", "..."), true, {"-5.00"}},
        {"payment", filter("...", "Card", "..."), true, {"-2.00", "-4.00"}},
        {"currency", filter("...", "...", "USD"), true, {"-2.00", "-4.00"}},
        {"all three", filter("Food", "Card", "USD"), true, {"-2.00"}},
        {"filter off",
         filter("Nothing", "Nothing", "Nothing"),
         false,
         {"-1.00", "-2.00", "3.00", "-4.00", "-5.00"}},
        {"From and To the same day", dates(any, true, mar1, true, mar1), true, {"-2.00", "3.00"}},
        {"bounds included",
         dates(any, true, mar1, true, mar31),
         true,
         {"-2.00", "3.00", "-4.00", "-5.00"}},
        {"only From set",
         dates(any, true, mar31, false, mar1),
         true,
         {"-1.00", "-2.00", "3.00", "-4.00", "-5.00"}},
        {"only To set",
         dates(any, false, mar31, true, mar1),
         true,
         {"-1.00", "-2.00", "3.00", "-4.00", "-5.00"}},
        {"From after To", dates(any, true, mar31, true, mar1), true, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ListingChoices ch = choices(DisplayMode::Chronological);
        ch.filterOn = c.on;
        ch.filter = c.f;
        EXPECT_EQ(column(l.fill(ch), 2), c.amounts);
    }
}

TEST(MoneyListingTest, CategoryEntriesAndChoice) {
    MoneyData data; // labels Unfiled, "", Business
    data.add(d0317, 1, 1, 1.0, 1, "", 0);
    data.add(d0317, 1, 1, 2.0, 1, "", 2);
    data.add(d0317, 1, 1, 4.0, 1, "", 1);
    Listing l(data);
    const auto entries = CategoryEntries(l.cats);
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[0].text, "All");
    EXPECT_EQ(entries[0].category, kAllCategories);
    EXPECT_EQ(entries[1].text, "Unfiled");
    EXPECT_EQ(entries[1].category, 0);
    EXPECT_EQ(entries[2].text, "Business");
    EXPECT_EQ(entries[2].category, 2);

    EXPECT_EQ(FindCategoryEntry(entries, "Business"), 2);
    EXPECT_EQ(FindCategoryEntry(entries, "business"), -1);
    EXPECT_EQ(CategoryOfEntry(entries, -1), kNoCategory);
    EXPECT_EQ(CategoryOfEntry(entries, 3), kNoCategory);

    ListingChoices c = choices(DisplayMode::Chronological);
    c.category = CategoryOfEntry(entries, FindCategoryEntry(entries, "Business"));
    const MoneyListing m = l.fill(c);
    ASSERT_EQ(m.table.rows.size(), 1u);
    EXPECT_EQ(m.table.rows[0][2], "2.00");
    EXPECT_EQ(m.table.rows[0][6], "Business");
    c.category = kAllCategories;
    EXPECT_EQ(l.fill(c).table.rows.size(), 3u);
    c.category = 1; // a category without label still selects its records
    EXPECT_EQ(column(l.fill(c), 2), (std::vector<std::string>{"4.00"}));

    // Equal labels: the saved text picks the last of them.
    MoneyData twice;
    twice.labels = {"All", "Home", "Home"};
    Listing t(twice);
    const auto e2 = CategoryEntries(t.cats);
    EXPECT_EQ(FindCategoryEntry(e2, "Home"), 3);
    EXPECT_EQ(CategoryOfEntry(e2, FindCategoryEntry(e2, "All")), 0);
}

TEST(MoneyListingTest, FilterDescriptionTexts) {
    RegionalFormats formats = CFormats();
    formats.shortDate = "%d.%m.%Y";
    SetRegionalFormats(formats);
    const auto make = [](std::string trans, std::string pay, std::string curr, bool fromOn,
                         bool toOn) {
        FilterSettings f;
        f.Trans = std::move(trans);
        f.Pay = std::move(pay);
        f.Curr = std::move(curr);
        f.FromOn = fromOn;
        f.From = {2002, 3, 1};
        f.ToOn = toOn;
        f.To = {2002, 3, 31};
        return f;
    };
    struct Case {
        bool on;
        FilterSettings f;
        std::string text;
    };
    for (const Case& c : {
             Case{false, make("Food", "Cash", "EUR", true, true), "Filter is not active."},
             Case{true, make("...", "...", "...", false, false), "*, *, *"},
             Case{true, make("Food", "...", "EUR", true, true),
                  "Food, *, EUR, 01.03.2002   31.03.2002"},
             Case{true, make("...", "Cash", "EUR", true, false), "*, Cash, EUR"},
             Case{true, make("...", "...", "USD", false, true), "*, *, USD"},
             Case{true, make("", "", "", false, false), ", , "},
         }) {
        EXPECT_EQ(FilterDescription(c.on, c.f), c.text);
    }
    SetRegionalFormats(CFormats());
}

TEST(MoneyListingTest, DayThatIsNoCalendarDay) {
    MoneyData data;
    data.add(PackDate(2002, 13, 0), 1, 1, -7.0);
    data.add(PackDate(2002, 2, 30), 1, 1, -1.0);
    data.add(PackDate(2002, 0, 5), 1, 1, -2.0);
    Listing l(data);
    const MoneyListing m = l.fill(choices(DisplayMode::Chronological));
    EXPECT_EQ(column(m, 0), (std::vector<std::string>{"2002-13-00", "2002-02-30", "2002-00-05"}));
    EXPECT_EQ(m.ExpenseTotal, -10.0);

    EXPECT_EQ(column(l.fill(choices(DisplayMode::ByMonth)), 0),
              (std::vector<std::string>{"Month 13 2002", "February 2002", "Month 0 2002"}));
    // Months 13 and 0 share quarter 0; February is quarter 1.
    EXPECT_EQ(
        column(l.fill(choices(DisplayMode::ByQuarter)), 0),
        (std::vector<std::string>{"0 quarter of 2002", "1 quarter of 2002", "0 quarter of 2002"}));
    EXPECT_EQ(column(l.fill(choices(DisplayMode::ByYear)), 2),
              (std::vector<std::string>{"-10.00"}));

    // Such a day lies in no date range, however wide.
    ListingChoices c = choices(DisplayMode::Chronological);
    c.filterOn = true;
    c.filter.FromOn = c.filter.ToOn = true;
    c.filter.From = {1904, 1, 1};
    c.filter.To = {2031, 12, 31};
    EXPECT_TRUE(l.fill(c).table.rows.empty());
}

TEST(MoneyListingTest, CurrencyNumberAboveTen) {
    MoneyData data;
    data.currencies[2].rate = 4.0;
    data.add(d0317, 1, 1, -8.0, 11);
    data.add(d0317, 1, 1, -8.0, 2);
    Listing l(data);
    const MoneyListing m = l.fill(choices(DisplayMode::Chronological));
    EXPECT_EQ(m.table.rows.at(0)[3], "");
    EXPECT_EQ(m.ExpenseTotal, -8.0 + -2.0); // counted unconverted
    for (const char* curr : {"", "EUR", "USD"}) {
        ListingChoices c = choices(DisplayMode::Chronological);
        c.filterOn = true;
        c.filter.Curr = curr;
        for (const Row& r : l.fill(c).table.rows)
            EXPECT_NE(r[3], "") << curr;
    }
}

TEST(MoneyListingTest, UnusableRatesConvertNothing) {
    for (double rate : {0.0, std::numeric_limits<double>::infinity(),
                        std::numeric_limits<double>::quiet_NaN(), 1e-320}) {
        SCOPED_TRACE(rate);
        MoneyData data;
        data.currencies[2].rate = rate;
        data.add(d0317, 1, 1, 10.0, 1);
        data.add(d0317, 1, 1, -4.0, 2);
        Listing l(data);
        const MoneyListing m = l.fill(choices(DisplayMode::ByMonth));
        EXPECT_EQ(m.table.rows.at(0)[2], "6.00");
        EXPECT_EQ(total(m, FlowChoice::InOut, l.shared, 2), "6.00");
    }
}

TEST(MoneyListingTest, NonFiniteAmountsReadAsZeroAndTotalsStayFinite) {
    const double inf = std::numeric_limits<double>::infinity();
    MoneyData data;
    data.add(d0317, 1, 1, inf);
    data.add(d0317, 1, 1, std::numeric_limits<double>::quiet_NaN());
    data.add(d0317, 1, 1, -inf);
    data.add(d0317, 1, 1, 2.0);
    Listing l(data);
    ListingChoices c = choices(DisplayMode::Chronological, FlowChoice::In);
    const MoneyListing m = l.fill(c);
    EXPECT_EQ(column(m, 2), (std::vector<std::string>{"0.00", "0.00", "0.00", "2.00"}));
    EXPECT_EQ(m.IncomeTotal, 2.0);
    EXPECT_EQ(m.ExpenseTotal, 0.0);

    MoneyData huge;
    huge.currencies[2].rate = 1e-300;
    huge.add(d0317, 1, 1, DBL_MAX);
    huge.add(d0317, 1, 1, DBL_MAX);
    huge.add(d0317, 1, 1, -1e10, 2);
    Listing h(huge);
    const MoneyListing g = h.fill(choices(DisplayMode::ByYear));
    EXPECT_EQ(g.IncomeTotal, DBL_MAX);
    EXPECT_EQ(g.ExpenseTotal, -DBL_MAX);
    EXPECT_TRUE(std::isfinite(g.IncomeTotal + g.ExpenseTotal));
    for (FlowChoice f : {FlowChoice::In, FlowChoice::Out, FlowChoice::InOut})
        for (int display : {1, 2}) {
            const std::string text = total(g, f, h.shared, display);
            EXPECT_EQ(text.find_first_of("ain"), std::string::npos) << text;
        }
}

TEST(MoneyListingTest, AmountTextAndCaptions) {
    EXPECT_EQ(FormatAmount(-12.5), "-12.50");
    EXPECT_EQ(FormatAmount(0.0), "0.00");
    EXPECT_EQ(FormatAmount(1234567.891), "1234567.89");
    EXPECT_EQ(FormatAmount(2.675), "2.67"); // the binary value lies below 2.675
    EXPECT_EQ(FormatAmount(-0.001), "-0.00");
    EXPECT_EQ(ModeCaption(DisplayMode::Chronological), std::string("Ledra - Chronological"));
    EXPECT_EQ(ModeCaption(DisplayMode::ByMonth), std::string("Ledra - By Month"));
    EXPECT_EQ(ModeCaption(DisplayMode::ByQuarter), std::string("Ledra - By Quater"));
    EXPECT_EQ(ModeCaption(DisplayMode::ByYear), std::string("Ledra - By Year"));
}

} // namespace
