// The command line as the program reads it before Qt starts: what it answers, what it refuses (word
// for word, with the status), the readings it takes, and that a plain start has nothing to print
// (the program then takes no console on Windows). Runs with QT_QPA_PLATFORM set, as every unit test
// does, so that no display is looked for.
#include "app/CommandLine.h"
#include "app/ReadingFormats.h"
#include "TestFiles.h"

#include "report/ReportDocument.h"
#include "widgets/Theme.h"

#include <QCoreApplication>
#include <QDir>
#include <QGuiApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPrinter>
#include <QProcess>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QTextDocument>
#include <QTextDocumentFragment>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using CommandLine::Outcome;

CommandLine::Result Handle(const std::vector<const char *> &words)
{
    QCoreApplication::setApplicationName("larkspire");
    QStringList typed{"larkspire"};
    for (const char *word : words)
        typed << QString::fromUtf8(word);
    return CommandLine::handle(typed);
}

std::string Refusal(const std::string &why)
{
    return "larkspire: " + why + "\nTry 'larkspire --help' for more information.\n";
}

TEST(CommandLine, QtsOwnOptionsInTheFormsQtReadsStartThePlainWay)
{
    const std::vector<std::vector<const char *>> starts = {
        {},
        {"-platform", "offscreen"},
        {"--platform", "offscreen"},
        {"-platform", "windows:darkmode=1,dialogs=none,fontengine=freetype"},
        {"-style", "Fusion", "-style=Fusion", "--stylesheet=a.qss", "-stylesheet", "a.qss"},
        {"-reverse", "--widgetcount", "-testability", "-qdebug"},
        {"-qwindowgeometry", "100x100", "-qwindowtitle", "T", "-qwindowicon", "i.png", "-platformtheme", "gtk3"},
        {"-plugin", "evdevmouse", "-platformpluginpath", "p", "-session", "s", "-qmljsdebugger=port:1"},
        {"-geometry", "100x100", "-title", "T", "-icon", "i.png", "-name", "n", "-visual", "33", "-nograb"},
        {"a-word-that-is-no-option"},
        {"--", "--first", "ANN", "--frobnicate"},
    };
    for (const auto &words : starts) {
        const CommandLine::Result result = Handle(words);
        const std::string line = words.empty() ? "(none)" : words.front();
        EXPECT_EQ(result.outcome, Outcome::Run) << line;
        // Nothing to print: no console is taken.
        EXPECT_EQ(result.output, "") << line;
        EXPECT_EQ(result.error, "") << line;
    }
    EXPECT_EQ(Handle({"-platform", "offscreen", "-display", ":5"}).platform, "offscreen");
    EXPECT_EQ(Handle({"-platform", "offscreen", "-display", ":5"}).display, ":5");
}

TEST(CommandLine, WhatQtDoesNotReadIsRefusedWithStatusTwo)
{
    const struct {
        std::vector<const char *> words;
        std::string error;
    } rows[] = {
        {{"--frobnicate"}, Refusal("unrecognized option '--frobnicate'")},
        // Parameters of the Windows plug-in, not options.
        {{"-dialogs", "none"}, Refusal("unrecognized option '-dialogs'")},
        {{"-fontengine", "freetype"}, Refusal("unrecognized option '-fontengine'")},
        {{"-darkmode", "1"}, Refusal("unrecognized option '-darkmode'")},
        // Read by Qt 5, not by 6.4.
        {{"-sync"}, Refusal("unrecognized option '-sync'")},
        // Qt 6.4 takes these values only as the next word.
        {{"-platform=offscreen"}, Refusal("unrecognized option '-platform=offscreen' (Qt takes '-platform offscreen')")},
        {{"--display=:0"}, Refusal("unrecognized option '--display=:0' (Qt takes '-display :0')")},
        {{"-display=\x1B[2J"}, Refusal("unrecognized option '-display=<U+001B>[2J' (Qt takes '-display <U+001B>[2J')")},
        {{"-reverse=yes"}, Refusal("unrecognized option '-reverse=yes'")},
        {{"-style"}, Refusal("option '-style' requires an argument")},
        {{"-platform", "offscreen", "-display"}, Refusal("option '-display' requires an argument")},
    };
    for (const auto &row : rows) {
        const CommandLine::Result result = Handle(row.words);
        EXPECT_EQ(result.outcome, Outcome::Misused) << row.error;
        EXPECT_EQ(CommandLine::exitStatus(result.outcome), 2);
        EXPECT_EQ(result.error, row.error);
        EXPECT_EQ(result.output, "");
    }
}

