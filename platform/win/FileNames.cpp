#include "platform/FileNames.h"

#include <QFile>
#include <QFileInfo>

// Names are UTF-16 here: no character of one stands for a byte, and Qt's file classes take them as
// they are.
std::optional<unsigned char> filenames::strayByte(char16_t)
{
    return std::nullopt;
}

QString filenames::openForReading(QFile &file, const QString &name)
{
    file.setFileName(name);
    return file.open(QIODevice::ReadOnly) ? QString() : file.errorString();
}

bool filenames::isFolder(const QString &name)
{
    return QFileInfo(name).isDir();
}
