#include "app/CommandLine.h"

#include "model/Product.h"

#include <cstdlib>
#include <cstring>

namespace CommandLine {

namespace {

const char *const kUsage =
    "Usage: larkspire [--help] [--version]\n"
    "\n"
    "Larkspire computes a Kabbalah numerology reading (lucky number, lucky colour, money number\n"
    "and health numbers) from a name and a date and time of birth, and composes a report that can\n"
    "be saved as an RTF file or printed.\n"
    "\n"
    "Options:\n"
    "  -h, --help     Show this help and exit.\n"
    "  -v, --version  Show the version and exit.\n"
    "\n"
    "Larkspire keeps one setting, the date of its last update reminder, in\n"
    "$XDG_CONFIG_HOME/larkspire/larkspire.conf (normally ~/.config/larkspire/larkspire.conf).\n";

bool isSet(const char *name)
{
    const char *value = std::getenv(name);
    return value && *value;
}

} // namespace

Outcome handle(int argc, char **argv, std::FILE *out, std::FILE *err)
{
    for (int i = 1; i < argc; ++i) {
        const char *arg = argv[i];
        if (std::strcmp(arg, "--help") == 0 || std::strcmp(arg, "-h") == 0 || std::strcmp(arg, "-?") == 0) {
            std::fputs(kUsage, out);
            return Outcome::Done;
        }
        if (std::strcmp(arg, "--version") == 0 || std::strcmp(arg, "-v") == 0) {
            std::fprintf(out, "%s %s\n", qPrintable(kApplicationTitle), qPrintable(kVersion));
            return Outcome::Done;
        }
    }
    // A platform chosen explicitly (offscreen, vnc, ...) needs no display of ours to check.
    if (!isSet("DISPLAY") && !isSet("WAYLAND_DISPLAY") && !isSet("QT_QPA_PLATFORM")) {
        std::fputs("Larkspire needs a graphical display: DISPLAY or WAYLAND_DISPLAY is not set\n", err);
        return Outcome::Failed;
    }
    return Outcome::Run;
}

} // namespace CommandLine