TEST(CommandLine, HelpNamesWhereThisSystemKeepsTheSetting)
{
    // Windows keeps it under the user's own folder, which tests/windows/command_line.sh names.
    const bool underXdgConfigHome = QSysInfo::productType() != QLatin1String("windows");
    const ScopedVariable configHome("XDG_CONFIG_HOME", "/home/ann/.settings");
    for (const char *help : {"--help", "-h", "-?", "/?"}) {
        const CommandLine::Result result = Handle({"-reverse", help, "--frobnicate"});
        EXPECT_EQ(result.outcome, Outcome::Done);
        EXPECT_EQ(result.error, "");
        if (underXdgConfigHome) {
            EXPECT_NE(result.output.find("last update reminder, in\n/home/ann/.settings/larkspire/larkspire.conf\n"),
                      std::string::npos)
                << result.output;
        }
    }
    const CommandLine::Result version = Handle({"--version"});
    EXPECT_EQ(version.outcome, Outcome::Done);
    EXPECT_EQ(version.output.substr(0, version.output.find('\n')), "Larkspire 1.45");
}

TEST(CommandLine, AReadingsOptionsAreCheckedBeforeAnyReading)
{
    const char *const born = "--born=1990-05-17";
    const auto date = [](const char *given, const char *why) {
        return Refusal(std::string("invalid date '") + given + "' for '--born': " + why);
    };
    const auto name = [](const char *why) { return Refusal(std::string("invalid name for '--first': ") + why); };
    const char *const form = "not of the form YYYY-MM-DD, YYYY-MM-DDTHH, YYYY-MM-DDTHH:MM or YYYY-MM-DDTHH:MM:SS";
    const struct {
        std::vector<const char *> words;
        Outcome outcome;
        std::string error;
    } rows[] = {
        {{"--first", "ann", "--last", "lee", born}, Outcome::Read, ""},
        // Qt's options beside a reading are read and left unused.
        {{"-platform", "xcb", "--first=A", "--last=B", "--born", "2999-12-31T23:59:59"}, Outcome::Read, ""},
        {{"--first", "  ", "--last", " ", born}, Outcome::Read, ""},
        {{"--batch", "-", "--format=json", "--explain"}, Outcome::Read, ""},
        {{"--first", "a", "--last", "b", born, "--frobnicate"}, Outcome::Misused, Refusal("unrecognized option '--frobnicate'")},
        {{"--first", "a", "--last"}, Outcome::Misused, Refusal("option '--last' requires an argument")},
        {{"--batch", "f.csv", "--explain=yes"}, Outcome::Misused, Refusal("option '--explain' doesn't allow an argument")},
        {{"--batch", "f.csv", "--format", "doc"}, Outcome::Misused,
         Refusal("invalid argument 'doc' for '--format'; valid arguments are 'text', 'json', 'rtf' and 'pdf'")},
        {{"--first", "a", "--last", "b"}, Outcome::Misused,
         Refusal("option '--born' is needed for a reading: the date of birth, YYYY-MM-DD")},
        {{"--first", "a", "--last", "b", "--born", "1990-5-17"}, Outcome::Misused, date("1990-5-17", form)},
        {{"--first", "a", "--last", "b", "--born", "1990-05-17T5"}, Outcome::Misused, date("1990-05-17T5", form)},
        {{"--first", "a", "--last", "b", "--born", "1990-05-17  05"}, Outcome::Misused, date("1990-05-17  05", form)},
        {{"--first", "a", "--last", "b", "--born", "1899-12-31"}, Outcome::Misused,
         date("1899-12-31", "the year must be from 1900 to 2999")},
        {{"--first", "a", "--last", "b", "--born", "3000-01-01"}, Outcome::Misused,
         date("3000-01-01", "the year must be from 1900 to 2999")},
        {{"--first", "a", "--last", "b", "--born", "1990-00-01"}, Outcome::Misused,
         date("1990-00-01", "the month must be from 01 to 12")},
        {{"--first", "a", "--last", "b", "--born", "1990-01-32"}, Outcome::Misused,
         date("1990-01-32", "the day must be from 01 to 31")},
        {{"--first", "a", "--last", "b", "--born", "1990-01-01 24"}, Outcome::Misused,
         date("1990-01-01 24", "the hour must be from 00 to 23")},
        {{"--first", "a", "--last", "b", "--born", "1990-01-01T00:60"}, Outcome::Misused,
         date("1990-01-01T00:60", "the minute must be from 00 to 59")},
        {{"--first", "a", "--last", "b", "--born", "1990-01-01T00:00:60"}, Outcome::Misused,
         date("1990-01-01T00:00:60", "the second must be from 00 to 59")},
        {{"--first", "a", "--last", "b", born, "stray"}, Outcome::Misused, Refusal("extra operand 'stray'")},
        {{"--first", "a", "--", "--last", "b", born}, Outcome::Misused, Refusal("extra operand '--last'")},
        {{"--batch", "f.csv", "--born", "1990-01-01"}, Outcome::Misused, Refusal("'--batch' cannot be used with '--born'")},
        {{"--middle", "", "--batch", "-"}, Outcome::Misused, Refusal("'--batch' cannot be used with '--middle'")},
        {{"--batch="}, Outcome::Misused, Refusal("option '--batch' requires a file name ('-' for standard input)")},
        {{"--batch", "-", "--output="}, Outcome::Misused,
         Refusal("option '--output' requires a file or folder name ('-' for standard output)")},
        {{"--first", "a", "--last", "b", born, "--format", "rtf", "--explain"}, Outcome::Misused,
         Refusal("'--explain' goes only with '--format text' or '--format json'")},
        {{"--first", "a", "--last", "b", born, "--date-order", "dmy"}, Outcome::Misused,
         Refusal("'--date-order' goes only with '--batch'")},
        {{"--batch", "-", "--separator", "|"}, Outcome::Misused,
         Refusal("invalid argument '|' for '--separator'; valid arguments are 'comma', 'semicolon' and 'tab'")},
        {{"--batch", "-", "--date-order=dym"}, Outcome::Misused,
         Refusal("invalid argument 'dym' for '--date-order'; valid arguments are 'dmy', 'mdy' and 'ymd'")},
        {{"--batch", "-", "--columns", "first=A,First=B"}, Outcome::Misused,
         Refusal("invalid argument 'first=A,First=B' for '--columns': the column 'first' is given twice")},
        {{"--batch", "-", "--columns", "first=Name,last=NA ME"}, Outcome::Misused,
         Refusal("invalid argument 'first=Name,last=NA ME' for '--columns': 'NA ME' is given for both 'first' and 'last'")},
        {{"--batch", "-", "--columns", "vorname=A"}, Outcome::Misused,
         Refusal("invalid argument 'vorname=A' for '--columns': 'vorname' is not a column: first, middle, last, born or time")},
        {{"--batch", "-", "--columns", "born"}, Outcome::Misused,
         Refusal("invalid argument 'born' for '--columns': 'born' is not COLUMN=NAME")},
        {{"--batch", "f.csv", "--format", "pdf", "--output", "one.pdf"}, Outcome::Misused,
         Refusal("rtf and pdf readings of a file of people need an output folder: '--output FOLDER/'")},
        {{"--first", "r2d2", "--last", "b", born}, Outcome::Misused, name("'2' is not a letter or a space")},
        {{"--first", "o'neil", "--last", "b", born}, Outcome::Misused, name("''' is not a letter or a space")},
        {{"--first", "ren\xC3\xA9", "--last", "b", born}, Outcome::Misused,
         name("'\xC3\xA9' (U+00E9) is not a letter or a space")},
        {{"--first", "a\tb", "--last", "b", born}, Outcome::Misused, name("U+0009 is not a letter or a space")},
        {{"--first", "\xF0\x9F\x98\x80", "--last", "b", born}, Outcome::Misused,
         name("'\xF0\x9F\x98\x80' (U+1F600) is not a letter or a space")},
        // What is echoed shows each control, format or separator character by its code.
        {{"--first", "a", "--last", "b", "--born", "1990-05-17\n"}, Outcome::Misused, date("1990-05-17<U+000A>", form)},
        {{"--first", "a", "--last", "b", "--born", "\x1B]0;pwned\a\x1B[2J"}, Outcome::Misused,
         date("<U+001B>]0;pwned<U+0007><U+001B>[2J", form)},
        {{"--batch", "-", "--format", "json\xC2\x9B" "2J"}, Outcome::Misused,
         Refusal("invalid argument 'json<U+009B>2J' for '--format'; valid arguments are 'text', 'json', 'rtf' and 'pdf'")},
        {{"--batch", "-", "--fr\x1B[31m"}, Outcome::Misused, Refusal("unrecognized option '--fr<U+001B>[31m'")},
        {{"--batch", "-", "d\xE2\x80\xAEvil"}, Outcome::Misused, Refusal("extra operand 'd<U+202E>vil'")},
        // The input window's checks, in its order and words.
        {{"--last", "b", born}, Outcome::Failed, "larkspire: Please Enter Your First Name\n"},
        {{"--first", "", "--last", "", born}, Outcome::Failed, "larkspire: Please Enter Your First Name\n"},
        {{"--first", "a", "--born", "2023-02-29"}, Outcome::Failed, "larkspire: Please Enter Your Last Name\n"},
        {{"--first", "a", "--last", "b", "--born", "2023-02-29"}, Outcome::Failed,
         "larkspire: Please Enter Correct Date Or Month!\n"},
        {{"--first", "a", "--last", "b", "--born", "2023-04-31"}, Outcome::Failed,
         "larkspire: Please Enter Correct Date Or Month !\n"},
    };
    for (const auto &row : rows) {
        const CommandLine::Result result = Handle(row.words);
        const std::string line = row.words[row.words.size() - 1];
        EXPECT_EQ(result.outcome, row.outcome) << line;
        EXPECT_EQ(result.error, row.error) << line;
        EXPECT_EQ(result.output, "") << line;
        if (row.outcome != Outcome::Read) {
            EXPECT_EQ(CommandLine::exitStatus(result.outcome), row.outcome == Outcome::Failed ? 1 : 2) << line;
        }
    }
    const CommandLine::Result read = Handle({"--first", "ann", "--middle", " lee ", "--last=brown", "--born",
                                             "2024-02-29 07:08", "--output", "out/", "--format=pdf", "--overwrite"});
    ASSERT_EQ(read.outcome, Outcome::Read);
    const ReadingRequest &request = read.readings.request;
    EXPECT_EQ(QStringList({request.firstName, request.middleName, request.lastName}), QStringList({"ANN", " LEE ", "BROWN"}));
    EXPECT_EQ(std::vector<int>({request.year, request.month, request.day, request.hour, request.minute, request.second}),
              std::vector<int>({2024, 2, 29, 7, 8, 0}));
    EXPECT_TRUE(read.readings.toFolder && read.readings.overwrite && !read.readings.explain);
    EXPECT_EQ(read.readings.format, CommandLine::Format::Pdf);
    const CommandLine::Readings sheet =
        Handle({"--batch", "-", "--columns", " time = Uhrzeit ", "--separator", "tab", "--date-order", "MDY"}).readings;
    EXPECT_EQ(sheet.columns, (peoplecolumns::Names{"", "", "", "", "Uhrzeit"}));
    EXPECT_EQ(sheet.separator, '\t');
    EXPECT_EQ(sheet.dateOrder, spreadsheetdates::Order::Mdy);
}

