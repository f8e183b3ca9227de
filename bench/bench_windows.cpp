// In-process timings of the windows: one interpretation request (click to viewer shown), opening
// the report window (composition included), and saving the report as RTF.
#include "Fakes.h"
#include "Interpretation.h"
#include "InterpretationTexts.h"
#include "RtfWriter.h"
#include "frmDisplay.h"
#include "frmMain.h"
#include "frmSave.h"

#include <QApplication>
#include <QFont>
#include <QLineEdit>
#include <QMimeData>
#include <QTextCursor>
#include <QSaveFile>
#include <QTemporaryDir>
#include <QTextEdit>

#include <benchmark/benchmark.h>

using namespace numerology;

namespace {

ReportInputs SampleReport()
{
    ReportInputs inputs;
    inputs.reading = computeInterpretation({"ELIZABETH", "ANNE", "MONTGOMERY", 17, "September", 1987, 14});
    const InterpretationTexts texts = describeInterpretation(inputs.reading);
    const std::optional<std::string_view> all[6] = {texts.luckyNumberText, texts.luckyColorText, texts.moneyText,
                                                    texts.firstHealthIndicationText, texts.firstHealthInfluenceText,
                                                    texts.secondHealthIndicationText};
    for (std::size_t i = 0; i < 6; ++i)
        inputs.descriptions[i] = all[i] ? QString::fromUtf8(all[i]->data(), static_cast<qsizetype>(all[i]->size())) : QString();
    return inputs;
}

void BM_InterpretationRequest(benchmark::State &state)
{
    FakePlatform fake;
    frmMain form(fake.services());
    form.show();
    form.txtFirstName->setText("ELIZABETH");
    form.txtMiddleName->setText("ANNE");
    form.txtLastName->setText("MONTGOMERY");
    form.cmdNext_Click(); // the first request creates the viewer
    for (auto _ : state) {
        state.PauseTiming();
        form.viewer()->hide();
        form.show();
        QApplication::processEvents();
        state.ResumeTiming();
        form.cmdNext_Click();
        QApplication::processEvents();
    }
    delete form.viewer();
}
BENCHMARK(BM_InterpretationRequest)->Unit(benchmark::kMillisecond);

void BM_OpenReport(benchmark::State &state)
{
    FakePlatform fake;
    const ReportInputs inputs = SampleReport();
    for (auto _ : state) {
        frmSave report(fake.services(), inputs);
        report.show();
        QApplication::processEvents();
        report.close();
    }
}
BENCHMARK(BM_OpenReport)->Unit(benchmark::kMillisecond);

void BM_SaveReport(benchmark::State &state)
{
    FakePlatform fake;
    QTemporaryDir folder;
    frmSave report(fake.services(), SampleReport());
    fake.dialogs.savePath = folder.filePath("reading.rtf");
    for (auto _ : state)
        report.cmdSave_Click();
    benchmark::DoNotOptimize(fake.messages.shown.size());
}
BENCHMARK(BM_SaveReport)->Unit(benchmark::kMillisecond);

// A paste of unbroken text (no blank anywhere) into the open report, laid out and styled for
// links, then saved: the road that once took a minute for a megabyte. Run with 256 KB and 1 MB
// to see that it grows linearly.
void BM_PasteUnbrokenTextAndSave(benchmark::State &state)
{
    FakePlatform fake;
    QTemporaryDir folder;
    fake.dialogs.savePath = folder.filePath("pasted.rtf");
    QString pasted(static_cast<qsizetype>(state.range(0)), QLatin1Char('x'));
    for (qsizetype i = 0; i < pasted.size(); ++i)
        pasted[i] = QLatin1Char(static_cast<char>('a' + i % 26));
    for (auto _ : state) {
        state.PauseTiming();
        auto report = std::make_unique<frmSave>(fake.services(), SampleReport());
        report->show();
        QApplication::processEvents();
        auto *box = report->findChild<QTextEdit *>(QStringLiteral("RTB"));
        state.ResumeTiming();
        auto mime = std::make_unique<QMimeData>();
        mime->setText(pasted);
        box->moveCursor(QTextCursor::End);
        box->insertPlainText(mime->text());
        QApplication::processEvents();
        report->cmdSave_Click();
        state.PauseTiming();
        report->close();
        report.reset();
        state.ResumeTiming();
    }
    state.SetBytesProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_PasteUnbrokenTextAndSave)->Arg(256 * 1024)->Arg(1024 * 1024)->Unit(benchmark::kMillisecond)->Iterations(3);

// Printing the pasted megabyte to a PDF file, for the linear growth of the printing road.
void BM_PrintUnbrokenText(benchmark::State &state)
{
    FakePlatform fake;
    QTemporaryDir folder;
    fake.dialogs.printToPdf = folder.filePath("printed.pdf");
    frmSave report(fake.services(), SampleReport());
    auto *box = report.findChild<QTextEdit *>(QStringLiteral("RTB"));
    box->moveCursor(QTextCursor::End);
    box->insertPlainText(QString(static_cast<qsizetype>(state.range(0)), QLatin1Char('q')));
    for (auto _ : state)
        report.cmdPrint_Click();
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
