#include "Application.h"
#include "QtPlatform.h"

#include <QApplication>
#include <QFont>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    // The application name (the executable's base name) addresses the per-user settings.
    QApplication::setApplicationName(QStringLiteral("larkspire"));
    // The program ends when a main window is closed, not when the last one is hidden.
    QApplication::setQuitOnLastWindowClosed(false);
    // Every window asks for Verdana; where it is not installed the system's sans-serif stands in.
    QFont::insertSubstitutions(QStringLiteral("Verdana"), {QStringLiteral("DejaVu Sans"), QStringLiteral("Liberation Sans"),
                                                           QStringLiteral("Sans Serif")});

    QtPlatform qt;
    LockFileInstance instance;
    Application larkspire(qt.services(), instance);
    if (!larkspire.start())
        return 0;
    const int result = QApplication::exec();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return result;
}
