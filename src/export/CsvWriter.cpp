#include "export/CsvWriter.h"

#include "platform/AtomicFile.h"
#include "platform/LedraError.h"

namespace {

bool needsQuotes(const std::string& field) {
    for (char ch : field) {
        const auto b = static_cast<unsigned char>(ch);
        if ((b >= 1 && b <= 32) || b == '"' || b == ',')
            return true;
    }
    return false;
}

} // namespace

std::string CsvLine(const std::vector<std::string>& fields) {
    if (fields.size() == 1 && fields.front().empty())
        return "\"\"";
    std::string line;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i > 0)
            line += ',';
        const std::string& f = fields[i];
        if (!needsQuotes(f)) {
            line += f;
            continue;
        }
        line += '"';
        for (char ch : f) {
            if (ch == '"')
                line += '"';
            line += ch;
        }
        line += '"';
    }
    return line;
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
    int error = 0;
    if (!ReplaceFileContents(path, CsvBytes(lines), &error))
        throw LedraError(FormatMessage("Cannot create file %s", path) + ".\n" +
                         SystemReason(error));
}
