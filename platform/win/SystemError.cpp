#include "platform/win/SystemError.h"

#include <windows.h>

namespace systemerror {

// FormatMessageW rather than std::system_category(), whose text is in the ANSI code page (not
// UTF-8) and which gives no text at all for a message with inserts.
std::wstring message(unsigned long code)
{
    wchar_t *text = nullptr;
    const DWORD length = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM
                                            | FORMAT_MESSAGE_IGNORE_INSERTS,
                                        nullptr, code, 0, reinterpret_cast<wchar_t *>(&text), 0, nullptr);
    std::wstring said;
    for (DWORD i = 0; i < length; ++i) {
        if (text[i] != L'\r')
            said += text[i] == L'\n' ? L' ' : text[i];
    }
    LocalFree(text);
    while (!said.empty() && (said.back() == L' ' || said.back() == L'.'))
        said.pop_back();
    const std::size_t start = said.find_first_not_of(L' ');
    if (start == std::wstring::npos)
        return L"Error " + std::to_wstring(code);
    return said.substr(start);
}

} // namespace systemerror
