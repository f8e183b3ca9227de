#pragma once
// What the program does with its command line before any window: --help and --version print and
// end; an option neither Larkspire nor Qt knows is refused as GNU programs refuse one; and a start
// without any display to try ends with one clear line instead of Qt's abort. Nothing is printed
// here: what there is to print comes back, so that the program takes a console only for it.

#include <string>

namespace CommandLine {

enum class Outcome {
    Run,     // go on and start the program
    Done,    // printed what was asked; end with success
    Failed,  // printed why the program cannot run; end with status 1
    Misused, // printed what was wrong with the command line; end with status 2
};

struct Result {
    Outcome outcome = Outcome::Run;
    std::string output;   // for standard output
    std::string error;    // for standard error
    std::string display;  // the display a -display option names, if any
    std::string platform; // the Qt platform plug-in chosen by -platform or QT_QPA_PLATFORM, if any
};

// Reads the command line. QCoreApplication's application name must be set: the help names the
// settings file, which is addressed by it.
Result handle(int argc, const char *const *argv);

// The status the program ends with for an outcome other than Run.
int exitStatus(Outcome outcome);

} // namespace CommandLine
