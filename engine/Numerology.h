#pragma once
// Letter values, number reduction, the initial letter-pair rule and the lucky number table. Each
// rule stands here once; the figures it passes through (LetterSum, Reduction) are what the working
// of a reading tells.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace numerology {

// The largest letter sum a name counts; a longer name's sum stops there.
inline constexpr int kLargestLetterSum = 32767;

// The largest number a reduction keeps as it is.
inline constexpr std::int16_t kLargestKeptNumber = 22;

// The value of one letter: A = 1, B = 2, C = 11 ... Z = 7 for the capitals A to Z, 0 for every other byte.
std::int16_t letterValue(char c);

// One reduction step: n up to kLargestKeptNumber kept, a larger n replaced by the sum of its
// decimal digits, once.
struct Reduction {
    std::int16_t number = 0;  // what is reduced
    std::int16_t result = 0;  // what it becomes
    bool digitsAdded = false; // number was more than kLargestKeptNumber
};
Reduction reduction(std::int16_t n);

// How many of each capital A to Z a name holds, and what each adds to its letter sum.
struct LetterGroups {
    std::array<std::size_t, 26> counts{}; // of A to Z
    std::array<long long, 26> values{};   // each letter's value, added once for each time it occurs
};

// The letters of a name added up: the value of each capital A to Z (every other byte counts 0).
// A total that passes kLargestLetterSum stops there, so an overlong name still gives a
// deterministic number (32767 reduces to 25).
struct LetterSum {
    std::size_t letters = 0;  // capitals A to Z
    long long total = 0;      // their values added
    std::int16_t counted = 0; // total, stopped at kLargestLetterSum

    bool stopped() const { return total > counted; }
};

// The number of a name with the figures on the way: its letter sum, reduced once.
struct NameNumber {
    LetterSum letters;
    Reduction reduction; // of letters.counted

    std::int16_t number() const { return reduction.result; }
};
// With groups, each letter's value is also added to its group there.
NameNumber reckonName(std::string_view name, LetterGroups *groups = nullptr);

// The rule of a name's first two letters: 18 for a name beginning "TS" or "TZ", 9 for one
// beginning "TH", none for any other name.
std::optional<std::int16_t> letterPairNumber(std::string_view name);

// The lucky table's size: a row for each birth hour, a column for each weekday.
inline constexpr int kLuckyTableHours = 24;
inline constexpr int kLuckyTableWeekdays = 7;

// The lucky table's cell for a birth hour (0 to 23) on a weekday (1 = Sunday to 7 = Saturday);
// none outside the table.
std::optional<std::int16_t> luckyTableCell(std::int16_t hour, std::int16_t weekday);

} // namespace numerology
