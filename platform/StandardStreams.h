#pragma once

#include <QByteArrayView>
#include <QFile>
#include <QString>

// The program's standard output and error, written to directly by the system, so that a write that
// fails (a full disk, a closed pipe) says why instead of being lost in a buffer.
namespace standardstreams {

// From here on a write to a pipe whose reader has gone fails with the system's reason instead of
// ending the program.
void letClosedPipesFailWrites();

// Writes all of bytes to standard output or standard error. Empty on success, otherwise the
// system's reason ("No space left on device", "Broken pipe"). The bytes go as they are, except
// onto a Windows console, which is given the UTF-8 text they hold as the UTF-16 it shows in any
// code page.
QString writeOutput(QByteArrayView bytes);
QString writeError(QByteArrayView bytes);

// Whether standard output is a terminal (a console), where a binary file has no place.
bool outputIsTerminal();

// Opens standard input in file for reading, byte for byte as it comes.
bool openInput(QFile &file);

} // namespace standardstreams
