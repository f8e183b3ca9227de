#include "ReportFixture.h"
#include "TestFiles.h"
#include "report/ReportEdit.h"
#include "report/RtfWriter.h"
#include "widgets/LinkLabel.h"
#include "widgets/WaitCursor.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QMimeData>
#include <QMouseEvent>
#include <QTextCursor>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTest>
#include <QTextEdit>
#include <QTextLayout>
#include <QTextList>

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

TEST_F(Report, APasteOrADropBringsOnlyPlainTextWhateverTheSourceOffers)
{
    struct Offer {
        const char *name;
        std::vector<std::pair<QString, QByteArray>> formats; // in the order offered
        QString inserted;
    };
    const QByteArray markdown = "# Heading\n\n- one\n- two\n\n| a | b |\n|---|---|\n| 1 | 2 |\n\n![x](y.png)\n";
    const Offer offers[] = {
        {"nothing at all (an emptied clipboard)", {}, ""},
        {"Markdown before plain text", {{"text/markdown", markdown}, {"text/plain", "- one"}}, "- one"},
        {"Markdown alone", {{"text/markdown", markdown}}, ""},
        {"HTML before plain text", {{"text/html", "<ul><li>item</li></ul>"}, {"text/plain", "item"}}, "item"},
        {"HTML alone", {{"text/html", "<b>bold</b><img src=x>"}}, ""},
        {"an image alone", {{"image/png", QByteArray("\x89PNG\r\n\x1a\n", 8)}}, ""},
        {"an empty text", {{"text/plain", ""}}, ""},
    };
    Open();
    auto *box = Child<QTextEdit>(report, "reportEdit");
    const QString composed = box->toPlainText();
    const auto offered = [](const Offer &offer) {
        auto *data = new QMimeData;
        for (const auto &[format, bytes] : offer.formats)
            data->setData(format, bytes);
        return data;
    };
    for (const Offer &offer : offers) {
        for (const char *road : {"paste", "drop"}) {
            box->setPlainText(composed);
            box->moveCursor(QTextCursor::End);
            std::unique_ptr<QMimeData> dropped;
            if (std::string_view(road) == "paste") {
                QGuiApplication::clipboard()->setMimeData(offered(offer));
                box->paste();
            } else {
                dropped.reset(offered(offer));
                const QPoint at(5, 5);
                QDragEnterEvent enter(at, Qt::CopyAction, dropped.get(), Qt::LeftButton, Qt::NoModifier);
                QApplication::sendEvent(box->viewport(), &enter);
                QDropEvent drop(at, Qt::CopyAction, dropped.get(), Qt::LeftButton, Qt::NoModifier);
                QApplication::sendEvent(box->viewport(), &drop);
            }
            const QString now = box->toPlainText();
            EXPECT_EQ(now.size() - composed.size(), offer.inserted.size()) << road << " of " << offer.name;
            EXPECT_TRUE(offer.inserted.isEmpty() || now.contains(offer.inserted)) << road << " of " << offer.name;
            EXPECT_TRUE(box->document()->rootFrame()->childFrames().isEmpty()) << road << " of " << offer.name << ": a table came in";
            for (QTextBlock block = box->document()->begin(); block.isValid(); block = block.next())
                EXPECT_EQ(block.textList(), nullptr) << road << " of " << offer.name << ": a list came in";
        }
    }
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

TEST_F(Report, TheBoxLooksAndBreaksLinesAsAStockTextEditInItsFont)
{
    // The composed report alone, then with a long web address, hyphenated words, zero-width spaces.
    const QString url = "See https://www.example.org/" + QString("path-segment/").repeated(30) + "end here.";
    for (const QString &text : {QString(), url, QString("self-contained-").repeated(25) + "end",
                                QString("wordwordword\u200B").repeated(30) + "end"}) {
        Open(ProseInputs());
        auto *box = Child<QTextEdit>(report, "reportEdit");
        QTextCursor(box->document()->lastBlock()).insertText(text);
        QApplication::processEvents();
        box->clearFocus(); // no caret
        QTextEdit stock;
        stock.setFont(box->font());
        stock.setPalette(box->palette());
        stock.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        stock.setDocument(box->document()->clone(&stock));
        stock.resize(box->size());
        stock.show();
        const std::string row = text.left(40).toStdString();
        EXPECT_GT(stock.document()->lastBlock().layout()->lineCount(), text.isEmpty() ? 0 : 3) << row;
        EXPECT_EQ(LineStarts(box->document()), LineStarts(stock.document())) << row;
        EXPECT_EQ(box->viewport()->grab().toImage(), stock.viewport()->grab().toImage()) << row;
    }
}

TEST_F(Report, TextTooCostlyToWrapAtWordsMakesTheBoxAndThePrintoutWrapAnywhereWhileItLasts)
{
    Open();
    auto *box = Child<QTextEdit>(report, "reportEdit");
    const auto printout = [&] { return report->printableDocument()->defaultTextOption().wrapMode(); };
    const int longest = ReportEdit::kLongestWordWrappedRun;
    QTextCursor run(box->document()->lastBlock());
    run.insertText(QString(longest, 'x'));
    EXPECT_EQ(box->wordWrapMode(), QTextOption::WrapAtWordBoundaryOrAnywhere);
    run.insertText("x");
    EXPECT_EQ(box->wordWrapMode(), QTextOption::WrapAnywhere);
    EXPECT_EQ(printout(), QTextOption::WrapAnywhere);
    run.deletePreviousChar();
    EXPECT_EQ(box->wordWrapMode(), QTextOption::WrapAtWordBoundaryOrAnywhere);
    EXPECT_EQ(printout(), QTextOption::WrapAtWordBoundaryOrAnywhere);
    // Runs each far shorter than that, more of them than one paragraph, or the document, may hold.
    for (const QString separator : {" ", "\n"}) {
        run.insertText("\n" + (QString(longest / 5, 'y') + separator).repeated(60));
        EXPECT_EQ(box->wordWrapMode(), QTextOption::WrapAnywhere) << separator.toStdString();
        box->undo();
        EXPECT_EQ(box->wordWrapMode(), QTextOption::WrapAtWordBoundaryOrAnywhere) << separator.toStdString();
    }
    box->redo();
    EXPECT_EQ(box->wordWrapMode(), QTextOption::WrapAnywhere);
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
