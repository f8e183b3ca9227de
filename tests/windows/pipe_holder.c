/* Runs a command as a shell would, with a pipe of its own open and inheritable, and says, once the
 * command has ended, its status and whether anything it started still holds that pipe:
 * "status 0, pipe free" or "status 0, pipe held". Built and run under Wine by command_line.sh.
 *
 *   pipe_holder.exe COMMAND [ARGUMENTS...]
 */
#include <windows.h>

#include <stdio.h>

int main(void)
{
    SECURITY_ATTRIBUTES inheritable = {sizeof inheritable, NULL, TRUE};
    HANDLE read = NULL;
    HANDLE write = NULL;
    if (!CreatePipe(&read, &write, &inheritable, 0))
        return 1;
    SetHandleInformation(read, HANDLE_FLAG_INHERIT, 0);

    /* The command is what follows this program's own name. */
    wchar_t *command = GetCommandLineW();
    int quoted = 0;
    for (; *command && (quoted || (*command != L' ' && *command != L'\t')); ++command) {
        if (*command == L'"')
            quoted = !quoted;
    }
    while (*command == L' ' || *command == L'\t')
        ++command;

    STARTUPINFOW startup;
    ZeroMemory(&startup, sizeof startup);
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started;
    if (!CreateProcessW(NULL, command, NULL, NULL, TRUE, 0, NULL, NULL, &startup, &started))
        return 1;
    WaitForSingleObject(started.hProcess, INFINITE);
    DWORD status = 1;
    GetExitCodeProcess(started.hProcess, &status);
    CloseHandle(write);
    /* With no write end left anywhere, a peek at the empty pipe fails (ERROR_BROKEN_PIPE). */
    DWORD available = 0;
    const int held = PeekNamedPipe(read, NULL, 0, NULL, &available, NULL);
    printf("status %lu, pipe %s\n", status, held ? "held" : "free");
    return 0;
}
