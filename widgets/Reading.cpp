#include "Reading.h"

#include "Interpretation.h"
#include "InterpretationTexts.h"

namespace {

QString fromView(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

Reading Reading::placeholders()
{
    Reading reading;
    reading.descriptions = {QStringLiteral("Lucky No\r\n"),
                            QStringLiteral("LuckyColor\r\n"),
                            QStringLiteral("Money No\r\n"),
                            QStringLiteral("First Health Indication\r\n"),
                            QStringLiteral("First Health Influence\r\n"),
                            QStringLiteral("Second Health Indication\r\n")};
    return reading;
}

Reading Reading::next(const numerology::PersonDetails &person) const
{
    Reading reading;
    reading.interpretation = numerology::computeInterpretation(person);
    const numerology::InterpretationTexts texts = numerology::describeInterpretation(reading.interpretation);
    const std::optional<std::string_view> described[6] = {
        texts.luckyNumberText,           texts.luckyColorText,           texts.moneyText,
        texts.firstHealthIndicationText, texts.firstHealthInfluenceText, texts.secondHealthIndicationText,
    };
    for (std::size_t i = 0; i < 6; ++i)
        reading.descriptions[i] = described[i] ? fromView(*described[i]) : descriptions[i];
    return reading;
}
