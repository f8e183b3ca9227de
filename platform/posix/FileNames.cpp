#include "platform/FileNames.h"

#include <QFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

std::optional<unsigned char> filenames::strayByte(char16_t lone)
{
    if (lone < 0xDC80 || lone > 0xDCFF)
        return std::nullopt;
    return static_cast<unsigned char>(lone - 0xDC00);
}

QString filenames::openForReading(QFile &file, const QString &name)
{
    int fd = -1;
    do
        fd = ::open(encoded(name).constData(), O_RDONLY | O_CLOEXEC);
    while (fd < 0 && errno == EINTR);
    if (fd < 0)
        return QString::fromLocal8Bit(std::strerror(errno));
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return file.errorString();
    }
    return {};
}

bool filenames::isFolder(const QString &name)
{
    struct stat info {};
    return ::stat(encoded(name).constData(), &info) == 0 && S_ISDIR(info.st_mode);
}
