#pragma once
// Readings asked for on the command line, done without any window: no display is looked for, no
// settings are read and no lock is taken. One reading, or one for each row of a file of people,
// goes to standard output, to one file, or as one file for each person into a folder; every file
// goes through the checked, atomic write (platform/SafeFiles).

#include "app/CommandLine.h"

namespace CommandLine {

// Does the readings and returns the program's exit status: 0 when all were written; 1 when a row
// of a file of people failed (each said on standard error as FILE:LINE: reason, the other rows
// still done) or when the output could not be written (said, and the file that was there kept).
int read(const Readings &readings);

// Verdana, which the windows and the report ask for, drawn where it is not installed by the
// system's sans-serif: the report is laid out in the same fonts with or without windows.
void substituteReportFont();

} // namespace CommandLine
