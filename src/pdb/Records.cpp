#include "pdb/Records.h"

#include <algorithm>
#include <bit>
#include <cstring>

using namespace pdbformat;

namespace {

std::string textOfField(const char* p, std::size_t width) {
    const auto* end = static_cast<const char*>(std::memchr(p, 0, width));
    return std::string(p, end ? static_cast<std::size_t>(end - p) : width);
}

std::string textOfBytes(std::span<const std::uint8_t> bytes) {
    return textOfField(reinterpret_cast<const char*>(bytes.data()), bytes.size());
}

// Copies up to n bytes of `from` starting at `offset`; what `from` does not hold stays zero.
void copyOut(std::span<const std::uint8_t> from, std::size_t offset, void* to, std::size_t n) {
    std::memset(to, 0, n);
    if (offset < from.size())
        std::memcpy(to, from.data() + offset, std::min(n, from.size() - offset));
}

std::uint16_t bigEndian16(const std::uint8_t* p) {
    return static_cast<std::uint16_t>(p[0] << 8 | p[1]);
}

} // namespace

std::string CurrencyEntry::name() const {
    return textOfField(Name, sizeof Name);
}
std::string CurrencyEntry::code() const {
    return textOfField(Code, sizeof Code);
}

std::uint8_t LoadCurrencyTable(cPDB& currencyDb, CurrencyTable& table) {
    std::span<const std::uint8_t> record;
    if (const std::uint8_t* p = currencyDb.GetRecord(0))
        record = {p, static_cast<std::size_t>(currencyDb.GetRecordSize())};
    std::uint8_t raw[kCurrencyTableSize];
    copyOut(record, 0, raw, sizeof raw);
    for (int n = 0; n < kCurrencySlots; ++n) {
        const std::uint8_t* at = raw + kCurrencyEntrySize * n;
        CurrencyEntry& e = table.slot[n];
        std::memcpy(e.Name, at + kCurrencyNameOffset, kCurrencyNameSize);
        std::memcpy(e.Code, at + kCurrencyCodeOffset, kCurrencyCodeSize);
        std::memcpy(&e.Rate, at + kCurrencyRateOffset, 8);
        std::memcpy(&e.Home, at + kCurrencyHomeOffset, 2);
        std::memcpy(&e.Favorite, at + kCurrencyFavoriteOffset, 2);
        ReverseBytes(&e.Rate, 8);
        ReverseBytes(&e.Home, 2);
        ReverseBytes(&e.Favorite, 2);
    }
    for (std::uint8_t n = 1; n < kCurrencySlots; ++n)
        if (table.slot[n].Home != 0)
            return n;
    return 0;
}

TypeRecord ReadTypeRecord(std::span<const std::uint8_t> record) {
    TypeRecord r;
    if (record.size() < 2)
        return r;
    std::uint16_t raw = 0;
    std::memcpy(&raw, record.data() + kTypeIdOffset, 2);
    ReverseBytes(&raw, 2);
    r.Id = static_cast<std::int16_t>(raw);
    r.Name = textOfBytes(record.subspan(kTypeNameOffset));
    return r;
}

std::string LookupTypeName(cPDB& database, std::uint16_t reference) {
    const int n = database.GetNumRecords();
    for (int i = 0; i < n; ++i) {
        const std::uint8_t* p = database.GetRecord(i);
        if (!p)
            break;
        TypeRecord r = ReadTypeRecord({p, static_cast<std::size_t>(database.GetRecordSize())});
        // Signed Id against unsigned reference: an Id with its top bit set never matches.
        if (static_cast<int>(r.Id) == static_cast<int>(reference))
            return r.Name;
    }
    return {};
}

TypeNameIndex::TypeNameIndex(const cPDB& database) {
    const int n = database.GetNumRecords();
    for (int i = 0; i < n; ++i) {
        TypeRecord r = ReadTypeRecord(database.RecordBytes(i));
        // Signed Id against unsigned reference: an Id with its top bit set never matches.
        if (r.Id < 0)
            continue;
        const auto id = static_cast<std::size_t>(r.Id);
        if (id >= first_.size())
            first_.resize(id + 1, -1);
        if (first_[id] < 0) { // the lowest record index wins
            first_[id] = static_cast<std::int32_t>(names_.size());
            names_.push_back(std::move(r.Name));
        }
    }
}

