#pragma once
// The six results of a reading from a person's details.

#include "engine/Numerology.h"
#include "engine/Records.h"

#include <array>
#include <optional>

namespace numerology {

// Whether a number has a lucky colour of its own: 1 to 21 have, every other number has not.
bool hasOwnColor(std::int16_t number);

// The lucky colour of a first name's number; a number without a colour of its own gives "Greenish Blue".
std::string_view colorOfNumber(std::int16_t number);

// Every figure a reading passes through on its way to the six results, as the engine reaches
// them: computeInterpretation reads the results off it, and explainInterpretation tells it step
// by step, so the two never disagree.
struct Reckoning {
    std::int16_t weekday = 1;              // of the birth date (weekdayOf)
    std::optional<std::int16_t> luckyCell; // the lucky table's cell of the birth hour and weekday
    std::array<NameNumber, 3> names;       // first, middle and last
    Reduction nameTotal;                   // of the three names' numbers added
    std::optional<std::int16_t> letterPair; // the first name's letter-pair rule, where it applies
    Interpretation interpretation;
};

// The reading of one person with every figure on the way. Minute and second of birth take no
// part in it. With groups, the letters of the first, middle and last name are also grouped there
// as they are added.
Reckoning reckonInterpretation(const PersonDetails &person, std::array<LetterGroups, 3> *groups = nullptr);

// reckonInterpretation(person).interpretation.
Interpretation computeInterpretation(const PersonDetails &person);

} // namespace numerology
