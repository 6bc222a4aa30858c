#include "money/PeriodSums.h"

#include "platform/Regional.h"
#include "platform/Text.h"

#include <algorithm>
#include <array>
#include <cfloat>
#include <cmath>
#include <cstdio>

using namespace pdbformat;

namespace {

// A packed date holds 7 year bits: every month from 1904 to 2031 has a slot of its own, so the
// sums are gathered in a fixed array whatever the storage order, and trimmed to the span after.
constexpr int kYears = 128;
constexpr int kMonthSlots = kYears * 12;

int partsPerYear(Period period) {
    switch (period) {
    case Period::Month:
        return 12;
    case Period::Quarter:
        return 4;
    default:
        return 1;
    }
}

} // namespace

Period PeriodOfMode(DisplayMode mode) {
    switch (mode) {
    case DisplayMode::ByQuarter:
        return Period::Quarter;
    case DisplayMode::ByYear:
        return Period::Year;
    default:
        return Period::Month;
    }
}

double PeriodSum::net() const {
    return Saturate(income + expense);
}

PeriodSums SumPeriods(cPDB& money, cPDB& types, cPDB& payment, cPDB& currency,
                      CurrencyTable& shared, const ListingChoices& c, Period period) {
    PeriodSums out;
    out.period = period;
    out.home = LoadCurrencyTable(currency, shared);

    const std::array<double, kCurrencySlots> toHome = HomeMultipliers(shared, out.home);
    // The selection of the list: category choice, then the filter while it is on.
    const RecordSelection selection(types, payment, shared, c);

    std::vector<PeriodSum> slots(static_cast<std::size_t>(kMonthSlots));
    int first = kMonthSlots, last = -1;

    TransactionRecord t;
    const int n = money.GetNumRecords();
    for (int i = 0; i < n; ++i) {
        if (c.category == kNoCategory)
            break;
        const int category = money.GetCategory(i);
        // Cheaper than decoding a record the category choice leaves out anyway.
        if (c.category != kAllCategories && category != c.category)
            continue;
        DecodeTransactionFields(money.RecordBytes(i), t);
        if (!selection.passes(t, category))
            continue;
        const bool knownCurrency = t.Currency < kCurrencySlots;
        const CalendarDay day = TransactionDay(t.Date);

        ++out.selected;
        if (!day.isValid()) {
            ++out.undated;
            continue;
        }
        const double a =
            Saturate(UsableAmount(t.Amount) * (knownCurrency ? toHome[t.Currency] : 1.0));
        const int slot = PackedYearBits(t.Date) * 12 + day.month - 1;
        PeriodSum& s = slots[static_cast<std::size_t>(slot)];
        if (a > 0) {
            s.income = Saturate(s.income + a);
            out.IncomeTotal = Saturate(out.IncomeTotal + a);
        } else {
            s.expense = Saturate(s.expense + a);
            out.ExpenseTotal = Saturate(out.ExpenseTotal + a);
        }
        ++s.count;
        first = std::min(first, slot);
        last = std::max(last, slot);
    }
    if (last < 0)
        return out;

    // Months into the chosen periods; the span runs from the first to the last period with a
    // record, whole periods only.
    const int per = partsPerYear(period);
    const int monthsPer = 12 / per;
    const auto periodOf = [&](int slot) { return slot / 12 * per + slot % 12 / monthsPer; };
    const int firstPeriod = periodOf(first), lastPeriod = periodOf(last);
    out.periods.resize(static_cast<std::size_t>(lastPeriod - firstPeriod + 1));
    for (int p = firstPeriod; p <= lastPeriod; ++p) {
        PeriodSum& s = out.periods[static_cast<std::size_t>(p - firstPeriod)];
        s.year = kDateBaseYear + p / per;
        s.part = period == Period::Year ? 0 : p % per + 1;
    }
    for (int slot = first; slot <= last; ++slot) {
        const PeriodSum& m = slots[static_cast<std::size_t>(slot)];
        PeriodSum& s = out.periods[static_cast<std::size_t>(periodOf(slot) - firstPeriod)];
        s.income = Saturate(s.income + m.income);
        s.expense = Saturate(s.expense + m.expense);
        s.count += m.count;
    }
    return out;
}

double DisplayRate(const CurrencyTable& table, int displayCurrency, int home) {
    if (displayCurrency == home || displayCurrency < 0 || displayCurrency >= kCurrencySlots)
        return 1.0;
    const double rate = table.slot[displayCurrency].Rate;
    return UsableRate(rate) ? rate : 1.0;
}

int ShownCurrency(const CurrencyTable& table, int displayCurrency, int home) {
    if (displayCurrency == home || displayCurrency < 0 || displayCurrency >= kCurrencySlots)
        return home;
    return UsableRate(table.slot[displayCurrency].Rate) ? displayCurrency : home;
}

std::string PeriodKey(Period period, const PeriodSum& p) {
    char buf[32];
    switch (period) {
    case Period::Month:
        std::snprintf(buf, sizeof buf, "%04d-%02d", p.year, p.part);
        break;
    case Period::Quarter:
        std::snprintf(buf, sizeof buf, "%04d-Q%d", p.year, p.part);
        break;
    default:
        std::snprintf(buf, sizeof buf, "%04d", p.year);
        break;
    }
    return buf;
}

std::string PeriodCaption(Period period, const PeriodSum& p) {
    char buf[48];
    switch (period) {
    case Period::Month:
        std::snprintf(buf, sizeof buf, " %4d", p.year);
        return MonthName(p.part) + buf;
    case Period::Quarter:
        std::snprintf(buf, sizeof buf, "%d quarter of %4d", p.part, p.year);
        return buf;
    default:
        std::snprintf(buf, sizeof buf, "Year %4d", p.year);
        return buf;
    }
}

std::vector<std::string> PeriodCsvLines(const PeriodSums& sums, double rate,
                                        const std::string& currencyCode) {
    std::vector<std::string> lines;
    lines.reserve(sums.periods.size() + 1);
    lines.emplace_back("Period,Income,Expense,Net,Currency");
    // A code is at most four bytes, but may hold a comma or a quote on a damaged handheld.
    std::string code = ansi::toUtf8(currencyCode);
    if (code.find_first_of(",\"\r\n") != std::string::npos) {
        std::string quoted = "\"";
        for (const char ch : code) {
            if (ch == '"')
                quoted += '"';
            quoted += ch;
        }
        code = quoted + "\"";
    }
    for (const PeriodSum& p : sums.periods) {
        lines.push_back(PeriodKey(sums.period, p) + "," + FormatAmount(Saturate(p.income * rate)) +
                        "," + FormatAmount(Saturate(p.expense * rate)) + "," +
                        FormatAmount(Saturate(p.net() * rate)) + "," + code);
    }
    return lines;
}
