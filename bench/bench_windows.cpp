// In-process timings of the windows: one interpretation request (click to viewer shown), opening
// the report window (composition included), saving the report as RTF, and pasting, typing and
// printing in the report.
#include "GuiTestSupport.h"
#include "app/Application.h"
#include "platform/InstanceLock.h"
#include "platform/SettingsStore.h"
#include "report/ReportDialog.h"
#include "windows/InputWindow.h"
#include "windows/ResultsWindow.h"

#include <QApplication>
#include <QFont>
#include <QLineEdit>
#include <QMimeData>
#include <QTextCursor>
#include <QSaveFile>
#include <QTemporaryDir>
#include <QTextEdit>

#include <benchmark/benchmark.h>

namespace {

Reading SampleReport()
{
    return Reading::placeholders().next({"ELIZABETH", "ANNE", "MONTGOMERY", 17, "September", 1987, 14});
}

void BM_InterpretationRequest(benchmark::State &state)
{
    QTemporaryDir folder;
    SettingsStore settings(folder.filePath("larkspire.conf"));
    InstanceLock instance(folder.filePath("larkspire.lock"));
    FakeDialogs dialogs;
    Application app(instance, settings, dialogs);
    app.start(QDate::currentDate());
    InputWindow *form = app.inputWindow();
    form->findChild<QLineEdit *>("firstNameEdit")->setText("ELIZABETH");
    form->findChild<QLineEdit *>("middleNameEdit")->setText("ANNE");
    form->findChild<QLineEdit *>("lastNameEdit")->setText("MONTGOMERY");
    form->requestReading(); // the first request creates the results window
    for (auto _ : state) {
        state.PauseTiming();
        app.resultsWindow()->hide();
        form->show();
        QApplication::processEvents();
        state.ResumeTiming();
        form->requestReading();
        QApplication::processEvents();
    }
}
BENCHMARK(BM_InterpretationRequest)->Unit(benchmark::kMillisecond);

void BM_OpenReport(benchmark::State &state)
{
    FakeDialogs dialogs;
    const Reading inputs = SampleReport();
    for (auto _ : state) {
        ReportDialog report(inputs, dialogs);
        report.show();
        QApplication::processEvents();
        report.close();
    }
}
BENCHMARK(BM_OpenReport)->Unit(benchmark::kMillisecond);

void BM_SaveReport(benchmark::State &state)
{
    FakeDialogs dialogs;
    QTemporaryDir folder;
    ReportDialog report(SampleReport(), dialogs);
    dialogs.savePath = folder.filePath("reading.rtf");
    for (auto _ : state)
        report.saveAsRtf();
}
BENCHMARK(BM_SaveReport)->Unit(benchmark::kMillisecond);

// A paste of unbroken text (no blank anywhere) into the open report, laid out and styled for
// links, then saved: the road that once took a minute for a megabyte. Run with 256 KB and 1 MB
// to see that it grows linearly.
void BM_PasteUnbrokenTextAndSave(benchmark::State &state)
{
    FakeDialogs dialogs;
    QTemporaryDir folder;
    dialogs.savePath = folder.filePath("pasted.rtf");
    QString pasted(static_cast<qsizetype>(state.range(0)), QLatin1Char('x'));
    for (qsizetype i = 0; i < pasted.size(); ++i)
        pasted[i] = QLatin1Char(static_cast<char>('a' + i % 26));
    for (auto _ : state) {
        state.PauseTiming();
        auto report = std::make_unique<ReportDialog>(SampleReport(), dialogs);
        report->show();
        QApplication::processEvents();
        auto *box = report->findChild<QTextEdit *>(QStringLiteral("reportEdit"));
        state.ResumeTiming();
        auto mime = std::make_unique<QMimeData>();
        mime->setText(pasted);
        box->moveCursor(QTextCursor::End);
        box->insertPlainText(mime->text());
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

// Typing one character into the report after a megabyte without a blank was pasted at its end:
// into a paragraph of the composed text (argument 0), which is laid out again alone while the
// megabyte below it only moves (target: under 5 ms), or into the megabyte's own paragraph
// (argument 1), which is laid out again whole.
void BM_TypeAfterAPaste(benchmark::State &state)
{
    FakeDialogs dialogs;
    ReportDialog report(SampleReport(), dialogs);
    report.show();
    QApplication::processEvents();
    auto *box = report.findChild<QTextEdit *>(QStringLiteral("reportEdit"));
    box->moveCursor(QTextCursor::End);
    box->insertPlainText(QString(1024 * 1024, QLatin1Char('p')));
    QTextCursor cursor(box->document());
    cursor.setPosition(state.range(0) == 0 ? box->document()->find(QStringLiteral("Money")).position()
                                           : box->document()->characterCount() - 500);
    box->setTextCursor(cursor);
    QApplication::processEvents();
    for (auto _ : state) {
        box->insertPlainText(QStringLiteral("a"));
        QApplication::processEvents();
    }
}
BENCHMARK(BM_TypeAfterAPaste)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// Printing the pasted megabyte to a PDF file, for the linear growth of the printing road.
void BM_PrintUnbrokenText(benchmark::State &state)
{
    FakeDialogs dialogs;
    QTemporaryDir folder;
    dialogs.printToPdf = folder.filePath("printed.pdf");
    ReportDialog report(SampleReport(), dialogs);
    auto *box = report.findChild<QTextEdit *>(QStringLiteral("reportEdit"));
    box->moveCursor(QTextCursor::End);
    box->insertPlainText(QString(static_cast<qsizetype>(state.range(0)), QLatin1Char('q')));
    for (auto _ : state)
        report.print();
    state.SetBytesProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_PrintUnbrokenText)->Arg(256 * 1024)->Arg(1024 * 1024)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    QFont::insertSubstitution(QStringLiteral("Verdana"), QStringLiteral("DejaVu Sans"));
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
