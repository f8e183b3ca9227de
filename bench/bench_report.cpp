// In-process timings of the report box (offscreen) with a long run without a blank in it:
// pasting it, typing beside it and into it, leaving the box idle with the caret blinking in it, and
// printing it; how long a run Qt's default wrapping lays out in a stock QTextEdit; and pastes and
// keys in text made of many long runs, each shorter than the whole.
//
//     build/bench/bench_report [--benchmark_filter=REGEX]
#include "GuiTestSupport.h"
#include "report/ReportDialog.h"
#include "report/ReportEdit.h"
#include "report/ReportLinks.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QTextCursor>
#include <QTextEdit>

#include <benchmark/benchmark.h>

#include <ctime>
#include <malloc.h>
#include <fstream>
#include <functional>
#include <memory>
#include <string>

namespace {

Reading SampleReport()
{
    return Reading::placeholders().readingOf({"ELIZABETH", "ANNE", "MONTGOMERY", 17, "September", 1987, 14});
}

// Unbroken text: n characters without a blank, a to z over and over.
QString unbrokenText(qsizetype n)
{
    QString text(n, QLatin1Char('x'));
    for (qsizetype i = 0; i < n; ++i)
        text[i] = QLatin1Char(static_cast<char>('a' + i % 26));
    return text;
}

// Text of n characters: runs of runLength letters joined by single blanks; with words, each run is
// followed by as many characters of ordinary words. A run length of 0 gives ordinary words alone,
// -1 one unbroken run.
QString runsText(qsizetype n, qsizetype runLength, bool withWords)
{
    if (runLength < 0)
        return unbrokenText(n);
    static const QString words = QStringLiteral(
        "the quick brown fox jumps over a lazy dog while seven wizards quietly judge boxing matches ");
    QString text;
    text.reserve(n);
    const QString run = unbrokenText(qMax<qsizetype>(runLength, 1));
    while (text.size() < n) {
        if (runLength > 0)
            text += run + QLatin1Char(' ');
        for (qsizetype wordsLeft = runLength > 0 ? (withWords ? runLength : 0) : n; wordsLeft > 0 && text.size() < n;
             wordsLeft -= words.size())
            text += words;
    }
    text.truncate(n);
    return text;
}

// A figure of the process's memory in /proc/self/status (VmRSS, VmHWM), in bytes; 0 where it
// cannot be read.
double memoryFigure(const std::string &field)
{
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.rfind(field + ':', 0) == 0)
            return std::stod(line.substr(field.size() + 1)) * 1024;
    }
    return 0;
}

// The open report's box, after the window has been shown and painted.
QTextEdit *shownReportBox(ReportDialog &report)
{
    report.show();
    QApplication::processEvents();
    return report.findChild<QTextEdit *>(QStringLiteral("reportEdit"));
}

// The open report's box, active and focused, with a paragraph of n unbroken characters at its end
// and the caret at the given position.
QTextEdit *boxWithRun(ReportDialog &report, qsizetype n, const std::function<int(QTextDocument *)> &caret)
{
    QTextEdit *box = shownReportBox(report);
    QApplication::setActiveWindow(&report);
    box->setFocus();
    box->moveCursor(QTextCursor::End);
    box->insertPlainText(unbrokenText(n));
    QTextCursor cursor(box->document());
    cursor.setPosition(caret(box->document()));
    box->setTextCursor(cursor);
    return box;
}

// A paste of unbroken text into the open report, laid out, painted and styled for links, then
// saved (target: 1 MB within 0.5 s).
void BM_PasteUnbrokenTextAndSave(benchmark::State &state)
{
    FakeDialogs dialogs;
    QTemporaryDir folder;
    dialogs.savePath = folder.filePath("pasted.rtf");
    const QString pasted = unbrokenText(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        auto report = std::make_unique<ReportDialog>(SampleReport(), dialogs);
        QTextEdit *box = shownReportBox(*report);
        box->moveCursor(QTextCursor::End);
        state.ResumeTiming();
        box->insertPlainText(pasted);
        QApplication::processEvents();
        report->saveAsRtf();
        state.PauseTiming();
        report->close();
        report.reset();
        state.ResumeTiming();
    }
    state.SetBytesProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_PasteUnbrokenTextAndSave)->Arg(256 * 1024)->Arg(1024 * 1024)->Unit(benchmark::kMillisecond)->Iterations(3);

