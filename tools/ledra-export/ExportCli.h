#pragma once
// ledra-export: one of the viewer's four lists as CSV, without a window. The rows come from the
// same listing code and the same CSV writer as the viewer's export dialog, so the bytes are the
// ones the dialog would write for the same choices. With --format, the Money view's records as
// files for other finance programs instead. Reads the databases only; never touches the
// settings file.

#include "export/Views.h"
#include "money/MoneyListing.h"

#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

namespace ledraexport {

// What is written: a view's list as the export dialog writes it, the chart's sums, or the
// Money view's records for another finance program or a spreadsheet.
enum class Format { View, Periods, Csv, Qif, Ofx, HomeBank };

// Exit statuses.
inline constexpr int kWritten = 0;
inline constexpr int kFileError = 1;  // a database cannot be opened, or the output not written
inline constexpr int kUsageError = 2; // the command line asks for something the tool cannot do

struct Options {
    std::optional<std::string> root; // as given; a trailing separator is optional
    std::optional<std::string> user;
    View view = View::Money;
    bool viewGiven = false;
    Format format = Format::View;
    DisplayMode mode = DisplayMode::Chronological;
    bool modeGiven = false;
    bool flowGiven = false;
    FlowChoice flow = FlowChoice::InOut;
    std::string category = "All";
    bool filterOn = false; // any of --trans, --pay, --curr, --from, --to
    FilterSettings filter;
    std::optional<std::string> display; // absent: the home currency's code
    bool header = true;
    bool total = false;
    std::optional<std::string> output;
    bool help = false;
    bool version = false;
};

struct ParseResult {
    Options options;
    std::string error; // empty when the arguments are usable
};

// Reads the arguments that follow the program name. Each option may be given once, its value
// either as the next argument (taken as it is, even when it begins with "-") or after "=".
ParseResult ParseArguments(const std::vector<std::string>& args);

// The text of --help.
const std::string& UsageText();

// An option text from the command line in the databases' single-byte set: valid UTF-8 whose
// characters all have a byte is converted; anything else is taken byte for byte.
std::string SingleByteText(const std::string& given);

// Opens the four databases of the chosen user, builds the view and writes it. `out` gets the
// CSV (or the total line) unless --output names a file; `err` gets messages.
int RunExport(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace ledraexport
