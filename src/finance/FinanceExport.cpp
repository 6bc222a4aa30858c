#include "finance/FinanceExport.h"

#include "platform/AtomicFile.h"
#include "platform/LedraError.h"
#include "platform/Text.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <map>
#include <set>
#include <system_error>
#include <unordered_set>

using namespace pdbformat;

namespace finance {

namespace {

const std::string kNoCurrency = "XXX";
// GnuCash's QIF reader refuses every date of a file that holds a year before this one.
constexpr int kFirstQifYear = 1930;

std::string lowerAscii(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return out;
}

bool holdsAny(const std::string& lowerName, std::initializer_list<const char*> words) {
    for (const char* w : words)
        if (lowerName.find(w) != std::string::npos)
            return true;
    return false;
}

std::string isoDay(const CalendarDay& d, const char* pattern = "%04d-%02d-%02d") {
    char buf[48];
    std::snprintf(buf, sizeof buf, pattern, d.year, d.month, d.day);
    return buf;
}

// A line-based format holds no line break inside a field.
std::string oneLine(std::string s) {
    for (char& c : s)
        if (c == '\r' || c == '\n')
            c = ' ';
    return s;
}

std::string currencyCodeOf(const CurrencyTable& table, int slot) {
    if (slot < 0 || slot >= kCurrencySlots)
        return kNoCurrency;
    std::string code = table.slot[slot].code();
    return code.empty() ? kNoCurrency : code;
}

// The account a transaction belongs to in QIF, OFX and HomeBank: its payment type's name, or
// "Payment N" for a reference that names no payment type.
std::string accountName(const Transaction& t) {
    return t.payment.empty() ? "Payment " + std::to_string(t.paymentId) : t.payment;
}

// File names compared as a case-insensitive file system would; a later group whose name is
// taken gets " 2", " 3", ... before the extension.
class FileNames {
public:
    std::string take(std::string_view utf8Base, const std::string& ext) {
        const std::string base = FileNameOf(utf8Base);
        std::string name = base + ext;
        for (int n = 2; !used_.insert(lowerAscii(name)).second; ++n)
            name = base + " " + std::to_string(n) + ext;
        return name;
    }

private:
    std::set<std::string> used_;
};

// Groups in order of their first transaction; each keeps its transactions in storage order.
struct Group {
    std::string key;
    std::vector<const Transaction*> members;
};
template <typename KeyOf>
std::vector<Group> groupBy(const std::vector<const Transaction*>& txs, KeyOf&& keyOf) {
    std::vector<Group> groups;
    std::map<std::string, std::size_t> index;
    for (const Transaction* t : txs) {
        std::string key = keyOf(*t);
        auto [it, inserted] = index.emplace(key, groups.size());
        if (inserted)
            groups.push_back({std::move(key), {}});
        groups[it->second].members.push_back(t);
    }
    return groups;
}

std::string fieldsText(const Transaction& t) {
    const CalendarDay d = TransactionDay(t.date);
    std::string s = isoDay(d);
    for (const std::string* text : {&t.type, &t.payment})
        s += ", " + ansi::toUtf8(*text);
    s += ", " + AmountText(t.amount) + " " + ansi::toUtf8(t.currency);
    s += ", " + ansi::toUtf8(t.label) + ", " + oneLine(ansi::toUtf8(t.memo));
    return s;
}

// Splits the selection into what a format holds and what it leaves out.
std::vector<const Transaction*> keptFor(Format format, const Selection& sel, Result& r) {
    std::vector<const Transaction*> kept;
    kept.reserve(sel.transactions.size());
    for (const Transaction& t : sel.transactions) {
        const CalendarDay d = TransactionDay(t.date);
        const char* reason = nullptr;
        if (format != Format::Csv && !d.isValid())
            reason = "no calendar day";
        else if (format == Format::Qif && d.year < kFirstQifYear)
            reason = "year before 1930";
        if (reason)
            r.leftOut.push_back({t.record + 1, reason, fieldsText(t)});
        else
            kept.push_back(&t);
    }
    return kept;
}

// --- csv ----------------------------------------------------------------------------------------

void buildCsv(const Selection& sel, Result& r) {
    File f;
    f.bytes = "Date,Type,Payment,Category,Memo,Amount,Currency,HomeAmount,HomeCurrency,Id\r\n";
    const std::string home = CsvField(ansi::toUtf8(sel.homeCurrency));
    for (const Transaction* t : keptFor(Format::Csv, sel, r)) {
        // A day that is no calendar day keeps its raw numbers.
        f.bytes += isoDay(TransactionDay(t->date));
        for (const std::string* text : {&t->type, &t->payment, &t->label, &t->memo}) {
            f.bytes += ',';
            f.bytes += CsvField(ansi::toUtf8(*text));
        }
        f.bytes += ',' + AmountText(t->amount) + ',' + CsvField(ansi::toUtf8(t->currency)) + ',';
        if (t->converts)
            f.bytes += AmountText(t->homeAmount) + ',' + home;
        else
            f.bytes += ',';
        f.bytes += ',' + t->id + "\r\n";
        ++f.transactions;
    }
    r.transactions += f.transactions;
    r.files.push_back(std::move(f));
}

// --- qif ----------------------------------------------------------------------------------------

// QIF reads "/" in a category as the start of a class, ":" as a subcategory and a leading "["
// as a transfer to an account; the type names are plain categories.
std::string qifCategory(const std::string& type) {
    std::string s = oneLine(ansi::toUtf8(type));
    for (char& c : s) {
        if (c == '/' || c == ':')
            c = '-';
        else if (c == '[')
            c = '(';
        else if (c == ']')
            c = ')';
    }
    return s;
}

// The category label and the memo, as QIF's memo and OFX's memo hold them.
std::string joinedMemo(std::initializer_list<const std::string*> parts) {
    std::string s;
    for (const std::string* p : parts) {
        if (p->empty())
            continue;
        if (!s.empty())
            s += " | ";
        s += oneLine(ansi::toUtf8(*p));
    }
    return s;
}

void buildQif(const Selection& sel, Result& r) {
    FileNames names;
    const auto kept = keptFor(Format::Qif, sel, r);
    for (const Group& file : groupBy(kept, [](const Transaction& t) { return t.currency; })) {
        const std::string code = oneLine(ansi::toUtf8(file.key));
        File f;
        f.name = names.take(code, ".qif");

        // Income when the category's amounts in this file sum above 0, else expense.
        std::vector<std::string> order;
        std::map<std::string, double> sums;
        for (const Transaction* t : file.members) {
            std::string cat = qifCategory(t->type);
            if (cat.empty())
                continue;
            auto [it, inserted] = sums.emplace(cat, 0.0);
            if (inserted)
                order.push_back(cat);
            it->second = Saturate(it->second + UsableAmount(t->amount));
        }
        if (!order.empty()) {
            f.bytes += "!Type:Cat\n";
            for (const std::string& cat : order)
                f.bytes += "N" + cat + "\n" + (sums[cat] > 0 ? "I" : "E") + "\n^\n";
        }

        for (const Group& account : groupBy(file.members, accountName)) {
            const std::string type = QifAccountType(account.key);
            f.bytes += "!Account\nN" + oneLine(ansi::toUtf8(account.key)) + " " + code + "\nT" +
                       type + "\nD[" + code + "]\n^\n!Type:" + type + "\n";
            for (const Transaction* t : account.members) {
                f.bytes +=
                    "D" + isoDay(TransactionDay(t->date)) + "\nT" + AmountText(t->amount) + "\n";
                if (std::string cat = qifCategory(t->type); !cat.empty())
                    f.bytes += "L" + cat + "\n";
                if (std::string memo = joinedMemo({&t->label, &t->memo}); !memo.empty())
                    f.bytes += "M" + memo + "\n";
                f.bytes += "N" + t->id + "\n^\n";
                ++f.transactions;
            }
        }
        r.transactions += f.transactions;
        r.files.push_back(std::move(f));
    }
}

// --- ofx ----------------------------------------------------------------------------------------

std::string sgmlEscaped(char c) {
    switch (c) {
    case '&':
        return "&amp;";
    case '<':
        return "&lt;";
    case '>':
        return "&gt;";
    default:
        return std::string(1, c);
    }
}

// An OFX text: one line, markup characters escaped, cut at a character boundary so that the
// escaped form fits `limit` bytes.
std::string ofxText(const std::string& utf8, std::size_t limit) {
    const std::string line = oneLine(utf8);
    std::string out;
    std::size_t i = 0;
    while (i < line.size()) {
        const auto lead = static_cast<unsigned char>(line[i]);
        const std::size_t len = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        const std::string unit =
            len == 1 ? sgmlEscaped(line[i]) : line.substr(i, std::min(len, line.size() - i));
        if (out.size() + unit.size() > limit)
            break;
        out += unit;
        i += len;
    }
    return out;
}

std::string hex8(std::uint32_t v) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%08X", v);
    return buf;
}

// A stable account id of at most 22 characters, as OFX allows: FNV-1a of the payment type's
// name and the currency code.
std::string ofxAccountId(const std::string& account, const std::string& code) {
    std::uint32_t h = 2166136261u;
    const auto mix = [&](const std::string& s) {
        for (char c : s) {
            h ^= static_cast<unsigned char>(c);
            h *= 16777619u;
        }
    };
    mix(account);
    mix(std::string(1, '\0'));
    mix(code);
    return "LD-" + hex8(h);
}

void buildOfx(const Selection& sel, Result& r) {
    FileNames names;
    const auto kept = keptFor(Format::Ofx, sel, r);
    const auto keyOf = [](const Transaction& t) { return accountName(t) + '\0' + t.currency; };
    for (const Group& g : groupBy(kept, keyOf)) {
        const Transaction& first = *g.members.front();
        const std::string account = accountName(first);
        const std::string code = oneLine(ansi::toUtf8(first.currency));
        File f;
        f.name = names.take(ansi::toUtf8(account) + " " + code, ".ofx");

        std::uint16_t firstDate = first.date, lastDate = first.date;
        double sum = 0.0;
        for (const Transaction* t : g.members) {
            firstDate = std::min(firstDate, t->date);
            lastDate = std::max(lastDate, t->date);
            sum = Saturate(sum + UsableAmount(t->amount));
        }
        const std::string dtStart = isoDay(TransactionDay(firstDate), "%04d%02d%02d");
        const std::string dtEnd = isoDay(TransactionDay(lastDate), "%04d%02d%02d");

        std::string& b = f.bytes;
        b = "OFXHEADER:100\r\nDATA:OFXSGML\r\nVERSION:102\r\nSECURITY:NONE\r\nENCODING:UTF-8\r\n"
            "CHARSET:NONE\r\nCOMPRESSION:NONE\r\nOLDFILEUID:NONE\r\nNEWFILEUID:NONE\r\n\r\n";
        b += "<OFX>\r\n<SIGNONMSGSRSV1>\r\n<SONRS>\r\n<STATUS>\r\n<CODE>0\r\n<SEVERITY>INFO\r\n"
             "</STATUS>\r\n<DTSERVER>" +
             dtEnd + "\r\n<LANGUAGE>ENG\r\n</SONRS>\r\n</SIGNONMSGSRSV1>\r\n";
        b += "<BANKMSGSRSV1>\r\n<STMTTRNRS>\r\n<TRNUID>0\r\n<STATUS>\r\n<CODE>0\r\n"
             "<SEVERITY>INFO\r\n</STATUS>\r\n<STMTRS>\r\n<CURDEF>" +
             ofxText(code, 3) + "\r\n<BANKACCTFROM>\r\n<BANKID>LEDRA\r\n<ACCTID>" +
             ofxAccountId(account, first.currency) + "\r\n<ACCTTYPE>" +
             (QifAccountType(account) == "CCard" ? "CREDITLINE" : "CHECKING") +
             "\r\n</BANKACCTFROM>\r\n<BANKTRANLIST>\r\n<DTSTART>" + dtStart + "\r\n<DTEND>" +
             dtEnd + "\r\n";
        for (const Transaction* t : g.members) {
            const double amount = UsableAmount(t->amount);
            std::string name = t->memo.empty() ? t->type : t->memo;
            name = name.empty() ? t->id : ansi::toUtf8(name);
            b += "<STMTTRN>\r\n<TRNTYPE>";
            b += amount > 0 ? "CREDIT" : "DEBIT";
            b += "\r\n<DTPOSTED>" + isoDay(TransactionDay(t->date), "%04d%02d%02d") +
                 "\r\n<TRNAMT>" + AmountText(amount) + "\r\n<FITID>" + t->id + "\r\n<NAME>" +
                 ofxText(name, 32) + "\r\n";
            if (std::string memo = joinedMemo({&t->type, &t->label, &t->memo}); !memo.empty())
                b += "<MEMO>" + ofxText(memo, 255) + "\r\n";
            b += "</STMTTRN>\r\n";
            ++f.transactions;
        }
        b += "</BANKTRANLIST>\r\n<LEDGERBAL>\r\n<BALAMT>" + AmountText(sum) + "\r\n<DTASOF>" +
             dtEnd +
             "\r\n</LEDGERBAL>\r\n</STMTRS>\r\n</STMTTRNRS>\r\n</BANKMSGSRSV1>\r\n</OFX>\r\n";
        r.transactions += f.transactions;
        r.files.push_back(std::move(f));
    }
}

// --- homebank -----------------------------------------------------------------------------------

void buildHomeBank(const Selection& sel, Result& r) {
    FileNames names;
    const auto kept = keptFor(Format::HomeBank, sel, r);
    const auto keyOf = [](const Transaction& t) { return accountName(t) + '\0' + t.currency; };
    for (const Group& g : groupBy(kept, keyOf)) {
        const Transaction& first = *g.members.front();
        const std::string account = accountName(first);
        const int paymode = HomeBankPaymode(account);
        File f;
        f.name =
            names.take(ansi::toUtf8(account) + " " + oneLine(ansi::toUtf8(first.currency)), ".csv");
        for (const Transaction* t : g.members) {
            // HomeBank separates tags by spaces; a label is one tag.
            std::string tag = HomeBankField(ansi::toUtf8(t->label));
            std::replace(tag.begin(), tag.end(), ' ', '_');
            f.bytes += isoDay(TransactionDay(t->date)) + ";" + std::to_string(paymode) + ";" +
                       t->id + ";;" + HomeBankField(ansi::toUtf8(t->memo)) + ";" +
                       AmountText(t->amount) + ";" + HomeBankField(ansi::toUtf8(t->type)) + ";" +
                       tag + "\n";
            ++f.transactions;
        }
        r.transactions += f.transactions;
        r.files.push_back(std::move(f));
    }
}

} // namespace

