// ReportTextLayout against Qt's own document layout: for prose the same lines, pixels, hits,
// cursor moves, pages and printout; for a long run without blanks, lines that break inside it.
#include "model/Reading.h"
#include "report/ReportDocument.h"
#include "report/ReportTextLayout.h"
#include "widgets/Theme.h"

#include <QAbstractTextDocumentLayout>
#include <QDir>
#include <QImage>
#include <QPainter>
#include <QPrinter>
#include <QProcess>
#include <QStandardPaths>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextLayout>

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <memory>

namespace {

Reading SampleReading()
{
    return Reading::placeholders().next({"ELIZABETH", "ANNE", "MONTGOMERY", 17, "September", 1987, 14});
}

// The composed report, as the report box holds it, in one document laid out by Qt's layout and in
// another laid out by ReportTextLayout.
struct Documents {
    QTextDocument qt;
    QTextDocument ours;

    explicit Documents(qreal width = 507)
    {
        ours.setDocumentLayout(new ReportTextLayout(&ours));
        for (QTextDocument *document : {&qt, &ours}) {
            document->setDefaultFont(theme::font(theme::Plain, theme::kLargePoints));
            document->setTextWidth(width);
        }
    }
    void edit(const std::function<void(QTextCursor &)> &change)
    {
        for (QTextDocument *document : {&qt, &ours}) {
            QTextCursor cursor(document);
            change(cursor);
        }
    }
    void composeReport(int times = 1)
    {
        edit([&](QTextCursor &cursor) {
            cursor.movePosition(QTextCursor::End);
            for (int i = 0; i < times; ++i)
                insertRuns(cursor, reportRuns(SampleReading()));
        });
    }
};

// Every line of every paragraph: where the paragraph lies, and where each line starts, how long
// it is, where it lies and how wide it is.
QString Lines(const QTextDocument &document)
{
    document.documentLayout()->documentSize(); // Qt lays out lazily: everything now
    QString lines;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        const QTextLayout *layout = block.layout();
        lines += QString("paragraph %1 at %2,%3:").arg(block.blockNumber()).arg(layout->position().x()).arg(layout->position().y());
        for (int i = 0; i < layout->lineCount(); ++i) {
            const QTextLine line = layout->lineAt(i);
            lines += QString(" [%1+%2 at %3,%4 w%5]")
                         .arg(line.textStart())
                         .arg(line.textLength())
                         .arg(line.x())
                         .arg(line.y())
                         .arg(line.naturalTextWidth());
        }
        lines += '\n';
    }
    return lines;
}

void ExpectSameLayout(const Documents &documents)
{
    EXPECT_EQ(Lines(documents.ours), Lines(documents.qt));
    EXPECT_EQ(documents.ours.documentLayout()->documentSize(), documents.qt.documentLayout()->documentSize());
    EXPECT_EQ(documents.ours.pageCount(), documents.qt.pageCount());
    for (QTextBlock qt = documents.qt.begin(), ours = documents.ours.begin(); qt.isValid() && ours.isValid();
         qt = qt.next(), ours = ours.next()) {
        EXPECT_EQ(documents.ours.documentLayout()->blockBoundingRect(ours),
                  documents.qt.documentLayout()->blockBoundingRect(qt))
            << qt.blockNumber();
    }
    EXPECT_EQ(documents.ours.documentLayout()->frameBoundingRect(documents.ours.rootFrame()),
              documents.qt.documentLayout()->frameBoundingRect(documents.qt.rootFrame()));
}

QImage Render(QTextDocument &document, const QAbstractTextDocumentLayout::PaintContext &context, QSize size)
{
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter painter(&image);
    if (context.clip.isValid())
        painter.setClipRect(context.clip);
    document.documentLayout()->draw(&painter, context);
    return image;
}

QString Pdf(const QString &path, QTextDocument &document, bool ours)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    if (ours)
        printDocument(document, &printer);
    else
        document.print(&printer);
    return path;
}

