// Memory kept by report openings and by readings, in process on the offscreen platform, with the
// program's own start-up (its style, palette, font substitutes and link accessibility).
//
// Each road is driven as a user drives it through the application:
//  - a report opening: Print in the results window (Application::printReading, ReportDialog::
//    showModal), the report closed from inside its modal loop; and the same for a report made
//    and shown on its own, as a test or a benchmark makes one;
//  - a reading: Back in the results window, names typed into the input window key by key and a
//    new birth day picked, Get My Interpretation.
// The heap in use (glibc's mallinfo2: bytes in use in every arena plus mmapped blocks) and the
// resident set (VmRSS) are taken after 100 and 1,000 report openings, and after 200 and 2,000
// readings, each once the event loop is idle and deferred deletions have run. By the first
// measurement every cache of Qt's that fills has filled; what still grows after it is kept for
// good. Target: growth under 1 MiB on each road, in the heap and in the resident set alike.
//
//     build/bench/bench_memory [--memory_trace=STEP] [Google Benchmark options]
//
// --memory_trace=STEP prints both figures every STEP openings or readings, to see where growth
// levels off. The program exits with 1 when a target is missed.
#include "GuiTestSupport.h"
#include "app/Application.h"
#include "platform/InstanceLock.h"
#include "platform/SettingsStore.h"
#include "report/ReportDialog.h"
#include "widgets/Accessibility.h"
#include "widgets/Theme.h"
#include "windows/InputWindow.h"
#include "windows/ResultsWindow.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QFont>
#include <QLineEdit>
#include <QPixmapCache>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <malloc.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

namespace {

constexpr double kTargetBytes = 1024.0 * 1024.0;

int traceStep = 0;

struct Memory {
    double heap = 0; // bytes in use
    double rss = 0;  // bytes resident
};

// Lets every pending event run, deferred deletions included, so that only what is kept remains.
void settle()
{
    for (int i = 0; i < 3; ++i) {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QApplication::processEvents();
    }
}

// Lets the windows just shown be exposed and painted.
void paint()
{
    for (int i = 0; i < 3; ++i)
        QApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

double residentBytes()
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0)
            return std::stod(line.substr(6)) * 1024.0;
    }
    return 0;
}

Memory measure()
{
    settle();
    const struct mallinfo2 info = mallinfo2();
    return {static_cast<double>(info.uordblks + info.hblkhd), residentBytes()};
}

void trace(const char *road, int done)
{
    if (traceStep <= 0 || done % traceStep != 0)
        return;
    const Memory now = measure();
    std::fprintf(stderr, "%s %6d: heap %9.1f KiB, resident %9.1f KiB\n", road, done, now.heap / 1024.0,
                 now.rss / 1024.0);
}

// One road's outcome: memory after the first and after the last count.
struct Outcome {
    std::string road;
    int first;
    int last;
    Memory atFirst;
    Memory atLast;

    double heapGrowth() const { return atLast.heap - atFirst.heap; }
    double rssGrowth() const { return atLast.rss - atFirst.rss; }
    bool met() const { return heapGrowth() < kTargetBytes && rssGrowth() < kTargetBytes; }
};

std::vector<Outcome> outcomes;
std::vector<std::string> broken; // the roads that could not be driven to their end
std::string currentRoad;

void report(benchmark::State &state, const std::optional<Outcome> &measured)
{
    if (!measured) {
        broken.push_back(currentRoad);
        state.SkipWithError("the road was not driven to its end");
        return;
    }
    const Outcome &outcome = *measured;
    const auto bytes = [](double value) {
        return benchmark::Counter(value, benchmark::Counter::kDefaults, benchmark::Counter::kIs1024);
    };
    const std::string first = std::to_string(outcome.first);
    const std::string last = std::to_string(outcome.last);
    state.counters["heap@" + first] = bytes(outcome.atFirst.heap);
    state.counters["heap@" + last] = bytes(outcome.atLast.heap);
    state.counters["heapGrowth"] = bytes(outcome.heapGrowth());
    state.counters["rss@" + first] = bytes(outcome.atFirst.rss);
    state.counters["rss@" + last] = bytes(outcome.atLast.rss);
    state.counters["rssGrowth"] = bytes(outcome.rssGrowth());
    state.counters["heapBytesPerStep"] = outcome.heapGrowth() / (outcome.last - outcome.first);
    state.counters["targetMet"] = outcome.met() ? 1 : 0;
    outcomes.push_back(outcome);
}

