#include "app/CommandLine.h"

#include "model/Product.h"
#include "model/WebPages.h"
#include "platform/Display.h"
#include "platform/SettingsStore.h"

#include <QDir>

#include <cstdlib>
#include <string_view>

namespace CommandLine {

namespace {

const char *const kLicence =
    "Copyright (C) 2026 Larkspire developers.\n"
    "License Expat (MIT): <https://spdx.org/licenses/MIT.html>.\n"
    "This is free software: you are free to change and redistribute it.\n"
    "There is NO WARRANTY, to the extent permitted by law.\n";

std::string text(const QString &string)
{
    return string.toStdString();
}

std::string usage()
{
    const std::string name = text(kApplicationTitle);
    return "Usage: larkspire [--help] [--version] [Qt options]\n"
           "\n"
        + name
        + " computes a Kabbalah numerology reading (lucky number, lucky colour, money number\n"
          "and health numbers) from a name and a date and time of birth, and composes a report that can\n"
          "be saved as an RTF file or printed.\n"
          "\n"
          "Options:\n"
          "  -h, --help     Show this help and exit.\n"
          "  -v, --version  Show the version and exit.\n"
          "Qt's own options (-platform NAME, -display NAME, -style NAME, -reverse, ...) work as in any\n"
          "Qt program, each with its value as the next word.\n"
          "\n"
        + name + " keeps one setting, the date of its last update reminder, in\n"
        + text(QDir::toNativeSeparators(SettingsStore::defaultPath()))
        + "\n"
          "\n"
          "Report bugs to: <larkspire@example.com>\n"
        + name + " home page: <" + text(webpages::kHomePage) + ">\n";
}

// How a Qt option takes its value.
enum class Takes {
    Nothing,
    NextWord,         // "-style fusion"
    NextWordOrEquals, // "-style fusion" or "-style=fusion"
};

struct QtOption {
    std::string_view name;
    Takes takes;
};

// The options Qt 6.4 takes out of the command line, each with one dash or two, as its own code
// reads them: QGuiApplicationPrivate::createPlatformIntegration() and init(),
// QApplicationPrivate::process_cmdline(), QCoreApplicationPrivate::processCommandLineArguments(),
// and the X11 platform plug-in's QXcbIntegration. Only the few marked take their value after "=";
// Qt leaves "-platform=NAME" and the like unread, so they are refused here. Options of a platform
// plug-in itself ("-platform windows:dpiawareness=1") are part of the -platform value.
constexpr QtOption kQtOptions[] = {
    // QGuiApplication, as it chooses and sets up its platform plug-in.
    {"platform", Takes::NextWord},
    {"platformpluginpath", Takes::NextWord},
    {"platformtheme", Takes::NextWord},
    {"qwindowgeometry", Takes::NextWord},
    {"qwindowtitle", Takes::NextWord},
    {"qwindowicon", Takes::NextWord},
    // QGuiApplication.
    {"plugin", Takes::NextWord},
    {"reverse", Takes::Nothing},
    {"session", Takes::NextWord},
    {"testability", Takes::Nothing},
    {"style", Takes::NextWordOrEquals},
    // QApplication ("-qdevel" and "-qdebug" are taken and ignored).
    {"stylesheet", Takes::NextWordOrEquals},
    {"widgetcount", Takes::Nothing},
    {"qdevel", Takes::Nothing},
    {"qdebug", Takes::Nothing},
    // QCoreApplication.
    {"qmljsdebugger", Takes::NextWordOrEquals},
    // The X11 plug-in, and QGuiApplication's X11 names for -qwindowgeometry, -qwindowtitle and
    // -qwindowicon.
    {"display", Takes::NextWord},
    {"name", Takes::NextWord},
    {"visual", Takes::NextWord},
    {"nograb", Takes::Nothing},
    {"dograb", Takes::Nothing},
    {"geometry", Takes::NextWord},
    {"title", Takes::NextWord},
    {"icon", Takes::NextWord},
};

const QtOption *qtOption(std::string_view name)
{
    for (const QtOption &option : kQtOptions) {
        if (option.name == name)
            return &option;
    }
    return nullptr;
}

std::string variable(const char *name)
{
    const char *value = std::getenv(name);
    return value ? value : "";
}

Result misused(const std::string &why)
{
    Result result;
    result.outcome = Outcome::Misused;
    result.error = "larkspire: " + why + "\nTry 'larkspire --help' for more information.\n";
    return result;
}

} // namespace

Result handle(int argc, const char *const *argv)
{
    Result result;
    result.platform = variable("QT_QPA_PLATFORM");
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--help" || arg == "-h" || arg == "-?") {
            Result done;
            done.outcome = Outcome::Done;
            done.output = usage();
            return done;
        }
        if (arg == "--version" || arg == "-v") {
            Result done;
            done.outcome = Outcome::Done;
            done.output = text(kApplicationTitle) + " " + text(kVersion) + "\n" + kLicence;
            return done;
        }
        if (arg.size() < 2 || arg[0] != '-')
            continue;
        std::string_view name = arg.substr(arg[1] == '-' ? 2 : 1);
        std::string_view value;
        const auto equals = name.find('=');
        const bool joined = equals != std::string_view::npos;
        if (joined) {
            value = name.substr(equals + 1);
            name = name.substr(0, equals);
        }
        const QtOption *option = qtOption(name);
        if (!option)
            return misused("unrecognized option '" + std::string(arg) + "'");
        if (joined && option->takes != Takes::NextWordOrEquals) {
            const std::string hint = option->takes == Takes::NextWord
                ? " (Qt takes '-" + std::string(name) + " " + std::string(value) + "')"
                : "";
            return misused("unrecognized option '" + std::string(arg) + "'" + hint);
        }
        if (!joined && option->takes != Takes::Nothing) {
            if (i + 1 == argc)
                return misused("option '" + std::string(arg) + "' requires an argument");
            value = argv[++i];
        }
        if (name == "platform")
            result.platform = value;
        else if (name == "display")
            result.display = value;
    }
    // A platform chosen explicitly (offscreen, vnc, ...) needs no display of ours to check.
    if (result.platform.empty() && result.display.empty()) {
        const std::string missing = display::missingReason();
        if (!missing.empty()) {
            Result failed;
            failed.outcome = Outcome::Failed;
            failed.error = missing + "\n";
            return failed;
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