// The pages of a PDF as pictures.
QList<QImage> Pages(const QString &pdf, const QString &folder, const QString &prefix)
{
    QProcess render;
    render.start("pdftoppm", {"-r", "40", "-png", pdf, folder + "/" + prefix});
    EXPECT_TRUE(render.waitForFinished(60000));
    QList<QImage> pages;
    for (const QString &name : QDir(folder).entryList({prefix + "*.png"}, QDir::Files, QDir::Name))
        pages.append(QImage(folder + "/" + name));
    return pages;
}

// ---- Runs without blanks ----

TEST(LongUnbrokenRuns, AreTheRunsLongerThanTheLimitBetweenBlanks)
{
    const auto runs = [](QStringView text, qsizetype longest) {
        QString found;
        for (const UnbrokenRun &run : longUnbrokenRuns(text, longest))
            found += QString("[%1,%2)").arg(run.start).arg(run.end);
        return found;
    };
    EXPECT_EQ(runs(u"", 0), "");
    EXPECT_EQ(runs(u"   ", 0), "");
    EXPECT_EQ(runs(u"ab cde f", 2), "[3,6)");
    EXPECT_EQ(runs(u"ab cde f", 3), "");
    EXPECT_EQ(runs(u"abc\tdefg\nhi", 2), "[0,3)[4,8)");
    EXPECT_EQ(runs(u"abcd\u2029ef\u2028ghi", 2), "[0,4)[8,11)");
    // A no-break space joins its neighbours: a line never breaks there.
    EXPECT_EQ(runs(u"ab\u00a0cd e\u202ff", 4), "[0,5)");
    EXPECT_EQ(runs(u"ab\u2007cd", 4), "[0,5)");
    const QString limit(kLongestWrappedRun, 'x');
    EXPECT_EQ(runs(limit, kLongestWrappedRun), "");
    EXPECT_EQ(runs(QString(" ") + limit + "y", kLongestWrappedRun), QString("[1,%1)").arg(kLongestWrappedRun + 2));
}

// ---- Prose, as Qt lays it out ----

TEST(ReportTextLayout, LaysTheReportOutLineForLineAsQtDoes)
{
    for (qreal width : {507.0, 311.0, 120.0, 23.0, 5.0}) {
        SCOPED_TRACE(width);
        Documents documents(width);
        documents.composeReport();
        ExpectSameLayout(documents);
    }
}

TEST(ReportTextLayout, HonoursParagraphFormatsAsQtDoes)
{
    Documents documents(400);
    documents.edit([](QTextCursor &cursor) {
        const QString prose = "Alignment, margins and line heights change where the lines of a paragraph lie, "
                              "and each of them is taken as Qt's own layout takes it.";
        QTextBlockFormat format;
        cursor.insertText(prose);
        format.setTopMargin(7.5);
        format.setBottomMargin(3);
        format.setLeftMargin(20);
        format.setRightMargin(11.3);
        cursor.insertBlock(format);
        cursor.insertText(prose);
        format = QTextBlockFormat();
        format.setIndent(2);
        format.setTextIndent(30);
        format.setAlignment(Qt::AlignRight);
        cursor.insertBlock(format);
        cursor.insertText(prose);
        format = QTextBlockFormat();
        format.setAlignment(Qt::AlignJustify);
        format.setLineHeight(150, QTextBlockFormat::ProportionalHeight);
        cursor.insertBlock(format);
        cursor.insertText(prose);
        format = QTextBlockFormat();
        format.setAlignment(Qt::AlignHCenter);
        format.setLineHeight(30, QTextBlockFormat::FixedHeight);
        cursor.insertBlock(format);
        cursor.insertText(prose);
        format = QTextBlockFormat();
        format.setLineHeight(25, QTextBlockFormat::MinimumHeight);
        format.setTabPositions({QTextOption::Tab(90, QTextOption::LeftTab)});
        cursor.insertBlock(format);
        cursor.insertText("a\tb\tc " + prose);
        format = QTextBlockFormat();
        format.setLineHeight(6, QTextBlockFormat::LineDistanceHeight);
        format.setNonBreakableLines(true);
        cursor.insertBlock(format);
        cursor.insertText(prose);
        format = QTextBlockFormat();
        format.setLayoutDirection(Qt::RightToLeft);
        format.setTextIndent(12);
        cursor.insertBlock(format);
        cursor.insertText(QString::fromUtf16(u"\u05e9\u05dc\u05d5\u05dd \u05e2\u05d5\u05dc\u05dd ") + prose);
        QTextCharFormat large;
        large.setFontPointSize(20);
        cursor.insertBlock();
        cursor.insertText("small then ");
        cursor.insertText("large", large);
        cursor.insertText(" then small again, and on the next line too");
    });
    ExpectSameLayout(documents);
}

