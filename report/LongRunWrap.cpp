#include "report/LongRunWrap.h"

#include <QTextBlock>
#include <QTextDocument>
#include <QTextEdit>

qsizetype longestUnbrokenRun(QStringView text)
{
    qsizetype longest = 0;
    qsizetype run = 0;
    for (QChar c : text) {
        if (c.isSpace()) {
            run = 0;
        } else if (++run > longest) {
            longest = run;
        }
    }
    return longest;
}

LongRunWrap::LongRunWrap(QTextEdit *editor)
    : QObject(editor)
    , m_editor(editor)
{
    // The document announces a change before its layout takes the change in, so the wrap mode is
    // right by the time the new text is laid out.
    connect(editor->document(), &QTextDocument::contentsChange, this, &LongRunWrap::contentsChanged);
    setBreakAnywhere(hasLongRun(0, editor->document()->characterCount()));
}

void LongRunWrap::contentsChanged(int position, int removed, int added)
{
    if (!m_anywhere && added > 0)
        setBreakAnywhere(hasLongRun(position, position + added));
    else if (m_anywhere && removed > 0)
        setBreakAnywhere(hasLongRun(0, m_editor->document()->characterCount()));
}

// Whether a block that overlaps the range [from, to] holds a run too long for word wrapping.
bool LongRunWrap::hasLongRun(int from, int to) const
{
    const QTextDocument *document = m_editor->document();
    for (QTextBlock block = document->findBlock(from); block.isValid() && block.position() <= to; block = block.next()) {
        if (block.length() > kLongestWrappedRun && longestUnbrokenRun(block.text()) > kLongestWrappedRun)
            return true;
    }
    return false;
}

void LongRunWrap::setBreakAnywhere(bool anywhere)
{
    if (anywhere == m_anywhere)
        return;
    m_anywhere = anywhere;
    m_editor->setWordWrapMode(anywhere ? QTextOption::WrapAnywhere : QTextOption::WrapAtWordBoundaryOrAnywhere);
}
