#include "platform/IniText.h"

#include <QByteArrayView>
#include <QStringDecoder>
#include <QStringEncoder>

#include <optional>

namespace initext {

namespace {

// One line of the text: where its text starts and ends (before its line ending) and where the
// next line starts.
struct Line {
    qsizetype start;
    qsizetype end;
    qsizetype next;
};

// Calls visit(line, its text without surrounding blanks) for each line until visit returns true,
// without copying anything.
template <class Visit>
void forEachLine(QByteArrayView all, Visit visit)
{
    qsizetype start = 0;
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

// How a file is encoded: the byte-order mark it starts with, if any, and whether the text after
// it is UTF-16 (as Notepad's "Unicode" saves it) or else UTF-8.
struct Encoding {
    qsizetype markSize = 0;
    std::optional<QStringConverter::Encoding> utf16;
};

Encoding encodingOf(QByteArrayView contents)
{
    if (contents.startsWith("\xFF\xFE"))
        return {2, QStringConverter::Utf16LE};
    if (contents.startsWith("\xFE\xFF"))
        return {2, QStringConverter::Utf16BE};
    return {contents.startsWith("\xEF\xBB\xBF") ? 3 : 0, std::nullopt};
}

// The text after the mark as UTF-8, which is read and changed; UTF-8 text is not copied, and stays
// valid as long as the file's contents.
QByteArray textOf(QByteArrayView contents, const Encoding &encoding)
{
    const QByteArrayView body = contents.sliced(encoding.markSize);
    if (!encoding.utf16)
        return QByteArray::fromRawData(body.data(), body.size());
    QStringDecoder decode(*encoding.utf16);
    return QString(decode(body)).toUtf8();
}

// A piece of that UTF-8 text in the file's own encoding (UTF-8 pieces are not copied).
QByteArray inFileEncoding(QByteArrayView piece, const Encoding &encoding)
{
    if (!encoding.utf16)
        return QByteArray::fromRawData(piece.data(), piece.size());
    QStringEncoder encode(*encoding.utf16);
    return encode(QString::fromUtf8(piece));
}

// A settings file's text holds no NUL character: where one seems to, the file's encoding cannot
// be told for certain (UTF-16 without its mark, UTF-32 with or without one), and nothing in it is
// read or changed.
bool isToldForCertain(const QByteArray &text)
{
    return !text.contains('\0');
}

// A change of the text: the bytes from one position to another replaced.
struct Edit {
    qsizetype from;
    qsizetype to;
    QByteArray insert;
};

// The change that sets key in section to value, within the text (after its mark).
Edit editSetting(QByteArrayView text, QStringView section, QStringView key, const QString &value)
{
    const QByteArray wantedSection = section.toUtf8();
    const QByteArray wantedKey = key.toUtf8();
    const QByteArray entry = wantedKey + '=' + escaped(value);
    bool inSection = false;
    qsizetype sectionStart = -1; // where the first line of the section starts
    std::optional<Line> existing;
    forEachLine(text, [&](const Line &line, QByteArrayView lineText) {
        if (const auto name = sectionOf(lineText)) {
            inSection = *name == wantedSection;
            if (inSection && sectionStart < 0)
                sectionStart = line.next;
            return false;
        }
        if (inSection && isEntry(lineText, wantedKey))
            existing = line;
        return existing.has_value();
    });
    if (existing)
        return {existing->start, existing->end, entry};
    if (sectionStart >= 0) {
        const bool endsLine = sectionStart > 0 && text[sectionStart - 1] == '\n';
        return {sectionStart, sectionStart, (endsLine ? "" : "\n") + entry + '\n'};
    }
    // A new section at the end, after a blank line where the file has lines of its own.
    const QByteArray separator = text.isEmpty() ? "" : text.endsWith('\n') ? "\n" : "\n\n";
    return {text.size(), text.size(), separator + '[' + wantedSection + "]\n" + entry + '\n'};
}

} // namespace

QString value(const QByteArray &contents, QStringView section, QStringView key)
{
    const QByteArray text = textOf(contents, encodingOf(contents));
    if (!isToldForCertain(text))
        return {};
    const QByteArray wantedSection = section.toUtf8();
    const QByteArray wantedKey = key.toUtf8();
    bool inSection = false;
    QString found;
    forEachLine(text, [&](const Line &, QByteArrayView lineText) {
        if (const auto name = sectionOf(lineText)) {
            inSection = *name == wantedSection;
            return false;
        }
        QByteArrayView raw;
        if (!inSection || !isEntry(lineText, wantedKey, &raw))
            return false;
        found = unescaped(raw);
        return true;
    });
    return found;
}

std::optional<QByteArray> withValue(const QByteArray &contents, QStringView section, QStringView key,
                                    const QString &value)
{
    const Encoding encoding = encodingOf(contents);
    const QByteArray text = textOf(contents, encoding);
    if (!isToldForCertain(text))
        return std::nullopt;
    const Edit edit = editSetting(text, section, key, value);
    // The file is rewritten only when every byte of it but the changed line's comes back exactly
    // from the text that was changed: what lies before the line and after it, in the file's own
    // encoding, must be the file's own bytes, with nothing but the old line between them.
    const QByteArrayView mark = QByteArrayView(contents).first(encoding.markSize);
    const QByteArrayView body = QByteArrayView(contents).sliced(encoding.markSize);
    const QByteArray before = inFileEncoding(QByteArrayView(text).first(edit.from), encoding);
    const QByteArray after = inFileEncoding(QByteArrayView(text).sliced(edit.to), encoding);
    const qsizetype oldLine = inFileEncoding(QByteArrayView(text).sliced(edit.from, edit.to - edit.from), encoding).size();
    if (!body.startsWith(before) || !body.endsWith(after) || before.size() + oldLine + after.size() != body.size())
        return std::nullopt;
    const QByteArray insert = inFileEncoding(edit.insert, encoding);
    QByteArray out;
    out.reserve(mark.size() + before.size() + insert.size() + after.size());
    return out.append(mark).append(before).append(insert).append(after);
}

} // namespace initext
