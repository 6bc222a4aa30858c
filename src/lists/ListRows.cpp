#include "lists/ListRows.h"

#include <algorithm>
#include <array>
#include <charconv>

namespace {

constexpr std::array<ListColumn, 5> kCurrencyColumns{{
    {"Code", 50},
    {"Name", 200},
    {"Rate", 100, true},
    {"Favorite", 55},
    {"Home", 45},
}};

constexpr std::array<ListColumn, 2> kPaymentColumns{{{"Id", 70}, {"Payment Type", 200}}};
constexpr std::array<ListColumn, 2> kTypesColumns{{{"Id", 70}, {"Transaction Type", 200}}};

std::vector<std::string> captions(std::span<const ListColumn> columns) {
    std::vector<std::string> out;
    out.reserve(columns.size());
    for (const ListColumn& c : columns)
        out.emplace_back(c.caption);
    return out;
}

const char* mark(std::uint16_t flag) {
    return flag != 0 ? "*" : " ";
}

} // namespace

std::span<const ListColumn> CurrencyListColumns() {
    return kCurrencyColumns;
}

std::span<const ListColumn> TypeListColumns(TypeList which) {
    if (which == TypeList::Payment)
        return kPaymentColumns;
    return kTypesColumns;
}

std::string FormatRate(double rate) {
    // to_chars is defined as printf in the "C" locale, so a comma-decimal locale set by the
    // toolkit at start cannot leak into the list or the export.
    char buf[400];
    const auto r = std::to_chars(buf, buf + sizeof buf, rate, std::chars_format::fixed, 6);
    return std::string(buf, r.ptr);
}

TextTable CurrencyListRows(const CurrencyTable& table) {
    TextTable t;
    t.columns = captions(CurrencyListColumns());
    t.rows.reserve(pdbformat::kCurrencySlots - 1);
    for (int n = 1; n < pdbformat::kCurrencySlots; ++n) {
        const CurrencyEntry& e = table.slot[n];
        t.rows.push_back({e.code(), e.name(), FormatRate(e.Rate), mark(e.Favorite), mark(e.Home)});
    }
    return t;
}

TextTable TypeListRows(const cPDB& database, TypeList which) {
    TextTable t;
    t.columns = captions(TypeListColumns(which));
    const int n = database.GetNumRecords();
    t.rows.reserve(static_cast<std::size_t>(std::max(n, 0)));
    for (int i = 0; i < n; ++i) {
        TypeRecord r = ReadTypeRecord(database.RecordBytes(i));
        t.rows.push_back({std::to_string(r.Id), std::move(r.Name)});
    }
    return t;
}
