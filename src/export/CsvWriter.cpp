#include "export/CsvWriter.h"

#include "platform/AtomicFile.h"
#include "platform/LedraError.h"

#include <array>

namespace {

// The bytes that make a field need quotes: 1..32, the double quote and the comma. A table,
// as every byte of a 5 MB export passes this test.
constexpr std::array<bool, 256> kQuoteBytes = [] {
    std::array<bool, 256> t{};
    for (int b = 1; b <= 32; ++b)
        t[static_cast<std::size_t>(b)] = true;
    t['"'] = t[','] = true;
    return t;
}();

bool needsQuotes(std::string_view field) {
    for (char ch : field)
        if (kQuoteBytes[static_cast<unsigned char>(ch)])
            return true;
    return false;
}

// One line without its end. Fields go in as whole runs of bytes: a run up to and including
// each inner double quote, then the quote again to double it.
template <typename Fields> void appendLine(std::string& line, const Fields& fields) {
    if (fields.size() == 1 && std::string_view(fields[0]).empty()) {
        line += "\"\"";
        return;
    }
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i > 0)
            line += ',';
        const std::string_view f = fields[i];
        if (!needsQuotes(f)) {
            line += f;
            continue;
        }
        line += '"';
        std::size_t from = 0;
        for (std::size_t q = f.find('"'); q != std::string_view::npos; q = f.find('"', from)) {
            line.append(f.substr(from, q + 1 - from));
            line += '"';
            from = q + 1;
        }
        line.append(f.substr(from));
        line += '"';
    }
}

constexpr std::size_t kPieceSize = 64 * 1024;

} // namespace

std::string CsvLine(const std::vector<std::string>& fields) {
    std::string line;
    appendLine(line, fields);
    return line;
}

void AppendCsvLine(std::string& out, std::span<const std::string_view> fields) {
    appendLine(out, fields);
    out += "\r\n";
}

std::vector<std::string> CsvLines(const TextTable& table, bool header) {
    std::vector<std::string> lines;
    lines.reserve(table.rows.size() + (header ? 1 : 0));
    if (header)
        lines.push_back(CsvLine(table.columns));
    for (const auto& row : table.rows)
        lines.push_back(CsvLine(row));
    return lines;
}

std::string CsvBytes(const std::vector<std::string>& lines) {
    std::size_t total = 0;
    for (const auto& l : lines)
        total += l.size() + 2;
    std::string bytes;
    bytes.reserve(total);
    for (const auto& l : lines) {
        bytes += l;
        bytes += "\r\n";
    }
    return bytes;
}

void WriteCsvFile(const std::string& path, const std::vector<std::string>& lines) {
    if (!ReplaceFileContents(path, CsvBytes(lines)))
        throw LedraError(FormatMessage("Cannot create file %s", path));
}

CsvPieceWriter::CsvPieceWriter(std::function<bool(std::string_view)> put) : put_(std::move(put)) {
    piece_.reserve(kPieceSize + 1024);
}

void CsvPieceWriter::line(std::span<const std::string_view> fields) {
    AppendCsvLine(piece_, fields);
    if (piece_.size() >= kPieceSize)
        handOn();
}

void CsvPieceWriter::line(const std::vector<std::string>& fields) {
    views_.assign(fields.begin(), fields.end());
    line(views_);
}

bool CsvPieceWriter::finish() {
    if (!piece_.empty())
        handOn();
    return ok_;
}

void CsvPieceWriter::handOn() {
    if (ok_)
        ok_ = put_(piece_);
    piece_.clear();
}

bool CsvPieces(const std::vector<std::string>& columns, const CellTable& rows, bool header,
               const std::function<bool(std::string_view)>& put) {
    CsvPieceWriter out(put);
    if (header)
        out.line(columns);
    std::vector<std::string_view> cells;
    for (std::size_t r = 0; r < rows.rowCount(); ++r) {
        rows.rowCells(r, cells);
        out.line(cells);
    }
    return out.finish();
}

void WriteCsvFile(const std::string& path, const std::vector<std::string>& columns,
                  const CellTable& rows, bool header) {
    const bool written = ReplaceFileContents(
        path, [&](const ByteWriter& write) { return CsvPieces(columns, rows, header, write); });
    if (!written)
        throw LedraError(FormatMessage("Cannot create file %s", path));
}
