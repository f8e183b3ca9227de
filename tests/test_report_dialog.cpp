#include "ReportFixture.h"
#include "TestFiles.h"
#include "report/ReportTextLayout.h"
#include "report/RtfWriter.h"
#include "widgets/LinkLabel.h"
#include "widgets/WaitCursor.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QMouseEvent>
#include <QTextCursor>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTest>
#include <QTextEdit>
#include <QTextLayout>

#include <gtest/gtest.h>

using namespace numerology;

namespace {

TEST_F(Report, TheWholeDocumentCharacterForCharacter)
{
    Open();
    const QString expected = QString(28, ' ') + "Larkspire Interpretation\n\n"
        "Lucky Number :-7\nNumber text.\n\n"
        "Lucky Color :-Yellow,Brown\nColour text.\n\n"
        "Money Number :-13\nMoney text.\n\n"
        "First Health Indication :-9\nIndication text.\n\n"
        "First Health Influence :-22\nInfluence text.\n\n"
        "Second Health Indication :-13\nSecond text.\n\n";
    EXPECT_EQ(Child<QTextEdit>(report, "reportEdit")->toPlainText(), expected);
    EXPECT_FALSE(Child<QTextEdit>(report, "reportEdit")->toPlainText().contains('\r'));
}

TEST_F(Report, EveryRunHasItsWeightColourAndFont)
{
    Open();
    struct Expect {
        QString startsWith;
        bool bold;
        QColor color;
    };
    const std::vector<Expect> runs{
        {QString(28, ' ') + "Larkspire", true, QColor(255, 0, 0)},
        {"Lucky Number :-7", true, QColor(0, 0, 128)},       {"Number text.", false, QColor(0, 0, 0)},
        {"Lucky Color :-Yellow,Brown", true, QColor(0, 0, 128)}, {"Colour text.", false, QColor(0, 0, 0)},
        {"Money Number :-13", true, QColor(0, 0, 128)},      {"Money text.", false, QColor(0, 0, 0)},
        {"First Health Indication :-9", true, QColor(0, 0, 128)}, {"Indication text.", false, QColor(0, 0, 0)},
        {"First Health Influence :-22", true, QColor(0, 0, 128)}, {"Influence text.", false, QColor(0, 0, 0)},
        {"Second Health Indication :-13", true, QColor(0, 0, 128)}, {"Second text.", false, QColor(0, 0, 0)},
    };
    std::size_t next = 0;
    for (QTextBlock block = Child<QTextEdit>(report, "reportEdit")->document()->begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            const QTextCharFormat format = fragment.charFormat();
            EXPECT_EQ(format.fontFamilies().toStringList().value(0), "Verdana");
            EXPECT_DOUBLE_EQ(format.fontPointSize(), 9.75);
            if (next < runs.size() && fragment.text().startsWith(runs[next].startsWith)) {
                EXPECT_EQ(format.fontWeight() >= QFont::Bold, runs[next].bold) << next;
                EXPECT_EQ(format.foreground().color(), runs[next].color) << next;
                ++next;
            }
        }
    }
    EXPECT_EQ(next, runs.size());
}

TEST_F(Report, ReopeningComposesTheSameDocumentAfresh)
{
    Open();
    const QString first = Child<QTextEdit>(report, "reportEdit")->toPlainText();
    const QByteArray firstRtf = writeRtf(*Child<QTextEdit>(report, "reportEdit")->document());
    report->close();
    Open();
    EXPECT_EQ(Child<QTextEdit>(report, "reportEdit")->toPlainText(), first);
    EXPECT_EQ(writeRtf(*Child<QTextEdit>(report, "reportEdit")->document()), firstRtf);
}

TEST_F(Report, EmptyAndUnbrokenDescriptions)
{
    Reading inputs = SampleInputs();
    inputs.descriptions[2] = "";
    inputs.descriptions[3] = "runs on";
    Open(inputs);
    const QString text = Child<QTextEdit>(report, "reportEdit")->toPlainText();
    EXPECT_TRUE(text.contains("Money Number :-13\n\nFirst Health Indication :-9runs on\n\nFirst Health Influence"));
}

