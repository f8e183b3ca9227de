#include "engine/Numerology.h"

#include <gtest/gtest.h>

#include <string>

using namespace numerology;

namespace {

struct NameCase {
    const char *what;
    std::string name;
    int nameNumber;
    int digraphNumber;
};

class NameNumbers : public ::testing::TestWithParam<NameCase> {};

TEST_P(NameNumbers, LetterSumAndInitialPair)
{
    const NameCase &c = GetParam();
    EXPECT_EQ(nameNumber(c.name), c.nameNumber) << c.what;
    EXPECT_EQ(digraphNameNumber(c.name), c.digraphNumber) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Table, NameNumbers,
    ::testing::Values(
        NameCase{"ANNA sums to 30 and reduces to 3", "ANNA", 3, 3},
        NameCase{"BOB sums to 20 and stays", "BOB", 20, 20},
        NameCase{"J counts 10 like I and Y", "JO", 8, 8},
        NameCase{"lower case counts nothing", "anna", 0, 0},
        NameCase{"empty name", "", 0, 0},
        NameCase{"spaces only", "   ", 0, 0},
        NameCase{"THOMAS: TH rule against the letter sum 81", "THOMAS", 9, 9},
        NameCase{"TSAR: TS rule against the letter sum 64", "TSAR", 10, 18},
        NameCase{"TZ rule whatever follows", "TZ", 11, 18},
        NameCase{"TH only at the start: ATH", "ATH", 4, 4},
        NameCase{"lower-case pair does not match", "Th", 22, 22},
        NameCase{"a single T never matches a pair", "T", 22, 22},
        NameCase{"digits, punctuation and bytes above 127 count nothing", "A1-'\xc3\x89\xff", 1, 1},
        NameCase{"LEE is exactly 22", "LEE", 22, 22},
        NameCase{"I, J and Y all 10", "IJY", 3, 3}));

TEST(LetterTable, EveryLetterHasItsValue)
{
    const int values[26] = {1,  2,  11, 4,  5,  17, 3,  8,  10, 10, 11, 12, 13,
                            14, 16, 17, 19, 20, 21, 22, 6,  6,  6,  15, 10, 7};
    for (int i = 0; i < 26; ++i) {
        const std::string letter(1, static_cast<char>('A' + i));
        EXPECT_EQ(nameNumber(letter), values[i]) << letter;
        EXPECT_EQ(nameNumber(std::string(1, static_cast<char>('a' + i))), 0);
    }
    for (int c = 91; c <= 96; ++c)
        EXPECT_EQ(nameNumber(std::string(1, static_cast<char>(c))), 0) << c;
}

TEST(ReduceNumber, OneStepOnly)
{
    EXPECT_EQ(reduceNumber(22), 22);
    EXPECT_EQ(reduceNumber(23), 5);
    EXPECT_EQ(reduceNumber(100), 1);
    EXPECT_EQ(reduceNumber(599), 23);
    EXPECT_EQ(reduceNumber(999), 27);
    EXPECT_EQ(reduceNumber(0), 0);
    EXPECT_EQ(reduceNumber(-5), -5);
    EXPECT_EQ(reduceNumber(32767), 25);
    EXPECT_EQ(reduceNumber(-32768), -32768);
}

TEST(NameNumber, OverlongNamesStopAtTheLargestTotal)
{
    // 1,489 T's make 32,758; one more passes 32,767, where the total stops.
    EXPECT_EQ(nameNumber(std::string(1489, 'T')), reduceNumber(32758));
    EXPECT_EQ(nameNumber(std::string(1490, 'T')), 25);
    EXPECT_EQ(nameNumber(std::string(32767, 'Z')), 25);
    EXPECT_EQ(digraphNameNumber(std::string(32767, 'A')), 25);
}

TEST(LuckyNumber, TableCornersAndOutside)
{
    EXPECT_EQ(luckyNumber(0, 1), 1);
    EXPECT_EQ(luckyNumber(23, 7), 9);
    EXPECT_EQ(luckyNumber(10, 7), 1);
    EXPECT_EQ(luckyNumber(13, 6), 4);
    EXPECT_EQ(luckyNumber(24, 1), 0);
    EXPECT_EQ(luckyNumber(5, 0), 0);
    EXPECT_EQ(luckyNumber(5, 8), 0);
    EXPECT_EQ(luckyNumber(-1, 3), 0);
    EXPECT_EQ(luckyNumber(-32768, -32768), 0);
    for (int h = 0; h < 24; ++h) {
        for (int d = 1; d <= 7; ++d) {
            const auto value = luckyNumber(static_cast<std::int16_t>(h), static_cast<std::int16_t>(d));
            EXPECT_GE(value, 1);
            EXPECT_LE(value, 9);
            if (h >= 14) {
                EXPECT_EQ(value, luckyNumber(static_cast<std::int16_t>(h - 14), static_cast<std::int16_t>(d)));
            }
        }
    }
}

TEST(LuckyNumber, WholeTable)
{
    const int rows[14][7] = {
        {1, 7, 9, 5, 3, 6, 8}, {6, 8, 4, 2, 9, 5, 3}, {5, 3, 6, 8, 1, 7, 9}, {2, 9, 5, 3, 6, 8, 4},
        {8, 1, 7, 9, 5, 3, 6}, {3, 6, 8, 4, 2, 9, 5}, {9, 5, 3, 6, 8, 1, 7}, {4, 2, 9, 5, 3, 6, 8},
        {6, 8, 1, 7, 9, 5, 3}, {5, 3, 6, 8, 4, 2, 9}, {7, 9, 5, 3, 6, 8, 1}, {8, 4, 2, 9, 5, 3, 6},
        {3, 6, 8, 1, 7, 9, 5}, {9, 5, 3, 6, 8, 4, 2},
    };
    for (int h = 0; h < 14; ++h)
        for (int d = 0; d < 7; ++d)
            EXPECT_EQ(luckyNumber(static_cast<std::int16_t>(h), static_cast<std::int16_t>(d + 1)), rows[h][d])
                << "hour " << h << " weekday " << d + 1;
}

} // namespace
