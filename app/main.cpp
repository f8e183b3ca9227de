#include "QtPlatform.h"
#include "Startup.h"

#include <QApplication>
#include <QFont>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    // The application name (the executable's base name) addresses the per-user settings.
    QApplication::setApplicationName(QStringLiteral("larkspire"));
    // The windows are ended by EndProgram, not by the last one being hidden.
    QApplication::setQuitOnLastWindowClosed(false);
    // Every window asks for Verdana; where it is not installed the system's sans-serif stands in.
    QFont::insertSubstitutions(QStringLiteral("Verdana"), {QStringLiteral("DejaVu Sans"), QStringLiteral("Liberation Sans"),
                                                           QStringLiteral("Sans Serif")});

    QtPlatform qt;
    LockFileInstance instance;
    if (!StartProgram(qt.services(), instance))
        return 0;
    const int result = QApplication::exec();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return result;
}