TEST_F(Report, OpeningEmptiesTheClipboardAndSoDoesTheMouse)
{
    QClipboard *clipboard = QGuiApplication::clipboard();
    clipboard->setText("copied elsewhere");
    Open();
    EXPECT_TRUE(clipboard->text().isEmpty());
    clipboard->setText("copied from the report");
    QMouseEvent move(QEvent::MouseMove, QPointF(10, 10), QPointF(10, 10), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(Child<QTextEdit>(report, "reportEdit")->viewport(), &move);
    EXPECT_TRUE(clipboard->text().isEmpty());
}

TEST_F(Report, LayoutAndTabOrder)
{
    Open();
    EXPECT_EQ(report->size(), QSize(515, 506));
    EXPECT_EQ(Child<QTextEdit>(report, "reportEdit")->geometry(), QRect(2, 26, 511, 409));
    EXPECT_EQ(Child<QPushButton>(report, "printButton")->text(), "&Print");
    EXPECT_EQ(Child<QPushButton>(report, "saveButton")->text(), "&Save");
    QApplication::setActiveWindow(report.get());
    Child<QTextEdit>(report, "reportEdit")->setFocus();
    QTest::keyClick(Child<QTextEdit>(report, "reportEdit"), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), Child<QPushButton>(report, "printButton"));
    QTest::keyClick(Child<QPushButton>(report, "printButton"), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), Child<QPushButton>(report, "saveButton"));
    EXPECT_EQ(Child<LinkLabel>(report, "coBrandOffer")->geometry(), Child<LinkLabel>(report, "fullBrandOffer")->geometry());
    const auto siblings = report->children();
    EXPECT_GT(siblings.indexOf(Child<LinkLabel>(report, "coBrandOffer")), siblings.indexOf(Child<LinkLabel>(report, "fullBrandOffer")));
}

// ---- Saving ----

TEST_F(Report, SaveWritesTheWholeDocumentAsRtf)
{
    Open();
    const QString path = folder.filePath("reading.rtf");
    dialogs.savePath = path;
    QTextCursor selection = Child<QTextEdit>(report, "reportEdit")->textCursor();
    selection.setPosition(30);
    selection.setPosition(40, QTextCursor::KeepAnchor);
    Child<QTextEdit>(report, "reportEdit")->setTextCursor(selection);
    Child<QPushButton>(report, "saveButton")->click();
    ASSERT_EQ(dialogs.saveRequests.size(), 1u);
    EXPECT_EQ(dialogs.saveRequests[0].caption, "Larkspire");
    EXPECT_EQ(dialogs.saveRequests[0].filter, "Rich Text Format (*.rtf)");
    EXPECT_EQ(dialogs.saveRequests[0].defaultSuffix, "rtf");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), writeRtf(*Child<QTextEdit>(report, "reportEdit")->document()));
    EXPECT_TRUE(messages.shown.empty());

    const QString second = folder.filePath("again.rtf");
    dialogs.savePath = second;
    report->saveAsRtf();
    QFile again(second);
    ASSERT_TRUE(again.open(QIODevice::ReadOnly));
    file.seek(0);
    EXPECT_EQ(again.readAll(), file.readAll());
}

