#include "platform/Regional.h"

#include <cstdlib>
#include <gtest/gtest.h>

namespace {

RegionalFormats usFormats() {
    RegionalFormats f = CFormats();
    f.longTime = "%I:%M:%S %p";
    return f;
}

RegionalFormats germanFormats() {
    RegionalFormats f = CFormats();
    f.shortDate = "%d.%m.%Y";
    f.longTime = "%H:%M:%S";
    f.monthNames = {"Januar", "Februar", "M\xE4rz",   "April",   "Mai",      "Juni",
                    "Juli",   "August",  "September", "Oktober", "November", "Dezember"};
    return f;
}

class Regional : public ::testing::Test {
protected:
    void SetUp() override { SetRegionalFormats(CFormats()); }
    void TearDown() override { SetRegionalFormats(CFormats()); }
};

bool operator==(const RegionalFormats& a, const RegionalFormats& b) {
    return a.shortDate == b.shortDate && a.longTime == b.longTime && a.monthNames == b.monthNames;
}

TEST_F(Regional, EveryDayFrom1904To2031ComesBackUnchanged) {
    const RegionalFormats all[] = {CFormats(), usFormats(), germanFormats()};
    for (const RegionalFormats& f : all) {
        SetRegionalFormats(f);
        int n = 0;
        for (int y = 1904; y <= 2031; ++y)
            for (int m = 1; m <= 12; ++m)
                for (int d = 1; d <= CalendarDay::daysInMonth(y, m); ++d, ++n) {
                    const CalendarDay day{y, m, d};
                    const auto alone = ParseDateTime(FormatShortDate(day));
                    ASSERT_TRUE(alone) << f.shortDate << " " << FormatShortDate(day);
                    EXPECT_EQ(alone->day, day);
                    EXPECT_EQ(alone->time, TimeOfDay{});
                    const DateTimeValue v{day, {n % 24, (n * 7) % 60, (n * 13) % 60}};
                    const auto withTime = ParseDateTime(FormatDateTime(v));
                    ASSERT_TRUE(withTime) << f.longTime << " " << FormatDateTime(v);
                    EXPECT_EQ(withTime->day, day);
                    EXPECT_EQ(withTime->time, v.time);
                }
    }
}

TEST_F(Regional, Formatting) {
    const DateTimeValue afternoon{{2002, 3, 1}, {13, 5, 9}};
    const DateTimeValue midnight{{2002, 3, 1}, {0, 0, 0}};
    const DateTimeValue afterMidnight{{1904, 12, 31}, {0, 30, 0}};
    const DateTimeValue noon{{2031, 1, 9}, {12, 0, 1}};
    EXPECT_EQ(FormatShortDate({2002, 3, 1}), "03/01/2002");
    EXPECT_EQ(FormatDateTime(afternoon), "03/01/2002 13:05:09");
    EXPECT_EQ(FormatDateTime(midnight), "03/01/2002");
    SetRegionalFormats(usFormats());
    EXPECT_EQ(FormatDateTime(afternoon), "03/01/2002 01:05:09 PM");
    EXPECT_EQ(FormatDateTime(afterMidnight), "12/31/1904 12:30:00 AM");
    EXPECT_EQ(FormatDateTime(noon), "01/09/2031 12:00:01 PM");
    SetRegionalFormats(germanFormats());
    EXPECT_EQ(FormatDateTime(afternoon), "01.03.2002 13:05:09");
    EXPECT_EQ(MonthName(3), "M\xE4rz");
    EXPECT_EQ(MonthName(0), "");
    EXPECT_EQ(MonthName(13), "");
    EXPECT_EQ(FormatWith("%a %A %b %B %e|%k|%l %P %C %y %%", afternoon),
              "Fri Friday M\xE4r M\xE4rz  1|13| 1 pm 20 02 %");
    EXPECT_EQ(FormatWith("%D %F %R %r %T %h", afternoon),
              "03/01/02 2002-03-01 13:05 01:05:09 PM 13:05:09 M\xE4r");
    EXPECT_EQ(FormatWith("%-d.%_m.%Ey %OH", afternoon), "01.03.02 13");
}

struct ParseCase {
    const char* text;
    std::optional<DateTimeValue> expected;
};

void expectParses(const RegionalFormats& f, const std::vector<ParseCase>& cases) {
    SetRegionalFormats(f);
    for (const ParseCase& c : cases) {
        const auto got = ParseDateTime(c.text);
        ASSERT_EQ(got.has_value(), c.expected.has_value()) << f.shortDate << " '" << c.text << "'";
        if (got) {
            EXPECT_EQ(got->day, c.expected->day) << c.text;
            EXPECT_EQ(got->time, c.expected->time) << c.text;
        }
    }
}

DateTimeValue at(int y, int m, int d, int hh = 0, int mm = 0, int ss = 0) {
    return {{y, m, d}, {hh, mm, ss}};
}

TEST_F(Regional, GermanParser) {
    expectParses(germanFormats(), {
                                      {"01.03.2002", at(2002, 3, 1)},
                                      {"1.3.2002", at(2002, 3, 1)},
                                      {"01.03.2002 13:05:09", at(2002, 3, 1, 13, 5, 9)},
                                      {"01.03.2002 0:0:1", at(2002, 3, 1, 0, 0, 1)},
                                      {"29.02.2000", at(2000, 2, 29)},
                                      {"31.12.9999 23:59:59", at(9999, 12, 31, 23, 59, 59)},
                                      {"", std::nullopt},
                                      {"31.02.2002", std::nullopt},
                                      {"29.02.2001", std::nullopt},
                                      {"29.02.1900", std::nullopt},
                                      {"00.03.2002", std::nullopt},
                                      {"01.13.2002", std::nullopt},
                                      {"01.03.0000", std::nullopt},
                                      {"01.03.02", std::nullopt},
                                      {"01.03.20020", std::nullopt},
                                      {"001.03.2002", std::nullopt},
                                      {"01.03.2002x", std::nullopt},
                                      {"01.03.2002 ", std::nullopt},
                                      {" 01.03.2002", std::nullopt},
                                      {"01.03.2002  13:05:09", std::nullopt},
                                      {"01.03.2002 13:05", std::nullopt},
                                      {"01.03.2002 13:05:09 x", std::nullopt},
                                      {"01.03.2002 24:00:00", std::nullopt},
                                      {"01.03.2002 23:60:00", std::nullopt},
                                      {"01.03.2002 23:59:60", std::nullopt},
                                      {"03/01/2002", std::nullopt},
                                      {"2002-03-01", std::nullopt},
                                      {"01.03.2002 01:05:09 PM", std::nullopt},
                                  });
}

TEST_F(Regional, UsParser) {
    expectParses(usFormats(), {
                                  {"03/01/2002", at(2002, 3, 1)},
                                  {"3/1/2002 1:05:09 pm", at(2002, 3, 1, 13, 5, 9)},
                                  {"03/01/2002 12:00:00 AM", at(2002, 3, 1, 0, 0, 0)},
                                  {"03/01/2002 12:00:00 PM", at(2002, 3, 1, 12, 0, 0)},
                                  {"03/01/2002 13:00:00 PM", std::nullopt},
                                  {"03/01/2002 00:00:00 AM", std::nullopt},
                                  {"03/01/2002 01:05:09", std::nullopt},
                                  {"03/01/2002 01:05:09 XM", std::nullopt},
                                  {"02/30/2002", std::nullopt},
                                  {"01.03.2002", std::nullopt},
                              });
}

TEST_F(Regional, MonthNamesInTheDate) {
    RegionalFormats f = germanFormats();
    f.shortDate = "%e. %B %Y";
    SetRegionalFormats(f);
    EXPECT_EQ(FormatShortDate({2002, 3, 1}), " 1. M\xE4rz 2002");
    expectParses(f, {
                        {" 1. M\xE4rz 2002", at(2002, 3, 1)},
                        {"1. m\xE4rz 2002", at(2002, 3, 1)},
                        {"12. Dez 2002", at(2002, 12, 12)},
                        {"12. Juni 2002", at(2002, 6, 12)},
                        {"12. Jun 2002", at(2002, 6, 12)},
                        {"12. Junx 2002", std::nullopt},
                        {"12. 06 2002", std::nullopt},
                    });
}

TEST_F(Regional, TwoDigitYearFormatsSetByHandStillParse) {
    RegionalFormats f = CFormats();
    f.shortDate = "%d/%m/%y";
    expectParses(f, {
                        {"01/03/02", at(2002, 3, 1)},
                        {"01/03/68", at(2068, 3, 1)},
                        {"01/03/69", at(1969, 3, 1)},
                        {"01/03/2002", std::nullopt},
                    });
}

TEST_F(Regional, FormatsFromTheCLocale) {
    EXPECT_TRUE(FormatsFromLocale("C") == CFormats()); // "%m/%d/%y" made four-digit
    EXPECT_TRUE(FormatsFromLocale("POSIX") == CFormats());
    EXPECT_TRUE(FormatsFromLocale("no_SUCH.locale") == CFormats());
}

TEST_F(Regional, FormatsFromTheEnvironment) {
    const char* old = std::getenv("LC_ALL");
    const std::string saved = old ? old : "";
    ::setenv("LC_ALL", "C", 1);
    const RegionalFormats f = FormatsFromLocale();
    if (old)
        ::setenv("LC_ALL", saved.c_str(), 1);
    else
        ::unsetenv("LC_ALL");
    EXPECT_TRUE(f == CFormats());
}

TEST_F(Regional, LocaleStringsAreMadeSingleByteAndPlain) {
    std::array<std::string, 12> german = {"Januar",    "Februar", "M\xC3\xA4rz", "April",
                                          "Mai",       "Juni",    "Juli",        "August",
                                          "September", "Oktober", "November",    "Dezember"};
    RegionalFormats f = FormatsFromLocaleStrings("%d.%m.%y", "%T", german, "UTF-8");
    EXPECT_EQ(f.shortDate, "%d.%m.%Y");
    EXPECT_EQ(f.longTime, "%H:%M:%S");
    EXPECT_EQ(f.monthNames[2], "M\xE4rz");

    german[2] = "M\xE4rz";
    f = FormatsFromLocaleStrings("%e/%-m/%Ey", "%r", german, "ISO-8859-1");
    EXPECT_EQ(f.shortDate, "%e/%m/%Y");
    EXPECT_EQ(f.longTime, "%I:%M:%S %p");
    EXPECT_EQ(f.monthNames[2], "M\xE4rz");

    // Characters without a byte become '?', which still reads back as a literal.
    const std::array<std::string, 12> japanese = {
        "1\xE6\x9C\x88", "", "", "", "", "", "", "", "", "", "", ""};
    f = FormatsFromLocaleStrings("%Y\xE5\xB9\xB4%m\xE6\x9C\x88%d\xE6\x97\xA5", "%H:%M", japanese,
                                 "UTF-8");
    EXPECT_EQ(f.shortDate, "%Y?%m?%d?");
    EXPECT_EQ(f.longTime, "%H:%M");
    EXPECT_EQ(f.monthNames[0], "1?");
    EXPECT_EQ(f.monthNames[1], "February"); // an empty name keeps the English one
    EXPECT_EQ(f.monthNames[2], "March");

    // Formats the parser cannot read back fall back to the C ones.
    f = FormatsFromLocaleStrings("%j/%Y", "%Q", german, "UTF-8");
    EXPECT_EQ(f.shortDate, "%m/%d/%Y");
    EXPECT_EQ(f.longTime, "%H:%M:%S");
    f = FormatsFromLocaleStrings("%d.%m", "", german, "UTF-8");
    EXPECT_EQ(f.shortDate, "%m/%d/%Y");
    EXPECT_EQ(f.longTime, "%H:%M:%S");
}

} // namespace
