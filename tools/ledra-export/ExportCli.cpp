#include "ExportCli.h"
#include "PeriodsExport.h"

#include "export/CsvWriter.h"
#include "finance/FinanceExport.h"
#include "lists/ListRows.h"
#include "pdb/Damage.h"
#include "pdb/Pdb.h"
#include "pdb/Records.h"
#include "pdb/UserDatabases.h"
#include "platform/AtomicFile.h"
#include "platform/LedraError.h"
#include "platform/OpenMessages.h"
#include "platform/Text.h"
#include "platform/UserDirectory.h"
#include "version/Version.h"

#include <cstdint>
#include <functional>
#include <ostream>
#include <sys/stat.h>
#include <utility>

namespace ledraexport {

namespace {

const std::string kUsage =
    "Usage: ledra-export [--root DIR] [--user NAME] --view money|types|payment|currency "
    "[options]\n"
    "       ledra-export [--root DIR] [--user NAME] --format periods [options]\n"
    "       ledra-export [--root DIR] [--user NAME] --format csv|qif|ofx|homebank "
    "[selection] [-o FILE|DIR]\n"
    "\n"
    "Writes one of the viewer's lists as CSV, byte for byte as its export dialog would; or,\n"
    "with --format, the Money view's records as files for other finance programs.\n"
    "\n"
    "  --root DIR       desktop data root; the user's files are DIR/NAME/BACKUP/Ledra_*.PDB\n"
    "                   (trailing separator optional; letter case of Backup/ and .pdb as found).\n"
    "                   One user's folder, or a folder holding the files, is taken as well.\n"
    "                   Default: $LEDRA_DATA_ROOT, else the folder chosen in the viewer with\n"
    "                   Open Backup Folder, else ~/Palm/.\n"
    "  --user NAME      handheld user (folder name). Default: the only user, when there is one.\n"
    "  --view V         money | types | payment | currency\n"
    "  --mode M         chrono | month | quarter | year          (money; default chrono)\n"
    "  --flow F         in | out | inout                         (money; default inout)\n"
    "  --category TEXT  category list entry, matched exactly; \"All\" (the default) is every\n"
    "                   category; a text that is no entry selects none, so no row passes\n"
    "  --trans TEXT     filter: transaction type name   (money; \"...\" is any; default \"...\")\n"
    "  --pay TEXT       filter: payment type name       (money; default \"...\")\n"
    "  --curr TEXT      filter: currency code           (money; default \"...\")\n"
    "  --from DAY       filter: first day, YYYY-MM-DD   (money; the range applies only with --to)\n"
    "  --to DAY         filter: last day, YYYY-MM-DD    (applies only with --from; either one\n"
    "                   alone makes no date test, as in the viewer, and a note says so)\n"
    "                   Any of --trans, --pay, --curr, --from, --to turns the filter on.\n"
    "  --display CODE   display currency of the total (money; default the home currency's\n"
    "                   code): the last currency slot whose code equals it; a code that is no\n"
    "                   slot's leaves the total in the home currency (a note says so)\n"
    "  --no-header      no caption line (default: caption line written)\n"
    "  --total          (money) instead of the CSV, one line: the total, a space and the\n"
    "                   --display text, e.g. \"70.00 EUR\"; ignores --no-header\n"
    "  -o, --output F   write to F instead of standard output (F is replaced whole, or left\n"
    "                   as it was when it cannot be written)\n"
    "  --format F       view     the view's list as CSV (the default)\n"
    "                   periods  income, expense and net of the money records per month,\n"
    "                            quarter or year in calendar order, every period of the span\n"
    "                            present, as UTF-8 CSV: Period,Income,Expense,Net,Currency;\n"
    "                            --mode month (the default), quarter or year, the selection\n"
    "                            options and --display apply; --view may be left out\n"
    "                   csv      the money records as one UTF-8 table (RFC 4180) for\n"
    "                            spreadsheets and generic importers, to -o FILE or standard\n"
    "                            output\n"
    "                   qif      the money records, one QIF file per currency, CODE.qif\n"
    "                   ofx      the money records, one OFX 1.02 file per payment type and\n"
    "                            currency\n"
    "                   homebank the money records, one HomeBank CSV file per payment type\n"
    "                            and currency\n"
    "                   qif, ofx and homebank need -o DIR (created when missing; each file\n"
    "                   is replaced whole, other files there are left alone). For csv, qif,\n"
    "                   ofx and homebank the records are those of the money view for\n"
    "                   --category, --trans, --pay, --curr, --from and --to; --mode, --flow,\n"
    "                   --total, --display and --no-header are usage errors; --view may be\n"
    "                   left out. Records a format cannot hold are listed on standard error,\n"
    "                   which ends with one line: files written, transactions written,\n"
    "                   records left out.\n"
    "  -h, --help       this text\n"
    "  --version        the version of ledra-export\n"
    "\n"
    "Each option may be given once; a value follows as the next argument or after \"=\".\n"
    "Texts (--category, --trans, --pay, --curr, --display) are compared byte for byte with the\n"
    "single-byte (Windows-1252) texts of the handheld. A text that is valid UTF-8 and whose\n"
    "characters all exist in that set is converted to it (an e acute typed in a UTF-8\n"
    "terminal finds the stored byte 0xE9); any other text is taken as the bytes given.\n"
    "Output texts of --format view are written as stored; the other formats write UTF-8.\n"
    "Dates and month names follow the LC_TIME locale of the environment (LC_ALL=C: %m/%d/%Y).\n"
    "\n"
    "Notes go to standard error and change nothing in the output.\n"
    "Exit status: 0 written; 1 a database file cannot be opened or the output cannot be\n"
    "written; 2 a usage error.\n";

enum class Arg {
    Root,
    User,
    View,
    Mode,
    Flow,
    Category,
    Trans,
    Pay,
    Curr,
    From,
    To,
    Display,
    Format,
    NoHeader,
    Total,
    Output,
    Help,
    Version
};

struct OptionSpec {
    const char* name;
    Arg arg;
    bool takesValue;
    bool moneyOnly;
    bool listOnly; // shapes the list of --format view; a usage error with any other format
};

constexpr OptionSpec kOptions[] = {
    {"--format", Arg::Format, true, false, false},
    {"--root", Arg::Root, true, false, false},
    {"--user", Arg::User, true, false, false},
    {"--view", Arg::View, true, false, false},
    {"--mode", Arg::Mode, true, true, true},
    {"--flow", Arg::Flow, true, true, true},
    {"--category", Arg::Category, true, true, false},
    {"--trans", Arg::Trans, true, true, false},
    {"--pay", Arg::Pay, true, true, false},
    {"--curr", Arg::Curr, true, true, false},
    {"--from", Arg::From, true, true, false},
    {"--to", Arg::To, true, true, false},
    {"--display", Arg::Display, true, true, true},
    {"--no-header", Arg::NoHeader, false, false, true},
    {"--total", Arg::Total, false, true, true},
    {"--output", Arg::Output, true, false, false},
    {"-o", Arg::Output, true, false, false},
    {"--help", Arg::Help, false, false, false},
    {"-h", Arg::Help, false, false, false},
    {"--version", Arg::Version, false, false, false},
};

// The values of --format, in one table: the parser and the error text read it.
struct FormatSpec {
    const char* name;
    Format format;
    bool toFolder; // -o names a folder, which the format needs
};

constexpr FormatSpec kFormats[] = {
    {"view", Format::View, false}, {"periods", Format::Periods, false},
    {"csv", Format::Csv, false},   {"qif", Format::Qif, true},
    {"ofx", Format::Ofx, true},    {"homebank", Format::HomeBank, true},
};

// The formats that write the money records for another finance program.
bool isFinance(Format format) {
    return format == Format::Csv || format == Format::Qif || format == Format::Ofx ||
           format == Format::HomeBank;
}

const FormatSpec& specOf(Format format) {
    for (const FormatSpec& f : kFormats)
        if (f.format == format)
            return f;
    return kFormats[0];
}

std::string formatNames() {
    std::string names;
    for (const FormatSpec& f : kFormats)
        names += std::string(names.empty() ? "" : ", ") + f.name;
    return names;
}

const OptionSpec* findOption(const std::string& name) {
    for (const OptionSpec& o : kOptions)
        if (name == o.name)
            return &o;
    return nullptr;
}

// The name by which an option is reported: the long one.
const char* longName(Arg arg) {
    for (const OptionSpec& o : kOptions)
        if (o.arg == arg)
            return o.name;
    return "";
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// YYYY-MM-DD naming a day of the calendar; an error text otherwise.
std::string parseDay(const std::string& text, CalendarDay& day) {
    const bool shape = text.size() == 10 && text[4] == '-' && text[7] == '-' && isDigit(text[0]) &&
                       isDigit(text[1]) && isDigit(text[2]) && isDigit(text[3]) &&
                       isDigit(text[5]) && isDigit(text[6]) && isDigit(text[8]) && isDigit(text[9]);
    if (!shape)
        return "is not a day in the form YYYY-MM-DD";
    day.year = std::stoi(text.substr(0, 4));
    day.month = std::stoi(text.substr(5, 2));
    day.day = std::stoi(text.substr(8, 2));
    if (!day.isValid())
        return "is no day of the calendar";
    return {};
}

std::string directoryRoot() {
    char buffer[4096]{};
    std::int16_t size = sizeof buffer - 1;
    userdir::RootDirectory(buffer, &size);
    return buffer;
}

// --root points the user directory at a folder for this run and back to where it was
// afterwards, so that the folder is taken as any of the three kinds the directory knows.
struct RootChoice {
    std::string previous = userdir::RootOverride();
    explicit RootChoice(const std::optional<std::string>& root) {
        if (root)
            userdir::SetRootOverride(*root);
    }
    ~RootChoice() { userdir::SetRootOverride(previous); }
    RootChoice(const RootChoice&) = delete;
    RootChoice& operator=(const RootChoice&) = delete;
};

bool isFolder(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

struct Databases {
    cPDB money, payment, currency, types;
};

// The export's output as `produce` forms it piece by piece: a file replaced whole, or the
// stream. An error text when it failed.
std::string emit(const Options& o, const std::function<bool(const ByteWriter&)>& produce,
                 std::ostream& out) {
    if (o.output) {
        if (int error = 0; !ReplaceFileContents(*o.output, produce, &error))
            return CannotCreateFileMessage(*o.output, error);
        return {};
    }
    produce([&out](std::string_view piece) {
        out.write(piece.data(), static_cast<std::streamsize>(piece.size()));
        return static_cast<bool>(out);
    });
    out.flush();
    if (!out)
        return "Cannot write to standard output";
    return {};
}

// The Money view's category choice and filter as the options give them.
ListingChoices choicesOf(const Options& o, const CategoryInfo& cats) {
    const std::vector<CategoryEntry> entries = CategoryEntries(cats);
    ListingChoices c;
    c.mode = o.mode;
    c.flow = o.flow;
    c.category = CategoryOfEntry(entries, FindCategoryEntry(entries, o.category));
    c.filterOn = o.filterOn;
    c.filter = o.filter;
    return c;
}

finance::Format financeFormat(Format format) {
    switch (format) {
    case Format::Qif:
        return finance::Format::Qif;
    case Format::Ofx:
        return finance::Format::Ofx;
    case Format::HomeBank:
        return finance::Format::HomeBank;
    default:
        return finance::Format::Csv;
    }
}

// An output that could not be written is reported and ends the run (false). Otherwise the
// notes follow on `err`.
bool reportOutput(const std::string& problem, const std::vector<std::string>& notes,
                  std::ostream& err) {
    if (!problem.empty()) {
        err << problem << ".\n";
        err.flush();
        return false;
    }
    for (const std::string& note : notes)
        err << "ledra-export: note: " << note << "\n";
    return true;
}

// The records for another finance program: the files, then on `err` the notes, each record
// left out, and the summary line last.
int writeFinance(const Options& o, Databases& db, const std::vector<std::string>& notes,
                 std::ostream& out, std::ostream& err) {
    const CategoryInfo cats = CategoryInfo::fromDatabase(db.money);
    const finance::Result result = finance::Build(
        financeFormat(o.format),
        finance::Select(db.money, db.types, db.payment, db.currency, cats, choicesOf(o, cats)));
    const std::string problem =
        specOf(o.format).toFolder
            ? finance::WriteFiles(*o.output, result)
            : emit(
                  o, [&](const ByteWriter& write) { return write(result.files.front().bytes); },
                  out);
    if (!reportOutput(problem, notes, err))
        return kFileError;
    for (const finance::LeftOut& left : result.leftOut)
        err << "ledra-export: left out " << finance::LeftOutLine(left) << "\n";
    err << "ledra-export: " << finance::SummaryLine(result) << "\n";
    err.flush();
    return kWritten;
}

// The Money rows go to the CSV as the listing forms them; only a piece of the file is held.
class CsvRows final : public ListingRowSink {
public:
    explicit CsvRows(CsvPieceWriter& csv) : csv_(csv) {}
    void row(std::span<const std::string_view> cells) override { csv_.line(cells); }

private:
    CsvPieceWriter& csv_;
};

// For the total alone, which needs the sums and none of the rows.
class NoRows final : public ListingRowSink {
public:
    void row(std::span<const std::string_view>) override {}
};

} // namespace

const std::string& UsageText() {
    return kUsage;
}

std::string SingleByteText(const std::string& given) {
    return ansi::fromUtf8Exactly(given).value_or(given);
}

ParseResult ParseArguments(const std::vector<std::string>& args) {
    ParseResult r;
    Options& o = r.options;
    bool seen[static_cast<int>(Arg::Version) + 1]{};
    bool viewGiven = false;
    std::vector<Arg> moneyOnlyGiven, listOnlyGiven;

    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        std::string name = a;
        std::optional<std::string> value;
        if (a.rfind("--", 0) == 0) {
            const auto eq = a.find('=');
            if (eq != std::string::npos) {
                name = a.substr(0, eq);
                value = a.substr(eq + 1);
            }
        }
        const OptionSpec* option = a.size() > 1 && a[0] == '-' ? findOption(name) : nullptr;
        if (!option) {
            r.error = a.size() > 1 && a[0] == '-' ? "unknown option " + name
                                                  : "unexpected argument \"" + a + "\"";
            return r;
        }
        const char* shown = longName(option->arg);
        // Answered at once, whatever else the line holds.
        if (option->arg == Arg::Help || option->arg == Arg::Version) {
            if (value) {
                r.error = std::string("option ") + shown + " takes no value";
                return r;
            }
            (option->arg == Arg::Help ? o.help : o.version) = true;
            return r;
        }
        if (seen[static_cast<int>(option->arg)]) {
            r.error = std::string("option ") + shown + " is given more than once";
            return r;
        }
        seen[static_cast<int>(option->arg)] = true;
        if (option->moneyOnly)
            moneyOnlyGiven.push_back(option->arg);
        if (option->listOnly)
            listOnlyGiven.push_back(option->arg);
        if (!option->takesValue && value) {
            r.error = std::string("option ") + shown + " takes no value";
            return r;
        }
        if (option->takesValue && !value) {
            if (i + 1 >= args.size()) {
                r.error = std::string("option ") + shown + " needs a value";
                return r;
            }
            value = args[++i];
        }

        switch (option->arg) {
        case Arg::Format: {
            const FormatSpec* found = nullptr;
            for (const FormatSpec& f : kFormats)
                if (*value == f.name)
                    found = &f;
            if (!found) {
                r.error = "unknown format \"" + *value + "\" (" + formatNames() + ")";
                return r;
            }
            o.format = found->format;
            break;
        }
        case Arg::Root:
            if (value->empty()) {
                r.error = "option --root needs a folder";
                return r;
            }
            o.root = *value;
            break;
        case Arg::User:
            o.user = *value;
            break;
        case Arg::View:
            viewGiven = true;
            if (*value == "money")
                o.view = View::Money;
            else if (*value == "types")
                o.view = View::Types;
            else if (*value == "payment")
                o.view = View::Payment;
            else if (*value == "currency")
                o.view = View::Currency;
            else {
                r.error = "unknown view \"" + *value + "\" (money, types, payment or currency)";
                return r;
            }
            break;
        case Arg::Mode:
            o.modeGiven = true;
            if (*value == "chrono")
                o.mode = DisplayMode::Chronological;
            else if (*value == "month")
                o.mode = DisplayMode::ByMonth;
            else if (*value == "quarter")
                o.mode = DisplayMode::ByQuarter;
            else if (*value == "year")
                o.mode = DisplayMode::ByYear;
            else {
                r.error = "unknown mode \"" + *value + "\" (chrono, month, quarter or year)";
                return r;
            }
            break;
        case Arg::Flow:
            o.flowGiven = true;
            if (*value == "in")
                o.flow = FlowChoice::In;
            else if (*value == "out")
                o.flow = FlowChoice::Out;
            else if (*value == "inout")
                o.flow = FlowChoice::InOut;
            else {
                r.error = "unknown flow \"" + *value + "\" (in, out or inout)";
                return r;
            }
            break;
        case Arg::Category:
            o.category = SingleByteText(*value);
            break;
        case Arg::Trans:
            o.filter.Trans = SingleByteText(*value);
            o.filterOn = true;
            break;
        case Arg::Pay:
            o.filter.Pay = SingleByteText(*value);
            o.filterOn = true;
            break;
        case Arg::Curr:
            o.filter.Curr = SingleByteText(*value);
            o.filterOn = true;
            break;
        case Arg::From:
        case Arg::To: {
            CalendarDay day;
            const std::string problem = parseDay(*value, day);
            if (!problem.empty()) {
                r.error = std::string(shown) + " \"" + *value + "\" " + problem;
                return r;
            }
            if (option->arg == Arg::From) {
                o.filter.FromOn = true;
                o.filter.From = day;
            } else {
                o.filter.ToOn = true;
                o.filter.To = day;
            }
            o.filterOn = true;
            break;
        }
        case Arg::Display:
            o.display = SingleByteText(*value);
            break;
        case Arg::NoHeader:
            o.header = false;
            break;
        case Arg::Total:
            o.total = true;
            break;
        case Arg::Output:
            if (value->empty()) {
                r.error = "option --output needs a file name";
                return r;
            }
            o.output = *value;
            break;
        case Arg::Help:
        case Arg::Version:
            break;
        }
    }

    o.viewGiven = viewGiven;
    if (o.format == Format::Periods) {
        r.error = PeriodsUsageError(o);
        o.filter.On = o.filterOn;
        return r;
    }
    if (isFinance(o.format)) {
        // The records of the money view, whatever is written from them.
        const std::string format = std::string("--format ") + specOf(o.format).name;
        if (viewGiven && o.view != View::Money) {
            r.error = format + " writes the money view's records; --view must be money";
            return r;
        }
        if (!listOnlyGiven.empty()) {
            r.error = std::string("option ") + longName(listOnlyGiven.front()) +
                      " applies to --format view only";
            return r;
        }
        if (specOf(o.format).toFolder && !o.output) {
            r.error = format + " writes several files: name their folder with -o DIR";
            return r;
        }
        o.filter.On = o.filterOn;
        return r;
    }
    if (!viewGiven) {
        r.error = "option --view is required";
        return r;
    }
    if (o.view != View::Money && !moneyOnlyGiven.empty()) {
        r.error = std::string("option ") + longName(moneyOnlyGiven.front()) +
                  " applies to the money view only";
        return r;
    }
    o.filter.On = o.filterOn;
    return r;
}

int RunExport(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    const ParseResult parsed = ParseArguments(args);
    const auto usage = [&](const std::string& message) {
        err << "ledra-export: " << message << "\n\n" << kUsage;
        err.flush();
        return kUsageError;
    };
    if (!parsed.error.empty())
        return usage(parsed.error);
    const Options& o = parsed.options;
    if (o.help || o.version) {
        if (o.help)
            out << kUsage;
        else
            out << "ledra-export " << LedraVersion() << "\n";
        out.flush();
        return out ? kWritten : kFileError;
    }

    // Without --root, the folder the viewer searches: $LEDRA_DATA_ROOT, the folder chosen in
    // the viewer, ~/Palm/.
    const RootChoice rootChoice(o.root);
    const std::string searched = userdir::SearchedFolder();
    const std::string root = directoryRoot();
    std::string user;
    if (o.user) {
        user = *o.user;
    } else {
        const std::vector<std::string> users = userdir::UserNames();
        if (users.empty())
            return usage("no handheld user under " + searched +
                         (isFolder(searched)
                              ? " (the folder holds no user's folder with a BACKUP folder, "
                                "and no database files)"
                              : " (the folder does not exist)") +
                         "; name the folder with --root, or the user with --user");
        if (users.size() > 1) {
            std::string list;
            for (const std::string& u : users)
                list += "\n  " + u;
            return usage("there are several handheld users under " + searched +
                         "; choose one with --user:" + list);
        }
        user = users.front();
    }

    // All four, whatever the view, as the viewer offers a view only when all four opened.
    const DatabasePaths paths = DatabasePathsFor(root, user);
    Databases db;
    bool opened[4] = {};
    const bool failed =
        !OpenUserDatabases(paths, db.money, db.payment, db.currency, db.types, &opened);
    if (failed)
        err << MissingFileMessage(paths, opened);
    // What can be read of a damaged file is written all the same; the faults go to stderr.
    err << CheckDatabases({{db.money, DatabaseKind::Money, paths.money},
                           {db.payment, DatabaseKind::Payment, paths.payment},
                           {db.currency, DatabaseKind::Currency, paths.currency},
                           {db.types, DatabaseKind::Types, paths.types}});
    if (failed) {
        err.flush();
        return kFileError;
    }

    // Choices that the viewer accepts but that do something other than they seem to.
    std::vector<std::string> notes;
    if (o.filter.FromOn != o.filter.ToOn)
        notes.push_back(
            std::string(o.filter.FromOn ? "--from without --to" : "--to without --from") +
            ": no date test is made");

    if (isFinance(o.format))
        return writeFinance(o, db, notes, out, err);

    TextTable table; // the lists other than Money
    std::string totalLine;
    std::vector<std::string> periodLines;
    CategoryInfo cats;
    ListingChoices c;
    CurrencyTable currencies;
    switch (o.view) {
    case View::Money: {
        if (o.format == Format::Periods) {
            periodLines = PeriodLines(o, db.money, db.types, db.payment, db.currency, notes);
            break;
        }
        cats = CategoryInfo::fromDatabase(db.money);
        c = choicesOf(o, cats);
        if (o.total) {
            NoRows none;
            const MoneyListing listing = FillListInto(db.money, db.types, db.payment, db.currency,
                                                      currencies, cats, c, none);
            // The display currency as the view restores it: the saved code on pCurr, matched
            // against the slots, the home currency when nothing matches.
            const std::string caption =
                o.display ? *o.display : currencies.slot[listing.home].code();
            const int display = MatchDisplayCurrency(currencies, caption, listing.home);
            if (o.display && currencies.slot[display].code() != caption)
                notes.push_back("no currency has the code \"" + caption +
                                "\"; the total is in the home currency \"" +
                                currencies.slot[listing.home].code() + "\"");
            totalLine = TotalText(listing.IncomeTotal, listing.ExpenseTotal, o.flow, currencies,
                                  display, listing.home) +
                        " " + caption + "\n";
        }
        break;
    }
    case View::Types:
        table = TypeListRows(db.types, TypeList::Types);
        break;
    case View::Payment:
        table = TypeListRows(db.payment, TypeList::Payment);
        break;
    case View::Currency: {
        LoadCurrencyTable(db.currency, currencies);
        table = CurrencyListRows(currencies);
        break;
    }
    }

    std::string problem;
    if (o.format == Format::Periods) {
        problem = emit(
            o, [&periodLines](const ByteWriter& write) { return write(CsvBytes(periodLines)); },
            out);
    } else if (o.total) {
        problem = emit(
            o, [&totalLine](const ByteWriter& write) { return write(totalLine); }, out);
    } else {
        problem = emit(
            o,
            [&](const ByteWriter& write) {
                CsvPieceWriter csv(write);
                if (o.view == View::Money) {
                    if (o.header)
                        csv.line(MoneyColumns());
                    CsvRows rows(csv);
                    FillListInto(db.money, db.types, db.payment, db.currency, currencies, cats, c,
                                 rows);
                } else {
                    if (o.header)
                        csv.line(table.columns);
                    for (const std::vector<std::string>& row : table.rows)
                        csv.line(row);
                }
                return csv.finish();
            },
            out);
    }
    if (!reportOutput(problem, notes, err))
        return kFileError;
    err.flush();
    return kWritten;
}

} // namespace ledraexport
