// The RTF writer on arbitrary text in arbitrary runs: the output is always plain ASCII with
// balanced braces. With FUZZ_RTF_DUMP set, the RTF of each input is also written to that file, so
// that an independent reader can be run over a corpus.
#include "ReportDocument.h"
#include "RtfWriter.h"

#include <QFile>
#include <QGuiApplication>
#include <QTextCursor>
#include <QTextDocument>

#include <cstdint>
#include <cstdlib>

namespace {

void Check(bool condition)
{
    if (!condition)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication application(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    // Each run: one byte of style (bold, colour), then text up to the next 0xFF byte.
    std::vector<ReportRun> runs;
    std::size_t i = 0;
    while (i < size) {
        const std::uint8_t style = data[i++];
        std::size_t end = i;
        while (end < size && data[end] != 0xFF)
            ++end;
        const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data + i), static_cast<qsizetype>(end - i));
        runs.push_back({(style & 1) != 0, QColor((style & 2) ? 255 : 0, (style & 4) ? 128 : 0, (style >> 3) * 8), text});
        i = end + 1;
    }
    QTextDocument document;
    QTextCursor cursor(&document);
    InsertRuns(cursor, runs);
    const QByteArray rtf = WriteRtf(document);

    int depth = 0;
    for (qsizetype k = 0; k < rtf.size(); ++k) {
        const auto c = static_cast<unsigned char>(rtf[k]);
        Check(c < 0x80);
        if (c == '\\') {
            ++k;
            continue;
        }
        if (c == '{')
            ++depth;
        else if (c == '}')
            --depth;
        Check(depth >= 0);
    }
    Check(depth == 0);
    Check(rtf.startsWith("{\\rtf1"));

    if (const char *dump = std::getenv("FUZZ_RTF_DUMP")) {
        QFile out(QString::fromLocal8Bit(dump));
        if (out.open(QIODevice::WriteOnly))
            out.write(rtf);
    }
    return 0;
}