TEST(ReportTextLayout, PaintsTheSamePixelsAsQt)
{
    Documents documents;
    documents.composeReport();
    const QSize size = documents.qt.documentLayout()->documentSize().toSize() + QSize(20, 20);
    const int wordStart = documents.qt.toPlainText().indexOf("Lucky Color") + 3;

    QAbstractTextDocumentLayout::PaintContext context;
    context.palette.setColor(QPalette::Text, Qt::darkGreen);
    context.cursorPosition = documents.qt.toPlainText().indexOf("Money") + 2;
    const auto paint = [&](QTextDocument &document) {
        QAbstractTextDocumentLayout::Selection selection;
        selection.cursor = QTextCursor(&document);
        selection.cursor.setPosition(wordStart);
        selection.cursor.setPosition(wordStart + 400, QTextCursor::KeepAnchor);
        selection.format.setBackground(Qt::blue);
        selection.format.setForeground(Qt::yellow);
        QAbstractTextDocumentLayout::Selection line;
        line.cursor = QTextCursor(&document);
        line.cursor.setPosition(30);
        line.format.setBackground(Qt::red);
        line.format.setProperty(QTextFormat::FullWidthSelection, true);
        QAbstractTextDocumentLayout::PaintContext selected = context;
        selected.selections = {selection, line};
        return Render(document, selected, size);
    };
    EXPECT_TRUE(paint(documents.ours) == paint(documents.qt)) << "the whole document";

    // And a band of it, as a window paints what scrolled into view.
    context.selections.clear();
    context.clip = QRectF(0, 117.5, size.width(), 203);
    EXPECT_TRUE(Render(documents.ours, context, size) == Render(documents.qt, context, size)) << "a band";
    context.clip = QRectF(0, size.height() - 40, size.width(), 300);
    EXPECT_TRUE(Render(documents.ours, context, size) == Render(documents.qt, context, size)) << "the bottom";
}

TEST(ReportTextLayout, PaintsTheSelectionAndTheCursorWhereTheTextIs)
{
    Documents documents;
    documents.composeReport();
    QAbstractTextDocumentLayout::PaintContext context;
    const QTextBlock block = documents.ours.findBlock(documents.ours.toPlainText().indexOf("Money Number"));
    QAbstractTextDocumentLayout::Selection selection;
    selection.cursor = QTextCursor(block);
    selection.cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
    selection.format.setBackground(Qt::blue);
    context.selections = {selection};
    const QSize size = documents.ours.documentLayout()->documentSize().toSize();
    const QImage image = Render(documents.ours, context, size);
    const QRectF selected = documents.ours.documentLayout()->blockBoundingRect(block);
    int blueInside = 0;
    int blueOutside = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixelColor(x, y) == QColor(Qt::blue))
                ++(selected.adjusted(0, 0, 0, 1).contains(QPointF(x + 0.5, y + 0.5)) ? blueInside : blueOutside);
    EXPECT_GT(blueInside, 500);
    EXPECT_EQ(blueOutside, 0);
}

