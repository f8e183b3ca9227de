#include "engine/Explanation.h"
#include "engine/Interpretation.h"

#include <gtest/gtest.h>

#include <set>

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

Interpretation Read(std::string first, std::string middle, std::string last, std::int16_t day, std::string month,
                    std::int16_t year, std::int16_t hour)
{
    return computeInterpretation(Person(std::move(first), std::move(middle), std::move(last), day, std::move(month), year, hour));
}

// A few colours of the table, and the facts a wrong table breaks: 1 to 21 give twenty names, 2
// and 14 sharing theirs, and every other number the twenty-first.
TEST(ColorOfNumber, ColoursOfNumbers)
{
    const std::pair<int, const char *> colors[] = {
        {1, "Yellow"},         {2, "Dark Blue"}, {7, "Yellow,Brown"},     {12, "Dazzling White"}, {14, "Dark Blue"},
        {17, "Greenish Yellow"}, {21, "Orange"},  {-32768, "Greenish Blue"}, {0, "Greenish Blue"},  {22, "Greenish Blue"},
        {38, "Greenish Blue"}, {32767, "Greenish Blue"}};
    for (const auto &[number, color] : colors)
        EXPECT_EQ(colorOfNumber(static_cast<std::int16_t>(number)), color) << number;
    std::set<std::string_view> own;
    for (int n = 1; n <= 21; ++n)
        own.insert(colorOfNumber(static_cast<std::int16_t>(n)));
    EXPECT_EQ(own.size(), 20u);
    EXPECT_EQ(own.count("Greenish Blue"), 0u);
}

TEST(ComputeInterpretation, JohnSmith)
{
    const Interpretation r = Read("JOHN", "", "SMITH", 1, "January", 2000, 10);
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
    const Interpretation r = Read("THEO", "LEE", "BROWN", 20, "July", 1969, 0);
    EXPECT_EQ(r.luckyNumber, 1);
    EXPECT_EQ(r.moneyNumber, 5);
    EXPECT_EQ(r.secondHealthIndication, 5);
    EXPECT_EQ(r.firstHealthIndication, 9);
    EXPECT_EQ(r.firstHealthInfluence, 6);
    EXPECT_EQ(r.luckyColor, "Blue");
}

TEST(ComputeInterpretation, EdgeReadings)
{
    const Interpretation lee = Read("LEE", "", "", 1, "January", 1900, 0);
    EXPECT_EQ(lee.luckyColor, "Greenish Blue");
    EXPECT_EQ(lee.moneyNumber, 22);

    const Interpretation tsar = Read("TSAR", "", "X", 1, "January", 1900, 0);
    EXPECT_EQ(tsar.firstHealthIndication, 18);
    EXPECT_EQ(tsar.firstHealthInfluence, 10);
    EXPECT_EQ(tsar.luckyColor, "Black,White,Brown");

    const Interpretation blank = Read("", "", "SMITH", 1, "January", 1900, 0);
    EXPECT_EQ(blank.firstHealthIndication, 0);
    EXPECT_EQ(blank.firstHealthInfluence, 0);
    EXPECT_EQ(blank.luckyColor, "Greenish Blue");
}

TEST(ComputeInterpretation, SumIsReducedTwice)
{
    // 21 + 21 + 21 = 63, reduced to 9.
    const Interpretation r = Read("S", "S", "S", 1, "May", 2000, 3);
    EXPECT_EQ(r.moneyNumber, 9);
    // Three names of letter sum 9,999 each give 36 apiece: 108 -> 9.
    const std::string big = std::string(454, 'T') + "C";
    ASSERT_EQ(Read(big, "", "", 1, "May", 2000, 3).firstHealthInfluence, 36);
    EXPECT_EQ(Read(big, big, big, 1, "May", 2000, 3).moneyNumber, 9);
}

TEST(ComputeInterpretation, OutOfRangeInputsStillGiveAWholeRecord)
{
    const Interpretation r = Read("\xff\x80", "", "", -32768, "bogus", -1, 99);
    EXPECT_EQ(r.luckyNumber, 0);
    EXPECT_EQ(r.moneyNumber, 0);
    EXPECT_EQ(r.luckyColor, "Greenish Blue");
}

