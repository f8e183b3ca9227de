#include "engine/Interpretation.h"

#include "engine/Calendar.h"
#include "engine/Numerology.h"

#include <array>

namespace numerology {

namespace {

constexpr auto kColors = std::to_array<std::string_view>({
    "Greenish Blue", // 0 and every number without a colour of its own
    "Yellow",        "Dark Blue",  "Light Blue",          "Dark Red",          "Violet",
    "Blue",          "Yellow,Brown", "Grey",              "Dark Brown,Dark Blue", "Black,White,Brown",
    "Mauve",         "Dazzling White", "Light Red",       "Dark Blue",         "Black",
    "Red",           "Greenish Yellow", "Green",          "Gold",              "Silver",
    "Orange",
});

} // namespace

bool hasOwnColor(std::int16_t number)
{
    return number >= 1 && static_cast<std::size_t>(number) < kColors.size();
}

std::string_view colorOfNumber(std::int16_t number)
{
    return kColors[hasOwnColor(number) ? static_cast<std::size_t>(number) : 0];
}

Reckoning reckonInterpretation(const PersonDetails &person, std::array<LetterGroups, 3> *groups)
{
    Reckoning reckoning;
    reckoning.weekday = weekdayOf(person.birthYear, person.birthMonth, person.birthDay);
    reckoning.luckyCell = luckyTableCell(person.birthHour, reckoning.weekday);
    reckoning.names = {reckonName(person.firstName, groups ? &(*groups)[0] : nullptr),
                       reckonName(person.middleName, groups ? &(*groups)[1] : nullptr),
                       reckonName(person.lastName, groups ? &(*groups)[2] : nullptr)};
    const std::int16_t f = reckoning.names[0].number();
    // Each name number is at most 38: the sum, at most 114, stays far inside 16 bits, and one
    // reduction brings it to 22 or less.
    reckoning.nameTotal = reduction(static_cast<std::int16_t>(f + reckoning.names[1].number() + reckoning.names[2].number()));
    reckoning.letterPair = letterPairNumber(person.firstName);

    Interpretation &result = reckoning.interpretation;
    result.moneyNumber = reckoning.nameTotal.result;
    result.secondHealthIndication = reckoning.nameTotal.result;
    result.luckyNumber = reckoning.luckyCell.value_or(0);
    result.firstHealthIndication = reckoning.letterPair.value_or(f);
    result.firstHealthInfluence = f;
    result.luckyColor = colorOfNumber(f);
    return reckoning;
}

Interpretation computeInterpretation(const PersonDetails &person)
{
    return reckonInterpretation(person).interpretation;
}

} // namespace numerology
