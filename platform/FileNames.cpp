#include "platform/FileNames.h"

#include <QStringDecoder>

namespace {

// The length of the UTF-8 sequence at i, or 0 when none starts there (RFC 3629: no overlong form,
// no surrogate, nothing beyond U+10FFFF).
qsizetype sequenceAt(QByteArrayView bytes, qsizetype i)
{
    const auto byte = [&](qsizetype at) { return static_cast<unsigned char>(bytes[at]); };
    const unsigned char lead = byte(i);
    if (lead < 0x80)
        return 1;
    qsizetype length = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF)
        length = 2;
    else if (lead >= 0xE0 && lead <= 0xEF)
        length = 3;
    else if (lead >= 0xF0 && lead <= 0xF4)
        length = 4;
    if (lead == 0xE0)
        low = 0xA0;
    else if (lead == 0xED)
        high = 0x9F;
    else if (lead == 0xF0)
        low = 0x90;
    else if (lead == 0xF4)
        high = 0x8F;
    if (length == 0 || i + length > bytes.size() || byte(i + 1) < low || byte(i + 1) > high)
        return 0;
    for (qsizetype k = 2; k < length; ++k) {
        if (byte(i + k) < 0x80 || byte(i + k) > 0xBF)
            return 0;
    }
    return length;
}

bool isStray(const QString &name, qsizetype i)
{
    const char16_t c = name[i].unicode();
    return c >= 0xDC80 && c <= 0xDCFF && !(i > 0 && name[i - 1].isHighSurrogate());
}

} // namespace

QString filenames::decoded(QByteArrayView name)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
    QString text = utf8(name);
    if (!utf8.hasError())
        return text;
    text.clear();
    for (qsizetype i = 0; i < name.size();) {
        const qsizetype length = sequenceAt(name, i);
        if (length == 0) {
            text += QChar(0xDC00 + static_cast<unsigned char>(name[i]));
            ++i;
        } else {
            text += QString::fromUtf8(name.sliced(i, length));
            i += length;
        }
    }
    return text;
}

QByteArray filenames::encoded(const QString &name)
{
    QByteArray bytes;
    qsizetype start = 0;
    for (qsizetype i = 0; i < name.size(); ++i) {
        if (!isStray(name, i))
            continue;
        bytes += QStringView(name).sliced(start, i - start).toUtf8();
        bytes += static_cast<char>(name[i].unicode() - 0xDC00);
        start = i + 1;
    }
    return bytes + QStringView(name).sliced(start).toUtf8();
}
