#pragma once

#include "platform/FileIdentity.h"

#include <QByteArrayView>
#include <QFile>
#include <QString>

#include <optional>

// The program's standard output and error, written to directly by the system, so that a write that
// fails (a full disk) says why instead of being lost in a buffer, and a pipe whose reader has gone
// ends the program quietly, as it ends GNU tools.
namespace standardstreams {

// From here on a write to a pipe whose reader has gone fails instead of ending the program at
// once, so that the program can end it quietly itself (endAtClosedPipe) where nothing is left
// behind.
void letClosedPipesFailWrites();

// Ends the program as a pipe whose reader has gone ends GNU tools: quietly, killed by SIGPIPE on
// Linux (a shell shows status 141); on Windows, which has no such signal, with status 141
// too, as Git for Windows ends, so that a script sees the same status on both.
[[noreturn]] void endAtClosedPipe();

// Whether the system's code for a failed write means a pipe whose reader has gone: EPIPE; on
// Windows ERROR_NO_DATA, ERROR_BROKEN_PIPE, or ERROR_PIPE_NOT_CONNECTED as Wine says it.
bool isClosedPipe(unsigned long error);

// Writes all of bytes to standard output or standard error. Empty on success, otherwise the
// system's reason ("No space left on device"). The bytes go as they are, except onto a Windows
// console, which is given the UTF-8 text they hold as the UTF-16 it shows in any code page.
// Standard output closed by its reader ends the program (endAtClosedPipe): it is written only
// where no file waits to be put in place. A closed standard error is a write that fails.
QString writeOutput(QByteArrayView bytes);
QString writeError(QByteArrayView bytes);

// Whether standard output is a terminal (a console), where a binary file has no place.
bool outputIsTerminal();

// Whether standard output is a terminal or a pipe, where a reader may wait on each part as it
// comes.
bool outputIsStream();

// The identity of the regular file that standard input or output is, if it is one.
std::optional<safefiles::FileIdentity> inputIdentity();
std::optional<safefiles::FileIdentity> outputIdentity();

// Opens standard input in file for reading, byte for byte as it comes.
bool openInput(QFile &file);

} // namespace standardstreams