// The same paste into a box laid out as a stock QTextEdit lays out (Qt's default wrapping, at
// word boundaries or anywhere in a word wider than a line), as wide as the report's and with its
// font and link styling: how long a run Qt's wrapping lays out within 0.3 s.
void BM_PasteUnbrokenTextIntoAStockBox(benchmark::State &state)
{
    FakeDialogs dialogs;
    ReportDialog report(SampleReport(), dialogs);
    const QTextEdit *reportBox = shownReportBox(report);
    const QString pasted = unbrokenText(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        QTextEdit box;
        box.setFont(reportBox->font());
        box.document()->setDefaultFont(reportBox->document()->defaultFont());
        box.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        box.resize(reportBox->size());
        ReportLinks links(&box);
        box.setPlainText(reportBox->toPlainText());
        box.show();
        QApplication::processEvents();
        box.moveCursor(QTextCursor::End);
        state.ResumeTiming();
        box.insertPlainText(pasted);
        QApplication::processEvents();
    }
}
BENCHMARK(BM_PasteUnbrokenTextIntoAStockBox)
    ->DenseRange(16 * 1024, 80 * 1024, 8 * 1024)
    ->Arg(ReportEdit::kLongestWordWrappedRun)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5);

// A paste into the open report of argument 0 bytes of the mix of arguments 1 and 2 (see runsText),
// laid out whole (target: 0.5 s of processor time per MB). Counter: the growth of the peak resident
// set over the box before the paste.
void BM_PasteMixedRuns(benchmark::State &state)
{
    FakeDialogs dialogs;
    const QString pasted = runsText(state.range(0), state.range(1), state.range(2) != 0);
    double peakGrowth = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto report = std::make_unique<ReportDialog>(SampleReport(), dialogs);
        QTextEdit *box = shownReportBox(*report);
        box->moveCursor(QTextCursor::End);
        malloc_trim(0); // what earlier pastes freed no longer counts as resident
        const double before = memoryFigure("VmRSS");
        std::ofstream("/proc/self/clear_refs") << "5"; // the peak starts afresh
        state.ResumeTiming();
        box->insertPlainText(pasted);
        QApplication::processEvents();
        box->document()->documentLayout()->documentSize(); // the whole document laid out
        state.PauseTiming();
        peakGrowth = qMax(peakGrowth, memoryFigure("VmHWM") - before);
        report->close();
        report.reset();
        state.ResumeTiming();
    }
    state.SetBytesProcessed(state.iterations() * state.range(0));
    state.counters["peak_MB"] = peakGrowth / (1024 * 1024);
}
void PasteMixes(benchmark::internal::Benchmark *benchmark)
{
    for (const int megabytes : {1, 5}) {
        for (const int runLength : {1000, 10000, 30000, 60000})
            for (const int withWords : {0, 1})
                benchmark->Args({megabytes * 1024 * 1024, runLength, withWords});
        benchmark->Args({megabytes * 1024 * 1024, -1, 0});
        benchmark->Args({megabytes * 1024 * 1024, 0, 0});
    }
}
BENCHMARK(BM_PasteMixedRuns)->Apply(PasteMixes)->Unit(benchmark::kMillisecond)->Iterations(1);

// One key typed into the middle of a 100 KB paragraph of the mix of arguments 0 and 1 (see
// runsText) at the report's end (target: within 50 ms).
void BM_TypeAKeyIntoA100KBParagraph(benchmark::State &state)
{
    FakeDialogs dialogs;
    ReportDialog report(SampleReport(), dialogs);
    QTextEdit *box = shownReportBox(report);
    QApplication::setActiveWindow(&report);
    box->setFocus();
    box->moveCursor(QTextCursor::End);
    constexpr int kParagraph = 100 * 1024;
    box->insertPlainText(runsText(kParagraph, state.range(0), state.range(1) != 0));
    QTextCursor cursor(box->document());
    cursor.setPosition(box->document()->characterCount() - 1 - kParagraph / 2);
    box->setTextCursor(cursor);
    QApplication::processEvents();
    for (auto _ : state) {
        QTest::keyClick(box, Qt::Key_A);
        QApplication::processEvents();
    }
}
BENCHMARK(BM_TypeAKeyIntoA100KBParagraph)
    ->Args({1000, 0})
    ->Args({10000, 0})
    ->Args({30000, 0})
    ->Args({60000, 0})
    ->Args({10000, 1})
    ->Args({-1, 0})
    ->Args({0, 0})
    ->Unit(benchmark::kMillisecond);

