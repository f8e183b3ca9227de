#include "report/ReportTextLayout.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QFontMetrics>
#include <QMetaMethod>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPaintDevice>
#include <QScreen>
#include <QStyle>
#include <QTextBlock>
#include <QTextFrame>
#include <QTextLayout>
#include <QTextList>

#include <climits>

namespace {

// Qt's layout measures in fixed point, in 64ths of a pixel. A length it takes from a qreal loses
// what lies beyond the last 64th.
qreal fixed(qreal value)
{
    return qreal(qint64(value * 64)) / 64;
}

// A length Qt rounds to a whole pixel in its fixed point, as it does a frame's margins.
qreal wholeFixed(qreal value)
{
    return qreal((qint64(value * 64) + 32) & ~qint64(63)) / 64;
}

// The resolution Qt lays out text for when there is no paint device: the primary screen's.
int screenDpi(Qt::Orientation orientation = Qt::Vertical)
{
    if (QCoreApplication::testAttribute(Qt::AA_Use96Dpi))
        return 96;
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        return qRound(orientation == Qt::Vertical ? screen->logicalDotsPerInchY() : screen->logicalDotsPerInchX());
    return 100;
}

// A space where a line may break; Qt never breaks a line at a no-break space.
bool isBlank(QChar c)
{
    return c.isSpace() && c.decompositionTag() != QChar::NoBreak;
}

} // namespace

std::vector<UnbrokenRun> longUnbrokenRuns(QStringView text, qsizetype longest)
{
    std::vector<UnbrokenRun> runs;
    qsizetype start = 0;
    for (qsizetype i = 0; i <= text.size(); ++i) {
        if (i < text.size() && !isBlank(text[i]))
            continue;
        if (i - start > longest)
            runs.push_back({start, i});
        start = i + 1;
    }
    return runs;
}

namespace {

// How far a line takes the flow down, as QTextBlockFormat's line height asks.
struct LineHeights {
    qreal advance = 0;     // from this line's top to the next line's
    qreal bottom = 0;      // from this line's top to its bottom
    qreal breakHeight = 0; // what must fit on a page for the line to stay there
    qreal adjustment = 0;  // how far the line's text rises above its place in the flow
};

LineHeights lineHeights(const QTextBlockFormat &format, const QTextLine &line, qreal scaling)
{
    const qreal height = line.height();
    LineHeights heights;
    heights.advance = fixed(format.lineHeight(qCeil(line.ascent() + line.descent() + line.leading()), scaling));
    heights.bottom = fixed(format.lineHeight(height, scaling));
    const int type = format.lineHeightType();
    if (type == QTextBlockFormat::FixedHeight || type == QTextBlockFormat::MinimumHeight) {
        heights.breakHeight = heights.bottom;
        if (type == QTextBlockFormat::FixedHeight)
            heights.adjustment = fixed(line.ascent() + qMax(line.leading(), qreal(0)))
                - qreal(qint64(heights.advance * 64) * 4 / 5) / 64;
        else
            heights.adjustment = fixed(height) - heights.advance;
    } else {
        heights.breakHeight = fixed(height);
    }
    return heights;
}

// The text a block's layout lays out: the block's, with any text being composed in an input method.
QString layoutText(const QTextBlock &block)
{
    QString text = block.text();
    const QTextLayout *layout = block.layout();
    if (!layout->preeditAreaText().isEmpty())
        text.insert(layout->preeditAreaPosition(), layout->preeditAreaText());
    return text;
}

} // namespace

// Where the flow stands on the pages of a paginated document.
struct ReportTextLayout::Pages {
    qreal height;
    qreal bottom; // the lowest a line may reach on the current page
    qreal topMargin;
    qreal bottomMargin;

    qreal contentHeight() const { return height - topMargin - bottomMargin; }
    void newPage(qreal *y)
    {
        bottom += height;
        *y = qMax(*y, bottom - height + bottomMargin + topMargin);
    }
};

ReportTextLayout::ReportTextLayout(QTextDocument *document)
    : QAbstractTextDocumentLayout(document)
{
}

ReportTextLayout::~ReportTextLayout() = default;