// The application as the program starts it, with its lock and settings in a folder of its own,
// and a first reading on the screen.
class RunningApplication {
public:
    RunningApplication()
    {
        // A stored date of today: the update reminder asks nothing.
        QFile file(m_folder.filePath("larkspire.conf"));
        if (file.open(QIODevice::WriteOnly))
            file.write("[Settings]\nDuration=\"" + QDate::currentDate().toString(Qt::ISODate).toLatin1() + "\"\n");
        file.close();
        m_app.start(QDate::currentDate());
        m_started = request(0);
    }

    ~RunningApplication()
    {
        for (QWidget *window : QApplication::topLevelWidgets())
            window->hide();
    }

    // Whether the first reading was shown.
    bool started() const { return m_started; }

    // Back to the input window (after the first), a person of the given number typed in as a user
    // types, a birth day picked, and Get My Interpretation. False when no reading was shown.
    bool request(int person)
    {
        if (ResultsWindow *results = m_app.resultsWindow())
            results->findChild<QPushButton *>(QStringLiteral("backButton"))->click();
        InputWindow *form = m_app.inputWindow();
        const auto type = [form](const char *box, const char *name) {
            QTest::keyClicks(form->findChild<QLineEdit *>(QLatin1String(box)), QLatin1String(name));
        };
        type("firstNameEdit", pick(kFirstNames, person));
        type("middleNameEdit", pick(kMiddleNames, person / 7));
        type("lastNameEdit", pick(kLastNames, person / 3));
        form->findChild<QComboBox *>(QStringLiteral("dayCombo"))->setCurrentIndex(person % 28);
        form->findChild<QComboBox *>(QStringLiteral("yearCombo"))->setCurrentIndex(person % 120 + 40);
        form->findChild<QPushButton *>(QStringLiteral("readingButton"))->click();
        paint();
        return m_app.resultsWindow() && m_app.resultsWindow()->isVisible() && !form->isVisible();
    }

    // Print in the results window; the report is closed from inside its own modal loop. False
    // when no report was shown.
    bool openReport()
    {
        bool shown = false;
        QTimer::singleShot(0, [&shown] {
            // Shown and painted first, as a user sees it.
            paint();
            auto *report = qobject_cast<ReportDialog *>(QApplication::activeModalWidget());
            shown = report && report->isVisible();
            if (report)
                report->close();
        });
        m_app.resultsWindow()->findChild<QPushButton *>(QStringLiteral("printButton"))->click();
        return shown;
    }

private:
    static constexpr const char *kFirstNames[] = {"elizabeth", "john", "margaret", "william", "catherine", "robert", "alexandra"};
    static constexpr const char *kMiddleNames[] = {"anne", "", "louise", "james", "marie"};
    static constexpr const char *kLastNames[] = {"montgomery", "smith", "fitzgerald", "brown", "harrington", "lee"};

    template <std::size_t N>
    static const char *pick(const char *const (&names)[N], int number)
    {
        return names[static_cast<std::size_t>(number) % N];
    }

    QTemporaryDir m_folder;
    SettingsStore m_settings{m_folder.filePath("larkspire.conf")};
    InstanceLock m_instance{m_folder.filePath("larkspire.lock")};
    FakeDialogs m_dialogs;
    Application m_app{m_instance, m_settings, m_dialogs};
    bool m_started = false;
};

