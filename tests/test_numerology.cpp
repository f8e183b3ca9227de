#include "engine/Interpretation.h"
#include "engine/Numerology.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <utility>

using namespace numerology;

namespace {

// The reading of a first name alone: its number is the First Health Influence, and with the
// letter-pair rule the First Health Indication.
Interpretation ReadFirstName(std::string name)
{
    PersonDetails person;
    person.firstName = std::move(name);
    return computeInterpretation(person);
}

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
    const Interpretation reading = ReadFirstName(c.name);
    EXPECT_EQ(reading.firstHealthInfluence, c.nameNumber) << c.what;
    EXPECT_EQ(reading.firstHealthIndication, c.digraphNumber) << c.what;
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

// A few letters of the table, and the facts a wrong table breaks: every value from 1 to 22 but 9
// and 18 occurs, and C and K, F and P, I, J and Y, U, V and W share theirs.
TEST(LetterTable, ValuesOfLetters)
{
    const std::pair<char, int> letters[] = {{'A', 1},  {'B', 2},  {'H', 8}, {'O', 16}, {'Q', 19}, {'T', 22},
                                            {'X', 15}, {'Z', 7},  {'a', 0}, {'z', 0},  {'@', 0},  {'[', 0}};
    for (const auto &[letter, value] : letters)
        EXPECT_EQ(letterValue(letter), value) << letter;
    std::set<int> values;
    for (char c = 'A'; c <= 'Z'; ++c)
        values.insert(letterValue(c));
    EXPECT_EQ(values.size(), 20u);
    EXPECT_EQ(*values.begin(), 1);
    EXPECT_EQ(*values.rbegin(), 22);
    EXPECT_EQ(values.count(9) + values.count(18), 0u);
    for (std::string_view shared : {"CK", "FP", "IJY", "UVW"}) {
        for (char c : shared)
            EXPECT_EQ(letterValue(c), letterValue(shared.front())) << c;
    }
}

TEST(Reduction, OneStepOnly)
{
    for (const auto &[number, result] : {std::pair<int, int>{22, 22}, {23, 5}, {100, 1}, {599, 23}, {999, 27}, {0, 0},
                                         {-5, -5}, {32767, 25}, {-32768, -32768}})
        EXPECT_EQ(reduction(static_cast<std::int16_t>(number)).result, result) << number;
}

TEST(NameNumber, OverlongNamesStopAtTheLargestTotal)
{
    // 1,489 T's make 32,758; one more passes 32,767, where the total stops.
    EXPECT_EQ(ReadFirstName(std::string(1489, 'T')).firstHealthInfluence, reduction(32758).result);
    EXPECT_EQ(ReadFirstName(std::string(1490, 'T')).firstHealthInfluence, 25);
    EXPECT_EQ(ReadFirstName(std::string(32767, 'Z')).firstHealthInfluence, 25);
    EXPECT_EQ(ReadFirstName(std::string(32767, 'A')).firstHealthIndication, 25);
}

TEST(LuckyTable, CornersAndOutside)
{
    EXPECT_EQ(luckyTableCell(0, 1), 1);
    EXPECT_EQ(luckyTableCell(23, 7), 9);
    EXPECT_EQ(luckyTableCell(10, 7), 1);
    EXPECT_EQ(luckyTableCell(13, 6), 4);
    EXPECT_EQ(luckyTableCell(24, 1), std::nullopt);
    EXPECT_EQ(luckyTableCell(5, 0), std::nullopt);
    EXPECT_EQ(luckyTableCell(5, 8), std::nullopt);
    EXPECT_EQ(luckyTableCell(-1, 3), std::nullopt);
    EXPECT_EQ(luckyTableCell(-32768, -32768), std::nullopt);
    for (int h = 0; h < 24; ++h) {
        for (int d = 1; d <= 7; ++d) {
            const auto value = luckyTableCell(static_cast<std::int16_t>(h), static_cast<std::int16_t>(d)).value_or(0);
            EXPECT_GE(value, 1);
            EXPECT_LE(value, 9);
            if (h >= 14) {
                EXPECT_EQ(value, luckyTableCell(static_cast<std::int16_t>(h - 14), static_cast<std::int16_t>(d)));
            }
        }
    }
}

TEST(LuckyTable, WholeTable)
{
    const int rows[14][7] = {
        {1, 7, 9, 5, 3, 6, 8}, {6, 8, 4, 2, 9, 5, 3}, {5, 3, 6, 8, 1, 7, 9}, {2, 9, 5, 3, 6, 8, 4},
        {8, 1, 7, 9, 5, 3, 6}, {3, 6, 8, 4, 2, 9, 5}, {9, 5, 3, 6, 8, 1, 7}, {4, 2, 9, 5, 3, 6, 8},
        {6, 8, 1, 7, 9, 5, 3}, {5, 3, 6, 8, 4, 2, 9}, {7, 9, 5, 3, 6, 8, 1}, {8, 4, 2, 9, 5, 3, 6},
        {3, 6, 8, 1, 7, 9, 5}, {9, 5, 3, 6, 8, 4, 2},
    };
    for (int h = 0; h < 14; ++h)
        for (int d = 0; d < 7; ++d)
            EXPECT_EQ(luckyTableCell(static_cast<std::int16_t>(h), static_cast<std::int16_t>(d + 1)), rows[h][d])
                << "hour " << h << " weekday " << d + 1;
}

} // namespace
