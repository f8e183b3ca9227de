#include "model/Reading.h"

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
    for (const ResultInfo &info : kResults) {
        const std::optional<std::string_view> text = textOf(texts, info.result);
        reading.descriptions[indexOf(info.result)] = text ? fromEngineText(*text) : description(info.result);
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
