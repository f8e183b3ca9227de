#include "platform/FileNames.h"

#include <QStringDecoder>

namespace {

// The text of bytes that are wholly UTF-8 (a byte-order mark included, as part of a name).
std::optional<QString> utf8(QByteArrayView bytes)
{
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
    QString text = decoder(bytes);
    return decoder.hasError() ? std::nullopt : std::optional<QString>(std::move(text));
}

} // namespace

QString filenames::decoded(QByteArrayView name)
{
    if (std::optional<QString> text = utf8(name))
        return *text;
    QString text;
    for (qsizetype i = 0; i < name.size();) {
        // The one UTF-8 sequence (of one to four bytes) that starts here, if one does.
        qsizetype length = 1;
        std::optional<QString> character;
        for (; length <= 4 && i + length <= name.size() && !character; ++length)
            character = utf8(name.sliced(i, length));
        if (character) {
            text += *character;
            i += length - 1;
        } else {
            text += QChar(0xDC00 + static_cast<unsigned char>(name[i]));
            ++i;
        }
    }
    return text;
}

QByteArray filenames::encoded(const QString &name)
{
    QByteArray bytes;
    qsizetype start = 0;
    for (qsizetype i = 0; i < name.size(); ++i) {
        const char16_t c = name[i].unicode();
        if (c < 0xDC80 || c > 0xDCFF || (i > 0 && name[i - 1].isHighSurrogate()))
            continue;
        bytes += QStringView(name).sliced(start, i - start).toUtf8();
        bytes += static_cast<char>(c - 0xDC00);
        start = i + 1;
    }
    return bytes + QStringView(name).sliced(start).toUtf8();
}
