// In-process timings of the windows: one interpretation request (click to viewer shown), opening
// the report window (composition included) and saving the report as RTF. The report box's own
// timings are in bench_report.cpp.
#include "GuiTestSupport.h"
#include "app/Application.h"
#include "platform/InstanceLock.h"
#include "platform/SettingsStore.h"
#include "report/ReportDialog.h"
#include "windows/InputWindow.h"
#include "windows/ResultsWindow.h"

#include <QApplication>
#include <QLineEdit>
#include <QTextCursor>
#include <QSaveFile>
#include <QTemporaryDir>
#include <QTextEdit>

#include <benchmark/benchmark.h>

namespace {

Reading SampleReport()
{
    return Reading::placeholders().readingOf({"ELIZABETH", "ANNE", "MONTGOMERY", 17, "September", 1987, 14});
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

} // namespace
