#include "engine/Interpretation.h"
#include "engine/Numerology.h"

#include <gtest/gtest.h>

using namespace numerology;

namespace {

PersonDetails Person(std::string first, std::string middle, std::string last, std::int16_t day,
                     std::string month, std::int16_t year, std::int16_t hour)
{
    PersonDetails p;
    p.firstName = std::move(first);
    p.middleName = std::move(middle);
    p.lastName = std::move(last);
    p.birthDay = day;
    p.birthMonth = std::move(month);
    p.birthYear = year;
    p.birthHour = hour;
    return p;
}

TEST(ColorOfNumber, WholeTable)
{
    const char *colors[] = {"Greenish Blue", "Yellow", "Dark Blue", "Light Blue", "Dark Red", "Violet",
                            "Blue", "Yellow,Brown", "Grey", "Dark Brown,Dark Blue", "Black,White,Brown",
                            "Mauve", "Dazzling White", "Light Red", "Dark Blue", "Black", "Red",
                            "Greenish Yellow", "Green", "Gold", "Silver", "Orange", "Greenish Blue"};
    for (int n = 0; n <= 22; ++n)
        EXPECT_EQ(colorOfNumber(static_cast<std::int16_t>(n)), colors[n]) << n;
    for (int n : {-32768, -1, 23, 38, 32767})
        EXPECT_EQ(colorOfNumber(static_cast<std::int16_t>(n)), "Greenish Blue") << n;
}

TEST(ComputeInterpretation, JohnSmith)
{
    const Interpretation r = computeInterpretation(Person("JOHN", "", "SMITH", 1, "January", 2000, 10));
    EXPECT_EQ(r.luckyNumber, 1);
    EXPECT_EQ(r.moneyNumber, 5);
    EXPECT_EQ(r.secondHealthIndication, 5);
    EXPECT_EQ(r.firstHealthIndication, 12);
    EXPECT_EQ(r.firstHealthInfluence, 12);
    EXPECT_EQ(r.luckyColor, "Dazzling White");
}

TEST(ComputeInterpretation, TheoLeeBrownUsesTheThRule)
{
    // 20 July 1969 was a Sunday.
    const Interpretation r = computeInterpretation(Person("THEO", "LEE", "BROWN", 20, "July", 1969, 0));
    EXPECT_EQ(r.luckyNumber, 1);
    EXPECT_EQ(r.moneyNumber, 5);
    EXPECT_EQ(r.secondHealthIndication, 5);
    EXPECT_EQ(r.firstHealthIndication, 9);
    EXPECT_EQ(r.firstHealthInfluence, 6);
    EXPECT_EQ(r.luckyColor, "Blue");
}

TEST(ComputeInterpretation, EdgeReadings)
{
    const Interpretation lee = computeInterpretation(Person("LEE", "", "", 1, "January", 1900, 0));
    EXPECT_EQ(lee.luckyColor, "Greenish Blue");
    EXPECT_EQ(lee.moneyNumber, 22);

    const Interpretation tsar = computeInterpretation(Person("TSAR", "", "X", 1, "January", 1900, 0));
    EXPECT_EQ(tsar.firstHealthIndication, 18);
    EXPECT_EQ(tsar.firstHealthInfluence, 10);
    EXPECT_EQ(tsar.luckyColor, "Black,White,Brown");

    const Interpretation blank = computeInterpretation(Person("", "", "SMITH", 1, "January", 1900, 0));
    EXPECT_EQ(blank.firstHealthIndication, 0);
    EXPECT_EQ(blank.firstHealthInfluence, 0);
    EXPECT_EQ(blank.luckyColor, "Greenish Blue");
}

TEST(ComputeInterpretation, SumIsReducedTwice)
{
    // 21 + 21 + 21 = 63, reduced to 9.
    const Interpretation r = computeInterpretation(Person("S", "S", "S", 1, "May", 2000, 3));
    EXPECT_EQ(r.moneyNumber, 9);
    // Three names of letter sum 9,999 each give 36 apiece: 108 -> 9.
    const std::string big = std::string(454, 'T') + "C";
    ASSERT_EQ(nameNumber(big), 36);
    EXPECT_EQ(computeInterpretation(Person(big, big, big, 1, "May", 2000, 3)).moneyNumber, 9);
}

TEST(ComputeInterpretation, OutOfRangeInputsStillGiveAWholeRecord)
{
    const Interpretation r = computeInterpretation(Person("\xff\x80", "", "", -32768, "bogus", -1, 99));
    EXPECT_EQ(r.luckyNumber, 0);
    EXPECT_EQ(r.moneyNumber, 0);
    EXPECT_EQ(r.luckyColor, "Greenish Blue");
}

} // namespace