ReportTextLayout *ReportTextLayout::install(QTextDocument *document)
{
    auto *layout = new ReportTextLayout(document);
    bool known = false;
    const int width = document->documentLayout()->property("cursorWidth").toInt(&known);
    if (known)
        layout->setCursorWidth(width);
    document->setDocumentLayout(layout);
    return layout;
}

bool ReportTextLayout::canLayOut() const
{
    return document()->isLayoutEnabled() && !document()->pageSize().isNull();
}

ReportTextLayout::Frame ReportTextLayout::measureFrame() const
{
    const QTextDocument *doc = document();
    const QTextFrameFormat format = doc->rootFrame()->frameFormat();
    const QPaintDevice *device = paintDevice();
    const int deviceDpi = device ? device->logicalDpiY() : 0;
    const int dpi = screenDpi();
    const auto toDevice = [&](qreal value) { return device ? value * deviceDpi / qreal(dpi) : value; };

    const qreal top = wholeFixed(toDevice(format.topMargin()));
    const qreal bottom = wholeFixed(toDevice(format.bottomMargin()));
    const qreal left = wholeFixed(toDevice(format.leftMargin()));
    const qreal right = wholeFixed(toDevice(format.rightMargin()));
    const qreal edge = wholeFixed(toDevice(format.border())) + wholeFixed(toDevice(format.padding()));
    qreal width = fixed(format.width().value(qMax(qreal(0), doc->pageSize().width())));
    if (format.width().type() == QTextLength::FixedLength)
        width = fixed(toDevice(width));

    Frame frame;
    frame.left = left + edge;
    frame.top = top + edge;
    frame.below = bottom + edge;
    frame.marginWidth = 2 * edge + left + right;
    frame.width = width - frame.marginWidth;
    frame.leftMargin = left;
    frame.rightMargin = right;
    frame.pageHeight = qMax(qreal(0), fixed(doc->pageSize().height()));
    frame.pageTopMargin = top + edge;
    frame.pageBottomMargin = bottom + edge;
    frame.scaling = device && deviceDpi != dpi ? deviceDpi / qreal(dpi) : 1;
    frame.wraps = doc->pageSize().width() >= 0;
    return frame;
}

void ReportTextLayout::documentChanged(int from, int charsRemoved, int charsAdded)
{
    QTextDocument *doc = document();
    const bool everything = charsRemoved == 0 && charsAdded == doc->characterCount();
    if (!m_changed) {
        m_changedAll = everything;
        m_changedFrom = from;
        m_changedTo = from + charsAdded;
    } else {
        // What had changed before moves with this change.
        int to = m_changedTo;
        if (to > from)
            to = qMax(from + charsAdded, to + charsAdded - charsRemoved);
        m_changedAll = m_changedAll || everything;
        m_changedFrom = qMin(m_changedFrom, from);
        m_changedTo = qMax(to, from + charsAdded);
    }
    m_changed = true;

    if (!canLayOut()) {
        // Nothing is laid out until the document has a page size: no stale lines meanwhile.
        const QTextBlock last = doc->findBlock(qMax(0, from + charsAdded - 1));
        for (QTextBlock block = doc->findBlock(from); block.isValid(); block = block.next()) {
            block.clearLayout();
            if (block == last)
                break;
        }
        return;
    }
    // A document no one watches (one being printed) is laid out when asked, once for all changes.
    static const QMetaMethod sizeChanged = QMetaMethod::fromSignal(&QAbstractTextDocumentLayout::documentSizeChanged);
    static const QMetaMethod updated = QMetaMethod::fromSignal(&QAbstractTextDocumentLayout::update);
    if (!isSignalConnected(sizeChanged) && !isSignalConnected(updated))
        return;

    const QSizeF size = m_size;
    const int pages = pagesOf(size);
    const QRectF changedArea = layOutChanges();
    if (m_size != size)
        emit documentSizeChanged(m_size);
    if (pagesOf(m_size) != pages)
        emit pageCountChanged(pagesOf(m_size));
    emit update(changedArea);
}

