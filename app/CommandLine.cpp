#include "app/CommandLine.h"

#include "app/CommandWords.h"
#include "app/Quoting.h"
#include "app/ReadingOptions.h"
#include "model/NameRule.h"
#include "model/Product.h"
#include "model/WebPages.h"
#include "platform/Arguments.h"
#include "platform/Display.h"
#include "platform/FileNames.h"
#include "platform/PaperSize.h"
#include "platform/SettingsStore.h"
#include "platform/StandardStreams.h"

#include <QDir>
#include <QLocale>

#include <algorithm>
#include <array>
#include <iterator>
#include <optional>
#include <string_view>
#include <vector>

namespace CommandLine {

namespace {

const char *const kLicence =
    "Copyright (C) 2026 Larkspire developers.\n"
    "License Expat (MIT): <https://spdx.org/licenses/MIT.html>.\n"
    "This is free software: you are free to change and redistribute it.\n"
    "There is NO WARRANTY, to the extent permitted by law.\n";

std::string text(const QString &string)
{
    return string.toStdString();
}

std::string usage()
{
    const std::string name = text(kApplicationTitle);
    const std::string program = text(kExecutableName);
    return "Usage: " + program + " [--help] [--version] [Qt options]\n"
        "  or:  " + program + " --first NAME [--middle NAME] --last NAME --born DATE [--format FORMAT]\n"
        "                 [--paper SIZE] [--output PATH] [--explain]\n"
        "  or:  " + program + " --batch FILE [--format FORMAT] [--paper SIZE] [--output PATH] [--explain]\n"
        "                 [--overwrite] [--columns MAP] [--separator SEP] [--date-order ORDER]\n"
        "\n"
        + name
        + " computes a Kabbalah numerology reading (lucky number, lucky colour, money number\n"
          "and health numbers) from a name and a date and time of birth, and composes a report that can\n"
          "be saved as an RTF file or printed. Without reading options it opens its windows; with them\n"
          "it writes the reading and opens none, and needs no display.\n"
          "\n"
          "Options:\n"
          "  -h, --help       Show this help and exit.\n"
          "  -v, --version    Show the version and exit.\n"
          "  --first NAME     The first name: letters and spaces, taken in capitals.\n"
          "  --middle NAME    The middle name (none when not given).\n"
          "  --last NAME      The last name.\n"
          "  --born DATE      The date and time of birth: YYYY-MM-DD, then optionally T (or a blank)\n"
          "                   and HH, HH:MM or HH:MM:SS; years "
        + std::to_string(kFirstBirthYear) + " to " + std::to_string(kLastBirthYear) + ".\n"
          "  --format FORMAT  text (the report's words; the default), json (one line for each\n"
          "                   reading), rtf (the report as Save writes it) or pdf (as Print lays it out).\n"
          "  --paper SIZE     The paper of a pdf: a4 or letter; by default the system's paper size, A4\n"
          "                   where the system names none.\n"
          "  --output PATH    A file, or a folder (one that exists, or a name ending in /) for one file\n"
          "                   for each person, named after the person; - or none: standard output.\n"
          "  --explain        Follow each result with how it is reached (text and json).\n"
          "  --batch FILE     A reading for each row of a CSV file (- for standard input), UTF-8, as a\n"
          "                   spreadsheet saves it: its header names the columns first (or First Name,\n"
          "                   Given Name, Forename), middle, last (Last Name, Surname, Family Name),\n"
          "                   born (Date of Birth, Birth Date, DOB, Birthday) and optionally time\n"
          "                   (Time of Birth, Birth Time, Hour); born holds YYYY-MM-DD as --born, or\n"
          "                   D/M/YYYY or M/D/YYYY (with / . or -), then optionally H:MM[:SS] [AM|PM].\n"
          "  --overwrite      Let a reading replace a file already in the output folder.\n"
          "  --columns MAP    Other names of the columns, as first=Vorname,last=Nachname,born=Datum.\n"
          "  --separator SEP  Between fields: comma, semicolon or tab; by default the one that the\n"
          "                   header row names the columns with.\n"
          "  --date-order ORDER\n"
          "                   dmy, mdy or ymd: how D/M/YYYY and M/D/YYYY are told apart; by default the\n"
          "                   order of the system's short date format.\n"
          "Each option also takes its value as --option=VALUE; -- ends the options.\n"
          "Qt's own options (-platform NAME, -display NAME, -style NAME, -reverse, ...) work as in any\n"
          "Qt program, each with its value as the next word.\n"
          "\n"
          "Exit status: 0 on success, 1 when a reading is refused or cannot be written (or a row of a\n"
          "file of people fails), 2 when the command line is wrong.\n"
          "\n"
        + name + " keeps one setting, the date of its last update reminder, in\n"
        + text(QDir::toNativeSeparators(SettingsStore::defaultPath()))
        + "\n"
          "\n"
          "Report bugs to: <larkspire@example.com>\n"
        + name + " home page: <" + text(webpages::kHomePage) + ">\n";
}

Result misused(const QString &why)
{
    Result result;
    result.outcome = Outcome::Misused;
    result.error = text(kExecutableName + QStringLiteral(": ") + misuse(why) + QLatin1Char('\n'));
    return result;
}

QLatin1String latin1(std::string_view name)
{
    return QLatin1String(name.data(), static_cast<qsizetype>(name.size()));
}

QLatin1String nameOf(Option option)
{
    return latin1(kReadingOptions[static_cast<int>(option)].name);
}

// The reading options as given, the last of each standing.
struct Given {
    std::optional<QString> values[std::size(kReadingOptions)];