TEST_F(Report, CancellingTheSaveWritesNothingAndSaysNothing)
{
    Open();
    dialogs.savePath.reset();
    report->saveAsRtf();
    EXPECT_TRUE(QDir(folder.path()).entryList(QDir::Files).isEmpty());
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(Report, UndoStopsAtTheReportAsComposedAndRedoBringsTheNoteBack)
{
    Open();
    QApplication::setActiveWindow(report.get());
    auto *box = Child<QTextEdit>(report, "reportEdit");
    const QString composed = box->toPlainText();
    box->moveCursor(QTextCursor::End);
    QTest::keyClicks(box, "A note of mine.");
    for (int i = 0; i < 20; ++i)
        QTest::keySequence(box, QKeySequence::Undo);
    EXPECT_EQ(box->toPlainText(), composed);
    for (int i = 0; i < 20; ++i)
        QTest::keySequence(box, QKeySequence::Redo);
    EXPECT_EQ(box->toPlainText(), composed + "A note of mine.");
}

TEST_F(Report, TheWaitCursorIsGoneWhenTheSaveOrThePrintIsOver)
{
    Open();
    dialogs.savePath = "/dev/null";
    report->saveAsRtf();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_FALSE(messages.shown[0].waitCursor) << "the failure is told under the wait cursor";
    dialogs.savePath = folder.filePath("reading.rtf");
    report->saveAsRtf();
    dialogs.printToPdf = folder.filePath("reading.pdf");
    report->print();
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    {
        const WaitCursor busy;
        ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
        EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
    }
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

// ---- Text without blanks ----

// Descriptions long enough to wrap over several lines of the box.
Reading ProseInputs()
{
    Reading inputs = SampleInputs();
    const QString prose = "\nFrom an ordinary reading of the numbers there follows a description long enough to "
                          "wrap over several lines of the report, and every one of those lines ends where a word "
                          "ends, however the text around it was pasted.";
    for (QString &description : inputs.descriptions)
        description = prose;
    return inputs;
}

// Where the lines of each paragraph start.
QList<QList<int>> LineStarts(const QTextDocument *document)
{
    QList<QList<int>> starts;
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        QList<int> lines;
        for (int i = 0; i < block.layout()->lineCount(); ++i)
            lines << block.layout()->lineAt(i).textStart();
        starts << lines;
    }
    return starts;
}

// The width the box lays its lines out in.
qreal LineWidth(const QTextEdit *edit)
{
    return edit->document()->textWidth() - 2 * edit->document()->documentMargin();
}

// The first paragraph of the box that fills at least three lines.
QTextBlock WrappedParagraph(const QTextEdit *edit)
{
    for (QTextBlock block = edit->document()->begin(); block.isValid(); block = block.next())
        if (block.layout()->lineCount() >= 3)
            return block;
    ADD_FAILURE() << "no paragraph wraps";
    return {};
}

TEST_F(Report, TheBoxAndWhatIsPrintedAreLaidOutByTheReportLayout)
{
    Open();
    auto *edit = Child<QTextEdit>(report, "reportEdit");
    EXPECT_TRUE(qobject_cast<ReportTextLayout *>(edit->document()->documentLayout()));
    EXPECT_TRUE(qobject_cast<ReportTextLayout *>(report->printableDocument()->documentLayout()));
    EXPECT_EQ(report->printableDocument()->toPlainText(), edit->toPlainText());
}

TEST_F(Report, APastedLongRunBreaksAnywhereWhileTheProseBreaksAtBlanks)
{
    Open(ProseInputs());
    auto *edit = Child<QTextEdit>(report, "reportEdit");
    const QTextDocument *document = edit->document();
    const QList<QList<int>> before = LineStarts(document);
    ASSERT_TRUE(WrappedParagraph(edit).isValid());
    const int paragraphs = document->blockCount();

    edit->moveCursor(QTextCursor::End);
    const QString run(kLongestWrappedRun + 1, 'x');
    edit->insertPlainText(run);
    ASSERT_EQ(document->blockCount(), paragraphs);
    // The composed paragraphs break where they did, each line at a blank or the paragraph's end.
    const QList<QList<int>> pasted = LineStarts(document);
    EXPECT_EQ(pasted.mid(0, paragraphs - 1), before.mid(0, paragraphs - 1));
    for (QTextBlock block = document->begin(); block != document->lastBlock(); block = block.next()) {
        const QTextLayout *layout = block.layout();
        for (int i = 0; i < layout->lineCount(); ++i) {
            const int end = layout->lineAt(i).textStart() + layout->lineAt(i).textLength();
            EXPECT_TRUE(end == block.length() - 1 || block.text().at(end - 1) == ' ')
                << "paragraph " << block.blockNumber() << " line " << i << " ends inside a word";
        }
    }
    // The run's paragraph breaks inside the run, each line within the box.
    const QTextLayout *runLayout = document->lastBlock().layout();
    EXPECT_EQ(document->lastBlock().text(), run);
    EXPECT_GT(runLayout->lineCount(), 2);
    for (int i = 0; i < runLayout->lineCount(); ++i)
        EXPECT_LE(runLayout->lineAt(i).naturalTextWidth(), LineWidth(edit)) << i;

    // Taking the run away changes nothing for the prose.
    QTextCursor cursor = edit->textCursor();
    cursor.movePosition(QTextCursor::StartOfBlock, QTextCursor::KeepAnchor);
    cursor.removeSelectedText();
    EXPECT_EQ(LineStarts(document), before);
}

TEST_F(Report, AClickPutsTheCursorBetweenTheCharactersClicked)
{
    Open(ProseInputs());
    auto *edit = Child<QTextEdit>(report, "reportEdit");
    edit->moveCursor(QTextCursor::End);
    edit->insertPlainText(QString(900, 'k') + " tail");
    const QTextBlock prose = WrappedParagraph(edit);
    const QTextBlock run = edit->document()->lastBlock();
    const std::vector<int> targets{
        prose.position() + prose.layout()->lineAt(1).textStart() + 9, // inside a word of the second line
        prose.position() + prose.layout()->lineAt(2).textStart(),     // the start of the third
        run.position() + run.layout()->lineAt(3).textStart() + 17,    // inside the run, four lines down
    };
    for (int target : targets) {
        QTextCursor cursor(edit->document());
        cursor.setPosition(target);
        edit->setTextCursor(cursor);
        edit->ensureCursorVisible();
        const QRect caret = edit->cursorRect();
        ASSERT_TRUE(edit->viewport()->rect().contains(caret.center())) << target;
        edit->moveCursor(QTextCursor::Left);
        edit->moveCursor(QTextCursor::Left);
        QTest::mouseClick(edit->viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(caret.left() + 1, caret.center().y()));
        EXPECT_EQ(edit->textCursor().position(), target);
    }
    // Beyond the end of a line, a click puts the cursor at the line's end.
    QTextCursor cursor(edit->document());
    cursor.setPosition(prose.position() + prose.layout()->lineAt(1).textStart());
    edit->setTextCursor(cursor);
    const QRect caret = edit->cursorRect();
    QTest::mouseClick(edit->viewport(), Qt::LeftButton, Qt::NoModifier,
                      QPoint(edit->viewport()->width() - 3, caret.center().y()));
    EXPECT_EQ(edit->textCursor().position(),
              prose.position() + prose.layout()->lineAt(1).textStart() + prose.layout()->lineAt(1).textLength() - 1);
}

TEST_F(Report, ThePointerIsAHandOverALinkAndNotBesideIt)
{
    Reading inputs = ProseInputs();
    inputs.descriptions[1] = "\nSee www.example.org";
    Open(inputs);
    auto *edit = Child<QTextEdit>(report, "reportEdit");
    QApplication::processEvents(); // the links are styled once the window is up
    QTextCursor link = edit->document()->find("example");
    edit->setTextCursor(link);
    const QRect caret = edit->cursorRect();
    const auto pointerAt = [&](QPoint point) {
        QMouseEvent move(QEvent::MouseMove, point, edit->viewport()->mapToGlobal(point), Qt::NoButton, Qt::NoButton,
                         Qt::NoModifier);
        QApplication::sendEvent(edit->viewport(), &move);
        return edit->viewport()->cursor().shape();
    };
    EXPECT_EQ(pointerAt(QPoint(caret.left() - 4, caret.center().y())), Qt::PointingHandCursor);
    EXPECT_EQ(pointerAt(QPoint(edit->viewport()->width() - 5, caret.center().y())), Qt::IBeamCursor);
    EXPECT_EQ(pointerAt(QPoint(caret.left() - 4, caret.bottom() + caret.height() + 2)), Qt::IBeamCursor);
}

TEST_F(Report, TheArrowKeysMoveTheCursorLineByLine)
{
    Open(ProseInputs());
    auto *edit = Child<QTextEdit>(report, "reportEdit");
    QApplication::setActiveWindow(report.get());
    edit->setFocus();
    const QTextBlock prose = WrappedParagraph(edit);
    const QTextLine second = prose.layout()->lineAt(1);
    QTextCursor cursor(prose);
    edit->setTextCursor(cursor);
    QTest::keyClick(edit, Qt::Key_Down);
    EXPECT_EQ(edit->textCursor().position(), prose.position() + second.textStart());
    QTest::keyClick(edit, Qt::Key_End);
    EXPECT_EQ(edit->textCursor().position(), prose.position() + second.textStart() + second.textLength() - 1);
    QTest::keyClick(edit, Qt::Key_Up);
    EXPECT_EQ(prose.layout()->lineForTextPosition(edit->textCursor().position() - prose.position()).lineNumber(), 0);
    QTest::keyClick(edit, Qt::Key_Home);
    EXPECT_EQ(edit->textCursor().position(), prose.position());

    // In a long run, a line down is a line's characters on.
    edit->moveCursor(QTextCursor::End);
    edit->insertPlainText(QString(1000, 'm'));
    const QTextBlock run = edit->document()->lastBlock();
    edit->setTextCursor(QTextCursor(run));
    for (int line = 1; line < 4; ++line) {
        QTest::keyClick(edit, Qt::Key_Down);
        EXPECT_EQ(edit->textCursor().position(), run.position() + run.layout()->lineAt(line).textStart());
    }
}

TEST_F(Report, TheSelectionIsPaintedOverTheSelectedTextOnly)
{
    Open(ProseInputs());
    auto *edit = Child<QTextEdit>(report, "reportEdit");
    const QTextBlock prose = WrappedParagraph(edit);
    const QTextLine second = prose.layout()->lineAt(1);
    QTextCursor selection(edit->document());
    selection.setPosition(prose.position() + second.textStart() + 5);
    const QRect from = edit->cursorRect(selection);
    selection.setPosition(prose.position() + second.textStart() + 25, QTextCursor::KeepAnchor);
    const QRect to = edit->cursorRect(selection);
    edit->setTextCursor(selection);
    ASSERT_EQ(from.top(), to.top());
    const QRect selected(QPoint(from.left(), from.top()), QPoint(to.left(), to.bottom()));

    const QImage image = edit->viewport()->grab().toImage();
    const QColor highlights[] = {edit->palette().color(QPalette::Active, QPalette::Highlight),
                                 edit->palette().color(QPalette::Inactive, QPalette::Highlight)};
    int inside = 0;
    int outside = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor colour = image.pixelColor(x, y);
            if (colour == highlights[0] || colour == highlights[1])
                ++(selected.adjusted(-1, -1, 1, 1).contains(x, y) ? inside : outside);
        }
    EXPECT_GT(inside, selected.width() * selected.height() / 3);
    EXPECT_EQ(outside, 0);
}

