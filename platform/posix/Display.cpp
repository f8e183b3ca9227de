#include "platform/Display.h"

#include <QString>

namespace {

std::string variable(const char *name)
{
    return qEnvironmentVariable(name).toStdString();
}

bool startsWith(const std::string &text, const std::string &start)
{
    return text.compare(0, start.size(), start) == 0;
}

// A display named by its variable's value, or by which variable is not set.
std::string named(const std::string &kind, const std::string &value, const char *variableName)
{
    return "the " + kind + " display " + (value.empty() ? "(" + std::string(variableName) + " is not set)" : value);
}

} // namespace

std::string display::missingReason()
{
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        return "needs a graphical display: DISPLAY or WAYLAND_DISPLAY is not set";
    return {};
}

std::string display::describe(const std::string &displayOption, const std::string &platform)
{
    const std::string x = displayOption.empty() ? variable("DISPLAY") : displayOption;
    const std::string wayland = variable("WAYLAND_DISPLAY");
    // A plug-in's name may carry its parameters after a colon ("xcb:...").
    if (startsWith(platform, "xcb"))
        return named("X", x, "DISPLAY");
    if (startsWith(platform, "wayland"))
        return named("Wayland", wayland, "WAYLAND_DISPLAY");
    if (!platform.empty())
        return "a display through Qt's platform plug-in \"" + platform + "\"";
    if (!displayOption.empty())
        return "the X display " + displayOption;
    if (!x.empty() && !wayland.empty())
        return "the Wayland display " + wayland + " or the X display " + x;
    if (!wayland.empty())
        return named("Wayland", wayland, "WAYLAND_DISPLAY");
    return named("X", x, "DISPLAY");
}

// Qt says which plug-in it could not find, and lists those there are, without waiting for anyone.
std::string display::missingPlatform(const std::string &)
{
    return {};
}

// Qt's offscreen plug-in, with fontconfig's fonts.
const char *display::readingPlatform()
{
    return "offscreen";
}
