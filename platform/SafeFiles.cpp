#include "platform/SafeFiles.h"

namespace safefiles {

namespace {

// The most bytes kept before they go to the system: enough that the system's call for each part
// costs little beside copying its bytes, where a call for each small part would cost more.
constexpr qsizetype kBufferBytes = 64 * 1024;

} // namespace

AtomicFileWriter::AtomicFileWriter(const QString &path, WriteOptions options)
    : m_path(path)
    , m_options(options)
{
    if (const QString reason = openTarget(); !reason.isEmpty())
        fail(reason);
    else
        m_buffer.reserve(kBufferBytes);
}

AtomicFileWriter::~AtomicFileWriter()
{
    if (m_handle != -1)
        discardTarget();
}

QString AtomicFileWriter::fail(const QString &reason)
{
    if (m_handle != -1)
        discardTarget();
    m_buffer = QByteArray();
    m_failure = reason;
    return m_failure;
}

QString AtomicFileWriter::writeBuffer()
{
    if (m_buffer.isEmpty())
        return {};
    const QString reason = writeTarget(m_buffer);
    m_buffer.resize(0); // keeps its room
    return reason.isEmpty() ? QString() : fail(reason);
}

QString AtomicFileWriter::write(QByteArrayView bytes)
{
    if (m_handle == -1)
        return m_failure;
    if (!m_stream && m_buffer.size() + bytes.size() <= kBufferBytes) {
        m_buffer.append(bytes);
        return {};
    }
    if (const QString reason = writeBuffer(); !reason.isEmpty())
        return reason;
    if (!m_stream && bytes.size() < kBufferBytes) {
        m_buffer.append(bytes);
        return {};
    }
    const QString reason = writeTarget(bytes);
    return reason.isEmpty() ? QString() : fail(reason);
}

QString AtomicFileWriter::commit()
{
    if (m_handle == -1)
        return m_failure;
    if (const QString reason = writeBuffer(); !reason.isEmpty())
        return reason;
    const QString reason = commitTarget();
    m_handle = -1;
    m_failure = reason.isEmpty() ? QStringLiteral("already committed") : reason;
    return reason;
}

QString writeFileAtomically(const QString &path, const QByteArray &bytes)
{
    AtomicFileWriter file(path);
    if (QString failure = file.write(bytes); !failure.isEmpty())
        return failure;
    return file.commit();
}

} // namespace safefiles
