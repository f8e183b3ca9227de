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

// The steps of a working as they are told, one a line, into one text: the working of a name is
// told once and goes whole into each working that has it.
class Lines {
public:
    // Begins the next step.
    Lines &next()
    {
        if (!m_text.empty())
            m_text += '\n';
        return *this;
    }
    Lines &operator<<(std::string_view words)
    {
        m_text += words;
        return *this;
    }
    // A number, in plain decimal.
    Lines &operator<<(long long number)
    {
        char digits[24];
        const char *const end = std::to_chars(std::begin(digits), std::end(digits), number).ptr;
        m_text.append(digits, static_cast<std::size_t>(end - digits));
        return *this;
    }
    // The steps of another working, after these.
    Lines &operator<<(const Lines &steps)
    {
        next() << steps.m_text;
        return *this;
    }
    bool empty() const { return m_text.empty(); }
    std::string take() { return std::move(m_text); }

private:
    std::string m_text;
};

std::string_view letterOf(std::size_t index)
{
    static constexpr std::string_view kLetters = "ABCDEFGHIJKLMNOPQRSTUVWXYZ";
    return kLetters.substr(index, 1);
}

// Ends the step being told, whose last figure is the number reduced, and tells the reduction.
void tellReduction(const Reduction &reduction, Lines &lines)
{
    if (!reduction.digitsAdded) {
        lines << ", not more than " << kLargestKeptNumber << ", so it stays.";
        return;
    }
    lines << ".";
    lines.next() << reduction.number << " is more than " << kLargestKeptNumber << ", so its digits are added: ";
    char digits[8];
    const char *const end = std::to_chars(std::begin(digits), std::end(digits), reduction.number).ptr;
    for (const char *digit = digits; digit != end; ++digit)
        lines << (digit == digits ? "" : " + ") << std::string_view(digit, 1);
    lines << " = " << reduction.result << ".";
}

// How a name's number is reached: its letters' values added (every other byte counts nothing),
// the sum stopped where the engine stops it, and reduced.
Lines tellName(std::string_view label, std::string_view name, const NameNumber &number, const LetterGroups &groups)
{
    Lines lines;
    const LetterSum &sum = number.letters;
    std::size_t others = 0;
    for (char c : name) {
        if (letterValue(c) == 0 && c != ' ')
            ++others;
    }
    if (others > 0) {
        lines.next() << label << ": " << others
                     << (others == 1 ? " character that is not a capital A to Z counts nothing."
                                     : " characters that are not capitals A to Z count nothing.");
    }
    if (sum.letters == 0) {
        lines.next() << label << (name.empty() ? ": none" : ": no letters A to Z") << ", so its number is "
                     << number.number() << ".";
        return lines;
    }

    if (sum.letters <= kLongestListedName) {
        lines.next() << label << ": ";
        bool first = true;
        for (char c : name) {
            const std::int16_t value = letterValue(c);
            if (value == 0)
                continue;
            lines << (first ? "" : " + ") << std::string_view(&c, 1) << " " << value;
            first = false;
        }
        lines << " = " << sum.total;
    } else {
        lines.next() << label << ", " << sum.letters << " letters, each letter's value times its count: ";
        Lines terms;
        int termCount = 0;
        for (std::size_t i = 0; i < groups.counts.size(); ++i) {
            if (groups.counts[i] == 0)
                continue;
            lines << (termCount == 0 ? "" : ", ") << letterOf(i) << " " << letterValue(letterOf(i).front()) << " "
                  << kTimes << " " << groups.counts[i] << " = " << groups.values[i];
            terms << (termCount == 0 ? "" : " + ") << groups.values[i];
            ++termCount;
        }
        if (termCount > 1) {
            lines << ".";
            lines.next() << "Together " << terms.take() << " = " << sum.total;
        }
    }
    if (sum.stopped()) {
        lines << ".";
        lines.next() << "That is more than " << kLargestLetterSum << ", the largest letter sum counted, so the sum stops at "
                     << sum.counted;
    }
    tellReduction(number.reduction, lines);
    return lines;
}