// Runs a road of steps, each of which says whether it did what it should; nothing when one did not.
template <class Step>
std::optional<Outcome> run(const char *road, int first, int last, Step step)
{
    // Each road starts as a program just started does, with nothing in Qt's pixmap cache and no
    // free heap held back from the system by the roads before.
    currentRoad = road;
    QPixmapCache::clear();
    settle();
    malloc_trim(0);
    if (traceStep > 0) {
        const Memory start = measure();
        std::fprintf(stderr, "%s %6d: heap %9.1f KiB, resident %9.1f KiB\n", road, 0, start.heap / 1024.0,
                     start.rss / 1024.0);
    }
    Outcome outcome{road, first, last, {}, {}};
    for (int done = 1; done <= last; ++done) {
        if (!step(done)) {
            std::fprintf(stderr, "%s: step %d did not happen\n", road, done);
            return std::nullopt;
        }
        trace(road, done);
        if (done == first)
            outcome.atFirst = measure();
    }
    outcome.atLast = measure();
    if (traceStep > 0) {
        // What of the growth is Qt's pixmap cache: the rest is kept elsewhere.
        QPixmapCache::clear();
        const Memory emptied = measure();
        std::fprintf(stderr, "%s %6d: heap %9.1f KiB once Qt's pixmap cache is emptied\n", road, last,
                     emptied.heap / 1024.0);
    }
    return outcome;
}

void BM_ReportOpeningsFromResults(benchmark::State &state)
{
    for (auto _ : state) {
        RunningApplication app;
        report(state, run("report openings (Print)", 100, 1000, [&](int) { return app.started() && app.openReport(); }));
    }
}
BENCHMARK(BM_ReportOpeningsFromResults)->Iterations(1)->Unit(benchmark::kSecond);

void BM_ReportOpeningsAlone(benchmark::State &state)
{
    for (auto _ : state) {
        FakeDialogs dialogs;
        const Reading reading =
            Reading::placeholders().readingOf({"ELIZABETH", "ANNE", "MONTGOMERY", 17, "September", 1987, 14});
        report(state, run("report openings (alone)", 100, 1000, [&](int) {
                   ReportDialog dialog(reading, dialogs);
                   dialog.show();
                   paint();
                   const bool shown = dialog.isVisible();
                   dialog.close();
                   return shown;
               }));
    }
}
BENCHMARK(BM_ReportOpeningsAlone)->Iterations(1)->Unit(benchmark::kSecond);

void BM_Readings(benchmark::State &state)
{
    for (auto _ : state) {
        RunningApplication app;
        report(state, run("readings", 200, 2000, [&](int done) { return app.started() && app.request(done); }));
    }
}
BENCHMARK(BM_Readings)->Iterations(1)->Unit(benchmark::kSecond);

// Takes --memory_trace=STEP out of the arguments.
void takeTraceOption(int &argc, char **argv)
{
    const char *option = "--memory_trace=";
    int kept = 0;
    for (int i = 0; i < argc; ++i) {
        if (std::strncmp(argv[i], option, std::strlen(option)) == 0)
            traceStep = std::atoi(argv[i] + std::strlen(option));
        else
            argv[kept++] = argv[i];
    }
    argc = kept;
}

} // namespace

int main(int argc, char **argv)
{
    takeTraceOption(argc, argv);
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    // As the program starts.
    QFont::insertSubstitutions(theme::kFontFamily, {QStringLiteral("DejaVu Sans"), QStringLiteral("Liberation Sans"),
                                                    QStringLiteral("Sans Serif")});
    theme::useProgramStyle();
    installAccessibility();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();

    bool allMet = broken.empty() && !outcomes.empty();
    std::printf("\nMemory targets: growth under 1 MiB in the heap in use and in the resident set\n");
    for (const Outcome &o : outcomes) {
        std::printf("  %-24s %4d -> %4d: heap %+8.1f KiB (%.1f bytes each), resident %+8.1f KiB: %s\n",
                    o.road.c_str(), o.first, o.last, o.heapGrowth() / 1024.0,
                    o.heapGrowth() / (o.last - o.first), o.rssGrowth() / 1024.0, o.met() ? "MET" : "NOT MET");
        allMet = allMet && o.met();
    }
    for (const std::string &name : broken)
        std::printf("  %-24s not driven to its end: NOT MET\n", name.c_str());
    return allMet ? 0 : 1;
}
