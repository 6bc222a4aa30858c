#include "money/MoneyListing.h"

#include "platform/Regional.h"

#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstdio>

using namespace pdbformat;

namespace {

const std::string kAny = "...";

// Quarter of the four month bits; the values that are no month belong to quarter 0.
constexpr int kQuarterOfMonth[16] = {0, 1, 1, 1, 2, 2, 2, 3, 3, 3, 4, 4, 4, 0, 0, 0};

// A damaged amount (infinite or not a number) reads as 0 everywhere.
double usableAmount(double a) {
    return std::isfinite(a) ? a : 0.0;
}

// Sums stay finite: a sum that would overflow stays at the largest finite value of its sign.
double saturate(double v) {
    if (std::isfinite(v))
        return v;
    if (std::isnan(v))
        return 0.0;
    return std::copysign(DBL_MAX, v);
}
void addInto(double& sum, double a) {
    sum = saturate(sum + a);
}

bool samePeriod(DisplayMode mode, std::uint16_t a, std::uint16_t b) {
    if (PackedYearBits(a) != PackedYearBits(b))
        return false;
    switch (mode) {
    case DisplayMode::ByMonth:
        return PackedMonthBits(a) == PackedMonthBits(b);
    case DisplayMode::ByQuarter:
        return kQuarterOfMonth[PackedMonthBits(a)] == kQuarterOfMonth[PackedMonthBits(b)];
    default:
        return true;
    }
}

std::string periodCaption(DisplayMode mode, std::uint16_t groupDate) {
    const int year = kDateBaseYear + PackedYearBits(groupDate);
    const int month = PackedMonthBits(groupDate);
    char buf[64];
    switch (mode) {
    case DisplayMode::ByMonth:
        // Only year and month name the period, so a day past its month's end still has one;
        // month bits that are no month get a caption of their own.
        if (month >= 1 && month <= 12)
            std::snprintf(buf, sizeof buf, " %4d", year);
        else
            std::snprintf(buf, sizeof buf, "Month %d %4d", month, year);
        return month >= 1 && month <= 12 ? MonthName(month) + buf : std::string(buf);
    case DisplayMode::ByQuarter:
        std::snprintf(buf, sizeof buf, "%d quarter of %4d", kQuarterOfMonth[month], year);
        return buf;
    default:
        std::snprintf(buf, sizeof buf, "Year %4d", year);
        return buf;
    }
}

double flowSum(FlowChoice flow, double income, double expense) {
    switch (flow) {
    case FlowChoice::In:
        return income;
    case FlowChoice::Out:
        return expense;
    default:
        return saturate(income + expense);
    }
}

} // namespace

// --- Category choice ---------------------------------------------------------------------------

std::vector<CategoryEntry> CategoryEntries(const CategoryInfo& cats) {
    std::vector<CategoryEntry> entries{{"All", kAllCategories}};
    for (int k = 0; k < kCategoryCount; ++k)
        if (std::string label = cats.label(k); !label.empty())
            entries.push_back({std::move(label), k});
    return entries;
}

int FindCategoryEntry(const std::vector<CategoryEntry>& entries, const std::string& text) {
    int found = -1;
    for (std::size_t i = 0; i < entries.size(); ++i)
        if (entries[i].text == text)
            found = static_cast<int>(i);
    return found;
}

int CategoryOfEntry(const std::vector<CategoryEntry>& entries, int index) {
    if (index < 0 || static_cast<std::size_t>(index) >= entries.size())
        return kNoCategory;
    return entries[static_cast<std::size_t>(index)].category;
}

// --- The listing -------------------------------------------------------------------------------

const std::vector<std::string>& MoneyColumns() {
    static const std::vector<std::string> columns = [] {
        std::vector<std::string> captions;
        for (const ListColumn& c : kMoneyColumns)
            captions.emplace_back(c.caption);
        return captions;
    }();
    return columns;
}

RecordSelection::RecordSelection(const cPDB& types, const cPDB& payment, const CurrencyTable& table,
                                 const ListingChoices& c)
    : types_(types), payments_(payment), c_(c), anyTrans_(c.filter.Trans == kAny),
      anyPay_(c.filter.Pay == kAny), anyCurr_(c.filter.Curr == kAny),
      dateRange_(c.filter.FromOn && c.filter.ToOn) {
    for (int k = 0; k < kCurrencySlots; ++k)
        codes_[static_cast<std::size_t>(k)] = table.slot[k].code();
}