TEST(ReportTextLayout, HitsTheSamePositionsAsQt)
{
    for (qreal width : {507.0, 120.0}) {
        Documents documents(width);
        documents.composeReport();
        const QSizeF size = documents.qt.documentLayout()->documentSize();
        int exact = 0;
        for (qreal y = -5; y < size.height() + 10; y += 2.5) {
            for (qreal x = -5; x < size.width() + 10; x += 3) {
                for (Qt::HitTestAccuracy accuracy : {Qt::ExactHit, Qt::FuzzyHit}) {
                    const int qt = documents.qt.documentLayout()->hitTest(QPointF(x, y), accuracy);
                    ASSERT_EQ(documents.ours.documentLayout()->hitTest(QPointF(x, y), accuracy), qt)
                        << x << "," << y << (accuracy == Qt::ExactHit ? " exact" : " fuzzy");
                    exact += accuracy == Qt::ExactHit && qt >= 0;
                }
            }
        }
        EXPECT_GT(exact, 1000); // the grid did hit text
    }
}

TEST(ReportTextLayout, MovesTheCursorAsQtDoes)
{
    Documents documents(311);
    documents.composeReport();
    documents.edit([](QTextCursor &cursor) {
        cursor.movePosition(QTextCursor::End);
        cursor.insertText(QString(700, 'r') + " and words after a long run");
    });
    const int end = documents.qt.characterCount() - 1;
    // Qt's layout lays out lazily, and moves a cursor through what it has laid out: all of it.
    EXPECT_EQ(Lines(documents.ours), Lines(documents.qt));
    for (QTextCursor::MoveOperation move : {QTextCursor::Up, QTextCursor::Down, QTextCursor::StartOfLine,
                                            QTextCursor::EndOfLine, QTextCursor::Left, QTextCursor::Right}) {
        for (int position = 0; position <= end; position += 3) {
            QTextCursor qt(&documents.qt);
            QTextCursor ours(&documents.ours);
            qt.setPosition(position);
            ours.setPosition(position);
            qt.movePosition(move);
            ours.movePosition(move);
            ASSERT_EQ(ours.position(), qt.position()) << "move " << move << " from " << position;
        }
    }
    // Down from the first line walks the report line by line to its end.
    QTextCursor down(&documents.ours);
    int lines = 0;
    while (down.movePosition(QTextCursor::Down))
        ++lines;
    int expected = 0;
    for (QTextBlock block = documents.ours.begin(); block.isValid(); block = block.next())
        expected += block.layout()->lineCount();
    EXPECT_EQ(lines, expected - 1);
}

// ---- Long runs without blanks ----

TEST(ReportTextLayout, BreaksALongRunAnywhereAndProseAtBlanks)
{
    Documents documents(311);
    const QString before = "Words of an ordinary paragraph come first, and they wrap at blanks as ever, "
                           "line after line, until the run begins:";
    const QString after = "and once it ends, the words from an ordinary paragraph wrap at blanks again, "
                          "as they always have.";
    const QString run(3000, 'w');
    documents.edit([&](QTextCursor &cursor) { cursor.insertText(before + " " + run + " " + after); });
    // Qt's layout breaks a run without break opportunities where this one does, only slowly.
    ExpectSameLayout(documents);

    const QTextBlock block = documents.ours.begin();
    const QTextLayout *layout = block.layout();
    const QString text = block.text();
    const int runStart = before.size() + 1;
    const int runEnd = runStart + run.size();
    int insideRun = 0;
    for (int i = 0; i < layout->lineCount(); ++i) {
        const QTextLine line = layout->lineAt(i);
        const int end = line.textStart() + line.textLength();
        EXPECT_LE(line.naturalTextWidth(), 311 - 8) << i;
        if (end > runStart && end < runEnd) {
            ++insideRun;
        } else {
            EXPECT_TRUE(end == text.size() || text[end - 1] == ' ') << "line " << i << " ends inside a word";
        }
    }
    EXPECT_GE(insideRun, 3000 / 40);
}

