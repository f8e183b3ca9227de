#include "app/Application.h"
#include "app/CommandLine.h"
#include "model/Product.h"
#include "platform/InstanceLock.h"
#include "platform/SettingsStore.h"
#include "report/SaveAndPrintDialogs.h"
#include "widgets/LinkLabel.h"
#include "widgets/Theme.h"

#include <QApplication>
#include <QFont>

#include <cstdio>

int main(int argc, char *argv[])
{
    // --help and --version answer without a display; without one the program says so plainly
    // instead of letting Qt abort.
    const CommandLine::Outcome early = CommandLine::handle(argc, argv, stdout, stderr);
    if (early != CommandLine::Outcome::Run)
        return early == CommandLine::Outcome::Done ? 0 : 1;

    QApplication application(argc, argv);
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
    LinkLabel::installAccessibility();

    SettingsStore settings;
    InstanceLock instance;
    QtSaveAndPrintDialogs dialogs;
    Application larkspire(instance, settings, dialogs);
    if (!larkspire.start(QDate::currentDate()))
        return 0;
    return QApplication::exec();
}
