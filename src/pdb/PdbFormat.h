#pragma once
// Byte layout of a Palm database file and of the records of the handheld money application.
// Every multi-byte number in these files is big-endian.

#include <cstddef>
#include <cstdint>

namespace pdbformat {

// File header
inline constexpr int kHeaderSize = 78;
inline constexpr int kNameSize = 32;
inline constexpr int kAppInfoIdOffset = 52;
inline constexpr int kNumRecordsOffset = 76;

// Record list, right after the header
inline constexpr int kRecordListOffset = 78;
inline constexpr int kRecordEntrySize = 8;
inline constexpr std::uint8_t kCategoryMask = 0x0F;

// Currency database: record 0 holds the whole table
inline constexpr int kCurrencySlots = 11;
inline constexpr int kCurrencyEntrySize = 40;
inline constexpr int kCurrencyTableSize = kCurrencySlots * kCurrencyEntrySize; // 440
inline constexpr int kCurrencyNameOffset = 0;
inline constexpr int kCurrencyNameSize = 24;
inline constexpr int kCurrencyCodeOffset = 24;
inline constexpr int kCurrencyCodeSize = 4;
inline constexpr int kCurrencyRateOffset = 28;
inline constexpr int kCurrencyHomeOffset = 36;
inline constexpr int kCurrencyFavoriteOffset = 38;

// Payment-type and transaction-type records
inline constexpr int kTypeIdOffset = 0;
inline constexpr int kTypeNameOffset = 2;

// Transaction records
inline constexpr int kTxDateOffset = 0;
inline constexpr int kTxTypeIdOffset = 2;
inline constexpr int kTxPaymentIdOffset = 4;
inline constexpr int kTxAmountOffset = 6;
inline constexpr int kTxCurrencyOffset = 14;
inline constexpr int kTxMemoOffset = 15;
inline constexpr int kTxFixedSize = 16; // the five fields and the memo's terminating zero

// Working-copy limits
inline constexpr int kMemoMaxChars = 100;
inline constexpr int kNameBufferSize = 100; // names keep at most 99 characters

// Category information block of the transactions database (application-info block)
inline constexpr int kCategoryInfoSize = 276;
inline constexpr int kCategoryCount = 16;
inline constexpr int kCategoryLabelOffset = 2;
inline constexpr int kCategoryLabelSize = 16;

// Packed dates: bits 15-9 year - 1904, bits 8-5 month, bits 4-0 day
inline constexpr int kDateBaseYear = 1904;

} // namespace pdbformat
