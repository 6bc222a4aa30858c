#pragma once
// Comma-separated lines as the export writes them: a field holding a byte 1..32, a double
// quote or a comma is enclosed in double quotes with inner quotes doubled; a lone empty field
// is written as two double quotes; CR LF ends every line; no byte-order mark.

#include "platform/CellTable.h"
#include "platform/TextTable.h"

#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

std::string CsvLine(const std::vector<std::string>& fields);

// The lines of `table`: the captions first when `header`, then every row with its own cells.
std::vector<std::string> CsvLines(const TextTable& table, bool header);

// Writes each line followed by CR LF. Throws LedraError "Cannot create file <path>" when the
// file cannot be written; a failed write never leaves a half-written file in place of the file
// that was there.
void WriteCsvFile(const std::string& path, const std::vector<std::string>& lines);
// The bytes WriteCsvFile would write.
std::string CsvBytes(const std::vector<std::string>& lines);

// Appends the line of `fields` and its CR LF to `out`: what CsvLine gives, without a string of
// its own per line.
void AppendCsvLine(std::string& out, std::span<const std::string_view> fields);

// Forms CSV lines and hands them on in pieces of about 64 KiB, so that no copy of a whole file
// is ever held. After `put` has once returned false, nothing more is handed on.
class CsvPieceWriter {
public:
    explicit CsvPieceWriter(std::function<bool(std::string_view)> put);
    void line(std::span<const std::string_view> fields);
    void line(const std::vector<std::string>& fields);
    // Hands on what is left; whether every piece was taken.
    bool finish();

private:
    void handOn();
    std::function<bool(std::string_view)> put_;
    std::string piece_;
    std::vector<std::string_view> views_;
    bool ok_ = true;
};

// The file bytes of `rows` (the captions first when `header`), handed to `put` in pieces of
// about 64 KiB as they are formed, so that no copy of the whole file is ever held. Stops and
// returns false as soon as `put` does.
bool CsvPieces(const std::vector<std::string>& columns, const CellTable& rows, bool header,
               const std::function<bool(std::string_view)>& put);

// WriteCsvFile for a CellTable, written as it is formed; the same bytes and the same error.
void WriteCsvFile(const std::string& path, const std::vector<std::string>& columns,
                  const CellTable& rows, bool header);
