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

constexpr std::array<std::string_view, 7> kWeekdayNames{
    "Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday",
};

// U+00D7 MULTIPLICATION SIGN in UTF-8.
constexpr std::string_view kTimes = "\xC3\x97";

// The steps of a working as they are told, one a line, into one text. A reading's workings are
// told from some hundreds of pieces (words, numbers, letters): each piece is copied into room the
// text already has, made in large steps, rather than appended by a call of std::string's own.
class Lines {
public:
    // Told into room, the text of an earlier working whose memory is used again, with room for
    // expected bytes to begin with; more is made as needed.
    Lines(std::string room, std::size_t expected)
        : m_text(std::move(room))
    {
        m_text.resize(std::max(m_text.capacity(), expected));
    }
    // The steps of another working to begin with, and room for more bytes after them.
    Lines(std::string room, std::string_view before, std::size_t more)
        : Lines(std::move(room), before.size() + more)
    {
        *this << before;
    }

    // Begins the next step.
    Lines &next()
    {
        if (m_size != 0)
            *room(1) = '\n';
        return *this;
    }
    // Inlined wherever a piece is added (GCC would call it), so that a piece of known length is
    // copied by a few moves rather than by a call of memcpy.
    [[gnu::always_inline]] Lines &operator<<(std::string_view words)
    {
        words.copy(room(words.size()), words.size());
        return *this;
    }
    // A number, in plain decimal. Most are below a hundred (a letter's value, a name's number, an
    // hour), and are written here digit by digit, where to_chars would be a call.
    [[gnu::always_inline]] Lines &operator<<(long long number)
    {
        if (number < 0 || number >= 100)
            return appendNumber(number);
        char *at = room(number < 10 ? 1 : 2);
        if (number >= 10)
            *at++ = static_cast<char>('0' + number / 10);
        *at = static_cast<char>('0' + number % 10);
        return *this;
    }
    std::size_t size() const { return m_size; }
    std::string_view text() const { return {m_text.data(), m_size}; }
    std::string take()
    {
        m_text.resize(m_size);
        return std::move(m_text);
    }

private:
    static constexpr std::size_t kMostDigits = 20; // of a long long, its sign included

    Lines &appendNumber(long long number)
    {
        char *const at = room(kMostDigits);
        m_size = static_cast<std::size_t>(std::to_chars(at, at + kMostDigits, number).ptr - m_text.data());
        return *this;
    }

    // The next bytes bytes at the end of the text, for the caller to write.
    [[gnu::always_inline]] char *room(std::size_t bytes)
    {
        if (m_text.size() - m_size < bytes)
            grow(bytes);
        char *const at = m_text.data() + m_size;
        m_size += bytes;
        return at;
    }
    void grow(std::size_t bytes) { m_text.resize(std::max(2 * m_text.size(), m_size + bytes)); }

    std::string m_text; // the steps told, up to m_size; room after them
    std::size_t m_size = 0;
};

std::string_view letterOf(std::size_t index)
{
    static constexpr std::string_view kLetters = "ABCDEFGHIJKLMNOPQRSTUVWXYZ";
    return kLetters.substr(index, 1);
}

// Each byte's term in a name's listed sum: " + C 11" for a capital (the first term is told without
// its " + "), and nothing for every other byte, which counts nothing. Made once: a name is told a
// byte at a time, and each letter is then one copy.
const std::array<std::string, 256> &termsOfBytes()
{
    static const std::array<std::string, 256> kTerms = [] {
        std::array<std::string, 256> terms;
        for (std::size_t byte = 0; byte < terms.size(); ++byte) {
            if (const std::int16_t value = letterValue(static_cast<char>(byte)); value != 0)
                terms[byte] = " + " + std::string(1, static_cast<char>(byte)) + " " + std::to_string(value);
        }
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
    char digits[8];
    const char *const end = std::to_chars(std::begin(digits), std::end(digits), reduction.number).ptr;
    for (const char *digit = digits; digit != end; ++digit)
        lines << (digit == digits ? "" : " + ") << std::string_view(digit, 1);
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
        const std::array<std::string, 256> &terms = termsOfBytes();
        bool first = true;
        for (char c : name) {
            const std::string_view term = terms[static_cast<unsigned char>(c)];
            if (term.empty())
                continue;
            lines << (first ? term.substr(3) : term);
            first = false;
        }
        lines << " = " << sum.total;
    } else {
        lines.next() << label << ", " << sum.letters << " letters, each letter's value times its count: ";
        Lines terms({}, 256);
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
            lines.next() << "Together " << terms.text() << " = " << sum.total;
        }
    }
    if (sum.stopped()) {
        lines << ".";
        lines.next() << "That is more than " << kLargestLetterSum << ", the largest letter sum counted, so the sum stops at "
                     << sum.counted;
    }
    tellReduction(number.reduction, lines);
}

