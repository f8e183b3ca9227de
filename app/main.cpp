#include "app/Application.h"
#include "app/CommandLine.h"
#include "model/Product.h"
#include "platform/Console.h"
#include "platform/Display.h"
#include "platform/InstanceLock.h"
#include "platform/SettingsStore.h"
#include "report/SaveAndPrintDialogs.h"
#include "widgets/Accessibility.h"
#include "widgets/Theme.h"

#include <QApplication>
#include <QFont>

#include <cstdio>
#include <cstdlib>
#include <utility>
#include <vector>

namespace {

std::string g_display;
std::vector<std::pair<QtMsgType, QString>> g_heldMessages;

// While Qt connects to the display: a display that cannot be reached ends the program with one
// line that names it (Qt itself would abort with advice to reinstall); anything else Qt says is
// held and said once the connection stands.
void duringConnection(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (type == QtFatalMsg) {
        std::fprintf(stderr, "Larkspire cannot reach %s\n", g_display.c_str());
        std::fflush(stderr);
        std::_Exit(1);
    }
    g_heldMessages.emplace_back(type, message);
}

} // namespace

int main(int argc, char *argv[])
{
    // --help and --version answer without a display; without one the program says so plainly
    // instead of letting Qt abort.
    useParentConsole();
    const CommandLine::Result early = CommandLine::handle(argc, argv, stdout, stderr);
    if (early.outcome != CommandLine::Outcome::Run)
        return CommandLine::exitStatus(early.outcome);

    g_display = display::describe(early.display);
    const QtMessageHandler qtHandler = qInstallMessageHandler(duringConnection);
    QApplication application(argc, argv);
    qInstallMessageHandler(qtHandler);
    for (const auto &[type, message] : std::exchange(g_heldMessages, {}))
        qt_message_output(type, QMessageLogContext(), message);

    // The application name (the executable's base name) addresses the per-user settings.
    QApplication::setApplicationName(QStringLiteral("larkspire"));
    QApplication::setApplicationVersion(kVersion);
    // Docks match the window to its launcher through the desktop file's name.
    QGuiApplication::setDesktopFileName(QStringLiteral("com.example.Larkspire"));
    // The program ends when a main window is closed, not when the last one is hidden.
    QApplication::setQuitOnLastWindowClosed(false);
    // Every window asks for Verdana; where it is not installed the system's sans-serif stands in.
    QFont::insertSubstitutions(theme::kFontFamily, {QStringLiteral("DejaVu Sans"), QStringLiteral("Liberation Sans"),
                                                    QStringLiteral("Sans Serif")});
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
