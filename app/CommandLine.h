#pragma once
// What the program does with its command line before any window: --help and --version print and
// end; an option neither Larkspire nor Qt knows is refused as GNU programs refuse one; and a start
// without any display to try ends with one clear line instead of Qt's abort.

#include <cstdio>
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
    std::string display; // the display a -display option names, if any
};

Result handle(int argc, char **argv, std::FILE *out, std::FILE *err);

// The status the program ends with for an outcome other than Run.
int exitStatus(Outcome outcome);

} // namespace CommandLine
