#include "platform/Arguments.h"

#include "platform/FileNames.h"

QStringList arguments::words(int argc, char **argv)
{
    QStringList words;
    words.reserve(argc);
    for (int i = 0; i < argc; ++i)
        words << filenames::decoded(argv[i]);
    return words;
}

// Only a byte that is not UTF-8 gives a word a lone surrogate here.
QString arguments::notText(const QString &word)
{
    return word.isValidUtf16() ? QString() : QStringLiteral("invalid UTF-8");
}
