#include "engine/Interpretation.h"

#include "engine/Calendar.h"
#include "engine/Numerology.h"

#include <array>

namespace numerology {

namespace {

constexpr std::array<std::string_view, 22> kColors{
    "Greenish Blue", // 0 and every number without a colour of its own
    "Yellow",        "Dark Blue",  "Light Blue",          "Dark Red",          "Violet",
    "Blue",          "Yellow,Brown", "Grey",              "Dark Brown,Dark Blue", "Black,White,Brown",
    "Mauve",         "Dazzling White", "Light Red",       "Dark Blue",         "Black",
    "Red",           "Greenish Yellow", "Green",          "Gold",              "Silver",
    "Orange",
};

} // namespace

std::string_view colorOfNumber(std::int16_t number)
{
    if (number < 1 || number > 21)
        return kColors[0];
    return kColors[static_cast<std::size_t>(number)];
}

Interpretation computeInterpretation(const PersonDetails &person)
{
    const std::int16_t weekday = weekdayOf(person.birthYear, person.birthMonth, person.birthDay);
    const std::int16_t f = nameNumber(person.firstName);
    const std::int16_t m = nameNumber(person.middleName);
    const std::int16_t l = nameNumber(person.lastName);
    // Each name number is at most 38: the sum, at most 114, stays far inside 16 bits, and one
    // reduction brings it to 22 or less.
    const auto s = static_cast<std::int16_t>(f + m + l);
    const std::int16_t nameTotal = reduceNumber(s);

    Interpretation result;
    result.moneyNumber = nameTotal;
    result.secondHealthIndication = nameTotal;
    result.luckyNumber = luckyNumber(person.birthHour, weekday);
    result.firstHealthIndication = digraphNameNumber(person.firstName);
    result.firstHealthInfluence = nameNumber(person.firstName);
    result.luckyColor = colorOfNumber(f);
    return result;
}

} // namespace numerology
