#include "engine/Explanation.h"

#include "engine/Calendar.h"
#include "engine/Interpretation.h"
#include "engine/Numerology.h"

#include <algorithm>
#include <array>
#include <cstddef>

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

std::string decimal(long long n)
{
    return std::to_string(n);
}

// Ends a step whose last figure is n, and adds the reduction reduceNumber makes of it: a number
// above 22 becomes the sum of its digits, once.
std::int16_t reduce(std::string step, std::int16_t n, Steps &steps)
{
    if (n <= 22) {
        steps.push_back(std::move(step) + ", not more than 22, so it stays.");
        return n;
    }
    steps.push_back(std::move(step) + '.');
    std::string digits;
    int sum = 0;
    for (char digit : decimal(n)) {
        digits += digits.empty() ? "" : " + ";
        digits += digit;
        sum += digit - '0';
    }
    steps.push_back(decimal(n) + " is more than 22, so its digits are added: " + digits + " = " + decimal(sum) + '.');
    return static_cast<std::int16_t>(sum);
}

struct NameWorking {
    std::int16_t number = 0;
    Steps steps;
};

// A name's number as nameNumber reaches it: the values of its capitals A to Z added (every other
// byte counts nothing), the sum stopped at kLargestLetterSum, and reduced once.
NameWorking workName(std::string_view label, std::string_view name)
{
    NameWorking working;
    std::array<std::size_t, 26> counts{};
    std::size_t letters = 0;
    std::size_t others = 0;
    for (char c : name) {
        if (c >= 'A' && c <= 'Z') {
            ++counts[static_cast<std::size_t>(c - 'A')];
            ++letters;
        } else if (c != ' ') {
            ++others;
        }
    }
    const std::string title(label);
    if (others > 0) {
        working.steps.push_back(title + ": " + decimal(static_cast<long long>(others))
                                + (others == 1 ? " character that is not a capital A to Z counts nothing."
                                               : " characters that are not capitals A to Z count nothing."));
    }
    if (letters == 0) {
        working.steps.push_back(title + (name.empty() ? ": none" : ": no letters A to Z") + ", so its number is 0.");
        return working;
    }

    long long sum = 0; // every letter adds at least 1, so a sum of 0 means no term yet
    std::string step = title + ": ";
    if (letters <= kLongestListedName) {
        for (char c : name) {
            if (c < 'A' || c > 'Z')
                continue;
            const std::int16_t value = letterValue(c);
            step += (sum == 0 ? "" : " + ") + std::string(1, c) + ' ' + decimal(value);
            sum += value;
        }
        step += " = " + decimal(sum);
    } else {
        step = title + ", " + decimal(static_cast<long long>(letters)) + " letters, each letter's value times its count: ";
        std::string terms;
        int groups = 0;
        for (std::size_t i = 0; i < counts.size(); ++i) {
            if (counts[i] == 0)
                continue;
            ++groups;
            const char c = static_cast<char>('A' + i);
            const long long count = static_cast<long long>(counts[i]);
            const long long total = count * letterValue(c);
            step += (sum == 0 ? "" : ", ") + std::string(1, c) + ' ' + decimal(letterValue(c)) + ' '
                    + std::string(kTimes) + ' ' + decimal(count) + " = " + decimal(total);
            terms += (sum == 0 ? "" : " + ") + decimal(total);
            sum += total;
        }
        if (groups > 1) {
            working.steps.push_back(step + '.');
            step = "Together " + terms + " = " + decimal(sum);
        }
    }
    if (sum > kLargestLetterSum) {
        working.steps.push_back(step + '.');
        step = "That is more than " + decimal(kLargestLetterSum) + ", the largest letter sum counted, so the sum stops at "
               + decimal(kLargestLetterSum);
        sum = kLargestLetterSum;
    }
    working.number = reduce(std::move(step), static_cast<std::int16_t>(sum), working.steps);
    return working;
}

void append(Steps &steps, const Steps &more)
{
    steps.insert(steps.end(), more.begin(), more.end());
}

