#include "platform/ParentConsole.h"

#include <cstdio>
#include <windows.h>

namespace {

bool hasStream(DWORD which)
{
    const HANDLE handle = GetStdHandle(which);
    return handle != nullptr && handle != INVALID_HANDLE_VALUE;
}

} // namespace

ParentConsole::ParentConsole()
{
    // Streams already given (redirected to a file or a pipe) stay as they are.
    const bool hasOutput = hasStream(STD_OUTPUT_HANDLE);
    const bool hasError = hasStream(STD_ERROR_HANDLE);
    if (hasOutput && hasError)
        return;
    if (!AttachConsole(ATTACH_PARENT_PROCESS))
        return;
    m_attached = true;
    if (!hasOutput)
        m_reopenedOutput = std::freopen("CONOUT$", "w", stdout) != nullptr;
    if (!hasError)
        m_reopenedError = std::freopen("CONOUT$", "w", stderr) != nullptr;
}

ParentConsole::~ParentConsole()
{
    if (!m_attached)
        return;
    std::fflush(stdout);
    std::fflush(stderr);
    // The streams let go of the console's buffer before the console is let go.
    if (m_reopenedOutput)
        (void)!std::freopen("NUL", "w", stdout);
    if (m_reopenedError)
        (void)!std::freopen("NUL", "w", stderr);
    FreeConsole();
}
