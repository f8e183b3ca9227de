#include "platform/InstanceLock.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QStandardPaths>

#include <windows.h>

// On Windows the lock is a named mutex in the session's own namespace, named after the lock's
// path: the system destroys it with the last handle, so a copy that ended in any way leaves
// nothing behind, and a file that happens to lie at the path plays no part.

namespace {

std::wstring mutexName(const QString &path)
{
    const QByteArray digest = QCryptographicHash::hash(path.toLower().toUtf8(), QCryptographicHash::Sha256).toHex();
    // The name earlier versions give the mutex, which a copy must give it too to see one of them
    // running: hence this prefix as it stands, capital included, rather than one made from the
    // application's name ("larkspire").
    return (QStringLiteral("Local\\Larkspire-") + QString::fromLatin1(digest.left(32))).toStdWString();
}

} // namespace

InstanceLock::InstanceLock(QString path)
    : m_path(std::move(path))
{
}

InstanceLock::~InstanceLock()
{
    if (m_handle != -1)
        CloseHandle(reinterpret_cast<HANDLE>(m_handle));
}

QString InstanceLock::defaultPath()
{
    // The user's own local application data: the name is the user's alone.
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    const QString app = QCoreApplication::applicationName();
    return folder.isEmpty() ? QString() : folder + QLatin1Char('/') + app + QLatin1Char('/') + app + QStringLiteral(".lock");
}

bool InstanceLock::tryAcquire()
{
    if (m_handle != -1 || m_path.isEmpty())
        return true;
    const HANDLE mutex = CreateMutexW(nullptr, FALSE, mutexName(m_path).c_str());
    if (mutex == nullptr)
        return true; // no lock can be had: run rather than never start
    if (GetLastError() == ERROR_ALREADY_EXISTS) {
        CloseHandle(mutex);
        return false;
    }
    m_handle = reinterpret_cast<qintptr>(mutex);
    return true;
}
