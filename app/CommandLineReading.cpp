#include "app/CommandLineReading.h"

#include "app/Quoting.h"
#include "app/ReadingFormats.h"
#include "csv/CsvReader.h"
#include "csv/PeopleColumns.h"
#include "csv/SpreadsheetDates.h"
#include "model/Product.h"
#include "platform/Display.h"
#include "platform/FileNames.h"
#include "platform/SafeFiles.h"
#include "platform/StandardStreams.h"
#include "widgets/Theme.h"

#include <QDir>
#include <QFile>
#include <QFont>
#include <QGuiApplication>

#include <algorithm>
#include <array>
#include <memory>
#include <optional>
#include <utility>

namespace CommandLine {

namespace {

// The longest a name may be in a file's name, in characters.
constexpr qsizetype kLongestNameInFileName = 40;

// The most bytes of readings kept for standard output or the one output file before they are
// written: a write of the system's for each reading would cost more than making it, and a large
// block is handed to the output file whole, which writes it without a copy.
constexpr qsizetype kOutputBlock = 256 * 1024;

// The names Windows keeps for its devices in every folder, which a file cannot have there.
const std::array<QLatin1String, 4> kDeviceNames = {QLatin1String("CON"), QLatin1String("PRN"), QLatin1String("AUX"),
                                                   QLatin1String("NUL")};

// The field of each column of a file of people (peoplecolumns::Column); -1 where it has none.
using Columns = std::array<qsizetype, peoplecolumns::ColumnCount>;

QString quoted(const QString &path)
{
    return quoting::quoted(QDir::toNativeSeparators(path));
}

// What is said of a file that cannot be written or read, with the system's reason.
QString cannotWrite(const QString &path, const QString &why)
{
    return QStringLiteral("cannot write %1: %2").arg(quoted(path), why);
}
QString cannotRead(const QString &path, const QString &why)
{
    return QStringLiteral("cannot read %1: %2").arg(quoted(path), why);
}

// A line of the program's own on standard error. When even that fails, nothing better is left.
void say(const QString &line)
{
    (void)standardstreams::writeError((kExecutableName + QStringLiteral(": ") + line + QLatin1Char('\n')).toUtf8());
}

// A command line that cannot be done, said as a wrong one is said before any reading.
int misused(const QString &why)
{
    say(misuse(why));
    return 2;
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
// blanks as "_", then the line the person's row starts on, joined by "-". A name that Windows keeps
// for a device (a person called Con alone) is followed by "_", on every system, so that the file
// can be made there and a folder of readings moves between systems whole.
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
    QString name = parts.join(QLatin1Char('-'));
    if (std::find(kDeviceNames.begin(), kDeviceNames.end(), name) != kDeviceNames.end())
        name += QLatin1Char('_');
    return name + QLatin1Char('.') + extensionOf(format);
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
    QString readOne(const ReadingRequest &request, std::optional<qint64> line);
    QString deliverToFolder(const ReadingRequest &request, std::optional<qint64> line, const QByteArray &bytes);
    QString flushOutput();
    QString openOutput();
    int finish(int status, bool everyRowRead);
    QString requestOf(const CsvReader::Record &row, const Columns &columns, ReadingRequest &request) const;

    const Readings &m_readings;
    std::unique_ptr<QGuiApplication> m_application;
    // What a results window shows before its first reading: each reading is made from it, as if
    // it were the window's first.
    const Reading m_placeholders = Reading::placeholders();
    std::optional<safefiles::FileIdentity> m_input; // the file of people, where it is a regular file
    std::unique_ptr<safefiles::AtomicFileWriter> m_file; // the output file (or device)
    QByteArray m_output;        // readings not yet written to standard output or the output file
    bool m_outputIsStream = false; // the output's reader may wait on each reading
    QByteArray m_bytes;         // a reading for its own file in a folder
    qint64 m_written = 0;       // readings written, or waiting to be
    bool m_stopped = false;     // the output failed: no reading can be written any more
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

// Appends the reading of a request to bytes. Empty when it was made, otherwise why not (bytes are
// then as they were).
QString Run::compose(const ReadingRequest &request, std::optional<qint64> line, QByteArray &bytes)
{
    const Reading reading = m_placeholders.readingOf(request.person());
    switch (m_readings.format) {
    case Format::Text: bytes += readingformats::text(reading, m_readings.explain); return {};
    case Format::Json: bytes += readingformats::json(request, reading, line); return {};
    case Format::Rtf: bytes += readingformats::rtf(reading); return {};
    case Format::Pdf:
        if (const QByteArray pdf = readingformats::pdf(reading, QPageSize(m_readings.paper)); !pdf.isEmpty()) {
            bytes += pdf;
            return {};
        }
        return QStringLiteral("the PDF could not be made");
    }
    return {};
}

// Makes the reading of a request and writes it where the readings go. Empty when it was written
// (or waits to be), otherwise why not. A failure of standard output or of the one output file
// stops the run; a failure of a person's file in a folder is that reading's alone.
QString Run::readOne(const ReadingRequest &request, std::optional<qint64> line)
{
    if (m_readings.toFolder) {
        m_bytes.resize(0); // its room kept for the next reading
        const QString failure = compose(request, line, m_bytes);
        return failure.isEmpty() ? deliverToFolder(request, line, m_bytes) : failure;
    }
    // Added to the readings waiting to be written; to a terminal or a pipe each goes as it is made,
    // for whoever waits on it.
    if (QString failure = compose(request, line, m_output); !failure.isEmpty())
        return failure;
    ++m_written;
    if (!m_outputIsStream && m_output.size() <= kOutputBlock)
        return {};
    const QString failure = flushOutput();
    m_stopped = !failure.isEmpty();
    return failure;
}

// Each file of an output folder is made by exactly one run: the check for a file already there and
// the putting in place are one step (AtomicFileWriter's KeepExisting).
QString Run::deliverToFolder(const ReadingRequest &request, std::optional<qint64> line, const QByteArray &bytes)
{
    const QString path = QDir(m_readings.output).filePath(fileNameOf(request, line, m_readings.format));
    if (m_input && safefiles::identityOf(path) == m_input)
        return QStringLiteral("%1 is the file of people being read, which is never written").arg(quoted(path));
    safefiles::AtomicFileWriter file(path, m_readings.overwrite ? safefiles::WriteOptions()
                                                                : safefiles::WriteOption::KeepExisting);
    QString failure = file.write(bytes);
    if (failure.isEmpty())
        failure = file.commit();
    if (failure.isEmpty()) {
        ++m_written;
        return {};
    }
    if (file.existing())
        return quoted(path) + QStringLiteral(" is there already ('--overwrite' replaces it)");
    return cannotWrite(path, failure);
}

// Writes the readings waiting for standard output or the output file. A reader that has gone ends
// the program quietly (standardstreams::writeOutput).
QString Run::flushOutput()
{
    const QString failure = m_file ? m_file->write(m_output) : standardstreams::writeOutput(m_output);
    m_output.resize(0); // its room kept for the next block
    if (failure.isEmpty())
        return {};
    return m_file ? cannotWrite(m_readings.output, failure)
                  : QStringLiteral("write error: ") + failure;
}

// Opens the one output file, or a device the user named, before any reading is made.
QString Run::openOutput()
{
    if (m_readings.toFolder) {
        if (const QString refused = safefiles::makeFolder(m_readings.output); !refused.isEmpty())
            return QStringLiteral("cannot make the folder %1: %2").arg(quoted(m_readings.output), refused);
        return {};
    }
    if (m_readings.output.isEmpty()) {
        m_outputIsStream = standardstreams::outputIsStream();
        return {};
    }
    m_file = std::make_unique<safefiles::AtomicFileWriter>(m_readings.output, safefiles::WriteOption::WriteDevices);
    if (const QString failure = m_file->failure(); !failure.isEmpty())
        return cannotWrite(m_readings.output, failure);
    // A device is given each reading at once (and gives a FIFO's reader each at once).
    m_outputIsStream = m_file->isDevice();
    return {};
}

// Puts the readings in place once all are made: the one output file only when every row was read
// and some reading was made, so that a file of people that could not be read, or one that gave
// nothing, leaves the old file as it was.
int Run::finish(int status, bool everyRowRead)
{
    QString failure;
    if (m_file && !m_file->isDevice() && (!everyRowRead || m_written == 0)) {
        if (everyRowRead)
            say(QStringLiteral("no row gave a reading: %1 is left as it was").arg(quoted(m_readings.output)));
        else
            say(QStringLiteral("%1 is left as it was").arg(quoted(m_readings.output)));
        return 1;
    }
    if (!m_output.isEmpty())
        failure = flushOutput();
    if (m_file && failure.isEmpty()) {
        if (failure = m_file->commit(); !failure.isEmpty())
            failure = cannotWrite(m_readings.output, failure);
    }
    if (failure.isEmpty())
        return status;
    say(failure);
    return 1;
}

int Run::single()
{
    QString failure = compose(m_readings.request, std::nullopt, m_bytes);
    if (failure.isEmpty())
        failure = openOutput();
    if (failure.isEmpty() && m_readings.toFolder) {
        failure = deliverToFolder(m_readings.request, std::nullopt, m_bytes);
    } else if (failure.isEmpty()) {
        m_output = m_bytes; // written by finish
        ++m_written;
    }
    if (failure.isEmpty())
        return finish(0, true);
    say(failure);
    return 1;
}

QString Run::requestOf(const CsvReader::Record &row, const Columns &columns, ReadingRequest &request) const
{
    using namespace peoplecolumns;
    const std::array<QString *, Born> names = {&request.firstName, &request.middleName, &request.lastName};
    for (int column = First; column < Born; ++column) {
        if (columns[column] < 0)
            continue;
        const QString why = readName(row.fields[columns[column]], *names[column]);
        if (!why.isEmpty())
            return QStringLiteral("invalid name in column '%1': %2").arg(kColumnNames[column], why);
    }
    const QString &born = row.fields[columns[Born]];
    const QString time = columns[Time] < 0 ? QString() : row.fields[columns[Time]];
    QString iso;
    QString why = spreadsheetdates::toIso(born, time, m_readings.dateOrder, iso);
    if (why.isEmpty())
        why = readBirth(iso, request);
    if (!why.isEmpty() && time.isEmpty())
        return QStringLiteral("invalid date %1 in column 'born': %2").arg(quoting::quoted(born), why);
    if (!why.isEmpty())
        return QStringLiteral("invalid date and time %1 %2 in columns 'born' and 'time': %3")
            .arg(quoting::quoted(born), quoting::quoted(time), why);
    if (const std::optional<ReadingRequest::Refusal> refusal = request.refusal())
        return refusal->message;
    return {};
}

int Run::batch()
{
    const QString &file = *m_readings.batch;
    const bool fromInput = file == QLatin1String("-");
    // The file of people is never replaced by its own readings, by whatever name or link the
    // output reaches it.
    m_input = fromInput ? standardstreams::inputIdentity() : safefiles::identityOf(file);
    const QString people = fromInput ? QStringLiteral("the file of people on standard input")
                                     : QStringLiteral("the file of people %1").arg(quoted(file));
    if (m_input && !m_readings.toFolder) {
        if (m_readings.output.isEmpty() && standardstreams::outputIdentity() == m_input)
            return misused(QStringLiteral("standard output is %1").arg(people));
        if (!m_readings.output.isEmpty() && safefiles::identityOf(m_readings.output) == m_input)
            return misused(QStringLiteral("the output %1 is %2").arg(quoted(m_readings.output), people));
    }
    QFile input;
    const QString refused = fromInput ? (standardstreams::openInput(input) ? QString() : input.errorString())
                                      : filenames::openForReading(input, file);
    if (!refused.isEmpty()) {
        say(cannotRead(file, refused));
        return 1;
    }
    const auto rowSays = [shown = quoting::escaped(file)](qint64 line, const QString &why) {
        (void)standardstreams::writeError(QStringLiteral("%1:%2: %3\n").arg(shown).arg(line).arg(why).toUtf8());
    };
    CsvReader reader(input);
    const peoplecolumns::Header header =
        peoplecolumns::readHeader(reader, m_readings.columns, m_readings.separator, quoting::quoted);
    if (!header.read) {
        say(reader.readError().isEmpty() ? QStringLiteral("%1 has no header row").arg(quoted(file))
                                         : cannotRead(file, reader.readError()));
        return 1;
    }
    if (!header.error.isEmpty()) {
        rowSays(header.line, header.error);
        return 1;
    }
    if (const QString failure = openOutput(); !failure.isEmpty()) {
        say(failure);
        return 1;
    }

    int status = 0;
    // Made once for every row: each row's fields and names take the memory of the row before. (A
    // name whose column the file has not stays empty throughout.)
    CsvReader::Record row;
    ReadingRequest request;
    while (reader.next(row)) {
        QString failure = row.error;
        if (failure.isEmpty() && row.fields.size() != header.fields)
            failure = QStringLiteral("%1 fields where the header row has %2").arg(row.fields.size()).arg(header.fields);
        if (failure.isEmpty())
            failure = requestOf(row, header.columns, request);
        if (failure.isEmpty())
            failure = readOne(request, row.line);
        if (m_stopped) {
            say(failure);
            return 1;
        }
        if (!failure.isEmpty()) {
            rowSays(row.line, failure);
            status = 1;
        }
    }
    const bool everyRowRead = reader.readError().isEmpty();
    if (!everyRowRead) {
        say(cannotRead(file, reader.readError()));
        status = 1;
    }
    return finish(status, everyRowRead);
}

} // namespace

int read(const Readings &readings)
{
    Run run(readings);
    return readings.batch ? run.batch() : run.single();
}


} // namespace CommandLine
