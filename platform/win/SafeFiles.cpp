#include "platform/SafeFiles.h"

#include "platform/FileIdentity.h"
#include "platform/StandardStreams.h"
#include "platform/win/SystemError.h"

#include <QCoreApplication>
#include <QDir>
#include <QRandomGenerator>

#include <algorithm>
#include <iterator>
#include <vector>

#include <windows.h>
#include <aclapi.h>

namespace safefiles {

namespace {

std::wstring nativePath(const QString &path)
{
    return QDir::toNativeSeparators(path).toStdWString();
}

QString systemError(DWORD error)
{
    return QString::fromStdWString(systemerror::message(error));
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

Look lookAt(const std::wstring &path)
{
    Look look;
    const HANDLE file = CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
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

// Why a file is not written where something other than a regular file lies.
QString refusalOf(const Look &look)
{
    if (look.attributes & FILE_ATTRIBUTE_REPARSE_POINT)
        return QCoreApplication::translate("SafeFiles",
                                           "It is a symbolic link or junction, which is never written through.");
    if (look.attributes & FILE_ATTRIBUTE_DIRECTORY)
        return QCoreApplication::translate("SafeFiles", "It is a folder.");
    return QCoreApplication::translate("SafeFiles", "It is not a regular file.");
}

QString thereAlready()
{
    return QCoreApplication::translate("SafeFiles", "It is there already.");
}

// A device written straight into: a character device (NUL, CON, a serial port) or a pipe.
bool isWritableDevice(DWORD type)
{
    return type == FILE_TYPE_CHAR || type == FILE_TYPE_PIPE;
}

// A name for a temporary file, not there yet, in the folder of path: short, so that it fits
// wherever the target's name fits (255 units), and marked as hidden by its dot on Wine.
std::wstring temporaryName(const std::wstring &path)
{
    static const wchar_t kLetters[] = L"abcdefghijklmnopqrstuvwxyz0123456789";
    std::size_t end = path.find_last_of(L"\\/");
    // "C:name" names a file in the drive's own working folder.
    if (end == std::wstring::npos && path.size() >= 2 && path[1] == L':')
        end = 1;
    std::wstring name = (end == std::wstring::npos ? std::wstring() : path.substr(0, end + 1)) + L".larkspire-";
    for (int i = 0; i < 6; ++i)
        name += kLetters[QRandomGenerator::global()->bounded(int(std::size(kLetters) - 1))];
    return name;
}

// A temporary file's name as the writer keeps it: its UTF-16 code units as they are, so that a
// path with a lone surrogate (which UTF-8 cannot hold) names the same file again.
QByteArray keptName(const std::wstring &name)
{
    const auto bytes = static_cast<qsizetype>(name.size() * sizeof(wchar_t));
    return QByteArray(reinterpret_cast<const char *>(name.data()), bytes);
}
std::wstring nameKept(const QByteArray &kept)
{
    const std::size_t units = static_cast<std::size_t>(kept.size()) / sizeof(wchar_t);
    return std::wstring(reinterpret_cast<const wchar_t *>(kept.constData()), units);
}

HANDLE handleOf(qintptr handle)
{
    return reinterpret_cast<HANDLE>(handle);
}

// Marks the file open at handle to go when its last handle closes, or takes the mark off.
bool setDeletedOnClose(HANDLE handle, bool deleted)
{
    FILE_DISPOSITION_INFO disposition {};
    disposition.DeleteFile = deleted;
    return SetFileInformationByHandle(handle, FileDispositionInfo, &disposition, sizeof disposition);
}

// Gives the file open at handle the name path: over a file there with replace, otherwise only
// where nothing is. ERROR_SUCCESS, or why not.
DWORD renameOpenFile(HANDLE handle, const std::wstring &path, bool replace)
{
    // The system takes a whole path, not one relative to the working folder.
    std::wstring full(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetFullPathNameW(path.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
        if (length == 0)
            return GetLastError();
        const bool fits = length < full.size();
        full.resize(length);
        if (fits)
            break;
    }
    const std::size_t nameBytes = full.size() * sizeof(wchar_t);
    // Zeroed, so that the name ends with a null as the system wants it.
    std::vector<char> buffer(sizeof(FILE_RENAME_INFO) + nameBytes);
    auto *rename = reinterpret_cast<FILE_RENAME_INFO *>(buffer.data());
    rename->ReplaceIfExists = replace;
    rename->RootDirectory = nullptr;
    rename->FileNameLength = static_cast<DWORD>(nameBytes);
    std::copy(full.begin(), full.end(), rename->FileName);
    return SetFileInformationByHandle(handle, FileRenameInfo, rename, static_cast<DWORD>(buffer.size())) ? ERROR_SUCCESS
                                                                                                           : GetLastError();
}

// Gives the new file at handle what the old file at target has beyond its contents, as POSIX's
// mode is kept: its security descriptor's access list and the attributes that say what the file
// is to its user (hidden, system, not indexed); its times are the new contents'. Nothing when no
// file is there.
DWORD keepAttributesOf(const std::wstring &target, HANDLE handle)
{
    const HANDLE old = CreateFileW(target.c_str(), READ_CONTROL | FILE_READ_ATTRIBUTES,
                                   FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                   FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (old == INVALID_HANDLE_VALUE)
        return isMissing(GetLastError()) ? ERROR_SUCCESS : GetLastError();
    FILE_BASIC_INFO basic {};
    DWORD error = GetFileInformationByHandleEx(old, FileBasicInfo, &basic, sizeof basic) ? ERROR_SUCCESS : GetLastError();
    PACL access = nullptr;
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (error == ERROR_SUCCESS)
        error = GetSecurityInfo(old, SE_FILE_OBJECT, DACL_SECURITY_INFORMATION, nullptr, nullptr, &access, nullptr,
                                &descriptor);
    CloseHandle(old);
    SECURITY_DESCRIPTOR_CONTROL control = 0;
    DWORD revision = 0;
    if (error == ERROR_SUCCESS && access && GetSecurityDescriptorControl(descriptor, &control, &revision)) {
        // An access list that inherits from the folder goes on inheriting; the entries it inherited
        // are the folder's, which the new file takes from there.
        const SECURITY_INFORMATION what = DACL_SECURITY_INFORMATION
            | ((control & SE_DACL_PROTECTED) ? PROTECTED_DACL_SECURITY_INFORMATION : UNPROTECTED_DACL_SECURITY_INFORMATION);
        error = SetSecurityInfo(handle, SE_FILE_OBJECT, what, nullptr, nullptr, access, nullptr);
    }
    LocalFree(descriptor);
    constexpr DWORD kKept = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;
    if (error == ERROR_SUCCESS && (basic.FileAttributes & kKept)) {
        FILE_BASIC_INFO kept {}; // times of zero are left as they are
        kept.FileAttributes = (basic.FileAttributes & kKept) | FILE_ATTRIBUTE_ARCHIVE;
        if (!SetFileInformationByHandle(handle, FileBasicInfo, &kept, sizeof kept))
            error = GetLastError();
    }
    return error;
}

} // namespace

QString Folder::open(const QString &path)
{
    close();
    m_path = path;
    // Others may make and remove files in it, but not rename or remove it while it is open.
    const HANDLE folder = CreateFileW(nativePath(path.isEmpty() ? QStringLiteral(".") : path).c_str(), FILE_LIST_DIRECTORY,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                      FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (folder == INVALID_HANDLE_VALUE)
        return systemError(GetLastError());
    BY_HANDLE_FILE_INFORMATION info {};
    DWORD error = GetFileInformationByHandle(folder, &info) ? ERROR_SUCCESS : GetLastError();
    if (error == ERROR_SUCCESS && !(info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        error = ERROR_DIRECTORY;
    // Its whole path, which leads to it for as long as it is held open.
    std::wstring resolved(MAX_PATH, L'\0');
    while (error == ERROR_SUCCESS) {
        const DWORD length = GetFinalPathNameByHandleW(folder, resolved.data(), static_cast<DWORD>(resolved.size()),
                                                       FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
        if (length == 0)
            error = GetLastError();
        const bool fits = length < resolved.size();
        resolved.resize(length);
        if (fits)
            break;
    }
    if (error != ERROR_SUCCESS) {
        CloseHandle(folder);
        return systemError(error);
    }
    if (!resolved.empty() && resolved.back() == L'\\')
        resolved.pop_back();
    m_handle = reinterpret_cast<qintptr>(folder);
    m_resolved = resolved;
    return {};
}

void Folder::close()
{
    if (m_handle != -1)
        CloseHandle(handleOf(m_handle));
    m_handle = -1;
}

// Windows has no file size limit of a process, and no signal for one.
FileSizeSignalGuard::FileSizeSignalGuard() = default;
FileSizeSignalGuard::~FileSizeSignalGuard() = default;

PathKind kindOf(const QString &path)
{
    const Look look = lookAt(nativePath(path));
    if (look.error != ERROR_SUCCESS)
        return isMissing(look.error) ? PathKind::Missing : PathKind::Other;
    return isRegular(look) ? PathKind::Regular : PathKind::Other;
}

QString makeFolder(const QString &path, Folder *opened)
{
    if (!CreateDirectoryW(nativePath(path).c_str(), nullptr)) {
        const DWORD error = GetLastError();
        const DWORD attributes = GetFileAttributesW(nativePath(path).c_str());
        if (error != ERROR_ALREADY_EXISTS || attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY))
            return systemError(error);
    }
    return opened ? opened->open(path) : QString();
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

namespace {

std::optional<FileIdentity> identityOfNative(const std::wstring &path)
{
    // Reparse points followed, as a write through them would follow them.
    const HANDLE file = CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                    nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return std::nullopt;
    const std::optional<FileIdentity> identity = identityOfHandle(reinterpret_cast<qintptr>(file));
    CloseHandle(file);
    return identity;
}

} // namespace

std::optional<FileIdentity> identityOf(const QString &path)
{
    return identityOfNative(nativePath(path));
}

std::optional<FileIdentity> identityIn(const Folder &folder, const QString &name)
{
    return identityOfNative(folder.m_resolved + L'\\' + name.toStdWString());
}

std::optional<FileIdentity> identityOfHandle(qintptr handle)
{
    const HANDLE file = handleOf(handle);
    BY_HANDLE_FILE_INFORMATION info {};
    if (file == nullptr || file == INVALID_HANDLE_VALUE || GetFileType(file) != FILE_TYPE_DISK
        || !GetFileInformationByHandle(file, &info) || (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        return std::nullopt;
    return FileIdentity{info.dwVolumeSerialNumber, (quint64(info.nFileIndexHigh) << 32) | info.nFileIndexLow};
}

// The new contents go to a temporary file in the target's folder, which is renamed through its
// handle into place: over the old file, or, with KeepExisting, only where nothing is (the system
// refuses in the same step). Until then the temporary file is marked for deletion, so that a
// process ended any way at all (Ctrl+C at the console entry, the task manager) leaves nothing
// behind, as an unnamed file on Linux leaves nothing. Paths go to the system whole, so that a
// \\?\ path works like any other; a file of an open folder is named from the folder's own whole
// path, which leads to it while it is held open.
QString AtomicFileWriter::openTarget()
{
    const std::wstring path = m_folder == &m_ownFolder ? nativePath(m_path)
                                                       : m_folder->m_resolved + L'\\' + m_name.toStdWString();
    const Look look = lookAt(path);
    // A device that cannot be looked at without access (CON) is opened for writing straight away.
    const bool device = (look.error == ERROR_SUCCESS && !(look.attributes & FILE_ATTRIBUTE_REPARSE_POINT)
                         && isWritableDevice(look.type))
        || (look.error != ERROR_SUCCESS && !isMissing(look.error));
    if ((m_options & WriteOption::WriteDevices) && device) {
        const HANDLE handle = CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                          OPEN_EXISTING, 0, nullptr);
        if (handle != INVALID_HANDLE_VALUE && isWritableDevice(GetFileType(handle))) {
            DWORD mode = 0;
            m_handle = reinterpret_cast<qintptr>(handle);
            m_device = true;
            m_stream = GetFileType(handle) == FILE_TYPE_PIPE || GetConsoleMode(handle, &mode);
            return {};
        }
        if (handle != INVALID_HANDLE_VALUE)
            CloseHandle(handle);
    }
    if (look.error != ERROR_SUCCESS && !isMissing(look.error))
        return systemError(look.error);
    // A file its owner made read-only is not replaced behind their back (nor by QSaveFile), and is
    // told as such rather than as merely there.
    if (isRegular(look) && (look.attributes & FILE_ATTRIBUTE_READONLY)) {
        m_readOnly = true;
        return QCoreApplication::translate("SafeFiles", "It is read-only.");
    }
    // Only what lies in the folder is there already: a name Windows keeps for a device is not.
    if (look.error == ERROR_SUCCESS && look.type == FILE_TYPE_DISK && (m_options & WriteOption::KeepExisting)) {
        m_existing = true;
        return thereAlready();
    }
    if (look.error == ERROR_SUCCESS && !isRegular(look))
        return refusalOf(look);
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::wstring temporary = temporaryName(path);
        // WRITE_DAC: to be given the access list of the file it replaces.
        const HANDLE handle = CreateFileW(temporary.c_str(), GENERIC_WRITE | DELETE | WRITE_DAC, 0, nullptr, CREATE_NEW,
                                          FILE_ATTRIBUTE_NORMAL, nullptr);
        if (handle != INVALID_HANDLE_VALUE) {
            if (!setDeletedOnClose(handle, true)) {
                const DWORD error = GetLastError();
                CloseHandle(handle);
                DeleteFileW(temporary.c_str());
                return systemError(error);
            }
            m_handle = reinterpret_cast<qintptr>(handle);
            m_temporary = keptName(temporary);
            return {};
        }
        if (GetLastError() != ERROR_FILE_EXISTS)
            return systemError(GetLastError());
    }
    return systemError(ERROR_FILE_EXISTS);
}

QString AtomicFileWriter::writeTarget(QByteArrayView bytes)
{
    for (qsizetype done = 0; done < bytes.size();) {
        const DWORD chunk = static_cast<DWORD>(std::min<qsizetype>(bytes.size() - done, 1 << 30));
        DWORD written = 0;
        if (!WriteFile(handleOf(m_handle), bytes.data() + done, chunk, &written, nullptr)) {
            const DWORD error = GetLastError();
            if (m_device && standardstreams::isClosedPipe(error))
                standardstreams::endAtClosedPipe();
            return systemError(error);
        }
        if (written == 0)
            return systemError(ERROR_WRITE_FAULT);
        done += written;
    }
    return {};
}

QString AtomicFileWriter::commitTarget()
{
    const HANDLE handle = handleOf(m_handle);
    if (m_device)
        return CloseHandle(handle) ? QString() : systemError(GetLastError());
    // What the system still holds is written now, and can fail now. The mark comes off just before
    // the rename, and goes back on when the rename fails.
    const std::wstring path = m_folder == &m_ownFolder ? nativePath(m_path)
                                                       : m_folder->m_resolved + L'\\' + m_name.toStdWString();
    const bool replace = !(m_options & WriteOption::KeepExisting);
    DWORD error = FlushFileBuffers(handle) ? ERROR_SUCCESS : GetLastError();
    if (error == ERROR_SUCCESS && replace)
        error = keepAttributesOf(path, handle);
    if (error == ERROR_SUCCESS && !setDeletedOnClose(handle, false))
        error = GetLastError();
    if (error == ERROR_SUCCESS)
        error = renameOpenFile(handle, path, replace);
    const bool left = error != ERROR_SUCCESS && !setDeletedOnClose(handle, true);
    CloseHandle(handle);
    if (left)
        DeleteFileW(nameKept(m_temporary).c_str());
    if (error == ERROR_SUCCESS)
        return {};
    if (!replace && (error == ERROR_ALREADY_EXISTS || error == ERROR_FILE_EXISTS)) {
        m_existing = true;
        return thereAlready();
    }
    return systemError(error);
}

void AtomicFileWriter::discardTarget()
{
    // A temporary file goes as it closes: it is marked for deletion until it takes its name.
    CloseHandle(handleOf(m_handle));
    m_handle = -1;
}

} // namespace safefiles