std::string tellLuckyNumber(const PersonDetails &person, const Reckoning &reckoning)
{
    Lines lines;
    const std::string_view weekdayName = kWeekdayNames[static_cast<std::size_t>(reckoning.weekday - 1)];
    lines.next();
    if (!calendarKnowsYear(person.birthYear)) {
        lines << person.birthYear << " lies outside the calendar's years " << kFirstCalendarYear << " to "
              << kLastCalendarYear << ", so each month is taken to start on a Sunday and the weekday follows from the "
              << "day alone: day " << person.birthDay;
    } else if (monthOfName(person.birthMonth) == 0) {
        lines << "The month is none of January to December, so it is taken to start on a Sunday and the weekday "
              << "follows from the day alone: day " << person.birthDay;
    } else {
        lines << person.birthDay << " " << person.birthMonth << " " << person.birthYear;
    }
    lines << " is a " << weekdayName << ", weekday " << reckoning.weekday << " (Sunday is 1, Saturday 7).";

    const std::int16_t lucky = reckoning.interpretation.luckyNumber;
    if (!reckoning.luckyCell) {
        lines.next() << "The hour of birth is " << person.birthHour << ", outside the lucky table's hours 0 to 23, so it gives "
                     << lucky << ".";
    } else {
        lines.next() << "The hour of birth is " << person.birthHour << ".";
        lines.next() << "Row " << person.birthHour << " (the hour) and column " << reckoning.weekday << " (the weekday) of the 24 "
                     << kTimes << " 7 lucky table hold " << *reckoning.luckyCell << ".";
    }
    lines.next() << "The Lucky Number is " << lucky << ".";
    return lines.take();
}

std::string tellLuckyColor(const Lines &first, std::int16_t number, std::string_view color)
{
    Lines lines;
    lines << first;
    if (hasOwnColor(number))
        lines.next() << number << " selects the colour " << color << ".";
    else
        lines.next() << number << " has no colour of its own, so it takes " << color << ".";
    lines.next() << "The Lucky Color is " << color << ".";
    return lines.take();
}

std::string tellFirstHealthIndication(std::string_view firstName, const Lines &first, const Reckoning &reckoning)
{
    Lines lines;
    if (reckoning.letterPair) {
        lines.next() << "The first name begins with " << firstName.substr(0, 2) << ", which gives " << *reckoning.letterPair
                     << " whatever follows.";
    } else {
        lines.next() << "The first name begins with none of TS, TZ and TH, so the ordinary rule applies: its number.";
        lines << first;
    }
    lines.next() << "The First Health Indication is " << reckoning.interpretation.firstHealthIndication << ".";
    return lines.take();
}

// A working that ends with the result it names: the steps before, then "The <result> is <value>.".
template <typename Value>
std::string ending(const Lines &before, std::string_view result, const Value &value)
{
    Lines lines;
    lines << before;
    lines.next() << "The " << result << " is " << value << ".";
    return lines.take();
}

} // namespace

std::vector<std::string_view> Working::steps() const
{
    std::vector<std::string_view> steps;
    for (std::string_view rest = lines; !rest.empty();) {
        const std::size_t end = rest.find('\n');
        steps.push_back(rest.substr(0, end));
        rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
    }
    return steps;
}

Explanation explainInterpretation(const PersonDetails &person)
{
    std::array<LetterGroups, 3> groups;
    const Reckoning reckoning = reckonInterpretation(person, &groups);
    const Interpretation &result = reckoning.interpretation;
    const Lines first = tellName("First name", person.firstName, reckoning.names[0], groups[0]);

    // The Money Number's working and the Second Health Indication's, but for the last step that
    // names either: the three names' workings and their numbers added and reduced.
    Lines total;
    total << first << tellName("Middle name", person.middleName, reckoning.names[1], groups[1])
          << tellName("Last name", person.lastName, reckoning.names[2], groups[2]);
    total.next() << "The three names' numbers added: " << reckoning.names[0].number() << " + "
                 << reckoning.names[1].number() << " + " << reckoning.names[2].number() << " = "
                 << reckoning.nameTotal.number;
    tellReduction(reckoning.nameTotal, total);

    Explanation explanation;
    explanation.interpretation = result;
    explanation.luckyNumber.lines = tellLuckyNumber(person, reckoning);
    explanation.luckyColor.lines = tellLuckyColor(first, reckoning.names[0].number(), result.luckyColor);
    explanation.moneyNumber.lines = ending(total, "Money Number", result.moneyNumber);
    explanation.firstHealthIndication.lines = tellFirstHealthIndication(person.firstName, first, reckoning);
    explanation.firstHealthInfluence.lines = ending(first, "First Health Influence", result.firstHealthInfluence);
    explanation.secondHealthIndication.lines = ending(total, "Second Health Indication", result.secondHealthIndication);
    return explanation;
}

} // namespace numerology
