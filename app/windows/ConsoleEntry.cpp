// The console entry of the Windows build: larkspire.com, beside larkspire.exe.
//
// Windows starts a program built for the desktop, as larkspire.exe is, without waiting for it and
// without a console: a reading asked for from cmd.exe or PowerShell would be printed after the
// prompt had come back, and its status would be lost. Both shells take "larkspire" for
// larkspire.com before larkspire.exe (.COM comes first in PATHEXT). This console program starts
// larkspire.exe beside it with the same arguments, lets it read and write through its own streams,
// waits for it and ends with its status. Streams redirected to a file or a pipe are handed over as
// they are, so bytes (a PDF, say) arrive unchanged; a console is served through a pipe, its text
// turned from the program's UTF-8 into the console's UTF-16, so that it shows whatever the
// console's code page. Standard output and error on the same console share one pipe, so that what
// the program writes arrives in the order it was written; the program is told that its output is
// a console (LARKSPIRE_OUTPUT_IS_CONSOLE=1), where it writes no binary file. Ctrl+C and
// Ctrl+Break end the program.
#include <windows.h>

#include <atomic>
#include <string>

namespace {

// Set once the program has started; read by the console control handler on a thread of its own.
std::atomic<HANDLE> g_program = nullptr;

void say(const std::wstring &text)
{
    const HANDLE error = GetStdHandle(STD_ERROR_HANDLE);
    DWORD mode = 0;
    DWORD written = 0;
    if (GetConsoleMode(error, &mode)) {
        WriteConsoleW(error, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
        return;
    }
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), bytes.data(), size, nullptr, nullptr);
    WriteFile(error, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

std::wstring systemReason(DWORD code)
{
    wchar_t *text = nullptr;
    const DWORD size = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                      nullptr, code, 0, reinterpret_cast<wchar_t *>(&text), 0, nullptr);
    std::wstring reason = size ? std::wstring(text, size) : L"error " + std::to_wstring(code);
    LocalFree(text);
    while (!reason.empty() && (reason.back() == L'\n' || reason.back() == L'\r' || reason.back() == L'.'))
        reason.pop_back();
    return reason;
}

// larkspire.exe in this program's own folder.
std::wstring programBeside()
{
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0)
            return {};
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        path.resize(path.size() * 2);
    }
    const std::size_t dot = path.find_last_of(L".\\/");
    if (dot != std::wstring::npos && path[dot] == L'.')
        path.resize(dot);
    return path + L".exe";
}

// What follows this program's own name on its command line, exactly as it was typed. The name
// ends at the first blank outside quotes; quotes in it take no escapes (the rule Windows itself
// reads the first word of a command line by).
const wchar_t *argumentsOf(const wchar_t *commandLine)
{
    bool quoted = false;
    const wchar_t *p = commandLine;
    for (; *p; ++p) {
        if (*p == L'"')
            quoted = !quoted;
        else if (!quoted && (*p == L' ' || *p == L'\t'))
            break;
    }
    while (*p == L' ' || *p == L'\t')
        ++p;
    return p;
}

bool isConsole(HANDLE handle)
{
    DWORD mode = 0;
    return handle && handle != INVALID_HANDLE_VALUE && GetConsoleMode(handle, &mode);
}

// The bytes of text up to the last whole UTF-8 sequence: a sequence a read cut in two waits for
// the rest.
std::size_t wholeSequences(const std::string &text)
{
    const std::size_t size = text.size();
    for (std::size_t back = 1; back <= 3 && back <= size; ++back) {
        const auto byte = static_cast<unsigned char>(text[size - back]);
        if ((byte & 0xC0) == 0x80)
            continue;
        const std::size_t length = byte >= 0xF0 ? 4 : byte >= 0xE0 ? 3 : byte >= 0xC0 ? 2 : 1;
        return length > back ? size - back : size;
    }
    return size;
}

void writeToConsole(HANDLE console, const std::string &text)
{
    if (text.empty())
        return;
    const int size = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(size), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(), size);
    for (std::size_t done = 0; done < wide.size();) {
        DWORD written = 0;
        if (!WriteConsoleW(console, wide.data() + done, static_cast<DWORD>(wide.size() - done), &written, nullptr) || written == 0)
            return;
        done += written;
    }
}

struct Relay {
    HANDLE from;
    HANDLE to;
};

// The program's output, UTF-8, onto a console, until the program has closed its end.
DWORD WINAPI relayToConsole(void *argument)
{
    const Relay relay = *static_cast<Relay *>(argument);
    std::string pending;
    char buffer[8192];
    DWORD got = 0;
    while (ReadFile(relay.from, buffer, sizeof buffer, &got, nullptr) && got > 0) {
        pending.append(buffer, got);
        const std::size_t whole = wholeSequences(pending);
        writeToConsole(relay.to, pending.substr(0, whole));
        pending.erase(0, whole);
    }
    writeToConsole(relay.to, pending);
    CloseHandle(relay.from);
    return 0;
}