const std::string& TypeNameIndex::lookup(std::uint16_t reference) const {
    if (reference >= first_.size() || first_[reference] < 0)
        return empty_;
    return names_[static_cast<std::size_t>(first_[reference])];
}

CategoryInfo CategoryInfo::fromDatabase(const cPDB& moneyDb) {
    CategoryInfo info;
    copyOut(moneyDb.AppInfoBytes(), 0, info.bytes, sizeof info.bytes);
    return info;
}

std::string CategoryInfo::label(int k) const {
    if (k < 0 || k >= kCategoryCount)
        return {};
    return textOfField(
        reinterpret_cast<const char*>(bytes + kCategoryLabelOffset + kCategoryLabelSize * k),
        kCategoryLabelSize);
}

void DecodeTransactionFields(std::span<const std::uint8_t> record, TransactionRecord& out) {
    std::uint8_t fixed[kTxMemoOffset];
    copyOut(record, 0, fixed, sizeof fixed);
    // Big-endian fields assembled byte by byte: a ReverseBytes call per field cost more than
    // the rest of the decode, which runs once per record of every list build.
    out.Date = bigEndian16(fixed + kTxDateOffset);
    out.TypeId = bigEndian16(fixed + kTxTypeIdOffset);
    out.PaymentId = bigEndian16(fixed + kTxPaymentIdOffset);
    std::uint64_t amountBits = 0;
    for (int k = 0; k < 8; ++k)
        amountBits = amountBits << 8 | fixed[kTxAmountOffset + k];
    out.Amount = std::bit_cast<double>(amountBits);
    out.Currency = fixed[kTxCurrencyOffset];
    if (record.size() > static_cast<std::size_t>(kTxMemoOffset)) {
        // Assigned in place: a record decoded into the same working copy reuses its memo's
        // room, where a fresh string would allocate once per record.
        const auto memo = record.subspan(kTxMemoOffset);
        const auto* p = reinterpret_cast<const char*>(memo.data());
        const std::size_t width = std::min<std::size_t>(memo.size(), kMemoMaxChars);
        const auto* end = static_cast<const char*>(std::memchr(p, 0, width));
        out.Memo.assign(p, end ? static_cast<std::size_t>(end - p) : width);
    } else {
        out.Memo.clear();
    }
}

std::string WholeMemo(std::span<const std::uint8_t> record) {
    if (record.size() <= static_cast<std::size_t>(kTxMemoOffset))
        return {};
    return textOfBytes(record.subspan(kTxMemoOffset));
}

namespace {
template <typename Lookup>
void decodeWith(cPDB& moneyDb, const CategoryInfo& cats, int i, TransactionRecord& out,
                Lookup&& names) {
    std::span<const std::uint8_t> record;
    if (const std::uint8_t* p = moneyDb.GetRecord(i))
        record = {p, static_cast<std::size_t>(moneyDb.GetRecordSize())};
    DecodeTransactionFields(record, out);
    names(out);
    out.Category = moneyDb.GetCategory(i);
    out.CategoryName = cats.label(out.Category);
}
} // namespace

void DecodeTransaction(cPDB& moneyDb, cPDB& typesDb, cPDB& paymentDb, const CategoryInfo& cats,
                       int i, TransactionRecord& out) {
    decodeWith(moneyDb, cats, i, out, [&](TransactionRecord& r) {
        r.TypeName = LookupTypeName(typesDb, r.TypeId);
        r.PaymentName = LookupTypeName(paymentDb, r.PaymentId);
    });
}

void DecodeTransaction(cPDB& moneyDb, const TypeNameIndex& types, const TypeNameIndex& payments,
                       const CategoryInfo& cats, int i, TransactionRecord& out) {
    decodeWith(moneyDb, cats, i, out, [&](TransactionRecord& r) {
        r.TypeName = types.lookup(r.TypeId);
        r.PaymentName = payments.lookup(r.PaymentId);
    });
}

CalendarDay TransactionDay(std::uint16_t packedDate) {
    return {pdbformat::kDateBaseYear + PackedYearBits(packedDate), PackedMonthBits(packedDate),
            PackedDayBits(packedDate)};
}

std::array<FavoriteItem, 10> FavoriteItems(const CurrencyTable& table) {
    std::array<FavoriteItem, 10> items;
    for (int j = 0; j < 10; ++j) {
        const CurrencyEntry& e = table.slot[j + 1];
        if (e.Favorite != 0)
            items[static_cast<std::size_t>(j)] = {true, e.code()};
    }
    return items;
}
