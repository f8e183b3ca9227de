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

// The standard streams that a reading may go to.
enum class Stream { Output, Error };

// Gives each of standard input, output and error that is closed at start a stand-in on the null
// device, before any file is opened: a file would otherwise take the stream's number and receive
// what is meant for the stream (messages in the output file). The stand-in is opened the wrong way
// round, as GNU tools open theirs, so that using the stream fails as using a closed one would,
// rather than succeeding into nothing.
void keepStreamsOpen();

// From here on a write to a pipe whose reader has gone, or one beyond the file size limit
// (ulimit -f), fails instead of ending the program at once (SIGPIPE, SIGXFSZ): the program ends a
// closed pipe quietly itself (endAtClosedPipe) where nothing is left behind, and says that a file
// is too large, as it says it of any file it writes.
void letWritesFail();

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

// Whether standard output, input or error is a terminal (a console), where a binary file has no
// place and someone may watch each line.
bool outputIsTerminal();
bool inputIsTerminal();
bool errorIsTerminal();

// Which of standard output and error path names through the system's names for the program's own
// streams (/dev/stdout, /dev/stderr, /dev/fd/1, /proc/self/fd/2), if it names one. Such a name is
// that stream, whatever it is (a file the shell opened, perhaps for appending), and is written as
// the stream is written.
std::optional<Stream> streamNamed(const QString &path);

// Whether the file an output or input path names is a terminal, as standard output may be: on
// Windows the console, by any of its names (CON in any folder and with any extension, CONOUT$,
// CONIN$); on Linux a terminal device (/dev/tty).
bool isTerminal(const QString &path);

// Whether standard output (or error) is a terminal or a pipe, where a reader may wait on each part
// as it comes.
bool outputIsStream(Stream stream = Stream::Output);

// The identity of the regular file that standard input, output or error is, if it is one.
std::optional<safefiles::FileIdentity> inputIdentity();
std::optional<safefiles::FileIdentity> outputIdentity();
std::optional<safefiles::FileIdentity> errorIdentity();

// Opens standard input in file for reading, byte for byte as it comes.
bool openInput(QFile &file);

} // namespace standardstreams