// What is typed on a console, as UTF-8, to the program, until the end of input (Ctrl+Z).
DWORD WINAPI relayFromConsole(void *argument)
{
    const Relay relay = *static_cast<Relay *>(argument);
    wchar_t buffer[4096];
    DWORD got = 0;
    while (ReadConsoleW(relay.from, buffer, 4096, &got, nullptr) && got > 0) {
        DWORD length = got;
        bool end = false;
        for (DWORD i = 0; i < got; ++i) {
            if (buffer[i] == 0x1A) {
                length = i;
                end = true;
                break;
            }
        }
        const int size = WideCharToMultiByte(CP_UTF8, 0, buffer, static_cast<int>(length), nullptr, 0, nullptr, nullptr);
        std::string bytes(static_cast<std::size_t>(size), '\0');
        WideCharToMultiByte(CP_UTF8, 0, buffer, static_cast<int>(length), bytes.data(), size, nullptr, nullptr);
        DWORD written = 0;
        if ((!bytes.empty() && !WriteFile(relay.to, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr)) || end)
            break;
    }
    CloseHandle(relay.to);
    return 0;
}

// An inheritable copy of a stream handed over as it is; nothing when there is no stream.
HANDLE handedOver(HANDLE stream)
{
    HANDLE copy = nullptr;
    if (stream && stream != INVALID_HANDLE_VALUE)
        DuplicateHandle(GetCurrentProcess(), stream, GetCurrentProcess(), &copy, 0, TRUE, DUPLICATE_SAME_ACCESS);
    return copy;
}

// A pipe whose end given is inheritable and whose other end stays here.
bool makePipe(HANDLE &read, HANDLE &write, bool programReads)
{
    SECURITY_ATTRIBUTES inheritable{sizeof inheritable, nullptr, TRUE};
    if (!CreatePipe(&read, &write, &inheritable, 0))
        return false;
    SetHandleInformation(programReads ? write : read, HANDLE_FLAG_INHERIT, 0);
    return true;
}

// Ctrl+C and Ctrl+Break end the program, and this entry with its status. One that comes before the
// program has started is let go, rather than end this entry and leave the program unwaited for.
BOOL WINAPI onConsoleControl(DWORD event)
{
    if (event == CTRL_C_EVENT || event == CTRL_BREAK_EVENT) {
        if (g_program)
            TerminateProcess(g_program.load(), STATUS_CONTROL_C_EXIT);
        return TRUE;
    }
    // Closing the console ends this entry, not the program's windows.
    return FALSE;
}

} // namespace

int main()
{
    const std::wstring program = programBeside();
    std::wstring commandLine = L"\"" + program + L"\" " + argumentsOf(GetCommandLineW());

    const HANDLE input = GetStdHandle(STD_INPUT_HANDLE);
    const HANDLE output = GetStdHandle(STD_OUTPUT_HANDLE);
    const HANDLE error = GetStdHandle(STD_ERROR_HANDLE);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;

    Relay relays[3] = {};
    LPTHREAD_START_ROUTINE routines[3] = {};
    int relayCount = 0;
    const auto relay = [&](HANDLE from, HANDLE to, LPTHREAD_START_ROUTINE routine) {
        relays[relayCount] = {from, to};
        routines[relayCount++] = routine;
    };

    // Standard output and error on a console share one pipe onto it.
    const bool outputIsConsole = isConsole(output);
    const bool errorIsConsole = isConsole(error);
    HANDLE consoleOutput = nullptr; // the program's end of that pipe
    if (outputIsConsole || errorIsConsole) {
        HANDLE read = nullptr;
        if (makePipe(read, consoleOutput, false))
            relay(read, outputIsConsole ? output : error, relayToConsole);
    }
    startup.hStdOutput = outputIsConsole ? consoleOutput : handedOver(output);
    startup.hStdError = errorIsConsole ? consoleOutput : handedOver(error);
    if (isConsole(input)) {
        HANDLE write = nullptr;
        if (makePipe(startup.hStdInput, write, true))
            relay(input, write, relayFromConsole);
    } else {
        startup.hStdInput = handedOver(input);
    }

    SetEnvironmentVariableW(L"LARKSPIRE_OUTPUT_IS_CONSOLE", outputIsConsole ? L"1" : nullptr);
    SetConsoleCtrlHandler(onConsoleControl, TRUE);
    PROCESS_INFORMATION started{};
    if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &started)) {
        say(L"larkspire: cannot start " + program + L": " + systemReason(GetLastError()) + L"\n");
        return 1;
    }
    g_program = started.hProcess;
    CloseHandle(started.hThread);
    // This entry keeps only its own ends: the program's ends close with it, which ends the relays.
    for (HANDLE given : {startup.hStdInput, startup.hStdOutput})
        if (given)
            CloseHandle(given);
    if (startup.hStdError && startup.hStdError != startup.hStdOutput)
        CloseHandle(startup.hStdError);

    HANDLE threads[3] = {};
    int outputThreads = 0;
    for (int i = 0; i < relayCount; ++i) {
        HANDLE thread = CreateThread(nullptr, 0, routines[i], &relays[i], 0, nullptr);
        // The input relay waits on the keyboard: it is not waited for.
        if (thread && routines[i] == relayToConsole)
            threads[outputThreads++] = thread;
    }
    WaitForSingleObject(started.hProcess, INFINITE);
    if (outputThreads)
        WaitForMultipleObjects(static_cast<DWORD>(outputThreads), threads, TRUE, INFINITE);
    DWORD status = 1;
    GetExitCodeProcess(started.hProcess, &status);
    return static_cast<int>(status);
}
