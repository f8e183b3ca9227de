#include "platform/Display.h"

// Windows always has its desktop to show windows on.

std::string display::missingReason()
{
    return {};
}

std::string display::describe(const std::string &)
{
    return "the Windows desktop";
}