TEST_F(Report, ALongParagraphWithoutBlanksPrints)
{
    Open();
    Child<QTextEdit>(report, "reportEdit")->moveCursor(QTextCursor::End);
    Child<QTextEdit>(report, "reportEdit")->insertPlainText(QString(60000, 'q') + "END");
    const QString pdf = folder.filePath("long.pdf");
    dialogs.printToPdf = pdf;
    report->print();
    const auto text = PdfText(pdf);
    if (!text)
        GTEST_SKIP() << "pdftotext, which reads the printout back, is not installed";
    EXPECT_TRUE(text->contains("END"));
}

TEST_F(Report, CtrlSSavesAndCtrlPPrints)
{
    Open();
    QApplication::setActiveWindow(report.get());
    dialogs.savePath.reset();
    const QString text = Child<QTextEdit>(report, "reportEdit")->toPlainText();
    QTest::keyClick(Child<QTextEdit>(report, "reportEdit"), Qt::Key_S, Qt::ControlModifier);
    ASSERT_EQ(dialogs.saveRequests.size(), 1u);
    QTest::keyClick(Child<QTextEdit>(report, "reportEdit"), Qt::Key_P, Qt::ControlModifier);
    EXPECT_EQ(dialogs.printSelections.size(), 1u);
    EXPECT_EQ(Child<QTextEdit>(report, "reportEdit")->toPlainText(), text);
}

