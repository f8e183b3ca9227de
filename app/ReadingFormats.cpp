#include "app/ReadingFormats.h"

#include "report/ReportDocument.h"
#include "report/RtfWriter.h"

#include <QBuffer>
#include <QDateTime>
#include <QPdfWriter>
#include <QTextDocument>
#include <QTextDocumentFragment>

#include <algorithm>
#include <array>
#include <charconv>
#include <string>
#include <string_view>
#include <utility>

namespace readingformats {

namespace {

using namespace std::string_view_literals;

// The JSON's key of each result, in the order of kResults.
const char *const kJsonKeys[kResultCount] = {
    "luckyNumber",           "luckyColor",           "moneyNumber",
    "firstHealthIndication", "firstHealthInfluence", "secondHealthIndication",
};

// A JSON string's characters, without its quotes.
void appendEscaped(std::string &out, std::string_view utf8)
{
    static const char kHex[] = "0123456789abcdef";
    std::size_t plain = 0; // where the run of characters that need no escape starts
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const auto c = static_cast<unsigned char>(utf8[i]);
        if (c >= 0x20 && c != '"' && c != '\\')
            continue;
        out += utf8.substr(plain, i - plain);
        plain = i + 1;
        switch (c) {
        case '"': out += "\\\""; break;
        case '\\': out += "\\\\"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        default: out += "\\u00"; out += kHex[c >> 4]; out += kHex[c & 0xF];
        }
    }
    out += utf8.substr(plain);
}

void appendString(std::string &out, std::string_view utf8)
{
    out += '"';
    appendEscaped(out, utf8);
    out += '"';
}

// A number as printf's "%0<width>d" writes it: its sign, then zeros before its digits up to the width.
void appendPadded(std::string &out, int number, std::size_t width)
{
    std::array<char, 12> digits; // an int's digits and sign
    const long long magnitude = number < 0 ? -static_cast<long long>(number) : number;
    const std::size_t length = std::to_chars(digits.begin(), digits.end(), magnitude).ptr - digits.begin();
    const std::size_t sign = number < 0 ? 1 : 0;
    if (sign != 0)
        out += '-';
    if (sign + length < width)
        out.append(width - sign - length, '0');
    out.append(digits.data(), length);
}

// The words of a result's JSON that every reading shares, made once.
struct ResultWords {
    std::string head;    // from the opening brace to the value: {"key":…,"name":…,"value":
    std::string caption; // the caption line's text and its two blanks, escaped
    std::string heading; // the report's heading, escaped
};

const std::array<ResultWords, kResultCount> &resultWords()
{
    static const std::array<ResultWords, kResultCount> kWords = [] {
        std::array<ResultWords, kResultCount> words;
        for (const ResultInfo &info : kResults) {
            ResultWords &of = words[indexOf(info.result)];
            of.head = "{\"key\":";
            appendString(of.head, kJsonKeys[indexOf(info.result)]);
            of.head += ",\"name\":";
            appendString(of.head, QString(info.tabCaption).toStdString());
            of.head += ",\"value\":";
            appendEscaped(of.caption, QString(info.captionLine + QLatin1String("  ")).toStdString());
            appendEscaped(of.heading, QString(info.reportHeading).toStdString());
        }
        return words;
    }();
    return kWords;
}

// A description as JSON: a string without its first line break, which every text of the catalogue
// starts with; null for a result without one, which keeps its box's placeholder.
std::string descriptionJson(const QString &description)
{
    if (!description.startsWith(QLatin1Char('\n')))
        return "null";
    std::string json;
    appendString(json, QStringView(description).sliced(1).toUtf8().toStdString());
    return json;
}

// The JSON of each text of the catalogue (catalogueTexts), made once: most of a reading's bytes.
using CatalogueJson = std::array<std::array<std::string, numerology::kLargestKeptNumber + 1>, kResultCount>;

const CatalogueJson &catalogueJson()
{
    static const CatalogueJson kJson = [] {
        CatalogueJson json;
        for (std::size_t result = 0; result < kResultCount; ++result) {
            for (std::size_t number = 0; number < json[result].size(); ++number)
                json[result][number] = descriptionJson(catalogueTexts()[result][number]);
        }
        return json;
    }();
    return kJson;
}

// Calls add with each step of a working's lines.
template <typename Add>
void forEachStep(std::string_view lines, const Add &add)
{
    for (std::size_t start = 0; start < lines.size();) {
        const std::size_t end = std::min(lines.find('\n', start), lines.size());
        add(lines.substr(start, end - start));
        start = end + 1;
    }
}

// One result: its words and value, its description and its working as an array of steps. A value
// (digits, or a colour's name of plain letters) and the engine's steps (numerology::Working) hold
// nothing a JSON string escapes: each is copied whole.
void appendResult(std::string &out, Result result, const Reading &reading)
{
    const std::size_t index = indexOf(result);
    const ResultWords &words = resultWords()[index];
    const std::string value = reading.valueUtf8(result);
    const std::string_view quote = result == Result::LuckyColor ? "\""sv : ""sv;
    out += words.head;
    out += quote;
    out += value;
    out += quote;
    out += ",\"caption\":\""sv;
    out += words.caption;
    out += value;
    out += "\",\"heading\":\""sv;
    out += words.heading;
    out += value;
    out += "\",\"description\":"sv;
    const std::size_t number = reading.textNumber(result);
    const QString &description = reading.description(result);
    if (description == catalogueTexts()[index][number])
        out += catalogueJson()[index][number];
    else
        out += descriptionJson(description);
    out += ",\"working\":["sv;
    bool first = true;
    forEachStep(reading.workings[index].lines, [&](std::string_view step) {
        out += first ? "\""sv : "\",\""sv;
        out += step;
        first = false;
    });
    out += first ? "]}"sv : "\"]}"sv;
}

} // namespace

