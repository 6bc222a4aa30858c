#pragma once
// Income and expense per calendar period, for the chart and `ledra-export --format periods`.
// Unlike the grouped list, which adds a row each time the period changes in storage order,
// these sums are merged per period and laid out in calendar order over the whole span, an
// empty period included, so that a picture or a spreadsheet reads them as a time line.

#include "money/MoneyListing.h"

#include <string>
#include <vector>

enum class Period { Month, Quarter, Year };

// The period a view mode sums by; the chronological mode has no period of its own and is
// charted by month.
Period PeriodOfMode(DisplayMode mode);

struct PeriodSum {
    int year = 0;
    int part = 0;         // month 1..12, quarter 1..4, 0 for a year
    double income = 0.0;  // home currency, converted amounts above 0
    double expense = 0.0; // home currency, converted amounts of 0 or below
    int count = 0;        // records summed into this period
    double net() const;   // income + expense, kept finite
};

struct PeriodSums {
    Period period = Period::Month;
    std::vector<PeriodSum> periods; // calendar order, first to last selected period, none empty
                                    // of its slot: a period without records is present as zero
    double IncomeTotal = 0.0;
    double ExpenseTotal = 0.0;
    int home = 0;     // the home currency number of this pass
    int selected = 0; // records that the category choice and the filter selected
    int undated = 0;  // of those, records whose day is no calendar day: left out of every sum
};

// One pass over the transactions: the records that the Money view's category choice and filter
// select (the flow choice removes none, as in the grouped modes), each converted into the home
// currency exactly as the list's amount step converts it, summed per `period`. Refills `shared`
// with a fresh currency table load. `c.mode` and `c.flow` are not looked at.
PeriodSums SumPeriods(cPDB& money, cPDB& types, cPDB& payment, cPDB& currency,
                      CurrencyTable& shared, const ListingChoices& c, Period period);

// The multiplier from the home currency into the display currency, as the total display
// converts: the display slot's rate, or 1 when it is the home currency, no slot, or a rate that
// converts nothing.
double DisplayRate(const CurrencyTable& table, int displayCurrency, int home);
// The slot whose currency the amounts are in after DisplayRate: the display currency, or the
// home currency when the display rate converts nothing.
int ShownCurrency(const CurrencyTable& table, int displayCurrency, int home);

// "2002-03", "2002-Q1" or "2002".
std::string PeriodKey(Period period, const PeriodSum& p);
// The period as the list names it: "March 2002", "1 quarter of 2002", "Year 2002" (the month
// name in the system's language).
std::string PeriodCaption(Period period, const PeriodSum& p);

// The sums as CSV lines (no line ends): a header "Period,Income,Expense,Net,Currency", then one
// line per period with the amounts multiplied by `rate` and "%.2lf", the net converted as the
// total display converts income plus expense, and `currencyCode` (single-byte text) as UTF-8.
std::vector<std::string> PeriodCsvLines(const PeriodSums& sums, double rate,
                                        const std::string& currencyCode);
