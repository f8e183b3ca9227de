#include "model/NameRule.h"

NameKey nameKeyFor(QChar typed)
{
    const char16_t c = typed.unicode();
    if (c >= u'a' && c <= u'z')
        return NameKey::Capitalise;
    if ((c >= u'A' && c <= u'Z') || c == u' ' || c == u'\b' || c == u'\r')
        return NameKey::Pass;
    return NameKey::Refuse;
}

qsizetype judgeNameText(QStringView arrived, QString &kept)
{
    qsizetype firstRefused = -1;
    kept.resize(arrived.size());
    QChar *out = kept.data();
    for (qsizetype i = 0; i < arrived.size(); ++i) {
        const QChar c = arrived[i];
        // ASCII's printable characters are the blank to the tilde; QChar::isPrint, a call into
        // Qt, is asked only of the others (a file of people judges every name of every row).
        const bool printable = c.unicode() < 0x80 ? c.unicode() >= u' ' && c.unicode() <= u'~' : c.isPrint();
        const NameKey key = printable ? nameKeyFor(c) : NameKey::Refuse;
        if (key == NameKey::Refuse) {
            if (firstRefused < 0)
                firstRefused = i;
            continue;
        }
        *out++ = key == NameKey::Capitalise ? c.toUpper() : c;
    }
    kept.resize(out - kept.constData());
    return firstRefused;
}

JudgedName judgeNameText(QStringView arrived)
{
    JudgedName judged;
    judged.refused = judgeNameText(arrived, judged.text) >= 0;
    return judged;
}
