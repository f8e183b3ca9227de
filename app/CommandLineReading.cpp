#include "app/CommandLineReading.h"

#include "app/ReadingFormats.h"
#include "csv/CsvReader.h"
#include "model/Product.h"
#include "platform/Display.h"
#include "platform/SafeFiles.h"
#include "platform/StandardStreams.h"
#include "widgets/Theme.h"

#include <QDir>
#include <QFile>
#include <QFont>
#include <QGuiApplication>

#include <array>
#include <memory>
#include <optional>

namespace CommandLine {

namespace {

// The longest a name may be in a file's name, in characters.
constexpr qsizetype kLongestNameInFileName = 40;

// The columns of a file of people, in the order a request takes them.
enum Column { First, Middle, Last, Born, ColumnCount };
const std::array<QLatin1String, ColumnCount> kColumns = {QLatin1String("first"), QLatin1String("middle"),
                                                         QLatin1String("last"), QLatin1String("born")};

QString quoted(const QString &path)
{
    return QLatin1Char('\'') + QDir::toNativeSeparators(path) + QLatin1Char('\'');
}

// A line of the program's own on standard error. When even that fails, nothing better is left.
void say(const QString &line)
{
    (void)standardstreams::writeError((kExecutableName + QStringLiteral(": ") + line + QLatin1Char('\n')).toUtf8());
}

QString extensionOf(Format format)
{
    switch (format) {
    case Format::Text: return QStringLiteral("txt");
    case Format::Json: return QStringLiteral("json");
    case Format::Rtf: return QStringLiteral("rtf");
    case Format::Pdf: return QStringLiteral("pdf");
    }
    return {};
}

// A person's file in an output folder: the names present, each cut to 40 characters with its
// blanks as "_", then the line the person's row starts on, joined by "-".
QString fileNameOf(const ReadingRequest &request, std::optional<qint64> line, Format format)
{
    QStringList parts;
    for (const QString &name : {request.firstName, request.middleName, request.lastName}) {
        const QString present = name.trimmed();
        if (!present.isEmpty())
            parts << present.left(kLongestNameInFileName).replace(QLatin1Char(' '), QLatin1Char('_'));
    }
    if (line)
        parts << QString::number(*line);
    if (parts.isEmpty())
        parts << QStringLiteral("reading");
    return parts.join(QLatin1Char('-')) + QLatin1Char('.') + extensionOf(format);
}

// While the offscreen platform is set up: what Qt warns of there concerns the system's displays
// and sessions (an unset XDG_RUNTIME_DIR, say), which a reading never uses, and is not said; a
// critical or fatal message is said as Qt gave it.
void whileSettingUp(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (type == QtCriticalMsg || type == QtFatalMsg)
        (void)standardstreams::writeError((message + QLatin1Char('\n')).toUtf8());
}

class Run {
public:
    explicit Run(const Readings &readings);
    int single();
    int batch();

private:
    QString compose(const ReadingRequest &request, std::optional<qint64> line, QByteArray &bytes);
    QString deliver(const ReadingRequest &request, std::optional<qint64> line, const QByteArray &bytes);
    QString requestOf(const CsvReader::Record &row, const std::array<qsizetype, ColumnCount> &columns,
                      ReadingRequest &request) const;