TEST(ReportTextLayout, LaysOutAMegabyteRunWithEveryLineWithinTheWidth)
{
    QTextDocument document;
    document.setDocumentLayout(new ReportTextLayout(&document));
    document.setDefaultFont(theme::font(theme::Plain, theme::kLargePoints));
    document.setTextWidth(507);
    QString run(1024 * 1024, 'x');
    for (qsizetype i = 0; i < run.size(); ++i)
        run[i] = QLatin1Char(char('a' + i % 26));
    QTextCursor(&document).insertText(run);
    const qreal height = document.documentLayout()->documentSize().height();
    const QTextLayout *layout = document.begin().layout();
    ASSERT_GT(layout->lineCount(), 1000);
    int next = 0;
    qreal y = 0;
    for (int i = 0; i < layout->lineCount(); ++i) {
        const QTextLine line = layout->lineAt(i);
        ASSERT_EQ(line.textStart(), next) << i;
        ASSERT_LE(line.naturalTextWidth(), 507 - 8) << i;
        ASSERT_GE(line.y(), y) << i;
        next += line.textLength();
        y = line.y() + line.height();
    }
    EXPECT_EQ(next, run.size());
    EXPECT_EQ(height, y + 8);
}

// ---- Changes ----

TEST(ReportTextLayout, AfterEachEditLaysOutAsQtDoes)
{
    Documents documents(311);
    documents.composeReport();
    const auto step = [&](const char *what, const std::function<void(QTextCursor &)> &change) {
        SCOPED_TRACE(what);
        documents.edit(change);
        ExpectSameLayout(documents);
    };
    step("typing in a paragraph", [](QTextCursor &cursor) {
        cursor.setPosition(120);
        cursor.insertText("some more words in the middle of it ");
    });
    step("a new paragraph", [](QTextCursor &cursor) {
        cursor.setPosition(300);
        cursor.insertBlock();
    });
    step("taking three paragraphs apart", [](QTextCursor &cursor) {
        cursor.setPosition(60);
        cursor.setPosition(520, QTextCursor::KeepAnchor);
        cursor.removeSelectedText();
    });
    step("bold", [](QTextCursor &cursor) {
        cursor.setPosition(10);
        cursor.setPosition(200, QTextCursor::KeepAnchor);
        QTextCharFormat bold;
        bold.setFontWeight(QFont::Bold);
        cursor.mergeCharFormat(bold);
    });
    step("a margin and centring", [](QTextCursor &cursor) {
        cursor.setPosition(250);
        QTextBlockFormat format;
        format.setTopMargin(9);
        format.setBottomMargin(4);
        format.setAlignment(Qt::AlignHCenter);
        cursor.mergeBlockFormat(format);
    });
    step("a long run at the end", [](QTextCursor &cursor) {
        cursor.movePosition(QTextCursor::End);
        cursor.insertText(QString(900, 'z'));
    });
    step("a long run in the middle", [](QTextCursor &cursor) {
        cursor.setPosition(400);
        cursor.insertText(" " + QString(600, 'y') + " ");
    });
    step("all of it replaced", [](QTextCursor &cursor) {
        cursor.select(QTextCursor::Document);
        cursor.insertText("short\nand sweet");
    });
    for (QTextDocument *document : {&documents.qt, &documents.ours}) {
        document->undo();
        document->undo();
    }
    SCOPED_TRACE("undone");
    ExpectSameLayout(documents);
    for (QTextDocument *document : {&documents.qt, &documents.ours})
        document->setTextWidth(177);
    SCOPED_TRACE("narrower");
    ExpectSameLayout(documents);
}

// A mark that a paragraph's first line keeps until the paragraph is laid out again.
void Mark(const QTextBlock &block)
{
    QTextLine line = block.layout()->lineAt(0);
    line.setPosition(line.position() + QPointF(1000, 0));
}
bool Marked(const QTextBlock &block)
{
    return block.layout()->lineAt(0).x() >= 1000;
}

