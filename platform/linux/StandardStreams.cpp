#include "platform/StandardStreams.h"

#include "platform/FileNames.h"

#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
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

void keepStreamsOpen()
{
    for (const int stream : {STDIN_FILENO, STDOUT_FILENO, STDERR_FILENO}) {
        if (::fcntl(stream, F_GETFD) != -1 || errno != EBADF)
            continue;
        // The lowest free number, which the streams below it leave to this one.
        const int standIn = ::open("/dev/null", stream == STDIN_FILENO ? O_WRONLY : O_RDONLY);
        // Without a null device a file could still take the stream's place: nothing is safe to
        // open, and nothing can be said where nothing is open.
        if (standIn != stream)
            std::_Exit(1);
    }
}

void letWritesFail()
{
    std::signal(SIGPIPE, SIG_IGN);
    std::signal(SIGXFSZ, SIG_IGN);
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

bool inputIsTerminal()
{
    return ::isatty(STDIN_FILENO) == 1;
}

bool errorIsTerminal()
{
    return ::isatty(STDERR_FILENO) == 1;
}

bool isTerminal(const QString &path)
{
    const QByteArray name = filenames::encoded(path);
    struct stat info {};
    // Only a character device is opened to ask: opening a FIFO would wait for its other end.
    if (::stat(name.constData(), &info) != 0 || !S_ISCHR(info.st_mode))
        return false;
    const int handle = ::open(name.constData(), O_WRONLY | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (handle < 0)
        return false;
    const bool terminal = ::isatty(handle) == 1;
    ::close(handle);
    return terminal;
}

// Follows path's links one by one, as the system follows them, until one is a descriptor of this
// process's own (/proc/PID/fd/N, which /dev/stdout, /dev/fd/N and /proc/self/fd/N lead to).
std::optional<Stream> streamNamed(const QString &path)
{
    const QByteArray ownDescriptors = "/proc/" + QByteArray::number(::getpid()) + "/fd";
    QByteArray name = filenames::encoded(path);
    // As many links as the system follows before it gives up (ELOOP).
    for (int link = 0; link < 40 && !name.isEmpty(); ++link) {
        struct stat info {};
        if (::lstat(name.constData(), &info) != 0 || !S_ISLNK(info.st_mode))
            return std::nullopt;
        const qsizetype slash = name.lastIndexOf('/');
        char *const real = ::realpath(slash < 0 ? "." : slash == 0 ? "/" : name.left(slash).constData(), nullptr);
        if (!real)
            return std::nullopt;
        const QByteArray folder(real);
        std::free(real);
        const QByteArray leaf = name.mid(slash + 1);
        if (folder == ownDescriptors)
            return leaf == "1" ? std::optional(Stream::Output) : leaf == "2" ? std::optional(Stream::Error) : std::nullopt;
        QByteArray target(PATH_MAX, '\0');
        const ssize_t size = ::readlink(name.constData(), target.data(), static_cast<size_t>(target.size()));
        if (size <= 0 || size >= target.size())
            return std::nullopt;
        target.truncate(size);
        name = target.startsWith('/') ? target : folder + '/' + target;
    }
    return std::nullopt;
}

bool outputIsStream(Stream stream)
{
    const int handle = stream == Stream::Error ? STDERR_FILENO : STDOUT_FILENO;
    struct stat info {};
    return ::isatty(handle) == 1 || (::fstat(handle, &info) == 0 && (S_ISFIFO(info.st_mode) || S_ISSOCK(info.st_mode)));
}

std::optional<safefiles::FileIdentity> inputIdentity()
{
    return safefiles::identityOfHandle(STDIN_FILENO);
}

std::optional<safefiles::FileIdentity> outputIdentity()
{
    return safefiles::identityOfHandle(STDOUT_FILENO);
}

std::optional<safefiles::FileIdentity> errorIdentity()
{
    return safefiles::identityOfHandle(STDERR_FILENO);
}

bool openInput(QFile &file)
{
    return file.open(stdin, QIODevice::ReadOnly);
}

} // namespace standardstreams
