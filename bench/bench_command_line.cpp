// The command line's pace: composing one reading (Reading::readingOf, its JSON and its text), and files
// of 10,000 and 100,000 people to JSON Lines (targets: under a second for 10,000; for 100,000 at
// most three times what cat takes to copy the file written), the whole road of a run: the options,
// the CSV reader, the readings and the checked, streamed write.
#include "app/CommandLine.h"
#include "app/CommandLineReading.h"
#include "app/ReadingFormats.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <array>
#include <chrono>
#include <cstdlib>

namespace {

ReadingRequest OrdinaryRequest()
{
    ReadingRequest request;
    request.firstName = QStringLiteral("ELIZABETH");
    request.middleName = QStringLiteral("ANNE");
    request.lastName = QStringLiteral("MONTGOMERY");
    request.year = 1987;
    request.month = 9;
    request.day = 17;
    request.hour = 14;
    return request;
}

void BM_ReadingOf(benchmark::State &state)
{
    const numerology::PersonDetails person = OrdinaryRequest().person();
    for (auto _ : state) {
        Reading reading = Reading::placeholders().readingOf(person);
        benchmark::DoNotOptimize(reading);
    }
}
BENCHMARK(BM_ReadingOf);

void BM_Json(benchmark::State &state)
{
    const ReadingRequest request = OrdinaryRequest();
    const Reading reading = Reading::placeholders().readingOf(request.person());
    std::string bytes;
    for (auto _ : state) {
        bytes.clear();
        readingformats::appendJson(bytes, request, reading, 2);
        benchmark::DoNotOptimize(bytes);
    }
}
BENCHMARK(BM_Json);

void BM_Text(benchmark::State &state)
{
    const Reading reading = Reading::placeholders().readingOf(OrdinaryRequest().person());
    for (auto _ : state) {
        QByteArray bytes = readingformats::text(reading, state.range(0) != 0);
        benchmark::DoNotOptimize(bytes);
    }
}
BENCHMARK(BM_Text)->ArgName("explain")->Arg(0)->Arg(1);

// A file of people to JSON Lines through the whole road of a run, and then the file it wrote
// copied by cat: cat_ratio is the run's time over cat's, both measured here, one after the other.
// A run puts its file on the disk before giving it its name, which cat does not:
// flushed_cat_ratio is the run's time over cat's and then sync's putting the copy on the disk.
void BM_PeopleToJsonLines(benchmark::State &state)
{
    const auto rows = static_cast<int>(state.range(0));
    QTemporaryDir folder;
    QFile people(folder.filePath("people.csv"));
    people.open(QIODevice::WriteOnly);
    people.write("first,middle,last,born\n");
    const std::array<const char *, 4> names = {"ELIZABETH,ANNE,MONTGOMERY", "ann,,lee", "Theo,Lee,Brown",
                                               "\"Mary Jane\",,\"Watson Parker\""};
    for (int row = 0; row < rows; ++row) {
        people.write(QByteArray(names[row % 4]) + ','
                     + QString::asprintf("%04d-%02d-%02dT%02d:%02d\n", 1900 + row % 1100, 1 + row % 12,
                                            1 + row % 28, row % 24, row % 60).toLatin1());
    }
    people.close();
    const QString output = folder.filePath("readings.jsonl");
    const QByteArray copied = "'" + folder.filePath("copy.jsonl").toLocal8Bit() + "'";
    const QByteArray copy = "cat '" + output.toLocal8Bit() + "' >" + copied;
    const QByteArray flush = "sync -d " + copied;
    const QStringList words = {"larkspire", "--batch", people.fileName(), "--format", "json", "--output", output};
    double run = 0;
    double cat = 0;
    double sync = 0;
    for (auto _ : state) {
        const auto started = std::chrono::steady_clock::now();
        const CommandLine::Result asked = CommandLine::handle(words);
        if (CommandLine::read(asked.readings) != 0)
            state.SkipWithError("the readings failed");
        const auto read = std::chrono::steady_clock::now();
        if (std::system(copy.constData()) != 0)
            state.SkipWithError("cat failed");
        const auto catted = std::chrono::steady_clock::now();
        if (std::system(flush.constData()) != 0)
            state.SkipWithError("sync failed");
        const auto flushed = std::chrono::steady_clock::now();
        run += std::chrono::duration<double>(read - started).count();
        cat += std::chrono::duration<double>(catted - read).count();
        sync += std::chrono::duration<double>(flushed - catted).count();
        state.SetIterationTime(std::chrono::duration<double>(read - started).count());
    }
    state.SetItemsProcessed(state.iterations() * rows);
    state.SetBytesProcessed(state.iterations() * QFileInfo(output).size());
    state.counters["cat_ratio"] = run / cat;
    state.counters["flushed_cat_ratio"] = run / (cat + sync);
}
BENCHMARK(BM_PeopleToJsonLines)->ArgName("rows")->Arg(10000)->Arg(100000)->UseManualTime()->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
