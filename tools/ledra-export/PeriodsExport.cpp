#include "PeriodsExport.h"

#include "money/PeriodSums.h"
#include "pdb/Pdb.h"

namespace ledraexport {

std::string PeriodsUsageError(Options& o) {
    if (o.viewGiven && o.view != View::Money)
        return "--format periods sums the money view only";
    if (o.modeGiven && o.mode == DisplayMode::Chronological)
        return "--format periods needs --mode month, quarter or year, not chrono";
    if (o.flowGiven)
        return "--flow does not go with --format periods: every period has income, expense "
               "and net";
    if (o.total)
        return "--total does not go with --format periods";
    if (!o.header)
        return "--no-header does not go with --format periods";
    if (!o.modeGiven)
        o.mode = DisplayMode::ByMonth;
    o.view = View::Money;
    return {};
}

std::vector<std::string> PeriodLines(const Options& o, cPDB& money, cPDB& types, cPDB& payment,
                                     cPDB& currency, std::vector<std::string>& notes) {
    const CategoryInfo cats = CategoryInfo::fromDatabase(money);
    const std::vector<CategoryEntry> entries = CategoryEntries(cats);
    ListingChoices c;
    c.category = CategoryOfEntry(entries, FindCategoryEntry(entries, o.category));
    c.filterOn = o.filterOn;
    c.filter = o.filter;
    CurrencyTable table;
    const PeriodSums sums =
        SumPeriods(money, types, payment, currency, table, c, PeriodOfMode(o.mode));

    // The display currency as the total display finds it: the last slot with the code, the
    // home currency when none has it. The column names the currency the amounts are in.
    const std::string homeCode = table.slot[sums.home].code();
    const std::string caption = o.display ? *o.display : homeCode;
    const int display = MatchDisplayCurrency(table, caption, sums.home);
    const int shown = ShownCurrency(table, display, sums.home);
    if (o.display && table.slot[display].code() != caption)
        notes.push_back("no currency has the code \"" + caption +
                        "\"; the amounts are in the home currency \"" + homeCode + "\"");
    else if (shown != display)
        notes.push_back("the rate of \"" + caption +
                        "\" converts nothing; the amounts are in the home currency \"" + homeCode +
                        "\"");
    if (sums.undated > 0)
        notes.push_back(std::to_string(sums.undated) +
                        " record(s) without a calendar day left out of the sums");
    return PeriodCsvLines(sums, DisplayRate(table, display, sums.home), table.slot[shown].code());
}

} // namespace ledraexport
