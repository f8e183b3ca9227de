#include "platform/SafeFiles.h"

#include <QDir>
#include <QSaveFile>

#include <cerrno>
#include <cstring>

namespace safefiles {

namespace {

// Qt's reasons name the file as it was given, with forward slashes: the user reads it with the
// system's own separators, as the rest of the message shows it.
QString withNativePath(QString reason, const QString &path)
{
    return reason.replace(path, QDir::toNativeSeparators(path));
}

} // namespace

QString writeFileAtomically(const QString &path, const QByteArray &bytes)
{
    if (const QString refused = refusalOf(path); !refused.isEmpty())
        return refused;
    const FileSizeSignalGuard sizeLimitFailsTheWrite;
    QSaveFile file(path);
    // Never write straight into the target: a file that cannot be replaced is refused.
    file.setDirectWriteFallback(false);
    // Unbuffered, so that each write reaches the system and a failure comes back with its reason.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return withNativePath(file.errorString(), path);
    const auto failed = [&file, &path] {
        const QString reason = withNativePath(file.errorString(), path);
        file.cancelWriting();
        return reason.isEmpty() ? QString::fromLocal8Bit(std::strerror(EIO)) : reason;
    };
    // A write can stop part-way without a reason (a disk that fills up, a file size limit); the
    // write of the rest then fails with the system's own.
    for (qint64 done = 0; done < bytes.size();) {
        const qint64 written = file.write(bytes.constData() + done, bytes.size() - done);
        if (written <= 0)
            return failed();
        done += written;
    }
    // QSaveFile's commit() can report success after a failed write: check before and after.
    if (!file.flush() || file.error() != QFileDevice::NoError)
        return failed();
    // Last before the rename: a write clears the set-user and set-group bits.
    if (const QString reason = keepModeOf(path, file.handle()); !reason.isEmpty()) {
        file.cancelWriting();
        return reason;
    }
    if (!file.commit() || file.error() != QFileDevice::NoError)
        return withNativePath(file.errorString(), path);
    return {};
}

} // namespace safefiles
