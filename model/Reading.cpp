#include "model/Reading.h"

#include "engine/Interpretation.h"
#include "engine/InterpretationTexts.h"

#include <unordered_map>
#include <utility>

namespace {

QString fromView(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// A text of the engine's catalogue as the windows show it: the engine breaks its lines with CR
// LF, and inside the program a line ends with "\n". The catalogue is a few hundred constants,
// each known by its address: each is converted once (in each thread, so that a look-up takes no
// lock, and kept while the thread lives), and every reading that shows it shares it.
const QString &fromCatalogue(std::string_view text)
{
    struct Address {
        std::size_t operator()(std::string_view view) const
        {
            return std::hash<const char *>()(view.data()) ^ view.size();
        }
        bool operator()(std::string_view a, std::string_view b) const
        {
            return a.data() == b.data() && a.size() == b.size();
        }
    };
    thread_local std::unordered_map<std::string_view, QString, Address, Address> converted;
    QString &known = converted[text];
    if (known.isNull())
        known = fromView(text).replace(QLatin1String("\r\n"), QLatin1String("\n"));
    return known;
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

Reading Reading::next(const numerology::PersonDetails &person) const
{
    Reading reading;
    next(person, reading);
    return reading;
}

void Reading::next(const numerology::PersonDetails &person, Reading &reading) const
{
    // The workings are told in the memory of reading's own, lent to the explanation and given back.
    numerology::Explanation explanation;
    for (const ResultInfo &info : kResults)
        workingOf(explanation, info.result) = std::move(reading.workings[indexOf(info.result)]);
    numerology::explainInterpretation(person, explanation);
    reading.interpretation = explanation.interpretation;
    const numerology::InterpretationTexts texts = numerology::describeInterpretation(reading.interpretation);
    for (const ResultInfo &info : kResults) {
        const std::optional<std::string_view> text = textOf(texts, info.result);
        const QString &shown = text ? fromCatalogue(*text) : description(info.result);
        // A text that reading shows already stays as it is: an assignment of a shared text has a
        // cost of its own, which a file of many people pays for each reading.
        QString &current = reading.descriptions[indexOf(info.result)];
        if (current.constData() != shown.constData() || current.size() != shown.size())
            current = shown;
        reading.workings[indexOf(info.result)] = std::move(workingOf(explanation, info.result));
    }
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
