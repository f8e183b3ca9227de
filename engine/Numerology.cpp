#include "engine/Numerology.h"

#include <array>

namespace numerology {

namespace {

struct LetterValue {
    char letter;
    std::int16_t value;
};

constexpr std::array<LetterValue, 26> kLetterTable{{
    {'A', 1},  {'B', 2},  {'C', 11}, {'D', 4},  {'E', 5},  {'F', 17}, {'G', 3},
    {'H', 8},  {'I', 10}, {'J', 10}, {'K', 11}, {'L', 12}, {'M', 13}, {'N', 14},
    {'O', 16}, {'P', 17}, {'Q', 19}, {'R', 20}, {'S', 21}, {'T', 22}, {'U', 6},
    {'V', 6},  {'W', 6},  {'X', 15}, {'Y', 10}, {'Z', 7},
}};

// Rows: birth hour. Columns: Sunday to Saturday. Rows 14 to 23 repeat rows 0 to 9.
constexpr std::int16_t kLuckyTable[kLuckyTableHours][kLuckyTableWeekdays] = {
    {1, 7, 9, 5, 3, 6, 8}, {6, 8, 4, 2, 9, 5, 3}, {5, 3, 6, 8, 1, 7, 9}, {2, 9, 5, 3, 6, 8, 4},
    {8, 1, 7, 9, 5, 3, 6}, {3, 6, 8, 4, 2, 9, 5}, {9, 5, 3, 6, 8, 1, 7}, {4, 2, 9, 5, 3, 6, 8},
    {6, 8, 1, 7, 9, 5, 3}, {5, 3, 6, 8, 4, 2, 9}, {7, 9, 5, 3, 6, 8, 1}, {8, 4, 2, 9, 5, 3, 6},
    {3, 6, 8, 1, 7, 9, 5}, {9, 5, 3, 6, 8, 4, 2}, {1, 7, 9, 5, 3, 6, 8}, {6, 8, 4, 2, 9, 5, 3},
    {5, 3, 6, 8, 1, 7, 9}, {2, 9, 5, 3, 6, 8, 4}, {8, 1, 7, 9, 5, 3, 6}, {3, 6, 8, 4, 2, 9, 5},
    {9, 5, 3, 6, 8, 1, 7}, {4, 2, 9, 5, 3, 6, 8}, {6, 8, 1, 7, 9, 5, 3}, {5, 3, 6, 8, 4, 2, 9},
};

// The letter table spread over all 256 byte values (0 for every byte that is not a capital),
// so that summing a name costs one look-up per character.
constexpr std::array<std::int16_t, 256> kValueOfByte = [] {
    std::array<std::int16_t, 256> values{};
    for (const LetterValue &entry : kLetterTable)
        values[static_cast<unsigned char>(entry.letter)] = entry.value;
    return values;
}();

} // namespace

std::int16_t letterValue(char c)
{
    return kValueOfByte[static_cast<unsigned char>(c)];
}

Reduction reduction(std::int16_t n)
{
    Reduction step{n, n, false};
    if (n <= kLargestKeptNumber)
        return step;
    step.result = 0;
    for (int rest = n; rest > 0; rest /= 10)
        step.result = static_cast<std::int16_t>(step.result + rest % 10);
    step.digitsAdded = true;
    return step;
}

NameNumber reckonName(std::string_view name, LetterGroups *groups)
{
    NameNumber number;
    LetterSum &sum = number.letters;
    for (char c : name) {
        const std::int16_t value = letterValue(c);
        sum.total += value;
        sum.letters += value != 0 ? 1 : 0;
    }
    if (groups) {
        for (char c : name) {
            if (const std::int16_t value = letterValue(c); value != 0) {
                const auto letter = static_cast<std::size_t>(c - 'A');
                ++groups->counts[letter];
                groups->values[letter] += value;
            }
        }
    }
    sum.counted = static_cast<std::int16_t>(sum.total < kLargestLetterSum ? sum.total : kLargestLetterSum);
    number.reduction = reduction(sum.counted);
    return number;
}

std::optional<std::int16_t> letterPairNumber(std::string_view name)
{
    const std::string_view pair = name.substr(0, 2);
    if (pair == "TS" || pair == "TZ")
        return 18;
    if (pair == "TH")
        return 9;
    return std::nullopt;
}

std::optional<std::int16_t> luckyTableCell(std::int16_t hour, std::int16_t weekday)
{
    if (hour < 0 || hour >= kLuckyTableHours || weekday < 1 || weekday > kLuckyTableWeekdays)
        return std::nullopt;
    return kLuckyTable[hour][weekday - 1];
}

} // namespace numerology
