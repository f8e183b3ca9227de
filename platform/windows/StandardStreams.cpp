#include "platform/StandardStreams.h"

#include <algorithm>
#include <cstdio>
#include <io.h>
#include <system_error>
#include <windows.h>

namespace standardstreams {

namespace {

QString writeAll(DWORD which, FILE *stream, QByteArrayView bytes)
{
    HANDLE handle = GetStdHandle(which);
    // A program built for the desktop has none until it takes its parent's console (ParentConsole),
    // which reopens the C streams on it.
    if (handle == nullptr || handle == INVALID_HANDLE_VALUE)
        handle = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(stream)));
    for (qsizetype done = 0; done < bytes.size();) {
        const DWORD chunk = static_cast<DWORD>(std::min<qsizetype>(bytes.size() - done, 1 << 30));
        DWORD written = 0;
        if (!WriteFile(handle, bytes.data() + done, chunk, &written, nullptr) || written == 0)
            return QString::fromStdString(std::system_category().message(static_cast<int>(GetLastError())));
        done += written;
    }
    return {};
}

} // namespace

// Windows has no signal for a closed pipe: the write fails by itself.
void letClosedPipesFailWrites() {}

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
    return GetFileType(GetStdHandle(STD_OUTPUT_HANDLE)) == FILE_TYPE_CHAR;
}

} // namespace standardstreams
