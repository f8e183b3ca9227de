#pragma once
// The program's name and version, as its windows, message boxes and report show them.

#include <QString>

// The program's name, which every text that names the program takes from here.
extern const QString kProductName;
// The executable's name, as the command line's messages and help give it; also the application
// name, which addresses the per-user settings.
extern const QString kExecutableName;
// The caption of every message box and dialog that is given none of its own: the program's name.
extern const QString kApplicationTitle;
// The version, from the build's project version.
extern const QString kVersion;
// The title bar of every window: "Larkspire v" and the version.
extern const QString kWindowTitle;
// The title of a reading, over the results and at the head of the report: "Larkspire Interpretation".
extern const QString kReadingTitle;
