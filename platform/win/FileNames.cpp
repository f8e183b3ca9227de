#include "platform/FileNames.h"

#include "platform/StandardStreams.h"
#include "platform/win/SystemError.h"

#include <QFile>
#include <QFileInfo>

#include <fcntl.h>
#include <io.h>
#include <windows.h>

// Names are UTF-16 here: no character of one stands for a byte, and Qt's file classes take them as
// they are.
std::optional<unsigned char> filenames::strayByte(char16_t)
{
    return std::nullopt;
}

// Opened by the system's own call, as Linux's open() opens any file: Qt's takes a device's name
// (NUL) for an invalid file name, and says only "Access denied" of a folder.
QString filenames::openForReading(QFile &file, const QString &name)
{
    // The program that larkspire.com starts has no console of its own, and a console read as a
    // file would never end (the C library drops a Ctrl+Z typed there): what is typed is read as
    // standard input, which larkspire.com passes on to its Ctrl+Z, whatever the code page.
    if (standardstreams::isTerminal(name))
        return QStringLiteral("it is the console, which '--batch -' reads");
    const HANDLE handle = CreateFileW(name.toStdWString().c_str(), GENERIC_READ,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        return isFolder(name) ? QStringLiteral("Is a folder") : QString::fromStdWString(systemerror::message(error));
    }
    const int descriptor = _open_osfhandle(reinterpret_cast<intptr_t>(handle), _O_RDONLY | _O_BINARY);
    if (descriptor < 0) {
        CloseHandle(handle);
        return QString::fromStdWString(systemerror::message(ERROR_TOO_MANY_OPEN_FILES));
    }
    if (!file.open(descriptor, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        _close(descriptor);
        return file.errorString();
    }
    return {};
}

bool filenames::isFolder(const QString &name)
{
    return QFileInfo(name).isDir();
}