    const Readings &m_readings;
    std::unique_ptr<QGuiApplication> m_application;
    const Reading m_freshWindow = Reading::placeholders(); // each reading is its first
    std::unique_ptr<safefiles::AtomicFileWriter> m_stream;
    bool m_stopped = false; // the output failed: no reading can be written any more
};

Run::Run(const Readings &readings)
    : m_readings(readings)
{
    standardstreams::letClosedPipesFailWrites();
    if (readings.format != Format::Rtf && readings.format != Format::Pdf)
        return;
    // The report is composed and laid out by Qt's text documents, which need its fonts: an
    // application on a platform that needs no display, reading no options.
    qputenv("QT_QPA_PLATFORM", display::readingPlatform());
    static int argc = 1;
    static char name[] = "larkspire";
    static char *argv[] = {name, nullptr};
    const QtMessageHandler qtHandler = qInstallMessageHandler(whileSettingUp);
    display::startReadingPlatform([this] { m_application = std::make_unique<QGuiApplication>(argc, argv); });
    qInstallMessageHandler(qtHandler);
    theme::substituteMissingFonts();
}

QString Run::compose(const ReadingRequest &request, std::optional<qint64> line, QByteArray &bytes)
{
    const Reading reading = m_freshWindow.next(request.person());
    switch (m_readings.format) {
    case Format::Text: bytes = readingformats::text(reading, m_readings.explain); return {};
    case Format::Json: bytes = readingformats::json(request, reading, line); return {};
    case Format::Rtf: bytes = readingformats::rtf(reading); return {};
    case Format::Pdf:
        bytes = readingformats::pdf(reading, QPageSize(m_readings.paper));
        return bytes.isEmpty() ? QStringLiteral("the PDF could not be made") : QString();
    }
    return {};
}

// Writes a composed reading where the readings go. Empty when it was written, otherwise why not. A
// failure of standard output or of the one output file stops the run; a failure of a person's
// file in a folder is that reading's alone.
QString Run::deliver(const ReadingRequest &request, std::optional<qint64> line, const QByteArray &bytes)
{
    if (m_readings.toFolder) {
        const QString path = QDir(m_readings.output).filePath(fileNameOf(request, line, m_readings.format));
        if (!m_readings.overwrite && safefiles::kindOf(path) != safefiles::PathKind::Missing)
            return quoted(path) + QStringLiteral(" is there already ('--overwrite' replaces it)");
        const QString failure = safefiles::writeFileAtomically(path, bytes);
        return failure.isEmpty() ? QString() : QStringLiteral("cannot write %1: %2").arg(quoted(path), failure);
    }
    QString failure;
    if (m_stream)
        failure = m_stream->write(bytes);
    else if (!m_readings.output.isEmpty())
        failure = safefiles::writeFileAtomically(m_readings.output, bytes);
    else if (failure = standardstreams::writeOutput(bytes); !failure.isEmpty())
        failure = QStringLiteral("write error: ") + failure;
    if (failure.isEmpty())
        return {};
    m_stopped = true;
    return m_readings.output.isEmpty() ? failure
                                       : QStringLiteral("cannot write %1: %2").arg(quoted(m_readings.output), failure);
}

int Run::single()
{
    QByteArray bytes;
    QString failure = compose(m_readings.request, std::nullopt, bytes);
    if (failure.isEmpty() && m_readings.toFolder) {
        if (const QString refused = safefiles::makeFolder(m_readings.output); !refused.isEmpty())
            failure = QStringLiteral("cannot make the folder %1: %2").arg(quoted(m_readings.output), refused);
    }
    if (failure.isEmpty())
        failure = deliver(m_readings.request, std::nullopt, bytes);
    if (failure.isEmpty())
        return 0;
    say(failure);
    return 1;
}

QString Run::requestOf(const CsvReader::Record &row, const std::array<qsizetype, ColumnCount> &columns,
                       ReadingRequest &request) const
{
    const std::array<QString *, Born> names = {&request.firstName, &request.middleName, &request.lastName};
    for (int column = First; column < Born; ++column) {
        if (columns[column] < 0)
            continue;
        const QString why = readName(row.fields[columns[column]], *names[column]);
        if (!why.isEmpty())
            return QStringLiteral("invalid name in column '%1': %2").arg(kColumns[column], why);
    }
    const QString &born = row.fields[columns[Born]];
    if (const QString why = readBirth(born, request); !why.isEmpty())
        return QStringLiteral("invalid date '%1' in column 'born': %2").arg(born, why);
    if (const std::optional<ReadingRequest::Refusal> refusal = request.refusal())
        return refusal->message;
    return {};
}

int Run::batch()
{
    const QString &file = *m_readings.batch;
    QFile input;
    const bool opened = file == QLatin1String("-") ? standardstreams::openInput(input)
                                                   : (input.setFileName(file), input.open(QIODevice::ReadOnly));
    if (!opened) {
        say(QStringLiteral("cannot read %1: %2").arg(quoted(file), input.errorString()));
        return 1;
    }
    const auto rowSays = [&file](qint64 line, const QString &why) {
        (void)standardstreams::writeError(QStringLiteral("%1:%2: %3\n").arg(file).arg(line).arg(why).toUtf8());
    };
    CsvReader reader(input);
    CsvReader::Record header;
    if (!reader.next(header)) {
        say(reader.readError().isEmpty() ? QStringLiteral("%1 has no header row").arg(quoted(file))
                                         : QStringLiteral("cannot read %1: %2").arg(quoted(file), reader.readError()));
        return 1;
    }
    if (!header.error.isEmpty()) {
        rowSays(header.line, header.error);
        return 1;
    }
    std::array<qsizetype, ColumnCount> columns;
    columns.fill(-1);
    for (qsizetype i = 0; i < header.fields.size(); ++i) {
        const QString name = header.fields[i].trimmed().toLower();
        for (int column = First; column < ColumnCount; ++column) {
            if (name != kColumns[column])
                continue;
            if (columns[column] >= 0) {
                rowSays(header.line,
                        QStringLiteral("the header row names the column '%1' twice").arg(kColumns[column]));
                return 1;
            }
            columns[column] = i;
        }
    }
    for (int column : {First, Last, Born}) {
        if (columns[column] < 0) {
            rowSays(header.line, QStringLiteral("the header row names no column '%1'").arg(kColumns[column]));
            return 1;
        }
    }
    if (m_readings.toFolder) {
        if (const QString refused = safefiles::makeFolder(m_readings.output); !refused.isEmpty()) {
            say(QStringLiteral("cannot make the folder %1: %2").arg(quoted(m_readings.output), refused));
            return 1;
        }
    } else if (!m_readings.output.isEmpty()) {
        m_stream = std::make_unique<safefiles::AtomicFileWriter>(m_readings.output);
    }

    int status = 0;
    CsvReader::Record row;
    while (reader.next(row)) {
        QString failure = row.error;
        if (failure.isEmpty() && row.fields.size() != header.fields.size())
            failure = QStringLiteral("%1 fields where the header row has %2")
                          .arg(row.fields.size())
                          .arg(header.fields.size());
        ReadingRequest request;
        if (failure.isEmpty())
            failure = requestOf(row, columns, request);
        QByteArray bytes;
        if (failure.isEmpty())
            failure = compose(request, row.line, bytes);
        if (failure.isEmpty())
            failure = deliver(request, row.line, bytes);
        if (m_stopped) {
            say(failure);
            return 1;
        }
        if (!failure.isEmpty()) {
            rowSays(row.line, failure);
            status = 1;
        }
    }
    if (!reader.readError().isEmpty()) {
        say(QStringLiteral("cannot read %1: %2").arg(quoted(file), reader.readError()));
        status = 1;
    }
    if (m_stream) {
        if (const QString failure = m_stream->commit(); !failure.isEmpty()) {
            say(QStringLiteral("cannot write %1: %2").arg(quoted(m_readings.output), failure));
            return 1;
        }
    }
    return status;
}

} // namespace

int read(const Readings &readings)
{
    Run run(readings);
    return readings.batch ? run.batch() : run.single();
}


} // namespace CommandLine