bool RecordSelection::passes(const TransactionRecord& t, int category) const {
    if (c_.category == kNoCategory || (c_.category != kAllCategories && category != c_.category))
        return false;
    if (!c_.filterOn)
        return true;
    const FilterSettings& f = c_.filter;
    if (!anyTrans_ && f.Trans != typeName(t.TypeId))
        return false;
    if (!anyPay_ && f.Pay != paymentName(t.PaymentId))
        return false;
    if (!anyCurr_ && !(t.Currency < kCurrencySlots && codes_[t.Currency] == f.Curr))
        return false;
    if (dateRange_) {
        const CalendarDay day = TransactionDay(t.Date);
        if (!day.isValid() || day < f.From || f.To < day)
            return false;
    }
    return true;
}

namespace {

// Keeps the rows as TextTable rows, for FillList.
class TableRows final : public ListingRowSink {
public:
    explicit TableRows(TextTable& table) : table_(table) {}
    void row(std::span<const std::string_view> cells) override {
        table_.rows.emplace_back(cells.begin(), cells.end());
    }

private:
    TextTable& table_;
};

// "%.2lf" of a usable amount into `buf`, as FormatAmount, without a string of its own.
std::string_view amountText(std::array<char, 400>& buf, double value) {
    const auto r =
        std::to_chars(buf.data(), buf.data() + buf.size(), value, std::chars_format::fixed, 2);
    return {buf.data(), static_cast<std::size_t>(r.ptr - buf.data())};
}

} // namespace

MoneyListing FillList(cPDB& money, cPDB& types, cPDB& payment, cPDB& currency,
                      CurrencyTable& shared, const CategoryInfo& cats, const ListingChoices& c) {
    MoneyListing out;
    TableRows rows(out.table);
    if (c.mode == DisplayMode::Chronological)
        out.table.rows.reserve(static_cast<std::size_t>(money.GetNumRecords()));
    MoneyListing sums = FillListInto(money, types, payment, currency, shared, cats, c, rows);
    out.table.columns = std::move(sums.table.columns);
    out.IncomeTotal = sums.IncomeTotal;
    out.ExpenseTotal = sums.ExpenseTotal;
    out.home = sums.home;
    return out;
}

MoneyListing FillListInto(cPDB& money, cPDB& types, cPDB& payment, cPDB& currency,
                          CurrencyTable& shared, const CategoryInfo& cats, const ListingChoices& c,
                          ListingRowSink& rows) {
    MoneyListing out;
    out.table.columns = MoneyColumns();
    out.home = LoadCurrencyTable(currency, shared);

    // Everything a record refers to, looked up once per pass instead of once per record.
    std::array<std::string, kCurrencySlots> codes;
    for (int k = 0; k < kCurrencySlots; ++k)
        codes[static_cast<std::size_t>(k)] = shared.slot[k].code();
    const std::array<double, kCurrencySlots> toHome = HomeMultipliers(shared, out.home);
    std::array<std::string, kCategoryCount> labels;
    for (int k = 0; k < kCategoryCount; ++k)
        labels[static_cast<std::size_t>(k)] = cats.label(k);
    const RecordSelection selection(types, payment, shared, c);

    const bool grouped = c.mode != DisplayMode::Chronological;

    bool groupOpen = false;
    std::uint16_t groupDate = 0;
    double groupIncome = 0.0, groupExpense = 0.0;
    const std::string& homeCode = codes[static_cast<std::size_t>(out.home)];
    std::array<char, 400> amountBuf;
    const auto addGroupRow = [&] {
        const std::string caption = periodCaption(c.mode, groupDate);
        const std::string_view cells[] = {
            caption,
            " ",
            amountText(amountBuf, usableAmount(flowSum(c.flow, groupIncome, groupExpense))),
            homeCode,
            " ",
            " ",
            " "};
        rows.row(cells);
    };

    // Neighbouring records mostly share their day; its text is formed once per run of them.
    std::uint16_t lastDate = 0;
    std::string lastDateText = FormatListDay(TransactionDay(0));

    const int n = money.GetNumRecords();
    TransactionRecord t;
    for (int i = 0; i < n; ++i) {
        DecodeTransactionFields(money.RecordBytes(i), t);
        const double amount = usableAmount(t.Amount);

        if (!grouped) {
            if (c.flow == FlowChoice::In && amount < 0)
                continue;
            if (c.flow == FlowChoice::Out && amount > 0)
                continue;
        }

        const int category = money.GetCategory(i);
        if (!selection.passes(t, category))
            continue;
        const std::string& typeName = selection.typeName(t.TypeId);
        const std::string& paymentName = selection.paymentName(t.PaymentId);
        const bool knownCurrency = t.Currency < kCurrencySlots;

        // Grouping step.
        if (!grouped) {
            if (t.Date != lastDate) {
                lastDate = t.Date;
                lastDateText = FormatListDay(TransactionDay(t.Date));
            }
            const std::string_view cells[] = {lastDateText,
                                              typeName,
                                              amountText(amountBuf, amount),
                                              knownCurrency ? std::string_view(codes[t.Currency])
                                                            : std::string_view(),
                                              t.Memo,
                                              paymentName,
                                              labels[category & kCategoryMask]};
            rows.row(cells);
        } else if (!groupOpen) {
            groupOpen = true;
            groupDate = t.Date;
        } else if (!samePeriod(c.mode, t.Date, groupDate)) {
            addGroupRow();
            groupDate = t.Date;
            groupIncome = groupExpense = 0.0;
        }

        // Amount step: into the home currency; a number above 10 counts unconverted.
        const double a = saturate(amount * (knownCurrency ? toHome[t.Currency] : 1.0));
        if (a > 0) {
            addInto(groupIncome, a);
            addInto(out.IncomeTotal, a);
        } else {
            addInto(groupExpense, a);
            addInto(out.ExpenseTotal, a);
        }
    }
    // End-of-data step; it runs whether the last record was accepted or not.
    if (grouped && groupOpen)
        addGroupRow();
    return out;
}

