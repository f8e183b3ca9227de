#include "platform/PaperSize.h"

#include <QByteArray>

#include <cctype>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// A paper size file is a word and perhaps comments; more than this is no such file.
constexpr std::size_t kLargestFile = 64 * 1024;

std::string lowered(std::string name)
{
    for (char &c : name)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return name;
}

// The contents of a regular file, at most kLargestFile bytes of it; empty when there is none. A
// FIFO or a device is not waited on.
std::string contentsOf(const std::string &path)
{
    const int handle = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (handle < 0)
        return {};
    std::string contents;
    struct stat status {};
    if (::fstat(handle, &status) == 0 && S_ISREG(status.st_mode)) {
        contents.resize(kLargestFile);
        std::size_t filled = 0;
        ssize_t read = 0;
        while (filled < contents.size() && (read = ::read(handle, contents.data() + filled, contents.size() - filled)) > 0)
            filled += static_cast<std::size_t>(read);
        contents.resize(filled);
    }
    ::close(handle);
    return contents;
}

// The first word of a paper size file, blanks and comments before it skipped.
std::string firstWord(const std::string &contents)
{
    std::size_t at = 0;
    while (at < contents.size()) {
        const auto c = static_cast<unsigned char>(contents[at]);
        if (std::isspace(c)) {
            ++at;
        } else if (c == '#') {
            at = contents.find('\n', at);
        } else {
            std::size_t end = at;
            while (end < contents.size() && !std::isspace(static_cast<unsigned char>(contents[end])))
                ++end;
            return contents.substr(at, end - at);
        }
    }
    return {};
}

} // namespace

papersize::Convention papersize::systemConvention()
{
    if (const QByteArray variable = qgetenv("PAPERSIZE"); !variable.isEmpty())
        return {lowered(variable.toStdString()), "PAPERSIZE"};
    const QByteArray named = qgetenv("PAPERCONF");
    const std::string file = named.isEmpty() ? std::string("/etc/papersize") : named.toStdString();
    const std::string name = firstWord(contentsOf(file));
    if (name.empty())
        return {};
    return {lowered(name), file};
}
