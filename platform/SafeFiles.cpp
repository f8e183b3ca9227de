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

AtomicFileWriter::AtomicFileWriter(const QString &path)
    : m_path(path)
{
    m_failure = refusalOf(path);
    if (!m_failure.isEmpty())
        return;
    m_file = std::make_unique<QSaveFile>(path);
    // Never write straight into the target: a file that cannot be replaced is refused.
    m_file->setDirectWriteFallback(false);
    // Unbuffered, so that each write reaches the system and a failure comes back with its reason.
    if (!m_file->open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        m_failure = withNativePath(m_file->errorString(), path);
        m_file.reset();
    }
}

// A QSaveFile destroyed uncommitted removes its temporary file.
AtomicFileWriter::~AtomicFileWriter() = default;

QString AtomicFileWriter::fail(const QString &reason)
{
    m_file->cancelWriting();
    m_file.reset();
    m_failure = reason.isEmpty() ? QString::fromLocal8Bit(std::strerror(EIO)) : reason;
    return m_failure;
}

QString AtomicFileWriter::failedWrite()
{
    return fail(withNativePath(m_file->errorString(), m_path));
}

QString AtomicFileWriter::write(QByteArrayView bytes)
{
    if (!m_file)
        return m_failure;
    // A write can stop part-way without a reason (a disk that fills up, a file size limit); the
    // write of the rest then fails with the system's own.
    for (qint64 done = 0; done < bytes.size();) {
        const qint64 written = m_file->write(bytes.data() + done, bytes.size() - done);
        if (written <= 0)
            return failedWrite();
        done += written;
    }
    return {};
}

QString AtomicFileWriter::commit()
{
    if (!m_file)
        return m_failure;
    // QSaveFile's commit() can report success after a failed write: check before and after.
    if (!m_file->flush() || m_file->error() != QFileDevice::NoError)
        return failedWrite();
    // Last before the rename: a write clears the set-user and set-group bits.
    if (const QString reason = keepModeOf(m_path, m_file->handle()); !reason.isEmpty())
        return fail(reason);
    const bool committed = m_file->commit() && m_file->error() == QFileDevice::NoError;
    if (!committed)
        m_failure = withNativePath(m_file->errorString(), m_path);
    m_file.reset();
    return m_failure;
}

QString writeFileAtomically(const QString &path, const QByteArray &bytes)
{
    AtomicFileWriter file(path);
    if (QString failure = file.write(bytes); !failure.isEmpty())
        return failure;
    return file.commit();
}

} // namespace safefiles
