#pragma once
// The program's name and version, as its windows and message boxes show them.

#include <QString>

// The caption of every message box and dialog that is given none of its own.
extern const QString kApplicationTitle;
// The version, from the build's project version.
extern const QString kVersion;
// The title bar of every window: "Larkspire v" and the version.
extern const QString kWindowTitle;
