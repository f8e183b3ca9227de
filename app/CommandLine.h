#pragma once
// What the program does with its command line before any window: --help and --version print and
// end; an option neither Larkspire nor Qt knows is refused as GNU programs refuse one; a reading
// asked for with its own options is checked and then done without any window (CommandLineReading);
// and a start of the windows without any display to try ends with one clear line instead of Qt's
// abort. Nothing is printed here: what there is to print comes back, so that the program takes a
// console only for it. The words are read by hand rather than by QCommandLineParser, which keeps
// neither the order of the faults it finds nor how an option was spelled (one dash or two, its
// value after "=" or as the next word), both of which GNU's messages and Qt's options need.

#include "csv/PeopleColumns.h"
#include "csv/SpreadsheetDates.h"
#include "model/ReadingRequest.h"

#include <QPageSize>
#include <QString>
#include <QStringList>

#include <optional>
#include <string>

namespace CommandLine {

enum class Outcome {
    Run,     // go on and start the windows
    Read,    // do the reading asked for, without any window
    Done,    // printed what was asked; end with success
    Failed,  // printed why the program cannot run; end with status 1
    Misused, // printed what was wrong with the command line; end with status 2
};

enum class Format { Text, Json, Rtf, Pdf };

// A reading (or a file of people) asked for on the command line, its options checked.
struct Readings {
    Format format = Format::Text;
    QString output;          // a file or a folder; empty for standard output
    bool toFolder = false;   // output names a folder: one file per person
    bool explain = false;    // each result followed by how it is reached
    bool overwrite = false;  // a file in the output folder may be replaced
    QPageSize::PageSizeId paper = QPageSize::A4; // the pages of a pdf
    std::optional<QString> batch; // the file of people, "-" for standard input; none for one reading
    peoplecolumns::Names columns; // the header's names for its columns, as --columns gives them
    char separator = 0;           // between fields, as --separator gives it; 0: found from the header
    // How a date whose year comes last is read: --date-order, else the system's short date format.
    spreadsheetdates::Order dateOrder = spreadsheetdates::Order::None;
    ReadingRequest request;  // the one reading, which passed the request's checks
};

struct Result {
    Outcome outcome = Outcome::Run;
    std::string output;   // for standard output
    std::string error;    // for standard error
    std::string display;  // the display a -display option names, if any
    std::string platform; // the Qt platform plug-in chosen by -platform or QT_QPA_PLATFORM, if any
    Readings readings;    // for Read
};

// Reads the command line, its words as typed (arguments::words), the program's name first: a
// path is taken whatever its bytes, a name, a date or a format must be text. Anything of it a
// message shows is quoted (quoting::quoted). QCoreApplication's application name must be set: the
// help names the settings file, which is addressed by it.
Result handle(const QStringList &words);

// The status the program ends with for an outcome other than Run and Read.
int exitStatus(Outcome outcome);

// What is said of a command line that is wrong: why, then where to read how it goes (two lines).
QString misuse(const QString &why);

// A name as given on the command line or in a file of people, judged by the rule of a name: letters
// in capitals, spaces kept, into name. Empty when it passes, otherwise why not: "'3' is not a
// letter or a space".
QString readName(const QString &given, QString &name);

// A date and time of birth, YYYY-MM-DD with optionally "T" or a blank and HH, HH:MM or HH:MM:SS
// (what is left out is 0), within the input window's lists. Empty when it passes (the request's
// date and time are then set), otherwise why not.
QString readBirth(const QString &given, ReadingRequest &request);

} // namespace CommandLine
