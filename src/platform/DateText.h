#pragma once
// Dates rendered and parsed with given formats, for Regional (the formats in force) and
// LocaleFormats (which tries a locale's formats before it takes them); the value types of both.

#include "platform/CalendarDay.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

struct RegionalFormats {
    std::string shortDate;                  // strftime-style, e.g. "%m/%d/%Y" or "%d.%m.%Y"
    std::string longTime;                   // strftime-style, e.g. "%H:%M:%S"
    std::array<std::string, 12> monthNames; // full names, single-byte text
};

struct TimeOfDay {
    int hour = 0;
    int minute = 0;
    int second = 0;
    bool operator==(const TimeOfDay& o) const {
        return hour == o.hour && minute == o.minute && second == o.second;
    }
};

struct DateTimeValue {
    CalendarDay day;
    TimeOfDay time;
};

// Composite conversions spelled out, flags, widths and E/O modifiers dropped; with
// `fourDigitYear`, %y becomes %Y.
const std::string& NormalizeDateFormat(std::string_view format, bool fourDigitYear);
std::string RenderDateTime(std::string_view format, const DateTimeValue& value,
                           const RegionalFormats& formats);
// A date in formats.shortDate alone, or followed by a blank and a time in formats.longTime.
std::optional<DateTimeValue> ParseDateTimeWith(std::string_view text,
                                               const RegionalFormats& formats);