    std::optional<QString> &operator[](Option option) { return values[static_cast<int>(option)]; }
};

Result reading(Given &given, const QStringList &operands)
{
    if (!operands.empty())
        return misused(QStringLiteral("extra operand ") + quoting::quoted(operands.front()));
    Result result;
    result.outcome = Outcome::Read;
    Readings &readings = result.readings;
    static const std::pair<QString, Format> kFormats[] = {{QStringLiteral("text"), Format::Text},
                                                          {QStringLiteral("json"), Format::Json},
                                                          {QStringLiteral("rtf"), Format::Rtf},
                                                          {QStringLiteral("pdf"), Format::Pdf}};
    if (const std::optional<QString> &format = given[Option::Format]) {
        const auto *known = std::find_if(std::begin(kFormats), std::end(kFormats),
                                         [&](const auto &entry) { return entry.first == *format; });
        if (known == std::end(kFormats))
            return misused(QStringLiteral("invalid argument %1 for '--format'; valid arguments are "
                                          "'text', 'json', 'rtf' and 'pdf'")
                               .arg(quoting::quoted(*format)));
        readings.format = known->second;
    }
    // The paper a PDF is laid out on, as --paper and the system's convention name it.
    static const std::pair<QString, QPageSize::PageSizeId> kPapers[] = {{QStringLiteral("a4"), QPageSize::A4},
                                                                        {QStringLiteral("letter"), QPageSize::Letter}};
    const auto paperNamed = [](const QString &name) {
        return std::find_if(std::begin(kPapers), std::end(kPapers), [&](const auto &entry) { return entry.first == name; });
    };
    if (const std::optional<QString> &paper = given[Option::Paper]) {
        const auto *known = paperNamed(paper->toLower());
        if (known == std::end(kPapers))
            return misused(QStringLiteral("invalid argument %1 for '--paper'; valid arguments are 'a4' and 'letter'")
                               .arg(quoting::quoted(*paper)));
        if (readings.format != Format::Pdf)
            return misused(QStringLiteral("'--paper' goes only with '--format pdf'"));
        readings.paper = known->second;
    }
    const bool binary = readings.format == Format::Rtf || readings.format == Format::Pdf;
    readings.explain = given[Option::Explain].has_value();
    readings.overwrite = given[Option::Overwrite].has_value();
    readings.batch = given[Option::Batch];
    for (Option spreadsheet : {Option::Columns, Option::Separator, Option::DateOrder}) {
        if (given[spreadsheet] && !readings.batch)
            return misused(QStringLiteral("'--%1' goes only with '--batch'").arg(nameOf(spreadsheet)));
    }
    if (const std::optional<QString> &columns = given[Option::Columns]) {
        if (const QString why = peoplecolumns::readNames(*columns, readings.columns, quoting::quoted); !why.isEmpty())
            return misused(QStringLiteral("invalid argument %1 for '--columns': %2").arg(quoting::quoted(*columns), why));
    }
    if (const std::optional<QString> &separator = given[Option::Separator]) {
        readings.separator = peoplecolumns::separatorNamed(*separator);
        if (readings.separator == 0)
            return misused(QStringLiteral("invalid argument %1 for '--separator'; valid arguments are 'comma', "
                                          "'semicolon' and 'tab'")
                               .arg(quoting::quoted(*separator)));
    }
    if (const std::optional<QString> &order = given[Option::DateOrder]) {
        const std::optional<spreadsheetdates::Order> named = spreadsheetdates::orderNamed(*order);
        if (!named)
            return misused(QStringLiteral("invalid argument %1 for '--date-order'; valid arguments are 'dmy', 'mdy' "
                                          "and 'ymd'")
                               .arg(quoting::quoted(*order)));
        readings.dateOrder = *named;
    } else {
        readings.dateOrder = spreadsheetdates::orderOf(QLocale::system().dateFormat(QLocale::ShortFormat));
    }
    readings.output = given[Option::Output].value_or(QString());
    if (readings.output == QLatin1String("-"))
        readings.output.clear();
    readings.toFolder = !readings.output.isEmpty()
        && (readings.output.endsWith(QLatin1Char('/')) || readings.output.endsWith(QDir::separator())
            || filenames::isFolder(readings.output));

    if (given[Option::Output] && given[Option::Output]->isEmpty())
        return misused("option '--output' requires a file or folder name ('-' for standard output)");
    if (readings.batch && readings.batch->isEmpty())
        return misused(QStringLiteral("option '--batch' requires a file name ('-' for standard input)"));
    if (readings.batch) {
        for (Option person : {Option::First, Option::Middle, Option::Last, Option::Born}) {
            if (given[person])
                return misused(QStringLiteral("'--batch' cannot be used with '--%1'").arg(nameOf(person)));
        }
    } else {
        const std::pair<Option, QString *> names[] = {{Option::First, &readings.request.firstName},
                                                      {Option::Middle, &readings.request.middleName},
                                                      {Option::Last, &readings.request.lastName}};
        for (const auto &[option, name] : names) {
            const QString why = readName(given[option].value_or(QString()), *name);
            if (!why.isEmpty())
                return misused(QStringLiteral("invalid name for '--%1': %2").arg(nameOf(option), why));
        }
        if (!given[Option::Born])
            return misused(QStringLiteral("option '--born' is needed for a reading: the date of birth, YYYY-MM-DD"));
        const QString why = readBirth(*given[Option::Born], readings.request);
        if (!why.isEmpty())
            return misused(
                QStringLiteral("invalid date %1 for '--born': %2").arg(quoting::quoted(*given[Option::Born]), why));
    }
    if (readings.explain && binary)
        return misused(QStringLiteral("'--explain' goes only with '--format text' or '--format json'"));
    if (readings.batch && binary && !readings.toFolder)
        return misused(QStringLiteral("rtf and pdf readings of a file of people need an output folder: '--output FOLDER/'"));
    if (readings.format == Format::Pdf
        && (readings.output.isEmpty() ? standardstreams::outputIsTerminal() : standardstreams::isTerminal(readings.output)))
        return misused(QStringLiteral("a PDF is not written to a terminal: give '--output FILE' or redirect the output"));
    if (readings.format == Format::Pdf && !given[Option::Paper]) {
        const papersize::Convention convention = papersize::systemConvention();
        const QString name = QString::fromStdString(convention.name);
        if (const auto *known = paperNamed(name); known != std::end(kPapers)) {
            readings.paper = known->second;
        } else if (!name.isEmpty()) {
            Result failed;
            failed.outcome = Outcome::Failed;
            failed.error = text(kExecutableName + QStringLiteral(": the system's paper size %1 (%2) is not one %3 lays a PDF "
                                                                 "out on: give '--paper a4' or '--paper letter'\n")
                                                      .arg(quoting::quoted(name), quoting::escaped(convention.source),
                                                           kApplicationTitle));
            return failed;
        }
    }
    if (!readings.batch) {
        if (const std::optional<ReadingRequest::Refusal> refusal = readings.request.refusal()) {
            Result failed;
            failed.outcome = Outcome::Failed;
            failed.error = text(kExecutableName) + ": " + text(refusal->message) + "\n";
            return failed;
        }
    }
    return result;
}

} // namespace

Result handle(const QStringList &words)
{
    Result result;
    result.platform = qEnvironmentVariable("QT_QPA_PLATFORM").toStdString();
    std::vector<std::u16string_view> views;
    views.reserve(static_cast<std::size_t>(words.size()));
    for (const QString &word : words)
        views.emplace_back(QStringView(word).utf16(), static_cast<std::size_t>(word.size()));
    const auto view = [](std::u16string_view part) { return QStringView(part.data(), static_cast<qsizetype>(part.size())); };
    Given given;
    QStringList operands;
    const std::vector<Word> read = readWords(views);
    for (const Word &word : read) {
        const QString &arg = words[static_cast<qsizetype>(word.at)];
        const QStringView name = view(word.name);
        const QStringView value = view(word.value);
        switch (word.kind) {
        case Word::Kind::Operand:
            operands << arg;
            break;
        case Word::Kind::Help: {
            Result done;
            done.outcome = Outcome::Done;
            done.output = usage();
            return done;
        }
        case Word::Kind::Version: {
            Result done;
            done.outcome = Outcome::Done;
            done.output = text(kApplicationTitle) + " " + text(kVersion) + "\n" + kLicence;
            return done;
        }
        case Word::Kind::Unknown:
            return misused(QStringLiteral("unrecognized option ") + quoting::quoted(arg));
        case Word::Kind::Reading: {
            const QString spelled = QStringLiteral("'--%1'").arg(name);
            if (word.fault == Word::Fault::ValueNotAllowed)
                return misused(QStringLiteral("option %1 doesn't allow an argument").arg(spelled));
            if (word.fault == Word::Fault::ValueMissing)
                return misused(QStringLiteral("option %1 requires an argument").arg(spelled));
            if (const QString why = kReadingOptions[word.option].value == Value::Text ? arguments::notText(value.toString()) : QString();
                !why.isEmpty())
                return misused(QStringLiteral("invalid argument %1 for %2: %3")
                                   .arg(quoting::quoted(value.toString()), spelled, why));
            given[static_cast<Option>(word.option)] = value.toString();
            break;
        }
        case Word::Kind::Qt:
            if (word.fault == Word::Fault::ValueNotAllowed) {
                const QString hint = kQtOptions[word.option].takes == Takes::NextWord
                    ? QStringLiteral(" (Qt takes %1)").arg(quoting::quoted(QStringLiteral("-%1 %2").arg(name, value)))
                    : QString();
                return misused(QStringLiteral("unrecognized option ") + quoting::quoted(arg) + hint);
            }
            if (word.fault == Word::Fault::ValueMissing)
                return misused(QStringLiteral("option %1 requires an argument").arg(quoting::quoted(arg)));
            if (name == u"platform")
                result.platform = value.toString().toStdString();
            else if (name == u"display")
                result.display = value.toString().toStdString();
            break;
        }
    }
    // A reading needs no display, and Qt's options beside it are not used. Whether the start is one
    // is what the console entry on Windows waits for, and is decided in one place for both.
    if (startOf(read).answers)
        return reading(given, operands);
    // A platform chosen explicitly (offscreen, vnc, ...) needs no display of ours to check.
    if (result.platform.empty() && result.display.empty()) {
        const std::string missing = display::missingReason();
        if (!missing.empty()) {
            Result failed;
            failed.outcome = Outcome::Failed;
            failed.error = text(kApplicationTitle) + " " + missing + "\n";
            return failed;
        }
    }
    return result;
}

int exitStatus(Outcome outcome)
{
    switch (outcome) {
    case Outcome::Run:
    case Outcome::Read:
    case Outcome::Done: return 0;
    case Outcome::Failed: return 1;
    case Outcome::Misused: return 2;
    }
    return 1;
}

QString misuse(const QString &why)
{
    return why + QStringLiteral("\nTry '%1 --help' for more information.").arg(kExecutableName);
}

QString readName(const QString &given, QString &name)
{
    // The rule judges UTF-16 units one by one; where one is refused, the message names the whole
    // character that starts there. name's own memory is used again from row to row.
    const qsizetype refused = judgeNameText(given, name);
    if (refused < 0)
        return {};
    return quoting::character(QStringView(given).sliced(refused).toUcs4().front())
        + QStringLiteral(" is not a letter or a space");
}

namespace {

// The forms of a date and time of birth, each a beginning of the longest: 0 for a digit, T for
// "T" or a blank, and every other character itself.
constexpr QStringView kBirthForm = u"0000-00-00T00:00:00";
constexpr qsizetype kBirthFormLengths[] = {10, 13, 16, 19};

bool fitsBirthForm(QStringView given)
{
    if (std::find(std::begin(kBirthFormLengths), std::end(kBirthFormLengths), given.size())
        == std::end(kBirthFormLengths))
        return false;
    for (qsizetype i = 0; i < given.size(); ++i) {
        const char16_t c = given[i].unicode();
        const char16_t form = kBirthForm[i].unicode();
        const bool fits = form == u'0' ? c >= u'0' && c <= u'9' : form == u'T' ? c == u'T' || c == u' ' : c == form;
        if (!fits)
            return false;
    }
    return true;
}

} // namespace

QString readBirth(const QString &given, ReadingRequest &request)
{
    // Read by hand rather than by a regular expression, for a file of many people: the whole text
    // is one of the forms, so a final line break is refused like any other character.
    if (!fitsBirthForm(given))
        return QStringLiteral("not of the form YYYY-MM-DD, YYYY-MM-DDTHH, YYYY-MM-DDTHH:MM or YYYY-MM-DDTHH:MM:SS");
    const struct {
        const char *what;
        int first;
        int last;
        int ReadingRequest::*field;
        qsizetype at; // in the form
        qsizetype digits;
    } parts[] = {
        {"year", kFirstBirthYear, kLastBirthYear, &ReadingRequest::year, 0, 4},
        {"month", 1, 12, &ReadingRequest::month, 5, 2},
        {"day", 1, 31, &ReadingRequest::day, 8, 2},
        {"hour", 0, 23, &ReadingRequest::hour, 11, 2},
        {"minute", 0, 59, &ReadingRequest::minute, 14, 2},
        {"second", 0, 59, &ReadingRequest::second, 17, 2},
    };
    std::array<int, std::size(parts)> values{}; // a part left out is 0
    for (std::size_t i = 0; i < values.size(); ++i) {
        for (qsizetype at = parts[i].at; at < parts[i].at + parts[i].digits && at < given.size(); ++at)
            values[i] = values[i] * 10 + (given[at].unicode() - u'0');
        if (values[i] < parts[i].first || values[i] > parts[i].last)
            return QStringLiteral("the %1 must be from %2 to %3")
                .arg(QLatin1String(parts[i].what))
                .arg(parts[i].first, i == 0 ? 4 : 2, 10, QLatin1Char('0'))
                .arg(parts[i].last, i == 0 ? 4 : 2, 10, QLatin1Char('0'));
    }
    for (std::size_t i = 0; i < values.size(); ++i)
        request.*parts[i].field = values[i];
    return {};
}

} // namespace CommandLine
