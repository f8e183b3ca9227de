#pragma once
// The reading engine.
//
// A reading flows one way through this layer:
//   PersonDetails --reckonInterpretation--> Reckoning (every figure on the way) --> Interpretation
//   PersonDetails --explainInterpretation--> Explanation (the same reckoning, told step by step)
//   Interpretation --describeInterpretation--> InterpretationTexts
// The reckoning draws on the letter table, the reduction, the letter-pair rule and the lucky table
// (Numerology) and on the perpetual calendar (Calendar); computeInterpretation gives its
// Interpretation alone. Every operation is a pure function over constant tables: it never fails
// and never reports an error; inputs outside a table give 0, no text, or a fixed default.
// Comparisons of letters, letter pairs and month names are exact and case-sensitive. Numbers are
// 16-bit signed, as everywhere in the program.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace numerology {

// The input of one reading, as the input form delivers it: names trimmed and in capitals as typed.
struct PersonDetails {
    std::string firstName;
    std::string middleName;
    std::string lastName;
    std::int16_t birthDay = 1;     // 1 to 31
    std::string birthMonth = "January";
    std::int16_t birthYear = 1900; // 1900 to 2999
    std::int16_t birthHour = 0;    // 0 to 23
};

// The six results of one reading. luckyColor views one of the engine's constant colour names.
struct Interpretation {
    std::int16_t luckyNumber = 0;
    std::string_view luckyColor;
    std::int16_t moneyNumber = 0;
    std::int16_t firstHealthIndication = 0;
    std::int16_t firstHealthInfluence = 0;
    std::int16_t secondHealthIndication = 0;

    bool operator==(const Interpretation &) const = default;
};

// The six description texts of one reading. Every present text begins with CR LF and views a
// constant of the catalogue; the four keyed texts are absent for numbers outside 1 to 22.
struct InterpretationTexts {
    std::string_view luckyNumberText;
    std::string_view luckyColorText;
    std::optional<std::string_view> moneyText;
    std::optional<std::string_view> firstHealthIndicationText;
    std::optional<std::string_view> firstHealthInfluenceText;
    std::optional<std::string_view> secondHealthIndicationText;
};

} // namespace numerology
