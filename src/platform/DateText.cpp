#include "platform/DateText.h"

#include <cstdio>
#include <vector>

namespace {

constexpr const char* kEnglishDays[7] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                         "Thursday", "Friday", "Saturday"};

char foldAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool startsWithIgnoringCase(std::string_view text, std::string_view prefix) {
    if (prefix.empty() || text.size() < prefix.size())
        return false;
    for (std::size_t i = 0; i < prefix.size(); ++i)
        if (foldAscii(text[i]) != foldAscii(prefix[i]))
            return false;
    return true;
}

// 0 Sunday .. 6 Saturday, for any day of the proleptic Gregorian calendar.
int weekday(const CalendarDay& d) {
    int y = d.year;
    const int m = d.month;
    y -= m <= 2;
    const int era = (y >= 0 ? y : y - 399) / 400;
    const int yoe = y - era * 400;
    const int doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d.day - 1;
    const int doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    const long days = static_cast<long>(era) * 146097 + doe - 719468; // 0 = 1970-01-01, Thursday
    return static_cast<int>(((days % 7) + 7 + 4) % 7);
}

bool isFlag(char c) {
    return c == '-' || c == '_' || c == '0' || c == '^' || c == '#';
}

// Conversions spelled out, flags, widths and E/O modifiers dropped: what remains is "%x" for
// single conversion letters and literal text.
std::string normalizeUncached(std::string_view f, bool fourDigitYear) {
    std::string out;
    for (std::size_t i = 0; i < f.size(); ++i) {
        if (f[i] != '%' || i + 1 >= f.size()) {
            out += f[i];
            continue;
        }
        std::size_t j = i + 1;
        while (j < f.size() && isFlag(f[j]))
            ++j;
        while (j < f.size() && f[j] >= '1' && f[j] <= '9')
            ++j;
        if (j < f.size() && (f[j] == 'E' || f[j] == 'O'))
            ++j;
        if (j >= f.size()) {
            out += f.substr(i);
            break;
        }
        const char c = f[j];
        i = j;
        switch (c) {
        case 'D':
            out += fourDigitYear ? "%m/%d/%Y" : "%m/%d/%y";
            break;
        case 'F':
            out += "%Y-%m-%d";
            break;
        case 'T':
            out += "%H:%M:%S";
            break;
        case 'R':
            out += "%H:%M";
            break;
        case 'r':
            out += "%I:%M:%S %p";
            break;
        case 'h':
            out += "%b";
            break;
        case 'y':
            out += fourDigitYear ? "%Y" : "%y";
            break;
        default:
            out += '%';
            out += c;
        }
    }
    return out;
}

// The formats in force are normalized again and again; the last few are kept.
const std::string& normalize(std::string_view f, bool fourDigitYear) {
    struct Entry {
        std::string raw;
        bool fourDigitYear;
        std::string normalized;
    };
    thread_local std::vector<Entry> cache;
    for (const Entry& e : cache)
        if (e.fourDigitYear == fourDigitYear && e.raw == f)
            return e.normalized;
    if (cache.size() >= 8)
        cache.erase(cache.begin());
    cache.push_back({std::string(f), fourDigitYear, normalizeUncached(f, fourDigitYear)});
    return cache.back().normalized;
}

void appendNumber(std::string& out, int value, int width, char pad) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%d", value);
    for (int n = static_cast<int>(std::char_traits<char>::length(buf)); n < width; ++n)
        out += pad;
    out += buf;
}

