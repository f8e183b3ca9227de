#include "model/Reading.h"

#include "engine/Explanation.h"
#include "engine/Interpretation.h"
#include "engine/InterpretationTexts.h"

namespace {

QString fromView(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The engine's texts break their lines with CR LF; inside the program a line ends with "\n".
QString fromEngineText(std::string_view text)
{
    return fromView(text).replace(QLatin1String("\r\n"), QLatin1String("\n"));
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

const numerology::Working &workingOf(const numerology::Explanation &explanation, Result result)
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

Reading Reading::placeholders()
{
    Reading reading;
    for (const ResultInfo &info : kResults)
        reading.descriptions[indexOf(info.result)] = info.placeholder + QLatin1Char('\n');
    return reading;
}

Reading Reading::next(const numerology::PersonDetails &person) const
{
    Reading reading;
    reading.interpretation = numerology::computeInterpretation(person);
    const numerology::InterpretationTexts texts = numerology::describeInterpretation(reading.interpretation);
    const numerology::Explanation explanation = numerology::explainInterpretation(person);
    for (const ResultInfo &info : kResults) {
        const std::optional<std::string_view> text = textOf(texts, info.result);
        reading.descriptions[indexOf(info.result)] = text ? fromEngineText(*text) : description(info.result);
        for (const std::string &step : workingOf(explanation, info.result).steps)
            reading.workings[indexOf(info.result)] << fromView(step);
    }
    return reading;
}

QString Reading::valueText(Result result) const
{
    const numerology::Interpretation &r = interpretation;
    switch (result) {
    case Result::LuckyNumber: return QString::number(r.luckyNumber);
    case Result::LuckyColor: return fromView(r.luckyColor);
    case Result::MoneyNumber: return QString::number(r.moneyNumber);
    case Result::FirstHealthIndication: return QString::number(r.firstHealthIndication);
    case Result::FirstHealthInfluence: return QString::number(r.firstHealthInfluence);
    case Result::SecondHealthIndication: return QString::number(r.secondHealthIndication);
    }
    return {};
}
