#pragma once
// The user's regional date and time formats and the date parser. On Linux they come from the
// LC_TIME locale of the environment; tests set them directly with SetRegionalFormats.

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

// The formats of the environment's LC_TIME locale (nullptr: as the environment says). A short
// date format with a two-digit year (%y) gets a four-digit year instead.
RegionalFormats FormatsFromLocale(const char* localeName = nullptr);
// "%m/%d/%Y", "%H:%M:%S", English month names: the C locale with a four-digit year.
RegionalFormats CFormats();

// The formats in force for the whole program; FormatsFromLocale() until set.
const RegionalFormats& CurrentRegionalFormats();
void SetRegionalFormats(const RegionalFormats& formats);

struct TimeOfDay {
    int hour = 0;
    int minute = 0;
    int second = 0;
    bool operator==(const TimeOfDay& o) const { return hour == o.hour && minute == o.minute && second == o.second; }
};

struct DateTimeValue {
    CalendarDay day;
    TimeOfDay time;
};

// A valid day in the short date format.
std::string FormatShortDate(const CalendarDay& day);
// The short date and, when the time is not exactly midnight, a blank and the long time.
std::string FormatDateTime(const DateTimeValue& value);
// Full month name for 1..12 ("" otherwise).
std::string MonthName(int month);
// A date alone, or a date, a blank and a time, in the current formats; nothing else.
std::optional<DateTimeValue> ParseDateTime(std::string_view text);
