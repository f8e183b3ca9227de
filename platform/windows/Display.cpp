#include "platform/Display.h"

// Windows always has its desktop to show windows on.

std::string display::missingReason()
{
    return {};
}

std::string display::describe(const std::string &, const std::string &platform)
{
    if (!platform.empty() && platform.compare(0, 7, "windows") != 0)
        return "a display through Qt's platform plug-in \"" + platform + "\"";
    return "the Windows desktop";
}
