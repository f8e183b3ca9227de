#include "platform/Display.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QPluginLoader>
#include <QStringList>

// Windows always has its desktop to show windows on.

std::string display::missingReason()
{
    return {};
}

std::string display::describe(const std::string &, const std::string &platform)
{
    if (!platform.empty() && platform.compare(0, 7, "windows") != 0)
        return "a display through Qt's platform plug-in \"" + platform + "\"";
    return "the Windows desktop";
}

// When no plug-in named loads, Qt 6.4 shows its own message box ("Reinstalling the application may
// fix this problem") before it ends the program, unless the program has a console window of its
// own, which this one never has: a script that started it would wait for a click. The plug-ins
// are linked into the program (a plug-in file beside it would be built for a Qt of its own, which
// cannot load into this one), so the names can be checked against them first, as Qt matches them:
// without regard to case.
std::string display::missingPlatform(const std::string &platform)
{
    if (platform.empty())
        return {};
    QStringList there;
    for (const QStaticPlugin &plugin : QPluginLoader::staticPlugins()) {
        const QJsonObject metaData = plugin.metaData();
        if (metaData.value(QLatin1String("IID")).toString()
            != QLatin1String("org.qt-project.Qt.QPA.QPlatformIntegrationFactoryInterface.5.3"))
            continue;
        const QJsonArray keys = metaData.value(QLatin1String("MetaData")).toObject().value(QLatin1String("Keys")).toArray();
        for (const QJsonValue &key : keys)
            there << key.toString().toLower();
    }
    there.sort();
    for (const QString &chosen : QString::fromStdString(platform).split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        if (there.contains(chosen.split(QLatin1Char(':'), Qt::SkipEmptyParts).value(0).toLower()))
            return {};
    }
    return "Could not find the Qt platform plugin \"" + platform + "\" in this program\n"
        + "Available platform plugins are: " + there.join(QLatin1String(", ")).toStdString() + ".";
}

// The system's own plug-in, which shows no window unless asked and needs no display: a service or a
// remote shell has a desktop too. Qt's offscreen plug-in on Windows knows only the fonts of Qt's
// own fonts folder, which a program has not got, and would draw every letter as a box.
const char *display::readingPlatform()
{
    return "windows";
}

// Qt for Windows keeps no runtime folder of its own, and this build has no D-Bus to look for a
// Flatpak with.
void display::startReadingPlatform(const std::function<void()> &start)
{
    start();
}

