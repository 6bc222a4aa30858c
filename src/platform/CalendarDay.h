#pragma once
// A day of the calendar without a time of day. It may hold a day that does not exist
// (a damaged handheld date); isValid() tells.

#include <compare>

struct CalendarDay {
    int year = 0;
    int month = 0;
    int day = 0;

    auto operator<=>(const CalendarDay&) const = default;

    static bool isLeapYear(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }
    static int daysInMonth(int y, int m) {
        static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
        if (m < 1 || m > 12)
            return 0;
        return m == 2 && isLeapYear(y) ? 29 : kDays[m - 1];
    }
    bool isValid() const { return month >= 1 && month <= 12 && day >= 1 && day <= daysInMonth(year, month); }
};