std::string tellLuckyNumber(const PersonDetails &person, const Reckoning &reckoning, std::string room)
{
    Lines lines(std::move(room), 512);
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

// Room for the steps a working takes over from another and for the few of its own.
constexpr std::size_t kOwnSteps = 256;

std::string tellLuckyColor(std::string_view first, std::int16_t number, std::string_view color, std::string room)
{
    Lines lines(std::move(room), first, kOwnSteps);
    if (hasOwnColor(number))
        lines.next() << number << " selects the colour " << color << ".";
    else
        lines.next() << number << " has no colour of its own, so it takes " << color << ".";
    lines.next() << "The Lucky Color is " << color << ".";
    return lines.take();
}

std::string tellFirstHealthIndication(std::string_view firstName, std::string_view first, const Reckoning &reckoning,
                                      std::string room)
{
    Lines lines(std::move(room), first.size() + kOwnSteps);
    if (reckoning.letterPair) {
        lines.next() << "The first name begins with " << firstName.substr(0, 2) << ", which gives " << *reckoning.letterPair
                     << " whatever follows.";
    } else {
        lines.next() << "The first name begins with none of TS, TZ and TH, so the ordinary rule applies: its number.";
        lines.next() << first;
    }
    lines.next() << "The First Health Indication is " << reckoning.interpretation.firstHealthIndication << ".";
    return lines.take();
}

// The last step of a working, which names its result: "The <result> is <value>.".
template <typename Value>
void tellResult(std::string_view result, const Value &value, Lines &lines)
{
    lines.next() << "The " << result << " is " << value << ".";
}

// A working that ends with the result it names: the steps before, then the result.
template <typename Value>
std::string ending(std::string_view before, std::string_view result, const Value &value, std::string room)
{
    Lines lines(std::move(room), before, kOwnSteps);
    tellResult(result, value, lines);
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

void explainInterpretation(const PersonDetails &person, Explanation &explanation)
{
    // A name is told by its letters' groups only when it has more letters than are listed, and
    // grouping them costs a pass of its own over each name: only a name of more bytes is grouped.
    const bool longName = std::max({person.firstName.size(), person.middleName.size(), person.lastName.size()})
        > kLongestListedName;
    std::array<LetterGroups, 3> groups;
    const Reckoning reckoning = reckonInterpretation(person, longName ? &groups : nullptr);
    const Interpretation &result = reckoning.interpretation;

    // The three names' workings, the first name's first, and their numbers added and reduced: the
    // Money Number's working (told in its room) and the Second Health Indication's, but for the
    // last step that names either. The first name's steps alone go into three other workings.
    Lines total(std::move(explanation.moneyNumber.lines), 1024);
    tellName("First name", person.firstName, reckoning.names[0], groups[0], total);
    const std::size_t firstEnd = total.size();
    tellName("Middle name", person.middleName, reckoning.names[1], groups[1], total);
    tellName("Last name", person.lastName, reckoning.names[2], groups[2], total);
    total.next() << "The three names' numbers added: " << reckoning.names[0].number() << " + "
                 << reckoning.names[1].number() << " + " << reckoning.names[2].number() << " = "
                 << reckoning.nameTotal.number;
    tellReduction(reckoning.nameTotal, total);
    const std::string_view first = total.text().substr(0, firstEnd);

    explanation.interpretation = result;
    Working &lucky = explanation.luckyNumber;
    lucky.lines = tellLuckyNumber(person, reckoning, std::move(lucky.lines));
    Working &color = explanation.luckyColor;
    color.lines = tellLuckyColor(first, reckoning.names[0].number(), result.luckyColor, std::move(color.lines));
    Working &indication = explanation.firstHealthIndication;
    indication.lines = tellFirstHealthIndication(person.firstName, first, reckoning, std::move(indication.lines));
    Working &influence = explanation.firstHealthInfluence;
    influence.lines = ending(first, "First Health Influence", result.firstHealthInfluence, std::move(influence.lines));
    Working &second = explanation.secondHealthIndication;
    second.lines = ending(total.text(), "Second Health Indication", result.secondHealthIndication, std::move(second.lines));
    // Last: the steps before it have gone into the other workings.
    tellResult("Money Number", result.moneyNumber, total);
    explanation.moneyNumber.lines = total.take();
}

Explanation explainInterpretation(const PersonDetails &person)
{
    Explanation explanation;
    explainInterpretation(person, explanation);
    return explanation;
}

} // namespace numerology
