// The main of the in-process timing benchmarks: one QApplication on the offscreen platform, with
// Verdana drawn as DejaVu Sans as the program does where Verdana is not installed.
#include <QApplication>
#include <QFont>

#include <benchmark/benchmark.h>

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
