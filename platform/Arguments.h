#pragma once

#include <QString>
#include <QStringList>

// The program's words as they were typed, nothing lost. On Windows the system keeps the command
// line in UTF-16 and main's argv holds it in the ANSI code page, which cannot hold every name or
// path a user types: the words are taken from the system's own copy, split as Windows splits them,
// a lone surrogate kept as it is. Elsewhere argv is bytes, taken as file names are
// (filenames::decoded), so that a path reaches the file system as it was typed, whatever its bytes.
namespace arguments {

QStringList words(int argc, char **argv);

// Why a word cannot be taken as text (a name, a date, a format), or empty when it can: on Linux
// "invalid UTF-8" when its bytes are not UTF-8, on Windows "a lone surrogate, U+D800" when it
// holds one.
QString notText(const QString &word);

} // namespace arguments
