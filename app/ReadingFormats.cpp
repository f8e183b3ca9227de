#include "app/ReadingFormats.h"

#include "report/ReportDocument.h"
#include "report/RtfWriter.h"

#include <QBuffer>
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
#include <vector>

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

// The bytes of readings written at the end of a QByteArray through a pointer of their own, with
// room made in large steps: a reading is some fifty pieces, and QByteArray::append, a call into Qt
// for each, cost as much as all the rest of its JSON.
class JsonBytes {
    Q_DISABLE_COPY_MOVE(JsonBytes)

public:
    explicit JsonBytes(QByteArray &out)
        : m_out(out)
        , m_data(out.data())
        , m_size(out.size())
    {
    }
    // The array ends where the writing ended (and keeps its room for the next reading).
    ~JsonBytes() { m_out.truncate(m_size); }

    // Inlined wherever bytes are added (GCC would call it), so that a piece of known length is
    // copied by a few moves rather than by a call of memcpy.
    [[gnu::always_inline]] JsonBytes &operator<<(QByteArrayView bytes)
    {
        if (!bytes.isEmpty())
            std::memcpy(room(bytes.size()), bytes.data(), static_cast<std::size_t>(bytes.size()));
        return *this;
    }
    JsonBytes &operator<<(char byte)
    {
        *room(1) = byte;
        return *this;
    }
    void appendNumber(qint64 number)
    {
        char *const at = room(kMostDigits);
        m_size = std::to_chars(at, at + kMostDigits, number).ptr - m_data;
    }

    // The next bytes bytes at the end, for the caller to write.
    [[gnu::always_inline]] char *room(qsizetype bytes)
    {
        if (m_out.size() - m_size < bytes)
            grow(bytes);
        char *const at = m_data + m_size;
        m_size += bytes;
        return at;
    }

private:
    static constexpr qsizetype kMostDigits = 20; // of a qint64, its sign included

    // All the room the array has, or more: it then grows by as much again as it holds (QByteArray's
    // own growth), so that its bytes are copied rarely.
    void grow(qsizetype bytes)
    {
        m_out.resize(std::max(m_out.capacity(), m_size + bytes + 8192));
        m_data = m_out.data();
    }

    QByteArray &m_out; // written up to m_size; room after it
    char *m_data;
    qsizetype m_size;
};

// A JSON string's characters, without its quotes; a line break is written as lineBreak says.
void appendEscaped(JsonBytes &out, QByteArrayView utf8, std::string_view lineBreak = "\\n")
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
        out << QByteArrayView(bytes + plain, i - plain);
        plain = ++i;
        switch (c) {
        case '"': out << "\\\""; break;
        case '\\': out << "\\\\"; break;
        case '\n': out << lineBreak; break;
        case '\r': out << "\\r"; break;
        case '\t': out << "\\t"; break;
        default: out << "\\u00" << kHex[c >> 4] << kHex[c & 0xF];
        }
    }
    out << QByteArrayView(bytes + plain, size - plain);
}

void appendJson(JsonBytes &out, QByteArrayView utf8)
{
    out << '"';
    appendEscaped(out, utf8);
    out << '"';
}

// A JSON string of text, made once for what is the same in every reading.
QByteArray jsonOf(const QString &text, bool closed = true)
{
    QByteArray json;
    {
        JsonBytes out(json);
        out << '"';
        appendEscaped(out, text.toUtf8());
        if (closed)
            out << '"';
    }
    return json;
}

