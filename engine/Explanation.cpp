#include "engine/Explanation.h"

#include "engine/Calendar.h"
#include "engine/Interpretation.h"
#include "engine/Numerology.h"

#include <array>
#include <charconv>
#include <cstddef>
#include <iterator>

namespace numerology {

namespace {

// A name of more letters than this is told letter by letter in A to Z order, with counts, since
// a sum of hundreds of terms is no step anyone can check.
constexpr std::size_t kLongestListedName = 40;

constexpr std::array<std::string_view, 7> kWeekdayNames{
    "Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday",
};

// U+00D7 MULTIPLICATION SIGN in UTF-8.
constexpr std::string_view kTimes = "\xC3\x97";

using Steps = std::vector<std::string>;

void append(std::string &text, std::string_view words)
{
    text += words;
}

// A number, in plain decimal.
void append(std::string &text, long long number)
{
    char digits[24];
    const char *const end = std::to_chars(std::begin(digits), std::end(digits), number).ptr;
    text.append(digits, static_cast<std::size_t>(end - digits));
}

// Words and numbers joined into one text. A step is a line of a tooltip: room for one such line
// is made at once.
template <typename... Parts>
std::string words(const Parts &...parts)
{
    std::string text;
    text.reserve(120);
    (append(text, parts), ...);
    return text;
}

std::string_view letterOf(std::size_t index)
{
    static constexpr std::string_view kLetters = "ABCDEFGHIJKLMNOPQRSTUVWXYZ";
    return kLetters.substr(index, 1);
}

// Ends a step whose last figure is the number reduced, and tells the reduction.
void tellReduction(std::string step, const Reduction &reduction, Steps &steps)
{
    if (!reduction.digitsAdded) {
        append(step, ", not more than ");
        append(step, kLargestKeptNumber);
        steps.push_back(std::move(step) + ", so it stays.");
        return;
    }
    steps.push_back(std::move(step) + '.');
    std::string told = words(reduction.number, " is more than ", kLargestKeptNumber, ", so its digits are added: ");
    std::string digits;
    append(digits, reduction.number);
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0)
            append(told, " + ");
        append(told, std::string_view(digits).substr(i, 1));
    }
    steps.push_back(words(told, " = ", reduction.result, "."));
}

// How a name's number is reached: its letters' values added (every other byte counts nothing),
// the sum stopped where the engine stops it, and reduced.
Steps tellName(std::string_view label, std::string_view name, const NameNumber &number, const LetterGroups &groups)
{
    Steps steps;
    const LetterSum &sum = number.letters;
    std::size_t others = 0;
    for (char c : name) {
        if (letterValue(c) == 0 && c != ' ')
            ++others;
    }
    if (others > 0) {
        steps.push_back(words(label, ": ", others,
                              others == 1 ? " character that is not a capital A to Z counts nothing."
                                          : " characters that are not capitals A to Z count nothing."));
    }
    if (sum.letters == 0) {
        steps.push_back(words(label, name.empty() ? ": none" : ": no letters A to Z", ", so its number is ",
                              number.number(), "."));
        return steps;
    }

    std::string step;
    if (sum.letters <= kLongestListedName) {
        step = words(label, ": ");
        bool first = true;
        for (char c : name) {
            const std::int16_t value = letterValue(c);
            if (value == 0)
                continue;
            append(step, first ? "" : " + ");
            append(step, std::string_view(&c, 1));
            append(step, " ");
            append(step, value);
            first = false;
        }
        append(step, " = ");
        append(step, sum.total);
    } else {
        step = words(label, ", ", sum.letters, " letters, each letter's value times its count: ");
        std::string terms;
        int termCount = 0;
        for (std::size_t i = 0; i < groups.counts.size(); ++i) {
            if (groups.counts[i] == 0)
                continue;
            const std::string_view separator = termCount == 0 ? "" : ", ";
            append(step, separator);
            append(step, letterOf(i));
            append(step, " ");
            append(step, letterValue(letterOf(i).front()));
            append(step, " ");
            append(step, kTimes);
            append(step, " ");
            append(step, groups.counts[i]);
            append(step, " = ");
            append(step, groups.values[i]);
            append(terms, termCount == 0 ? "" : " + ");
            append(terms, groups.values[i]);
            ++termCount;
        }
        if (termCount > 1) {
            steps.push_back(std::move(step) + '.');
            step = words("Together ", terms, " = ", sum.total);
        }
    }
    if (sum.stopped()) {
        steps.push_back(std::move(step) + '.');
        step = words("That is more than ", kLargestLetterSum, ", the largest letter sum counted, so the sum stops at ",
                     sum.counted);
    }
    tellReduction(std::move(step), number.reduction, steps);
    return steps;
}

void append(Steps &steps, const Steps &more)
{
    steps.insert(steps.end(), more.begin(), more.end());
}

