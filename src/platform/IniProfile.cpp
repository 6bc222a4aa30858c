#include "platform/IniProfile.h"

#include "platform/AtomicFile.h"
#include "platform/LedraError.h"

#include "platform/Text.h"

#include <cerrno>
#include <fcntl.h>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view trim(std::string_view s) {
    while (!s.empty() && isBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && isBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

struct Line {
    std::size_t begin = 0;    // first byte of the line
    std::string_view content; // without the line end (and without a leading byte-order mark)
    std::size_t end = 0;      // one past the line end
    bool terminated = false;  // ends with LF
};

std::vector<Line> splitLines(std::string_view text) {
    std::vector<Line> lines;
    std::size_t pos = 0;
    while (pos < text.size()) {
        Line line;
        line.begin = pos;
        const std::size_t lf = text.find('\n', pos);
        std::size_t stop = lf == std::string_view::npos ? text.size() : lf;
        line.end = lf == std::string_view::npos ? text.size() : lf + 1;
        line.terminated = lf != std::string_view::npos;
        std::size_t start = pos;
        if (pos == 0 && text.substr(0, 3) == "\xEF\xBB\xBF")
            start = 3;
        if (stop > start && text[stop - 1] == '\r')
            --stop;
        line.content = stop > start ? text.substr(start, stop - start) : std::string_view();
        lines.push_back(line);
        pos = line.end;
    }
    return lines;
}

// The name of a section line, or nothing for any other line.
std::optional<std::string_view> sectionName(std::string_view content) {
    const std::string_view t = trim(content);
    if (t.empty() || t.front() != '[')
        return std::nullopt;
    const std::size_t close = t.find(']');
    return trim(t.substr(1, close == std::string_view::npos ? std::string_view::npos : close - 1));
}

struct Entry {
    std::string_view key;
    std::string_view value;
};

std::optional<Entry> entryOf(std::string_view content) {
    const std::size_t eq = content.find('=');
    if (eq == std::string_view::npos)
        return std::nullopt;
    return Entry{trim(content.substr(0, eq)), content.substr(eq + 1)};
}

struct Location {
    std::optional<std::size_t> header;  // line of the section's first occurrence
    std::size_t sectionEnd = 0;         // first line after the section
    std::optional<std::size_t> keyLine; // first line of the key within the section
};

Location locate(const std::vector<Line>& lines, std::string_view section, std::string_view key) {
    Location loc;
    section = trim(section);
    key = trim(key);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const auto name = sectionName(lines[i].content);
        if (!loc.header) {
            if (name && ansi::equalsIgnoringAsciiCase(*name, section))
                loc.header = i;
            continue;
        }
        if (name) {
            loc.sectionEnd = i;
            return loc;
        }
        if (!loc.keyLine) {
            const auto e = entryOf(lines[i].content);
            if (e && ansi::equalsIgnoringAsciiCase(e->key, key))
                loc.keyLine = i;
        }
    }
    loc.sectionEnd = lines.size();
    return loc;
}

std::string valueText(std::string_view raw) {
    std::string_view v = trim(raw);
    if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front())
        v = v.substr(1, v.size() - 2);
    const std::size_t nul = v.find('\0');
    if (nul != std::string_view::npos)
        v = v.substr(0, nul);
    if (v.size() > kMaxProfileValue)
        v = v.substr(0, kMaxProfileValue);
    return std::string(v);
}

enum class ReadResult { Ok, Missing, Failed };

ReadResult readFile(const std::string& path, std::string& out) {
    out.clear();
    if (path.empty())
        return ReadResult::Missing;
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return errno == ENOENT ? ReadResult::Missing : ReadResult::Failed;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return ReadResult::Failed;
    }
    out.reserve(static_cast<std::size_t>(st.st_size));
    char buf[65536];
    for (;;) {
        const ssize_t n = ::read(fd, buf, sizeof buf);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            ::close(fd);
            return ReadResult::Failed;
        }
        if (n == 0)
            break;
        out.append(buf, static_cast<std::size_t>(n));
    }
    ::close(fd);
    return ReadResult::Ok;
}

} // namespace

std::optional<std::string> ProfileValue(const std::string& contents, const std::string& section,
                                        const std::string& key) {
    const std::vector<Line> lines = splitLines(contents);
    const Location loc = locate(lines, section, key);
    if (!loc.keyLine)
        return std::nullopt;
    return valueText(entryOf(lines[*loc.keyLine].content)->value);
}

std::string ProfileWithKey(const std::string& contents, const std::string& section,
                           const std::string& key, const std::string& value) {
    const std::size_t cut = value.find_first_of(std::string_view("\r\n\0", 3));
    const std::string line =
        key + "=" + (cut == std::string::npos ? value : value.substr(0, cut)) + "\r\n";
    const std::vector<Line> lines = splitLines(contents);
    const Location loc = locate(lines, section, key);

    if (loc.keyLine) {
        const Line& old = lines[*loc.keyLine];
        return contents.substr(0, old.begin) + line + contents.substr(old.end);
    }
    if (loc.header) {
        std::size_t last = *loc.header;
        for (std::size_t i = *loc.header + 1; i < loc.sectionEnd; ++i)
            if (!trim(lines[i].content).empty())
                last = i;
        const Line& after = lines[last];
        return contents.substr(0, after.end) + (after.terminated ? "" : "\r\n") + line +
               contents.substr(after.end);
    }
    std::string out = contents;
    if (!out.empty() && out.back() != '\n')
        out += "\r\n";
    out += "[" + section + "]\r\n" + line;
    return out;
}

std::optional<std::string> FindProfileString(const std::string& section, const std::string& key,
                                             const std::string& path) {
    std::string contents;
    if (readFile(path, contents) != ReadResult::Ok)
        return std::nullopt;
    return ProfileValue(contents, section, key);
}

std::string GetProfileString(const std::string& section, const std::string& key,
                             const std::string& defaultValue, const std::string& path) {
    std::optional<std::string> v = FindProfileString(section, key, path);
    return v ? std::move(*v) : defaultValue;
}

void WriteProfileString(const std::string& section, const std::string& key,
                        const std::string& value, const std::string& path) {
    WriteProfileStrings({{section, key, value}}, path);
}

void WriteProfileStrings(const std::vector<ProfileEntry>& entries, const std::string& path) {
    const auto refused = [&path] {
        return LedraError(FormatMessage("Unable to write to %s", path));
    };
    std::string contents;
    // A file whose old contents cannot be read is never replaced: its other lines would be lost.
    if (readFile(path, contents) == ReadResult::Failed)
        throw refused();
    for (const ProfileEntry& e : entries)
        contents = ProfileWithKey(contents, e.section, e.key, e.value);
    if (!ReplaceFileContents(path, contents))
        throw refused();
}