std::string render(std::string_view rawFormat, const DateTimeValue& v,
                   const RegionalFormats& formats) {
    const std::string f = normalize(rawFormat, false);
    const CalendarDay& d = v.day;
    const int hour12 = v.time.hour % 12 == 0 ? 12 : v.time.hour % 12;
    std::string out;
    for (std::size_t i = 0; i < f.size(); ++i) {
        if (f[i] != '%' || i + 1 >= f.size()) {
            out += f[i];
            continue;
        }
        const char c = f[++i];
        const std::string month =
            d.month >= 1 && d.month <= 12 ? formats.monthNames[d.month - 1] : std::string();
        switch (c) {
        case 'd':
            appendNumber(out, d.day, 2, '0');
            break;
        case 'e':
            appendNumber(out, d.day, 2, ' ');
            break;
        case 'm':
            appendNumber(out, d.month, 2, '0');
            break;
        case 'Y':
            appendNumber(out, d.year, 4, '0');
            break;
        case 'y':
            appendNumber(out, ((d.year % 100) + 100) % 100, 2, '0');
            break;
        case 'C':
            appendNumber(out, d.year / 100, 2, '0');
            break;
        case 'b':
            out += month.substr(0, 3);
            break;
        case 'B':
            out += month;
            break;
        case 'a':
            out += std::string(kEnglishDays[weekday(d)]).substr(0, 3);
            break;
        case 'A':
            out += kEnglishDays[weekday(d)];
            break;
        case 'H':
            appendNumber(out, v.time.hour, 2, '0');
            break;
        case 'k':
            appendNumber(out, v.time.hour, 2, ' ');
            break;
        case 'I':
            appendNumber(out, hour12, 2, '0');
            break;
        case 'l':
            appendNumber(out, hour12, 2, ' ');
            break;
        case 'M':
            appendNumber(out, v.time.minute, 2, '0');
            break;
        case 'S':
            appendNumber(out, v.time.second, 2, '0');
            break;
        case 'p':
            out += v.time.hour < 12 ? "AM" : "PM";
            break;
        case 'P':
            out += v.time.hour < 12 ? "am" : "pm";
            break;
        case 'n':
            out += '\n';
            break;
        case 't':
            out += '\t';
            break;
        case '%':
            out += '%';
            break;
        default:
            out += '%';
            out += c;
        }
    }
    return out;
}

struct Fields {
    int day = -1, month = -1, year = -1;
    int hour = -1, hour12 = -1, minute = 0, second = 0;
    int pm = -1; // -1 no %p, 0 AM, 1 PM
};

// Up to `maxDigits` digits, at least `minDigits`; one leading blank where the format pads with
// blanks.
bool number(std::string_view text, std::size_t& pos, int minDigits, int maxDigits, bool blankPad,
            int& out) {
    if (blankPad && pos < text.size() && text[pos] == ' ')
        ++pos;
    int n = 0, value = 0;
    while (n < maxDigits && pos < text.size() && text[pos] >= '0' && text[pos] <= '9') {
        value = value * 10 + (text[pos] - '0');
        ++pos;
        ++n;
    }
    if (n < minDigits)
        return false;
    out = value;
    return true;
}

// The longest of `names` (or their first three characters, when `abbreviated` is allowed) at
// `pos`; its index, or -1.
int matchName(std::string_view text, std::size_t& pos, const std::string* names, int count,
              bool abbreviated) {
    int best = -1;
    std::size_t bestLen = 0;
    for (int i = 0; i < count; ++i) {
        const std::string& name = names[i];
        const std::string_view rest = text.substr(pos);
        if (name.size() > bestLen && startsWithIgnoringCase(rest, name)) {
            best = i;
            bestLen = name.size();
        }
        const std::string abbr = name.substr(0, 3);
        if (abbreviated && abbr.size() > bestLen && startsWithIgnoringCase(rest, abbr)) {
            best = i;
            bestLen = abbr.size();
        }
    }
    pos += bestLen;
    return best;
}

