#include "platform/Display.h"

#include <cstdlib>

namespace {

std::string variable(const char *name)
{
    const char *value = std::getenv(name);
    return value ? value : "";
}

} // namespace

std::string display::missingReason()
{
    if (variable("DISPLAY").empty() && variable("WAYLAND_DISPLAY").empty())
        return "Larkspire needs a graphical display: DISPLAY or WAYLAND_DISPLAY is not set";
    return {};
}

std::string display::describe(const std::string &displayOption)
{
    if (!displayOption.empty())
        return "the X display " + displayOption;
    const std::string x = variable("DISPLAY");
    const std::string wayland = variable("WAYLAND_DISPLAY");
    if (!x.empty() && !wayland.empty())
        return "the Wayland display " + wayland + " or the X display " + x;
    if (!wayland.empty())
        return "the Wayland display " + wayland;
    return "the X display " + x;
}
