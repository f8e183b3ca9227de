#include "platform/PaperSize.h"

#include "platform/FileNames.h"
#include "platform/SafeFiles.h"

#include <QList>

#include <cstdlib>

namespace {

// A paper size file is a word and perhaps comments; more than this is no such file.
constexpr qint64 kLargestFile = 64 * 1024;

// The contents of the regular file at path, links followed as libpaper follows them (some systems
// keep /etc as links); empty when there is none.
QByteArray contentsOf(const QByteArray &path)
{
    char *const real = ::realpath(path.constData(), nullptr);
    if (!real)
        return {};
    const std::optional<QByteArray> contents = safefiles::readRegularFile(filenames::decoded(real), kLargestFile);
    std::free(real);
    return contents.value_or(QByteArray());
}

// The first word of a paper size file, blanks and comments (from "#" to the line's end) before it
// skipped.
QByteArray firstWord(const QByteArray &contents)
{
    for (const QByteArray &line : contents.split('\n')) {
        const QByteArray text = line.simplified();
        if (!text.isEmpty() && !text.startsWith('#'))
            return text.split(' ').constFirst();
    }
    return {};
}

} // namespace

papersize::Convention papersize::systemConvention()
{
    if (const QByteArray variable = qgetenv("PAPERSIZE"); !variable.isEmpty())
        return {variable.toLower().toStdString(), QStringLiteral("PAPERSIZE")};
    const QByteArray named = qgetenv("PAPERCONF");
    const QByteArray file = named.isEmpty() ? QByteArray("/etc/papersize") : named;
    const QByteArray name = firstWord(contentsOf(file));
    if (name.isEmpty())
        return {};
    return {name.toLower().toStdString(), filenames::decoded(file)};
}
