#include "report/RtfWriter.h"

#include "widgets/Theme.h"

#include <QColor>
#include <QFont>
#include <QTextBlock>
#include <QTextCharFormat>
#include <QTextDocument>

#include <cmath>

namespace {

class Tables {
public:
    int fontIndex(const QString &family)
    {
        qsizetype i = m_fonts.indexOf(family);
        if (i < 0) {
            m_fonts.append(family);
            i = m_fonts.size() - 1;
        }
        return static_cast<int>(i);
    }

    // 0 is the reader's default colour; entries start at 1.
    int colorIndex(const QColor &color)
    {
        const QRgb rgb = color.rgb() & 0xFFFFFF;
        qsizetype i = m_colors.indexOf(rgb);
        if (i < 0) {
            m_colors.append(rgb);
            i = m_colors.size() - 1;
        }
        return static_cast<int>(i) + 1;
    }

    QByteArray header() const
    {
        QByteArray out = "{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1{\\fonttbl";
        for (qsizetype i = 0; i < m_fonts.size(); ++i) {
            out += "{\\f" + QByteArray::number(i) + "\\fswiss\\fcharset0 ";
            out += escapedName(m_fonts[i]);
            out += ";}";
        }
        out += "}\r\n{\\colortbl ;";
        for (QRgb rgb : m_colors) {
            out += "\\red" + QByteArray::number(qRed(rgb)) + "\\green" + QByteArray::number(qGreen(rgb)) + "\\blue"
                + QByteArray::number(qBlue(rgb)) + ';';
        }
        out += "}\r\n";
        return out;
    }

private:
    // Font names become plain ASCII without the characters RTF gives a meaning.
    static QByteArray escapedName(const QString &name)
    {
        QByteArray out;
        for (QChar c : name) {
            const char16_t u = c.unicode();
            if (u >= 0x20 && u < 0x7F && u != '\\' && u != '{' && u != '}' && u != ';')
                out += static_cast<char>(u);
        }
        return out.isEmpty() ? theme::kFontFamily.toLatin1() : out;
    }

    QStringList m_fonts;
    QList<QRgb> m_colors;
};

void appendText(QByteArray &out, const QString &text)
{
    for (QChar c : text) {
        const char16_t u = c.unicode();
        switch (u) {
        case '\\': out += "\\\\"; break;
        case '{': out += "\\{"; break;
        case '}': out += "\\}"; break;
        case '\t': out += "\\tab "; break;
        case 0x2028: out += "\\line "; break;
        case 0x2029: out += "\\par\r\n"; break;
        default:
            if (u >= 0x80)
                out += "\\u" + QByteArray::number(static_cast<qint16>(u)) + '?';
            else if (u >= 0x20 && u != 0x7F)
                out += static_cast<char>(u);
            // Other control characters have no place in a report's text.
            break;
        }
    }
}

QString familyOf(const QTextCharFormat &format)
{
    const QStringList families = format.fontFamilies().toStringList();
    if (!families.isEmpty() && !families.constFirst().isEmpty())
        return families.constFirst();
    return theme::kFontFamily;
}

int halfPoints(const QTextCharFormat &format, const QTextDocument &document)
{
    double points = format.fontPointSize();
    if (points <= 0)
        points = document.defaultFont().pointSizeF();
    if (points <= 0 || !std::isfinite(points))
        points = theme::kLargePoints;
    return static_cast<int>(std::lround(std::min(points, 1600.0) * 2));
}

} // namespace

QByteArray writeRtf(const QTextDocument &document)
{
    Tables tables;
    tables.fontIndex(theme::kFontFamily);
    QByteArray body;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (!fragment.isValid())
                continue;
            const QTextCharFormat format = fragment.charFormat();
            body += "{\\f" + QByteArray::number(tables.fontIndex(familyOf(format)));
            body += "\\fs" + QByteArray::number(halfPoints(format, document));
            body += format.fontWeight() >= QFont::DemiBold ? "\\b" : "\\b0";
            if (format.hasProperty(QTextFormat::ForegroundBrush))
                body += "\\cf" + QByteArray::number(tables.colorIndex(format.foreground().color()));
            else
                body += "\\cf0";
            body += ' ';
            appendText(body, fragment.text());
            body += '}';
        }
        if (block.next().isValid())
            body += "\\par\r\n";
    }
    return tables.header() + "\\viewkind4\\uc1\\pard\\f0\\fs20 " + body + "\r\n}\r\n";
}