// --- Display currency and totals --------------------------------------------------------------

double UsableAmount(double a) {
    return usableAmount(a);
}

double Saturate(double v) {
    return saturate(v);
}

bool UsableRate(double rate) {
    return std::isfinite(rate) && rate != 0.0 && std::isfinite(1.0 / rate);
}

std::array<double, kCurrencySlots> HomeMultipliers(const CurrencyTable& table, int home) {
    std::array<double, kCurrencySlots> toHome{};
    for (int k = 0; k < kCurrencySlots; ++k) {
        const double rate = table.slot[k].Rate;
        toHome[static_cast<std::size_t>(k)] = k == home || !UsableRate(rate) ? 1.0 : 1.0 / rate;
    }
    return toHome;
}

std::string TotalText(double income, double expense, FlowChoice flow, const CurrencyTable& table,
                      int displayCurrency, int home) {
    double t = flowSum(flow, income, expense);
    if (displayCurrency != home && displayCurrency >= 0 && displayCurrency < kCurrencySlots) {
        const double rate = table.slot[displayCurrency].Rate;
        if (UsableRate(rate))
            t = saturate(t * rate);
    }
    return FormatAmount(t);
}

int MatchDisplayCurrency(const CurrencyTable& table, const std::string& code, int current) {
    for (int k = 1; k < kCurrencySlots; ++k)
        if (table.slot[k].code() == code)
            current = k;
    return current;
}

std::string StripHotkey(std::string caption) {
    if (!caption.empty() && caption.front() == '&')
        caption.erase(0, 1);
    return caption;
}

// --- Texts -------------------------------------------------------------------------------------

std::string FilterDescription(bool on, const FilterSettings& f) {
    if (!on)
        return "Filter is not active.";
    std::string s;
    s += f.Trans == kAny ? std::string("*, ") : f.Trans + ", ";
    s += f.Pay == kAny ? std::string("*, ") : f.Pay + ", ";
    s += f.Curr == kAny ? std::string("*") : f.Curr;
    if (f.FromOn && f.ToOn)
        s += ", " + FormatListDay(f.From) + "   " + FormatListDay(f.To);
    return s;
}

const char* ModeCaption(DisplayMode mode) {
    switch (mode) {
    case DisplayMode::ByMonth:
        return "Ledra - By Month";
    case DisplayMode::ByQuarter:
        return "Ledra - By Quater";
    case DisplayMode::ByYear:
        return "Ledra - By Year";
    default:
        return "Ledra - Chronological";
    }
}

std::string FormatAmount(double value) {
    // Wide enough for the largest double in fixed notation (309 digits).
    std::array<char, 400> buf;
    return std::string(amountText(buf, usableAmount(value)));
}

std::string FormatListDay(const CalendarDay& day) {
    if (day.isValid())
        return FormatShortDate(day);
    char buf[48];
    std::snprintf(buf, sizeof buf, "%04d-%02d-%02d", day.year, day.month, day.day);
    return buf;
}
