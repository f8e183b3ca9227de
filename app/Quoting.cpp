#include "app/Quoting.h"

#include "platform/FileNames.h"

#include <QStringList>

namespace {

bool isShown(char32_t c)
{
    switch (QChar::category(c)) {
    case QChar::Other_Control:
    case QChar::Other_Format:
    case QChar::Other_Surrogate:
    case QChar::Other_PrivateUse:
    case QChar::Other_NotAssigned:
    case QChar::Separator_Line:
    case QChar::Separator_Paragraph: return false;
    default: return true;
    }
}

QString code(char32_t c)
{
    return QStringLiteral("U+") + QString::number(c, 16).toUpper().rightJustified(4, QLatin1Char('0'));
}

} // namespace

QString quoting::escaped(const QString &text)
{
    QString shown;
    shown.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const bool pair = text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate();
        const char32_t c = pair ? QChar::surrogateToUcs4(text[i], text[i + 1]) : text[i].unicode();
        const std::optional<unsigned char> byte = pair ? std::nullopt : filenames::strayByte(text[i].unicode());
        if (byte)
            shown += QStringLiteral("<0x") + QString::number(*byte, 16).toUpper() + u'>';
        else if (!isShown(c))
            shown += u'<' + code(c) + u'>';
        else
            shown += QStringView(text).sliced(i, pair ? 2 : 1);
        if (pair)
            ++i;
    }
    return shown;
}

QString quoting::escapedLines(const QString &text)
{
    QStringList lines = text.split(QLatin1Char('\n'));
    for (QString &line : lines) {
        QStringList columns = line.split(QLatin1Char('\t'));
        for (QString &column : columns)
            column = escaped(column);
        line = columns.join(QLatin1Char('\t'));
    }
    return lines.join(QLatin1Char('\n'));
}

QString quoting::quoted(const QString &text)
{
    return u'\'' + escaped(text) + u'\'';
}

QString quoting::character(char32_t c)
{
    if (c >= 0x20 && c < 0x7F)
        return u'\'' + QChar(c) + u'\'';
    if (!isShown(c))
        return code(c);
    return u'\'' + QString::fromUcs4(&c, 1) + QStringLiteral("' (") + code(c) + u')';
}
