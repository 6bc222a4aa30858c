#pragma once
// Comma-separated lines as the export writes them: a field holding a byte 1..32, a double
// quote or a comma is enclosed in double quotes with inner quotes doubled; a lone empty field
// is written as two double quotes; CR LF ends every line; no byte-order mark.

#include "platform/TextTable.h"

#include <string>
#include <vector>

std::string CsvLine(const std::vector<std::string>& fields);

// The lines of `table`: the captions first when `header`, then every row with its own cells.
std::vector<std::string> CsvLines(const TextTable& table, bool header);

// "Cannot create file <path>": the viewer's and ledra-export's words for an output file that
// cannot be written.
std::string CannotCreateFileMessage(const std::string& path);

// Writes each line followed by CR LF. Throws LedraError "Cannot create file <path>" when the
// file cannot be written; a failed write never leaves a half-written file in place of the file
// that was there.
void WriteCsvFile(const std::string& path, const std::vector<std::string>& lines);
// The bytes WriteCsvFile would write.
std::string CsvBytes(const std::vector<std::string>& lines);
