#include "platform/Display.h"

#include <cstdlib>

namespace {

std::string variable(const char *name)
{
    const char *value = std::getenv(name);
    return value ? value : "";
}

bool startsWith(const std::string &text, const std::string &start)
{
    return text.compare(0, start.size(), start) == 0;
}

} // namespace

std::string display::missingReason()
{
    if (variable("DISPLAY").empty() && variable("WAYLAND_DISPLAY").empty())
        return "Larkspire needs a graphical display: DISPLAY or WAYLAND_DISPLAY is not set";
    return {};
}

std::string display::describe(const std::string &displayOption, const std::string &platform)
{
    const std::string x = displayOption.empty() ? variable("DISPLAY") : displayOption;
    const std::string wayland = variable("WAYLAND_DISPLAY");
    // A plug-in's name may carry its parameters after a colon ("xcb:...").
    if (startsWith(platform, "xcb"))
        return "the X display " + x;
    if (startsWith(platform, "wayland"))
        return "the Wayland display " + wayland;
    if (!platform.empty())
        return "a display through Qt's platform plug-in \"" + platform + "\"";
    if (!displayOption.empty())
        return "the X display " + displayOption;
    if (!x.empty() && !wayland.empty())
        return "the Wayland display " + wayland + " or the X display " + x;
    if (!wayland.empty())
        return "the Wayland display " + wayland;
    return "the X display " + x;
}
