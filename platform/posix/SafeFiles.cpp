#include "platform/SafeFiles.h"

#include "platform/FileNames.h"

#include <QCoreApplication>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace safefiles {

PathKind kindOf(const QString &path)
{
    struct stat info {};
    if (::lstat(filenames::encoded(path).constData(), &info) != 0)
        return errno == ENOENT ? PathKind::Missing : PathKind::Other;
    return S_ISREG(info.st_mode) ? PathKind::Regular : PathKind::Other;
}

QString refusalOf(const QString &path)
{
    struct stat info {};
    if (::lstat(filenames::encoded(path).constData(), &info) != 0)
        return errno == ENOENT ? QString() : QString::fromLocal8Bit(std::strerror(errno));
    if (S_ISREG(info.st_mode))
        return {};
    if (S_ISLNK(info.st_mode))
        return QCoreApplication::translate("SafeFiles", "It is a symbolic link, which is never written through.");
    if (S_ISDIR(info.st_mode))
        return QCoreApplication::translate("SafeFiles", "It is a folder.");
    return QCoreApplication::translate("SafeFiles", "It is not a regular file.");
}

FileSizeSignalGuard::FileSizeSignalGuard()
{
    struct sigaction ignore {};
    struct sigaction previous {};
    ignore.sa_handler = SIG_IGN;
    sigemptyset(&ignore.sa_mask);
    if (::sigaction(SIGXFSZ, &ignore, &previous) == 0)
        m_restore = [previous] { ::sigaction(SIGXFSZ, &previous, nullptr); };
}

FileSizeSignalGuard::~FileSizeSignalGuard()
{
    if (m_restore)
        m_restore();
}

QString keepModeOf(const QString &path, int handle)
{
    struct stat old {};
    if (::lstat(filenames::encoded(path).constData(), &old) != 0 || !S_ISREG(old.st_mode))
        return {};
    // Only root may give a file away; a user may give it a group of their own.
    if (::fchown(handle, old.st_uid, old.st_gid) != 0)
        (void)!::fchown(handle, static_cast<uid_t>(-1), old.st_gid);
    // After the owner, whose change clears the set-user and set-group bits. (Qt gives the new file
    // the old one's permissions as access() judges them: root's include writing, whatever the
    // mode says, and the set-user, set-group and sticky bits are lost.)
    if (::fchmod(handle, old.st_mode & 07777) != 0)
        return QString::fromLocal8Bit(std::strerror(errno));
    return {};
}

QString makeFolder(const QString &path)
{
    if (::mkdir(filenames::encoded(path).constData(), 0777) == 0)
        return {};
    const int error = errno;
    struct stat info {};
    if (error == EEXIST && ::stat(filenames::encoded(path).constData(), &info) == 0 && S_ISDIR(info.st_mode))
        return {};
    return QString::fromLocal8Bit(std::strerror(error));
}

std::optional<QByteArray> readRegularFile(const QString &path, qint64 maxBytes)
{
    // O_NONBLOCK keeps a FIFO from blocking the open; O_NOFOLLOW refuses a symbolic link.
    const int fd = ::open(filenames::encoded(path).constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return std::nullopt;
    std::optional<QByteArray> contents;
    struct stat info {};
    if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && info.st_size <= maxBytes) {
        QByteArray bytes;
        bytes.resize(static_cast<qsizetype>(info.st_size));
        qsizetype done = 0;
        bool failed = false;
        while (done < bytes.size()) {
            const ssize_t n = ::read(fd, bytes.data() + done, static_cast<size_t>(bytes.size() - done));
            if (n < 0 && errno == EINTR)
                continue;
            if (n < 0) {
                failed = true;
                break;
            }
            if (n == 0)
                break;
            done += n;
        }
        if (!failed) {
            bytes.truncate(done);
            contents = std::move(bytes);
        }
    }
    ::close(fd);
    return contents;
}

} // namespace safefiles
