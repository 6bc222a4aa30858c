#pragma once
// A day of the calendar without a time of day. It may hold a day that does not exist
// (a damaged handheld date); isValid() tells.

struct CalendarDay {
    int year = 0;
    int month = 0;
    int day = 0;

    // Comparisons by year, month, day; spelled out because Qt's moc cannot parse <compare>.
    bool operator==(const CalendarDay& o) const {
        return year == o.year && month == o.month && day == o.day;
    }
    bool operator!=(const CalendarDay& o) const { return !(*this == o); }
    bool operator<(const CalendarDay& o) const {
        if (year != o.year)
            return year < o.year;
        if (month != o.month)
            return month < o.month;
        return day < o.day;
    }
    bool operator<=(const CalendarDay& o) const { return !(o < *this); }
    bool operator>(const CalendarDay& o) const { return o < *this; }
    bool operator>=(const CalendarDay& o) const { return !(*this < o); }

    static bool isLeapYear(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }
    static int daysInMonth(int y, int m) {
        static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
        if (m < 1 || m > 12)
            return 0;
        return m == 2 && isLeapYear(y) ? 29 : kDays[m - 1];
    }
    bool isValid() const {
        return month >= 1 && month <= 12 && day >= 1 && day <= daysInMonth(year, month);
    }
};