TEST(ReportTextLayout, LaysOutOnlyTheChangedParagraphsAndMovesThoseBelow)
{
    QTextDocument document;
    document.setDocumentLayout(new ReportTextLayout(&document));
    document.setDefaultFont(theme::font(theme::Plain, theme::kLargePoints));
    document.setTextWidth(311);
    QTextCursor(&document).insertText("first paragraph\nsecond paragraph\nthird paragraph\nfourth paragraph");
    QSignalSpy sizes(document.documentLayout(), &QAbstractTextDocumentLayout::documentSizeChanged);
    QSignalSpy updates(document.documentLayout(), &QAbstractTextDocumentLayout::update);
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
        Mark(block);
    const qreal fourthTop = document.findBlockByNumber(3).layout()->position().y();
    const qreal height = document.documentLayout()->documentSize().height();

    // A word that keeps the second paragraph on one line: nothing else is laid out or moves.
    QTextCursor cursor(document.findBlockByNumber(1));
    cursor.movePosition(QTextCursor::EndOfBlock);
    cursor.insertText(" grows");
    EXPECT_TRUE(Marked(document.findBlockByNumber(0)));
    EXPECT_FALSE(Marked(document.findBlockByNumber(1)));
    EXPECT_TRUE(Marked(document.findBlockByNumber(2)));
    EXPECT_TRUE(Marked(document.findBlockByNumber(3)));
    EXPECT_EQ(document.findBlockByNumber(3).layout()->position().y(), fourthTop);
    EXPECT_TRUE(sizes.isEmpty());
    ASSERT_EQ(updates.size(), 1);
    const QRectF repainted = updates.takeFirst().at(0).toRectF();
    EXPECT_TRUE(repainted.contains(document.documentLayout()->blockBoundingRect(document.findBlockByNumber(1))));
    EXPECT_LE(repainted.bottom(), document.findBlockByNumber(2).layout()->position().y());

    // Words that take it onto a second line: the paragraphs below move down by that line.
    Mark(document.findBlockByNumber(1));
    cursor.insertText(QString(" and grows").repeated(8));
    const QTextLayout *second = document.findBlockByNumber(1).layout();
    ASSERT_GT(second->lineCount(), 1);
    const qreal grown = (second->lineCount() - 1) * second->lineAt(1).y();
    EXPECT_FALSE(Marked(document.findBlockByNumber(1)));
    EXPECT_TRUE(Marked(document.findBlockByNumber(2)));
    EXPECT_TRUE(Marked(document.findBlockByNumber(3)));
    EXPECT_EQ(document.findBlockByNumber(3).layout()->position().y(), fourthTop + grown);
    ASSERT_EQ(sizes.size(), 1);
    EXPECT_EQ(sizes.at(0).at(0).toSizeF().height(), height + grown);
    EXPECT_EQ(document.documentLayout()->documentSize().height(), height + grown);
}

TEST(ReportTextLayout, WaitsForAPageSizeAndLaysOutWhenOneIsSet)
{
    QTextDocument document;
    document.setDocumentLayout(new ReportTextLayout(&document));
    document.setPageSize(QSizeF(0, 0)); // as QTextEdit does before it is shown
    QTextCursor(&document).insertText("nothing is laid out yet\nnor here");
    EXPECT_EQ(document.begin().layout()->lineCount(), 0);
    EXPECT_EQ(document.documentLayout()->blockBoundingRect(document.begin()), QRectF());
    EXPECT_EQ(document.documentLayout()->hitTest(QPointF(10, 10), Qt::ExactHit), -1);
    document.setTextWidth(200);
    // No one watches this document: it is laid out when asked.
    EXPECT_GT(document.documentLayout()->documentSize().height(), 30);
    EXPECT_EQ(document.begin().layout()->lineCount(), 1);
    EXPECT_EQ(document.lastBlock().layout()->lineCount(), 1);
    EXPECT_GT(document.lastBlock().layout()->position().y(), document.begin().layout()->position().y());
}

