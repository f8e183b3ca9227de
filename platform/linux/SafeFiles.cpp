#include "platform/SafeFiles.h"

#include "platform/FileIdentity.h"
#include "platform/FileNames.h"
#include "platform/StandardStreams.h"

#include <QCoreApplication>
#include <QFile>
#include <QRandomGenerator>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <functional>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace safefiles {

namespace {

Road firstRoad = Road::Unnamed;

QString systemError(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

// Why a file is not written where something other than a regular file lies.
QString refusalOf(const struct stat &info)
{
    if (S_ISLNK(info.st_mode))
        return QCoreApplication::translate("SafeFiles", "It is a symbolic link, which is never written through.");
    if (S_ISDIR(info.st_mode))
        return QCoreApplication::translate("SafeFiles", "It is a folder.");
    return QCoreApplication::translate("SafeFiles", "It is not a regular file.");
}

QString thereAlready()
{
    return QCoreApplication::translate("SafeFiles", "It is there already.");
}

// A device that may be written straight into: a character device (a terminal, /dev/null) or a
// FIFO. Not a block device, which holds a file system.
bool isWritableDevice(mode_t mode)
{
    return S_ISCHR(mode) || S_ISFIFO(mode);
}

// Makes a temporary file beside path with make(name), which fails with EEXIST where the name is
// taken, under names tried until one is free; made is then that name.
QString atFreshName(const QByteArray &path, QByteArray &made, const std::function<bool(const QByteArray &)> &make)
{
    static const char kLetters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    for (int attempt = 0; attempt < 100; ++attempt) {
        QByteArray name = path + '.';
        for (int i = 0; i < 6; ++i)
            name += kLetters[QRandomGenerator::global()->bounded(int(sizeof kLetters - 1))];
        if (make(name)) {
            made = name;
            return {};
        }
        if (errno != EEXIST)
            return systemError(errno);
    }
    return systemError(EEXIST);
}

// Gives the file at from (a name, or a file of no name's /proc path) the name path as well, never
// replacing what is there.
QString linkWithoutReplacing(const QByteArray &from, const QByteArray &path, bool &existing)
{
    if (::linkat(AT_FDCWD, from.constData(), AT_FDCWD, path.constData(), AT_SYMLINK_FOLLOW) == 0)
        return {};
    existing = errno == EEXIST;
    return existing ? thereAlready() : systemError(errno);
}

// Where the open file at handle is reached by name while it has none of its own (O_TMPFILE).
QByteArray procPathOf(int handle)
{
    return "/proc/self/fd/" + QByteArray::number(handle);
}

// Gives the open file at handle, which is to replace the file at path, that file's permission
// bits exactly, and its owner and group where the process may. Nothing when no regular file is at
// path. Called once the file is written, since a write clears the set-user and set-group bits.
QString keepModeOf(const QByteArray &path, int handle)
{
    struct stat old {};
    if (::lstat(path.constData(), &old) != 0 || !S_ISREG(old.st_mode))
        return {};
    // Only root may give a file away; a user may give it a group of their own.
    if (::fchown(handle, old.st_uid, old.st_gid) != 0)
        (void)!::fchown(handle, static_cast<uid_t>(-1), old.st_gid);
    // After the owner, whose change clears the set-user and set-group bits. (Qt gives the new file
    // the old one's permissions as access() judges them: root's include writing, whatever the
    // mode says, and the set-user, set-group and sticky bits are lost.)
    if (::fchmod(handle, old.st_mode & 07777) != 0)
        return systemError(errno);
    return {};
}

} // namespace

void setFirstRoad(Road road)
{
    firstRoad = road;
}

PathKind kindOf(const QString &path)
{
    struct stat info {};
    if (::lstat(filenames::encoded(path).constData(), &info) != 0)
        return errno == ENOENT ? PathKind::Missing : PathKind::Other;
    return S_ISREG(info.st_mode) ? PathKind::Regular : PathKind::Other;
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

QString makeFolder(const QString &path)
{
    if (::mkdir(filenames::encoded(path).constData(), 0777) == 0)
        return {};
    const int error = errno;
    struct stat info {};
    if (error == EEXIST && ::stat(filenames::encoded(path).constData(), &info) == 0 && S_ISDIR(info.st_mode))
        return {};
    return systemError(error);
}

std::optional<QByteArray> readRegularFile(const QString &path, qint64 maxBytes)
{
    // O_NONBLOCK keeps a FIFO from blocking the open; O_NOFOLLOW refuses a symbolic link.
    const int fd = ::open(filenames::encoded(path).constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return std::nullopt;
    struct stat info {};
    QFile file;
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || info.st_size > maxBytes
        || !file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return std::nullopt;
    }
    QByteArray contents = file.read(info.st_size);
    return file.error() == QFileDevice::NoError ? std::optional<QByteArray>(std::move(contents)) : std::nullopt;
}

namespace {

std::optional<FileIdentity> identityOfRegular(const struct stat &info)
{
    if (!S_ISREG(info.st_mode))
        return std::nullopt;
    return FileIdentity{static_cast<quint64>(info.st_dev), static_cast<quint64>(info.st_ino)};
}

} // namespace

std::optional<FileIdentity> identityOf(const QString &path)
{
    struct stat info {};
    if (::stat(filenames::encoded(path).constData(), &info) != 0)
        return std::nullopt;
    return identityOfRegular(info);
}

std::optional<FileIdentity> identityOfHandle(qintptr handle)
{
    struct stat info {};
    if (::fstat(int(handle), &info) != 0)
        return std::nullopt;
    return identityOfRegular(info);
}

// The new contents go to a file of no name in the target's folder (O_TMPFILE), which the system
// removes with the process however it ends, and which is given its name only when whole; where
// the file system has no such files (or firstRoad says otherwise), to a temporary file beside the
// target. Either is made as QSaveFile makes it: mode 0666 less the umask.
QString AtomicFileWriter::openTarget()
{
    const QByteArray path = filenames::encoded(m_path);
    struct stat info {};
    if (::lstat(path.constData(), &info) == 0) {
        if (m_options & WriteOption::KeepExisting) {
            m_existing = true;
            return thereAlready();
        }
        struct stat reached = info;
        if ((m_options & WriteOption::WriteDevices) && S_ISLNK(info.st_mode) && ::stat(path.constData(), &reached) != 0)
            reached = info;
        if ((m_options & WriteOption::WriteDevices) && isWritableDevice(reached.st_mode)) {
            // Following the link, as asked; a FIFO waits here for its reader, as it does for any
            // program. Opened without truncation: what is found there is looked at before a byte
            // is written.
            const int handle = ::open(path.constData(), O_WRONLY | O_NOCTTY | O_CLOEXEC);
            if (handle < 0)
                return systemError(errno);
            struct stat opened {};
            if (::fstat(handle, &opened) != 0 || !isWritableDevice(opened.st_mode)) {
                ::close(handle);
                return refusalOf(info);
            }
            m_handle = handle;
            m_device = true;
            m_stream = S_ISFIFO(opened.st_mode) || ::isatty(handle) == 1;
            return {};
        }
        if (!S_ISREG(info.st_mode))
            return refusalOf(info);
        // A file its owner made read-only is not replaced behind their back (nor by QSaveFile).
        if (::faccessat(AT_FDCWD, path.constData(), W_OK, AT_EACCESS) != 0)
            return systemError(errno);
    } else if (errno != ENOENT) {
        return systemError(errno);
    }

    if (firstRoad == Road::Unnamed) {
        const qsizetype slash = path.lastIndexOf('/');
        const QByteArray folder = slash < 0 ? QByteArray(".") : slash == 0 ? QByteArray("/") : path.left(slash);
        const int handle = ::open(folder.constData(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
        if (handle >= 0 && ::access(procPathOf(handle).constData(), F_OK) == 0) {
            m_handle = handle;
            return {};
        }
        if (handle >= 0)
            ::close(handle);
        else if (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL)
            return systemError(errno);
    }
    return atFreshName(path, m_temporary, [this](const QByteArray &name) {
        m_handle = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        return m_handle >= 0;
    });
}

namespace {

// Hands what the file of handle holds up to here to the disk, in whole steps of this many bytes,
// as the write goes on: the sync before the file takes its name (commitTarget) then finds little
// left to wait for, where the system would otherwise keep the whole file in memory until it. Only
// a start, with no waiting: a failure of the disk is for that sync to report.
constexpr off_t kWriteBackBytes = 8 << 20;

void startWriteBack(int handle, qsizetype written)
{
    const off_t end = ::lseek(handle, 0, SEEK_CUR);
    const off_t start = end - written;
    if (end < 0 || start / kWriteBackBytes == end / kWriteBackBytes)
        return;
    const off_t from = start / kWriteBackBytes * kWriteBackBytes;
    (void)::sync_file_range(handle, from, end / kWriteBackBytes * kWriteBackBytes - from, SYNC_FILE_RANGE_WRITE);
}

} // namespace

QString AtomicFileWriter::writeTarget(QByteArrayView bytes)
{
    for (qsizetype done = 0; done < bytes.size();) {
        const ssize_t written = ::write(int(m_handle), bytes.data() + done, static_cast<size_t>(bytes.size() - done));
        if (written < 0 && errno == EINTR)
            continue;
        if (written < 0 && standardstreams::isClosedPipe(errno))
            standardstreams::endAtClosedPipe();
        // A write can stop part-way without a reason (a disk that fills up, a file size limit);
        // the write of the rest then fails with the system's own.
        if (written <= 0)
            return systemError(written < 0 ? errno : EIO);
        done += written;
    }
    if (!m_device)
        startWriteBack(int(m_handle), bytes.size());
    return {};
}

namespace {

// Gives the temporary file its name path without replacing anything there: a rename that refuses
// to replace, or where the file system has none, a hard link and the temporary name's removal.
QString nameWithoutReplacing(const QByteArray &temporary, const QByteArray &path, bool &existing)
{
    if (firstRoad != Road::Linked) {
        if (::renameat2(AT_FDCWD, temporary.constData(), AT_FDCWD, path.constData(), RENAME_NOREPLACE) == 0)
            return {};
        if (errno != EINVAL && errno != ENOSYS && errno != EOPNOTSUPP) {
            existing = errno == EEXIST;
            return existing ? thereAlready() : systemError(errno);
        }
    }
    const QString reason = linkWithoutReplacing(temporary, path, existing);
    if (reason.isEmpty())
        ::unlink(temporary.constData());
    return reason;
}

} // namespace

QString AtomicFileWriter::commitTarget()
{
    const int handle = int(m_handle);
    if (m_device)
        return ::close(handle) == 0 ? QString() : systemError(errno);
    const QByteArray path = filenames::encoded(m_path);
    const bool replace = !(m_options & WriteOption::KeepExisting);
    // A write the system still holds can fail only now (a full disk over the network); a file
    // system without the call has nothing to wait for.
    QString reason;
    if (::fdatasync(handle) != 0 && errno != EINVAL && errno != EOPNOTSUPP)
        reason = systemError(errno);
    // Last before the rename: a write clears the set-user and set-group bits.
    if (reason.isEmpty() && replace)
        reason = keepModeOf(path, handle);
    // A file of no name is given its name by a link, which never replaces: to replace, it is given
    // a name of its own beside the target first, and renamed as a named temporary file is.
    const bool linkedInPlace = m_temporary.isEmpty() && !replace;
    if (reason.isEmpty() && linkedInPlace) {
        reason = linkWithoutReplacing(procPathOf(handle), path, m_existing);
    } else if (reason.isEmpty() && m_temporary.isEmpty()) {
        reason = atFreshName(path, m_temporary, [handle](const QByteArray &name) {
            return ::linkat(AT_FDCWD, procPathOf(handle).constData(), AT_FDCWD, name.constData(), AT_SYMLINK_FOLLOW) == 0;
        });
    }
    if (::close(handle) != 0 && reason.isEmpty())
        reason = systemError(errno);
    if (reason.isEmpty() && !replace && !linkedInPlace)
        reason = nameWithoutReplacing(m_temporary, path, m_existing);
    else if (reason.isEmpty() && replace && ::rename(m_temporary.constData(), path.constData()) != 0)
        reason = systemError(errno);
    if (!reason.isEmpty() && !m_temporary.isEmpty())
        ::unlink(m_temporary.constData());
    return reason;
}

void AtomicFileWriter::discardTarget()
{
    ::close(int(m_handle));
    m_handle = -1;
    if (!m_temporary.isEmpty())
        ::unlink(m_temporary.constData());
}

} // namespace safefiles