void ReportTextLayout::ensureLaidOut() const
{
    if (m_changed && canLayOut())
        const_cast<ReportTextLayout *>(this)->layOutChanges();
}

// Lays out the paragraphs that changed, moves those below them, and returns the part of the
// document to paint again.
QRectF ReportTextLayout::layOutChanges()
{
    const QTextDocument *doc = document();
    const Frame frame = measureFrame();
    const bool everything = m_changedAll || !(frame == m_frame);
    m_frame = frame;
    m_changed = false;

    QTextBlock block = everything ? doc->firstBlock() : doc->findBlock(m_changedFrom);
    if (!block.isValid())
        block = doc->lastBlock();
    QTextBlock previous = block.previous();
    qreal y = previous.isValid() ? bottomOf(previous) : frame.top;
    QRectF changedArea(0, everything ? 0 : y, qreal(INT_MAX), qreal(INT_MAX));
    if (everything)
        m_overflows = false;

    Pages pages{frame.pageHeight, 0, frame.pageTopMargin, frame.pageBottomMargin};
    const bool paginated = frame.pageHeight > 0;
    if (paginated)
        pages.bottom = (qint64(y / frame.pageHeight) + 1) * frame.pageHeight - frame.pageBottomMargin;

    bool rest = true; // whether the paragraphs up to the end were laid out or moved
    for (; block.isValid(); previous = block, block = block.next()) {
        QTextLayout *layout = block.layout();
        const bool changed = everything || paginated || block.position() <= m_changedTo || layout->lineCount() == 0;
        if (changed || !block.isVisible()) {
            y = layOutBlock(block, previous, y, paginated ? &pages : nullptr);
            continue;
        }
        // An unchanged paragraph moves with those above it; once one stays, so do all below.
        const qreal top = y + spacingBetween(previous.blockFormat(), block.blockFormat());
        if (top == layout->position().y()) {
            changedArea.setBottom(top);
            rest = false;
            break;
        }
        layout->setPosition(QPointF(frame.left, top));
        y = bottomOf(block);
    }
    if (rest)
        m_flowEnd = y;

    const qreal width = m_overflows ? qMax(frame.width, widestLine()) : frame.width;
    m_size = QSizeF(width + frame.marginWidth, m_flowEnd + frame.below);
    return changedArea;
}

