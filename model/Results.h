#pragma once
// The six results of a reading, described once: what each is called on its tab, in the results
// window's caption line, in the report and by a screen reader, and what its box shows before the
// first reading. The results window, the report and the tests all read this table.

#include <QString>

#include <array>
#include <cstddef>

enum class Result { LuckyNumber, LuckyColor, MoneyNumber, FirstHealthIndication, FirstHealthInfluence, SecondHealthIndication };

inline constexpr std::size_t kResultCount = 6;

struct ResultInfo {
    Result result;
    QLatin1String tabCaption;     // the tab that shows it
    QLatin1String captionLine;    // the caption line's text before two blanks and the value
    QLatin1String reportHeading;  // the report's heading, followed directly by the value
    QLatin1String placeholder;    // its box's text before any reading, a line break following
    QLatin1String objectName;     // its description box
    QLatin1String accessibleName; // its description box, as a screen reader names it
};

// In tab order, which is also the report's order.
inline constexpr std::array<ResultInfo, kResultCount> kResults = [] {
    using namespace Qt::StringLiterals;
    return std::array<ResultInfo, kResultCount>{{
        {Result::LuckyNumber, "Lucky Number"_L1, "Lucky Number is"_L1, "Lucky Number :-"_L1, "Lucky No"_L1,
         "luckyNumberBox"_L1, "Lucky Number description"_L1},
        {Result::LuckyColor, "Lucky Color"_L1, "Lucky Color is"_L1, "Lucky Color :-"_L1, "LuckyColor"_L1,
         "luckyColorBox"_L1, "Lucky Color description"_L1},
        {Result::MoneyNumber, "Money Number"_L1, "Money Number is"_L1, "Money Number :-"_L1, "Money No"_L1,
         "moneyNumberBox"_L1, "Money Number description"_L1},
        {Result::FirstHealthIndication, "First Health Indication"_L1, "First Health Indication Number is"_L1,
         "First Health Indication :-"_L1, "First Health Indication"_L1, "firstHealthIndicationBox"_L1,
         "First Health Indication description"_L1},
        {Result::FirstHealthInfluence, "First Health Influence"_L1, "First Health Influence Number is"_L1,
         "First Health Influence :-"_L1, "First Health Influence"_L1, "firstHealthInfluenceBox"_L1,
         "First Health Influence description"_L1},
        {Result::SecondHealthIndication, "Second Health Indication"_L1, "Second Health Indication Number is"_L1,
         "Second Health Indication :-"_L1, "Second Health Indication"_L1, "secondHealthIndicationBox"_L1,
         "Second Health Indication description"_L1},
    }};
}();

// A result's place in the table (and among the tabs).
constexpr std::size_t indexOf(Result result)
{
    return static_cast<std::size_t>(result);
}

constexpr const ResultInfo &infoOf(Result result)
{
    return kResults[indexOf(result)];
}