TEST(CommandLine, TheJsonCarriesEveryCharacterOfAReading)
{
    ReadingRequest request;
    request.firstName = "ANN";
    request.lastName = "LEE";
    Reading reading = Reading::placeholders().readingOf(request.person());
    // Each character that is escaped, among plain ones, and some that are not escaped.
    QString tricky;
    for (const char16_t c : {u'"', u'\\', u'\x01', u'\t', u'\r', u'\n', u'\x1f', u'\x7f', u'\u00e9', u'\u20ac'})
        tricky += QChar(c) + QStringLiteral("abc");
    tricky += QStringLiteral("\U0001F600 plain text after the last escape");
    const auto json = [&] {
        std::string line;
        readingformats::appendJson(line, request, reading, std::nullopt);
        return QJsonDocument::fromJson(QByteArray::fromStdString(line));
    };
    const auto results = [&] { return json()["results"].toArray(); };
    request.middleName = " " + tricky + " ";
    EXPECT_EQ(json()["input"]["middle"].toString(), tricky);
    reading.descriptions[0] = "\n" + tricky;
    reading.descriptions[1] = tricky;
    const QJsonArray after = results();
    EXPECT_EQ(after[0]["description"].toString(), tricky);
    EXPECT_TRUE(after[1]["description"].isNull());

    // The workings go unescaped, as the engine's steps need no escape whatever the details: names
    // and a month of every byte (a name long enough to be told by its letters' groups), and a
    // first name the letter-pair rule quotes.
    std::string bytes;
    for (int c = 0; c < 256; ++c)
        bytes += static_cast<char>(c);
    for (const std::string &first : {bytes + bytes, "TS\"\\" + bytes}) {
        const numerology::PersonDetails person{first, "\"\\\n\t", bytes, 29, "Febr\"uary\\", 2024, 25};
        reading = Reading::placeholders().readingOf(person);
        const QJsonArray read = results();
        for (const ResultInfo &info : kResults) {
            EXPECT_EQ(read[indexOf(info.result)]["working"].toArray(),
                      QJsonArray::fromStringList(reading.working(info.result).split(QLatin1Char('\n'))))
                << info.tabCaption.data();
        }
    }
}

