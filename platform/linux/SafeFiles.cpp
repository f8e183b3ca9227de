#include "platform/SafeFiles.h"

#include "platform/FileIdentity.h"
#include "platform/FileNames.h"
#include "platform/StandardStreams.h"

#include <QCoreApplication>
#include <QFile>
#include <QRandomGenerator>

#include <atomic>
#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <functional>
#include <iterator>
#include <mutex>
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

// A temporary file's name in the target's folder: short, so that it fits wherever the target's
// name fits, and hidden, so that a listing of the folder shows only finished files.
constexpr char kTemporaryPrefix[] = ".larkspire-";

// Makes a temporary file in the target's folder with make(name), which fails with EEXIST where the
// name is taken, under names tried until one is free; made is then that name.
QString atFreshName(QByteArray &made, const std::function<bool(const QByteArray &)> &make)
{
    static const char kLetters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    for (int attempt = 0; attempt < 100; ++attempt) {
        QByteArray name = kTemporaryPrefix;
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

// Where the open file at handle is reached by name while it has none of its own (O_TMPFILE).
QByteArray procPathOf(int handle)
{
    return "/proc/self/fd/" + QByteArray::number(handle);
}

// Gives the file at from (a /proc path of a file of no name) the name name in folder as well,
// never replacing what is there.
QString linkWithoutReplacing(const QByteArray &from, int folder, const QByteArray &name, bool &existing)
{
    if (::linkat(AT_FDCWD, from.constData(), folder, name.constData(), AT_SYMLINK_FOLLOW) == 0)
        return {};
    existing = errno == EEXIST;
    return existing ? thereAlready() : systemError(errno);
}

// Gives the open file at handle, which is to replace the file name in folder, that file's
// permission bits exactly, and its owner and group where the process may. Nothing when no regular
// file is there. Called once the file is written, since a write clears the set-user and set-group
// bits.
QString keepModeOf(int folder, const QByteArray &name, int handle)
{
    struct stat old {};
    if (::fstatat(folder, name.constData(), &old, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISREG(old.st_mode))
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

// The names of files made on the way to their own (a temporary file, an empty claim), which a
// process ended by TERM, INT or HUP removes as it ends. Fixed room, filled before the name exists
// on disk is known, so that the handler only reads: it may run in the middle of anything.
struct PendingName {
    std::atomic<int> state{0}; // kFree, kFilling or kPending
    int folder = -1;
    dev_t device = 0;
    ino_t inode = 0;
    char name[NAME_MAX + 1] = {};
};
constexpr int kFree = 0, kFilling = 1, kPending = 2;
static_assert(std::atomic<int>::is_always_lock_free, "the signal handler reads the state");
PendingName pendingNames[16];

// Removes the pending name where the file it names is still the one made; a name another run has
// since given to a file of its own is left.
void removeIfStillMade(const PendingName &pending)
{
    struct stat info {};
    if (::fstatat(pending.folder, pending.name, &info, AT_SYMLINK_NOFOLLOW) == 0 && info.st_dev == pending.device
        && info.st_ino == pending.inode)
        ::unlinkat(pending.folder, pending.name, 0);
}

void removePendingNamesAndEnd(int signal)
{
    for (const PendingName &pending : pendingNames) {
        if (pending.state.load() == kPending)
            removeIfStillMade(pending);
    }
    // SA_RESETHAND gave the signal its default action back: it ends the process once this returns.
    ::raise(signal);
}

// A signal that is ignored (nohup's HUP) or handled by someone else is left as it is.
void removePendingNamesAtEndingSignals()
{
    static std::once_flag once;
    std::call_once(once, [] {
        for (const int signal : {SIGTERM, SIGINT, SIGHUP}) {
            struct sigaction current {};
            if (::sigaction(signal, nullptr, &current) != 0 || (current.sa_flags & SA_SIGINFO)
                || current.sa_handler != SIG_DFL)
                continue;
            struct sigaction handler {};
            handler.sa_handler = removePendingNamesAndEnd;
            sigfillset(&handler.sa_mask);
            handler.sa_flags = SA_RESETHAND;
            ::sigaction(signal, &handler, nullptr);
        }
    });
}

// Keeps name in folder, the file open at handle, to be removed by an ending signal; the place it is
// kept at, or -1 where there is no room left (the name is then only removed as before).
int keepPending(int folder, const QByteArray &name, int handle)
{
    struct stat info {};
    if (name.size() > NAME_MAX || ::fstat(handle, &info) != 0)
        return -1;
    removePendingNamesAtEndingSignals();
    for (int place = 0; place < int(std::size(pendingNames)); ++place) {
        PendingName &pending = pendingNames[place];
        int expected = kFree;
        if (!pending.state.compare_exchange_strong(expected, kFilling))
            continue;
        pending.folder = folder;
        pending.device = info.st_dev;
        pending.inode = info.st_ino;
        std::memcpy(pending.name, name.constData(), size_t(name.size()) + 1);
        pending.state.store(kPending);
        return place;
    }
    return -1;
}

void forgetPending(int &place)
{
    if (place >= 0)
        pendingNames[place].state.store(kFree);
    place = -1;
}

// Hands the folder's entries to the disk, so that a file that took its name keeps it through a
// power cut. A folder opened only as a place (O_PATH) or a file system without the call has
// nothing to give.
QString syncFolder(int folder)
{
    if (::fsync(folder) != 0 && errno != EBADF && errno != EINVAL && errno != EROFS && errno != EOPNOTSUPP)
        return systemError(errno);
    return {};
}

QString readOnlyReason()
{
    return QCoreApplication::translate("SafeFiles", "It is read-only.");
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

QString Folder::open(const QString &path)
{
    close();
    m_path = path;
    const QByteArray name = filenames::encoded(path.isEmpty() ? QStringLiteral(".") : path);
    int handle = ::open(name.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    // A folder that may be written in but not listed is still written in; only its sync is lost.
    if (handle < 0 && errno == EACCES)
        handle = ::open(name.constData(), O_PATH | O_DIRECTORY | O_CLOEXEC);
    if (handle < 0)
        return systemError(errno);
    m_handle = handle;
    return {};
}

void Folder::close()
{
    if (m_handle != -1)
        ::close(int(m_handle));
    m_handle = -1;
}

QString makeFolder(const QString &path, Folder *opened)
{
    const QByteArray name = filenames::encoded(path);
    if (::mkdir(name.constData(), 0777) != 0) {
        const int error = errno;
        struct stat info {};
        if (error != EEXIST || ::stat(name.constData(), &info) != 0 || !S_ISDIR(info.st_mode))
            return systemError(error);
    }
    return opened ? opened->open(path) : QString();
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

std::optional<FileIdentity> identityIn(const Folder &folder, const QString &name)
{
    struct stat info {};
    if (::fstatat(int(folder.m_handle), filenames::encoded(name).constData(), &info, 0) != 0)
        return std::nullopt;
    return identityOfRegular(info);
}

// The new contents go to a file of no name in the target's folder (O_TMPFILE), which the system
// removes with the process however it ends, and which is given its name only when whole; where
// the file system has no such files (or firstRoad says otherwise), to a temporary file in that
// folder. Either is made as QSaveFile makes it: mode 0666 less the umask. Every name is taken
// relative to the folder opened once, never by its path again.
QString AtomicFileWriter::openTarget()
{
    if (m_folder == &m_ownFolder) {
        const qsizetype slash = m_path.lastIndexOf(QLatin1Char('/'));
        const QString folder = slash < 0 ? QStringLiteral(".") : slash == 0 ? QStringLiteral("/") : m_path.left(slash);
        if (const QString reason = m_ownFolder.open(folder); !reason.isEmpty())
            return reason;
    }
    const int folder = int(m_folder->m_handle);
    const QByteArray name = filenames::encoded(m_name);
    struct stat info {};
    if (::fstatat(folder, name.constData(), &info, AT_SYMLINK_NOFOLLOW) == 0) {
        // A file its owner made read-only is not replaced behind their back, by root either (as
        // access() would let it be), and is told as such rather than as merely there.
        if (S_ISREG(info.st_mode) && (info.st_mode & 0222) == 0) {
            m_readOnly = true;
            return readOnlyReason();
        }
        if (m_options & WriteOption::KeepExisting) {
            m_existing = true;
            return thereAlready();
        }
        struct stat reached = info;
        if ((m_options & WriteOption::WriteDevices) && S_ISLNK(info.st_mode)
            && ::fstatat(folder, name.constData(), &reached, 0) != 0)
            reached = info;
        if ((m_options & WriteOption::WriteDevices) && isWritableDevice(reached.st_mode)) {
            // Following the link, as asked; a FIFO waits here for its reader, as it does for any
            // program. Opened without truncation: what is found there is looked at before a byte
            // is written.
            const int handle = ::openat(folder, name.constData(), O_WRONLY | O_NOCTTY | O_CLOEXEC);
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
        // Nor one that this user may not write (another's), as QSaveFile would not.
        if (::faccessat(folder, name.constData(), W_OK, AT_EACCESS) != 0)
            return systemError(errno);
    } else if (errno != ENOENT) {
        return systemError(errno);
    }

    if (firstRoad == Road::Unnamed) {
        const int handle = ::openat(folder, ".", O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
        if (handle >= 0 && ::access(procPathOf(handle).constData(), F_OK) == 0) {
            m_handle = handle;
            return {};
        }
        if (handle >= 0)
            ::close(handle);
        else if (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL)
            return systemError(errno);
    }
    const QString reason = atFreshName(m_temporary, [this, folder](const QByteArray &temporary) {
        m_handle = ::openat(folder, temporary.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        return m_handle >= 0;
    });
    if (reason.isEmpty())
        m_pending = keepPending(folder, m_temporary, int(m_handle));
    return reason;
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

// Gives the temporary file its name without replacing anything there: a rename that refuses to
// replace, or where the file system has none, a hard link and the temporary name's removal, or
// where it has neither, a rename over an empty file that claimed the name (which only one of two
// runs can make).
QString nameWithoutReplacing(int folder, const QByteArray &temporary, const QByteArray &name, bool &existing)
{
    if (firstRoad <= Road::Renamed) {
        if (::renameat2(folder, temporary.constData(), folder, name.constData(), RENAME_NOREPLACE) == 0)
            return {};
        if (errno != EINVAL && errno != ENOSYS && errno != EOPNOTSUPP) {
            existing = errno == EEXIST;
            return existing ? thereAlready() : systemError(errno);
        }
    }
    if (firstRoad <= Road::Linked) {
        if (::linkat(folder, temporary.constData(), folder, name.constData(), 0) == 0) {
            ::unlinkat(folder, temporary.constData(), 0);
            return {};
        }
        existing = errno == EEXIST;
        if (existing)
            return thereAlready();
        if (errno != EPERM && errno != EOPNOTSUPP && errno != ENOSYS)
            return systemError(errno);
    }
    const int claim = ::openat(folder, name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (claim < 0) {
        existing = errno == EEXIST;
        return existing ? thereAlready() : systemError(errno);
    }
    int pending = keepPending(folder, name, claim);
    ::close(claim);
    QString reason;
    if (::renameat(folder, temporary.constData(), folder, name.constData()) != 0) {
        reason = systemError(errno);
        if (pending >= 0)
            removeIfStillMade(pendingNames[pending]);
    }
    forgetPending(pending);
    return reason;
}

} // namespace

QString AtomicFileWriter::commitTarget()
{
    const int handle = int(m_handle);
    if (m_device)
        return ::close(handle) == 0 ? QString() : systemError(errno);
    const int folder = int(m_folder->m_handle);
    const QByteArray name = filenames::encoded(m_name);
    const bool replace = !(m_options & WriteOption::KeepExisting);
    // A write the system still holds can fail only now (a full disk over the network); a file
    // system without the call has nothing to wait for.
    QString reason;
    if (::fdatasync(handle) != 0 && errno != EINVAL && errno != EOPNOTSUPP)
        reason = systemError(errno);
    // Last before the rename: a write clears the set-user and set-group bits.
    if (reason.isEmpty() && replace)
        reason = keepModeOf(folder, name, handle);
    // A file of no name is given its name by a link, which never replaces: to replace, it is given
    // a name of its own in the folder first, and renamed as a named temporary file is.
    const bool linkedInPlace = m_temporary.isEmpty() && !replace;
    if (reason.isEmpty() && linkedInPlace) {
        reason = linkWithoutReplacing(procPathOf(handle), folder, name, m_existing);
    } else if (reason.isEmpty() && m_temporary.isEmpty()) {
        reason = atFreshName(m_temporary, [handle, folder](const QByteArray &temporary) {
            return ::linkat(AT_FDCWD, procPathOf(handle).constData(), folder, temporary.constData(), AT_SYMLINK_FOLLOW)
                == 0;
        });
        if (reason.isEmpty())
            m_pending = keepPending(folder, m_temporary, handle);
    }
    if (::close(handle) != 0 && reason.isEmpty())
        reason = systemError(errno);
    if (reason.isEmpty() && !replace && !linkedInPlace)
        reason = nameWithoutReplacing(folder, m_temporary, name, m_existing);
    else if (reason.isEmpty() && replace && ::renameat(folder, m_temporary.constData(), folder, name.constData()) != 0)
        reason = systemError(errno);
    if (!reason.isEmpty() && !m_temporary.isEmpty())
        ::unlinkat(folder, m_temporary.constData(), 0);
    forgetPending(m_pending);
    return reason.isEmpty() ? syncFolder(folder) : reason;
}

void AtomicFileWriter::discardTarget()
{
    ::close(int(m_handle));
    m_handle = -1;
    if (!m_temporary.isEmpty())
        ::unlinkat(int(m_folder->m_handle), m_temporary.constData(), 0);
    forgetPending(m_pending);
}

} // namespace safefiles
