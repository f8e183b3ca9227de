#include "platform/InstanceLock.h"

#include "platform/FileNames.h"
#include "platform/linux/XdgFolders.h"

#include <QCoreApplication>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Whether a folder is the user's alone: a real folder (not a link to one), owned by the user, that
// no one else may write to.
bool isPrivateFolder(const QByteArray &path)
{
    struct stat info {};
    return !path.isEmpty() && path.startsWith('/') && ::lstat(path.constData(), &info) == 0 && S_ISDIR(info.st_mode)
        && info.st_uid == ::geteuid() && (info.st_mode & (S_IWGRP | S_IWOTH)) == 0;
}

// A folder of the program's own in the user's cache, made private if it is new.
QByteArray cacheFolder()
{
    const QByteArray cache = filenames::encoded(xdg::baseDirectory("XDG_CACHE_HOME", ".cache"));
    if (cache.isEmpty())
        return {};
    ::mkdir(cache.constData(), 0700);
    const QByteArray folder = cache + '/' + filenames::encoded(QCoreApplication::applicationName());
    ::mkdir(folder.constData(), 0700);
    return folder;
}

// Opens the lock file as a regular file of the user's own, never following a link and never
// blocking on a FIFO; -1 when something else is in the way.
int openLockFile(const QByteArray &path)
{
    // O_CLOEXEC: a browser started from the program must not inherit, and so keep, the lock.
    const int fd = ::open(path.constData(), O_RDWR | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0600);
    if (fd < 0)
        return -1;
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || info.st_uid != ::geteuid()) {
        ::close(fd);
        return -1;
    }
    return fd;
}

} // namespace

InstanceLock::InstanceLock(QString path)
    : m_path(std::move(path))
{
}

InstanceLock::~InstanceLock()
{
    if (m_handle >= 0)
        ::close(static_cast<int>(m_handle));
}

QString InstanceLock::defaultPath()
{
    // Only where the user alone can write: the session's runtime folder, or else a folder of the
    // program's own in the user's cache. Never a shared folder such as /tmp, where another user
    // could hold the lock first or plant something in its place.
    QByteArray folder = qgetenv("XDG_RUNTIME_DIR");
    if (!isPrivateFolder(folder)) {
        // Made only when the runtime folder will not do.
        folder = cacheFolder();
        if (!isPrivateFolder(folder))
            return {};
    }
    return filenames::decoded(folder) + QLatin1Char('/') + QCoreApplication::applicationName() + QStringLiteral(".lock");
}

bool InstanceLock::tryAcquire()
{
    if (m_handle >= 0 || m_path.isEmpty())
        return true; // where no private folder can be had, the program runs rather than never
    const QByteArray path = filenames::encoded(m_path);
    int fd = openLockFile(path);
    if (fd < 0) {
        // Whatever lies there (a FIFO, a link, a device node, an empty directory, a file of
        // another user's) is no lock of this user's running copy: clear it away and try once more.
        if (::unlink(path.constData()) != 0)
            ::rmdir(path.constData());
        fd = openLockFile(path);
    }
    if (fd < 0)
        return true; // no lock can be had here: run rather than never start
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const bool held = errno == EWOULDBLOCK;
        ::close(fd);
        return !held;
    }
    // The holder's process number, for a person who looks; the lock itself is the flock.
    const QByteArray pid = QByteArray::number(QCoreApplication::applicationPid()) + '\n';
    if (::ftruncate(fd, 0) == 0)
        (void)!::pwrite(fd, pid.constData(), static_cast<size_t>(pid.size()), 0);
    m_handle = fd;
    return true;
}
