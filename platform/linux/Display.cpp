#include "platform/Display.h"

#include <QByteArray>
#include <QString>
#include <QtGlobal>

#include <array>
#include <optional>
#include <utility>

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

namespace {

QtMessageHandler g_outerHandler = nullptr;

// What QStandardPaths says of the runtime folders it cannot make (a critical message, which a
// caller would say) concerns folders no reading uses.
void withoutRuntimeFolderMessages(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (!message.startsWith(QLatin1String("QStandardPaths: ")))
        g_outerHandler(type, context, message);
}

} // namespace

// Qt 6.4's QGuiApplication asks QStandardPaths::RuntimeLocation, as it starts, whether it runs in
// a Flatpak (checkNeedPortalSupport()), and that makes the folder XDG_RUNTIME_DIR names (relative
// to the working folder when the name is relative) or, where that is unset or unfit, warns and
// makes QDir::tempPath()/runtime-<user>. A reading needs no runtime folder: while its application
// is made, both names lead into /dev/null, where no folder can be made, so Qt makes none and finds
// none (nor a Flatpak), and what it says of them is not said. tests/e2e/command_line.sh fails when
// a reading makes either folder or says so.
void display::startReadingPlatform(const std::function<void()> &start)
{
    const std::array<std::pair<const char *, const char *>, 2> impossible = {
        std::pair{"XDG_RUNTIME_DIR", "/dev/null/runtime"}, std::pair{"TMPDIR", "/dev/null"}};
    std::array<std::optional<QByteArray>, 2> before;
    for (std::size_t i = 0; i < impossible.size(); ++i) {
        if (qEnvironmentVariableIsSet(impossible[i].first))
            before[i] = qgetenv(impossible[i].first);
        qputenv(impossible[i].first, impossible[i].second);
    }
    g_outerHandler = qInstallMessageHandler(withoutRuntimeFolderMessages);
    start();
    qInstallMessageHandler(g_outerHandler);
    for (std::size_t i = 0; i < impossible.size(); ++i) {
        if (before[i])
            qputenv(impossible[i].first, *before[i]);
        else
            qunsetenv(impossible[i].first);
    }
}
