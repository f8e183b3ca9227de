#include "platform/SafeFiles.h"

#include <QCoreApplication>
#include <QSaveFile>

#include <cerrno>
#include <cstring>

namespace safefiles {

QString writeFileAtomically(const QString &path, const QByteArray &bytes)
{
    if (kindOf(path) == PathKind::Other)
        return QCoreApplication::translate("SafeFiles", "It is not a regular file.");
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
        return reason.isEmpty() ? QString::fromLocal8Bit(std::strerror(EIO)) : reason;
    }
    if (!file.commit() || file.error() != QFileDevice::NoError)
        return file.errorString();
    return {};
}

} // namespace safefiles
