// The CSV reader on arbitrary bytes, handed over a few at a time, with a comma, a semicolon or a tab
// between fields: it ends, its first record previewed is the one then read, its records start on
// rising lines within the input, a good record holds no NUL and was fed no more than the bound (its
// fields, the commas between them and the quotes each quote inside was written with), a refused one
// has no field; and where the input has no quote, no NUL and only UTF-8, the records are exactly its
// non-blank lines split at the separator, each line longer than the bound refused. An input in
// UTF-16 or UTF-32 is one refused record. Each field that reads as a date is written in its ISO
// form, and that date written otherwise (day first, month first with AM or PM) reads the same.
#include "csv/CsvReader.h"
#include "csv/SpreadsheetDates.h"

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

void CheckDate(const QString &field)
{
    using spreadsheetdates::Order;
    static const QRegularExpression isoForm(QStringLiteral("\\A(\\d{4})-(\\d\\d)-(\\d\\d)(?:T(\\d\\d):(\\d\\d):(\\d\\d))?\\z"));
    for (const Order order : {Order::None, Order::Dmy, Order::Mdy, Order::Ymd}) {
        QString iso;
        if (!spreadsheetdates::toIso(field, QString(), order, iso).isEmpty() || iso == field)
            continue;
        const QRegularExpressionMatch parts = isoForm.match(iso);
        Check(parts.hasMatch());
        const auto part = [&parts](int i) { return parts.captured(i).toInt(); };
        QString dayFirst = QStringLiteral("%1.%2.%3").arg(part(3)).arg(part(2)).arg(parts.captured(1));
        QString monthFirst = QStringLiteral("%1/%2/%3").arg(part(2)).arg(part(3)).arg(parts.captured(1));
        if (parts.hasCaptured(4) && part(4) < 24) {
            dayFirst += QStringLiteral(" %1:%2:%3").arg(part(4)).arg(parts.captured(5), parts.captured(6));
            monthFirst += QStringLiteral(" %1:%2:%3 %4").arg((part(4) + 11) % 12 + 1).arg(parts.captured(5), parts.captured(6),
                                                                                         QLatin1String(part(4) < 12 ? "AM" : "PM"));
        } else if (parts.hasCaptured(4)) {
            continue;
        }
        for (const auto &[other, otherOrder] : {std::pair{dayFirst, Order::Dmy}, std::pair{monthFirst, Order::Mdy}}) {
            QString again;
            Check(spreadsheetdates::toIso(other, QString(), otherOrder, again).isEmpty() && again == iso);
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size < 2)
        return 0;
    const qsizetype bound = 1 + data[0] % 64;
    const QByteArray bytes(reinterpret_cast<const char *>(data) + 2, static_cast<qsizetype>(size) - 2);
    Trickle input(bytes, 1 + data[1] % 8);
    CsvReader reader(input, bound);
    const char separator = ",;\t"[data[1] / 8 % 3];
    reader.setSeparator(separator);
    CsvReader::Record first;
    const bool previewed = reader.preview(first);
    const qint64 lines = bytes.count('\n') + bytes.count('\r') + 1;
    QStringList records;
    CsvReader::Record record;
    qint64 previous = 0;
    while (reader.next(record)) {
        if (previous == 0)
            Check(previewed && record.line == first.line && record.fields == first.fields && record.error == first.error);
        Check(record.line > previous && record.line <= lines);
        previous = record.line;
        Check(record.error.isEmpty() != record.fields.isEmpty());
        qsizetype fed = record.fields.size() - 1;
        for (const QString &field : record.fields) {
            Check(!field.contains(QChar(u'\0')));
            fed += field.toUtf8().size() + field.count(u'"');
            CheckDate(field);
        }
        Check(fed <= bound);
        records << (record.error.isEmpty() ? QString::number(record.line) + u':' + record.fields.join(u'|') : QString());
    }
    Check(previous > 0 || !previewed);

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
        else if (split[i].contains(QLatin1Char(separator)) || split[i].contains(notBlank))
            expected << QString::number(i + 1) + u':' + split[i].split(QLatin1Char(separator)).join(u'|');
    }
    Check(records == expected);
    return 0;
}
