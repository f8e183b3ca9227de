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
    for (qsizetype i = 0; i < word.size(); ++i) {
        if (word[i].isHighSurrogate() && i + 1 < word.size() && word[i + 1].isLowSurrogate())
            ++i;
        else if (word[i].isSurrogate())
            return QStringLiteral("invalid UTF-8");
    }
    return {};
}