const std::vector<FormatInfo>& Formats() {
    static const std::vector<FormatInfo> formats = {
        {Format::Qif, "qif", "QIF: GnuCash, KMyMoney, HomeBank, Money Manager Ex", true},
        {Format::Ofx, "ofx", "OFX: GnuCash, KMyMoney, HomeBank, Money Manager Ex", true},
        {Format::HomeBank, "homebank", "HomeBank CSV: HomeBank", true},
        {Format::Csv, "csv", "UTF-8 table: LibreOffice Calc, spreadsheets, other importers", false},
    };
    return formats;
}

const FormatInfo& InfoOf(Format format) {
    for (const FormatInfo& f : Formats())
        if (f.format == format)
            return f;
    return Formats().front();
}

std::vector<std::string> TransactionIds(const cPDB& money) {
    const int n = money.GetNumRecords();
    std::vector<std::string> ids(static_cast<std::size_t>(std::max(n, 0)));
    std::unordered_set<std::uint32_t> taken;
    taken.reserve(ids.size());
    char buf[48];
    for (int i = 0; i < n; ++i) {
        const std::uint32_t uid = money.UniqueId(i);
        if (uid != 0 && taken.insert(uid).second)
            std::snprintf(buf, sizeof buf, "LD-%06X", uid);
        else
            std::snprintf(buf, sizeof buf, "LD-%06X-R%d", uid, i + 1);
        ids[static_cast<std::size_t>(i)] = buf;
    }
    return ids;
}

