#pragma once
// The report box's text layout.
//
// Qt's own document layout wraps every paragraph of a document the same way, and its
// word-boundary wrapping of a word wider than a line looks for the end of that word again on every
// line the word fills: a megabyte pasted without a blank took a minute to lay out. ReportTextLayout
// lays paragraphs out as Qt's layout does, line for line and pixel for pixel, except that a line
// that starts inside a run of more than kLongestWrappedRun characters without a blank breaks
// anywhere. Prose keeps breaking at blanks, a long run breaks where it must, and laying out takes
// time in proportion to the text.
//
// It lays out what the report box can hold: paragraphs of formatted text, one after the other, in
// the document's root frame, on the screen or on the pages of a printer. It draws no tables, child
// frames, floating frames, frame borders or backgrounds, list markers, inline objects or
// horizontal rules, and keeps no page-break policies: their paragraphs are laid out as plain
// paragraphs of the flow. It lays out a changed paragraph again and moves those below it; a
// document that no one watches (one being printed) is laid out when it is first asked about.
//
// QTextEdit asks Qt's own layout, by its class, for what this one has not: how far its lazy layout
// has got (this one is always done), a fixed column width (QTextEdit::FixedColumnWidth), whether
// any paragraph is aligned (for QTextEdit::NoWrap) and the viewport to widen backgrounds to
// (NoWrap). The report box wraps at its width and needs none of them.

#include <QAbstractTextDocumentLayout>
#include <QSizeF>
#include <QStringView>
#include <QTextDocument>

#include <vector>

class QPagedPaintDevice;
class QTextBlock;
class QTextBlockFormat;
class QTextLine;

// Lines that start inside a run of more than this many characters without a blank break anywhere;
// every other line then costs at most about this much to lay out.
inline constexpr qsizetype kLongestWrappedRun = 256;

// A run of characters without a blank: [start, end).
struct UnbrokenRun {
    qsizetype start;
    qsizetype end;
};

// The runs in text without a blank that are longer than `longest` characters, in order. A blank
// is a space where a line may break: a no-break space is none.
std::vector<UnbrokenRun> longUnbrokenRuns(QStringView text, qsizetype longest = kLongestWrappedRun);

class ReportTextLayout final : public QAbstractTextDocumentLayout {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ReportTextLayout)
    // QTextEdit sets and reads the width of its text cursor through this property.
    Q_PROPERTY(int cursorWidth READ cursorWidth WRITE setCursorWidth)

public:
    // A layout for the document; QTextDocument::setDocumentLayout() puts it to work.
    explicit ReportTextLayout(QTextDocument *document);
    ~ReportTextLayout() override;

    // Lays the document out with a new ReportTextLayout from now on, its text cursor as wide as
    // the present layout draws it.
    static ReportTextLayout *install(QTextDocument *document);

    void draw(QPainter *painter, const PaintContext &context) override;
    int hitTest(const QPointF &point, Qt::HitTestAccuracy accuracy) const override;
    int pageCount() const override;
    QSizeF documentSize() const override;
    QRectF frameBoundingRect(QTextFrame *frame) const override;
    QRectF blockBoundingRect(const QTextBlock &block) const override;

    int cursorWidth() const { return m_cursorWidth; }
    void setCursorWidth(int width) { m_cursorWidth = width; }

protected:
    void documentChanged(int from, int charsRemoved, int charsAdded) override;

private:
    // The root frame's measures for one layout, in the paint device's pixels.
    struct Frame {
        qreal left = 0;           // where each paragraph's layout starts, across
        qreal top = 0;            // where the first paragraph starts, down
        qreal below = 0;          // what lies under the last paragraph: padding, border, margin
        qreal width = 0;          // the width the paragraphs are laid out in
        qreal marginWidth = 0;    // the frame's margins, borders and padding across
        qreal leftMargin = 0;     // the frame's own left and right margins
        qreal rightMargin = 0;
        qreal pageHeight = 0;     // 0 when the document is one endless page
        qreal pageTopMargin = 0;  // what each page keeps free above and below its lines
        qreal pageBottomMargin = 0;
        qreal scaling = 1;        // the paint device's resolution over the screen's
        bool wraps = true;        // false when the document has no width to wrap lines in
        bool operator==(const Frame &) const = default;
    };
    struct Pages;

    bool canLayOut() const;
    Frame measureFrame() const;
    void ensureLaidOut() const;
    QRectF layOutChanges();
    qreal layOutBlock(const QTextBlock &block, const QTextBlock &previous, qreal y, Pages *pages);
    qreal spacingBetween(const QTextBlockFormat &previous, const QTextBlockFormat &next) const;
    qreal indentOf(const QTextBlockFormat &format) const;
    qreal bottomOf(const QTextBlock &block) const;
    qreal widestLine() const;
    int pagesOf(QSizeF size) const;
    QTextBlock blockAtY(qreal y) const;
    void drawBlock(QPainter *painter, const PaintContext &context, const QTextBlock &block,
                   const QRectF &clip) const;

    int m_cursorWidth = 1;
    Frame m_frame;
    // What has changed since the last layout: nothing, the characters from m_changedFrom to
    // m_changedTo, or everything.
    bool m_changed = true;
    bool m_changedAll = true;
    int m_changedFrom = 0;
    int m_changedTo = 0;
    qreal m_flowEnd = 0;        // where the paragraphs end, down
    bool m_overflows = false;   // whether a line may be wider than the frame
    QSizeF m_size;
};

// Prints a document as QTextDocument::print() prints one without a page size (2 cm margins where
// the printer sets none, each page's number under its bottom right corner), but laid out by a
// ReportTextLayout: Qt's print() lays out a copy of the document with its own layout. The document
// is laid out on the printer's pages for it and keeps that layout, its margins and its page size.
void printDocument(QTextDocument &document, QPagedPaintDevice *printer);
