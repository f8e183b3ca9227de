#pragma once
// Letter values, number reduction, the initial letter-pair rule and the lucky number table.

#include <cstdint>
#include <string_view>

namespace numerology {

// The largest letter sum nameNumber counts; a longer name's sum stops there.
inline constexpr int kLargestLetterSum = 32767;

// The value of one letter: A = 1, B = 2, C = 11 ... Z = 7 for the capitals A to Z, 0 for every other byte.
std::int16_t letterValue(char c);

// One reduction step: n up to 22 unchanged, a larger n replaced by the sum of its decimal digits, once.
std::int16_t reduceNumber(std::int16_t n);

// The letter sum of a name (capitals A to Z only; every other byte counts 0), reduced once.
// A letter sum that would pass kLargestLetterSum stops there, so an overlong name still gives a
// deterministic number (reduceNumber(32767) = 25) and never overflows.
std::int16_t nameNumber(std::string_view name);

// 18 for a name beginning "TS" or "TZ", 9 for one beginning "TH", otherwise NameNumber.
std::int16_t digraphNameNumber(std::string_view name);

// The lucky number of a birth hour (0 to 23) on a weekday (1 = Sunday to 7 = Saturday); 0 outside the table.
std::int16_t luckyNumber(std::int16_t hour, std::int16_t weekday);

} // namespace numerology
