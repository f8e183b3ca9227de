#include "app/ReadingFormats.h"

#include "report/ReportDocument.h"
#include "report/RtfWriter.h"

#include <QBuffer>
#include <QHash>
#include <QMutex>
#include <QPdfWriter>
#include <QTextDocument>
#include <QTextDocumentFragment>

#include <algorithm>
#include <array>
#include <bit>
#include <charconv>
#include <cstdint>
#include <cstring>
#include <iterator>
#include <utility>

namespace readingformats {

namespace {

// The JSON's key of each result, in the order of kResults.
const char *const kJsonKeys[kResultCount] = {
    "luckyNumber",           "luckyColor",           "moneyNumber",
    "firstHealthIndication", "firstHealthInfluence", "secondHealthIndication",
};

// Sixteen bytes at a time (GCC's and Clang's vector extension, on any processor).
using Sixteen = unsigned char __attribute__((vector_size(16)));
static_assert(std::endian::native == std::endian::little, "firstEscaped reads the first byte as the lowest");

bool isEscaped(unsigned char c)
{
    return c < 0x20 || c == '"' || c == '\\';
}

// Where the first of sixteen bytes is that a JSON string escapes (a control character, the quote
// or the backslash); 16 when none is. Text is mostly plain, and is checked sixteen bytes at a time.
int firstEscaped(const char *bytes)
{
    Sixteen sixteen;
    std::memcpy(&sixteen, bytes, sizeof sixteen);
    const Sixteen escaped = (sixteen < 0x20) | (sixteen == '"') | (sixteen == '\\');
    std::uint64_t halves[2];
    std::memcpy(halves, &escaped, sizeof halves);
    if (halves[0] != 0)
        return std::countr_zero(halves[0]) / 8;
    if (halves[1] != 0)
        return 8 + std::countr_zero(halves[1]) / 8;
    return 16;
}

// A JSON string's characters, without its quotes; a line break is written as lineBreak says.
void appendEscaped(std::string &out, QByteArrayView utf8, std::string_view lineBreak = "\\n")
{
    static const char kHex[] = "0123456789abcdef";
    const char *const bytes = utf8.data();
    const qsizetype size = utf8.size();
    qsizetype plain = 0; // where the run of characters that need no escape starts
    qsizetype i = 0;
    while (true) {
        if (size - i >= 16) {
            const int first = firstEscaped(bytes + i);
            i += first;
            if (first == 16)
                continue;
        } else {
            while (i < size && !isEscaped(static_cast<unsigned char>(bytes[i])))
                ++i;
            if (i == size)
                break;
        }
        const auto c = static_cast<unsigned char>(bytes[i]);
        out.append(bytes + plain, static_cast<std::size_t>(i - plain));
        plain = ++i;
        switch (c) {
        case '"': out += "\\\""; break;
        case '\\': out += "\\\\"; break;
        case '\n': out += lineBreak; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        default:
            out += "\\u00";
            out += kHex[c >> 4];
            out += kHex[c & 0xF];
        }
    }
    out.append(bytes + plain, static_cast<std::size_t>(size - plain));
}

void appendJson(std::string &out, QByteArrayView utf8)
{
    out += '"';
    appendEscaped(out, utf8);
    out += '"';
}

void appendJson(std::string &out, const QString &text)
{
    appendJson(out, QByteArrayView(text.toUtf8()));
}

void append(std::string &out, QByteArrayView bytes)
{
    out.append(bytes.data(), static_cast<std::size_t>(bytes.size()));
}

void appendNumber(std::string &out, qint64 number)
{
    char digits[24];
    const char *const end = std::to_chars(std::begin(digits), std::end(digits), number).ptr;
    out.append(digits, static_cast<std::size_t>(end - digits));
}

// A number as printf's "%0<width>d" writes it: its sign, then zeros before its digits up to the width.
void appendPadded(std::string &out, int number, qsizetype width)
{
    char digits[16];
    const char *const end = std::to_chars(std::begin(digits), std::end(digits), number).ptr;
    const bool negative = number < 0;
    if (negative)
        out += '-';
    const qsizetype digitCount = end - digits - (negative ? 1 : 0);
    const qsizetype zeros = width - (negative ? 1 : 0) - digitCount;
    if (zeros > 0)
        out.append(static_cast<std::size_t>(zeros), '0');
    out.append(end - digitCount, static_cast<std::size_t>(digitCount));
}

// What each result's JSON holds whatever the reading, made once: the object's opening up to the
// value, and the caption and the heading up to where the value follows.
struct ResultJson {
    std::string opening;
    std::string caption;
    std::string heading;
};

const std::array<ResultJson, kResultCount> &resultJson()
{
    static const std::array<ResultJson, kResultCount> parts = [] {
        const auto open = [](const QString &text) {
            std::string string;
            appendJson(string, text);
            string.pop_back();
            return string;
        };
        std::array<ResultJson, kResultCount> made;
        for (const ResultInfo &info : kResults) {
            ResultJson &part = made[indexOf(info.result)];
            part.opening = "{\"key\":";
            appendJson(part.opening, QString(QLatin1String(kJsonKeys[indexOf(info.result)])));
            part.opening += ",\"name\":";
            appendJson(part.opening, QString(info.tabCaption));
            part.opening += ",\"value\":";
            part.caption = ",\"caption\":" + open(info.captionLine + QStringLiteral("  "));
            part.heading = "\",\"heading\":" + open(info.reportHeading);
        }
        return made;
    }();
    return parts;
}

// A description's UTF-8, and its JSON (the text after its first line break, as a string), made
// once for each text. A reading's descriptions are the catalogue's constant texts, each one
// QString that every reading showing it shares, and they are most of a reading's bytes. A text
// is known by the address of its characters, which the QString kept here keeps from being reused.
struct DescriptionBytes {
    QString text;
    QByteArray utf8;
    QByteArray json;
};

DescriptionBytes bytesOf(const QString &description)
{
    // More than the catalogue's texts and the boxes' placeholders: the descriptions of readings
    // made otherwise are converted each time.
    constexpr qsizetype kMostKept = 1024;
    static QMutex mutex;
    static QHash<std::pair<const QChar *, qsizetype>, DescriptionBytes> kept;
    const std::pair<const QChar *, qsizetype> key{description.constData(), description.size()};
    const QMutexLocker lock(&mutex);
    if (const auto known = kept.constFind(key); known != kept.cend())
        return *known;
    DescriptionBytes made{description, description.toUtf8(), "null"};
    if (description.startsWith(QLatin1Char('\n'))) {
        std::string json;
        appendJson(json, QByteArrayView(made.utf8).sliced(1));
        made.json = QByteArray(json.data(), static_cast<qsizetype>(json.size()));
    }
    if (kept.size() < kMostKept)
        kept.insert(key, made);
    return made;
}

// A result's working, one step a line.
std::string_view stepsOf(const Reading &reading, Result result)
{
    return reading.workings[indexOf(result)].lines;
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

} // namespace

QByteArray text(const Reading &reading, bool explain)
{
    if (!explain)
        return reportText(reading).toUtf8();
    // The title, then for each result its heading and its description, which ends its paragraph
    // with two line breaks: the working goes before them.
    const std::vector<ReportRun> runs = reportRuns(reading);
    QByteArray out = runs.front().text.toUtf8();
    for (const ResultInfo &info : kResults) {
        const std::size_t heading = 1 + 2 * indexOf(info.result);
        out += (runs[heading].text + runs[heading + 1].text.chopped(2)).toUtf8();
        out += "\nHow it is reached:";
        forEachStep(stepsOf(reading, info.result), [&out](std::string_view step) {
            out += "\n  ";
            out.append(step.data(), static_cast<qsizetype>(step.size()));
        });
        out += "\n\n";
    }
    return out;
}

QByteArray json(const ReadingRequest &request, const Reading &reading, std::optional<qint64> line)
{
    const numerology::PersonDetails person = request.person();
    // A reading is about 5,500 bytes in some 150 pieces, put together where appending costs least.
    std::string out;
    out.reserve(8192);
    out += '{';
    if (line) {
        out += "\"line\":";
        appendNumber(out, *line);
        out += ',';
    }
    out += "\"input\":{\"first\":";
    appendJson(out, person.firstName);
    out += ",\"middle\":";
    appendJson(out, person.middleName);
    out += ",\"last\":";
    appendJson(out, person.lastName);
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
        const ResultJson &part = resultJson()[indexOf(info.result)];
        const std::string value = reading.valueUtf8(info.result);
        out += part.opening;
        if (info.result == Result::LuckyColor)
            appendJson(out, QByteArrayView(value));
        else
            out += value;
        out += part.caption;
        appendEscaped(out, value);
        out += part.heading;
        appendEscaped(out, value);
        // Every text of the catalogue starts with a line break, and a result without one keeps its
        // box's placeholder, which does not: null.
        out += "\",\"description\":";
        append(out, bytesOf(reading.description(info.result)).json);
        out += ",\"working\":[";
        if (const std::string_view steps = stepsOf(reading, info.result); !steps.empty()) {
            // A string for each step: each line break between two ends one and begins the next.
            out += '"';
            appendEscaped(out, QByteArrayView(steps.data(), static_cast<qsizetype>(steps.size())), "\",\"");
            out += '"';
        }
        out += "]}";
        if (info.result != kResults.back().result)
            out += ',';
    }
    out += "]}\n";
    return QByteArray(out.data(), static_cast<qsizetype>(out.size()));
}

QByteArray rtf(const Reading &reading)
{
    QTextDocument document;
    composeReport(document, reading);
    return writeRtf(document);
}

QByteArray pdf(const Reading &reading, const QPageSize &paper)
{
    QTextDocument report;
    composeReport(report, reading);
    QBuffer pages;
    pages.open(QIODevice::WriteOnly);
    QPdfWriter writer(&pages);
    writer.setPageSize(paper);
    printReport(*printableReport(report, QTextDocumentFragment()), writer);
    return pages.data();
}

} // namespace readingformats
