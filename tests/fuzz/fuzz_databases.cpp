// Fuzzes everything the viewer does with a database file. The input is a kind byte (its value
// modulo 4: money, types, payment, currency) followed by the file's bytes; the other three
// databases come from a small valid set. Every record is decoded, the currency table loaded,
// every view's rows built in every mode and flow with the filter off and on, the CSV lines
// written; the chart's sums per period with the filter off and on; and the files for other
// finance programs built in every format.

#include "FuzzSupport.h"
#include "export/CsvWriter.h"
#include "finance/FinanceExport.h"
#include "lists/ListRows.h"
#include "money/MoneyListing.h"
#include "money/PeriodSums.h"
#include "pdb/Damage.h"
#include "platform/Regional.h"

#include <cstring>

namespace {

void exerciseMoney(cPDB& money, cPDB& types, cPDB& payment, cPDB& currency) {
    const CategoryInfo cats = CategoryInfo::fromDatabase(money);
    // A short file can claim 65,535 records: sweep every combination only over lists small
    // enough to keep the fuzzer fast, and two passes over the rest.
    const bool sweep = money.GetNumRecords() <= 512;
    TransactionRecord t;
    for (int i = 0; sweep && i < money.GetNumRecords(); ++i) {
        DecodeTransaction(money, types, payment, cats, i, t); // the lookups without the index
        FormatListDay(TransactionDay(t.Date));
    }

    CurrencyTable table;
    const int home = LoadCurrencyTable(currency, table);
    std::vector<int> categories{kAllCategories, kNoCategory};
    for (const CategoryEntry& e : CategoryEntries(cats))
        categories.push_back(e.category);

    FilterSettings filter;
    filter.Trans = types.GetNumRecords() > 0 ? ReadTypeRecord(types.RecordBytes(0)).Name : "...";
    filter.Curr = table.slot[home].code();
    filter.FromOn = filter.ToOn = true;
    filter.From = {1904, 1, 1};
    filter.To = {2031, 12, 31};
    filter.On = true;

    for (int mode = 0; mode < 4; ++mode)
        for (int flow = 0; flow < (sweep ? 3 : 1); ++flow)
            for (bool filterOn : {false, true}) {
                if (!sweep && !(mode == 0 && !filterOn) && !(mode == 1 && filterOn))
                    continue;
                ListingChoices c;
                c.mode = static_cast<DisplayMode>(mode);
                c.flow = static_cast<FlowChoice>(flow);
                c.filterOn = filterOn;
                c.filter = filter;
                c.category = categories[static_cast<std::size_t>(mode + flow) % categories.size()];
                const MoneyListing listing =
                    FillList(money, types, payment, currency, table, cats, c);
                CsvBytes(CsvLines(listing.table, flow == 0));
                for (int display = 0; display < 11; ++display)
                    TotalText(listing.IncomeTotal, listing.ExpenseTotal, c.flow, table, display,
                              listing.home);
            }
    // The files for other finance programs, over everything and over the filter's selection.
    for (bool filterOn : {false, true}) {
        ListingChoices c;
        c.filterOn = filterOn;
        c.filter = filter;
        const finance::Selection sel = finance::Select(money, types, payment, currency, cats, c);
        for (const finance::FormatInfo& info : finance::Formats()) {
            const finance::Result r = finance::Build(info.format, sel);
            finance::SummaryLine(r);
            for (const finance::LeftOut& left : r.leftOut)
                finance::LeftOutLine(left);
        }
    }
    for (const Period period : {Period::Month, Period::Quarter, Period::Year}) {
        ListingChoices c;
        c.filterOn = period == Period::Quarter;
        c.filter = filter;
        const PeriodSums sums = SumPeriods(money, types, payment, currency, table, c, period);
        PeriodCsvLines(sums, DisplayRate(table, 2, sums.home), table.slot[home].code());
        for (const PeriodSum& p : sums.periods)
            PeriodCaption(period, p);
    }
    FilterDescription(true, filter);
    for (const FavoriteItem& item : FavoriteItems(table))
        MatchDisplayCurrency(table, item.caption, home);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1)
        return 0;
    static FuzzWorkspace ws;
    SetRegionalFormats(CFormats());
    const auto kind = static_cast<DbKind>(data[0] % 4);
    // Record-list entries past the end of the file all read as the same empty record. A few
    // bytes can claim 65,535 of them, and listing those over and over would keep the fuzzer
    // at a few inputs a second; a count beyond what the file holds is cut to 64 past it, which
    // still goes down every path that such entries take.
    Bytes file(data + 1, data + size);
    if (file.size() >= 78) {
        const std::size_t claimed = (std::size_t{file[76]} << 8) | file[77];
        const std::size_t held = (file.size() - 78) / 8 + 64;
        if (claimed > held)
            PutU16(file, 76, static_cast<std::uint16_t>(held));
    }
    const std::string fuzzed = ws.writeScratch("input.PDB", file.data(), file.size());

    cPDB dbs[4];
    for (int k = 0; k < 4; ++k) {
        const auto kk = static_cast<DbKind>(k);
        if (dbs[k].Open(kk == kind ? fuzzed : ws.validPath(kk)) != 0)
            return 0;
    }
    cPDB& money = dbs[0];
    cPDB& types = dbs[1];
    cPDB& payment = dbs[2];
    cPDB& currency = dbs[3];

    // The raw reader API, as callers walk it.
    cPDB& target = dbs[static_cast<int>(kind)];
    for (int i = 0; i < target.GetNumRecords(); ++i) {
        const std::uint8_t* p = target.GetRecord(i);
        const int n = target.GetRecordSize();
        if (p && n > 0) {
            volatile std::uint8_t sink = p[0] ^ p[n - 1];
            (void)sink;
        }
        target.GetCategory(i);
    }
    if (const std::uint8_t* info = target.GetAppInfo())
        (void)info;
    const std::string fuzzedName = "input.PDB";
    CheckDatabases({{money, DatabaseKind::Money, fuzzedName},
                    {payment, DatabaseKind::Payment, fuzzedName},
                    {currency, DatabaseKind::Currency, fuzzedName},
                    {types, DatabaseKind::Types, fuzzedName}});

    exerciseMoney(money, types, payment, currency);

    CurrencyTable table;
    LoadCurrencyTable(currency, table);
    CsvBytes(CsvLines(CurrencyListRows(table), true));
    CsvBytes(CsvLines(TypeListRows(types, TypeList::Types), true));
    CsvBytes(CsvLines(TypeListRows(payment, TypeList::Payment), false));
    return 0;
}
