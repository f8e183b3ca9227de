// The RTF writer on arbitrary text in arbitrary runs, fonts and sizes: the output is always plain
// ASCII with balanced braces, and read back (escapes, \uN?, \tab, \line, \par) it gives exactly
// the document's text.
#include "report/RtfWriter.h"

#include <QGuiApplication>
#include <QTextBlock>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>

#include <cstdint>
#include <cstdlib>
#include <memory>

namespace {

void Check(bool condition)
{
    if (!condition)
        std::abort();
}

// Skips the group that starts at i; returns the position after its closing brace.
qsizetype SkipGroup(const QByteArray &rtf, qsizetype i)
{
    int depth = 0;
    for (; i < rtf.size(); ++i) {
        if (rtf[i] == '\\') {
            ++i;
        } else if (rtf[i] == '{') {
            ++depth;
        } else if (rtf[i] == '}' && --depth == 0) {
            return i + 1;
        }
    }
    return i;
}

bool IsLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// The text an RTF reader sees in the writer's output: paragraphs joined by "\n".
QString Decode(const QByteArray &rtf)
{
    QString out;
    qsizetype i = 0;
    while (i < rtf.size()) {
        const char c = rtf[i];
        if (c == '{' && (rtf.mid(i, 9) == "{\\fonttbl" || rtf.mid(i, 10) == "{\\colortbl")) {
            i = SkipGroup(rtf, i);
        } else if (c == '{' || c == '}' || c == '\r' || c == '\n') {
            ++i;
        } else if (c != '\\') {
            out += QLatin1Char(c);
            ++i;
        } else if (i + 1 < rtf.size() && (rtf[i + 1] == '\\' || rtf[i + 1] == '{' || rtf[i + 1] == '}')) {
            out += QLatin1Char(rtf[i + 1]);
            i += 2;
        } else {
            qsizetype end = i + 1;
            while (end < rtf.size() && IsLetter(rtf[end]))
                ++end;
            const QByteArray word = rtf.mid(i + 1, end - i - 1);
            qsizetype numberEnd = end;
            if (numberEnd < rtf.size() && rtf[numberEnd] == '-')
                ++numberEnd;
            while (numberEnd < rtf.size() && rtf[numberEnd] >= '0' && rtf[numberEnd] <= '9')
                ++numberEnd;
            const int parameter = rtf.mid(end, numberEnd - end).toInt();
            i = numberEnd;
            if (i < rtf.size() && rtf[i] == ' ')
                ++i;
            if (word == "par") {
                out += QLatin1Char('\n');
            } else if (word == "line") {
                out += QChar(QChar::LineSeparator);
            } else if (word == "tab") {
                out += QLatin1Char('\t');
            } else if (word == "u") {
                out += QChar(static_cast<char16_t>(static_cast<std::int16_t>(parameter)));
                Check(i < rtf.size() && rtf[i] == '?');
                ++i;
            }
        }
    }
    return out;
}

// The document's text as the writer should carry it: control characters other than the tab have
// no place in a report and are dropped.
QString ExpectedText(const QTextDocument &document)
{
    QString out;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        if (block != document.begin())
            out += QLatin1Char('\n');
        for (QChar c : block.text()) {
            if ((c.unicode() >= 0x20 && c.unicode() != 0x7F) || c == QLatin1Char('\t'))
                out += c;
        }
    }
    return out;
}

const char *const kFamilies[] = {"Verdana", "Times New Roman", "{Bad\\Font;}", "", "\xc3\x9c" "ber Sans"};
const double kSizes[] = {0, 9.75, 12, 0.1, 1e6, 72, 8.25, -3};

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // Lives for the whole run; released at exit so that leak detection sees nothing left.
    static std::unique_ptr<QGuiApplication> application = std::make_unique<QGuiApplication>(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    // Each run: one byte of style (bold, colour, font, size), then text up to the next 0xFF byte.
    QTextDocument document;
    QTextCursor cursor(&document);
    std::size_t i = 0;
    while (i < size) {
        const std::uint8_t style = data[i++];
        std::size_t end = i;
        while (end < size && data[end] != 0xFF)
            ++end;
        QTextCharFormat format;
        format.setFontWeight((style & 1) ? QFont::Bold : QFont::Normal);
        if (style & 2)
            format.setForeground(QColor((style & 4) ? 255 : 0, (style & 8) ? 128 : 0, style & 0xF0));
        format.setFontFamilies({QString::fromUtf8(kFamilies[(style >> 2) % 5])});
        if (const double points = kSizes[(style >> 5) & 7]; points > 0)
            format.setFontPointSize(points);
        cursor.insertText(QString::fromUtf8(reinterpret_cast<const char *>(data + i), static_cast<qsizetype>(end - i)), format);
        i = end + 1;
    }
    const QByteArray rtf = writeRtf(document);

    int depth = 0;
    for (qsizetype k = 0; k < rtf.size(); ++k) {
        const auto c = static_cast<unsigned char>(rtf[k]);
        Check(c < 0x80);
        if (c == '\\') {
            ++k;
            continue;
        }
        if (c == '{')
            ++depth;
        else if (c == '}')
            --depth;
        Check(depth >= 0);
    }
    Check(depth == 0);
    Check(rtf.startsWith("{\\rtf1"));
    Check(Decode(rtf) == ExpectedText(document));
    return 0;
}
