// The console entry of the Windows build: larkspire.com, beside larkspire.exe.
//
// Windows starts a program built for the desktop, as larkspire.exe is, without waiting for it and
// without a console: a reading asked for from cmd.exe or PowerShell would be printed after the
// prompt had come back, and its status would be lost. Both shells take "larkspire" for
// larkspire.com before larkspire.exe (.COM comes first in PATHEXT). This console program starts
// larkspire.exe beside it with the same arguments and hands it its standard streams, and nothing
// else of its own. A console is served through a pipe, its text turned from the program's UTF-8
// into the console's UTF-16, so that it shows whatever the console's code page. Standard output
// and error on the same console share one pipe, so that what the program writes arrives in the
// order it was written; the pipe's name tells the program that its output is a console
// (platform/win/ConsolePipe.h), where it writes no binary file.
//
// A start that answers (help, the version, a reading) is waited for: this entry ends with the
// program's status once the program has ended and what it wrote has been passed on. Streams
// redirected to a file or a pipe are handed to it as they are, so bytes (a PDF, say) arrive
// unchanged and a failed write is the program's to tell. The keyboard is read for the program
// only when the reading reads standard input ("--batch -"): otherwise what is typed meanwhile
// stays with the console and reaches the shell afterwards. Any other start opens the windows, and
// this entry ends as soon as the program is ready for input (its window is up), leaving it
// running, as a desktop program started from a console does; a start that fails before that (a
// refused option, a missing platform plug-in) still says why and ends with its status. Its output
// goes through pipes of this entry's, wherever it is redirected, so that the windows hold nothing
// of the caller's open. Ctrl+C and Ctrl+Break end the program while this entry waits; a file it was
// writing is left as it was, and its temporary file goes with it (platform/win/SafeFiles.cpp). A
// start that answers ends with this entry, however this entry ends (its console closed, the entry
// killed), as a console program does: unseen, it would write on into files for no one.
#include "app/CommandWords.h"
#include "platform/win/ConsolePipe.h"
#include "platform/win/SystemError.h"

#include <windows.h>

#include <shellapi.h>

#include <algorithm>
#include <atomic>
#include <cwchar>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

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

// What this start asks the program for, read from its words by the program's own reader. A command
// line that cannot be split is waited for, as a reading is.
CommandLine::Start askedOnThisCommandLine()
{
    int count = 0;
    wchar_t **words = CommandLineToArgvW(GetCommandLineW(), &count);
    if (!words)
        return {true, false};
    // wchar_t holds UTF-16 on Windows: each unit is copied as it is.
    std::vector<std::u16string> copies;
    for (int i = 0; i < count; ++i)
        copies.emplace_back(words[i], words[i] + std::wcslen(words[i]));
    LocalFree(words);
    return CommandLine::startOf(CommandLine::readWords(std::vector<std::u16string_view>(copies.begin(), copies.end())));
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

// The program's output, from a pipe it writes into, to where this entry's own stream goes: onto a
// console as UTF-16 (the program writes UTF-8), elsewhere byte for byte. This end of the pipe is
// read asynchronously, so that this entry can wait for the program and its output at once, and
// stop once the program has ended and the pipe is empty: another process may hold the program's
// end for longer (Wine's desktop process, started by the program, inherits its error stream), so
// the end of the pipe is not waited for.
class OutputRelay {
public:
    OutputRelay(HANDLE pipe, HANDLE to, bool console)
        : m_pipe(pipe)
        , m_to(to)
        , m_console(console)
        , m_event(CreateEventW(nullptr, TRUE, FALSE, nullptr))
    {
        m_overlapped.hEvent = m_event;
        read();
    }

    // Signalled when a read has come in (or the pipe has broken).
    HANDLE event() const { return m_event; }
    bool open() const { return m_reading; }

    // Passes on what a signalled read brought and reads on while the pipe is open (or, with
    // more, while it holds more).
    void take(bool more = false)
    {
        DWORD got = 0;
        const bool read = GetOverlappedResult(m_pipe, &m_overlapped, &got, TRUE);
        m_reading = false;
        pass(got);
        if (read || got || more)
            this->read();
    }

    // Passes on all that is in the pipe now, without waiting for more.
    void drain()
    {
        while (m_reading) {
            DWORD available = 0;
            const bool more = PeekNamedPipe(m_pipe, nullptr, 0, nullptr, &available, nullptr) && available > 0;
            if (!more && WaitForSingleObject(m_event, 0) != WAIT_OBJECT_0)
                CancelIo(m_pipe);
            // A read cancelled when it had already taken data still brings it.
            take(more);
        }
        if (m_console)
            writeToConsole(m_to, m_pending);
        m_pending.clear();
    }

private:
    void read()
    {
        ResetEvent(m_event);
        m_reading = ReadFile(m_pipe, m_buffer, sizeof m_buffer, nullptr, &m_overlapped) || GetLastError() == ERROR_IO_PENDING;
    }

    void pass(DWORD got)
    {
        if (!m_console) {
            DWORD written = 0;
            for (DWORD done = 0; done < got && WriteFile(m_to, m_buffer + done, got - done, &written, nullptr) && written; done += written) {
            }
            return;
        }
        m_pending.append(m_buffer, got);
        const std::size_t whole = wholeSequences(m_pending);
        writeToConsole(m_to, m_pending.substr(0, whole));
        m_pending.erase(0, whole);
    }

    HANDLE m_pipe;
    HANDLE m_to;
    bool m_console;
    HANDLE m_event;
    OVERLAPPED m_overlapped{};
    bool m_reading = false;
    std::string m_pending;
    char m_buffer[65536];
};

struct InputRelay {
    HANDLE console;
    HANDLE program;
};

// What is typed on a console, as UTF-8, to the program, until the end of input (Ctrl+Z).
DWORD WINAPI relayFromConsole(void *argument)
{
    const InputRelay relay = *static_cast<InputRelay *>(argument);
    wchar_t buffer[4096];
    DWORD got = 0;
    while (ReadConsoleW(relay.console, buffer, 4096, &got, nullptr) && got > 0) {
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
        if ((!bytes.empty() && !WriteFile(relay.program, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr)) || end)
            break;
    }
    CloseHandle(relay.program);
    return 0;
}

// Ends when the program is ready for input (its first window is up and waiting for the user) or
// has ended; its status is WaitForInputIdle's.
DWORD WINAPI waitUntilReady(void *program)
{
    return WaitForInputIdle(static_cast<HANDLE>(program), INFINITE);
}

// An inheritable copy of a stream handed over as it is; nothing when there is no stream.
HANDLE handedOver(HANDLE stream)
{
    HANDLE copy = nullptr;
    if (stream && stream != INVALID_HANDLE_VALUE)
        DuplicateHandle(GetCurrentProcess(), stream, GetCurrentProcess(), &copy, 0, TRUE, DUPLICATE_SAME_ACCESS);
    return copy;
}

// A pipe the program writes into: an inheritable end for the program, and an end here that is
// read asynchronously (which only a named pipe allows). A pipe onto a console is named so
// (consolepipe), which is how the program knows it. Its name is new: a pipe of an earlier entry
// with this process number may still be held open by a process its program started.
bool makeOutputPipe(bool console, HANDLE &here, HANDLE &program)
{
    std::wstring name;
    here = INVALID_HANDLE_VALUE;
    const std::wstring prefix = console ? std::wstring(consolepipe::kNamePrefix) : L"larkspire-output-";
    for (int attempt = 0; attempt < 16 && here == INVALID_HANDLE_VALUE; ++attempt) {
        LARGE_INTEGER now{};
        QueryPerformanceCounter(&now);
        name = L"\\\\.\\pipe\\" + prefix + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(now.QuadPart);
        here = CreateNamedPipeW(name.c_str(), PIPE_ACCESS_INBOUND | FILE_FLAG_OVERLAPPED | FILE_FLAG_FIRST_PIPE_INSTANCE,
                                PIPE_TYPE_BYTE | PIPE_WAIT | PIPE_REJECT_REMOTE_CLIENTS, 1, 0, 65536, 0, nullptr);
    }
    if (here == INVALID_HANDLE_VALUE)
        return false;
    SECURITY_ATTRIBUTES inheritable{sizeof inheritable, nullptr, TRUE};
    program = CreateFileW(name.c_str(), GENERIC_WRITE, 0, &inheritable, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (program == INVALID_HANDLE_VALUE) {
        CloseHandle(here);
        return false;
    }
    return true;
}

// A pipe the program reads from, its end here not inherited.
bool makeInputPipe(HANDLE &program, HANDLE &here)
{
    SECURITY_ATTRIBUTES inheritable{sizeof inheritable, nullptr, TRUE};
    if (!CreatePipe(&program, &here, &inheritable, 0))
        return false;
    SetHandleInformation(here, HANDLE_FLAG_INHERIT, 0);
    return true;
}

// Starts the program with exactly the given standard handles inherited, none of this entry's
// other inheritable handles (a caller's pipe among them) with them.
bool startProgram(const std::wstring &program, std::wstring &commandLine, const HANDLE (&streams)[3], DWORD flags,
                  PROCESS_INFORMATION &started)
{
    std::vector<HANDLE> inherited;
    for (HANDLE stream : streams) {
        if (stream && std::find(inherited.begin(), inherited.end(), stream) == inherited.end())
            inherited.push_back(stream);
    }
    STARTUPINFOEXW startup{};
    startup.StartupInfo.cb = sizeof startup;
    startup.StartupInfo.dwFlags = STARTF_USESTDHANDLES;
    startup.StartupInfo.hStdInput = streams[0];
    startup.StartupInfo.hStdOutput = streams[1];
    startup.StartupInfo.hStdError = streams[2];
    SIZE_T size = 0;
    InitializeProcThreadAttributeList(nullptr, 1, 0, &size);
    std::vector<char> attributes(size);
    startup.lpAttributeList = reinterpret_cast<LPPROC_THREAD_ATTRIBUTE_LIST>(attributes.data());
    if (!InitializeProcThreadAttributeList(startup.lpAttributeList, 1, 0, &size))
        return false;
    const bool listed = inherited.empty()
        || UpdateProcThreadAttribute(startup.lpAttributeList, 0, PROC_THREAD_ATTRIBUTE_HANDLE_LIST, inherited.data(),
                                     inherited.size() * sizeof(HANDLE), nullptr, nullptr);
    const bool ok = listed
        && CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, !inherited.empty(),
                          EXTENDED_STARTUPINFO_PRESENT | flags, nullptr, nullptr, &startup.StartupInfo, &started);
    const DWORD error = GetLastError();
    DeleteProcThreadAttributeList(startup.lpAttributeList);
    SetLastError(error);
    return ok;
}

// A job that ends its processes when its last handle, this entry's own, is closed: by the system
// when this entry ends, whatever way. The processes the program starts leave it (Wine starts its
// desktop's process from the program's, which outlives the program).
HANDLE jobEndingWithThisEntry()
{
    const HANDLE job = CreateJobObjectW(nullptr, nullptr);
    JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
    limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE | JOB_OBJECT_LIMIT_SILENT_BREAKAWAY_OK;
    if (job && !SetInformationJobObject(job, JobObjectExtendedLimitInformation, &limits, sizeof limits)) {
        CloseHandle(job);
        return nullptr;
    }
    return job;
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
    // Closing the console ends this entry, and with it a reading (its job), not the program's
    // windows.
    return FALSE;
}

} // namespace

int main()
{
    const std::wstring program = programBeside();
    std::wstring commandLine = L"\"" + program + L"\" " + argumentsOf(GetCommandLineW());
    const CommandLine::Start asked = askedOnThisCommandLine();

    const HANDLE input = GetStdHandle(STD_INPUT_HANDLE);
    const HANDLE output = GetStdHandle(STD_OUTPUT_HANDLE);
    const HANDLE error = GetStdHandle(STD_ERROR_HANDLE);
    HANDLE streams[3] = {}; // the program's standard input, output and error

    // A console is served through a pipe, which standard output and error share when both are on
    // it. A start that opens the windows outlives this entry: a file or pipe of the caller's is
    // served through a pipe too, so that the program does not hold it open while its windows are.
    std::vector<std::unique_ptr<OutputRelay>> relays;
    HANDLE consoleEnd = nullptr; // the program's end of the pipe onto the console
    const auto servedStream = [&](HANDLE stream) -> HANDLE {
        const bool console = isConsole(stream);
        if (console && consoleEnd)
            return consoleEnd;
        if (!console && (asked.answers || !stream || stream == INVALID_HANDLE_VALUE))
            return handedOver(stream);
        HANDLE here = nullptr;
        HANDLE programEnd = nullptr;
        if (!makeOutputPipe(console, here, programEnd))
            return nullptr;
        relays.push_back(std::make_unique<OutputRelay>(here, stream, console));
        return console ? consoleEnd = programEnd : programEnd;
    };
    streams[1] = servedStream(output);
    streams[2] = servedStream(error);
    // The keyboard is left to the shell unless the program reads it; the windows read nothing.
    InputRelay keyboard{input, nullptr};
    if (!isConsole(input))
        streams[0] = asked.answers ? handedOver(input) : nullptr;
    else if (asked.readsInput && !makeInputPipe(streams[0], keyboard.program))
        streams[0] = nullptr;

    SetConsoleCtrlHandler(onConsoleControl, TRUE);
    // The program joins the job before it runs a single instruction. Where it cannot (a job of the
    // caller's that forbids it), it runs all the same, as it would have run without this entry.
    const HANDLE job = asked.answers ? jobEndingWithThisEntry() : nullptr;
    PROCESS_INFORMATION started{};
    if (!startProgram(program, commandLine, streams, job ? CREATE_SUSPENDED : 0, started)) {
        say(L"larkspire: cannot start " + program + L": " + systemerror::message(GetLastError()) + L"\n");
        return 1;
    }
    if (job) {
        AssignProcessToJobObject(job, started.hProcess);
        ResumeThread(started.hThread);
    }
    g_program = started.hProcess;
    CloseHandle(started.hThread);
    // This entry keeps only its own ends: the program's ends close with it.
    for (int i = 0; i < 3; ++i) {
        if (streams[i] && (i < 2 || streams[2] != streams[1]))
            CloseHandle(streams[i]);
    }
    if (keyboard.program)
        CloseHandle(CreateThread(nullptr, 0, relayFromConsole, &keyboard, 0, nullptr));

    std::vector<HANDLE> waited{started.hProcess};
    const HANDLE ready = asked.answers ? nullptr : CreateThread(nullptr, 0, waitUntilReady, started.hProcess, 0, nullptr);
    if (ready)
        waited.push_back(ready);
    for (;;) {
        std::vector<HANDLE> handles = waited;
        for (const auto &relay : relays) {
            if (relay->open())
                handles.push_back(relay->event());
        }
        const DWORD which = WaitForMultipleObjects(static_cast<DWORD>(handles.size()), handles.data(), FALSE, INFINITE);
        const HANDLE signalled = which < handles.size() ? handles[which] : nullptr;
        if (!signalled || signalled == started.hProcess)
            break;
        if (signalled != ready) {
            for (const auto &relay : relays) {
                if (relay->open() && relay->event() == signalled)
                    relay->take();
            }
            continue;
        }
        // Ready for input and still running: its windows are up. Not ready (WaitForInputIdle failed,
        // so that it cannot be told): the program is waited for to its end, as a reading is.
        DWORD readiness = WAIT_FAILED;
        GetExitCodeThread(ready, &readiness);
        waited.pop_back();
        if (readiness == 0 && WaitForSingleObject(started.hProcess, 0) == WAIT_TIMEOUT) {
            for (const auto &relay : relays)
                relay->drain();
            return 0;
        }
    }
    for (const auto &relay : relays)
        relay->drain();
    DWORD status = 1;
    GetExitCodeProcess(started.hProcess, &status);
    return static_cast<int>(status);
}
