#pragma once
// Files for today's finance programs and spreadsheets, built from the Money view's record
// selection: a UTF-8 table (csv), QIF, OFX 1.02 and HomeBank's CSV. No window and no Qt; the
// viewer's dialog and ledra-export both build and write their files here.
//
// Rules every format shares:
//  - texts are converted from the handheld's single-byte set to UTF-8, without a byte-order
//    mark; dates are ISO YYYY-MM-DD (OFX: YYYYMMDD); amounts have "." and two decimals, no
//    grouping, "-" for expenses; a damaged amount (not finite) is 0.00;
//  - the id of a transaction is "LD-" and the six upper-case hex digits of the unique id in
//    its record-list entry. The first record in storage order that holds an id keeps it; a
//    record whose id is 0 or already held by an earlier record gets "LD-xxxxxx-Rn", n its
//    record number (counted from 1 in storage order). Ids are given over the whole file, not
//    the selection, so a record's id never depends on what else is exported;
//  - a currency number above 10, or a slot whose code is empty, is "XXX" ("no currency");
//  - a record whose day is no calendar day is written by csv with its raw numbers and left
//    out of every other format; QIF also leaves out years before 1930. Each left-out record is
//    listed (record number, reason, fields), never dropped silently.

#include "money/MoneyListing.h"
#include "pdb/Pdb.h"
#include "pdb/Records.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace finance {

enum class Format { Csv, Qif, Ofx, HomeBank };

struct FormatInfo {
    Format format;
    const char* name;     // as ledra-export's --format and the settings file spell it
    const char* programs; // one line naming the programs that read it
    bool toFolder;        // several files into a folder, else one file
};
// The four formats in the order the dialog offers them.
const std::vector<FormatInfo>& Formats();
const FormatInfo& InfoOf(Format format);

// One selected record, its texts still single-byte as stored.
struct Transaction {
    int record = 0; // storage index
    std::string id; // "LD-xxxxxx" by the rule above
    std::uint16_t date = 0;
    std::string type, payment, label;
    std::uint16_t paymentId = 0; // names the account when `payment` is empty
    std::string memo;            // whole, not cut at the view's 100 characters
    double amount = 0.0;
    std::string currency;  // the code, or "XXX"
    bool converts = false; // whether the amount step converts this amount into the home currency
    double homeAmount = 0.0;
};

struct Selection {
    std::vector<Transaction> transactions; // storage order
    std::string homeCurrency;              // the home slot's code, or "XXX"
};

// The records the Money view's chronological list shows for the category and filter of
// `choices` (its flow is not applied: every amount is exported), in storage order.
Selection Select(cPDB& money, cPDB& types, cPDB& payment, cPDB& currency, const CategoryInfo& cats,
                 const ListingChoices& choices);

// The ids of every record of the transactions database, by the rule above.
std::vector<std::string> TransactionIds(const cPDB& money);

struct File {
    std::string name; // a file name without folder; empty for the csv table
    std::string bytes;
    int transactions = 0;
};

struct LeftOut {
    int record = 0;     // counted from 1 in storage order
    std::string reason; // "no calendar day", "year before 1930"
    std::string fields; // the record's fields as UTF-8 text
};

struct Result {
    std::vector<File> files;
    int transactions = 0;
    std::vector<LeftOut> leftOut;
};

Result Build(Format format, const Selection& selection);

// --- Rules shared by the formats, exposed for the tests and the dialog -----------------------

// "%.2f" with "." and no grouping; a damaged amount is 0.00 and -0.00 is 0.00.
std::string AmountText(double amount);
// QIF account type from the payment's name: "CCard" when it holds "card", "visa", "master",
// "amex" or "credit"; "Cash" when it holds "cash"; else "Bank" (ASCII letters in any case).
std::string QifAccountType(const std::string& paymentName);
// HomeBank paymode from the payment's name, first match wins: "debit card", "maestro" -> 6
// (debit card); "card", "visa", "master", "amex", "credit" -> 1 (credit card); "cheque",
// "check" -> 2; "cash" -> 3; "transfer", "bank", "wire" -> 4 (bank transfer); "standing" -> 7;
// "direct debit" -> 11; "deposit" -> 9; "online", "electronic", "paypal" -> 8; else 0. Never 5
// (internal transfer), which HomeBank's import refuses.
int HomeBankPaymode(const std::string& paymentName);
// A HomeBank field: ";" becomes ",", a double quote becomes "'", CR and LF become a space.
std::string HomeBankField(std::string_view utf8);
// A UTF-8 text as a file name: "/", "\", ":", "*", "?", "\"", "<", ">", "|" and control
// characters become "_", as do a leading "." and trailing dots and spaces; an empty name is
// "_"; a name is cut to 200 bytes at a character boundary.
std::string FileNameOf(std::string_view utf8);
// An RFC 4180 field: quoted when it holds a comma, a double quote, CR or LF; quotes doubled.
std::string CsvField(std::string_view utf8);
// The longest start of a UTF-8 text that fits `bytes` bytes without cutting a character.
std::string CutUtf8(std::string_view utf8, std::size_t bytes);

// --- Writing ----------------------------------------------------------------------------------

// Writes every file into `folder` (created when missing), each replaced whole and atomically;
// other files there are left alone. An error text naming the file or folder, or empty.
std::string WriteFiles(const std::string& folder, const Result& result);

// "3 files written, 120 transactions written, 2 records left out"
std::string SummaryLine(const Result& result);
// "record 7 (no calendar day): 2002-13-05, Food, Cash, -12.50 EUR, Business, memo"
std::string LeftOutLine(const LeftOut& leftOut);

} // namespace finance
