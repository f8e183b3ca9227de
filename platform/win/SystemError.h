#pragma once

#include <string>

// The system's own words for a Windows error code, in the user's language: one line without a
// final full stop ("Access denied"), to follow a colon as the program's messages have it. Plain
// C++, so that the console entry (larkspire.com, which has no Qt) says a failure as the program
// does.
namespace systemerror {

std::wstring message(unsigned long code);

} // namespace systemerror