// Lays a paragraph out where the flow stands, at y, and returns where the flow stands below it.
qreal ReportTextLayout::layOutBlock(const QTextBlock &block, const QTextBlock &previous, qreal y, Pages *pages)
{
    QTextLayout *layout = block.layout();
    if (!block.isVisible()) {
        layout->clearLayout();
        layout->setPosition(QPointF(m_frame.left, y));
        return y;
    }
    const QTextBlockFormat format = block.blockFormat();
    if (previous.isValid())
        y += spacingBetween(previous.blockFormat(), format);

    const Qt::LayoutDirection direction = block.textDirection();
    QTextOption option = document()->defaultTextOption();
    option.setTextDirection(direction);
    option.setTabs(format.tabPositions());
    Qt::Alignment alignment = option.alignment();
    if (format.hasProperty(QTextFormat::BlockAlignment))
        alignment = format.alignment();
    option.setAlignment(QStyle::visualAlignment(direction, alignment));
    if (format.nonBreakableLines() || !m_frame.wraps)
        option.setWrapMode(QTextOption::ManualWrap);
    layout->setTextOption(option);
    layout->setPosition(QPointF(m_frame.left, y));

    const qreal indent = indentOf(format);
    const qreal leftMargin = fixed(format.leftMargin()) + (direction == Qt::RightToLeft ? 0 : indent);
    const qreal rightMargin = fixed(format.rightMargin()) + (direction == Qt::RightToLeft ? indent : 0);
    const qreal lineLeft = qMax(qreal(0), leftMargin);
    const qreal lineRight = qMin(m_frame.width, m_frame.width - rightMargin);
    const qreal textIndent = fixed(format.textIndent());

    // Word-boundary wrapping breaks a line inside a word only when the word is wider than the
    // line, but finds that out by reading to the end of the word. A line that starts inside a long
    // run breaks anywhere from the start: the same line, in time proportional to the line.
    const QTextOption::WrapMode wrapMode = option.wrapMode();
    const bool wordsOrAnywhere = wrapMode == QTextOption::WrapAtWordBoundaryOrAnywhere;
    std::vector<UnbrokenRun> longRuns;
    if (wordsOrAnywhere && block.length() + layout->preeditAreaText().size() > kLongestWrappedRun)
        longRuns = longUnbrokenRuns(layoutText(block));
    auto run = longRuns.cbegin();
    QTextOption::WrapMode lineMode = wrapMode;
    QTextOption::WrapMode modeSet = wrapMode;
    const auto setWrapMode = [&](QTextOption::WrapMode mode) {
        if (mode == modeSet)
            return;
        QTextOption lineOption = option;
        lineOption.setWrapMode(mode);
        layout->setTextOption(lineOption);
        modeSet = mode;
    };

    const qreal top = y;
    qreal bottom = y;
    bool firstLine = true;
    layout->beginLayout();
    for (;;) {
        QTextLine line = layout->createLine();
        if (!line.isValid())
            break;
        line.setLeadingIncluded(true);
        qreal left = lineLeft;
        qreal right = lineRight;
        if (firstLine) {
            if (direction == Qt::LeftToRight)
                left += textIndent;
            else
                right -= textIndent;
            firstLine = false;
        }
        const qreal width = right - left;

        const qsizetype start = line.textStart();
        while (run != longRuns.cend() && run->end <= start)
            ++run;
        const bool inLongRun = run != longRuns.cend() && run->start <= start && run->end - start > kLongestWrappedRun;
        setWrapMode(inLongRun ? QTextOption::WrapAnywhere : lineMode);
        line.setLineWidth(width);
        if (inLongRun && start + line.textLength() > run->end) {
            // The rest of the run fits on this line after all: words follow it as usual.
            setWrapMode(lineMode);
            line.setLineWidth(width);
        }

        // A line wider than its room (a character wider than the line) gets room for its width,
        // and the paragraph's later lines wrap at word boundaries only, as in Qt's layout.
        if (fixed(line.naturalTextWidth()) > width) {
            line.setLineWidth(width);
            if (fixed(line.naturalTextWidth()) > width) {
                if (wordsOrAnywhere)
                    setWrapMode(QTextOption::WrapAnywhere);
                line.setLineWidth(qMax(line.naturalTextWidth(), width));
                if (wordsOrAnywhere) {
                    lineMode = QTextOption::WordWrap;
                    setWrapMode(lineMode);
                }
            }
        }

        const LineHeights heights = lineHeights(format, line, m_frame.scaling);
        // A line that would cross the bottom of a page starts the next one.
        while (pages && y + heights.breakHeight > pages->bottom && pages->contentHeight() >= heights.breakHeight)
            pages->newPage(&y);
        line.setPosition(QPointF(left, y - top - heights.adjustment));
        bottom = y + heights.bottom;
        y += heights.advance;
        if (fixed(line.x() + line.naturalTextWidth()) + rightMargin > m_frame.width)
            m_overflows = true;
    }
    layout->endLayout();
    layout->setTextOption(option);
    return qMax(y, bottom);
}

// The space between two paragraphs: the larger of the first's bottom and the second's top margin.
qreal ReportTextLayout::spacingBetween(const QTextBlockFormat &previous, const QTextBlockFormat &next) const
{
    qreal margin = qMax(next.topMargin(), previous.bottomMargin());
    if (margin > 0)
        margin *= m_frame.scaling;
    return fixed(margin);
}

qreal ReportTextLayout::indentOf(const QTextBlockFormat &format) const
{
    qreal indent = format.indent();
    if (const auto *list = qobject_cast<QTextList *>(document()->objectForFormat(format)))
        indent += list->format().indent();
    if (qIsNull(indent))
        return 0;
    return fixed(indent * m_frame.scaling * document()->indentWidth());
}

