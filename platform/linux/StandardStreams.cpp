#include "platform/StandardStreams.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

namespace standardstreams {

namespace {

QString writeAll(int fd, QByteArrayView bytes)
{
    for (qsizetype done = 0; done < bytes.size();) {
        const ssize_t written = ::write(fd, bytes.data() + done, static_cast<size_t>(bytes.size() - done));
        if (written < 0 && errno == EINTR)
            continue;
        if (written < 0 && isClosedPipe(errno) && fd == STDOUT_FILENO)
            endAtClosedPipe();
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

bool isClosedPipe(unsigned long error)
{
    return error == EPIPE;
}

void endAtClosedPipe()
{
    std::signal(SIGPIPE, SIG_DFL);
    sigset_t pipe;
    sigemptyset(&pipe);
    sigaddset(&pipe, SIGPIPE);
    sigprocmask(SIG_UNBLOCK, &pipe, nullptr);
    std::raise(SIGPIPE);
    std::_Exit(128 + SIGPIPE);
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

bool outputIsStream()
{
    struct stat info {};
    return outputIsTerminal() || (::fstat(STDOUT_FILENO, &info) == 0 && (S_ISFIFO(info.st_mode) || S_ISSOCK(info.st_mode)));
}

std::optional<safefiles::FileIdentity> inputIdentity()
{
    return safefiles::identityOfHandle(STDIN_FILENO);
}

std::optional<safefiles::FileIdentity> outputIdentity()
{
    return safefiles::identityOfHandle(STDOUT_FILENO);
}

bool openInput(QFile &file)
{
    return file.open(stdin, QIODevice::ReadOnly);
}

} // namespace standardstreams
