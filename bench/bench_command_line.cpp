// The command line's pace: a file of 10,000 people to JSON Lines (target: under a second), the
// whole road of a run: the options, the CSV reader, the readings and the checked, streamed write.
#include "app/CommandLine.h"
#include "app/CommandLineReading.h"

#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <array>

namespace {

void BM_TenThousandPeopleToJsonLines(benchmark::State &state)
{
    QTemporaryDir folder;
    QFile people(folder.filePath("people.csv"));
    people.open(QIODevice::WriteOnly);
    people.write("first,middle,last,born\n");
    const std::array<const char *, 4> names = {"ELIZABETH,ANNE,MONTGOMERY", "ann,,lee", "Theo,Lee,Brown",
                                               "\"Mary Jane\",,\"Watson Parker\""};
    for (int row = 0; row < 10000; ++row) {
        people.write(QByteArray(names[row % 4]) + ','
                     + QString::asprintf("%04d-%02d-%02dT%02d:%02d\n", 1900 + row % 1100, 1 + row % 12,
                                            1 + row % 28, row % 24, row % 60).toLatin1());
    }
    people.close();
    const QStringList words = {"larkspire", "--batch", people.fileName(), "--format", "json",
                               "--output", folder.filePath("readings.jsonl")};
    for (auto _ : state) {
        const CommandLine::Result asked = CommandLine::handle(words);
        if (CommandLine::read(asked.readings) != 0)
            state.SkipWithError("the readings failed");
    }
    state.SetItemsProcessed(state.iterations() * 10000);
}
BENCHMARK(BM_TenThousandPeopleToJsonLines)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
