#include "engine/Calendar.h"

#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <string>

using namespace numerology;

namespace {

const std::array<const char *, 12> kMonths{"January", "February", "March",     "April",   "May",      "June",
                                           "July",    "August",   "September", "October", "November", "December"};

TEST(WeekdayOfBirth, WorkedDates)
{
    EXPECT_EQ(weekdayOf(2000, "January", 1), 7);
    EXPECT_EQ(weekdayOf(1969, "July", 20), 1);
    EXPECT_EQ(weekdayOf(2050, "December", 31), 7);
    EXPECT_EQ(weekdayOf(2024, "February", 29), 5);
    EXPECT_EQ(weekdayOf(1900, "January", 1), 1);
    EXPECT_EQ(weekdayOf(1900, "February", 1), 4);
    EXPECT_EQ(weekdayOf(1900, "February", 29), 4);
    EXPECT_EQ(weekdayOf(1900, "March", 1), 5);
}

// Every date from 1 March 1900 to 31 December 2050 matches the proleptic Gregorian calendar.
TEST(WeekdayOfBirth, MatchesGregorianCalendarFromMarch1900To2050)
{
    using namespace std::chrono;
    int checked = 0;
    for (sys_days day = sys_days{year{1900} / March / 1}; day <= sys_days{year{2050} / December / 31}; day += days{1}) {
        const year_month_day ymd{day};
        const auto y = static_cast<std::int16_t>(static_cast<int>(ymd.year()));
        const auto m = static_cast<unsigned>(ymd.month());
        const auto d = static_cast<std::int16_t>(static_cast<unsigned>(ymd.day()));
        const int expected = static_cast<int>(weekday{day}.c_encoding()) + 1;
        ASSERT_EQ(weekdayOf(y, kMonths[m - 1], d), expected) << y << ' ' << kMonths[m - 1] << ' ' << d;
        ++checked;
    }
    EXPECT_EQ(checked, 55093);
}

TEST(WeekdayOfBirth, January1900IsOneDayEarlierThanGregorian)
{
    using namespace std::chrono;
    for (unsigned m = 1; m <= 2; ++m) {
        for (unsigned d = 1; d <= (m == 1 ? 31u : 28u); ++d) {
            const sys_days day{year{1900} / month{m} / ::std::chrono::day{d}};
            const int gregorian = static_cast<int>(weekday{day}.c_encoding()) + 1;
            const int expected = gregorian == 1 ? 7 : gregorian - 1;
            EXPECT_EQ(weekdayOf(1900, kMonths[m - 1], static_cast<std::int16_t>(d)), expected);
        }
    }
}

TEST(WeekdayOfBirth, OutsideTheTableTheDayAloneDecides)
{
    EXPECT_EQ(weekdayOf(2051, "March", 15), 1);
    EXPECT_EQ(weekdayOf(2999, "December", 31), 3);
    EXPECT_EQ(weekdayOf(1899, "December", 31), 3);
    for (const char *m : kMonths) {
        EXPECT_EQ(weekdayOf(2051, m, 1), 1);
        EXPECT_EQ(weekdayOf(2999, m, 2), 2);
    }
    for (int d = 1; d <= 31; ++d)
        EXPECT_EQ(weekdayOf(-32768, "May", static_cast<std::int16_t>(d)), (d - 1) % 7 + 1);
}

TEST(WeekdayOfBirth, MonthNamesAreExactAndCaseSensitive)
{
    // 1 January 2000 is a Saturday; the wrong case falls back to a month starting on Sunday.
    EXPECT_EQ(weekdayOf(2000, "january", 1), 1);
    EXPECT_EQ(weekdayOf(2000, "JANUARY", 1), 1);
    EXPECT_EQ(weekdayOf(2000, "January ", 1), 1);
    EXPECT_EQ(weekdayOf(2000, "", 1), 1);
    EXPECT_EQ(weekdayOf(2000, std::string("Jan\0uary", 8), 1), 1);
}

TEST(WeekdayOfBirth, AnyDayNumberGivesAWeekday)
{
    for (int d : {-32768, -1, 0, 32, 100, 32767}) {
        const int w = weekdayOf(2000, "June", static_cast<std::int16_t>(d));
        EXPECT_GE(w, 1) << d;
        EXPECT_LE(w, 7) << d;
    }
    // Day 0 is the day before the 1st: 1 June 2000 is a Thursday.
    EXPECT_EQ(weekdayOf(2000, "June", 0), 4);
}

TEST(DaysInMonth, EveryYearDivisibleByFourIsALeapYear)
{
    struct Row {
        int year;
        int month;
        int days;
    };
    const Row rows[] = {
        {2023, 1, 31}, {2023, 2, 28}, {2024, 2, 29}, {1900, 2, 29}, {2100, 2, 29}, {1901, 2, 28},
        {2023, 4, 30}, {2023, 6, 30}, {2023, 9, 30}, {2023, 11, 30}, {2023, 5, 31}, {2023, 12, 31},
        {2023, 0, 0},  {2023, 13, 0},
    };
    for (const Row &row : rows)
        EXPECT_EQ(daysInMonth(row.year, row.month), row.days) << row.year << "-" << row.month;
    EXPECT_EQ(kMonthNames.front(), "January");
    EXPECT_EQ(kMonthNames.back(), "December");
}

} // namespace
