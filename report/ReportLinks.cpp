#include "report/ReportLinks.h"

#include "report/LinkDetection.h"
#include "widgets/Theme.h"

#include <QAbstractTextDocumentLayout>
#include <QDesktopServices>
#include <QMouseEvent>
#include <QScrollBar>
#include <QSyntaxHighlighter>
#include <QTextBlock>
#include <QTextEdit>

namespace {

// Paints the addresses of each paragraph as links without touching the document's own formats.
class LinkHighlighter final : public QSyntaxHighlighter {
public:
    using QSyntaxHighlighter::QSyntaxHighlighter;

protected:
    void highlightBlock(const QString &text) override
    {
        for (const LinkSpan &span : findLinks(text)) {
            QTextCharFormat link = format(static_cast<int>(span.start));
            link.setForeground(theme::kBlue);
            link.setFontUnderline(true);
            setFormat(static_cast<int>(span.start), static_cast<int>(span.length), link);
        }
    }
};

} // namespace

ReportLinks::ReportLinks(QTextEdit *reportEdit)
    : m_edit(reportEdit)
    , m_highlighter(new LinkHighlighter(reportEdit->document()))
{
    reportEdit->viewport()->setMouseTracking(true);
    reportEdit->viewport()->installEventFilter(this);
}

ReportLinks::~ReportLinks()
{
    if (!m_edit)
        return;
    m_edit->viewport()->removeEventFilter(this);
    m_edit->viewport()->setCursor(Qt::IBeamCursor);
    // Deleting the highlighter takes its link formats off the box's text.
    delete m_highlighter;
}

QString ReportLinks::linkAt(QPoint point) const
{
    const QPointF inDocument(point.x() + m_edit->horizontalScrollBar()->value(),
                             point.y() + m_edit->verticalScrollBar()->value());
    const int position = m_edit->document()->documentLayout()->hitTest(inDocument, Qt::ExactHit);
    if (position < 0)
        return {};
    const QTextBlock block = m_edit->document()->findBlock(position);
    const QString text = block.text();
    const qsizetype offset = position - block.position();
    for (const LinkSpan &span : findLinks(text)) {
        if (offset >= span.start && offset < span.start + span.length)
            return text.mid(span.start, span.length);
    }
    return {};
}

bool ReportLinks::eventFilter(QObject *watched, QEvent *event)
{
    if (!m_edit || watched != m_edit->viewport())
        return false;
    if (event->type() == QEvent::MouseMove) {
        const auto *mouse = static_cast<QMouseEvent *>(event);
        const bool overLink = !linkAt(mouse->position().toPoint()).isEmpty();
        m_edit->viewport()->setCursor(overLink ? Qt::PointingHandCursor : Qt::IBeamCursor);
    } else if (event->type() == QEvent::MouseButtonPress) {
        const auto *mouse = static_cast<QMouseEvent *>(event);
        if (mouse->button() == Qt::LeftButton) {
            const QString link = linkAt(mouse->position().toPoint());
            if (const auto url = link.isEmpty() ? std::nullopt : safeLinkUrl(link))
                QDesktopServices::openUrl(*url);
        }
    }
    return false;
}
