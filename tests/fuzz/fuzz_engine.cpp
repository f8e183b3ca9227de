// The engine on arbitrary bytes and numbers: never a crash, never undefined behaviour, the
// results always within their ranges, and a working for each of them, one sentence a line, with
// no character that quoting would have to escape.
#include "engine/Explanation.h"
#include "engine/Interpretation.h"
#include "engine/InterpretationTexts.h"
#include "engine/Numerology.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>

using namespace numerology;

namespace {

std::int16_t Take16(const std::uint8_t *&data, std::size_t &size)
{
    std::uint16_t value = 0;
    if (size >= 2) {
        std::memcpy(&value, data, 2);
        data += 2;
        size -= 2;
    }
    return static_cast<std::int16_t>(value);
}

void Check(bool condition)
{
    if (!condition)
        std::abort();
}

void CheckText(std::optional<std::string_view> text)
{
    if (text)
        Check(text->size() > 2 && text->substr(0, 2) == "\r\n" && text->back() != '\n');
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::int16_t day = Take16(data, size);
    const std::int16_t year = Take16(data, size);
    const std::int16_t hour = Take16(data, size);
    const std::int16_t number = Take16(data, size);
    const std::string rest(reinterpret_cast<const char *>(data), size);

    // The rest holds the month and the three names, separated by 0xFF bytes; NUL bytes stay in
    // the names, and a name may be as long as a text box holds (32,767 characters).
    std::string parts[4];
    std::size_t part = 0;
    for (char c : rest) {
        if (c == '\xff' && part < 3)
            ++part;
        else if (parts[part].size() < 32767)
            parts[part] += c;
    }

    Check(reduction(number).result <= std::max<int>(number, 22));
    const std::optional<std::int16_t> cell = luckyTableCell(hour, number);
    Check(!cell || (*cell >= 1 && *cell <= 9));
    (void)colorOfNumber(number);
    Interpretation keyed;
    keyed.moneyNumber = keyed.firstHealthIndication = number;
    const InterpretationTexts keyedTexts = describeInterpretation(keyed);
    CheckText(keyedTexts.moneyText);
    CheckText(keyedTexts.firstHealthIndicationText);

    PersonDetails person{parts[1], parts[2], parts[3], day, parts[0], year, hour};
    const Reckoning reckoning = reckonInterpretation(person);
    Check(reckoning.weekday >= 1 && reckoning.weekday <= 7);
    for (const NameNumber &name : reckoning.names)
        Check(name.number() >= 0 && name.number() <= 38);
    const Interpretation &reading = reckoning.interpretation;
    Check(reading == computeInterpretation(person));
    Check(reading.luckyNumber >= 0 && reading.luckyNumber <= 9);
    Check(reading.firstHealthIndication >= 0 && reading.firstHealthIndication <= 38);
    const Explanation explanation = explainInterpretation(person);
    Check(explanation.interpretation == reading);
    for (const Working *working : {&explanation.luckyNumber, &explanation.luckyColor, &explanation.moneyNumber,
                                   &explanation.firstHealthIndication, &explanation.firstHealthInfluence,
                                   &explanation.secondHealthIndication}) {
        // Each step a sentence of its own line, which can be quoted as it is.
        Check(!working->lines.empty());
        for (std::string_view rest = working->lines;;) {
            const std::size_t end = rest.find('\n');
            const std::string_view step = rest.substr(0, end);
            Check(step.size() > 1 && step.back() == '.');
            Check(std::none_of(step.begin(), step.end(),
                               [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == '"' || c == '\\'; }));
            if (end == std::string_view::npos)
                break;
            rest.remove_prefix(end + 1);
        }
    }
    Check(reading.moneyNumber == reading.secondHealthIndication);
    Check(reading.moneyNumber >= 0 && reading.moneyNumber <= 22);
    Check(!reading.luckyColor.empty());
    const InterpretationTexts texts = describeInterpretation(reading);
    CheckText(texts.luckyNumberText);
    CheckText(texts.luckyColorText);
    CheckText(texts.moneyText);
    CheckText(texts.firstHealthIndicationText);
    CheckText(texts.firstHealthInfluenceText);
    CheckText(texts.secondHealthIndicationText);
    return 0;
}