TEST(ExplainInterpretation, WorkingsStepByStep)
{
    using Steps = std::vector<std::string>;
    const auto plus = [](Steps steps, const Steps &more) {
        steps.insert(steps.end(), more.begin(), more.end());
        return steps;
    };
    const Steps ann{"First name: A 1 + N 14 + N 14 = 29.", "29 is more than 22, so its digits are added: 2 + 9 = 11."};
    const Steps names = plus(ann, {"Middle name: none, so its number is 0.",
                                   "Last name: L 12 + E 5 + E 5 = 22, not more than 22, so it stays.",
                                   "The three names' numbers added: 11 + 0 + 22 = 33.",
                                   "33 is more than 22, so its digits are added: 3 + 3 = 6."});
    const PersonDetails annLee = Person("ANN", "", "LEE", 17, "May", 1990, 14);
    const struct {
        const char *what;
        PersonDetails person;
        Working Explanation::*working;
        Steps steps;
    } rows[] = {
        {"weekday from the calendar", annLee, &Explanation::luckyNumber,
         {"17 May 1990 is a Thursday, weekday 5 (Sunday is 1, Saturday 7).", "The hour of birth is 14.",
          "Row 14 (the hour) and column 5 (the weekday) of the 24 × 7 lucky table hold 3.", "The Lucky Number is 3."}},
        {"colour", annLee, &Explanation::luckyColor, plus(ann, {"11 selects the colour Mauve.", "The Lucky Color is Mauve."})},
        {"money", annLee, &Explanation::moneyNumber, plus(names, {"The Money Number is 6."})},
        {"ordinary rule", annLee, &Explanation::firstHealthIndication,
         plus(plus({"The first name begins with none of TS, TZ and TH, so the ordinary rule applies: its number."}, ann),
              {"The First Health Indication is 11."})},
        {"influence", annLee, &Explanation::firstHealthInfluence, plus(ann, {"The First Health Influence is 11."})},
        {"second", annLee, &Explanation::secondHealthIndication, plus(names, {"The Second Health Indication is 6."})},
        {"TH rule", Person("THEO", "", "", 1, "May", 1990, 0), &Explanation::firstHealthIndication,
         {"The first name begins with TH, which gives 9 whatever follows.", "The First Health Indication is 9."}},
        {"year after 2050", Person("ANN", "", "LEE", 17, "May", 2051, 14), &Explanation::luckyNumber,
         {"2051 lies outside the calendar's years 1900 to 2050, so each month is taken to start on a Sunday and the weekday "
          "follows from the day alone: day 17 is a Tuesday, weekday 3 (Sunday is 1, Saturday 7).",
          "The hour of birth is 14.", "Row 14 (the hour) and column 3 (the weekday) of the 24 × 7 lucky table hold 9.",
          "The Lucky Number is 9."}},
        {"TS rule", Person("TSAR", "", "", 1, "May", 1990, 0), &Explanation::firstHealthIndication,
         {"The first name begins with TS, which gives 18 whatever follows.", "The First Health Indication is 18."}},
        {"unknown month, hour outside the table", Person("ANN", "", "LEE", 9, "may", 1990, 24), &Explanation::luckyNumber,
         {"The month is none of January to December, so it is taken to start on a Sunday and the weekday follows from "
          "the day alone: day 9 is a Monday, weekday 2 (Sunday is 1, Saturday 7).",
          "The hour of birth is 24, outside the lucky table's hours 0 to 23, so it gives 0.", "The Lucky Number is 0."}},
        {"no letters, no colour of its own", Person("\xff\x80 ", "", "", 1, "May", 1990, 0), &Explanation::luckyColor,
         {"First name: 2 characters that are not capitals A to Z count nothing.",
          "First name: no letters A to Z, so its number is 0.", "0 has no colour of its own, so it takes Greenish Blue.",
          "The Lucky Color is Greenish Blue."}},
        {"long name of one letter, its sum exactly the largest counted", Person(std::string(32767, 'A'), "", "", 1, "May", 1990, 0),
         &Explanation::firstHealthInfluence,
         {"First name, 32767 letters, each letter's value times its count: A 1 × 32767 = 32767.",
          "32767 is more than 22, so its digits are added: 3 + 2 + 7 + 6 + 7 = 25.", "The First Health Influence is 25."}},
        {"long name by letter, its sum stopped",
         Person("?" + std::string(1500, 'T') + std::string(12, 'A'), "", "", 1, "May", 1990, 0), &Explanation::firstHealthInfluence,
         {"First name: 1 character that is not a capital A to Z counts nothing.",
          "First name, 1512 letters, each letter's value times its count: A 1 × 12 = 12, T 22 × 1500 = 33000.",
          "Together 12 + 33000 = 33012.", "That is more than 32767, the largest letter sum counted, so the sum stops at 32767.",
          "32767 is more than 22, so its digits are added: 3 + 2 + 7 + 6 + 7 = 25.", "The First Health Influence is 25."}},
    };
    // Each row told into the memory of the row before, twice through, so that the first rows are
    // also told after the longest.
    Explanation explanation;
    for (int pass = 0; pass < 2; ++pass) {
        for (const auto &row : rows) {
            explainInterpretation(row.person, explanation);
            std::string lines;
            for (const std::string &step : row.steps)
                lines += (lines.empty() ? "" : "\n") + step;
            EXPECT_EQ((explanation.*row.working).lines, lines) << row.what << " (pass " << pass << ")";
        }
    }
}

} // namespace