Selection Select(cPDB& money, cPDB& types, cPDB& payment, cPDB& currency, const CategoryInfo& cats,
                 const ListingChoices& choices) {
    Selection sel;
    CurrencyTable table;
    const int home = LoadCurrencyTable(currency, table);
    sel.homeCurrency = currencyCodeOf(table, home);
    const auto toHome = HomeMultipliers(table, home);
    std::array<std::string, kCurrencySlots> codes;
    for (int k = 0; k < kCurrencySlots; ++k)
        codes[static_cast<std::size_t>(k)] = currencyCodeOf(table, k);
    std::array<std::string, kCategoryCount> labels;
    for (int k = 0; k < kCategoryCount; ++k)
        labels[static_cast<std::size_t>(k)] = cats.label(k);

    const RecordSelection selection(types, payment, table, choices);
    std::vector<std::string> ids = TransactionIds(money);
    const int n = money.GetNumRecords();
    TransactionRecord t;
    for (int i = 0; i < n; ++i) {
        const std::span<const std::uint8_t> bytes = money.RecordBytes(i);
        DecodeTransactionFields(bytes, t);
        const int category = money.GetCategory(i);
        if (!selection.passes(t, category))
            continue;
        Transaction& x = sel.transactions.emplace_back();
        x.record = i;
        x.id = std::move(ids[static_cast<std::size_t>(i)]);
        x.date = t.Date;
        x.type = selection.typeName(t.TypeId);
        x.payment = selection.paymentName(t.PaymentId);
        x.paymentId = t.PaymentId;
        x.label = labels[static_cast<std::size_t>(category & kCategoryMask)];
        x.memo = WholeMemo(bytes);
        x.amount = UsableAmount(t.Amount);
        const bool known = t.Currency < kCurrencySlots;
        x.currency = known ? codes[t.Currency] : kNoCurrency;
        x.converts = known && (t.Currency == home || UsableRate(table.slot[t.Currency].Rate));
        x.homeAmount = x.converts ? Saturate(x.amount * toHome[t.Currency]) : 0.0;
    }
    return sel;
}

