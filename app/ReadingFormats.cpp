#include "app/ReadingFormats.h"

#include "platform/SafeFiles.h"
#include "report/ReportDocument.h"
#include "report/RtfWriter.h"

#include <QFile>
#include <QPrinter>
#include <QTextDocument>
#include <QTextDocumentFragment>

namespace readingformats {

namespace {

// A printed report is a few pages; anything much larger is no report of ours.
constexpr qint64 kLargestPdf = 64 * 1024 * 1024;

// The JSON's key of each result, in the order of kResults.
const char *const kJsonKeys[kResultCount] = {
    "luckyNumber",           "luckyColor",           "moneyNumber",
    "firstHealthIndication", "firstHealthInfluence", "secondHealthIndication",
};

void appendJsonUtf8(QByteArray &out, QByteArrayView utf8)
{
    static const char kHex[] = "0123456789abcdef";
    out += '"';
    qsizetype plain = 0; // where the run of characters that need no escape starts
    for (qsizetype i = 0; i < utf8.size(); ++i) {
        const auto c = static_cast<unsigned char>(utf8[i]);
        if (c >= 0x20 && c != '"' && c != '\\')
            continue;
        out.append(utf8.data() + plain, i - plain);
        plain = i + 1;
        switch (c) {
        case '"': out += "\\\""; break;
        case '\\': out += "\\\\"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        default:
            out += "\\u00";
            out += kHex[c >> 4];
            out += kHex[c & 0xF];
        }
    }
    out.append(utf8.data() + plain, utf8.size() - plain);
    out += '"';
}

void appendJson(QByteArray &out, const QString &text)
{
    appendJsonUtf8(out, text.toUtf8());
}

void appendJson(QByteArray &out, const char *key, const QString &value)
{
    appendJsonUtf8(out, QByteArrayView(key));
    out += ':';
    appendJson(out, value);
}

} // namespace

QByteArray text(const Reading &reading, bool explain)
{
    if (!explain)
        return reportText(reading).toUtf8();
    // The title, then for each result its heading and its description, which ends its paragraph
    // with two line breaks: the working goes before them.
    const std::vector<ReportRun> runs = reportRuns(reading);
    QString out = runs.front().text;
    for (const ResultInfo &info : kResults) {
        const std::size_t heading = 1 + 2 * indexOf(info.result);
        out += runs[heading].text + runs[heading + 1].text.chopped(2) + QStringLiteral("\nHow it is reached:");
        for (const QString &step : reading.working(info.result))
            out += QStringLiteral("\n  ") + step;
        out += QStringLiteral("\n\n");
    }
    return out.toUtf8();
}

QByteArray json(const ReadingRequest &request, const Reading &reading, std::optional<qint64> line)
{
    const numerology::PersonDetails person = request.person();
    QByteArray out;
    out.reserve(4096);
    out += '{';
    if (line)
        out += "\"line\":" + QByteArray::number(*line) + ',';
    out += "\"input\":{";
    appendJson(out, "first", QString::fromStdString(person.firstName));
    out += ',';
    appendJson(out, "middle", QString::fromStdString(person.middleName));
    out += ',';
    appendJson(out, "last", QString::fromStdString(person.lastName));
    out += ',';
    appendJson(out, "born",
               QString::asprintf("%04d-%02d-%02dT%02d:%02d:%02d", request.year, request.month, request.day,
                                 request.hour, request.minute, request.second));
    out += "},\"results\":[";
    for (const ResultInfo &info : kResults) {
        const QString value = reading.valueText(info.result);
        out += "{";
        appendJson(out, "key", QLatin1String(kJsonKeys[indexOf(info.result)]));
        out += ',';
        appendJson(out, "name", info.tabCaption);
        out += ",\"value\":";
        if (info.result == Result::LuckyColor)
            appendJson(out, value);
        else
            out += value.toLatin1();
        out += ',';
        appendJson(out, "caption", info.captionLine + QStringLiteral("  ") + value);
        out += ',';
        appendJson(out, "heading", info.reportHeading + value);
        // Every text of the catalogue starts with a line break, and a result without one keeps its
        // box's placeholder, which does not.
        const QString &description = reading.description(info.result);
        out += ",\"description\":";
        if (description.startsWith(QLatin1Char('\n')))
            appendJson(out, description.mid(1));
        else
            out += "null";
        out += ",\"working\":[";
        for (const QString &step : reading.working(info.result)) {
            appendJson(out, step);
            out += ',';
        }
        if (out.endsWith(','))
            out.chop(1);
        out += "]}";
        if (info.result != kResults.back().result)
            out += ',';
    }
    out += "]}\n";
    return out;
}

QByteArray rtf(const Reading &reading)
{
    QTextDocument document;
    composeReport(document, reading);
    return writeRtf(document);
}

QString pdf(const Reading &reading, const QString &folder, QByteArray &bytes)
{
    QTextDocument report;
    composeReport(report, reading);
    const QString path = folder + QStringLiteral("/report.pdf");
    QFile::remove(path);
    {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(path);
        printReport(*printableReport(report, QTextDocumentFragment()), printer);
    }
    // The printer says nothing of a failed write: a whole PDF ends with its end-of-file marker.
    const std::optional<QByteArray> printed = safefiles::readRegularFile(path, kLargestPdf);
    QFile::remove(path);
    if (!printed || !printed->trimmed().endsWith("%%EOF"))
        return QStringLiteral("the PDF could not be made in %1").arg(folder);
    bytes = *printed;
    return {};
}

} // namespace readingformats
