#include "platform/DateText.h"
#include "platform/Regional.h"
#include "platform/Text.h"

#include <langinfo.h>
#include <locale.h>

// Reading the user's formats from the environment's LC_TIME locale.

namespace {

constexpr const char* kEnglishMonths[12] = {"January",   "February", "March",    "April",
                                            "May",       "June",     "July",     "August",
                                            "September", "October",  "November", "December"};

// Every format has to survive its own parser over the range of days the settings keep. Only
// the day has to come back: the pickers keep their own time of day, so a time format without
// seconds is good enough.
bool roundTrips(const RegionalFormats& f) {
    const DateTimeValue samples[] = {
        {{1904, 1, 1}, {0, 0, 1}},   {{2031, 12, 31}, {23, 59, 59}}, {{2002, 11, 23}, {13, 5, 9}},
        {{1999, 2, 28}, {12, 0, 0}}, {{2024, 2, 29}, {0, 30, 0}},    {{2010, 10, 10}, {11, 59, 58}},
    };
    for (const DateTimeValue& s : samples) {
        const auto back = ParseDateTimeWith(
            RenderDateTime(f.shortDate, s, f) + " " + RenderDateTime(f.longTime, s, f), f);
        if (!back || back->day != s.day)
            return false;
        const auto dateOnly = ParseDateTimeWith(RenderDateTime(f.shortDate, s, f), f);
        if (!dateOnly || dateOnly->day != s.day)
            return false;
    }
    return true;
}

} // namespace

RegionalFormats CFormats() {
    RegionalFormats f;
    f.shortDate = "%m/%d/%Y";
    f.longTime = "%H:%M:%S";
    for (int i = 0; i < 12; ++i)
        f.monthNames[i] = kEnglishMonths[i];
    return f;
}

RegionalFormats FormatsFromLocaleStrings(const std::string& shortDate, const std::string& longTime,
                                         const std::array<std::string, 12>& monthNames,
                                         const std::string& codeset) {
    const RegionalFormats c = CFormats();
    RegionalFormats f;
    for (int i = 0; i < 12; ++i) {
        f.monthNames[i] = ansi::fromCodeset(monthNames[i], codeset);
        if (f.monthNames[i].empty())
            f.monthNames[i] = c.monthNames[i];
    }
    RegionalFormats probe = c;
    probe.monthNames = f.monthNames;
    probe.shortDate = NormalizeDateFormat(ansi::fromCodeset(shortDate, codeset), true);
    f.shortDate = !probe.shortDate.empty() && roundTrips(probe) ? probe.shortDate : c.shortDate;
    probe.shortDate = c.shortDate;
    probe.longTime = NormalizeDateFormat(ansi::fromCodeset(longTime, codeset), false);
    f.longTime = !probe.longTime.empty() && roundTrips(probe) ? probe.longTime : c.longTime;
    return f;
}

RegionalFormats FormatsFromLocale(const char* localeName) {
    locale_t loc =
        ::newlocale(LC_TIME_MASK, localeName ? localeName : "", static_cast<locale_t>(0));
    if (loc == static_cast<locale_t>(0))
        return CFormats();
    std::array<std::string, 12> months;
    for (int i = 0; i < 12; ++i)
        months[i] = ::nl_langinfo_l(static_cast<nl_item>(MON_1 + i), loc);
    RegionalFormats f =
        FormatsFromLocaleStrings(::nl_langinfo_l(D_FMT, loc), ::nl_langinfo_l(T_FMT, loc), months,
                                 ::nl_langinfo_l(_NL_TIME_CODESET, loc));
    ::freelocale(loc);
    return f;
}