QByteArray text(const Reading &reading, bool explain)
{
    if (!explain)
        return reportText(reading).toUtf8();
    // The report's words with each result's working after its description, before the two line
    // breaks that end its paragraph.
    QByteArray out = reportRuns(reading).front().text.toUtf8(); // the title
    for (const ResultInfo &info : kResults) {
        out += (info.reportHeading + reading.valueText(info.result) + reading.description(info.result)).toUtf8();
        out += "\nHow it is reached:";
        forEachStep(reading.workings[indexOf(info.result)].lines, [&out](std::string_view step) {
            out += "\n  ";
            out += step;
        });
        out += "\n\n";
    }
    return out;
}

void appendJson(std::string &out, const ReadingRequest &request, const Reading &reading, std::optional<qint64> line)
{
    const numerology::PersonDetails person = request.person();
    out += '{';
    if (line)
        out += "\"line\":" + std::to_string(*line) + ',';
    out += "\"input\":{\"first\":";
    appendString(out, person.firstName);
    out += ",\"middle\":";
    appendString(out, person.middleName);
    out += ",\"last\":";
    appendString(out, person.lastName);
    out += ",\"born\":\"";
    appendPadded(out, request.year, 4);
    for (const auto &[separator, number] : {std::pair{'-', request.month}, std::pair{'-', request.day},
                                            std::pair{'T', request.hour}, std::pair{':', request.minute},
                                            std::pair{':', request.second}}) {
        out += separator;
        appendPadded(out, number, 2);
    }
    out += "\"},\"results\":[";
    for (const ResultInfo &info : kResults) {
        if (info.result != kResults.front().result)
            out += ',';
        appendResult(out, info.result, reading);
    }
    out += "]}\n";
}

QByteArray rtf(const Reading &reading)
{
    QTextDocument document;
    composeReport(document, reading);
    return writeRtf(document);
}

namespace {

// Qt stamps a PDF with the time it is made. With SOURCE_DATE_EPOCH set, the stamp is the time it
// names instead, so that one reading gives the same bytes each time, as its other formats do. The
// stamp keeps its length ("Z" or "+00'00'" after the time, as Qt wrote a zone), and with it the
// places the file's cross-reference table gives.
void stampSourceDate(QByteArray &pdf)
{
    bool isNumber = false;
    const qint64 epoch = qEnvironmentVariable("SOURCE_DATE_EPOCH").toLongLong(&isNumber);
    const QByteArray key = "/CreationDate (D:";
    const qsizetype from = pdf.indexOf(key) + key.size();
    const qsizetype end = pdf.indexOf(')', from);
    if (!isNumber || epoch < 0 || from < key.size() || end < 0)
        return;
    const QByteArray zone = end - from == 15 ? "Z" : "+00'00'";
    const QByteArray stamp =
        QDateTime::fromSecsSinceEpoch(epoch, Qt::UTC).toString(QStringLiteral("yyyyMMddHHmmss")).toLatin1() + zone;
    if (stamp.size() == end - from)
        pdf.replace(from, stamp.size(), stamp);
}

} // namespace

QByteArray pdf(const Reading &reading, const QPageSize &paper)
{
    QTextDocument report;
    composeReport(report, reading);
    QBuffer pages;
    pages.open(QIODevice::WriteOnly);
    QPdfWriter writer(&pages);
    writer.setPageSize(paper);
    printReport(*printableReport(report, QTextDocumentFragment()), writer);
    QByteArray bytes = pages.data();
    stampSourceDate(bytes);
    return bytes;
}

} // namespace readingformats
