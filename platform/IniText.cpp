#include "platform/IniText.h"

#include <QByteArrayView>
#include <QStringDecoder>
#include <QStringEncoder>

#include <optional>

namespace initext {

namespace {

// One line of the file: where its text starts and ends (before its line ending) and where the
// next line starts.
struct Line {
    qsizetype start;
    qsizetype end;
    qsizetype next;
};

// Calls visit(line, its text without surrounding blanks) for each line until visit returns true,
// without copying anything. A UTF-8 byte-order mark before the first line is not part of it.
template <class Visit>
void forEachLine(const QByteArray &contents, Visit visit)
{
    const QByteArrayView all(contents);
    qsizetype start = all.startsWith("\xEF\xBB\xBF") ? 3 : 0;
    while (start < all.size()) {
        const qsizetype newline = all.indexOf('\n', start);
        const qsizetype next = newline < 0 ? all.size() : newline + 1;
        qsizetype end = newline < 0 ? all.size() : newline;
        if (end > start && all[end - 1] == '\r')
            --end;
        if (visit(Line{start, end, next}, all.sliced(start, end - start).trimmed()))
            return;
        start = next;
    }
}

// The section a "[name]" line opens, or nothing for any other line.
std::optional<QByteArrayView> sectionOf(QByteArrayView text)
{
    if (text.size() < 2 || text.front() != '[' || text.back() != ']')
        return std::nullopt;
    return text.sliced(1, text.size() - 2).trimmed();
}

// Whether a line is "key=value" for the key; its raw value, after the "=", is then set.
bool isEntry(QByteArrayView text, QByteArrayView key, QByteArrayView *rawValue = nullptr)
{
    if (text.isEmpty() || text.front() == ';' || text.front() == '#')
        return false;
    const qsizetype equals = text.indexOf('=');
    if (equals <= 0 || text.first(equals).trimmed() != key)
        return false;
    if (rawValue)
        *rawValue = text.sliced(equals + 1).trimmed();
    return true;
}

int hexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// Undoes QSettings' value quoting: text between double quotes is taken as it stands, and
// backslash escapes (\\, \", \n, \t, \r, \xHHHH ...) give their character. Linear in the length,
// whatever the value holds.
QString unescaped(QByteArrayView raw)
{
    QString out;
    out.reserve(raw.size());
    QByteArray pending; // UTF-8 bytes not yet decoded
    const auto flush = [&] {
        out += QString::fromUtf8(pending);
        pending.clear();
    };
    for (qsizetype i = 0; i < raw.size(); ++i) {
        const char c = raw[i];
        if (c == '"')
            continue;
        if (c != '\\' || i + 1 == raw.size()) {
            pending += c;
            continue;
        }
        const char e = raw[++i];
        switch (e) {
        case 'a': pending += '\a'; break;
        case 'b': pending += '\b'; break;
        case 'f': pending += '\f'; break;
        case 'n': pending += '\n'; break;
        case 'r': pending += '\r'; break;
        case 't': pending += '\t'; break;
        case 'v': pending += '\v'; break;
        case 'x': {
            char32_t code = 0;
            int digits = 0;
            while (digits < 4 && i + 1 < raw.size() && hexDigit(raw[i + 1]) >= 0) {
                code = code * 16 + static_cast<char32_t>(hexDigit(raw[++i]));
                ++digits;
            }
            flush();
            out += QChar(static_cast<char16_t>(code));
            break;
        }
        default: pending += e; break;
        }
    }
    flush();
    return out;
}

// A value as QSettings would write it: plain when it holds only harmless ASCII, otherwise quoted
// with its backslashes, quotes and non-ASCII characters escaped.
QByteArray escaped(const QString &value)
{
    bool plain = !value.isEmpty() && value.front() != u' ' && value.back() != u' ' && value.front() != u'@';
    for (QChar c : value) {
        const char16_t u = c.unicode();
        if (u < 0x20 || u >= 0x7F || u == '"' || u == '\\' || u == ';' || u == ',' || u == '=')
            plain = false;
    }
    if (plain)
        return value.toLatin1();
    QByteArray out = "\"";
    for (QChar c : value) {
        const char16_t u = c.unicode();
        if (u == '"' || u == '\\') {
            out += '\\';
            out += static_cast<char>(u);
        } else if (u < 0x20 || u >= 0x7F) {
            out += "\\x" + QByteArray::number(u, 16).rightJustified(4, '0');
        } else {
            out += static_cast<char>(u);
        }
    }
    return out + '"';
}

// The contents with the bytes from one position to another replaced, in one copy.
QByteArray spliced(const QByteArray &contents, qsizetype from, qsizetype to, const QByteArray &insert)
{
    QByteArray out;
    out.reserve(contents.size() - (to - from) + insert.size());
    const QByteArrayView all(contents);
    out.append(all.first(from)).append(insert).append(all.sliced(to));
    return out;
}

// A file saved as UTF-16 with its byte-order mark (as Notepad's "Unicode" saves it) is read and
// changed as UTF-8 and written back as UTF-16 again, with the same byte order and mark, so that
// the file keeps one encoding.
enum class Encoding { Utf8, Utf16LittleEndian, Utf16BigEndian };

Encoding encodingOf(const QByteArray &contents)
{
    if (contents.startsWith("\xFF\xFE"))
        return Encoding::Utf16LittleEndian;
    if (contents.startsWith("\xFE\xFF"))
        return Encoding::Utf16BigEndian;
    return Encoding::Utf8;
}

// UTF-16 contents as UTF-8, its byte-order mark becoming UTF-8's.
QByteArray asUtf8(const QByteArray &contents, Encoding encoding)
{
    QStringDecoder decode(encoding == Encoding::Utf16LittleEndian ? QStringDecoder::Utf16LE : QStringDecoder::Utf16BE);
    const QString text = decode(QByteArrayView(contents).sliced(2));
    return "\xEF\xBB\xBF" + text.toUtf8();
}

// UTF-8 contents that asUtf8 gave, in the UTF-16 they came from.
QByteArray asUtf16(const QByteArray &utf8, Encoding encoding)
{
    const QString text = QString::fromUtf8(QByteArrayView(utf8).sliced(3));
    const bool little = encoding == Encoding::Utf16LittleEndian;
    QStringEncoder encode(little ? QStringEncoder::Utf16LE : QStringEncoder::Utf16BE);
    return QByteArray(little ? "\xFF\xFE" : "\xFE\xFF") + QByteArray(encode(text));
}

} // namespace

QString value(const QByteArray &contents, QStringView section, QStringView key)
{
    if (const Encoding encoding = encodingOf(contents); encoding != Encoding::Utf8)
        return value(asUtf8(contents, encoding), section, key);
    const QByteArray wantedSection = section.toUtf8();
    const QByteArray wantedKey = key.toUtf8();
    bool inSection = false;
    QString found;
    forEachLine(contents, [&](const Line &, QByteArrayView text) {
        if (const auto name = sectionOf(text)) {
            inSection = *name == wantedSection;
            return false;
        }
        QByteArrayView raw;
        if (!inSection || !isEntry(text, wantedKey, &raw))
            return false;
        found = unescaped(raw);
        return true;
    });
    return found;
}

QByteArray withValue(const QByteArray &contents, QStringView section, QStringView key, const QString &value)
{
    if (const Encoding encoding = encodingOf(contents); encoding != Encoding::Utf8)
        return asUtf16(withValue(asUtf8(contents, encoding), section, key, value), encoding);
    const QByteArray wantedSection = section.toUtf8();
    const QByteArray wantedKey = key.toUtf8();
    const QByteArray entry = wantedKey + '=' + escaped(value);
    bool inSection = false;
    qsizetype sectionStart = -1; // where the first line of the section starts
    std::optional<Line> existing;
    forEachLine(contents, [&](const Line &line, QByteArrayView text) {
        if (const auto name = sectionOf(text)) {
            inSection = *name == wantedSection;
            if (inSection && sectionStart < 0)
                sectionStart = line.next;
            return false;
        }
        if (inSection && isEntry(text, wantedKey))
            existing = line;
        return existing.has_value();
    });
    if (existing)
        return spliced(contents, existing->start, existing->end, entry);
    if (sectionStart >= 0) {
        const bool endsLine = sectionStart > 0 && contents[sectionStart - 1] == '\n';
        return spliced(contents, sectionStart, sectionStart, (endsLine ? "" : "\n") + entry + '\n');
    }
    // A new section at the end, after a blank line where the file has lines of its own.
    const bool hasLines = !contents.isEmpty() && contents != "\xEF\xBB\xBF";
    const QByteArray separator = !hasLines ? "" : contents.endsWith('\n') ? "\n" : "\n\n";
    return spliced(contents, contents.size(), contents.size(), separator + '[' + wantedSection + "]\n" + entry + '\n');
}

} // namespace initext
