#include "engine/Explanation.h"

#include "engine/Calendar.h"
#include "engine/Interpretation.h"
#include "engine/Numerology.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstddef>
#include <iterator>
#include <string>

namespace numerology {

namespace {

// A name of more letters than this is told letter by letter in A to Z order, with counts, since
// a sum of hundreds of terms is no step anyone can check.
constexpr std::size_t kLongestListedName = 40;

constexpr auto kWeekdayNames = std::to_array<std::string_view>({
    "Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday",
});

// U+00D7 MULTIPLICATION SIGN in UTF-8.
constexpr std::string_view kTimes = "\xC3\x97";

// The working of names of ordinary length fits: a new text is made this large at once.
constexpr std::size_t kUsualWorking = 512;

// The steps of a working, one a line, told into a text from its start. The text keeps its
// memory, so that a file of many people told into one explanation seldom makes any.
class Lines {
public:
    explicit Lines(std::string &text)
        : m_text(text)
    {
        m_text.clear();
        m_text.reserve(kUsualWorking);
    }

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
        char digits[20];
        const char *const end = std::to_chars(std::begin(digits), std::end(digits), number).ptr;
        m_text.append(digits, static_cast<std::size_t>(end - digits));
        return *this;
    }

private:
    std::string &m_text;
};

std::string_view letterOf(std::size_t index)
{
    static constexpr std::string_view kLetters = "ABCDEFGHIJKLMNOPQRSTUVWXYZ";
    return kLetters.substr(index, 1);
}

// Each capital's term in a name's listed sum, " + C 11" (the first term is told without its
// " + "), made once: a name is then told one copy a letter.
const std::array<std::string, 26> &letterTerms()
{
    static const std::array<std::string, 26> kTerms = [] {
        std::array<std::string, 26> terms;
        for (std::size_t i = 0; i < terms.size(); ++i)
            terms[i] = " + " + std::string(letterOf(i)) + " " + std::to_string(letterValue(letterOf(i).front()));
        return terms;
    }();
    return kTerms;
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
    const std::string digits = std::to_string(reduction.number);
    for (std::size_t i = 0; i < digits.size(); ++i)
        lines << (i == 0 ? "" : " + ") << std::string_view(digits).substr(i, 1);
    lines << " = " << reduction.result << ".";
}

// Tells, after the steps in lines, how a name's number is reached: its letters' values added
// (every other byte counts nothing), the sum stopped where the engine stops it, and reduced.
void tellName(std::string_view label, std::string_view name, const NameNumber &number, const LetterGroups &groups,
              Lines &lines)
{
    const LetterSum &sum = number.letters;
    // Every byte but the capitals A to Z and the blanks.
    const auto others = name.size() - sum.letters - static_cast<std::size_t>(std::count(name.begin(), name.end(), ' '));
    if (others > 0) {
        lines.next() << label << ": " << others
                     << (others == 1 ? " character that is not a capital A to Z counts nothing."
                                     : " characters that are not capitals A to Z count nothing.");
    }
    if (sum.letters == 0) {
        lines.next() << label << (name.empty() ? ": none" : ": no letters A to Z") << ", so its number is "
                     << number.number() << ".";
        return;
    }

    if (sum.letters <= kLongestListedName) {
        lines.next() << label << ": ";
        bool first = true;
        for (char c : name) {
            if (letterValue(c) != 0) {
                const std::string_view term = letterTerms()[static_cast<std::size_t>(c - 'A')];
                lines << (first ? term.substr(3) : term);
                first = false;
            }
        }
        lines << " = " << sum.total;
    } else {
        lines.next() << label << ", " << sum.letters << " letters, each letter's value times its count: ";
        std::string together;
        Lines terms(together);
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
            lines.next() << "Together " << together << " = " << sum.total;
        }
    }
    if (sum.stopped()) {
        lines << ".";
        lines.next() << "That is more than " << kLargestLetterSum << ", the largest letter sum counted, so the sum stops at "
                     << sum.counted;
    }
    tellReduction(number.reduction, lines);
}

// The last step of a working, which names its result: "The <result> is <value>.".
template <typename Value>
void tellResult(std::string_view result, const Value &value, Lines &lines)
{
    lines.next() << "The " << result << " is " << value << ".";
}

