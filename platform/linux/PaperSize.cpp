#include "platform/PaperSize.h"

#include "platform/FileNames.h"
#include "platform/SafeFiles.h"

#include <cctype>
#include <cstdlib>

namespace {

// A paper size file is a word and perhaps comments; more than this is no such file.
constexpr qint64 kLargestFile = 64 * 1024;

std::string lowered(std::string name)
{
    for (char &c : name)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return name;
}

// The contents of the regular file at path, links followed as libpaper follows them (some systems
// keep /etc as links); empty when there is none.
std::string contentsOf(const std::string &path)
{
    char *const real = ::realpath(path.c_str(), nullptr);
    if (!real)
        return {};
    const std::optional<QByteArray> contents = safefiles::readRegularFile(filenames::decoded(real), kLargestFile);
    std::free(real);
    return contents.value_or(QByteArray()).toStdString();
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