// Where the flow stands below a paragraph that is laid out: under its last line.
qreal ReportTextLayout::bottomOf(const QTextBlock &block) const
{
    const QTextLayout *layout = block.layout();
    if (layout->lineCount() == 0)
        return layout->position().y();
    const QTextLine last = layout->lineAt(layout->lineCount() - 1);
    const LineHeights heights = lineHeights(block.blockFormat(), last, m_frame.scaling);
    const qreal lineTop = layout->position().y() + last.y() + heights.adjustment;
    return lineTop + qMax(heights.advance, heights.bottom);
}

// How far the widest line reaches across, the paragraph's right margin included.
qreal ReportTextLayout::widestLine() const
{
    qreal widest = 0;
    for (QTextBlock block = document()->firstBlock(); block.isValid(); block = block.next()) {
        const QTextLayout *layout = block.layout();
        const QTextBlockFormat format = block.blockFormat();
        const qreal rightMargin =
            fixed(format.rightMargin()) + (block.textDirection() == Qt::RightToLeft ? indentOf(format) : 0);
        for (int i = 0; i < layout->lineCount(); ++i) {
            const QTextLine line = layout->lineAt(i);
            widest = qMax(widest, fixed(line.x() + line.naturalTextWidth()) + rightMargin);
        }
    }
    return widest;
}

// The last paragraph whose layout starts at or above y, or the first paragraph.
QTextBlock ReportTextLayout::blockAtY(qreal y) const
{
    const QTextDocument *doc = document();
    int low = 0;
    int high = doc->blockCount() - 1;
    while (low < high) {
        const int middle = low + (high - low + 1) / 2;
        if (doc->findBlockByNumber(middle).layout()->position().y() <= y)
            low = middle;
        else
            high = middle - 1;
    }
    return doc->findBlockByNumber(low);
}

void ReportTextLayout::draw(QPainter *painter, const PaintContext &context)
{
    ensureLaidOut();
    if (m_changed)
        return;
    const QRectF &clip = context.clip;
    if (clip.isValid()
        && (clip.bottom() < 0 || clip.top() > m_size.height() || clip.right() < 0 || clip.left() > m_size.width()))
        return;
    // Lines are drawn within the frame's margins across.
    const QRectF frameRect = QRectF(QPointF(0, 0), m_size).adjusted(m_frame.leftMargin, 0, -m_frame.rightMargin, 0);
    const QRectF lineClip = clip.isValid() ? (clip & frameRect) : frameRect;

    QTextBlock block = document()->firstBlock();
    if (clip.isValid()) {
        block = blockAtY(clip.top());
        if (block.previous().isValid())
            block = block.previous();
    }
    for (; block.isValid(); block = block.next()) {
        const QTextLayout *layout = block.layout();
        if (clip.isValid() && layout->lineCount() > 0
            && layout->position().y() + layout->lineAt(0).y() > clip.bottom())
            break;
        drawBlock(painter, context, block, lineClip);
    }
}

void ReportTextLayout::drawBlock(QPainter *painter, const PaintContext &context, const QTextBlock &block,
                                 const QRectF &clip) const
{
    const QTextLayout *layout = block.layout();
    const QRectF rect = layout->boundingRect().translated(layout->position());
    if (!block.isVisible()
        || (context.clip.isValid() && (rect.bottom() < context.clip.y() || rect.top() > context.clip.bottom())))
        return;

    QBrush background = block.blockFormat().background();
    if (background != Qt::NoBrush) {
        QRectF area = rect;
        if (document()->pageSize().width() <= 0)
            area.setRight(m_size.width() - m_frame.rightMargin);
        if (background.style() < Qt::LinearGradientPattern || background.style() > Qt::ConicalGradientPattern)
            background.setTransform(QTransform::fromTranslate(rect.left(), rect.top()));
        painter->fillRect(area, background);
    }

    // The selections as format ranges of this paragraph; a full-width selection without selected
    // text marks the line its cursor is on.
    QList<QTextLayout::FormatRange> selections;
    const int position = block.position();
    const int length = block.length();
    for (const Selection &selection : context.selections) {
        const int start = selection.cursor.selectionStart() - position;
        const int end = selection.cursor.selectionEnd() - position;
        if (start < length && end > 0 && end > start) {
            selections.append({start, end - start, selection.format});
        } else if (!selection.cursor.hasSelection() && selection.format.hasProperty(QTextFormat::FullWidthSelection)
                   && block.contains(selection.cursor.position())) {
            const QTextLine line = layout->lineForTextPosition(selection.cursor.position() - position);
            QTextLayout::FormatRange range{line.textStart(), line.textLength(), selection.format};
            if (range.start + range.length == length - 1)
                ++range.length; // the paragraph's end
            selections.append(range);
        }
    }

    const QPen pen = painter->pen();
    painter->setPen(context.palette.color(QPalette::Text));
    layout->draw(painter, QPointF(), selections, clip);
    const int cursor = context.cursorPosition;
    if ((cursor >= position && cursor < position + length) || (cursor < -1 && !layout->preeditAreaText().isEmpty())) {
        // A position below -1 is a cursor inside the text being composed in an input method.
        const int inBlock = cursor < -1 ? layout->preeditAreaPosition() - (cursor + 2) : cursor - position;
        layout->drawCursor(painter, QPointF(), inBlock, m_cursorWidth);
    }
    painter->setPen(pen);
}

