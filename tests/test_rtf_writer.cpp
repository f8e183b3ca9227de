// The RTF writer, read back by an independent reader (unrtf, through its HTML output).
#include "report/ReportDocument.h"
#include "report/RtfWriter.h"

#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <gtest/gtest.h>

using namespace numerology;

namespace {

struct ReadBack {
    QString text;
    QString html;
    QTextDocument document;
};

// Writes the document as RTF, has unrtf turn it into HTML, and loads that HTML; nothing where
// unrtf is not installed.
std::unique_ptr<ReadBack> ThroughUnrtf(const QTextDocument &document)
{
    if (QStandardPaths::findExecutable("unrtf").isEmpty())
        return nullptr;
    QTemporaryDir folder;
    const QString path = folder.filePath("report.rtf");
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(writeRtf(document));
    file.close();
    QProcess unrtf;
    unrtf.start("unrtf", {"--html", "--nopict", path});
    EXPECT_TRUE(unrtf.waitForFinished(60000));
    EXPECT_EQ(unrtf.exitCode(), 0) << unrtf.readAllStandardError().toStdString();
    auto result = std::make_unique<ReadBack>();
    result->html = QString::fromUtf8(unrtf.readAllStandardOutput());
    result->document.setHtml(result->html);
    result->text = result->document.toPlainText();
    return result;
}

void AddRun(QTextDocument &document, const QString &text, bool bold, QColor color)
{
    QTextCursor cursor(&document);
    cursor.movePosition(QTextCursor::End);
    insertRuns(cursor, {{bold, color, text}});
}

struct Style {
    bool bold;
    QColor color;
};

// The weight and colour that the read-back document gives the first character of needle.
Style StyleAt(const QTextDocument &document, const QString &needle)
{
    const QTextCursor found = document.find(needle);
    EXPECT_FALSE(found.isNull()) << needle.toStdString();
    QTextCursor at(found);
    at.setPosition(found.selectionStart() + 1);
    const QTextCharFormat format = at.charFormat();
    return {format.fontWeight() >= QFont::DemiBold, format.foreground().color()};
}

TEST(RtfWriter, HeaderNamesVerdanaAtNineAndThreeQuarterPoints)
{
    QTextDocument document;
    AddRun(document, "Title", true, QColor(255, 0, 0));
    const QByteArray rtf = writeRtf(document);
    EXPECT_TRUE(rtf.startsWith("{\\rtf1\\ansi"));
    EXPECT_TRUE(rtf.contains("{\\fonttbl{\\f0\\fswiss\\fcharset0 Verdana;}}"));
    EXPECT_TRUE(rtf.contains("\\red255\\green0\\blue0;"));
    EXPECT_TRUE(rtf.contains("{\\f0\\fs20\\b\\cf1 Title}"));
    EXPECT_TRUE(rtf.trimmed().endsWith('}'));
}

TEST(RtfWriter, ReportRunsReadBackWithTextBoldAndColours)
{
    Reading inputs;
    inputs.interpretation.luckyNumber = 7;
    inputs.interpretation.luckyColor = "Yellow,Brown";
    inputs.interpretation.moneyNumber = 13;
    for (std::size_t i = 0; i < kResultCount; ++i)
        inputs.descriptions[i] = QStringLiteral("\nDescription number %1.").arg(i + 1);
    QTextDocument document;
    QTextCursor cursor(&document);
    insertRuns(cursor, reportRuns(inputs));

    // The title's 28 leading spaces are in the file; the HTML reader folds runs of blanks.
    EXPECT_TRUE(writeRtf(document).contains("\\b\\cf1 " + QByteArray(28, ' ') + "Larkspire Interpretation}\\par"));
    const auto back = ThroughUnrtf(document);
    if (!back)
        GTEST_SKIP() << "unrtf, the independent reader, is not installed";
    EXPECT_EQ(back->text.simplified(), document.toPlainText().simplified());
    EXPECT_EQ(back->text.count('\n'), document.toPlainText().count('\n'));
    EXPECT_TRUE(back->html.contains("face=\"Verdana\""));
    const Style title = StyleAt(back->document, "Larkspire Interpretation");
    EXPECT_TRUE(title.bold);
    EXPECT_EQ(title.color, QColor(255, 0, 0));
    const Style heading = StyleAt(back->document, "Lucky Color :-Yellow,Brown");
    EXPECT_TRUE(heading.bold);
    EXPECT_EQ(heading.color, QColor(0, 0, 128));
    const Style text = StyleAt(back->document, "Description number 3.");
    EXPECT_FALSE(text.bold);
    EXPECT_EQ(text.color, QColor(0, 0, 0));
}

TEST(RtfWriter, HostileTextSurvivesExactly)
{
    QTextDocument document;
    const QString hostile = QString::fromUtf8("{\\rtf1 braces} \\par back\\slash }}{{ café Ωμέγα 日本語 😀 \t tab");
    AddRun(document, hostile, false, QColor(0, 0, 0));
    AddRun(document, "\nsecond line", true, QColor(0, 0, 128));
    const QByteArray rtf = writeRtf(document);
    for (char c : rtf)
        ASSERT_LT(static_cast<unsigned char>(c), 0x80) << "RTF must be plain ASCII";
    EXPECT_TRUE(rtf.contains("\\u-10179?\\u-8704?")) << "emoji as a surrogate pair";
    EXPECT_TRUE(rtf.contains("\\par"));
    const auto back = ThroughUnrtf(document);
    if (!back)
        GTEST_SKIP() << "unrtf, the independent reader, is not installed";
    EXPECT_EQ(back->text.replace(QChar::Tabulation, ' ').simplified(),
              QString(hostile + "\nsecond line").replace(QChar::Tabulation, ' ').simplified());
    EXPECT_TRUE(back->text.contains(QString::fromUtf8("😀")));
    EXPECT_TRUE(back->text.contains("\n"));
}

TEST(RtfWriter, ALongParagraphAndEmptyParagraphs)
{
    QTextDocument document;
    QString paragraph;
    for (int i = 0; paragraph.size() < 100000; ++i)
        paragraph += QStringLiteral("word%1 {x} \\ ").arg(i);
    AddRun(document, paragraph + "\n\nend", false, QColor(0, 0, 0));
    const QByteArray rtf = writeRtf(document);
    EXPECT_EQ(rtf.count("\\par\r\n"), 2);
    const auto back = ThroughUnrtf(document);
    if (!back)
        GTEST_SKIP() << "unrtf, the independent reader, is not installed";
    EXPECT_TRUE(back->text.startsWith(paragraph.left(1000)));
    EXPECT_TRUE(back->text.contains(paragraph.right(1000)));
    EXPECT_TRUE(back->text.trimmed().endsWith("end"));
}

TEST(RtfWriter, BracesAlwaysBalance)
{
    QTextDocument document;
    AddRun(document, "}}}}{{{\\\\\\{", true, QColor(1, 2, 3));
    const QByteArray rtf = writeRtf(document);
    int depth = 0;
    for (qsizetype i = 0; i < rtf.size(); ++i) {
        if (rtf[i] == '\\') {
            ++i;
            continue;
        }
        if (rtf[i] == '{')
            ++depth;
        if (rtf[i] == '}')
            --depth;
        ASSERT_GE(depth, 0);
    }
    EXPECT_EQ(depth, 0);
}

} // namespace
