#include "platform/StandardStreams.h"

#include "platform/win/ConsolePipe.h"
#include "platform/win/SystemError.h"

#include <QString>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <fcntl.h>
#include <io.h>
#include <string>
#include <string_view>
#include <windows.h>

namespace standardstreams {

namespace {

QString lastError()
{
    return QString::fromStdWString(systemerror::message(GetLastError()));
}

HANDLE handleOf(DWORD which, FILE *stream)
{
    const HANDLE handle = GetStdHandle(which);
    // A program built for the desktop has none until it takes its parent's console (ParentConsole),
    // which reopens the C streams on it.
    if (handle == nullptr || handle == INVALID_HANDLE_VALUE)
        return reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(stream)));
    return handle;
}

bool isConsole(HANDLE handle)
{
    DWORD mode = 0;
    return GetConsoleMode(handle, &mode) != 0;
}

// A console shows UTF-16 whatever its code page; the bytes are the program's UTF-8 text.
QString writeToConsole(HANDLE console, QByteArrayView bytes)
{
    const QString text = QString::fromUtf8(bytes);
    for (qsizetype done = 0; done < text.size();) {
        // Older consoles refuse long writes; a character's two halves go together.
        qsizetype chunk = std::min<qsizetype>(text.size() - done, 8192);
        if (chunk > 1 && text.at(done + chunk - 1).isHighSurrogate())
            --chunk;
        DWORD written = 0;
        if (!WriteConsoleW(console, text.utf16() + done, static_cast<DWORD>(chunk), &written, nullptr) || written == 0)
            return lastError();
        done += written;
    }
    return {};
}

// Files and pipes take the bytes as they are: no code page and no text mode come between.
QString writeAll(DWORD which, FILE *stream, QByteArrayView bytes)
{
    const HANDLE handle = handleOf(which, stream);
    if (isConsole(handle))
        return writeToConsole(handle, bytes);
    for (qsizetype done = 0; done < bytes.size();) {
        const DWORD chunk = static_cast<DWORD>(std::min<qsizetype>(bytes.size() - done, 1 << 30));
        DWORD written = 0;
        if (!WriteFile(handle, bytes.data() + done, chunk, &written, nullptr) || written == 0) {
            const DWORD error = GetLastError();
            if (which == STD_OUTPUT_HANDLE && isClosedPipe(error))
                endAtClosedPipe();
            return lastError();
        }
        done += written;
    }
    return {};
}

} // namespace

// Windows has no signal for a closed pipe or a file beyond a size limit: the write fails by itself.
void letWritesFail() {}

// Windows gives a process started without a standard handle none (GetStdHandle gives NULL) and
// gives a file it opens a handle of the system's choosing, never a stream's: no file can take a
// closed stream's place.
void keepStreamsOpen() {}

bool isClosedPipe(unsigned long error)
{
    return error == ERROR_NO_DATA || error == ERROR_BROKEN_PIPE || error == ERROR_PIPE_NOT_CONNECTED;
}

void endAtClosedPipe()
{
    std::_Exit(141);
}

QString writeOutput(QByteArrayView bytes)
{
    return writeAll(STD_OUTPUT_HANDLE, stdout, bytes);
}

QString writeError(QByteArrayView bytes)
{
    return writeAll(STD_ERROR_HANDLE, stderr, bytes);
}

bool outputIsTerminal()
{
    const HANDLE output = GetStdHandle(STD_OUTPUT_HANDLE);
    // Without standard output, what is written goes to the console the program was started from.
    if (output == nullptr || output == INVALID_HANDLE_VALUE || isConsole(output))
        return true;
    // larkspire.com serves its console through a pipe that it makes and names after itself
    // (consolepipe): the pipe's own name and the process at its other end tell, which nobody sets
    // by accident, rather than a variable of the environment, which anyone can set and everything
    // the program starts inherits.
    if (GetFileType(output) != FILE_TYPE_PIPE)
        return false;
    ULONG server = 0;
    alignas(FILE_NAME_INFO) char buffer[sizeof(FILE_NAME_INFO) + MAX_PATH * sizeof(wchar_t)];
    const auto *info = reinterpret_cast<const FILE_NAME_INFO *>(buffer);
    if (!GetNamedPipeServerProcessId(output, &server) || !GetFileInformationByHandleEx(output, FileNameInfo, buffer, sizeof buffer))
        return false;
    const std::wstring_view name(info->FileName, info->FileNameLength / sizeof(wchar_t));
    return name.starts_with(L"\\" + std::wstring(consolepipe::kNamePrefix) + std::to_wstring(server) + L"-");
}

bool isTerminal(const QString &path)
{
    // The system takes CONIN$ and CONOUT$ for the console as a whole name, and CON as the last
    // part of any path; its full path then names the device itself.
    const std::wstring name = path.toStdWString();
    const DWORD size = GetFullPathNameW(name.c_str(), 0, nullptr, nullptr);
    std::wstring full(size, L'\0');
    full.resize(size ? GetFullPathNameW(name.c_str(), size, full.data(), nullptr) : 0);
    for (const wchar_t *console : {L"CONIN$", L"CONOUT$", L"\\\\.\\CON", L"\\\\.\\CONIN$", L"\\\\.\\CONOUT$"}) {
        if (_wcsicmp(name.c_str(), console) == 0 || _wcsicmp(full.c_str(), console) == 0)
            return true;
    }
    return false;
}

bool outputIsStream(Stream stream)
{
    const HANDLE output = stream == Stream::Error ? handleOf(STD_ERROR_HANDLE, stderr) : handleOf(STD_OUTPUT_HANDLE, stdout);
    return isConsole(output) || GetFileType(output) == FILE_TYPE_PIPE;
}

std::optional<safefiles::FileIdentity> inputIdentity()
{
    return safefiles::identityOfHandle(reinterpret_cast<qintptr>(handleOf(STD_INPUT_HANDLE, stdin)));
}

std::optional<safefiles::FileIdentity> outputIdentity()
{
    return safefiles::identityOfHandle(reinterpret_cast<qintptr>(handleOf(STD_OUTPUT_HANDLE, stdout)));
}

std::optional<safefiles::FileIdentity> errorIdentity()
{
    return safefiles::identityOfHandle(reinterpret_cast<qintptr>(handleOf(STD_ERROR_HANDLE, stderr)));
}

bool inputIsTerminal()
{
    return isConsole(handleOf(STD_INPUT_HANDLE, stdin));
}

bool errorIsTerminal()
{
    return isConsole(handleOf(STD_ERROR_HANDLE, stderr));
}

// Windows has no names for the program's own streams.
std::optional<Stream> streamNamed(const QString &)
{
    return std::nullopt;
}

bool openInput(QFile &file)
{
    // The C library's text mode would turn CR LF into LF and end the input at a Ctrl+Z.
    (void)_setmode(_fileno(stdin), _O_BINARY);
    return file.open(stdin, QIODevice::ReadOnly);
}

} // namespace standardstreams
