#include "app/Application.h"
#include "app/CommandLine.h"
#include "app/CommandLineReading.h"
#include "app/Quoting.h"
#include "model/Product.h"
#include "platform/Arguments.h"
#include "platform/Display.h"
#include "platform/InstanceLock.h"
#include "platform/ParentConsole.h"
#include "platform/SettingsStore.h"
#include "platform/StandardStreams.h"
#include "report/SaveAndPrintDialogs.h"
#include "widgets/Accessibility.h"
#include "widgets/Theme.h"

#include <QApplication>

#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

namespace {

// What Qt said while it connected to the display, to be said once the connection stands.
struct HeldMessage {
    QtMsgType type;
    std::string category;
    QString message;
};

std::string g_display;
std::vector<HeldMessage> g_heldMessages;

// A message as Qt's own handler prints it by default: its category before it, unless it has the
// default one.
QString withCategory(const HeldMessage &held)
{
    if (held.category.empty() || held.category == "default")
        return held.message;
    return QString::fromStdString(held.category) + QStringLiteral(": ") + held.message;
}

// Ends a start whose display cannot be reached: one line that names the display, then why (lines).
// Both may echo a display or plug-in name as typed, which is shown escaped, line by line.
[[noreturn]] void cannotReach(const QString &why)
{
    {
        const ParentConsole console;
        const QString said = quoting::escapedLines(kApplicationTitle + QStringLiteral(" cannot reach ")
                                                   + QString::fromStdString(g_display) + QLatin1Char('\n') + why)
            + QLatin1Char('\n');
        (void)standardstreams::writeError(said.toUtf8());
    }
    std::_Exit(1);
}

// While Qt connects to the display: a display that cannot be reached, or a platform plug-in that
// cannot be found or loaded, ends the program with one line that names the display and then what
// Qt said of the cause; anything else Qt says is held and said once the connection stands. The
// cause is in the warnings Qt logged before its fatal message, which only adds advice to reinstall
// the program (wrong for a display that is not there) and is said only when Qt warned of nothing.
void duringConnection(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (type != QtFatalMsg) {
        g_heldMessages.push_back({type, context.category ? context.category : "", message});
        return;
    }
    QStringList why;
    bool warned = false;
    for (const HeldMessage &held : g_heldMessages) {
        why << withCategory(held);
        warned = warned || held.type == QtWarningMsg || held.type == QtCriticalMsg;
    }
    if (!warned)
        why << message;
    cannotReach(why.join(QLatin1Char('\n')));
}

} // namespace

int main(int argc, char *argv[])
{
    // Before any file is opened, which would otherwise take a closed stream's number.
    standardstreams::keepStreamsOpen();
    // The application name (the executable's base name) addresses the per-user settings, which
    // --help names.
    QCoreApplication::setApplicationName(kExecutableName);
    // --help, --version and a reading answer without a display; without one the windows do not
    // start, and the program says so plainly instead of letting Qt abort. A console is taken only
    // to print.
    const CommandLine::Result early = CommandLine::handle(arguments::words(argc, argv));
    if (early.outcome == CommandLine::Outcome::Read) {
        const ParentConsole console;
        return CommandLine::read(early.readings);
    }
    if (!early.output.empty() || !early.error.empty()) {
        const ParentConsole console;
        standardstreams::letWritesFail();
        const QString failure = standardstreams::writeOutput(early.output);
        (void)standardstreams::writeError(early.error);
        if (!failure.isEmpty()) {
            const QString said = kExecutableName + QStringLiteral(": write error: ") + failure + QLatin1Char('\n');
            (void)standardstreams::writeError(said.toUtf8());
            return 1;
        }
    }
    if (early.outcome != CommandLine::Outcome::Run)
        return CommandLine::exitStatus(early.outcome);

    g_display = display::describe(early.display, early.platform);
    if (const std::string missing = display::missingPlatform(early.platform); !missing.empty())
        cannotReach(QString::fromStdString(missing));
    const QtMessageHandler qtHandler = qInstallMessageHandler(duringConnection);
    QApplication application(argc, argv);
    qInstallMessageHandler(qtHandler);
    for (const HeldMessage &held : std::exchange(g_heldMessages, {})) {
        const QMessageLogContext context(nullptr, 0, nullptr, held.category.empty() ? nullptr : held.category.c_str());
        // Qt echoes options as typed (an unknown style's name), which reach the terminal escaped.
        qt_message_output(held.type, context, quoting::escapedLines(held.message));
    }

    QApplication::setApplicationVersion(kVersion);
    // Docks match the window to its launcher through the desktop file's name.
    QGuiApplication::setDesktopFileName(QStringLiteral("com.example.Larkspire"));
    // The program ends when a main window is closed, not when the last one is hidden.
    QApplication::setQuitOnLastWindowClosed(false);
    // Where Verdana is not installed the first of its substitutes that is stands in: the windows ask
    // for it by name (theme::font), the report's text names Verdana.
    theme::substituteMissingFonts();
    // The windows carry their whole look themselves, whatever the desktop's style and colours.
    theme::useProgramStyle();
    installAccessibility();

    SettingsStore settings;
    InstanceLock instance;
    QtSaveAndPrintDialogs dialogs;
    Application larkspire(instance, settings, dialogs);
    if (!larkspire.start(QDate::currentDate()))
        return 0;
    return QApplication::exec();
}
