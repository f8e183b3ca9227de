#pragma once
// The weekday of birth from a perpetual calendar that covers the years 1900 to 2050.

#include <array>
#include <cstdint>
#include <string_view>

namespace numerology {

// The twelve English month names, January first, as the calendar compares them.
inline constexpr std::array<std::string_view, 12> kMonthNames{
    "January", "February", "March",     "April",   "May",      "June",
    "July",    "August",   "September", "October", "November", "December",
};

// The years the calendar knows.
inline constexpr int kFirstCalendarYear = 1900;
inline constexpr int kLastCalendarYear = 2050;

// Whether the calendar knows a year.
constexpr bool calendarKnowsYear(int year)
{
    return year >= kFirstCalendarYear && year <= kLastCalendarYear;
}

// The month (1 = January to 12 = December) of an English month name, exact case; 0 for any other name.
int monthOfName(std::string_view name);

// Every year divisible by 4 is a leap year, 1900 and 2100 included.
constexpr bool isLeapYear(int year)
{
    return year % 4 == 0;
}

// The number of days of a month (1 = January to 12 = December) in a year; 0 for another month.
int daysInMonth(int year, int month);

// The weekday (1 = Sunday to 7 = Saturday) of a day of the month in a year and an English month
// name ("January" to "December", exact case). Every year divisible by 4 is a leap year, 1900
// included. Outside 1900 to 2050, or for an unknown month name, the month is taken to start on a
// Sunday, so the weekday follows from the day alone. Any day number gives a weekday from 1 to 7.
std::int16_t weekdayOf(std::int16_t year, std::string_view month, std::int16_t day);

} // namespace numerology
