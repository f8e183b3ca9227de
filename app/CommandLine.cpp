#include "app/CommandLine.h"

#include "model/Product.h"
#include "platform/Display.h"

#include <cstdlib>
#include <cstring>
#include <string_view>

namespace CommandLine {

namespace {

const char *const kUsage =
    "Usage: larkspire [--help] [--version] [Qt options]\n"
    "\n"
    "Larkspire computes a Kabbalah numerology reading (lucky number, lucky colour, money number\n"
    "and health numbers) from a name and a date and time of birth, and composes a report that can\n"
    "be saved as an RTF file or printed.\n"
    "\n"
    "Options:\n"
    "  -h, --help     Show this help and exit.\n"
    "  -v, --version  Show the version and exit.\n"
    "Qt's own options (-platform NAME, -display NAME, -style NAME, -reverse, ...) work as in any\n"
    "Qt program.\n"
    "\n"
    "Larkspire keeps one setting, the date of its last update reminder, in\n"
    "$XDG_CONFIG_HOME/larkspire/larkspire.conf (normally ~/.config/larkspire/larkspire.conf).\n"
    "\n"
    "Report bugs to: <larkspire@example.com>\n"
    "Larkspire home page: <https://www.example.com/larkspire/>\n";

const char *const kLicence =
    "Copyright (C) 2026 Larkspire developers.\n"
    "License Expat (MIT): <https://spdx.org/licenses/MIT.html>.\n"
    "This is free software: you are free to change and redistribute it.\n"
    "There is NO WARRANTY, to the extent permitted by law.\n";

// Qt's options that take a value, as the next argument or after "=".
constexpr std::string_view kQtOptionsWithValue[] = {
    "platform", "platformpluginpath", "platformtheme", "plugin", "qwindowgeometry", "qwindowicon",
    "qwindowtitle", "session", "display", "geometry", "style", "stylesheet", "name", "title", "visual",
    "qmljsdebugger", "dialogs", "fontengine", "darkmode",
};
// Qt's options that stand alone.
constexpr std::string_view kQtFlags[] = {"reverse", "widgetcount", "nograb", "dograb", "sync", "testability"};

template <std::size_t N>
bool contains(const std::string_view (&names)[N], std::string_view name)
{
    for (std::string_view known : names) {
        if (known == name)
            return true;
    }
    return false;
}

bool isSet(const char *name)
{
    const char *value = std::getenv(name);
    return value && *value;
}

} // namespace

Result handle(int argc, char **argv, std::FILE *out, std::FILE *err)
{
    Result result;
    bool platformChosen = isSet("QT_QPA_PLATFORM");
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--help" || arg == "-h" || arg == "-?") {
            std::fputs(kUsage, out);
            return {Outcome::Done, {}};
        }
        if (arg == "--version" || arg == "-v") {
            std::fprintf(out, "%s %s\n%s", qPrintable(kApplicationTitle), qPrintable(kVersion), kLicence);
            return {Outcome::Done, {}};
        }
        if (arg.size() < 2 || arg[0] != '-')
            continue;
        // Qt takes its options with one dash or two, their values after "=" or as the next word.
        std::string_view name = arg.substr(arg[1] == '-' ? 2 : 1);
        std::string_view value;
        bool hasValue = false;
        if (const auto equals = name.find('='); equals != std::string_view::npos) {
            value = name.substr(equals + 1);
            name = name.substr(0, equals);
            hasValue = true;
        }
        if (contains(kQtOptionsWithValue, name)) {
            if (!hasValue && i + 1 < argc) {
                value = argv[++i];
                hasValue = true;
            }
            if (name == "platform" && hasValue && !value.empty())
                platformChosen = true;
            if (name == "display" && hasValue)
                result.display = value;
            continue;
        }
        if (!hasValue && contains(kQtFlags, name))
            continue;
        std::fprintf(err, "larkspire: unrecognized option '%s'\nTry 'larkspire --help' for more information.\n",
                     argv[i]);
        return {Outcome::Misused, {}};
    }
    // A platform chosen explicitly (offscreen, vnc, ...) needs no display of ours to check.
    if (!platformChosen && result.display.empty()) {
        const std::string missing = display::missingReason();
        if (!missing.empty()) {
            std::fprintf(err, "%s\n", missing.c_str());
            return {Outcome::Failed, {}};
        }
    }
    return result;
}

int exitStatus(Outcome outcome)
{
    switch (outcome) {
    case Outcome::Run:
    case Outcome::Done: return 0;
    case Outcome::Failed: return 1;
    case Outcome::Misused: return 2;
    }
    return 1;
}

} // namespace CommandLine
