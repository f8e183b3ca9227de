#pragma once
// What the program does with its command line before any window: --help and --version print and
// end, and a start without a display ends with one clear line instead of Qt's abort.

#include <cstdio>

namespace CommandLine {

enum class Outcome {
    Run,    // go on and start the program
    Done,   // printed what was asked; end with success
    Failed, // printed why the program cannot run; end with failure
};

Outcome handle(int argc, char **argv, std::FILE *out, std::FILE *err);

} // namespace CommandLine
