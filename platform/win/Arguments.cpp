#include "platform/Arguments.h"

#include <windows.h>

#include <string_view>

namespace {

bool isBlank(wchar_t c)
{
    return c == L' ' || c == L'\t';
}

// The words of a command line as Windows splits them (CommandLineToArgvW and the C library), but
// for one case. There a quoted word that ends in a backslash, "C:\Readings\", is C:\Readings" and
// goes on to the end of the next quoted word or of the line, "\"" being a quote inside the word. A
// quote can be part of no path, name or date: a backslash (or an odd number of them) and a quote
// at the end of a quoted word, before a blank or the line's end, are read as typed, the backslashes
// kept and the quote closing the word.
QStringList splitCommandLine(std::wstring_view line)
{
    QStringList words;
    std::size_t i = 0;
    // The program's name ends at the first blank outside quotes, and takes no escapes.
    QString name;
    for (bool quoted = false; i < line.size() && (quoted || !isBlank(line[i])); ++i) {
        if (line[i] == L'"')
            quoted = !quoted;
        else
            name += QChar(line[i]);
    }
    words << name;
    for (;;) {
        while (i < line.size() && isBlank(line[i]))
            ++i;
        if (i == line.size())
            return words;
        QString word;
        bool quoted = false;
        while (i < line.size() && (quoted || !isBlank(line[i]))) {
            std::size_t backslashes = 0;
            while (i + backslashes < line.size() && line[i + backslashes] == L'\\')
                ++backslashes;
            const std::size_t after = i + backslashes;
            if (backslashes > 0 && (after == line.size() || line[after] != L'"')) {
                word += QString(static_cast<qsizetype>(backslashes), QLatin1Char('\\'));
                i = after;
                continue;
            }
            if (backslashes % 2 == 1) {
                const bool endsWord = quoted && (after + 1 == line.size() || isBlank(line[after + 1]));
                word += QString(static_cast<qsizetype>(endsWord ? backslashes : backslashes / 2), QLatin1Char('\\'));
                if (endsWord)
                    quoted = false;
                else
                    word += QLatin1Char('"');
                i = after + 1;
                continue;
            }
            word += QString(static_cast<qsizetype>(backslashes / 2), QLatin1Char('\\'));
            i = after;
            if (line[i] != L'"') {
                word += QChar(line[i++]);
            } else if (quoted && i + 1 < line.size() && line[i + 1] == L'"') {
                word += QLatin1Char('"'); // "" inside quotes, as the C library reads it
                i += 2;
            } else {
                quoted = !quoted;
                ++i;
            }
        }
        words << word;
    }
}

} // namespace

QStringList arguments::words(int, char **)
{
    return splitCommandLine(GetCommandLineW());
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
