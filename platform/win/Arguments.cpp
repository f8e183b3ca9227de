#include "platform/Arguments.h"

#include <windows.h>

#include <shellapi.h>

QStringList arguments::words(int argc, char **argv)
{
    int count = 0;
    wchar_t **words = CommandLineToArgvW(GetCommandLineW(), &count);
    QStringList all;
    if (!words) {
        for (int i = 0; i < argc; ++i)
            all << QString::fromLocal8Bit(argv[i]);
        return all;
    }
    all.reserve(count);
    for (int i = 0; i < count; ++i)
        all << QString::fromWCharArray(words[i]);
    LocalFree(words);
    return all;
}

QString arguments::notText(const QString &word)
{
    for (qsizetype i = 0; i < word.size(); ++i) {
        const QChar c = word[i];
        if (c.isHighSurrogate() && i + 1 < word.size() && word[i + 1].isLowSurrogate())
            ++i;
        else if (c.isSurrogate())
            return QStringLiteral("a lone surrogate, U+") + QString::number(c.unicode(), 16).toUpper();
    }
    return {};
}
