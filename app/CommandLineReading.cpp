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
#include <QHashFunctions>

#include <algorithm>
#include <array>
#include <future>
#include <memory>
#include <optional>
#include <utility>

namespace CommandLine {

namespace {

// The longest a name may be in a file's name, in characters.
constexpr qsizetype kLongestNameInFileName = 40;

// The most bytes of readings kept for standard output or the one output file before they are
// written: a write of the system's for each reading would cost more than making it, a large block
// is handed to the output file whole, which writes it without a copy, and the thread that writes
// a block costs as much as a few readings.
constexpr std::size_t kOutputBlock = 1024 * 1024;

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

// The largest block of rows' messages kept before it is written.
constexpr qsizetype kMessageBlock = 64 * 1024;

// What is said of rows, not yet written: a file of many faulty rows would otherwise cost a write of
// the system's for each. Written in blocks, before anything else is said, before readings go to
// standard output (often the same terminal or file), and at the end; at once where someone may be
// watching: onto a terminal, or while the rows come from one.
struct RowMessages {
    QByteArray lines;
    bool prompt = false;
};
RowMessages g_rowMessages;

void writeRowMessages()
{
    if (g_rowMessages.lines.isEmpty())
        return;
    (void)standardstreams::writeError(g_rowMessages.lines);
    g_rowMessages.lines.resize(0); // its room kept for the next block
}

// A line said of a row: the file of people's name as shown, the row's line, and why.
void sayOfRow(const QByteArray &shownFile, qint64 line, const QString &why)
{
    QByteArray &lines = g_rowMessages.lines;
    lines += shownFile;
    lines += ':';
    lines += QByteArray::number(line);
    lines += ": ";
    lines += why.toUtf8();
    lines += '\n';
    if (g_rowMessages.prompt || lines.size() >= kMessageBlock)
        writeRowMessages();
}

// A line of the program's own on standard error, after what is said of rows before it. When even
// that fails, nothing better is left.
void say(const QString &line)
{
    writeRowMessages();
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
    Run(const Readings &readings, standardstreams::Stream stream);
    int single();
    int batch();

private:
    QString compose(const ReadingRequest &request, std::optional<qint64> line, std::string &bytes);
    QString readOne(const ReadingRequest &request, std::optional<qint64> line);
    QString deliverToFolder(const ReadingRequest &request, std::optional<qint64> line, const std::string &bytes);
    QString flushOutput();
    QString writeBlock(const std::string &block);
    QString written();
    QString openOutput();
    int finish(int status, bool everyRowRead);
    QString requestOf(const CsvReader::Record &row, const Columns &columns, ReadingRequest &request) const;

    const Readings &m_readings;
    const standardstreams::Stream m_stream; // the stream written where no output is named
    std::unique_ptr<QGuiApplication> m_application;
    // What a results window shows before its first reading: each reading is made from it, as if
    // it were the window's first.
    const Reading m_placeholders = Reading::placeholders();
    std::optional<safefiles::FileIdentity> m_input; // the file of people, where it is a regular file
    std::unique_ptr<safefiles::AtomicFileWriter> m_file; // the output file (or device)
    safefiles::Folder m_folder; // the output folder, opened once: every file goes into it
    std::string m_output;       // readings not yet written to standard output or the output file
    bool m_outputIsStream = false; // the output's reader may wait on each reading
    bool m_besideMessages = false; // the output is where the rows' messages go, in order with them
    std::string m_writing;      // the block of readings being written while the next is made
    std::future<QString> m_write; // its write (destroyed first: a run never ends while it writes)
    std::string m_bytes;        // a reading for its own file in a folder
    qint64 m_written = 0;       // readings written, or waiting to be
    bool m_stopped = false;     // the output failed: no reading can be written any more
};

Run::Run(const Readings &readings, standardstreams::Stream stream)
    : m_readings(readings)
    , m_stream(stream)
{
    standardstreams::letWritesFail();
    if (readings.format != Format::Rtf && readings.format != Format::Pdf)
        return;
    // A PDF lists its fonts in the order of Qt's hashes, which are seeded afresh in each process:
    // where SOURCE_DATE_EPOCH asks for the same bytes from the same reading, the seed is fixed.
    if (readings.format == Format::Pdf && qEnvironmentVariableIsSet("SOURCE_DATE_EPOCH"))
        QHashSeed::setDeterministicGlobalSeed();
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
QString Run::compose(const ReadingRequest &request, std::optional<qint64> line, std::string &bytes)
{
    const Reading reading = m_placeholders.readingOf(request.person());
    const auto add = [&bytes](const QByteArray &made) { bytes.append(made.constData(), std::size_t(made.size())); };
    switch (m_readings.format) {
    case Format::Text: add(readingformats::text(reading, m_readings.explain)); return {};
    case Format::Json: readingformats::appendJson(bytes, request, reading, line); return {};
    case Format::Rtf: add(readingformats::rtf(reading)); return {};
    case Format::Pdf:
        if (const QByteArray pdf = readingformats::pdf(reading, QPageSize(m_readings.paper)); !pdf.isEmpty()) {
            add(pdf);
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
        m_bytes.clear(); // its room kept for the next reading
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
// the putting in place are one step (AtomicFileWriter's KeepExisting). Every file goes into the
// folder opened at the start, wherever its name leads by now.
QString Run::deliverToFolder(const ReadingRequest &request, std::optional<qint64> line, const std::string &bytes)
{
    const QString name = fileNameOf(request, line, m_readings.format);
    const QString path = m_folder.filePath(name);
    if (m_input && safefiles::identityIn(m_folder, name) == m_input)
        return QStringLiteral("%1 is the file of people being read, which is never written").arg(quoted(path));
    safefiles::AtomicFileWriter file(m_folder, name, m_readings.overwrite ? safefiles::WriteOptions()
                                                                          : safefiles::WriteOption::KeepExisting);
    QString failure = file.write(bytes);
    if (failure.isEmpty())
        failure = file.commit();
    if (failure.isEmpty()) {
        ++m_written;
        return {};
    }
    if (file.readOnly())
        return quoted(path) + QStringLiteral(" is read-only");
    if (file.existing())
        return quoted(path) + QStringLiteral(" is there already ('--overwrite' replaces it)");
    return cannotWrite(path, failure);
}

// Writes the readings waiting for standard output or the output file. A reader that has gone ends
// the program quietly (standardstreams::writeOutput).
//
// A file is given each block by a thread of its own while the next block is made: the system
// takes about as long to put the bytes in its file as the program takes to make them, and on two
// processors the two then overlap. A stream's reader is given each block at once.
QString Run::flushOutput()
{
    if (QString failure = written(); !failure.isEmpty())
        return failure;
    // After the block before, before this one: in order where both streams are one file.
    writeRowMessages();
    m_output.swap(m_writing);
    m_output.clear(); // its room kept for the next block
    // Written here and now, by this thread, where a reader waits on it or the rows' messages
    // written between the blocks go into the same file.
    const bool now = m_outputIsStream || m_besideMessages;
    m_write = std::async(now ? std::launch::deferred : std::launch::async, [this] { return writeBlock(m_writing); });
    return now ? written() : QString();
}

QString Run::writeBlock(const std::string &block)
{
    return m_file ? m_file->write(block)
        : m_stream == standardstreams::Stream::Error ? standardstreams::writeError(block)
                                                      : standardstreams::writeOutput(block);
}

// Waits for the block being written; empty when it was written, otherwise why not.
QString Run::written()
{
    const QString failure = m_write.valid() ? m_write.get() : QString();
    if (failure.isEmpty())
        return {};
    return m_file ? cannotWrite(m_readings.output, failure) : QStringLiteral("write error: ") + failure;
}

// Opens the one output file, or a device the user named, before any reading is made.
QString Run::openOutput()
{
    if (m_readings.toFolder) {
        if (const QString refused = safefiles::makeFolder(m_readings.output, &m_folder); !refused.isEmpty())
            return QStringLiteral("cannot make the folder %1: %2").arg(quoted(m_readings.output), refused);
        return {};
    }
    if (m_readings.output.isEmpty()) {
        m_outputIsStream = standardstreams::outputIsStream(m_stream);
        const std::optional<safefiles::FileIdentity> messages = standardstreams::errorIdentity();
        m_besideMessages = m_stream == standardstreams::Stream::Error
            || (messages && messages == standardstreams::outputIdentity());
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
    if (!m_output.empty())
        failure = flushOutput();
    if (failure.isEmpty())
        failure = written();
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
    // Nor does it take the program's own messages, which it would read back as rows, and grow by
    // for as long as it is read.
    if (m_input && standardstreams::errorIdentity() == m_input)
        return misused(QStringLiteral("standard error is %1").arg(people));
    if (m_input && !m_readings.toFolder) {
        if (m_readings.output.isEmpty() && m_stream == standardstreams::Stream::Output
            && standardstreams::outputIdentity() == m_input)
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
    g_rowMessages.prompt = standardstreams::errorIsTerminal()
        || (fromInput ? standardstreams::inputIsTerminal() : standardstreams::isTerminal(file));
    const auto rowSays = [shown = quoting::escaped(file).toUtf8()](qint64 line, const QString &why) {
        sayOfRow(shown, line, why);
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
    qint64 rows = 0;
    qint64 failed = 0;
    while (reader.next(row)) {
        ++rows;
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
            ++failed;
            status = 1;
        }
    }
    const bool everyRowRead = reader.readError().isEmpty();
    if (!everyRowRead) {
        say(cannotRead(file, reader.readError()));
        status = 1;
    }
    // How much of the file the messages above are, which a long list of them scrolls away.
    if (failed > 0)
        say(QStringLiteral("%1 of %2 %3 failed").arg(failed).arg(rows).arg(rows == 1 ? "row" : "rows"));
    return finish(status, everyRowRead);
}

} // namespace

int read(const Readings &readings)
{
    // /dev/stdout and its like are the stream itself, written as the stream is, whatever it is: a
    // file is appended to as the shell opened it, not replaced, and no link is written through.
    const std::optional<standardstreams::Stream> stream =
        readings.toFolder ? std::nullopt : standardstreams::streamNamed(readings.output);
    Readings toStream = readings;
    if (stream)
        toStream.output.clear();
    Run run(toStream, stream.value_or(standardstreams::Stream::Output));
    const int status = readings.batch ? run.batch() : run.single();
    writeRowMessages();
    return status;
}


} // namespace CommandLine
