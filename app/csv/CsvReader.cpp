#include "csv/CsvReader.h"

#include <QIODevice>
#include <QStringDecoder>

#include <algorithm>
#include <array>
#include <utility>

namespace {

constexpr qsizetype kChunk = 64 * 1024;

enum class State {
    FieldStart,
    Unquoted,
    Quoted,
    AfterQuote, // a closing quote, or the first of a doubled one
};

bool isAscii(std::string_view bytes)
{
    return std::all_of(bytes.cbegin(), bytes.cend(), [](char byte) { return static_cast<unsigned char>(byte) < 0x80; });
}

// Whether bytes that are not UTF-8 are rather text in a Windows code page: a byte from 0x80 up
// stands there for a character of its own, where UTF-8 follows each lead byte with bytes from 0x80
// to 0xBF. A field that has such a pair is UTF-8 gone wrong.
bool isCodePage(std::string_view bytes)
{
    for (std::size_t i = 0; i + 1 < bytes.size(); ++i) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        const auto after = static_cast<unsigned char>(bytes[i + 1]);
        if (byte >= 0x80 && after >= 0x80 && after <= 0xBF)
            return false;
    }
    return true;
}

bool isBlank(const QStringList &fields)
{
    if (fields.size() != 1)
        return false;
    for (QChar c : fields.front()) {
        if (c != u' ' && c != u'\t')
            return false;
    }
    return true;
}

} // namespace

CsvReader::CsvReader(QIODevice &input, qsizetype maxRecordBytes)
    : m_input(input)
    , m_maxRecordBytes(maxRecordBytes)
{
    setSeparator(',');
}

void CsvReader::setSeparator(char separator)
{
    m_separator = separator;
    m_runEndsUnquoted.fill(false);
    m_runEndsQuoted.fill(false);
    for (const unsigned char byte : {'"', '\n', '\r', '\0'})
        m_runEndsUnquoted[byte] = m_runEndsQuoted[byte] = true;
    m_runEndsUnquoted[static_cast<unsigned char>(separator)] = true;
}

bool CsvReader::fill()
{
    if (m_atEnd)
        return false;
    // A record previewed is kept from its start, up to the longest a record may be.
    if (m_keeping && m_mark >= 0 && m_recordBytes <= m_maxRecordBytes) {
        m_buffer.remove(0, m_mark);
        m_position -= m_mark;
        m_mark = 0;
        const qsizetype kept = m_buffer.size();
        m_buffer.resize(kept + kChunk);
        const qint64 read = m_input.read(m_buffer.data() + kept, kChunk);
        if (read < 0)
            m_readError = m_input.errorString();
        m_buffer.resize(kept + std::max<qint64>(read, 0));
        m_atEnd = read <= 0;
        return read > 0;
    }
    m_mark = -1;
    m_buffer.resize(kChunk);
    const qint64 read = m_input.read(m_buffer.data(), kChunk);
    if (read < 0)
        m_readError = m_input.errorString();
    if (read <= 0) {
        m_buffer.clear();
        m_position = 0;
        m_atEnd = true;
        return false;
    }
    m_buffer.resize(read);
    m_position = 0;
    return true;
}

int CsvReader::peek()
{
    if (m_position >= m_buffer.size() && !fill())
        return -1;
    return static_cast<unsigned char>(m_buffer[m_position]);
}

int CsvReader::get()
{
    const int byte = peek();
    if (byte >= 0)
        ++m_position;
    return byte;
}

void CsvReader::refuse(const QString &why)
{
    if (!m_record.error.isEmpty())
        return;
    m_record.error = why;
    m_record.fields.clear();
    m_fieldCount = 0;
    m_field.clear();
}

void CsvReader::take(qsizetype bytes)
{
    const bool wasWithin = m_recordBytes <= m_maxRecordBytes;
    m_recordBytes += bytes;
    if (wasWithin && m_recordBytes > m_maxRecordBytes)
        refuse(QStringLiteral("the row is longer than %1 bytes").arg(m_maxRecordBytes));
}

void CsvReader::append(char byte)
{
    if (byte == '\0')
        refuse(QStringLiteral("a NUL byte"));
    if (m_record.error.isEmpty())
        m_field += byte;
}

void CsvReader::takeRun(bool quoted)
{
    const char *const from = m_buffer.constData() + m_position;
    const char *const end = m_buffer.constData() + m_buffer.size();
    const std::array<bool, 256> &ends = quoted ? m_runEndsQuoted : m_runEndsUnquoted;
    const char *const runEnd =
        std::find_if(from, end, [&ends](char byte) { return ends[static_cast<unsigned char>(byte)]; });
    const qsizetype bytes = runEnd - from;
    if (bytes == 0)
        return;
    take(bytes);
    if (m_record.error.isEmpty())
        m_field.append(from, bytes);
    m_position += bytes;
}

