#include "platform/SafeFiles.h"

#include <QCoreApplication>
#include <QDir>

#include <windows.h>

namespace safefiles {

namespace {

std::wstring nativePath(const QString &path)
{
    return QDir::toNativeSeparators(path).toStdWString();
}

// The system's own words for an error.
QString systemError(DWORD error)
{
    wchar_t *text = nullptr;
    const DWORD length = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM
                                            | FORMAT_MESSAGE_IGNORE_INSERTS,
                                        nullptr, error, 0, reinterpret_cast<wchar_t *>(&text), 0, nullptr);
    QString message = length ? QString::fromWCharArray(text, static_cast<qsizetype>(length)).trimmed() : QString();
    LocalFree(text);
    return message.isEmpty() ? QStringLiteral("Error %1").arg(error) : message;
}

bool isMissing(DWORD error)
{
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

// What is at a path, looked at without following a reparse point (a symbolic link, a junction):
// opened for no access at all, so that nothing is locked or changed.
struct Look {
    DWORD error = ERROR_SUCCESS; // when the path could not be opened
    DWORD attributes = 0;
    DWORD type = FILE_TYPE_UNKNOWN;
};

Look lookAt(const QString &path)
{
    Look look;
    const HANDLE file = CreateFileW(nativePath(path).c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                    nullptr, OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_BACKUP_SEMANTICS,
                                    nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        look.error = GetLastError();
        return look;
    }
    look.type = GetFileType(file);
    BY_HANDLE_FILE_INFORMATION info {};
    if (look.type == FILE_TYPE_DISK && GetFileInformationByHandle(file, &info))
        look.attributes = info.dwFileAttributes;
    CloseHandle(file);
    return look;
}

bool isRegular(const Look &look)
{
    return look.error == ERROR_SUCCESS && look.type == FILE_TYPE_DISK
        && !(look.attributes & (FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE));
}

} // namespace

// Windows has no file size limit of a process, and no signal for one.
FileSizeSignalGuard::FileSizeSignalGuard() = default;
FileSizeSignalGuard::~FileSizeSignalGuard() = default;

PathKind kindOf(const QString &path)
{
    const Look look = lookAt(path);
    if (look.error != ERROR_SUCCESS)
        return isMissing(look.error) ? PathKind::Missing : PathKind::Other;
    return isRegular(look) ? PathKind::Regular : PathKind::Other;
}

QString refusalOf(const QString &path)
{
    const Look look = lookAt(path);
    if (look.error != ERROR_SUCCESS)
        return isMissing(look.error) ? QString() : systemError(look.error);
    if (isRegular(look))
        return {};
    if (look.attributes & FILE_ATTRIBUTE_REPARSE_POINT)
        return QCoreApplication::translate("SafeFiles",
                                           "It is a symbolic link or junction, which is never written through.");
    if (look.attributes & FILE_ATTRIBUTE_DIRECTORY)
        return QCoreApplication::translate("SafeFiles", "It is a folder.");
    return QCoreApplication::translate("SafeFiles", "It is not a regular file.");
}

// A replaced file's attributes and access rights are the file system's business on Windows.
QString keepModeOf(const QString &, int)
{
    return {};
}

QString makeFolder(const QString &path)
{
    if (CreateDirectoryW(nativePath(path).c_str(), nullptr))
        return {};
    const DWORD error = GetLastError();
    const DWORD attributes = GetFileAttributesW(nativePath(path).c_str());
    if (error == ERROR_ALREADY_EXISTS && attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
        return {};
    return systemError(error);
}

std::optional<QByteArray> readRegularFile(const QString &path, qint64 maxBytes)
{
    const HANDLE file = CreateFileW(nativePath(path).c_str(), GENERIC_READ,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                    FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return std::nullopt;
    std::optional<QByteArray> contents;
    BY_HANDLE_FILE_INFORMATION info {};
    LARGE_INTEGER size {};
    if (GetFileType(file) == FILE_TYPE_DISK && GetFileInformationByHandle(file, &info)
        && !(info.dwFileAttributes & (FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE))
        && GetFileSizeEx(file, &size) && size.QuadPart <= maxBytes) {
        QByteArray bytes;
        bytes.resize(static_cast<qsizetype>(size.QuadPart));
        qsizetype done = 0;
        bool failed = false;
        while (done < bytes.size()) {
            DWORD read = 0;
            const DWORD wanted = static_cast<DWORD>(qMin<qsizetype>(bytes.size() - done, 1 << 20));
            if (!ReadFile(file, bytes.data() + done, wanted, &read, nullptr)) {
                failed = true;
                break;
            }
            if (read == 0)
                break;
            done += read;
        }
        if (!failed) {
            bytes.truncate(done);
            contents = std::move(bytes);
        }
    }
    CloseHandle(file);
    return contents;
}

} // namespace safefiles
