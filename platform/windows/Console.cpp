#include "platform/Console.h"

#include <cstdio>
#include <windows.h>

namespace {

bool hasStream(DWORD which)
{
    const HANDLE handle = GetStdHandle(which);
    return handle != nullptr && handle != INVALID_HANDLE_VALUE;
}

} // namespace

void useParentConsole()
{
    // Streams already given (redirected to a file or a pipe) stay as they are.
    if (hasStream(STD_OUTPUT_HANDLE) && hasStream(STD_ERROR_HANDLE))
        return;
    if (!AttachConsole(ATTACH_PARENT_PROCESS))
        return;
    if (!hasStream(STD_OUTPUT_HANDLE))
        (void)!std::freopen("CONOUT$", "w", stdout);
    if (!hasStream(STD_ERROR_HANDLE))
        (void)!std::freopen("CONOUT$", "w", stderr);
}
