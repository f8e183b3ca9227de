#include "platform/FileNames.h"

#include <QFile>
#include <QStringDecoder>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The text of bytes that are wholly UTF-8 (a byte-order mark included, as part of a name).
std::optional<QString> utf8(QByteArrayView bytes)
{
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
    QString text = decoder(bytes);
    return decoder.hasError() ? std::nullopt : std::optional<QString>(std::move(text));
}

} // namespace

QString filenames::decoded(QByteArrayView name)
{
    if (std::optional<QString> text = utf8(name))
        return *text;
    QString text;
    for (qsizetype i = 0; i < name.size();) {
        // The one UTF-8 sequence (of one to four bytes) that starts here, if one does.
        qsizetype length = 1;
        std::optional<QString> character;
        for (; length <= 4 && i + length <= name.size() && !character; ++length)
            character = utf8(name.sliced(i, length));
        if (character) {
            text += *character;
            i += length - 1;
        } else {
            text += QChar(0xDC00 + static_cast<unsigned char>(name[i]));
            ++i;
        }
    }
    return text;
}

QByteArray filenames::encoded(const QString &name)
{
    QByteArray bytes;
    qsizetype start = 0;
    for (qsizetype i = 0; i < name.size(); ++i) {
        const std::optional<unsigned char> byte = strayByte(name[i].unicode());
        if (!byte || (i > 0 && name[i - 1].isHighSurrogate()))
            continue;
        bytes += QStringView(name).sliced(start, i - start).toUtf8();
        bytes += static_cast<char>(*byte);
        start = i + 1;
    }
    return bytes + QStringView(name).sliced(start).toUtf8();
}

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
