#include "platform/SettingsStore.h"

#include "platform/IniText.h"
#include "platform/SafeFiles.h"

#include <QCoreApplication>
#include <QTimer>

namespace {

// A settings file larger than this is not ours to read or rewrite.
constexpr qint64 kLargestSettingsFile = 16 * 1024 * 1024;

// Makes the folder that path lies in, and each missing folder above it, as QDir::mkpath would,
// but through the safe files, which keep the bytes of a name that are not UTF-8 (a home folder's).
void makeFolderOf(const QString &path)
{
    const QString folder = path.first(qMax<qsizetype>(path.lastIndexOf(QLatin1Char('/')), 0));
    if (!folder.isEmpty() && !safefiles::makeFolder(folder).isEmpty()) {
        makeFolderOf(folder);
        (void)safefiles::makeFolder(folder);
    }
}

} // namespace

SettingsStore::SettingsStore(QString path)
    : m_path(std::move(path))
{
}

SettingsStore::~SettingsStore()
{
    flush();
}

QString SettingsStore::defaultPath()
{
    const QString folder = configFolder();
    if (folder.isEmpty())
        return {};
    const QString app = QCoreApplication::applicationName();
    return folder + QLatin1Char('/') + app + QLatin1Char('/') + app + QStringLiteral(".conf");
}

QString SettingsStore::read(const QString &section, const QString &entry)
{
    for (auto it = m_pending.rbegin(); it != m_pending.rend(); ++it) {
        if (it->section == section && it->entry == entry)
            return it->value;
    }
    if (!m_contents)
        m_contents = safefiles::readRegularFile(m_path, kLargestSettingsFile).value_or(QByteArray());
    return initext::value(*m_contents, section, entry);
}

void SettingsStore::write(const QString &section, const QString &entry, const QString &value)
{
    m_pending.push_back({section, entry, value});
    if (m_pending.size() == 1)
        QTimer::singleShot(0, &m_flushContext, [this] { flush(); });
}

bool SettingsStore::flush()
{
    if (m_pending.empty())
        return true;
    // Read afresh, so that whatever else the file holds now is kept. A file that is there but
    // cannot be read as ours (too large, not a regular file) or not written back exactly but for
    // the changed lines is left alone.
    const safefiles::PathKind kind = safefiles::kindOf(m_path);
    std::optional<QByteArray> contents = kind == safefiles::PathKind::Missing
        ? std::optional<QByteArray>(QByteArray())
        : safefiles::readRegularFile(m_path, kLargestSettingsFile);
    if (!contents)
        return false;
    for (const Pending &p : m_pending) {
        contents = initext::withValue(*contents, p.section, p.entry, p.value);
        if (!contents)
            return false;
    }
    makeFolderOf(m_path);
    if (!safefiles::writeFileAtomically(m_path, *contents).isEmpty())
        return false;
    m_contents = std::move(contents);
    m_pending.clear();
    return true;
}
