#include "report/ReportEdit.h"

#include <QMetaObject>
#include <QMimeData>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>

namespace {

// Where Qt's word wrapping may break a line for certain: a blank (a no-break space is none) or a
// zero-width space. Other break opportunities (after a hyphen, before a slash) only shorten a run
// Qt's wrapping scans; leaving them out errs on the side of wrapping anywhere.
bool isBreak(QChar c)
{
    return (c.isSpace() && c.decompositionTag() != QChar::NoBreak) || c == QChar(0x200B);
}

// What Qt's word wrapping spends on a paragraph's text beyond reading it, in proportion: the sum of
// the squares of the lengths of its runs without a break that are longer than a line.
qint64 wrapCostOf(QStringView text)
{
    qint64 cost = 0;
    qsizetype start = 0;
    for (qsizetype i = 0; i <= text.size(); ++i) {
        if (i < text.size() && !isBreak(text[i]))
            continue;
        const qint64 run = i - start;
        if (run > ReportEdit::kShortestCountedRun)
            cost += run * run;
        start = i + 1;
    }
    return cost;
}

// Whether a cost is more than a text of this length may cost.
bool isTooCostly(qint64 cost, int length)
{
    constexpr double kLongest = ReportEdit::kLongestWordWrappedRun;
    return double(cost) / qMax(length, ReportEdit::kFreeLength) > kLongest * kLongest / ReportEdit::kFreeLength;
}

} // namespace

struct ReportEdit::WrapCosts {
    qint64 total = 0;
    int tooCostlyParagraphs = 0;
};

// A paragraph's share of the document's cost, from the paragraph's making until its end (Qt deletes
// the user data of a paragraph that an edit removes or merges into another).
class ReportEdit::ParagraphCost final : public QTextBlockUserData {
public:
    ParagraphCost(std::shared_ptr<WrapCosts> costs, qint64 cost, bool tooCostly)
        : m_costs(std::move(costs))
        , m_cost(cost)
        , m_tooCostly(tooCostly)
    {
        m_costs->total += m_cost;
        m_costs->tooCostlyParagraphs += m_tooCostly;
    }
    ~ParagraphCost() override
    {
        m_costs->total -= m_cost;
        m_costs->tooCostlyParagraphs -= m_tooCostly;
    }
    Q_DISABLE_COPY_MOVE(ParagraphCost)

private:
    std::shared_ptr<WrapCosts> m_costs;
    qint64 m_cost;
    bool m_tooCostly;
};

ReportEdit::ReportEdit(QWidget *parent)
    : QTextEdit(parent)
    , m_costs(std::make_shared<WrapCosts>())
{
    setAcceptRichText(false);
    // Emitted before the document is laid out again: the wrap mode is settled before Qt's layout
    // meets the edit.
    connect(document(), &QTextDocument::contentsChange, this, &ReportEdit::measureEdit);
    // The end of an edit; a change of the whole document (clearing it) may come without one.
    connect(document(), &QTextDocument::contentsChanged, this, [this] {
        settleWrapMode();
        resumeLayout();
    });
}

void ReportEdit::insertFromMimeData(const QMimeData *source)
{
    // Qt's own insertion takes a source whose first format is text/markdown as rich text even in a
    // box that accepts none (no fix released as of Qt 6.4.3; no report of it found in Qt's
    // tracker): such a source is handed on as its plain text alone. (Whether a drop is taken at
    // all, Qt already decides by the plain text alone, since the box accepts no rich text.)
    bool plainTextOnly = source && source->formats().value(0) == QLatin1String("text/markdown");
#if QT_VERSION < QT_VERSION_CHECK(6, 4, 3)
    // Qt 6.4.2's insertion reads the first of the source's formats without looking whether there
    // is one: the paste of an emptied clipboard, which has none, crashes (QTBUG-110070, fixed in
    // Qt 6.4.3). Every source is handed on as its plain text, or not at all.
    plainTextOnly = true;
#endif
    if (!plainTextOnly) {
        QTextEdit::insertFromMimeData(source);
        return;
    }
    const QString text = source && source->hasText() ? source->text() : QString();
    if (text.isEmpty())
        return;
    QMimeData plain;
    plain.setText(text);
    QTextEdit::insertFromMimeData(&plain);
}

void ReportEdit::measureEdit(int from, int, int charsAdded)
{
    const QTextBlock last = document()->findBlock(qMin(from + charsAdded, document()->characterCount() - 1));
    for (QTextBlock block = document()->findBlock(from); block.isValid(); block = block.next()) {
        measure(block);
        if (block == last)
            break;
    }
    settleWrapMode();
}

void ReportEdit::measure(QTextBlock block)
{
    const qint64 cost = wrapCostOf(block.text());
    const bool tooCostly = isTooCostly(cost, block.length());
    block.setUserData(cost > 0 ? new ParagraphCost(m_costs, cost, tooCostly) : nullptr);
    // Such a paragraph keeps its glyphs once laid out: each blink of the caret would otherwise take
    // the whole paragraph apart again to draw it.
    if (tooCostly)
        block.layout()->setCacheEnabled(true);
}

void ReportEdit::settleWrapMode()
{
    const bool tooCostly = m_costs->tooCostlyParagraphs > 0 || isTooCostly(m_costs->total, document()->characterCount());
    const auto mode = tooCostly ? QTextOption::WrapAnywhere : QTextOption::WrapAtWordBoundaryOrAnywhere;
    if (mode == wordWrapMode())
        return;
    // A new wrap mode lays the whole document out again, and the edit's own paragraphs once more
    // after this signal: layout waits until the edit is over, so that a paste is laid out once.
    document()->setLayoutEnabled(false);
    setWordWrapMode(mode);
    QMetaObject::invokeMethod(this, &ReportEdit::resumeLayout, Qt::QueuedConnection);
}

void ReportEdit::resumeLayout()
{
    document()->setLayoutEnabled(true);
}
