#pragma once
// Record layouts of the four handheld databases and the operations that decode them.
// Texts stay single-byte as stored; they end at their first zero byte or at the end of their
// field or record, whichever comes first.

#include "pdb/Pdb.h"
#include "platform/CalendarDay.h"

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

// --- Currency table (record 0 of the currency database) -----------------------------------

// One 40-byte slot, decoded field by field (the in-memory struct is naturally aligned, so its
// numbers can be used like any other).
struct CurrencyEntry {
    char Name[24];
    char Code[4];
    double Rate;            // host order
    std::uint16_t Home;     // host order
    std::uint16_t Favorite; // host order

    std::string name() const;
    std::string code() const;
};

struct CurrencyTable {
    CurrencyEntry slot[pdbformat::kCurrencySlots]{};
};

// Refills `table` from record 0 of `currencyDb` and returns the home currency number: the
// lowest slot 1..10 with Home set, else 0. Bytes that record 0 does not hold (no record, or
// one shorter than 440 bytes) read as zero.
std::uint8_t LoadCurrencyTable(cPDB& currencyDb, CurrencyTable& table);

// --- Payment-type and transaction-type records ---------------------------------------------

struct TypeRecord {
    std::int16_t Id = 0;
    std::string Name;
};

// Decodes one type record; a record shorter than two bytes has Id 0 and an empty name.
TypeRecord ReadTypeRecord(std::span<const std::uint8_t> record);

// Name of the first record, in record order, whose signed Id equals the unsigned reference;
// empty text when none does.
std::string LookupTypeName(cPDB& database, std::uint16_t reference);

// The same answers as LookupTypeName from one pass over the records, for listings that look
// up every transaction.
class TypeNameIndex {
public:
    explicit TypeNameIndex(const cPDB& database);
    const std::string& lookup(std::uint16_t reference) const;

private:
    // Id -> index into names_ of the first record with that Id, or -1; sized by the largest
    // Id that a reference can match (0..32767), so a lookup is one array read.
    std::vector<std::int32_t> first_;
    std::vector<std::string> names_;
    std::string empty_;
};

// --- Transactions ----------------------------------------------------------------------------

// The category block (application-info block) of the transactions database, 276 bytes. A
// database without the block, or with a shorter one, reads as zero beyond what it holds.
struct CategoryInfo {
    std::uint8_t bytes[pdbformat::kCategoryInfoSize]{};

    static CategoryInfo fromDatabase(const cPDB& moneyDb);
    // Label k (0..15), cut at its 16 bytes when it has no zero byte; empty for k out of range.
    std::string label(int k) const;
};

// The decoded working copy of one transaction.
struct TransactionRecord {
    std::uint16_t Date = 0;
    std::uint16_t TypeId = 0;
    std::uint16_t PaymentId = 0;
    double Amount = 0.0;
    std::uint8_t Currency = 0;
    std::string Memo; // at most 100 characters
    std::uint8_t Category = 0;
    std::string TypeName;
    std::string PaymentName;
    std::string CategoryName;
};

// Decodes the fixed fields and the memo of one record; bytes a short record does not hold
// read as zero. Names are not resolved here.
void DecodeTransactionFields(std::span<const std::uint8_t> record, TransactionRecord& out);

// The memo of one record whole, up to its first zero byte or the record's end, where the
// working copy keeps only its first 100 characters.
std::string WholeMemo(std::span<const std::uint8_t> record);

// Fills `out` from record i of moneyDb with the three names resolved.
void DecodeTransaction(cPDB& moneyDb, cPDB& typesDb, cPDB& paymentDb, const CategoryInfo& cats,
                       int i, TransactionRecord& out);
void DecodeTransaction(cPDB& moneyDb, const TypeNameIndex& types, const TypeNameIndex& payments,
                       const CategoryInfo& cats, int i, TransactionRecord& out);

// Year 1904 + bits 15-9, month bits 8-5, day bits 4-0. The result may be no calendar day.
CalendarDay TransactionDay(std::uint16_t packedDate);
inline int PackedYearBits(std::uint16_t d) {
    return d >> 9;
}
inline int PackedMonthBits(std::uint16_t d) {
    return (d >> 5) & 0x0F;
}
inline int PackedDayBits(std::uint16_t d) {
    return d & 0x1F;
}

// The favourite currencies, for the Money view's favourite menu and the filter's currency
// list: item j stands for slot j + 1.
struct FavoriteItem {
    bool visible = false;
    std::string caption; // the slot's code when visible
};
std::array<FavoriteItem, 10> FavoriteItems(const CurrencyTable& table);
