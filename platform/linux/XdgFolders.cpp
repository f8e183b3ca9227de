#include "platform/linux/XdgFolders.h"

#include "platform/FileNames.h"

#include <QDir>

#include <cerrno>
#include <pwd.h>
#include <unistd.h>
#include <vector>

namespace {

bool isAbsolute(const QByteArray &path)
{
    return path.startsWith('/');
}

// The home folder of the user's entry in the password database; empty when there is none.
QByteArray passwordDatabaseHome()
{
    const long suggested = ::sysconf(_SC_GETPW_R_SIZE_MAX);
    std::vector<char> buffer(suggested > 0 ? static_cast<size_t>(suggested) : 4096);
    passwd entry {};
    passwd *found = nullptr;
    int error = 0;
    while ((error = ::getpwuid_r(::geteuid(), &entry, buffer.data(), buffer.size(), &found)) == ERANGE
           && buffer.size() < (1u << 20))
        buffer.resize(buffer.size() * 2);
    return error == 0 && found && found->pw_dir ? QByteArray(found->pw_dir) : QByteArray();
}

QByteArray homeFolder()
{
    const QByteArray home = qgetenv("HOME");
    if (isAbsolute(home))
        return home;
    const QByteArray entry = passwordDatabaseHome();
    return isAbsolute(entry) ? entry : QByteArray();
}

} // namespace

QString xdg::baseDirectory(const char *variable, const char *underHome)
{
    QByteArray folder = qgetenv(variable);
    if (!isAbsolute(folder)) {
        const QByteArray home = homeFolder();
        if (home.isEmpty())
            return {};
        folder = home + '/' + underHome;
    }
    // A home of "/" or a name ending in "/" gives no doubled separator.
    return QDir::cleanPath(filenames::decoded(folder));
}
