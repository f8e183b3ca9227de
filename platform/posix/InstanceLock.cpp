#include "platform/InstanceLock.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QStandardPaths>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Opens the lock file as a regular file of our own, never following a link and never blocking on
// a FIFO; -1 when something else is in the way.
int openLockFile(const QByteArray &path)
{
    // O_CLOEXEC: a browser started from the program must not inherit, and so keep, the lock.
    const int fd = ::open(path.constData(), O_RDWR | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0600);
    if (fd < 0)
        return -1;
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
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
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty())
        folder = QDir::tempPath();
    return folder + QStringLiteral("/larkspire.lock");
}

bool InstanceLock::tryAcquire()
{
    if (m_handle >= 0)
        return true;
    const QByteArray path = QFile::encodeName(m_path);
    int fd = openLockFile(path);
    if (fd < 0) {
        // Whatever lies there (a FIFO, a link, a device node, an empty directory) is no lock of a
        // running copy: clear it away and try once more.
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