Result Build(Format format, const Selection& selection) {
    Result r;
    switch (format) {
    case Format::Csv:
        buildCsv(selection, r);
        break;
    case Format::Qif:
        buildQif(selection, r);
        break;
    case Format::Ofx:
        buildOfx(selection, r);
        break;
    case Format::HomeBank:
        buildHomeBank(selection, r);
        break;
    }
    return r;
}

// --- Shared rules -------------------------------------------------------------------------------

std::string AmountText(double amount) {
    std::string s = FormatAmount(amount);
    if (s == "-0.00")
        s = "0.00";
    return s;
}

std::string QifAccountType(const std::string& paymentName) {
    const std::string n = lowerAscii(paymentName);
    if (holdsAny(n, {"card", "visa", "master", "amex", "credit"}))
        return "CCard";
    if (holdsAny(n, {"cash"}))
        return "Cash";
    return "Bank";
}

int HomeBankPaymode(const std::string& paymentName) {
    struct Rule {
        std::initializer_list<const char*> words;
        int paymode;
    };
    static const Rule kRules[] = {
        {{"debit card", "maestro"}, 6},
        {{"card", "visa", "master", "amex", "credit"}, 1},
        {{"cheque", "check"}, 2},
        {{"cash"}, 3},
        {{"transfer", "bank", "wire"}, 4},
        {{"standing"}, 7},
        {{"direct debit"}, 11},
        {{"deposit"}, 9},
        {{"online", "electronic", "paypal"}, 8},
    };
    const std::string n = lowerAscii(paymentName);
    for (const Rule& rule : kRules)
        if (holdsAny(n, rule.words))
            return rule.paymode;
    return 0;
}