// ---- Printing ----

TEST_F(Report, PrintsTheWholeReportWithoutASelection)
{
    Open();
    const QString pdf = folder.filePath("whole.pdf");
    dialogs.printToPdf = pdf;
    dialogs.chooseRange = QPrinter::Selection;
    Child<QPushButton>(report, "printButton")->click();
    ASSERT_EQ(dialogs.printSelections, std::vector<bool>{false});
    const auto printed = PdfText(pdf);
    if (!printed)
        GTEST_SKIP() << "pdftotext, which reads the printout back, is not installed";
    const QString &text = *printed;
    EXPECT_TRUE(text.contains("Larkspire Interpretation"));
    EXPECT_TRUE(text.contains("Lucky Number :-7"));
    EXPECT_TRUE(text.contains("Second Health Indication :-13"));
    EXPECT_TRUE(text.contains("Second text."));
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(Report, PrintsOnlyTheSelectionWhenThereIsOne)
{
    Open();
    const QTextCursor found = Child<QTextEdit>(report, "reportEdit")->document()->find("Money Number :-13");
    QTextCursor selection(Child<QTextEdit>(report, "reportEdit")->document());
    selection.setPosition(found.selectionStart());
    selection.setPosition(found.selectionEnd() + QString("\nMoney text.").size(), QTextCursor::KeepAnchor);
    Child<QTextEdit>(report, "reportEdit")->setTextCursor(selection);
    const QString pdf = folder.filePath("selection.pdf");
    dialogs.printToPdf = pdf;
    dialogs.chooseRange = QPrinter::AllPages;
    report->print();
    ASSERT_EQ(dialogs.printSelections, std::vector<bool>{true});
    const auto printed = PdfText(pdf);
    if (!printed)
        GTEST_SKIP() << "pdftotext, which reads the printout back, is not installed";
    const QString &text = *printed;
    EXPECT_TRUE(text.contains("Money Number :-13"));
    EXPECT_TRUE(text.contains("Money text."));
    EXPECT_FALSE(text.contains("Lucky Color"));
    EXPECT_FALSE(text.contains("Larkspire Interpretation"));
}

TEST_F(Report, CancellingThePrintPrintsNothing)
{
    Open();
    dialogs.printToPdf.reset();
    report->print();
    EXPECT_EQ(dialogs.printSelections.size(), 1u);
    EXPECT_TRUE(messages.shown.empty());
}

// Counts pixels of the link blue in the first page of a PDF.
int LinkBluePixels(const QString &pdf, const QString &folder)
{
    QProcess render;
    render.start("pdftoppm", {"-r", "60", "-f", "1", "-l", "1", "-png", pdf, folder + "/page"});
    EXPECT_TRUE(render.waitForFinished(60000));
    const QStringList pages = QDir(folder).entryList({"page*.png"});
    EXPECT_FALSE(pages.isEmpty());
    QImage image(folder + "/" + pages.value(0));
    int blue = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c.blue() > 200 && c.red() < 80 && c.green() < 80)
                ++blue;
        }
    return blue;
}

TEST_F(Report, LinkStylingStaysOffThePrintout)
{
    Reading inputs = SampleInputs();
    inputs.descriptions[0] = "\nwww.example.org www.example.org www.example.org www.example.org";
    Open(inputs);
    QApplication::processEvents();
    const QString pdf = folder.filePath("links.pdf");
    dialogs.printToPdf = pdf;
    report->print();
    const auto text = PdfText(pdf);
    if (!text)
        GTEST_SKIP() << "pdftotext, which reads the printout back, is not installed";
    EXPECT_TRUE(text->contains("www.example.org"));
    EXPECT_EQ(LinkBluePixels(pdf, folder.path()), 0);
}

} // namespace
