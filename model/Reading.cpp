#include "model/Reading.h"

#include "engine/Interpretation.h"
#include "engine/InterpretationTexts.h"

#include <cstdint>
#include <optional>
#include <utility>

namespace {

QString fromView(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

std::optional<std::string_view> textOf(const numerology::InterpretationTexts &texts, Result result)
{
    switch (result) {
    case Result::LuckyNumber: return texts.luckyNumberText;
    case Result::LuckyColor: return texts.luckyColorText;
    case Result::MoneyNumber: return texts.moneyText;
    case Result::FirstHealthIndication: return texts.firstHealthIndicationText;
    case Result::FirstHealthInfluence: return texts.firstHealthInfluenceText;
    case Result::SecondHealthIndication: return texts.secondHealthIndicationText;
    }
    return std::nullopt;
}

numerology::Working &workingOf(numerology::Explanation &explanation, Result result)
{
    switch (result) {
    case Result::LuckyNumber: return explanation.luckyNumber;
    case Result::LuckyColor: return explanation.luckyColor;
    case Result::MoneyNumber: return explanation.moneyNumber;
    case Result::FirstHealthIndication: return explanation.firstHealthIndication;
    case Result::FirstHealthInfluence: return explanation.firstHealthInfluence;
    case Result::SecondHealthIndication: break;
    }
    return explanation.secondHealthIndication;
}

} // namespace

// The engine gives the texts of the lucky number and colour whatever the numbers, and no keyed text
// for a number outside 1 to kLargestKeptNumber: one interpretation of each number gives them all.
const CatalogueTexts &catalogueTexts()
{
    static const CatalogueTexts kTexts = [] {
        CatalogueTexts shown;
        for (std::int16_t number = 0; number <= numerology::kLargestKeptNumber; ++number) {
            numerology::Interpretation numbered;
            numbered.luckyNumber = numbered.moneyNumber = numbered.firstHealthIndication = number;
            numbered.firstHealthInfluence = numbered.secondHealthIndication = number;
            const numerology::InterpretationTexts texts = numerology::describeInterpretation(numbered);
            for (const ResultInfo &info : kResults) {
                if (const std::optional<std::string_view> text = textOf(texts, info.result))
                    shown[indexOf(info.result)][static_cast<std::size_t>(number)] =
                        fromView(*text).replace(QLatin1String("\r\n"), QLatin1String("\n"));
            }
        }
        return shown;
    }();
    return kTexts;
}

Reading Reading::placeholders()
{
    static const Reading kPlaceholders = [] {
        Reading reading;
        for (const ResultInfo &info : kResults)
            reading.descriptions[indexOf(info.result)] = info.placeholder + QLatin1Char('\n');
        return reading;
    }();
    return kPlaceholders;
}

Reading Reading::readingOf(const numerology::PersonDetails &person) const
{
    numerology::Explanation explanation = numerology::explainInterpretation(person);
    Reading reading;
    reading.interpretation = explanation.interpretation;
    for (const ResultInfo &info : kResults) {
        const std::size_t index = indexOf(info.result);
        const QString &text = catalogueTexts()[index][reading.textNumber(info.result)];
        reading.descriptions[index] = text.isNull() ? descriptions[index] : text;
        reading.workings[index] = std::move(workingOf(explanation, info.result));
    }
    return reading;
}

std::size_t Reading::textNumber(Result result) const
{
    std::int16_t number = 0;
    switch (result) {
    case Result::LuckyNumber: number = interpretation.luckyNumber; break;
    case Result::LuckyColor: break;
    case Result::MoneyNumber: number = interpretation.moneyNumber; break;
    case Result::FirstHealthIndication: number = interpretation.firstHealthIndication; break;
    case Result::FirstHealthInfluence: number = interpretation.firstHealthInfluence; break;
    case Result::SecondHealthIndication: number = interpretation.secondHealthIndication; break;
    }
    return number >= 1 && number <= numerology::kLargestKeptNumber ? static_cast<std::size_t>(number) : 0;
}

QString Reading::valueText(Result result) const
{
    return QString::fromStdString(valueUtf8(result));
}

std::string Reading::valueUtf8(Result result) const
{
    const numerology::Interpretation &r = interpretation;
    switch (result) {
    case Result::LuckyNumber: return std::to_string(r.luckyNumber);
    case Result::LuckyColor: return std::string(r.luckyColor);
    case Result::MoneyNumber: return std::to_string(r.moneyNumber);
    case Result::FirstHealthIndication: return std::to_string(r.firstHealthIndication);
    case Result::FirstHealthInfluence: return std::to_string(r.firstHealthInfluence);
    case Result::SecondHealthIndication: return std::to_string(r.secondHealthIndication);
    }
    return {};
}

QString Reading::working(Result result) const
{
    return fromView(workings[indexOf(result)].lines);
}
