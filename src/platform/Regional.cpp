#include "platform/Regional.h"

#include "platform/DateText.h"

// The formats in force and the dates of the whole program in them.

namespace {

RegionalFormats& current() {
    static RegionalFormats formats = FormatsFromLocale();
    return formats;
}

} // namespace

const RegionalFormats& CurrentRegionalFormats() {
    return current();
}

void SetRegionalFormats(const RegionalFormats& formats) {
    current() = formats;
}

std::string FormatWith(const std::string& fmt, const DateTimeValue& value) {
    return RenderDateTime(fmt, value, current());
}

std::string FormatShortDate(const CalendarDay& day) {
    return RenderDateTime(current().shortDate, DateTimeValue{day, {}}, current());
}

std::string FormatDateTime(const DateTimeValue& value) {
    std::string out = FormatShortDate(value.day);
    if (value.time != TimeOfDay{}) {
        out += ' ';
        out += RenderDateTime(current().longTime, value, current());
    }
    return out;
}

std::string MonthName(int month) {
    return month >= 1 && month <= 12 ? current().monthNames[month - 1] : std::string();
}

std::optional<DateTimeValue> ParseDateTime(std::string_view text) {
    return ParseDateTimeWith(text, current());
}
