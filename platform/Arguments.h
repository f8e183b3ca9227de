#pragma once

#include <string>
#include <vector>

// The program's arguments as UTF-8 text, whatever the system's code page. On Windows the system
// keeps the command line in UTF-16 and main's argv holds it in the ANSI code page, which cannot
// hold every name or path a user types: the words are taken from the system's own copy, split as
// Windows splits them. Elsewhere argv is already what was typed, and is taken as it is.
namespace arguments {

std::vector<std::string> inUtf8(int argc, char **argv);

} // namespace arguments
