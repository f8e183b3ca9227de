#include "platform/StandardStreams.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <unistd.h>

namespace standardstreams {

namespace {

QString writeAll(int fd, QByteArrayView bytes)
{
    for (qsizetype done = 0; done < bytes.size();) {
        const ssize_t written = ::write(fd, bytes.data() + done, static_cast<size_t>(bytes.size() - done));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return QString::fromLocal8Bit(std::strerror(written < 0 ? errno : EIO));
        done += written;
    }
    return {};
}

} // namespace

void letClosedPipesFailWrites()
{
    std::signal(SIGPIPE, SIG_IGN);
}

QString writeOutput(QByteArrayView bytes)
{
    return writeAll(STDOUT_FILENO, bytes);
}

QString writeError(QByteArrayView bytes)
{
    return writeAll(STDERR_FILENO, bytes);
}

bool outputIsTerminal()
{
    return ::isatty(STDOUT_FILENO) == 1;
}

bool openInput(QFile &file)
{
    return file.open(stdin, QIODevice::ReadOnly);
}

} // namespace standardstreams