void tellLuckyNumber(const PersonDetails &person, const Reckoning &reckoning, Lines &lines)
{
    lines.next();
    if (!calendarKnowsYear(person.birthYear)) {
        lines << person.birthYear << " lies outside the calendar's years " << kFirstCalendarYear << " to "
              << kLastCalendarYear << ", so each month is taken to start on a Sunday and the weekday follows from the "
              << "day alone: day " << person.birthDay;
    } else if (monthOfName(person.birthMonth) == 0) {
        lines << "The month is none of " << kMonthNames.front() << " to " << kMonthNames.back()
              << ", so it is taken to start on a Sunday and the weekday follows from the day alone: day "
              << person.birthDay;
    } else {
        lines << person.birthDay << " " << person.birthMonth << " " << person.birthYear;
    }
    lines << " is a " << kWeekdayNames[static_cast<std::size_t>(reckoning.weekday - 1)] << ", weekday "
          << reckoning.weekday << " (" << kWeekdayNames.front() << " is 1, " << kWeekdayNames.back() << " "
          << kWeekdayNames.size() << ").";

    const std::int16_t lucky = reckoning.interpretation.luckyNumber;
    if (!reckoning.luckyCell) {
        lines.next() << "The hour of birth is " << person.birthHour << ", outside the lucky table's hours 0 to "
                     << kLuckyTableHours - 1 << ", so it gives " << lucky << ".";
    } else {
        lines.next() << "The hour of birth is " << person.birthHour << ".";
        lines.next() << "Row " << person.birthHour << " (the hour) and column " << reckoning.weekday << " (the weekday) of the "
                     << kLuckyTableHours << " " << kTimes << " " << kLuckyTableWeekdays << " lucky table hold "
                     << *reckoning.luckyCell << ".";
    }
    tellResult("Lucky Number", lucky, lines);
}

} // namespace

void explainInterpretation(const PersonDetails &person, Explanation &explanation)
{
    // A name is told by its letters' groups only when it has more letters than are listed, and
    // grouping them costs a pass of its own over each name: only a name of more bytes is grouped.
    const bool longName = std::max({person.firstName.size(), person.middleName.size(), person.lastName.size()})
        > kLongestListedName;
    std::array<LetterGroups, 3> groups;
    const Reckoning reckoning = reckonInterpretation(person, longName ? &groups : nullptr);
    const Interpretation &result = reckoning.interpretation;
    const std::int16_t f = reckoning.names[0].number();
    explanation.interpretation = result;

    // The three names' steps, the first name's first, and their numbers added and reduced: the
    // Money Number's working but for its last step, which is told last, when the other workings
    // have taken the steps they share with it.
    Lines money(explanation.moneyNumber.lines);
    tellName("First name", person.firstName, reckoning.names[0], groups[0], money);
    const std::size_t firstEnd = explanation.moneyNumber.lines.size();
    tellName("Middle name", person.middleName, reckoning.names[1], groups[1], money);
    tellName("Last name", person.lastName, reckoning.names[2], groups[2], money);
    money.next() << "The three names' numbers added: " << f << " + " << reckoning.names[1].number() << " + "
                 << reckoning.names[2].number() << " = " << reckoning.nameTotal.number;
    tellReduction(reckoning.nameTotal, money);
    const std::string_view names = explanation.moneyNumber.lines;
    const std::string_view first = names.substr(0, firstEnd);

    Lines lucky(explanation.luckyNumber.lines);
    tellLuckyNumber(person, reckoning, lucky);

    Lines color(explanation.luckyColor.lines);
    color << first;
    if (hasOwnColor(f))
        color.next() << f << " selects the colour " << result.luckyColor << ".";
    else
        color.next() << f << " has no colour of its own, so it takes " << result.luckyColor << ".";
    tellResult("Lucky Color", result.luckyColor, color);

    Lines indication(explanation.firstHealthIndication.lines);
    if (reckoning.letterPair) {
        indication.next() << "The first name begins with " << person.firstName.substr(0, 2) << ", which gives "
                          << *reckoning.letterPair << " whatever follows.";
    } else {
        indication.next() << "The first name begins with none of TS, TZ and TH, so the ordinary rule applies: its number.";
        indication.next() << first;
    }
    tellResult("First Health Indication", result.firstHealthIndication, indication);

    Lines influence(explanation.firstHealthInfluence.lines);
    influence << first;
    tellResult("First Health Influence", result.firstHealthInfluence, influence);

    Lines second(explanation.secondHealthIndication.lines);
    second << names;
    tellResult("Second Health Indication", result.secondHealthIndication, second);

    tellResult("Money Number", result.moneyNumber, money);
}

Explanation explainInterpretation(const PersonDetails &person)
{
    Explanation explanation;
    explainInterpretation(person, explanation);
    return explanation;
}

} // namespace numerology
