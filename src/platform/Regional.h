#pragma once
// The user's regional date and time formats and the date parser. On Linux they come from the
// LC_TIME locale of the environment; tests set them directly with SetRegionalFormats.
// Built by job: LocaleFormats.cpp reads a locale, DateText.cpp renders and parses dates with
// given formats, Regional.cpp holds the formats in force.

#include "platform/CalendarDay.h"
#include "platform/DateText.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

// The formats of the environment's LC_TIME locale (nullptr: as the environment says). A short
// date format with a two-digit year (%y) gets a four-digit year instead.
RegionalFormats FormatsFromLocale(const char* localeName = nullptr);
// "%m/%d/%Y", "%H:%M:%S", English month names: the C locale with a four-digit year.
RegionalFormats CFormats();
// The formats built from a locale's raw strings in its character set `codeset` (as
// nl_langinfo gives them): converted to single-byte text, composite conversions (%D %T %R %r
// %F %h) spelled out, flags and E/O modifiers dropped, %y made %Y in the date. A format that
// the parser could not read back falls back to the C one.
RegionalFormats FormatsFromLocaleStrings(const std::string& shortDate, const std::string& longTime,
                                         const std::array<std::string, 12>& monthNames,
                                         const std::string& codeset);

// The formats in force for the whole program; FormatsFromLocale() until set.
const RegionalFormats& CurrentRegionalFormats();
void SetRegionalFormats(const RegionalFormats& formats);

// A valid day in the short date format.
std::string FormatShortDate(const CalendarDay& day);
// The short date and, when the time is not exactly midnight, a blank and the long time.
std::string FormatDateTime(const DateTimeValue& value);
// Full month name for 1..12 ("" otherwise).
std::string MonthName(int month);
// A date alone, or a date, a blank and a time, in the current formats; nothing else.
// Numbers may go without their leading zeros ("1.3.2002" for "%d.%m.%Y"); a four-digit year
// (%Y) needs its four digits; day and time must exist (no 31 February, no 24:00:00);
// month names and AM/PM are matched without regard to case.
std::optional<DateTimeValue> ParseDateTime(std::string_view text);

// strftime-style formatting and the matching parser for any format, with the current month
// names. %p is "AM"/"PM"; %a/%A are English day names.
std::string FormatWith(const std::string& format, const DateTimeValue& value);