std::int16_t workLuckyNumber(const PersonDetails &person, Steps &steps)
{
    const std::int16_t weekday = weekdayOf(person.birthYear, person.birthMonth, person.birthDay);
    const std::string weekdayName(kWeekdayNames[static_cast<std::size_t>(weekday - 1)]);
    const std::string weekdayText = "a " + weekdayName + ", weekday " + decimal(weekday) + " (Sunday is 1, Saturday 7).";
    const bool knownMonth = std::find(kMonthNames.begin(), kMonthNames.end(), person.birthMonth) != kMonthNames.end();
    const bool knownYear = person.birthYear >= kFirstCalendarYear && person.birthYear <= kLastCalendarYear;
    if (knownMonth && knownYear) {
        steps.push_back(decimal(person.birthDay) + ' ' + person.birthMonth + ' ' + decimal(person.birthYear)
                        + " is " + weekdayText);
    } else {
        const std::string reason = !knownYear ? decimal(person.birthYear) + " lies outside the calendar's years "
                                                    + decimal(kFirstCalendarYear) + " to " + decimal(kLastCalendarYear)
                                                    + ", so each month is taken"
                                              : std::string("The month is none of January to December, so it is taken");
        steps.push_back(reason + " to start on a Sunday and the weekday follows from the day alone: day "
                        + decimal(person.birthDay) + " is " + weekdayText);
    }

    const std::int16_t lucky = luckyNumber(person.birthHour, weekday);
    if (person.birthHour < 0 || person.birthHour > 23) {
        steps.push_back("The hour of birth is " + decimal(person.birthHour)
                        + ", outside the lucky table's hours 0 to 23, so it gives 0.");
    } else {
        steps.push_back("The hour of birth is " + decimal(person.birthHour) + '.');
        steps.push_back("Row " + decimal(person.birthHour) + " (the hour) and column " + decimal(weekday)
                        + " (the weekday) of the 24 " + std::string(kTimes) + " 7 lucky table hold " + decimal(lucky) + '.');
    }
    steps.push_back("The Lucky Number is " + decimal(lucky) + '.');
    return lucky;
}

std::string_view workLuckyColor(const NameWorking &first, Steps &steps)
{
    append(steps, first.steps);
    const std::string_view color = colorOfNumber(first.number);
    if (first.number >= 1 && first.number <= 21)
        steps.push_back(decimal(first.number) + " selects the colour " + std::string(color) + '.');
    else
        steps.push_back(decimal(first.number) + " has no colour of its own, so it takes " + std::string(color) + '.');
    steps.push_back("The Lucky Color is " + std::string(color) + '.');
    return color;
}

std::int16_t workFirstHealthIndication(std::string_view firstName, const NameWorking &first, Steps &steps)
{
    const std::string_view pair = firstName.substr(0, 2);
    std::int16_t value = first.number;
    if (pair == "TS" || pair == "TZ" || pair == "TH") {
        value = pair == "TH" ? 9 : 18;
        steps.push_back("The first name begins with " + std::string(pair) + ", which gives " + decimal(value)
                        + " whatever follows.");
    } else {
        steps.push_back("The first name begins with none of TS, TZ and TH, so the ordinary rule applies: its number.");
        append(steps, first.steps);
    }
    steps.push_back("The First Health Indication is " + decimal(value) + '.');
    return value;
}

std::int16_t workNameTotal(const std::array<NameWorking, 3> &names, Steps &steps)
{
    for (const NameWorking &name : names)
        append(steps, name.steps);
    const auto sum = static_cast<std::int16_t>(names[0].number + names[1].number + names[2].number);
    return reduce("The three names' numbers added: " + decimal(names[0].number) + " + " + decimal(names[1].number)
                      + " + " + decimal(names[2].number) + " = " + decimal(sum),
                  sum, steps);
}

} // namespace

Explanation explainInterpretation(const PersonDetails &person)
{
    Explanation explanation;
    Interpretation &result = explanation.interpretation;
    const std::array<NameWorking, 3> names{workName("First name", person.firstName),
                                           workName("Middle name", person.middleName),
                                           workName("Last name", person.lastName)};
    const NameWorking &first = names[0];

    result.luckyNumber = workLuckyNumber(person, explanation.luckyNumber.steps);
    result.luckyColor = workLuckyColor(first, explanation.luckyColor.steps);

    Steps &money = explanation.moneyNumber.steps;
    result.moneyNumber = workNameTotal(names, money);
    money.push_back("The Money Number is " + decimal(result.moneyNumber) + '.');

    result.firstHealthIndication = workFirstHealthIndication(person.firstName, first, explanation.firstHealthIndication.steps);

    Steps &influence = explanation.firstHealthInfluence.steps;
    append(influence, first.steps);
    result.firstHealthInfluence = first.number;
    influence.push_back("The First Health Influence is " + decimal(result.firstHealthInfluence) + '.');

    Steps &second = explanation.secondHealthIndication.steps;
    second.assign(money.begin(), money.end() - 1);
    result.secondHealthIndication = result.moneyNumber;
    second.push_back("The Second Health Indication is " + decimal(result.secondHealthIndication) + '.');
    return explanation;
}

} // namespace numerology
