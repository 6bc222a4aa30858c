#pragma once
// The transaction listing without any window: which records the Money view lists in which
// mode, the rows it shows, the group rows, the conversion into the home currency and the
// totals, the filter's description and the display-currency helpers. The Money view, the
// command-line export and the fuzzer all build their lists here.

#include "filter/FilterSettings.h"
#include "pdb/Records.h"
#include "platform/CalendarDay.h"
#include "platform/TextTable.h"

#include <array>
#include <span>
#include <string>
#include <string_view>
#include <vector>

enum class DisplayMode { Chronological = 0, ByMonth = 1, ByQuarter = 2, ByYear = 3 };
enum class FlowChoice { In = 0, Out = 1, InOut = 2 };

// --- Category choice ---------------------------------------------------------------------------
// The category choice is a number: one category 0..15, or one of these two.
inline constexpr int kAllCategories = -1; // the "All" entry: every record passes
inline constexpr int kNoCategory = -2;    // no entry selected: no record passes

struct CategoryEntry {
    std::string text;
    int category; // kAllCategories for "All", else 0..15
};

// "All", then every non-empty label in category order, each with its category.
std::vector<CategoryEntry> CategoryEntries(const CategoryInfo& cats);
// The index of the entry whose text equals `text` exactly (the last of equal ones), or -1.
int FindCategoryEntry(const std::vector<CategoryEntry>& entries, const std::string& text);
// The category choice for entry `index`; kNoCategory for an index that names no entry.
int CategoryOfEntry(const std::vector<CategoryEntry>& entries, int index);

// --- The listing -------------------------------------------------------------------------------

struct ListingChoices {
    DisplayMode mode = DisplayMode::Chronological;
    FlowChoice flow = FlowChoice::InOut;
    int category = kAllCategories;
    bool filterOn = false; // the view's filter toggle
    FilterSettings filter;
};

// Which records pass the category choice and the filter: the one test that the Money view and
// every export that takes its selection share. The flow choice is not part of it, as grouped
// lists count every record into their sums.
class RecordSelection {
public:
    // `table` is the currency table of this pass (for the filter's currency code).
    RecordSelection(const cPDB& types, const cPDB& payment, const CurrencyTable& table,
                    const ListingChoices& c);
    const std::string& typeName(std::uint16_t id) const { return types_.lookup(id); }
    const std::string& paymentName(std::uint16_t id) const { return payments_.lookup(id); }
    // `category` is the record's category bits from its record-list entry.
    bool passes(const TransactionRecord& t, int category) const;

private:
    TypeNameIndex types_, payments_;
    std::array<std::string, pdbformat::kCurrencySlots> codes_;
    const ListingChoices& c_;
    bool anyTrans_, anyPay_, anyCurr_, dateRange_;
};

struct MoneyListing {
    TextTable table;           // the seven column captions and the rows as shown
    double IncomeTotal = 0.0;  // home currency, converted amounts above 0
    double ExpenseTotal = 0.0; // home currency, converted amounts of 0 or below
    int home = 0;              // the home currency number of this pass
};

// The seven columns of the Money list, for the view and the listing alike. The view widens the
// date column where its texts need more room.
inline constexpr std::array<ListColumn, 7> kMoneyColumns{{{"Date", 100},
                                                          {"Transaction Type", 200},
                                                          {"Amount", 100, true},
                                                          {"Curr.", 40},
                                                          {"Memo", 200},
                                                          {"Payment Type", 100},
                                                          {"Category", 100}}};
// Column captions in order.
const std::vector<std::string>& MoneyColumns();

// Rebuilds the whole list from the open databases. Refills `shared` with a fresh currency
// table load. Damaged records are listed, never dropped:
//  - a day that is no calendar day shows as its raw "YYYY-MM-DD" numbers, fails a date range
//    and still forms groups ("Month 13 2002", "0 quarter of 2002");
//  - a currency number above 10 has an empty "Curr." cell, passes no currency filter but
//    "...", and its amount counts unconverted, like one in the home currency;
//  - a rate that is 0, not finite, or whose reciprocal is not finite converts nothing;
//  - an amount that is not finite reads as 0 everywhere (cell, flow test, sums), and sums
//    that would overflow stay at the largest finite value, so totals are always finite.
MoneyListing FillList(cPDB& money, cPDB& types, cPDB& payment, cPDB& currency,
                      CurrencyTable& shared, const CategoryInfo& cats, const ListingChoices& c);

// Where FillListInto hands the rows as they are formed, each as its cells; the cells stay valid
// only during the call. The view keeps them in one buffer and ledra-export writes them as CSV
// lines, so neither holds a string per cell.
class ListingRowSink {
public:
    virtual void row(std::span<const std::string_view> cells) = 0;

protected:
    ~ListingRowSink() = default;
};

// FillList with each row handed to `rows` instead of kept: the same rows in the same order.
// The listing returned holds the captions and the totals, no rows.
MoneyListing FillListInto(cPDB& money, cPDB& types, cPDB& payment, cPDB& currency,
                          CurrencyTable& shared, const CategoryInfo& cats, const ListingChoices& c,
                          ListingRowSink& rows);

// --- Display currency and totals --------------------------------------------------------------

// The total in the display currency: income, expense or both by `flow`, multiplied by the
// display currency's rate unless it is the home currency. "%.2lf" with "." always.
std::string TotalText(double income, double expense, FlowChoice flow, const CurrencyTable& table,
                      int displayCurrency, int home);
// The last slot 1..10 whose code equals `code`; `current` when none does.
int MatchDisplayCurrency(const CurrencyTable& table, const std::string& code, int current);

// A menu caption without its leading hotkey marker "&" (only one, only at the start).
std::string StripHotkey(std::string caption);

// An amount as every list and sum reads it: a damaged one (infinite or not a number) is 0.
double UsableAmount(double a);
// A sum or product kept finite: past the largest finite value it stays there; NaN reads as 0.
double Saturate(double v);
// Whether a rate converts (finite, nonzero, with a finite reciprocal).
bool UsableRate(double rate);
// Per currency slot the multiplier of the amount step into the home currency: 1 for the home
// currency and for a slot whose rate does not convert, else the rate's reciprocal.
std::array<double, pdbformat::kCurrencySlots> HomeMultipliers(const CurrencyTable& table, int home);

// --- Texts -------------------------------------------------------------------------------------

// The filter line of the Money view.
std::string FilterDescription(bool on, const FilterSettings& f);
// The main window's caption for a mode.
const char* ModeCaption(DisplayMode mode);
// "%.2lf" with "." as the decimal point whatever the locale; a non-finite value reads as 0.
std::string FormatAmount(double value);
// A day in the short date format, or "YYYY-MM-DD" of its raw numbers when it is no calendar day.
std::string FormatListDay(const CalendarDay& day);