// One key typed into the report (target: within 5 ms). Argument 0: the size of the unbroken run
// pasted at the report's end beforehand; argument 1: where the key goes, into the composed text
// (0) or into the run's own paragraph (1), which is laid out again whole.
void BM_TypeAKey(benchmark::State &state)
{
    FakeDialogs dialogs;
    ReportDialog report(SampleReport(), dialogs);
    QTextEdit *box = boxWithRun(report, state.range(0), [&state](QTextDocument *document) {
        return state.range(1) == 0 ? document->find(QStringLiteral("Money")).position() : document->characterCount() - 500;
    });
    QApplication::processEvents();
    for (auto _ : state) {
        QTest::keyClick(box, Qt::Key_A);
        QApplication::processEvents();
    }
}
BENCHMARK(BM_TypeAKey)->Args({0, 0})->Args({1024 * 1024, 0})->Args({1024 * 1024, 1})->Unit(benchmark::kMillisecond);

// The report left alone with an unbroken paragraph of argument 0 characters, the caret blinking
// inside it (target: no CPU to speak of while idle). Counters: the process's CPU time over the
// idle time, and the box's repaints (the blinks; without them the figure would mean nothing).
void BM_IdleWithALongParagraph(benchmark::State &state)
{
    FakeDialogs dialogs;
    ReportDialog report(SampleReport(), dialogs);
    QTextEdit *box = boxWithRun(report, state.range(0), [&state](QTextDocument *document) {
        return document->characterCount() - 1 - static_cast<int>(state.range(0) / 2);
    });
    box->ensureCursorVisible();
    QApplication::processEvents();
    QTest::qWait(200);

    struct PaintCounter : QObject {
        int paints = 0;
        bool eventFilter(QObject *, QEvent *event) override
        {
            paints += event->type() == QEvent::Paint;
            return false;
        }
    } counter;
    box->viewport()->installEventFilter(&counter);
    constexpr int kIdleMs = 3000;
    double cpuSeconds = 0;
    for (auto _ : state) {
        const std::clock_t start = std::clock();
        QTest::qWait(kIdleMs);
        cpuSeconds += double(std::clock() - start) / CLOCKS_PER_SEC;
    }
    const double idleSeconds = state.iterations() * kIdleMs / 1000.0;
    state.counters["cpu_percent"] = 100 * cpuSeconds / idleSeconds;
    state.counters["repaints"] = counter.paints;
    state.counters["ms_per_repaint"] = counter.paints ? 1000 * cpuSeconds / counter.paints : 0;
}
BENCHMARK(BM_IdleWithALongParagraph)->Arg(0)->Arg(1024 * 1024)->Arg(5 * 1024 * 1024)->Unit(benchmark::kSecond)->Iterations(1);

// Printing the pasted run to a PDF file under the wait cursor (target: a megabyte, over 200
// pages, within about 4 s). Counter: the pages printed.
void BM_PrintUnbrokenText(benchmark::State &state)
{
    FakeDialogs dialogs;
    QTemporaryDir folder;
    dialogs.printToPdf = folder.filePath("printed.pdf");
    ReportDialog report(SampleReport(), dialogs);
    auto *box = report.findChild<QTextEdit *>(QStringLiteral("reportEdit"));
    box->moveCursor(QTextCursor::End);
    box->insertPlainText(unbrokenText(state.range(0)));
    for (auto _ : state)
        report.print();
    QFile pdf(*dialogs.printToPdf);
    pdf.open(QIODevice::ReadOnly);
    state.counters["pages"] = double(pdf.readAll().count("/Type /Page\n"));
    state.SetBytesProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_PrintUnbrokenText)->Arg(256 * 1024)->Arg(1024 * 1024)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace
