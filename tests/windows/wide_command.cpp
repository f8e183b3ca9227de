// Runs what follows this program's name on its command line, each "\uXXXX" in it made that one
// UTF-16 code unit (a lone surrogate, which no console or batch file can type), with this
// program's standard handles, and ends with its status.
#include <windows.h>

#include <cwchar>
#include <string>

int main()
{
    const wchar_t *given = GetCommandLineW();
    for (bool quoted = false; *given && (quoted || (*given != L' ' && *given != L'\t')); ++given)
        quoted ^= *given == L'"';
    std::wstring line = given + wcsspn(given, L" \t");
    for (std::size_t at; (at = line.find(L"\\u")) != std::wstring::npos;)
        line.replace(at, 6, 1, static_cast<wchar_t>(std::stoul(line.substr(at + 2, 4), nullptr, 16)));
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    HANDLE *const handles[] = {&startup.hStdInput, &startup.hStdOutput, &startup.hStdError};
    const DWORD kinds[] = {STD_INPUT_HANDLE, STD_OUTPUT_HANDLE, STD_ERROR_HANDLE};
    for (int i = 0; i < 3; ++i)
        DuplicateHandle(GetCurrentProcess(), GetStdHandle(kinds[i]), GetCurrentProcess(), handles[i], 0, TRUE,
                        DUPLICATE_SAME_ACCESS);
    PROCESS_INFORMATION started{};
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &started))
        return 127;
    WaitForSingleObject(started.hProcess, INFINITE);
    DWORD status = 1;
    GetExitCodeProcess(started.hProcess, &status);
    return static_cast<int>(status);
}
