#include "engine/Calendar.h"

#include <array>

namespace numerology {

namespace {

constexpr std::array<int, 12> kMonthCodes{0, 3, 3, 6, 1, 4, 6, 2, 5, 0, 3, 5};

// The weekday of 1 January (Sunday = 0) of a year from 1900 to 2050. The years fall into 28
// classes, 1900, 1928, 1956 ... forming the first; that class starts on a Sunday, and from one
// year to the next the start moves on by 2 after a leap year and by 1 after any other.
constexpr int januaryStartOf(int year)
{
    constexpr std::array<int, 28> kByRemainder = [] {
        std::array<int, 28> starts{};
        int start = 0;
        for (int offset = 0; offset < 28; ++offset) {
            starts[static_cast<std::size_t>(offset)] = start;
            start = (start + (isLeapYear(kFirstCalendarYear + offset) ? 2 : 1)) % 7;
        }
        return starts;
    }();
    return kByRemainder[static_cast<std::size_t>((year - kFirstCalendarYear) % 28)];
}

} // namespace

int daysInMonth(int year, int month)
{
    constexpr std::array<int, 12> kDays{31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12)
        return 0;
    return kDays[static_cast<std::size_t>(month - 1)] + (month == 2 && isLeapYear(year) ? 1 : 0);
}

int monthOfName(std::string_view name)
{
    for (std::size_t i = 0; i < kMonthNames.size(); ++i) {
        if (kMonthNames[i] == name)
            return static_cast<int>(i) + 1;
    }
    return 0;
}

std::int16_t weekdayOf(std::int16_t year, std::string_view month, std::int16_t day)
{
    int monthStart = 0;
    if (const int number = monthOfName(month); number != 0 && calendarKnowsYear(year)) {
        const auto i = static_cast<std::size_t>(number - 1);
        const int l = (isLeapYear(year) && i >= 2) ? 1 : 0;
        monthStart = (januaryStartOf(year) + kMonthCodes[i] + l) % 7;
    }
    const int s = monthStart + day;
    // A floored modulo keeps days outside 1 to 31 (never offered by the form) within 1 to 7.
    const int weekday = ((s - 1) % 7 + 7) % 7 + 1;
    return static_cast<std::int16_t>(weekday);
}

} // namespace numerology
