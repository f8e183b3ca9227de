// The CSV reader on arbitrary bytes, handed over a few at a time: it ends, its records start on
// rising lines within the input, a good record holds no NUL and was fed no more than the bound (its
// fields, the commas between them and the quotes each quote inside was written with), a refused one
// has no field; and where the input has no quote, no NUL and only UTF-8, the records are exactly its
// non-blank lines split at the commas, each line longer than the bound refused. An input in UTF-16
// or UTF-32 is one refused record.
#include "csv/CsvReader.h"

#include <QIODevice>
#include <QRegularExpression>
#include <QStringDecoder>

#include <algorithm>
#include <cstdint>
#include <cstdlib>

namespace {

void Check(bool condition)
{
    if (!condition)
        std::abort();
}

// Hands its bytes over at most step at a time, as a pipe may.
class Trickle final : public QIODevice {
public:
    Trickle(QByteArray bytes, qint64 step)
        : m_bytes(std::move(bytes))
        , m_step(step)
    {
        open(ReadOnly);
    }

protected:
    qint64 readData(char *data, qint64 most) override
    {
        const qint64 n = std::min({most, m_step, m_bytes.size() - m_done});
        std::copy_n(m_bytes.constData() + m_done, n, data);
        m_done += n;
        return n;
    }
    qint64 writeData(const char *, qint64) override { return -1; }
    bool isSequential() const override { return true; }

private:
    QByteArray m_bytes;
    qint64 m_step;
    qint64 m_done = 0;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size < 2)
        return 0;
    const qsizetype bound = 1 + data[0] % 64;
    const QByteArray bytes(reinterpret_cast<const char *>(data) + 2, static_cast<qsizetype>(size) - 2);
    Trickle input(bytes, 1 + data[1] % 8);
    CsvReader reader(input, bound);
    const qint64 lines = bytes.count('\n') + bytes.count('\r') + 1;
    QStringList records;
    CsvReader::Record record;
    qint64 previous = 0;
    while (reader.next(record)) {
        Check(record.line > previous && record.line <= lines);
        previous = record.line;
        Check(record.error.isEmpty() != record.fields.isEmpty());
        qsizetype fed = record.fields.size() - 1;
        for (const QString &field : record.fields) {
            Check(!field.contains(QChar(u'\0')));
            fed += field.toUtf8().size() + field.count(u'"');
        }
        Check(fed <= bound);
        records << (record.error.isEmpty() ? QString::number(record.line) + u':' + record.fields.join(u'|') : QString());
    }

    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = utf8(bytes);
    if (bytes.contains('"') || bytes.contains('\0') || utf8.hasError())
        return 0;
    QStringList expected;
    static const QRegularExpression lineEnd(QStringLiteral("\r\n|\r|\n"));
    static const QRegularExpression notBlank(QStringLiteral("[^ \t]"));
    const QStringList split = text.split(lineEnd);
    for (qsizetype i = 0; i < split.size(); ++i) {
        if (split[i].toUtf8().size() > bound)
            expected << QString();
        else if (split[i].contains(u',') || split[i].contains(notBlank))
            expected << QString::number(i + 1) + u':' + split[i].split(u',').join(u'|');
    }
    Check(records == expected);
    return 0;
}
