#pragma once
// Dates rendered and parsed with given formats, for Regional (the formats in force) and
// LocaleFormats (which tries a locale's formats before it takes them).

#include "platform/Regional.h"

#include <optional>
#include <string>
#include <string_view>

// Composite conversions spelled out, flags, widths and E/O modifiers dropped; with
// `fourDigitYear`, %y becomes %Y.
const std::string& NormalizeDateFormat(std::string_view format, bool fourDigitYear);
std::string RenderDateTime(std::string_view format, const DateTimeValue& value,
                           const RegionalFormats& formats);
// A date in formats.shortDate alone, or followed by a blank and a time in formats.longTime.
std::optional<DateTimeValue> ParseDateTimeWith(std::string_view text,
                                               const RegionalFormats& formats);