// The pages of a PDF drawn at 100 dots an inch, one PNG each.
std::optional<std::vector<QByteArray>> Pages(const QString &pdf)
{
    QProcess render;
    render.start("pdftoppm", {"-r", "100", "-png", pdf, pdf});
    if (!render.waitForFinished(60000) || render.exitCode() != 0)
        return std::nullopt;
    std::vector<QByteArray> pages;
    const QFileInfo file(pdf);
    for (const QString &page : file.dir().entryList({file.fileName() + "-*.png"}, QDir::Files, QDir::Name)) {
        QFile png(file.dir().filePath(page));
        png.open(QIODevice::ReadOnly);
        pages.push_back(png.readAll());
    }
    return pages;
}

// Last: it makes the application object that the PDF's fonts need, as a PDF reading does.
TEST(CommandLine, APdfIsTheReportWindowsPrintToPdf)
{
    static int argc = 1;
    static char name[] = "larkspire";
    static char *argv[] = {name, nullptr};
    const QGuiApplication application(argc, argv);
    theme::substituteMissingFonts();
    QTemporaryDir folder;
    ReadingRequest request;
    request.firstName = "ANN";
    request.lastName = "LEE";
    const Reading reading = Reading::placeholders().readingOf(request.person());
    for (const QPageSize::PageSizeId paper : {QPageSize::A4, QPageSize::Letter}) {
        const QString window = folder.filePath(QStringLiteral("window-%1.pdf").arg(paper));
        {
            // The report window's Print, answered with Print to PDF on that paper.
            QTextDocument report;
            composeReport(report, reading);
            QPrinter printer(QPrinter::HighResolution);
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(window);
            printer.setPageSize(QPageSize(paper));
            printReport(*printableReport(report, QTextDocumentFragment()), printer);
        }
        const QString read = folder.filePath(QStringLiteral("read-%1.pdf").arg(paper));
        QFile file(read);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(readingformats::pdf(reading, QPageSize(paper)));
        file.close();
        const auto windowPages = Pages(window);
        if (!windowPages)
            GTEST_SKIP() << "pdftoppm, which draws the pages, is not installed";
        const auto readPages = Pages(read);
        ASSERT_TRUE(readPages);
        EXPECT_EQ(readPages->size(), 1u);
        EXPECT_TRUE(*readPages == *windowPages) << QPageSize(paper).key().toStdString();
    }
}

} // namespace

