#include "report/ReportEdit.h"

#include <QMetaObject>
#include <QMimeData>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

namespace {

// Where Qt's word wrapping may break a line for certain: a blank (a no-break space is none) or a
// zero-width space. Other break opportunities (after a hyphen, before a slash) only shorten a run
// Qt's wrapping scans; leaving them out errs on the side of wrapping anywhere.
bool isBreak(QChar c)
{
    return (c.isSpace() && c.decompositionTag() != QChar::NoBreak) || c == QChar(0x200B);
}

} // namespace

ReportEdit::ReportEdit(QWidget *parent)
    : QTextEdit(parent)
{
    setAcceptRichText(false);
    // Emitted before the document is laid out again: the wrap mode is settled before Qt's layout
    // meets the run.
    connect(document(), &QTextDocument::contentsChange, this, &ReportEdit::watchLongRuns);
    // The end of an edit; a change of the whole document (clearing it) may come without one.
    connect(document(), &QTextDocument::contentsChanged, this, &ReportEdit::resumeLayout);
}

void ReportEdit::insertFromMimeData(const QMimeData *source)
{
    // Qt 6.4's own insertion reads the first of the source's formats without looking whether
    // there is one (an emptied clipboard has none: a paste then crashes), and takes a source whose
    // first format is text/markdown as rich text even here. Only the plain text is handed on.
    // (Whether a drop is taken at all, Qt already decides by the plain text alone, since the box
    // accepts no rich text.)
    const QString text = source && source->hasText() ? source->text() : QString();
    if (text.isEmpty())
        return;
    QMimeData plain;
    plain.setText(text);
    QTextEdit::insertFromMimeData(&plain);
}

void ReportEdit::watchLongRuns(int from, int charsRemoved, int charsAdded)
{
    if (m_longRunStart >= 0) {
        if (from + charsRemoved <= m_longRunStart) {
            m_longRunStart += charsAdded - charsRemoved;
            m_longRunEnd += charsAdded - charsRemoved;
        } else if (from < m_longRunEnd) {
            m_longRunStart = -1;
        }
    }
    if (m_longRunStart < 0) {
        // A long run that the edit made, or that it cut into and left long, has more than the
        // longest wrapped run of its characters within this margin of the edit.
        const int margin = kLongestWordWrappedRun + 1;
        const int last = document()->characterCount() - 1;
        if (!findLongRun(qMax(0, from - margin), qMin(last, from + charsAdded + margin))
            && wordWrapMode() == QTextOption::WrapAnywhere)
            findLongRun(0, last); // the run the edit cut into may have been the last
    }
    // The run's paragraph keeps its glyphs once laid out: each blink of the caret would otherwise
    // take the whole paragraph apart again to draw it.
    if (m_longRunStart >= 0)
        document()->findBlock(m_longRunStart).layout()->setCacheEnabled(true);
    const auto mode = m_longRunStart >= 0 ? QTextOption::WrapAnywhere : QTextOption::WrapAtWordBoundaryOrAnywhere;
    if (mode == wordWrapMode())
        return;
    // A new wrap mode lays the whole document out again, and the edit's own paragraphs once more
    // after this signal: layout waits until the edit is over, so that a pasted run is laid out once.
    document()->setLayoutEnabled(false);
    setWordWrapMode(mode);
    QMetaObject::invokeMethod(this, &ReportEdit::resumeLayout, Qt::QueuedConnection);
}

void ReportEdit::resumeLayout()
{
    document()->setLayoutEnabled(true);
}

// Looks between two positions for a run of more than kLongestWordWrappedRun characters without a
// break, and records the first one found.
bool ReportEdit::findLongRun(int from, int to)
{
    QTextCursor range(document());
    range.setPosition(from);
    range.setPosition(to, QTextCursor::KeepAnchor);
    const QString text = range.selectedText(); // paragraphs end in U+2029, a break
    qsizetype start = 0;
    for (qsizetype i = 0; i <= text.size(); ++i) {
        if (i < text.size() && !isBreak(text[i]))
            continue;
        if (i - start > kLongestWordWrappedRun) {
            m_longRunStart = from + start;
            m_longRunEnd = from + i;
            return true;
        }
        start = i + 1;
    }
    return false;
}
