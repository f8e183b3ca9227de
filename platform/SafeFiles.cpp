#include "SafeFiles.h"

#include <QCoreApplication>
#include <QFile>
#include <QSaveFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace safefiles {

namespace {

QString systemError(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

QString notARegularFile()
{
    return QCoreApplication::translate("SafeFiles", "It is not a regular file.");
}

} // namespace

PathKind kindOf(const QString &path)
{
    struct stat info {};
    if (::lstat(QFile::encodeName(path).constData(), &info) != 0)
        return errno == ENOENT ? PathKind::Missing : PathKind::Other;
    return S_ISREG(info.st_mode) ? PathKind::Regular : PathKind::Other;
}

std::optional<QByteArray> readRegularFile(const QString &path, qint64 maxBytes)
{
    // O_NONBLOCK keeps a FIFO from blocking the open; O_NOFOLLOW refuses a symbolic link.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
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

QString writeFileAtomically(const QString &path, const QByteArray &bytes)
{
    if (kindOf(path) == PathKind::Other)
        return notARegularFile();
    QSaveFile file(path);
    // Never write straight into the target: a file that cannot be replaced is refused.
    file.setDirectWriteFallback(false);
    if (!file.open(QIODevice::WriteOnly))
        return file.errorString();
    // QSaveFile buffers its writes, and its commit() can report success after a buffered write
    // failed (a full disk, a file size limit): flush and check before committing, and check the
    // file's error afterwards too.
    if (file.write(bytes) != bytes.size() || !file.flush() || file.error() != QFileDevice::NoError) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return reason.isEmpty() ? systemError(EIO) : reason;
    }
    if (!file.commit() || file.error() != QFileDevice::NoError)
        return file.errorString();
    return {};
}

} // namespace safefiles
