#include "platform/SafeFiles.h"

#include <QDir>

#include <algorithm>
#include <utility>

namespace safefiles {

namespace {

// The most bytes kept before they go to the system: enough that the system's call for each part
// costs little beside copying its bytes, where a call for each small part would cost more.
constexpr qsizetype kBufferBytes = 64 * 1024;

} // namespace

Folder::Folder(Folder &&other) noexcept
    : m_path(std::move(other.m_path))
    , m_handle(std::exchange(other.m_handle, -1))
    , m_resolved(std::move(other.m_resolved))
{
}

Folder &Folder::operator=(Folder &&other) noexcept
{
    if (this != &other) {
        close();
        m_path = std::move(other.m_path);
        m_handle = std::exchange(other.m_handle, -1);
        m_resolved = std::move(other.m_resolved);
    }
    return *this;
}

Folder::~Folder()
{
    close();
}

QString Folder::filePath(const QString &name) const
{
    return QDir(m_path).filePath(name);
}

// The path's folder is opened by openTarget where the system makes files relative to a folder.
AtomicFileWriter::AtomicFileWriter(const QString &path, WriteOptions options)
    : m_path(path)
    , m_folder(&m_ownFolder)
    , m_options(options)
{
    // A path that ends in a separator names a folder, as its own name "." does.
    m_name = path.mid(std::max(path.lastIndexOf(QLatin1Char('/')), path.lastIndexOf(QDir::separator())) + 1);
    if (m_name.isEmpty())
        m_name = QStringLiteral(".");
    open();
}

AtomicFileWriter::AtomicFileWriter(const Folder &folder, const QString &name, WriteOptions options)
    : m_path(folder.filePath(name))
    , m_folder(&folder)
    , m_name(name)
    , m_options(options)
{
    open();
}

void AtomicFileWriter::open()
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