// A number as printf's "%0<width>d" writes it: its sign, then zeros before its digits up to the width.
void appendPadded(JsonBytes &out, int number, qsizetype width)
{
    // A part of a date or time, which has no more digits than the width: digit by digit from the last.
    constexpr int kPowersOfTen[] = {1, 10, 100, 1000, 10000};
    if (width < qsizetype(std::size(kPowersOfTen)) && number >= 0 && number < kPowersOfTen[width]) {
        char *const at = out.room(width);
        for (qsizetype i = width - 1; i >= 0; --i, number /= 10)
            at[i] = static_cast<char>('0' + number % 10);
        return;
    }
    char digits[16];
    const char *const end = std::to_chars(std::begin(digits), std::end(digits), number).ptr;
    const qsizetype sign = number < 0 ? 1 : 0;
    const qsizetype digitCount = end - digits - sign;
    const qsizetype zeros = std::max<qsizetype>(width - sign - digitCount, 0);
    char *const at = out.room(sign + zeros + digitCount);
    std::memset(at, '0', static_cast<std::size_t>(sign + zeros));
    if (sign != 0)
        *at = '-';
    std::memcpy(at + sign + zeros, end - digitCount, static_cast<std::size_t>(digitCount));
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

// A working's steps as the strings of a JSON array, without the brackets. The engine's steps hold
// nothing a JSON string escapes (numerology::Working): each is copied whole.
void appendSteps(JsonBytes &out, std::string_view lines)
{
    bool first = true;
    forEachStep(lines, [&](std::string_view step) {
        out << (first ? "\"" : "\",\"") << step;
        first = false;
    });
    if (!first)
        out << '"';
}

// Each result's JSON up to its working, from its opening brace to the working's bracket, made once
// for each value and description it is seen with: it is the same in every reading that has them,
// and most of a reading's bytes.
QByteArray resultHead(const ResultInfo &info, const std::string &value, const QString &description)
{
    QByteArray head;
    JsonBytes json(head);
    json << "{\"key\":" << jsonOf(QLatin1String(kJsonKeys[indexOf(info.result)])) << ",\"name\":"
         << jsonOf(info.tabCaption) << ",\"value\":";
    if (info.result == Result::LuckyColor)
        appendJson(json, value);
    else
        json << value;
    json << ",\"caption\":" << jsonOf(info.captionLine + QStringLiteral("  "), false);
    appendEscaped(json, value);
    json << "\",\"heading\":" << jsonOf(info.reportHeading, false);
    appendEscaped(json, value);
    // Every text of the catalogue starts with a line break, and a result without one keeps its
    // box's placeholder, which does not: null.
    json << "\",\"description\":"
         << (description.startsWith(QLatin1Char('\n')) ? jsonOf(description.sliced(1)) : QByteArray("null"))
         << ",\"working\":[";
    return head;
}

// resultHead, kept: for each result, the heads of the values and descriptions it was seen with, in
// a list of each thread's own, so that a look-up takes no lock (and a head is copied into the
// reading's bytes before anything else is kept). A result has a few dozen values at most, and a
// look-up along a short list cost a fraction of a hash map's. A reading's descriptions are the
// catalogue's constant texts, each one QString that every reading showing it shares: a description
// is known by the address of its characters, which the QString kept here keeps from being reused.
const QByteArray &keptResultHead(const ResultInfo &info, const std::string &value, const QString &description)
{
    struct Kept {
        QString description;
        std::string value;
        QByteArray head;
    };
    // More than every value of a result with its text: the descriptions of readings made
    // otherwise are written each time.
    constexpr std::size_t kMostKept = 64;
    thread_local std::array<std::vector<Kept>, kResultCount> kept;
    thread_local QByteArray unkept;
    std::vector<Kept> &ofResult = kept[indexOf(info.result)];
    for (const Kept &known : ofResult) {
        if (known.description.constData() == description.constData() && known.description.size() == description.size()
            && known.value == value)
            return known.head;
    }
    if (ofResult.size() >= kMostKept)
        return unkept = resultHead(info, value, description);
    return ofResult.emplace_back(Kept{description, value, resultHead(info, value, description)}).head;
}

// A result's working, one step a line.
std::string_view stepsOf(const Reading &reading, Result result)
{
    return reading.workings[indexOf(result)].lines;
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

void json(const ReadingRequest &request, const numerology::PersonDetails &person, const Reading &reading,
          std::optional<qint64> line, QByteArray &out)
{
    JsonBytes json(out);
    json << '{';
    if (line) {
        json << "\"line\":";
        json.appendNumber(*line);
        json << ',';
    }
    json << "\"input\":{\"first\":";
    appendJson(json, person.firstName);
    json << ",\"middle\":";
    appendJson(json, person.middleName);
    json << ",\"last\":";
    appendJson(json, person.lastName);
    json << ",\"born\":\"";
    appendPadded(json, request.year, 4);
    for (const auto &[separator, number] : {std::pair{'-', request.month}, std::pair{'-', request.day},
                                            std::pair{'T', request.hour}, std::pair{':', request.minute},
                                            std::pair{':', request.second}}) {
        json << separator;
        appendPadded(json, number, 2);
    }
    json << "\"},\"results\":[";
    for (const ResultInfo &info : kResults) {
        json << keptResultHead(info, reading.valueUtf8(info.result), reading.description(info.result));
        appendSteps(json, stepsOf(reading, info.result));
        json << "]}";
        if (info.result != kResults.back().result)
            json << ',';
    }
    json << "]}\n";
}

QByteArray json(const ReadingRequest &request, const Reading &reading, std::optional<qint64> line)
{
    QByteArray out;
    json(request, request.person(), reading, line, out);
    return out;
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
