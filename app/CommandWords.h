#pragma once
// How the program's command line is read into options and operands, without Qt: which word is
// which option, which option takes the next word as its value, where the options end. The command
// line (CommandLine.cpp) checks and acts on what it reads here; the Windows console entry
// (larkspire.com), which has no Qt, learns from the same reading whether a start is answered (to
// be waited for) or opens the windows. One reader for both, so that they cannot disagree: in
// "-style --first", "--first" is the style's name to both.

#include "app/ReadingOptions.h"

#include <cstddef>
#include <optional>
#include <string_view>
#include <vector>

namespace CommandLine {

// How a Qt option takes its value.
enum class Takes {
    Nothing,
    NextWord,         // "-style fusion"
    NextWordOrEquals, // "-style fusion" or "-style=fusion"
};

struct QtOption {
    std::string_view name;
    Takes takes;
};

// The options Qt 6.4 takes out of the command line, each with one dash or two, as its own code
// reads them: QGuiApplicationPrivate::createPlatformIntegration() and init(),
// QApplicationPrivate::process_cmdline(), QCoreApplicationPrivate::processCommandLineArguments(),
// and the X11 platform plug-in's QXcbIntegration. Only the few marked take their value after "=";
// Qt leaves "-platform=NAME" and the like unread, so they are refused. Options of a platform
// plug-in itself ("-platform windows:dpiawareness=1") are part of the -platform value.
inline constexpr QtOption kQtOptions[] = {
    // QGuiApplication, as it chooses and sets up its platform plug-in.
    {"platform", Takes::NextWord},
    {"platformpluginpath", Takes::NextWord},
    {"platformtheme", Takes::NextWord},
    {"qwindowgeometry", Takes::NextWord},
    {"qwindowtitle", Takes::NextWord},
    {"qwindowicon", Takes::NextWord},
    // QGuiApplication.
    {"plugin", Takes::NextWord},
    {"reverse", Takes::Nothing},
    {"session", Takes::NextWord},
    {"testability", Takes::Nothing},
    {"style", Takes::NextWordOrEquals},
    // QApplication ("-qdevel" and "-qdebug" are taken and ignored).
    {"stylesheet", Takes::NextWordOrEquals},
    {"widgetcount", Takes::Nothing},
    {"qdevel", Takes::Nothing},
    {"qdebug", Takes::Nothing},
    // QCoreApplication.
    {"qmljsdebugger", Takes::NextWordOrEquals},
    // The X11 plug-in, and QGuiApplication's X11 names for -qwindowgeometry, -qwindowtitle and
    // -qwindowicon.
    {"display", Takes::NextWord},
    {"name", Takes::NextWord},
    {"visual", Takes::NextWord},
    {"nograb", Takes::Nothing},
    {"dograb", Takes::Nothing},
    {"geometry", Takes::NextWord},
    {"title", Takes::NextWord},
    {"icon", Takes::NextWord},
};

// A word of the command line (with the next word, where that is an option's value), as read.
struct Word {
    enum class Kind {
        Operand, // not an option ("-" among them), or any word after "--"
        Help,    // -h, --help, -?, /?, /h, /help
        Version, // -v, --version, /version
        Reading, // a reading option, spelled with two dashes: kReadingOptions[option]
        Qt,      // one of Qt's options, with one dash or two: kQtOptions[option]
        Unknown, // an option that is neither
    };
    enum class Fault {
        None,
        ValueNotAllowed, // a value after "=" for an option that takes none that way
        ValueMissing,    // the last word, an option that takes the next word
    };

    Kind kind = Kind::Operand;
    std::size_t at = 0;           // the word's place, the program's name being 0
    std::u16string_view name;     // an option's name: without its dashes and what follows "="
    std::u16string_view value;    // an option's value, after "=" or the next word
    bool joined = false;          // the value came after "="
    std::size_t option = 0;       // the option's row in its table
    Fault fault = Fault::None;
};

// The words read in order, the program's name first and not read. The reading stops after the
// first word that ends the command line's reading: help, the version, or a word that is wrong
// (Unknown, or any Fault); what comes after it is never looked at.
std::vector<Word> readWords(const std::vector<std::u16string_view> &words);

// Whether the program ends at word, before any other: help, the version, or a command line it
// refuses.
bool endsReading(const Word &word);

// What a start asks of the program, as the command line decides it.
struct Start {
    // The program prints an answer and ends (help, the version, a reading, or why the command line
    // is wrong), rather than opening its windows.
    bool answers = false;
    // A reading of a file of people from standard input ("--batch -", the last --batch standing).
    bool readsInput = false;
};

Start startOf(const std::vector<Word> &read);

} // namespace CommandLine
