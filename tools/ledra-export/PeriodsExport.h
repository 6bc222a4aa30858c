#pragma once
// `ledra-export --format periods`: the chart's sums per period as UTF-8 CSV lines.

#include "ExportCli.h"

#include <string>
#include <vector>

class cPDB;

namespace ledraexport {

// Why the options cannot go with --format periods, or an empty text when they can. Sets the
// period's default mode (month) when --mode was not given.
std::string PeriodsUsageError(Options& o);

// The CSV lines (header first) for the options' selection, period and display currency; a
// note is added for a --display code that no currency has, and for records left out.
std::vector<std::string> PeriodLines(const Options& o, cPDB& money, cPDB& types, cPDB& payment,
                                     cPDB& currency, std::vector<std::string>& notes);

} // namespace ledraexport
