#include "modRTB.h"

#include "LinkDetection.h"
#include "Platform.h"

#include <QAbstractTextDocumentLayout>
#include <QMouseEvent>
#include <QPointer>
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
        for (const LinkSpan &span : FindLinks(text)) {
            QTextCharFormat link = format(static_cast<int>(span.start));
            link.setForeground(QColor(0, 0, 255));
            link.setFontUnderline(true);
            setFormat(static_cast<int>(span.start), static_cast<int>(span.length), link);
        }
    }
};

// Stands in for the report window's message handling: watches the report box's mouse events,
// acts on link presses and lets every event go on to the box unchanged.
class LinkHook final : public QObject {
public:
    LinkHook(QTextEdit *box, BrowserOpener &browser)
        : QObject(box)
        , m_box(box)
        , m_browser(browser)
    {
    }

    // The link under a point of the box's viewport, or an empty string.
    QString linkAt(QPoint point) const
    {
        const QPointF inDocument(point.x() + m_box->horizontalScrollBar()->value(),
                                 point.y() + m_box->verticalScrollBar()->value());
        const int position = m_box->document()->documentLayout()->hitTest(inDocument, Qt::ExactHit);
        if (position < 0)
            return {};
        const QTextBlock block = m_box->document()->findBlock(position);
        const QString text = block.text();
        const qsizetype offset = position - block.position();
        for (const LinkSpan &span : FindLinks(text)) {
            if (offset >= span.start && offset < span.start + span.length)
                return text.mid(span.start, span.length);
        }
        return {};
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched != m_box->viewport())
            return false;
        if (event->type() == QEvent::MouseMove) {
            const auto *mouse = static_cast<QMouseEvent *>(event);
            const bool overLink = !linkAt(mouse->position().toPoint()).isEmpty();
            m_box->viewport()->setCursor(overLink ? Qt::PointingHandCursor : Qt::IBeamCursor);
        } else if (event->type() == QEvent::MouseButtonPress) {
            const auto *mouse = static_cast<QMouseEvent *>(event);
            if (mouse->button() == Qt::LeftButton) {
                const QString link = linkAt(mouse->position().toPoint());
                if (!link.isEmpty()) {
                    if (const auto url = SafeLinkUrl(link))
                        m_browser.open(url->toString(QUrl::FullyEncoded));
                }
            }
        }
        return false;
    }

private:
    QTextEdit *m_box;
    BrowserOpener &m_browser;
};

// The one hook in place, if any.
struct HookState {
    QPointer<QTextEdit> box;
    QPointer<LinkHook> hook;
    QPointer<LinkHighlighter> highlighter;
    bool hooked = false;
};

HookState &State()
{
    static HookState state;
    return state;
}

} // namespace

void HookReportLinks(QTextEdit *reportBox, QWidget *reportWindow, BrowserOpener &browser)
{
    // The browser opener needs no owner window on this platform.
    Q_UNUSED(reportWindow);
    UnhookReportLinks();
    HookState &state = State();
    state.box = reportBox;
    state.hook = new LinkHook(reportBox, browser);
    reportBox->viewport()->setMouseTracking(true);
    reportBox->viewport()->installEventFilter(state.hook);
    state.highlighter = new LinkHighlighter(reportBox->document());
    state.hooked = true;
}

void UnhookReportLinks()
{
    HookState &state = State();
    if (!state.hooked)
        return;
    if (state.box && state.hook)
        state.box->viewport()->removeEventFilter(state.hook);
    if (state.box)
        state.box->viewport()->setCursor(Qt::IBeamCursor);
    delete state.hook;
    // Deleting the highlighter takes its link formats off the box's text.
    delete state.highlighter;
    state = HookState{};
}

bool ReportLinksHooked()
{
    return State().hooked;
}