int ReportTextLayout::hitTest(const QPointF &point, Qt::HitTestAccuracy accuracy) const
{
    ensureLaidOut();
    if (m_changed)
        return accuracy == Qt::ExactHit ? -1 : 0;

    // A point counts as in a paragraph from the top of its top margin to the bottom of its last
    // line: on the boundary between two, it is in the upper one. Above the first paragraph it is
    // before it, elsewhere after the last paragraph above it.
    enum Hit { Before, After, Inside, Exact };
    QTextBlock block = blockAtY(point.y());
    if (block.previous().isValid())
        block = block.previous();
    int position = block.position();
    Hit hit = Before;
    const QTextLayout *hitLayout = nullptr;
    for (; block.isValid(); block = block.next()) {
        if (!block.isVisible())
            continue;
        const QTextLayout *layout = block.layout();
        const QRectF rect = layout->boundingRect().translated(layout->position());
        if (point.y() < rect.top() - block.blockFormat().topMargin())
            break;
        if (point.y() > rect.bottom()) {
            if (block.position() + block.length() > position) {
                position = block.position() + block.length();
                hit = After;
            }
            continue;
        }

        hitLayout = layout;
        hit = Inside;
        const QPointF inLayout = point - layout->position();
        // The first line whose bottom lies below the point.
        int low = 0;
        int high = layout->lineCount();
        while (low < high) {
            const int middle = (low + high) / 2;
            if (layout->lineAt(middle).naturalTextRect().bottom() <= inLayout.y())
                low = middle + 1;
            else
                high = middle;
        }
        int offset = 0;
        if (low == layout->lineCount()) {
            if (low > 0)
                offset = layout->lineAt(low - 1).textStart() + layout->lineAt(low - 1).textLength();
        } else {
            const QTextLine line = layout->lineAt(low);
            const QRectF lineRect = line.naturalTextRect();
            if (lineRect.top() > inLayout.y()) {
                if (low > 0)
                    offset = qMin(layout->lineAt(low - 1).textStart() + layout->lineAt(low - 1).textLength(),
                                  line.textStart());
            } else {
                if (lineRect.left() <= inLayout.x() && lineRect.right() >= inLayout.x())
                    hit = Exact;
                // Over a character, a link under the pointer is that character's.
                offset = line.xToCursor(inLayout.x(), accuracy == Qt::ExactHit ? QTextLine::CursorOnCharacter
                                                                               : QTextLine::CursorBetweenCharacters);
            }
        }
        position = block.position() + offset;
        break;
    }
    if (accuracy == Qt::ExactHit && hit < Exact)
        return -1;

    int last = document()->rootFrame()->lastPosition();
    if (hitLayout)
        last += hitLayout->preeditAreaText().size();
    return qBound(0, position, last);
}

int ReportTextLayout::pageCount() const
{
    ensureLaidOut();
    return pagesOf(m_size);
}

