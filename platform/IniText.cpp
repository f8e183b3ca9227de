#include "platform/IniText.h"

#include <QList>

#include <optional>

namespace initext {

namespace {

// One line of the file without its line ending, and where it starts and ends in the contents.
struct Line {
    qsizetype start;
    qsizetype end;     // past the line's text, before its line ending
    qsizetype next;    // where the next line starts
};

QList<Line> splitLines(const QByteArray &contents)
{
    QList<Line> lines;
    qsizetype start = 0;
    while (start < contents.size()) {
        qsizetype newline = contents.indexOf('\n', start);
        const qsizetype next = newline < 0 ? contents.size() : newline + 1;
        qsizetype end = newline < 0 ? contents.size() : newline;
        if (end > start && contents[end - 1] == '\r')
            --end;
        lines.append({start, end, next});
        start = next;
    }
    return lines;
}

QByteArray trimmed(const QByteArray &contents, const Line &line)
{
    return contents.mid(line.start, line.end - line.start).trimmed();
}

// The section a "[name]" line opens, or nothing for any other line.
std::optional<QString> sectionOf(const QByteArray &text)
{
    if (text.size() < 2 || text.front() != '[' || text.back() != ']')
        return std::nullopt;
    return QString::fromUtf8(text.mid(1, text.size() - 2)).trimmed();
}

// The key of a "key=value" line (trimmed), or nothing for any other line.
std::optional<QString> keyOf(const QByteArray &text, QByteArray *rawValue = nullptr)
{
    if (text.isEmpty() || text.front() == ';' || text.front() == '#')
        return std::nullopt;
    const qsizetype equals = text.indexOf('=');
    if (equals <= 0)
        return std::nullopt;
    if (rawValue)
        *rawValue = text.mid(equals + 1).trimmed();
    return QString::fromUtf8(text.left(equals)).trimmed();
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
QString unescaped(const QByteArray &raw)
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

} // namespace

QString value(const QByteArray &contents, QStringView section, QStringView key)
{
    QString current;
    for (const Line &line : splitLines(contents)) {
        const QByteArray text = trimmed(contents, line);
        if (const auto name = sectionOf(text)) {
            current = *name;
            continue;
        }
        QByteArray raw;
        if (current == section && keyOf(text, &raw) == key)
            return unescaped(raw);
    }
    return {};
}

QByteArray withValue(const QByteArray &contents, QStringView section, QStringView key, const QString &value)
{
    const QByteArray entry = key.toUtf8() + '=' + escaped(value);
    const QList<Line> lines = splitLines(contents);
    QString current;
    qsizetype sectionEnd = -1; // where the first line of the section starts
    for (const Line &line : lines) {
        const QByteArray text = trimmed(contents, line);
        if (const auto name = sectionOf(text)) {
            current = *name;
            if (current == section && sectionEnd < 0)
                sectionEnd = line.next;
            continue;
        }
        if (current == section && keyOf(text) == key)
            return contents.left(line.start) + entry + contents.mid(line.end);
    }
    if (sectionEnd >= 0) {
        QByteArray out = contents.left(sectionEnd);
        if (!out.endsWith('\n'))
            out += '\n';
        return out + entry + '\n' + contents.mid(sectionEnd);
    }
    QByteArray out = contents;
    if (!out.isEmpty() && !out.endsWith('\n'))
        out += '\n';
    if (!out.isEmpty())
        out += '\n';
    return out + '[' + section.toUtf8() + "]\n" + entry + '\n';
}

} // namespace initext