TEST(ReportTextLayout, InstalledKeepsTheCursorWidth)
{
    QTextDocument document;
    document.documentLayout()->setProperty("cursorWidth", 3);
    ReportTextLayout *layout = ReportTextLayout::install(&document);
    EXPECT_EQ(document.documentLayout(), layout);
    EXPECT_EQ(document.documentLayout()->property("cursorWidth").toInt(), 3);
}

// ---- Pages ----

TEST(ReportTextLayout, PaginatesProseAsQtDoes)
{
    Documents documents;
    documents.composeReport(3);
    for (QTextDocument *document : {&documents.qt, &documents.ours}) {
        QTextFrameFormat frame = document->rootFrame()->frameFormat();
        frame.setTopMargin(37);
        frame.setBottomMargin(41);
        document->rootFrame()->setFrameFormat(frame);
        document->setPageSize(QSizeF(420, 300));
    }
    EXPECT_GT(documents.ours.pageCount(), 3);
    ExpectSameLayout(documents);
}

TEST(ReportTextLayout, KeepsEveryLineOfALongRunOffThePageBoundaries)
{
    QTextDocument document;
    document.setDocumentLayout(new ReportTextLayout(&document));
    document.setDefaultFont(theme::font(theme::Plain, theme::kLargePoints));
    QTextFrameFormat frame = document.rootFrame()->frameFormat();
    frame.setMargin(30);
    document.rootFrame()->setFrameFormat(frame);
    const qreal pageHeight = 250;
    document.setPageSize(QSizeF(300, pageHeight));
    QTextCursor(&document).insertText("a title\n" + QString(20000, 'q') + " and words at the end");
    ASSERT_GT(document.pageCount(), 1);
    int lines = 0;
    qreal lowest = 0;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        const QTextLayout *layout = block.layout();
        for (int i = 0; i < layout->lineCount(); ++i) {
            const qreal top = layout->position().y() + layout->lineAt(i).y();
            const qreal bottom = top + layout->lineAt(i).height();
            const qreal page = std::floor(top / pageHeight);
            ASSERT_GE(top, page * pageHeight + 30) << "line " << i << " in the top margin";
            ASSERT_LE(bottom, (page + 1) * pageHeight - 30) << "line " << i << " in the bottom margin";
            lowest = bottom;
            ++lines;
        }
    }
    EXPECT_GT(lines, 500);
    EXPECT_EQ(document.pageCount(), int(std::floor(lowest / pageHeight)) + 1);
}

TEST(ReportTextLayout, PrintsTheReportAsQtPrintsIt)
{
    if (QStandardPaths::findExecutable("pdftoppm").isEmpty())
        GTEST_SKIP() << "pdftoppm, which turns the printouts into pictures, is not installed";
    QTemporaryDir folder;
    QTextDocument qt;
    QTextDocument ours;
    for (QTextDocument *document : {&qt, &ours}) {
        document->setDefaultFont(theme::font(theme::Plain, theme::kLargePoints));
        QTextCursor cursor(document);
        for (int i = 0; i < 3; ++i)
            insertRuns(cursor, reportRuns(SampleReading()));
    }
    const QList<QImage> expected = Pages(Pdf(folder.filePath("qt.pdf"), qt, false), folder.path(), "qt");
    const QList<QImage> printed = Pages(Pdf(folder.filePath("ours.pdf"), ours, true), folder.path(), "ours");
    ASSERT_GE(expected.size(), 2);
    ASSERT_EQ(printed.size(), expected.size());
    for (int i = 0; i < printed.size(); ++i)
        EXPECT_TRUE(printed[i] == expected[i]) << "page " << i + 1;
    EXPECT_TRUE(qobject_cast<ReportTextLayout *>(ours.documentLayout()));
}

} // namespace