std::string HomeBankField(std::string_view utf8) {
    std::string s(utf8);
    for (char& c : s) {
        if (c == ';')
            c = ',';
        else if (c == '"')
            c = '\'';
        else if (c == '\r' || c == '\n')
            c = ' ';
    }
    return s;
}

std::string CutUtf8(std::string_view utf8, std::size_t bytes) {
    if (utf8.size() <= bytes)
        return std::string(utf8);
    std::size_t end = bytes;
    // Back off continuation bytes so that no character is cut.
    while (end > 0 && (static_cast<unsigned char>(utf8[end]) & 0xC0) == 0x80)
        --end;
    return std::string(utf8.substr(0, end));
}

std::string FileNameOf(std::string_view utf8) {
    std::string s(utf8);
    for (char& c : s) {
        const auto u = static_cast<unsigned char>(c);
        if (u < 0x20 || u == 0x7F || std::string_view("/\\:*?\"<>|").find(c) != std::string::npos)
            c = '_';
    }
    if (!s.empty() && s.front() == '.')
        s.front() = '_';
    for (std::size_t i = s.size(); i > 0 && (s[i - 1] == '.' || s[i - 1] == ' '); --i)
        s[i - 1] = '_';
    s = CutUtf8(s, 200);
    return s.empty() ? "_" : s;
}

std::string CsvField(std::string_view utf8) {
    if (utf8.find_first_of(",\"\r\n") == std::string_view::npos)
        return std::string(utf8);
    std::string s = "\"";
    for (char c : utf8) {
        if (c == '"')
            s += '"';
        s += c;
    }
    return s + "\"";
}

// --- Writing ------------------------------------------------------------------------------------

std::string WriteFiles(const std::string& folder, const Result& result) {
    namespace fs = std::filesystem;
    std::error_code ec;
    fs::create_directories(fs::path(folder), ec);
    if (ec || !fs::is_directory(fs::path(folder), ec))
        return FormatMessage("Cannot create folder %s", folder);
    for (const File& f : result.files) {
        const std::string path = (fs::path(folder) / f.name).string();
        if (!ReplaceFileContents(path, f.bytes))
            return FormatMessage("Cannot create file %s", path);
    }
    return {};
}

namespace {
std::string counted(std::size_t n, const char* one, const char* many) {
    return std::to_string(n) + " " + (n == 1 ? one : many);
}
} // namespace

std::string SummaryLine(const Result& result) {
    return counted(result.files.size(), "file", "files") + " written, " +
           counted(static_cast<std::size_t>(result.transactions), "transaction", "transactions") +
           " written, " + counted(result.leftOut.size(), "record", "records") + " left out";
}

std::string LeftOutLine(const LeftOut& leftOut) {
    return "record " + std::to_string(leftOut.record) + " (" + leftOut.reason +
           "): " + leftOut.fields;
}

} // namespace finance
