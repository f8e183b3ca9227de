#pragma once

#include <string_view>

// The pipe through which larkspire.com serves its console to the program: its name is this, then
// the entry's process number, a dash and a number of its own. Plain C++, for the entry (which has
// no Qt) and the program's standard streams alike.
namespace consolepipe {

inline constexpr std::wstring_view kNamePrefix = L"larkspire-console-";

} // namespace consolepipe