Steps tellLuckyNumber(const PersonDetails &person, const Reckoning &reckoning)
{
    Steps steps;
    const std::string_view weekdayName = kWeekdayNames[static_cast<std::size_t>(reckoning.weekday - 1)];
    const std::string weekday = words("a ", weekdayName, ", weekday ", reckoning.weekday, " (Sunday is 1, Saturday 7).");
    if (!calendarKnowsYear(person.birthYear)) {
        steps.push_back(words(person.birthYear, " lies outside the calendar's years ", kFirstCalendarYear, " to ",
                              kLastCalendarYear, ", so each month is taken to start on a Sunday and the weekday "
                              "follows from the day alone: day ", person.birthDay, " is ", weekday));
    } else if (monthOfName(person.birthMonth) == 0) {
        steps.push_back(words("The month is none of January to December, so it is taken to start on a Sunday and the "
                              "weekday follows from the day alone: day ", person.birthDay, " is ", weekday));
    } else {
        steps.push_back(words(person.birthDay, " ", person.birthMonth, " ", person.birthYear, " is ", weekday));
    }

    const std::int16_t lucky = reckoning.interpretation.luckyNumber;
    if (!reckoning.luckyCell) {
        steps.push_back(words("The hour of birth is ", person.birthHour, ", outside the lucky table's hours 0 to 23, so it gives ",
                              lucky, "."));
    } else {
        steps.push_back(words("The hour of birth is ", person.birthHour, "."));
        steps.push_back(words("Row ", person.birthHour, " (the hour) and column ", reckoning.weekday,
                              " (the weekday) of the 24 ", kTimes, " 7 lucky table hold ", *reckoning.luckyCell, "."));
    }
    steps.push_back(words("The Lucky Number is ", lucky, "."));
    return steps;
}

Steps tellLuckyColor(const Steps &first, std::int16_t number, std::string_view color)
{
    Steps steps = first;
    if (hasOwnColor(number))
        steps.push_back(words(number, " selects the colour ", color, "."));
    else
        steps.push_back(words(number, " has no colour of its own, so it takes ", color, "."));
    steps.push_back(words("The Lucky Color is ", color, "."));
    return steps;
}

Steps tellFirstHealthIndication(std::string_view firstName, const Steps &first, const Reckoning &reckoning)
{
    Steps steps;
    if (reckoning.letterPair) {
        steps.push_back(words("The first name begins with ", firstName.substr(0, 2), ", which gives ", *reckoning.letterPair,
                              " whatever follows."));
    } else {
        steps.push_back("The first name begins with none of TS, TZ and TH, so the ordinary rule applies: its number.");
        append(steps, first);
    }
    steps.push_back(words("The First Health Indication is ", reckoning.interpretation.firstHealthIndication, "."));
    return steps;
}

// The three names' workings and their numbers added and reduced: the Money Number's working and
// the Second Health Indication's, without the last step that names either.
Steps tellNameTotal(const std::array<Steps, 3> &names, const Reckoning &reckoning)
{
    Steps steps;
    steps.reserve(names[0].size() + names[1].size() + names[2].size() + 3);
    for (const Steps &name : names)
        append(steps, name);
    tellReduction(words("The three names' numbers added: ", reckoning.names[0].number(), " + ", reckoning.names[1].number(),
                        " + ", reckoning.names[2].number(), " = ", reckoning.nameTotal.number),
                  reckoning.nameTotal, steps);
    return steps;
}

} // namespace

Explanation explainInterpretation(const PersonDetails &person)
{
    std::array<LetterGroups, 3> groups;
    const Reckoning reckoning = reckonInterpretation(person, &groups);
    const Interpretation &result = reckoning.interpretation;
    const std::array<Steps, 3> names{tellName("First name", person.firstName, reckoning.names[0], groups[0]),
                                     tellName("Middle name", person.middleName, reckoning.names[1], groups[1]),
                                     tellName("Last name", person.lastName, reckoning.names[2], groups[2])};
    const Steps &first = names[0];

    Explanation explanation;
    explanation.interpretation = result;
    explanation.luckyNumber.steps = tellLuckyNumber(person, reckoning);
    explanation.luckyColor.steps = tellLuckyColor(first, reckoning.names[0].number(), result.luckyColor);
    explanation.firstHealthIndication.steps = tellFirstHealthIndication(person.firstName, first, reckoning);

    Steps &influence = explanation.firstHealthInfluence.steps;
    influence.reserve(first.size() + 1);
    influence = first;
    influence.push_back(words("The First Health Influence is ", result.firstHealthInfluence, "."));

    const Steps total = tellNameTotal(names, reckoning);
    Steps &money = explanation.moneyNumber.steps;
    money.reserve(total.size() + 1);
    money = total;
    money.push_back(words("The Money Number is ", result.moneyNumber, "."));
    Steps &second = explanation.secondHealthIndication.steps;
    second.reserve(total.size() + 1);
    second = total;
    second.push_back(words("The Second Health Indication is ", result.secondHealthIndication, "."));
    return explanation;
}

} // namespace numerology