void CsvReader::endField()
{
    if (!m_record.error.isEmpty())
        return;
    // The field takes the place, and where no one else holds it the memory, of the one at its place
    // in the record before.
    if (m_fieldCount == m_record.fields.size())
        m_record.fields.emplace_back();
    QString &field = m_record.fields[m_fieldCount];
    if (isAscii(m_field)) {
        // Most fields are ASCII, whose bytes are its characters: no decoder is needed.
        field.resize(static_cast<qsizetype>(m_field.size()));
        std::transform(m_field.begin(), m_field.end(), field.begin(), [](char byte) { return QLatin1Char(byte); });
    } else {
        // A byte-order mark inside a field is a character like any other, not to be dropped; a
        // sequence cut off by the field's end is as invalid as any other.
        QStringDecoder utf8(QStringDecoder::Utf8,
                            QStringDecoder::Flag::ConvertInitialBom | QStringDecoder::Flag::Stateless);
        field = utf8(QByteArrayView(m_field));
        if (utf8.hasError()) {
            refuse(isCodePage(m_field) ? QStringLiteral("not UTF-8 but a Windows code page, as Excel's \"CSV (Comma "
                                                        "delimited)\" saves: save the file as \"CSV UTF-8\"")
                                       : QStringLiteral("invalid UTF-8"));
            return;
        }
    }
    ++m_fieldCount;
    m_field.clear(); // its room kept for the next field
}

void CsvReader::readStart()
{
    QByteArray start;
    while (start.size() < 4 && peek() >= 0)
        start += static_cast<char>(get());
    // Without a byte-order mark, the first characters of a header row are ASCII, which UTF-16 and
    // UTF-32 write with NUL bytes beside them: bit i of nuls is set when byte i is one.
    int nuls = 0;
    for (qsizetype i = 0; i < start.size(); ++i)
        nuls |= start[i] == '\0' ? 1 << i : 0;
    const bool four = start.size() == 4;
    const auto begins = [&start](const char *mark, qsizetype size) { return start.startsWith(QByteArrayView(mark, size)); };
    if (begins("\xFF\xFE\0\0", 4) || (four && nuls == 0b1110))
        m_otherEncoding = QStringLiteral("UTF-32LE");
    else if (begins("\0\0\xFE\xFF", 4) || (four && nuls == 0b0111))
        m_otherEncoding = QStringLiteral("UTF-32BE");
    else if (begins("\xFF\xFE", 2) || (four && nuls == 0b1010))
        m_otherEncoding = QStringLiteral("UTF-16LE");
    else if (begins("\xFE\xFF", 2) || (four && nuls == 0b0101))
        m_otherEncoding = QStringLiteral("UTF-16BE");
    const qsizetype byteOrderMark = begins("\xEF\xBB\xBF", 3) ? 3 : 0;
    m_buffer = start.mid(byteOrderMark) + m_buffer.mid(m_position);
    m_position = 0;
}

bool CsvReader::preview(Record &record)
{
    if (m_again) {
        record = *m_again;
        return true;
    }
    m_keeping = true;
    m_mark = -1;
    const bool read = next(record);
    m_keeping = false;
    if (read && m_mark >= 0) {
        m_position = m_mark;
        m_line = m_markLine;
    } else if (read) {
        m_again = record; // its bytes are not kept, and no separator changes its refusal
    }
    m_mark = -1;
    return read;
}

bool CsvReader::next(Record &record)
{
    if (m_again) {
        record = std::move(*m_again);
        m_again.reset();
        return true;
    }
    if (!m_started) {
        m_started = true;
        readStart();
        if (!m_otherEncoding.isEmpty()) {
            record = Record{1, {}, QStringLiteral("the file is in %1, not UTF-8: save it as UTF-8").arg(m_otherEncoding)};
            return true;
        }
    }
    if (!m_otherEncoding.isEmpty())
        return false;
    for (;;) {
        // The record before's room is taken over: its list of fields and the field's bytes.
        m_record.line = m_line;
        if (m_keeping) {
            m_mark = m_position;
            m_markLine = m_line;
        }
        m_fieldCount = 0;
        m_record.error.clear();
        m_field.clear();
        m_recordBytes = 0;
        if (peek() < 0)
            return false;
        State state = State::FieldStart;
        for (;;) {
            if (state == State::Unquoted || state == State::Quoted)
                takeRun(state == State::Quoted);
            const int byte = get();
            if (byte < 0) {
                if (state == State::Quoted)
                    refuse(QStringLiteral("a quoted field is not closed"));
                endField();
                break;
            }
            const bool lineEnd = byte == '\r' || byte == '\n';
            qsizetype bytes = 1;
            if (lineEnd) {
                if (byte == '\r' && peek() == '\n') {
                    get();
                    ++bytes;
                }
                ++m_line;
            }
            if (lineEnd && state != State::Quoted) {
                endField();
                break;
            }
            take(bytes);
            if (state == State::Quoted) {
                if (byte == '"')
                    state = State::AfterQuote;
                else
                    append(lineEnd ? '\n' : static_cast<char>(byte));
                continue;
            }
            if (state == State::AfterQuote && byte == '"') {
                append('"');
                state = State::Quoted;
                continue;
            }
            if (byte == m_separator) {
                endField();
                state = State::FieldStart;
                continue;
            }
            if (state == State::FieldStart && byte == '"') {
                state = State::Quoted;
                continue;
            }
            if (state == State::AfterQuote)
                refuse(QStringLiteral("text after the closing quote of a field"));
            else if (byte == '"')
                refuse(QStringLiteral("a quote inside a field that does not start with one"));
            state = State::Unquoted;
            append(static_cast<char>(byte));
        }
        m_record.fields.resize(m_fieldCount);
        if (!m_record.error.isEmpty() || !isBlank(m_record.fields)) {
            std::swap(record, m_record);
            return true;
        }
    }
}