int ReportTextLayout::pagesOf(QSizeF size) const
{
    const qreal pageHeight = document()->pageSize().height();
    if (pageHeight <= 0)
        return 1;
    return qCeil(size.height() / pageHeight);
}

QSizeF ReportTextLayout::documentSize() const
{
    ensureLaidOut();
    return m_size;
}

QRectF ReportTextLayout::frameBoundingRect(QTextFrame *frame) const
{
    if (!canLayOut() || frame != document()->rootFrame())
        return {};
    ensureLaidOut();
    return QRectF(QPointF(0, 0), m_size);
}

QRectF ReportTextLayout::blockBoundingRect(const QTextBlock &block) const
{
    if (!canLayOut() || !block.isValid() || !block.isVisible())
        return {};
    ensureLaidOut();
    const QTextLayout *layout = block.layout();
    return QRectF(layout->position(), layout->boundingRect().size());
}

void printDocument(QTextDocument &document, QPagedPaintDevice *printer)
{
    if (printer->pageLayout().margins(QPageLayout::Millimeter).isNull())
        printer->setPageMargins(QMarginsF(2, 2, 2, 2), QPageLayout::Millimeter);
    QPainter painter(printer);
    if (!painter.isActive())
        return;

    auto *layout = qobject_cast<ReportTextLayout *>(document.documentLayout());
    if (!layout) {
        layout = new ReportTextLayout(&document);
        document.setDocumentLayout(layout);
    }
    layout->setPaintDevice(painter.device());
    // 2 cm around the text, in the screen's pixels: the layout takes them to the printer's.
    const int screenDpiX = screenDpi(Qt::Horizontal);
    const int horizontalMargin = int((2 / 2.54) * screenDpiX);
    const int verticalMargin = int((2 / 2.54) * screenDpi());
    QTextFrameFormat frame = document.rootFrame()->frameFormat();
    frame.setLeftMargin(horizontalMargin);
    frame.setRightMargin(horizontalMargin);
    frame.setTopMargin(verticalMargin);
    frame.setBottomMargin(verticalMargin);
    document.rootFrame()->setFrameFormat(frame);

    const QRectF body(0, 0, printer->width(), printer->height());
    const qreal dpiScaleX = qreal(printer->logicalDpiX()) / screenDpiX;
    const qreal dpiScaleY = qreal(printer->logicalDpiY()) / screenDpi();
    const QPointF pageNumberPosition(body.width() - horizontalMargin * dpiScaleX,
                                     body.height() - verticalMargin * dpiScaleY
                                         + QFontMetrics(document.defaultFont(), painter.device()).ascent()
                                         + 5 * painter.device()->logicalDpiY() / 72.0);
    document.setPageSize(body.size());

    const QPageRanges ranges = printer->pageRanges();
    int firstPage = ranges.firstPage();
    int lastPage = ranges.lastPage();
    if (firstPage == 0 && lastPage == 0) {
        firstPage = 1;
        lastPage = document.pageCount();
    }
    firstPage = qMax(1, firstPage);
    lastPage = qMin(document.pageCount(), lastPage);
    // A paragraph is drawn once for each page it spans: it keeps its glyphs rather than taking
    // its whole text apart again each time.
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
        block.layout()->setCacheEnabled(true);
    for (int page = firstPage; page <= lastPage; ++page) {
        if (page > firstPage && !printer->newPage())
            return;
        if (!ranges.isEmpty() && !ranges.contains(page))
            continue;
        painter.save();
        painter.translate(body.left(), body.top() - (page - 1) * body.height());
        const QRectF view(0, (page - 1) * body.height(), body.width(), body.height());
        QAbstractTextDocumentLayout::PaintContext context;
        painter.setClipRect(view);
        context.clip = view;
        // Black on the paper whatever the screen's palette.
        context.palette.setColor(QPalette::Text, Qt::black);
        layout->draw(&painter, context);
        painter.setClipping(false);
        painter.setFont(document.defaultFont());
        const QString number = QString::number(page);
        painter.drawText(qRound(pageNumberPosition.x() - painter.fontMetrics().horizontalAdvance(number)),
                         qRound(pageNumberPosition.y() + view.top()), number);
        painter.restore();
    }
}