bool parsePart(std::string_view text, std::size_t& pos, std::string_view rawFormat,
               const RegionalFormats& formats, Fields& fl) {
    const std::string f = normalize(rawFormat, false);
    for (std::size_t i = 0; i < f.size(); ++i) {
        if (f[i] != '%' || i + 1 >= f.size()) {
            if (pos >= text.size() || text[pos] != f[i])
                return false;
            ++pos;
            continue;
        }
        const char c = f[++i];
        switch (c) {
        case 'd':
        case 'e':
            if (!number(text, pos, 1, 2, c == 'e', fl.day))
                return false;
            break;
        case 'm':
            if (!number(text, pos, 1, 2, false, fl.month))
                return false;
            break;
        case 'Y':
            if (!number(text, pos, 4, 4, false, fl.year))
                return false;
            break;
        case 'y': {
            int yy = 0;
            if (!number(text, pos, 2, 2, false, yy))
                return false;
            fl.year = yy < 69 ? 2000 + yy : 1900 + yy;
            break;
        }
        case 'H':
        case 'k':
            if (!number(text, pos, 1, 2, c == 'k', fl.hour))
                return false;
            break;
        case 'I':
        case 'l':
            if (!number(text, pos, 1, 2, c == 'l', fl.hour12))
                return false;
            break;
        case 'M':
            if (!number(text, pos, 1, 2, false, fl.minute))
                return false;
            break;
        case 'S':
            if (!number(text, pos, 1, 2, false, fl.second))
                return false;
            break;
        case 'p':
        case 'P': {
            const std::string marks[2] = {"AM", "PM"};
            const int m = matchName(text, pos, marks, 2, false);
            if (m < 0)
                return false;
            fl.pm = m;
            break;
        }
        case 'b':
        case 'B': {
            const int m = matchName(text, pos, formats.monthNames.data(), 12, true);
            if (m < 0)
                return false;
            fl.month = m + 1;
            break;
        }
        case 'a':
        case 'A': {
            std::string days[7];
            for (int k = 0; k < 7; ++k)
                days[k] = kEnglishDays[k];
            if (matchName(text, pos, days, 7, true) < 0)
                return false;
            break;
        }
        case 'n':
        case 't': {
            const std::size_t start = pos;
            while (pos < text.size() && (text[pos] == ' ' || text[pos] == '\t' ||
                                         text[pos] == '\n' || text[pos] == '\r'))
                ++pos;
            if (pos == start)
                return false;
            break;
        }
        case '%':
            if (pos >= text.size() || text[pos] != '%')
                return false;
            ++pos;
            break;
        default:
            return false; // a conversion the parser does not read
        }
    }
    return true;
}

std::optional<DateTimeValue> parseWith(std::string_view text, const RegionalFormats& formats) {
    Fields fl;
    std::size_t pos = 0;
    if (!parsePart(text, pos, formats.shortDate, formats, fl))
        return std::nullopt;
    if (pos != text.size()) {
        if (text[pos] != ' ')
            return std::nullopt;
        ++pos;
        if (!parsePart(text, pos, formats.longTime, formats, fl) || pos != text.size())
            return std::nullopt;
    }
    DateTimeValue v;
    v.day = {fl.year, fl.month, fl.day};
    if (fl.year < 1 || !v.day.isValid())
        return std::nullopt;
    int hour = fl.hour < 0 ? 0 : fl.hour;
    if (fl.hour12 >= 0) {
        if (fl.hour12 < 1 || fl.hour12 > 12)
            return std::nullopt;
        hour = fl.hour12 % 12 + (fl.pm == 1 ? 12 : 0);
    } else if (fl.pm == 1 && hour < 12) {
        hour += 12;
    }
    if (hour > 23 || fl.minute > 59 || fl.second > 59)
        return std::nullopt;
    v.time = {hour, fl.minute, fl.second};
    return v;
}

} // namespace

const std::string& NormalizeDateFormat(std::string_view format, bool fourDigitYear) {
    return normalize(format, fourDigitYear);
}

std::string RenderDateTime(std::string_view format, const DateTimeValue& value,
                           const RegionalFormats& formats) {
    return render(format, value, formats);
}

std::optional<DateTimeValue> ParseDateTimeWith(std::string_view text,
                                               const RegionalFormats& formats) {
    return parseWith(text, formats);
}
